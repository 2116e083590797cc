#!/usr/bin/env python3
"""Draws the program's pictures from one set of shapes and writes every file under res/.

The motif is a small periodic table whose empty top middle holds a water molecule. It is kept
as vector shapes (rounded cells, atoms, bonds), rasterised here with signed distances so that
every size and the SVG come from the same drawing. Only the Python standard library is used,
so the files can be rebuilt anywhere:

    python3 scripts/make-images.py [folder]

writes into res/ of the repository, or into the given folder (the test that checks the
committed files against this script uses that).
"""

import math
import os
import struct
import sys
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RES = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "res")

# Element-kind colours, shared by every picture.
ALKALI = (240, 138, 36)
ALKALINE = (245, 197, 66)
TRANSITION = (63, 127, 216)
POST_METAL = (127, 147, 176)
NONMETAL = (63, 179, 107)
NOBLE = (142, 95, 208)
INNER = (47, 179, 179)
OXYGEN = (224, 59, 59)
OXYGEN_LIGHT = (246, 142, 130)
HYDROGEN = (255, 255, 255)
ATOM_EDGE = (72, 82, 99)
BOND = (72, 82, 99)
CARD = (248, 250, 253)
CARD_EDGE = (164, 178, 199)


class Cell:
    def __init__(self, x, y, w, h, r, colour):
        self.x, self.y, self.w, self.h, self.r, self.colour = x, y, w, h, r, colour

    def bounds(self):
        return self.x, self.y, self.x + self.w, self.y + self.h

    def distance(self, px, py):
        hw, hh = self.w / 2, self.h / 2
        qx = abs(px - (self.x + hw)) - (hw - self.r)
        qy = abs(py - (self.y + hh)) - (hh - self.r)
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - self.r

    def svg(self):
        return '<rect x="%g" y="%g" width="%g" height="%g" rx="%g" fill="%s" stroke="none"/>' % (
            self.x, self.y, self.w, self.h, self.r, hex_colour(self.colour))


class Disc:
    def __init__(self, cx, cy, r, colour):
        self.cx, self.cy, self.r, self.colour = cx, cy, r, colour

    def bounds(self):
        return self.cx - self.r, self.cy - self.r, self.cx + self.r, self.cy + self.r

    def distance(self, px, py):
        return math.hypot(px - self.cx, py - self.cy) - self.r

    def svg(self):
        return '<circle cx="%g" cy="%g" r="%g" fill="%s" stroke="none"/>' % (
            self.cx, self.cy, self.r, hex_colour(self.colour))


class Stick:
    """A line with round ends: a chemical bond."""

    def __init__(self, x1, y1, x2, y2, width, colour):
        self.x1, self.y1, self.x2, self.y2 = x1, y1, x2, y2
        self.width, self.colour = width, colour

    def bounds(self):
        h = self.width / 2
        return (min(self.x1, self.x2) - h, min(self.y1, self.y2) - h,
                max(self.x1, self.x2) + h, max(self.y1, self.y2) + h)

    def distance(self, px, py):
        dx, dy = self.x2 - self.x1, self.y2 - self.y1
        t = ((px - self.x1) * dx + (py - self.y1) * dy) / (dx * dx + dy * dy)
        t = min(max(t, 0.0), 1.0)
        return math.hypot(px - (self.x1 + t * dx), py - (self.y1 + t * dy)) - self.width / 2

    def svg(self):
        return ('<line x1="%g" y1="%g" x2="%g" y2="%g" stroke="%s" stroke-width="%g" '
                'stroke-linecap="round"/>' % (self.x1, self.y1, self.x2, self.y2,
                                             hex_colour(self.colour), self.width))


def hex_colour(c):
    return "#%02x%02x%02x" % c


def water(ox, oy, o_r, h_dx, h_dy, h_r, edge, bond):
    """Oxygen below, the two hydrogens up left and up right; an outline keeps the white
    hydrogens visible on light backgrounds."""
    shapes = []
    for sx in (-1, 1):
        shapes.append(Stick(ox, oy, ox + sx * h_dx, oy - h_dy, bond, BOND))
    for sx in (-1, 1):
        shapes.append(Disc(ox + sx * h_dx, oy - h_dy, h_r + edge, ATOM_EDGE))
        shapes.append(Disc(ox + sx * h_dx, oy - h_dy, h_r, HYDROGEN))
    shapes.append(Disc(ox, oy, o_r + edge, ATOM_EDGE))
    shapes.append(Disc(ox, oy, o_r, OXYGEN))
    shapes.append(Disc(ox - o_r * 0.35, oy - o_r * 0.35, o_r * 0.32, OXYGEN_LIGHT))
    return shapes


def icon_scene(size):
    """The program icon, drawn in pixels for one size: six columns that keep the table's
    outline (two tall columns on the left, the noble gases on the right, the lower middle
    block and the inner transition row below), with water sitting in the gap at the top.
    Cells are snapped to whole pixels so that every size stays sharp."""
    u = size / 32
    pitch = int(size * 5 / 32)
    gap = max(1, round(pitch / 5))
    cell = pitch - gap
    x0 = (size - (6 * pitch - gap)) // 2
    y0 = round(4 * u)
    kinds = [ALKALI, ALKALINE, TRANSITION, TRANSITION, NONMETAL, NOBLE]
    rows = {0: (0, 5), 1: (0, 1, 4, 5), 2: range(6), 3: range(6)}
    shapes = []
    for row, cols in rows.items():
        for col in cols:
            shapes.append(Cell(x0 + pitch * col, y0 + pitch * row, cell, cell, 0.6 * u, kinds[col]))
    for col in range(1, 5):
        shapes.append(Cell(x0 + pitch * col, y0 + 4 * pitch + round(u), cell, cell, 0.6 * u, INNER))
    centre = x0 + (6 * pitch - gap) / 2
    shapes += water(centre, y0 + 5.5 * u, 3.0 * u, 6.0 * u, 4.0 * u, 2.0 * u, 0.8 * u, 1.6 * u)
    return shapes


def table_kind(row, col):
    if col == 17:
        return NOBLE
    if row == 0:
        return NONMETAL
    if col == 0:
        return ALKALI
    if col == 1:
        return ALKALINE
    if col < 12:
        return TRANSITION
    return NONMETAL if col - 12 >= row - 1 else POST_METAL


def table_scene(width, height):
    """The main window's picture: the full eighteen-column table on a light card, with the
    water molecule in the gap above the transition metals."""
    shapes = [Cell(0, 0, width, height, 0, CARD_EDGE), Cell(1, 1, width - 2, height - 2, 0, CARD)]
    x0, y0 = 6, 14
    for row in range(7):
        for col in range(18):
            if row == 0 and 0 < col < 17:
                continue
            if row in (1, 2) and 1 < col < 12:
                continue
            shapes.append(Cell(x0 + 4 * col, y0 + 4 * row, 3, 3, 0.4, table_kind(row, col)))
    for row in range(2):
        for col in range(2, 17):
            shapes.append(Cell(x0 + 4 * col, y0 + 30 + 4 * row, 3, 3, 0.4, INNER))
    shapes += water(33.5, 14.0, 3.9, 8.2, 5.6, 2.5, 0.9, 1.7)
    return shapes


def rasterise(shapes, size_px, units, offset=(0.0, 0.0), background=None):
    """RGBA floats, row by row. Coverage of each shape at a pixel is its signed distance at the
    pixel's centre, one pixel wide of antialiasing."""
    width, height = size_px
    scale = width / units[0]
    pixels = [[list(background) + [1.0] if background else [0.0, 0.0, 0.0, 0.0]
               for _ in range(width)] for _ in range(height)]
    for shape in shapes:
        bx0, by0, bx1, by1 = shape.bounds()
        xs = range(max(0, int((bx0 + offset[0]) * scale) - 1), min(width, int((bx1 + offset[0]) * scale) + 2))
        ys = range(max(0, int((by0 + offset[1]) * scale) - 1), min(height, int((by1 + offset[1]) * scale) + 2))
        colour = shape.colour
        for y in ys:
            uy = (y + 0.5) / scale - offset[1]
            row = pixels[y]
            for x in xs:
                ux = (x + 0.5) / scale - offset[0]
                cover = 0.5 - shape.distance(ux, uy) * scale
                if cover <= 0.0:
                    continue
                a = min(cover, 1.0)
                p = row[x]
                out_a = a + p[3] * (1.0 - a)
                for i in range(3):
                    p[i] = (colour[i] * a + p[i] * p[3] * (1.0 - a)) / out_a
                p[3] = out_a
    return pixels


def to_bytes_rgba(pixels):
    return [[tuple(int(round(v)) for v in p[:3]) + (int(round(p[3] * 255)),) for p in row]
            for row in pixels]


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def write_png_rgba(path, img):
    h, w = len(img), len(img[0])
    raw = b"".join(b"\x00" + bytes(v for p in row for v in p) for row in img)
    data = (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
            + png_chunk(b"IDAT", zlib.compress(raw, 9)) + png_chunk(b"IEND", b""))
    save(path, data)


def write_png_indexed(path, indices, palette):
    """Four bits per pixel; index 0 is the transparent one."""
    h, w = len(indices), len(indices[0])
    raw = b""
    for row in indices:
        raw += b"\x00" + bytes((row[x] << 4) | row[x + 1] for x in range(0, w, 2))
    plte = b"".join(bytes(c) for c in palette)
    data = (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 4, 3, 0, 0, 0))
            + png_chunk(b"PLTE", plte) + png_chunk(b"tRNS", b"\x00")
            + png_chunk(b"IDAT", zlib.compress(raw, 9)) + png_chunk(b"IEND", b""))
    save(path, data)


def write_bmp24(path, img):
    """Uncompressed, bottom-up, rows padded to four bytes."""
    h, w = len(img), len(img[0])
    stride = (w * 3 + 3) & ~3
    body = b""
    for row in reversed(img):
        line = bytes(v for p in row for v in (p[2], p[1], p[0]))
        body += line + b"\x00" * (stride - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(body), 0, 0, 14 + 40)
    save(path, head + info + body)


def write_ico4(path, indices, palette):
    """One image, four bits per pixel, with the AND mask taken from palette index 0."""
    h, w = len(indices), len(indices[0])
    xor = b""
    for row in reversed(indices):
        xor += bytes((row[x] << 4) | row[x + 1] for x in range(0, w, 2)).ljust((w // 2 + 3) & ~3, b"\x00")
    mask = b""
    for row in reversed(indices):
        bits = 0
        for x in range(w):
            bits = (bits << 1) | (1 if row[x] == 0 else 0)
        mask += bits.to_bytes(w // 8, "big").ljust(((w + 31) // 32) * 4, b"\x00")
    info = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    pal = b"".join(bytes((c[2], c[1], c[0], 0)) for c in palette)
    image = info + pal + xor + mask
    head = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", w, h, 16, 0, 1, 4, len(image), 22)
    save(path, head + image)


def quantise16(img, seeds):
    """Maps an RGBA image onto 16 colours: index 0 transparent, then the drawing's own flat
    colours, then the most frequent edge shades that the flat colours match worst."""
    def dist(a, b):
        return sum((a[i] - b[i]) ** 2 for i in range(3))

    palette = [(0, 0, 0)] + [tuple(s) for s in dict.fromkeys(seeds)]
    counts = {}
    for row in img:
        for p in row:
            if p[3] >= 128:
                counts[p[:3]] = counts.get(p[:3], 0) + 1
    while len(palette) < 16:
        worst, worst_err = None, 0
        for c, n in sorted(counts.items()):
            err = n * min(dist(c, q) for q in palette[1:])
            if err > worst_err:
                worst, worst_err = c, err
        if worst is None:
            break
        palette.append(worst)
    palette += [(0, 0, 0)] * (16 - len(palette))
    indices = [[0 if p[3] < 128 else 1 + min(range(15), key=lambda i: dist(p, palette[1 + i]))
                for p in row] for row in img]
    return indices, palette


def write_svg(path, shapes, units):
    body = "\n  ".join(s.svg() for s in shapes)
    text = ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">\n'
            '  <title>Zerkan Kütlesi</title>\n  %s\n</svg>\n' % (units[0], units[1], units[0], units[1], body))
    save(path, text.encode("utf-8"))


def save(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)
    print(os.path.relpath(path, RES), len(data), "bytes")


def main():
    icon = icon_scene(32)
    small = to_bytes_rgba(rasterise(icon, (32, 32), (32, 32)))
    flat = [s.colour for s in icon]
    indices, palette = quantise16(small, flat)
    write_png_indexed(os.path.join(RES, "icon180.png"), indices, palette)
    write_ico4(os.path.join(RES, "zerkan.ico"), indices, palette)

    for size in (48, 64, 128, 256):
        img = to_bytes_rgba(rasterise(icon_scene(size), (size, size), (size, size)))
        write_png_rgba(os.path.join(RES, "icons", "hicolor", "%dx%d" % (size, size), "apps",
                                    "zerkan-kutlesi.png"), img)
    write_svg(os.path.join(RES, "icons", "hicolor", "scalable", "apps", "zerkan-kutlesi.svg"),
              icon, (32, 32))

    table = table_scene(83, 55)
    write_bmp24(os.path.join(RES, "bitmap132.bmp"),
                to_bytes_rgba(rasterise(table, (83, 55), (83, 55))))
    about = [Cell(0, 0, 33, 33, 0, CARD_EDGE), Cell(1, 1, 31, 31, 0, CARD)]
    about_img = rasterise(about, (33, 33), (33, 33))
    shifted = rasterise(icon, (33, 33), (33, 33), offset=(1.0, 0.0))
    for y in range(33):
        for x in range(33):
            p, q = about_img[y][x], shifted[y][x]
            for i in range(3):
                p[i] = q[i] * q[3] + p[i] * (1.0 - q[3])
    write_bmp24(os.path.join(RES, "bitmap177.bmp"), to_bytes_rgba(about_img))

    # The browser edition: the same two pictures as PNG, and the larger icons a phone's home
    # screen asks for.
    write_png_rgba(os.path.join(RES, "web", "bitmap132.png"),
                   to_bytes_rgba(rasterise(table, (83, 55), (83, 55))))
    write_png_rgba(os.path.join(RES, "web", "bitmap177.png"), to_bytes_rgba(about_img))
    for size in (192, 512):
        img = to_bytes_rgba(rasterise(icon_scene(size), (size, size), (size, size)))
        write_png_rgba(os.path.join(RES, "web", "icon-%d.png" % size), img)
    return 0


if __name__ == "__main__":
    sys.exit(main())
