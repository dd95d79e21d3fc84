#!/usr/bin/env python3
"""Reads back the editor's artwork (tools/make_editor_art.py) with readers
nobody here wrote: the program icon holds 16, 32 and 48 at 32 bits
(icotool -l, PIL); the background pattern is an 8 x 8 24-bit version 3
bitmap of two close greys (identify), so the frame stays quiet behind the
work area.

    check_editor_art.py ART_DIR

Prints 'N passed, N failed' and exits non-zero on any failure."""
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_icons  # noqa: E402
from check_icons import check  # noqa: E402
from check_shell_art import check_icon  # noqa: E402
from PIL import Image  # noqa: E402


def main():
    art = sys.argv[1]
    check_icon(os.path.join(art, "editor.ico"), [16, 32, 48])
    pattern = os.path.join(art, "pattern.bmp")
    out = subprocess.run(["identify", "-format", "%m %w %h %z", pattern], capture_output=True, text=True)
    check(out.stdout.split() == ["BMP3", "8", "8", "8"], f"pattern.bmp: identify says {out.stdout!r}")
    colours = set(Image.open(pattern).convert("RGB").getdata())
    check(len(colours) == 2, f"pattern.bmp: {len(colours)} colours")
    check(all(abs(a - b) <= 24 for c in colours for d in colours for a, b in zip(c, d)),
          f"pattern.bmp: colours too far apart {colours}")
    print(f"{check_icons.passed} passed, {check_icons.failed} failed")
    sys.exit(1 if check_icons.failed else 0)


if __name__ == "__main__":
    main()
