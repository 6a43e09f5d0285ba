#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpora: for the BMP decoder one small file of
every accepted form; for the other readers the inputs the system really gives
them (the forms the system starts a screensaver with, the renderer's words,
settings files as the dialog writes them in both languages, the options
XScreenSaver passes, X image layouts of 16, 24 and 32 bits in both orders).

Run from anywhere; the files land in fuzz/corpus/<target> beside this
script. The files are committed, so the build never needs to run this.
"""
import os
import struct

CORPUS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")
HERE = os.path.join(CORPUS, "bmp_decoder")


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


def seeds(target, inputs):
    folder = os.path.join(CORPUS, target)
    os.makedirs(folder, exist_ok=True)
    for name, data in inputs.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(data)


def sjis(text):
    return text.encode("shift_jis")


def pixels_layout(width, height, bits, big_endian, masks):
    step = bits // 8
    line = (width * step + 3) & ~3
    head = struct.pack("<hhiBBIII", width, height, line, bits, big_endian, *masks)
    body = bytes((i * 29 + 7) & 255 for i in range(line * height))
    return head + body


def other_seeds():
    # A first byte (odd: a Japanese code page), then the command line.
    seeds("screensaver_command_line", {
        "run": b"\1/s", "run_dash": b"\x00-S", "empty": b"\x00", "configure": b"\x00/c",
        "configure_owner": b"\1/c:1234", "preview": b"\x00/p 4567", "preview_colon": b"\1/p:4567",
        "unknown": b"\x00/a"})
    seeds("renderer_command_line", {
        "none": b"", "choices": b"/keep-resolution /every-monitor",
        "every_monitor": b"/every-monitor /monitor-photograph:3:\\\\.\\DISPLAY2 "
                         b"/monitor-photograph:4:\\\\.\\DISPLAY3",
        "no_photograph": b"/no-photograph", "unpaced": b"/unpaced", "thunder": b"/thunder"})
    # A byte (1: Japanese code page, 2: the file exists), then the values of
    # the kind, the repeat, the file, the display choices and thunder.
    seeds("settings_values", {
        "western": b"\2" + b"\x00".join([b" 2", b" 0", b"D:\\Sound\\rain.mp3", b"0", b"1", b"1"]),
        "japanese": b"\3" + b"\x00".join([b" 1", b" 12", sjis("C:\\音楽\\雨.mp3"), b"1", b"0", b"0"]),
        "none": b"\x00" + b"\x00".join([b" 0", b" 0", b"", b"0", b"0", b"0"]),
        "odd": b"\1" + b"\x00".join([b"2.9", b"70000", b"a.wav", b"yes", b""])})
    seeds("text_conversion", {
        "japanese": "BGM区分 曲目をﾘﾋﾟｰﾄ".encode(), "path": sjis("C:\\音楽\\表.mp3"),
        "ascii": b"D:\\Sound\\rain.mp3"})
    # The environment's window first, then the arguments.
    seeds("hack_options", {
        "daemon": b"0x2a00007\x00--root", "alone": b"\x00-window\x00-fps",
        "copied": b"\x00-root\x00-install\x00-visual\x00default\x00-delay\x0020000\x00-no-fps",
        "window_id": b"\x00--window-id=0x400005\x00--delay=0",
        "geometry": b"\x00-geometry\x00640x480+10-20\x00-display\x00:0", "help": b"\x00--help"})
    seeds("desktop_pixels", {
        "rgb32_little": pixels_layout(4, 3, 32, 0, (0xFF0000, 0xFF00, 0xFF)),
        "rgb32_big": pixels_layout(4, 3, 32, 1, (0xFF0000, 0xFF00, 0xFF)),
        "rgb24_little": pixels_layout(5, 2, 24, 0, (0xFF0000, 0xFF00, 0xFF)),
        "rgb24_big": pixels_layout(5, 2, 24, 1, (0xFF0000, 0xFF00, 0xFF)),
        "rgb16_little": pixels_layout(5, 2, 16, 0, (0xF800, 0x7E0, 0x1F)),
        "rgb16_big": pixels_layout(5, 2, 16, 1, (0xF800, 0x7E0, 0x1F)),
        "rgb30_little": pixels_layout(3, 2, 32, 0, (0x3FF00000, 0xFFC00, 0x3FF))})


if __name__ == "__main__":
    main()
    other_seeds()
