#!/usr/bin/env python3
"""Reads back what the conversion tests left in a folder: icons and cursors
through the icon checks (icotool -l/-x, identify, PIL), and profile bitmaps
through identify and PIL (48 x 48, 24 bits, a version 3 file).

Prints 'N passed, N failed' and exits non-zero on any failure."""
import glob
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_icons  # noqa: E402
from PIL import Image  # noqa: E402


def check_profile(path):
    name = os.path.basename(path)
    out = subprocess.run(["identify", "-format", "%m %w %h %z", path], capture_output=True, text=True)
    check_icons.check(out.returncode == 0, f"{name}: identify failed: {out.stderr.strip()}")
    check_icons.check(out.stdout.split()[:3] == ["BMP3", "48", "48"], f"{name}: identify says {out.stdout!r}")
    with Image.open(path) as im:
        check_icons.check(im.size == (48, 48) and im.mode == "RGB", f"{name}: PIL sees {im.size} {im.mode}")
    with open(path, "rb") as f:
        head = f.read(30)
    check_icons.check(head[14] == 40 and head[28] == 24, f"{name}: header size {head[14]}, bits {head[28]}")


def main():
    folder = sys.argv[1]
    icons = sorted(glob.glob(os.path.join(folder, "*.ico")) + glob.glob(os.path.join(folder, "*.cur")))
    bitmaps = sorted(glob.glob(os.path.join(folder, "*.bmp")))
    check_icons.check(len(icons) >= 8, f"only {len(icons)} icon files in {folder}")
    check_icons.check(len(bitmaps) >= 2, f"only {len(bitmaps)} profile bitmaps in {folder}")
    for path in icons:
        check_icons.check_file(path)
    for path in bitmaps:
        check_profile(path)
    print(f"readback: {len(icons)} icon files, {len(bitmaps)} bitmaps")
    print(f"{check_icons.passed} passed, {check_icons.failed} failed")
    return 1 if check_icons.failed else 0


if __name__ == "__main__":
    sys.exit(main())
