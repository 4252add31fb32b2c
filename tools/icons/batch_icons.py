#!/usr/bin/env python3
"""Draws the batch dialogs' stop icon into Lumaret/res/album: a red octagon with a white bar (the
on/off option icons are the editor's). Run it again after changing a drawing; the file is
committed."""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import platform_icons  # noqa: E402

platform_icons.OUT = os.path.join(HERE, "..", "..", "Lumaret", "res", "album")


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
    platform_icons.write_icon("batch_stop", stop)
    sys.exit(0)
