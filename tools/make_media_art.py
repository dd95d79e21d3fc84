#!/usr/bin/env python3
"""Draws the video tool's artwork, each icon at 16 x 16 and 32 x 32 (32-bit
colour with an AND mask):

  media.ico      the program icon: a strip of film with one frame lifted
                 out of it
  play.ico       a green triangle pointing right
  pause.ico      two upright blue bars
  stop.ico       a red square
  framestep.ico  a bar and a triangle: one frame forward
  help.ico       a blue disc with a white question mark
  close.ico      a red disc with a white cross

    make_media_art.py OUTPUT_DIR
"""
import os
import sys

from PIL import Image, ImageDraw

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_iconres_art import write_ico  # noqa: E402  (one .ico writer for the suite's art)

GREEN = (30, 160, 40, 255)
GREEN_EDGE = (0, 80, 0, 255)
BLUE = (40, 80, 200, 255)
BLUE_EDGE = (10, 30, 120, 255)
RED = (200, 30, 30, 255)
RED_EDGE = (100, 0, 0, 255)
WHITE = (255, 255, 255, 255)
FILM = (50, 50, 56, 255)
HOLE = (230, 230, 230, 255)
SKY = (110, 170, 240, 255)
GRASS = (70, 170, 60, 255)
SUN = (250, 210, 40, 255)


def canvas(size):
    img = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    return img, ImageDraw.Draw(img)


def play(size):
    img, d = canvas(size)
    m = size // 8
    d.polygon([(m + 1, m), (size - 1 - m, size // 2), (m + 1, size - 1 - m)], fill=GREEN, outline=GREEN_EDGE)
    return img


def pause(size):
    img, d = canvas(size)
    m = size // 8
    bar = max(3, size // 4)
    d.rectangle([m + 1, m, m + bar, size - 1 - m], fill=BLUE, outline=BLUE_EDGE)
    d.rectangle([size - 2 - m - bar, m, size - 2 - m, size - 1 - m], fill=BLUE, outline=BLUE_EDGE)
    return img


def stop(size):
    img, d = canvas(size)
    m = size // 8 + 1
    d.rectangle([m, m, size - 1 - m, size - 1 - m], fill=RED, outline=RED_EDGE)
    return img


def framestep(size):
    img, d = canvas(size)
    m = size // 8
    bar = max(2, size // 6)
    d.polygon([(m, m), (size - 2 - m - bar, size // 2), (m, size - 1 - m)], fill=GREEN, outline=GREEN_EDGE)
    d.rectangle([size - 1 - m - bar, m, size - 1 - m, size - 1 - m], fill=BLUE, outline=BLUE_EDGE)
    return img


def disc(size, colour, edge):
    img, d = canvas(size)
    d.ellipse([0, 0, size - 1, size - 1], fill=colour, outline=edge)
    return img, d


def help_icon(size):
    img, d = disc(size, BLUE, BLUE_EDGE)
    s = size / 16.0
    w = max(2, size // 8)
    # the hook of the question mark, its stem and its dot
    d.arc([5 * s, 2.5 * s, 11 * s, 8.5 * s], 180, 90, fill=WHITE, width=w)
    d.line([8 * s, 8.5 * s, 8 * s, 10 * s], fill=WHITE, width=w)
    d.rectangle([8 * s - w / 2, 11.5 * s, 8 * s + w / 2 - 1, 11.5 * s + w - 1], fill=WHITE)
    return img


def close_icon(size):
    img, d = disc(size, RED, RED_EDGE)
    m = size * 5 // 16
    w = max(2, size // 8)
    d.line([m, m, size - 1 - m, size - 1 - m], fill=WHITE, width=w)
    d.line([m, size - 1 - m, size - 1 - m, m], fill=WHITE, width=w)
    return img


def media_icon(size):
    img, d = canvas(size)
    s = size / 32.0
    # the film strip, slanted across the back, with its sprocket holes
    d.polygon([(0, 10 * s), (22 * s, 0), (27 * s, 10 * s), (5 * s, 20 * s)], fill=FILM)
    for i in range(4):
        x, y = (3 + 5.5 * i) * s, (10 - 2.5 * i) * s
        d.rectangle([x, y, x + 1.5 * s, y + 1.5 * s], fill=HOLE)
    # the frame lifted out: a small landscape in a white border
    d.rectangle([10 * s, 12 * s, size - 1, size - 1], fill=WHITE, outline=FILM)
    d.rectangle([12 * s, 14 * s, size - 3 * s, size - 3 * s], fill=SKY)
    d.polygon([(12 * s, size - 3 * s), (19 * s, 21 * s), (size - 3 * s, size - 3 * s)], fill=GRASS)
    d.ellipse([23 * s, 15 * s, 27 * s, 19 * s], fill=SUN)
    return img


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for name, draw in (("media", media_icon), ("play", play), ("pause", pause), ("stop", stop),
                       ("framestep", framestep), ("help", help_icon), ("close", close_icon)):
        sizes = (16, 32, 48) if name == "media" else (16, 32)
        write_ico(os.path.join(out, name + ".ico"), [draw(n) for n in sizes])


if __name__ == "__main__":
    main()
