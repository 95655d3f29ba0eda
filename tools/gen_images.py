#!/usr/bin/env python3
"""Draws the program's images for the resource compiler.

Writes into the given directory:
  vormapper.ico        program icon, 32 x 32 and 16 x 16, 32 bits per pixel
  dir_n.ico .. dir_d   the ten direction icons (N, S, E, W, NE, NW, SE, SW, U, D), 32 x 32 monochrome:
                       a small black arrow on a transparent ground, kept inside the wind rose's
                       button frames (pixels 6 to 23 of the 30-pixel cell it is drawn into);
                       then the same drawn at 48 x 48 and 64 x 64 for the rose's larger cells
                       on screens of 144 and 192 pixels per inch
  toolbar.bmp          8 toolbar buttons of 16 x 15, 24 bpp, light grey background:
                       New, Open, Save, Zoom in, Zoom out, Lower plane, Higher plane, Reset rotation

Standard library only; the output is the same on every run.
"""
import math
import os
import struct
import sys

SUB = 4  # subsamples per pixel side


class Canvas:
    """RGBA pixels (0..255 colour, 0..1 alpha), shapes blended with coverage."""

    def __init__(self, w, h, background=None):
        self.w, self.h = w, h
        bg = (0, 0, 0, 0.0) if background is None else (*background, 1.0)
        self.px = [[list(bg) for _ in range(w)] for _ in range(h)]

    def fill(self, inside, colour, bbox=None):
        x0, y0, x1, y1 = bbox or (0, 0, self.w, self.h)
        x0, y0 = max(0, int(math.floor(x0))), max(0, int(math.floor(y0)))
        x1, y1 = min(self.w, int(math.ceil(x1)) + 1), min(self.h, int(math.ceil(y1)) + 1)
        for y in range(y0, y1):
            for x in range(x0, x1):
                hits = 0
                for sy in range(SUB):
                    for sx in range(SUB):
                        if inside(x + (sx + 0.5) / SUB, y + (sy + 0.5) / SUB):
                            hits += 1
                if hits:
                    self.blend(x, y, colour, hits / (SUB * SUB))

    def blend(self, x, y, colour, cover):
        r, g, b = colour[:3]
        a = cover * (colour[3] if len(colour) > 3 else 1.0)
        p = self.px[y][x]
        out_a = a + p[3] * (1 - a)
        if out_a <= 0:
            return
        for i, c in enumerate((r, g, b)):
            p[i] = (c * a + p[i] * p[3] * (1 - a)) / out_a
        p[3] = out_a

    # Shapes, in pixel coordinates (pixel centres at .5).
    def polygon(self, pts, colour):
        xs, ys = [p[0] for p in pts], [p[1] for p in pts]
        self.fill(lambda x, y: point_in_polygon(x, y, pts), colour, (min(xs), min(ys), max(xs), max(ys)))

    def rect(self, x0, y0, x1, y1, colour):
        self.fill(lambda x, y: x0 <= x < x1 and y0 <= y < y1, colour, (x0, y0, x1, y1))

    def circle(self, cx, cy, r, colour, inner=0.0):
        self.fill(lambda x, y: inner * inner <= (x - cx) ** 2 + (y - cy) ** 2 <= r * r, colour,
                  (cx - r, cy - r, cx + r, cy + r))

    def line(self, ax, ay, bx, by, width, colour):
        half = width / 2
        self.fill(lambda x, y: segment_distance(x, y, ax, ay, bx, by) <= half, colour,
                  (min(ax, bx) - half, min(ay, by) - half, max(ax, bx) + half, max(ay, by) + half))

    def outline(self, pts, width, colour):
        for i in range(len(pts)):
            (ax, ay), (bx, by) = pts[i], pts[(i + 1) % len(pts)]
            self.line(ax, ay, bx, by, width, colour)


def point_in_polygon(x, y, pts):
    inside = False
    j = len(pts) - 1
    for i in range(len(pts)):
        xi, yi = pts[i]
        xj, yj = pts[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length2))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def rotate(pts, degrees, cx, cy):
    a = math.radians(degrees)
    c, s = math.cos(a), math.sin(a)
    return [(cx + (x - cx) * c - (y - cy) * s, cy + (x - cx) * s + (y - cy) * c) for x, y in pts]


# ---------------------------------------------------------------- file formats

def ico_image(canvas):
    w, h = canvas.w, canvas.h
    header = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = bytearray()
    for y in reversed(range(h)):
        for x in range(w):
            r, g, b, a = canvas.px[y][x]
            alpha = int(round(a * 255))
            xor += bytes((int(round(b)) if alpha else 0, int(round(g)) if alpha else 0,
                          int(round(r)) if alpha else 0, alpha))
    row_bytes = ((w + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(h)):
        row = bytearray(row_bytes)
        for x in range(w):
            if canvas.px[y][x][3] < 0.5:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    return header + bytes(xor) + bytes(mask)


def mono_ico_image(canvas):
    """1 bit per pixel: black where the canvas is at least half covered, else transparent."""
    w, h = canvas.w, canvas.h
    header = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    row_bytes = ((w + 31) // 32) * 4
    xor, mask = bytearray(), bytearray()
    for y in reversed(range(h)):
        colour, transparent = bytearray(row_bytes), bytearray(row_bytes)
        for x in range(w):
            if canvas.px[y][x][3] < 0.5:
                transparent[x // 8] |= 0x80 >> (x % 8)  # colour bit 0 and mask bit 1: the ground shows
        xor += colour
        mask += transparent
    return header + palette + bytes(xor) + bytes(mask)


def write_icon_file(path, canvases, images, colours, bpp):
    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for c, img in zip(canvases, images):
        out += struct.pack('<BBBBHHII', c.w % 256, c.h % 256, colours, 0, 1, bpp, len(img), offset)
        offset += len(img)
    with open(path, 'wb') as f:
        f.write(out + b''.join(images))


def write_mono_ico(path, canvases):
    write_icon_file(path, canvases, [mono_ico_image(c) for c in canvases], 2, 1)


def write_ico(path, canvases):
    write_icon_file(path, canvases, [ico_image(c) for c in canvases], 0, 32)


def write_bmp24(path, canvas, background):
    w, h = canvas.w, canvas.h
    row_bytes = (w * 3 + 3) & ~3
    pixels = bytearray()
    for y in reversed(range(h)):
        row = bytearray()
        for x in range(w):
            r, g, b, a = canvas.px[y][x]
            rgb = [c * a + bg * (1 - a) for c, bg in zip((r, g, b), background)]
            row += bytes((int(round(rgb[2])), int(round(rgb[1])), int(round(rgb[0]))))
        row += bytes(row_bytes - len(row))
        pixels += row
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    head = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    with open(path, 'wb') as f:
        f.write(head + info + pixels)


# ---------------------------------------------------------------- pictures

DARK = (20, 30, 60)


def program_icon(size):
    """A map: a blue-grey sheet with three rooms joined by links."""
    s = size / 32.0
    c = Canvas(size, size)
    c.rect(1 * s, 1 * s, 31 * s, 31 * s, DARK)
    c.rect(2 * s, 2 * s, 30 * s, 30 * s, (70, 120, 170))
    rooms = [(6, 6), (19, 6), (19, 19)]
    c.line(11 * s, 8.5 * s, 19 * s, 8.5 * s, 2 * s, (240, 240, 240))
    c.line(21.5 * s, 11 * s, 21.5 * s, 19 * s, 2 * s, (240, 240, 240))
    c.line(10 * s, 10 * s, 20 * s, 20 * s, 1.2 * s, (200, 220, 240))
    for i, (x, y) in enumerate(rooms):
        c.rect(x * s, y * s, (x + 7) * s, (y + 7) * s, DARK)
        colour = (250, 210, 60) if i == 2 else (250, 250, 250)
        c.rect((x + 1) * s, (y + 1) * s, (x + 6) * s, (y + 6) * s, colour)
    c.circle(8.5 * s, 23.5 * s, 3.5 * s, (220, 60, 50))  # the character's position
    return c


# The direction arrow around the centre (15, 15) of a 30-pixel wind rose cell,
# pointing north; no point lies farther than 8.5 pixels from the centre, so
# that every rotation, moved by one pixel when pressed, stays inside the
# button frames (pixels 4 to 25 are free).
ARROW = [(15, 7), (22, 14), (17.5, 14), (17.5, 23), (12.5, 23), (12.5, 14), (8, 14)]
DIRECTIONS = [('n', 0), ('s', 180), ('e', 90), ('w', 270), ('ne', 45), ('nw', -45), ('se', 135), ('sw', 225)]
INK = (0, 0, 0)


ROSE_ICON_SIZES = (32, 48, 64)  # the cell's scale: 1, 1.5, 2


def scaled(pts, s):
    return [(x * s, y * s) for x, y in pts]


def direction_icon(degrees, size=32):
    s = size / 32.0
    c = Canvas(size, size)
    c.polygon(scaled(rotate(ARROW, degrees, 15, 15), s), INK)
    return c


def level_icon(up, size=32):
    """Up: an arrow rising from a line below it; down: the same upside down."""
    s = size / 32.0
    c = Canvas(size, size)
    arrow = [(15, 7), (21, 13), (17, 13), (17, 19.5), (13, 19.5), (13, 13), (9, 13)]
    floor = (8.5, 21, 21.5, 23)
    if not up:
        arrow = [(x, 30 - y) for x, y in arrow]
        floor = (floor[0], 30 - floor[3], floor[2], 30 - floor[1])
    c.polygon(scaled(arrow, s), INK)
    c.rect(*[v * s for v in floor], INK)
    return c


def button_new(c, x):
    page = [(x + 3, 1), (x + 10, 1), (x + 13, 4), (x + 13, 14), (x + 3, 14)]
    c.polygon(page, (255, 255, 255))
    c.outline(page, 1, (0, 0, 0))
    c.line(x + 10, 1, x + 10, 4.5, 1, (0, 0, 0))
    c.line(x + 10, 4.5, x + 13, 4.5, 1, (0, 0, 0))


def button_open(c, x):
    back = [(x + 1, 3), (x + 6, 3), (x + 7, 5), (x + 13, 5), (x + 13, 13), (x + 1, 13)]
    c.polygon(back, (200, 160, 40))
    c.outline(back, 1, (90, 60, 0))
    front = [(x + 3, 7), (x + 15, 7), (x + 13, 13), (x + 1, 13)]
    c.polygon(front, (250, 215, 80))
    c.outline(front, 1, (90, 60, 0))


def button_save(c, x):
    c.rect(x + 1, 1, x + 15, 14, (0, 0, 0))
    c.rect(x + 2, 2, x + 14, 13, (40, 80, 170))
    c.rect(x + 4, 2, x + 12, 7, (255, 255, 255))
    c.rect(x + 5, 9, x + 11, 13, (200, 200, 200))
    c.rect(x + 9, 10, x + 10, 12, (40, 80, 170))


def magnifier(c, x, plus):
    c.line(x + 9.5, 9.5, x + 14, 14, 2.5, (80, 50, 20))
    c.circle(x + 6.5, 6.5, 5.5, (0, 0, 0))
    c.circle(x + 6.5, 6.5, 4.3, (220, 240, 255))
    c.line(x + 4, 6.5, x + 9, 6.5, 1.4, (0, 0, 0))
    if plus:
        c.line(x + 6.5, 4, x + 6.5, 9, 1.4, (0, 0, 0))


def plane_button(c, x, up):
    plane = [(x + 1, 11), (x + 7, 8.5), (x + 15, 11), (x + 9, 13.5)]
    c.polygon(plane, (150, 150, 150))
    c.outline(plane, 1, (0, 0, 0))
    arrow = [(x + 8, 0.5), (x + 12.5, 5), (x + 10, 5), (x + 10, 10), (x + 6, 10), (x + 6, 5), (x + 3.5, 5)]
    if not up:
        arrow = [(px, 10.5 - py) for px, py in arrow]
    c.polygon(arrow, (40, 170, 60) if up else (220, 120, 30))
    c.outline(arrow, 0.8, (0, 0, 0))


def button_reset_rotation(c, x):
    cx, cy = x + 8, 7.5
    c.fill(lambda px, py: 3.3 ** 2 <= (px - cx) ** 2 + (py - cy) ** 2 <= 5.6 ** 2 and
           not (px > cx and py < cy), (30, 60, 160), (x, 1, x + 16, 14))
    c.polygon([(cx + 1.5, cy - 8), (cx + 1.5, cy - 0.8), (cx - 2.5, cy - 4.4)], (30, 60, 160))
    c.line(cx, cy - 2, cx, cy + 1.5, 1.2, (0, 0, 0))  # the zero mark


def toolbar():
    bg = (192, 192, 192)
    c = Canvas(16 * 8, 15)
    button_new(c, 0)
    button_open(c, 16)
    button_save(c, 32)
    magnifier(c, 48, True)
    magnifier(c, 64, False)
    plane_button(c, 80, False)
    plane_button(c, 96, True)
    button_reset_rotation(c, 112)
    return c, bg


def main(argv):
    if len(argv) != 2:
        sys.stderr.write('usage: gen_images.py OUTPUT_DIR\n')
        return 2
    out = argv[1]
    os.makedirs(out, exist_ok=True)
    write_ico(os.path.join(out, 'vormapper.ico'), [program_icon(32), program_icon(16)])
    for name, degrees in DIRECTIONS:
        write_mono_ico(os.path.join(out, 'dir_%s.ico' % name), [direction_icon(degrees, n) for n in ROSE_ICON_SIZES])
    write_mono_ico(os.path.join(out, 'dir_u.ico'), [level_icon(True, n) for n in ROSE_ICON_SIZES])
    write_mono_ico(os.path.join(out, 'dir_d.ico'), [level_icon(False, n) for n in ROSE_ICON_SIZES])
    canvas, bg = toolbar()
    write_bmp24(os.path.join(out, 'toolbar.bmp'), canvas, bg)
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
