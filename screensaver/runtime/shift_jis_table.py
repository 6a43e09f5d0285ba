#!/usr/bin/env python3
"""Writes shift_jis_table.inc: the double-byte characters of code page 932.

Run from this folder: python3 shift_jis_table.py > shift_jis_table.inc
The unit test of the converter checks the table against the C library's
CP932 converter, in both directions.
"""

LEADS = list(range(0x81, 0xA0)) + list(range(0xE0, 0xFD))
TRAILS = list(range(0x40, 0x7F)) + list(range(0x80, 0xFD))
NO_CHARACTER = "\ufffd"


def row(lead):
    characters = []
    for trail in TRAILS:
        try:
            characters.append(bytes([lead, trail]).decode("cp932"))
        except UnicodeDecodeError:
            characters.append(NO_CHARACTER)
    return "".join(characters)


def main():
    print("// The double-byte characters of code page 932 (Shift-JIS as Windows has it):")
    print("// one row per lead byte (0x81-0x9F, 0xE0-0xFC), one character per trail byte")
    print("// (0x40-0x7E, 0x80-0xFC); U+FFFD marks a pair that names no character.")
    print("// Written by shift_jis_table.py; do not edit.")
    print("// clang-format off")
    print(f"static const char* const kDoubleByteRows[{len(LEADS)}] = {{")
    for lead in LEADS:
        print(f'    /* {lead:02X} */ "{row(lead)}",')
    print("};")
    print("// clang-format on")


if __name__ == "__main__":
    main()
