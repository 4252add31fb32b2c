#!/usr/bin/env python3
"""Draws the batch dialogs' icons into Lumaret/res/album: an option switched on (a box with a
green tick), the same option switched off (the empty box) and stop (a red octagon with a white
bar). Run it again after changing a drawing; the files are committed."""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import platform_icons  # noqa: E402

platform_icons.OUT = os.path.join(HERE, "..", "..", "Lumaret", "res", "album")

BOX_EDGE = (70, 90, 120)
BOX_FILL = (255, 255, 255)


def box(c):
    c.frame(4, 4, 28, 28, BOX_FILL, BOX_EDGE)
    c.rect(6, 6, 26, 8, (225, 232, 242))


def check_on(c):
    box(c)
    green, dark = (40, 170, 60), (20, 110, 35)
    for i in range(6):
        c.rect(8 + i, 15 + i, 12 + i, 19 + i, dark)
    for i in range(12):
        c.rect(13 + i, 20 - i, 17 + i, 24 - i, dark)
    for i in range(6):
        c.rect(9 + i, 16 + i, 11 + i, 18 + i, green)
    for i in range(12):
        c.rect(14 + i, 21 - i, 16 + i, 23 - i, green)


def check_off(c):
    box(c)


def stop(c):
    red, dark = (215, 40, 40), (130, 20, 20)
    for y in range(3, 29):
        inset = max(0, 9 - y, y - 22)
        c.rect(3 + inset, y, 29 - inset, y + 1, dark)
    for y in range(5, 27):
        inset = max(0, 10 - y, y - 21)
        c.rect(5 + inset, y, 27 - inset, y + 1, red)
    c.rect(9, 14, 23, 18, (255, 255, 255))


if __name__ == "__main__":
    platform_icons.write_icon("batch_check_on", check_on)
    platform_icons.write_icon("batch_check_off", check_off)
    platform_icons.write_icon("batch_stop", stop)
    sys.exit(0)
