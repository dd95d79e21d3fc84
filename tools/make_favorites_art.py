#!/usr/bin/env python3
"""Draws the favorites tree's folder bitmaps: a closed and an open folder,
16 x 16, 24-bit, on a magenta (255, 0, 255) background that the tree's image
list takes as transparent.

    make_favorites_art.py OUTPUT_DIR
"""
import os
import sys

from PIL import Image, ImageDraw

KEY = (255, 0, 255)
BODY = (240, 200, 80)
LIGHT = (255, 232, 140)
EDGE = (128, 90, 10)
PAPER = (255, 255, 255)


def closed():
    img = Image.new("RGB", (16, 16), KEY)
    d = ImageDraw.Draw(img)
    # Tab, then the body with a light top band.
    d.polygon([(1, 3), (6, 3), (7, 5), (1, 5)], fill=BODY, outline=EDGE)
    d.rectangle([1, 5, 14, 13], fill=BODY, outline=EDGE)
    d.line([(2, 6), (13, 6)], fill=LIGHT)
    return img


def opened():
    img = Image.new("RGB", (16, 16), KEY)
    d = ImageDraw.Draw(img)
    # Back of the folder with its tab and a sheet of paper showing.
    d.polygon([(1, 2), (5, 2), (6, 4), (12, 4), (12, 13), (1, 13)], fill=BODY, outline=EDGE)
    d.rectangle([3, 5, 10, 9], fill=PAPER, outline=EDGE)
    # Front flap tilted open towards the viewer.
    d.polygon([(1, 13), (4, 7), (15, 7), (12, 13)], fill=LIGHT, outline=EDGE)
    return img


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    closed().save(os.path.join(out, "folder_closed.bmp"))
    opened().save(os.path.join(out, "folder_open.bmp"))


if __name__ == "__main__":
    main()
