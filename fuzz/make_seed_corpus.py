#!/usr/bin/env python3
"""Writes the BMP decoder's seed corpus: one small file of every accepted form.

Run from anywhere; the files land in fuzz/corpus/bmp_decoder beside this
script. The files are committed, so the build never needs to run this.
"""
import os
import struct

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", "bmp_decoder")


def info_header(width, height, bits, compression=0, size_image=0, colours_used=0, size=40):
    header = struct.pack("<IiiHHIIiiII", size, width, height, 1, bits, compression,
                         size_image, 2835, 2835, colours_used, 0)
    return header + bytes(size - 40)


def core_header(width, height, bits):
    return struct.pack("<IHHHH", 12, width, height, 1, bits)


def palette(entries, core=False):
    out = b""
    for i in range(entries):
        colour = bytes([(i * 37) & 255, (i * 91) & 255, (i * 53) & 255])
        out += colour if core else colour + b"\0"
    return out


def rows(width, height, bits, value):
    stride = (width * bits + 31) // 32 * 4
    out = bytearray()
    for y in range(height):
        row = bytearray(stride)
        for x in range(width):
            v = value(x, y)
            if bits == 1:
                row[x // 8] |= (v & 1) << (7 - x % 8)
            elif bits == 4:
                row[x // 2] |= (v & 15) << (4 if x % 2 == 0 else 0)
            else:
                row[x * bits // 8:(x + 1) * bits // 8] = (v & ((1 << bits) - 1)).to_bytes(bits // 8, "little")
        out += row
    return bytes(out)


def bm_file(info, data):
    return b"BM" + struct.pack("<IHHI", 14 + len(info) + len(data), 0, 0, 14 + len(info)) + info + data


def write(name, data):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)


def main():
    os.makedirs(HERE, exist_ok=True)
    pattern = lambda x, y: (x * 7 + y * 13) * 0x010203
    for bits in (1, 4, 8):
        write(f"indexed{bits}.bmp", bm_file(info_header(7, 3, bits) + palette(1 << bits),
                                            rows(7, 3, bits, pattern)))
    write("indexed8_short_palette.bmp", bm_file(info_header(5, 2, 8, colours_used=3) + palette(3),
                                                rows(5, 2, 8, pattern)))
    for bits in (16, 24, 32):
        write(f"direct{bits}.bmp", bm_file(info_header(5, 3, bits), rows(5, 3, bits, pattern)))
    write("top_down24.bmp", bm_file(info_header(5, -3, 24), rows(5, 3, 24, pattern)))
    masks = struct.pack("<III", 0xF800, 0x07E0, 0x001F)
    write("bitfields565.bmp", bm_file(info_header(5, 2, 16, compression=3) + masks, rows(5, 2, 16, pattern)))
    masks = struct.pack("<III", 0x3FF00000, 0x000FFC00, 0x000003FF)
    write("bitfields101010.bmp", bm_file(info_header(3, 2, 32, compression=3) + masks, rows(3, 2, 32, pattern)))
    write("core8.bmp", bm_file(core_header(5, 2, 8) + palette(256, core=True), rows(5, 2, 8, pattern)))
    write("core24_packed.bmp", core_header(3, 2, 24) + rows(3, 2, 24, pattern))
    write("packed8.bmp", info_header(5, 2, 8, colours_used=4) + palette(4) + rows(5, 2, 8, pattern))
    rle8 = bytes([3, 1, 0, 3, 2, 3, 4, 0, 0, 0, 2, 0, 0, 2, 2, 1, 5, 4, 0, 1])
    write("rle8.bmp", bm_file(info_header(6, 3, 8, compression=1, size_image=len(rle8), colours_used=5)
                              + palette(5), rle8))
    rle4 = bytes([5, 0x12, 0, 3, 0x34, 0x50, 0, 0, 1, 0xF0, 0, 3, 0x67, 0x80, 3, 0x9A, 0, 1])
    write("rle4.bmp", bm_file(info_header(7, 2, 4, compression=2, size_image=len(rle4)) + palette(16), rle4))


if __name__ == "__main__":
    main()
