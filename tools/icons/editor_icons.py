#!/usr/bin/env python3
"""Draws the image editor's pictures into Lumaret/res/editor: the editor
window's icon (a framed landscape with a pencil, 16 and 32 pixels), the
dialogs' preview button (a landscape under a lens) and on/off check faces
(a ticked and an empty box), and the tool cursors (brush, spray can, colour picker, pen, selection cross, zoom
lens, text beam), 32 x 32 with their hot spots. Run it again after changing
a drawing; the files are committed."""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import platform_icons  # noqa: E402
import tesserin_cursors  # noqa: E402

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "Lumaret", "res", "editor")
platform_icons.OUT = OUT
tesserin_cursors.OUT = OUT

BLACK, WHITE = (0, 0, 0), (255, 255, 255)


def editor_frame(c):
    c.frame(1, 3, 31, 29, (120, 80, 40), (70, 45, 20))
    c.rect(4, 6, 28, 26, (150, 200, 245))
    c.rect(20, 8, 25, 13, (250, 215, 60))
    for x in range(4, 28):
        top = 18 + int(4 * math.sin((x - 4) / 4.0))
        c.rect(x, top, x + 1, 26, (70, 150, 70))
    # The pencil across the lower right corner.
    for k in range(12):
        c.rect(18 + k, 30 - k - 2, 20 + k, 30 - k, (220, 60, 50))
    c.rect(17, 28, 19, 30, (40, 40, 40))


def line(c, x0, y0, x1, y1, colour, width=1.0):
    steps = int(max(abs(x1 - x0), abs(y1 - y0)) * 2) + 1
    r = width / 2.0
    for i in range(steps + 1):
        t = i / steps
        x, y = x0 + (x1 - x0) * t, y0 + (y1 - y0) * t
        for yy in range(int(y - r), int(y + r) + 1):
            for xx in range(int(x - r), int(x + r) + 1):
                if (xx - x) ** 2 + (yy - y) ** 2 <= r * r + 0.25:
                    c.put(xx, yy, colour)


def outlined(c, x0, y0, x1, y1, fill, width):
    line(c, x0, y0, x1, y1, BLACK, width + 2)
    line(c, x0, y0, x1, y1, fill, width)


def brush():
    c = tesserin_cursors.Canvas()
    outlined(c, 14, 17, 28, 3, (150, 100, 50), 3)
    outlined(c, 3, 28, 11, 20, (60, 60, 60), 5)
    line(c, 11, 20, 14, 17, (190, 190, 200), 4)
    return c, (2, 29)


def spray():
    c = tesserin_cursors.Canvas()
    for y in range(14, 30):
        for x in range(16, 27):
            c.put(x, y, BLACK if x in (16, 26) or y in (14, 29) else (90, 130, 200))
    for y in range(9, 14):
        for x in range(19, 24):
            c.put(x, y, BLACK if x in (19, 23) or y == 9 else (200, 200, 200))
    for x, y in ((3, 3), (7, 2), (5, 6), (10, 5), (2, 9), (8, 9), (12, 8), (4, 12), (11, 12), (15, 10)):
        c.put(x, y, BLACK)
        c.put(x + 1, y, BLACK)
    return c, (3, 3)


def picker():
    c = tesserin_cursors.Canvas()
    outlined(c, 2, 29, 16, 15, WHITE, 2)
    outlined(c, 16, 15, 24, 7, (60, 60, 60), 5)
    outlined(c, 22, 9, 28, 3, (60, 60, 60), 7)
    return c, (1, 30)


def pen():
    c = tesserin_cursors.Canvas()
    outlined(c, 7, 24, 27, 4, (240, 200, 60), 5)
    line(c, 2, 29, 7, 24, (230, 200, 160), 4)
    line(c, 1, 30, 3, 28, BLACK, 2)
    line(c, 25, 6, 29, 2, (230, 120, 140), 5)
    return c, (1, 30)


def cross():
    c = tesserin_cursors.Canvas()
    for k in range(0, 32):
        if abs(k - 15) > 2:
            c.put(15, k, BLACK)
            c.put(k, 15, BLACK)
            c.put(16, k, WHITE)
            c.put(k, 16, WHITE)
    for k in range(20, 29, 2):
        for (x, y) in ((k, 20), (k, 28), (20, k), (28, k)):
            c.put(x, y, BLACK)
    return c, (15, 15)


def zoom():
    c = tesserin_cursors.Canvas()
    cx, cy = 12.0, 12.0
    for y in range(32):
        for x in range(32):
            d = math.hypot(x - cx, y - cy)
            if 8 <= d < 10:
                c.put(x, y, BLACK)
            elif d < 8:
                c.put(x, y, (225, 240, 255))
    for k in range(8, 17):
        c.put(k, 12, BLACK)
        c.put(12, k, BLACK)
    outlined(c, 19, 19, 28, 28, (120, 80, 40), 4)
    return c, (12, 12)


def text_beam():
    c = tesserin_cursors.Canvas()
    for y in range(6, 27):
        c.put(15, y, BLACK)
        c.put(16, y, WHITE)
    for x in range(11, 21):
        if x not in (15, 16):
            c.put(x, 5, BLACK)
            c.put(x, 27, BLACK)
    for x in range(22, 30):
        c.put(x, 3, (40, 60, 160))
    for y in range(3, 12):
        c.put(25, y, (40, 60, 160))
        c.put(26, y, (40, 60, 160))
    return c, (15, 16)


def preview_button(c):
    c.frame(2, 4, 24, 24, (150, 200, 245), (60, 60, 60))
    c.rect(4, 15, 22, 22, (70, 150, 70))
    c.rect(15, 7, 20, 12, (250, 215, 60))
    c.frame(14, 14, 28, 28, (225, 240, 255), (20, 20, 20))
    for k in range(6):
        c.rect(25 + k, 25 + k, 29 + k, 29 + k, (120, 80, 40))


def check_box(c):
    c.frame(3, 3, 29, 29, (255, 255, 255), (50, 50, 50))


def check_on(c):
    check_box(c)
    green, dark = (40, 170, 60), (20, 100, 30)
    for i in range(6):
        c.rect(7 + i, 14 + i, 11 + i, 18 + i, dark)
    for i in range(12):
        c.rect(12 + i, 19 - i, 16 + i, 23 - i, dark)
    for i in range(6):
        c.rect(8 + i, 15 + i, 10 + i, 17 + i, green)
    for i in range(12):
        c.rect(13 + i, 20 - i, 15 + i, 22 - i, green)


if __name__ == "__main__":
    platform_icons.write_icon("editor", editor_frame)
    platform_icons.write_icon("button_preview", preview_button)
    platform_icons.write_icon("check_on", check_on)
    platform_icons.write_icon("check_off", check_box)
    for name, make in (("brush", brush), ("spray", spray), ("picker", picker), ("pen", pen), ("select", cross),
                       ("zoom", zoom), ("text", text_beam)):
        tesserin_cursors.write_cursor(name, make)
    sys.exit(0)
