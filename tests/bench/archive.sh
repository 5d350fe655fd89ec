#!/usr/bin/env bash
# Benchmark of the archive codec: generates a deterministic ~24 MB mixed corpus under /tmp and
# prints, from one run, our decode and encode speed and ratio, the decode speed of lhasa and 7-Zip
# on the very same lh5 streams, and the ratio and speed of jlha's lh5 compressor.
# Usage: tests/bench/archive.sh [BUILD_DIR]   (default build/release, an optimised native tree
# without sanitizers, as `./run bench` builds it). Builds nothing itself.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="${1:-build/release}"
. "$here/optimised-build.sh"
describe_optimised_build "$build"
mfpack="$(cd "$build" && pwd)/bin/mfpack"
[ -x "$mfpack" ] || { echo "archive.sh: $mfpack not found; run ./run release first" >&2; exit 1; }

work=/tmp/kalmora-bench-archive
corpus="$work/corpus"
mkdir -p "$work"
mapfile -t files < <(python3 "$here/archive/make_corpus.py" "$corpus")
names=()
for f in "${files[@]}"; do names+=("$(basename "$f")"); done
original=$(cat "${files[@]}" | wc -c)

# CPU seconds (user + system) of the fastest of three runs of a command: steadier than the wall
# clock on a shared machine.
best_of_three() {
  python3 - "$@" <<'PY'
import os, subprocess, sys
best = None
for _ in range(3):
    child = subprocess.Popen(sys.argv[1:], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    if status != 0:
        sys.exit(f"failed: {sys.argv[1:]}")
    took = usage.ru_utime + usage.ru_stime
    best = took if best is None else min(best, took)
print(f"{max(best, 1e-3):.4f}")
PY
}
mbps() { python3 -c "print(f'{$1 / 1e6 / $2:8.1f}')"; }
ratio() { python3 -c "print(f'{$1 / $2:8.4f}')"; }

cd "$corpus"
rm -f "$work/ours.mf"
encode_s=$(best_of_three sh -c "rm -f '$work/ours.mf'; '$mfpack' create '$work/ours.mf' ${names[*]}")
packed=$(python3 - "$work/ours.mf" <<'PY'
import struct, sys
d = open(sys.argv[1], "rb").read(); p = 8; total = 0
while p + 346 <= len(d):
    size, = struct.unpack("<I", d[p + 280:p + 284]); total += size; p += 346 + size
print(total)
PY
)
decode_s=$(best_of_three "$mfpack" test "$work/ours.mf")
python3 "$here/archive/to_lha.py" "$work/ours.mf" "$corpus" "$work/ours.lzh"

row() { printf '%-34s %10s %10s %10s\n' "$@"; }
echo "corpus: ${#files[@]} files, $original bytes ($work); speeds from CPU time, best of three"
row "" "decode MB/s" "encode MB/s" "ratio"
row "ours (mfpack test / create)" "$(mbps "$original" "$decode_s")" "$(mbps "$original" "$encode_s")" "$(ratio "$packed" "$original")"
peak_kb=$(python3 - "$mfpack" "$work/ours.mf" <<'PY'
import os, subprocess, sys
child = subprocess.Popen([sys.argv[1], "test", sys.argv[2]], stdout=subprocess.DEVNULL)
print(os.wait4(child.pid, 0)[2].ru_maxrss)
PY
)
if command -v lhasa >/dev/null; then
  lhasa_s=$(best_of_three lhasa t "$work/ours.lzh")
  row "lhasa (same streams)" "$(mbps "$original" "$lhasa_s")" "-" "-"
fi
if command -v 7z >/dev/null; then
  sevenzip_s=$(best_of_three 7z t "$work/ours.lzh")
  row "7-Zip (same streams)" "$(mbps "$original" "$sevenzip_s")" "-" "-"
fi
if command -v jlha >/dev/null; then
  jlha_s=$(best_of_three sh -c "rm -f '$work/jlha.lzh'; jlha a '$work/jlha.lzh' ${names[*]}")
  jlha_packed=$(python3 - "$work/jlha.lzh" <<'PY'
import struct, sys
d = open(sys.argv[1], "rb").read(); p = 0; total = 0
while p + 22 <= len(d) and d[p] != 0:
    level = d[p + 20]; packed, = struct.unpack("<I", d[p + 7:p + 11])
    if level == 2:
        size, = struct.unpack("<H", d[p:p + 2]); total += packed; p += size + packed
    else:
        p += 2 + d[p] + packed; total += packed
print(total)
PY
)
  row "jlha (lh5 compressor)" "-" "$(mbps "$original" "$jlha_s")" "$(ratio "$jlha_packed" "$original")"
fi
echo "peak memory of our decoding run (mfpack test): ${peak_kb} KB for entries of 3 MB each"
