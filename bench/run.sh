#!/usr/bin/env bash
# Times converting 20 photo-sized JPEG pictures into icons of the XP set of
# formats, in one run:
#   - GlypheryConvert --xp (one process for the batch; each source read once)
#     with its worker threads (one per processor), with one thread
#     (GLYPHERY_WORKERS=1), and with --fast, under Wine; with every format
#     reading its source again (the driver's older way,
#     GLYPHERY_READ_EVERY_FORMAT=1) on the first 4 pictures only, which keeps
#     the whole run within a few minutes;
#   - ImageMagick's own convert.exe from the same cross-build, under Wine,
#     one process per picture: convert IN -define icon:auto-resize=48,32,16 OUT.ico;
#   - the native convert, the same command line.
# Prints the times and the ratios, then the quality of both paths
# (quality.py: PSNR of the 1-, 4- and 8-bit images against the 24-bit ones)
# and leaves a montage of both paths in the build folder (bench/montage.png).
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

runs=(glyphery serial every fast magick-wine magick-native exact-mono fast-mono)
for r in "${runs[@]}"; do rm -rf "${work:?}/$r"; mkdir -p "$work/$r"; done

# The processor time GlypheryConvert reports for its run (GLYPHERY_REPORT_USAGE).
cpu_of() { sed -n 's/^GlypheryConvert: usage: \([0-9.]*\) s processor time.*/\1/p' "$1"; }
load_before=$(cut -d' ' -f1-3 /proc/loadavg)

t=$(now)
GLYPHERY_REPORT_USAGE=1 "$root/bin/glyphery" convert --xp --out "$work/glyphery" "${sources[@]}" \
    >/dev/null 2>"$work/glyphery.usage"
glyphery=$(elapsed "$t")
glyphery_cpu=$(cpu_of "$work/glyphery.usage")

t=$(now)
GLYPHERY_REPORT_USAGE=1 GLYPHERY_WORKERS=1 "$root/bin/glyphery" convert --xp --out "$work/serial" "${sources[@]}" \
    >/dev/null 2>"$work/serial.usage"
serial=$(elapsed "$t")
serial_cpu=$(cpu_of "$work/serial.usage")
parallel_same=yes
[ "$(ls "$work"/serial/*.ico 2>/dev/null | wc -l)" = "${#sources[@]}" ] || parallel_same="no (files missing)"
for f in "$work"/serial/*.ico; do cmp -s "$f" "$work/glyphery/$(basename "$f")" || parallel_same=no; done

t=$(now)
"$root/bin/glyphery" convert --fast --xp --out "$work/fast" "${sources[@]}" >/dev/null
fast=$(elapsed "$t")

every_sources=("${sources[@]:0:4}")
t=$(now)
GLYPHERY_WORKERS=1 GLYPHERY_READ_EVERY_FORMAT=1 "$root/bin/glyphery" convert --xp --out "$work/every" \
    "${every_sources[@]}" >/dev/null
every=$(elapsed "$t")
same=yes
[ "$(ls "$work"/every/*.ico 2>/dev/null | wc -l)" = "${#every_sources[@]}" ] || same="no (files missing)"
for f in "$work"/every/*.ico; do cmp -s "$f" "$work/serial/$(basename "$f")" || same=no; done

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

# The 1-bit images for the quality table (not timed against the others).
"$root/bin/glyphery" convert --formats 16x1,32x1,48x1 --out "$work/exact-mono" "${sources[@]}" >/dev/null
"$root/bin/glyphery" convert --fast --formats 16x1,32x1,48x1 --out "$work/fast-mono" "${sources[@]}" >/dev/null

workers=$(nproc)
count() { ls "$1"/*.ico 2>/dev/null | wc -l; }
ratio() { printf '%.2f' "$(echo "$1 / $2" | bc -l)"; }
printf '%-62s %8s %6s\n' "run" "seconds" "files"
printf '%-62s %8.2f %6d\n' "GlypheryConvert --xp (9 images each), worker threads" "$glyphery" "$(count "$work/glyphery")"
printf '%-62s %8.2f %6d\n' "GlypheryConvert --xp, one thread" "$serial" "$(count "$work/serial")"
printf '%-62s %8.2f %6d\n' "GlypheryConvert --xp, one thread, a read per format (4 pictures)" "$every" "$(count "$work/every")"
printf '%-62s %8.2f %6d\n' "GlypheryConvert --fast --xp" "$fast" "$(count "$work/fast")"
printf '%-62s %8.2f %6d\n' "convert.exe (same cross-build) under Wine, 3 images each" "$magick_wine" "$(count "$work/magick-wine")"
printf '%-62s %8.2f %6d\n' "native convert, 3 images each" "$magick_native" "$(count "$work/magick-native")"
echo "same bytes with one read per source and one read per format: $same"
echo "same bytes with worker threads and with one thread: $parallel_same"
echo "ratio one thread / worker threads ($workers processors): $(ratio "$serial" "$glyphery")"
echo "ratio GlypheryConvert / convert.exe under Wine:        $(ratio "$glyphery" "$magick_wine")"
echo "ratio GlypheryConvert / native convert:                $(ratio "$glyphery" "$magick_native")"
echo "ratio GlypheryConvert --fast / native convert:         $(ratio "$fast" "$magick_native")"
echo "ratio one read per format / one read per source:       $(ratio "$every" "$(echo "$serial * ${#every_sources[@]} / ${#sources[@]}" | bc -l)") (one thread, per picture)"
echo "processor seconds, worker threads / one thread:          $glyphery_cpu / $serial_cpu"
echo "load average before / after the runs:                    $load_before / $(cut -d' ' -f1-3 /proc/loadavg)"
echo
/usr/bin/python3 "$here/quality.py" "$work/glyphery" "$work/fast" "$work/exact-mono" "$work/fast-mono" \
    "$work/montage.png" || true
echo "montage: $work/montage.png"
