// The renderer's BMP decoder against the platform's own conversion: every
// accepted form is generated, converted by StretchDIBits into a 24-bit DIB
// section exactly as the header copy of the renderer's loading steps would
// be, and compared byte for byte with what the decoder makes of the file.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "bmp_builder.h"
#include "bmp_decoder.h"

using namespace bmp_test;

namespace {

std::uint32_t read32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// The platform's conversion of a well-formed file, packed as the decoder
// packs its output (RGB, bottom row first, no fill bytes); nothing when the
// conversion yields no rows.
std::optional<std::vector<std::uint8_t>>
platform_conversion(const std::vector<std::uint8_t>& file) {
    const bool bm = file[0] == 'B' && file[1] == 'M';
    const std::uint8_t* header = file.data() + (bm ? 14 : 0);
    const std::uint32_t header_size = read32(header);

    // The header copy: widened to 40 bytes, with the image size and the
    // colour count filled in when the file leaves them 0.
    std::vector<std::uint8_t> info(sizeof(BITMAPINFOHEADER) + 256 * 4 + 12, 0);
    auto* copy = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
    std::size_t table_entries = 0;
    const std::uint8_t* colours = header + header_size;
    std::size_t entry_size = 4;
    if (header_size == 12) {
        copy->biWidth = header[4] | (header[5] << 8);
        copy->biHeight = header[6] | (header[7] << 8);
        copy->biPlanes = static_cast<WORD>(header[8] | (header[9] << 8));
        copy->biBitCount = static_cast<WORD>(header[10] | (header[11] << 8));
        copy->biCompression = BI_RGB;
        table_entries = copy->biBitCount <= 8 ? (1u << copy->biBitCount) : 0;
        copy->biClrUsed = copy->biClrImportant = static_cast<DWORD>(table_entries);
        entry_size = 3;
    } else {
        std::memcpy(copy, header, sizeof(BITMAPINFOHEADER));
        table_entries = copy->biClrUsed != 0 ? copy->biClrUsed
                        : (copy->biBitCount <= 8 && copy->biBitCount != 0)
                            ? (1u << copy->biBitCount)
                            : 0;
        if (copy->biClrUsed == 0) {
            copy->biClrUsed = static_cast<DWORD>(table_entries);
        }
    }
    copy->biSize = sizeof(BITMAPINFOHEADER);
    const int rows = copy->biHeight < 0 ? -copy->biHeight : copy->biHeight;
    if (copy->biSizeImage == 0) {
        copy->biSizeImage = (copy->biBitCount * copy->biWidth + 7) / 8 * rows;
    }
    const std::size_t masks = copy->biCompression == BI_BITFIELDS ? 12 : 0;
    std::uint8_t* out_colours = info.data() + sizeof(BITMAPINFOHEADER);
    std::memcpy(out_colours, colours, masks);
    const std::size_t copied = std::min<std::size_t>(table_entries, 256);
    for (std::size_t i = 0; i < copied; ++i) {
        std::memcpy(out_colours + masks + 4 * i, colours + masks + entry_size * i, 3);
    }
    const std::uint8_t* bits =
        bm ? file.data() + read32(file.data() + 10) : colours + masks + entry_size * table_entries;

    BITMAPINFO target{};
    target.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    target.bmiHeader.biWidth = copy->biWidth;
    target.bmiHeader.biHeight = rows;
    target.bmiHeader.biPlanes = 1;
    target.bmiHeader.biBitCount = 24;
    target.bmiHeader.biCompression = BI_RGB;
    HDC dc = CreateCompatibleDC(nullptr);
    void* target_bits = nullptr;
    HBITMAP section = CreateDIBSection(dc, &target, DIB_RGB_COLORS, &target_bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(dc, section);
    const int lines =
        StretchDIBits(dc, 0, 0, copy->biWidth, rows, 0, 0, copy->biWidth, rows, bits,
                      reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS, SRCCOPY);
    GdiFlush();

    std::optional<std::vector<std::uint8_t>> packed;
    if (lines > 0) {
        const std::size_t width = static_cast<std::size_t>(copy->biWidth);
        const std::size_t stride = (width * 3 + 3) & ~std::size_t{3};
        packed.emplace();
        const auto* converted = static_cast<const std::uint8_t*>(target_bits);
        for (int row = 0; row < rows; ++row) {
            const std::uint8_t* p = converted + stride * row;
            for (std::size_t x = 0; x < width; ++x, p += 3) {
                packed->insert(packed->end(), {p[2], p[1], p[0]});
            }
        }
    }
    SelectObject(dc, previous);
    DeleteObject(section);
    DeleteDC(dc);
    return packed;
}

struct Case {
    std::string name;
    std::vector<std::uint8_t> file;
};

std::mt19937 g_random(20240611);

std::uint32_t random_below(std::uint32_t limit) {
    return std::uniform_int_distribution<std::uint32_t>(0, limit - 1)(g_random);
}

std::vector<Colour> random_palette(std::size_t entries) {
    std::vector<Colour> palette(entries);
    for (Colour& c : palette) {
        c = random_below(0x1000000);
    }
    return palette;
}

// Pixel values chosen at random once per picture, for the given depth.
std::vector<std::uint8_t> random_rows(int width, int rows, int bits) {
    std::vector<std::uint32_t> values(static_cast<std::size_t>(width) * rows);
    for (std::uint32_t& v : values) {
        v = bits >= 32 ? static_cast<std::uint32_t>(g_random()) : random_below(1u << bits);
    }
    return stored_rows(width, rows, bits, [&](int x, int y) { return values[y * width + x]; });
}

void add_uncompressed(std::vector<Case>& cases) {
    for (int bits : {1, 4, 8}) {
        const std::size_t full = std::size_t{1} << bits;
        for (int width : {1, 2, 3, 5, 7, 9, 13, 17, 31, 33}) {
            for (std::size_t entries : {full, full / 2 + 1, std::size_t{1}}) {
                for (int direction : {1, -1}) {
                    BmpLayout layout =
                        bmp_layout(width, 5 * direction, static_cast<std::uint16_t>(bits));
                    layout.palette = random_palette(entries);
                    layout.colours_used = entries == full ? 0 : static_cast<std::uint32_t>(entries);
                    layout.pixels = random_rows(width, 5, bits);
                    cases.push_back({std::to_string(bits) + " bits, width " +
                                         std::to_string(width) + ", " + std::to_string(entries) +
                                         " colours" + (direction < 0 ? ", top-down" : ""),
                                     build_bmp(layout)});
                }
            }
        }
    }
    for (int bits : {16, 24, 32}) {
        for (int width : {1, 2, 3, 4, 5, 6, 7, 11}) {
            for (int direction : {1, -1}) {
                BmpLayout layout =
                    bmp_layout(width, 4 * direction, static_cast<std::uint16_t>(bits));
                layout.pixels = random_rows(width, 4, bits);
                cases.push_back({std::to_string(bits) + " bits, width " + std::to_string(width) +
                                     (direction < 0 ? ", top-down" : ""),
                                 build_bmp(layout)});
            }
        }
    }
}

void add_bit_fields(std::vector<Case>& cases) {
    struct Masks {
        const char* name;
        std::uint16_t bits;
        std::array<std::uint32_t, 3> masks;
    };
    const Masks all[] = {
        {"565", 16, {0xf800, 0x07e0, 0x001f}},
        {"555", 16, {0x7c00, 0x03e0, 0x001f}},
        {"444", 16, {0x0f00, 0x00f0, 0x000f}},
        {"16-bit zero green", 16, {0xf800, 0, 0x001f}},
        {"16-bit two-bit and one-bit fields", 16, {0x0003, 0x0004, 0x0008}},
        {"16-bit non-contiguous", 16, {0x0f0f, 0x00f0, 0xf000}},
        {"16-bit 8-8 fields", 16, {0xff00, 0x00ff, 0x0f00}},
        {"888", 32, {0xff0000, 0x00ff00, 0x0000ff}},
        {"888 reversed", 32, {0x0000ff, 0x00ff00, 0xff0000}},
        {"888 in the top bytes", 32, {0xff000000, 0x00ff0000, 0x0000ff00}},
        {"10-10-10", 32, {0x3ff00000, 0x000ffc00, 0x000003ff}},
        {"32-bit 565", 32, {0xf800, 0x07e0, 0x001f}},
        {"32-bit zero red", 32, {0, 0x00ff00, 0x0000ff}},
        {"32-bit wide fields", 32, {0xffff0000, 0x0000ff00, 0x000000ff}},
    };
    for (const Masks& m : all) {
        for (int direction : {1, -1}) {
            for (bool packed : {false, true}) {
                BmpLayout layout = bmp_layout(5, 3 * direction, m.bits);
                layout.compression = BI_BITFIELDS;
                layout.masks = m.masks;
                layout.packed = packed;
                layout.pixels = random_rows(5, 3, m.bits);
                cases.push_back({std::string("bit fields ") + m.name +
                                     (direction < 0 ? ", top-down" : "") +
                                     (packed ? ", packed" : ""),
                                 build_bmp(layout)});
            }
        }
    }
}

void add_headers_and_packing(std::vector<Case>& cases) {
    for (int bits : {1, 4, 8, 24}) {
        for (bool packed : {false, true}) {
            BmpLayout layout = bmp_layout(7, 3, static_cast<std::uint16_t>(bits));
            layout.header_size = 12;
            layout.packed = packed;
            layout.palette =
                bits <= 8 ? random_palette(std::size_t{1} << bits) : std::vector<Colour>{};
            layout.pixels = random_rows(7, 3, bits);
            cases.push_back(
                {"core header, " + std::to_string(bits) + " bits" + (packed ? ", packed" : ""),
                 build_bmp(layout)});
        }
    }
    for (int bits : {4, 8, 16, 24, 32}) {
        BmpLayout layout = bmp_layout(6, 3, static_cast<std::uint16_t>(bits));
        layout.packed = true;
        layout.palette =
            random_palette(bits <= 8 ? 6 : 2); // a colour table ahead of direct colours too
        layout.colours_used = static_cast<std::uint32_t>(layout.palette.size());
        layout.pixels = random_rows(6, 3, bits);
        cases.push_back({"packed, " + std::to_string(bits) + " bits with a counted colour table",
                         build_bmp(layout)});
    }
    BmpLayout many = bmp_layout(9, 2, 8);
    many.palette = random_palette(300);
    many.colours_used = 300;
    many.pixels = random_rows(9, 2, 8);
    cases.push_back({"8 bits, 300 colours counted", build_bmp(many)});
}

std::vector<std::uint8_t> rle(std::uint32_t compression, int width, int height,
                              std::vector<std::uint8_t> stream, std::size_t palette_entries) {
    BmpLayout layout = bmp_layout(width, height, compression == BI_RLE8 ? 8 : 4);
    layout.compression = compression;
    layout.palette = random_palette(palette_entries);
    layout.colours_used = static_cast<std::uint32_t>(palette_entries);
    layout.size_image = static_cast<std::uint32_t>(stream.size());
    layout.pixels = std::move(stream);
    return build_bmp(layout);
}

// A run-length stream of random codes: runs (some past the row's end),
// absolute runs of odd and even lengths, deltas, ends of line, and an end.
std::vector<std::uint8_t> random_stream(bool four, int width, int height, bool end_code) {
    std::vector<std::uint8_t> s;
    const int codes = width * height / 6 + 8;
    for (int i = 0; i < codes; ++i) {
        const std::uint32_t kind = random_below(10);
        if (kind < 4) {
            s.push_back(static_cast<std::uint8_t>(1 + random_below(width / 2 + 4)));
            s.push_back(static_cast<std::uint8_t>(random_below(256)));
        } else if (kind < 7) {
            const std::uint32_t count = 3 + random_below(width / 2 + 4);
            const std::uint32_t bytes = four ? (count + 1) / 2 : count;
            s.push_back(0);
            s.push_back(static_cast<std::uint8_t>(count));
            for (std::uint32_t b = 0; b < bytes; ++b) {
                s.push_back(static_cast<std::uint8_t>(random_below(256)));
            }
            if (bytes % 2 != 0) {
                s.push_back(0);
            }
        } else if (kind < 9) {
            s.insert(s.end(), {0, 0});
        } else {
            s.insert(s.end(), {0, 2, static_cast<std::uint8_t>(random_below(6)),
                               static_cast<std::uint8_t>(random_below(2))});
        }
    }
    if (end_code) {
        s.insert(s.end(), {0, 1});
    }
    return s;
}

void add_run_length(std::vector<Case>& cases) {
    const std::vector<std::pair<std::string, std::vector<std::uint8_t>>> rle8 = {
        {"runs, absolute, end of line, delta, end",
         {3, 1, 0, 3, 2, 3, 4, 0, 0, 0, 2, 0, 0, 2, 2, 1, 5, 4, 0, 1}},
        {"delta past the row's end", {1, 1, 0, 2, 9, 0, 1, 2, 0, 0, 1, 3, 0, 1}},
        {"end of line on the last row", {1, 1, 0, 0, 0, 0, 0, 0, 3, 2}},
        {"delta past the last row", {1, 1, 0, 2, 0, 5, 3, 2}},
        {"data run out", {4, 1, 0, 0, 2, 2}},
        {"absolute run cut short", {4, 1, 0, 0, 2, 3, 0, 5, 1, 2}},
        {"delta cut short", {2, 1, 0, 2, 1}},
        {"absolute run past the row's end", {0, 9, 1, 2, 3, 1, 2, 3, 1, 2, 3, 0, 0, 1}},
        {"no end code", {2, 1, 0, 0, 2, 2, 0, 0}},
    };
    for (const auto& [name, stream] : rle8) {
        cases.push_back({"RLE8 " + name, rle(BI_RLE8, 6, 3, stream, 5)});
    }
    const std::vector<std::pair<std::string, std::vector<std::uint8_t>>> rle4 = {
        {"alternating runs and odd absolute runs",
         {5, 0x12, 0, 3, 0x34, 0x50, 0, 0, 1, 0xf0, 0, 3, 0x67, 0x80, 3, 0x9a, 0, 1}},
        {"absolute run at an odd column past the row's end",
         {1, 0x11, 0, 9, 0x12, 0x34, 0x56, 0x78, 0x90, 0, 0, 1}},
        {"data run out", {7, 0x21, 0, 0, 3, 0x45}},
    };
    for (const auto& [name, stream] : rle4) {
        cases.push_back({"RLE4 " + name, rle(BI_RLE4, 7, 2, stream, 16)});
    }
    for (int i = 0; i < 24; ++i) {
        const bool four = i % 2 == 1;
        const int width = 5 + static_cast<int>(random_below(40));
        const int height = 2 + static_cast<int>(random_below(20));
        cases.push_back({std::string(four ? "RLE4" : "RLE8") + " random " + std::to_string(i),
                         rle(four ? BI_RLE4 : BI_RLE8, width, height,
                             random_stream(four, width, height, i % 3 != 0), four ? 16 : 256)});
    }
}

TEST(BmpDecoderAgainstPlatform, EveryAcceptedFormDecodesExactlyAsThePlatformConvertsIt) {
    std::vector<Case> cases;
    add_uncompressed(cases);
    add_bit_fields(cases);
    add_headers_and_packing(cases);
    add_run_length(cases);

    int compared = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto expected = platform_conversion(c.file);
        ASSERT_TRUE(expected.has_value()) << "the platform refused a well-formed file";
        const BmpDecodeResult decoded = decode_bmp(c.file);
        ASSERT_TRUE(decoded.image.has_value()) << bmp_error_text(decoded.error);
        const std::vector<std::uint8_t> actual(
            decoded.image->pixels.get(), decoded.image->pixels.get() + decoded.image->size_bytes());
        EXPECT_EQ(actual, *expected);
        ++compared;
    }
    std::printf("compared %d files with the platform's conversion\n", compared);
}

// Files the decoder refuses as "Image file conversion error." because of their
// header values: the platform's conversion yields no rows for them either.
TEST(BmpDecoderAgainstPlatform, HeadersThePlatformRefusesAreConversionErrors) {
    const std::vector<std::pair<std::string, std::function<void(BmpLayout&)>>> changes = {
        {"zero planes", [](BmpLayout& s) { s.planes = 0; }},
        {"two bits", [](BmpLayout& s) { s.bits = 2; }},
        {"zero width", [](BmpLayout& s) { s.width = 0; }},
        {"negative width", [](BmpLayout& s) { s.width = -4; }},
        {"24 bits with bit fields",
         [](BmpLayout& s) {
             s.compression = BI_BITFIELDS;
             s.masks = std::array<std::uint32_t, 3>{0xff0000, 0xff00, 0xff};
         }},
        {"JPEG compression", [](BmpLayout& s) { s.compression = BI_JPEG; }},
        {"8 bits with 4-bit run length",
         [](BmpLayout& s) {
             s.bits = 8;
             s.compression = BI_RLE4;
             s.palette.resize(256);
         }},
        {"top-down 8-bit run length",
         [](BmpLayout& s) {
             s.bits = 8;
             s.compression = BI_RLE8;
             s.height = -4;
             s.palette.resize(256);
             s.size_image = 4;
         }},
    };
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        BmpLayout layout = bmp_layout(4, 4, 24);
        layout.pixels = random_rows(4, 4, 24);
        change(layout);
        const std::vector<std::uint8_t> file = build_bmp(layout);
        EXPECT_FALSE(platform_conversion(file).has_value());
        EXPECT_EQ(decode_bmp(file).error, BmpError::conversion_failed);
    }
}

} // namespace
