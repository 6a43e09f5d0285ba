#include "runtime/bmp_writer.h"

#include <gtest/gtest.h>

using namespace runtime;

namespace {

std::uint32_t U32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

std::uint16_t U16(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

TEST(BmpRowStride, PadsRowsToFourBytes) {
    EXPECT_EQ(BmpRowStride(1, 24), 4u);
    EXPECT_EQ(BmpRowStride(3, 24), 12u);
    EXPECT_EQ(BmpRowStride(5, 24), 16u);
    EXPECT_EQ(BmpRowStride(152, 24), 456u);
    EXPECT_EQ(BmpRowStride(3, 32), 12u);
    EXPECT_EQ(BmpRowStride(3, 16), 8u);
    EXPECT_EQ(BmpRowStride(9, 1), 4u);
    EXPECT_EQ(BmpRowStride(33, 1), 8u);
    EXPECT_EQ(BmpRowStride(3, 8), 4u);
    EXPECT_EQ(BmpRowStride(0, 24), 0u);
}

TEST(EncodeBmp, WritesTheHeadersAPictureIsSavedWith) {
    BmpPixels pixels;
    pixels.width = 3;
    pixels.height = 2;
    pixels.bits_per_pixel = 24;
    pixels.rows.assign(BmpRowStride(3, 24) * 2, 0);
    pixels.rows[0] = 0x11;      // bottom-left pixel, blue
    pixels.rows[12 + 8] = 0x22; // top-right pixel, red
    const auto file = EncodeBmp(pixels);
    ASSERT_TRUE(file.has_value());
    const auto& bytes = *file;
    ASSERT_EQ(bytes.size(), 14u + 40u + 24u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(U32(bytes, 2), bytes.size());
    EXPECT_EQ(U32(bytes, 6), 0u);
    EXPECT_EQ(U32(bytes, 10), 54u); // pixels right after the two headers
    EXPECT_EQ(U32(bytes, 14), 40u);
    EXPECT_EQ(U32(bytes, 18), 3u);
    EXPECT_EQ(U32(bytes, 22), 2u); // positive: bottom-up
    EXPECT_EQ(U16(bytes, 26), 1u);
    EXPECT_EQ(U16(bytes, 28), 24u);
    EXPECT_EQ(U32(bytes, 30), 0u); // no compression
    EXPECT_EQ(U32(bytes, 34), 24u);
    EXPECT_EQ(U32(bytes, 46), 0u); // no colour table
    EXPECT_EQ(bytes[54], 0x11);
    EXPECT_EQ(bytes[54 + 12 + 8], 0x22);
}

TEST(EncodeBmp, PutsTheColourTableBeforeThePixels) {
    BmpPixels pixels;
    pixels.width = 2;
    pixels.height = 1;
    pixels.bits_per_pixel = 8;
    pixels.colour_table = {0, 0, 0, 0, 255, 255, 255, 0};
    pixels.rows = {1, 0, 0, 0};
    const auto file = EncodeBmp(pixels);
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(U32(*file, 10), 54u + 8u);
    EXPECT_EQ(U32(*file, 46), 2u);
    EXPECT_EQ((*file)[54 + 4], 255);
    EXPECT_EQ((*file)[62], 1);
}

TEST(EncodeBmp, RefusesPixelsThatDoNotFitTheirDescription) {
    BmpPixels good;
    good.width = 2;
    good.height = 2;
    good.bits_per_pixel = 32;
    good.rows.assign(16, 0);
    ASSERT_TRUE(EncodeBmp(good).has_value());

    auto short_rows = good;
    short_rows.rows.pop_back();
    EXPECT_FALSE(EncodeBmp(short_rows).has_value());
    auto bad_depth = good;
    bad_depth.bits_per_pixel = 12;
    EXPECT_FALSE(EncodeBmp(bad_depth).has_value());
    auto no_width = good;
    no_width.width = 0;
    EXPECT_FALSE(EncodeBmp(no_width).has_value());
    auto table_on_true_colour = good;
    table_on_true_colour.colour_table = {0, 0, 0, 0};
    EXPECT_FALSE(EncodeBmp(table_on_true_colour).has_value());

    BmpPixels palette_missing;
    palette_missing.width = 4;
    palette_missing.height = 1;
    palette_missing.bits_per_pixel = 8;
    palette_missing.rows.assign(4, 0);
    EXPECT_FALSE(EncodeBmp(palette_missing).has_value());
    palette_missing.colour_table.assign(257 * 4, 0);
    EXPECT_FALSE(EncodeBmp(palette_missing).has_value());
}

} // namespace
