#pragma once

// Sound: WAV files played through SDL audio. Playback is asynchronous and one sound at
// a time: a new sound cuts off the one still playing. Where no audio device can be
// opened (headless runs, machines without sound) playback is recorded and reported as
// done, so callers behave the same everywhere.

#include <cstdint>
#include <string>
#include <vector>

namespace plat {

constexpr uint32_t SND_ASYNC = 0x00000001;
constexpr uint32_t SND_FILENAME = 0x00020000;

// Plays the named WAV file (designed path) and returns at once. False when SND_FILENAME
// is not given or the file is missing, too big or not a WAV the decoder takes.
bool sndPlaySoundW(const wchar_t* name, uint32_t flags);

// What was played, oldest first (the latest 64 entries).
struct SoundPlayback {
    std::wstring path;
    uint32_t durationMs = 0;
    bool cut = false; // a newer sound started before this one ended
    bool device = false; // went to an audio device rather than being only recorded
};
std::vector<SoundPlayback> GetSoundHistory();
void ClearSoundHistory();
// Whether the latest sound is still playing (by the clock when it is only recorded).
bool IsSoundPlaying();

// Off: never open an audio device, only record. Default: on, unless the display is
// headless.
void SetSoundOutputEnabled(bool enabled);

} // namespace plat
