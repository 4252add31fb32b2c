#!/usr/bin/env python3
"""Draws Tesserin's splitter cursors (a double arrow across a bar, left-right and up-down) at
32 pixels with the hot spot in the middle and writes them as .cur files into Tesserin/res.
Run it again after changing a drawing; the files are committed."""
import os
import struct

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "Tesserin", "res")
N = 32
BLACK, WHITE = (0, 0, 0), (255, 255, 255)


def horizontal():
    """Two bars in the middle with arrows pointing left and right, black outlined in white."""
    px = [[None] * N for _ in range(N)]
    shape = set()
    for y in range(8, 24):
        for x in (14, 15, 17, 18):
            shape.add((x, y))
    for y in range(15, 17):
        for x in range(4, 28):
            shape.add((x, y))
    for i in range(6):
        for y in range(15 - i, 17 + i):
            shape.add((3 + i, y))
            shape.add((28 - i, y))
    for (x, y) in shape:
        for dx in (-1, 0, 1):
            for dy in (-1, 0, 1):
                if 0 <= x + dx < N and 0 <= y + dy < N and px[y + dy][x + dx] is None:
                    px[y + dy][x + dx] = WHITE
    for (x, y) in shape:
        px[y][x] = BLACK
    return px


def vertical():
    h = horizontal()
    return [[h[x][y] for x in range(N)] for y in range(N)]


def dib(px):
    rows = []
    for y in reversed(range(N)):
        for x in range(N):
            c = px[y][x]
            rows.append(struct.pack("<BBBB", c[2], c[1], c[0], 255) if c else b"\0\0\0\0")
    xor = b"".join(rows)
    stride = ((N + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(N)):
        row = bytearray(stride)
        for x in range(N):
            if px[y][x] is None:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    header = struct.pack("<IiiHHIIiiII", 40, N, N * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + xor + bytes(mask)


def write_cursor(name, px):
    data = dib(px)
    head = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", N, N, 0, 0, N // 2, N // 2, len(data), 6 + 16)
    with open(os.path.join(OUT, name + ".cur"), "wb") as f:
        f.write(head + entry + data)


if __name__ == "__main__":
    write_cursor("splitx", horizontal())
    write_cursor("splity", vertical())
