#!/usr/bin/env python3
"""Stores an uncompressed 8-bit BMP run-length encoded (BI_RLE8), the form in which Windows 95
loads a bitmap resource as well as uncompressed, so that the pictures take less of the diskette.

Usage: rle8.py INPUT.bmp OUTPUT.bmp
The committed pictures stay uncompressed: they are what any viewer opens and what the check
compares the decoded pixels with.
"""
import os
import struct
import sys

BI_RGB = 0
BI_RLE8 = 1
# After a zero count byte, the second byte says what follows (an escape).
ESCAPE_END_OF_LINE = 0
ESCAPE_END_OF_BITMAP = 1
ESCAPE_DELTA = 2  # two more bytes: pixels right, lines up
MIN_ABSOLUTE = 3  # an escape byte of 3 or more starts that many literal pixels
MAX_COUNT = 255
FILE_HEADER = struct.Struct('<2sIHHI')
INFO_HEADER = struct.Struct('<IiiHHIIiiII')


class BmpError(ValueError):
    pass


class Bmp8:
    """The parts of an 8-bit BMP file: its info header fields, colour table and pixel rows
    (bottom-up, as stored, without the padding)."""

    def __init__(self, width, height, info, colour_table, rows):
        self.width = width
        self.height = height
        self.info = info
        self.colour_table = colour_table
        self.rows = rows


def read_bmp8(data):
    """Parses an 8-bit bottom-up BMP, uncompressed or RLE8; anything else is refused."""
    if len(data) < FILE_HEADER.size + INFO_HEADER.size:
        raise BmpError('file too short for its headers')
    magic, _, _, _, offset = FILE_HEADER.unpack_from(data, 0)
    info = list(INFO_HEADER.unpack_from(data, FILE_HEADER.size))
    size, width, height, planes, bits, compression, image_size, _, _, used, _ = info
    if magic != b'BM' or size != INFO_HEADER.size:
        raise BmpError('not a BMP with a BITMAPINFOHEADER')
    if planes != 1 or bits != 8 or width <= 0 or height <= 0:
        raise BmpError('not an 8-bit bottom-up picture')
    colours = used or 256
    table_start = FILE_HEADER.size + INFO_HEADER.size
    if colours > 256 or offset < table_start + 4 * colours or offset > len(data):
        raise BmpError('colour table or pixel offset out of place')
    colour_table = data[table_start:table_start + 4 * colours]
    bits_data = data[offset:]
    if compression == BI_RGB:
        rows = split_rows(bits_data, width, height)
    elif compression == BI_RLE8:
        if image_size > len(bits_data):
            raise BmpError('compressed size beyond the end of the file')
        rows = decode_rle8(bits_data[:image_size], width, height)
    else:
        raise BmpError('compression %d is neither BI_RGB nor BI_RLE8' % compression)
    return Bmp8(width, height, info, colour_table, rows)


def split_rows(data, width, height):
    stride = (width + 3) & ~3
    if len(data) < stride * height:
        raise BmpError('pixel rows cut short')
    return [bytes(data[y * stride:y * stride + width]) for y in range(height)]


def encode_row(row):
    """One line: runs of three or more alike as counted runs, whatever lies between as literal
    (absolute) stretches; a stretch of one or two pixels is cheaper as runs of one."""
    out = bytearray()
    literal = bytearray()
    i = 0
    while i < len(row):
        run = 1
        while i + run < len(row) and run < MAX_COUNT and row[i + run] == row[i]:
            run += 1
        if run >= 3:
            flush_literal(out, literal)
            out += bytes((run, row[i]))
        else:
            literal += row[i:i + run]
        i += run
    flush_literal(out, literal)
    return out


def flush_literal(out, literal):
    while literal:
        piece = literal[:MAX_COUNT]
        del literal[:MAX_COUNT]
        if len(piece) < MIN_ABSOLUTE:
            for value in piece:
                out += bytes((1, value))
        else:
            # An absolute stretch ends on a 16-bit boundary.
            out += bytes((0, len(piece))) + piece + b'\0' * (len(piece) & 1)


def encode_rle8(rows):
    out = bytearray()
    for row in rows:
        out += encode_row(row)
        out += bytes((0, ESCAPE_END_OF_LINE))
    out += bytes((0, ESCAPE_END_OF_BITMAP))
    return bytes(out)


def decode_rle8(data, width, height):
    """Decodes BI_RLE8 data into bottom-up rows. Refuses what would write outside the picture
    or leave pixels unset: a resource must say every pixel itself."""
    rows = [bytearray() for _ in range(height)]
    y = 0
    i = 0
    while True:
        if i + 2 > len(data):
            raise BmpError('no end-of-bitmap escape')
        count, value = data[i], data[i + 1]
        i += 2
        if count:
            put(rows, y, width, bytes((value,)) * count)
        elif value == ESCAPE_END_OF_LINE:
            check_line_done(rows, y, width)
            y += 1
        elif value == ESCAPE_END_OF_BITMAP:
            break
        elif value == ESCAPE_DELTA:
            raise BmpError('a delta leaves pixels unset')
        else:
            end = i + value
            if end > len(data):
                raise BmpError('absolute stretch beyond the data')
            put(rows, y, width, data[i:end])
            i = end + (value & 1)
    if y < height:
        check_line_done(rows, y, width)
        y += 1
    if y != height or i != len(data) and any(data[i:]):
        raise BmpError('%d of %d lines decoded' % (y, height))
    return [bytes(r) for r in rows]


def put(rows, y, width, pixels):
    if y >= len(rows) or len(rows[y]) + len(pixels) > width:
        raise BmpError('pixels beyond line end or picture top at line %d' % y)
    rows[y] += pixels


def check_line_done(rows, y, width):
    if y >= len(rows) or len(rows[y]) != width:
        raise BmpError('line %d ends with %d of %d pixels' % (y, len(rows[y]) if y < len(rows) else 0, width))


def to_rle8(data):
    """The same picture as an RLE8 BMP file: headers and colour table as they were, the
    compression and sizes updated."""
    picture = read_bmp8(data)
    if picture.info[5] != BI_RGB:
        raise BmpError('already compressed')
    encoded = encode_rle8(picture.rows)
    info = list(picture.info)
    info[5] = BI_RLE8
    info[6] = len(encoded)
    offset = FILE_HEADER.size + INFO_HEADER.size + len(picture.colour_table)
    return (FILE_HEADER.pack(b'BM', offset + len(encoded), 0, 0, offset) + INFO_HEADER.pack(*info)
            + picture.colour_table + encoded)


def main(argv):
    if len(argv) != 3:
        print('usage: rle8.py INPUT.bmp OUTPUT.bmp', file=sys.stderr)
        return 2
    with open(argv[1], 'rb') as f:
        data = f.read()
    try:
        encoded = to_rle8(data)
    except BmpError as e:
        print('%s: %s' % (argv[1], e), file=sys.stderr)
        return 1
    # Written under another name first: a failed run leaves no half-made picture for windres.
    with open(argv[2] + '.building', 'wb') as f:
        f.write(encoded)
    os.replace(argv[2] + '.building', argv[2])
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
