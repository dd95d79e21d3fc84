#!/usr/bin/env python3
"""Renders what the display window's printing tests printed on Wine's
PostScript printer (test-output/print) with Ghostscript, a reader nobody here
wrote, and checks the sheet: texts with their positions (Ghostscript's text
extraction, points turned into the printer's 300 dpi pixels) and pixels of
the rendered page.

  print_three.ps     one document: the header, three image lines at y 350,
                     405 and 460, the icons' colours at a third of the page,
                     the rules
  print_overflow.ps  two documents: eleven images of 256 x 256 on the first
                     (a twelfth at y 3331 would reach past the page's 3508),
                     the last two on the second at y 50 and 321 without the
                     header

Keeps the rendered first page as print_three.png. Prints 'N passed, N
failed' and exits non-zero on any failure or a missing file."""
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_icons  # noqa: E402
from check_icons import check  # noqa: E402
from PIL import Image  # noqa: E402

DPI = 300




def lines_of(ps):
    """Each text line of each page as (page, x, baseline y, text), in pixels."""
    out = subprocess.run(["gs", "-q", "-dNOPAUSE", "-dBATCH", "-sDEVICE=txtwrite", "-dTextFormat=0",
                          "-sOutputFile=-", ps], capture_output=True, text=True, check=True).stdout
    result, page = [], -1
    chars = []

    def flush():
        rows = {}
        for x0, x1, y, c in chars:
            rows.setdefault(y, []).append((x0, x1, c))
        for y, row in rows.items():
            row.sort()
            # A gap wider than 60 pixels separates two texts of one row.
            start, text, last = row[0][0], "", None
            for x0, x1, c in row:
                if last is not None and x0 - last > 60:
                    result.append((page, start, y, text))
                    start, text = x0, ""
                text += c
                last = x1
            result.append((page, start, y, text))
        chars.clear()

    for line in out.splitlines():
        if line.startswith("<page"):
            flush()
            page += 1
        m = re.search(r'<char bbox="([\d.]+) ([\d.]+) ([\d.]+) ([\d.]+)" c="(.*)"/>', line)
        if m:
            x0, y0, x1 = (float(m.group(i)) * DPI / 72 for i in (1, 2, 3))
            c = m.group(5).replace("&quot;", '"').replace("&amp;", "&").replace("&lt;", "<").replace("&gt;", ">")
            chars.append((x0, x1, round(y0), c))
    flush()
    return result


def find(lines, page, text):
    return [l for l in lines if l[0] == page and l[3].strip() == text]


def near_line(lines, page, text, x, top, height, why):
    """A line `text` starting at x (within 10 pixels) whose baseline lies
    between the line's top and its top plus its height."""
    found = find(lines, page, text)
    ok = any(abs(l[1] - x) <= 10 and top < l[2] <= top + height + 4 for l in found)
    check(ok, "%s: %r at (%d, %d), found %r" % (why, text, x, top, found or [l for l in lines if l[0] == page][:20]))


# A4 at 300 dpi: 2480 x 3508, the value column at a third.
VALUE_COLUMN = 2480 // 3


def documents(path):
    """The print documents the printer's port appended to the file."""
    with open(path, "rb") as f:
        return f.read().count(b"%!PS-Adobe")


def check_header(lines, title, name, count):
    """The sheet's header on the first page: the title, the file's labels
    at the margin, its name and the image count in the value column."""
    near_line(lines, 0, title, 0, 0, 70, "title")
    near_line(lines, 0, "Ico file:", 140, 200, 40, "file label")
    near_line(lines, 0, "# Formats:", 140, 250, 40, "count label")
    near_line(lines, 0, str(count), VALUE_COLUMN, 250, 40, "count")
    check(any(l[3].strip().endswith(name) and abs(l[1] - VALUE_COLUMN) <= 10 for l in lines), "path at a third")


def render(ps, png):
    subprocess.run(["gs", "-q", "-dNOPAUSE", "-dBATCH", "-sDEVICE=png16m", "-r%d" % DPI, "-dFirstPage=1",
                    "-dLastPage=1", "-sOutputFile=" + png, ps], check=True)
    return Image.open(png).convert("RGB")


def close(a, b):
    return all(abs(p - q) <= 8 for p, q in zip(a, b))


def main(folder):
    three = os.path.join(folder, "print_three.ps")
    overflow = os.path.join(folder, "print_overflow.ps")
    for f in (three, overflow):
        check(os.path.exists(f), "missing " + f)
    if check_icons.failed:
        return
    check(documents(three) == 1, "print_three.ps holds one document")
    lines = lines_of(three)
    width = VALUE_COLUMN
    check_header(lines, "Glyphery", "three.ico", 3)
    near_line(lines, 0, "Format: 16x16, 16 couleurs", 140, 350, 40, "first image line")
    near_line(lines, 0, "Format: 32x32, 16777216 couleurs", 140, 405, 40, "second image line")
    near_line(lines, 0, "Format: 48x48, 16777216 couleurs", 140, 460, 40, "third image line")
    page = render(three, os.path.join(folder, "print_three.png"))
    check(page.size[0] in (2479, 2480) and page.size[1] in (3507, 3508), "A4 page at 300 dpi: %r" % (page.size,))
    # The icons, each at its own size (the test's colours are 0xRRGGBB): blue
    # 16, green 32, red 48; white beside them.
    check(close(page.getpixel((width + 8, 350 + 8)), (0, 0, 255)), "16 x 16 icon: %r" % (page.getpixel((width + 8, 358)),))
    check(close(page.getpixel((width + 16, 405 + 28)), (0, 255, 0)), "32 x 32 icon: %r" % (page.getpixel((width + 16, 433)),))
    check(close(page.getpixel((width + 40, 460 + 44)), (255, 0, 0)), "48 x 48 icon: %r" % (page.getpixel((width + 40, 504)),))
    check(close(page.getpixel((width + 20, 350 + 8)), (255, 255, 255)), "white right of the 16 x 16 icon")
    # The rules, dark blue, 10 pixels high from x 140 to the page width - 60;
    # the final one under the last icon at 460 + 63.
    for y in (178, 300, 523):
        check(close(page.getpixel((1200, y + 5)), (20, 40, 110)), "rule at y %d: %r" % (y, page.getpixel((1200, y + 5))))
        check(close(page.getpixel((1200, y - 3)), (255, 255, 255)), "white above the rule at y %d" % y)
    check(close(page.getpixel((130, 183)), (255, 255, 255)), "the rule starts at x 140")

    check(documents(overflow) == 2, "print_overflow.ps holds two documents")
    lines = lines_of(overflow)
    first = [l for l in lines if l[0] == 0 and l[3].startswith("Format: 256x256")]
    second = [l for l in lines if l[0] == 1]
    check(len(first) == 11, "eleven image lines on the first page: %d" % len(first))
    near_line(lines, 1, "Format: 256x256, 16 couleurs", 140, 50, 40, "the twelfth image on the second document")
    near_line(lines, 1, "Format: 256x256, 16 couleurs", 140, 321, 40, "the thirteenth image on the second document")
    check(not any("Ico file" in l[3] or "Glyphery" in l[3] for l in second), "no header on the second document")


if __name__ == "__main__":
    main(sys.argv[1])
    print(f"{check_icons.passed} passed, {check_icons.failed} failed")
    sys.exit(1 if check_icons.failed else 0)
