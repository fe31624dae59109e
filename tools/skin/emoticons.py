"""The emoticons, drawn on a 32 x 32 grid from the same shapes as the rest of the skin.

Each is written twice: a 20 x 20 GIF for text (the size the chat input bar gives an
emoticon; keyed on black, its edges blended onto white, the colour of the chat and edit
backgrounds), animated for a few, and a 32 x 32 PNG with alpha for the picker menu. Black is the key because an emoticon glyph keeps no colour key of its own
and draws with the default one; no emoticon uses pure black.
"""

import math

import encoders
from paint import Canvas, circle, ellipse, intersect, polygon, ring, round_rect, segment, union
from palette import (ACCENT, BUSY, CHEEK, EMOTICON_KEY, FACE, FACE_EDGE, FACE_INK, HEART, INK, WHITE, a)

SIZE = 32
TEXT_SIZE = 20
TEAR = (90, 160, 240)
GOLD = (255, 196, 40)
GREEN = (60, 170, 90)
BROWN = (150, 96, 60)
CREAM = (255, 246, 230)
PINK = (255, 150, 190)
CAKE = (232, 88, 134)
CAKE_EDGE = (168, 44, 86)
CAKE_FILLING = (255, 196, 214)
CANDLE_EDGE = (24, 78, 170)
PLATE = (150, 154, 164)


def _half(y0, below=True):
    return (lambda px, py: y0 - py) if below else (lambda px, py: py - y0)


def face(c, tint=FACE):
    c.circle(16, 16, 14.5, FACE_EDGE)
    c.circle(16, 16, 13.3, tint)


def eyes(c, dy=0.0, r=2.0):
    c.fill(ellipse(11.5, 13 + dy, r * 0.8, r * 1.2), FACE_INK, (8, 9, 15, 17 + dy))
    c.fill(ellipse(20.5, 13 + dy, r * 0.8, r * 1.2), FACE_INK, (17, 9, 24, 17 + dy))


def happy_eye(c, x, y=14):
    c.fill(intersect(ring(x, y, 2.6, 1.7), _half(y, below=False)), FACE_INK, (x - 4, y - 4, x + 4, y + 1))


def smile(c, r=6.5, cy=17.0, width=1.9):
    c.fill(intersect(ring(16, cy, r, width), _half(cy + 1.0)), FACE_INK, (8, cy, 24, cy + r + 2))


def frown(c, cy=26.0):
    c.fill(intersect(ring(16, cy, 5.5, 1.9), _half(cy - 1.5, below=False)), FACE_INK, (9, cy - 7, 23, cy))


def cheeks(c):
    c.circle(8.5, 19.5, 2.3, a(CHEEK, 0.55))
    c.circle(23.5, 19.5, 2.3, a(CHEEK, 0.55))


def heart_shape(cx, cy, s):
    """A heart of width about 2 s around (cx, cy)."""
    lobe = s * 0.52
    left = circle(cx - s * 0.48, cy - s * 0.28, lobe)
    right = circle(cx + s * 0.48, cy - s * 0.28, lobe)
    point = polygon([(cx - s * 0.98, cy - s * 0.12), (cx + s * 0.98, cy - s * 0.12), (cx, cy + s * 0.95)])
    return union(left, right, point)


def star_points(cx, cy, r_out, r_in, turn=0.0):
    pts = []
    for i in range(10):
        ang = math.pi * (i / 5.0) - math.pi / 2 + turn
        r = r_out if i % 2 == 0 else r_in
        # Rounded so that the last bit of the platform's sine cannot change a pixel.
        pts.append((cx + round(math.cos(ang), 9) * r, cy + round(math.sin(ang), 9) * r))
    return pts


# -- the pictures: each returns a list of (canvas, delay in 1/100 s) ----------------------

def smile_face():
    c = Canvas(SIZE, SIZE)
    face(c)
    eyes(c)
    smile(c)
    cheeks(c)
    return [(c, 0)]


def laugh():
    c = Canvas(SIZE, SIZE)
    face(c)
    happy_eye(c, 11.5)
    happy_eye(c, 20.5)
    mouth = intersect(circle(16, 18, 7), _half(18))
    c.fill(mouth, FACE_INK, (8, 17, 24, 26))
    c.fill(intersect(circle(16, 18, 7), circle(16, 27, 4.5)), (235, 95, 95), (10, 20, 22, 26))
    cheeks(c)
    return [(c, 0)]


def wink():
    # The winking face comes first: it is the still picture (the picker's), and the
    # eye opens only for a moment.
    frames = []
    for closed, delay in ((True, 160), (False, 45)):
        c = Canvas(SIZE, SIZE)
        face(c)
        c.fill(ellipse(11.5, 13, 1.6, 2.4), FACE_INK, (8, 9, 15, 17))
        if closed:
            happy_eye(c, 20.5, 14)
        else:
            c.fill(ellipse(20.5, 13, 1.6, 2.4), FACE_INK, (17, 9, 24, 17))
        smile(c)
        cheeks(c)
        frames.append((c, delay))
    return frames


def surprised():
    c = Canvas(SIZE, SIZE)
    face(c)
    c.circle(11.5, 12.5, 2.6, WHITE)
    c.circle(20.5, 12.5, 2.6, WHITE)
    c.circle(11.5, 12.8, 1.6, FACE_INK)
    c.circle(20.5, 12.8, 1.6, FACE_INK)
    c.fill(ellipse(16, 22, 3.2, 4.0), FACE_INK, (12, 17, 20, 27))
    return [(c, 0)]


def sad():
    c = Canvas(SIZE, SIZE)
    face(c)
    eyes(c, 1.0)
    frown(c)
    c.fill(union(circle(22, 21.5, 2.2), polygon([(20.0, 21), (24.0, 21), (22, 16.5)])), TEAR, (19, 15, 25, 24))
    return [(c, 0)]


def angry():
    c = Canvas(SIZE, SIZE)
    face(c, (255, 160, 90))
    eyes(c, 1.0)
    c.stroke([(8.5, 9.5), (13.5, 11.5)], 1.9, FACE_INK)
    c.stroke([(23.5, 9.5), (18.5, 11.5)], 1.9, FACE_INK)
    c.stroke([(11.5, 23), (20.5, 23)], 2.0, FACE_INK)
    return [(c, 0)]


def sleepy():
    frames = []
    for step in range(3):
        c = Canvas(SIZE, SIZE)
        face(c)
        for x in (11.5, 20.5):
            c.fill(intersect(ring(x, 12.5, 2.6, 1.7), _half(12.5)), FACE_INK, (x - 4, 11, x + 4, 17))
        c.fill(ellipse(16, 22.5, 2.2, 1.6), FACE_INK, (12, 19, 20, 26))
        # A small "z" drifting up and right.
        zx, zy, s = 23.5 + step * 1.2, 8.0 - step * 2.0, 2.4 + step * 0.5
        c.stroke([(zx - s, zy - s), (zx + s, zy - s), (zx - s, zy + s), (zx + s, zy + s)], 1.5, ACCENT)
        frames.append((c, 40 if step < 2 else 70))
    return frames


def love():
    c = Canvas(SIZE, SIZE)
    face(c)
    c.fill(heart_shape(11.3, 13.2, 3.2), HEART, (6, 8, 17, 18))
    c.fill(heart_shape(20.7, 13.2, 3.2), HEART, (15, 8, 26, 18))
    smile(c)
    return [(c, 0)]


def tongue():
    c = Canvas(SIZE, SIZE)
    face(c)
    eyes(c)
    c.stroke([(10.5, 20), (16, 21.5), (21.5, 20)], 1.9, FACE_INK)
    c.fill(intersect(ellipse(17.5, 23.5, 3.2, 4.0), _half(21.3)), (235, 95, 95), (13, 20, 22, 28))
    return [(c, 0)]


def cool():
    c = Canvas(SIZE, SIZE)
    face(c)
    c.fill(union(round_rect(6.5, 10, 8.5, 6, 2.5), round_rect(17, 10, 8.5, 6, 2.5),
                 segment(13, 11.5, 19, 11.5, 0.9)), INK, (5, 9, 27, 17))
    c.stroke([(12, 21.5), (16, 22.5), (21, 20)], 1.9, FACE_INK)
    return [(c, 0)]


def heart():
    frames = []
    for s, delay in ((11.0, 60), (12.4, 20), (11.6, 20)):
        c = Canvas(SIZE, SIZE)
        c.fill(heart_shape(16, 17, s), HEART, (1, 1, 31, 31))
        c.circle(11, 11.5, 2.0 * s / 10.0, a(WHITE, 0.6))
        frames.append((c, delay))
    return frames


def star():
    frames = []
    for bright, turn, delay in ((False, 0.0, 50), (True, 0.0, 25), (False, 0.0, 50)):
        c = Canvas(SIZE, SIZE)
        c.polygon(star_points(16, 17, 14.5, 6.3, turn), GOLD)
        if bright:
            c.polygon(star_points(16, 17, 8.0, 3.5, turn), (255, 240, 170))
            for dx, dy in ((-12, -10), (11, 9)):
                x, y = 16 + dx, 16 + dy
                c.stroke([(x - 2.5, y), (x + 2.5, y)], 1.2, GOLD)
                c.stroke([(x, y - 2.5), (x, y + 2.5)], 1.2, GOLD)
        frames.append((c, delay))
    return frames[:2]


def coffee():
    c = Canvas(SIZE, SIZE)
    rim = (120, 124, 134)
    c.ring(22.5, 19, 3.6, 2.0, rim)
    cup = intersect(round_rect(5, 6, 18, 23, 5), _half(12))
    inner = intersect(round_rect(6.7, 7.7, 14.6, 19.6, 3.4), _half(13.7))
    c.fill(cup, rim, (4, 11, 24, 30))
    c.fill(inner, WHITE, (4, 11, 24, 30))
    c.fill(intersect(inner, _half(16.5, below=False)), BROWN, (4, 11, 24, 17))
    c.stroke([(2.5, 29.5), (25.5, 29.5)], 1.8, rim)
    for x in (10.5, 16):
        c.stroke([(x, 9), (x + 1.6, 6.8), (x, 4.6), (x + 1.2, 2.5)], 1.4, (180, 184, 194))
    return [(c, 0)]


def gift():
    c = Canvas(SIZE, SIZE)
    c.round_rect(5, 14, 22, 15, 2.5, ACCENT)
    c.round_rect(3.5, 10, 25, 6, 2, (86, 150, 250))
    c.rect(14, 10, 4, 19, BUSY)
    c.fill(union(ellipse(11.5, 8, 4.5, 2.8), ellipse(20.5, 8, 4.5, 2.8)), BUSY, (6, 4, 26, 12))
    c.fill(union(ellipse(11.5, 8, 2.5, 1.2), ellipse(20.5, 8, 2.5, 1.2)), (255, 190, 190), (8, 6, 24, 10))
    c.circle(16, 9.5, 2.2, (200, 40, 50))
    return [(c, 0)]


def flower():
    c = Canvas(SIZE, SIZE)
    c.stroke([(16, 17), (16, 30)], 2.2, GREEN)
    c.fill(ellipse(20.5, 25, 4.0, 2.0), GREEN, (16, 22, 25, 28))
    for i in range(5):
        ang = 2 * math.pi * i / 5 - math.pi / 2
        px = 16 + round(math.cos(ang), 9) * 6.0
        py = 12 + round(math.sin(ang), 9) * 6.0
        c.circle(px, py, 4.8, PINK)
    c.circle(16, 12, 3.6, GOLD)
    return [(c, 0)]


def cake():
    """A strawberry cake with cream on top, outlined like the faces so that it stands out
    on the white of the conversation, and one candle whose flame flickers."""
    frames = []
    for flame, delay in (((16, 5.0, 1.6, 2.8), 30), ((16.4, 4.6, 1.4, 3.2), 30)):
        c = Canvas(SIZE, SIZE)
        c.round_rect(3, 15.8, 26, 13.4, 3.6, CAKE_EDGE)
        c.round_rect(4.3, 17.1, 23.4, 10.8, 2.6, CAKE)
        c.round_rect(4.3, 17.1, 23.4, 4.4, 2, CREAM)
        for x in (8, 13.3, 18.7, 24):
            c.circle(x, 21.5, 1.7, CREAM)
        c.round_rect(4.3, 24.4, 23.4, 1.6, 0.4, CAKE_FILLING)
        c.stroke([(2, 29.8), (30, 29.8)], 1.6, PLATE)
        c.round_rect(14.3, 8.4, 3.4, 8, 1, CANDLE_EDGE)
        c.round_rect(15, 9, 2, 6.8, 0.8, ACCENT)
        fx, fy, rx, ry = flame
        c.fill(ellipse(fx, fy, rx, ry), (255, 150, 20), (12, 0, 20, 10))
        c.fill(ellipse(fx, fy + 0.8, rx * 0.5, ry * 0.5), (255, 232, 140), (12, 0, 20, 10))
        frames.append((c, delay))
    return frames


# Typed code, file stem, picture. A code is found in a message between two slashes, so
# it carries them. The order is the order of the picker and of the list.
EMOTICONS = (
    ("/미소/", "smile", smile_face),
    ("/웃음/", "laugh", laugh),
    ("/윙크/", "wink", wink),
    ("/놀람/", "surprise", surprised),
    ("/슬픔/", "sad", sad),
    ("/화남/", "angry", angry),
    ("/졸림/", "sleepy", sleepy),
    ("/사랑/", "love", love),
    ("/메롱/", "tongue", tongue),
    ("/멋짐/", "cool", cool),
    ("/하트/", "heart", heart),
    ("/별/", "star", star),
    ("/커피/", "coffee", coffee),
    ("/선물/", "gift", gift),
    ("/꽃/", "flower", flower),
    ("/생일/", "cake", cake),
)


def to_gif(frames):
    """Quantises the frames onto one palette: index 0 is the see-through key colour; the
    rest are the colours used, most frequent first, thinned when more than 255."""
    counts = {}
    flat = []
    for c, delay in frames:
        c = c.scaled(TEXT_SIZE, TEXT_SIZE)
        rgb = c.rgb_over(WHITE)
        alpha = [p[3] for p in c.px]
        pixels = []
        for i, al in enumerate(alpha):
            if al < 0.4:
                pixels.append(None)
            else:
                col = tuple(rgb[i * 3:i * 3 + 3])
                pixels.append(col)
                counts[col] = counts.get(col, 0) + 1
        flat.append((pixels, delay))
    colours = sorted(counts, key=lambda col: (-counts[col], col))[:255]
    colours = [col for col in colours if col != EMOTICON_KEY][:255]
    palette = [EMOTICON_KEY] + colours
    index = {col: i + 1 for i, col in enumerate(colours)}

    def nearest(col):
        best = min(colours, key=lambda p: (sum((p[k] - col[k]) ** 2 for k in range(3)), p))
        return index[best]

    out_frames = []
    for pixels, delay in flat:
        indices = [0 if p is None else index.get(p) or nearest(p) for p in pixels]
        out_frames.append((indices, delay))
    return encoders.gif(TEXT_SIZE, TEXT_SIZE, palette, out_frames, transparent=0)


def everything():
    out = {}
    for _, stem, draw in EMOTICONS:
        frames = draw()
        out["emo_%s.gif" % stem] = to_gif(frames)
        first = frames[0][0]
        out["emo_%s.png" % stem] = encoders.png(SIZE, SIZE, first.rgba())
    return out
