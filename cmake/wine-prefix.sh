#!/usr/bin/env bash
# Creates a Wine prefix once (under a lock) with the settings the tests need:
# unmanaged windows (without a window manager under Xvfb, every DestroyWindow
# of a managed window waits 2 s), no sound driver, and no debugger started on
# a crash (it would wait forever instead of letting the test fail).
#   wine-prefix.sh PREFIX win32|win64
set -u
prefix=$1
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-arch.sh"
wine_setup "${2:-win32}"
[ -f "$prefix/.glyphery-ready" ] && exit 0
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
[ -f "$prefix/.glyphery-ready" ] && exit 0
export WINEPREFIX=$prefix WINEDEBUG=-all
rm -rf "$prefix"
"$WINELOADER" wineboot -i >/dev/null 2>&1 </dev/null
cat > "$prefix/glyphery.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\Drivers]
"Audio"=""

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\AeDebug]
"Debugger"=-
REG
"$WINELOADER" regedit /S "$prefix/glyphery.reg" >/dev/null 2>&1 </dev/null
wineserver -w
[ -f "$prefix/system.reg" ] || { echo "wine-prefix: could not create $prefix" >&2; exit 1; }
touch "$prefix/.glyphery-ready"
