#!/usr/bin/env python3
"""Reads back the editor's artwork (tools/make_editor_art.py) with readers
nobody here wrote: the program icon holds 16, 32 and 48 at 32 bits
(icotool -l, PIL); the background pattern is an 8 x 8 24-bit version 3
bitmap of two close greys (identify), so the frame stays quiet behind the
work area; the two toolbar strips are 24-bit, 16 pixels high, 47 and 22
images wide, on the light grey the toolbars map to the button face, with a
drawing in every image the toolbars and menus name (identify, PIL); the
link's cursor is a 32 x 32 cursor with its hot spot at the finger tip
(icotool); the Rotate dialog's two direction icons hold 16 and 32 and differ.

    check_editor_art.py ART_DIR

Prints 'N passed, N failed' and exits non-zero on any failure."""
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_icons  # noqa: E402
from check_icons import check  # noqa: E402
from check_shell_art import check_icon  # noqa: E402
from PIL import Image  # noqa: E402


def main():
    art = sys.argv[1]
    check_icon(os.path.join(art, "editor.ico"), [16, 32, 48])
    # The Rotate dialog's directions: 16 and 32, mirror images of each other
    # in their arrow heads, so they must differ.
    for name in ("rotate_left.ico", "rotate_right.ico"):
        check_icon(os.path.join(art, name), [16, 32])
    left, right = (Image.open(os.path.join(art, n)).convert("RGBA").tobytes() for n in ("rotate_left.ico", "rotate_right.ico"))
    check(left != right, "rotate_left.ico and rotate_right.ico are the same picture")
    pattern = os.path.join(art, "pattern.bmp")
    out = subprocess.run(["identify", "-format", "%m %w %h %z", pattern], capture_output=True, text=True)
    check(out.stdout.split() == ["BMP3", "8", "8", "8"], f"pattern.bmp: identify says {out.stdout!r}")
    colours = set(Image.open(pattern).convert("RGB").getdata())
    check(len(colours) == 2, f"pattern.bmp: {len(colours)} colours")
    check(all(abs(a - b) <= 24 for c in colours for d in colours for a, b in zip(c, d)),
          f"pattern.bmp: colours too far apart {colours}")
    # The marks' pattern: a checker of squares of 4, white and light grey.
    marks = os.path.join(art, "transparent.bmp")
    out = subprocess.run(["identify", "-format", "%m %w %h", marks], capture_output=True, text=True)
    check(out.stdout.split() == ["BMP3", "8", "8"], f"transparent.bmp: identify says {out.stdout!r}")
    checker = Image.open(marks).convert("RGB")
    check([checker.getpixel(p) for p in ((0, 0), (4, 0), (0, 4), (4, 4), (7, 3))] ==
          [(255, 255, 255), (200, 200, 200), (200, 200, 200), (255, 255, 255), (200, 200, 200)],
          "transparent.bmp: not a checker of 4")
    named = {"toolbar.bmp": (47, [0, 2, 3, 5, 9, 10, 11, 12, 13, 18, 21, 23, 33, 39, 40, 45, 46]),
             "tools.bmp": (22, [0, 1, 2, 3, 4, 7, 8, 9, 10, 11, 19, 20, 21])}
    for name, (count, used) in named.items():
        path = os.path.join(art, name)
        out = subprocess.run(["identify", "-format", "%w %h %z", path], capture_output=True, text=True)
        check(out.stdout.split() == [str(16 * count), "16", "8"], f"{name}: identify says {out.stdout!r}")
        strip = Image.open(path).convert("RGB")
        for i in used:
            tile = strip.crop((16 * i, 0, 16 * i + 16, 16))
            drawn = sum(1 for p in tile.getdata() if p != (192, 192, 192))
            check(drawn >= 20, f"{name}: image {i} has only {drawn} drawn pixels")
        check(strip.getpixel((0, 0)) == (192, 192, 192) or strip.getpixel((15, 15)) == (192, 192, 192),
              f"{name}: the background is not the button-face grey")
    out = subprocess.run(["icotool", "-l", os.path.join(art, "hand.cur")], capture_output=True, text=True)
    check("--cursor" in out.stdout and "--width=32" in out.stdout and "--hotspot-x=6 --hotspot-y=0" in out.stdout,
          f"hand.cur: icotool says {out.stdout!r}")
    # The tools' cursors: monochrome 32 x 32 cursors with their hot spots, each
    # with something drawn and something clear (as icotool extracts them).
    tools = {"fill": (5, 29), "cross": (15, 15), "pen": (0, 31), "brush": (5, 26), "line16": (15, 15),
             "line32": (15, 15), "line48": (15, 15), "line64": (15, 15), "spray": (15, 15),
             "transparent": (15, 15), "dropper": (0, 31), "text": (15, 15)}
    for name, (hx, hy) in tools.items():
        path = os.path.join(art, "tool_%s.cur" % name)
        out = subprocess.run(["icotool", "-l", path], capture_output=True, text=True)
        check("--cursor" in out.stdout and "--width=32" in out.stdout and "--bit-depth=1" in out.stdout
              and f"--hotspot-x={hx} --hotspot-y={hy}" in out.stdout, f"{path}: icotool says {out.stdout!r}")
        with tempfile.TemporaryDirectory() as tmp:
            subprocess.run(["icotool", "-x", "-o", tmp, path], capture_output=True)
            pngs = [os.path.join(tmp, f) for f in os.listdir(tmp)]
            alpha = Image.open(pngs[0]).convert("RGBA").getchannel("A").getextrema() if pngs else None
        check(alpha == (0, 255), f"{path}: alpha range {alpha}")
    print(f"{check_icons.passed} passed, {check_icons.failed} failed")
    sys.exit(1 if check_icons.failed else 0)


if __name__ == "__main__":
    main()
