#!/usr/bin/env python3
"""Draws the image browser's pictures into Lumaret/res/browser: the three view-button icons
(a grid of small pictures, a list of rows, a magnifier over a picture) and the thumbnail view's
folder bitmaps, 48 x 36 on white (the view recolours white to its background): a closed
folder, and a folder with a green arrow pointing up for the parent entry. Run it again after
changing a drawing; the files are committed."""
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import platform_icons  # noqa: E402

OUT = os.path.join(HERE, "..", "..", "Lumaret", "res", "browser")
platform_icons.OUT = OUT

WHITE = (255, 255, 255)


def thumbs(c):
    for y in (3, 17):
        for x in (3, 17):
            c.frame(x, y, x + 12, y + 12, (150, 200, 245), (60, 60, 80))
            c.rect(x + 1, y + 7, x + 11, y + 11, (80, 160, 70))
            c.rect(x + 7, y + 2, x + 10, y + 5, (250, 210, 40))


def rows(c):
    for i, y in enumerate((4, 11, 18, 25)):
        c.rect(3, y, 8, y + 4, (40, 90, 200))
        c.rect(10, y, 29, y + 4, (120, 120, 130) if i % 2 else (70, 70, 80))


def magnifier(c):
    c.frame(2, 2, 22, 20, (150, 200, 245), (60, 60, 80))
    c.rect(3, 13, 21, 19, (80, 160, 70))
    c.frame(12, 10, 26, 24, (235, 245, 255), (40, 40, 50))
    for i in range(7):
        c.rect(23 + i, 21 + i, 27 + i, 25 + i, (120, 80, 30))


def write_bitmap(name, draw):
    w, h = 48, 36
    px = [[WHITE] * w for _ in range(h)]

    def rect(x0, y0, x1, y1, colour):
        for y in range(max(0, y0), min(h, y1)):
            for x in range(max(0, x0), min(w, x1)):
                px[y][x] = colour

    draw(rect)
    stride = (w * 3 + 3) & ~3
    data = b""
    for y in reversed(range(h)):
        row = b"".join(struct.pack("<BBB", c[2], c[1], c[0]) for c in px[y])
        data += row + b"\0" * (stride - len(row))
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 0, 0, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
    with open(os.path.join(OUT, name + ".bmp"), "wb") as f:
        f.write(head + info + data)


def folder(rect):
    edge, back, front, light = (150, 110, 30), (235, 190, 80), (250, 215, 110), (255, 236, 170)
    rect(6, 4, 20, 10, edge)
    rect(7, 5, 19, 10, back)
    rect(4, 8, 44, 33, edge)
    rect(5, 9, 43, 32, back)
    rect(5, 13, 43, 32, edge)
    rect(6, 14, 42, 31, front)
    rect(6, 14, 42, 16, light)


def folder_up(rect):
    folder(rect)
    green, dark = (40, 160, 60), (20, 100, 30)
    # an arrow pointing up in the middle of the folder
    for i in range(8):
        rect(24 - i - 1, 15 + i, 24 + i + 1, 16 + i, dark)
        rect(24 - i, 15 + i, 24 + i, 16 + i, green)
    rect(20, 23, 28, 31, dark)
    rect(21, 23, 27, 30, green)


if __name__ == "__main__":
    platform_icons.write_icon("view_thumbs", thumbs)
    platform_icons.write_icon("view_list", rows)
    platform_icons.write_icon("view_detail", magnifier)
    write_bitmap("folder", folder)
    write_bitmap("folder_up", folder_up)
    sys.exit(0)
