#!/usr/bin/env bash
# Animated pictures for convert --as ani, made with the native image tools:
# a GIF of five frames (the 2nd and 3rd identical) with delays of 100 and
# 200 ms, a three-page TIFF, and single pictures for a sequence.
#   make_inputs.sh DIR
set -euo pipefail
dir=$1
rm -rf "$dir"
mkdir -p "$dir"
cd "$dir"
for c in red blue lime yellow; do convert -size 32x32 "xc:$c" "BMP3:$c.bmp"; done
convert -delay 10 red.bmp -delay 20 blue.bmp -delay 20 blue.bmp -delay 10 lime.bmp -delay 20 yellow.bmp anim.gif
convert red.bmp lime.bmp blue.bmp -compress lzw pages.tif
convert red.bmp red.png
convert blue.bmp blue.png
printf 'not a picture\n' > broken.gif
ls > manifest.txt
