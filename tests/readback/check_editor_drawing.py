#!/usr/bin/env python3
"""Reads back what the icon editor's tool tests left in a folder, with readers
nobody here wrote:

  NAME.ico + NAME.grid   a drawing saved by the editor, read through PIL; the
                         grid gives each pixel: '.' white, 'R' red, 'B' blue,
                         '?' either; every pixel must also be opaque
  export/pic_EXT_W_D.EXT an image exported by Save as, read by ImageMagick's
                         identify: its format and size; a .bmp must hold a
                         colour table for depths up to 8 and 24-bit pixels
                         above
  export_kept/kept_W_D.bmp the same for an icon with more images than the
                         editor opens (the last two have no picture)

Prints 'N passed, N failed' and exits non-zero on any failure."""
import glob
import os
import re
import struct
import subprocess
import sys

from PIL import Image

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_icons as tally  # noqa: E402  (one pass / fail tally for the read-back scripts)

check = tally.check
COLOURS = {".": (255, 255, 255), "R": (255, 0, 0), "B": (0, 0, 255)}
# identify's names: a palette bitmap is "BMP", a 24-bit version 3 one "BMP3"
FORMATS = {"bmp": ("BMP", "BMP3"), "gif": ("GIF",), "jpg": ("JPEG",), "png": ("PNG",), "tga": ("TGA",)}


def check_drawing(grid_path):
    ico = grid_path[:-5] + ".ico"
    rows = [line.rstrip("\n") for line in open(grid_path) if line.strip()]
    img = Image.open(ico)
    check(img.size == (len(rows[0]), len(rows)), f"{ico}: size {img.size}")
    px = img.convert("RGBA").load()
    wrong = []
    for y, row in enumerate(rows):
        for x, want in enumerate(row):
            r, g, b, a = px[x, y]
            if a != 255 or (want != "?" and (r, g, b) != COLOURS[want]):
                wrong.append(f"{x},{y}={r},{g},{b},{a} want {want}")
    check(not wrong, f"{ico}: {len(wrong)} pixels differ: {' '.join(wrong[:6])}")


def check_export(path):
    m = re.match(r"(?:pic_\w+|kept)_(\d+)_(\d+)\.(\w+)$", os.path.basename(path))
    if not m:
        return
    width, depth, ext = int(m.group(1)), int(m.group(2)), m.group(3)
    out = subprocess.run(["identify", "-format", "%m %w %h\n", path], capture_output=True, text=True)
    first = out.stdout.splitlines()[0].split() if out.stdout else []
    check(out.returncode == 0 and len(first) == 3 and first[0] in FORMATS[ext] and first[1:] == [str(width)] * 2,
          f"{path}: identify says {out.stdout.strip()!r} {out.stderr.strip()!r}")
    if ext == "bmp":
        with open(path, "rb") as f:
            head = f.read(30)
        bits = struct.unpack_from("<H", head, 28)[0]
        check(bits <= 8 if depth <= 8 else bits == 24, f"{path}: {bits} bits per pixel for depth {depth}")


def main():
    folder = sys.argv[1]
    grids = sorted(glob.glob(os.path.join(folder, "*.grid")))
    exports = sorted(glob.glob(os.path.join(folder, "export", "pic_*")))
    check(len(grids) > 0, f"no drawings in {folder}")
    check(len(exports) == 10, f"{len(exports)} exported pictures in {folder}\\export, 10 expected")
    for g in grids:
        check_drawing(g)
    for e in exports:
        check_export(e)
    # The images of an icon with more than the editor opens: the last two
    # exported from their stored data.
    kept = sorted(glob.glob(os.path.join(folder, "export_kept", "kept_*.bmp")))
    check(len(kept) == 3, f"{len(kept)} pictures in {folder}\\export_kept, 3 expected")
    for e in kept:
        check_export(e)
    print(f"{tally.passed} passed, {tally.failed} failed")
    sys.exit(1 if tally.failed else 0)


if __name__ == "__main__":
    main()
