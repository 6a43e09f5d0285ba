#!/usr/bin/env python3
"""Writes a table of crafted BMP files that claim more than a renderer should
ever take: huge run-length claims from little data, huge uncompressed claims,
and widths, heights and pixel counts at and just past the decoder's caps
(16384 a side, 2^26 pixels). Each file holds the data its claim needs (else it
would be refused as a conversion error before the caps are looked at), except
where the name says so.

    bench/crafted_bmps.py DIR                 the whole table into DIR
    bench/crafted_bmps.py --largest-into DIR  only the fuzz seeds (the largest claims)

Prints one line per file: name, bytes, claimed width x height, and what the
decoder should make of it.
"""
import os
import struct
import sys


def info_header(width, height, bits, compression=0, size_image=0, colours_used=0):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression, size_image,
                       2835, 2835, colours_used, 0)


def bm_file(info, palette, data):
    offset = 14 + len(info) + len(palette)
    return b"BM" + struct.pack("<IHHI", offset + len(data), 0, 0, offset) + info + palette + data


def rle8(width, height, data_bytes):
    """Run-length data of end-of-line codes only: every pixel black."""
    data = bytes(data_bytes)
    return bm_file(info_header(width, height, 8, 1, len(data), 1), b"\xff\xff\xff\x00", data)


def uncompressed(width, height, bits):
    rows = abs(height)
    stride = (width * bits + 31) // 32 * 4
    palette = b"\x00\x00\x00\x00\xff\xff\xff\x00" if bits == 1 else b""
    return bm_file(info_header(width, height, bits, 0, 0, 2 if bits == 1 else 0), palette,
                   bytes(stride * rows))


def claim_only(width, height, bits):
    """A header that claims the picture, with a few bytes of data."""
    return bm_file(info_header(width, height, bits), b"", bytes(64))


# name, builder, width, height, expected
TABLE = [
    ("rle8_width_1.6e9.bmp", lambda: rle8(1_600_000_000, 1, 1_600_000), 1_600_000_000, 1,
     "Out of memory."),
    ("rle8_40000x40000.bmp", lambda: rle8(40000, 40000, 800_000), 40000, 40000, "Out of memory."),
    ("rle8_16384x4096_at_pixel_cap.bmp", lambda: rle8(16384, 4096, 65536), 16384, 4096,
     "decodes"),
    ("rle8_16384x4097_past_pixel_cap.bmp", lambda: rle8(16384, 4097, 65536), 16384, 4097,
     "Out of memory."),
    ("rle8_8193x8193_past_pixel_cap.bmp", lambda: rle8(8193, 8193, 65536), 8193, 8193,
     "Out of memory."),
    ("bits1_8192x8192_at_pixel_cap.bmp", lambda: uncompressed(8192, 8192, 1), 8192, 8192,
     "decodes"),
    ("bits1_8192x8193_past_pixel_cap.bmp", lambda: uncompressed(8192, 8193, 1), 8192, 8193,
     "Out of memory."),
    ("bits1_65536x1024_past_side_cap.bmp", lambda: uncompressed(65536, 1024, 1), 65536, 1024,
     "Out of memory."),
    ("bits24_16384x2_at_side_cap.bmp", lambda: uncompressed(16384, 2, 24), 16384, 2, "decodes"),
    ("bits24_16385x2_past_side_cap.bmp", lambda: uncompressed(16385, 2, 24), 16385, 2,
     "Out of memory."),
    ("bits24_2x16384_at_side_cap.bmp", lambda: uncompressed(2, 16384, 24), 2, 16384, "decodes"),
    ("bits24_2x16385_past_side_cap.bmp", lambda: uncompressed(2, 16385, 24), 2, 16385,
     "Out of memory."),
    ("bits24_2x-16385_top_down_past.bmp", lambda: uncompressed(2, -16385, 24), 2, -16385,
     "Out of memory."),
    ("bits24_100000x100000_no_data.bmp", lambda: claim_only(100000, 100000, 24), 100000, 100000,
     "Image file conversion error."),
    ("bits1_2147483647x2_no_data.bmp", lambda: claim_only(0x7FFFFFFF, 2, 1), 0x7FFFFFFF, 2,
     "Image file conversion error."),
]

# The seeds the fuzz corpus keeps: the largest claim, and the most pixels that decode.
SEEDS = ["rle8_width_1.6e9.bmp", "rle8_16384x4096_at_pixel_cap.bmp"]


def main(argv):
    if len(argv) == 3 and argv[1] == "--largest-into":
        names, folder = SEEDS, argv[2]
    elif len(argv) == 2 and not argv[1].startswith("-"):
        names, folder = [row[0] for row in TABLE], argv[1]
    else:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    os.makedirs(folder, exist_ok=True)
    for name, build, width, height, expected in TABLE:
        if name not in names:
            continue
        data = build()
        with open(os.path.join(folder, name), "wb") as out:
            out.write(data)
        print(f"{name}\t{len(data)}\t{width}x{height}\t{expected}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
