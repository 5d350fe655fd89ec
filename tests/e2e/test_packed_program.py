"""The Setup that ships is packed and unpacks itself in memory when it starts: it shows the same
pages as the program as linked, pixel for pixel. A copy whose packed bytes were damaged on the way
(a bad diskette sector) says so in a message box and ends with exit code 1; it never runs damaged
code."""

import struct

import pytest

from exitcodes import exit_code_of, start_watched
from harness.image import read_bmp
from medium import Medium
from walks import CANCEL_TO_THE_END

TABLE_FIELD, DATA_END, STREAMS_END = 4, 52, 56


def inside_the_packed_ranges(program: bytes) -> int:
    """File offset of a byte in the middle of the ranges' compressed data."""
    pe = struct.unpack_from("<I", program, 0x3C)[0]
    sections, optional_size = struct.unpack_from("<H12xH", program, pe + 6)
    table = pe + 24 + optional_size
    for index in range(sections):
        name, raw_size, raw_offset = struct.unpack_from("<8s8xII", program, table + 40 * index)
        if name.rstrip(b"\0") == b".unpack":
            table = raw_offset + struct.unpack_from("<I", program, raw_offset + TABLE_FIELD)[0]
            first, end = (struct.unpack_from("<I", program, table + field)[0] for field in (DATA_END, STREAMS_END))
            return raw_offset + (first + end) // 2
    raise AssertionError("setup.exe is not packed")


@pytest.mark.winver("win95", "nt351")
def test_a_damaged_packed_setup_says_so_and_ends(prefix, build, tmp_path, driver, artifacts):
    program = bytearray(build.exe("setup.exe").read_bytes())
    program[inside_the_packed_ranges(program)] ^= 0x10
    (tmp_path / "setup.exe").write_bytes(bytes(program))
    prefix.map_drive("d", tmp_path)
    setup = start_watched(prefix, build, r"D:\setup.exe")
    result = driver.check("wait-window Setup 30000\ntext 65535\nsleep 300\nscreenshot C:\\damaged.bmp\n"
                          "answer Setup ok\n")
    assert result.find("text")[0].text == ("This program is damaged and cannot start. "
                                           "Copy it again from its original disk.")
    (artifacts / "damaged-program.bmp").write_bytes(prefix.linux_path(r"C:\damaged.bmp").read_bytes())
    assert exit_code_of(setup, 30) == 1


@pytest.mark.winver("win95")
def test_the_packed_setup_shows_the_pages_of_the_program_as_linked(prefix, build, tmp_path, driver):
    linked = build.root / "unpacked" / "setup.exe"
    assert linked.is_file(), "the release tree keeps the program as linked in unpacked/"
    shots = {}
    for kind, program in (("linked", linked), ("packed", build.exe("setup.exe"))):
        medium = Medium(tmp_path / kind, build.exe("setup.exe"))
        (medium.setup_dir / "setup.exe").write_bytes(program.read_bytes())
        prefix.map_drive("d", medium.setup_dir)
        setup = prefix.start(r"D:\setup.exe", timeout=120)
        driver.check(f"wait-page 102 20000\nsleep 300\nscreenshot C:\\{kind}-title.bmp\nclick 1\n"
                     f"wait-page 128\nsleep 300\nscreenshot C:\\{kind}-licence.bmp\n" + CANCEL_TO_THE_END)
        setup.wait(30)
        shots[kind] = [read_bmp(prefix.linux_path(rf"C:\{kind}-{page}.bmp")).rows for page in ("title", "licence")]
    assert shots["packed"] == shots["linked"]
