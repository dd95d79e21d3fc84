#!/usr/bin/env bash
# Cross-builds the decoders of the video and camera-raw libraries for a
# mingw-w64 host from Debian source packages: libmpeg2 with its colour
# converter (source package mpeg2dec) and LibRaw (libraw). Static libraries
# only, no programs, documentation or samples.
#   build-media-libs.sh PREFIX SRCDIR HOST     (HOST: i686 or x86_64)
# The prefix gets include/mpeg2dec/*.h, include/libraw/*.h, lib/libmpeg2.a,
# lib/libmpeg2convert.a and lib/libraw.a. This file's hash keys its cache.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/debian-source.sh"
MPEG2DEC_SOURCE=mpeg2dec; MPEG2DEC_VERSION=0.5.1
LIBRAW_SOURCE=libraw;     LIBRAW_VERSION=0.20.2
if [ "${1:-}" = "--versions" ]; then
    echo "mpeg2dec${MPEG2DEC_VERSION}-raw${LIBRAW_VERSION}"
    exit 0
fi
P=$1
SRC=$2
ARCH=$3
HOST=$ARCH-w64-mingw32
JOBS=${JOBS:-2}
mkdir -p "$P"/{include/mpeg2dec,include/libraw,lib} "$SRC"
log() { echo "deps: $*"; }

log "libmpeg2 $MPEG2DEC_VERSION ($ARCH)"
d=$(fetch_source "$MPEG2DEC_SOURCE" "$MPEG2DEC_VERSION" "$SRC")
b="$SRC/build-mpeg2-$ARCH"
rm -rf "$b"; mkdir -p "$b"
(cd "$b" && "$d/configure" -q --host=$HOST --prefix="$P" --disable-shared --enable-static \
    --disable-sdl --without-x --disable-dependency-tracking \
    CC=$HOST-gcc-posix CFLAGS="-O2" >/dev/null \
  && make -s -j"$JOBS" -C libmpeg2 >/dev/null 2>"$b/make.log" \
  && make -s -j"$JOBS" -C libmpeg2/convert >/dev/null 2>>"$b/make.log") \
  || { tail -n 40 "$b/make.log" >&2 || true; exit 1; }
cp "$b/libmpeg2/.libs/libmpeg2.a" "$b/libmpeg2/convert/.libs/libmpeg2convert.a" "$P/lib/"
cp "$d/include/mpeg2.h" "$d/include/mpeg2convert.h" "$P/include/mpeg2dec/"

log "LibRaw $LIBRAW_VERSION ($ARCH)"
d=$(fetch_source "$LIBRAW_SOURCE" "$LIBRAW_VERSION" "$SRC")
# LibRaw's own Makefile for mingw builds in its tree: one copy per host. Its
# archive step calls plain ar and ranlib, which the shim points at the
# cross tools. No threads, no JPEG, no colour management: only the library.
b="$SRC/build-libraw-$ARCH"
rm -rf "$b"; cp -r "$d" "$b"
mkdir -p "$b/.tools" "$b/object" "$b/lib"
ln -sf "$(command -v $HOST-ar)" "$b/.tools/ar"
ln -sf "$(command -v $HOST-ranlib)" "$b/.tools/ranlib"
(cd "$b" && PATH="$b/.tools:$PATH" make -s -j"$JOBS" -f Makefile.mingw lib/libraw.a \
    CC=$HOST-gcc-posix CXX=$HOST-g++-posix CFLAGS="-O2 -I. -w -DLIBRAW_NODLL" >/dev/null 2>"$b/make.log") \
  || { tail -n 40 "$b/make.log" >&2 || true; exit 1; }
cp "$b/lib/libraw.a" "$P/lib/"
cp "$d"/libraw/*.h "$P/include/libraw/"
log "media libraries done ($ARCH)"
