#!/usr/bin/env python3
"""Compiles one help file of the suite with chmcmd:

  make_help.py CHMCMD TOPICS NAME WORK_DIR OUTPUT.chm

TOPICS is help/topics.txt; the pages are help/NAME/*.htm beside it, each the
body of one page (HTML without its head): the script gives each its head,
with the topic's title as heading and the stylesheet help/help.css. Every
topic of NAME must have its page h<context>.htm, and every page must be a
topic or the file's contents page (index.htm): a missing or stray page stops
the build. So does a picture a page shows (<img src="NAME.png">, a file of
help/NAME/) that is missing, or a picture no page shows. The project (.hhp),
the table of contents (.hhc), the pages and their pictures are put together in
WORK_DIR and compiled there.
"""
import html
import os
import re
import shutil
import subprocess
import sys


IMAGE = re.compile(r'<img\s[^>]*?src="([^"]+)"', re.I)

PAGE = """<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01//EN">
<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=windows-1252">
<title>{title}</title>
<link rel="stylesheet" type="text/css" href="help.css">
</head>
<body>
<h1>{title}</h1>
{body}
</body>
</html>
"""


def read_topics(path, name):
    topics = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            if not line.strip() or line.startswith("#"):
                continue
            m = re.match(r"^(\S+)\s+(\d+)\s+(.+?)\s*$", line)
            if not m:
                sys.exit(f"{path}: cannot read line: {line.rstrip()}")
            if m.group(1) == name:
                topics.append((int(m.group(2)), m.group(3)))
    return topics


def main():
    chmcmd, topics_path, name, work, output = sys.argv[1:6]
    pages_dir = os.path.join(os.path.dirname(os.path.abspath(topics_path)), name)
    topics = read_topics(topics_path, name)
    wanted = {f"h{c}.htm" for c, _ in topics} | {"index.htm"}
    present = {p for p in os.listdir(pages_dir) if p.endswith(".htm")}
    if wanted - present:
        sys.exit(f"{name}: pages missing for topics: {sorted(wanted - present)}")
    if present - wanted:
        sys.exit(f"{name}: pages that are no topic: {sorted(present - wanted)}")

    title = {"Glypherye": "Glyphery Help", "GlypheryEdite": "GlypheryEdit Help",
             "GlypheryMediae": "GlypheryMedia Help"}.get(name, name)
    titles = {f"h{c}.htm": t for c, t in topics}
    titles["index.htm"] = title

    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    for p in sorted(present):
        with open(os.path.join(pages_dir, p), encoding="cp1252") as f:
            body = f.read().strip()
        with open(os.path.join(work, p), "w", encoding="cp1252") as f:
            f.write(PAGE.format(title=html.escape(titles[p]), body=body))
    shutil.copy(os.path.join(os.path.dirname(pages_dir), "help.css"), work)
    # The pictures: each one a page shows must be there, and nothing else ships.
    shown = set()
    for p in present:
        with open(os.path.join(pages_dir, p), encoding="cp1252") as f:
            shown |= set(IMAGE.findall(f.read()))
    pictures = {p for p in os.listdir(pages_dir) if p.endswith(".png")}
    if shown - pictures:
        sys.exit(f"{name}: pictures shown but missing (make help-shots): {sorted(shown - pictures)}")
    if pictures - shown:
        sys.exit(f"{name}: pictures no page shows: {sorted(pictures - shown)}")
    for picture in pictures:
        shutil.copy(os.path.join(pages_dir, picture), work)

    entries = "".join(
        f'<LI><OBJECT type="text/sitemap"><param name="Name" value="{html.escape(t)}">'
        f'<param name="Local" value="h{c}.htm"></OBJECT>\n' for c, t in topics)
    with open(os.path.join(work, f"{name}.hhc"), "w", encoding="cp1252") as f:
        f.write("<HTML><BODY>\n<UL>\n<LI><OBJECT type=\"text/sitemap\">"
                f"<param name=\"Name\" value=\"{html.escape(title)}\"><param name=\"Local\" value=\"index.htm\">"
                "</OBJECT>\n" + entries + "</UL>\n</BODY></HTML>\n")
    files = "\n".join(sorted(os.listdir(work)))
    with open(os.path.join(work, f"{name}.hhp"), "w", encoding="cp1252") as f:
        f.write("[OPTIONS]\nCompatibility=1.1 or later\n"
                f"Compiled file={name}.chm\nContents file={name}.hhc\nDefault topic=index.htm\n"
                f"Language=0x409 English (United States)\nTitle={title}\n\n[FILES]\n{files}\n")
    done = subprocess.run([chmcmd, "--no-html-scan", f"{name}.hhp"], cwd=work, capture_output=True, text=True)
    built = os.path.join(work, f"{name}.chm")
    if done.returncode != 0 or not os.path.exists(built):
        sys.exit(f"chmcmd failed on {name}:\n{done.stdout}{done.stderr}")
    shutil.copy(built, output)


if __name__ == "__main__":
    main()
