#!/usr/bin/env python3
"""Reads back the icon and cursor files the Windows tests left in a folder with
readers nobody here wrote: icoutils' icotool (-l and -x), ImageMagick's
identify and convert, and PIL. Where a test left NAME.expect beside a file, the
readers must also agree with it: the type, each image's size and depth, the
number of pixels each reader shows fully transparent (the masked ones below 32
bits, where readers take transparency from the mask; alpha 0 at 32 bits), and
a cursor's hot spot.

Prints 'N passed, N failed' and exits non-zero on any failure."""
import glob
import os
import re
import subprocess
import sys
import tempfile

from PIL import Image, IcoImagePlugin, CurImagePlugin  # noqa: F401

passed = failed = 0


def check(cond, what):
    global passed, failed
    if cond:
        passed += 1
    else:
        failed += 1
        print("FAIL:", what)


def read_expect(path):
    exp = {"type": None, "images": []}
    if not os.path.exists(path):
        return None
    for line in open(path):
        f = line.split()
        if f and f[0] == "type":
            exp["type"] = int(f[1])
        elif f and f[0] == "image":
            # size, bits, masked, then (newer manifests) clear and a cursor's hot spot
            v = [int(x) for x in f[1:]]
            size, bits, masked = v[:3]
            clear = v[3] if len(v) > 3 else (masked if bits < 32 else None)
            hotspot = tuple(v[4:6]) if len(v) > 5 else None
            exp["images"].append((size, bits, masked, clear, hotspot))
    return exp


def icotool_list(path):
    out = subprocess.run(["icotool", "-l", path], capture_output=True, text=True)
    rows = []
    for line in out.stdout.splitlines():
        kv = dict(re.findall(r"--([a-z-]+)=(\d+)", line))
        rows.append({"cursor": line.startswith("--cursor"), "width": int(kv["width"]),
                     "height": int(kv["height"]), "bits": int(kv["bit-depth"]),
                     "hotspot": (int(kv["hotspot-x"]), int(kv["hotspot-y"])) if "hotspot-x" in kv else None})
    return out.returncode, rows, out.stderr


def check_file(path):
    name = os.path.basename(path)
    exp = read_expect(path + ".expect")
    rc, rows, err = icotool_list(path)
    check(rc == 0 and rows, f"{name}: icotool -l failed: {err.strip()}")
    if exp:
        check(len(rows) == len(exp["images"]), f"{name}: icotool lists {len(rows)} images, expected {len(exp['images'])}")
        for row, (size, bits, _, _, hotspot) in zip(rows, exp["images"]):
            check((row["width"], row["height"], row["bits"]) == (size, size, bits),
                  f"{name}: icotool sees {row}, expected {size}x{size}x{bits}")
            check(row["cursor"] == (exp["type"] == 2), f"{name}: icon/cursor type")
            if hotspot is not None:
                check(row["hotspot"] == hotspot, f"{name}: icotool sees the hot spot at {row['hotspot']}, expected {hotspot}")

    # identify: one line per image, with its size.
    out = subprocess.run(["identify", path], capture_output=True, text=True)
    check(out.returncode == 0, f"{name}: identify failed: {out.stderr.strip()}")
    sizes = re.findall(r" (\d+)x(\d+) ", out.stdout)
    check(len(sizes) == len(rows), f"{name}: identify lists {len(sizes)} images, icotool {len(rows)}")

    # icotool -x: every image to PNG; the mask becomes the alpha channel.
    with tempfile.TemporaryDirectory() as tmp:
        x = subprocess.run(["icotool", "-x", "-o", tmp, path], capture_output=True, text=True)
        check(x.returncode == 0, f"{name}: icotool -x failed: {x.stderr.strip()}")
        pngs = sorted(glob.glob(os.path.join(tmp, "*.png")),
                      key=lambda p: int(re.search(r"_(\d+)_\d+x\d+x\d+\.png$", p).group(1)))
        check(len(pngs) == len(rows), f"{name}: icotool -x wrote {len(pngs)} pictures")
        if exp:
            for png, (size, bits, _, clear, _) in zip(pngs, exp["images"]):
                im = Image.open(png).convert("RGBA")
                check(im.size == (size, size), f"{os.path.basename(png)}: size {im.size}")
                if clear is not None:
                    seen = clear_pixels(im)
                    check(seen == clear, f"{os.path.basename(png)}: {seen} transparent pixels, expected {clear}")

    # ImageMagick's own reader, image by image in file order.
    if exp:
        for i, (size, _, _, clear, _) in enumerate(exp["images"]):
            if clear is None:
                continue
            raw = subprocess.run(["convert", f"{path}[{i}]", "-depth", "8", "RGBA:-"], capture_output=True).stdout
            seen = sum(1 for k in range(3, len(raw), 4) if raw[k] == 0)
            check(len(raw) == 4 * size * size and seen == clear,
                  f"{name}: ImageMagick shows image {i} with {seen} transparent pixels, expected {clear}")

    # PIL's own icon and cursor readers.
    try:
        im = Image.open(path)
        im.load()
        if exp and exp["type"] == 1:
            want = {(s, s) for s, _, _, _, _ in exp["images"]}
            check(set(im.info.get("sizes", want)) == want, f"{name}: PIL sizes {im.info.get('sizes')}")
            # Each image by its place in the file (PIL sorts its own list).
            offsets = directory_offsets(path)
            for i, (_, _, _, clear, _) in enumerate(exp["images"]):
                index = next(k for k, e in enumerate(im.ico.entry) if entry_offset(e) == offsets[i])
                seen = clear_pixels(im.ico.frame(index).convert("RGBA"))
                if clear is not None:
                    check(seen == clear, f"{name}: PIL shows image {i} with {seen} transparent pixels, expected {clear}")
        check(True, "")
    except Exception as e:  # noqa: BLE001
        check(False, f"{name}: PIL cannot read it: {e}")


def entry_offset(entry):
    return entry["offset"] if isinstance(entry, dict) else entry.offset


def clear_pixels(im):
    return sum(1 for a in im.getchannel("A").getdata() if a == 0)


def directory_offsets(path):
    with open(path, "rb") as f:
        data = f.read()
    count = int.from_bytes(data[4:6], "little")
    return [int.from_bytes(data[6 + 16 * i + 12:6 + 16 * i + 16], "little") for i in range(count)]


def main():
    folder = sys.argv[1]
    files = sorted(glob.glob(os.path.join(folder, "*.ico")) + glob.glob(os.path.join(folder, "*.cur")))
    check(len(files) > 0, f"no icon files in {folder}")
    for path in files:
        check_file(path)
    print(f"readback: {len(files)} files")
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
