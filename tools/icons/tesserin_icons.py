#!/usr/bin/env python3
"""Draws the Tesserin library's icons (the file-transfer icon: two computers with an
arrow between them) at 16 and 32 pixels and writes them as .ico files into
Tesserin/res. Run it again after changing a drawing; the files are committed."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import platform_icons  # noqa: E402

platform_icons.OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "Tesserin", "res")


def file_transfer(c):
    # sending computer (left, top) and receiving computer (right, bottom)
    c.frame(1, 2, 15, 12, (60, 60, 70), (40, 40, 45))
    c.rect(3, 4, 13, 10, (70, 140, 220))
    c.rect(6, 12, 10, 14, (120, 120, 130))
    c.frame(17, 18, 31, 28, (60, 60, 70), (40, 40, 45))
    c.rect(19, 20, 29, 26, (70, 200, 120))
    c.rect(22, 28, 26, 30, (120, 120, 130))
    # arrow from the first to the second
    c.rect(8, 16, 20, 19, (230, 90, 40))
    c.rect(18, 14, 20, 21, (230, 90, 40))
    c.rect(20, 15, 22, 20, (230, 90, 40))
    c.rect(22, 16, 24, 19, (230, 90, 40))
    c.rect(8, 14, 11, 16, (230, 90, 40))


if __name__ == "__main__":
    platform_icons.write_icon("filetransfer", file_transfer)
    sys.exit(0)
