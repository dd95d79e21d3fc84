#!/usr/bin/env python3
"""Draws the icon editor's artwork:

  editor.ico   the program icon (16, 32 and 48): a pencil over a grid of
               pixel cells, one of them being painted
  pattern.bmp  the frame's background pattern, 8 x 8, 24-bit: a quiet
               checker of two greys behind the work area
  toolbar.bmp  the main toolbar's and the menus' strip: 47 images of 16 x 16
               (indexes 0 to 46 are used, though the toolbar is told 43),
               24-bit on RGB 192,192,192, the colour mapped to the button face
  tools.bmp    the tool box's strip: 22 images of 16 x 16 (indexes 0 to 21
               are used), same background
  hand.cur     the link's cursor: a pointing hand, monochrome 32 x 32, its
               hot spot on the finger tip
  rule.bmp     the print sheet's rule line: a dark bar fading at its ends
  transparent.bmp  the pattern over the pixels marked transparent, 8 x 8,
               24-bit: a checker of white and light grey squares of 4, as
               transparency is commonly shown
  rotate_left.ico, rotate_right.ico
               the Rotate dialog's two directions (16 and 32): a green
               arc with its arrow head on a pale disc, anticlockwise and
               clockwise
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
from make_shell_art import pixels  # noqa: E402  (character art)

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


# ------------------------------------------------------------ the two strips

FACE = (192, 192, 192)
BLACK = (0, 0, 0)
GREY = (128, 128, 128)
BLUE = (30, 70, 200)
RED = (200, 30, 30)
GREEN = (30, 150, 50)
YELLOW = (240, 200, 40)
PAPER = (250, 250, 250)
MARK = {"B": BLACK, "W": WHITE, "R": RED, "G": GREEN, "U": BLUE, "Y": YELLOW, "D": DARK, "g": GREY}


def floppy(d, x):
    d.rectangle([x + 1, 1, x + 14, 14], fill=BLUE, outline=BLACK)
    d.rectangle([x + 4, 1, x + 11, 6], fill=PAPER, outline=BLACK)
    d.rectangle([x + 9, 2, x + 10, 5], fill=BLUE)
    d.rectangle([x + 4, 9, x + 11, 14], fill=DARK)


def save_as(d, x):
    floppy(d, x)
    d.rectangle([x + 9, 8, x + 15, 15], fill=PAPER, outline=BLACK)
    d.line([x + 10, 11, x + 14, 11], fill=BLACK)
    d.line([x + 10, 13, x + 14, 13], fill=BLACK)


def printer(d, x):
    d.rectangle([x + 4, 1, x + 11, 6], fill=PAPER, outline=BLACK)
    d.rectangle([x + 1, 6, x + 14, 12], fill=GREY, outline=BLACK)
    d.rectangle([x + 4, 10, x + 11, 15], fill=PAPER, outline=BLACK)
    d.point((x + 12, 8), fill=GREEN)


def grid(d, x):
    d.rectangle([x + 1, 1, x + 14, 14], fill=PAPER, outline=BLACK)
    for i in (4, 7, 10):
        d.line([x + i + 1, 1, x + i + 1, 14], fill=BLACK)
        d.line([x + 1, i + 1, x + 14, i + 1], fill=BLACK)


def palette(d, x):
    d.ellipse([x, 2, x + 15, 14], fill=(220, 180, 120), outline=DARK)
    d.ellipse([x + 9, 8, x + 12, 11], fill=FACE)
    for (px, py), c in zip([(3, 5), (6, 3), (10, 4), (4, 9)], [RED, GREEN, BLUE, YELLOW]):
        d.rectangle([x + px, py, x + px + 1, py + 1], fill=c)


def brush_width(d, x):
    for i, w in enumerate((1, 2, 3)):
        y = 2 + i * 5
        d.rectangle([x + 2, y, x + 13, y + w - 1], fill=BLACK)
    d.polygon([(x + 13, 13), (x + 15, 13), (x + 14, 15)], fill=BLACK)


def undo(d, x):
    d.arc([x + 2, 3, x + 14, 14], 180, 90, fill=BLUE, width=2)
    d.polygon([(x, 8), (x + 6, 8), (x + 3, 12)], fill=BLUE)


def setup(d, x):
    pixels(d, x, 0, [
        "......BB........",
        "..BB.BWWB.BB....",
        ".BWWBBWWBBWWB...",
        ".BWWWWWWWWWWB...",
        "..BWWWBBWWWB....",
        "BBBWWBggBWWBBB..",
        "BWWWBg..gBWWWB..",
        "BWWWBg..gBWWWB..",
        "BBBWWBggBWWBBB..",
        "..BWWWBBWWWB....",
        ".BWWWWWWWWWWB...",
        ".BWWBBWWBBWWB...",
        "..BB.BWWB.BB....",
        "......BB........",
    ], MARK)


def help_mark(d, x):
    d.ellipse([x + 1, 1, x + 14, 14], fill=BLUE, outline=BLACK)
    pixels(d, x + 5, 3, ["WWWW", "W..WW"[0:4], "...W", "..W.", "..W.", "....", "..W."], MARK)


def close(d, x):
    d.rectangle([x + 1, 1, x + 14, 14], fill=PAPER, outline=BLACK)
    d.line([x + 4, 4, x + 11, 11], fill=RED, width=2)
    d.line([x + 4, 11, x + 11, 4], fill=RED, width=2)


def swirl(d, x):
    for r, a in ((6, 0), (4, 90), (2, 180)):
        d.arc([x + 8 - r, 8 - r, x + 8 + r, 8 + r], a, a + 270, fill=BLUE, width=1)


def explode(d, x):
    for i in range(8):
        import math
        a = i * math.pi / 4
        d.line([x + 8, 8, x + 8 + 7 * math.cos(a), 8 + 7 * math.sin(a)], fill=(230, 120, 0))
    d.ellipse([x + 5, 5, x + 11, 11], fill=YELLOW, outline=RED)


def border(d, x):
    d.rectangle([x, 0, x + 15, 15], fill=RED)
    d.rectangle([x + 3, 3, x + 12, 12], fill=(90, 160, 230))


def frame(d, x):
    d.rectangle([x, 0, x + 15, 15], fill=(150, 90, 40), outline=BLACK)
    d.rectangle([x + 3, 3, x + 12, 12], fill=(90, 160, 230), outline=BLACK)


def flip(d, x):
    d.polygon([(x + 8, 0), (x + 12, 5), (x + 4, 5)], fill=BLUE)
    d.line([x + 1, 8, x + 14, 8], fill=BLACK)
    d.polygon([(x + 8, 15), (x + 12, 10), (x + 4, 10)], fill=GREY)


def flop(d, x):
    d.polygon([(x, 8), (x + 5, 4), (x + 5, 12)], fill=BLUE)
    d.line([x + 8, 1, x + 8, 14], fill=BLACK)
    d.polygon([(x + 15, 8), (x + 10, 4), (x + 10, 12)], fill=GREY)


def rotate(d, x):
    d.arc([x + 2, 2, x + 13, 13], 0, 270, fill=GREEN, width=2)
    d.polygon([(x + 10, 0), (x + 15, 4), (x + 10, 7)], fill=GREEN)


def tile(colour):
    """A plain picture tile for the strip's places no command shows."""
    def draw(d, x):
        d.rectangle([x + 2, 2, x + 13, 13], fill=colour, outline=DARK)
    return draw


# Image index -> drawing, as the toolbar and the menus name them.
TOOLBAR_ART = {2: floppy, 46: save_as, 45: printer, 39: grid, 10: palette, 40: brush_width, 5: undo, 18: setup,
               33: help_mark, 21: close, 3: swirl, 0: explode, 11: border, 9: frame, 12: flip, 13: flop, 23: rotate}
TOOLBAR_COUNT = 47


def pen(d, x):
    d.line([x + 3, 12, x + 13, 2], fill=YELLOW, width=3)
    d.polygon([(x + 1, 15), (x + 2, 11), (x + 5, 14)], fill=BLACK)


def pipette(d, x):
    d.line([x + 2, 13, x + 10, 5], fill=GREY, width=2)
    d.ellipse([x + 9, 1, x + 14, 6], fill=BLACK)
    d.point((x + 2, 14), fill=RED)


def brush(d, x):
    d.line([x + 8, 8, x + 14, 1], fill=(150, 90, 40), width=2)
    d.ellipse([x + 2, 8, x + 9, 14], fill=RED, outline=BLACK)


def bucket(d, x):
    d.polygon([(x + 2, 6), (x + 8, 1), (x + 14, 7), (x + 8, 13)], fill=PAPER, outline=BLACK)
    d.polygon([(x + 2, 6), (x + 8, 12), (x + 2, 15), (x + 1, 10)], fill=BLUE)


def line(d, x):
    d.line([x + 1, 14, x + 14, 1], fill=BLACK, width=2)


def rect(d, x):
    d.rectangle([x + 1, 3, x + 14, 12], outline=BLACK)


def filled_rect(d, x):
    d.rectangle([x + 1, 3, x + 14, 12], fill=BLUE, outline=BLACK)


def circle(d, x):
    d.ellipse([x + 1, 1, x + 14, 14], outline=BLACK)


def filled_circle(d, x):
    d.ellipse([x + 1, 1, x + 14, 14], fill=BLUE, outline=BLACK)


def bicolor_rect(d, x):
    d.rectangle([x + 1, 3, x + 14, 12], fill=YELLOW, outline=RED)


def spray(d, x):
    d.rectangle([x + 8, 6, x + 13, 15], fill=RED, outline=BLACK)
    d.rectangle([x + 9, 3, x + 11, 5], fill=BLACK)
    for px, py in ((2, 2), (4, 4), (1, 6), (5, 1), (3, 8), (6, 5)):
        d.point((x + px, py), fill=BLACK)


def choose_colour(d, x):
    for i, c in enumerate((RED, GREEN, BLUE, YELLOW)):
        tx, ty = x + 1 + (i % 2) * 7, 1 + (i // 2) * 7
        d.rectangle([tx, ty, tx + 6, ty + 6], fill=c, outline=BLACK)


def select(d, x):
    for i in range(1, 15):
        c = BLACK if i % 2 else PAPER
        for p in ((x + i, 2), (x + i, 13)):
            d.point(p, fill=c)
    for j in range(2, 14):
        c = BLACK if j % 2 else PAPER
        for p in ((x + 1, j), (x + 14, j)):
            d.point(p, fill=c)


TOOLS_ART = {0: pen, 1: pipette, 2: brush, 3: bucket, 4: line, 7: rect, 8: filled_rect, 9: circle,
             10: filled_circle, 11: bicolor_rect, 19: spray, 20: choose_colour, 21: select}
TOOLS_COUNT = 22

SPARE = [(170, 200, 230), (200, 230, 170), (230, 200, 170), (220, 180, 220)]


def strip(art, count):
    img = Image.new("RGB", (16 * count, 16), FACE)
    d = ImageDraw.Draw(img)
    for i in range(count):
        art.get(i, tile(SPARE[i % len(SPARE)]))(d, 16 * i)
    return img


HAND = [
    "......BB........",
    ".....BWWB.......",
    ".....BWWB.......",
    ".....BWWB.......",
    ".....BWWBBB.....",
    ".....BWWBWWBBB..",
    "..BB.BWWBWWBWWB.",
    ".BWWBBWWWWWBWWBB",
    ".BWWWBWWWWWWWWWB",
    "..BWWWWWWWWWWWWB",
    "...BWWWWWWWWWWWB",
    "...BWWWWWWWWWWB.",
    "....BWWWWWWWWWB.",
    ".....BWWWWWWWB..",
    ".....BBBBBBBBB..",
]


def hand(x, y):
    if y < len(HAND) and x < 16:
        ch = HAND[y][x]
        return "W" if ch == "W" else ch == "B"
    return False


def rule():
    img = Image.new("RGB", (64, 4), (40, 40, 48))
    d = ImageDraw.Draw(img)
    for i in range(8):
        shade = 40 + (8 - i) * 24
        d.line([(i, 0), (i, 3)], fill=(shade, shade, shade + 8))
        d.line([(63 - i, 0), (63 - i, 3)], fill=(shade, shade, shade + 8))
    return img


def transparent_pattern():
    img = Image.new("RGB", (8, 8), WHITE)
    for y in range(8):
        for x in range(8):
            if (x // 4 + y // 4) % 2:
                img.putpixel((x, y), (200, 200, 200))
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


def rotate_icon(size, clockwise):
    """Three quarters of a circle ending in an arrow head at the top, on a
    pale round face."""
    img = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    d.ellipse([0, 0, size - 1, size - 1], fill=(236, 246, 236, 255), outline=(150, 170, 150, 255))
    m = size // 8
    w = max(2, size // 8)
    d.arc([m, m + size // 16, size - 1 - m, size - 1 - m + size // 16], 300, 240, fill=GREEN + (255,), width=w)
    # The arrow head sits at the arc's open end: the left end turning
    # clockwise, the right end turning anticlockwise.
    tip_x = size // 2 - size // 8 if clockwise else size // 2 + size // 8
    back = -1 if clockwise else 1
    h = size // 4
    d.polygon([(tip_x + back * h, m - 1), (tip_x - back * (h // 2), m + h // 2), (tip_x + back * h, m + h + 1)],
              fill=GREEN + (255,))
    return img


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
    strip(TOOLBAR_ART, TOOLBAR_COUNT).save(os.path.join(out, "toolbar.bmp"))
    strip(TOOLS_ART, TOOLS_COUNT).save(os.path.join(out, "tools.bmp"))
    write_cur(os.path.join(out, "hand.cur"), hand, (6, 0))
    rule().save(os.path.join(out, "rule.bmp"))
    transparent_pattern().save(os.path.join(out, "transparent.bmp"))
    write_ico(os.path.join(out, "rotate_left.ico"), [rotate_icon(s, False) for s in (16, 32)])
    write_ico(os.path.join(out, "rotate_right.ico"), [rotate_icon(s, True) for s in (16, 32)])
    for name, shape, hot in TOOL_CURSORS:
        write_cur(os.path.join(out, name), shape, hot)


if __name__ == "__main__":
    main()
