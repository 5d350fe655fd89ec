"""The Setup that ships is packed and unpacks itself in memory when it starts. A copy whose packed
bytes were damaged on the way (a bad diskette sector) says so in a message box and ends with exit
code 1; it never runs damaged code."""

import struct

import pytest

from exitcodes import exit_code_of, start_watched

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
