#!/usr/bin/env python3
"""Reads back the icon and cursor files the Windows tests left in a folder with
readers nobody here wrote: icoutils' icotool (-l and -x), ImageMagick's
identify, and PIL. Where a test left NAME.expect beside a file, the readers must
also agree with it: the type, each image's size and depth, and (below 32 bits,
where readers take transparency from the mask) the number of masked pixels.

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
            exp["images"].append(tuple(int(v) for v in f[1:4]))
    return exp


def icotool_list(path):
    out = subprocess.run(["icotool", "-l", path], capture_output=True, text=True)
    rows = []
    for line in out.stdout.splitlines():
        kv = dict(re.findall(r"--([a-z-]+)=(\d+)", line))
        rows.append({"cursor": line.startswith("--cursor"), "width": int(kv["width"]),
                     "height": int(kv["height"]), "bits": int(kv["bit-depth"])})
    return out.returncode, rows, out.stderr


def check_file(path):
    name = os.path.basename(path)
    exp = read_expect(path + ".expect")
    rc, rows, err = icotool_list(path)
    check(rc == 0 and rows, f"{name}: icotool -l failed: {err.strip()}")
    if exp:
        check(len(rows) == len(exp["images"]), f"{name}: icotool lists {len(rows)} images, expected {len(exp['images'])}")
        for row, (size, bits, _) in zip(rows, exp["images"]):
            check((row["width"], row["height"], row["bits"]) == (size, size, bits),
                  f"{name}: icotool sees {row}, expected {size}x{size}x{bits}")
            check(row["cursor"] == (exp["type"] == 2), f"{name}: icon/cursor type")

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
            for png, (size, bits, masked) in zip(pngs, exp["images"]):
                im = Image.open(png).convert("RGBA")
                check(im.size == (size, size), f"{os.path.basename(png)}: size {im.size}")
                if bits < 32:
                    clear = sum(1 for a in im.getchannel("A").getdata() if a == 0)
                    check(clear == masked, f"{os.path.basename(png)}: {clear} transparent pixels, expected {masked}")

    # PIL's own icon and cursor readers.
    try:
        im = Image.open(path)
        im.load()
        if exp and exp["type"] == 1:
            want = {(s, s) for s, _, _ in exp["images"]}
            check(set(im.info.get("sizes", want)) == want, f"{name}: PIL sizes {im.info.get('sizes')}")
        check(True, "")
    except Exception as e:  # noqa: BLE001
        check(False, f"{name}: PIL cannot read it: {e}")


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
