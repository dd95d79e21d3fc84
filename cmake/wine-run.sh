#!/usr/bin/env bash
# Runs a Windows program of the build under Wine: the test runner of the
# Windows trees (CMAKE_CROSSCOMPILING_EMULATOR) and the way the demo and the
# launcher start programs.
#
# - a private prefix of the program's architecture, by default
#   <build>/wineprefix (GLYPHERY_WINEPREFIX overrides), made once under a lock;
# - WINEDEBUG=-all unless set;
# - an Xvfb display of its own when DISPLAY is unset, stopped afterwards.
set -u
prog=$1; shift
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-arch.sh"
wine_setup "$prog"
build=$(cd "$(dirname "$prog")/.." 2>/dev/null && pwd)
export WINEPREFIX=${GLYPHERY_WINEPREFIX:-$build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

xvfb_pid=
cleanup() {
    # Wine's background processes talk to this display: end them with it.
    if [ -n "$xvfb_pid" ]; then
        wineserver -k >/dev/null 2>&1
        kill "$xvfb_pid" 2>/dev/null
    fi
}
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
    for n in $(seq 90 140); do
        [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        xvfb_pid=$!
        for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
        if kill -0 "$xvfb_pid" 2>/dev/null; then export DISPLAY=":$n"; break; fi
        xvfb_pid=
    done
fi

"$here/wine-prefix.sh" "$WINEPREFIX" "$WINEARCH" || exit 1
# Start the wineserver and Wine's background processes with their output
# redirected, so they never hold the caller's pipes (ctest waits for those).
wineserver -p30 >/dev/null 2>&1 </dev/null
"$WINELOADER" cmd /c rem >/dev/null 2>&1 </dev/null
# A program that opens the first window of the prefix makes Wine start its
# desktop process (explorer.exe /desktop) from that program, with the
# program's output: under a pipe (ctest), the pipe would stay open after the
# program ends and its reader would wait for ever. So output that is not a
# terminal goes through a file, which the caller gets when the program ends.
if [ -t 1 ]; then
    "$WINELOADER" "$prog" "$@"
    exit $?
fi
out=$(mktemp) err=$(mktemp)
"$WINELOADER" "$prog" "$@" >"$out" 2>"$err"
rc=$?
cat "$out"
cat "$err" >&2
rm -f "$out" "$err"
exit $rc
