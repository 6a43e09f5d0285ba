// The BMP decoder, fed small files built byte by byte: each accepted form,
// the choices it makes where the format leaves one, and malformed files.

#include "bmp_decoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bmp_builder.h"

using namespace bmp_test;

namespace {

std::vector<std::uint8_t> pixels_of(const RgbImage& image) {
    return {image.pixels.get(), image.pixels.get() + image.size_bytes()};
}

// Decodes a file that must decode, and returns its RGB bytes.
std::vector<std::uint8_t> decode_ok(const std::vector<std::uint8_t>& file, int width, int height) {
    BmpDecodeResult result = decode_bmp(file);
    if (!result.image) {
        ADD_FAILURE() << "decoding failed: " << bmp_error_text(result.error);
        return {};
    }
    EXPECT_EQ(result.image->width, width);
    EXPECT_EQ(result.image->height, height);
    return pixels_of(*result.image);
}

// A 7 x 5 picture of six colours: odd width, so every row has fill bytes.
constexpr Colour kColours[6] = {0xff0000, 0x00ff00, 0x0000ff, 0xffffff, 0x123456, 0x000000};
int colour_index(int x, int y) {
    return (x + 2 * y) % 6;
}
Colour picture(int x, int y) {
    return kColours[colour_index(x, y)];
}
std::vector<Colour> six_colours() {
    return {std::begin(kColours), std::end(kColours)};
}

// A 5-bit channel widened to 8 bits by repeating its top bits.
std::uint32_t widen5(std::uint32_t v) {
    return (v << 3) | (v >> 2);
}

TEST(BmpDecoderFormats, SamePictureAs24And32And8BitsDecodesIdentically) {
    const auto expected = expected_rgb(7, 5, picture);

    BmpLayout rgb24 = bmp_layout(7, 5, 24);
    rgb24.pixels = stored_rows(7, 5, 24, picture);
    BmpLayout bgrx32 = bmp_layout(7, 5, 32);
    // The fourth byte of a plain 32-bit pixel is unused, whatever it holds.
    bgrx32.pixels = stored_rows(7, 5, 32, [](int x, int y) { return picture(x, y) | 0xab000000u; });
    BmpLayout indexed8 = bmp_layout(7, 5, 8);
    indexed8.palette = six_colours();
    indexed8.colours_used = 6;
    indexed8.pixels = stored_rows(7, 5, 8, colour_index);

    EXPECT_EQ(decode_ok(build_bmp(rgb24), 7, 5), expected);
    EXPECT_EQ(decode_ok(build_bmp(bgrx32), 7, 5), expected);
    EXPECT_EQ(decode_ok(build_bmp(indexed8), 7, 5), expected);
}

// Every width from 1 to 9 and each depth: rows must come out unskewed, which
// they do not if the fill bytes at the end of each stored row are misjudged.
TEST(BmpDecoderFormats, WidthsThatAreNotAMultipleOfFourComeOutUnskewed) {
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        for (int width = 1; width <= 9; ++width) {
            SCOPED_TRACE("bits " + std::to_string(bits) + ", width " + std::to_string(width));
            const int height = 3;
            BmpLayout layout = bmp_layout(width, height, static_cast<std::uint16_t>(bits));
            std::function<Colour(int, int)> colour;
            if (bits <= 8) {
                const int entries = 1 << bits;
                for (int i = 0; i < entries; ++i) {
                    layout.palette.push_back(0x010203u * static_cast<Colour>(i) + 0x400000u);
                }
                auto index = [entries](int x, int y) { return (x * 3 + y) % entries; };
                layout.pixels = stored_rows(width, height, bits, index);
                colour = [=](int x, int y) { return 0x010203u * index(x, y) + 0x400000u; };
            } else if (bits == 16) {
                auto word = [](int x, int y) {
                    return static_cast<std::uint32_t>(x * 1057 + y * 33);
                };
                layout.pixels = stored_rows(width, height, 16, word);
                colour = [=](int x, int y) {
                    const std::uint32_t w = word(x, y);
                    return (widen5((w >> 10) & 31) << 16) | (widen5((w >> 5) & 31) << 8) |
                           widen5(w & 31);
                };
            } else {
                colour = [](int x, int y) {
                    return static_cast<Colour>(x * 0x112233 + y * 0x0a0b0c) & 0xffffffu;
                };
                layout.pixels = stored_rows(width, height, bits, colour);
            }
            EXPECT_EQ(decode_ok(build_bmp(layout), width, height),
                      expected_rgb(width, height, colour));
        }
    }
}

TEST(BmpDecoderFormats, PaletteIndicesPastAShortColourTableShowBlack) {
    // Eight bits with three colours, four bits with two, one bit with one.
    struct Case {
        std::uint16_t bits;
        std::uint32_t entries;
    };
    for (const Case c : {Case{8, 3}, Case{4, 2}, Case{1, 1}}) {
        SCOPED_TRACE("bits " + std::to_string(c.bits));
        const int levels = 1 << c.bits;
        BmpLayout layout = bmp_layout(5, 2, c.bits);
        layout.palette = {0xff8040, 0x20c0e0, 0x808080};
        layout.palette.resize(c.entries);
        layout.colours_used = c.entries;
        auto index = [levels](int x, int y) {
            return static_cast<std::uint32_t>((x + 3 * y) % levels);
        };
        layout.pixels = stored_rows(5, 2, c.bits, index);
        const auto expected = expected_rgb(5, 2, [&](int x, int y) {
            const std::uint32_t i = index(x, y);
            return i < c.entries ? layout.palette[i] : 0u;
        });
        EXPECT_EQ(decode_ok(build_bmp(layout), 5, 2), expected);
    }
}

// A colour count beyond what the depth can index: the platform reads only the
// entries an index can reach; the file's data offset says where the pixels are.
TEST(BmpDecoderFormats, ColourCountBeyondTheDepthReadsOnlyReachableEntries) {
    BmpLayout layout = bmp_layout(7, 5, 8);
    layout.palette = six_colours();
    layout.palette.resize(256, 0x777777);
    layout.colours_used = 0xffffffffu;
    layout.pixels = stored_rows(7, 5, 8, colour_index);
    EXPECT_EQ(decode_ok(build_bmp(layout), 7, 5), expected_rgb(7, 5, picture));
}

TEST(BmpDecoderFormats, CoreHeaderWithThreeByteColourEntries) {
    BmpLayout indexed = bmp_layout(7, 5, 8);
    indexed.header_size = 12;
    indexed.palette = six_colours();
    indexed.palette.resize(256, 0x00ff00); // a core header always carries 2^bits entries
    indexed.pixels = stored_rows(7, 5, 8, colour_index);
    EXPECT_EQ(decode_ok(build_bmp(indexed), 7, 5), expected_rgb(7, 5, picture));

    BmpLayout mono = bmp_layout(9, 2, 1);
    mono.header_size = 12;
    mono.palette = {0x102030, 0xf0e0d0};
    mono.pixels =
        stored_rows(9, 2, 1, [](int x, int y) { return static_cast<std::uint32_t>((x + y) % 2); });
    EXPECT_EQ(decode_ok(build_bmp(mono), 9, 2),
              expected_rgb(9, 2, [](int x, int y) { return (x + y) % 2 ? 0xf0e0d0u : 0x102030u; }));

    BmpLayout direct = bmp_layout(7, 5, 24);
    direct.header_size = 12;
    direct.pixels = stored_rows(7, 5, 24, picture);
    EXPECT_EQ(decode_ok(build_bmp(direct), 7, 5), expected_rgb(7, 5, picture));
}

TEST(BmpDecoderFormats, PackedDibsFindTheirPixelsAfterHeaderAndColourTable) {
    // Forty-byte header, six of 256 possible entries.
    BmpLayout counted = bmp_layout(7, 5, 8);
    counted.palette = six_colours();
    counted.packed = true;
    counted.colours_used = 6;
    counted.pixels = stored_rows(7, 5, 8, colour_index);
    EXPECT_EQ(decode_ok(build_bmp(counted), 7, 5), expected_rgb(7, 5, picture));

    // Core header: always 2^bits three-byte entries.
    BmpLayout core = bmp_layout(7, 5, 4);
    core.header_size = 12;
    core.palette = six_colours();
    core.packed = true;
    core.palette.resize(16);
    core.pixels = stored_rows(7, 5, 4, colour_index);
    EXPECT_EQ(decode_ok(build_bmp(core), 7, 5), expected_rgb(7, 5, picture));

    // Bit fields: the pixels follow the three masks.
    BmpLayout masked = bmp_layout(3, 2, 16);
    masked.compression = 3;
    masked.packed = true;
    masked.masks = std::array<std::uint32_t, 3>{0xf800, 0x07e0, 0x001f};
    masked.pixels = stored_rows(3, 2, 16, [](int x, int) {
        return std::array<std::uint32_t, 3>{0xf800, 0x07e0, 0x001f}[x];
    });
    EXPECT_EQ(decode_ok(build_bmp(masked), 3, 2), expected_rgb(3, 2, [](int x, int) {
                  return std::array<Colour, 3>{0xff0000, 0x00ff00, 0x0000ff}[x];
              }));
}

// Top-down files store their top row first; the decoder's rows run bottom-up,
// so the picture comes out the same way up as its bottom-up twin.
TEST(BmpDecoderFormats, TopDownRowsComeOutUpright) {
    auto flipped = [](int x, int y) { return picture(x, 4 - y); };
    BmpLayout rgb24 = bmp_layout(7, -5, 24);
    rgb24.pixels = stored_rows(7, 5, 24, flipped);
    EXPECT_EQ(decode_ok(build_bmp(rgb24), 7, 5), expected_rgb(7, 5, picture));

    BmpLayout indexed = bmp_layout(7, -5, 8);
    indexed.palette = six_colours();
    indexed.colours_used = 6;
    indexed.pixels = stored_rows(
        7, 5, 8, [](int x, int y) { return static_cast<std::uint32_t>(colour_index(x, 4 - y)); });
    EXPECT_EQ(decode_ok(build_bmp(indexed), 7, 5), expected_rgb(7, 5, picture));

    BmpLayout masked = bmp_layout(7, -5, 32);
    masked.compression = 3;
    masked.masks = std::array<std::uint32_t, 3>{0xff0000, 0x00ff00, 0x0000ff};
    masked.pixels = stored_rows(7, 5, 32, flipped);
    EXPECT_EQ(decode_ok(build_bmp(masked), 7, 5), expected_rgb(7, 5, picture));
}

TEST(BmpDecoderFormats, SixteenBitPixelsAreFiveFiveFive) {
    struct Case {
        std::uint32_t pixel;
        Colour colour;
    };
    const std::vector<Case> cases = {
        {0x7fff, 0xffffff}, {0x0000, 0x000000}, {0x8000, 0x000000}, // the top bit is unused
        {0x7c00, 0xff0000}, {0x03e0, 0x00ff00}, {0x001f, 0x0000ff},
        {0x0001, 0x000008}, {0x0210, 0x008484}, {0x4210, 0x848484},
    };
    BmpLayout layout = bmp_layout(static_cast<std::int32_t>(cases.size()), 1, 16);
    layout.pixels = stored_rows(layout.width, 1, 16, [&](int x, int) { return cases[x].pixel; });
    EXPECT_EQ(decode_ok(build_bmp(layout), layout.width, 1),
              expected_rgb(layout.width, 1, [&](int x, int) { return cases[x].colour; }));
}

// Bit-field masks: each channel is the lowest run of set bits of its mask,
// widened to 8 bits by repeating its top bits; a zero mask gives 0.
TEST(BmpDecoderFormats, BitFieldMasksSelectAndWidenEachChannel) {
    struct Case {
        const char* name;
        std::uint16_t bits;
        std::array<std::uint32_t, 3> masks;
        std::uint32_t pixel;
        Colour colour;
    };
    const Case cases[] = {
        {"565 white", 16, {0xf800, 0x07e0, 0x001f}, 0xffff, 0xffffff},
        {"565 lowest green", 16, {0xf800, 0x07e0, 0x001f}, 0x0020, 0x000400},
        {"565 mid", 16, {0xf800, 0x07e0, 0x001f}, 0x8410, 0x848284},
        {"32-bit red in the low byte", 32, {0x0000ff, 0x00ff00, 0xff0000}, 0x00332211, 0x112233},
        {"10-bit fields", 32, {0x3ff00000, 0x000ffc00, 0x000003ff}, 0x3ff80001, 0xff8000},
        {"zero green mask", 32, {0xff0000, 0, 0x0000ff}, 0xffffffff, 0xff00ff},
        {"two-bit red", 16, {0x0003, 0x0000, 0x0000}, 0x0001, 0x500000},
        {"non-contiguous blue takes its lowest run", 16, {0, 0, 0x0f0f}, 0x0f0a, 0x0000aa},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BmpLayout layout = bmp_layout(1, 1, c.bits);
        layout.compression = 3;
        layout.masks = c.masks;
        layout.pixels = stored_rows(1, 1, c.bits, [&](int, int) { return c.pixel; });
        EXPECT_EQ(decode_ok(build_bmp(layout), 1, 1),
                  expected_rgb(1, 1, [&](int, int) { return c.colour; }));
    }
}

TEST(BmpDecoderFormats, LastRowsFillBytesMayBeMissing) {
    BmpLayout layout = bmp_layout(5, 2, 24);
    layout.pixels = stored_rows(5, 2, 24, picture);
    layout.pixels.resize(layout.pixels.size() - 1); // 16-byte rows of 15 pixel bytes
    EXPECT_EQ(decode_ok(build_bmp(layout), 5, 2), expected_rgb(5, 2, picture));
}

// Run-length palettes in these tests: index 0 is a dark grey, so that pixels
// no run paints (black) differ from pixels painted with index 0.
constexpr Colour K = 0x000000;
constexpr Colour Z = 0x101010;
constexpr Colour R = 0xff0000;
constexpr Colour G = 0x00ff00;
constexpr Colour B = 0x0000ff;
constexpr Colour W = 0xffffff;

std::vector<std::uint8_t> rle_file(std::uint32_t compression, int width, int height,
                                   std::vector<std::uint8_t> stream, std::vector<Colour> palette) {
    BmpLayout layout =
        bmp_layout(width, height, static_cast<std::uint16_t>(compression == 1 ? 8 : 4));
    layout.compression = compression;
    layout.palette = std::move(palette);
    layout.colours_used = static_cast<std::uint32_t>(layout.palette.size());
    layout.size_image = static_cast<std::uint32_t>(stream.size());
    layout.pixels = std::move(stream);
    return build_bmp(layout);
}

// rows[0] is the bottom row.
std::vector<std::uint8_t> rows_rgb(const std::vector<std::vector<Colour>>& rows) {
    return expected_rgb(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()),
                        [&](int x, int y) { return rows[y][x]; });
}

TEST(BmpDecoderRunLength, EightBitRunsAbsoluteRunsEndOfLineDeltaAndEndOfImage) {
    const std::vector<std::uint8_t> stream = {
        0x03, 0x01,                         // three of index 1
        0x00, 0x03, 0x02, 0x03, 0x04, 0x00, // absolute: 2 3 4, padded to an even length
        0x00, 0x00,                         // end of line
        0x02, 0x00,                         // two of index 0
        0x00, 0x02, 0x02, 0x01,             // delta: 2 right, 1 up
        0x05, 0x04,                         // five of index 4, cut at the row's end
        0x00, 0x01,                         // end of image
    };
    EXPECT_EQ(decode_ok(rle_file(1, 6, 3, stream, {Z, R, G, B, W}), 6, 3),
              rows_rgb({{R, R, R, G, B, W}, {Z, Z, K, K, K, K}, {K, K, K, K, W, W}}));
}

TEST(BmpDecoderRunLength, FourBitRunsAlternateTheirTwoIndices) {
    std::vector<Colour> palette(16);
    for (int i = 0; i < 16; ++i) {
        palette[i] = 0x0f0f0fu * static_cast<Colour>(i) + 0x000001u;
    }
    auto c = [&](int i) { return palette[i]; };
    const std::vector<std::uint8_t> stream = {
        0x05, 0x12,             // 1 2 1 2 1
        0x00, 0x03, 0x34, 0x50, // absolute 3 4 5, cut to 3 4 at the row's end
        0x00, 0x00,             // end of line
        0x01, 0xf0,             // f
        0x00, 0x03, 0x67, 0x80, // absolute 6 7 8, starting at an odd column
        0x03, 0x9a,             // 9 a 9, starting at an even column
        0x00, 0x01,
    };
    EXPECT_EQ(decode_ok(rle_file(2, 7, 2, stream, palette), 7, 2),
              rows_rgb({{c(1), c(2), c(1), c(2), c(1), c(3), c(4)},
                        {c(15), c(6), c(7), c(8), c(9), c(10), c(9)}}));
}

// Runs that go past a row or the image: the defined results.
TEST(BmpDecoderRunLength, RunsPastTheRowOrTheImageEndThere) {
    struct Case {
        const char* name;
        int width, height;
        std::vector<std::uint8_t> stream;
        std::vector<std::vector<Colour>> rows;
    };
    const Case cases[] = {
        {"a delta past the row's end stops at the end",
         4,
         2,
         {0x01, 0x01, 0x00, 0x02, 0x09, 0x00, 0x01, 0x02, 0x00, 0x00, 0x01, 0x03, 0x00, 0x01},
         {{R, K, K, K}, {B, K, K, K}}},
        {"an end of line on the last row ends the image",
         3,
         1,
         {0x01, 0x01, 0x00, 0x00, 0x03, 0x02},
         {{R, K, K}}},
        {"a delta past the last row ends the image",
         3,
         2,
         {0x01, 0x01, 0x00, 0x02, 0x00, 0x05, 0x03, 0x02},
         {{R, K, K}, {K, K, K}}},
        {"data that run out drop the runs since the last code",
         4,
         2,
         {0x04, 0x01, 0x00, 0x00, 0x02, 0x02},
         {{R, R, R, R}, {K, K, K, K}}},
        {"an absolute run cut short drops the runs since the last code",
         4,
         2,
         {0x04, 0x01, 0x00, 0x00, 0x02, 0x03, 0x00, 0x05, 0x01, 0x02},
         {{R, R, R, R}, {K, K, K, K}}},
        {"a delta cut short keeps the runs before it",
         4,
         1,
         {0x02, 0x01, 0x00, 0x02, 0x01},
         {{R, R, K, K}}},
        {"an absolute run past the row's end still consumes its data",
         2,
         1,
         {0x00, 0x04, 0x01, 0x02, 0x03, 0x01, 0x00, 0x01},
         {{R, G}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(
            decode_ok(rle_file(1, c.width, c.height, c.stream, {Z, R, G, B}), c.width, c.height),
            rows_rgb(c.rows));
    }
}

// An absolute run of 255 pixels occupies 256 bytes with its fill byte.
TEST(BmpDecoderRunLength, LongestAbsoluteRunSkipsItsFillByte) {
    std::vector<std::uint8_t> stream = {0x00, 0xff};
    stream.insert(stream.end(), 255, 0x01);
    stream.push_back(0x03); // the fill byte, never a pixel
    stream.insert(stream.end(), {0x02, 0x02, 0x00, 0x01});
    std::vector<Colour> row(300, K);
    std::fill(row.begin(), row.begin() + 255, R);
    row[255] = row[256] = G;
    EXPECT_EQ(decode_ok(rle_file(1, 300, 1, stream, {Z, R, G, B}), 300, 1), rows_rgb({row}));
}

// The header's image size bounds the stream; data beyond it are not read.
TEST(BmpDecoderRunLength, ImageSizeEndsTheStreamAndAZeroSizeMeansTheUncompressedSize) {
    const std::vector<std::uint8_t> stream = {0x02, 0x01, 0x00, 0x00, 0x02, 0x02, 0x00, 0x01};
    BmpLayout layout = bmp_layout(2, 2, 8);
    layout.compression = 1;
    layout.palette = {Z, R, G};
    layout.colours_used = 3;
    layout.pixels = stream;
    layout.size_image = 4; // only the first row's codes
    EXPECT_EQ(decode_ok(build_bmp(layout), 2, 2), rows_rgb({{R, R}, {K, K}}));
    layout.size_image = 0; // taken as 2 x 2 bytes: the same four
    EXPECT_EQ(decode_ok(build_bmp(layout), 2, 2), rows_rgb({{R, R}, {K, K}}));
    layout.size_image = 1000; // more than the file holds: the stream ends with the file
    EXPECT_EQ(decode_ok(build_bmp(layout), 2, 2), rows_rgb({{R, R}, {G, G}}));
}

// A well-formed 7 x 5 24-bit file to break in the malformed cases.
BmpLayout good_spec() {
    BmpLayout layout = bmp_layout(7, 5, 24);
    layout.pixels = stored_rows(7, 5, 24, picture);
    return layout;
}

template <typename Change>
std::vector<std::uint8_t> good_with(Change change) {
    BmpLayout layout = good_spec();
    change(layout);
    return build_bmp(layout);
}

std::vector<std::uint8_t> cut(std::vector<std::uint8_t> file, std::size_t size) {
    file.resize(size);
    return file;
}

TEST(BmpDecoderMalformed, EveryLyingFileGetsItsErrorAndNoPicture) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> file;
        BmpError error;
    };
    const std::vector<std::uint8_t> good = build_bmp(good_spec());
    const Case cases[] = {
        {"zero length", {}, BmpError::open_failed},
        {"only the signature", {'B', 'M'}, BmpError::unknown_format},
        {"file header cut short", cut(good, 12), BmpError::unknown_format},
        {"image header cut short", cut(good, 14 + 30), BmpError::unknown_format},
        {"packed header cut short", cut(good_with([](BmpLayout& s) { s.packed = true; }), 20),
         BmpError::unknown_format},
        {"header size 108", good_with([](BmpLayout& s) { s.header_size = 108; }),
         BmpError::unknown_format},
        {"header size 124", good_with([](BmpLayout& s) { s.header_size = 124; }),
         BmpError::unknown_format},
        {"header size 64", good_with([](BmpLayout& s) { s.header_size = 64; }),
         BmpError::unknown_format},
        {"header size 0", good_with([](BmpLayout& s) { s.header_size = 0; }),
         BmpError::unknown_format},
        {"colour table cut short", good_with([](BmpLayout& s) {
             s.bits = 8;
             s.palette.resize(10);
             s.pixels.clear();
         }),
         BmpError::unknown_format},
        {"bit-field masks missing",
         cut(good_with([](BmpLayout& s) {
                 s.bits = 16;
                 s.compression = 3;
                 s.packed = true;
             }),
             44),
         BmpError::unknown_format},
        {"truncated pixel data", cut(good, good.size() - 10), BmpError::conversion_failed},
        {"no pixel data at all", cut(good, 54), BmpError::conversion_failed},
        {"data offset past the end", good_with([](BmpLayout& s) { s.data_offset = 5000; }),
         BmpError::conversion_failed},
        {"data offset of 4 GiB", good_with([](BmpLayout& s) { s.data_offset = 0xffffffffu; }),
         BmpError::conversion_failed},
        {"huge dimensions in a tiny file", good_with([](BmpLayout& s) {
             s.width = 100000;
             s.height = 100000;
         }),
         BmpError::conversion_failed},
        {"largest dimensions at one bit", good_with([](BmpLayout& s) {
             s.bits = 1;
             s.width = 0x7fffffff;
             s.height = 0x7fffffff;
             s.palette = {0, W};
         }),
         BmpError::conversion_failed},
        {"lowest negative height", good_with([](BmpLayout& s) { s.height = INT32_MIN; }),
         BmpError::conversion_failed},
        {"huge run-length image in tiny data", rle_file(1, 60000, 60000, {0x00, 0x01}, {R}),
         BmpError::conversion_failed},
        {"run-length data of no bytes", rle_file(1, 2, 2, {}, {R}), BmpError::conversion_failed},
        {"huge colour count in a packed DIB", good_with([](BmpLayout& s) {
             s.bits = 8;
             s.packed = true;
             s.colours_used = 0xffffffffu;
             s.palette.resize(256);
         }),
         BmpError::conversion_failed},
        {"zero bit count", good_with([](BmpLayout& s) { s.bits = 0; }),
         BmpError::conversion_failed},
        {"two bits", good_with([](BmpLayout& s) { s.bits = 2; }), BmpError::conversion_failed},
        {"three bits", good_with([](BmpLayout& s) { s.bits = 3; }), BmpError::conversion_failed},
        {"seven bits", good_with([](BmpLayout& s) { s.bits = 7; }), BmpError::conversion_failed},
        {"thirty-three bits", good_with([](BmpLayout& s) { s.bits = 33; }),
         BmpError::conversion_failed},
        {"zero width", good_with([](BmpLayout& s) { s.width = 0; }), BmpError::conversion_failed},
        {"negative width", good_with([](BmpLayout& s) { s.width = -7; }),
         BmpError::conversion_failed},
        {"zero height", good_with([](BmpLayout& s) { s.height = 0; }), BmpError::conversion_failed},
        {"zero planes", good_with([](BmpLayout& s) { s.planes = 0; }), BmpError::conversion_failed},
        {"24 bits with bit fields", good_with([](BmpLayout& s) {
             s.compression = 3;
             s.masks = std::array<std::uint32_t, 3>{0xff0000, 0xff00, 0xff};
         }),
         BmpError::conversion_failed},
        {"8 bits with 4-bit run length", good_with([](BmpLayout& s) {
             s.bits = 8;
             s.compression = 2;
             s.palette.resize(256);
         }),
         BmpError::conversion_failed},
        {"JPEG compression", good_with([](BmpLayout& s) { s.compression = 4; }),
         BmpError::conversion_failed},
        {"PNG compression", good_with([](BmpLayout& s) { s.compression = 5; }),
         BmpError::conversion_failed},
        {"top-down run length", rle_file(1, 2, -2, {0x02, 0x01, 0x00, 0x01}, {R}),
         BmpError::conversion_failed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const BmpDecodeResult result = decode_bmp(c.file);
        EXPECT_FALSE(result.image.has_value());
        EXPECT_EQ(result.error, c.error) << bmp_error_text(result.error);
    }
}

TEST(BmpDecoderLimits, PictureLargerThanTheAllowedMemoryIsOutOfMemory) {
    const auto file = build_bmp(good_spec()); // 7 x 5 x 3 = 105 bytes of RGB
    EXPECT_EQ(decode_bmp(file, 104).error, BmpError::out_of_memory);
    EXPECT_FALSE(decode_bmp(file, 104).image.has_value());
    EXPECT_TRUE(decode_bmp(file, 105).image.has_value());
}

// Run-length data of n bytes of end-of-line codes: enough bytes for any claim
// of up to 1024 pixels per byte, and every pixel left black.
std::vector<std::uint8_t> blank_rle(int width, int height, std::size_t bytes) {
    return rle_file(1, width, height, std::vector<std::uint8_t>(bytes, 0x00), {R});
}

// An uncompressed 1-bit file whose data suffice for its claim.
std::vector<std::uint8_t> one_bit(int width, int height) {
    BmpLayout layout = bmp_layout(width, height, 1);
    layout.palette = {K, W};
    const std::size_t stride = (static_cast<std::size_t>(width) + 31) / 32 * 4;
    layout.pixels.assign(stride * static_cast<std::size_t>(height < 0 ? -height : height), 0);
    return build_bmp(layout);
}

// The caps hold for what the file's data can really make: a file that has
// the data for a picture past them is refused as out of memory before any
// memory is taken for it (the table in bench/crafted_bmp_memory.sh measures
// that). Pictures at the caps decode.
TEST(BmpDecoderLimits, PicturesPastTheSideAndPixelCapsAreOutOfMemory) {
    ASSERT_EQ(max_image_side, 16384);
    ASSERT_EQ(max_image_pixels, 1u << 26);
    const struct {
        const char* name;
        std::vector<std::uint8_t> file;
        bool decodes;
    } cases[] = {
        {"widest picture", one_bit(16384, 2), true},
        {"one pixel wider", one_bit(16385, 2), false},
        {"tallest picture", one_bit(2, 16384), true},
        {"one row taller", one_bit(2, 16385), false},
        {"one row taller, top-down", one_bit(2, -16385), false},
        {"the most pixels, run-length", blank_rle(16384, 4096, 65536), true},
        {"one row more, run-length", blank_rle(16384, 4097, 65536), false},
        {"square past the pixel cap", blank_rle(8193, 8193, 65536), false},
        // 40000 x 40000 = 1.6e9 pixels, 4.8 GB of RGB, from 800 KB of data.
        {"huge run-length claim", blank_rle(40000, 40000, 800'000), false},
        {"huge uncompressed claim", one_bit(65536, 2), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const BmpDecodeResult result = decode_bmp(c.file);
        EXPECT_EQ(result.image.has_value(), c.decodes);
        if (!c.decodes) {
            EXPECT_EQ(result.error, BmpError::out_of_memory) << bmp_error_text(result.error);
        }
    }
}

TEST(BmpErrorTexts, EachCodeHasItsExactText) {
    EXPECT_EQ(bmp_error_text(BmpError::open_failed), "Failed to open DIB file %s.\n");
    EXPECT_EQ(bmp_error_text(BmpError::unknown_format), "Unknown DIB file format.");
    EXPECT_EQ(bmp_error_text(BmpError::out_of_memory), "Out of memory.");
    EXPECT_EQ(bmp_error_text(BmpError::conversion_failed), "Image file conversion error.");
}

TEST(BmpErrorTexts, PathGoesInPlaceOfTheSlotHoweverLong) {
    EXPECT_EQ(bmp_error_message(BmpError::open_failed, "C:\\q_velk\\Velmoran0.bmp"),
              "Failed to open DIB file C:\\q_velk\\Velmoran0.bmp.\n");
    const std::string long_path(100000, 'x');
    EXPECT_EQ(bmp_error_message(BmpError::open_failed, long_path),
              "Failed to open DIB file " + long_path + ".\n");
    EXPECT_EQ(bmp_error_message(BmpError::unknown_format, long_path), "Unknown DIB file format.");
}

} // namespace

// Inputs the fuzzer found, kept as they were found.
TEST(BmpDecoderFuzzFindings, RunLengthImageClaimingJustOver2048PixelsPerByteIsRefused) {
    // 131079 x 2 RLE4 pixels from 128 bytes (the pixel offset is 0): 2048.1
    // pixels per byte, one tenth more than the decoder allows.
    const std::vector<std::uint8_t> file = {
        0x42, 0x4d, 0x88, 0x00, 0x00, 0x00, 0x76, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x28,
        0x00, 0x00, 0x00, 0x07, 0x00, 0x02, 0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x00, 0x04, 0x00,
        0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x42, 0x4d, 0x5a, 0x00, 0x00,
        0x3a, 0x00, 0x00, 0x00, 0x00, 0x00, 0x42, 0x00, 0x00, 0x5d, 0x01, 0xf0, 0x00, 0x03, 0x67,
        0x28, 0x42, 0x00, 0x00, 0x00, 0x00, 0x42, 0x00, 0x00, 0x4d, 0x05, 0x5a, 0x00, 0x00, 0x00,
        0x83, 0x00, 0x00, 0x00, 0x05, 0x13, 0x00, 0x00, 0x0e, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00,
        0x01, 0x00, 0x02, 0x01, 0x00, 0x00, 0x41, 0x00, 0x00, 0x00, 0x13, 0x0b, 0x00, 0x00, 0x42,
        0x4d, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x76, 0x00, 0x00, 0x00, 0x28, 0x00, 0x00, 0x00,
        0x07, 0x00, 0x00, 0x13, 0x0b, 0x00, 0x00, 0x00,
    };
    const BmpDecodeResult result = decode_bmp(file);
    EXPECT_FALSE(result.image.has_value());
    EXPECT_EQ(result.error, BmpError::conversion_failed);
}
