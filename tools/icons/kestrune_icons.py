#!/usr/bin/env python3
"""Draws the print-site chooser's pictures into Kestrune/res: the program icon (a
photo print in front of a globe), the close icon (a red cross on a door), the
pointing-finger cursor over site pictures, and the context menu's tool strip
(order: a print with a cart; home page: a house; information: an 'i' in a
balloon) as a 48 x 15 bitmap. Run it again after changing a drawing; the files
are committed."""
import math
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import platform_icons  # noqa: E402

OUT = os.path.join(HERE, "..", "..", "Kestrune", "res")
platform_icons.OUT = OUT


def program(c):
    # globe behind, upper right
    s = c.size / 32.0
    for y in range(c.size):
        for x in range(c.size):
            d = math.hypot(x / s - 21, y / s - 11)
            if d < 10:
                c.px[y][x] = (60, 140, 220) if d < 9 else (20, 60, 120)
    for gy in (7, 11, 15):
        c.rect(13, gy, 30, gy + 1, (150, 200, 245))
    c.rect(20, 2, 22, 21, (150, 200, 245))
    # the print, lower left: white border, sky, hill and a sun
    c.frame(2, 12, 22, 30, (255, 255, 255), (80, 80, 80))
    c.rect(4, 14, 20, 28, (150, 210, 250))
    c.rect(4, 23, 20, 28, (70, 160, 60))
    c.rect(14, 16, 18, 20, (250, 210, 40))


def close(c):
    # door
    c.frame(6, 2, 22, 30, (190, 130, 70), (100, 60, 20))
    c.rect(18, 15, 20, 17, (250, 220, 60))
    # red cross over its lower right
    for i in range(12):
        c.rect(16 + i, 16 + i, 19 + i, 18 + i, (210, 30, 30))
        c.rect(27 - i, 16 + i, 30 - i, 18 + i, (210, 30, 30))


FINGER = """
.....BB
....BWWB
....BWWB
....BWWB
....BWWBBB
....BWWBWWBB
....BWWBWWBWBB
.BB.BWWBWWBWWBB
BWWBBWWWWWWWWWWB
BWWWBWWWWWWWWWWB
.BWWWWWWWWWWWWWB
..BWWWWWWWWWWWWB
..BWWWWWWWWWWWB
...BWWWWWWWWWWB
....BWWWWWWWWB
....BWWWWWWWWB
....BGGGGGGGGB
....BBBBBBBBBB
"""


def write_cursor():
    platform_icons.write_cursor("sitehand.cur", FINGER, {"B": (0, 0, 0), "W": (255, 255, 255), "G": (40, 160, 60)},
                                (11, 1))


GREY = (192, 192, 192)  # the strip's background, shown as transparent


def write_strip():
    w, h = 48, 15
    px = [[GREY] * w for _ in range(h)]

    def rect(x0, y0, x1, y1, colour):
        for y in range(y0, y1):
            for x in range(x0, x1):
                px[y][x] = colour

    # order: a print and a cart below it
    rect(2, 1, 12, 9, (60, 60, 60))
    rect(3, 2, 11, 8, (120, 190, 245))
    rect(3, 6, 11, 8, (70, 150, 60))
    rect(1, 10, 14, 11, (40, 40, 40))
    rect(3, 11, 13, 12, (40, 40, 40))
    rect(4, 13, 6, 15, (30, 30, 30))
    rect(10, 13, 12, 15, (30, 30, 30))
    # home page: a house
    for i in range(7):
        rect(24 - i, 1 + i, 25 + i, 2 + i, (200, 50, 40))
    rect(19, 8, 30, 14, (240, 220, 170))
    rect(23, 10, 26, 14, (120, 80, 40))
    rect(19, 14, 30, 15, (80, 60, 40))
    # information: a blue balloon with an 'i'
    for y in range(13):
        for x in range(32, 48):
            if math.hypot(x - 40, y - 6) < 6.5:
                px[y][x] = (30, 90, 200)
    rect(36, 12, 38, 15, (30, 90, 200))
    rect(39, 2, 41, 4, (255, 255, 255))
    rect(39, 5, 41, 11, (255, 255, 255))
    stride = (w * 3 + 3) & ~3
    rows = b""
    for y in reversed(range(h)):
        row = b"".join(struct.pack("<BBB", c[2], c[1], c[0]) for c in px[y])
        rows += row + b"\0" * (stride - len(row))
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(rows), 0, 0, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(rows), 0, 0, 14 + len(info))
    with open(os.path.join(OUT, "sitelist.bmp"), "wb") as f:
        f.write(head + info + rows)


if __name__ == "__main__":
    platform_icons.write_icon("kestrune", program)
    platform_icons.write_icon("close", close)
    write_cursor()
    write_strip()
    sys.exit(0)
