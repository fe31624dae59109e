"""A small vector painter: shapes given as signed distance functions, filled with
supersampled coverage at their edges, composited in premultiplied floating point.

Coordinates are in pixels, y downwards; pixel (x, y) covers [x, x + 1) x [y, y + 1).
Only IEEE arithmetic and square roots are used inside shapes, so the output is the same
on every machine.
"""

import math

SUPERSAMPLE = 4  # samples per axis at shape edges


class Canvas:
    def __init__(self, width, height, fill=None):
        self.width = width
        self.height = height
        # Premultiplied r, g, b, a in 0..1, row by row.
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(width * height)]
        if fill is not None:
            self.rect(0, 0, width, height, fill)

    # -- composition -------------------------------------------------------------------

    def blend(self, x, y, color, coverage):
        if coverage <= 0.0:
            return
        r, g, b = color[0] / 255.0, color[1] / 255.0, color[2] / 255.0
        a = (color[3] / 255.0 if len(color) > 3 else 1.0) * min(coverage, 1.0)
        p = self.px[y * self.width + x]
        k = 1.0 - a
        p[0] = r * a + p[0] * k
        p[1] = g * a + p[1] * k
        p[2] = b * a + p[2] * k
        p[3] = a + p[3] * k

    def paste(self, other, dx=0, dy=0):
        """Composes another canvas over this one at (dx, dy)."""
        for y in range(other.height):
            ty = y + dy
            if not 0 <= ty < self.height:
                continue
            for x in range(other.width):
                tx = x + dx
                if not 0 <= tx < self.width:
                    continue
                s = other.px[y * other.width + x]
                if s[3] <= 0.0:
                    continue
                d = self.px[ty * self.width + tx]
                k = 1.0 - s[3]
                for i in range(4):
                    d[i] = s[i] + d[i] * k

    def erase(self, x, y, coverage):
        """Cuts coverage out of the pixel (destination-out)."""
        p = self.px[y * self.width + x]
        k = 1.0 - min(max(coverage, 0.0), 1.0)
        for i in range(4):
            p[i] *= k

    def fill(self, sdf, color, bounds=None, mode="over"):
        """Fills where sdf(x, y) < 0. Pixels well inside or outside are decided from the
        centre distance; only those within a pixel of the edge are supersampled."""
        x0, y0, x1, y1 = bounds if bounds else (0, 0, self.width, self.height)
        x0, y0 = max(0, int(math.floor(x0))), max(0, int(math.floor(y0)))
        x1, y1 = min(self.width, int(math.ceil(x1))), min(self.height, int(math.ceil(y1)))
        n = SUPERSAMPLE
        offsets = [(i + 0.5) / n for i in range(n)]
        for y in range(y0, y1):
            for x in range(x0, x1):
                d = sdf(x + 0.5, y + 0.5)
                if d <= -0.75:
                    cov = 1.0
                elif d >= 0.75:
                    continue
                else:
                    hits = 0
                    for oy in offsets:
                        for ox in offsets:
                            if sdf(x + ox, y + oy) < 0.0:
                                hits += 1
                    cov = hits / (n * n)
                if mode == "over":
                    self.blend(x, y, color, cov)
                else:
                    self.erase(x, y, cov)

    def shade(self, sdf, color, radius, bounds=None, offset=(0.0, 0.0)):
        """A soft shadow: full strength inside the shape, fading out over radius pixels
        outside it with a smooth curve."""
        ox, oy = offset
        x0, y0, x1, y1 = bounds if bounds else (0, 0, self.width, self.height)
        for y in range(max(0, int(y0)), min(self.height, int(math.ceil(y1)))):
            for x in range(max(0, int(x0)), min(self.width, int(math.ceil(x1)))):
                d = sdf(x + 0.5 - ox, y + 0.5 - oy)
                t = 1.0 - min(max((d + radius * 0.5) / (radius * 1.5), 0.0), 1.0)
                self.blend(x, y, color, t * t * (3.0 - 2.0 * t))

    # -- convenience shapes -----------------------------------------------------------

    def rect(self, x, y, w, h, color):
        for yy in range(max(0, y), min(self.height, y + h)):
            for xx in range(max(0, x), min(self.width, x + w)):
                self.blend(xx, yy, color, 1.0)

    def round_rect(self, x, y, w, h, r, color):
        self.fill(round_rect(x, y, w, h, r), color, (x - 1, y - 1, x + w + 1, y + h + 1))

    def circle(self, cx, cy, r, color):
        self.fill(circle(cx, cy, r), color, (cx - r - 1, cy - r - 1, cx + r + 1, cy + r + 1))

    def ring(self, cx, cy, r, width, color):
        self.fill(ring(cx, cy, r, width), color, (cx - r - width, cy - r - width, cx + r + width, cy + r + width))

    def stroke(self, points, width, color):
        """A polyline with round joins and caps."""
        sdf = polyline(points, width / 2.0)
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        pad = width / 2.0 + 1
        self.fill(sdf, color, (min(xs) - pad, min(ys) - pad, max(xs) + pad, max(ys) + pad))

    def polygon(self, points, color):
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        self.fill(polygon(points), color, (min(xs) - 1, min(ys) - 1, max(xs) + 1, max(ys) + 1))

    def scaled(self, width, height):
        """A smaller copy: each new pixel averages the area it covers (premultiplied, so
        edges stay clean)."""
        out = Canvas(width, height)
        fx, fy = self.width / width, self.height / height
        for y in range(height):
            y0, y1 = y * fy, (y + 1) * fy
            for x in range(width):
                x0, x1 = x * fx, (x + 1) * fx
                acc = [0.0, 0.0, 0.0, 0.0]
                for sy in range(int(y0), min(self.height, int(math.ceil(y1)))):
                    wy = min(y1, sy + 1) - max(y0, sy)
                    for sx in range(int(x0), min(self.width, int(math.ceil(x1)))):
                        w = wy * (min(x1, sx + 1) - max(x0, sx))
                        p = self.px[sy * self.width + sx]
                        for i in range(4):
                            acc[i] += p[i] * w
                area = fx * fy
                out.px[y * width + x] = [v / area for v in acc]
        return out

    # -- output -----------------------------------------------------------------------

    def rgba(self):
        """Straight-alpha 8-bit RGBA rows."""
        out = bytearray()
        for p in self.px:
            a = p[3]
            if a <= 0.0:
                out += b"\x00\x00\x00\x00"
                continue
            out += bytes((_byte(p[0] / a), _byte(p[1] / a), _byte(p[2] / a), _byte(a)))
        return bytes(out)

    def rgb_over(self, back):
        """8-bit RGB rows composed over an opaque colour."""
        br, bg, bb = back[0] / 255.0, back[1] / 255.0, back[2] / 255.0
        out = bytearray()
        for p in self.px:
            k = 1.0 - p[3]
            out += bytes((_byte(p[0] + br * k), _byte(p[1] + bg * k), _byte(p[2] + bb * k)))
        return bytes(out)


def _byte(v):
    return int(min(max(v, 0.0), 1.0) * 255.0 + 0.5)


# -- signed distance functions (negative inside) -----------------------------------------

def round_rect(x, y, w, h, r):
    cx, cy = x + w / 2.0, y + h / 2.0
    hx, hy = w / 2.0 - r, h / 2.0 - r

    def sdf(px, py):
        qx = abs(px - cx) - hx
        qy = abs(py - cy) - hy
        ox, oy = max(qx, 0.0), max(qy, 0.0)
        return math.sqrt(ox * ox + oy * oy) + min(max(qx, qy), 0.0) - r
    return sdf


def circle(cx, cy, r):
    return lambda px, py: math.sqrt((px - cx) ** 2 + (py - cy) ** 2) - r


def ellipse(cx, cy, rx, ry):
    # Not exact away from the edge, which the painter does not need.
    def sdf(px, py):
        dx, dy = (px - cx) / rx, (py - cy) / ry
        return (math.sqrt(dx * dx + dy * dy) - 1.0) * min(rx, ry)
    return sdf


def ring(cx, cy, r, width):
    return lambda px, py: abs(math.sqrt((px - cx) ** 2 + (py - cy) ** 2) - r) - width / 2.0


def segment(ax, ay, bx, by, radius):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy

    def sdf(px, py):
        t = 0.0 if length2 == 0 else min(max(((px - ax) * dx + (py - ay) * dy) / length2, 0.0), 1.0)
        ex, ey = px - ax - dx * t, py - ay - dy * t
        return math.sqrt(ex * ex + ey * ey) - radius
    return sdf


def polyline(points, radius):
    parts = [segment(a[0], a[1], b[0], b[1], radius) for a, b in zip(points, points[1:])]
    return lambda px, py: min(p(px, py) for p in parts)


def polygon(points):
    n = len(points)

    def sdf(px, py):
        d = float("inf")
        inside = False
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[(i + 1) % n]
            dx, dy = bx - ax, by - ay
            l2 = dx * dx + dy * dy
            t = 0.0 if l2 == 0 else min(max(((px - ax) * dx + (py - ay) * dy) / l2, 0.0), 1.0)
            ex, ey = px - ax - dx * t, py - ay - dy * t
            d = min(d, math.sqrt(ex * ex + ey * ey))
            if (ay > py) != (by > py) and px < ax + (py - ay) * dx / dy:
                inside = not inside
        return -d if inside else d
    return sdf


def union(*parts):
    return lambda px, py: min(p(px, py) for p in parts)


def intersect(*parts):
    return lambda px, py: max(p(px, py) for p in parts)


def subtract(a, b):
    return lambda px, py: max(a(px, py), -b(px, py))
