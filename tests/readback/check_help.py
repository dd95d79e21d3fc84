#!/usr/bin/env python3
"""Reads the compiled help files back with chmlib's extract_chmLib and checks
them against the code:
    check_help.py EXTRACT_CHMLIB SOURCE_DIR BIN_DIR
- every context number the code opens help at (ShowHelpTopic(owner, file, N)
  or OpenHelp(owner, file, HELP_CONTEXT, N), with N a number or a name
  #defined or declared as a constant) has a line in
  help/topics.txt;
- every topic of help/topics.txt is the page h<N>.htm at the root of its .chm,
  an HTML page whose <title> is the topic's title, and the file's contents
  (.hhc) lists it;
- every picture a page shows is in the .chm and reads as a PNG (PIL).
Prints 'N passed, N failed'."""
import os
import re
import subprocess
import sys
import tempfile

from PIL import Image

import check_icons
from check_icons import check

CALL = re.compile(r"ShowHelpTopic\s*\([^;]*?,\s*([A-Za-z_][A-Za-z0-9_]*|\d+)\s*\)\s*;", re.S)
# A context request made through the seam itself.
SEAM_CALL = re.compile(r"OpenHelp\s*\([^;]*?,\s*HELP_CONTEXT\s*,\s*([A-Za-z_][A-Za-z0-9_]*|\d+)\s*\)\s*;", re.S)
DEFINE = re.compile(r"#define\s+([A-Za-z_][A-Za-z0-9_]*)\s+(\d+)\b")
CONST = re.compile(r"\bconst\s+\w+\s+([A-Za-z_][A-Za-z0-9_]*)\s*=\s*(\d+)\s*;")


def code_contexts(src):
    names, calls = {}, []
    for folder, dirs, files in os.walk(src):
        dirs[:] = [d for d in dirs if d not in ("build", "tests", ".git", "dist", "out")]
        for f in files:
            if not f.endswith((".cpp", ".h")):
                continue
            text = open(os.path.join(folder, f), encoding="utf-8", errors="replace").read()
            for m in DEFINE.finditer(text):
                names[m.group(1)] = int(m.group(2))
            for m in CONST.finditer(text):
                names[m.group(1)] = int(m.group(2))
            if f != "help_win.cpp":
                where = os.path.relpath(os.path.join(folder, f), src)
                calls += [(where, m.group(1)) for pattern in (CALL, SEAM_CALL) for m in pattern.finditer(text)]
    found = set()
    for where, arg in calls:
        value = int(arg) if arg.isdigit() else names.get(arg)
        check(value is not None, f"{where}: help context {arg} is not a number this check can read")
        if value is not None:
            found.add(value)
    return found


def picture_reads(path):
    try:
        with Image.open(path) as image:
            image.load()
            return image.format == "PNG" and image.width >= 100 and image.height >= 50
    except OSError:
        return False


def main():
    extract, src, bin_dir = sys.argv[1:4]
    topics = []
    for line in open(os.path.join(src, "help", "topics.txt"), encoding="utf-8"):
        m = re.match(r"^(\S+)\s+(\d+)\s+(.+?)\s*$", line)
        if m and not line.startswith("#"):
            topics.append((m.group(1), int(m.group(2)), m.group(3)))
    opened = code_contexts(src)
    check(len(opened) >= 7, f"only {len(opened)} help contexts found in the code")
    for ctx in sorted(opened):
        check(any(c == ctx for _, c, _ in topics), f"the code opens help at context {ctx}, which has no topic")
    for name in sorted({n for n, _, _ in topics}):
        chm = os.path.join(bin_dir, name + ".chm")
        check(os.path.isfile(chm), f"{chm} missing")
        if not os.path.isfile(chm):
            continue
        with tempfile.TemporaryDirectory() as out:
            done = subprocess.run([extract, chm, out], capture_output=True, text=True)
            check(done.returncode == 0, f"{extract} failed on {chm}: {done.stderr}")
            hhc = open(os.path.join(out, name + ".hhc"), encoding="cp1252").read() \
                if os.path.isfile(os.path.join(out, name + ".hhc")) else ""
            check(hhc, f"{name}.chm has no contents file")
            for file, ctx, title in topics:
                if file != name:
                    continue
                page = os.path.join(out, f"h{ctx}.htm")
                check(os.path.isfile(page), f"{name}.chm has no page h{ctx}.htm")
                if not os.path.isfile(page):
                    continue
                text = open(page, encoding="cp1252").read()
                m = re.search(r"<title>(.*?)</title>", text, re.S)
                got = m.group(1).replace("&amp;", "&") if m else None
                check(got == title, f"{name}.chm h{ctx}.htm: title {got!r}, expected {title!r}")
                check(len(re.sub(r"<[^>]+>", "", text).split()) > 20, f"{name}.chm h{ctx}.htm says almost nothing")
                check(f'value="h{ctx}.htm"' in hhc, f"{name}.chm: the contents do not list h{ctx}.htm")
                for picture in re.findall(r'<img\s[^>]*?src="([^"]+)"', text, re.I):
                    check(picture_reads(os.path.join(out, picture)),
                          f"{name}.chm h{ctx}.htm shows {picture}, which is not a PNG the file holds")
    print(f"{check_icons.passed} passed, {check_icons.failed} failed")
    sys.exit(1 if check_icons.failed else 0)


if __name__ == "__main__":
    main()
