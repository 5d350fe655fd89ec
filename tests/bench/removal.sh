#!/bin/sh
# Unsetup's removal of 1,000 installed files against the bare deletion calls, under Wine; takes the
# native release build dir (for the mfpack that packs the medium) as $1. The Windows programs come
# from the test tree (KALMORA_BUILD, by default build/win64), built as release by ./run bench.
cd "$(dirname "$0")/../.." || exit 1
KALMORA_HOST_BUILD="${1:-build/release}" exec /usr/bin/python3 tests/bench/removal.py "${KALMORA_BUILD:-build/win64}"
