#!/usr/bin/env python3
"""Draws the demo's sample pictures (our own art) into samples/:
  landscape.jpg  a photo-like 320 x 240 scene: sky gradient, sun, hills, noise
  badge.png      a 128 x 128 round badge on a fully transparent background
  pixelart.gif   a 48 x 40 picture in six flat colours
Run again to redraw them; the output is deterministic."""
import math
import os
import random

from PIL import Image, ImageDraw, ImageFilter

out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "samples")
os.makedirs(out, exist_ok=True)
rng = random.Random(1234)

# Photo-like landscape.
w, h = 320, 240
im = Image.new("RGB", (w, h))
px = im.load()
for y in range(h):
    for x in range(w):
        t = y / h
        px[x, y] = (int(70 + 120 * t), int(130 + 90 * t), int(230 - 40 * t))
d = ImageDraw.Draw(im)
d.ellipse((210, 30, 270, 90), fill=(255, 236, 150))
for i, (base, amp, col) in enumerate([(150, 25, (70, 120, 60)), (180, 18, (50, 95, 45)), (210, 10, (35, 70, 35))]):
    pts = [(0, h)]
    for x in range(0, w + 1, 4):
        pts.append((x, base + amp * math.sin(x / (40 + 15 * i) + i) + rng.uniform(-2, 2)))
    pts.append((w, h))
    d.polygon(pts, fill=col)
for _ in range(4000):
    x, y = rng.randrange(w), rng.randrange(h)
    r, g, b = px[x, y]
    n = rng.randint(-18, 18)
    px[x, y] = (max(0, min(255, r + n)), max(0, min(255, g + n)), max(0, min(255, b + n)))
im = im.filter(ImageFilter.GaussianBlur(0.6))
im.save(os.path.join(out, "landscape.jpg"), quality=90)

# Badge with an alpha channel.
s = 128
badge = Image.new("RGBA", (s, s), (0, 0, 0, 0))
d = ImageDraw.Draw(badge)
d.ellipse((4, 4, s - 5, s - 5), fill=(200, 40, 60, 255), outline=(120, 10, 30, 255), width=6)
d.ellipse((28, 28, s - 29, s - 29), fill=(250, 210, 60, 230))
star = [(s / 2 + 30 * math.cos(a) * (1 if k % 2 == 0 else 0.45), s / 2 + 30 * math.sin(a) * (1 if k % 2 == 0 else 0.45))
        for k, a in enumerate([-math.pi / 2 + k * math.pi / 5 for k in range(10)])]
d.polygon(star, fill=(255, 255, 255, 255))
badge.save(os.path.join(out, "badge.png"))

# Six-colour pixel art (a little house).
art = Image.new("P", (48, 40))
art.putpalette([255, 255, 255, 30, 30, 30, 200, 50, 40, 240, 200, 120, 60, 140, 220, 60, 160, 70] + [0] * (256 - 6) * 3)
d = ImageDraw.Draw(art)
d.rectangle((0, 32, 47, 39), fill=5)
d.rectangle((10, 16, 37, 32), fill=3, outline=1)
d.polygon([(6, 17), (24, 3), (42, 17)], fill=2, outline=1)
d.rectangle((20, 22, 27, 32), fill=1)
d.rectangle((12, 19, 17, 24), fill=4, outline=1)
d.rectangle((30, 19, 35, 24), fill=4, outline=1)
art.save(os.path.join(out, "pixelart.gif"), transparency=0)
print("samples written to", os.path.normpath(out))
