"""Benchmark of Unsetup's removal: an unattended installation of 1,000 small files in a fresh NT 4.0
prefix, a copy of what it left (files and log) kept aside; then, alternately, plain_removal.exe
(the log's sections read as the format requires, DeleteFile and RemoveDirectory, nothing else) and
Unsetup /U /B remove it, the installation put back from the copy before each. Unsetup's figure is
its removal page as it reports it in a debugger message (without the fixed 5-second wait of its
end); the yardstick's is its own. Medians of several runs. Prints the figures."""

import os
import re
import shutil
import statistics
import sys
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(REPO / "tests"))
sys.path.insert(0, str(REPO / "tests" / "e2e"))

os.environ["WINEDEBUG"] = "-all,+debugstr"  # before the harness makes its environments

from harness import WinePrefix, ensure_template, test_tree, wine_loader  # noqa: E402
from install import describe_tree  # noqa: E402
from installed import LOG  # noqa: E402
from medium import Medium  # noqa: E402

RUNS = int(os.environ.get("KALMORA_BENCH_RUNS", "5"))
FILES = 1000
GOAL = 2.0  # the removal page may take at most this many times the bare calls
REMOVAL = re.compile(r'"Kalmora Setup: removal: ([0-9.]+) ms\\n"')
PLAIN = re.compile(r"(\d+) files deleted in ([0-9.]+) ms")


def thousand_files() -> dict:
    files = {f"pic{n:04d}.kmp": 1000 + n % 500 for n in range(FILES)}
    return {"program": ("Kalmora 4.0 Program Files", "program", 1, 1, 1, 0, files)}


class Installation:
    """What Setup left in a prefix, kept aside so that it can be put back."""

    def __init__(self, prefix, keep: Path):
        self.prefix, self.keep = prefix, keep
        self.folder, self.log = prefix.linux_path(r"C:\KALMORA"), prefix.linux_path(LOG)
        shutil.copytree(self.folder, keep / "folder")
        shutil.copy2(self.log, keep / "log")

    def put_back(self) -> None:
        shutil.rmtree(self.folder, ignore_errors=True)
        shutil.copytree(self.keep / "folder", self.folder)
        shutil.copy2(self.keep / "log", self.log)


def main(build: Path) -> int:
    work = Path("/tmp/kalmora-bench-removal")
    shutil.rmtree(work, ignore_errors=True)
    medium = Medium(work / "medium", build / "bin" / "setup.exe", groups=thousand_files())
    plain, removal = [], []
    with WinePrefix.create("nt40", name="bench-removal", template=ensure_template()) as prefix:
        prefix.map_drive("d", medium.setup_dir)
        prefix.place(r"C:\tools\plain_removal.exe", build / "bin" / "plain_removal.exe")
        if prefix.run(r"D:\setup.exe", "/B", timeout=300).exit_code != 0:
            raise RuntimeError("setup.exe /B failed")
        installation = Installation(prefix, work / "kept")
        for _ in range(RUNS):
            installation.put_back()
            run = prefix.run(r"C:\tools\plain_removal.exe", LOG, timeout=300)
            deleted, ms = PLAIN.search(run.output()).groups()
            if int(deleted) < FILES:
                raise RuntimeError(f"plain_removal deleted only {deleted} files")
            plain.append(float(ms))
            installation.put_back()
            run = prefix.run(r"C:\KALMORA\unsetup.exe", "/U", "/B", timeout=300)
            found = REMOVAL.search(run.errors())
            if run.exit_code != 0 or not found:
                raise RuntimeError("unsetup.exe /U /B reported no removal")
            removal.append(float(found.group(1)))
            if any(prefix.linux_path(r"C:\KALMORA").glob("*.kmp")):
                raise RuntimeError("Unsetup left installed files behind")
    ratio = statistics.median(removal) / statistics.median(plain)
    print(f"build measured: {build} (setup.exe and plain_removal.exe, {describe_tree(build)}, under {wine_loader()}, nt40)")
    print(f"an installation of {FILES} files; medians of {RUNS} runs, in ms")
    print(f"{'plain_removal.exe (log reads, bare calls)':44s} {statistics.median(plain):8.1f}   (runs: {', '.join(f'{t:.1f}' for t in plain)})")
    print(f"{'Unsetup removal page':44s} {statistics.median(removal):8.1f}   (runs: {', '.join(f'{t:.1f}' for t in removal)})")
    print(f"{'ratio':44s} {ratio:8.2f}   (goal: at most {GOAL})")
    print("removal page: the 16 steps of Unsetup from the first status line to the deleted log, status "
          "lines and gauge included; without the start, the pages and the 5-second wait at its end")
    return 0


if __name__ == "__main__":
    sys.exit(main(Path(sys.argv[1]) if len(sys.argv) > 1 else test_tree()))
