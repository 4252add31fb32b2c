#!/usr/bin/env python3
"""Draws the print subsystem's button icons into Lumaret/res/print: a printer, a
magnifier with plus and minus, the four page arrows (to the first page, back, on, to
the last page), an empty and a ticked check box, a refresh arrow, a new list (a page
with a plus), an emptied list (a page with a red cross) and adding to a list (a photo
going into a basket). Run it again after changing a drawing; the files are committed."""
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


def magnifier(c, plus):
    c.frame(3, 3, 21, 21, (220, 235, 255), DARK)
    c.rect(7, 11, 17, 13, BLUE)
    if plus:
        c.rect(11, 7, 13, 17, BLUE)
    for i in range(9):
        c.rect(19 + i, 19 + i, 23 + i, 23 + i, DARK)


def arrow(c, direction, bar):
    # A solid triangle pointing left (-1) or right (+1), with a bar at its tip when asked.
    for i in range(12):
        x = 8 + i if direction < 0 else 24 - i
        c.rect(x, 16 - i, x + 1, 16 + i, BLUE if bar else GREEN)
    if bar:
        x = 4 if direction < 0 else 25
        c.rect(x, 4, x + 3, 28, DARK)


def check(c, ticked):
    c.frame(5, 5, 27, 27, WHITE, DARK)
    if ticked:
        for i in range(6):
            c.rect(9 + i, 15 + i, 12 + i, 18 + i, GREEN)
        for i in range(10):
            c.rect(14 + i, 20 - i, 17 + i, 23 - i, GREEN)


def refresh(c):
    for i in range(12):
        c.rect(6 + i, 6, 7 + i, 9, GREEN)
        c.rect(14 + i, 23, 15 + i, 26, GREEN)
    c.rect(6, 6, 9, 20, GREEN)
    c.rect(23, 12, 26, 26, GREEN)
    for i in range(5):
        c.rect(18 + i, 2 + i, 19 + i, 13 - i, GREEN)
        c.rect(13 - i, 19 + i, 14 - i, 30 - i, GREEN)


def page(c):
    c.frame(5, 3, 23, 29, WHITE, DARK)
    for y in (8, 12, 16):
        c.rect(8, y, 20, y + 1, GREY)


def new_list(c):
    page(c)
    c.rect(18, 20, 30, 24, GREEN)
    c.rect(22, 16, 26, 28, GREEN)


def empty_list(c):
    page(c)
    for i in range(10):
        c.rect(17 + i, 17 + i, 20 + i, 20 + i, RED)
        c.rect(26 - i, 17 + i, 29 - i, 20 + i, RED)


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
    w("zoom_in", lambda c: magnifier(c, True))
    w("zoom_out", lambda c: magnifier(c, False))
    w("first", lambda c: arrow(c, -1, True))
    w("prev", lambda c: arrow(c, -1, False))
    w("next", lambda c: arrow(c, +1, False))
    w("last", lambda c: arrow(c, +1, True))
    w("check_off", lambda c: check(c, False))
    w("check_on", lambda c: check(c, True))
    w("refresh", refresh)
    w("new_list", new_list)
    w("empty_list", empty_list)
    w("add", add)
    sys.exit(0)
