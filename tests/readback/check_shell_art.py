#!/usr/bin/env python3
"""Reads back the main program's artwork (tools/make_shell_art.py) with
readers nobody here wrote: icotool -l, identify and PIL. The program icon holds
16, 32 and 48; the browse icon 16; the toolbar strip is 13 distinct, non-empty
16 x 16 images in a 24-bit bitmap on RGB 192,192,192; the Convert picture is a
24-bit bitmap on the same background.

    check_shell_art.py ART_DIR

Prints 'N passed, N failed' and exits non-zero on any failure."""
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_icons  # noqa: E402
from check_icons import check  # noqa: E402
from PIL import Image  # noqa: E402

FACE = (192, 192, 192)


def check_icon(path, sizes, share=3):
    """Checks a 32-bit icon of the given sizes, each image at least 1/share
    opaque; returns each size's RGBA pixels as PIL reads them."""
    name = os.path.basename(path)
    rc, rows, err = check_icons.icotool_list(path)
    check(rc == 0, f"{name}: icotool -l failed: {err.strip()}")
    check(sorted(r["width"] for r in rows) == sizes, f"{name}: icotool lists {rows}")
    check(all(r["width"] == r["height"] and r["bits"] == 32 for r in rows), f"{name}: {rows}")
    drawn = {}
    with Image.open(path) as im:
        for size in sizes:
            im.size = (size, size)
            frame = im.convert("RGBA")
            opaque = sum(1 for p in frame.getdata() if p[3] > 0)
            check(opaque >= size * size // share, f"{name} {size}: only {opaque} opaque pixels")
            drawn[size] = list(frame.getdata())
    return drawn


def check_bitmap(path, width, height):
    name = os.path.basename(path)
    out = subprocess.run(["identify", "-format", "%m %w %h", path], capture_output=True, text=True)
    check(out.stdout.split() == ["BMP3", str(width), str(height)], f"{name}: identify says {out.stdout!r}")
    with open(path, "rb") as f:
        head = f.read(30)
    check(head[:2] == b"BM" and head[14] == 40 and head[28] == 24, f"{name}: not a 24-bit version 3 bitmap")
    im = Image.open(path).convert("RGB")
    check(im.getpixel((0, 0)) == FACE and im.getpixel((width - 1, height - 1)) == FACE,
          f"{name}: the background is not 192,192,192")
    return im


def main():
    art = sys.argv[1]
    check_icon(os.path.join(art, "glyphery.ico"), [16, 32, 48])
    check_icon(os.path.join(art, "browse.ico"), [16])
    strip = check_bitmap(os.path.join(art, "toolbar.bmp"), 13 * 16, 16)
    cells = [list(strip.crop((16 * i, 0, 16 * i + 16, 16)).getdata()) for i in range(13)]
    for i, cell in enumerate(cells):
        drawn = sum(1 for p in cell if p != FACE)
        check(drawn >= 40, f"toolbar image {i}: only {drawn} drawn pixels")
        check(FACE in cell, f"toolbar image {i}: no background left for the button face")
    for i in range(13):
        for j in range(i + 1, 13):
            differ = sum(1 for a, b in zip(cells[i], cells[j]) if a != b)
            check(differ >= 40, f"toolbar images {i} and {j} differ in only {differ} pixels")
    pictures = {}
    for name in ("convert.bmp", "convert_fr.bmp"):
        picture = check_bitmap(os.path.join(art, name), 64, 40)
        drawn = sum(1 for p in picture.getdata() if p != FACE)
        check(drawn >= 64 * 40 // 4, f"{name}: only {drawn} drawn pixels")
        # the word stays inside the picture: the outer columns are background
        edges = [picture.getpixel((x, y)) for y in range(24, 40) for x in (0, 63)]
        check(all(p == FACE for p in edges), f"{name}: the word touches the edge")
        pictures[name] = list(picture.getdata())
    check(pictures["convert.bmp"] != pictures["convert_fr.bmp"], "the French Convert picture has the English word")
    print(f"{check_icons.passed} passed, {check_icons.failed} failed")
    sys.exit(1 if check_icons.failed else 0)


if __name__ == "__main__":
    main()
