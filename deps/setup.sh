#!/usr/bin/env bash
# Installs what the suite needs on a Debian 12 machine and cross-builds the image
# libraries for i686 Windows. Idempotent: a second run with nothing missing
# finishes in seconds.
#
#   deps/setup.sh                      install packages, build the libraries if missing
#   deps/setup.sh --print-prefix ARCH  print the folder of ARCH's libraries
#
# The libraries are built for two Windows targets: i686, the suite's own, and
# x86_64, on which the tests run where the machine cannot run 32-bit Linux
# programs (and so no 32-bit Wine).
# GLYPHERY_DEPS_CACHE overrides the cache root (default ~/.cache/glyphery-deps).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
. "$here/versions.sh"

cache_root=${GLYPHERY_DEPS_CACHE:-${HOME:-/root}/.cache/glyphery-deps}
recipe_hash=$(cat "$here/versions.sh" "$here/build-libs.sh" | sha1sum | cut -c1-8)
key="png${LIBPNG_VERSION}-jpeg${LIBJPEG_VERSION}-tiff${LIBTIFF_VERSION}-im${IMAGEMAGICK_VERSION}-q16-${recipe_hash}"
archs="i686 x86_64"
prefix_of() { echo "$cache_root/$1-$key"; }
# The video and camera-raw decoders: each has its own recipe
# (deps/build-<name>.sh), cache key and prefix.
media_libs="mpeg2 libraw"
media_prefix_of() {  # name arch
    local recipe="$here/build-$1.sh" hash
    hash=$(cat "$recipe" "$here/debian-source.sh" | sha1sum | cut -c1-8)
    echo "$cache_root/$2-$(bash "$recipe" --versions)-$hash"
}

if [ "${1:-}" = "--print-prefix" ]; then
    prefix_of "${2:-i686}"
    exit 0
fi
if [ "${1:-}" = "--print-media-prefix" ]; then  # --print-media-prefix NAME ARCH
    media_prefix_of "${2:-mpeg2}" "${3:-i686}"
    exit 0
fi

# One set-up at a time on a machine: two would build into the same prefix.
mkdir -p "$cache_root"
exec 9>"$cache_root/.setup.lock"
flock 9

as_root() {
    if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

log() { echo "deps: $*"; }

# --- Debian packages -------------------------------------------------------
# A name without ":arch" is the machine's own architecture (or "all"); a
# package installed for both architectures lists one line for each.
missing_packages() {
    local p name arch native status
    native=$(dpkg --print-architecture)
    while read -r p; do
        case "$p" in ''|'#'*) continue;; esac
        name=${p%%:*}; arch=${p#"$name"}; arch=${arch#:}
        status=$(dpkg-query -W -f='${Architecture} ${Status}\n' "$name" 2>/dev/null || true)
        grep -Eqx "(${arch:-$native|all}) install ok installed" <<<"$status" || echo "$p"
    done < "$here/packages.txt"
}

# A mirror caught syncing makes apt-get update fail for one list; the lists
# already there still serve, and a package they cannot give fails the install.
apt_updated=0
apt_update() {
    if [ $apt_updated = 0 ]; then
        as_root apt-get update -qq || log "apt-get update reported errors; using the package lists as they are"
        apt_updated=1
    fi
}

if ! dpkg --print-foreign-architectures | grep -qx i386; then
    log "adding the i386 architecture (for wine32)"
    as_root dpkg --add-architecture i386
    apt_update
fi

missing=$(missing_packages | tr '\n' ' ')
if [ -n "${missing// /}" ]; then
    log "installing: $missing"
    apt_update
    # shellcheck disable=SC2086
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
fi

# --- Cross-built image libraries ------------------------------------------
todo=
for arch in $archs; do
    if [ -f "$(prefix_of "$arch")/.complete" ]; then
        log "image libraries for $arch ready in $(prefix_of "$arch")"
    else
        todo="$todo $arch"
    fi
done
media_todo=
for lib in $media_libs; do
    for arch in $archs; do
        if [ -f "$(media_prefix_of "$lib" "$arch")/.complete" ]; then
            log "$lib for $arch ready in $(media_prefix_of "$lib" "$arch")"
        else
            media_todo="$media_todo $lib:$arch"
        fi
    done
done
[ -n "$todo$media_todo" ] || exit 0

# Source packages need deb-src entries; add them beside the binary ones.
if ! grep -rqs '^\(deb-src\|Types:.*deb-src\)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    log "adding deb-src entries"
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
            | as_root tee /etc/apt/sources.list.d/glyphery-deb-src.sources >/dev/null
    fi
    if [ -f /etc/apt/sources.list ] && grep -q '^deb ' /etc/apt/sources.list; then
        grep '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' \
            | as_root tee /etc/apt/sources.list.d/glyphery-deb-src.list >/dev/null
    fi
    apt_updated=0
fi
apt_update

for arch in $todo; do
    prefix=$(prefix_of "$arch")
    start=$(date +%s)
    # An interrupted build leaves no .complete stamp: start that prefix afresh.
    rm -rf "$prefix"
    mkdir -p "$prefix"
    bash "$here/build-libs.sh" "$prefix" "$cache_root/src" "$arch"
    touch "$prefix/.complete"
    log "image libraries for $arch built in $(( $(date +%s) - start )) s into $prefix"
done

for item in $media_todo; do
    lib=${item%%:*} arch=${item#*:}
    prefix=$(media_prefix_of "$lib" "$arch")
    start=$(date +%s)
    rm -rf "$prefix"
    mkdir -p "$prefix"
    JOBS=2 bash "$here/build-$lib.sh" "$prefix" "$cache_root/src" "$arch"
    touch "$prefix/.complete"
    log "$lib for $arch built in $(( $(date +%s) - start )) s into $prefix"
done
