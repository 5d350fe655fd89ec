#!/bin/sh
# The time of each integration step after copying (icons, registry, shared DLLs, file types, COM
# registration, scheduler), under Wine on each Windows version; takes the native release build dir
# (for the mfpack that packs the medium) as $1. The Windows programs come from the test tree
# (KALMORA_BUILD, by default build/win64), built as release by ./run bench.
cd "$(dirname "$0")/../.." || exit 1
KALMORA_HOST_BUILD="${1:-build/release}" exec /usr/bin/python3 tests/bench/integration.py "${KALMORA_BUILD:-build/win64}"
