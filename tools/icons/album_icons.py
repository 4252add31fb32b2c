#!/usr/bin/env python3
"""Draws the album subsystem's pictures into Lumaret/res/album: the confirm icon (a green
tick), the cancel icon (a red cross), the rename icon (a page with a pencil across its name)
and the album tree's image strip, 25 images of 16 x 16 on white (the mask colour): a closed
folder, an open folder and a photo, and at 24 the album, a blue book with a photo on its
cover; and the console panes' icons: the keyword search (a magnifier over a page), the music
tab (two joined notes), a new entry (a blank page with a green plus) and saving the details (a
blue floppy disk). Run it again after changing a drawing; the files are committed."""
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import platform_icons  # noqa: E402

OUT = os.path.join(HERE, "..", "..", "Lumaret", "res", "album")
platform_icons.OUT = OUT


def tick(c):
    green, dark = (40, 170, 60), (20, 100, 30)
    for i in range(7):
        c.rect(5 + i, 15 + i, 10 + i, 19 + i, dark)
        c.rect(6 + i, 16 + i, 9 + i, 18 + i, green)
    for i in range(15):
        c.rect(12 + i, 21 - i, 17 + i, 25 - i, dark)
        c.rect(13 + i, 22 - i, 16 + i, 24 - i, green)


def cross(c):
    red, dark = (215, 40, 40), (120, 20, 20)
    for i in range(20):
        c.rect(5 + i, 5 + i, 10 + i, 9 + i, dark)
        c.rect(22 - i, 5 + i, 27 - i, 9 + i, dark)
    for i in range(20):
        c.rect(6 + i, 6 + i, 9 + i, 8 + i, red)
        c.rect(23 - i, 6 + i, 26 - i, 8 + i, red)


def rename(c):
    c.frame(4, 3, 22, 29, (255, 255, 255), (90, 90, 90))
    c.rect(7, 8, 19, 11, (40, 90, 200))
    for y in (15, 19, 23):
        c.rect(7, y, 19, y + 1, (150, 150, 150))
    # pencil from lower left to upper right
    for i in range(14):
        c.rect(13 + i, 24 - i, 17 + i, 27 - i, (240, 190, 40))
    c.rect(11, 26, 14, 29, (60, 60, 60))
    c.rect(27, 9, 30, 12, (230, 120, 140))


def search(c):
    c.frame(3, 3, 20, 26, (255, 255, 255), (110, 110, 110))
    for y in (8, 12, 16):
        c.rect(6, y, 17, y + 1, (150, 150, 150))
    # lens: a ring of squares, then the handle to the lower right
    for x, y in ((12, 9), (16, 9), (20, 9), (10, 12), (22, 12), (10, 16), (22, 16), (12, 19), (16, 19), (20, 19)):
        c.rect(x, y, x + 3, y + 3, (40, 60, 140))
    c.rect(13, 12, 22, 19, (190, 225, 250))
    for i in range(7):
        c.rect(22 + i, 21 + i, 26 + i, 25 + i, (120, 80, 30))


def music(c):
    dark = (40, 40, 120)
    c.rect(10, 5, 28, 9, dark)
    c.rect(10, 5, 13, 24, dark)
    c.rect(25, 5, 28, 21, dark)
    c.rect(4, 21, 13, 28, (90, 90, 200))
    c.rect(19, 18, 28, 25, (90, 90, 200))


def new_entry(c):
    c.frame(5, 2, 23, 29, (255, 255, 255), (90, 90, 90))
    for y in (8, 12, 16):
        c.rect(8, y, 20, y + 1, (180, 180, 180))
    c.rect(19, 14, 23, 30, (30, 150, 50))
    c.rect(13, 20, 29, 24, (30, 150, 50))


def save(c):
    blue, dark = (50, 90, 200), (20, 40, 110)
    c.frame(3, 3, 29, 29, blue, dark)
    c.rect(8, 4, 24, 13, (235, 235, 235))
    c.rect(19, 6, 22, 11, dark)
    c.rect(8, 18, 24, 28, (250, 250, 250))
    for y in (21, 24):
        c.rect(10, y, 22, y + 1, (160, 160, 160))


WHITE = (255, 255, 255)


def write_strip():
    count, size = 25, 16
    w, h = count * size, size
    px = [[WHITE] * w for _ in range(h)]

    def rect(cell, x0, y0, x1, y1, colour):
        for y in range(y0, y1):
            for x in range(x0, x1):
                px[y][cell * size + x] = colour

    def folder(cell, open_):
        rect(cell, 1, 3, 7, 5, (150, 110, 30))
        rect(cell, 1, 4, 15, 14, (150, 110, 30))
        rect(cell, 2, 5, 14, 13, (250, 215, 110))
        if open_:
            rect(cell, 3, 8, 15, 13, (255, 235, 160))

    def photo(cell):
        rect(cell, 1, 2, 15, 14, (80, 80, 80))
        rect(cell, 2, 3, 14, 13, (150, 210, 250))
        rect(cell, 2, 9, 14, 13, (70, 160, 60))
        rect(cell, 10, 4, 13, 7, (250, 210, 40))

    def album(cell):
        rect(cell, 2, 1, 14, 15, (20, 50, 130))
        rect(cell, 3, 2, 13, 14, (50, 100, 210))
        rect(cell, 3, 2, 5, 14, (30, 70, 160))
        rect(cell, 6, 4, 12, 10, (255, 255, 255))
        rect(cell, 7, 5, 11, 9, (150, 210, 250))
        rect(cell, 7, 7, 11, 9, (70, 160, 60))

    for cell in range(count):
        photo(cell)
    folder(0, False)
    folder(1, True)
    album(24)
    stride = (w * 3 + 3) & ~3
    rows = b""
    for y in reversed(range(h)):
        row = b"".join(struct.pack("<BBB", c[2], c[1], c[0]) for c in px[y])
        rows += row + b"\0" * (stride - len(row))
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(rows), 0, 0, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(rows), 0, 0, 14 + len(info))
    with open(os.path.join(OUT, "albumtree.bmp"), "wb") as f:
        f.write(head + info + rows)


if __name__ == "__main__":
    platform_icons.write_icon("button_ok", tick)
    platform_icons.write_icon("button_cancel", cross)
    platform_icons.write_icon("button_rename", rename)
    platform_icons.write_icon("console_search", search)
    platform_icons.write_icon("console_music", music)
    platform_icons.write_icon("detail_new", new_entry)
    platform_icons.write_icon("detail_save", save)
    write_strip()
    sys.exit(0)
