#!/bin/sh
# Runs a Windows test program under Wine for CTest. The prefix is made by tests/harness (./run test);
# helpers are started detached first, so that CTest's pipes are not held open by them.
export WINEPREFIX="${KALMORA_UNIT_PREFIX:-${WINEPREFIX:-/tmp/kalmora-wine/unit}}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -d "$WINEPREFIX/drive_c" ]; then
  mkdir -p "$WINEPREFIX"
  WINEARCH=win32 wineboot -i </dev/null >/dev/null 2>&1
fi
wineserver -p30 </dev/null >/dev/null 2>&1
wine cmd /c exit </dev/null >/dev/null 2>&1
exec wine "$@"
