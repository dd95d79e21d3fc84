#!/usr/bin/env python3
"""Reads the icon files the display window's end-to-end test saved, with
readers nobody here wrote (PIL, and icotool -x with PIL on its PNGs), and
checks the retouched pixels of their 32 x 32 images:

  display_inverted.ico  grey halves after "Invert colors", Redo and the
                        original: top (55, 55, 55), bottom (225, 225, 225)
  display_replaced.ico  red and blue halves after Replace a color on the red:
                        top (120, 0, 0), bottom (30, 90, 200)

Prints 'N passed, N failed' and exits non-zero on any failure or a missing file."""
import glob
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_icons  # noqa: E402
from check_icons import check  # noqa: E402
from PIL import Image, IcoImagePlugin  # noqa: E402,F401

WANT = {
    "display_inverted.ico": ((55, 55, 55), (225, 225, 225)),
    "display_replaced.ico": ((120, 0, 0), (30, 90, 200)),  # row 31 is black: not among the points
}
POINTS = ((5, 3), (31, 15), (0, 16), (20, 30))  # two in the top half, two in the bottom


def halves(img, name, reader):
    top, bottom = WANT[name]
    for x, y in POINTS:
        want = top if y < 16 else bottom
        got = img.getpixel((x, y))[:3]
        check(got == want, f"{reader} {name} pixel {x},{y}: {got}, want {want}")


def main():
    folder = sys.argv[1]
    for name in WANT:
        path = os.path.join(folder, name)
        check(os.path.exists(path), f"{path} missing")
        if not os.path.exists(path):
            continue
        ico = Image.open(path)
        halves(ico.ico.getimage((32, 32)).convert("RGB"), name, "PIL")
        with tempfile.TemporaryDirectory() as out:
            subprocess.run(["icotool", "-x", "-w", "32", "-o", out, path], check=True)
            pngs = glob.glob(os.path.join(out, "*.png"))
            check(len(pngs) == 1, f"icotool -x {name}: {len(pngs)} images of 32 x 32")
            for png in pngs:
                halves(Image.open(png).convert("RGB"), name, "icotool")
    print(f"{check_icons.passed} passed, {check_icons.failed} failed")
    sys.exit(1 if check_icons.failed else 0)


if __name__ == "__main__":
    main()
