#!/usr/bin/env python3
"""Writes the hand-made seeds of the BMP fuzz target: one small valid file of
each form the reader knows (header forms, bit depths, run-length codes, bit
fields, top-down rows). Run from the repository root. The committed corpus is
what a long fuzzing run grew from these seeds, minimised with -merge=1; the
files named after their hashes come from that run."""
import struct
from pathlib import Path

OUT = Path(__file__).resolve().parent / "corpus" / "bmp"


def rows(width, height, bits, value):
    pitch = (width * bits + 31) // 32 * 4
    out = bytearray()
    for y in range(height):
        row = bytearray(pitch)
        for x in range(width):
            v = value(x, y)
            if bits == 1:
                row[x // 8] |= (v & 1) << (7 - x % 8)
            elif bits == 4:
                row[x // 2] |= (v & 15) << (0 if x % 2 else 4)
            else:
                row[x * bits // 8:(x + 1) * bits // 8] = (v & ((1 << bits) - 1)).to_bytes(bits // 8, "little")
        out += row
    return bytes(out)


def bmp(width, height, bits, pixels, *, core=False, file_header=True, compression=0,
        colours=None, clr_used=0, masks=None):
    if core:
        info = struct.pack("<IHHHH", 12, width, height, 1, bits)
    else:
        info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression, len(pixels),
                           2835, 2835, clr_used, 0)
    if masks:
        info += struct.pack("<III", *masks)
    for r, g, b in colours or []:
        info += bytes([b, g, r]) if core else bytes([b, g, r, 0])
    if not file_header:
        return info + pixels
    head = b"BM" + struct.pack("<IHHI", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return head + info + pixels


def palette(n):
    return [((i * 37 + 5) & 255, (255 - i * 11) & 255, (i * 71 + 100) & 255) for i in range(n)]


def main():
    OUT.mkdir(parents=True, exist_ok=True)
    w, h = 5, 3
    files = {}
    for bits in (1, 4, 8, 16, 24, 32):
        n = 1 << bits if bits <= 8 else 0
        data = rows(w, h, bits, lambda x, y: x * 7 + y * 3 + (x * y << 9))
        for core in (False, True):
            for fh in (True, False):
                name = f"{'core' if core else 'info'}_{bits}bit{'' if fh else '_bare'}.bmp"
                files[name] = bmp(w, h, bits, data, core=core, file_header=fh, colours=palette(n))
    files["info_8bit_16colours.bmp"] = bmp(w, h, 8, rows(w, h, 8, lambda x, y: (x + y) % 16),
                                          colours=palette(16), clr_used=16)
    files["info_24bit_topdown.bmp"] = bmp(w, -h, 24, rows(w, h, 24, lambda x, y: x * 40503 + y))
    files["info_16bit_565.bmp"] = bmp(w, h, 16, rows(w, h, 16, lambda x, y: x * 4099 + y * 31),
                                      compression=3, masks=(0xF800, 0x07E0, 0x001F))
    files["info_32bit_fields.bmp"] = bmp(w, h, 32, rows(w, h, 32, lambda x, y: x * 0x01020304 + y),
                                         compression=3, masks=(0xFF, 0xFF00, 0xFF0000), file_header=False)
    rle8 = bytes([3, 1, 0, 3, 1, 2, 3, 0, 0, 0, 2, 9, 0, 2, 1, 1, 1, 4, 0, 0, 0, 4, 5, 6, 7, 8, 0, 0, 0, 1])
    files["info_rle8.bmp"] = bmp(5, 4, 8, rle8, compression=1, colours=palette(10), clr_used=10)
    rle4 = bytes([5, 0x12, 0, 0, 0, 3, 0xAB, 0xC0, 0, 2, 1, 1, 3, 0xEF, 0, 0, 0, 5, 0x12, 0x34, 0x50, 0, 0, 0, 0, 1])
    files["info_rle4.bmp"] = bmp(5, 4, 4, rle4, compression=2, colours=palette(16))
    files["info_rle4_bare.bmp"] = bmp(5, 4, 4, rle4, compression=2, colours=palette(16), file_header=False)
    for name, data in files.items():
        (OUT / name).write_bytes(data)


if __name__ == "__main__":
    main()
