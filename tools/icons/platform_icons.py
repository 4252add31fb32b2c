#!/usr/bin/env python3
"""Draws the platform layer's file-dialog icons (folder, document, drive,
computer, picture) at 16 and 32 pixels and writes them as .ico files into
platform/res. Run it again after changing a drawing; the files are committed."""
import os
import struct
import sys

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "platform", "res")


class Canvas:
    def __init__(self, size):
        self.size = size
        self.px = [[None] * size for _ in range(size)]

    def rect(self, x0, y0, x1, y1, colour):
        """Fills [x0, x1) x [y0, y1) given in 32-pixel units, scaled."""
        s = self.size / 32.0
        for y in range(int(y0 * s), max(int(y0 * s) + 1, int(y1 * s))):
            for x in range(int(x0 * s), max(int(x0 * s) + 1, int(x1 * s))):
                if 0 <= x < self.size and 0 <= y < self.size:
                    self.px[y][x] = colour

    def frame(self, x0, y0, x1, y1, fill, edge):
        self.rect(x0, y0, x1, y1, edge)
        s = 32.0 / self.size
        self.rect(x0 + s, y0 + s, x1 - s, y1 - s, fill)

    def dib(self):
        n = self.size
        rows = []
        for y in reversed(range(n)):
            for x in range(n):
                c = self.px[y][x]
                rows.append(struct.pack("<BBBB", c[2], c[1], c[0], 255) if c else b"\0\0\0\0")
        xor = b"".join(rows)
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


def folder(c):
    c.frame(2, 6, 14, 11, (240, 200, 90), (150, 110, 30))
    c.frame(2, 9, 30, 27, (250, 215, 110), (150, 110, 30))
    c.rect(3, 12, 29, 13, (255, 235, 160))


def document(c):
    c.frame(6, 2, 26, 30, (255, 255, 255), (90, 90, 90))
    for y in (9, 13, 17, 21, 25):
        c.rect(10, y, 22, y + 1, (120, 140, 190))


def drive(c):
    c.frame(2, 11, 30, 23, (200, 200, 205), (70, 70, 80))
    c.rect(4, 19, 28, 21, (150, 150, 160))
    c.rect(23, 14, 27, 16, (40, 200, 60))


def computer(c):
    c.frame(4, 3, 28, 21, (60, 60, 70), (40, 40, 45))
    c.rect(6, 5, 26, 19, (70, 140, 220))
    c.rect(13, 21, 19, 25, (120, 120, 130))
    c.frame(7, 25, 25, 29, (200, 200, 205), (70, 70, 80))


def picture(c):
    c.frame(2, 5, 30, 27, (255, 255, 255), (90, 90, 90))
    c.rect(4, 7, 28, 25, (150, 200, 245))
    c.rect(4, 18, 28, 25, (80, 160, 70))
    c.rect(9, 13, 16, 18, (60, 130, 50))
    c.rect(20, 9, 24, 13, (250, 220, 60))


def write_icon(name, draw, sizes=(16, 32)):
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


def write_cursor(name, rows, colours, hotspot, offset=(5, 1)):
    """A 32 x 32 cursor from text rows (a character per pixel, colours by character,
    anything else transparent) placed at offset, with its hot spot."""
    px = [[None] * 32 for _ in range(32)]
    for y, row in enumerate(rows.strip("\n").split("\n")):
        for x, ch in enumerate(row):
            if ch in colours:
                px[offset[1] + y][offset[0] + x] = colours[ch]
    xor = b"".join(struct.pack("<BBBB", c[2], c[1], c[0], 255) if c else b"\0\0\0\0"
                   for y in reversed(range(32)) for c in px[y])
    mask = bytearray()
    for y in reversed(range(32)):
        row = bytearray(4)
        for x in range(32):
            if px[y][x] is None:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    data = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0) + xor + bytes(mask)
    head = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", 32, 32, 0, 0, hotspot[0], hotspot[1], len(data), 6 + 16)
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(head + entry + data)


if __name__ == "__main__":
    for name, draw in (("folder", folder), ("document", document), ("drive", drive),
                       ("computer", computer), ("picture", picture)):
        write_icon(name, draw)
    sys.exit(0)
