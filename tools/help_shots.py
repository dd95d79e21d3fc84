#!/usr/bin/env python3
"""Puts the tests' screenshots into the help pages:

  help_shots.py HELP_DIR SCREENSHOT_DIR...

HELP_DIR/shots.txt names, one a line, the picture a help file shows and the
screenshot it is made from:
    <help file>  <picture>.png  <screenshot>.bmp
The screenshot is looked for in each SCREENSHOT_DIR in turn (the
test-output/screenshots folders of the built trees, after their tests ran) and
written as HELP_DIR/<help file>/<picture>.png, which the pages show with
<img src="<picture>.png">. A screenshot found nowhere stops the script, and
the pictures already there are left as they were.
"""
import os
import re
import sys

from PIL import Image


def read_table(path):
    rows = []
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            if not line.strip() or line.startswith("#"):
                continue
            m = re.match(r"^(\S+)\s+(\S+\.png)\s+(\S+\.bmp)\s*$", line)
            if not m:
                sys.exit(f"{path}:{number}: cannot read: {line.rstrip()}")
            rows.append(m.groups())
    return rows


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    help_dir, shot_dirs = sys.argv[1], sys.argv[2:]
    rows = read_table(os.path.join(help_dir, "shots.txt"))
    found = []
    for name, picture, shot in rows:
        where = [os.path.join(d, shot) for d in shot_dirs if os.path.isfile(os.path.join(d, shot))]
        if not where:
            sys.exit(f"no screenshot {shot} in {', '.join(shot_dirs)}: run the tests first")
        found.append((name, picture, where[0]))
    for name, picture, shot in found:
        with Image.open(shot) as image:
            out = os.path.join(help_dir, name, picture)
            # Palette pictures keep the help files small; windows use few colours.
            image.convert("RGB").quantize(256, method=Image.Quantize.MEDIANCUT).save(out, optimize=True)
            print(f"{out}: {image.width} x {image.height} from {shot}")


if __name__ == "__main__":
    main()
