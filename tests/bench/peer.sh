#!/bin/sh
# A whole unattended installation against NSIS installers of the same product tree, under Wine. The
# Windows programs come from the test tree (KALMORA_BUILD, by default build/win64), built as
# release by ./run bench; $1 (the native release build dir) gives the mkmedia that builds our medium.
cd "$(dirname "$0")/../.." || exit 1
KALMORA_HOST_BUILD="${1:-build/release}" exec /usr/bin/python3 tests/bench/peer.py
