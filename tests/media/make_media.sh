#!/usr/bin/env bash
# Clips and camera raw files for the media tests, made at test time:
#   make_media.sh DIR TOOLS
# Clips of four known colour frames (red, green, blue, yellow) made by
# ffmpeg: an MPEG-1 system stream with a sound stream beside the video, an
# MPEG-2 program stream of 72 x 40 pixels (not whole macroblocks) with
# B-frames, and both kinds of video elementary stream. Raw files are DNGs of
# a Bayer mosaic written by tools/make_dng.py, also under other raw
# extensions; broken ones beside them.
set -euo pipefail
dir=$1
tools=$2
rm -rf "$dir"
mkdir -p "$dir/frames"
cd "$dir"
i=0
for c in '#FF0000' '#00FF00' '#0000FF' '#FFFF00'; do
    i=$((i + 1))
    convert -size 64x48 "xc:$c" "frames/f$i.ppm"
    convert -size 72x40 "xc:$c" "frames/w$i.ppm"
done
ff() { ffmpeg -nostdin -hide_banner -loglevel error -y "$@"; }
ff -framerate 25 -i frames/f%d.ppm -f lavfi -i "sine=frequency=440:duration=0.16" \
   -c:v mpeg1video -q:v 2 -c:a mp2 -b:a 64k -shortest -f mpeg clip1.mpg
ff -framerate 25 -i frames/w%d.ppm -c:v mpeg2video -q:v 2 -g 4 -bf 2 -f vob clip2.mpeg
ff -framerate 25 -i frames/f%d.ppm -c:v mpeg2video -q:v 2 -f mpeg2video clip3.m2v
ff -framerate 25 -i frames/f%d.ppm -c:v mpeg1video -q:v 2 -f mpeg1video clip4.m1v
cp clip1.mpg UPPER.MPG
printf 'this is not a clip\n' > broken.mpg
head -c 200 clip1.mpg > cut.mpg
rm -rf frames

py=/usr/bin/python3
"$py" "$tools/make_dng.py" quad.dng 64 48
for ext in nef arw raf rw2 pef srw CRW cr2 wbz wb1; do cp quad.dng "quad.$ext"; done
"$py" "$tools/make_dng.py" magenta.dng 32 32 ff00ff,ff00ff,ff00ff,ff00ff
printf 'this is not a raw picture\n' > broken.nef
head -c 300 quad.dng > cut.dng
