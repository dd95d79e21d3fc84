#!/usr/bin/env python3
"""Draws the display window's artwork:

  display_toolbar.bmp  the window toolbar strip, 15 images of 16 x 16, 24-bit,
                       on RGB 192,192,192; the toolbar uses close (1), help
                       (6), original (7), save (8), redo (9), zoom (10) and
                       print (11); the other images are its spare drawings
  effects.bmp          the effect tools strip, 19 images of 16 x 16: implode
                       (0), wave (2), swirl (3), roll (8), raise (9), border
                       (11), flip (12), flop (13), colorize (14), threshold (18)
  picker.cur           the colour picker's cursor, 32 x 32: a pipette whose
                       tip (the hot spot) is its lower left pixel

    make_display_art.py OUTPUT_DIR
"""
import math
import os
import struct
import sys

from PIL import Image, ImageDraw

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_iconres_art import image_block  # noqa: E402  (one icon image writer for the suite's art)
from make_shell_art import (BLACK, BLUE, DARK, FACE, FOLDER, GRASS, GREEN, GREY, ORANGE, RED, SKY, SUN,  # noqa: E402
                            WHITE, tb_help, tb_quit)

PURPLE = (140, 40, 170)


def picture(d, x, y0=2, y1=13):
    """A small landscape, the picture the effect tools change."""
    d.rectangle([x + 1, y0, x + 14, y1], fill=SKY, outline=DARK)
    d.polygon([(x + 2, y1 - 1), (x + 6, y1 - 5), (x + 9, y1 - 3), (x + 13, y1 - 6), (x + 13, y1 - 1)], fill=GRASS)


# ------------------------------------------------------------ window toolbar

def tb_blank(d, x):
    d.rectangle([x + 3, 3, x + 12, 12], outline=GREY)


def tb_original(d, x):
    # the picture with a curved arrow going back to it
    picture(d, x, 5, 15)
    d.arc([x + 2, 0, x + 12, 9], 180, 360, fill=RED, width=2)
    d.polygon([(x + 0, 3), (x + 5, 3), (x + 2, 7)], fill=RED)


def tb_save(d, x):
    d.rectangle([x + 1, 1, x + 14, 14], fill=BLUE, outline=BLACK)
    d.rectangle([x + 4, 1, x + 11, 6], fill=WHITE, outline=BLACK)
    d.rectangle([x + 9, 2, x + 10, 5], fill=DARK)
    d.rectangle([x + 4, 9, x + 11, 14], fill=(210, 210, 210), outline=BLACK)


def tb_redo(d, x):
    picture(d, x, 5, 15)
    d.arc([x + 3, 0, x + 13, 9], 180, 360, fill=GREEN, width=2)
    d.polygon([(x + 15, 3), (x + 10, 3), (x + 13, 7)], fill=GREEN)


def tb_zoom(d, x):
    d.ellipse([x + 1, 1, x + 10, 10], fill=(220, 240, 255), outline=BLACK)
    d.line([x + 9, 9, x + 14, 14], fill=(110, 70, 30), width=3)
    d.line([x + 4, 5, x + 7, 5], fill=BLACK)
    d.line([x + 5, 4, x + 5, 7], fill=BLACK)


def tb_print(d, x):
    d.rectangle([x + 4, 0, x + 11, 6], fill=WHITE, outline=DARK)
    d.rectangle([x, 6, x + 15, 12], fill=(170, 170, 170), outline=BLACK)
    d.rectangle([x + 3, 10, x + 12, 15], fill=WHITE, outline=DARK)
    d.point((x + 13, 8), fill=GREEN)


def tb_open(d, x):
    d.rectangle([x + 1, 4, x + 6, 5], fill=(150, 110, 20))
    d.rectangle([x, 5, x + 14, 14], fill=FOLDER, outline=(150, 110, 20))


def tb_copy(d, x):
    d.rectangle([x + 1, 1, x + 9, 11], fill=WHITE, outline=DARK)
    d.rectangle([x + 6, 4, x + 14, 14], fill=WHITE, outline=DARK)
    for y in (7, 9, 11):
        d.line([x + 8, y, x + 12, y], fill=BLUE)


def tb_paste(d, x):
    d.rectangle([x + 1, 2, x + 11, 15], fill=(150, 110, 60), outline=DARK)
    d.rectangle([x + 4, 0, x + 8, 3], fill=GREY, outline=DARK)
    d.rectangle([x + 7, 6, x + 15, 15], fill=WHITE, outline=DARK)


def tb_colour(d, x):
    for i, c in enumerate([RED, GREEN, BLUE, SUN]):
        d.rectangle([x + 1 + (i % 2) * 7, 1 + (i // 2) * 7, x + 7 + (i % 2) * 7, 7 + (i // 2) * 7], fill=c,
                    outline=DARK)


def tb_plugin(d, x):
    d.rectangle([x + 2, 4, x + 13, 13], fill=(100, 160, 100), outline=DARK)
    for px in (4, 7, 10):
        d.line([x + px, 0, x + px, 4], fill=DARK)


def tb_count(d, x):
    tb_colour(d, x)
    d.rectangle([x + 5, 5, x + 10, 10], fill=WHITE, outline=BLACK)


WINDOW_TOOLBAR = [tb_blank, tb_quit, tb_open, tb_copy, tb_paste, tb_colour, tb_help, tb_original, tb_save,
                  tb_redo, tb_zoom, tb_print, tb_plugin, tb_count, tb_blank]


# -------------------------------------------------------------- effect tools

def fx_implode(d, x):
    picture(d, x)
    for a in range(0, 360, 45):
        r = math.radians(a)
        d.line([x + 7.5 + 6 * math.cos(r), 7.5 + 6 * math.sin(r), x + 7.5 + 2 * math.cos(r), 7.5 + 2 * math.sin(r)],
               fill=RED)


def fx_wave(d, x):
    for row, c in ((4, BLUE), (8, SKY), (12, BLUE)):
        pts = [(x + i, row + 2 * math.sin(i * math.pi / 4)) for i in range(16)]
        d.line(pts, fill=c, width=2)


def fx_swirl(d, x):
    pts = []
    for i in range(40):
        a = i * 0.45
        r = 0.18 * i
        pts.append((x + 7.5 + r * math.cos(a), 7.5 + r * math.sin(a)))
    d.line(pts, fill=PURPLE, width=2)


def fx_roll(d, x):
    picture(d, x)
    d.polygon([(x + 3, 8), (x + 7, 4), (x + 7, 12)], fill=RED)
    d.polygon([(x + 12, 8), (x + 8, 4), (x + 8, 12)], fill=RED)


def fx_raise(d, x):
    d.rectangle([x + 1, 1, x + 14, 14], fill=(150, 150, 150))
    d.polygon([(x + 1, 1), (x + 14, 1), (x + 11, 4), (x + 4, 4), (x + 4, 11), (x + 1, 14)], fill=WHITE)
    d.polygon([(x + 14, 14), (x + 14, 1), (x + 11, 4), (x + 11, 11), (x + 4, 11), (x + 1, 14)], fill=DARK)


def fx_border(d, x):
    d.rectangle([x, 0, x + 15, 15], fill=RED)
    picture(d, x, 3, 12)


def fx_flip(d, x):
    d.polygon([(x + 3, 6), (x + 8, 1), (x + 13, 6)], fill=SKY, outline=DARK)
    d.polygon([(x + 3, 9), (x + 8, 14), (x + 13, 9)], fill=GRASS, outline=DARK)
    d.line([x, 7, x + 15, 7], fill=RED)


def fx_flop(d, x):
    d.polygon([(x + 6, 3), (x + 1, 8), (x + 6, 13)], fill=SKY, outline=DARK)
    d.polygon([(x + 9, 3), (x + 14, 8), (x + 9, 13)], fill=GRASS, outline=DARK)
    d.line([x + 7, 0, x + 7, 15], fill=RED)


def fx_colorize(d, x):
    d.polygon([(x + 1, 14), (x + 4, 8), (x + 11, 1), (x + 14, 4), (x + 7, 11)], fill=ORANGE, outline=DARK)
    d.ellipse([x + 0, 11, x + 5, 15], fill=RED)


def fx_threshold(d, x):
    d.rectangle([x + 1, 1, x + 14, 14], fill=BLACK)
    d.polygon([(x + 1, 14), (x + 14, 1), (x + 14, 14)], fill=WHITE)
    d.ellipse([x + 9, 2, x + 13, 6], fill=SUN)


def fx_spare(d, x):
    picture(d, x)


EFFECTS = [fx_implode, fx_spare, fx_wave, fx_swirl, fx_spare, fx_spare, fx_spare, fx_spare, fx_roll, fx_raise,
           fx_spare, fx_border, fx_flip, fx_flop, fx_colorize, fx_spare, fx_spare, fx_spare, fx_threshold]


def strip(drawings):
    img = Image.new("RGB", (16 * len(drawings), 16), FACE)
    d = ImageDraw.Draw(img)
    for i, draw in enumerate(drawings):
        draw(d, 16 * i)
    return img


# --------------------------------------------------------------- picker cursor

def picker_cursor():
    img = Image.new("RGBA", (32, 32), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    d.line([(1, 30), (12, 19)], fill=(0, 0, 0, 255), width=3)          # the glass tube
    d.line([(2, 29), (11, 20)], fill=(200, 230, 255, 255), width=1)
    d.polygon([(11, 15), (16, 20), (27, 9), (22, 4)], fill=(40, 40, 40, 255))  # the collar
    d.ellipse([20, 1, 30, 11], fill=(180, 30, 30, 255), outline=(0, 0, 0, 255))  # the bulb
    d.point((0, 31), fill=(0, 0, 0, 255))
    return img


def write_cur(path, img, hot):
    block = image_block(img)
    out = struct.pack("<HHH", 0, 2, 1)
    out += struct.pack("<BBBBHHII", img.size[0] % 256, img.size[1] % 256, 0, 0, hot[0], hot[1], len(block), 22)
    with open(path, "wb") as f:
        f.write(out + block)


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    strip(WINDOW_TOOLBAR).save(os.path.join(out, "display_toolbar.bmp"))
    strip(EFFECTS).save(os.path.join(out, "effects.bmp"))
    write_cur(os.path.join(out, "picker.cur"), picker_cursor(), (0, 31))


if __name__ == "__main__":
    main()
