#!/bin/sh
# Gives the unit-test prefix an A: drive with no disk in it: a drive link to nowhere, which the
# system reports as a removable drive that is not ready. Drive types are read when the prefix's
# server starts, so a link made while it runs counts only once that server has been ended.
# Arguments: the test emulator's command (wine-emu.sh and the width of the tree).
set -e
prefix="${KALMORA_UNIT_PREFIX:-${WINEPREFIX:-/tmp/kalmora-wine/unit-$2}}"
[ -d "$prefix/drive_c" ] || "$@" cmd /c exit
link="$prefix/dosdevices/a:"
if [ ! -e "$link" ] && [ ! -L "$link" ]; then
  ln -s /nonexistent/kalmora-empty-diskette "$link"
  WINEPREFIX="$prefix" timeout 60 wineserver -k </dev/null >/dev/null 2>&1 || true
fi
