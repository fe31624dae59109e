"""The four alert sounds: short bell-like tones, each a few soft partials with a quick
attack and an exponential decay, so they neither click nor drone."""

import math

import encoders

RATE = 22050


def _note(freq, start, length, gain=0.5):
    return (freq, start, length, gain)


def _render(notes, total):
    n = int(RATE * total)
    mix = [0.0] * n
    for freq, start, length, gain in notes:
        s0 = int(RATE * start)
        count = min(int(RATE * length), n - s0)
        attack = int(RATE * 0.006)
        for i in range(count):
            t = i / RATE
            env = math.exp(-t * 7.0 / length)
            if i < attack:
                env *= i / attack
            # Partials of a soft bell: the fundamental, an octave and a faint twelfth.
            v = (math.sin(2 * math.pi * freq * t)
                 + 0.28 * math.sin(2 * math.pi * 2 * freq * t) * math.exp(-t * 6.0)
                 + 0.08 * math.sin(2 * math.pi * 3 * freq * t) * math.exp(-t * 12.0))
            mix[s0 + i] += gain * env * v
    peak = max(1e-9, max(abs(v) for v in mix))
    scale = 0.7 * 32767 / peak
    # The last few milliseconds fade to silence.
    fade = int(RATE * 0.02)
    for i in range(fade):
        mix[n - 1 - i] *= i / fade
    return [int(round(v * scale)) for v in mix]


# Note frequencies (equal temperament, A4 = 440 Hz).
C5, E5, G5, A5, C6, E6, G6 = 523.25, 659.26, 783.99, 880.0, 1046.5, 1318.51, 1567.98


def everything():
    tones = {
        # Signed in: a rising major arpeggio.
        "login.wav": ([_note(C5, 0.0, 0.5), _note(E5, 0.09, 0.5), _note(G5, 0.18, 0.6), _note(C6, 0.27, 0.7)], 0.95),
        # A buddy came online: one light, high ping.
        "buddy_login.wav": ([_note(E6, 0.0, 0.35), _note(G6, 0.05, 0.3, 0.25)], 0.4),
        # A chat line arrived: two quick notes up.
        "recv_chat.wav": ([_note(G5, 0.0, 0.22), _note(C6, 0.08, 0.3)], 0.42),
        # A memo arrived: a gentle three-note fall, longer than the chat sound.
        "recv_memo.wav": ([_note(C6, 0.0, 0.4), _note(A5, 0.12, 0.4), _note(E5, 0.24, 0.55)], 0.8),
    }
    return {name: encoders.wav(RATE, _render(notes, total)) for name, (notes, total) in tones.items()}
