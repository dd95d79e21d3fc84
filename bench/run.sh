#!/usr/bin/env bash
# Times converting 20 photo-sized JPEG pictures into icons of the XP set of
# formats three ways, in one run:
#   - GlypheryConvert --xp (one process for the batch; each source read once),
#     and the same with every format reading its source again (the driver's
#     older way, GLYPHERY_READ_EVERY_FORMAT=1), under Wine;
#   - ImageMagick's own convert.exe from the same cross-build, under Wine,
#     one process per picture: convert IN -define icon:auto-resize=48,32,16 OUT.ico;
#   - the native convert, the same command line.
# Prints the times and the ratios.
#   run.sh WIN32_BUILD WIN64_BUILD
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
. "$root/cmake/wine-arch.sh"
if wine32_runs; then build=$1; arch=i686; else build=$2; arch=x86_64; fi
build=$(cd "$build" && pwd)
work=$build/bench
photos=$work/photos
bash "$here/make_photos.sh" "$photos"
deps=${GY_DEPS_PREFIX:-$(bash "$root/deps/setup.sh" --print-prefix "$arch")}
magick_exe=$deps/bin/convert.exe
[ -f "$magick_exe" ] || { echo "bench: $magick_exe missing; run 'make deps'" >&2; exit 1; }
export GLYPHERY_BUILD=$build
# ImageMagick's own programs were linked with the mingw thread runtime DLL.
case $arch in i686) mingw=/usr/i686-w64-mingw32/lib;; *) mingw=/usr/x86_64-w64-mingw32/lib;; esac
export WINEPATH="Z:${mingw//\//\\}"

win() { printf 'Z:%s' "${1//\//\\}"; }
now() { date +%s.%N; }
elapsed() { echo "$(now) - $1" | bc; }

# One Wine session for all runs: the prefix is made and the server started
# before anything is timed.
wine_setup "$magick_exe"
export WINEPREFIX=$build/wineprefix WINEDEBUG=-all
xvfb_pid=
if [ -z "${DISPLAY:-}" ]; then
    for n in $(seq 150 170); do
        [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 & xvfb_pid=$!
        sleep 1; export DISPLAY=":$n"; break
    done
fi
cleanup() { wineserver -k >/dev/null 2>&1 || true; [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true; }
trap cleanup EXIT
"$root/cmake/wine-prefix.sh" "$WINEPREFIX" "$WINEARCH"
wineserver -p60 >/dev/null 2>&1 </dev/null || true
"$WINELOADER" cmd /c rem >/dev/null 2>&1 </dev/null

sources=("$photos"/*.jpg)
echo "bench: ${#sources[@]} pictures of $(identify -format '%wx%h' "${sources[0]}"), build $(basename "$build") ($arch)"

rm -rf "$work/glyphery" "$work/every" "$work/magick-wine" "$work/magick-native"
mkdir -p "$work/glyphery" "$work/every" "$work/magick-wine" "$work/magick-native"

t=$(now)
"$root/bin/glyphery" convert --xp --out "$work/glyphery" "${sources[@]}" >/dev/null
glyphery=$(elapsed "$t")

t=$(now)
GLYPHERY_READ_EVERY_FORMAT=1 "$root/bin/glyphery" convert --xp --out "$work/every" "${sources[@]}" >/dev/null
every=$(elapsed "$t")
same=yes
for f in "$work"/glyphery/*.ico; do cmp -s "$f" "$work/every/$(basename "$f")" || same=no; done

t=$(now)
for f in "${sources[@]}"; do
    b=$(basename "$f" .jpg)
    "$WINELOADER" "$magick_exe" "$(win "$f")" -define icon:auto-resize=48,32,16 "$(win "$work/magick-wine/$b.ico")" \
        >/dev/null 2>&1 </dev/null
done
magick_wine=$(elapsed "$t")

t=$(now)
for f in "${sources[@]}"; do
    b=$(basename "$f" .jpg)
    convert "$f" -define icon:auto-resize=48,32,16 "$work/magick-native/$b.ico"
done
magick_native=$(elapsed "$t")

count() { ls "$1"/*.ico 2>/dev/null | wc -l; }
printf '%-58s %8s %6s\n' "run" "seconds" "files"
printf '%-58s %8.2f %6d\n' "GlypheryConvert --xp (9 images each, one read per source)" "$glyphery" "$(count "$work/glyphery")"
printf '%-58s %8.2f %6d\n' "GlypheryConvert --xp, reading the source for every format" "$every" "$(count "$work/every")"
printf '%-58s %8.2f %6d\n' "convert.exe (same cross-build) under Wine, 3 images each" "$magick_wine" "$(count "$work/magick-wine")"
printf '%-58s %8.2f %6d\n' "native convert, 3 images each" "$magick_native" "$(count "$work/magick-native")"
echo "same bytes with one read per source and one read per format: $same"
printf 'ratio GlypheryConvert / convert.exe under Wine: %.2f\n' "$(echo "$glyphery / $magick_wine" | bc -l)"
printf 'ratio GlypheryConvert / native convert:        %.2f\n' "$(echo "$glyphery / $magick_native" | bc -l)"
printf 'ratio one read per format / one read per source: %.2f\n' "$(echo "$every / $glyphery" | bc -l)"
