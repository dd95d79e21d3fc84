#!/usr/bin/env python3
"""Renders what the editor's printing tests printed on Wine's PostScript
printer (test-output/editor_print) with Ghostscript, a reader nobody here
wrote, and checks the sheet: texts with their positions and the pictures,
each three times its size 50 pixels below its line (300 dpi, A4).

  sheet.ps     one document: the header, the lines of a 16, a 32 and a 48
               pixel image at y 350, 463 and 624, their pictures (blue,
               green, red with the blue line drawn across row 10) at x 140,
               the rules at 178, 300 and 833
  overflow.ps  two documents: three 256 x 256 pictures on the first (a
               fourth at 2849 would end at 3667, past the page's 3508), the
               last two on the second at y 50 and 883 without the header

Keeps the rendered page as sheet.png. Prints 'N passed, N failed' and exits
non-zero on any failure or a missing file."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_icons  # noqa: E402
from check_icons import check  # noqa: E402
from check_print import check_header, close, documents, lines_of, near_line, render  # noqa: E402

BLUE, GREEN, RED, WHITE = (0, 0, 255), (0, 255, 0), (255, 0, 0), (255, 255, 255)
RULE = (40, 40, 48)  # the middle of the editor's rule bitmap


def check_sheet(path, folder):
    check(documents(path) == 1, "sheet.ps holds one document")
    lines = lines_of(path)
    check_header(lines, "GlypheryEdit", "three.ico", 3)
    near_line(lines, 0, "Format: 16x16, 16 couleurs", 140, 350, 40, "first image line")
    near_line(lines, 0, "Format: 32x32, 16777216 couleurs", 140, 463, 40, "second image line")
    near_line(lines, 0, "Format: 48x48, 16777216 couleurs", 140, 624, 40, "third image line")
    page = render(path, os.path.join(folder, "sheet.png"))
    # Each picture (x, top, side) in its colour, white right of it and in
    # the 50 pixels between its line and its top.
    for colour, top, side in ((BLUE, 400, 48), (GREEN, 513, 96), (RED, 674, 144)):
        at = (140 + side // 2, top + side * 2 // 3)
        check(close(page.getpixel(at), colour), "picture at y %d: %r" % (top, page.getpixel(at)))
        check(close(page.getpixel((140 + side + 6, at[1])), WHITE), "white right of the picture at y %d" % top)
        check(close(page.getpixel((140 + side // 2, top - 4)), WHITE), "white above the picture at y %d" % top)
    # The line drawn in the editor: image row 10, printed rows 30 to 32.
    for x in (141, 140 + 72, 140 + 142):
        check(close(page.getpixel((x, 674 + 31)), BLUE), "the drawn line at x %d: %r" % (x, page.getpixel((x, 705))))
    check(close(page.getpixel((140 + 72, 674 + 36)), RED), "red under the drawn line")
    for y in (178, 300, 833):
        check(close(page.getpixel((1200, y + 5)), RULE), "rule at y %d: %r" % (y, page.getpixel((1200, y + 5))))
        check(close(page.getpixel((1200, y - 3)), WHITE), "white above the rule at y %d" % y)


def check_overflow(path):
    check(documents(path) == 2, "overflow.ps holds two documents")
    lines = lines_of(path)
    text = "Format: 256x256, 16 couleurs"
    first = sorted(l[2] for l in lines if l[0] == 0 and l[3].strip() == text)
    check(len(first) == 3, "three image lines on the first page: %r" % first)
    for y in (350, 1183, 2016):
        near_line(lines, 0, text, 140, y, 40, "an image line on the first document")
    for y in (50, 883):
        near_line(lines, 1, text, 140, y, 40, "an image line on the second document")
    check(not any("Ico file" in l[3] or "GlypheryEdit" in l[3] for l in lines if l[0] == 1),
          "no header on the second document")


def main(folder):
    sheet = os.path.join(folder, "sheet.ps")
    overflow = os.path.join(folder, "overflow.ps")
    for f in (sheet, overflow):
        check(os.path.exists(f), "missing " + f)
    check(not os.path.exists(os.path.join(folder, "cancelled.ps")), "a cancelled print left a file")
    if check_icons.failed:
        return
    check_sheet(sheet, folder)
    check_overflow(overflow)


if __name__ == "__main__":
    main(sys.argv[1])
    print(f"{check_icons.passed} passed, {check_icons.failed} failed")
    sys.exit(1 if check_icons.failed else 0)
