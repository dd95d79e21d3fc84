#!/usr/bin/env python3
"""Draws the icon editor's artwork:

  editor.ico   the program icon (16, 32 and 48): a pencil over a grid of
               pixel cells, one of them being painted
  pattern.bmp  the frame's background pattern, 8 x 8, 24-bit: a quiet
               checker of two greys behind the work area
  rule.bmp     the print sheet's rule line: a dark bar fading at its ends
  tool_*.cur   the drawing tools' cursors, monochrome 32 x 32: cross,
               pencil, brush, bucket, spray, the Line tool's crosses (one
               tick per working size), dropper, transparent pick, text beam

    make_editor_art.py OUTPUT_DIR
"""
import os
import sys

from PIL import Image, ImageDraw

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_iconres_art import write_ico  # noqa: E402  (one .ico writer for the suite's art)
from make_desktop_art import write_cur  # noqa: E402  (and one .cur writer)

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


def rule():
    img = Image.new("RGB", (64, 4), (40, 40, 48))
    d = ImageDraw.Draw(img)
    for i in range(8):
        shade = 40 + (8 - i) * 24
        d.line([(i, 0), (i, 3)], fill=(shade, shade, shade + 8))
        d.line([(63 - i, 0), (63 - i, 3)], fill=(shade, shade, shade + 8))
    return img


def cross(x, y):
    """Thin cross hairs through (15, 15) with an open middle."""
    return (x == 15 or y == 15) and not (12 < x < 18 and 12 < y < 18)


def along(x, y, x0, y0, x1, y1, width):
    """Near the segment from (x0, y0) to (x1, y1)."""
    dx, dy = x1 - x0, y1 - y0
    t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / float(dx * dx + dy * dy)))
    px, py = x0 + t * dx, y0 + t * dy
    return (x - px) ** 2 + (y - py) ** 2 <= width * width / 4.0


def pencil(x, y):
    body = along(x, y, 4, 27, 24, 7, 5) and not along(x, y, 6, 25, 22, 9, 2)
    return body or along(x, y, 0, 31, 4, 27, 2) or along(x, y, 24, 7, 27, 4, 5)


def brush(x, y):
    tuft = (x - 5) ** 2 + (y - 26) ** 2 <= 16
    return tuft or along(x, y, 8, 23, 26, 5, 3)


def bucket(x, y):
    pail = along(x, y, 8, 12, 22, 12, 2) or along(x, y, 8, 12, 11, 28, 2) or along(x, y, 22, 12, 19, 28, 2) \
        or along(x, y, 11, 28, 19, 28, 2)
    handle = along(x, y, 10, 12, 15, 4, 1.5) or along(x, y, 15, 4, 20, 12, 1.5)
    drip = along(x, y, 5, 16, 5, 26, 2) or (x - 5) ** 2 + (y - 29) ** 2 <= 4
    return pail or handle or drip


def spray(x, y):
    dots = [(8, 8), (12, 5), (5, 12), (20, 6), (6, 20), (24, 10), (10, 24), (22, 22), (26, 18), (18, 26)]
    return cross(x, y) or any((x - a) ** 2 + (y - b) ** 2 <= 1 for a, b in dots)


def transparent_pick(x, y):
    box = 6 <= x <= 24 and 6 <= y <= 24 and (x in (6, 24) or y in (6, 24))
    checks = 8 <= x <= 22 and 8 <= y <= 22 and ((x // 3) + (y // 3)) % 2 == 0
    return cross(x, y) or box or checks


def line_cursor(ticks):
    def shape(x, y):
        mark = any(along(x, y, 20 + 3 * i, 30, 20 + 3 * i, 24, 1.5) for i in range(ticks))
        return cross(x, y) or along(x, y, 20, 10, 30, 0, 2) or mark
    return shape


def dropper(x, y):
    tube = along(x, y, 3, 28, 18, 13, 4) and not along(x, y, 5, 26, 16, 15, 1.5)
    bulb = (x - 24) ** 2 + (y - 7) ** 2 <= 30
    return along(x, y, 0, 31, 3, 28, 2) or tube or bulb or along(x, y, 15, 10, 21, 16, 2)


def text_beam(x, y):
    return (x == 15 and 6 <= y <= 25) or (y in (5, 26) and 11 <= x <= 19 and x != 15)


# (file, shape, hot spot): the cursor resources of the tools and picks.
TOOL_CURSORS = [
    ("tool_fill.cur", bucket, (5, 29)),
    ("tool_cross.cur", cross, (15, 15)),
    ("tool_pen.cur", pencil, (0, 31)),
    ("tool_brush.cur", brush, (5, 26)),
    ("tool_line32.cur", line_cursor(2), (15, 15)),
    ("tool_line16.cur", line_cursor(1), (15, 15)),
    ("tool_line48.cur", line_cursor(3), (15, 15)),
    ("tool_line64.cur", line_cursor(4), (15, 15)),
    ("tool_spray.cur", spray, (15, 15)),
    ("tool_transparent.cur", transparent_pick, (15, 15)),
    ("tool_dropper.cur", dropper, (0, 31)),
    ("tool_text.cur", text_beam, (15, 15)),
]


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    write_ico(os.path.join(out, "editor.ico"), [editor_icon(s) for s in (16, 32, 48)])
    pattern().save(os.path.join(out, "pattern.bmp"))
    rule().save(os.path.join(out, "rule.bmp"))
    for name, shape, hot in TOOL_CURSORS:
        write_cur(os.path.join(out, name), shape, hot)


if __name__ == "__main__":
    main()
