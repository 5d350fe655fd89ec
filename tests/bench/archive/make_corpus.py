#!/usr/bin/env python3
"""Writes the benchmark's deterministic mixed corpus (about 24 MB) into the given directory:
text, binary-like tables and code, repetitive data and random bytes, 3 MB per file."""
import os
import struct
import sys

SIZE = 3 * 1024 * 1024


class Lcg:
    """A small fixed generator, so that the corpus is the same on every machine."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF

    def next(self):
        self.state = (self.state * 1103515245 + 12345) & 0xFFFFFFFF
        return self.state >> 8


WORDS = ("the installer copies every file of the selected groups from its diskettes into the "
         "destination directory and records it in the uninstall log so that Unsetup can remove "
         "it again shared libraries are counted registry keys created shortcuts placed program "
         "manager groups built while the progress gauge shows the share of bytes done Kalmora "
         "4.0 Setup Windows NT 95 archive volume entry header checksum error dialog").split()


def text(seed):
    rng = Lcg(seed)
    out = bytearray()
    line = 0
    while len(out) < SIZE:
        word = WORDS[rng.next() % len(WORDS)]
        if rng.next() % 23 == 0:
            word = word.capitalize()
        out += word.encode() + b" "
        line += len(word) + 1
        if line > 70:
            out += b"\r\n"
            line = 0
    return bytes(out[:SIZE])


def binary(seed):
    rng = Lcg(seed)
    out = bytearray()
    opcodes = [bytes.fromhex(h) for h in ("558bec", "83ec10", "8b4508", "50", "e8", "c3", "33c0",
                                          "8945fc", "6a00", "ff15", "85c0", "7405", "eb")]
    address = 0x401000
    while len(out) < SIZE:
        kind = rng.next() % 4
        if kind == 0:  # a table of growing addresses
            for _ in range(16):
                address += rng.next() % 64
                out += struct.pack("<I", address)
        elif kind == 1:  # code-like byte sequences
            for _ in range(24):
                out += opcodes[rng.next() % len(opcodes)]
                if rng.next() % 3 == 0:
                    out += struct.pack("<I", address + rng.next() % 4096)
        elif kind == 2:  # a string section
            out += WORDS[rng.next() % len(WORDS)].encode() + b"\0"
        else:  # padding
            out += b"\0" * (rng.next() % 48)
    return bytes(out[:SIZE])


def repetitive(seed):
    rng = Lcg(seed)
    pattern = bytes(rng.next() & 0xFF for _ in range(1 + rng.next() % 200))
    out = bytearray()
    while len(out) < SIZE:
        out += pattern * (1 + rng.next() % 40)
        if rng.next() % 5 == 0:
            pattern = bytes(rng.next() & 0xFF for _ in range(1 + rng.next() % 200))
    return bytes(out[:SIZE])


def random_bytes(seed):
    rng = Lcg(seed)
    return bytes(rng.next() & 0xFF for _ in range(SIZE))


def main():
    directory = sys.argv[1]
    os.makedirs(directory, exist_ok=True)
    makers = [("text1.txt", text, 1), ("text2.txt", text, 2), ("text3.txt", text, 3),
              ("prog1.bin", binary, 4), ("prog2.bin", binary, 5), ("prog3.bin", binary, 6),
              ("repeat.dat", repetitive, 7), ("random.dat", random_bytes, 8)]
    for name, maker, seed in makers:
        path = os.path.join(directory, name)
        if not os.path.exists(path):
            with open(path, "wb") as out:
                out.write(maker(seed))
        print(path)


if __name__ == "__main__":
    main()
