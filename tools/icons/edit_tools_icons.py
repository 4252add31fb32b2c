#!/usr/bin/env python3
"""Draws the edit-tools pane's tool icons into Lumaret/res/editor, at 16, 20,
24 and 32 pixels: the dotted selection rectangle, a pencil, a paint brush, a
magnifying glass, a spray can, an eyedropper, four arrows for moving the
visible area, a letter for text, and the four drawing tools that are not
finished yet (paint bucket, line, ellipse, polygon). Shapes are given in
32-pixel units and scaled; the pane shows the 20-pixel images. Run it
again after changing a drawing; the files are committed."""
import math
import os
import struct
import sys

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "Lumaret", "res", "editor")

BLACK, WHITE = (0, 0, 0), (255, 255, 255)
DARK = (40, 40, 40)


class Canvas:
    def __init__(self, size):
        self.size = size
        self.s = size / 32.0
        self.px = [[None] * size for _ in range(size)]

    def put(self, x, y, colour):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.px[y][x] = colour

    def rect(self, x0, y0, x1, y1, colour):
        """Fills [x0, x1) x [y0, y1) in 32-pixel units."""
        s = self.s
        for y in range(int(y0 * s), max(int(y0 * s) + 1, int(round(y1 * s)))):
            for x in range(int(x0 * s), max(int(x0 * s) + 1, int(round(x1 * s)))):
                self.put(x, y, colour)

    def disc(self, cx, cy, r, colour):
        s = self.s
        for y in range(self.size):
            for x in range(self.size):
                if math.hypot((x + 0.5) / s - cx, (y + 0.5) / s - cy) <= r:
                    self.put(x, y, colour)

    def ring(self, cx, cy, rx, ry, width, colour):
        s = self.s
        half = max(width / 2.0, 0.5 / s)
        for y in range(self.size):
            for x in range(self.size):
                dx, dy = (x + 0.5) / s - cx, (y + 0.5) / s - cy
                d = math.hypot(dx / rx, dy / ry)
                if abs(d - 1.0) * min(rx, ry) <= half:
                    self.put(x, y, colour)

    def line(self, x0, y0, x1, y1, colour, width=2.0):
        """A stroke at least one device pixel wide."""
        s = self.s
        r = max(width * s / 2.0, 0.5)
        ax, ay, bx, by = x0 * s, y0 * s, x1 * s, y1 * s
        length2 = (bx - ax) ** 2 + (by - ay) ** 2
        for y in range(self.size):
            for x in range(self.size):
                px, py = x + 0.5, y + 0.5
                t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((px - ax) * (bx - ax) + (py - ay) * (by - ay)) / length2))
                qx, qy = ax + t * (bx - ax), ay + t * (by - ay)
                if math.hypot(px - qx, py - qy) <= r:
                    self.put(x, y, colour)

    def polygon(self, points, colour):
        """Fills a polygon given in 32-pixel units (even-odd rule at pixel centres)."""
        s = self.s
        pts = [(x * s, y * s) for x, y in points]
        for y in range(self.size):
            for x in range(self.size):
                px, py = x + 0.5, y + 0.5
                inside = False
                for i in range(len(pts)):
                    (ax, ay), (bx, by) = pts[i], pts[i - 1]
                    if (ay > py) != (by > py) and px < ax + (py - ay) * (bx - ax) / (by - ay):
                        inside = not inside
                if inside:
                    self.put(x, y, colour)

    def dib(self):
        n = self.size
        xor = b"".join(struct.pack("<BBBB", c[2], c[1], c[0], 255) if c else b"\0\0\0\0"
                       for y in reversed(range(n)) for c in self.px[y])
        stride = ((n + 31) // 32) * 4
        mask = bytearray()
        for y in reversed(range(n)):
            row = bytearray(stride)
            for x in range(n):
                if self.px[y][x] is None:
                    row[x // 8] |= 0x80 >> (x % 8)
            mask += row
        header = struct.pack("<IiiHHIIiiII", 40, n, n * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        return header + xor + bytes(mask)


def select(c):
    # Marching ants: black and white dashes round a rectangle.
    for k in range(3, 29, 2):
        colour = BLACK if (k // 2) % 2 else WHITE
        for (x, y) in ((k, 5), (k, 25), (3, k - 1 if k > 3 else k), (28, k - 1 if k > 3 else k)):
            c.rect(x, y, x + 2, y + 2, colour)
    c.rect(3, 5, 5, 7, BLACK)
    c.rect(27, 25, 30, 27, BLACK)
    c.rect(6, 8, 26, 24, (200, 225, 250))


def pen(c):
    # A yellow pencil across the icon, its point at the lower left.
    c.line(9, 23, 26, 6, DARK, 8)
    c.line(9, 23, 26, 6, (245, 200, 50), 5)
    c.line(24, 8, 28, 4, (230, 120, 140), 6)
    c.polygon([(3, 29), (6, 20), (12, 26)], (230, 200, 160))
    c.polygon([(3, 29), (4.5, 24.5), (7.5, 27.5)], DARK)


def brush(c):
    # A paint brush: wooden handle, metal ferrule, dark tip and a red stroke.
    c.line(4, 27, 14, 24, (220, 40, 40), 4)
    c.line(16, 16, 28, 4, (70, 40, 15), 6)
    c.line(16, 16, 28, 4, (160, 100, 50), 4)
    c.line(12, 20, 17, 15, (90, 90, 100), 7)
    c.line(12, 20, 17, 15, (190, 190, 200), 5)
    c.polygon([(4, 28), (7, 19), (13, 21), (11, 25)], DARK)
    c.polygon([(4, 28), (6, 23), (9, 26)], (220, 40, 40))


def zoom(c):
    c.disc(13, 13, 10, DARK)
    c.disc(13, 13, 8, (225, 240, 255))
    c.rect(8, 12, 19, 14.5, (30, 90, 200))
    c.rect(12.2, 8, 14.7, 19, (30, 90, 200))
    c.line(20, 20, 28, 28, DARK, 6)
    c.line(21, 21, 27.5, 27.5, (150, 100, 50), 3.5)


def spray(c):
    # A blue can with a nozzle, its mist to the upper left.
    c.rect(14, 12, 27, 30, DARK)
    c.rect(15.5, 13.5, 25.5, 28.5, (70, 120, 210))
    c.rect(15.5, 17, 25.5, 20, (230, 230, 240))
    c.rect(17, 7, 24, 12, DARK)
    c.rect(18.5, 8.5, 22.5, 12, (200, 200, 205))
    c.rect(12, 8, 17, 10, DARK)
    for (x, y) in ((3, 3), (7, 2), (5, 7), (10, 5), (2, 11), (8, 10), (11, 9), (4, 15), (9, 14), (12, 3)):
        c.rect(x, y, x + 2, y + 2, (70, 120, 210))


def picker(c):
    # An eyedropper: dark bulb, glass tube, a drop at its point.
    c.line(18, 14, 27, 5, DARK, 8)
    c.line(6, 26, 18, 14, DARK, 5)
    c.line(7, 25, 18, 14, (210, 235, 250), 2.5)
    c.line(14, 10, 22, 18, DARK, 3)
    c.disc(4, 28, 2.5, (220, 40, 40))


def pan(c):
    # Four arrows from the centre: the visible area moves.
    blue, dark = (40, 110, 210), (20, 50, 120)
    for (dx, dy) in ((1, 0), (-1, 0), (0, 1), (0, -1)):
        tip = (16 + 14 * dx, 16 + 14 * dy)
        base = (16 + 7 * dx, 16 + 7 * dy)
        side = (dy * 6, dx * 6)
        c.polygon([tip, (base[0] + side[0], base[1] + side[1]), (base[0] - side[0], base[1] - side[1])], dark)
        c.line(16, 16, base[0], base[1], dark, 4)
    c.disc(16, 16, 3.5, blue)


def text(c):
    # A serif "T" over a baseline.
    ink = (30, 40, 120)
    c.rect(5, 4, 27, 8, ink)
    c.rect(5, 4, 8, 11, ink)
    c.rect(24, 4, 27, 11, ink)
    c.rect(14, 4, 18.5, 26, ink)
    c.rect(10, 25, 22.5, 28, ink)


def paint(c):
    # A tipped bucket pouring a drop of paint.
    c.polygon([(6, 12), (18, 4), (27, 17), (15, 25)], DARK)
    c.polygon([(8, 12.5), (17.5, 6.5), (24.5, 16.5), (15, 22.5)], (200, 200, 210))
    c.line(6, 12, 15, 25, (220, 40, 40), 3)
    c.disc(5, 24, 3.5, (220, 40, 40))
    c.line(12, 8, 22, 2, DARK, 2)


def line_tool(c):
    c.line(5, 27, 27, 5, DARK, 3)
    c.rect(3, 25, 8, 30, (40, 110, 210))
    c.rect(25, 2, 30, 7, (40, 110, 210))


def ellipse(c):
    c.ring(16, 16, 13, 9, 3, DARK)
    c.ring(16, 16, 13, 9, 1.2, (40, 110, 210))


def polygon(c):
    corners = [(16, 3), (29, 13), (24, 28), (8, 28), (3, 13)]
    for i in range(len(corners)):
        (ax, ay), (bx, by) = corners[i - 1], corners[i]
        c.line(ax, ay, bx, by, DARK, 2.5)
    for (x, y) in corners:
        c.rect(x - 2, y - 2, x + 2, y + 2, (40, 110, 210))


ICONS = (("tool_select", select), ("tool_pen", pen), ("tool_brush", brush), ("tool_zoom", zoom),
         ("tool_spray", spray), ("tool_picker", picker), ("tool_pan", pan), ("tool_text", text),
         ("tool_paint", paint), ("tool_line", line_tool), ("tool_ellipse", ellipse), ("tool_polygon", polygon))


def write_icon(name, draw, sizes=(16, 20, 24, 32)):
    images = []
    for size in sizes:
        c = Canvas(size)
        draw(c)
        images.append((size, c.dib()))
    head = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for size, data in images:
        entries += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(os.path.join(OUT, name + ".ico"), "wb") as f:
        f.write(head + entries + b"".join(d for _, d in images))


if __name__ == "__main__":
    for name, draw in ICONS:
        write_icon(name, draw)
    sys.exit(0)
