#!/usr/bin/env python3
"""Draws the button icons of the template pages into Lumaret/res/templates: remove (a red
bin), edit (a picture with a pencil) and refresh (two blue arrows in a circle); new and save are
the album's. Run it again after changing a drawing; the files are committed."""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import platform_icons  # noqa: E402

OUT = os.path.join(HERE, "..", "..", "Lumaret", "res", "templates")
platform_icons.OUT = OUT


def bin_(c):
    dark, red = (120, 20, 20), (210, 60, 50)
    c.rect(6, 6, 26, 9, dark)
    c.rect(12, 3, 20, 6, dark)
    c.frame(8, 9, 24, 29, red, dark)
    for x in (12, 16, 20):
        c.rect(x, 12, x + 1, 26, (250, 200, 190))


def edit(c):
    c.frame(2, 6, 24, 26, (150, 200, 245), (70, 70, 80))
    c.rect(3, 18, 23, 25, (80, 160, 70))
    c.rect(16, 9, 20, 13, (250, 220, 60))
    for i in range(14):
        c.rect(14 + i, 27 - i, 18 + i, 30 - i, (240, 190, 40))
    c.rect(12, 28, 15, 31, (60, 60, 60))
    c.rect(28, 12, 31, 15, (230, 120, 140))


def refresh(c):
    blue, dark = (60, 130, 220), (20, 60, 140)
    import math
    for step in range(0, 360, 6):
        if 60 < step < 110 or 240 < step < 290:
            continue
        a = math.radians(step)
        x, y = 16 + 10 * math.cos(a), 16 + 10 * math.sin(a)
        c.rect(x - 2.5, y - 2.5, x + 2.5, y + 2.5, dark)
        c.rect(x - 1.5, y - 1.5, x + 1.5, y + 1.5, blue)
    # arrow heads at the two gaps, pointing round the circle
    for i in range(6):
        c.rect(22 + i, 18 - i, 24 + i, 20 - i, dark)
        c.rect(22 - i, 18 - i, 24 - i, 20 - i, dark)
        c.rect(8 + i, 12 + i, 10 + i, 14 + i, dark)
        c.rect(8 - i, 12 + i, 10 - i, 14 + i, dark)


if __name__ == "__main__":
    platform_icons.write_icon("button_delete", bin_)
    platform_icons.write_icon("button_edit", edit)
    platform_icons.write_icon("button_refresh", refresh)
    sys.exit(0)
