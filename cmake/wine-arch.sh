# Sourced by the Wine scripts: wine_setup EXE|ARCH sets WINEARCH and
# WINELOADER for a program's architecture (from its PE header) or for
# "win32"/"win64".
pe_machine() {
    local off
    off=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')
    [ -n "$off" ] || return 1
    od -An -tx2 -j $((off + 4)) -N2 "$1" | tr -d ' '
}

wine_setup() {
    local arch=$1
    if [ -f "$1" ]; then
        case "$(pe_machine "$1")" in
            8664) arch=win64;;
            *) arch=win32;;
        esac
    fi
    export WINEARCH=$arch
    if [ "$arch" = win64 ]; then
        export WINELOADER=/usr/lib/wine/wine64
    else
        export WINELOADER=/usr/lib/wine/wine
    fi
}

# True when this machine runs 32-bit Linux programs, and so 32-bit Wine.
wine32_runs() {
    /usr/lib/wine/wine --version >/dev/null 2>&1
}
