#!/bin/sh
# Setup's registry work against the bare registry calls, under Wine. The program comes from the
# test tree (KALMORA_BUILD, by default build/win64), built as release by ./run bench.
cd "$(dirname "$0")/../.." || exit 1
exec /usr/bin/python3 tests/bench/registry.py "${KALMORA_BUILD:-build/win64}"
