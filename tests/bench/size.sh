#!/bin/sh
# The size of the Setup that ships, by section, and the room it leaves on diskette 1 (size.py).
cd "$(dirname "$0")/../.." || exit 1
KALMORA_HOST_BUILD="${1:-build/release}" exec /usr/bin/python3 tests/bench/size.py
