#!/usr/bin/env python3
"""Draws the main program's artwork:

  glyphery.ico  the program icon (16, 32 and 48): a photograph whose corner
                turns into a pixelated icon tile
  browse.ico    the "..." buttons' 16 x 16 icon: an open folder with three dots
  toolbar.bmp   the toolbar strip, 13 images of 16 x 16 side by side, 24-bit,
                on RGB 192,192,192 (the colour the toolbar maps to the button face)
  convert.bmp   the Convert button's picture, 64 x 40, 24-bit, same background
  convert_fr.bmp  the same with the French word

    make_shell_art.py OUTPUT_DIR
"""
import math
import os
import sys

from PIL import Image, ImageDraw, ImageFont

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_iconres_art import write_ico  # noqa: E402  (one .ico writer for the suite's art)

FACE = (192, 192, 192)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
DARK = (64, 64, 64)
GREY = (128, 128, 128)
SKY = (70, 140, 230)
GRASS = (40, 160, 60)
SUN = (255, 210, 40)
FOLDER = (240, 200, 80)
FOLDER_DARK = (150, 110, 20)
RED = (210, 40, 40)
BLUE = (20, 60, 200)
GREEN = (30, 150, 40)
ORANGE = (240, 130, 20)


def pixels(d, x0, y0, rows, palette):
    """Draws character art: one character per pixel, '.' left as it is."""
    for y, row in enumerate(rows):
        for x, ch in enumerate(row):
            if ch != ".":
                d.point((x0 + x, y0 + y), fill=palette[ch])


# ---------------------------------------------------------------- program icon

TILE_CELLS = [ORANGE, WHITE, RED, WHITE, WHITE, ORANGE, WHITE, RED, RED, WHITE, ORANGE, WHITE, WHITE, RED, WHITE,
              ORANGE]


def icon_tile(d, x0, y0, cells, cell):
    """The icon tile: a dark frame round a grid of cells x cells squares of
    `cell` pixels, the image's pixels, laid on whole pixels to stay sharp."""
    side = cells * cell + 2
    d.rectangle([x0, y0, x0 + side - 1, y0 + side - 1], fill=DARK)
    for i in range(cells * cells):
        c = TILE_CELLS[(i // cells) * 4 + i % cells]
        x = x0 + 1 + (i % cells) * cell
        y = y0 + 1 + (i // cells) * cell
        d.rectangle([x, y, x + cell - 1, y + cell - 1], fill=c)


def program_icon(size):
    """A landscape photograph (sky, sun, hill) with a chequered icon tile over
    its lower right corner. The photograph is drawn at 4x and reduced for 32
    and 48; the 16 x 16 image is drawn pixel by pixel."""
    if size == 16:
        img = Image.new("RGBA", (16, 16), (0, 0, 0, 0))
        d = ImageDraw.Draw(img)
        d.rectangle([0, 1, 12, 11], fill=SKY, outline=DARK)
        d.polygon([(1, 10), (5, 6), (8, 8), (11, 6), (11, 10)], fill=GRASS)
        d.rectangle([2, 3, 4, 5], fill=SUN)
        icon_tile(d, 8, 8, 3, 2)
        return img
    s = 4 * size
    u = s / 48.0  # drawing units: a 48-unit grid
    big = Image.new("RGBA", (s, s), (0, 0, 0, 0))
    d = ImageDraw.Draw(big)

    def r(*v):
        return [round(a * u) for a in v]

    d.rectangle(r(1, 4, 38, 34), fill=DARK)
    d.rectangle(r(3, 6, 36, 32), fill=SKY)
    d.polygon([tuple(r(x, y)) for x, y in [(3, 32), (3, 26), (13, 17), (21, 24), (28, 18), (36, 25), (36, 32)]],
              fill=GRASS)
    d.ellipse(r(7, 9, 15, 17), fill=SUN)
    img = big.resize((size, size), Image.LANCZOS)
    cells, cell = (3, 5) if size == 32 else (4, 6)
    side = cells * cell + 2
    icon_tile(ImageDraw.Draw(img), size - side, size - side, cells, cell)
    return img


# ------------------------------------------------------------------ browse icon

def browse_icon():
    img = Image.new("RGBA", (16, 16), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    open_folder(d, 0, 0)
    for x in (3, 7, 11):  # the three dots of "..."
        d.rectangle([x, 13, x + 1, 14], fill=BLACK)
    return img


def open_folder(d, x, y):
    """An open yellow folder in the upper 12 rows of a 16 x 16 cell."""
    d.polygon([(x + 1, y + 3), (x + 5, y + 3), (x + 6, y + 4), (x + 12, y + 4), (x + 12, y + 11), (x + 1, y + 11)],
              fill=FOLDER_DARK, outline=FOLDER_DARK)
    d.rectangle([x + 3, y + 5, x + 11, y + 8], fill=WHITE)  # a sheet inside
    d.polygon([(x + 3, y + 7), (x + 15, y + 7), (x + 13, y + 11), (x + 1, y + 11)], fill=FOLDER, outline=FOLDER_DARK)


# ---------------------------------------------------------------- toolbar strip

def tb_favorites(d, x):
    cx, cy = x + 7.5, 8.0
    pts = []
    for i in range(10):
        rad = 7.6 if i % 2 == 0 else 3.2
        a = -math.pi / 2 + i * math.pi / 5
        pts.append((cx + rad * math.cos(a), cy + rad * math.sin(a)))
    d.polygon(pts, fill=SUN, outline=(170, 100, 0))


def tb_setup(d, x):
    cx, cy = x + 7.5, 7.5
    pts = []
    for i in range(32):  # eight teeth: outer, outer, inner, inner
        rad = 7.4 if (i % 4) < 2 else 5.0
        a = (i - 0.5) * math.pi / 16
        pts.append((cx + rad * math.cos(a), cy + rad * math.sin(a)))
    d.polygon(pts, fill=(110, 120, 150), outline=(40, 45, 70))
    d.ellipse([cx - 2.2, cy - 2.2, cx + 2.2, cy + 2.2], fill=FACE, outline=(40, 45, 70))


def tb_xp_format(d, x):
    colours = [(40, 100, 220), GREEN, RED, (235, 180, 0)]
    for i, c in enumerate(colours):
        tx = x + 1 + (i % 2) * 7
        ty = 1 + (i // 2) * 7
        d.rectangle([tx, ty, tx + 6, ty + 6], fill=c, outline=DARK)
        d.line([tx + 1, ty + 1, tx + 4, ty + 1], fill=WHITE)  # a highlight: a tile, not a square


def tb_capture(d, x):
    d.rectangle([x, 1, x + 15, 11], fill=DARK)
    d.rectangle([x + 1, 2, x + 14, 10], fill=(60, 120, 200))
    d.rectangle([x + 6, 12, x + 9, 13], fill=DARK)
    d.rectangle([x + 3, 14, x + 12, 15], fill=DARK)
    # the dashed selection frame
    for i in range(4, 12):
        c = WHITE if i % 2 == 0 else RED
        d.point((x + i, 4), fill=c)
        d.point((x + i, 8), fill=c)
    for j in range(4, 9):
        c = WHITE if j % 2 == 0 else RED
        d.point((x + 4, j), fill=c)
        d.point((x + 11, j), fill=c)


def tb_acquire(d, x):
    # a flatbed scanner with its lid raised and the green light under the glass
    d.polygon([(x, 6), (x + 12, 0), (x + 14, 1), (x + 2, 7)], fill=(90, 90, 100), outline=DARK)
    d.rectangle([x, 7, x + 15, 13], fill=(210, 210, 220), outline=DARK)
    d.line([x + 2, 9, x + 13, 9], fill=(40, 220, 60))
    d.rectangle([x + 11, 11, x + 13, 11], fill=GREEN)
    d.line([x + 1, 14, x + 14, 14], fill=DARK)


def tb_help(d, x):
    d.ellipse([x, 0, x + 15, 15], fill=BLUE, outline=(10, 30, 120))
    pixels(d, x + 5, 3, [
        ".WWWW.",
        "WW..WW",
        "....WW",
        "...WW.",
        "..WW..",
        "..WW..",
        "......",
        "..WW..",
        "..WW..",
    ], {"W": WHITE})


def tb_quit(d, x):
    d.rectangle([x + 1, 0, x + 9, 15], fill=(120, 70, 30), outline=(60, 30, 10))  # the door frame
    d.polygon([(x + 2, 1), (x + 7, 3), (x + 7, 15), (x + 2, 14)], fill=(170, 110, 50), outline=(60, 30, 10))
    d.point((x + 6, 8), fill=SUN)
    d.polygon([(x + 10, 6), (x + 12, 6), (x + 12, 3), (x + 15, 7), (x + 12, 11), (x + 12, 8), (x + 10, 8)],
              fill=RED, outline=(120, 0, 0))


def tb_convert(d, x):
    # a picture (upper left) becomes an icon tile (lower right): the arrow says so
    d.rectangle([x, 0, x + 8, 7], fill=DARK)
    d.rectangle([x + 1, 1, x + 7, 6], fill=SKY)
    d.polygon([(x + 1, 6), (x + 4, 3), (x + 7, 6)], fill=GRASS)
    d.polygon([(x, 11), (x + 3, 11), (x + 3, 9), (x + 6, 12), (x + 3, 15), (x + 3, 13), (x, 13)], fill=RED)
    d.rectangle([x + 8, 8, x + 15, 15], fill=DARK)
    for i, c in enumerate([ORANGE, WHITE, WHITE, ORANGE, ORANGE, WHITE, WHITE, ORANGE, ORANGE]):
        tx = x + 9 + (i % 3) * 2
        ty = 9 + (i // 3) * 2
        d.rectangle([tx, ty, tx + 1, ty + 1], fill=c)


def tb_open_file(d, x):
    open_folder(d, x, 2)


def tb_target_folder(d, x):
    d.rectangle([x + 1, 4, x + 6, 5], fill=FOLDER_DARK)
    d.rectangle([x, 5, x + 14, 15], fill=FOLDER, outline=FOLDER_DARK)
    # a green arrow coming down into the folder
    d.polygon([(x + 9, 0), (x + 12, 0), (x + 12, 5), (x + 15, 5), (x + 10, 11), (x + 6, 5), (x + 9, 5)],
              fill=GREEN, outline=(0, 80, 0))


def tb_cursor_test(d, x):
    pixels(d, x + 3, 0, [
        "B..........",
        "BB.........",
        "BWB........",
        "BWWB.......",
        "BWWWB......",
        "BWWWWB.....",
        "BWWWWWB....",
        "BWWWWWWB...",
        "BWWWWWWWB..",
        "BWWWWWBBBB.",
        "BWWBWWB....",
        "BWB.BWWB...",
        "BB..BWWB...",
        "B....BWWB..",
        ".....BWWB..",
        "......BB...",
    ], {"B": BLACK, "W": WHITE})


def tb_scanner_module(d, x):
    # a sheet-fed scanner: a sheet going into a slot, with a lit green lamp
    d.polygon([(x + 3, 0), (x + 12, 0), (x + 12, 7), (x + 3, 7)], fill=WHITE, outline=GREY)
    for y in (2, 4):
        d.line([x + 5, y, x + 10, y], fill=BLUE)
    d.rectangle([x, 6, x + 15, 14], fill=(80, 90, 110), outline=BLACK)
    d.line([x + 2, 8, x + 13, 8], fill=BLACK)
    d.rectangle([x + 2, 11, x + 3, 12], fill=(40, 220, 60))
    d.rectangle([x + 9, 11, x + 13, 12], fill=(150, 160, 180))


def tb_camera(d, x):
    d.rectangle([x + 3, 2, x + 7, 4], fill=DARK)
    d.rectangle([x, 4, x + 15, 14], fill=(50, 50, 60), outline=BLACK)
    d.ellipse([x + 4, 5, x + 12, 13], fill=(140, 150, 170), outline=BLACK)
    d.ellipse([x + 6, 7, x + 10, 11], fill=(20, 40, 110))
    d.point((x + 7, 8), fill=WHITE)
    d.rectangle([x + 12, 5, x + 14, 6], fill=(250, 250, 180))  # the flash


TOOLBAR = [tb_favorites, tb_setup, tb_xp_format, tb_capture, tb_acquire, tb_help, tb_quit, tb_convert,
           tb_open_file, tb_target_folder, tb_cursor_test, tb_scanner_module, tb_camera]


def toolbar():
    img = Image.new("RGB", (16 * len(TOOLBAR), 16), FACE)
    d = ImageDraw.Draw(img)
    for i, draw in enumerate(TOOLBAR):
        draw(d, 16 * i)
    return img


# --------------------------------------------------------------- Convert button

def convert_button(word):
    img = Image.new("RGB", (64, 40), FACE)
    d = ImageDraw.Draw(img)
    # the picture
    d.rectangle([2, 3, 19, 22], fill=DARK)
    d.rectangle([3, 4, 18, 21], fill=SKY)
    d.polygon([(3, 21), (3, 17), (9, 11), (13, 15), (18, 12), (18, 21)], fill=GRASS)
    d.ellipse([5, 6, 9, 10], fill=SUN)
    # the arrow
    d.polygon([(22, 10), (32, 10), (32, 6), (40, 13), (32, 20), (32, 16), (22, 16)], fill=RED, outline=(120, 0, 0))
    # the icon tile
    icon_tile(d, 43, 4, 3, 6)
    # the word, centred below, as large as fits the width
    path = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
    for size in (11, 10, 9, 8):
        font = ImageFont.truetype(path, size) if os.path.exists(path) else ImageFont.load_default()
        box = d.textbbox((0, 0), word, font=font)
        w = box[2] - box[0]
        if w <= 62:
            break
    d.text(((64 - w) // 2 - box[0], 26 - box[1]), word, fill=BLACK, font=font)
    return img


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    write_ico(os.path.join(out, "glyphery.ico"), [program_icon(16), program_icon(32), program_icon(48)])
    write_ico(os.path.join(out, "browse.ico"), [browse_icon()])
    toolbar().save(os.path.join(out, "toolbar.bmp"))
    convert_button("Convert").save(os.path.join(out, "convert.bmp"))
    convert_button("Convertir").save(os.path.join(out, "convert_fr.bmp"))


if __name__ == "__main__":
    main()
