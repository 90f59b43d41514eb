#!/usr/bin/env python3
"""Draws the toolbar bitmap and the application icon of Tavlornエクスプローラ.

Writes ../toolbar.bmp (three 20 x 20 images side by side, 24-bit) and
../TavlornExplorer.ico (32 x 32 and 16 x 16, 32-bit with alpha and an AND mask).
Standard library only; run it again after changing a drawing and commit the results.
"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT_DIR = os.path.dirname(HERE)

# The toolbar maps this grey to the button face and masks it out, so it is the
# toolbar images' background.
BUTTON_FACE = (192, 192, 192)

BLACK = (0, 0, 0)
ROOF = (200, 40, 30)
WALL = (250, 240, 215)
DOOR = (140, 80, 30)
GLASS = (90, 160, 230)
FOLDER = (255, 208, 64)
FOLDER_BACK = (224, 168, 32)
FOLDER_EDGE = (128, 88, 0)
ARROW_UP = (0, 64, 176)
GREEN = (40, 180, 40)
GREEN_EDGE = (0, 96, 0)
LIST_BLUE = (0, 120, 255)
LIST_GREY = (196, 196, 196)

SUB = 4  # supersampling per axis: soft diagonals, crisp edges on whole pixels


class Canvas:
    def __init__(self, width, height, background=None):
        self.width, self.height = width, height
        # (r, g, b, a) with a in 0..1; None background means transparent
        fill = (background + (1.0,)) if background else (0, 0, 0, 0.0)
        self.px = [[fill for _ in range(width)] for _ in range(height)]

    def fill(self, inside, colour, box=None):
        """Paints colour over every pixel by the share of its sub-samples inside."""
        x0, y0, x1, y1 = box or (0, 0, self.width, self.height)
        for y in range(max(0, int(y0)), min(self.height, int(math.ceil(y1)))):
            for x in range(max(0, int(x0)), min(self.width, int(math.ceil(x1)))):
                hits = sum(inside(x + (i + 0.5) / SUB, y + (j + 0.5) / SUB)
                           for i in range(SUB) for j in range(SUB))
                if hits:
                    self.blend(x, y, colour, hits / (SUB * SUB))

    def blend(self, x, y, colour, alpha):
        r, g, b, a = self.px[y][x]
        out_a = alpha + a * (1 - alpha)
        if out_a == 0:
            return
        mix = [(c * alpha + d * a * (1 - alpha)) / out_a for c, d in zip(colour, (r, g, b))]
        self.px[y][x] = (mix[0], mix[1], mix[2], out_a)

    def rect(self, x0, y0, x1, y1, colour):
        self.fill(lambda x, y: x0 <= x < x1 and y0 <= y < y1, colour, (x0, y0, x1, y1))

    def framed_rect(self, x0, y0, x1, y1, inner, edge):
        self.rect(x0, y0, x1, y1, edge)
        self.rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, inner)

    def polygon(self, points, colour):
        xs, ys = [p[0] for p in points], [p[1] for p in points]
        self.fill(lambda x, y: inside_polygon(points, x, y), colour,
                  (min(xs), min(ys), max(xs), max(ys)))

    def paste(self, other, dx, dy):
        for y in range(other.height):
            for x in range(other.width):
                self.px[y + dy][x + dx] = other.px[y][x]

    def rgb(self, x, y, background):
        r, g, b, a = self.px[y][x]
        return tuple(int(round(c * a + k * (1 - a))) for c, k in zip((r, g, b), background))

    def rgba(self, x, y):
        r, g, b, a = self.px[y][x]
        return (int(round(r)), int(round(g)), int(round(b)), int(round(a * 255)))


def inside_polygon(points, x, y):
    inside = False
    n = len(points)
    for i in range(n):
        (xa, ya), (xb, yb) = points[i], points[(i + 1) % n]
        if (ya > y) != (yb > y) and x < xa + (y - ya) * (xb - xa) / (yb - ya):
            inside = not inside
    return inside


def grow(points, d):
    """Moves each vertex of a convex polygon d away from its centre (outline shapes)."""
    cx = sum(p[0] for p in points) / len(points)
    cy = sum(p[1] for p in points) / len(points)
    out = []
    for x, y in points:
        length = math.hypot(x - cx, y - cy) or 1
        out.append((x + (x - cx) / length * d, y + (y - cy) / length * d))
    return out


def draw_house():
    c = Canvas(20, 20, BUTTON_FACE)
    c.framed_rect(13, 2, 16, 8, ROOF, BLACK)                      # chimney
    c.polygon([(0.5, 10.5), (10, 1.0), (19.5, 10.5)], BLACK)      # roof outline
    c.polygon([(2.8, 9.6), (10, 2.4), (17.2, 9.6)], ROOF)
    c.framed_rect(3, 9, 17, 19, WALL, BLACK)                      # walls
    c.framed_rect(5, 12, 9, 19, DOOR, BLACK)
    c.framed_rect(11, 11, 15, 15, GLASS, BLACK)
    return c


def draw_folder_up():
    c = Canvas(20, 20, BUTTON_FACE)
    c.framed_rect(1, 3, 8, 7, FOLDER_BACK, FOLDER_EDGE)          # tab
    c.framed_rect(1, 6, 19, 18, FOLDER_BACK, FOLDER_EDGE)        # back
    c.framed_rect(1, 8, 19, 18, FOLDER, FOLDER_EDGE)             # front
    # upward arrow standing out of the folder
    head = [(12, 1.5), (16.5, 7.5), (7.5, 7.5)]
    c.polygon(grow(head, 1.2), BLACK)
    c.rect(9.5, 7, 14.5, 16, BLACK)
    c.polygon(head, ARROW_UP)
    c.rect(10.5, 7, 13.5, 15, ARROW_UP)
    return c


def draw_reload():
    c = Canvas(20, 20, BUTTON_FACE)
    cx, cy = 10.0, 11.0

    def arc(r_in, r_out, start, end):
        # angles in degrees, clockwise from straight up
        def inside(x, y):
            r = math.hypot(x - cx, y - cy)
            a = math.degrees(math.atan2(x - cx, cy - y)) % 360
            return r_in <= r <= r_out and start <= a <= end
        return inside

    c.fill(arc(4.0, 8.6, 70, 360), GREEN_EDGE)
    c.fill(arc(5.0, 7.6, 75, 360), GREEN)
    # arrow head at the top end of the ring, pointing clockwise (to the right)
    head = [(9.0, 1.4), (15.5, 4.7), (9.0, 8.0)]
    c.polygon(grow(head, 1.1), GREEN_EDGE)
    c.polygon(head, GREEN)
    return c


def draw_app_icon(size):
    """A folder holding the program's black list with blue and grey rows."""
    c = Canvas(size, size)
    if size == 32:
        c.framed_rect(1, 4, 13, 9, FOLDER_BACK, FOLDER_EDGE)
        c.framed_rect(1, 7, 31, 29, FOLDER_BACK, FOLDER_EDGE)
        c.framed_rect(5, 2, 27, 22, BLACK, (90, 90, 90))
        for i, colour in enumerate((LIST_BLUE, LIST_GREY, LIST_BLUE, LIST_GREY)):
            c.rect(7, 4 + 3 * i, 7 + (18, 14, 11, 16)[i], 6 + 3 * i, colour)
        c.polygon([(1, 15), (31, 15), (31, 29), (1, 29)], FOLDER_EDGE)
        c.polygon([(2, 16), (30, 16), (30, 28), (2, 28)], FOLDER)
    else:
        c.framed_rect(0, 2, 7, 5, FOLDER_BACK, FOLDER_EDGE)
        c.framed_rect(0, 4, 16, 15, FOLDER_BACK, FOLDER_EDGE)
        c.rect(2, 1, 14, 11, BLACK)
        for i, colour in enumerate((LIST_BLUE, LIST_GREY, LIST_BLUE)):
            c.rect(3, 2 + 2 * i, 3 + (9, 7, 6)[i], 3 + 2 * i, colour)
        c.rect(0, 8, 16, 15, FOLDER_EDGE)
        c.rect(1, 9, 15, 14, FOLDER)
    return c


def bmp_24(canvas):
    w, h = canvas.width, canvas.height
    stride = (w * 3 + 3) & ~3
    rows = []
    for y in reversed(range(h)):  # bottom-up
        row = bytearray()
        for x in range(w):
            r, g, b = canvas.rgb(x, y, BUTTON_FACE)
            row += bytes((b, g, r))
        rows.append(bytes(row) + b"\0" * (stride - len(row)))
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


def icon_image(canvas):
    """One icon image: BITMAPINFOHEADER (double height), BGRA rows, AND mask rows."""
    w, h = canvas.width, canvas.height
    colour = bytearray()
    mask = bytearray()
    mask_stride = ((w + 31) // 32) * 4
    for y in reversed(range(h)):
        row = bytearray(mask_stride)
        for x in range(w):
            r, g, b, a = canvas.rgba(x, y)
            colour += bytes((b, g, r, a))
            if a == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0)
    return info + bytes(colour) + bytes(mask)


def ico(canvases):
    images = [icon_image(c) for c in canvases]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for c, data in zip(canvases, images):
        out += struct.pack("<BBBBHHII", c.width % 256, c.height % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


def main():
    strip = Canvas(60, 20, BUTTON_FACE)
    for i, draw in enumerate((draw_house, draw_folder_up, draw_reload)):
        strip.paste(draw(), 20 * i, 0)
    with open(os.path.join(OUT_DIR, "toolbar.bmp"), "wb") as f:
        f.write(bmp_24(strip))
    with open(os.path.join(OUT_DIR, "TavlornExplorer.ico"), "wb") as f:
        f.write(ico([draw_app_icon(32), draw_app_icon(16)]))


if __name__ == "__main__":
    main()
