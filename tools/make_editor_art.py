#!/usr/bin/env python3
"""Draws the icon editor's artwork:

  editor.ico   the program icon (16, 32 and 48): a pencil over a grid of
               pixel cells, one of them being painted
  pattern.bmp  the frame's background pattern, 8 x 8, 24-bit: a quiet
               checker of two greys behind the work area

    make_editor_art.py OUTPUT_DIR
"""
import os
import sys

from PIL import Image, ImageDraw

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_iconres_art import write_ico  # noqa: E402  (one .ico writer for the suite's art)

DARK = (64, 64, 64)
WHITE = (255, 255, 255)
CELL_A = (230, 236, 245)
CELL_B = (200, 212, 230)
PAINT = (210, 40, 40)
WOOD = (240, 190, 80)
LEAD = (40, 40, 40)
ERASER = (230, 120, 150)


def editor_icon(size):
    img = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    cells = 4
    cell = max(3, (size - 2) // cells)
    side = cells * cell + 2
    d.rectangle([0, 0, side - 1, side - 1], fill=DARK)
    for i in range(cells * cells):
        cx, cy = i % cells, i // cells
        colour = CELL_A if (cx + cy) % 2 == 0 else CELL_B
        if (cx, cy) == (1, 2):
            colour = PAINT
        x, y = 1 + cx * cell, 1 + cy * cell
        d.rectangle([x, y, x + cell - 1, y + cell - 1], fill=colour)
    # The pencil, from the top-right corner down to the painted cell.
    w = max(2, size // 8)
    tip = (1 + cell + cell // 2, 1 + 2 * cell + cell // 2)
    end = (size - 1, 0)
    d.line([tip, end], fill=WOOD, width=w)
    d.line([(end[0] - w, end[1] + w), end], fill=ERASER, width=w)
    d.point(tip, fill=LEAD)
    return img


def pattern():
    img = Image.new("RGB", (8, 8), (160, 160, 168))
    d = ImageDraw.Draw(img)
    d.rectangle([0, 0, 3, 3], fill=(150, 150, 158))
    d.rectangle([4, 4, 7, 7], fill=(150, 150, 158))
    return img


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    write_ico(os.path.join(out, "editor.ico"), [editor_icon(s) for s in (16, 32, 48)])
    pattern().save(os.path.join(out, "pattern.bmp"))


if __name__ == "__main__":
    main()
