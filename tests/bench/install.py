"""Benchmark: an unattended installation of a 40 MB CD medium under Wine, against extracting the
same archives with mfpack.exe under Wine in the same prefix. Prints the figures."""

import sys
import time
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(REPO / "tests"))
sys.path.insert(0, str(REPO / "tests" / "e2e"))

import medium as media  # noqa: E402
from harness import WinePrefix, ensure_template  # noqa: E402

TITLE_PAGE_MINIMUM = 3.0  # seconds the title page stays, whatever the speed


def main(build: Path) -> int:
    # Scale the test product up to about 40 MB.
    for group, definition in media.GROUPS.items():
        files = {name: size * 210 for name, size in definition[6].items()}
        media.GROUPS[group] = definition[:6] + (files,)
    work = Path("/tmp/kalmora-bench-install")
    if work.exists():
        import shutil
        shutil.rmtree(work)
    medium = media.Medium(work / "medium", build / "bin" / "setup.exe", layout="cd")
    total = sum(len(data) for _, _, data in medium.files.values())
    archives = sorted(medium.root.glob("DISK*/*.mf1"))
    with WinePrefix.create("nt40", name="bench", template=ensure_template()) as prefix:
        prefix.map_drive("d", medium.root)
        prefix.place(r"C:\tools\mfpack.exe", build / "bin" / "mfpack.exe")
        prefix.run(r"C:\tools\mfpack.exe", "--help", timeout=60)  # warm the prefix

        start = time.monotonic()
        for archive in archives:
            windows = "D:\\" + str(archive.relative_to(medium.root)).replace("/", "\\")
            process = prefix.run(r"C:\tools\mfpack.exe", "extract", windows, r"C:\extracted", timeout=600)
            assert process.exit_code == 0, process.errors()
        tool = time.monotonic() - start

        start = time.monotonic()
        setup = prefix.run(r"D:\DISK01\setup.exe", "/B", timeout=600)
        installer = time.monotonic() - start
        assert setup.exit_code == 0
    work_seconds = installer - TITLE_PAGE_MINIMUM
    print(f"medium: {total / 1e6:.1f} MB in {len(archives)} archives and 1 plain file")
    print(f"{'mfpack.exe extract (Wine)':34s} {tool:7.2f} s")
    print(f"{'setup.exe /B (Wine)':34s} {installer:7.2f} s  (of which {TITLE_PAGE_MINIMUM:.0f} s title page)")
    print(f"{'ratio installer / tool':34s} {installer / tool:7.2f}")
    print(f"{'ratio without the title page':34s} {work_seconds / tool:7.2f}   (goal: at most 1.25)")
    return 0


if __name__ == "__main__":
    sys.exit(main(Path(sys.argv[1]) if len(sys.argv) > 1 else REPO / "build" / "win32"))
