#!/usr/bin/env python3
"""Reads back what GlypheryConvert extract took out of the platform's
libraries (DIR/extract-<name>/): the same libraries of the tree's Wine prefix
are extracted again by wrestool, and every group must hold the same images,
byte for byte, with the same directory values (hot spots included); icotool
-l must read each of our files.

Prints 'N passed, N failed' and exits non-zero on any failure."""
import glob
import os
import struct
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from check_icons import check  # noqa: E402
import check_icons  # noqa: E402


def entries(data):
    _, kind, count = struct.unpack_from("<HHH", data, 0)
    return kind, [struct.unpack_from("<BBBBHHII", data, 6 + 16 * i) for i in range(count)]


def compare(ours, theirs, name):
    a, b = open(ours, "rb").read(), open(theirs, "rb").read()
    ka, ea = entries(a)
    kb, eb = entries(b)
    check(ka == kb and len(ea) == len(eb), f"{name}: type/count {ka}/{len(ea)} against {kb}/{len(eb)}")
    for i, (x, y) in enumerate(zip(ea, eb)):
        size = x[6]
        # The image's own bytes, whatever the other extractor adds after them.
        check(a[x[7]:x[7] + size] == b[y[7]:y[7] + size] and len(b) >= y[7] + size,
              f"{name}: image {i} bytes differ")
        if ka == 1:
            check(x == y, f"{name}: image {i} entry {x} against {y}")
        else:
            # Hot spot as the resource holds it; width as the group says.
            check(x[4:6] == y[4:6] and x[0] == y[0], f"{name}: cursor image {i} entry {x} against {y}")


def main():
    folder = sys.argv[1]
    prefix = os.path.join(folder, "..", "..", "wineprefix", "drive_c", "windows", "system32")
    checked = 0
    for sub in sorted(glob.glob(os.path.join(folder, "extract-*"))):
        lib = os.path.basename(sub)[len("extract-"):]
        dll = os.path.join(prefix, lib + ".dll")
        check(os.path.exists(dll), f"{dll} is missing")
        with tempfile.TemporaryDirectory() as tmp:
            for rtype, ext in (("14", "ico"), ("12", "cur")):
                subprocess.run(["wrestool", "-x", "-t" + rtype, "-o", tmp, dll], check=True, capture_output=True)
                for theirs in glob.glob(os.path.join(tmp, f"*_{rtype}_*.{ext}")):
                    # wrestool names them <lib>.dll_<type>_<name>_<lang>.<ext>
                    name = os.path.basename(theirs).split("_", 2)[2].rsplit("_", 1)[0]
                    ours = os.path.join(sub, f"{lib}_{name}.{ext}")
                    check(os.path.exists(ours), f"{ours} is missing")
                    if os.path.exists(ours):
                        compare(ours, theirs, f"{lib} {name}.{ext}")
                        checked += 1
            for ours in glob.glob(os.path.join(sub, "*.ico")) + glob.glob(os.path.join(sub, "*.cur")):
                r = subprocess.run(["icotool", "-l", ours], capture_output=True, text=True)
                check(r.returncode == 0 and r.stdout.strip() != "", f"icotool -l {ours}: {r.stderr.strip()}")
    check(checked > 0, "no group compared")
    print(f"readback: {checked} groups compared with wrestool")
    print(f"{check_icons.passed} passed, {check_icons.failed} failed")
    return 1 if check_icons.failed else 0


if __name__ == "__main__":
    sys.exit(main())
