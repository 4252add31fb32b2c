#!/usr/bin/env python3
"""Writes the hand-made hostile samples in tests/data/hostile/.

Run once when a sample is added; the files are checked in. The tests and the
fuzz targets (as seeds) read them from that folder. Each file is a small JPEG:
SOI, one Exif APP1 built below, then a tiny real picture, so the decoders see
a whole file as well. The .rtf samples are broken rich text for the rich edit
control's reader; `--rtf` writes only those.
"""
import os
import struct
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "hostile")



def tiny_picture():
    """An 8 x 8 colour baseline JPEG from cjpeg, without its SOI."""
    ppm = b"P6 8 8 255\n" + bytes((x * 32 + y * 7) % 256 for y in range(8) for x in range(24))
    return subprocess.run(["cjpeg", "-quality", "75"], input=ppm, capture_output=True, check=True).stdout[2:]


BYTE, ASCII, SHORT, LONG, RATIONAL, SLONG, FLOAT, DOUBLE = 1, 2, 3, 4, 5, 9, 11, 12


def value_bytes(fmt, value, mm):
    e = ">" if mm else "<"
    if fmt == SHORT:
        return struct.pack(e + "H", value)
    if fmt == LONG:
        return struct.pack(e + "I", value)
    if fmt == SLONG:
        return struct.pack(e + "i", value)
    if fmt == RATIONAL:
        return struct.pack(e + "II", *value)
    if fmt == FLOAT:
        return struct.pack(e + "f", value) if isinstance(value, float) else struct.pack(e + "I", value)
    if fmt == DOUBLE:
        return struct.pack(e + "d", value) if isinstance(value, float) else struct.pack(e + "Q", value)
    if fmt == ASCII:
        return value.encode() + b"\0"
    return bytes(value)


SIZES = {BYTE: 1, ASCII: 1, SHORT: 2, LONG: 4, RATIONAL: 8, SLONG: 4, FLOAT: 4, DOUBLE: 8}


def tiff(dirs, mm=False, tail=b""):
    """dirs: lists of (tag, format, value); each directory links to the next.
    `tail` goes after everything; a value "TAIL" is replaced by its offset."""
    e = ">" if mm else "<"
    at, pos = [], 8
    for d in dirs:
        at.append(pos)
        pos += 2 + 12 * len(d) + 4
    values = b""
    body = b""
    fixups = []
    for i, d in enumerate(dirs):
        body += struct.pack(e + "H", len(d))
        for tag, fmt, value in d:
            if value == "TAIL":
                fixups.append((8 + len(body) + 8, fmt))
                value = 0
            v = value_bytes(fmt, value, mm)
            count = len(v) // SIZES[fmt]
            body += struct.pack(e + "HHI", tag, fmt, count)
            if len(v) > 4:
                body += struct.pack(e + "I", pos + len(values))
                values += v
            else:
                body += v.ljust(4, b"\0")
        body += struct.pack(e + "I", at[i + 1] if i + 1 < len(dirs) else 0)
    out = bytearray((b"MM" if mm else b"II") + struct.pack(e + "HI", 42, 8) + body + values)
    tail_at = len(out)
    for where, fmt in fixups:
        out[where:where + 4] = struct.pack(e + "I", tail_at)
    return bytes(out) + tail


def jpeg(tiff_block):
    app1 = b"Exif\0\0" + tiff_block
    return b"\xff\xd8\xff\xe1" + struct.pack(">H", len(app1) + 2) + app1 + TINY[0]


# Not a picture: only what the reader looks for at a thumbnail's ends.
THUMB = b"\xff\xd8\xff\xdb" + bytes(range(24)) + b"\xff\xd9"


def progressive(width, height, empty_scans, broken_end):
    """A grey progressive JPEG: a DC scan and `empty_scans` AC scans, all
    without entropy data (the library reads them as zeros, but walks every
    block each time). `broken_end` adds a final scan naming a component the
    frame lacks: reaching it is a fatal error."""
    dqt = b"\xff\xdb\x00\x43\x00" + bytes([1] * 64)
    sof = b"\xff\xc2" + struct.pack(">HBHHB", 11, 8, height, width, 1) + b"\x01\x11\x00"
    # One code of length 1 (symbol 0) for DC and for AC (symbol 0 is EOB).
    dht = b"\xff\xc4" + struct.pack(">H", 2 + 2 * 17 + 2)
    dht += b"\x00" + bytes([1] + [0] * 15) + b"\x00"
    dht += b"\x10" + bytes([1] + [0] * 15) + b"\x00"

    def sos(component, ss, se):
        return b"\xff\xda\x00\x08\x01" + bytes([component, 0x00, ss, se, 0x00])

    out = b"\xff\xd8" + dqt + sof + dht + sos(1, 0, 0)
    out += sos(1, 1, 63) * empty_scans
    if broken_end:
        out += sos(9, 1, 63)
    return out + b"\xff\xd9"


TINY = []


def samples():
    ifd0 = [(0x0112, SHORT, 6), (0x011A, RATIONAL, (300, 1)), (0x011B, RATIONAL, (300, 1)), (0x0128, SHORT, 3)]
    ifd1 = [(0x0112, SHORT, 1), (0x011A, RATIONAL, (72, 1)), (0x011B, RATIONAL, (72, 1)), (0x0128, SHORT, 2),
            (0x0201, LONG, "TAIL"), (0x0202, LONG, len(THUMB))]
    yield "exif_ifd1_overwrite.jpg", jpeg(tiff([ifd0, ifd1], mm=True, tail=THUMB))
    # Offset 2^64 - 2048 and size 2064: the sum wraps to 16.
    yield "exif_thumb_wrapped_offset.jpg", jpeg(tiff([[(0x0201, DOUBLE, 2**64 - 2048), (0x0202, LONG, 2064)]]))
    # Offset 2100 and size 2^64 - 2048: the sum wraps to 52, the size to -2048 as an int.
    yield "exif_thumb_negative_size.jpg", jpeg(tiff([[(0x0201, LONG, 2100), (0x0202, DOUBLE, 2**64 - 2048)]]))
    yield "exif_thumb_nan_float.jpg", jpeg(tiff([[(0x0201, FLOAT, 0x7FC00000), (0x0202, FLOAT, 0x7FC00000)]]))
    yield "exif_thumb_huge_float.jpg", jpeg(tiff([[(0x0201, FLOAT, 1e30), (0x0202, FLOAT, 3e38)]]))
    yield "exif_thumb_infinite_double.jpg", jpeg(tiff([[(0x0201, DOUBLE, float("inf")),
                                                        (0x0202, DOUBLE, float("-inf"))]]))
    yield "exif_iso_int_min.jpg", jpeg(tiff([[(0x8827, SLONG, -2**31)]]))
    yield "exif_iso_below_int_min.jpg", jpeg(tiff([[(0x8827, SLONG, -10737419)]], mm=True))
    yield "exif_iso_int_max.jpg", jpeg(tiff([[(0x8827, SLONG, 2**31 - 1)]]))
    yield "exif_iso_huge_double.jpg", jpeg(tiff([[(0x8827, DOUBLE, -1e300)]]))
    yield "exif_iso_nan_double.jpg", jpeg(tiff([[(0x8827, DOUBLE, 0x7FF8000000000000)]]))
    # 997 empty scans over 512 x 512: all of that work comes before the first row.
    yield "jpeg_progressive_many_scans.jpg", progressive(512, 512, 997, broken_end=True)


def rtf_samples():
    yield "rtf_unterminated.rtf", b"{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset129 \\'b1\\'bc{\\b {\\i \\'c7\\'d1\\'b1"
    yield "rtf_deep_nesting.rtf", b"{\\rtf1" + b"{\\b\\i " * 60000 + b"\\'c7\\'d1" + b"}" * 1000
    yield "rtf_bad_escapes.rtf", (b"{\\rtf1 \\'g1\\'1 \\'\\'\\'ff\\'ff\\'c7\\par\\'c7\\'\\'41"
                                  b"\\'b0{\\'a1}\\'b0\\b\\'a1\\u\\u-\\uc-5\\u44032\\'}")
    big = b"9" * 40
    yield "rtf_huge_numbers.rtf", (b"{\\rtf1{\\colortbl;\\red" + big + b"\\green-" + big + b";}\\fs" + big +
                                   b" a\\fs-" + big + b" b\\cf" + big + b" c\\f" + big + b"\\li" + big +
                                   b"\\fi-" + big + b"\\ri" + big + b" d\\u" + big + b"\\uc" + big + b" e}")
    state = 12345
    noise = bytearray()
    for _ in range(20000):
        state = (state * 1103515245 + 12345) % 2**31
        noise.append(state >> 23)
    yield "rtf_binary_noise.rtf", b"{\\rtf1 " + bytes(noise)
    yield "rtf_table_floods.rtf", (b"{\\rtf1{\\fonttbl" + b"".join(b"{\\f%d F%d;}" % (i, i) for i in range(3000)) +
                                   b"}{\\colortbl" + b"\\red1;" * 3000 + b"}\\f2999\\cf2999 x}")


def main():
    os.makedirs(OUT, exist_ok=True)
    for name, data in rtf_samples():
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(data)
    if "--rtf" in sys.argv:
        return 0
    TINY.append(tiny_picture())
    for name, data in samples():
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
