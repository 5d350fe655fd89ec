#!/usr/bin/env python3
"""Rewraps the lh5 entries of a single-volume multi-file archive as an LHA archive (level-0
headers), so that other extractors decode exactly our streams. Usage: to_lha.py ARCHIVE SOURCEDIR OUT"""
import os
import struct
import sys

ENTRY_SIZE = 346


def crc16(data):
    table = []
    for n in range(256):
        value = n
        for _ in range(8):
            value = (value >> 1) ^ 0xA001 if value & 1 else value >> 1
        table.append(value)
    crc = 0
    for byte in data:
        crc = (crc >> 8) ^ table[(crc ^ byte) & 0xFF]
    return crc


def main():
    archive, source_dir, out_path = sys.argv[1:4]
    data = open(archive, "rb").read()
    position = 8
    out = bytearray()
    while position + ENTRY_SIZE <= len(data):
        header = data[position:position + ENTRY_SIZE]
        name = header[16:276].split(b"\0")[0]
        original, packed = struct.unpack("<II", header[276:284])
        method, = struct.unpack("<I", header[292:296])
        raw = data[position + ENTRY_SIZE:position + ENTRY_SIZE + packed]
        position += ENTRY_SIZE + packed
        if method != 3:
            continue
        plain = open(os.path.join(source_dir, name.decode()), "rb").read()
        basic = (b"-lh5-" + struct.pack("<III", len(raw), original, 0x21000000) + bytes([0x20, 0, len(name)])
                 + name + struct.pack("<H", crc16(plain)))
        out += bytes([len(basic), sum(basic) & 0xFF]) + basic + raw
    out += b"\0"
    open(out_path, "wb").write(out)


if __name__ == "__main__":
    main()
