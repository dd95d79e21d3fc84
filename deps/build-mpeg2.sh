#!/usr/bin/env bash
# Cross-builds libmpeg2 with its colour converter (Debian source package
# mpeg2dec) for a mingw-w64 host: static libraries only, no programs.
#   build-mpeg2.sh PREFIX SRCDIR HOST     (HOST: i686 or x86_64)
#   build-mpeg2.sh --versions
# The prefix gets include/mpeg2dec/{mpeg2,mpeg2convert}.h, lib/libmpeg2.a and
# lib/libmpeg2convert.a. This file's hash keys its cache.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/debian-source.sh"
MPEG2DEC_SOURCE=mpeg2dec; MPEG2DEC_VERSION=0.5.1
if [ "${1:-}" = "--versions" ]; then echo "mpeg2dec${MPEG2DEC_VERSION}"; exit 0; fi
P=$1
SRC=$2
ARCH=$3
HOST=$ARCH-w64-mingw32
JOBS=${JOBS:-2}
mkdir -p "$P"/{include/mpeg2dec,lib} "$SRC"

echo "deps: libmpeg2 $MPEG2DEC_VERSION ($ARCH)"
d=$(fetch_source "$MPEG2DEC_SOURCE" "$MPEG2DEC_VERSION" "$SRC")
b="$SRC/build-mpeg2-$ARCH"
rm -rf "$b"; mkdir -p "$b"
# Its configure would define `inline` as the always-inline attribute alone,
# which makes every inline function of the mingw headers an external
# definition in each object (multiply defined at link time). Telling it the
# compiler's own keyword skips that test.
(cd "$b" && "$d/configure" -q --host=$HOST --prefix="$P" --disable-shared --enable-static \
    --disable-sdl --without-x --disable-dependency-tracking ac_cv_c_inline=__inline__ \
    CC=$HOST-gcc-posix CFLAGS="-O2" >/dev/null \
  && make -s -j"$JOBS" -C libmpeg2 >/dev/null 2>"$b/make.log" \
  && make -s -j"$JOBS" -C libmpeg2/convert >/dev/null 2>>"$b/make.log") \
  || { tail -n 40 "$b/make.log" >&2 || true; exit 1; }
cp "$b/libmpeg2/.libs/libmpeg2.a" "$b/libmpeg2/convert/.libs/libmpeg2convert.a" "$P/lib/"
cp "$d/include/mpeg2.h" "$d/include/mpeg2convert.h" "$P/include/mpeg2dec/"
