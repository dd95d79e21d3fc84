#!/usr/bin/env python3
"""Reads back the video tool's icons (tools/make_media_art.py) with readers
nobody here wrote: icotool -l and PIL. The program icon holds 16, 32 and 48,
each button icon 16 and 32, all 32-bit; every image is drawn (a sixth of it
opaque at least, with transparent pixels left around the drawing) and no two
button icons look alike.

    check_media_art.py ART_DIR

Prints 'N passed, N failed' and exits non-zero on any failure."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_icons  # noqa: E402
from check_icons import check  # noqa: E402
from check_shell_art import check_icon  # noqa: E402  (one icon check for the suite's art)

BUTTONS = ("play", "pause", "stop", "framestep", "help", "close")


def frames(path, sizes):
    drawn = check_icon(path, sizes, share=6)
    for size, pixels in drawn.items():
        check(any(p[3] == 0 for p in pixels), f"{os.path.basename(path)} {size}: no transparent pixel")
    return drawn


def main():
    art = sys.argv[1]
    frames(os.path.join(art, "media.ico"), [16, 32, 48])
    drawn = {b: frames(os.path.join(art, b + ".ico"), [16, 32]) for b in BUTTONS}
    for i, a in enumerate(BUTTONS):
        for b in BUTTONS[i + 1:]:
            differ = sum(1 for p, q in zip(drawn[a][16], drawn[b][16]) if p != q)
            check(differ >= 30, f"{a} and {b} differ in only {differ} pixels at 16 x 16")
    print(f"{check_icons.passed} passed, {check_icons.failed} failed")
    sys.exit(1 if check_icons.failed else 0)


if __name__ == "__main__":
    main()
