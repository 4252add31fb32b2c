#!/usr/bin/env python3
"""Draws the main program's shell pictures into Lumaret/res/shell: the program
icon (a camera in front of a photo), the main toolbar strips (nine 32 x 28 pictures: home, music, print, print
order, zoom out, zoom in, full screen, undo, redo; normal, disabled and hot on
white), the rebar's background tile (light grey 0xC0C0C0 made the desktop's
face colour at run time, with a faint diagonal weave), the menu pictures
(16 x 15 on light grey), the folder bar's group pictures (folder tree, album,
tools; 32 pixels on grey 0x808080 and 16 pixels on olive 0x808000) and the
logo (a lens and "MIVO LITE" on a blue band), and the pointing-hand cursor. Run it again after changing a
drawing; the files are committed."""
import math
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import platform_icons  # noqa: E402

OUT = os.path.join(HERE, "..", "..", "Lumaret", "res", "shell")
platform_icons.OUT = OUT


class Image:
    """A 24-bit picture; drawing takes pixel coordinates."""

    def __init__(self, w, h, fill):
        self.w, self.h = w, h
        self.px = [[fill] * w for _ in range(h)]

    def put(self, x, y, c):
        x, y = int(x), int(y)
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c):
        for y in range(int(y0), int(y1)):
            for x in range(int(x0), int(x1)):
                self.put(x, y, c)

    def frame(self, x0, y0, x1, y1, fill, edge):
        self.rect(x0, y0, x1, y1, edge)
        self.rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, fill)

    def disc(self, cx, cy, r, c, r0=-1.0):
        for y in range(int(cy - r - 1), int(cy + r + 2)):
            for x in range(int(cx - r - 1), int(cx + r + 2)):
                d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                if r0 <= d <= r:
                    self.put(x, y, c)

    def line(self, x0, y0, x1, y1, c, width=1.0):
        n = int(max(abs(x1 - x0), abs(y1 - y0)) * 2) + 1
        for i in range(n + 1):
            t = i / n
            self.disc(x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, width / 2, c)

    def write_bmp(self, name):
        stride = (self.w * 3 + 3) & ~3
        rows = b""
        for y in reversed(range(self.h)):
            row = b"".join(struct.pack("<BBB", c[2], c[1], c[0]) for c in self.px[y])
            rows += row + b"\0" * (stride - len(row))
        info = struct.pack("<IiiHHIIiiII", 40, self.w, self.h, 1, 24, 0, len(rows), 0, 0, 0, 0)
        head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(rows), 0, 0, 14 + len(info))
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(head + info + rows)


# ---- toolbar pictures, 32 x 28, drawn at an offset ----

def home(im, ox, c):
    roof, wall, door = c((200, 50, 40)), c((245, 225, 170)), c((120, 80, 40))
    for i in range(11):
        im.rect(ox + 16 - i, 3 + i, ox + 17 + i, 4 + i, roof)
    im.frame(ox + 7, 13, ox + 26, 26, wall, c((90, 70, 40)))
    im.rect(ox + 14, 17, ox + 19, 26, door)
    im.rect(ox + 21, 16, ox + 24, 19, c((120, 180, 240)))


def music(im, ox, c):
    ink = c((40, 60, 150))
    im.disc(ox + 10, 22, 4.2, ink)
    im.disc(ox + 23, 19, 4.2, ink)
    im.rect(ox + 13, 5, ox + 15, 22, ink)
    im.rect(ox + 26, 3, ox + 28, 19, ink)
    for i in range(4):
        im.line(ox + 14, 5 + i, ox + 27, 2 + i, ink)


def printer(im, ox, c):
    im.frame(ox + 9, 2, ox + 24, 12, c((255, 255, 255)), c((90, 90, 90)))
    im.frame(ox + 3, 10, ox + 30, 22, c((170, 170, 180)), c((60, 60, 70)))
    im.rect(ox + 24, 13, ox + 27, 15, c((40, 200, 60)))
    im.frame(ox + 9, 18, ox + 24, 27, c((255, 255, 255)), c((90, 90, 90)))
    for y in (21, 24):
        im.rect(ox + 11, y, ox + 22, y + 1, c((120, 140, 190)))


def order(im, ox, c):
    im.frame(ox + 5, 2, ox + 22, 15, c((150, 210, 250)), c((60, 60, 60)))
    im.rect(ox + 6, 10, ox + 21, 14, c((70, 160, 60)))
    im.disc(ox + 17, 6, 2.2, c((250, 210, 40)))
    cart = c((40, 40, 40))
    im.rect(ox + 2, 17, ox + 30, 19, cart)
    im.rect(ox + 5, 19, ox + 28, 21, cart)
    im.disc(ox + 9, 24, 2.2, cart)
    im.disc(ox + 24, 24, 2.2, cart)


def magnifier(im, ox, c, plus):
    glass, rim = c((210, 235, 255)), c((50, 60, 80))
    im.disc(ox + 13, 12, 9, rim)
    im.disc(ox + 13, 12, 7, glass)
    im.line(ox + 19, 18, ox + 28, 26, c((120, 80, 40)), 3.5)
    sign = c((200, 40, 40))
    im.rect(ox + 9, 11, ox + 18, 13, sign)
    if plus:
        im.rect(ox + 12, 8, ox + 14, 17, sign)


def fullscreen(im, ox, c):
    im.frame(ox + 2, 2, ox + 30, 22, c((70, 140, 220)), c((40, 40, 45)))
    im.rect(ox + 13, 22, ox + 19, 25, c((120, 120, 130)))
    im.rect(ox + 8, 25, ox + 24, 27, c((90, 90, 100)))
    arrow = c((255, 255, 255))
    for (x0, y0, dx, dy) in ((5, 5, 1, 1), (26, 5, -1, 1), (5, 18, 1, -1), (26, 18, -1, -1)):
        im.line(ox + x0, y0, ox + x0 + 5 * dx, y0 + 4 * dy, arrow, 1.5)
        im.rect(ox + min(x0, x0 + 4 * dx), y0 - (0 if dy > 0 else 0), ox + max(x0, x0 + 4 * dx) + 1, y0 + 1, arrow)


def curved_arrow(im, ox, c, back):
    ink = c((30, 120, 60)) if back else c((30, 90, 180))
    for a in range(200, 341):
        t = math.radians(a)
        x = 16 + 9 * math.cos(t)
        y = 18 + 9 * math.sin(t)
        im.disc(ox + (32 - x if not back else x), y, 1.6, ink)
    tipx = 7 if back else 25
    for i in range(6):
        im.rect(ox + tipx - i, 19 - i if False else 12 + i, ox + tipx + i + 1, 13 + i, ink)


TOOLBAR = [
    home, music, printer, order,
    lambda im, ox, c: magnifier(im, ox, c, False),
    lambda im, ox, c: magnifier(im, ox, c, True),
    fullscreen,
    lambda im, ox, c: curved_arrow(im, ox, c, True),
    lambda im, ox, c: curved_arrow(im, ox, c, False),
]

WHITE = (255, 255, 255)


def look(kind):
    def normal(col):
        return col if col != WHITE else (254, 254, 254)

    def disabled(col):
        g = int(0.3 * col[0] + 0.59 * col[1] + 0.11 * col[2])
        g = int(g * 0.45 + 200 * 0.55)
        return (g, g, g)

    def hot(col):
        out = tuple(min(255, int(v * 0.75 + 255 * 0.25)) for v in col)
        return out if out != WHITE else (254, 254, 254)

    return {"normal": normal, "disabled": disabled, "hot": hot}[kind]


def write_toolbar():
    for kind, name in (("normal", "toolbar.bmp"), ("disabled", "toolbar_disabled.bmp"), ("hot", "toolbar_hot.bmp")):
        im = Image(32 * len(TOOLBAR), 28, WHITE)
        for i, draw in enumerate(TOOLBAR):
            draw(im, 32 * i, look(kind))
        im.write_bmp(name)


def write_rebar_back():
    im = Image(64, 64, (0xC0, 0xC0, 0xC0))
    for y in range(64):
        for x in range(64):
            if (x + y) % 16 == 0 or (x - y) % 16 == 0:
                im.put(x, y, (0xC8, 0xC8, 0xCC))
    im.write_bmp("rebar_back.bmp")


# ---- menu pictures, 16 x 15 on light grey ----

GREY = (192, 192, 192)
ident = (lambda col: col)


def m_new(im, ox):
    im.frame(ox + 3, 1, ox + 13, 14, (255, 255, 255), (90, 90, 90))
    im.rect(ox + 5, 5, ox + 11, 12, (150, 200, 245))
    im.rect(ox + 5, 9, ox + 11, 12, (80, 160, 70))


def m_open(im, ox):
    im.frame(ox + 1, 4, ox + 15, 13, (250, 215, 110), (150, 110, 30))
    im.rect(ox + 1, 2, ox + 7, 4, (150, 110, 30))


def m_save(im, ox):
    im.frame(ox + 1, 1, ox + 15, 14, (50, 80, 160), (20, 30, 80))
    im.rect(ox + 4, 2, ox + 12, 7, (255, 255, 255))
    im.rect(ox + 5, 10, ox + 11, 14, (170, 170, 180))


def m_print(im, ox):
    im.frame(ox + 4, 1, ox + 12, 6, (255, 255, 255), (90, 90, 90))
    im.frame(ox + 1, 5, ox + 15, 11, (170, 170, 180), (60, 60, 70))
    im.frame(ox + 4, 9, ox + 12, 14, (255, 255, 255), (90, 90, 90))


def m_copy(im, ox):
    im.frame(ox + 1, 1, ox + 9, 10, (255, 255, 255), (40, 60, 150))
    im.frame(ox + 6, 5, ox + 14, 14, (255, 255, 255), (40, 60, 150))


def m_cut(im, ox):
    im.line(ox + 4, 1, ox + 10, 9, (60, 60, 60))
    im.line(ox + 11, 1, ox + 5, 9, (60, 60, 60))
    im.disc(ox + 4, 11, 2.6, (200, 40, 40), 1.2)
    im.disc(ox + 11, 11, 2.6, (200, 40, 40), 1.2)


def m_paste(im, ox):
    im.frame(ox + 1, 2, ox + 11, 14, (200, 150, 80), (110, 70, 30))
    im.rect(ox + 4, 1, ox + 8, 3, (90, 90, 90))
    im.frame(ox + 7, 6, ox + 15, 14, (255, 255, 255), (40, 60, 150))


def m_undo(im, ox):
    for a in range(200, 340, 4):
        t = math.radians(a)
        im.put(ox + 8 + 5 * math.cos(t), 10 + 5 * math.sin(t), (30, 120, 60))
        im.put(ox + 8 + 5 * math.cos(t), 11 + 5 * math.sin(t), (30, 120, 60))
    im.rect(ox + 1, 7, ox + 6, 9, (30, 120, 60))
    im.rect(ox + 3, 5, ox + 5, 11, (30, 120, 60))


def m_redo(im, ox):
    for a in range(200, 340, 4):
        t = math.radians(a)
        im.put(ox + 8 - 5 * math.cos(t), 10 + 5 * math.sin(t), (30, 90, 180))
        im.put(ox + 8 - 5 * math.cos(t), 11 + 5 * math.sin(t), (30, 90, 180))
    im.rect(ox + 10, 7, ox + 15, 9, (30, 90, 180))
    im.rect(ox + 11, 5, ox + 13, 11, (30, 90, 180))


def m_zoom(im, ox, plus):
    im.disc(ox + 6.5, 6.5, 5.5, (50, 60, 80))
    im.disc(ox + 6.5, 6.5, 4, (210, 235, 255))
    im.line(ox + 10, 10, ox + 14, 14, (120, 80, 40), 2)
    im.rect(ox + 4, 6, ox + 10, 7, (200, 40, 40))
    if plus:
        im.rect(ox + 6, 4, ox + 7, 10, (200, 40, 40))


def m_help(im, ox):
    im.disc(ox + 8, 7.5, 7, (30, 90, 200))
    ink = (255, 255, 255)
    im.rect(ox + 6, 3, ox + 10, 4, ink)
    im.rect(ox + 10, 4, ox + 11, 7, ink)
    im.rect(ox + 8, 7, ox + 10, 9, ink)
    im.rect(ox + 8, 11, ox + 10, 13, ink)


def m_scan(im, ox):
    im.frame(ox + 1, 6, ox + 15, 13, (200, 200, 205), (70, 70, 80))
    im.rect(ox + 2, 8, ox + 14, 9, (60, 200, 90))
    im.frame(ox + 4, 1, ox + 12, 7, (255, 255, 255), (90, 90, 90))


def m_order(im, ox):
    im.frame(ox + 2, 1, ox + 12, 9, (150, 210, 250), (60, 60, 60))
    im.rect(ox + 1, 10, ox + 15, 11, (40, 40, 40))
    im.rect(ox + 3, 11, ox + 13, 12, (40, 40, 40))
    im.rect(ox + 4, 13, ox + 6, 15, (30, 30, 30))
    im.rect(ox + 10, 13, ox + 12, 15, (30, 30, 30))


MENU = [m_new, m_open, m_save, m_print, m_copy, m_cut, m_paste, m_undo, m_redo,
        lambda im, ox: m_zoom(im, ox, True), lambda im, ox: m_zoom(im, ox, False), m_help, m_scan, m_order]


def write_menu_strip():
    im = Image(16 * len(MENU), 15, GREY)
    for i, draw in enumerate(MENU):
        draw(im, 16 * i)
    im.write_bmp("menuimages.bmp")


# ---- folder bar groups ----

def g_folders(im, ox, s):
    k = s / 32.0
    im.frame(ox + 2 * k, 6 * k, ox + 14 * k, 11 * k, (240, 200, 90), (150, 110, 30))
    im.frame(ox + 2 * k, 9 * k, ox + 30 * k, 27 * k, (250, 215, 110), (150, 110, 30))
    im.rect(ox + 9 * k, 14 * k, ox + 23 * k, 24 * k, (255, 255, 255))
    im.rect(ox + 10 * k, 15 * k, ox + 22 * k, 23 * k, (150, 200, 245))
    im.rect(ox + 10 * k, 20 * k, ox + 22 * k, 23 * k, (80, 160, 70))


def g_album(im, ox, s):
    k = s / 32.0
    im.frame(ox + 4 * k, 3 * k, ox + 28 * k, 29 * k, (170, 40, 50), (90, 20, 25))
    im.rect(ox + 6 * k, 3 * k, ox + 8 * k, 29 * k, (120, 25, 30))
    im.frame(ox + 11 * k, 8 * k, ox + 25 * k, 20 * k, (255, 255, 255), (230, 230, 230))
    im.rect(ox + 12 * k, 9 * k, ox + 24 * k, 19 * k, (150, 210, 250))
    im.rect(ox + 12 * k, 15 * k, ox + 24 * k, 19 * k, (70, 160, 60))


def g_tools(im, ox, s):
    k = s / 32.0
    im.line(ox + 6 * k, 26 * k, ox + 22 * k, 8 * k, (200, 160, 60), max(1.5, 4 * k))
    im.disc(ox + 24 * k, 6 * k, 4 * k, (40, 40, 40))
    im.line(ox + 8 * k, 6 * k, ox + 26 * k, 26 * k, (90, 90, 100), max(1.5, 3 * k))
    im.rect(ox + 3 * k, 3 * k, ox + 11 * k, 8 * k, (60, 60, 70))
    im.disc(ox + 7 * k, 25 * k, 3 * k, (220, 40, 40))


GROUPS = [g_folders, g_album, g_tools]


def write_group_strips():
    for size, mask, name in ((32, (0x80, 0x80, 0x80), "folderbar_large.bmp"),
                             (16, (0x80, 0x80, 0x00), "folderbar_small.bmp")):
        im = Image(size * len(GROUPS), size, mask)
        for i, draw in enumerate(GROUPS):
            draw(im, size * i, size)
        im.write_bmp(name)


# ---- logo ----

FONT = {
    "M": ["10001", "11011", "10101", "10101", "10001", "10001", "10001"],
    "I": ["111", "010", "010", "010", "010", "010", "111"],
    "V": ["10001", "10001", "10001", "10001", "01010", "01010", "00100"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "L": ["1000", "1000", "1000", "1000", "1000", "1000", "1111"],
    "T": ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    "E": ["1111", "1000", "1000", "1110", "1000", "1000", "1111"],
    " ": ["00", "00", "00", "00", "00", "00", "00"],
}


def text(im, x, y, s, scale, colour):
    for ch in s:
        glyph = FONT[ch]
        for gy, row in enumerate(glyph):
            for gx, bit in enumerate(row):
                if bit == "1":
                    im.rect(x + gx * scale, y + gy * scale, x + (gx + 1) * scale, y + (gy + 1) * scale, colour)
        x += (len(glyph[0]) + 1) * scale
    return x


def write_logo():
    w, h = 200, 52
    im = Image(w, h, (0, 0, 0))
    for y in range(h):
        for x in range(w):
            t = x / w
            im.px[y][x] = (int(20 + 40 * t), int(60 + 60 * t), int(140 + 80 * t - 30 * y / h))
    # a lens: rings and a highlight
    im.disc(26, 26, 21, (30, 30, 40))
    im.disc(26, 26, 18, (80, 80, 95), 16)
    im.disc(26, 26, 14, (40, 70, 140))
    im.disc(26, 26, 9, (20, 30, 70))
    im.disc(21, 20, 4, (200, 230, 255))
    x = text(im, 56, 8, "MIVO", 4, (255, 255, 255))
    text(im, 58, 40, "LITE", 1, (255, 220, 90))
    im.rect(56, 38, x - 4, 39, (255, 220, 90))
    im.write_bmp("logo.bmp")


# ---- the program's hand cursor (buttons and the editor's move tool) ----

HAND = """
.....BB
....BWWB
....BWWB
....BWWB
....BWWBBB
....BWWBWWBB
....BWWBWWBWBB
.BB.BWWBWWBWWBB
BWWBBWWWWWWWWWWB
BWWWBWWWWWWWWWWB
.BWWWWWWWWWWWWWB
.BWWWWWWWWWWWWWB
..BWWWWWWWWWWWWB
..BWWWWWWWWWWWB
...BWWWWWWWWWWB
....BWWWWWWWWB
....BWWWWWWWWB
....BBBBBBBBBB
"""


def write_hand_cursor():
    platform_icons.write_cursor("hand.cur", HAND, {"B": (0, 0, 0), "W": (255, 255, 255)}, (11, 1))


# ---- icons ----

def program(c):
    c.frame(2, 4, 24, 22, (255, 255, 255), (80, 80, 80))
    c.rect(4, 6, 22, 20, (150, 210, 250))
    c.rect(4, 15, 22, 20, (70, 160, 60))
    c.rect(16, 8, 20, 12, (250, 210, 40))
    c.frame(10, 14, 31, 29, (60, 60, 70), (20, 20, 25))
    c.rect(13, 12, 19, 15, (60, 60, 70))
    for y in range(16, 28):
        for x in range(12, 30):
            d = math.hypot(x + 0.5 - 20.5, y + 0.5 - 21.5)
            if d < 5.5:
                c.rect(x, y, x + 1, y + 1, (70, 120, 220) if d < 3.5 else (200, 200, 210))
    c.rect(26, 16, 29, 18, (250, 80, 60))


if __name__ == "__main__":
    write_toolbar()
    write_rebar_back()
    write_menu_strip()
    write_group_strips()
    write_logo()
    write_hand_cursor()
    platform_icons.write_icon("mivolite", program)
    sys.exit(0)
