#!/usr/bin/env python3
"""Draws the rule of the display window's printed sheet: print_rule.bmp,
64 x 4, 24-bit, a dark blue bar with a lighter top line; the printer
stretches it across the page.

    make_print_rule.py OUTPUT_DIR
"""
import os
import sys

from PIL import Image

out = sys.argv[1]
os.makedirs(out, exist_ok=True)
rule = Image.new("RGB", (64, 4), (20, 40, 110))
for x in range(64):
    rule.putpixel((x, 0), (90, 120, 200))
rule.save(os.path.join(out, "print_rule.bmp"))
