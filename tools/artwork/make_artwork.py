#!/usr/bin/env python3
"""Draws Crepuscule's bitmaps and icons and writes the resource script that links them.

    python3 make_artwork.py OUTDIR [--preview [--zoom=N]]

Standard library only. Everything is drawn here: smooth shapes are signed-distance
functions anti-aliased by supersampling the pixels their edge crosses, small digits are
placed by hand. The output is the same, byte for byte, on every run.
"""

import argparse
import math
import os
import re
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
RESOURCE_IDS = os.path.join(HERE, "..", "..", "src", "seams", "ResourceIds.h")

# Main window geometry in pixels at 96 dpi (15 twips a pixel).
WIN_W, WIN_H = 386, 200
BUTTON = 33
SLEEP_AT, SHUTDOWN_AT, RESTART_AT = (48, 72), (176, 72), (304, 72)
STRIP_AT, STRIP_W = (48, 72), 289
SMALL_W, SMALL_H = 25, 26
MIN_AT, CLOSE_AT = (335, 3), (359, 3)
TITLE_BAND = 36  # rows of the darker band under the title

# Pictures larger than this many pixels are stored in 256 colours of their own.
LARGE_PICTURE = 4096

# The grey of a dialog's face where the countdown window shows its picture.
DIALOG_FACE = (240, 240, 240)

# ---------------------------------------------------------------------------
# Small colour helpers


def mix(a, b, t):
    return (a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t, a[2] + (b[2] - a[2]) * t)


def clamp01(v):
    return 0.0 if v < 0.0 else 1.0 if v > 1.0 else v


def smooth(t):
    t = clamp01(t)
    return t * t * (3.0 - 2.0 * t)


def ramp(stops, v):
    """Piecewise smooth interpolation through (position, colour) stops."""
    if v <= stops[0][0]:
        return stops[0][1]
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if v <= p1:
            return mix(c0, c1, smooth((v - p0) / (p1 - p0)))
    return stops[-1][1]


def to_byte(v):
    v = int(v + 0.5)
    return 0 if v < 0 else 255 if v > 255 else v


# ---------------------------------------------------------------------------
# Images


class Image:
    """RGB floats 0..255, row-major, with an optional coverage (alpha) plane."""

    def __init__(self, w, h, fill=(0, 0, 0)):
        self.w, self.h = w, h
        self.px = [list(fill) for _ in range(w * h)]
        self.alpha = None

    def get(self, x, y):
        return self.px[y * self.w + x]

    def crop(self, x0, y0, w, h):
        out = Image(w, h)
        for y in range(h):
            for x in range(w):
                out.px[y * w + x] = list(self.px[(y0 + y) * self.w + x0 + x])
        return out

    def paste(self, other, x0, y0):
        for y in range(other.h):
            ty = y0 + y
            if 0 <= ty < self.h:
                for x in range(other.w):
                    tx = x0 + x
                    if 0 <= tx < self.w:
                        self.px[ty * self.w + tx] = list(other.px[y * other.w + x])

    def rows(self):
        for y in range(self.h):
            yield [(to_byte(r), to_byte(g), to_byte(b)) for r, g, b in self.px[y * self.w:(y + 1) * self.w]]

    def zoomed(self, n):
        out = Image(self.w * n, self.h * n)
        for y in range(out.h):
            for x in range(out.w):
                out.px[y * out.w + x] = list(self.px[(y // n) * self.w + x // n])
        return out


def coverage(w, h, sdf, ss=4, box=None):
    """Fraction of each pixel inside sdf < 0; only pixels near the edge are supersampled."""
    x0, y0, x1, y1 = box if box else (0, 0, w, h)
    x0, y0, x1, y1 = max(0, int(x0)), max(0, int(y0)), min(w, int(math.ceil(x1))), min(h, int(math.ceil(y1)))
    offs = [(i + 0.5) / ss for i in range(ss)]
    n = float(ss * ss)
    cov = {}
    # Whole 4 x 4 blocks far from the edge are settled by one look at their centre.
    for by in range(y0, y1, 4):
        for bx in range(x0, x1, 4):
            ex, ey = min(bx + 4, x1), min(by + 4, y1)
            d = sdf((bx + ex) / 2.0, (by + ey) / 2.0)
            reach = math.hypot(ex - bx, ey - by) / 2.0 + 0.75
            if d > reach:
                continue
            if d < -reach:
                for y in range(by, ey):
                    for x in range(bx, ex):
                        cov[(x, y)] = 1.0
                continue
            for y in range(by, ey):
                for x in range(bx, ex):
                    d = sdf(x + 0.5, y + 0.5)
                    if d > 0.75:
                        continue
                    if d < -0.75:
                        cov[(x, y)] = 1.0
                        continue
                    k = 0
                    for oy in offs:
                        for ox in offs:
                            if sdf(x + ox, y + oy) < 0.0:
                                k += 1
                    if k:
                        cov[(x, y)] = k / n
    return cov


def paint(img, sdf, colour, alpha=1.0, ss=4, box=None):
    """Blends colour (a tuple or a function of x, y) over the shape."""
    return paint_cover(img, coverage(img.w, img.h, sdf, ss, box), colour, alpha)


def paint_cover(img, cov, colour, alpha=1.0):
    for (x, y), c in sorted(cov.items()):
        a = c * alpha
        col = colour(x + 0.5, y + 0.5) if callable(colour) else colour
        p = img.px[y * img.w + x]
        p[0] += (col[0] - p[0]) * a
        p[1] += (col[1] - p[1]) * a
        p[2] += (col[2] - p[2]) * a
    return cov


def shade(img, fn, box=None):
    """Applies fn(x, y, rgb) -> rgb to every pixel of the box."""
    x0, y0, x1, y1 = box if box else (0, 0, img.w, img.h)
    for y in range(y0, y1):
        for x in range(x0, x1):
            i = y * img.w + x
            img.px[i] = list(fn(x, y, img.px[i]))


# ---------------------------------------------------------------------------
# Signed distance functions (negative inside), pixel units, y pointing down


def sd_circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def sd_ring(cx, cy, r, w):
    """A band of width w just inside the circle of radius r."""
    mid = r - w / 2.0
    return lambda x, y: abs(math.hypot(x - cx, y - cy) - mid) - w / 2.0


def sd_outline(f, w):
    """A band of width w just inside the edge of shape f."""
    return lambda x, y: abs(f(x, y) + w / 2.0) - w / 2.0


def sd_segment(ax, ay, bx, by, w):
    dx, dy = bx - ax, by - ay
    ll = dx * dx + dy * dy

    def f(x, y):
        t = 0.0 if ll == 0 else clamp01(((x - ax) * dx + (y - ay) * dy) / ll)
        return math.hypot(x - ax - t * dx, y - ay - t * dy) - w / 2.0

    return f


def sd_box(x0, y0, x1, y1, r=0.0):
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hx, hy = (x1 - x0) / 2.0 - r, (y1 - y0) / 2.0 - r

    def f(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        return math.hypot(max(qx, 0.0), max(qy, 0.0)) + min(max(qx, qy), 0.0) - r

    return f


def sd_arc(cx, cy, r, start_deg, sweep_deg, w):
    """Stroke along a circle from start, clockwise on screen by sweep, with round caps."""
    a0 = math.radians(start_deg)
    sw = math.radians(sweep_deg)
    e0 = (cx + r * math.cos(a0), cy + r * math.sin(a0))
    e1 = (cx + r * math.cos(a0 + sw), cy + r * math.sin(a0 + sw))

    def f(x, y):
        t = (math.atan2(y - cy, x - cx) - a0) % (2 * math.pi)
        if t <= sw:
            return abs(math.hypot(x - cx, y - cy) - r) - w / 2.0
        return min(math.hypot(x - e0[0], y - e0[1]), math.hypot(x - e1[0], y - e1[1])) - w / 2.0

    return f


def sd_polygon(points):
    """Convex polygon, points clockwise on screen: the largest edge distance."""
    edges = []
    n = len(points)
    for i in range(n):
        ax, ay = points[i]
        bx, by = points[(i + 1) % n]
        nx, ny = by - ay, -(bx - ax)
        ln = math.hypot(nx, ny)
        edges.append((ax, ay, nx / ln, ny / ln))

    def f(x, y):
        return max((x - ax) * nx + (y - ay) * ny for ax, ay, nx, ny in edges)

    return f


def union(*fs):
    return lambda x, y: min(f(x, y) for f in fs)


def subtract(a, b):
    return lambda x, y: max(a(x, y), -b(x, y))


def intersect(a, b):
    return lambda x, y: max(a(x, y), b(x, y))


def grown(f, d):
    return lambda x, y: f(x, y) - d


# ---------------------------------------------------------------------------
# The three action symbols, drawn around (cx, cy) with radius r and stroke w


def sym_power(cx, cy, r, w):
    gap = 40.0
    arc = sd_arc(cx, cy, r, -90.0 + gap, 360.0 - 2 * gap, w)
    bar = sd_segment(cx, cy - r * 1.2, cx, cy - r * 0.12, w)
    return union(arc, bar)


def sym_restart(cx, cy, r, w, head=1.0, start=-40.0, end=252.0):
    arc = sd_arc(cx, cy, r, start, end - start, w)
    t = math.radians(end)
    ex, ey = cx + r * math.cos(t), cy + r * math.sin(t)
    ux, uy = math.cos(t), math.sin(t)  # outwards
    vx, vy = -math.sin(t), math.cos(t)  # clockwise tangent
    half = w * 1.45 * head
    length = w * 1.9 * head
    tip = (ex + vx * length, ey + vy * length)
    a = (ex + ux * half - vx * 0.2, ey + uy * half - vy * 0.2)
    b = (ex - ux * half - vx * 0.2, ey - uy * half - vy * 0.2)
    # Order the corners clockwise for sd_polygon.
    pts = [a, tip, b]
    area = (tip[0] - a[0]) * (b[1] - a[1]) - (tip[1] - a[1]) * (b[0] - a[0])
    if area < 0:
        pts = [a, b, tip]
    return union(arc, sd_polygon(pts))


def sym_moon(cx, cy, r, _w=None):
    outer = sd_circle(cx, cy, r)
    bite = sd_circle(cx + r * 0.52, cy - r * 0.42, r * 0.80)
    return subtract(outer, bite)


SYMBOLS = {"shutdown": sym_power, "restart": sym_restart, "sleep": sym_moon}

# ---------------------------------------------------------------------------
# Palette of the dusk

INK = (238, 234, 250)  # symbols on the dark sky
SKY_STOPS = [
    (0, (17, 16, 46)),
    (40, (27, 24, 66)),
    (80, (45, 35, 92)),
    (112, (76, 50, 114)),
    (136, (128, 70, 122)),
    (152, (196, 108, 100)),
    (160, (226, 146, 96)),
]
GLOW = (244, 170, 104)
FAR_HILL = (70, 42, 84)
NEAR_HILL_TOP = (30, 21, 48)
NEAR_HILL_BOTTOM = (15, 12, 31)


def far_ridge(x):
    return 145.5 + 3.8 * math.sin(x * 0.019 + 0.7) + 2.2 * math.sin(x * 0.047 + 2.1) + 0.9 * math.sin(x * 0.13 + 0.4)


def near_ridge(x):
    return 156.0 + 4.5 * math.sin(x * 0.0135 + 2.6) + 1.8 * math.sin(x * 0.041 + 0.9) + 0.6 * math.sin(x * 0.11 + 1.3)


class Lcg:
    """A tiny fixed generator so the stars land on the same pixels every run."""

    def __init__(self, seed):
        self.s = seed

    def next(self):
        self.s = (self.s * 1103515245 + 12345) & 0x7FFFFFFF
        return self.s / float(0x80000000)


def star_field():
    keep_out = [
        (0, 0, WIN_W, TITLE_BAND + 2),  # title band and its text
        (44, 68, 86, 110), (172, 68, 214, 110), (300, 68, 342, 110),  # action buttons
        (8, 112, 380, 200),  # captions and below
    ]
    rnd = Lcg(20250611)
    stars = []
    while len(stars) < 26:
        x = int(rnd.next() * WIN_W)
        y = TITLE_BAND + 3 + int((rnd.next() ** 1.6) * 70)
        level = 0.18 + 0.5 * rnd.next() * (1.0 - (y - TITLE_BAND) / 85.0)
        if any(a <= x < c and b <= y < d for a, b, c, d in keep_out):
            continue
        if any(abs(x - sx) < 14 and abs(y - sy) < 10 for sx, sy, _ in stars):
            continue
        stars.append((x, y, level))
    return stars


def draw_background():
    img = Image(WIN_W, WIN_H)
    gx, gy = 262.0, 158.0  # where the last light lingers

    # The glow is an elliptic Gaussian, so it splits into a column and a row factor.
    col_glow = [math.exp(-2.2 * ((x + 0.5 - gx) / 210.0) ** 2) for x in range(WIN_W)]
    col_side = [abs(x + 0.5 - gx) / WIN_W for x in range(WIN_W)]
    cool = (16, 15, 44)
    for y in range(WIN_H):
        base = ramp(SKY_STOPS, y + 0.5)
        row_glow = 0.42 * math.exp(-2.2 * ((y + 0.5 - gy) / 58.0) ** 2)
        row_cool = 0.22 * clamp01(1.0 - y / 170.0)
        for x in range(WIN_W):
            g = row_glow * col_glow[x]
            k = row_cool * col_side[x]
            c = [base[i] + (GLOW[i] - base[i]) * g for i in range(3)]
            img.px[y * WIN_W + x] = [c[i] + (cool[i] - c[i]) * k for i in range(3)]

    for x, y, level in star_field():
        p = img.get(x, y)
        p[:] = mix(p, (236, 232, 255), level)
        if level > 0.45:  # a few brighter ones get a soft halo
            for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                q = img.get(x + dx, y + dy)
                q[:] = mix(q, (210, 206, 245), level * 0.22)

    # Title band: darker, closed by a hairline of light.
    shade(img, lambda x, y, c: mix(c, (8, 8, 26), 0.38), (0, 0, WIN_W, TITLE_BAND))
    shade(img, lambda x, y, c: mix(c, (150, 140, 210), 0.16), (0, TITLE_BAND, WIN_W, TITLE_BAND + 1))

    # Two ridges, each edge sampled four times across the pixel; the far one is hazy and
    # catches the glow on its crest, the near one fills the ground down to the bottom.
    ss = 4
    offs = [(i + 0.5) / ss for i in range(ss)]
    for x in range(WIN_W):
        far = [far_ridge(x + o) for o in offs]
        near = [near_ridge(x + o) for o in offs]
        haze = mix(FAR_HILL, GLOW, 0.18 * math.exp(-(((x - 262) / 150.0) ** 2)))
        for y in range(int(min(far)) - 1, int(max(near)) + 2):
            cov = sum(clamp01(y + 1 - h) for h in far) / ss
            if cov <= 0:
                continue
            depth = sum(clamp01(y + 1 - h) - clamp01(y - 0.6 - h) for h in far) / ss
            p = img.get(x, y)
            p[:] = mix(p, mix(haze, (250, 190, 140), 0.5 * depth), cov)
        for y in range(int(min(near)) - 1, WIN_H):
            cov = sum(clamp01(y + 1 - h) for h in near) / ss
            if cov <= 0:
                continue
            p = img.get(x, y)
            p[:] = mix(p, mix(NEAR_HILL_TOP, NEAR_HILL_BOTTOM, clamp01((y - 156.0) / 44.0)), cov)

    # A faint rim so the borderless window keeps its edge on any desktop.
    rim = lambda x, y, c: mix(c, (150, 140, 200), 0.30)  # noqa: E731
    shade(img, rim, (0, 0, WIN_W, 1))
    shade(img, rim, (0, WIN_H - 1, WIN_W, WIN_H))
    shade(img, rim, (0, 1, 1, WIN_H - 1))
    shade(img, rim, (WIN_W - 1, 1, WIN_W, WIN_H - 1))
    return img


# ---------------------------------------------------------------------------
# Main window pictures


def action_button(ground, kind, look, dim=False):
    """A round glass button over its own piece of the background."""
    img = Image(BUTTON, BUTTON)
    img.px = [list(p) for p in ground.px]
    c = BUTTON / 2.0
    disc = sd_circle(c, c, 15.5)
    inner = sd_circle(c, c, 14.5)
    ring = sd_ring(c, c, 15.5, 1.0)
    if dim:
        paint(img, disc, (20, 18, 40), 0.35)
        paint(img, ring, (150, 146, 170), 0.35)
        paint(img, SYMBOLS[kind](c, c, 7.2, 2.6), (150, 146, 168), 0.75)
        return img
    if look == "normal":
        paint(img, disc, (14, 12, 36), 0.34)
        paint(img, intersect(disc, sd_circle(c, c - 9.0, 13.0)), (255, 255, 255), 0.05)
        paint(img, ring, (196, 186, 236), 0.55)
        paint(img, SYMBOLS[kind](c, c, 7.2, 2.6), INK)
    elif look == "bright":
        paint(img, disc, lambda x, y: mix((92, 70, 150), (168, 96, 132), clamp01(y / BUTTON)), 0.62)
        paint(img, intersect(disc, sd_circle(c, c - 9.0, 13.0)), (255, 255, 255), 0.09)
        paint(img, ring, (255, 206, 150), 0.95)
        paint(img, grown(SYMBOLS[kind](c, c, 7.2, 2.6), 1.2), (255, 214, 170), 0.22)  # soft glow
        paint(img, SYMBOLS[kind](c, c, 7.2, 2.6), (255, 255, 255))
    else:  # pressed: darker, symbol pushed down and right by a pixel
        paint(img, disc, (8, 6, 24), 0.55)
        paint(img, ring, (232, 176, 130), 0.75)
        paint(img, subtract(inner, sd_circle(c + 0.8, c + 0.8, 14.1)), (0, 0, 0), 0.35)
        paint(img, SYMBOLS[kind](c + 1, c + 1, 7.2, 2.6), (222, 214, 240))
    return img


def title_button(ground, kind, look):
    """Minimise or close, 25 x 26, over the title band."""
    img = Image(SMALL_W, SMALL_H)
    img.px = [list(p) for p in ground.px]
    off = 1 if look == "pressed" else 0
    plate = sd_box(3, 4, 22, 23, 4.0)
    if look == "bright" and kind == "min":
        paint(img, plate, (150, 140, 220), 0.32)
        paint(img, sd_outline(plate, 1.0), (255, 255, 255), 0.18)
    elif look == "pressed":
        if kind == "close":
            paint(img, plate, (140, 44, 66), 0.9)
        else:
            paint(img, plate, (0, 0, 12), 0.35)
    ink = (255, 255, 255) if look != "normal" else (214, 208, 238)
    if kind == "min":
        paint(img, sd_box(8 + off, 16 + off, 17 + off, 18 + off), ink)
    else:
        a, b = 8.5 + off, 16.5 + off
        ya, yb = 9.5 + off, 17.5 + off
        paint(img, union(sd_segment(a, ya, b, yb, 1.9), sd_segment(a, yb, b, ya, 1.9)), ink)
    return img


def disable_strip(fond):
    """The action row greyed out while a countdown runs."""
    img = fond.crop(STRIP_AT[0], STRIP_AT[1], STRIP_W, BUTTON)
    grey = lambda x, y, c: mix(c, (sum(c) / 3.0,) * 3, 0.6)  # noqa: E731
    shade(img, grey)
    plate = sd_box(0.5, 0.5, STRIP_W - 0.5, BUTTON - 0.5, 8.0)
    paint(img, plate, (12, 12, 22), 0.22)
    paint(img, sd_outline(plate, 1.0), (170, 168, 190), 0.16)
    for kind, (x, _) in (("sleep", SLEEP_AT), ("shutdown", SHUTDOWN_AT), ("restart", RESTART_AT)):
        x -= STRIP_AT[0]
        button = action_button(img.crop(x, 0, BUTTON, BUTTON), kind, "normal", dim=True)
        img.paste(button, x, 0)
    return img


# ---------------------------------------------------------------------------
# Badges: the countdown window's pictures and the icons


def badge_fill(size):
    top, bottom = (38, 32, 88), (150, 78, 128)
    return lambda x, y: mix(top, bottom, smooth(y / size))


def badge(size, ground, kind, alpha_out=False):
    """A dusk disc with a white symbol; on ground, or with a coverage plane."""
    img = Image(size, size, ground if ground else (24, 20, 54))
    c = size / 2.0
    r = min(c, 16.0)
    disc = sd_circle(c, c, r)
    cov = paint(img, disc, badge_fill(size))
    paint(img, sd_ring(c, c, r, 1.0), (22, 18, 52), 0.85)
    if size >= 32:
        paint(img, intersect(disc, sd_circle(c, c - size * 0.28, size * 0.4)), (255, 255, 255), 0.07)
    paint_cover(img, icon_symbol(size, kind), (255, 255, 255))
    if alpha_out:
        img.alpha = [cov.get((i % size, i // size), 0.0) for i in range(size * size)]
    return img


# The circular arrow is too fine at 16 x 16 to be left to the sampler: placed by hand,
# "#" full and "+" half covered.
RESTART16 = [
    "................",
    "................",
    ".......#........",
    ".......##.......",
    ".....+####......",
    "....#####.......",
    "...+#+.#........",
    "...##...........",
    "...#+......+#...",
    "...#+......+#...",
    "...##......##...",
    "...+#+....+#+...",
    "....###++###....",
    ".....+####+.....",
    "................",
    "................",
]


def icon_symbol(size, kind):
    """Coverage of the action symbol tuned for a 32 (or 33) or a 16 pixel picture."""
    c = size / 2.0
    if size >= 32:
        f = {"shutdown": lambda: sym_power(c, c, 7.6, 2.8), "restart": lambda: sym_restart(c, c, 7.4, 2.8),
             "sleep": lambda: sym_moon(c, c, 8.6)}[kind]()
    elif kind == "restart":
        return {(x, y): 1.0 if ch == "#" else 0.5 for y, row in enumerate(RESTART16) for x, ch in enumerate(row)
                if ch != "."}
    else:
        f = {"shutdown": lambda: sym_power(c, c, 4.0, 1.7), "sleep": lambda: sym_moon(c, c, 4.8)}[kind]()
    return coverage(size, size, f)


def idle_icon(size):
    """The program's own icon: a sun going down behind a hill at dusk."""
    img = Image(size, size, (24, 20, 54))
    c = size / 2.0
    r = min(c, 16.0)
    disc = sd_circle(c, c, r)
    cov = paint(img, disc, lambda x, y: ramp([(0, (30, 26, 78)), (size * 0.45, (92, 58, 124)), (size * 0.72, (214, 116, 104))], y))
    k = size / 32.0
    paint(img, intersect(disc, sd_circle(c + 2.5 * k, 20.5 * k, 6.0 * k)), (255, 206, 128))
    hill = lambda x, y: (23.5 * k + 1.5 * k * math.sin(x / size * 3.3 + 0.6)) - y  # noqa: E731
    paint(img, intersect(disc, hill), (26, 18, 44))
    paint(img, sd_ring(c, c, r, 1.0), (22, 18, 52), 0.85)
    if size >= 32:
        for sx, sy in ((9, 9), (14, 6), (21, 10)):
            p = img.get(sx, sy)
            p[:] = mix(p, (240, 236, 255), 0.7)
    else:
        p = img.get(5, 4)
        p[:] = mix(p, (240, 236, 255), 0.6)
    img.alpha = [cov.get((i % size, i // size), 0.0) for i in range(size * size)]
    return img


# Digits of the last five seconds for 16 x 16, placed by hand (7 x 10).
DIGITS16 = {
    1: ["...##..", "..###..", ".####..", "...##..", "...##..", "...##..", "...##..", "...##..", "...##..", "..####."],
    2: [".#####.", "##...##", ".....##", ".....##", "....##.", "...##..", "..##...", ".##....", "##.....", "#######"],
    3: [".#####.", "##...##", ".....##", ".....##", "..####.", ".....##", ".....##", ".....##", "##...##", ".#####."],
    4: ["....##.", "...###.", "..####.", ".##.##.", "##..##.", "##..##.", "#######", "....##.", "....##.", "....##."],
    5: ["#######", "##.....", "##.....", "######.", ".....##", ".....##", ".....##", ".....##", "##...##", ".#####."],
}


def digit_strokes(n, k):
    """Digits for 32 x 32 as round-capped strokes, 4 px wide."""
    w = 4.0 * k
    s = lambda ax, ay, bx, by: sd_segment(ax * k, ay * k, bx * k, by * k, w)  # noqa: E731
    a = lambda cx, cy, r, st, sw: sd_arc(cx * k, cy * k, r * k, st, sw, w)  # noqa: E731
    if n == 1:
        return union(s(17, 8, 17, 24), s(17, 8, 12.5, 11.5))
    if n == 2:
        return union(a(16, 12.5, 4.5, 190, 190), s(20.2, 14.8, 11.5, 24), s(11.5, 24, 21, 24))
    if n == 3:
        return union(a(16, 12, 4, 200, 250), a(16, 20, 4.2, -90, 250), s(15.5, 16, 16, 16))
    if n == 4:
        return union(s(18.5, 8, 11, 19.5), s(11, 19.5, 21.5, 19.5), s(18.5, 13, 18.5, 24))
    return union(s(20.5, 8, 13, 8), s(13, 8, 12.5, 15.2), a(16.2, 19, 5.2, -120, 245))


def countdown_icon(size, n):
    img = Image(size, size, (24, 20, 54))
    c = size / 2.0
    r = min(c, 16.0)
    disc = sd_circle(c, c, r)
    cov = paint(img, disc, badge_fill(size))
    ring = coverage(size, size, sd_ring(c, c, r, 1.0))
    for (x, y), k in ring.items():
        if k >= 0.4:
            img.get(x, y)[:] = [236, 170, 110]
    if size >= 32:
        paint(img, digit_strokes(n, size / 32.0), (255, 255, 255))
    else:
        rows = DIGITS16[n]
        x0, y0 = (size - 7) // 2, (size - 10) // 2
        for y, row in enumerate(rows):
            for x, ch in enumerate(row):
                if ch == "#":
                    img.get(x0 + x, y0 + y)[:] = [255, 255, 255]
    img.alpha = [cov.get((i % size, i // size), 0.0) for i in range(size * size)]
    return img


# Windows' standard 16 colours, in their usual order.
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255),
    (255, 255, 255),
]


def badge16colours(size, kind):
    """The action badge in the standard 16 colours: navy disc, white symbol, silver edges."""
    img = Image(size, size, VGA16[4])
    c = size / 2.0
    r = min(c, 16.0)
    disc = sd_circle(c, c, r)
    cov = coverage(size, size, disc)
    ring = coverage(size, size, sd_ring(c, c, r, 1.0))
    sym = icon_symbol(size, kind)
    for y in range(size):
        for x in range(size):
            if ring.get((x, y), 0) >= 0.5:
                img.get(x, y)[:] = VGA16[0]
            s = sym.get((x, y), 0)
            if s >= 0.6:
                img.get(x, y)[:] = VGA16[15]
            elif s >= 0.3:
                img.get(x, y)[:] = VGA16[7]
    img.alpha = [cov.get((i % size, i // size), 0.0) for i in range(size * size)]
    return img


# ---------------------------------------------------------------------------
# File formats


def bmp24(img):
    stride = (img.w * 3 + 3) & ~3
    body = bytearray()
    for row in reversed(list(img.rows())):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        body += line
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(body), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, img.w, img.h, 1, 24, 0, len(body), 3780, 3780, 0, 0)
    return header + info + bytes(body)


def weighted_median_cut(counts, limit):
    """Median-cut palette of at most limit colours over {colour: pixels}, split by
    pixel count, and each colour's entry. Deterministic: ties go by colour."""
    boxes = [sorted(counts.items())]

    def spread(box):
        ranges = [max(c[ch] for c, _ in box) - min(c[ch] for c, _ in box) for ch in range(3)]
        ch = ranges.index(max(ranges))
        return ranges[ch] * sum(n for _, n in box), ch

    scores = [spread(boxes[0])]
    while len(boxes) < limit:
        best = max(range(len(boxes)), key=lambda i: (scores[i][0], -i))
        if scores[best][0] == 0:
            break
        ch = scores[best][1]
        box = sorted(boxes[best], key=lambda cn: (cn[0][ch], cn[0]))
        total, run, mid = sum(n for _, n in box), 0, 0
        while mid < len(box) - 1 and run + box[mid][1] <= total / 2:
            run += box[mid][1]
            mid += 1
        mid = max(1, mid)
        boxes[best:best + 1] = [box[:mid], box[mid:]]
        scores[best:best + 1] = [spread(box[:mid]), spread(box[mid:])]
    palette, index = [], {}
    for box in boxes:
        n = sum(k for _, k in box)
        palette.append(tuple(int(sum(c[ch] * k for c, k in box) / n + 0.5) for ch in range(3)))
        for c, _ in box:
            index[c] = len(palette) - 1
    return palette, index


def bmp8(img):
    """The picture in 256 colours of its own: a third of the 24-bit size, which
    matters for the large ones (the program's size is mostly its pictures)."""
    pix = [tuple(to_byte(v) for v in p) for p in img.px]
    counts = {}
    for c in pix:
        counts[c] = counts.get(c, 0) + 1
    palette, index = weighted_median_cut(counts, 256)
    # Floyd-Steinberg: the error of each pixel goes on to its neighbours, so
    # that the sky's gradient shows no bands.
    cache = {}

    def entry(c):
        key = (c[0] >> 2, c[1] >> 2, c[2] >> 2)
        if key not in cache:
            cache[key] = nearest(palette, c)
        return cache[key]

    w, h = img.w, img.h
    work = [list(c) for c in pix]
    idx = [0] * (w * h)
    for y in range(h):
        for x in range(w):
            i = y * w + x
            c = tuple(min(255, max(0, int(v + 0.5))) for v in work[i])
            k = index[c] if c in index else entry(c)
            idx[i] = k
            err = [c[ch] - palette[k][ch] for ch in range(3)]
            for dx, dy, f in ((1, 0, 7), (-1, 1, 3), (0, 1, 5), (1, 1, 1)):
                nx, ny = x + dx, y + dy
                if 0 <= nx < w and ny < h:
                    n = work[ny * w + nx]
                    for ch in range(3):
                        n[ch] += err[ch] * f / 16
    stride = (w + 3) & ~3
    body = bytearray()
    for y in reversed(range(h)):
        line = bytearray(idx[y * w:(y + 1) * w])
        line += b"\0" * (stride - len(line))
        body += line
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    offset = 14 + 40 + len(pal)
    header = struct.pack("<2sIHHI", b"BM", offset + len(body), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, img.w, img.h, 1, 8, 0, len(body), 3780, 3780, len(palette), 0)
    return header + info + pal + bytes(body)


def median_cut(colours, limit):
    """Deterministic median-cut palette of at most limit colours, and each colour's entry."""
    uniq = sorted(set(colours))
    if len(uniq) <= limit:
        return uniq, {c: i for i, c in enumerate(uniq)}
    boxes = [sorted(colours)]
    while len(boxes) < limit:
        best, best_score, best_ch = None, -1, 0
        for i, box in enumerate(boxes):
            ranges = [max(p[ch] for p in box) - min(p[ch] for p in box) for ch in range(3)]
            ch = ranges.index(max(ranges))
            score = ranges[ch] * len(box)
            if ranges[ch] > 0 and score > best_score:
                best, best_score, best_ch = i, score, ch
        if best is None:
            break
        box = sorted(boxes[best], key=lambda p: (p[best_ch], p))
        # Split at the median, but never between two pixels of the same colour.
        mid = len(box) // 2
        while 0 < mid < len(box) and box[mid][best_ch] == box[mid - 1][best_ch]:
            mid += 1
        if mid >= len(box):
            mid = len(box) // 2
            while mid > 0 and box[mid][best_ch] == box[mid - 1][best_ch]:
                mid -= 1
        boxes[best:best + 1] = [box[:mid], box[mid:]]
    palette, index = [], {}
    for box in boxes:
        n = len(box)
        palette.append(tuple(int(sum(p[ch] for p in box) / n + 0.5) for ch in range(3)))
        for c in box:
            index[c] = len(palette) - 1
    return palette, index


def nearest(pal, c):
    best, bd = 0, None
    for i, p in enumerate(pal):
        d = (p[0] - c[0]) ** 2 * 3 + (p[1] - c[1]) ** 2 * 4 + (p[2] - c[2]) ** 2 * 2
        if bd is None or d < bd:
            best, bd = i, d
    return best


def dib_image(img, bits, palette=None):
    """One icon image: BITMAPINFOHEADER, palette, colour rows and the AND mask (bottom-up)."""
    w, h = img.w, img.h
    pix = [tuple(to_byte(v) for v in p) for p in img.px]
    opaque = [a >= 0.5 for a in img.alpha]
    if palette is None:
        # Entry 0 stays black: under a set mask bit it leaves the screen as it was.
        colours, index = median_cut([pix[i] for i in range(w * h) if opaque[i]], (1 << bits) - 1)
        palette = [(0, 0, 0)] + colours
        lookup = lambda c: index[c] + 1  # noqa: E731
    else:
        cache = {}

        def lookup(c):
            if c not in cache:
                cache[c] = nearest(palette, c)
            return cache[c]

    ncol = 1 << bits
    palette = (list(palette) + [(0, 0, 0)] * ncol)[:ncol]
    idx = [lookup(pix[i]) if opaque[i] else 0 for i in range(w * h)]
    xor_stride = ((w * bits + 31) // 32) * 4
    and_stride = ((w + 31) // 32) * 4
    xor = bytearray()
    mask = bytearray()
    for y in reversed(range(h)):
        row = idx[y * w:(y + 1) * w]
        line = bytearray()
        if bits == 8:
            line += bytes(row)
        else:
            for x in range(0, w, 2):
                line.append((row[x] << 4) | (row[x + 1] if x + 1 < w else 0))
        line += b"\0" * (xor_stride - len(line))
        xor += line
        mline = bytearray(and_stride)
        for x in range(w):
            if not opaque[y * w + x]:
                mline[x >> 3] |= 0x80 >> (x & 7)
        mask += mline
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, bits, 0, len(xor) + len(mask), 0, 0, ncol, 0)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return header + pal + bytes(xor) + bytes(mask), ncol


def ico(images, bits, palette=None):
    blobs = [dib_image(im, bits, palette) for im in images]
    out = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for im, (blob, ncol) in zip(images, blobs):
        out += struct.pack("<BBBBHHII", im.w % 256, im.h % 256, ncol % 256, 0, 1, bits, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blob for blob, _ in blobs)


def png(img):
    raw = bytearray()
    for row in img.rows():
        raw.append(0)
        for c in row:
            raw += bytes(c)

    def chunk(tag, data):
        return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF)

    ihdr = struct.pack(">IIBBBBB", img.w, img.h, 8, 2, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(
        b"IEND", b"")


# ---------------------------------------------------------------------------
# Preview: the pictures put together as the window stacks them, with a rough 5 x 7 font
# standing in for the program's own text (only meant for looking at the artwork).

FONT = {
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "V": ["#...#", "#...#", "#...#", "#...#", ".#.#.", ".#.#.", "..#.."],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "a": [".....", ".....", ".###.", "....#", ".####", "#...#", ".####"],
    "c": [".....", ".....", ".###.", "#....", "#....", "#....", ".###."],
    "d": ["....#", "....#", ".####", "#...#", "#...#", "#...#", ".####"],
    "e": [".....", ".....", ".###.", "#...#", "#####", "#....", ".###."],
    "ê": ["..#..", ".#.#.", ".###.", "#...#", "#####", "#....", ".###."],
    "é": ["...#.", "..#..", ".###.", "#...#", "#####", "#....", ".###."],
    "g": [".....", ".....", ".####", "#...#", "#...#", "#...#", ".####", "....#", ".###."],
    "i": ["#", ".", "#", "#", "#", "#", "#"],
    "l": ["##.", ".#.", ".#.", ".#.", ".#.", ".#.", "###"],
    "m": [".....", ".....", "##.#.", "#.#.#", "#.#.#", "#.#.#", "#.#.#"],
    "n": [".....", ".....", "####.", "#...#", "#...#", "#...#", "#...#"],
    "o": [".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###."],
    "p": [".....", ".....", "####.", "#...#", "#...#", "#...#", "####.", "#....", "#...."],
    "r": ["....", "....", "#.##", "##..", "#...", "#...", "#..."],
    "s": [".....", ".....", ".####", "#....", ".###.", "....#", "####."],
    "t": [".#..", ".#..", "####", ".#..", ".#..", ".#..", "..##"],
    "u": [".....", ".....", "#...#", "#...#", "#...#", "#...#", ".####"],
    "'": ["#", "#"],
    ":": [".", ".", "#", ".", ".", "#", "."],
    ".": [".", ".", ".", ".", ".", ".", "#"],
    " ": ["..."],
    "0": [".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."],
    "1": ["..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "2": [".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"],
    "3": ["####.", "....#", "....#", ".###.", "....#", "....#", "####."],
    "4": ["...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."],
    "5": ["#####", "#....", "####.", "....#", "....#", "#...#", ".###."],
}


def text_width(s, scale=1, bold=False):
    return sum((len(FONT[ch][0]) + 1) * scale + (1 if bold else 0) for ch in s) - scale


def draw_text(img, x, y, s, colour, scale=1, bold=False):
    for ch in s:
        glyph = FONT[ch]
        for gy, row in enumerate(glyph):
            for gx, bit in enumerate(row):
                if bit != "#":
                    continue
                for dy in range(scale):
                    for dx in range(scale + (1 if bold else 0)):
                        px, py = x + gx * scale + dx, y + gy * scale + dy
                        if 0 <= px < img.w and 0 <= py < img.h:
                            img.px[py * img.w + px] = list(colour)
        x += (len(glyph[0]) + 1) * scale + (1 if bold else 0)


def system_button(img, x, y, w, h, caption):
    shade(img, lambda *_: (240, 240, 240), (x, y, x + w, y + h))
    for i in range(w):
        img.get(x + i, y)[:] = [255, 255, 255]
        img.get(x + i, y + h - 1)[:] = [105, 105, 105]
    for j in range(h):
        img.get(x, y + j)[:] = [255, 255, 255]
        img.get(x + w - 1, y + j)[:] = [105, 105, 105]
    draw_text(img, x + (w - text_width(caption)) // 2, y + (h - 7) // 2, caption, (0, 0, 0))


def main_window(pics, look):
    img = Image(WIN_W, WIN_H)
    img.paste(pics["IDB_FOND"], 0, 0)
    shown = {
        "idle": ["IDB_VEILLE", "IDB_ARRETE", "IDB_REBOOTE", "IDB_MIN", "IDB_CLSE_BRILLANT"],
        "bright": ["IDB_VEILLE", "IDB_ARRETE_BRILLANT", "IDB_REBOOTE", "IDB_MIN_BRILLANT", "IDB_CLSE"],
        "pressed": ["IDB_VEILLE_E", "IDB_ARRETE", "IDB_REBOOTE_BRILLANT", "IDB_MIN", "IDB_CLOSE_E"],
        "countdown": ["IDB_VEILLE", "IDB_ARRETE", "IDB_REBOOTE", "IDB_DISABLE", "IDB_MIN", "IDB_CLSE"],
    }[look]
    where = {"IDB_VEILLE": SLEEP_AT, "IDB_ARRETE": SHUTDOWN_AT, "IDB_REBOOTE": RESTART_AT, "IDB_MIN": MIN_AT,
             "IDB_CLSE": CLOSE_AT, "IDB_CLOSE_E": CLOSE_AT, "IDB_DISABLE": STRIP_AT}
    for name in shown:
        base = name.replace("_BRILLANT", "").replace("_E", "").replace("IDB_CLOSE", "IDB_CLSE")
        img.paste(pics[name], *where.get(name, where.get(base)))
    white = (255, 255, 255)
    title = "Arrêt de l'ordinateur..." if look == "countdown" else "Arrêter l'ordinateur"
    draw_text(img, 14, 13, title, white, 2)
    for caption, (x, w) in (("Veille prolongée", (13, 105)), ("Arrêter", (161, 65)), ("Redémarrer", (277, 89))):
        draw_text(img, x + (w - text_width(caption, bold=True)) // 2, 119, caption, white, bold=True)
    draw_text(img, 14, 179, "00:00:05" if look == "countdown" else "00:00:00", white, bold=True)
    system_button(img, 240, 168, 60, 20, "Options")
    system_button(img, 309, 168, 60, 20, "Annuler")
    if look == "countdown":
        draw_text(img, 138, 54, "5", (0xAA, 0xC4, 0xFC), 10)
        draw_text(img, 130, 46, "5", white, 10)
    return img


def decode_ico(data):
    """Reads back the icons written above, as the shell would draw them over a ground."""
    count = struct.unpack_from("<H", data, 4)[0]
    images = []
    for i in range(count):
        w, h, _, _, _, bits, size, off = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        ncol = 1 << bits
        pal = [struct.unpack_from("<BBBB", data, off + 40 + 4 * k)[2::-1] for k in range(ncol)]
        xo = off + 40 + 4 * ncol
        xs = ((w * bits + 31) // 32) * 4
        ms = ((w + 31) // 32) * 4
        mo = xo + xs * h
        img = Image(w, h)
        img.alpha = [0.0] * (w * h)
        for y in range(h):
            row = h - 1 - y
            for x in range(w):
                if bits == 8:
                    k = data[xo + row * xs + x]
                else:
                    byte = data[xo + row * xs + x // 2]
                    k = (byte >> 4) if x % 2 == 0 else (byte & 15)
                masked = data[mo + row * ms + x // 8] & (0x80 >> (x % 8))
                img.px[y * w + x] = list(pal[k])
                img.alpha[y * w + x] = 0.0 if masked else 1.0
        images.append(img)
    return images


def countdown_window(pic):
    img = Image(428, 68, DIALOG_FACE)
    img.paste(pic, 16, 16)
    draw_text(img, 56, 16, "Arrêt dans 05 secondes.", (0, 0, 0), bold=True)
    system_button(img, 352, 40, 73, 25, "Annuler")
    return img


def compose_preview(pics, icon_files):
    pad = 10
    out = Image(2 * WIN_W + 3 * pad, 2 * WIN_H + 3 * pad + 3 * (68 + pad) + 80, (96, 96, 104))
    for i, look in enumerate(("idle", "bright", "pressed", "countdown")):
        out.paste(main_window(pics, look), pad + (i % 2) * (WIN_W + pad), pad + (i // 2) * (WIN_H + pad))
    y = 2 * WIN_H + 3 * pad
    for i, name in enumerate(("IDB_ARRET_PICT", "IDB_REBOOTE_PICT", "IDB_STANDBY_PICT")):
        out.paste(countdown_window(pics[name]), pad, y)
        y += 68 + pad
    x = pad
    for ground in ((22, 40, 92), (212, 208, 200)):
        strip = Image(out.w - 2 * pad, 36, ground)
        cx = 4
        for name in ("IDI_IDLE", "IDI_SHUTDOWN", "IDI_RESTART", "IDI_SLEEP", "IDI_SHUTDOWN16", "IDI_RESTART16",
                     "IDI_SLEEP16", "IDI_COUNT1", "IDI_COUNT2", "IDI_COUNT3", "IDI_COUNT4", "IDI_COUNT5"):
            big, small = decode_ico(icon_files[name])
            for im, ox, oy, z in ((big, cx, 2, 1), (small, cx + 34, 10, 1)):
                for j in range(im.h * z):
                    for i in range(im.w * z):
                        if im.alpha[(j // z) * im.w + i // z] >= 0.5:
                            strip.px[(oy + j) * strip.w + ox + i] = list(im.px[(j // z) * im.w + i // z])
            cx += 58
        out.paste(strip, x, y)
        y += 36 + 4
    return out


# ---------------------------------------------------------------------------
# What gets written


def read_ids(path):
    ids = {}
    with open(path, encoding="utf-8") as f:
        for m in re.finditer(r"^#define\s+(ID[BI]_\w+)\s+(\d+)", f.read(), re.M):
            ids[m.group(1)] = int(m.group(2))
    return ids


def build():
    """Pictures by resource name as (file, image); icons as (file pattern, images, bits per pixel)."""
    fond = draw_background()
    pics = {"IDB_FOND": ("fond.bmp", fond)}
    for prefix, kind, at in (("ARRETE", "shutdown", SHUTDOWN_AT), ("REBOOTE", "restart", RESTART_AT),
                             ("VEILLE", "sleep", SLEEP_AT)):
        ground = fond.crop(at[0], at[1], BUTTON, BUTTON)
        for suffix, look in (("", "normal"), ("_BRILLANT", "bright"), ("_E", "pressed")):
            pics["IDB_" + prefix + suffix] = (prefix.lower() + suffix.lower() + ".bmp",
                                              action_button(ground, kind, look))
    for prefix, kind, at, names in (("min", "min", MIN_AT, ("IDB_MIN", "IDB_MIN_BRILLANT", "IDB_MIN_E")),
                                    ("clse", "close", CLOSE_AT, ("IDB_CLSE", "IDB_CLSE_BRILLANT", "IDB_CLOSE_E"))):
        ground = fond.crop(at[0], at[1], SMALL_W, SMALL_H)
        for name, (suffix, look) in zip(names, (("", "normal"), ("_brillant", "bright"), ("_e", "pressed"))):
            pics[name] = (prefix + suffix + ".bmp", title_button(ground, kind, look))
    pics["IDB_DISABLE"] = ("disable.bmp", disable_strip(fond))
    for name, file, kind in (("IDB_ARRET_PICT", "arret_pict.bmp", "shutdown"),
                             ("IDB_REBOOTE_PICT", "reboote_pict.bmp", "restart"),
                             ("IDB_STANDBY_PICT", "standby_pict.bmp", "sleep")):
        pics[name] = (file, badge(BUTTON, DIALOG_FACE, kind))

    icons = {}
    icons["IDI_IDLE"] = ("icon%s.ico", [idle_icon(32), idle_icon(16)], 8)
    for name, kind in (("SHUTDOWN", "shutdown"), ("RESTART", "restart"), ("SLEEP", "sleep")):
        icons["IDI_" + name] = ("icon%s.ico", [badge(32, None, kind, True), badge(16, None, kind, True)], 8)
        icons["IDI_" + name + "16"] = ("icon%s.ico", [badge16colours(32, kind), badge16colours(16, kind)], 4)
    for n in range(1, 6):
        icons["IDI_COUNT%d" % n] = ("icon%s.ico", [countdown_icon(32, n), countdown_icon(16, n)], 8)
    return pics, icons


def write_all(outdir, preview=False, zoom=1):
    ids = read_ids(RESOURCE_IDS)
    pics, icons = build()
    files = {}
    # A resource number added or renamed in the header must not go by unnoticed.
    missing = sorted(set(ids) - set(pics) - set(icons))
    unknown = sorted((set(pics) | set(icons)) - set(ids))
    if missing or unknown:
        sys.exit("make_artwork: no picture for %s; no number for %s" % (", ".join(missing) or "-",
                                                                      ", ".join(unknown) or "-"))
    os.makedirs(outdir, exist_ok=True)
    lines = []
    order = ["IDI_IDLE"] + sorted((n for n in icons if n != "IDI_IDLE"), key=lambda n: ids[n])
    for name in order:
        file, images, bits = icons[name]
        file = file % ids[name]
        data = ico(images, bits, VGA16 if bits == 4 else None)
        files[name] = data
        with open(os.path.join(outdir, file), "wb") as f:
            f.write(data)
        if name == "IDI_IDLE":
            lines.append('1 ICON "%s"' % file)  # the lowest number is the one Explorer shows
        lines.append('%d ICON "%s"' % (ids[name], file))
    for name in sorted(pics, key=lambda n: ids[n]):
        file, img = pics[name]
        with open(os.path.join(outdir, file), "wb") as f:
            f.write(bmp8(img) if img.w * img.h > LARGE_PICTURE else bmp24(img))
        lines.append('%d BITMAP "%s"' % (ids[name], file))
    with open(os.path.join(outdir, "artwork.rc"), "w", encoding="ascii", newline="\n") as f:
        f.write("\n".join(lines) + "\n")
    if preview:
        img = compose_preview({n: p[1] for n, p in pics.items()}, files)
        with open(os.path.join(outdir, "preview.png"), "wb") as f:
            f.write(png(img.zoomed(zoom) if zoom > 1 else img))


def main(argv):
    parser = argparse.ArgumentParser(description="Draws Crepuscule's bitmaps, icons and artwork.rc.")
    parser.add_argument("outdir", help="where the pictures and artwork.rc go")
    parser.add_argument("--preview", action="store_true", help="also write preview.png of the composed windows")
    parser.add_argument("--zoom", type=int, default=1, choices=range(1, 9), metavar="N",
                        help="enlarge the preview N times (1 to 8)")
    args = parser.parse_args(argv[1:])
    write_all(args.outdir, args.preview, args.zoom)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
