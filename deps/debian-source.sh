# Sourced by the build scripts of the cross-built libraries.
# fetch_source PKG UPSTREAM SRCDIR: fetches and unpacks a Debian source
# package into SRCDIR/PKG/PKG-<upstream> and prints that folder. Tries every
# revision the archive lists, newest first; where no revision's Debian files
# are served, the orig tarball alone is used. Refuses an upstream version
# other than the one the calling recipe was written for.
fetch_source() {
    local pkg=$1 want=$2 src=$3 dir v ok=0 orig up
    dir="$src/$pkg"
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
            [ -n "$orig" ] || { echo "deps: no source of $pkg could be fetched" >&2; return 1; }
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
        *) echo "deps: $pkg unpacked as ${up##*/}, expected upstream $want" >&2; return 1;;
    esac
    echo "$up"
}
