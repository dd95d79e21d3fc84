#!/usr/bin/python3
"""Quality of the converter's two paths on the bench photos.

For each depth, the error of the 1-, 4- and 8-bit images of every file
against the 24-bit image of the same size and path, as PSNR in dB of the
mean squared error over all those images (red, green and blue); and the
fast path's 24-bit images against the exact path's. Prints a Markdown table
and writes a montage PNG: a few photos at 48 x 48, both paths, every depth.
  quality.py EXACT_DIR FAST_DIR EXACT_MONO_DIR FAST_MONO_DIR MONTAGE.png
"""
import glob
import math
import os
import sys

from PIL import Image, ImageDraw

SIZES = (16, 32, 48)


def frames(path):
    """{(size, bits): RGB image} of an icon file."""
    icon = Image.open(path)
    found = {}
    for i, entry in enumerate(icon.ico.entry):
        found[(entry["width"], entry["bpp"])] = icon.ico.frame(i).convert("RGB")
    return found


def squared_error(a, b):
    total = 0
    for pa, pb in zip(a.getdata(), b.getdata()):
        total += (pa[0] - pb[0]) ** 2 + (pa[1] - pb[1]) ** 2 + (pa[2] - pb[2]) ** 2
    return total, 3 * a.width * a.height


def psnr(error, count):
    if count == 0:
        return float("nan")
    mse = error / count
    return float("inf") if mse == 0 else 10 * math.log10(255 * 255 / mse)


def main():
    exact_dir, fast_dir, exact_mono, fast_mono, montage_path = sys.argv[1:6]
    names = sorted(os.path.basename(p) for p in glob.glob(os.path.join(exact_dir, "*.ico")))
    paths = {"exact": (exact_dir, exact_mono), "fast": (fast_dir, fast_mono)}
    loaded = {}
    for path, (colour_dir, mono_dir) in paths.items():
        for name in names:
            images = frames(os.path.join(colour_dir, name))
            images.update(frames(os.path.join(mono_dir, name)))
            loaded[(path, name)] = images
    sums = {}
    for path in paths:
        for bits in (1, 4, 8):
            error = count = 0
            for name in names:
                images = loaded[(path, name)]
                for size in SIZES:
                    e, c = squared_error(images[(size, bits)], images[(size, 24)])
                    error, count = error + e, count + c
            sums[(path, bits)] = psnr(error, count)
    error = count = 0
    for name in names:
        for size in SIZES:
            e, c = squared_error(loaded[("fast", name)][(size, 24)], loaded[("exact", name)][(size, 24)])
            error, count = error + e, count + c
    between = psnr(error, count)

    print(f"| depth | exact path (dB) | fast path (dB) |")
    print(f"|---|---|---|")
    for bits in (1, 4, 8):
        print(f"| {bits} bit{'s' if bits > 1 else ''} against 24 bits | {sums[('exact', bits)]:.2f} | "
              f"{sums[('fast', bits)]:.2f} |")
    print(f"| fast 24 bits against exact 24 bits | | {between:.2f} |")
    ok4 = sums[("fast", 4)] >= sums[("exact", 4)]
    ok8 = sums[("fast", 8)] >= sums[("exact", 8)]
    print(f"fast no worse than exact at 4 and 8 bits: {'yes' if ok4 and ok8 else 'no'}; "
          f"fast 24-bit images within 35 dB of the exact ones: {'yes' if between >= 35 else 'no'}")

    # The montage: rows of 48 x 48 images at 1, 4, 8 and 24 bits, shown twice
    # their size, the exact path's row above the fast path's, for three photos.
    scale, pad, label = 2, 6, 44
    cell = 48 * scale + pad
    shown = names[:3]
    width = label + 4 * cell + pad
    height = pad + 14 + len(shown) * 2 * cell
    sheet = Image.new("RGB", (width, height), "white")
    draw = ImageDraw.Draw(sheet)
    for column, bits in enumerate((1, 4, 8, 24)):
        draw.text((label + column * cell + pad, pad), f"{bits} bit{'s' if bits > 1 else ''}", fill="black")
    y = pad + 14
    for name in shown:
        for path in ("exact", "fast"):
            draw.text((pad, y + cell // 2 - 6), path, fill="black")
            for column, bits in enumerate((1, 4, 8, 24)):
                image = loaded[(path, name)][(48, bits)].resize((48 * scale, 48 * scale), Image.NEAREST)
                sheet.paste(image, (label + column * cell + pad, y))
            y += cell
    sheet.save(montage_path, optimize=True)
    return 0 if ok4 and ok8 and between >= 35 else 1


if __name__ == "__main__":
    sys.exit(main())
