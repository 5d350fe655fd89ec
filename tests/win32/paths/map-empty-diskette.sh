#!/bin/sh
# Gives the unit-test prefix an A: drive with no disk in it: a drive link to nowhere, which the
# system reports as a removable drive that is not ready. Drive types are read when the prefix's
# server starts, so a link made while it runs counts only after that server has ended.
set -e
emulator="$1"
prefix="${KALMORA_UNIT_PREFIX:-${WINEPREFIX:-/tmp/kalmora-wine/unit}}"
[ -d "$prefix/drive_c" ] || "$emulator" cmd /c exit
link="$prefix/dosdevices/a:"
if [ ! -e "$link" ] && [ ! -L "$link" ]; then
  ln -s /nonexistent/kalmora-empty-diskette "$link"
  WINEPREFIX="$prefix" timeout 60 wineserver -w </dev/null >/dev/null 2>&1 || true
fi
