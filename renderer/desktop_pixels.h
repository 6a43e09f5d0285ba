#pragma once

// The desktop picture the hack reads back from the X server: pixels of a
// TrueColor image (32, 24 or 16 bits a pixel, of either byte order), each
// colour at its mask (of up to 32 bits), turned into the decoder's RgbImage
// (rows bottom-up), so that the floor is built from it as from a hand-off
// picture.

#include <cstdint>
#include <optional>
#include <span>

#include "bmp_decoder.h"

struct PixelLayout {
    int width = 0;
    int height = 0;
    int bytes_per_line = 0;
    int bits_per_pixel = 0; // 32, 24 or 16
    bool big_endian = false;
    std::uint32_t red_mask = 0;
    std::uint32_t green_mask = 0;
    std::uint32_t blue_mask = 0;
};

// Nothing when the layout does not describe the bytes (sizes, a line too
// short, a layout other than the ones above, empty masks) or the picture is
// larger than the decoder allows a photograph.
std::optional<RgbImage> RgbFromPixels(std::span<const std::uint8_t> bytes,
                                      const PixelLayout& layout);
