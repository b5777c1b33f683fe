#!/usr/bin/env python3
"""Draws the program's artwork procedurally and writes it in the formats the
resource compiler and the program expect.

Outputs (paths relative to the repository root):
  res/mainicon.ico      program icon, 32, 24, 20 and 16 pixels, 256 colours
  data/tubiaodesk2.ico  icon of the second-desktop instance, same format
  res/image1.bmp        340x150 banner of the main window, 256 colours
  res/glyphs.bmp        17 menu glyphs, 16x16 each, in one 272x16 strip,
                        24-bit, pure magenta is the transparent colour
  res/glyphs20.bmp,     the same glyphs drawn at 20, 24 and 32 pixels for
  glyphs24.bmp,         120, 144 and 192 dpi (shapes and outlines at that
  glyphs32.bmp          size, not a 16 px strip enlarged), 8-bit, exact colours

Standard library only. The outputs are committed: the build never runs this.
Usage: python3 tools/draw_assets.py [--out REPO_ROOT]
"""

import argparse
import math
import os
import struct

# --------------------------------------------------------------------------
# Supersampled RGBA canvas (premultiplied), used for the icons and the banner.
# --------------------------------------------------------------------------


class Canvas:
    def __init__(self, w, h, ss, unit=1.0):
        # `unit` output pixels per design pixel: a design drawn on one grid
        # is drawn again, sharp, at another size.
        self.w, self.h, self.ss, self.unit = w, h, ss, unit
        self.W, self.H = w * ss, h * ss
        n = self.W * self.H
        self.r = [0.0] * n
        self.g = [0.0] * n
        self.b = [0.0] * n
        self.a = [0.0] * n

    def paint(self, inside, colour, bbox=None, alpha=1.0):
        """Composites `colour` over every subsample whose centre satisfies
        `inside(x, y)`; coordinates are in output pixels. `colour` and `alpha`
        may be callables of (x, y)."""
        ss = self.ss * self.unit
        if bbox is None:
            bbox = (0, 0, self.w / self.unit, self.h / self.unit)
        x0 = max(0, int(math.floor(bbox[0] * ss)))
        y0 = max(0, int(math.floor(bbox[1] * ss)))
        x1 = min(self.W, int(math.ceil(bbox[2] * ss)))
        y1 = min(self.H, int(math.ceil(bbox[3] * ss)))
        col_fn = colour if callable(colour) else None
        al_fn = alpha if callable(alpha) else None
        R, G, B, A = self.r, self.g, self.b, self.a
        for j in range(y0, y1):
            y = (j + 0.5) / ss
            row = j * self.W
            for i in range(x0, x1):
                x = (i + 0.5) / ss
                if inside is not None and not inside(x, y):
                    continue
                c = col_fn(x, y) if col_fn else colour
                al = al_fn(x, y) if al_fn else alpha
                if al <= 0.0:
                    continue
                if al > 1.0:
                    al = 1.0
                k = row + i
                inv = 1.0 - al
                R[k] = c[0] * al + R[k] * inv
                G[k] = c[1] * al + G[k] * inv
                B[k] = c[2] * al + B[k] * inv
                A[k] = al + A[k] * inv

    def resolve(self):
        """Box-filters down to output pixels: list of rows of (r, g, b, a)."""
        ss = self.ss
        n = ss * ss
        out = []
        for y in range(self.h):
            row = []
            for x in range(self.w):
                sr = sg = sb = sa = 0.0
                for j in range(y * ss, y * ss + ss):
                    base = j * self.W + x * ss
                    for k in range(base, base + ss):
                        sr += self.r[k]
                        sg += self.g[k]
                        sb += self.b[k]
                        sa += self.a[k]
                if sa > 1e-6:
                    row.append((sr / sa, sg / sa, sb / sa, sa / n))
                else:
                    row.append((0.0, 0.0, 0.0, 0.0))
            out.append(row)
        return out


# Shape predicates in output-pixel coordinates.

def rrect(x0, y0, x1, y1, rad):
    def inside(x, y):
        if x < x0 or x > x1 or y < y0 or y > y1:
            return False
        cx = min(max(x, x0 + rad), x1 - rad)
        cy = min(max(y, y0 + rad), y1 - rad)
        return (x - cx) ** 2 + (y - cy) ** 2 <= rad * rad
    return inside


def ellipse(cx, cy, rx, ry):
    def inside(x, y):
        return ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0
    return inside


def polygon(pts):
    def inside(x, y):
        c = False
        n = len(pts)
        for i in range(n):
            xa, ya = pts[i]
            xb, yb = pts[(i + 1) % n]
            if (ya > y) != (yb > y):
                xi = xa + (y - ya) * (xb - xa) / (yb - ya)
                if x < xi:
                    c = not c
        return c
    return inside


def seg_dist(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    ll = dx * dx + dy * dy
    t = 0.0 if ll == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / ll))
    qx, qy = ax + t * dx, ay + t * dy
    return math.hypot(px - qx, py - qy)


def mix(c1, c2, t):
    t = max(0.0, min(1.0, t))
    return tuple(a + (b - a) * t for a, b in zip(c1, c2))


def vgrad(y0, y1, c0, c1):
    return lambda x, y: mix(c0, c1, (y - y0) / float(y1 - y0))


# --------------------------------------------------------------------------
# Palette reduction (median cut) and mapping.
# --------------------------------------------------------------------------


def median_cut(colours, n):
    """colours: dict (r,g,b) -> count. Returns up to n palette colours."""
    boxes = [list(colours.items())]
    if len(colours) <= n:
        return [c for c, _ in colours.items()]

    def spread(box):
        best = (-1, 0)
        for ch in range(3):
            vals = [c[ch] for c, _ in box]
            rng = max(vals) - min(vals)
            if rng > best[0]:
                best = (rng, ch)
        return best

    while len(boxes) < n:
        # Split the box whose widest channel range weighted by population is
        # largest, so busy regions (gradients) get more entries.
        scored = []
        for idx, box in enumerate(boxes):
            if len(box) < 2:
                continue
            rng, ch = spread(box)
            pop = sum(cnt for _, cnt in box)
            scored.append((rng * math.sqrt(pop), idx, ch))
        if not scored:
            break
        scored.sort(reverse=True)
        _, idx, ch = scored[0]
        box = sorted(boxes[idx], key=lambda e: e[0][ch])
        total = sum(cnt for _, cnt in box)
        acc, cut = 0, 1
        for k, (_, cnt) in enumerate(box):
            acc += cnt
            if acc * 2 >= total:
                cut = max(1, min(len(box) - 1, k + 1))
                break
        boxes[idx:idx + 1] = [box[:cut], box[cut:]]
    pal = []
    for box in boxes:
        tot = sum(cnt for _, cnt in box)
        pal.append(tuple(int(round(sum(c[ch] * cnt for c, cnt in box) / tot))
                         for ch in range(3)))
    return pal


class Nearest:
    def __init__(self, pal):
        self.pal = pal
        self.cache = {}

    def __call__(self, c):
        key = (int(c[0]) >> 1, int(c[1]) >> 1, int(c[2]) >> 1)
        hit = self.cache.get(key)
        if hit is not None:
            return hit
        best, bi = 1e18, 0
        r, g, b = c
        for i, p in enumerate(self.pal):
            d = (r - p[0]) ** 2 * 3 + (g - p[1]) ** 2 * 4 + (b - p[2]) ** 2 * 2
            if d < best:
                best, bi = d, i
        self.cache[key] = bi
        return bi


def clamp8(v):
    return 0 if v < 0 else 255 if v > 255 else int(round(v))


def quantize(rows, reserved=(), dither=0.0):
    """rows: list of rows of (r,g,b) ints. Returns (palette[256], index rows).
    `reserved` colours come first in the palette; `dither` is the share of
    Floyd-Steinberg error spread to neighbours (0 = none)."""
    hist = {}
    for row in rows:
        for c in row:
            hist[c] = hist.get(c, 0) + 1
    for c in reserved:
        hist.pop(c, None)
    pal = list(reserved) + median_cut(hist, 256 - len(reserved))
    near = Nearest(pal)
    exact = {c: i for i, c in enumerate(pal)}
    h, w = len(rows), len(rows[0])
    err = [[[0.0, 0.0, 0.0] for _ in range(w + 2)] for _ in range(h + 1)]
    out = []
    for y in range(h):
        orow = []
        for x in range(w):
            src = rows[y][x]
            e = err[y][x + 1]
            c = (src[0] + e[0], src[1] + e[1], src[2] + e[2])
            cc = (clamp8(c[0]), clamp8(c[1]), clamp8(c[2]))
            idx = exact.get(cc)
            if idx is None:
                idx = near(cc)
            orow.append(idx)
            if dither:
                p = pal[idx]
                d = [(c[k] - p[k]) * dither for k in range(3)]
                for (dx, dy, wgt) in ((1, 0, 7), (-1, 1, 3), (0, 1, 5), (1, 1, 1)):
                    t = err[y + dy][x + 1 + dx]
                    for k in range(3):
                        t[k] += d[k] * wgt / 16.0
        out.append(orow)
    while len(pal) < 256:
        pal.append((0, 0, 0))
    return pal, out


# --------------------------------------------------------------------------
# File writers.
# --------------------------------------------------------------------------


def bmp_info_header(w, h, bits, clr_used, image_size):
    return struct.pack('<IiiHHIIiiII', 40, w, h, 1, bits, 0, image_size,
                       2835, 2835, clr_used, 0)


def palette_bytes(pal):
    return b''.join(struct.pack('BBBB', b, g, r, 0) for (r, g, b) in pal)


def write_bmp8(path, pal, idx_rows):
    h, w = len(idx_rows), len(idx_rows[0])
    stride = (w + 3) & ~3
    pixels = bytearray()
    for row in reversed(idx_rows):  # bottom-up
        pixels += bytes(row) + b'\0' * (stride - w)
    info = bmp_info_header(w, h, 8, 256, len(pixels))
    pb = palette_bytes(pal)
    off = 14 + len(info) + len(pb)
    fh = struct.pack('<2sIHHI', b'BM', off + len(pixels), 0, 0, off)
    with open(path, 'wb') as f:
        f.write(fh + info + pb + bytes(pixels))


def write_bmp8_exact(path, rows):
    """rows of (r,g,b), at most 256 colours: an 8-bit bitmap of exactly
    those colours (a third of the 24-bit size)."""
    pal = sorted(set(c for row in rows for c in row))
    assert len(pal) <= 256, len(pal)
    index = {c: i for i, c in enumerate(pal)}
    write_bmp8(path, pal + [(0, 0, 0)] * (256 - len(pal)), [[index[c] for c in row] for row in rows])


def write_bmp24(path, rows):
    h, w = len(rows), len(rows[0])
    stride = (w * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for (r, g, b) in row:
            line += bytes((b, g, r))
        pixels += line + b'\0' * (stride - len(line))
    info = bmp_info_header(w, h, 24, 0, len(pixels))
    off = 14 + len(info)
    fh = struct.pack('<2sIHHI', b'BM', off + len(pixels), 0, 0, off)
    with open(path, 'wb') as f:
        f.write(fh + info + bytes(pixels))


def icon_image(pix):
    """pix: rows of (r,g,b) or None for transparent. Returns the DIB bytes of
    one 8-bit icon image (header, palette, XOR bits, AND mask)."""
    h, w = len(pix), len(pix[0])
    black = (0, 0, 0)
    opaque = [[c if c is not None else black for c in row] for row in pix]
    pal, idx = quantize(opaque, reserved=(black,))
    # Transparent pixels must be black in the XOR image so AND+XOR shows
    # the background unchanged.
    for y in range(h):
        for x in range(w):
            if pix[y][x] is None:
                idx[y][x] = 0
    xor_stride = (w + 3) & ~3
    and_stride = ((w + 31) // 32) * 4
    xor = bytearray()
    andm = bytearray()
    for y in reversed(range(h)):
        xor += bytes(idx[y]) + b'\0' * (xor_stride - w)
        bits = bytearray(and_stride)
        for x in range(w):
            if pix[y][x] is None:
                bits[x >> 3] |= 0x80 >> (x & 7)
        andm += bits
    info = bmp_info_header(w, h * 2, 8, 0, len(xor) + len(andm))
    return info + palette_bytes(pal) + bytes(xor) + bytes(andm)


def write_ico(path, images):
    """images: list of pixel grids (see icon_image), largest first."""
    blobs = [icon_image(p) for p in images]
    out = struct.pack('<HHH', 0, 1, len(blobs))
    off = 6 + 16 * len(blobs)
    for pix, blob in zip(images, blobs):
        w, h = len(pix[0]), len(pix)
        out += struct.pack('<BBBBHHII', w & 255, h & 255, 0, 0, 1, 8,
                           len(blob), off)
        off += len(blob)
    with open(path, 'wb') as f:
        f.write(out + b''.join(blobs))


# --------------------------------------------------------------------------
# Icons.
# --------------------------------------------------------------------------

DIGIT2_5x7 = [".###.",
              "#...#",
              "....#",
              "...#.",
              "..#..",
              ".#...",
              "#####"]


def draw_icon32(theme, badge, out=32):
    """theme: (light, dark, border) tile colours. Returns rows of rgb/None.
    Designed on a 32 grid and drawn at `out` pixels."""
    light, dark, border = theme
    size = 32
    cv = Canvas(out, out, 6, out / 32.0)
    # Tile: rounded square with a vertical gradient and a darker rim.
    cv.paint(rrect(0.5, 0.5, 31.5, 31.5, 6.5), border)
    cv.paint(rrect(1.5, 1.5, 30.5, 30.5, 5.5), vgrad(0, size, light, dark))
    # Soft gloss on the upper half.
    cv.paint(rrect(2, 2, 30, 16, 5), (255, 255, 255),
             alpha=lambda x, y: 0.25 * (1 - y / 16.0))
    # Taskbar strip at the bottom of the tile, with tray icons.
    cv.paint(lambda x, y: y >= 25 and rrect(1.5, 1.5, 30.5, 30.5, 5.5)(x, y),
             mix(dark, (0, 0, 0), 0.45))
    cv.paint(None, mix(light, (255, 255, 255), 0.3), bbox=(1.5, 25, 30.5, 26), alpha=0.7)
    for i, c in enumerate(((255, 214, 90), (120, 230, 120), (255, 255, 255))):
        cv.paint(None, c, bbox=(14 + i * 4, 27, 17 + i * 4, 30))
    # The pop-up menu card rising from the tray (its tail points at the
    # white tray icon).
    # Edges sit on whole pixels so the card stays crisp.
    cx0, cy0, cx1, cy1 = 6, 4, 26, 21
    cv.paint(rrect(cx0 + 1, cy0 + 1, cx1 + 1, cy1 + 1, 2), (0, 0, 0), alpha=0.35)
    cv.paint(polygon([(21, cy1 - 1), (25, cy1 - 1), (24, 24.5)]), (250, 252, 255))
    cv.paint(rrect(cx0, cy0, cx1, cy1, 1.5), (250, 252, 255))
    cv.paint(lambda x, y: y <= cy0 + 3 and rrect(cx0, cy0, cx1, cy1, 1.5)(x, y),
             vgrad(cy0, cy0 + 3, mix(light, dark, 0.4), dark))
    bullets = ((235, 175, 40), (230, 60, 50), (60, 170, 70))
    for i, bc in enumerate(bullets):
        y = cy0 + 5 + i * 4
        cv.paint(None, bc, bbox=(cx0 + 2, y, cx0 + 5, y + 3))
        ln = (12, 9, 11)[i]
        cv.paint(None, (120, 130, 150), bbox=(cx0 + 7, y + 1, cx0 + 7 + ln, y + 2))
    pix = cv.resolve()
    rows = []
    for row in pix:
        rows.append([(clamp8(r), clamp8(g), clamp8(b)) if a >= 0.5 else None
                     for (r, g, b, a) in row])
    if badge:
        badge32(rows, out)
    return rows


def badge32(rows, out=32):
    """Orange round badge with a white '2' in the lower right corner."""
    cx, cy, rad = 24.5, 24.0, 7.3
    edge = (150, 40, 10)
    k = 32.0 / out
    for y in range(out):
        for x in range(out):
            d = math.hypot((x + 0.5) * k - cx, (y + 0.5) * k - cy)
            if d <= rad:
                if d > rad - k:
                    rows[y][x] = edge
                else:
                    t = ((y + 0.5) * k - (cy - rad)) / (2 * rad)
                    rows[y][x] = tuple(clamp8(v) for v in mix((255, 170, 60), (230, 90, 20), t))
    # The digit keeps its pixels at every size, centred on the badge.
    ox, oy = int(cx / k - 2.5 + 0.5), int(cy / k - 3.5 + 0.5)
    for j, line in enumerate(DIGIT2_5x7):
        for i, ch in enumerate(line):
            if ch == '#':
                rows[oy + j][ox + i] = (255, 255, 255)


# At 16x16 every pixel matters, so the small icon is drawn by hand.
# '-' transparent, '.' tile gradient, the rest see ICON16_LEGEND.
ICON16 = [
    "--oooooooooooo--",
    "-o............o-",
    "o..eeeeeeeeee..o",
    "o..ehhhhhhhhe..o",
    "o..eWWWWWWWWe..o",
    "o..eyWggggWWe..o",
    "o..eWWWWWWWWe..o",
    "o..erWgggggWe..o",
    "o..eWWWWWWWWe..o",
    "o..enWggggWWe..o",
    "o..eWWWWWWWWe..o",
    "o..eeeeeeeWee..o",
    "ollllllllllllllo",
    "oTTTTTTTYTWTTTTo",
    "-oTTTTTTTTTTTTo-",
    "--oooooooooooo--",
]
BADGE16 = [
    "--EEEE--",
    "-EOOOOE-",
    "EOWWWOOE",
    "EOOOWOOE",
    "EOWWWOOE",
    "EOWOOOOE",
    "-EWWWOE-",
    "--EEEE--",
]


def draw_icon16(theme, badge):
    light, dark, border = theme
    legend = {'o': border, 'e': (176, 188, 212), 'W': (252, 253, 255),
              'h': mix(dark, light, 0.25), 'g': (128, 136, 156), 'y': (235, 175, 40),
              'r': (230, 60, 50), 'n': (60, 170, 70), 'l': mix(light, (255, 255, 255), 0.3),
              'T': mix(dark, (0, 0, 0), 0.45), 'Y': (255, 214, 90), 'E': (150, 40, 10),
              'O': (245, 130, 40)}
    rows = []
    for y, line in enumerate(ICON16):
        row = []
        for ch in line:
            if ch == '-':
                row.append(None)
            elif ch == '.':
                row.append(mix(mix(light, (255, 255, 255), 0.15), dark, y / 13.0))
            else:
                row.append(legend[ch])
        rows.append(row)
    if badge:
        for j, line in enumerate(BADGE16):
            for i, ch in enumerate(line):
                if ch != '-':
                    rows[8 + j][8 + i] = legend[ch]
    return [[None if c is None else tuple(clamp8(v) for v in c) for c in row] for row in rows]


# --------------------------------------------------------------------------
# Banner of the main window.
# --------------------------------------------------------------------------


def draw_banner():
    W, H = 340, 150
    cv = Canvas(W, H, 3)
    # Morning sky.
    sky_top, sky_mid, sky_low = (78, 140, 222), (160, 200, 240), (250, 232, 206)

    def sky(x, y):
        if y < 60:
            return mix(sky_top, sky_mid, y / 60.0)
        return mix(sky_mid, sky_low, (y - 60) / 45.0)
    cv.paint(None, sky)
    # Sun with a soft glow.
    sx, sy = 62.0, 42.0
    cv.paint(None, (255, 244, 200), bbox=(sx - 60, sy - 60, sx + 60, sy + 60),
             alpha=lambda x, y: max(0.0, 0.55 * (1 - math.hypot(x - sx, y - sy) / 58.0)) ** 1.6)
    cv.paint(ellipse(sx, sy, 13, 13), (255, 250, 225))
    # Clouds: clusters of ellipses.
    for (ox, oy, sc) in ((150, 26, 1.0), (262, 44, 0.8), (20, 80, 0.6)):
        parts = ((0, 0, 16, 7), (12, -5, 12, 8), (-12, 2, 11, 6), (24, 2, 10, 5))
        shapes = [ellipse(ox + dx * sc, oy + dy * sc, rx * sc, ry * sc) for dx, dy, rx, ry in parts]
        cv.paint(lambda x, y, sh=shapes: any(f(x, y) for f in sh),
                 lambda x, y, oy=oy, sc=sc: mix((255, 255, 255), (222, 230, 242), (y - oy + 6 * sc) / (14 * sc)),
                 bbox=(ox - 30 * sc, oy - 15 * sc, ox + 36 * sc, oy + 10 * sc), alpha=0.92)

    # Distant mountains, hazy blue.
    def far(x):
        return 90 - 30 * math.exp(-((x - 104) / 30.0) ** 2) - 20 * math.exp(-((x - 168) / 24.0) ** 2) \
            - 14 * math.exp(-((x - 292) / 36.0) ** 2) - 1.5 * math.sin(x / 7.0)
    cv.paint(lambda x, y: y >= far(x), vgrad(56, 100, (128, 154, 200), (172, 194, 222)))
    # Snow on the peaks, with a ragged lower edge.
    cv.paint(lambda x, y: far(x) <= y <= 68 + 2.5 * math.sin(x / 2.7) + 1.5 * math.sin(x / 1.3),
             vgrad(58, 70, (255, 255, 255), (226, 234, 248)), bbox=(60, 55, 150, 74))
    # Rolling hills: far and near layers.
    def mid(x):
        return 98 + 6 * math.sin(x / 31.0 + 1.0) + 4 * math.sin(x / 13.0)
    cv.paint(lambda x, y: y >= mid(x), vgrad(88, 126, (132, 196, 104), (88, 160, 80)))

    def near(x):
        return 110 + 9 * math.sin(x / 47.0 + 2.4) + 3 * math.sin(x / 17.0 + 0.3)
    cv.paint(lambda x, y: y >= near(x), vgrad(100, 128, (98, 172, 78), (52, 124, 56)))
    # A lake reflecting the sky in the middle distance.
    cv.paint(ellipse(150, 116, 44, 5.5), vgrad(110, 122, (150, 196, 236), (110, 160, 215)),
             alpha=0.95)
    for (rx, ry, rl) in ((124, 113, 10), (146, 115, 14), (168, 113, 8), (136, 118, 9), (160, 118, 11)):
        cv.paint(None, (235, 245, 255), bbox=(rx, ry, rx + rl, ry + 1), alpha=0.55)
    # Round trees on the near hills.
    for (tx, sc) in ((24, 1.0), (38, 0.75), (212, 0.9), (228, 1.1), (320, 0.8)):
        base = near(tx) + 3
        cv.paint(lambda x, y: True, (96, 70, 44),
                 bbox=(tx - 1.2 * sc, base - 8 * sc, tx + 1.2 * sc, base + 1))
        cv.paint(ellipse(tx, base - 11 * sc, 6 * sc, 7.5 * sc),
                 lambda x, y, tx=tx, base=base, sc=sc: mix((86, 168, 70), (30, 100, 44),
                                                           ((x - tx) + (y - base + 14 * sc)) / (16 * sc)))

    # Taskbar along the bottom.
    tb = 126
    cv.paint(lambda x, y: y >= tb, vgrad(tb, H, (52, 74, 116), (26, 38, 66)))
    cv.paint(lambda x, y: True, (130, 160, 210), bbox=(0, tb, W, tb + 1), alpha=0.8)
    # Start button: a green pill with a white orb.
    cv.paint(rrect(4, tb + 4, 54, H - 4, 8), vgrad(tb + 4, H - 4, (112, 200, 96), (40, 130, 50)))
    cv.paint(rrect(5, tb + 5, 53, tb + 12, 6), (255, 255, 255), alpha=0.25)
    cv.paint(ellipse(16, tb + 12, 5, 5), (255, 255, 255), alpha=0.95)
    cv.paint(ellipse(16, tb + 12, 2.2, 2.2), (70, 160, 70))
    cv.paint(rrect(25, tb + 10.5, 47, tb + 13.5, 1.5), (255, 255, 255), alpha=0.85)
    # Two task buttons.
    for i, ic in enumerate(((235, 175, 40), (60, 140, 230))):
        bx = 62 + i * 66
        cv.paint(rrect(bx, tb + 4, bx + 60, H - 4, 3), vgrad(tb + 4, H - 4, (96, 122, 170), (60, 84, 130)))
        cv.paint(rrect(bx + 5, tb + 8, bx + 13, tb + 16, 1.5), ic)
        cv.paint(rrect(bx + 17, tb + 10.5, bx + 50 - 8 * i, tb + 13.5, 1.5), (225, 232, 245))
    # Tray area, recessed.
    tx0 = 252
    cv.paint(rrect(tx0, tb + 4, W - 4, H - 4, 3), vgrad(tb + 4, H - 4, (30, 44, 76), (40, 58, 96)))
    tray_cols = ((60, 140, 230), (90, 190, 80), (240, 150, 40))
    for i, c in enumerate(tray_cols):
        cx = tx0 + 10 + i * 13
        cv.paint(rrect(cx - 4, tb + 8, cx + 4, tb + 16, 1.5), c)
    # Our own tray icon (the one the menu belongs to), highlighted.
    hx = tx0 + 10 + 3 * 13
    cv.paint(rrect(hx - 6, tb + 6, hx + 6, tb + 18, 2), (255, 255, 255), alpha=0.25)
    cv.paint(rrect(hx - 4, tb + 8, hx + 4, tb + 16, 1.5), vgrad(tb + 8, tb + 16, (110, 175, 250), (30, 90, 200)))
    cv.paint(lambda x, y: True, (255, 255, 255), bbox=(hx - 2, tb + 10, hx + 2, tb + 11))
    cv.paint(lambda x, y: True, (255, 255, 255), bbox=(hx - 2, tb + 12, hx + 2, tb + 13))
    # Clock: two light bars.
    cv.paint(rrect(W - 28, tb + 8.5, W - 9, tb + 11, 1), (220, 230, 245))
    cv.paint(rrect(W - 25, tb + 13, W - 12, tb + 15.5, 1), (170, 185, 215))

    # The pop-up menu rising from the tray icon.
    mx0, my0, mx1, my1 = 204, 14, 306, 121
    for k, a in ((4, 0.05), (3, 0.07), (2, 0.09), (1, 0.11)):
        cv.paint(rrect(mx0 + 3 - k, my0 + 4 - k, mx1 + 3 + k, my1 + 4 + k, 4 + k), (0, 0, 0), alpha=a)
    cv.paint(rrect(mx0 - 1, my0 - 1, mx1 + 1, my1 + 1, 4), (120, 135, 165))
    cv.paint(rrect(mx0, my0, mx1, my1, 3.5), (250, 251, 254))
    # Side band, as classic start menus have.
    cv.paint(rrect(mx0, my0, mx0 + 16, my1, 3.5), vgrad(my0, my1, (40, 100, 200), (110, 175, 245)))
    cv.paint(lambda x, y: True, vgrad(my0, my1, (40, 100, 200), (110, 175, 245)),
             bbox=(mx0 + 10, my0, mx0 + 16, my1))
    for k in range(4):
        cv.paint(ellipse(mx0 + 8, my1 - 10 - k * 8, 2.2, 2.2), (255, 255, 255), alpha=0.35 + 0.15 * k)
    item_cols = ((235, 175, 40), (235, 175, 40), (60, 150, 230), (230, 80, 60), (40, 170, 160),
                 (90, 180, 70), (240, 200, 40))
    lens = (50, 38, 56, 44, 32, 48, 40)
    y = my0 + 5
    for i, ic in enumerate(item_cols):
        if i == 5:
            cv.paint(lambda x, y: True, (200, 206, 220), bbox=(mx0 + 20, y + 1, mx1 - 4, y + 2))
            y += 4
        if i == 2:
            cv.paint(rrect(mx0 + 18, y - 1.5, mx1 - 3, y + 11.5, 2), (200, 222, 252))
            cv.paint(rrect(mx0 + 18.5, y - 1, mx1 - 3.5, y + 11, 2),
                     vgrad(y - 1, y + 11, (226, 238, 255), (196, 220, 252)))
        cv.paint(rrect(mx0 + 22, y + 1, mx0 + 30, y + 9, 1.5),
                 vgrad(y + 1, y + 9, mix(ic, (255, 255, 255), 0.35), mix(ic, (0, 0, 0), 0.15)))
        cv.paint(rrect(mx0 + 35, y + 3.5, mx0 + 35 + lens[i], y + 6.5, 1.5),
                 (80, 96, 130) if i == 2 else (140, 148, 166))
        if i in (0, 1):
            # Sub-menu arrow.
            cv.paint(polygon([(mx1 - 9, y + 2), (mx1 - 5, y + 5), (mx1 - 9, y + 8)]), (110, 118, 138))
        y += 13
    # The little tail linking menu and tray icon.
    cv.paint(polygon([(hx - 5, my1 + 0.5), (hx + 5, my1 + 0.5), (hx, my1 + 4.5)]), (250, 251, 254))

    pix = cv.resolve()
    return [[(clamp8(r), clamp8(g), clamp8(b)) for (r, g, b, _) in row] for row in pix]


# --------------------------------------------------------------------------
# Menu glyphs: 16x16 pixel art, no antialiasing, dark outlines.
# --------------------------------------------------------------------------

MAGENTA = (255, 0, 255)


class Glyph:
    """A glyph designed on a 16x16 grid and drawn at `size` pixels: shapes
    are tested at each output pixel's centre (mapped back onto the grid) and
    get one-pixel outlines at the output size; hand-placed grid cells cover
    the output pixels whose centres fall in them."""

    def __init__(self, size=16):
        self.n = size
        self.k = 16.0 / size
        self.p = [[None] * size for _ in range(size)]

    def shape(self, inside, colour, outline=None, diag=False):
        """Fills pixels whose centre is inside; then rings them with
        `outline` (painted over what is below, so layers stay separated)."""
        n, k = self.n, self.k
        cells = set()
        for y in range(n):
            for x in range(n):
                if inside((x + 0.5) * k, (y + 0.5) * k):
                    cells.add((x, y))
        if outline is not None:
            nb = ((1, 0), (-1, 0), (0, 1), (0, -1))
            if diag:
                nb += ((1, 1), (1, -1), (-1, 1), (-1, -1))
            for (x, y) in cells:
                for dx, dy in nb:
                    q = (x + dx, y + dy)
                    if q not in cells and 0 <= q[0] < n and 0 <= q[1] < n:
                        self.p[q[1]][q[0]] = outline
        for (x, y) in cells:
            self.p[y][x] = colour((x + 0.5) * k, (y + 0.5) * k) if callable(colour) else colour

    def pixels_of(self, gx, gy):
        """The output pixels whose centres lie in grid cell (gx, gy)."""
        n, k = self.n, self.k
        xs = [x for x in range(n) if int((x + 0.5) * k) == gx]
        ys = [y for y in range(n) if int((y + 0.5) * k) == gy]
        return [(x, y) for y in ys for x in xs]

    def chars(self, rows, legend, ox=0, oy=0):
        for j, line in enumerate(rows):
            for i, ch in enumerate(line):
                if ch in legend:
                    self.put(ox + i, oy + j, legend[ch])

    def put(self, x, y, c):
        if 0 <= x < 16 and 0 <= y < 16:
            for (px, py) in self.pixels_of(x, y):
                self.p[py][px] = c

    def at(self, x, y):
        """What covers grid cell (x, y) (its first output pixel)."""
        px, py = self.pixels_of(x, y)[0]
        return self.p[py][px]


def shade3(cx, cy, rad, light, midc, darkc, lo=-0.35, hi=0.35):
    """Three flat shades lit from the upper left."""
    def f(x, y):
        t = (-(x - cx) - (y - cy)) / (rad * 1.414)
        return light if t > hi else darkc if t < lo else midc
    return f


def disc(cx, cy, rad):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= rad * rad


def box(x0, y0, x1, y1):
    """Inclusive pixel rectangle."""
    return lambda x, y: x0 <= x - 0.5 <= x1 and y0 <= y - 0.5 <= y1


def pix_rows(art):
    rows = [line for line in art.strip('\n').split('\n')]
    assert len(rows) == 16 and all(len(r) == 16 for r in rows), art
    return rows


FOLDER_LEGEND = {'o': (128, 84, 16), 'H': (255, 238, 160), 'Y': (250, 206, 82),
                 'y': (222, 162, 40), 'd': (184, 124, 24)}


def g_folder(size):
    g = Glyph(size)
    g.chars(pix_rows("""
................
................
.ooooo..........
oHHHHHo.........
oHyyyyHoooooooo.
oHHHHHHHHHHHHHyo
oHYYYYYYYYYYYYyo
oHYYYYYYYYYYYYyo
oHYYYYYYYYYYYYyo
oHYYYYYYYYYYYYyo
oHYYYYYYYYYYYYyo
oHYYYYYYYYYYYYyo
oHYYYYYYYYYYYYyo
oyyyyyyyyyyyyyyo
oooooooooooooooo
................
"""), FOLDER_LEGEND)
    return g


def g_folder_open(size):
    g = Glyph(size)
    g.chars(pix_rows("""
................
................
.ooooo..........
oddddo..........
oddddoooooooo...
oddWWWWWWWWWWo..
oddWwwwwwwwwWo..
odoooooooooooooo
odoHHHHHHHHHHHyo
odoHYYYYYYYYYYo.
ooHYYYYYYYYYYyo.
ooHYYYYYYYYYYyo.
oHYYYYYYYYYYYo..
oHYYYYYYYYYYyo..
ooooooooooooo...
................
"""), dict(FOLDER_LEGEND, W=(255, 255, 255), w=(200, 206, 216)))
    return g


def g_power(size):
    g = Glyph(size)
    K = (96, 16, 16)
    cx, cy = 8.0, 8.5
    light, midc, darkc = (255, 120, 100), (222, 44, 36), (160, 20, 20)

    def ring(x, y):
        d = math.hypot(x - cx, y - cy)
        if not (4.2 <= d <= 6.3):
            return False
        ang = math.degrees(math.atan2(x - cx, -(y - cy)))  # 0 = straight up
        return abs(ang) > 44
    g.shape(ring, shade3(cx, cy, 5.5, light, midc, darkc), outline=K)
    g.shape(box(7, 1, 8, 8), lambda x, y: light if x < 8 else midc, outline=K)
    return g


def g_reload(size):
    g = Glyph(size)
    K = (20, 80, 24)
    cx, cy = 8.0, 8.0
    light, midc, darkc = (150, 232, 120), (60, 180, 60), (30, 128, 40)
    col = shade3(cx, cy, 5, light, midc, darkc)

    def arc(a0, a1):
        def inside(x, y):
            d = math.hypot(x - cx, y - cy)
            if not (3.6 <= d <= 5.7):
                return False
            a = math.degrees(math.atan2(y - cy, x - cx)) % 360
            return (a0 <= a <= a1) if a0 <= a1 else (a >= a0 or a <= a1)
        return inside

    def head(ang):
        t = math.radians(ang)
        ux, uy = math.cos(t), math.sin(t)     # radial
        tx, ty = -math.sin(t), math.cos(t)    # clockwise tangent
        r = 4.65
        bx, by = cx + ux * r, cy + uy * r
        return polygon([(bx + ux * 2.9, by + uy * 2.9),
                        (bx - ux * 2.9, by - uy * 2.9),
                        (bx + tx * 3.2, by + ty * 3.2)])

    for a0, a1 in ((200, 300), (20, 120)):
        sh = arc(a0, a1)
        hd = head(a1)
        g.shape(lambda x, y, sh=sh, hd=hd: sh(x, y) or hd(x, y), col, outline=K)
    return g


def g_hide(size):
    g = Glyph(size)
    K = (40, 40, 56)
    R = 9.0
    k = R - 5.0
    cx, cy = 8.0, 8.0
    eye = lambda x, y: (math.hypot(x - cx, y - cy - k) <= R and math.hypot(x - cx, y - cy + k) <= R)
    g.shape(eye, lambda x, y: (255, 255, 255) if y < cy else (214, 220, 232), outline=K)
    g.shape(disc(cx, cy, 3.4), shade3(cx, cy, 3.4, (120, 180, 255), (50, 110, 220), (30, 70, 160)))
    g.shape(disc(cx, cy, 1.5), (20, 20, 30))
    g.put(6, 6, (255, 255, 255))
    # A one-pixel stroke across the eye, edged dark on both sides.
    SK, SR = (110, 16, 16), (236, 52, 40)
    for x in range(1, 15):
        y = 15 - x
        g.put(x + 1, y, SK)
        g.put(x - 1, y, SK)
    for x in range(1, 15):
        g.put(x, 15 - x, SR)
    g.put(0, 15, SK)
    g.put(15, 0, SK)
    return g


def g_clock(size):
    g = Glyph(size)
    K = (24, 40, 80)
    cx, cy = 8.0, 8.0
    g.shape(disc(cx, cy, 7.0), shade3(cx, cy, 7, (130, 180, 255), (60, 120, 220), (36, 80, 170)), outline=None)
    g.shape(lambda x, y: math.hypot(x - cx, y - cy) > 7.0 and math.hypot(x - cx, y - cy) <= 7.9, K)
    g.shape(disc(cx, cy, 5.3), lambda x, y: (255, 255, 255) if x + y < 17 else (226, 232, 242))
    for (x, y) in ((7, 3), (8, 3), (12, 7), (12, 8), (7, 12), (8, 12), (3, 7), (3, 8)):
        g.put(x, y, (120, 130, 150))
    H = (30, 30, 40)
    for y in range(4, 9):
        g.put(7, y, H)
    for x in range(7, 11):
        g.put(x, 8, H)
    g.put(8, 8, H)
    g.put(8, 7, (200, 40, 40))
    return g


def g_monitors(size):
    g = Glyph(size)
    K = (36, 40, 52)
    frame = (196, 200, 212)

    def monitor(x0, y0, scr0, scr1):
        g.shape(box(x0, y0, x0 + 9, y0 + 6), lambda x, y: frame, outline=K)
        g.shape(box(x0 + 1, y0 + 1, x0 + 8, y0 + 5),
                lambda x, y: scr0 if (x - x0) + (y - y0) < 9 else scr1)
    monitor(1, 1, (150, 200, 255), (70, 130, 220))
    g.shape(box(6, 9, 7, 9), (150, 154, 166), outline=K)
    monitor(5, 6, (170, 236, 150), (70, 170, 80))
    g.shape(box(9, 14, 11, 14), (150, 154, 166), outline=None)
    g.put(8, 14, K)
    g.put(12, 14, K)
    for x in range(8, 13):
        g.put(x, 15, K)
    g.shape(box(9, 13, 11, 13), (130, 134, 146))
    return g


def g_help(size):
    g = Glyph(size)
    K = (16, 40, 100)
    cx, cy = 8.0, 8.0
    g.shape(disc(cx, cy, 7.0), shade3(cx, cy, 7, (110, 170, 255), (44, 110, 220), (24, 72, 170)), outline=K)
    g.chars([".WWWW.",
             "WW..WW",
             "....WW",
             "...WW.",
             "..WW..",
             "..WW..",
             "......",
             "..WW..",
             "..WW.."], {'W': (255, 255, 255)}, ox=5, oy=3)
    return g


def g_person(size):
    g = Glyph(size)
    K = (40, 36, 40)
    g.shape(lambda x, y: ((x - 8) / 6.2) ** 2 + ((y - 16) / 6.5) ** 2 <= 1 and y < 15,
            shade3(8, 12, 5, (110, 170, 250), (50, 110, 210), (30, 74, 160)), outline=K)
    g.shape(disc(8, 5.5, 3.6), shade3(8, 5.5, 3.6, (255, 226, 196), (240, 196, 150), (210, 156, 110)), outline=K)
    # Hair.
    g.shape(lambda x, y: disc(8, 5.5, 3.6)(x, y) and y < 4.2, (110, 70, 40))
    return g


def g_boxes(size):
    g = Glyph(size)
    K = (84, 52, 20)
    lid, side, shadow, tape = (236, 196, 132), (212, 160, 90), (176, 124, 60), (246, 226, 180)

    def crate(x0, y0, x1, y1):
        def col(x, y):
            px, py = int(x), int(y)
            if py == y0:
                return lid
            if px == (x0 + x1) // 2 or px == (x0 + x1 + 1) // 2:
                return tape
            if px == x1:
                return shadow
            return side
        g.shape(box(x0, y0, x1, y1), col, outline=K)
    crate(1, 9, 6, 14)
    crate(8, 9, 14, 14)
    crate(4, 2, 11, 7)
    return g


def g_shield(size):
    g = Glyph(size)
    K = (20, 44, 100)
    pts = [(8, 0.9), (14.3, 2.6), (14.0, 8.5), (11.5, 12.6), (8, 15.0), (4.5, 12.6), (2.0, 8.5), (1.7, 2.6)]
    g.shape(polygon(pts), lambda x, y: (120, 176, 250) if x < 8 else (44, 100, 200), outline=K)
    # Highlight rim on the lit side.
    W = (255, 255, 255)
    for (x, y) in ((4, 6), (5, 7), (6, 8), (7, 9), (8, 8), (9, 7), (10, 6), (11, 5),
                   (5, 6), (6, 7), (7, 8), (8, 7), (9, 6), (10, 5), (11, 4), (4, 7), (12, 4)):
        g.put(x, y, W)
    return g


def globe_grid(g, cx, cy, rad, light, midc, darkc, line, K, grid=True):
    g.shape(disc(cx, cy, rad), shade3(cx, cy, rad, light, midc, darkc), outline=K)
    if not grid:
        return
    inside = disc(cx, cy, rad - 0.3)
    k = g.k
    # Grid lines one output pixel wide, whatever the size.
    for y in range(g.n):
        for x in range(g.n):
            px, py = (x + 0.5) * k, (y + 0.5) * k
            if not inside(px, py):
                continue
            on = False
            if abs(py - cy) < 0.5 * k or abs(px - cx) < 0.5 * k:
                on = True
            # One meridian ellipse besides the axis lines.
            if abs(math.hypot((px - cx) / (rad * 0.55), (py - cy) / rad) - 1.0) < 0.12 * k:
                on = True
            if on:
                g.p[y][x] = line


def g_site(kind, size):
    g = Glyph(size)
    if kind == 0:   # red grid globe
        globe_grid(g, 7.5, 7.5, 6.9, (255, 110, 90), (220, 50, 40), (160, 24, 24), (255, 226, 220), (90, 12, 12))
    elif kind == 1:  # sky-blue earth with land
        globe_grid(g, 8, 8, 7, (170, 220, 255), (90, 180, 245), (50, 130, 210), None, (20, 60, 110), grid=False)
        land = pix_rows("""
................
................
.....LL.........
....LLLLL..l....
...LLLLLL.......
...LLLLl........
....LLL......LL.
.....LL.....LLL.
.....Ll....LLLL.
......L....LLL..
...........Ll...
.......LL.......
......LLLl......
.......l........
................
................
""")
        for y in range(16):
            for x in range(16):
                ch = land[y][x]
                if ch in 'Ll' and g.at(x, y) is not None and disc(8, 8, 6.7)(x + 0.5, y + 0.5):
                    g.put(x, y, (90, 190, 80) if ch == 'L' else (50, 140, 60))
    elif kind == 2:  # orange chain link
        K = (110, 54, 0)
        light, midc = (255, 196, 110), (240, 140, 30)

        def link(ax, ay, bx, by):
            def inside(x, y):
                d = seg_dist(x, y, ax, ay, bx, by)
                return 1.3 <= d <= 3.1
            return inside
        a = link(3.9, 12.1, 6.9, 9.1)
        b = link(9.1, 6.9, 12.1, 3.9)
        ca = lambda x, y: light if x - y < -6 else midc
        cb = lambda x, y: light if x - y < 4 else midc
        g.shape(a, ca, outline=K)
        g.shape(b, cb, outline=K)
        # Interlock: the first link passes in front of the second once.
        g.shape(lambda x, y: a(x, y) and x + y > 16, ca, outline=K)
    elif kind == 3:  # teal globe with a pointer
        globe_grid(g, 7.5, 7.5, 6.6, (130, 230, 220), (30, 170, 160), (16, 118, 112), (200, 250, 245), (8, 64, 60))
        arrow = ["K.....",
                 "KK....",
                 "KWK...",
                 "KWWK..",
                 "KWWWK.",
                 "KWWWWK",
                 "KWWKKK",
                 "KKWK..",
                 "...K.."]
        g.chars(arrow, {'K': (20, 20, 24), 'W': (255, 255, 255)}, ox=9, oy=7)
    else:  # green globe on a page
        K = (50, 56, 70)
        g.shape(box(2, 1, 11, 14), lambda x, y: (255, 255, 255) if x < 9 else (232, 236, 244), outline=K)
        # Dog-eared top right corner.
        for (x, y) in ((11, 0), (12, 1), (12, 2), (11, 1)):
            g.put(x, y, None)
        for (x, y) in ((10, 1), (10, 2), (11, 2), (12, 3)):
            g.put(x, y, K)
        for y in (3, 5):
            for x in range(4, 9 if y == 3 else 10):
                g.put(x, y, (160, 170, 190))
        globe_grid(g, 10.5, 10.5, 5.0, (150, 230, 130), (60, 170, 60), (30, 120, 40), (210, 250, 200), (16, 76, 24))
    return g


def g_star(size):
    g = Glyph(size)
    K = (130, 70, 0)
    cx, cy = 8.0, 8.8
    pts = []
    for i in range(10):
        r = 7.6 if i % 2 == 0 else 3.2
        a = math.radians(-90 + i * 36)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    g.shape(polygon(pts), shade3(cx, cy, 5, (255, 244, 150), (255, 204, 40), (226, 150, 10), lo=-0.25, hi=0.2),
            outline=K)
    return g


GLYPH_SIZES = (16, 20, 24, 32)


def draw_glyphs(size=16):
    glyphs = [g_folder(size), g_power(size), g_reload(size), g_folder_open(size), g_hide(size), g_clock(size),
              g_monitors(size), g_help(size), g_person(size), g_boxes(size), g_shield(size),
              g_site(0, size), g_site(1, size), g_site(2, size), g_site(3, size), g_site(4, size), g_star(size)]
    assert len(glyphs) == 17
    rows = []
    for y in range(size):
        row = []
        for g in glyphs:
            for x in range(size):
                c = g.p[y][x]
                if c is None:
                    c = MAGENTA
                else:
                    c = tuple(clamp8(v) for v in c)
                    # Nothing drawn may collide with the mask colour.
                    assert c != MAGENTA
                row.append(c)
        rows.append(row)
    return rows


# --------------------------------------------------------------------------


BLUE_THEME = ((96, 168, 250), (24, 84, 196), (14, 50, 128))
GREEN_THEME = ((120, 214, 110), (30, 140, 60), (16, 88, 36))


def main():
    ap = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    ap.add_argument('--out', default=os.path.join(os.path.dirname(os.path.abspath(__file__)), '..'),
                    help='repository root to write into')
    args = ap.parse_args()
    root = os.path.abspath(args.out)
    os.makedirs(os.path.join(root, 'res'), exist_ok=True)
    os.makedirs(os.path.join(root, 'data'), exist_ok=True)

    # 20 and 24 for the tray at 120 and 144 dpi.
    write_ico(os.path.join(root, 'res', 'mainicon.ico'),
              [draw_icon32(BLUE_THEME, False), draw_icon32(BLUE_THEME, False, 24),
               draw_icon32(BLUE_THEME, False, 20), draw_icon16(BLUE_THEME, False)])
    write_ico(os.path.join(root, 'data', 'tubiaodesk2.ico'),
              [draw_icon32(GREEN_THEME, True), draw_icon32(GREEN_THEME, True, 24),
               draw_icon32(GREEN_THEME, True, 20), draw_icon16(GREEN_THEME, True)])
    write_bmp24(os.path.join(root, 'res', 'glyphs.bmp'), draw_glyphs())
    # The larger strips in 8 bits: they have few colours, and the program
    # stays small.
    for size in GLYPH_SIZES[1:]:
        write_bmp8_exact(os.path.join(root, 'res', 'glyphs%d.bmp' % size), draw_glyphs(size))
    pal, idx = quantize(draw_banner(), dither=0.6)
    write_bmp8(os.path.join(root, 'res', 'image1.bmp'), pal, idx)


if __name__ == '__main__':
    main()
