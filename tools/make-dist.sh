#!/usr/bin/env bash
# Puts together what a Windows user downloads: setup.exe and every file of
# the wizard's copy list (setup/shipfiles.txt), taken from a build's bin
# folder, stripped, in OUT, with OUT/Glyphery-<version>.zip of them.
#   make-dist.sh BUILD_DIR OUT_DIR [--no-zip]
set -euo pipefail
build=$1 out=$2 zip=${3:-}
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$build/bin
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
strip=$(sed -n 's/^CMAKE_STRIP:FILEPATH=//p' "$build/CMakeCache.txt")

rm -rf "$out"
mkdir -p "$out"
files=(setup.exe)
while read -r name; do
    case "$name" in ''|'#'*) continue;; esac
    files+=("$name")
done < "$root/setup/shipfiles.txt"
missing=()
for f in "${files[@]}"; do
    if [ -f "$bin/$f" ]; then cp "$bin/$f" "$out/"; else missing+=("$f"); fi
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "make-dist: not built in $bin: ${missing[*]}" >&2
    exit 1
fi
"${strip:-strip}" "$out"/*.exe "$out"/*.dll
if [ "$zip" != "--no-zip" ]; then
    archive=$(cd "$out" && pwd)/Glyphery-$version.zip
    rm -f "$archive"
    (cd "$out" && zip -q -X "$archive" "${files[@]}")
    echo "$archive"
fi
ls -l "$out"
