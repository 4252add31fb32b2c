#!/usr/bin/env python3
"""Draws the Tesserin library's icons at 16 and 32 pixels and writes them as .ico files
into Tesserin/res: the file-transfer icon (two computers with an arrow between them)
and the dialog button icons (a green tick for OK, a red cross for Cancel, a folder with
a tick for choosing a folder, two round arrows for reloading). Run it again after
changing a drawing; the files are committed."""
import math
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


def stroke(c, points, width, colour):
    """A thick polyline in 32-pixel units, laid as small squares along each segment."""
    for (x0, y0), (x1, y1) in zip(points, points[1:]):
        steps = int(max(abs(x1 - x0), abs(y1 - y0)) * 2) + 1
        for i in range(steps + 1):
            x = x0 + (x1 - x0) * i / steps
            y = y0 + (y1 - y0) * i / steps
            c.rect(x - width / 2, y - width / 2, x + width / 2, y + width / 2, colour)


def tick(c, dx=0, dy=0, scale=1.0, colour=(40, 160, 60), shade=(20, 100, 35)):
    pts = [(4, 17), (12, 25), (28, 7)]
    pts = [(dx + x * scale, dy + y * scale) for x, y in pts]
    stroke(c, pts, 7 * scale, shade)
    stroke(c, pts, 5 * scale, colour)


def button_ok(c):
    tick(c)


def button_cancel(c):
    red, dark = (220, 50, 45), (140, 25, 20)
    for a, b in (((6, 6), (26, 26)), ((26, 6), (6, 26))):
        stroke(c, [a, b], 7, dark)
    for a, b in (((6, 6), (26, 26)), ((26, 6), (6, 26))):
        stroke(c, [a, b], 5, red)


def folder_ok(c):
    yellow, edge = (240, 200, 80), (150, 110, 30)
    c.frame(2, 6, 14, 11, yellow, edge)
    c.frame(2, 9, 28, 27, yellow, edge)
    tick(c, 12, 12, 0.62)


def reload_arrows(c):
    blue, dark = (50, 120, 210), (25, 70, 140)
    for start, end, head in ((200, 340, 340), (20, 160, 160)):
        arc = [(16 + 10 * math.cos(math.radians(a)), 16 + 10 * math.sin(math.radians(a)))
               for a in range(start, end + 1, 10)]
        stroke(c, arc, 5, dark)
        stroke(c, arc, 3, blue)
        hx = 16 + 10 * math.cos(math.radians(head))
        hy = 16 + 10 * math.sin(math.radians(head))
        # arrow head pointing along the turn (clockwise)
        tx, ty = -math.sin(math.radians(head)), math.cos(math.radians(head))
        nx, ny = math.cos(math.radians(head)), math.sin(math.radians(head))
        for k in range(6):
            w = 6 - k
            cx, cy = hx + tx * k, hy + ty * k
            stroke(c, [(cx - nx * w, cy - ny * w), (cx + nx * w, cy + ny * w)], 1.5, dark)


if __name__ == "__main__":
    platform_icons.write_icon("filetransfer", file_transfer)
    platform_icons.write_icon("button_ok", button_ok)
    platform_icons.write_icon("button_cancel", button_cancel)
    platform_icons.write_icon("folder_ok", folder_ok)
    platform_icons.write_icon("reload", reload_arrows)
    sys.exit(0)
