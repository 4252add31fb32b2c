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
    """Two blue arcs chasing each other round a circle, each ending in an arrow head."""
    import math
    blue, dark = (60, 130, 220), (20, 60, 140)

    def in_triangle(px, py, a, b, d):
        def side(p1, p2):
            return (px - p2[0]) * (p1[1] - p2[1]) - (p1[0] - p2[0]) * (py - p2[1])
        s1, s2, s3 = side(a, b), side(b, d), side(d, a)
        return not ((s1 < 0 or s2 < 0 or s3 < 0) and (s1 > 0 or s2 > 0 or s3 > 0))

    heads = [((20, 13), (31, 13), (25.5, 20)), ((1, 19), (12, 19), (6.5, 12))]
    for y in range(32):
        for x in range(32):
            px, py = x + 0.5, y + 0.5
            r = math.hypot(px - 16, py - 16)
            angle = math.degrees(math.atan2(py - 16, px - 16)) % 360
            gap = angle < 30 or 150 < angle < 210 or angle > 330
            ring = 6.5 <= r <= 11.5 and not gap
            head = any(in_triangle(px, py, *h) for h in heads)
            if ring or head:
                edge = not (7.5 <= r <= 10.5) if ring and not head else False
                c.rect(x, y, x + 1, y + 1, dark if edge else blue)


if __name__ == "__main__":
    platform_icons.write_icon("button_delete", bin_)
    platform_icons.write_icon("button_edit", edit)
    platform_icons.write_icon("button_refresh", refresh)
    sys.exit(0)
