#!/bin/sh
# Runs a Windows test program under Wine for CTest: wine-emu.sh win64|win32 PROGRAM [ARGS...].
# The width names the loader, called by its own path: Debian's `wine` wrapper prefers the 32-bit
# loader whenever it is installed, even where 32-bit code cannot run. The prefix is made by
# tests/harness (./run test); helpers are started detached first, so that CTest's pipes are not
# held open by them.
arch="$1"; shift
case "$arch" in
  win64) loader=/usr/lib/wine/wine64 ;;
  win32) loader=/usr/lib/wine/wine ;;
  *) echo "wine-emu.sh: unknown width '$arch' (win64 or win32)" >&2; exit 2 ;;
esac
export WINEARCH="$arch"
export WINEPREFIX="${KALMORA_UNIT_PREFIX:-${WINEPREFIX:-/tmp/kalmora-wine/unit-$arch}}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ ! -d "$WINEPREFIX/drive_c" ]; then
  mkdir -p "$WINEPREFIX"
  "$loader" wineboot -i </dev/null >/dev/null 2>&1
fi
wineserver -p30 </dev/null >/dev/null 2>&1
"$loader" cmd /c exit </dev/null >/dev/null 2>&1
exec "$loader" "$@"
