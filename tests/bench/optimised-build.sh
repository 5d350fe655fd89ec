# Sourced by the benchmarks: checks that a native build tree is optimised and free of sanitizers,
# since figures of any other tree say nothing about the product's speed, and describes it.
# Usage: describe_optimised_build BUILD_DIR   (prints one line; returns 1 for a tree unfit to measure)
describe_optimised_build() {
  local cache="$1/CMakeCache.txt" type sanitize
  [ -f "$cache" ] || { echo "no build tree at $1" >&2; return 1; }
  type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$cache")
  sanitize=$(sed -n 's/^KALMORA_SANITIZE:[A-Z]*=//p' "$cache")
  case "$type" in Release|RelWithDebInfo) ;; *)
    echo "$1 is a ${type:-unoptimised} build: benchmarks measure an optimised tree (./run bench)" >&2
    return 1 ;;
  esac
  case "$sanitize" in ON|1|TRUE|YES)
    echo "$1 is built with sanitizers: benchmarks measure a tree without them (./run bench)" >&2
    return 1 ;;
  esac
  echo "build measured: $1 ($type, no sanitizers, $(sed -n 's/^CMAKE_CXX_COMPILER:[A-Z]*=//p' "$cache"))"
}
