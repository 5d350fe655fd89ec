"""Just enough image handling to check screenshots: 24/32-bit BMP files (the driver's GDI
screenshots) and 8-bit PNG files (ImageMagick's), and writing PNG files."""

import struct
import zlib
from pathlib import Path


class Image:
    """Pixels as rows of (red, green, blue) tuples, the top row first."""

    def __init__(self, width: int, height: int, rows):
        self.width = width
        self.height = height
        self.rows = rows

    def pixel(self, x: int, y: int):
        return self.rows[y][x]


def read_bmp(path: Path) -> Image:
    data = Path(path).read_bytes()
    if data[:2] != b"BM" or len(data) < 54:
        raise ValueError(f"{path}: not a BMP file")
    offset, = struct.unpack_from("<I", data, 10)
    _, width, height, _, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    if bits not in (24, 32) or compression != 0 or width <= 0 or height == 0:
        raise ValueError(f"{path}: only uncompressed 24/32-bit BMP files are read")
    step = bits // 8
    stride = (width * step + 3) // 4 * 4
    rows_count = abs(height)
    if offset + stride * rows_count > len(data):
        raise ValueError(f"{path}: truncated")
    rows = []
    for row in range(rows_count):
        start = offset + stride * row
        line = data[start:start + width * step]
        rows.append([(line[i + 2], line[i + 1], line[i]) for i in range(0, width * step, step)])
    if height > 0:  # bottom-up, the usual order
        rows.reverse()
    return Image(width, rows_count, rows)


def _chunks(data: bytes):
    pos = 8
    while pos + 8 <= len(data):
        length, kind = struct.unpack_from(">I4s", data, pos)
        yield kind, data[pos + 8:pos + 8 + length]
        pos += 12 + length


def _unfilter(raw: bytes, stride: int, step: int, height: int):
    rows, previous, pos = [], bytearray(stride), 0
    for _ in range(height):
        kind, line = raw[pos], bytearray(raw[pos + 1:pos + 1 + stride])
        pos += 1 + stride
        for i in range(stride):
            left = line[i - step] if i >= step else 0
            up = previous[i]
            corner = previous[i - step] if i >= step else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                predictor = left if pa <= pb and pa <= pc else up if pb <= pc else corner
                line[i] = (line[i] + predictor) & 0xFF
        rows.append(line)
        previous = line
    return rows


def read_png(path: Path) -> Image:
    data = Path(path).read_bytes()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(f"{path}: not a PNG file")
    header, palette, compressed = None, None, b""
    for kind, body in _chunks(data):
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"PLTE":
            palette = [tuple(body[i:i + 3]) for i in range(0, len(body), 3)]
        elif kind == b"IDAT":
            compressed += body
    if header is None:
        raise ValueError(f"{path}: no header")
    width, height, depth, colour, _, _, interlace = header
    channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}.get(colour)
    if depth != 8 or channels is None or interlace != 0 or (colour == 3 and not palette):
        raise ValueError(f"{path}: only 8-bit, non-interlaced PNG files are read")
    lines = _unfilter(zlib.decompress(compressed), width * channels, channels, height)
    rows = []
    for line in lines:
        if colour == 3:
            rows.append([palette[i] for i in line])
        elif colour in (0, 4):
            rows.append([(line[i], line[i], line[i]) for i in range(0, len(line), channels)])
        else:
            rows.append([tuple(line[i:i + 3]) for i in range(0, len(line), channels)])
    return Image(width, height, rows)


def write_png(image: Image, path: Path) -> Path:
    raw = b"".join(b"\0" + bytes(c for pixel in row for c in pixel) for row in image.rows)

    def chunk(kind: bytes, body: bytes) -> bytes:
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    header = struct.pack(">IIBBBBB", image.width, image.height, 8, 2, 0, 0, 0)
    Path(path).write_bytes(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                           chunk(b"IDAT", zlib.compress(raw, 6)) + chunk(b"IEND", b""))
    return Path(path)
