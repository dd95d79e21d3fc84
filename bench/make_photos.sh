#!/usr/bin/env bash
# Twenty photo-sized JPEG pictures (2048 x 1536, our own: plasma clouds with
# grain and a few shapes), made with the native image tools. Deterministic.
#   make_photos.sh DIR
set -euo pipefail
dir=$1
mkdir -p "$dir"
for i in $(seq -w 1 20); do
    f=$dir/photo$i.jpg
    [ -f "$f" ] && continue
    convert -size 512x384 -seed "$((10#$i))" plasma:fractal \
        -resize 2048x1536! -blur 0x2 -attenuate 0.4 +noise Gaussian \
        -fill "rgba(255,255,255,0.35)" -draw "circle $((300 + 60 * 10#$i)),600 $((420 + 60 * 10#$i)),600" \
        -quality 88 "$f"
done
