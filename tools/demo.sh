#!/usr/bin/env bash
# The demo: the bundled sample pictures converted by the real conversion
# driver (GlypheryConvert, through bin/glyphery) with the XP set of formats
# plus 96 x 96 at 32 bits, into icons under OUT/icons and cursors under
# OUT/cursors, each listed with icotool -l.
#   demo.sh WIN32_BUILD WIN64_BUILD OUT
# Runs the i686 build where this machine runs 32-bit Wine, else the x86_64 one.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
. "$root/cmake/wine-arch.sh"
if wine32_runs; then build=$1; else build=$2; fi
out=$3
rm -rf "$out/icons" "$out/cursors"
mkdir -p "$out/icons" "$out/cursors"
export GLYPHERY_BUILD=$build
echo "demo: converting samples/* with $(basename "$build") under Wine into $out"
"$root/bin/glyphery" convert --xp --formats 96x32 --out "$out/icons" "$root"/samples/*
"$root/bin/glyphery" convert --as cursor --xp --formats 96x32 --out "$out/cursors" "$root"/samples/*
for f in "$out"/icons/*.ico "$out"/cursors/*.cur; do
    echo "== ${f#$out/}"
    icotool -l "$f"
done
echo "demo: to retouch a result in the display window, 'make run', tick \"Display the icon after conversion\" in Setup and convert (README, The display window)"
