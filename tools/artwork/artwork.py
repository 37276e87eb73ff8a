"""The program's pictures: what each resource shows, at which size and colour depth.

Transparent pictures follow the program's rule for bitmaps: the colour of the bottom-left pixel
is the transparent colour. Each such picture is flattened onto the colour it will be drawn over,
so anti-aliased edges blend into their real background, and that colour is the key.
"""

import math
from dataclasses import dataclass, field

from raster import (Canvas, circle, curve, ellipse, linear, mix, polygon, polyline, radial,
                    ramp, rect, segment)

# Colours the program paints with.
PROGRAM_GREY = (223, 223, 223)  # window, dialog and button background
BODY = (220, 222, 220)  # body of the frame picture
NAVY = (16, 36, 72)
INK = (28, 48, 88)
GREY_INK = (146, 152, 160)


@dataclass
class Bitmap:
    name: str
    rows: list  # RGB tuples, top row first
    bits: int  # 24, 8 or 4
    key: tuple = None  # transparent colour (also the bottom-left pixel), if drawn transparently
    keep: tuple = ()  # colours a palette must hold exactly


@dataclass
class Icon:
    name: str
    images: list = field(default_factory=list)  # RGBA rows, one per size


# --- frame picture --------------------------------------------------------------------------------

FRAME_W, FRAME_H = 250, 100
BAND_TOP, BAND_BOTTOM = 2, 26  # metallic title band, inclusive rows
BODY_TOP = 29
PLATE = (62, 4, 188, 25)  # blue caption plate: x0, y0, x1, y1 (exclusive right and bottom)

BAND_STOPS = [
    (0.00, (250, 252, 255)),
    (0.12, (232, 238, 245)),
    (0.46, (204, 214, 226)),
    (0.50, (182, 194, 210)),
    (0.75, (196, 207, 221)),
    (1.00, (222, 230, 239)),
]


def band_colour(y):
    """The metallic band's colour on row y (it varies only from top to bottom)."""
    return ramp(BAND_STOPS, (y - BAND_TOP) / (BAND_BOTTOM - BAND_TOP))


def frame_picture():
    c = Canvas(FRAME_W, FRAME_H, base=_frame_base)

    x0, y0, x1, y1 = PLATE
    plate = rect(x0, y0, x1, y1, 6.5)
    c.fill(plate.moved(0, 1), (120, 134, 152), 0.55)  # soft shadow on the metal
    c.fill(plate, (14, 48, 96))
    inner = rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, 5.5)
    c.fill(inner, linear(0, y0 + 1, 0, y1 - 1, [
        (0.0, (118, 184, 232)),
        (0.45, (58, 128, 196)),
        (0.5, (38, 104, 176)),
        (1.0, (44, 124, 190)),
    ]))
    c.fill(rect(x0 + 2, y0 + 1.5, x1 - 2, y0 + 2.5, 1.0), (190, 226, 250), 0.55)  # top gloss line
    c.paste(badge(16), 7, 6)
    return Bitmap("BKMESSAGEBOX", c.over(BODY), 8, keep=(BODY,))


BORDER = [NAVY, (52, 96, 160), (30, 62, 116)]  # outside in: dark line, lit rim, shaded rim


def _frame_base(x, y):
    side = min(x, FRAME_W - 1 - x, FRAME_H - 1 - y)
    if y == 0 or side < len(BORDER):
        return BORDER[0] if y == 0 else BORDER[side]
    if y == 1:
        return (70, 112, 174)  # lit top edge
    if y <= BAND_BOTTOM:
        return band_colour(y)
    if y == BAND_BOTTOM + 1:
        return (76, 104, 140)  # band's lower edge
    if y == BAND_BOTTOM + 2:
        return (244, 247, 246)  # light seam above the body
    if y < BODY_TOP + 2:  # the band casts a faint shadow on the body
        return mix(BODY, (150, 160, 170), 0.22 if y == BODY_TOP else 0.1)
    return BODY


# --- frame glyphs ---------------------------------------------------------------------------------

# Caption-bar glyphs: '#' ink, 'o' half-tone edge, '.' background. Each gets a light emboss one
# pixel down and right, so the glyph grows by one column and one row.
GLYPHS = {
    "dlgClose": [
        "##o...o##",
        "o##o.o##o",
        ".o##o##o.",
        "..o###o..",
        "..o###o..",
        ".o##o##o.",
        "o##o.o##o",
        "##o...o##",
    ],
    "dlgMax": [
        "##########",
        "##########",
        "#........#",
        "#........#",
        "#........#",
        "#........#",
        "#........#",
        "#........#",
        "#........#",
        "##########",
    ],
    "dlgRestore": [
        "...######",
        "...######",
        "...#....#",
        "#######.#",
        "#######.#",
        "#.....###",
        "#.....#..",
        "#.....#..",
        "#.....#..",
        "#######..",
    ],
    "dlgMin": [
        "........",
        "........",
        "........",
        "........",
        "........",
        "........",
        "########",
        "########",
    ],
}
GLYPH_LIGHT = (250, 252, 255)


def glyph(name, ink):
    """A glyph as drawn on its 15 x 15 caption-bar button (top at row 7), keyed on the band colour."""
    art = [line + "." for line in GLYPHS[name]] + ["." * (len(GLYPHS[name][0]) + 1)]
    top = 7 + (15 - len(art)) // 2
    key = _rgb(band_colour(top + len(art) // 2))
    rows = []
    for j, line in enumerate(art):
        bg = band_colour(top + j)
        row = []
        for i, ch in enumerate(line):
            lit = i > 0 and j > 0 and art[j - 1][i - 1] == "#"
            if ch == "#":
                row.append(ink)
            elif ch == "o":
                row.append(_rgb(mix(ink, bg, 0.5)))
            elif lit:
                row.append(GLYPH_LIGHT)
            else:
                row.append(key)
        rows.append(row)
    return rows, key


def frame_glyphs():
    pairs = [(name, name, INK) for name in GLYPHS]
    pairs += [("DLGMAX_GRAY", "dlgMax", GREY_INK), ("DLGMIN_GRAY", "dlgMin", GREY_INK)]
    out = []
    for name, art, ink in pairs:
        rows, key = glyph(art, ink)
        out.append(Bitmap(name, rows, 24, key))
    return out


GRIP = [
    ".............",
    "..........#o.",
    "..........o+.",
    ".............",
    ".......#o.#o.",
    ".......o+.o+.",
    ".............",
    "....#o.#o.#o.",
    "....o+.o+.o+.",
    ".............",
    ".#o.#o.#o.#o.",
    ".o+.o+.o+.o+.",
]


def drag_grip():
    palette = {"#": (120, 128, 138), "o": (170, 176, 182), "+": (255, 255, 255), ".": BODY}
    return Bitmap("dlgDragHnd", [[palette[ch] for ch in line] for line in GRIP], 24, BODY)


def _rgb(c):
    return tuple(int(round(v)) for v in c[:3])


# --- dialog icons ---------------------------------------------------------------------------------


def _dialog_icon(name, draw, shadow):
    c = Canvas(32, 32)
    if shadow:
        c.fill(ellipse(16.5, 29.5, 11, 2.2), (0, 0, 0), 0.16)
    draw(c)
    return Bitmap(name, c.over(BODY), 4, BODY, keep=(BODY,))


def _error(c):
    disc = circle(16, 15, 13.5)
    c.fill(disc, (150, 18, 18))
    c.fill(disc.grow(-1), radial(11, 9, 20, [(0, (255, 130, 118)), (0.45, (226, 44, 38)), (1, (176, 18, 18))]))
    for a, b in (((11, 10), (21, 20)), ((21, 10), (11, 20))):
        c.fill(segment(*a, *b, 2.0), (255, 255, 255))


def _warning(c):
    tri = polygon([(16, 5.5), (28.2, 27), (3.8, 27)]).grow(1.6)
    c.fill(tri, (168, 112, 16))
    c.fill(tri.grow(-1), linear(0, 5, 0, 28, [(0, (255, 240, 150)), (0.6, (252, 210, 52)), (1, (240, 180, 30))]))
    c.fill(polygon([(14.3, 11), (17.7, 11), (16.9, 21), (15.1, 21)]).grow(0.35), (20, 20, 20))
    c.fill(circle(16, 24.2, 1.75), (20, 20, 20))


def _bubble(c):
    body = ellipse(16, 13, 14, 10.5) | polygon([(9, 19), (15, 22), (5.5, 28.5)])
    c.fill(body, (84, 104, 136))
    c.fill(body.grow(-1), linear(0, 3, 0, 26, [(0, (255, 255, 255)), (1, (214, 226, 242))]))


BLUE_INK = (24, 88, 200)


def _question(c):
    _bubble(c)
    cx, cy, r = 16, 10.2, 3.9
    hook = [(cx + r * math.cos(math.radians(a)), cy + r * math.sin(math.radians(a))) for a in range(190, 396, 12)]
    hook += [(16.2, 15.4), (16.0, 16.4)]
    c.fill(polyline(hook, 1.55), BLUE_INK)
    c.fill(circle(16, 19.6, 1.6), BLUE_INK)


def _info(c):
    _bubble(c)
    c.fill(circle(16, 6.8, 1.8), BLUE_INK)
    c.fill(rect(14.4, 9.6, 17.6, 19.2, 0.6), BLUE_INK)
    c.fill(rect(12.8, 9.6, 17.6, 11.0, 0.5), BLUE_INK)
    c.fill(rect(12.6, 18.0, 19.4, 19.6, 0.5), BLUE_INK)


def dialog_icons():
    kinds = ((_error, True), (_question, False), (_warning, True), (_info, False))
    return [_dialog_icon(f"ZQINFODLGICON{i}", d, shadow) for i, (d, shadow) in enumerate(kinds, 1)]


# --- the eye ---------------------------------------------------------------------------------------


def _lid(a, h, k=0.85):
    """A lid curve's height above (h > 0) or below the eye's centre line at offset dx."""
    return lambda dx: h * max(0.0, 1 - (dx / a) ** 2) ** k


def eye_shape(cx, cy, a, upper, lower, steps=40):
    """The open eye as a polygon: upper lid bulge `upper`, lower lid bulge `lower`."""
    up, low = _lid(a, upper), _lid(a, lower)
    top = curve(lambda dx: -up(dx), -a, a, steps)
    bottom = curve(lambda dx: low(dx), -a, a, steps)[::-1][1:-1]
    return polygon([(cx + x, cy + y) for x, y in top + bottom])


IRIS_TEAL = [(0, (96, 210, 214)), (0.55, (28, 150, 170)), (1, (14, 88, 120))]
IRIS_GREY = [(0, (200, 206, 212)), (0.55, (128, 136, 146)), (1, (84, 92, 102))]
LID = (188, 220, 226)


def draw_eye(c, cx, cy, a, upper, lower, iris_r, gaze=(0, 0), closed=0.0, line=2.0, lashes=True,
             iris=IRIS_TEAL):
    """An eye of half-width a and lid bulges upper and lower; closed runs from 0 (open) to 1 (shut).

    With line None the eye is drawn without outline, which reads better at the smallest sizes.
    """
    if 0 < closed < 1:
        _draw_drowsy_eye(c, cx, cy, a, upper, lower, iris_r, gaze, closed, line, iris)
        return
    lid_h = upper if closed == 0 else -lower
    if closed == 0:
        shape = eye_shape(cx, cy, a, upper, lower).cached()
        _eyeball(c, shape, cx, cy, upper, lower, iris_r, gaze, line, iris)
        if line:
            c.fill(shape.outline(line), NAVY)
    if not line:
        return
    up = _lid(a, lid_h)
    c.fill(polyline([(cx + x, cy - y) for x, y in curve(up, -a, a, 24)], line * 0.75), NAVY)
    if lashes:
        # Lashes fan out from the upper lid; once it is shut they hang below it.
        _lashes(c, cx, a, lambda dx: cy - up(dx), 1 if closed else -1, line)


def _eyeball(c, shape, cx, cy, upper, lower, iris_r, gaze, line, iris):
    """The white of the eye, the iris looking along gaze, the pupil and its highlight, inside shape."""
    c.fill(shape, linear(0, cy - upper, 0, cy + lower, [(0, (222, 232, 240)), (0.45, (255, 255, 255)),
                                                         (1, (244, 248, 250))]))
    ix, iy = cx + gaze[0], cy + gaze[1]
    c.fill(circle(ix, iy, iris_r) & shape, radial(ix - iris_r * 0.3, iy - iris_r * 0.35, iris_r * 1.3, iris))
    if line:
        c.fill(circle(ix, iy, iris_r).outline(line * 0.5) & shape, iris[-1][1], 0.8)
    c.fill(circle(ix, iy, iris_r * 0.45) & shape, (10, 26, 40))
    c.fill(circle(ix - iris_r * 0.32, iy - iris_r * 0.34, iris_r * 0.2) & shape, (255, 255, 255))


def _lashes(c, cx, a, edge, down, line):
    """Five tapered lashes from the lid edge y = edge(dx), pointing up (down -1) or hanging down (down 1)."""
    for t in (-0.62, -0.3, 0.0, 0.3, 0.62):
        x = cx + t * a
        y = edge(t * a)
        angle = math.radians(90 + t * 60)
        dx, dy = -math.cos(angle) * a * 0.21, down * math.sin(angle) * a * 0.21
        w = line * 0.42
        nx, ny = -dy / math.hypot(dx, dy) * w, dx / math.hypot(dx, dy) * w
        c.fill(polygon([(x + nx, y + ny), (x + dx, y + dy), (x - nx, y - ny)]).grow(line * 0.12), NAVY)


def _draw_drowsy_eye(c, cx, cy, a, upper, lower, iris_r, gaze, closed, line, iris):
    """The upper lid lowered by `closed` of the eye's height: it keeps its arch and covers what lies above it."""
    whole = eye_shape(cx, cy, a, upper, lower).cached()
    up = _lid(a, upper)
    drop = closed * (upper + lower)
    edge = lambda dx: cy - up(dx) + drop  # noqa: E731
    edge_points = [(cx + x, y) for x, y in curve(edge, -a - line, a + line, 40)]
    above = polygon(edge_points + [(cx + a + line, cy - upper - line), (cx - a - line, cy - upper - line)])
    lid = (whole & above).cached()
    _eyeball(c, (whole - above).cached(), cx, cy, upper, lower, iris_r, gaze, line, iris)
    c.fill(lid, linear(0, cy - upper, 0, cy - upper + drop, [(0, (214, 236, 238)), (1, (150, 200, 208))]))
    # No lashes: they would fall on the iris, dark on dark.
    c.fill(polyline(edge_points, line * 0.7) & whole.grow(line * 0.5), NAVY)
    c.fill(whole.outline(line), NAVY)


# --- program icon and tray image -------------------------------------------------------------------


def badge(size, paused=False):
    """The program's icon: a white eye on a blue-teal tile; grey with an amber pause sign when paused."""
    c = Canvas(size, size, scale=size)
    px = 1 / size
    inset = 0.5 * px + 0.02
    tile = rect(inset, inset, 1 - inset, 1 - inset, 0.2)
    if paused:
        stops, edge = [(0, (204, 208, 214)), (1, (116, 124, 134))], (78, 86, 96)
    else:
        stops, edge = [(0, (92, 196, 220)), (1, (20, 92, 160))], (14, 64, 118)
    c.fill(tile, edge)
    c.fill(tile.grow(-max(px, 0.03)), linear(0, 0, 0, 1, stops))
    c.fill(tile.grow(-max(px, 0.03)), linear(0, 0, 0, 0.55, [(0, (255, 255, 255, 0.3)), (1, (255, 255, 255, 0))]))
    iris = IRIS_GREY if paused else IRIS_TEAL
    if size < 24:
        draw_eye(c, 0.5, 0.5, 0.45, 0.25, 0.22, 0.2, line=None, iris=iris)
    else:
        draw_eye(c, 0.5, 0.52, 0.4, 0.24, 0.22, 0.185, line=max(px * 1.15, 0.034), lashes=size >= 32, iris=iris)
    if paused:
        # Sized so that at 16 pixels the disc spans 7..16 and the bars fill whole pixel columns.
        sign = circle(11.5 / 16, 11.5 / 16, 4.5 / 16)
        c.fill(sign.grow(px * 0.9), (255, 255, 255))
        c.fill(sign, linear(0, 7 / 16, 0, 1, [(0, (255, 190, 64)), (1, (226, 120, 8))]))
        for x in (9 / 16, 12 / 16):
            c.fill(rect(x, 9 / 16, x + 2 / 16, 14 / 16), (255, 255, 255))
    return c


def program_icons():
    sizes = (16, 24, 32, 48, 256)
    return [Icon("MAINICON", [badge(s).rgba() for s in sizes]),
            Icon("TRAYPAUSED", [badge(s, paused=True).rgba() for s in (16, 32)])]


# --- pause/resume button pictures ------------------------------------------------------------------


def control_picture(running):
    """32 x 32, drawn at the button's top-left with the caption to its right: the sign sits left.

    The caption's text starts 21 pixels in, after its two leading spaces, so the disc spans
    columns 5..19 and rows 9..23, centred on the text line.
    """
    c = Canvas(32, 32)
    disc = circle(12, 16, 7)
    if running:
        rim, stops = (14, 110, 96), [(0, (120, 224, 196)), (1, (22, 146, 118))]
    else:
        rim, stops = (178, 96, 8), [(0, (255, 210, 116)), (1, (230, 132, 16))]
    c.fill(disc, rim)
    c.fill(disc.grow(-1), linear(0, 9, 0, 23, stops))
    c.fill(ellipse(12, 12.2, 4.6, 2.6), (255, 255, 255), 0.28)  # gloss
    if running:  # running: offer to pause
        for x in (9, 13):
            c.fill(rect(x, 12, x + 2, 20), (255, 255, 255))
    else:  # paused: offer to resume
        c.fill(polygon([(10.2, 12.4), (15.8, 16), (10.2, 19.6)]).grow(0.5), (255, 255, 255))
    return Bitmap("CTLRUN" if running else "CTLPAUSE", c.over(PROGRAM_GREY), 24, PROGRAM_GREY)


# --- about animation ------------------------------------------------------------------------------

# The About page's picture button is 88 x 65; its pictures fill it.
ABOUT_W, ABOUT_H = 88, 65

# Eye exercise: look around, close the eye to rest, open it again. (gaze x, gaze y, lid closed)
ABOUT_FRAMES = [
    ((0, 0), 0.0),
    ((-9, 0), 0.0),
    ((-6.5, -3), 0.0),
    ((0, -4), 0.0),
    ((6.5, -3), 0.0),
    ((9, 0), 0.0),
    ((0, 0), 0.0),
    ((0, 1), 0.45),
    ((0, 1), 1.0),
    ((0, 1), 1.0),
    ((0, 1), 1.0),
    ((0, 1), 0.45),
    ((0, 0), 0.0),
    ((0, 0), 0.0),
]


# Sparkles twinkle while the eye rests: frame -> (x, y, radius).
SPARKLES = {
    8: [(66, 17, 3.0)],
    9: [(66, 17, 4.5), (22, 20, 2.5)],
    10: [(66, 17, 3.0), (22, 20, 4.0), (70, 47, 2.5)],
    11: [(22, 20, 2.5), (70, 47, 3.5)],
}


def sparkle(x, y, r):
    """A four-pointed star."""
    points = []
    for k in range(8):
        a = math.pi * k / 4
        d = r if k % 2 == 0 else r * 0.28
        points.append((x + d * math.sin(a), y - d * math.cos(a)))
    return polygon(points)


def about_picture(index):
    gaze, closed = ABOUT_FRAMES[index]
    c = Canvas(ABOUT_W, ABOUT_H)
    cx, cy = ABOUT_W / 2, ABOUT_H / 2
    breath = math.sin(2 * math.pi * (index - 5.5) / len(ABOUT_FRAMES))  # fullest while the eye rests
    r = 30 + 1.5 * breath
    c.fill(circle(cx, cy, r), radial(cx, cy, r, [(0, (140, 214, 206, 0.85)), (0.6, (168, 224, 216, 0.7)),
                                                 (1, (200, 236, 230, 0.0))]))
    draw_eye(c, cx, cy + 1, 30, 15, 13, 10.5, gaze=gaze, closed=closed, line=2.2)
    for x, y, size in SPARKLES.get(index, ()):
        c.fill(sparkle(x, y, size), (48, 164, 196))
    return Bitmap(f"ABOUTANI{index}", c.over(PROGRAM_GREY), 24, PROGRAM_GREY)


def about_pictures():
    return [about_picture(i) for i in range(len(ABOUT_FRAMES))]


def everything():
    """Every resource, in the order the resource script lists them."""
    return ([frame_picture()] + frame_glyphs() + [drag_grip()] + dialog_icons()
            + [control_picture(True), control_picture(False)]
            + about_pictures(), program_icons())
