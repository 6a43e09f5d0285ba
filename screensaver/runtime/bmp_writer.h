#pragma once

// Windows bitmap files as a saved picture is written: the "BM" file header,
// the 40-byte information header, the colour table for depths up to 8 bits,
// then the rows bottom-up, uncompressed, each padded to 4 bytes.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace runtime {

struct BmpPixels {
    int width = 0;          // pixels
    int height = 0;         // pixels; the rows are stored bottom-up
    int bits_per_pixel = 0; // 1, 4, 8, 16, 24 or 32
    // Blue, green, red, 0 for each colour-table entry (depths up to 8 bits).
    std::vector<std::uint8_t> colour_table;
    // height rows of BmpRowStride bytes, the bottom row first.
    std::vector<std::uint8_t> rows;
};

// Bytes per stored row: width times the depth, rounded up to 4 bytes.
std::size_t BmpRowStride(int width, int bits_per_pixel);

// The whole file; empty when the sizes, depth, colour table or rows do not fit together.
std::optional<std::vector<std::uint8_t>> EncodeBmp(const BmpPixels& pixels);

} // namespace runtime
