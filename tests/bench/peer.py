"""Benchmark of a whole unattended installation against the installer administrators know best: the
same product tree installed by setup.exe /B from a CD layout and by installers that NSIS's makensis
builds of it (zlib and LZMA, the 64-bit stub, silent mode), each run in a fresh prefix on the same
Wine (NT 4.0 setting), alternated, medians. Two shapes of product: about 42 MB in some 320 files,
and the same with an album of 3,400 small pictures more. The time is the installer's process from
start to exit. Ours keeps everything in force: the uninstall log, the version rules, the deferred
replacement; the NSIS installers write their uninstaller and an uninstall key. Ours runs once more
each time with its record of the run (/L), whose cost is printed. Prints the figures and the ratio
to NSIS zlib."""

import hashlib
import os
import re
import shutil
import statistics
import subprocess
import sys
import time
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(REPO / "tests"))
sys.path.insert(0, str(REPO / "tests" / "e2e"))

import medium as media  # noqa: E402
from harness import WinePrefix, ensure_template, test_tree, wine_loader  # noqa: E402

RUNS = int(os.environ.get("KALMORA_BENCH_RUNS", "5"))
GOAL = 1.0  # our installation may take at most as long as NSIS's zlib installer
ALBUM_PICTURES = 3400


def library_files() -> dict:
    """About 42 MB in 300 files of 40 to 240 KB, sizes fixed by their names."""
    files = {}
    for n in range(300):
        spread = int.from_bytes(hashlib.sha256(f"lib{n}".encode()).digest()[:4], "little") % 200_000
        files[f"lib{n:03d}.dat"] = 40_000 + spread
    return files


def album_files() -> dict:
    """3,400 small pictures of 1 to 3 KB."""
    return {f"pic{n:04d}.pcx": 1000 + (n * 577) % 2000 for n in range(ALBUM_PICTURES)}


def product_groups(with_album: bool) -> dict:
    groups = media.with_product_programs(media.GROUPS, test_tree() / "bin")
    groups["library"] = ("Library", "The picture library", 1, 1, 1, 3, library_files())
    if with_album:
        groups["album"] = ("Album", "The picture album", 0, 1, 1, 2, album_files())
    return groups


def installed_tree(medium: media.Medium, root: Path) -> Path:
    """The product's files as they land under C:\\KALMORA, for makensis to pack."""
    folders = {number: path.split("\\", 2)[2] if path.count("\\") > 1 else ""
               for number, path in media.DEFAULT_DIRECTORIES.items()}
    shutil.rmtree(root, ignore_errors=True)
    for name, (_, destination, data) in medium.files.items():
        target = root / folders[destination] / name
        target.parent.mkdir(parents=True, exist_ok=True)
        target.write_bytes(data)
    return root


def nsis_installer(tree: Path, compressor: str, output: Path) -> Path:
    script = output.with_suffix(".nsi")
    script.write_text("\n".join([
        "Unicode true", "Target amd64-unicode", f"SetCompressor /FINAL {compressor}",
        'Name "Kalmora 4.0"', f'OutFile "{output}"', 'InstallDir "C:\\KALMORA"',
        "RequestExecutionLevel admin", "SilentInstall silent",
        'Section "Kalmora"', 'SetOutPath "$INSTDIR"', f'File /r "{tree}/*.*"',
        'WriteUninstaller "$INSTDIR\\uninst.exe"',
        'WriteRegStr HKLM "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Kalmora" '
        '"UninstallString" "$INSTDIR\\uninst.exe"',
        "SectionEnd",
        'Section "Uninstall"', 'RMDir /r "$INSTDIR"', "SectionEnd", ""]))
    made = subprocess.run(["makensis", "-V1", str(script)], capture_output=True, text=True)
    if made.returncode != 0:
        raise RuntimeError(f"makensis failed: {made.stdout}{made.stderr}")
    return output


def file_count(prefix: WinePrefix) -> int:
    return sum(len(files) for _, _, files in os.walk(prefix.linux_path("C:\\KALMORA")))


def time_run(template: Path, drive: Path, program: str, *args) -> tuple:
    """Seconds of one installation in a fresh prefix, and the files it left in C:\\KALMORA."""
    with WinePrefix.create("nt40", name="bench-peer", template=template) as prefix:
        prefix.map_drive("d", drive)
        prefix.run(r"C:\windows\system32\cmd.exe", "/c", "exit", timeout=60)  # warm the server
        start = time.monotonic()
        process = prefix.run(program, *args, timeout=900)
        took = time.monotonic() - start
        if process.exit_code != 0:
            raise RuntimeError(f"{program} ended with {process.exit_code}: {process.errors()[-2000:]}")
        return took, file_count(prefix)


STEP = re.compile(r'"Kalmora Setup: (.+): ([0-9.]+) ms\\n"')


def our_steps(template: Path, drive: Path) -> tuple:
    """One more run of ours with its debugger messages on: its whole time in seconds, and the copy
    phase and each integration step, in milliseconds, as the program times them."""
    os.environ["WINEDEBUG"] = "-all,+debugstr"  # read when the prefix makes its environment
    try:
        with WinePrefix.create("nt40", name="bench-peer-steps", template=template) as prefix:
            prefix.map_drive("d", drive)
            prefix.run(r"C:\windows\system32\cmd.exe", "/c", "exit", timeout=60)
            start = time.monotonic()
            process = prefix.run(r"D:\DISK01\setup.exe", "/B", timeout=900)
            took = time.monotonic() - start
            return took, [(step, float(ms)) for step, ms in STEP.findall(process.errors())]
    finally:
        del os.environ["WINEDEBUG"]


def describe(times: list) -> str:
    return f"{statistics.median(times):6.2f} s  (runs: {', '.join(f'{t:.2f}' for t in times)})"


def measure_shape(work: Path, template: Path, with_album: bool) -> dict:
    shape = "with album" if with_album else "plain"
    medium = media.Medium(work / f"medium-{shape}", test_tree() / "bin" / "setup.exe", layout="cd",
                          groups=product_groups(with_album))
    tree = installed_tree(medium, work / f"tree-{shape}")
    peers = {f"nsis-{c}": nsis_installer(tree, c, work / f"nsis-{c}-{shape.replace(' ', '-')}.exe")
             for c in ("zlib", "lzma")}
    total = sum(len(data) for _, _, data in medium.files.values())
    times = {"ours": [], "ours-recorded": [], **{name: [] for name in peers}}
    counts = {}
    for _ in range(RUNS):  # alternated, so that a slow spell of the machine touches all alike
        took, counts["ours"] = time_run(template, medium.root, r"D:\DISK01\setup.exe", "/B")
        times["ours"].append(took)
        took, counts["ours-recorded"] = time_run(template, medium.root, r"D:\DISK01\setup.exe", "/B",
                                                 r"/L:C:\kalmora-run.txt")
        times["ours-recorded"].append(took)
        for name, installer in peers.items():
            took, counts[name] = time_run(template, installer.parent, f"D:\\{installer.name}", "/S")
            times[name].append(took)
    medians = {name: statistics.median(runs) for name, runs in times.items()}
    ratio = medians["ours"] / medians["nsis-zlib"]
    print(f"\nproduct {shape}: {total / 1e6:.1f} MB in {len(medium.files)} files; medians of {RUNS} runs")
    labels = {"ours": "setup.exe /B (CD layout)", "ours-recorded": "setup.exe /B /L (its record)",
              "nsis-zlib": "NSIS zlib /S", "nsis-lzma": "NSIS LZMA /S"}
    for name, runs in times.items():
        print(f"  {labels[name]:28s} {describe(runs)}  files in C:\\KALMORA: {counts[name]}")
    print(f"  {'ratio ours / NSIS zlib':28s} {ratio:6.2f}   (goal: at most {GOAL})")
    cost = medians["ours-recorded"] / medians["ours"] - 1
    print(f"  {'the record of the run costs':28s} {cost * 100:+5.1f} %  (/L against the same runs without it)")
    whole, steps = our_steps(template, medium.root)
    print("  where ours spends it (one more run, as it times its steps): " +
          ", ".join(f"{step} {ms:.0f} ms" for step, ms in steps))
    copying = sum(ms for step, ms in steps if step == "copying") / 1000
    integration = sum(ms for step, ms in steps if step != "copying") / 1000
    return {"shape": shape, "bytes": total, "files": len(medium.files), "ratio": ratio,
            "ours": medians["ours"], "nsis": medians["nsis-zlib"], "whole": whole, "copying": copying,
            "integration": integration}


def print_parts(plain: dict, album: dict) -> None:
    """The ratio taken apart: what ours spends besides copying (start-up, the pages passing by
    themselves, exit), the integration that NSIS's installers do not do, and the copy's cost per
    byte (the plain shape: few, large files) and per file (the album's extra small files, less
    their bytes at that rate). NSIS's per-file figure is its whole run's difference likewise."""
    extra_files = album["files"] - plain["files"]
    extra_bytes = album["bytes"] - plain["bytes"]
    per_byte = plain["copying"] / plain["bytes"]
    per_file = (album["copying"] - plain["copying"] - per_byte * extra_bytes) / extra_files
    nsis_per_byte = plain["nsis"] / plain["bytes"]  # an upper bound: its whole run
    nsis_per_file = (album["nsis"] - plain["nsis"] - nsis_per_byte * extra_bytes) / extra_files
    print("\nthe ratio's parts (ours: the run that timed its steps; NSIS: medians of whole runs)")
    for shape in (plain, album):
        rest = shape["whole"] - shape["copying"] - shape["integration"]
        print(f"  {shape['shape']:10s} ratio {shape['ratio']:.2f}: ours {shape['whole']:.2f} s = "
              f"start-up, pages and exit {rest:.2f} s (title page: no wait under /B) + "
              f"copying {shape['copying']:.2f} s + integration {shape['integration']:.2f} s; "
              f"NSIS zlib {shape['nsis']:.2f} s")
    print(f"  per byte: ours {per_byte * 1e9:.1f} ms/MB of copying; "
          f"NSIS at most {nsis_per_byte * 1e9:.1f} ms/MB (its whole run)")
    print(f"  per file: ours {per_file * 1000:.2f} ms, NSIS {nsis_per_file * 1000:.2f} ms "
          f"(the album's {extra_files} extra files)")


def main() -> int:
    if not shutil.which("makensis"):
        raise SystemExit("makensis is not installed (./run deps installs nsis)")
    work = Path("/tmp/kalmora-bench-peer")
    shutil.rmtree(work, ignore_errors=True)
    work.mkdir(parents=True)
    template = ensure_template()
    print(f"build measured: {test_tree()} (setup.exe), under {wine_loader()}, nt40; "
          f"NSIS {subprocess.run(['makensis', '-VERSION'], capture_output=True, text=True).stdout.strip()}")
    print_parts(*[measure_shape(work, template, with_album) for with_album in (False, True)])
    print("\ntime: the installer's process from start to exit, in a fresh prefix each run "
          "(ours counts one more file, unsetup.exe, and its log; NSIS's counts uninst.exe)")
    shutil.rmtree(work, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
