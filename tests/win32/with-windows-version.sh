#!/bin/sh
# Runs a Windows test program with Wine's Windows version set for that program alone:
#   with-windows-version.sh VERSION PROGRAM EMULATOR...
# VERSION is win95, nt351 or nt40; EMULATOR is the tree's test emulator (wine-emu.sh and its
# width). The setting lives in HKCU\Software\Wine\AppDefaults\<program's file name> during the
# run, and the program learns from KALMORA_EXPECTED_WINDOWS which version it should see.
set -u
version="$1"
program="$2"
shift 2
key="HKCU\\Software\\Wine\\AppDefaults\\$(basename "$program")"
"$@" reg add "$key" /v Version /d "$version" /f >/dev/null 2>&1 || exit 1
KALMORA_EXPECTED_WINDOWS="$version" "$@" "$program"
rc=$?
"$@" reg delete "$key" /f >/dev/null 2>&1
exit $rc
