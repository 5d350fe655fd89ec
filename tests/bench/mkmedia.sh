#!/usr/bin/env bash
# Benchmark of the medium builder: a product tree of about 40 MB (the archive benchmark's mixed
# corpus, and five of its files again in a second folder) built into a CD layout by mkmedia,
# against mfpack packing the same two archives alone; mkmedia's part beyond that (placing, laying
# out the volumes, reading every archive back against the tree) is its overhead, in the time the
# vendor waits and in processor time. Also the size of its archives against jlha's lh5 archive of
# the same files.
# Usage: tests/bench/mkmedia.sh [BUILD_DIR]   (default build/release, optimised, no sanitizers)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="${1:-build/release}"
. "$here/optimised-build.sh"
describe_optimised_build "$build"
bin="$(cd "$build" && pwd)/bin"
for tool in mkmedia mfpack; do
  [ -x "$bin/$tool" ] || { echo "mkmedia.sh: $bin/$tool not found; run ./run release first" >&2; exit 1; }
done

work=/tmp/kalmora-bench-mkmedia
rm -rf "$work"
mkdir -p "$work/product/a" "$work/product/b"
mapfile -t files < <(python3 "$here/archive/make_corpus.py" "$work/corpus")
for f in "${files[@]}"; do cp "$f" "$work/product/a/"; done
for f in "${files[@]:0:5}"; do cp "$f" "$work/product/b/again-$(basename "$f")"; done
head -c 100000 /dev/zero >"$work/setup.exe"
echo "The licence." >"$work/agree.txt"
cat >"$work/product.mkd" <<'DESC'
[medium]
setup = setup.exe
tree = product
licence = agree.txt
[destinations]
0 = Kalmora|-1|C:\KALMORA
[groups]
program = Program|The program|1|1|1
samples = Samples|More of it|0|1|1
[program]
program.mf1 = archive|a|0
[samples]
samples.mf1 = archive|b|0
DESC
original=$(cat "$work"/product/a/* "$work"/product/b/* | wc -c)

# Seconds of the fastest of three runs: the time the vendor waits (wall clock) and the processor
# time it took (user + system, children included), each the best of the three.
best_of_three() {
  python3 - "$@" <<'PY'
import os, subprocess, sys, time
best_wall = best_cpu = None
for _ in range(3):
    before, started = os.times(), time.monotonic()
    subprocess.run(sys.argv[1:], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
    wall, after = time.monotonic() - started, os.times()
    cpu = (after.children_user - before.children_user) + (after.children_system - before.children_system)
    best_wall = wall if best_wall is None else min(best_wall, wall)
    best_cpu = cpu if best_cpu is None else min(best_cpu, cpu)
print(f"{max(best_wall, 1e-3):.3f} {max(best_cpu, 1e-3):.3f}")
PY
}

cd "$work"
mkmedia_s=$(best_of_three "$bin/mkmedia" --quiet --cd --replace product.mkd cd)
mfpack_s=$(best_of_three sh -c "rm -rf packed && mkdir packed && '$bin/mfpack' create packed/program.mf1 product/a/* && '$bin/mfpack' create packed/samples.mf1 product/b/*")
ours=$(cat cd/DISK01/program.mf1 cd/DISK01/samples.mf1 | wc -c)
jlha_bytes=-
if command -v jlha >/dev/null; then
  rm -f jlha.lzh
  (cd product && jlha a ../jlha.lzh a/* b/* >/dev/null)
  jlha_bytes=$(wc -c <jlha.lzh)
fi
python3 - "$original" $mkmedia_s $mfpack_s "$ours" "$jlha_bytes" <<'PY'
import sys
original, mkmedia_wall, mkmedia_cpu, mfpack_wall, mfpack_cpu, ours, jlha = sys.argv[1:]
original, ours = int(original), int(ours)
mkmedia_wall, mkmedia_cpu, mfpack_wall, mfpack_cpu = map(float, (mkmedia_wall, mkmedia_cpu, mfpack_wall, mfpack_cpu))
print(f"product tree: {original} bytes; seconds, best of three       waited    processor")
print(f"  mkmedia --cd (pack, place, lay out, read back)  {mkmedia_wall:7.3f} s  {mkmedia_cpu:7.3f} s")
print(f"  mfpack create, the same two archives           {mfpack_wall:7.3f} s  {mfpack_cpu:7.3f} s")
print(f"  mkmedia's overhead beyond packing              {(mkmedia_wall / mfpack_wall - 1) * 100:6.1f} %  "
      f"{(mkmedia_cpu / mfpack_cpu - 1) * 100:6.1f} %  (goal: under 10 % of the time waited)")
print(f"  (reading every archive back decodes it once more; it runs beside the packing of the next one)")
print(f"  archives: {ours} bytes, ratio {ours / original:.4f}", end="")
if jlha != "-":
    print(f"; jlha's lh5 archive of the same files: {jlha} bytes, ratio {int(jlha) / original:.4f}; "
          f"ours / jlha's {ours / int(jlha):.4f}")
else:
    print("; jlha is not installed")
PY
