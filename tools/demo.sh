#!/usr/bin/env bash
# The demo: the bundled sample pictures rendered into the XP set of formats
# plus 96 x 96 at 32 bits and written as icons into OUT, each listed with
# icotool -l.
#   demo.sh WIN32_BUILD WIN64_BUILD OUT
# Runs the i686 build where this machine runs 32-bit Wine, else the x86_64 one.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
. "$root/cmake/wine-arch.sh"
if wine32_runs; then build=$1; else build=$2; fi
out=$(mkdir -p "$3" && cd "$3" && pwd)
mkdir -p "$out"
rm -f "$out"/*.ico
echo "demo: rendering samples/* with $(basename "$build") under Wine into $out"
win() { echo "Z:${1//\//\\}"; }
args=()
for f in "$root"/samples/*; do args+=("$(win "$f")"); done
"$root/cmake/wine-run.sh" "$build/bin/GlypheryRenderDemo.exe" "$(win "$out")" "${args[@]}"
for ico in "$out"/*.ico; do
    echo "== $(basename "$ico")"
    icotool -l "$ico"
done
