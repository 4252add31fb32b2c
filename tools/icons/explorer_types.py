#!/usr/bin/env python3
"""Draws the explorer's strip of small file-type pictures (closed folder, open folder, drive,
document, picture; 16 x 16 each, white is transparent) and writes it as a 24-bit BMP into
Tesserin/res. Run it again after changing a drawing; the file is committed."""
import os
import struct
import sys

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "Tesserin", "res", "filetypes.bmp")
SIZE = 16
WHITE = (255, 255, 255)


class Cell:
    def __init__(self):
        self.px = [[WHITE] * SIZE for _ in range(SIZE)]

    def rect(self, x0, y0, x1, y1, colour):
        """Fills [x0, x1) x [y0, y1)."""
        for y in range(max(0, y0), min(SIZE, y1)):
            for x in range(max(0, x0), min(SIZE, x1)):
                self.px[y][x] = colour

    def frame(self, x0, y0, x1, y1, fill, edge):
        self.rect(x0, y0, x1, y1, edge)
        self.rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, fill)


def closed_folder(c):
    c.frame(1, 3, 7, 6, (240, 200, 90), (150, 110, 30))
    c.frame(1, 5, 15, 14, (250, 215, 110), (150, 110, 30))
    c.rect(2, 6, 14, 7, (255, 235, 160))


def open_folder(c):
    c.frame(1, 3, 7, 6, (240, 200, 90), (150, 110, 30))
    c.frame(1, 5, 13, 14, (220, 180, 80), (150, 110, 30))
    for i in range(6):
        c.rect(3 + i // 2, 8 + i, 15 - i // 3, 9 + i, (250, 220, 120))
    c.rect(3, 13, 15, 14, (150, 110, 30))


def drive(c):
    c.frame(1, 5, 15, 12, (200, 200, 205), (80, 80, 90))
    c.rect(2, 9, 14, 11, (150, 150, 160))
    c.rect(11, 9, 13, 10, (40, 200, 60))


def document(c):
    c.frame(3, 1, 13, 15, (250, 250, 250), (90, 90, 90))
    for y in (4, 6, 8, 10, 12):
        c.rect(5, y, 11, y + 1, (120, 140, 190))


def picture(c):
    c.frame(1, 2, 15, 14, (150, 200, 250), (90, 90, 90))
    c.rect(2, 9, 14, 13, (70, 160, 70))
    c.rect(4, 7, 8, 9, (70, 160, 70))
    c.rect(10, 4, 13, 7, (250, 200, 40))


def write_strip(drawings):
    cells = []
    for draw in drawings:
        c = Cell()
        draw(c)
        cells.append(c)
    width = SIZE * len(cells)
    stride = (width * 3 + 3) & ~3
    rows = bytearray()
    for y in reversed(range(SIZE)):
        row = bytearray()
        for c in cells:
            for x in range(SIZE):
                r, g, b = c.px[y][x]
                row += bytes((b, g, r))
        row += bytes(stride - len(row))
        rows += row
    info = struct.pack("<IiiHHIIiiII", 40, width, SIZE, 1, 24, 0, len(rows), 3780, 3780, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(rows), 0, 0, 14 + len(info))
    with open(OUT, "wb") as f:
        f.write(header + info + rows)


if __name__ == "__main__":
    write_strip([closed_folder, open_folder, drive, document, picture])
    sys.exit(0)
