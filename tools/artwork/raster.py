"""A small anti-aliased rasteriser built on signed distance functions.

Shapes report a signed distance (negative inside) in design units; the canvas turns it into
pixel coverage, so every edge is anti-aliased with one evaluation per pixel. Designs are drawn
in their own unit square and scaled to the target size, which keeps one drawing for every icon
size.
"""

import math


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def mix(a, b, t):
    """Linear blend of two colour tuples."""
    return tuple(x + (y - x) * t for x, y in zip(a, b))


# --- shapes ---------------------------------------------------------------------------------------


class Shape:
    """A region given by its signed distance function and a bounding box (x0, y0, x1, y1)."""

    def __init__(self, sdf, bbox):
        self.sdf = sdf
        self.bbox = bbox

    def __or__(self, other):
        a, b = self.sdf, other.sdf
        return Shape(lambda x, y: min(a(x, y), b(x, y)), _bbox_union(self.bbox, other.bbox))

    def __and__(self, other):
        a, b = self.sdf, other.sdf
        return Shape(lambda x, y: max(a(x, y), b(x, y)), _bbox_meet(self.bbox, other.bbox))

    def __sub__(self, other):
        a, b = self.sdf, other.sdf
        return Shape(lambda x, y: max(a(x, y), -b(x, y)), self.bbox)

    def grow(self, r):
        """The shape widened by r (shrunk for negative r)."""
        a = self.sdf
        x0, y0, x1, y1 = self.bbox
        m = max(r, 0)
        return Shape(lambda x, y: a(x, y) - r, (x0 - m, y0 - m, x1 + m, y1 + m))

    def outline(self, width):
        """A band of the given width centred on the shape's edge."""
        a = self.sdf
        h = width / 2
        x0, y0, x1, y1 = self.bbox
        return Shape(lambda x, y: abs(a(x, y)) - h, (x0 - h, y0 - h, x1 + h, y1 + h))

    def cached(self):
        """The same shape, remembering its distances: for a costly shape drawn several times."""
        a, memo = self.sdf, {}

        def sdf(x, y):
            d = memo.get((x, y))
            if d is None:
                d = memo[(x, y)] = a(x, y)
            return d

        return Shape(sdf, self.bbox)

    def moved(self, dx, dy):
        a = self.sdf
        x0, y0, x1, y1 = self.bbox
        return Shape(lambda x, y: a(x - dx, y - dy), (x0 + dx, y0 + dy, x1 + dx, y1 + dy))


def _bbox_union(a, b):
    return (min(a[0], b[0]), min(a[1], b[1]), max(a[2], b[2]), max(a[3], b[3]))


def _bbox_meet(a, b):
    return (max(a[0], b[0]), max(a[1], b[1]), min(a[2], b[2]), min(a[3], b[3]))


def circle(cx, cy, r):
    return Shape(lambda x, y: math.hypot(x - cx, y - cy) - r, (cx - r, cy - r, cx + r, cy + r))


def ellipse(cx, cy, rx, ry):
    def sdf(x, y):
        px, py = (x - cx) / rx, (y - cy) / ry
        k0 = math.hypot(px, py)
        k1 = math.hypot(px / rx, py / ry)
        return k0 * (k0 - 1) / k1 if k1 > 1e-9 else -min(rx, ry)

    return Shape(sdf, (cx - rx, cy - ry, cx + rx, cy + ry))


def rect(x0, y0, x1, y1, r=0.0):
    """Axis-aligned rectangle with corners rounded by r."""
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r

    def sdf(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        return math.hypot(max(qx, 0), max(qy, 0)) + min(max(qx, qy), 0) - r

    return Shape(sdf, (x0, y0, x1, y1))


def segment(ax, ay, bx, by, r):
    """A stroke of radius r between two points, with round caps."""
    return polyline([(ax, ay), (bx, by)], r)


def polyline(points, r):
    segs = list(zip(points, points[1:]))

    def sdf(x, y):
        best = float("inf")
        for (ax, ay), (bx, by) in segs:
            dx, dy = bx - ax, by - ay
            ll = dx * dx + dy * dy
            t = clamp(((x - ax) * dx + (y - ay) * dy) / ll) if ll else 0.0
            best = min(best, math.hypot(x - ax - t * dx, y - ay - t * dy))
        return best - r

    xs, ys = [p[0] for p in points], [p[1] for p in points]
    return Shape(sdf, (min(xs) - r, min(ys) - r, max(xs) + r, max(ys) + r))


def polygon(points):
    n = len(points)

    def sdf(x, y):
        d = float("inf")
        inside = False
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[i - 1]
            ex, ey = bx - ax, by - ay
            wx, wy = x - ax, y - ay
            ll = ex * ex + ey * ey
            t = clamp((wx * ex + wy * ey) / ll) if ll else 0.0
            d = min(d, math.hypot(wx - ex * t, wy - ey * t))
            if (ay > y) != (by > y) and x < ax + (y - ay) * ex / ey:
                inside = not inside
        return -d if inside else d

    xs, ys = [p[0] for p in points], [p[1] for p in points]
    return Shape(sdf, (min(xs), min(ys), max(xs), max(ys)))


def curve(f, x0, x1, steps=48):
    """Points of y = f(x) for x in [x0, x1]."""
    return [(x0 + (x1 - x0) * i / steps, f(x0 + (x1 - x0) * i / steps)) for i in range(steps + 1)]


# --- paints ---------------------------------------------------------------------------------------


def ramp(stops, t):
    """Colour at t of a list of (position, colour) stops."""
    t = clamp(t)
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            return mix(c0, c1, (t - p0) / (p1 - p0) if p1 > p0 else 0.0)
    return stops[-1][1]


def linear(x0, y0, x1, y1, stops):
    dx, dy = x1 - x0, y1 - y0
    ll = dx * dx + dy * dy
    return lambda x, y: ramp(stops, ((x - x0) * dx + (y - y0) * dy) / ll)


def radial(cx, cy, r, stops):
    return lambda x, y: ramp(stops, math.hypot(x - cx, y - cy) / r)


def solid(colour):
    return lambda x, y: colour


# --- canvas ---------------------------------------------------------------------------------------


class Canvas:
    """RGBA floats (0..255 colour, 0..1 alpha); design unit u lands on pixel u * scale."""

    def __init__(self, width, height, scale=1.0, base=None):
        """A transparent canvas, or one painted by base(x, y) -> colour at every pixel."""
        self.width, self.height, self.scale = width, height, scale
        self.px = [[[*base(i, j), 1.0] if base else [0.0, 0.0, 0.0, 0.0] for i in range(width)] for j in range(height)]

    def fill(self, shape, paint, opacity=1.0):
        """Paints the shape over the canvas; paint is a colour tuple or a function of (x, y)."""
        if isinstance(paint, tuple):
            paint = solid(paint)
        s = self.scale
        x0, y0, x1, y1 = shape.bbox
        i0, i1 = max(0, int(math.floor(x0 * s)) - 1), min(self.width, int(math.ceil(x1 * s)) + 1)
        j0, j1 = max(0, int(math.floor(y0 * s)) - 1), min(self.height, int(math.ceil(y1 * s)) + 1)
        for j in range(j0, j1):
            y = (j + 0.5) / s
            row = self.px[j]
            for i in range(i0, i1):
                x = (i + 0.5) / s
                cover = clamp(0.5 - shape.sdf(x, y) * s)
                if cover <= 0:
                    continue
                c = paint(x, y)
                a = cover * opacity * (c[3] if len(c) > 3 else 1.0)
                self._blend(row[i], c, a)

    def pixel(self, i, j, colour, alpha=1.0):
        if 0 <= i < self.width and 0 <= j < self.height:
            self._blend(self.px[j][i], colour, alpha)

    def paste(self, other, x, y):
        """Draws another canvas over this one with its top-left corner at pixel (x, y)."""
        for j, row in enumerate(other.px):
            for i, p in enumerate(row):
                self.pixel(x + i, y + j, p[:3], p[3])

    @staticmethod
    def _blend(dst, c, a):
        if a <= 0:
            return
        da = dst[3]
        oa = a + da * (1 - a)
        for k in range(3):
            dst[k] = (c[k] * a + dst[k] * da * (1 - a)) / oa
        dst[3] = oa

    def over(self, background):
        """The picture flattened onto a plain background colour, as rows of RGB byte tuples."""
        return [[_to_bytes(mix(background, p[:3], p[3])) for p in row] for row in self.px]

    def rgba(self):
        return [[(*_to_bytes(p[:3]), int(round(clamp(p[3]) * 255))) for p in row] for row in self.px]


def _to_bytes(c):
    return tuple(int(round(clamp(v, 0, 255))) for v in c[:3])
