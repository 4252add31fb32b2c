#!/usr/bin/env python3
"""Draws the button icons of the calendar windows into Lumaret/res/calendar: colour (a palette
of four swatches), zoom in and out (a magnifier with a plus or a minus). Preview and the check
faces are the editor's shared button pictures. Run it again after changing a drawing; the files
are committed."""
import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import platform_icons  # noqa: E402

OUT = os.path.join(HERE, "..", "..", "Lumaret", "res", "calendar")
platform_icons.OUT = OUT
DARK = (50, 50, 60)


def colour(c):
    c.frame(2, 2, 30, 30, (245, 240, 225), DARK)
    c.frame(5, 5, 15, 15, (220, 40, 40), DARK)
    c.frame(17, 5, 27, 15, (40, 170, 60), DARK)
    c.frame(5, 17, 15, 27, (40, 90, 220), DARK)
    c.frame(17, 17, 27, 27, (250, 210, 40), DARK)


def ring(c, cx, cy, r, width, colour_):
    for y in range(32):
        for x in range(32):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            if r - width <= d <= r:
                c.rect(x, y, x + 1, y + 1, colour_)


def magnifier(c, sign):
    for y in range(32):
        for x in range(32):
            if math.hypot(x + 0.5 - 13, y + 0.5 - 13) < 8:
                c.rect(x, y, x + 1, y + 1, (220, 235, 250))
    ring(c, 13, 13, 10, 2.5, (40, 70, 130))
    for i in range(9):
        c.rect(19 + i, 19 + i, 23 + i, 23 + i, (120, 80, 40))
    c.rect(8, 12, 19, 15, (30, 40, 60))
    if sign == "+":
        c.rect(12, 8, 15, 19, (30, 40, 60))


if __name__ == "__main__":
    platform_icons.write_icon("button_colour", colour)
    platform_icons.write_icon("zoom_in", lambda c: magnifier(c, "+"))
    platform_icons.write_icon("zoom_out", lambda c: magnifier(c, "-"))
    sys.exit(0)
