"""The size of the Setup that ships (the i686 release build, build/win32, packed) against the goal
that leaves room on the first diskette, the sections of the program as linked, and what its
start-up code's unpacking costs; then the demo's product built by mkmedia as a 1.44 MB diskette set
with that Setup, and how much of diskette 1 the product gets."""

import os
import struct
import subprocess
import sys
import tempfile
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(REPO / "tests"))
sys.path.insert(0, str(REPO / "tests" / "e2e"))
sys.path.insert(0, str(REPO / "tests" / "demo"))

import demo  # noqa: E402

GOAL = 400 * 1024


def sections(program: Path) -> list:
    """(name, bytes) of each section, as objdump lists them."""
    listing = subprocess.run(["i686-w64-mingw32-objdump", "-h", str(program)], capture_output=True, text=True,
                             check=True).stdout
    found = []
    for line in listing.splitlines():
        fields = line.split()
        if len(fields) >= 3 and fields[0].isdigit():
            found.append((fields[1], int(fields[2], 16)))
    return found


def section_table(program: Path) -> list:
    """(name, bytes in the file, bytes in memory) of each section, from the section table."""
    data = program.read_bytes()
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    count, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
    table = pe + 24 + optional_size
    found = []
    for index in range(count):
        name, virtual_size, _, raw_size = struct.unpack_from("<8sIII", data, table + 40 * index)
        found.append((name.rstrip(b"\0").decode(), raw_size, virtual_size))
    return found


def main() -> int:
    program = REPO / "build" / "win32" / "bin" / "setup.exe"
    linked = REPO / "build" / "win32" / "unpacked" / "setup.exe"
    if not program.exists() or not linked.exists():
        raise SystemExit(f"{program} not found: ./run build makes the i686 product")
    size = program.stat().st_size
    print(f"setup.exe (i686, release, packed): {size} bytes; goal at most {GOAL} bytes "
          f"({'met' if size <= GOAL else 'NOT met'})")
    print(f"as linked, before packing: {linked.stat().st_size} bytes")
    for name, bytes_ in sections(linked):
        print(f"  {name:10s} {bytes_:8d} bytes")
    print("packed, each section's bytes in the file and in memory:")
    for name, in_file, in_memory in section_table(program):
        print(f"  {name:10s} {in_file:8d} bytes {in_memory:8d} in memory")
    host = Path(os.environ.get("KALMORA_HOST_BUILD", REPO / "build" / "release"))
    subprocess.run([str(host / "bin" / "exepack"), "--measure", str(program)], check=True)
    with tempfile.TemporaryDirectory(prefix="kalmora-bench-size-") as work:
        demo.show_diskette_set(Path(work))
    return 0


if __name__ == "__main__":
    sys.exit(main())
