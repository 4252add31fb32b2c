#!/usr/bin/env python3
"""Draws the calendar templates the program ships with and writes them as seed rows of the
template database (data/CalendarSeed.sql): a portrait page with the picture box at the top and the
day grid below a row of weekday tabs (Sunday red, Saturday blue), and a landscape page with the
picture box at the left. The backgrounds are GIF files (few colours, so they stay small) stored
byte for byte in CalBackImg. Run it again after changing a drawing; the SQL is committed."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "..", "data", "CalendarSeed.sql")


class Page:
    """An indexed picture with a growing palette."""

    def __init__(self, width, height, colour):
        self.width, self.height = width, height
        self.palette = []
        self.px = [self.index(colour)] * (width * height)

    def index(self, colour):
        if colour not in self.palette:
            self.palette.append(colour)
        return self.palette.index(colour)

    def rect(self, x0, y0, x1, y1, colour):
        """Fills [x0, x1) x [y0, y1)."""
        i = self.index(colour)
        for y in range(max(0, y0), min(self.height, y1)):
            row = y * self.width
            for x in range(max(0, x0), min(self.width, x1)):
                self.px[row + x] = i

    def frame(self, x0, y0, x1, y1, colour, width=2):
        self.rect(x0, y0, x1, y0 + width, colour)
        self.rect(x0, y1 - width, x1, y1, colour)
        self.rect(x0, y0, x0 + width, y1, colour)
        self.rect(x1 - width, y0, x1, y1, colour)

    def gif(self):
        palette = self.palette + [(0, 0, 0)] * (256 - len(self.palette))
        head = b"GIF89a" + struct.pack("<HHBBB", self.width, self.height, 0xF7, 0, 0)
        table = b"".join(bytes(c) for c in palette)
        image = b"," + struct.pack("<HHHHB", 0, 0, self.width, self.height, 0)
        data = lzw(self.px, 8)
        blocks = b"".join(bytes([len(data[i:i + 255])]) + data[i:i + 255] for i in range(0, len(data), 255))
        return head + table + image + bytes([8]) + blocks + b"\0;"


def lzw(indices, min_size):
    """GIF's variable-width LZW, codes packed from the low bit."""
    clear, end = 1 << min_size, (1 << min_size) + 1
    out = bytearray()
    state = {"bits": 0, "count": 0}

    def emit(code, size):
        state["bits"] |= code << state["count"]
        state["count"] += size
        while state["count"] >= 8:
            out.append(state["bits"] & 0xFF)
            state["bits"] >>= 8
            state["count"] -= 8

    def fresh():
        return {(i,): i for i in range(clear)}, end + 1, min_size + 1

    table, next_code, size = fresh()
    emit(clear, size)
    word = ()
    for k in indices:
        grown = word + (k,)
        if grown in table:
            word = grown
            continue
        emit(table[word], size)
        table[grown] = next_code
        next_code += 1
        if next_code > (1 << size) and size < 12:
            size += 1
        if next_code >= 4095:
            emit(clear, size)
            table, next_code, size = fresh()
        word = (k,)
    if word:
        emit(table[word], size)
    emit(end, size)
    if state["count"]:
        out.append(state["bits"] & 0xFF)
    return bytes(out)


CREAM, INK, LINE = (250, 246, 235), (60, 60, 70), (205, 200, 190)
SUNDAY, SATURDAY, WEEKDAY = (235, 120, 110), (110, 150, 230), (170, 170, 175)


def weekday_tabs(page, x, y, cell, height):
    for d in range(7):
        colour = SUNDAY if d == 0 else SATURDAY if d == 6 else WEEKDAY
        page.rect(x + d * cell + 3, y, x + (d + 1) * cell - 3, y + height, colour)


def portrait():
    page = Page(480, 680, CREAM)
    page.rect(0, 0, 480, 12, (120, 170, 110))
    page.rect(0, 668, 480, 680, (120, 170, 110))
    page.frame(36, 86, 444, 354, (190, 180, 160), 4)
    weekday_tabs(page, 40, 398, 57, 18)
    for x in range(20, 460, 24):
        page.rect(x, 380, x + 12, 382, LINE)
    values = dict(YearX=40, YearY=22, YearHeight=44, YearColor=0x463C3C, MonthX=372, MonthY=14, MonthHeight=64,
                  MonthColor=0x3C50D2, DaysAreaX=40, DaysAreaY=424, DaysAreaWidth=400, DaysAreaHeight=228,
                  DaysLineDraw=1, DaysLineColor=0xBEC8CD, UserImgX=40, UserImgY=90, UserImgWidth=400,
                  UserImgHeight=260, DescX=40, DescY=360, DescColor=0x5A5050, DescHeight=16)
    return 1, "사계절 세로", "세로", "A4", values, page


def landscape():
    page = Page(680, 480, (238, 244, 252))
    page.rect(0, 0, 12, 480, (70, 110, 180))
    page.frame(26, 26, 334, 454, (150, 170, 200), 4)
    weekday_tabs(page, 360, 150, 42, 16)
    values = dict(YearX=360, YearY=30, YearHeight=36, YearColor=0x784E2E, MonthX=560, MonthY=20, MonthHeight=80,
                  MonthColor=0xB46E46, DaysAreaX=360, DaysAreaY=174, DaysAreaWidth=294, DaysAreaHeight=240,
                  DaysLineDraw=0, DaysLineColor=0, UserImgX=30, UserImgY=30, UserImgWidth=300,
                  UserImgHeight=420, DescX=360, DescY=430, DescColor=0x645A50, DescHeight=14)
    return 2, "파란 가로", "가로", "A4", values, page


COLUMNS = ["YearX", "YearY", "YearHeight", "YearColor", "MonthX", "MonthY", "MonthHeight", "MonthColor",
           "DaysAreaX", "DaysAreaY", "DaysAreaWidth", "DaysAreaHeight", "DaysLineDraw", "DaysLineColor",
           "UserImgX", "UserImgY", "UserImgWidth", "UserImgHeight", "DescX", "DescY", "DescColor", "DescHeight"]


def main():
    lines = ["-- The calendar templates the program ships with; drawn by tools/templates/calendar_pictures.py.",
             "-- Backgrounds are whole GIF files."]
    for key, name, direction, size, values, page in (portrait(), landscape()):
        numbers = ", ".join(str(values[c]) for c in COLUMNS)
        lines.append("INSERT INTO CalendarForms (CalNo, CalName, CalDir, CalSize, %s, FileType, CalBackImg) "
                     "VALUES (%d, '%s', '%s', '%s', %s, 'gif', X'%s');"
                     % (", ".join(COLUMNS), key, name, direction, size, numbers, page.gif().hex().upper()))
    with open(OUT, "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
