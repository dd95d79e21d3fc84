#!/usr/bin/env bash
# Cross-builds zlib (Debian's mingw build), libpng, libjpeg-turbo, libtiff and
# ImageMagick 6 (static, Q16, no modules, no OpenMP) for a mingw-w64 host from
# Debian source packages.
#   build-libs.sh PREFIX SRCDIR HOST     (HOST: i686 or x86_64)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/versions.sh"
P=$1
SRC=$2
ARCH=$3
HOST=$ARCH-w64-mingw32
JOBS=$(nproc)
mkdir -p "$P"/{include,lib/pkgconfig} "$SRC"
export PKG_CONFIG_LIBDIR="$P/lib/pkgconfig"
unset PKG_CONFIG_PATH
log() { echo "deps: $*"; }

# Fetches and unpacks a Debian source package into $SRC/<pkg>/<pkg>-<upstream>
# and prints that folder. Tries every revision the archive lists, newest first;
# where no revision's Debian files are served, the orig tarball alone is used.
# Checks that the upstream version is the one this recipe was written for.
fetch_source() {
    local pkg=$1 want=$2 dir v ok=0 orig up
    dir="$SRC/$pkg"
    if [ ! -f "$dir/.unpacked" ]; then
        rm -rf "$dir"; mkdir -p "$dir"
        for v in $(apt-cache showsrc "$pkg" | awk '/^Version:/ {print $2}' | sort -rV -u); do
            if (cd "$dir" && apt-get source -qq "$pkg=$v" >/dev/null 2>&1); then ok=1; break; fi
        done
        if [ $ok = 1 ]; then
            up=$(ls -d "$dir"/*/ | head -n1); up=${up%/}
            mv "$up" "$dir/$pkg-${up##*/$pkg-}" 2>/dev/null || true
        else
            orig=$(ls "$dir"/*.orig.tar.* 2>/dev/null | head -n1)
            [ -n "$orig" ] || { echo "deps: no source of $pkg could be fetched" >&2; exit 1; }
            up=${orig##*/${pkg}_}; up=${up%.orig.tar.*}
            echo "deps: $pkg: Debian revision not served, using ${orig##*/} alone" >&2
            mkdir -p "$dir/x"; tar -xf "$orig" -C "$dir/x"
            mv "$dir"/x/* "$dir/$pkg-$up"; rmdir "$dir/x"
        fi
        touch "$dir/.unpacked"
    fi
    up=$(ls -d "$dir"/"$pkg"-*/ | head -n1); up=${up%/}
    case "${up##*/$pkg-}" in
        "$want"|"$want"[+-~]*) ;;
        *) echo "deps: $pkg unpacked as ${up##*/}, expected upstream $want" >&2; exit 1;;
    esac
    echo "$up"
}

toolchain="$here/../cmake/mingw-$ARCH.cmake"

# zlib: Debian's cross-built static library; copied so -lz never picks libz.dll.a.
cp /usr/$HOST/lib/libz.a "$P/lib/"
cp /usr/$HOST/include/zlib.h /usr/$HOST/include/zconf.h "$P/include/"
cat > "$P/lib/pkgconfig/zlib.pc" <<PC
prefix=$P
libdir=\${prefix}/lib
includedir=\${prefix}/include
Name: zlib
Description: zlib compression library
Version: 1.2.13
Libs: -L\${libdir} -lz
Cflags: -I\${includedir}
PC

log "libpng $LIBPNG_VERSION"
d=$(fetch_source "$LIBPNG_SOURCE" "$LIBPNG_VERSION")
rm -rf "$SRC/build-png-$ARCH"; mkdir -p "$SRC/build-png-$ARCH"
(cd "$SRC/build-png-$ARCH" && "$d/configure" -q --host=$HOST --prefix="$P" \
    --disable-shared --enable-static --disable-tests \
    CPPFLAGS="-I$P/include" LDFLAGS="-L$P/lib" >/dev/null \
  && make -s -j"$JOBS" libpng16.la >/dev/null \
  && make -s install-libLTLIBRARIES install-pkgincludeHEADERS install-nodist_pkgincludeHEADERS \
       install-pkgconfigDATA install-header-links install-library-links >/dev/null 2>&1)
# ImageMagick asks pkg-config for "libpng".
ln -sf libpng16.pc "$P/lib/pkgconfig/libpng.pc"

log "libjpeg-turbo $LIBJPEG_VERSION"
d=$(fetch_source "$LIBJPEG_SOURCE" "$LIBJPEG_VERSION")
rm -rf "$SRC/build-jpeg-$ARCH"
cmake -S "$d" -B "$SRC/build-jpeg-$ARCH" -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$P" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
    -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=OFF -DWITH_SIMD=ON \
    -DCMAKE_ASM_NASM_COMPILER=nasm >/dev/null
cmake --build "$SRC/build-jpeg-$ARCH" --target jpeg-static >/dev/null
cmake --install "$SRC/build-jpeg-$ARCH" --component lib >/dev/null 2>&1 || true
cmake --install "$SRC/build-jpeg-$ARCH" --component include >/dev/null 2>&1 || true
# Install what ImageMagick needs by hand, whatever components the recipe has.
cp "$SRC/build-jpeg-$ARCH/libjpeg.a" "$P/lib/"
cp "$d/jpeglib.h" "$d/jmorecfg.h" "$d/jerror.h" "$SRC/build-jpeg-$ARCH/jconfig.h" "$P/include/"
cat > "$P/lib/pkgconfig/libjpeg.pc" <<PC
prefix=$P
libdir=\${prefix}/lib
includedir=\${prefix}/include
Name: libjpeg
Description: JPEG image codec
Version: $LIBJPEG_VERSION
Libs: -L\${libdir} -ljpeg
Cflags: -I\${includedir}
PC

log "libtiff $LIBTIFF_VERSION"
d=$(fetch_source "$LIBTIFF_SOURCE" "$LIBTIFF_VERSION")
rm -rf "$SRC/build-tiff-$ARCH"
cmake -S "$d" -B "$SRC/build-tiff-$ARCH" -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$P" -DCMAKE_PREFIX_PATH="$P" -DCMAKE_FIND_ROOT_PATH="$P" \
    -DBUILD_SHARED_LIBS=OFF -Dzlib=ON -Djpeg=ON -Dold-jpeg=OFF -Djpeg12=OFF \
    -Djbig=OFF -Dlerc=OFF -Dlzma=OFF -Dzstd=OFF -Dwebp=OFF -Dlibdeflate=OFF \
    -Dpixarlog=ON -Dcxx=OFF -Dtiff-tools=OFF -Dtiff-tests=OFF -Dtiff-contrib=OFF \
    -Dtiff-docs=OFF -Dtiff-opengl=OFF \
    -DZLIB_INCLUDE_DIR="$P/include" -DZLIB_LIBRARY="$P/lib/libz.a" \
    -DJPEG_INCLUDE_DIR="$P/include" -DJPEG_LIBRARY="$P/lib/libjpeg.a" >/dev/null
cmake --build "$SRC/build-tiff-$ARCH" >/dev/null
cmake --install "$SRC/build-tiff-$ARCH" >/dev/null

log "ImageMagick $IMAGEMAGICK_VERSION"
d=$(fetch_source "$IMAGEMAGICK_SOURCE" "$IMAGEMAGICK_VERSION")
# The distributed pixel cache needs POSIX sockets; configure finds socket() in
# ws2_32 on 64-bit Windows (no stdcall decoration there), so it is ruled out.
# Debian's security updates add a Windows-only realpath_utf8() that Debian
# never compiles; it has three typos that stop a Windows build.
for p in "$here"/patches/imagemagick-*.patch; do
    if patch -d "$d" -p1 -N --dry-run -s < "$p" >/dev/null 2>&1; then
        patch -d "$d" -p1 -N -s < "$p"
    fi
done
rm -rf "$SRC/build-im-$ARCH"; mkdir -p "$SRC/build-im-$ARCH"
(cd "$SRC/build-im-$ARCH" && "$d/configure" -q --host=$HOST --prefix="$P" \
    --disable-shared --enable-static --without-modules --disable-openmp \
    --with-quantum-depth=16 --disable-hdri --disable-docs \
    --without-magick-plus-plus --without-perl --without-x \
    --with-zlib --with-png --with-jpeg --with-tiff \
    --without-bzlib --without-lzma --without-zstd --without-jbig --without-openjp2 \
    --without-webp --without-heic --without-raw --without-wmf --without-xml \
    --without-lcms --without-lqr --without-fftw --without-fontconfig --without-freetype \
    --without-raqm --without-pango --without-rsvg --without-gvc --without-djvu \
    --without-openexr --without-gslib --without-dps --without-fpx --without-flif \
    --without-autotrace --without-jxl --without-fontpath \
    CPPFLAGS="-I$P/include" LDFLAGS="-L$P/lib -static" LIBS="-lws2_32" \
    ac_cv_search_socket=no ac_cv_func_socket=no >/dev/null \
  && make -s -j"$JOBS" >/dev/null 2>"$SRC/build-im-$ARCH/make.log" \
  && make -s install >/dev/null) || { tail -n 40 "$SRC/build-im-$ARCH/make.log" >&2 || true; exit 1; }
# A delegate that configure did not find is silently left out: refuse that.
for delegate in ZLIB PNG JPEG TIFF; do
    grep -q "define MAGICKCORE_${delegate}_DELEGATE 1" "$P/include/ImageMagick-6/magick/magick-baseconfig.h" || {
        echo "deps: ImageMagick was configured without $delegate support" >&2; exit 1; }
done
log "done"
