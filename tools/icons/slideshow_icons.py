#!/usr/bin/env python3
"""Draws the slide show's mode button icons into Lumaret/res/browser: manual mode (a single step:
a triangle under a bar) and automatic mode (a circular arrow around a play triangle). Its first,
previous, next and last buttons use the print subsystem's pictures. Run it again after changing a drawing; the files are
committed."""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import platform_icons  # noqa: E402

platform_icons.OUT = os.path.join(HERE, "..", "..", "Lumaret", "res", "browser")

DARK, GREEN, ORANGE = (20, 50, 120), (60, 170, 70), (240, 150, 40)


def manual(c):
    c.frame(4, 4, 28, 28, (250, 245, 230), DARK)
    c.rect(9, 9, 23, 12, ORANGE)
    for y in range(14, 25):
        half = (y - 14) // 2
        c.rect(16 - half - 1, y, 16 + half + 1, y + 1, ORANGE)


def automatic(c):
    # a ring with a gap at the top right, and a play triangle inside
    for y in range(32):
        for x in range(32):
            d = ((x - 15.5) ** 2 + (y - 15.5) ** 2) ** 0.5
            if 11 <= d <= 14 and not (x > 17 and y < 12):
                c.rect(x, y, x + 1, y + 1, GREEN)
    c.rect(18, 2, 26, 5, GREEN)
    c.rect(23, 2, 26, 11, GREEN)
    for y in range(10, 22):
        reach = 9 * (6 - abs(y - 16 + 0.5)) / 6.0
        c.rect(13, y, 13 + max(1, reach), y + 1, DARK)


if __name__ == "__main__":
    platform_icons.write_icon("slide_manual", manual)
    platform_icons.write_icon("slide_auto", automatic)
    sys.exit(0)
