#!/usr/bin/env bash
# The video tool's test clips, made by Debian's ffmpeg: 160 x 120 at 25
# frames a second, each second one solid colour, so that the frame at a
# position is known by its colour:
#   0-1 s red (255,0,0), 1-2 s green (0,255,0), 2-3 s blue (0,0,255),
#   3-4 s yellow (255,255,0)
#   clip_mjpeg.avi   MJPEG in AVI
#   clip_raw.avi     uncompressed BGR in AVI
#   clip_wmv.wmv     Windows Media Video 8 in ASF
#   sound.avi        clip_mjpeg.avi's pictures with a sound track (PCM)
#   sound.wmv        clip_wmv.wmv's pictures with a sound track (WMA)
#   short.avi        0.6 s (MJPEG): 0.2 s red, then green
#   notvideo.avi     text under a video's name
#     make_clips.sh OUT_DIR
set -euo pipefail
out=$1
mkdir -p "$out"
ff() { ffmpeg -nostdin -loglevel error -y "$@"; }
colours=(0xFF0000 0x00FF00 0x0000FF 0xFFFF00)
graph=""
for i in 0 1 2 3; do
    graph+="color=c=${colours[$i]}:s=160x120:r=25:d=1[c$i];"
done
graph+="[c0][c1][c2][c3]concat=n=4:v=1:a=0,format=yuv444p[v]"
ff -filter_complex "$graph" -map "[v]" -c:v mjpeg -q:v 2 -pix_fmt yuvj444p "$out/clip_mjpeg.avi"
ff -filter_complex "${graph/yuv444p/bgr24}" -map "[v]" -c:v rawvideo -pix_fmt bgr24 "$out/clip_raw.avi"
ff -filter_complex "$graph" -map "[v]" -c:v wmv2 -b:v 1M -g 25 -pix_fmt yuv420p -f asf "$out/clip_wmv.wmv"
# A clip's sound cannot be played where there is no sound device: the
# pictures still are.
tone=(-f lavfi -i "sine=frequency=440:duration=4")
ff -i "$out/clip_mjpeg.avi" "${tone[@]}" -map 0:v -map 1:a -c:v copy -c:a pcm_s16le "$out/sound.avi"
ff -i "$out/clip_mjpeg.avi" "${tone[@]}" -map 0:v -map 1:a -c:v wmv2 -b:v 1M -g 25 -c:a wmav2 -f asf "$out/sound.wmv"
ff -filter_complex "color=c=0xFF0000:s=160x120:r=25:d=0.2[a];color=c=0x00FF00:s=160x120:r=25:d=0.4[b];[a][b]concat=n=2:v=1:a=0[v]" \
   -map "[v]" -c:v mjpeg -q:v 2 -pix_fmt yuvj420p "$out/short.avi"
printf 'This is not a video.\n' > "$out/notvideo.avi"
ls -l "$out"
