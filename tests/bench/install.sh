#!/bin/sh
# Installer against mfpack under Wine; takes the host build dir (for mfpack) as $1.
cd "$(dirname "$0")/../.." || exit 1
KALMORA_HOST_BUILD="${1:-build/host}" exec /usr/bin/python3 tests/bench/install.py build/win32
