#!/usr/bin/env bash
# Cross-builds LibRaw (Debian source package libraw) for a mingw-w64 host:
# the static library only, without threads, JPEG or colour management.
#   build-libraw.sh PREFIX SRCDIR HOST     (HOST: i686 or x86_64)
#   build-libraw.sh --versions
# The prefix gets include/libraw/*.h and lib/libraw.a. This file's hash keys its cache.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/debian-source.sh"
LIBRAW_SOURCE=libraw; LIBRAW_VERSION=0.20.2
if [ "${1:-}" = "--versions" ]; then echo "libraw${LIBRAW_VERSION}"; exit 0; fi
P=$1
SRC=$2
ARCH=$3
HOST=$ARCH-w64-mingw32
JOBS=${JOBS:-2}
mkdir -p "$P"/{include/libraw,lib} "$SRC"

echo "deps: LibRaw $LIBRAW_VERSION ($ARCH)"
d=$(fetch_source "$LIBRAW_SOURCE" "$LIBRAW_VERSION" "$SRC")
# LibRaw's own Makefile for mingw builds in its tree: one copy per host. Its
# archive step calls plain ar and ranlib, which the shim points at the
# cross tools.
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
