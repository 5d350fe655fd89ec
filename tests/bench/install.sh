#!/bin/sh
# The installer's cost of copying against mfpack's extraction, under Wine; takes the native release
# build dir (for the mfpack that packs the media) as $1. Exits 77 where Wine cannot run.
cd "$(dirname "$0")/../.." || exit 1
if ! timeout 120 wine --version >/dev/null 2>&1 </dev/null; then
  echo "install benchmark skipped: Wine cannot run on this machine"
  exit 77
fi
KALMORA_HOST_BUILD="${1:-build/release}" exec /usr/bin/python3 tests/bench/install.py build/win32
