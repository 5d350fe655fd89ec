"""Benchmark of the cost of copying: an unattended installation of a 40 MB CD medium under Wine,
less that of an empty medium of the same layout (the same archives and names, every file empty:
the title page, the windows, the pages and the copy of the installer itself), against extracting
the same archives with mfpack.exe under Wine, less its extraction of the empty medium's archives
(its process starts). Medians of several runs, each installation in a fresh prefix. Prints the
figures."""

import os
import shutil
import statistics
import sys
import time
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(REPO / "tests"))
sys.path.insert(0, str(REPO / "tests" / "e2e"))

import medium as media  # noqa: E402
from harness import WinePrefix, ensure_template, test_tree, wine_loader  # noqa: E402
from harness.wineenv import pe_machine  # noqa: E402

RUNS = int(os.environ.get("KALMORA_BENCH_RUNS", "5"))
SCALE = 210  # the test product scaled up to about 40 MB
GOAL = 1.25  # the copy phase may cost at most this many times the tool's extraction


def scaled_groups(factor: int) -> dict:
    return {group: definition[:6] + ({name: size * factor for name, size in definition[6].items()},)
            for group, definition in media.GROUPS.items()}


def windows_path(medium: media.Medium, path: Path, drive: str = "D") -> str:
    return f"{drive}:\\" + str(path.relative_to(medium.root)).replace("/", "\\")


def time_install(medium: media.Medium, template: Path) -> float:
    """Seconds of one unattended Setup in a fresh prefix, from start to exit."""
    with WinePrefix.create("nt40", name="bench-install", template=template) as prefix:
        prefix.map_drive("d", medium.root)
        prefix.run(r"C:\windows\system32\cmd.exe", "/c", "exit", timeout=60)  # warm the server
        start = time.monotonic()
        setup = prefix.run(windows_path(medium, medium.setup_dir / "setup.exe"), "/B", timeout=600)
        took = time.monotonic() - start
        if setup.exit_code != 0:
            raise RuntimeError(f"setup.exe /B ended with {setup.exit_code}: {setup.errors()}")
        return took


def extract_all(prefix, medium: media.Medium, drive: str, target: str) -> float:
    """Seconds of mfpack.exe extracting every archive of the medium (on the drive), one process
    an archive."""
    start = time.monotonic()
    for archive in sorted(medium.root.glob("DISK*/*.mf1")):
        process = prefix.run(r"C:\tools\mfpack.exe", "extract", windows_path(medium, archive, drive), target,
                             timeout=600)
        if process.exit_code != 0:
            raise RuntimeError(f"mfpack.exe extract failed: {process.errors()}")
    return time.monotonic() - start


def time_extraction(full: media.Medium, empty: media.Medium, mfpack_exe: Path, template: Path):
    """Seconds of mfpack.exe extracting the archives of the full and of the empty medium, both
    once a run, alternated. The empty medium's figure is the tool's own fixed cost (a process
    start an archive), as the installer's is its run on the empty medium."""
    full_times, empty_times = [], []
    with WinePrefix.create("nt40", name="bench-extract", template=template) as prefix:
        prefix.map_drive("d", full.root)
        prefix.map_drive("e", empty.root)
        prefix.place(r"C:\tools\mfpack.exe", mfpack_exe)
        prefix.run(r"C:\tools\mfpack.exe", "--help", timeout=60)  # warm the prefix
        for run in range(RUNS):
            empty_times.append(extract_all(prefix, empty, "E", f"C:\\empty{run}"))
            full_times.append(extract_all(prefix, full, "D", f"C:\\extracted{run}"))
    return full_times, empty_times


def describe_tree(build: Path) -> str:
    """The width and build type of a Windows tree; refuses a tree that is not optimised."""
    cache = (build / "CMakeCache.txt").read_text()
    build_type = next((line.split("=", 1)[1] for line in cache.splitlines()
                       if line.startswith("CMAKE_BUILD_TYPE:")), "")
    if build_type not in ("Release", "RelWithDebInfo"):
        raise SystemExit(f"{build} is a {build_type or 'unoptimised'} build: the benchmark measures an optimised tree")
    width = {0x8664: "x86_64", 0x14C: "i686"}.get(pe_machine(build / "bin" / "setup.exe"), "unknown width")
    return f"{width} {build_type}"


def describe(times: list) -> str:
    return f"{statistics.median(times):6.2f} s  (runs: {', '.join(f'{t:.2f}' for t in times)})"


def main(build: Path) -> int:
    work = Path("/tmp/kalmora-bench-install")
    shutil.rmtree(work, ignore_errors=True)
    setup_exe = build / "bin" / "setup.exe"
    full = media.Medium(work / "full", setup_exe, layout="cd", groups=scaled_groups(SCALE))
    empty = media.Medium(work / "empty", setup_exe, layout="cd", groups=scaled_groups(0))
    total = sum(len(data) for _, _, data in full.files.values())
    template = ensure_template()

    extractions, empty_extractions = time_extraction(full, empty, build / "bin" / "mfpack.exe", template)
    fixed, installs = [], []
    for _ in range(RUNS):  # alternated, so that a slow spell of the machine touches both alike
        fixed.append(time_install(empty, template))
        installs.append(time_install(full, template))
    copying = statistics.median(installs) - statistics.median(fixed)
    tool = statistics.median(extractions) - statistics.median(empty_extractions)

    print(f"build measured: {build} (setup.exe and mfpack.exe, {describe_tree(build)}, under {wine_loader()}, nt40)")
    print(f"medium: {total / 1e6:.1f} MB in {len(full.sources)} sources on a CD layout; medians of {RUNS} runs")
    print(f"{'setup.exe /B, empty medium':34s} {describe(fixed)}")
    print(f"{'setup.exe /B, 40 MB medium':34s} {describe(installs)}")
    print(f"{'copy phase (difference)':34s} {copying:6.2f} s")
    print(f"{'mfpack.exe extract, empty medium':34s} {describe(empty_extractions)}")
    print(f"{'mfpack.exe extract, 40 MB medium':34s} {describe(extractions)}")
    print(f"{'extraction (difference)':34s} {tool:6.2f} s")
    print(f"{'ratio copy phase / extraction':34s} {copying / tool:6.2f}   (goal: at most {GOAL})")
    print("copy phase: what Setup spends beyond its run on the empty medium (decoding, writing, the "
          "temporary files and renames, progress, repaints, the log); extraction: the same for mfpack.exe")
    return 0


if __name__ == "__main__":
    sys.exit(main(Path(sys.argv[1]) if len(sys.argv) > 1 else test_tree()))
