#pragma once

// Windows icon (.ico) and cursor (.cur) files of one picture: the directory,
// then the picture as a 32-bit DIB (blue, green, red, alpha; rows bottom-up)
// followed by its 1-bit mask, which systems without alpha blending use: a
// mask bit is set (transparent) where the picture is less than half opaque.
// The two files differ only in the directory: a cursor's type is 2, and its
// entry holds the hotspot where an icon's holds its planes and bit count.

#include <cstdint>
#include <vector>

#include "canvas.h"

namespace artwork {

// A picture with straight (not premultiplied) colour and its opacity.
struct IconPicture {
    Canvas colour;
    std::vector<double> alpha; // 0..1 a pixel, top row first
    double alpha_at(int x, int y) const {
        return alpha[static_cast<std::size_t>(y) * colour.width() + x];
    }
};

// The pixel a cursor points with, from the picture's top-left corner.
struct Hotspot {
    int x = 0, y = 0;
};

// The whole file; empty when the picture is empty, larger than 256 pixels or
// its opacity does not cover it (for a cursor, also when the hotspot lies
// outside the picture).
std::vector<std::uint8_t> EncodeIcon(const IconPicture& picture);
std::vector<std::uint8_t> EncodeCursor(const IconPicture& picture, Hotspot hotspot);

} // namespace artwork
