#!/usr/bin/env bash
# Pictures for the conversion tests, made with the native image tools:
# one per reader the converter relies on, plus a few awkward ones.
#   make_inputs.sh DIR
set -euo pipefail
dir=$1
rm -rf "$dir"
mkdir -p "$dir"
cd "$dir"
convert -size 120x90 -seed 7 plasma:tomato-steelblue -quality 90 photo.jpg
convert photo.jpg BMP3:photo.bmp
convert photo.jpg -compress lzw photo.tif
convert photo.jpg photo.tga
convert photo.jpg photo.pcx
convert photo.jpg photo.psd
convert -size 64x64 xc:none -fill '#2060C0' -draw 'circle 32,32 32,6' -fill white -draw 'rectangle 26,26 38,38' alpha.png
convert -size 40x30 xc:white -fill red -draw 'rectangle 5,5 20,20' -fill blue -draw 'rectangle 22,8 35,25' few.gif
convert -size 100x50 gradient:gold-darkgreen wide.png
convert -size 100x47 gradient:gold-darkgreen odd.png
cp alpha.png UPPER.PNG
printf 'this is not a picture\n' > broken.png
printf 'not an MPEG clip either\n' > clip.MPG
ls > manifest.txt
