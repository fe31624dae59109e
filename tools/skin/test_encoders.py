"""The writers read back by independent readers: LZW by a GIF-style decoder that reads
through the end code, PNG rows through zlib and the filters."""

import random
import struct
import unittest
import zlib

import encoders


def lzw_decode(data, min_size):
    clear, end = 1 << min_size, (1 << min_size) + 1
    width, acc, nbits, pos = min_size + 1, 0, 0, 0
    table, prev, out = None, None, []
    while True:
        while nbits < width:
            if pos >= len(data):
                raise ValueError("ran out of data before the end code")
            acc |= data[pos] << nbits
            pos += 1
            nbits += 8
        code = acc & ((1 << width) - 1)
        acc >>= width
        nbits -= width
        if code == clear:
            table, prev, width = [[i] for i in range(clear)] + [None, None], None, min_size + 1
            continue
        if code == end:
            return out
        if prev is None:
            entry = table[code]
        else:
            entry = table[code] if code < len(table) else prev + [prev[0]]
            table.append(prev + [entry[0]])
            if len(table) == (1 << width) and width < 12:
                width += 1
        out += entry
        prev = entry


class Encoders(unittest.TestCase):
    def test_lzw_round_trips_through_every_code_width_and_table_reset(self):
        rng = random.Random(7)
        for _ in range(400):
            size = rng.randint(2, 8)
            symbols = rng.randint(2, 1 << size)
            n = rng.choice((1, 2, rng.randint(3, 400), rng.randint(400, 6000)))
            data = [rng.randrange(symbols) if rng.random() < 0.5 else rng.randrange(min(symbols, 3)) for _ in range(n)]
            self.assertEqual(lzw_decode(encoders._lzw(data, size), size), data, (size, symbols, n))

    def test_png_rows_come_back(self):
        rng = random.Random(3)
        w, h = 7, 5
        rgba = bytes(rng.randrange(256) for _ in range(w * h * 4))
        png = encoders.png(w, h, rgba)
        self.assertEqual(png[:8], b"\x89PNG\r\n\x1a\n")
        self.assertEqual(struct.unpack(">II", png[16:24]), (w, h))
        raw = zlib.decompress(png[png.index(b"IDAT") + 4:png.index(b"IEND") - 8])
        prev, rows = bytes(w * 4), b""
        for y in range(h):
            kind, row = raw[y * (w * 4 + 1)], bytearray(raw[y * (w * 4 + 1) + 1:(y + 1) * (w * 4 + 1)])
            for i in range(len(row)):
                row[i] = (row[i] + (row[i - 4] if kind == 1 and i >= 4 else prev[i] if kind == 2 else 0)) & 0xFF
            rows += row
            prev = bytes(row)
        self.assertEqual(rows, rgba)


if __name__ == "__main__":
    unittest.main()
