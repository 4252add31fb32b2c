#!/usr/bin/env python3
"""Draws the print subsystem's button icons into Lumaret/res/print: a printer, the four page
arrows (to the first page, back, on, to the last page) and adding to a list (a photo going
into a basket). The check box, zoom, refresh, new and delete icons the print dialogs use come
with the editor, calendar, templates and album pictures. Run it again after changing a
drawing; the files are committed."""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import platform_icons  # noqa: E402

OUT = os.path.join(HERE, "..", "..", "Lumaret", "res", "print")
platform_icons.OUT = OUT

DARK = (50, 50, 60)
BLUE = (40, 90, 200)
GREEN = (40, 160, 60)
RED = (210, 40, 40)
WHITE = (255, 255, 255)
GREY = (170, 170, 175)


def printer(c):
    c.frame(9, 3, 23, 13, WHITE, DARK)            # paper going in
    c.frame(3, 12, 29, 24, GREY, DARK)           # body
    c.rect(23, 15, 26, 17, GREEN)                # lamp
    c.frame(8, 20, 24, 30, WHITE, DARK)          # paper coming out
    c.rect(11, 23, 21, 24, BLUE)
    c.rect(11, 26, 18, 27, BLUE)


def arrow(c, direction, bar):
    # A solid triangle pointing left (-1) or right (+1), with a bar at its tip when asked.
    for i in range(12):
        x = 8 + i if direction < 0 else 24 - i
        c.rect(x, 16 - i, x + 1, 16 + i, BLUE if bar else GREEN)
    if bar:
        x = 4 if direction < 0 else 25
        c.rect(x, 4, x + 3, 28, DARK)


def add(c):
    c.frame(9, 2, 23, 14, (150, 210, 250), DARK)  # a photo
    c.rect(10, 9, 22, 13, GREEN)
    c.rect(15, 14, 17, 18, DARK)                  # going down
    c.frame(3, 17, 29, 30, (230, 180, 90), (120, 80, 30))  # into the basket
    for x in (9, 15, 21):
        c.rect(x, 19, x + 2, 28, (120, 80, 30))


if __name__ == "__main__":
    w = platform_icons.write_icon
    w("print", printer)
    w("first", lambda c: arrow(c, -1, True))
    w("prev", lambda c: arrow(c, -1, False))
    w("next", lambda c: arrow(c, +1, False))
    w("last", lambda c: arrow(c, +1, True))
    w("add", add)
    sys.exit(0)
