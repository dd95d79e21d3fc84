#!/usr/bin/env python3
"""Draws the install wizard's artwork:

  wizard.bmp  the picture down the left of every page, 140 x 260, 24-bit: a
              photograph at the top turning, tile by tile, into icon tiles
              that fall into a folder at the bottom
  copy.avi    the Copy page's animation, 12 frames of 160 x 40, uncompressed
              8-bit: a page flying from one folder into another

    make_setup_art.py OUTPUT_DIR
"""
import os
import struct
import sys

from PIL import Image, ImageDraw

FACE = (192, 192, 192)
SKY = (70, 140, 230)
GRASS = (40, 160, 60)
SUN = (255, 210, 40)
FOLDER = (240, 200, 80)
FOLDER_DARK = (150, 110, 20)
TILES = [(240, 130, 20), (255, 255, 255), (210, 40, 40), (20, 60, 200)]
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)


def folder(d, x, y, w, h):
    d.rectangle([x, y + h // 5, x + w // 3, y + h // 5 + 4], fill=FOLDER_DARK)
    d.rectangle([x, y + h // 5 + 3, x + w, y + h], fill=FOLDER, outline=FOLDER_DARK)


def wizard_picture():
    w, h = 140, 260
    img = Image.new("RGB", (w, h), (24, 40, 90))
    d = ImageDraw.Draw(img)
    # the photograph: sky, sun, hills
    d.rectangle([14, 14, 125, 95], fill=SKY, outline=WHITE, width=3)
    d.ellipse([88, 24, 112, 48], fill=SUN)
    d.polygon([(17, 93), (50, 55), (80, 80), (104, 60), (122, 93)], fill=GRASS)
    # its tiles, falling and turning into icon cells
    for i in range(9):
        size = 18 - i
        x = 20 + (i * 37) % 90
        y = 108 + i * 12
        cells = 3
        cell = max(2, size // cells)
        for cy in range(cells):
            for cx in range(cells):
                c = TILES[(i + cx + 2 * cy) % len(TILES)]
                d.rectangle([x + cx * cell, y + cy * cell, x + cx * cell + cell - 1, y + cy * cell + cell - 1], fill=c)
    folder(d, 30, 200, 80, 46)
    return img


def copy_frames(count=12, w=160, h=40):
    frames = []
    for n in range(count):
        img = Image.new("RGB", (w, h), FACE)
        d = ImageDraw.Draw(img)
        folder(d, 4, 8, 34, 28)
        folder(d, w - 40, 8, 34, 28)
        t = n / (count - 1)
        x = int(30 + t * (w - 80))
        y = int(18 - 14 * 4 * t * (1 - t))
        d.rectangle([x, y, x + 14, y + 18], fill=WHITE, outline=BLACK)
        for k in range(3):
            d.line([x + 3, y + 5 + 4 * k, x + 11, y + 5 + 4 * k], fill=TILES[k % len(TILES)])
        frames.append(img)
    return frames


def chunk(fourcc, data):
    pad = b"\0" if len(data) % 2 else b""
    return fourcc + struct.pack("<I", len(data)) + data + pad


def write_avi(path, frames, fps=10):
    w, h = frames[0].size
    # One palette for every frame (the first frame's colours plus the others').
    sheet = Image.new("RGB", (w, h * len(frames)))
    for i, f in enumerate(frames):
        sheet.paste(f, (0, i * h))
    pal_img = sheet.quantize(colors=256, method=Image.Quantize.MEDIANCUT)
    palette = pal_img.getpalette()[: 256 * 3]
    palette += [0] * (256 * 3 - len(palette))
    stride = (w + 3) & ~3
    size = stride * h
    bih = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 8, 0, size, 0, 0, 256, 0)
    rgbquad = b"".join(struct.pack("BBBB", palette[3 * i + 2], palette[3 * i + 1], palette[3 * i], 0)
                       for i in range(256))
    avih = struct.pack("<IIIIIIIIII4I", 1000000 // fps, size * fps, 0, 0x10, len(frames), 0, 1, size, w, h, 0, 0, 0, 0)
    strh = b"vids" + b"DIB " + struct.pack("<IHHIIIIIIII4h", 0, 0, 0, 0, 1, fps, 0, len(frames), size, 0, 0,
                                           0, 0, w, h)
    strl = b"LIST" + struct.pack("<I", 4 + len(chunk(b"strh", strh)) + len(chunk(b"strf", bih + rgbquad))) + \
        b"strl" + chunk(b"strh", strh) + chunk(b"strf", bih + rgbquad)
    hdrl_body = b"hdrl" + chunk(b"avih", avih) + strl
    hdrl = b"LIST" + struct.pack("<I", len(hdrl_body)) + hdrl_body
    movi_body = b"movi"
    index = b""
    for f in frames:
        q = f.quantize(palette=pal_img, dither=Image.Dither.NONE)
        rows = []
        for y in range(h - 1, -1, -1):  # bottom-up
            row = bytes(q.getpixel((x, y)) for x in range(w))
            rows.append(row + b"\0" * (stride - w))
        data = b"".join(rows)
        index += b"00db" + struct.pack("<III", 0x10, len(movi_body), len(data))
        movi_body += chunk(b"00db", data)
    movi = b"LIST" + struct.pack("<I", len(movi_body)) + movi_body
    body = b"AVI " + hdrl + movi + chunk(b"idx1", index)
    with open(path, "wb") as out:
        out.write(b"RIFF" + struct.pack("<I", len(body)) + body)


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    wizard_picture().save(os.path.join(out, "wizard.bmp"))
    write_avi(os.path.join(out, "copy.avi"), copy_frames())


if __name__ == "__main__":
    main()
