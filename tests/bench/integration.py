"""Benchmark of the integration after copying: an unattended installation of the demo product (its
real programs, COM servers and install profile) in a fresh prefix per run, on each Windows
version. Setup reports each step's time as a debugger message, which Wine's debug channel prints
with the rest; the figures are those, medians of several runs. Prints the figures."""

import os
import re
import shutil
import statistics
import sys
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(REPO / "tests"))
sys.path.insert(0, str(REPO / "tests" / "e2e"))
sys.path.insert(0, str(REPO / "tests" / "demo"))

os.environ["WINEDEBUG"] = "-all,+debugstr"  # before the harness makes its environments

from demo import DEMO_GROUPS, DEMO_PROFILE  # noqa: E402
from harness import WinePrefix, ensure_template, test_tree, wine_loader  # noqa: E402
from install import describe_tree  # noqa: E402
from medium import Medium, with_product_programs  # noqa: E402

RUNS = int(os.environ.get("KALMORA_BENCH_RUNS", "3"))
GOAL = 1.0  # seconds for every integration step together
VERSIONS = ("win95", "nt40", "nt351")
STEP = re.compile(r'"Kalmora Setup: (.+): ([0-9.]+) ms\\n"')


def step_times(medium: Medium, version: str, template: Path) -> dict:
    """Milliseconds of each step of one unattended installation."""
    with WinePrefix.create(version, name="bench-integration", template=template) as prefix:
        prefix.map_drive("d", medium.setup_dir)
        setup = prefix.run(r"D:\setup.exe", "/B", timeout=300)
        if setup.exit_code != 0:
            raise RuntimeError(f"setup.exe /B on {version} ended with {setup.exit_code}")
        steps = {name: float(ms) for name, ms in STEP.findall(setup.errors())}
        if not steps:
            raise RuntimeError(f"setup.exe on {version} reported no integration step")
        return steps


def main(build: Path) -> int:
    work = Path("/tmp/kalmora-bench-integration")
    shutil.rmtree(work, ignore_errors=True)
    groups = with_product_programs(DEMO_GROUPS, build / "bin", real_program=True)
    medium = Medium(work / "medium", build / "bin" / "setup.exe", groups=groups)
    (medium.setup_dir / "ov_setup.ini").write_text(DEMO_PROFILE, newline="")
    template = ensure_template()
    print(f"build measured: {build} (setup.exe, {describe_tree(build)}, under {wine_loader()})")
    print(f"the demo product, unattended Typical installation; medians of {RUNS} runs, in ms")
    within_goal = True
    for version in VERSIONS:
        runs = [step_times(medium, version, template) for _ in range(RUNS)]
        print(f"{version}:")
        for name in runs[0]:
            times = [run.get(name, 0.0) for run in runs]
            print(f"  {name:36s} {statistics.median(times):8.1f}   (runs: {', '.join(f'{t:.1f}' for t in times)})")
        totals = [sum(run.values()) for run in runs]
        total = statistics.median(totals) / 1000
        within_goal = within_goal and total < GOAL
        print(f"  {'all steps':36s} {total * 1000:8.1f}   (goal: under {GOAL * 1000:.0f})")
    print("steps: from the end of copying to the last page; the scheduler start includes the wait until "
          "the scheduler takes input, the icons on NT 3.51 the conversation with Program Manager")
    if not within_goal:
        print("the integration steps took longer than the goal")
    return 0


if __name__ == "__main__":
    sys.exit(main(Path(sys.argv[1]) if len(sys.argv) > 1 else test_tree()))
