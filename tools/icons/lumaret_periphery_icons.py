#!/usr/bin/env python3
"""Draws the music player's button icons into Lumaret/res/shell: the transport buttons (play,
pause, stop, previous, next, eject) and the repeat switch (off and on). Run it again after
changing a drawing; the files are committed."""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import platform_icons  # noqa: E402

platform_icons.OUT = os.path.join(HERE, "..", "..", "Lumaret", "res", "shell")

INK = (30, 30, 40)
BLUE = (60, 130, 230)
LIGHT = (150, 200, 250)


def triangle(c, x0, y0, x1, y1, colour, pointing_right=True):
    h = y1 - y0
    for i in range(h):
        half = min(i, h - 1 - i)
        w = (x1 - x0) * (2 * half + 1) / h
        if pointing_right:
            c.rect(x0, y0 + i, x0 + w, y0 + i + 1, colour)
        else:
            c.rect(x1 - w, y0 + i, x1, y0 + i + 1, colour)


def play(c):
    triangle(c, 9, 5, 27, 27, INK)
    triangle(c, 10, 7, 25, 25, BLUE)


def pause(c):
    c.frame(8, 6, 14, 26, BLUE, INK)
    c.frame(18, 6, 24, 26, BLUE, INK)


def stop(c):
    c.frame(7, 7, 25, 25, BLUE, INK)


def previous(c):
    c.frame(5, 7, 9, 25, BLUE, INK)
    triangle(c, 9, 7, 19, 25, INK, False)
    triangle(c, 17, 7, 27, 25, INK, False)
    triangle(c, 10, 9, 18, 23, BLUE, False)
    triangle(c, 18, 9, 26, 23, BLUE, False)


def next_(c):
    triangle(c, 5, 7, 15, 25, INK)
    triangle(c, 13, 7, 23, 25, INK)
    triangle(c, 6, 9, 14, 23, BLUE)
    triangle(c, 14, 9, 22, 23, BLUE)
    c.frame(23, 7, 27, 25, BLUE, INK)


def eject(c):
    for i in range(10):
        c.rect(16 - i - 1, 6 + i, 16 + i + 1, 7 + i, INK)
        if i > 0:
            c.rect(16 - i, 6 + i, 16 + i, 7 + i, BLUE)
    c.frame(6, 19, 26, 25, BLUE, INK)


def arrows(c, colour):
    # Two bent arrows chasing each other round a rectangle.
    c.rect(6, 9, 24, 12, colour)
    c.rect(6, 9, 9, 19, colour)
    triangle(c, 23, 6, 28, 16, colour)
    c.rect(8, 20, 26, 23, colour)
    c.rect(23, 13, 26, 23, colour)
    triangle(c, 4, 16, 9, 26, colour, False)


def repeat_off(c):
    arrows(c, (120, 120, 120))


def repeat_on(c):
    arrows(c, (240, 170, 30))


if __name__ == "__main__":
    for name, draw in (("player_play", play), ("player_pause", pause), ("player_stop", stop),
                       ("player_previous", previous), ("player_next", next_), ("player_eject", eject),
                       ("repeat_off", repeat_off),
                       ("repeat_on", repeat_on)):
        platform_icons.write_icon(name, draw)
    sys.exit(0)
