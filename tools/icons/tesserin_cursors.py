#!/usr/bin/env python3
"""Draws the Tesserin library's cursors (pointing hand, item drag, no drop)
as 32 x 32 .cur files into Tesserin/res. Run it again after changing a
drawing; the files are committed."""
import math
import os
import struct

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "Tesserin", "res")
BLACK, WHITE, RED = (0, 0, 0), (255, 255, 255), (200, 20, 20)

HAND = """
.....BB
....BWWB
....BWWB
....BWWB
....BWWB
....BWWBBB
....BWWBWWBBB
....BWWBWWBWWBB
....BWWBWWBWWBWB
BBB.BWWWWWWWWBWB
BWWBBWWWWWWWWWWB
BWWWBWWWWWWWWWWB
.BWWWWWWWWWWWWWB
..BWWWWWWWWWWWWB
..BWWWWWWWWWWWWB
...BWWWWWWWWWWB
...BWWWWWWWWWWB
....BWWWWWWWWB
....BWWWWWWWWB
....BBBBBBBBBB
"""

ARROW = """
B
BB
BWB
BWWB
BWWWB
BWWWWB
BWWWWWB
BWWWWWWB
BWWWWWWWB
BWWWWWWWWB
BWWWWWBBBBB
BWWBWWB
BWB.BWWB
BB..BWWB
B....BWWB
.....BWWB
......BB
"""


class Canvas:
    def __init__(self):
        self.px = [[None] * 32 for _ in range(32)]

    def art(self, text, x0, y0):
        colours = {"B": BLACK, "W": WHITE}
        for y, row in enumerate(text.strip("\n").split("\n")):
            for x, ch in enumerate(row):
                if ch in colours:
                    self.px[y0 + y][x0 + x] = colours[ch]

    def put(self, x, y, c):
        if 0 <= x < 32 and 0 <= y < 32:
            self.px[y][x] = c

    def dib(self):
        xor = b"".join(struct.pack("<BBBB", c[2], c[1], c[0], 255) if c else b"\0\0\0\0"
                       for y in reversed(range(32)) for c in self.px[y])
        mask = bytearray()
        for y in reversed(range(32)):
            row = bytearray(4)
            for x in range(32):
                if self.px[y][x] is None:
                    row[x // 8] |= 0x80 >> (x % 8)
            mask += row
        header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        return header + xor + bytes(mask)


def hand():
    c = Canvas()
    c.art(HAND, 4, 1)
    return c, (10, 1)


def drag():
    c = Canvas()
    c.art(ARROW, 0, 0)
    # A small page under the arrow: an item being carried.
    for y in range(18, 30):
        for x in range(12, 26):
            edge = y in (18, 29) or x in (12, 25)
            c.put(x, y, BLACK if edge else WHITE)
    for y in (21, 24, 27):
        for x in range(15, 23):
            c.put(x, y, (90, 110, 170))
    return c, (0, 0)


def no_drop():
    c = Canvas()
    cx, cy = 15.5, 15.5
    for y in range(32):
        for x in range(32):
            d = math.hypot(x - cx, y - cy)
            # The slash runs from top-left to bottom-right inside the ring.
            on_slash = abs((x - cx) - (y - cy)) < 2.6 and d < 11
            if 10.5 <= d < 14.5 or on_slash:
                c.put(x, y, RED)
            elif 9.5 <= d < 10.5 or 14.5 <= d < 15.5:
                c.put(x, y, BLACK)
    return c, (15, 15)


def write_cursor(name, make):
    canvas, (hx, hy) = make()
    data = canvas.dib()
    head = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", 32, 32, 0, 0, hx, hy, len(data), 6 + 16)
    with open(os.path.join(OUT, name + ".cur"), "wb") as f:
        f.write(head + entry + data)


if __name__ == "__main__":
    for name, make in (("hand", hand), ("dragitem", drag), ("nodrop", no_drop)):
        write_cursor(name, make)
