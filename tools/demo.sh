#!/usr/bin/env bash
# The demo: the bundled sample pictures converted by the real conversion
# driver (GlypheryConvert, through bin/glyphery) with the XP set of formats
# plus 96 x 96 at 32 bits, into icons under OUT/icons and cursors under
# OUT/cursors, each listed with icotool -l; then a clip made by ffmpeg from
# the badge (turning once round) converted into an animated cursor under
# OUT/animated, its frames counted.
#   demo.sh WIN32_BUILD WIN64_BUILD OUT
# Runs the i686 build where this machine runs 32-bit Wine, else the x86_64 one.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
. "$root/cmake/wine-arch.sh"
if wine32_runs; then build=$1; else build=$2; fi
out=$3
rm -rf "$out/icons" "$out/cursors" "$out/animated"
mkdir -p "$out/icons" "$out/cursors" "$out/animated"
export GLYPHERY_BUILD=$build
echo "demo: converting samples/* with $(basename "$build") under Wine into $out"
"$root/bin/glyphery" convert --xp --formats 96x32 --out "$out/icons" "$root"/samples/*
"$root/bin/glyphery" convert --as cursor --xp --formats 96x32 --out "$out/cursors" "$root"/samples/*
for f in "$out"/icons/*.ico "$out"/cursors/*.cur; do
    echo "== ${f#$out/}"
    icotool -l "$f"
done
clip="$out/animated/badge-turning.mpg"
# Eight frames, an eighth of a turn each, at 24 frames a second (MPEG-1 has
# a fixed list of frame rates).
ffmpeg -nostdin -hide_banner -loglevel error -y -loop 1 -framerate 24 -i "$root/samples/badge.png" \
    -vf "scale=64:64,format=rgb24,rotate=2*PI*n/8:fillcolor=white,format=yuv420p" -frames:v 8 -r 24 \
    -c:v mpeg1video -q:v 2 -f mpeg "$clip"
"$root/bin/glyphery" convert --as ani --formats 32x24 --out "$out/animated" "$clip"
/usr/bin/python3 - "$out/animated/badge-turning.ani" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
frames, pos = 0, 12
while pos + 8 <= len(data):
    cid, size = data[pos:pos + 4], struct.unpack("<I", data[pos + 4:pos + 8])[0]
    if cid == b"LIST":
        pos += 12
        continue
    frames += cid == b"icon"
    pos += 8 + size + (size & 1)
print("== animated/badge-turning.ani: RIFF %s, %d frames" % (data[8:12].decode(), frames))
PY
echo "demo: to retouch a result in the display window, 'make run', tick \"Display the icon after conversion\" in Setup and convert (README, The display window)"
