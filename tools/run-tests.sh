#!/usr/bin/env bash
# Runs the test trees and prints their ctest summaries; fails when any fails.
#   run-tests.sh NATIVE_DIR WIN32_DIR WIN64_DIR   (any may be "")
# The Windows tests of a tree share one Xvfb display and one Wine prefix.
# Where this machine cannot run 32-bit Linux programs (and so no 32-bit Wine),
# the i686 tree runs only its static checks of the built files, and the same
# tests run from the x86_64 tree under 64-bit Wine.
set -u
abs() { [ -n "$1" ] && (cd "$1" && pwd); }
native=$(abs "$1") win32=$(abs "$2") win64=$(abs "$3")
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../cmake/wine-arch.sh"
rc=0
summary=()

run_ctest() {
    local dir=$1 name=$2; shift 2
    local log
    log=$(mktemp)
    (cd "$dir" && ctest --output-on-failure "$@") 2>&1 | tee "$log"
    local r=${PIPESTATUS[0]}
    summary+=("$name: $(grep -E 'tests passed|tests failed|No tests were found' "$log" | tail -n1)")
    rm -f "$log"
    return "$r"
}

xvfb_pid=
start_display() {
    [ -n "${DISPLAY:-}" ] && return 0
    for n in $(seq 70 89); do
        [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        xvfb_pid=$!
        for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
        if kill -0 "$xvfb_pid" 2>/dev/null; then export DISPLAY=":$n"; return 0; fi
        xvfb_pid=
    done
    echo "run-tests: no Xvfb display could be started" >&2
    return 1
}

run_wine_tree() {
    local dir=$1 arch=$2 name=$3 r=0
    wine_setup "$arch"
    export WINEPREFIX=$dir/wineprefix
    "$here/../cmake/wine-prefix.sh" "$WINEPREFIX" "$arch" || return 1
    # Windows driven under Wine on one shared display can miss a tool tip or
    # a focus change when the machine is loaded: a failed test runs once more,
    # and fails the run only when it fails again.
    run_ctest "$dir" "$name" -j 2 --repeat until-pass:2 || r=1
    wineserver -k >/dev/null 2>&1
    return $r
}

if [ -n "$native" ]; then
    run_ctest "$native" "native" -j "$(nproc)" || rc=1
fi
if [ -n "$win32$win64" ]; then
    start_display || rc=1
fi
if [ -n "$win32" ]; then
    if wine32_runs; then
        run_wine_tree "$win32" win32 "windows i686 (wine)" || rc=1
    else
        echo "run-tests: this machine cannot run 32-bit Linux programs, so no 32-bit Wine:"
        echo "run-tests: the i686 tree runs its static checks; the Wine tests run in the x86_64 tree."
        run_ctest "$win32" "windows i686 (static checks)" -L static || rc=1
    fi
fi
if [ -n "$win64" ]; then
    run_wine_tree "$win64" win64 "windows x86_64 (wine64)" || rc=1
fi
[ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null

echo
echo "== Test summary"
printf '%s\n' "${summary[@]}"
exit $rc
