"""Round trips and refusals of resources/art/rle8.py."""
import os
import sys
import unittest

ART_DIR = os.environ.get('KALMORA_ART_DIR') or os.path.join(
    os.path.dirname(os.path.abspath(__file__)), '..', '..', '..', 'resources', 'art')
sys.path.insert(0, ART_DIR)
import rle8  # noqa: E402

# Rows alike in shape to what the encoder must split: runs at and past the 255 limit, literal
# stretches of odd and even length (padding), one and two pixels between runs.
ROWS = [
    bytes([7]),
    bytes([1, 2]),
    bytes([1, 2, 3]),
    bytes([4, 4, 4, 9, 4, 4, 4]),
    bytes([5] * 255),
    bytes([5] * 256),
    bytes([5] * 600 + [6]),
    bytes(range(256)),
    bytes(range(255)) + bytes([0] * 3) + bytes(range(7)),
    bytes([1, 1, 2, 2, 3, 3, 4, 4, 4]),
    bytes((i * 7) % 3 for i in range(333)),
    bytes([0] * 17),
]


class RoundTrip(unittest.TestCase):
    def test_rows(self):
        for n, row in enumerate(ROWS):
            data = rle8.encode_rle8([row])
            self.assertEqual(rle8.decode_rle8(data, len(row), 1), [row], 'row %d' % n)

    def test_absolute_stretches_end_on_a_word(self):
        for n, row in enumerate(ROWS):
            self.assertEqual(len(rle8.encode_row(row)) % 2, 0, 'row %d' % n)

    def test_committed_pictures(self):
        names = sorted(n for n in os.listdir(ART_DIR) if n.endswith('.bmp'))
        self.assertGreaterEqual(len(names), 14)
        for name in names:
            with open(os.path.join(ART_DIR, name), 'rb') as f:
                original = f.read()
            encoded = rle8.to_rle8(original)
            before, after = rle8.read_bmp8(original), rle8.read_bmp8(encoded)
            self.assertEqual(after.info[5], rle8.BI_RLE8, name)
            self.assertEqual((after.width, after.height), (before.width, before.height), name)
            self.assertEqual(after.colour_table, before.colour_table, name)
            for y in range(before.height):
                self.assertEqual(after.rows[y], before.rows[y], '%s line %d' % (name, y))
            self.assertLess(len(encoded), len(original), name)


class Refusals(unittest.TestCase):
    CASES = [
        ('no end of bitmap', bytes([3, 1, 0, 0]), 3, 1),
        ('run past the line end', bytes([4, 1, 0, 0, 0, 1]), 3, 1),
        ('absolute past the line end', bytes([0, 4, 1, 2, 3, 4, 0, 0, 0, 1]), 3, 1),
        ('absolute past the data', bytes([0, 5, 1, 2]), 5, 1),
        ('line ends short', bytes([2, 1, 0, 0, 0, 1]), 3, 1),
        ('more lines than the picture', bytes([3, 1, 0, 0, 3, 1, 0, 0, 0, 1]), 3, 1),
        ('fewer lines than the picture', bytes([3, 1, 0, 0, 0, 1]), 3, 2),
        ('delta leaves pixels unset', bytes([0, 2, 1, 0, 2, 1, 0, 1]), 3, 1),
    ]

    def test_malformed(self):
        for what, data, width, height in self.CASES:
            with self.assertRaises(rle8.BmpError, msg=what):
                rle8.decode_rle8(data, width, height)

    def test_not_an_eight_bit_bmp(self):
        with open(os.path.join(ART_DIR, 'title.bmp'), 'rb') as f:
            data = bytearray(f.read())
        data[28] = 24  # biBitCount
        with self.assertRaises(rle8.BmpError):
            rle8.to_rle8(bytes(data))
        with self.assertRaises(rle8.BmpError):
            rle8.to_rle8(rle8.to_rle8(open(os.path.join(ART_DIR, 'title.bmp'), 'rb').read()))


if __name__ == '__main__':
    unittest.main()
