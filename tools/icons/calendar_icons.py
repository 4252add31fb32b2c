#!/usr/bin/env python3
"""Draws the button icons of the calendar windows into Lumaret/res/calendar: colour (a palette
of four swatches), preview (a calendar page under a magnifier), check on and off (a ticked and
an empty box), zoom in and out (a magnifier with a plus or a minus). Run it again after changing
a drawing; the files are committed."""
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


def page(c):
    c.frame(3, 2, 25, 28, (255, 255, 255), DARK)
    c.rect(4, 3, 24, 8, (210, 60, 50))
    for row in range(4):
        for col in range(4):
            x, y = 6 + col * 4, 10 + row * 4
            c.rect(x, y, x + 2, y + 2, (210, 60, 50) if col == 0 else (90, 90, 110))


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


def preview(c):
    page(c)
    ring(c, 21, 21, 7, 2, (40, 70, 130))
    for i in range(5):
        c.rect(26 + i, 26 + i, 28 + i, 28 + i, (120, 80, 40))


def check_on(c):
    c.frame(4, 4, 28, 28, (255, 255, 255), DARK)
    for i in range(6):
        c.rect(8 + i, 14 + i, 11 + i, 17 + i, (30, 140, 50))
    for i in range(11):
        c.rect(13 + i, 19 - i, 16 + i, 22 - i, (30, 140, 50))


def check_off(c):
    c.frame(4, 4, 28, 28, (255, 255, 255), DARK)


if __name__ == "__main__":
    platform_icons.write_icon("button_colour", colour)
    platform_icons.write_icon("button_preview", preview)
    platform_icons.write_icon("check_on", check_on)
    platform_icons.write_icon("check_off", check_off)
    platform_icons.write_icon("zoom_in", lambda c: magnifier(c, "+"))
    platform_icons.write_icon("zoom_out", lambda c: magnifier(c, "-"))
    sys.exit(0)
