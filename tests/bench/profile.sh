#!/usr/bin/env bash
# Benchmark: reads a generated 1 MB install profile with profcheck and prints the time taken.
# Usage: tests/bench/profile.sh [BUILD_DIR]   (default build/release, optimised, no sanitizers)
set -euo pipefail
build=${1:-build/release}
. "$(dirname "$0")/optimised-build.sh"
describe_optimised_build "$build"
profcheck="$build/bin/profcheck"
[ -x "$profcheck" ] || { echo "profile bench: $profcheck not built" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Sections of every kind the installer knows, with single values, quoted values, value lists
# and comments, repeated until the file holds 1 MB.
awk -v target=1048576 'BEGIN {
  size = 0; n = 0
  while (size < target) {
    n++
    block = sprintf("; option %d\r\n[Option]\r\nOption = %d\r\nParentOption = 1\r\n" \
      "DialogText = \"Component number %d of the product\"\r\n" \
      "OptionDescription = \"Installs part %d.\\nNeeds about %d KB.\"\r\nSpace = %d\r\n" \
      "Typical = true ; in the typical setup\r\nGroup = Group%d\r\nDestinationID = %d\r\n\r\n" \
      "[Registry]\r\nkey = \"HKEY_LOCAL_MACHINE\\Software\\Kalmora\\4.0\\Part%d\"\r\nvalues =\r\n" \
      "  \"Path=?1?\\part%d\"\r\n  \"Version=4.0\"\r\n  Enabled=1\r\n\r\n", \
      n, n, n, n, n * 3, n * 1000, n % 7, n % 5, n, n)
    printf "%s", block
    size += length(block)
  }
}' > "$work/ov_setup.ini"

bytes=$(wc -c < "$work/ov_setup.ini")
"$profcheck" --summary "$work/ov_setup.ini" | sed "s/^/profile bench ($bytes bytes): /"
