#!/usr/bin/env python3
"""Draws the gallery's test skin pictures into skin/Image/ (standard library only).

Run it again after changing a picture here; the PNG files it writes are committed.
"""

import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "skin", "Image")


def write_png(name, width, height, pixel):
    """pixel(x, y) -> (r, g, b, a), straight alpha."""
    rows = bytearray()
    for y in range(height):
        rows.append(0)
        for x in range(width):
            r, g, b, a = pixel(x + 0.5, y + 0.5)
            rows += bytes((int(r), int(g), int(b), int(a)))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    data = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b"")
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)


def clamp(v, lo=0.0, hi=1.0):
    return max(lo, min(hi, v))


def rounded_rect_distance(x, y, w, h, radius):
    """Signed distance to a rounded rectangle filling 0..w x 0..h (negative inside)."""
    cx, cy = w / 2.0, h / 2.0
    qx = abs(x - cx) - (cx - radius)
    qy = abs(y - cy) - (cy - radius)
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - radius


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(len(a)))


def shape(w, h, radius, top, bottom, border, border_width=1.0):
    """A rounded box with a vertical gradient from top to bottom and a border colour."""

    def pixel(x, y):
        d = rounded_rect_distance(x, y, w, h, radius)
        coverage = clamp(0.5 - d)
        if coverage <= 0:
            return (0, 0, 0, 0)
        fill = mix(top, bottom, y / h)
        edge = clamp(d + border_width + 0.5)
        r, g, b = mix(fill, border, edge)
        return (r, g, b, 255 * coverage)

    return pixel


def circle(size, inner, outer, ring):
    def pixel(x, y):
        c = size / 2.0
        d = math.hypot(x - c, y - c) - (c - 0.5)
        coverage = clamp(0.5 - d)
        if coverage <= 0:
            return (0, 0, 0, 0)
        t = clamp(math.hypot(x - c * 0.8, y - c * 0.7) / c)
        r, g, b = mix(inner, outer, t)
        r, g, b = mix((r, g, b), ring, clamp(d + 1.5))
        return (r, g, b, 255 * coverage)

    return pixel


def with_mark(base, mark):
    """base with mark(x, y) -> coverage 0..1 painted white over it."""

    def pixel(x, y):
        r, g, b, a = base(x, y)
        m = mark(x, y)
        if a == 0 or m <= 0:
            return (r, g, b, a)
        r, g, b = mix((r, g, b), (255, 255, 255), m)
        return (r, g, b, a)

    return pixel


def keyed(base, key=(255, 0, 255)):
    """base made opaque: what lies mostly outside its shape becomes the colour key."""

    def pixel(x, y):
        r, g, b, a = base(x, y)
        return (r, g, b, 255) if a >= 128 else key + (255,)

    return pixel


def segment_distance(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = clamp(((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy))
    return math.hypot(x - ax - t * dx, y - ay - t * dy)


def stroke(points, width):
    def mark(x, y):
        d = min(segment_distance(x, y, *points[i], *points[i + 1]) for i in range(len(points) - 1))
        return clamp(width / 2.0 + 0.5 - d)

    return mark


BLUE_TOP, BLUE_BOTTOM, BLUE_EDGE = (92, 156, 230), (40, 96, 186), (28, 64, 130)
DARK_TOP, DARK_BOTTOM = (40, 84, 160), (24, 56, 120)
GREY_TOP, GREY_BOTTOM, GREY_EDGE = (250, 250, 250), (222, 226, 232), (150, 156, 166)


def main():
    os.makedirs(OUT, exist_ok=True)
    # Push button: normal and pressed.
    write_png("button.png", 120, 40, shape(120, 40, 8, BLUE_TOP, BLUE_BOTTOM, BLUE_EDGE))
    write_png("button_down.png", 120, 40, shape(120, 40, 8, DARK_BOTTOM, DARK_TOP, BLUE_EDGE))
    # Check box: off and on.
    write_png("check.png", 24, 24, shape(24, 24, 4, GREY_TOP, GREY_BOTTOM, GREY_EDGE, 1.5))
    write_png("check_on.png", 24, 24,
              with_mark(shape(24, 24, 4, BLUE_TOP, BLUE_BOTTOM, BLUE_EDGE, 1.5), stroke([(6, 12), (10, 17), (18, 7)], 3)))
    # LEDs and page dots.
    write_png("led.png", 16, 16, circle(16, (200, 204, 210), (150, 156, 166), (120, 124, 132)))
    write_png("led_on.png", 16, 16, circle(16, (150, 255, 150), (30, 170, 60), (20, 110, 40)))
    write_png("dot.png", 10, 10, circle(10, (190, 194, 200), (160, 164, 170), (150, 154, 160)))
    write_png("dot_on.png", 10, 10, circle(10, (110, 170, 240), (40, 96, 186), (30, 70, 140)))
    write_png("dot_prev.png", 10, 10, lambda x, y: (40, 96, 186, 255 * clamp(0.5 - max(abs(y - 5) * 1.6 - (x - 1.5), x - 8.5))))
    write_png("dot_next.png", 10, 10, lambda x, y: (40, 96, 186, 255 * clamp(0.5 - max(abs(y - 5) * 1.6 - (8.5 - x), 1.5 - x))))
    # Tabs: off and on.
    write_png("tab.png", 96, 44, shape(96, 44, 6, GREY_TOP, GREY_BOTTOM, GREY_EDGE))
    write_png("tab_on.png", 96, 44, shape(96, 44, 6, BLUE_TOP, BLUE_BOTTOM, BLUE_EDGE))
    # Page header background and its small arrow buttons.
    write_png("header.png", 4, 48, lambda x, y: mix((70, 132, 214, 255), (30, 72, 150, 255), y / 48))
    arrow_left = stroke([(22, 10), (14, 18), (22, 26)], 3)
    arrow_right = stroke([(14, 10), (22, 18), (14, 26)], 3)
    write_png("header_prev.png", 36, 36, with_mark(shape(36, 36, 6, (90, 150, 226), (50, 106, 190), (30, 70, 140)), arrow_left))
    write_png("header_next.png", 36, 36, with_mark(shape(36, 36, 6, (90, 150, 226), (50, 106, 190), (30, 70, 140)), arrow_right))
    # Popup frame: top, middle and bottom slices of one rounded panel, opaque, with the
    # corners in the colour key the popup is composed with.
    panel = keyed(shape(300, 64, 10, (255, 255, 255), (238, 242, 248), (110, 120, 140), 1.5))
    write_png("popup_top.png", 300, 16, panel)
    write_png("popup_middle.png", 300, 4, lambda x, y: panel(x, y + 30))
    write_png("popup_bottom.png", 300, 16, lambda x, y: panel(x, y + 48))
    # Message box: icon and separator line.
    write_png("icon_info.png", 32, 32,
              with_mark(circle(32, (110, 170, 240), (40, 96, 186), (30, 70, 140)),
                        lambda x, y: max(stroke([(16, 14), (16, 24)], 4)(x, y), clamp(2.5 - math.hypot(x - 16, y - 8)))))
    write_png("line.png", 4, 2, lambda x, y: (200, 206, 214, 255) if y < 1 else (255, 255, 255, 255))
    # Progress bar: trough and bar.
    write_png("progress.png", 200, 20, shape(200, 20, 10, (210, 214, 220), (236, 238, 242), (150, 156, 166)))
    write_png("progress_bar.png", 200, 20, shape(200, 20, 10, (120, 220, 130), (30, 150, 60), (20, 110, 40)))
    # Edit: the frames behind the edits and an emoticon.
    write_png("edit_line.png", 448, 36, shape(448, 36, 6, (255, 255, 255), (255, 255, 255), GREY_EDGE))
    write_png("edit_box.png", 448, 160, shape(448, 160, 8, (255, 255, 255), (255, 255, 255), GREY_EDGE))
    face = circle(22, (255, 236, 120), (246, 190, 40), (200, 140, 20))
    features = lambda x, y: max(clamp(2.0 - math.hypot(x - 7.5, y - 8.5)), clamp(2.0 - math.hypot(x - 14.5, y - 8.5)),
                                stroke([(6, 13), (9, 16), (13, 16), (16, 13)], 1.8)(x, y))
    write_png("smile.png", 22, 22, lambda x, y: (lambda b, m: (*mix(b[:3], (90, 50, 10), m), b[3]) if b[3] else b)(face(x, y), features(x, y)))


if __name__ == "__main__":
    main()
