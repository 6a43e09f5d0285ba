#pragma once

// Builds BMP files byte by byte for tests: any header size, colour table,
// masks, data offset and pixel data, including ones no honest writer makes.
// Portable; used by the native tests and the Windows-side platform comparison.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace bmp_test {

// A colour as 0x00RRGGBB.
using Colour = std::uint32_t;

struct BmpLayout {
    std::int32_t width = 1;
    std::int32_t height = 1; // negative: top-down rows
    std::uint16_t bits = 24;
    std::uint32_t compression = 0; // 0 none, 1 RLE8, 2 RLE4, 3 bit fields
    std::uint16_t planes = 1;
    std::uint32_t header_size = 40; // 12 writes a core header; other sizes pad a 40-byte one
    std::vector<Colour> palette;    // written as 4-byte entries (3-byte in a core header)
    std::uint32_t colours_used = 0; // the header field as written
    std::uint32_t size_image = 0;   // the header field as written
    std::optional<std::array<std::uint32_t, 3>> masks; // written after a 40-byte header
    std::vector<std::uint8_t> pixels;                  // the pixel data as stored
    bool packed = false;                               // no "BM" file header
    std::optional<std::uint32_t> data_offset;          // overrides the file header's offset
};

// A 40-byte-header file of this size and depth, with everything else at its default.
BmpLayout bmp_layout(std::int32_t width, std::int32_t height, std::uint16_t bits);

std::vector<std::uint8_t> build_bmp(const BmpLayout& layout);

// Stored rows for uncompressed data: value(x, y) gives each pixel's bits
// (an index, a 16-bit or a 32-bit word, or 0x00RRGGBB for 24 bits), with y = 0
// the first stored row; rows are filled to a multiple of 4 bytes.
std::vector<std::uint8_t> stored_rows(int width, int rows, int bits,
                                      const std::function<std::uint32_t(int x, int y)>& value);

// A small picture in the decoder's output layout: rgb(x, y) for y = 0 at the bottom.
std::vector<std::uint8_t> expected_rgb(int width, int height,
                                       const std::function<Colour(int x, int y)>& colour);

} // namespace bmp_test
