#!/usr/bin/env python3
"""Writes the small pictures in tests/data/images/.

Run once when a picture is added; the files are checked in. The output tests
pin what rotation and the filters make of them, so they hold what photographs
hold: flat areas, smooth ramps, hard edges at odd angles, fine noise, and
pure black and white where sums clamp.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "images")


def scene(w, h):
    """Rows top-down of (r, g, b)."""
    state = 12345
    rows = []
    for y in range(h):
        row = []
        for x in range(w):
            state = (state * 1103515245 + 12345) & 0x7FFFFFFF
            noise = (state >> 16) % 9 - 4
            if y < h // 3:  # sky: a ramp
                px = (90 + x * 2, 140 + y * 3, 230 - x)
            elif x + 2 * y < w + h // 2:  # a flat wall up to a slanted edge
                px = (180, 120, 60)
            elif x > 3 * w // 4:  # clamping corners: white above black
                px = (255, 255, 255) if y < 2 * h // 3 else (0, 0, 0)
            else:  # grass: noisy
                px = (40 + noise * 6, 150 + noise * 9, 30 + noise * 3)
            row.append(tuple(max(0, min(255, v)) for v in px))
        rows.append(row)
    return rows


def bmp(rows):
    h, w = len(rows), len(rows[0])
    stride = (w * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        pixels += line + bytes(stride - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + bytes(pixels)


def main():
    os.makedirs(OUT, exist_ok=True)
    with open(os.path.join(OUT, "scene_61x45.bmp"), "wb") as f:
        f.write(bmp(scene(61, 45)))


if __name__ == "__main__":
    main()
