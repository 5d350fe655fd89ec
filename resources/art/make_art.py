#!/usr/bin/env python3
"""Draws the installer's pictures and icon and writes them as BMP and ICO files.

Standard library only and fully deterministic: running it again gives byte-identical files, so
the outputs are committed and the build needs nothing but the resource compiler.
Usage: make_art.py [output directory]  (default: the directory of this script)
       make_art.py --check  (exit status 1 when a committed file differs from what it draws)
"""
import math
import os
import struct
import sys

# ---------------------------------------------------------------- canvas and drawing


class Canvas:
    def __init__(self, width, height, colour=(0, 0, 0)):
        self.width = width
        self.height = height
        self.pixels = [list(colour) for _ in range(width * height)]

    def blend(self, x, y, colour, alpha):
        if 0 <= x < self.width and 0 <= y < self.height and alpha > 0:
            p = self.pixels[y * self.width + x]
            a = min(alpha, 1.0)
            for i in range(3):
                p[i] += (colour[i] - p[i]) * a

    def vertical_gradient(self, top, bottom, y0=0, y1=None):
        y1 = self.height if y1 is None else y1
        for y in range(y0, y1):
            t = (y - y0) / max(1, y1 - y0 - 1)
            c = mix(top, bottom, t)
            for x in range(self.width):
                self.pixels[y * self.width + x] = list(c)

    def rect(self, x0, y0, x1, y1, colour, alpha=1.0):
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                self.blend(x, y, colour, alpha)

    def rect_gradient(self, x0, y0, x1, y1, top, bottom):
        for y in range(max(0, y0), min(self.height, y1)):
            c = mix(top, bottom, (y - y0) / max(1, y1 - y0 - 1))
            for x in range(max(0, x0), min(self.width, x1)):
                self.blend(x, y, c, 1.0)

    def disc(self, cx, cy, radius, colour, alpha=1.0, inner=0.0):
        """A filled circle (or a ring when inner > 0), edges smoothed over one pixel."""
        for y in range(int(cy - radius - 1), int(cy + radius + 2)):
            for x in range(int(cx - radius - 1), int(cx + radius + 2)):
                d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                cover = clamp(radius - d + 0.5) * clamp(d - inner + 0.5 if inner > 0 else 1.0)
                self.blend(x, y, colour, cover * alpha)

    def glow(self, cx, cy, radius, colour, strength):
        for y in range(int(cy - radius), int(cy + radius + 1)):
            for x in range(int(cx - radius), int(cx + radius + 1)):
                d = math.hypot(x + 0.5 - cx, y + 0.5 - cy) / radius
                if d < 1:
                    self.blend(x, y, colour, strength * (1 - d) ** 2)

    def line(self, x0, y0, x1, y1, colour, width=1.0, alpha=1.0):
        length = math.hypot(x1 - x0, y1 - y0) or 1.0
        for y in range(int(min(y0, y1) - width - 1), int(max(y0, y1) + width + 2)):
            for x in range(int(min(x0, x1) - width - 1), int(max(x0, x1) + width + 2)):
                px, py = x + 0.5, y + 0.5
                t = clamp(((px - x0) * (x1 - x0) + (py - y0) * (y1 - y0)) / (length * length))
                d = math.hypot(px - (x0 + t * (x1 - x0)), py - (y0 + t * (y1 - y0)))
                self.blend(x, y, colour, clamp(width / 2 - d + 0.5) * alpha)

    def bevel(self, x0, y0, x1, y1, light, dark, depth=2):
        """A raised 3-D edge (swap light and dark for a sunken one)."""
        for i in range(depth):
            self.rect(x0 + i, y0 + i, x1 - i, y0 + i + 1, light)
            self.rect(x0 + i, y0 + i, x0 + i + 1, y1 - i, light)
            self.rect(x0 + i, y1 - i - 1, x1 - i, y1 - i, dark)
            self.rect(x1 - i - 1, y0 + i, x1 - i, y1 - i, dark)

    def star(self, cx, cy, outer, inner, colour, points=5, alpha=1.0):
        corners = []
        for i in range(points * 2):
            r = outer if i % 2 == 0 else inner
            a = -math.pi / 2 + i * math.pi / points
            corners.append((cx + r * math.cos(a), cy + r * math.sin(a)))
        self.polygon(corners, colour, alpha)

    def polygon(self, corners, colour, alpha=1.0):
        """Even-odd fill with 4x4 supersampling for smooth edges."""
        xs = [c[0] for c in corners]
        ys = [c[1] for c in corners]
        for y in range(int(min(ys)), int(max(ys)) + 1):
            for x in range(int(min(xs)), int(max(xs)) + 1):
                hits = 0
                for sy in range(4):
                    for sx in range(4):
                        if inside(corners, x + (sx + 0.5) / 4, y + (sy + 0.5) / 4):
                            hits += 1
                self.blend(x, y, colour, alpha * hits / 16)


def inside(corners, px, py):
    result = False
    j = len(corners) - 1
    for i in range(len(corners)):
        xi, yi = corners[i]
        xj, yj = corners[j]
        if (yi > py) != (yj > py) and px < (xj - xi) * (py - yi) / (yj - yi) + xi:
            result = not result
        j = i
    return result


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


# ---------------------------------------------------------------- block lettering

# A 5x7 pixel alphabet of our own; each letter is drawn as bevelled blocks.
GLYPHS = {
    'A': ".###.#...##...#######...##...##...#",
    'B': "####.#...######.#...##...##...#####.",
    'C': ".####.....#....#....#....#.....####",
    'D': "####.#...##...##...##...##...#####.",
    'E': "######....#....####.#....#....#####",
    'I': "#####..#....#....#....#....#..#####",
    'K': "#...##..#.#.#..##...#.#..#..#.#...#",
    'L': "#....#....#....#....#....#....#####",
    'M': "#...###.###.#.##...##...##...##...#",
    'N': "#...###..##.#.##..###...##...##...#",
    'O': ".###.#...##...##...##...##...#.###.",
    'P': "####.#...##...#####.#....#....#....",
    'R': "####.#...##...#####.#.#..#..#.#...#",
    'S': ".#####....#.....###.....#....#####.",
    'T': "#####..#....#....#....#....#....#..",
    'U': "#...##...##...##...##...##...#.###.",
    'V': "#...##...##...##...#.#.#..#.#...#..",
    'W': "#...##...##...##.#.##.#.###.###...#",
    'X': "#...##...#.#.#...#...#.#.#...##...#",
    'Y': "#...##...#.#.#...#....#....#....#..",
    '0': ".###.#...##..###.#.###..##...#.###.",
    '4': "...#...##..#.#.#..#.#####...#....#.",
    '.': "...............................##..",
    ' ': "." * 35,
}


def block_text(canvas, text, x, y, cell, face, light, dark, gap=1, shadow=None):
    """Draws text in bevelled blocks of cell x cell pixels; returns the width used."""
    pitch = 6 * cell
    for n, ch in enumerate(text):
        pattern = GLYPHS[ch]
        for row in range(7):
            for col in range(5):
                if pattern[row * 5 + col] != '#':
                    continue
                bx = x + n * pitch + col * cell
                by = y + row * cell
                if shadow:
                    canvas.rect(bx + cell // 3, by + cell // 3, bx + cell + cell // 3,
                                by + cell + cell // 3, shadow, 0.55)
        for row in range(7):
            for col in range(5):
                if pattern[row * 5 + col] != '#':
                    continue
                bx = x + n * pitch + col * cell
                by = y + row * cell
                canvas.rect_gradient(bx, by, bx + cell - gap, by + cell - gap, face[0], face[1])
                if cell >= 4:
                    canvas.bevel(bx, by, bx + cell - gap, by + cell - gap, light, dark,
                                 max(1, cell // 6))
    return len(text) * pitch - cell


def text_width(text, cell):
    return len(text) * 6 * cell - cell


# ---------------------------------------------------------------- palette and file writers


def median_cut(colours, count):
    """Splits the colour set along its widest channel until there are count boxes."""
    boxes = [colours]
    while len(boxes) < count:
        best, spread, channel = -1, -1, 0
        for i, box in enumerate(boxes):
            if len(box) < 2:
                continue
            for c in range(3):
                values = [p[c] for p in box]
                s = max(values) - min(values)
                if s > spread:
                    best, spread, channel = i, s, c
        if best < 0 or spread == 0:
            break
        box = sorted(boxes.pop(best), key=lambda p: (p[channel], p))
        half = len(box) // 2
        boxes += [box[:half], box[half:]]
    return [tuple(sum(p[c] for p in box) // len(box) for c in range(3)) for box in boxes]


def quantise(canvas):
    """An adaptive palette of at most 256 colours and the pixel indexes into it."""
    rgb = [tuple(int(round(clamp(v, 0, 255))) for v in p) for p in canvas.pixels]
    unique = sorted(set(rgb))
    palette = unique if len(unique) <= 256 else median_cut(unique, 256)
    cache = {}
    indexes = []
    for p in rgb:
        if p not in cache:
            cache[p] = min(range(len(palette)),
                           key=lambda i: (palette[i][0] - p[0]) ** 2 * 3 + (palette[i][1] - p[1]) ** 2 * 4
                           + (palette[i][2] - p[2]) ** 2 * 2)
        indexes.append(cache[p])
    return palette, indexes


def write_bmp(path, canvas):
    """8 bits per pixel, bottom-up rows padded to four bytes, BITMAPINFOHEADER."""
    palette, indexes = quantise(canvas)
    stride = (canvas.width + 3) & ~3
    rows = bytearray()
    for y in range(canvas.height - 1, -1, -1):
        row = bytes(indexes[y * canvas.width:(y + 1) * canvas.width])
        rows += row + b'\0' * (stride - canvas.width)
    colour_table = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in palette)
    offset = 14 + 40 + len(colour_table)
    header = struct.pack('<2sIHHI', b'BM', offset + len(rows), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, canvas.width, canvas.height, 1, 8, 0, len(rows),
                       2835, 2835, len(palette), len(palette))
    with open(path, 'wb') as f:
        f.write(header + info + colour_table + rows)


# The sixteen colours of the standard VGA palette, the safest choice for icons on every platform.
VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
       (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def icon_image(size, rows):
    """One 4-bit icon image (DIB header, palette, XOR bits, AND mask) from rows of hex digits,
    where '.' is transparent."""
    xor = bytearray()
    mask = bytearray()
    xor_stride = ((size * 4 + 31) // 32) * 4
    mask_stride = ((size + 31) // 32) * 4
    for y in range(size - 1, -1, -1):
        line = rows[y]
        nibbles = [0 if c == '.' else int(c, 16) for c in line]
        packed = bytearray((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2))
        xor += packed + b'\0' * (xor_stride - len(packed))
        bits = bytearray(mask_stride)
        for x, c in enumerate(line):
            if c == '.':
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, len(xor) + len(mask),
                         0, 0, 16, 0)
    colours = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in VGA)
    return header + colours + bytes(xor) + bytes(mask)


def write_ico(path, images):
    directory = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b''
    data = b''
    for size, blob in images:
        entries += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(blob), offset + len(data))
        data += blob
    with open(path, 'wb') as f:
        f.write(directory + entries + data)


# ---------------------------------------------------------------- the pictures

NAVY = (6, 10, 60)
BLUE = (20, 60, 200)
SKY = (70, 140, 235)
GOLD = ((255, 226, 110), (235, 150, 20))
GOLD_LIGHT = (255, 248, 200)
GOLD_DARK = (140, 70, 0)
WHITE = (255, 255, 255)


def starfield(canvas, seed, count, top=0, bottom=None):
    bottom = canvas.height if bottom is None else bottom
    state = seed
    for _ in range(count):
        state = (state * 1103515245 + 12345) & 0x7FFFFFFF
        x = state % canvas.width
        state = (state * 1103515245 + 12345) & 0x7FFFFFFF
        y = top + state % max(1, bottom - top)
        state = (state * 1103515245 + 12345) & 0x7FFFFFFF
        canvas.blend(x, y, WHITE, 0.35 + (state % 60) / 100)


def hills(canvas, base, amplitude, colour, phase, alpha=1.0):
    for x in range(canvas.width):
        h = base - amplitude * (0.6 * math.sin(x / 47.0 + phase) + 0.4 * math.sin(x / 19.0 + 2 * phase))
        for y in range(int(h), canvas.height):
            canvas.blend(x, y, colour, alpha * clamp(y + 1 - h))


def title_picture(width, height):
    c = Canvas(width, height)
    c.vertical_gradient((0, 0, 40), (20, 70, 190))
    starfield(c, 173, 220, 0, height * 2 // 3)
    c.glow(width * 0.86, height * 0.17, 100, (120, 180, 255), 0.5)
    c.disc(width * 0.86, height * 0.17, 30, (255, 244, 210))
    c.disc(width * 0.86 + 10, height * 0.17 - 7, 26, (20, 45, 120), 1.0)
    hills(c, height * 0.80, 18, (10, 40, 120), 0.3)
    hills(c, height * 0.88, 12, (4, 20, 70), 1.7)
    cell = 9
    word = "KALMORA"
    x = (width - text_width(word, cell)) // 2
    block_text(c, word, x, int(height * 0.34), cell, GOLD, GOLD_LIGHT, GOLD_DARK, shadow=(0, 0, 0))
    small = 6
    version = "4.0"
    block_text(c, version, (width - text_width(version, small)) // 2, int(height * 0.34) + 8 * cell,
               small, ((230, 240, 255), (150, 180, 240)), WHITE, (60, 80, 150), gap=0,
               shadow=(0, 0, 0))
    tiny = 3
    maker = "ORVANE"
    block_text(c, maker, (width - text_width(maker, tiny)) // 2, height - 10 * tiny, tiny,
               ((200, 210, 240), (160, 170, 220)), WHITE, WHITE, gap=0)
    # A thin frame in the colour that also fills any margin around the centred picture.
    c.rect(0, 0, width, 2, (0, 0, 40))
    return c


def wizard_picture(width, height):
    c = Canvas(width, height)
    c.vertical_gradient((0, 0, 255), (0, 0, 20))
    starfield(c, 1035, 60, 0, height // 2)
    c.glow(width / 2, height * 0.36, width * 0.7, (120, 170, 255), 0.35)
    # A boxed product with a lid and a disk leaning on it.
    bx0, by0, bx1, by1 = 28, int(height * 0.40), width - 40, int(height * 0.78)
    c.rect_gradient(bx0, by0, bx1, by1, (250, 200, 70), (200, 120, 10))
    c.rect(bx1, by0 - 8, bx1 + 12, by1 - 8, (150, 80, 0))
    c.polygon([(bx1, by0), (bx1 + 12, by0 - 8), (bx1 + 12, by1 - 8), (bx1, by1)], (150, 80, 0))
    c.polygon([(bx0, by0), (bx0 + 12, by0 - 8), (bx1 + 12, by0 - 8), (bx1, by0)], (255, 235, 150))
    block_text(c, "K", bx0 + 10, by0 + 10, 4, ((30, 60, 200), (10, 20, 120)), (120, 160, 255),
               (0, 0, 60), gap=0)
    block_text(c, "4.0", bx0 + 40, by0 + 18, 2, ((30, 60, 200), (10, 20, 120)), WHITE, WHITE, gap=0)
    dx, dy = 46, int(height * 0.80)
    c.rect(dx - 26, dy - 26, dx + 26, dy + 26, (40, 40, 50))
    c.rect(dx - 14, dy - 26, dx + 14, dy - 8, (200, 205, 215))
    c.rect(dx - 18, dy + 2, dx + 18, dy + 26, (240, 240, 235))
    c.line(dx - 14, dy + 9, dx + 14, dy + 9, (80, 80, 200), 1.5)
    c.line(dx - 14, dy + 16, dx + 8, dy + 16, (80, 80, 200), 1.5)
    c.star(width - 30, height * 0.20, 14, 6, (255, 240, 160))
    c.star(30, height * 0.14, 8, 3.5, (255, 255, 255))
    return c


def type_button(kind, pressed):
    w, h = 60, 48
    c = Canvas(w, h)
    face_top, face_bottom = ((212, 212, 212), (176, 176, 176)) if not pressed else ((168, 168, 168),
                                                                                       (196, 196, 196))
    c.rect_gradient(0, 0, w, h, face_top, face_bottom)
    light, dark = (255, 255, 255), (64, 64, 64)
    if pressed:
        light, dark = dark, light
    c.rect(0, 0, w, h, (0, 0, 0), 0.0)
    c.bevel(0, 0, w, h, light, dark, 2)
    shift = 1 if pressed else 0

    def box(x, y, size, colour):
        x += shift
        y += shift
        c.rect(x + 2, y + 2, x + size + 2, y + size + 2, (60, 60, 60), 0.5)
        c.rect_gradient(x, y, x + size, y + size, colour[0], colour[1])
        c.bevel(x, y, x + size, y + size, (255, 255, 255), (40, 40, 40), 1)

    blue = ((90, 140, 255), (20, 40, 170))
    gold = ((255, 220, 110), (210, 130, 20))
    green = ((120, 230, 120), (20, 130, 40))
    if kind == 'MINIMUM':
        box(22, 16, 16, blue)
    elif kind == 'TYPICAL':
        box(10, 20, 14, blue)
        box(23, 12, 14, gold)
        box(36, 20, 14, green)
    else:
        box(8, 10, 12, blue)
        box(24, 10, 12, gold)
        box(40, 10, 12, green)
        for i, x in enumerate((8, 24, 40)):
            x += shift
            y = 30 + shift
            c.rect(x, y, x + 12, y + 10, WHITE)
            c.bevel(x, y, x + 12, y + 10, (64, 64, 64), (255, 255, 255), 1)
            if i != 1:
                c.line(x + 3, y + 5, x + 5, y + 8, (0, 110, 0), 1.6)
                c.line(x + 5, y + 8, x + 10, y + 2, (0, 110, 0), 1.6)
    return c


def billboard_background(top, bottom):
    c = Canvas(164, 160)
    c.vertical_gradient(top, bottom)
    return c


def billboard_web():
    c = billboard_background((10, 30, 110), (0, 0, 30))
    starfield(c, 145, 50)
    cx, cy, r = 82, 80, 56
    c.glow(cx, cy, 80, (80, 160, 255), 0.5)
    c.disc(cx, cy, r, (30, 110, 220))
    for lon in (-0.7, -0.35, 0, 0.35, 0.7):
        rx = abs(math.sin(math.pi / 2 - abs(lon) * 2)) * r if lon else 0
        if lon == 0:
            c.line(cx, cy - r, cx, cy + r, (190, 230, 255), 1.5)
        else:
            for t in range(0, 200):
                a = -math.pi / 2 + math.pi * t / 199
                x = cx + math.copysign(r * math.sin(abs(lon) * 2.2), lon) * math.cos(a)
                y = cy + r * math.sin(a)
                c.blend(int(x), int(y), (190, 230, 255), 0.9)
        del rx
    for lat in (-0.6, -0.3, 0, 0.3, 0.6):
        y = cy + r * lat
        half = math.sqrt(max(0, r * r - (y - cy) ** 2))
        c.line(cx - half, y, cx + half, y, (190, 230, 255), 1.2)
    c.disc(cx, cy, r, WHITE, 0.9, inner=r - 2)
    c.disc(cx - 20, cy - 22, 12, WHITE, 0.25)
    return c


def billboard_registration():
    c = billboard_background((120, 30, 20), (30, 0, 10))
    c.glow(82, 80, 90, (255, 140, 80), 0.35)
    x0, y0, x1, y1 = 24, 44, 140, 120
    c.rect(x0 + 4, y0 + 4, x1 + 4, y1 + 4, (0, 0, 0), 0.5)
    c.rect_gradient(x0, y0, x1, y1, (255, 250, 235), (225, 215, 190))
    c.line(x0, y0, 82, 88, (170, 150, 120), 1.5)
    c.line(x1, y0, 82, 88, (170, 150, 120), 1.5)
    c.line(x0, y1, 70, 80, (200, 185, 160), 1.2)
    c.line(x1, y1, 94, 80, (200, 185, 160), 1.2)
    c.rect(x1 - 26, y0 + 6, x1 - 6, y0 + 28, (220, 40, 40))
    c.rect(x1 - 23, y0 + 9, x1 - 9, y0 + 25, (255, 210, 90))
    c.star(82, 30, 16, 7, (255, 225, 90))
    c.disc(82, 134, 10, (220, 40, 40))
    c.disc(82, 134, 6, (255, 200, 200), 0.6)
    return c


def billboard_sales():
    c = billboard_background((20, 90, 40), (0, 25, 10))
    c.glow(82, 70, 90, (150, 255, 150), 0.3)
    bars = [30, 48, 70, 96, 124]
    for i, h in enumerate(bars):
        x = 18 + i * 27
        c.rect(x + 3, 140 - h + 3, x + 21, 143, (0, 0, 0), 0.45)
        c.rect_gradient(x, 140 - h, x + 18, 140, (140, 255, 140), (20, 140, 40))
        c.bevel(x, 140 - h, x + 18, 140, (220, 255, 220), (0, 70, 0), 1)
    c.line(14, 141, 152, 141, WHITE, 2)
    c.line(22, 100, 138, 20, (255, 230, 90), 3)
    c.polygon([(138, 12), (146, 28), (128, 24)], (255, 230, 90))
    c.star(40, 30, 14, 6, (255, 240, 170))
    return c


def billboard_new():
    c = billboard_background((90, 20, 130), (20, 0, 40))
    c.glow(82, 70, 90, (255, 160, 255), 0.35)
    c.star(82, 66, 62, 38, (255, 215, 60), points=12)
    c.star(82, 66, 54, 33, (255, 180, 30), points=12)
    block_text(c, "NEW", 82 - text_width("NEW", 5) // 2, 66 - 17, 5, ((200, 20, 40), (130, 0, 20)),
               (255, 130, 140), (70, 0, 0), gap=0)
    block_text(c, "4.0", 82 - text_width("4.0", 4) // 2, 128, 4, ((240, 240, 255), (170, 170, 230)),
               WHITE, (60, 40, 120), gap=0, shadow=(0, 0, 0))
    return c


def billboard_titles():
    c = billboard_background((0, 70, 110), (0, 15, 35))
    c.glow(82, 80, 90, (120, 220, 255), 0.3)
    colours = [((255, 120, 100), (180, 30, 20)), ((120, 180, 255), (30, 70, 200)),
               ((255, 220, 110), (210, 130, 20)), ((140, 240, 150), (30, 140, 50))]
    for i, colour in enumerate(colours):
        x0 = 16 + i * 32
        y0 = 30 + (i % 2) * 10
        c.rect(x0 + 4, y0 + 4, x0 + 30, 138, (0, 0, 0), 0.45)
        c.rect_gradient(x0, y0, x0 + 26, 134, colour[0], colour[1])
        c.bevel(x0, y0, x0 + 26, 134, WHITE, (40, 20, 0), 1)
        c.rect(x0 + 5, y0 + 12, x0 + 21, y0 + 16, WHITE, 0.8)
        c.rect(x0 + 5, y0 + 20, x0 + 21, y0 + 22, WHITE, 0.6)
        c.disc(x0 + 13, y0 + 60, 6, WHITE, 0.5)
    c.line(8, 139, 156, 139, (200, 170, 120), 3)
    return c


def billboard_cd():
    c = billboard_background((30, 30, 60), (0, 0, 10))
    cx, cy = 82, 78
    c.glow(cx, cy, 90, (180, 180, 255), 0.3)
    c.disc(cx + 4, cy + 4, 62, (0, 0, 0), 0.5)
    c.disc(cx, cy, 62, (210, 215, 225))
    for i in range(36):
        a0 = i * math.pi * 2 / 36
        hue = i / 36.0
        colour = tuple(int(150 + 100 * math.sin(2 * math.pi * (hue + k / 3.0))) for k in range(3))
        for rr in range(22, 61, 2):
            x = cx + rr * math.cos(a0)
            y = cy + rr * math.sin(a0)
            c.disc(x, y, 3.2, colour, 0.35)
    c.disc(cx, cy, 20, (240, 240, 245))
    c.disc(cx, cy, 8, (30, 30, 60))
    c.disc(cx, cy, 62, (120, 120, 140), 1.0, inner=60.5)
    c.line(cx - 40, cy - 38, cx - 10, cy - 52, WHITE, 3, 0.5)
    return c


def icon_rows(size):
    """The program icon in the VGA colours as rows of palette digits ('.' = transparent):
    a blue disc with a dark rim and a golden K with a black shadow."""
    centre = size / 2
    cell = 3 if size == 32 else 1.5
    left = centre - 2.5 * cell - 1
    top = centre - 3.5 * cell
    glyph = GLYPHS['K']

    def letter(px, py):
        col = int((px - left) // cell)
        row = int((py - top) // cell)
        return 0 <= col < 5 and 0 <= row < 7 and glyph[row * 5 + col] == '#'

    rows = []
    for y in range(size):
        line = ''
        for x in range(size):
            d = math.hypot(x + 0.5 - centre, y + 0.5 - centre)
            if d > centre - 0.5:
                line += '.'
            elif d > centre - 1.5:
                line += '0'
            elif d > centre - (3.5 if size == 32 else 2.5):
                line += '4'
            elif letter(x + 0.5, y + 0.5):
                line += 'b'
            elif letter(x - 0.5, y - 0.5):
                line += '0'
            else:
                line += 'c' if y < centre + (x - centre) * 0.2 else '4' if d > centre - 5 else 'c'
        rows.append(line)
    return rows


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    if sys.argv[1:] == ['--check']:
        return check(here)
    out = sys.argv[1] if len(sys.argv) > 1 else here
    write_all(out)
    return 0


def check(here):
    import tempfile
    with tempfile.TemporaryDirectory() as scratch:
        write_all(scratch)
        stale = [name for name in sorted(os.listdir(scratch))
                 if not os.path.exists(os.path.join(here, name))
                 or open(os.path.join(here, name), 'rb').read() != open(os.path.join(scratch, name), 'rb').read()]
    for name in stale:
        print('out of date: ' + name + ' (run make_art.py and commit the result)')
    return 1 if stale else 0


def write_all(out):
    os.makedirs(out, exist_ok=True)
    pictures = {
        'title.bmp': lambda: title_picture(496, 326),
        'wizbitu.bmp': lambda: wizard_picture(150, 256),
        'billboard0.bmp': billboard_web,
        'billboard1.bmp': billboard_registration,
        'billboard2.bmp': billboard_sales,
        'billboard3.bmp': billboard_new,
        'billboard4.bmp': billboard_titles,
        'billboard5.bmp': billboard_cd,
    }
    for kind in ('MINIMUM', 'TYPICAL', 'CUSTOM'):
        for state, pressed in (('u', False), ('d', True)):
            pictures[kind.lower() + state + '.bmp'] = (lambda k=kind, p=pressed: type_button(k, p))
    for name in sorted(pictures):
        write_bmp(os.path.join(out, name), pictures[name]())
    write_ico(os.path.join(out, 'setup.ico'),
              [(32, icon_image(32, icon_rows(32))), (16, icon_image(16, icon_rows(16)))])


if __name__ == '__main__':
    sys.exit(main())
