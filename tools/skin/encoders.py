"""File writers for the skin art: PNG, BMP, GIF (with LZW) and WAV.

Every writer takes 8-bit values and returns bytes; nothing here depends on the time, the
platform or a hash order, so the same input always gives the same file.
"""

import struct
import zlib


def png(width, height, rgba):
    """RGBA rows (bytes, 4 per pixel, top row first) as a PNG, colour type 6."""
    stride = width * 4
    raw = bytearray()
    prev = bytes(stride)
    for y in range(height):
        row = rgba[y * stride:(y + 1) * stride]
        # The Sub and Up filters shrink flat art a lot; pick the smaller per row.
        sub = bytearray(row)
        for i in range(stride - 1, 3, -1):
            sub[i] = (row[i] - row[i - 4]) & 0xFF
        up = bytes((a - b) & 0xFF for a, b in zip(row, prev))
        if _cost(sub) <= _cost(up):
            raw.append(1)
            raw += sub
        else:
            raw.append(2)
            raw += up
        prev = row

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def _cost(row):
    return sum(v if v < 128 else 256 - v for v in row)


def bmp(width, height, rgb):
    """RGB rows (3 per pixel, top row first) as a 24-bit bottom-up Windows bitmap."""
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for y in range(height - 1, -1, -1):
        row = rgb[y * width * 3:(y + 1) * width * 3]
        for x in range(width):
            r, g, b = row[x * 3:x * 3 + 3]
            pixels += bytes((b, g, r))
        pixels += bytes(stride - width * 3)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return head + info + bytes(pixels)


def gif(width, height, palette, frames, transparent=None, loop=True):
    """An 89a picture with one global colour table.

    palette: list of (r, g, b), at most 256 entries. frames: list of (indices, delay in
    1/100 s), each a full width x height frame of palette indices. transparent: the index
    drawn as see-through, or None. More than one frame adds a looping application block.
    """
    bits = 1
    while (1 << bits) < max(2, len(palette)):
        bits += 1
    table = bytearray()
    for i in range(1 << bits):
        table += bytes(palette[i] if i < len(palette) else (0, 0, 0))
    out = bytearray(b"GIF89a")
    out += struct.pack("<HHBBB", width, height, 0x80 | ((bits - 1) << 4) | (bits - 1), 0, 0)
    out += table
    if len(frames) > 1 and loop:
        out += b"\x21\xff\x0bNETSCAPE2.0\x03\x01\x00\x00\x00"
    for indices, delay in frames:
        packed = 0x08 if len(frames) > 1 else 0  # restore to background between frames
        if transparent is not None:
            packed |= 1
        out += struct.pack("<BBBBHBB", 0x21, 0xF9, 4, packed, delay,
                           transparent if transparent is not None else 0, 0)
        out += struct.pack("<BHHHHB", 0x2C, 0, 0, width, height, 0)
        code_size = max(2, bits)
        out.append(code_size)
        data = _lzw(indices, code_size)
        for i in range(0, len(data), 255):
            block = data[i:i + 255]
            out.append(len(block))
            out += block
        out.append(0)
    out.append(0x3B)
    return bytes(out)


def _lzw(indices, min_size):
    """Variable-width LZW as GIF expects: clear code first, end code last, LSB first."""
    clear = 1 << min_size
    end = clear + 1
    out = bytearray()
    acc = 0
    nbits = 0

    def emit(code, width):
        nonlocal acc, nbits
        acc |= code << nbits
        nbits += width
        while nbits >= 8:
            out.append(acc & 0xFF)
            acc >>= 8
            nbits -= 8

    def reset():
        return {(i,): i for i in range(clear)}, end + 1, min_size + 1

    table, next_code, width = reset()
    emit(clear, width)
    current = ()
    for index in indices:
        candidate = current + (index,)
        if candidate in table:
            current = candidate
            continue
        emit(table[current], width)
        if next_code < 4096:
            table[candidate] = next_code
            next_code += 1
            if next_code > (1 << width) and width < 12:
                width += 1
        else:
            emit(clear, width)
            table, next_code, width = reset()
        current = (index,)
    if current:
        emit(table[current], width)
        # The decoder adds one more entry on reading that code and may widen before the
        # end code.
        if next_code == (1 << width) and width < 12:
            width += 1
    emit(end, width)
    if nbits:
        out.append(acc & 0xFF)
    return bytes(out)


def wav(rate, samples):
    """Mono 16-bit PCM from integer samples."""
    data = struct.pack("<%dh" % len(samples), *samples)
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate * 2, 2, 16)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(data)) + data
    return b"RIFF" + struct.pack("<I", len(body)) + body
