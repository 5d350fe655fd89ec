"""Reads a shell link (.lnk) file: the fields that Setup sets, straight from the file (the shell's
own GetShowCmd is unreliable under Wine after a load)."""

import struct
from dataclasses import dataclass
from pathlib import Path

HAS_ID_LIST, HAS_LINK_INFO, HAS_NAME, HAS_RELATIVE_PATH = 0x1, 0x2, 0x4, 0x8
HAS_WORKING_DIR, HAS_ARGUMENTS, HAS_ICON_LOCATION, IS_UNICODE = 0x10, 0x20, 0x40, 0x80
HEADER_SIZE = 0x4C


@dataclass
class ShellLink:
    path: str
    description: str
    working_directory: str
    arguments: str
    icon_location: str
    icon_index: int
    show_command: int
    hot_key: int


def _ansi_at(data: bytes, offset: int) -> str:
    end = data.index(b"\0", offset)
    return data[offset:end].decode("latin-1")


def read_link(file: Path) -> ShellLink:
    data = Path(file).read_bytes()
    if len(data) < HEADER_SIZE or struct.unpack_from("<I", data, 0)[0] != HEADER_SIZE:
        raise ValueError(f"{file}: not a shell link")
    flags = struct.unpack_from("<I", data, 0x14)[0]
    icon_index, show_command, hot_key = struct.unpack_from("<iIH", data, 0x38)
    at = HEADER_SIZE
    if flags & HAS_ID_LIST:
        at += 2 + struct.unpack_from("<H", data, at)[0]
    path = ""
    if flags & HAS_LINK_INFO:
        size, _, info_flags, _, base_offset, _, suffix_offset = struct.unpack_from("<7I", data, at)
        if info_flags & 1:
            path = _ansi_at(data, at + base_offset) + _ansi_at(data, at + suffix_offset)
        at += size
    strings = {}
    for flag in (HAS_NAME, HAS_RELATIVE_PATH, HAS_WORKING_DIR, HAS_ARGUMENTS, HAS_ICON_LOCATION):
        if flags & flag:
            count = struct.unpack_from("<H", data, at)[0]
            at += 2
            width = 2 if flags & IS_UNICODE else 1
            raw = data[at:at + count * width]
            # Wine counts the terminating zero that the format leaves out.
            strings[flag] = raw.decode("utf-16-le" if width == 2 else "latin-1").rstrip("\0")
            at += count * width
    return ShellLink(path=path, description=strings.get(HAS_NAME, ""),
                     working_directory=strings.get(HAS_WORKING_DIR, ""),
                     arguments=strings.get(HAS_ARGUMENTS, ""), icon_location=strings.get(HAS_ICON_LOCATION, ""),
                     icon_index=icon_index, show_command=show_command, hot_key=hot_key)
