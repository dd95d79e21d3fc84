#!/usr/bin/env python3
"""Draws the desktop dialogs' art and, with --fixtures, the icons and cursors
the desktop tests put into a program of their own.

    make_desktop_art.py OUTPUT_DIR              noicon.ico: the "no icon"
        placeholder, an empty tile with a dashed grey border and a small red
        cross, at 16 x 16 and 32 x 32
    make_desktop_art.py OUTPUT_DIR --fixtures   fixture_icon0..6.ico, each
        one solid colour (32 x 32, 32-bit), and fixture_cursor0..2.cur,
        monochrome 32 x 32 cursors with distinct shapes and hotspots
"""
import os
import struct
import sys

from PIL import Image, ImageDraw

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_iconres_art import write_ico  # noqa: E402

# Colours of the fixture icons, 0xRRGGBB; the tests know them.
FIXTURE_COLOURS = [0x1020C0, 0x20A030, 0xC03020, 0xD0B010, 0x8020A0, 0x10B0B0, 0x604020]
# (hotspot x, hotspot y) of the fixture cursors.
FIXTURE_HOTSPOTS = [(0, 0), (16, 16), (31, 5)]


def draw_noicon(size):
    img = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    m = max(1, size // 16)
    lo, hi = m, size - 1 - m
    dash = max(2, size // 8)
    for i in range(lo, hi + 1):
        if ((i - lo) // dash) % 2 == 0:
            for p in ((i, lo), (i, hi), (lo, i), (hi, i)):
                img.putpixel(p, (96, 96, 96, 255))
    c = size // 2
    r = max(2, size // 6)
    w = max(1, size // 16)
    d.line([(c - r, c - r), (c + r, c + r)], fill=(200, 30, 30, 255), width=w)
    d.line([(c - r, c + r), (c + r, c - r)], fill=(200, 30, 30, 255), width=w)
    return img


def solid(colour):
    rgb = ((colour >> 16) & 255, (colour >> 8) & 255, colour & 255, 255)
    return Image.new("RGBA", (32, 32), rgb)


def cursor_block(shape):
    """A monochrome 32 x 32 cursor image: black where shape(x, y) is true,
    white where it is "W", else transparent."""
    header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = struct.pack("<II", 0x000000, 0xFFFFFF)
    xor, mask = bytearray(), bytearray()
    for y in range(31, -1, -1):
        xrow, mrow = bytearray(4), bytearray(4)
        for x in range(32):
            v = shape(x, y)
            if v == "W":
                xrow[x // 8] |= 0x80 >> (x % 8)  # opaque, colour 1
            elif not v:
                mrow[x // 8] |= 0x80 >> (x % 8)  # transparent, colour 0
        xor += xrow
        mask += mrow
    return header + palette + bytes(xor) + bytes(mask)


def write_cur(path, shape, hot):
    block = cursor_block(shape)
    out = struct.pack("<HHH", 0, 2, 1)
    out += struct.pack("<BBBBHHII", 32, 32, 0, 0, hot[0], hot[1], len(block), 6 + 16)
    with open(path, "wb") as f:
        f.write(out + block)


CURSOR_SHAPES = [
    lambda x, y: x < 16 and y < 16,          # top-left quarter
    lambda x, y: abs(x - 16) < 6 or abs(y - 16) < 6,  # a plus
    lambda x, y: y >= 24,                    # a bar along the bottom
]


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    if "--fixtures" in sys.argv[2:]:
        for i, colour in enumerate(FIXTURE_COLOURS):
            write_ico(os.path.join(out, "fixture_icon%d.ico" % i), [solid(colour)])
        for i, (shape, hot) in enumerate(zip(CURSOR_SHAPES, FIXTURE_HOTSPOTS)):
            write_cur(os.path.join(out, "fixture_cursor%d.cur" % i), shape, hot)
        return
    write_ico(os.path.join(out, "noicon.ico"), [draw_noicon(16), draw_noicon(32)])


if __name__ == "__main__":
    main()
