#!/usr/bin/env python3
"""Draws the animated cursor builder's button icons: stop (a red square) and
play (a green triangle pointing right), each at 16 x 16 and 32 x 32, 32-bit
colour with an AND mask, written as .ico files.

    make_iconres_art.py OUTPUT_DIR
"""
import os
import struct
import sys

from PIL import Image, ImageDraw


def draw(kind, size):
    img = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    m = size // 8
    if kind == "stop":
        d.rectangle([m, m, size - 1 - m, size - 1 - m], fill=(200, 30, 30, 255), outline=(90, 0, 0, 255))
    else:
        pts = [(m + 1, m), (size - 1 - m, size // 2), (m + 1, size - 1 - m)]
        d.polygon(pts, fill=(30, 170, 40, 255), outline=(0, 80, 0, 255))
    return img


def image_block(img):
    w, h = img.size
    header = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 32, 0, 0, 0, 0, 0, 0)
    px = img.load()
    colour = bytearray()
    mask = bytearray()
    mask_row = ((w + 31) // 32) * 4
    for y in range(h - 1, -1, -1):  # bottom row first
        row = bytearray(mask_row)
        for x in range(w):
            r, g, b, a = px[x, y]
            colour += bytes((b, g, r, a))
            if a == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    return header + bytes(colour) + bytes(mask)


def write_ico(path, images):
    blocks = [image_block(i) for i in images]
    out = struct.pack("<HHH", 0, 1, len(blocks))
    offset = 6 + 16 * len(blocks)
    for img, block in zip(images, blocks):
        w, h = img.size
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(block), offset)
        offset += len(block)
    for block in blocks:
        out += block
    with open(path, "wb") as f:
        f.write(out)


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for kind in ("stop", "play"):
        write_ico(os.path.join(out, "ani_%s.ico" % kind), [draw(kind, 16), draw(kind, 32)])


if __name__ == "__main__":
    main()
