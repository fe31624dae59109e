"""Line icons drawn into a canvas at a given centre and size.

Each glyph is designed on a 24-unit grid and scaled by size / 24, so the same drawing
serves the 56-pixel bar buttons and the 28-pixel tab icons.
"""

from paint import circle, ellipse, intersect, round_rect, subtract, union


class Grid:
    """Maps 24-unit glyph coordinates onto the canvas."""

    def __init__(self, cx, cy, size):
        self.s = size / 24.0
        self.x0 = cx - size / 2.0
        self.y0 = cy - size / 2.0

    def p(self, x, y):
        return (self.x0 + x * self.s, self.y0 + y * self.s)

    def pts(self, *xy):
        return [self.p(x, y) for x, y in xy]

    def n(self, v):
        return v * self.s


def _stroke(c, g, color, weight, *xy):
    c.stroke(g.pts(*xy), g.n(weight), color)


def chevron_left(c, cx, cy, size, color, weight=2.4):
    g = Grid(cx, cy, size)
    _stroke(c, g, color, weight, (15, 4.5), (7.5, 12), (15, 19.5))


def chevron_right(c, cx, cy, size, color, weight=2.4):
    g = Grid(cx, cy, size)
    _stroke(c, g, color, weight, (9, 4.5), (16.5, 12), (9, 19.5))


def chevron_down(c, cx, cy, size, color, weight=2.4):
    g = Grid(cx, cy, size)
    _stroke(c, g, color, weight, (4.5, 9), (12, 16.5), (19.5, 9))


def cross(c, cx, cy, size, color, weight=2.4):
    g = Grid(cx, cy, size)
    _stroke(c, g, color, weight, (5.5, 5.5), (18.5, 18.5))
    _stroke(c, g, color, weight, (18.5, 5.5), (5.5, 18.5))


def plus(c, cx, cy, size, color, weight=2.4):
    g = Grid(cx, cy, size)
    _stroke(c, g, color, weight, (12, 5), (12, 19))
    _stroke(c, g, color, weight, (5, 12), (19, 12))


def envelope(c, cx, cy, size, color, weight=2.0, filled=False, back=None):
    g = Grid(cx, cy, size)
    x, y = g.p(2.5, 5)
    w, h = g.n(19), g.n(14)
    r = g.n(2.5)
    if filled:
        c.round_rect(x, y, w, h, r, color)
        _stroke(c, g, back, weight, (3.5, 6.5), (12, 13), (20.5, 6.5))
        return
    outer = round_rect(x, y, w, h, r)
    inner = round_rect(x + g.n(weight), y + g.n(weight), w - 2 * g.n(weight), h - 2 * g.n(weight),
                       max(r - g.n(weight), 0.5))
    c.fill(subtract(outer, inner), color, (x - 1, y - 1, x + w + 1, y + h + 1))
    _stroke(c, g, color, weight, (3.5, 6.5), (12, 13), (20.5, 6.5))


def person(c, cx, cy, size, color, filled=True, weight=2.0):
    g = Grid(cx, cy, size)
    hx, hy = g.p(12, 7.5)
    head_r = g.n(4.4)
    bx, by = g.p(12, 22)
    body = intersect(ellipse(bx, by, g.n(8.5), g.n(8.5)), lambda px, py: py - g.p(0, 21)[1])
    if filled:
        c.circle(hx, hy, head_r, color)
        c.fill(body, color, (bx - g.n(9), by - g.n(9), bx + g.n(9), by + 1))
    else:
        c.ring(hx, hy, head_r - g.n(weight) / 2, g.n(weight), color)
        shell = subtract(body, intersect(ellipse(bx, by, g.n(8.5 - weight), g.n(8.5 - weight)),
                                         lambda px, py: py - g.p(0, 21 - weight)[1]))
        c.fill(shell, color, (bx - g.n(9), by - g.n(9), bx + g.n(9), by + 1))


def people(c, cx, cy, size, color, weight=2.0):
    """Two outlined figures, the back one smaller."""
    g = Grid(cx, cy, size)
    person(c, *g.p(16, 11), size * 0.8, color, filled=False, weight=weight / 0.8)
    # A gap cut around the front figure keeps the two outlines apart.
    f = Grid(*g.p(8.5, 13), size * 0.95)
    gap = g.n(1.6)
    hx, hy = f.p(12, 7.5)
    bx, by = f.p(12, 22)
    cut = union(circle(hx, hy, f.n(4.4) + gap),
                intersect(ellipse(bx, by, f.n(8.5) + gap, f.n(8.5) + gap),
                          lambda px, py: py - f.p(0, 21)[1] - gap))
    c.fill(cut, color, (0, 0, c.width, c.height), mode="erase")
    person(c, *g.p(8.5, 13), size * 0.95, color, filled=False, weight=weight / 0.95)


def person_plus(c, cx, cy, size, color, weight=2.0):
    g = Grid(cx, cy, size)
    person(c, *g.p(10, 13), size * 0.95, color, filled=False, weight=weight / 0.95)
    _stroke(c, g, color, weight, (19.5, 5), (19.5, 12))
    _stroke(c, g, color, weight, (16, 8.5), (23, 8.5))


def folder_plus(c, cx, cy, size, color, weight=2.0):
    g = Grid(cx, cy, size)
    outline = [(2.5, 7), (2.5, 5.5), (3.5, 4.5), (9, 4.5), (11, 7), (20.5, 7), (21.5, 8),
               (21.5, 18.5), (20.5, 19.5), (3.5, 19.5), (2.5, 18.5), (2.5, 7)]
    _stroke(c, g, color, weight, *outline)
    _stroke(c, g, color, weight, (12, 10), (12, 17))
    _stroke(c, g, color, weight, (8.5, 13.5), (15.5, 13.5))


def bubble(c, cx, cy, size, color, weight=2.0, filled=False, dots=None):
    """A speech bubble with a tail at the lower left."""
    g = Grid(cx, cy, size)
    x, y = g.p(2.5, 3.5)
    w, h = g.n(19), g.n(14)
    body = round_rect(x, y, w, h, g.n(5))
    tail = _tri(g, (5.5, 15), (5, 21), (11.5, 16.5))
    shape = union(body, tail)
    box = (x - 1, y - 1, x + w + 1, g.p(0, 22)[1])
    if filled:
        c.fill(shape, color, box)
    else:
        t = g.n(weight)
        inner = union(round_rect(x + t, y + t, w - 2 * t, h - 2 * t, g.n(5) - t))
        c.fill(subtract(shape, inner), color, box)
    if dots:
        for ux in (8, 12, 16):
            c.circle(*g.p(ux, 10.5), g.n(1.4), dots)


def _tri(g, a, b, d):
    from paint import polygon
    return polygon(g.pts(a, b, d))


def keyboard(c, cx, cy, size, color, weight=2.0):
    g = Grid(cx, cy, size)
    x, y = g.p(2, 5.5)
    w, h = g.n(20), g.n(13)
    t = g.n(weight)
    outer = round_rect(x, y, w, h, g.n(2.5))
    inner = round_rect(x + t, y + t, w - 2 * t, h - 2 * t, g.n(1.2))
    c.fill(subtract(outer, inner), color, (x - 1, y - 1, x + w + 1, y + h + 1))
    for row, keys in ((9.5, (6, 9.33, 12.67, 16, 18.5)), (12.5, (6.8, 10.1, 13.4, 16.7))):
        for kx in keys:
            c.circle(*g.p(kx, row), g.n(1.1), color)
    _stroke(c, g, color, 1.8, (8, 15.5), (16, 15.5))


def menu_lines(c, cx, cy, size, color, weight=2.4):
    g = Grid(cx, cy, size)
    for y in (6.5, 12, 17.5):
        _stroke(c, g, color, weight, (4.5, y), (19.5, y))


def sliders(c, cx, cy, size, color, weight=2.0, knob_back=None):
    """Settings: three rails with knobs."""
    g = Grid(cx, cy, size)
    for y, kx in ((6, 15.5), (12, 8.5), (18, 13.5)):
        _stroke(c, g, color, weight, (3.5, y), (20.5, y))
        x, yy = g.p(kx, y)
        c.circle(x, yy, g.n(3.1), color)
        if knob_back:
            c.circle(x, yy, g.n(1.5), knob_back)


def check_mark(c, cx, cy, size, color, weight=2.6):
    g = Grid(cx, cy, size)
    _stroke(c, g, color, weight, (5.5, 12.5), (10, 17), (18.5, 7.5))


def info(c, cx, cy, size, color):
    g = Grid(cx, cy, size)
    c.circle(*g.p(12, 7), g.n(1.7), color)
    _stroke(c, g, color, 3.0, (12, 11.5), (12, 18))


def bang(c, cx, cy, size, color):
    g = Grid(cx, cy, size)
    _stroke(c, g, color, 3.0, (12, 5.5), (12, 13))
    c.circle(*g.p(12, 18), g.n(1.8), color)


def arrow_down(c, cx, cy, size, color, weight=2.6):
    g = Grid(cx, cy, size)
    _stroke(c, g, color, weight, (12, 4.5), (12, 17))
    _stroke(c, g, color, weight, (6.5, 12), (12, 17.5), (17.5, 12))
    _stroke(c, g, color, weight, (5.5, 20.5), (18.5, 20.5))


def clock_hands(c, cx, cy, size, color, weight=2.0):
    g = Grid(cx, cy, size)
    _stroke(c, g, color, weight, (12, 6.5), (12, 12), (16, 14))


def minus(c, cx, cy, size, color, weight=2.6):
    g = Grid(cx, cy, size)
    _stroke(c, g, color, weight, (6.5, 12), (17.5, 12))


def forbid(c, cx, cy, r, back, color):
    """A small 'blocked' badge: a filled disc with a bar across."""
    c.circle(cx, cy, r + max(1.0, r * 0.22), back)
    c.circle(cx, cy, r, color)
    w = r * 0.62
    c.stroke([(cx - w, cy), (cx + w, cy)], max(1.6, r * 0.36), back)


def magnifier(c, cx, cy, size, color, weight=2.2):
    g = Grid(cx, cy, size)
    c.ring(*g.p(10.5, 10.5), g.n(6.5), g.n(weight), color)
    _stroke(c, g, color, weight, (15.5, 15.5), (20, 20))
