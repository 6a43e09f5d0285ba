#include "desktop_pixels.h"

#include <bit>
#include <new>

namespace {

// The 8-bit value of the colour at mask in pixel. In 64 bits: a mask of
// more than 24 bits times 255 does not fit 32.
std::uint8_t Channel(std::uint32_t pixel, std::uint32_t mask) {
    const int shift = std::countr_zero(mask);
    const std::uint64_t top = mask >> shift;
    const std::uint64_t value = (pixel & mask) >> shift;
    return static_cast<std::uint8_t>(value * 255 / top);
}

std::uint32_t PixelAt(const std::uint8_t* p, const PixelLayout& layout) {
    const int bytes = layout.bits_per_pixel / 8;
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) {
        const int at = layout.big_endian ? i : bytes - 1 - i;
        value = value << 8 | p[at];
    }
    return value;
}

bool Usable(const PixelLayout& layout, std::size_t available) {
    if (layout.width <= 0 || layout.height <= 0 || layout.width > max_image_side ||
        layout.height > max_image_side ||
        static_cast<std::uint64_t>(layout.width) * static_cast<std::uint64_t>(layout.height) >
            max_image_pixels) {
        return false;
    }
    if ((layout.bits_per_pixel != 32 && layout.bits_per_pixel != 24 &&
         layout.bits_per_pixel != 16) ||
        layout.red_mask == 0 || layout.green_mask == 0 || layout.blue_mask == 0) {
        return false;
    }
    const std::uint64_t row =
        static_cast<std::uint64_t>(layout.width) * (layout.bits_per_pixel / 8);
    return layout.bytes_per_line >= 0 && static_cast<std::uint64_t>(layout.bytes_per_line) >= row &&
           static_cast<std::uint64_t>(layout.bytes_per_line) * layout.height <= available;
}

} // namespace

std::optional<RgbImage> RgbFromPixels(std::span<const std::uint8_t> bytes,
                                      const PixelLayout& layout) {
    if (!Usable(layout, bytes.size())) {
        return std::nullopt;
    }
    RgbImage image;
    image.width = layout.width;
    image.height = layout.height;
    image.pixels.reset(new (std::nothrow) std::uint8_t[image.size_bytes()]);
    if (!image.pixels) {
        return std::nullopt;
    }
    const int step = layout.bits_per_pixel / 8;
    for (int y = 0; y < layout.height; ++y) {
        // The server's rows run top-down; the picture's bottom-up.
        const std::uint8_t* source =
            bytes.data() + static_cast<std::size_t>(y) * layout.bytes_per_line;
        std::uint8_t* target =
            image.pixels.get() + static_cast<std::size_t>(layout.height - 1 - y) * layout.width * 3;
        for (int x = 0; x < layout.width; ++x) {
            const std::uint32_t pixel =
                PixelAt(source + static_cast<std::size_t>(x) * step, layout);
            target[x * 3] = Channel(pixel, layout.red_mask);
            target[x * 3 + 1] = Channel(pixel, layout.green_mask);
            target[x * 3 + 2] = Channel(pixel, layout.blue_mask);
        }
    }
    return image;
}
