"""Benchmark of Setup's registry work under Wine: runs the test tree's registry_bench.exe in a
fresh NT 4.0 prefix and prints what it measured (our registry entries and shared DLL counts against
the bare registry calls and the same log writes, in the same run)."""

import sys
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(REPO / "tests"))

from harness import WinePrefix, ensure_template, test_tree, wine_loader  # noqa: E402

sys.path.insert(0, str(REPO / "tests" / "bench"))
from install import describe_tree  # noqa: E402


def main(build: Path) -> int:
    bench = build / "bin" / "registry_bench.exe"
    print(f"build measured: {build} (registry_bench.exe, {describe_tree(build)}, under {wine_loader()}, nt40)")
    with WinePrefix.create("nt40", name="bench-registry", template=ensure_template()) as prefix:
        prefix.place(r"C:\tools\registry_bench.exe", bench)
        prefix.run(r"C:\windows\system32\cmd.exe", "/c", "exit", timeout=60)  # warm the server
        process = prefix.run(r"C:\tools\registry_bench.exe", timeout=600)
        print(process.output().replace("\r\n", "\n"), end="")
        if process.exit_code != 0:
            print(process.errors(), file=sys.stderr)
            return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(Path(sys.argv[1]) if len(sys.argv) > 1 else test_tree()))
