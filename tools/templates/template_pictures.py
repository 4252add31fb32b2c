#!/usr/bin/env python3
"""Draws the decoration templates the program ships with and writes them as seed rows of the
template database (data/TemplateSeed.sql): three frames (a corner piece and an edge piece each,
40 x 40, the outer side at the top and, for the corner, at the left), three grey masks (120 x 90,
white where the photo shows) and three background tiles (32 x 32). The pictures are BMP files
stored byte for byte in the BLOB columns. Run it again after changing a drawing; the SQL is
committed."""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "..", "data", "TemplateSeed.sql")
DATE = "2026-12-01"


def bmp24(width, height, pixel):
    """pixel(x, y) -> (r, g, b), y = 0 at the top."""
    stride = (width * 3 + 3) & ~3
    rows = b""
    for y in reversed(range(height)):
        row = b"".join(struct.pack("<BBB", *reversed(clamp(pixel(x, y)))) for x in range(width))
        rows += row + b"\0" * (stride - len(row))
    return wrap(width, height, 24, b"", rows)


def bmp8grey(width, height, level):
    """level(x, y) -> 0..255."""
    stride = (width + 3) & ~3
    palette = b"".join(struct.pack("<BBBB", i, i, i, 0) for i in range(256))
    rows = b""
    for y in reversed(range(height)):
        row = bytes(max(0, min(255, int(level(x, y)))) for x in range(width))
        rows += row + b"\0" * (stride - len(row))
    return wrap(width, height, 8, palette, rows)


def wrap(width, height, bits, palette, rows):
    colours = len(palette) // 4
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(rows), 2835, 2835, colours, 0)
    offset = 14 + len(info) + len(palette)
    head = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    return head + info + palette + rows


def clamp(c):
    return tuple(max(0, min(255, int(round(v)))) for v in c)


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def shade(c, f):
    return tuple(v * f for v in c)


# ---- Frames: a profile across the depth d (0 = outer side, 39 = inner side) ----
SIZE = 40


def wood_profile(d, along):
    base = (150, 95, 50)
    grain = 0.88 + 0.12 * math.sin(along * 0.12 + 1.2 * math.sin(along * 0.05 + d * 0.5))
    c = shade(base, grain)
    if d < 2 or d >= 37:
        return shade(c, 0.45)
    if d < 8:
        return mix(shade(c, 1.3), c, (d - 2) / 6)
    if 30 <= d < 34:
        return (225, 190, 100)  # the gilt lip next to the picture
    return shade(c, 1.0 - (d - 8) / 60)


def gold_profile(d, along):
    gold, dark = (235, 190, 70), (140, 95, 20)
    t = 0.5 + 0.5 * math.cos(d / 39 * math.pi * 2.2)
    c = mix(dark, gold, t)
    # a row of beads half way in
    phase = (along % 10) - 5
    if (phase * phase + (d - 19) ** 2) <= 9:
        c = mix((255, 240, 170), gold, math.sqrt(phase * phase + (d - 19) ** 2) / 3)
    if d < 1 or d >= 38:
        c = shade(dark, 0.7)
    return c


def modern_profile(d, along):
    if d >= 33 and d < 36:
        return (200, 205, 215)  # a silver line inside
    if d < 2:
        return (70, 70, 75)
    return mix((40, 40, 45), (20, 20, 22), d / 39)


def edge_piece(profile):
    return bmp24(SIZE, SIZE, lambda x, y: profile(y, x))


def corner_piece(profile, ornament=None):
    def pixel(x, y):
        # The top band runs along x, the left band along y; they meet on the mitre.
        c = profile(min(x, y), x if y < x else y)
        if x == y:
            c = shade(c, 0.7)
        if ornament:
            c = ornament(x, y, c)
        return c

    return bmp24(SIZE, SIZE, pixel)


def rosette(x, y, c):
    r = math.hypot(x - 16, y - 16)
    if r < 9:
        petal = 0.5 + 0.5 * math.cos(6 * math.atan2(y - 16, x - 16))
        c = mix((120, 70, 10), (255, 235, 150), petal * (1 - r / 9) + 0.2)
    if r < 3:
        c = (200, 40, 40)
    return c


# ---- Masks: white where the photo shows, black where the fill colour covers it ----
MW, MH = 120, 90


def soft(inside, width=6.0):
    """inside: signed distance (positive inside) -> grey level with a soft edge."""
    return 255 * max(0.0, min(1.0, inside / width + 0.5))


def oval(x, y):
    dx, dy = (x - MW / 2) / (MW / 2 - 8), (y - MH / 2) / (MH / 2 - 8)
    return soft((1 - math.hypot(dx, dy)) * 40)


def heart(x, y):
    # two round lobes over a diamond whose lower point is the tip
    cx, r = MW / 2, 19
    lobes = max(r - math.hypot(x - (cx - 16), y - 32), r - math.hypot(x - (cx + 16), y - 32))
    diamond = (27 - (abs(x - cx) + abs(y - 48))) / math.sqrt(2)
    return soft(max(lobes, diamond), 4.0)


def star(x, y):
    a = math.atan2(y - MH / 2, x - MW / 2) + math.pi / 2
    r = math.hypot(x - MW / 2, y - MH / 2)
    k = (a % (2 * math.pi / 5)) / (2 * math.pi / 5)
    limit = 20 + 22 * abs(1 - 2 * k) ** 1.5
    return soft(limit - r, 4.0)


# ---- Background tiles ----
TW = 32


def gingham(x, y):
    a, b = (x // 8) % 2, (y // 8) % 2
    base = (250, 250, 255)
    blue = (110, 150, 220)
    return mix(base, blue, (a + b) * 0.4)


def dots(x, y):
    pink, white = (245, 170, 190), (255, 250, 250)
    for cx, cy in ((8, 8), (24, 24)):
        if math.hypot(x - cx, y - cy) < 5:
            return white
    return pink


def stripes(x, y):
    beige, brown = (240, 225, 195), (190, 150, 110)
    return brown if (x + y) % 16 < 5 else beige


FRAMES = [
    ("원목 액자", "따뜻한 원목 결의 액자", wood_profile, None),
    ("금박 액자", "구슬 장식과 꽃 모서리의 금빛 액자", gold_profile, rosette),
    ("모던 블랙 액자", "은색 안선이 있는 검정 액자", modern_profile, None),
]
MASKS = [("타원", "가운데가 보이는 부드러운 타원", oval), ("하트", "하트 모양", heart), ("별", "다섯 모 별", star)]
PATTERNS = [
    ("파란 체크", "하늘색 체크무늬", gingham),
    ("분홍 물방울", "분홍 바탕의 흰 물방울", dots),
    ("사선 줄무늬", "베이지 사선 줄무늬", stripes),
]


def hexblob(data):
    return "X'" + data.hex().upper() + "'"


def main():
    lines = [
        "-- The decoration templates the program ships with; drawn by tools/templates/template_pictures.py.",
        "-- Pictures are whole BMP files; RegUser 'System' tells them from rows the editors save.",
    ]
    for no, (name, memo, profile, ornament) in enumerate(FRAMES, 1):
        corner, edge = corner_piece(profile, ornament), edge_piece(profile)
        lines.append(
            "INSERT INTO FrameImgs VALUES (%d, '%s', '%s', %d, %d, %d, '%s', 'bmp', 'bmp', 'System', %s, %s);"
            % (no, name, DATE, SIZE, SIZE, SIZE, memo, hexblob(corner), hexblob(edge)))
    for no, (name, memo, level) in enumerate(MASKS, 1):
        lines.append("INSERT INTO MaskImgs VALUES (%d, '%s', '%s', %d, %d, '%s', 'bmp', 'System', %s);"
                     % (no, name, DATE, MW, MH, memo, hexblob(bmp8grey(MW, MH, level))))
    for no, (name, memo, pixel) in enumerate(PATTERNS, 1):
        lines.append("INSERT INTO PatternImgs VALUES (%d, '%s', '%s', %d, %d, '%s', 'bmp', 'System', %s);"
                     % (no, name, DATE, TW, TW, memo, hexblob(bmp24(TW, TW, pixel))))
    with open(OUT, "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
