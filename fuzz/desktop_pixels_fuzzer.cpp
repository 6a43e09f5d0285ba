// libFuzzer target: the desktop read back from the X server. The image's
// layout (size, bytes a line, bits a pixel, byte order, masks) comes first,
// its pixel bytes after it; a picture that comes out is within the decoder's
// limits and of the size the layout gives.

#include <cstdlib>
#include <cstring>

#include "desktop_pixels.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    struct {
        std::int16_t width, height;
        std::int32_t bytes_per_line;
        std::uint8_t bits_per_pixel, big_endian;
        std::uint32_t red, green, blue;
    } head{};
    constexpr std::size_t kHead = 2 + 2 + 4 + 1 + 1 + 12;
    if (size < kHead) {
        return 0;
    }
    std::memcpy(&head.width, data, 2);
    std::memcpy(&head.height, data + 2, 2);
    std::memcpy(&head.bytes_per_line, data + 4, 4);
    head.bits_per_pixel = data[8];
    head.big_endian = data[9];
    std::memcpy(&head.red, data + 10, 4);
    std::memcpy(&head.green, data + 14, 4);
    std::memcpy(&head.blue, data + 18, 4);
    const PixelLayout layout{head.width,
                             head.height,
                             head.bytes_per_line,
                             head.bits_per_pixel,
                             (head.big_endian & 1) != 0,
                             head.red,
                             head.green,
                             head.blue};
    const auto picture = RgbFromPixels({data + kHead, size - kHead}, layout);
    if (picture && (picture->width != layout.width || picture->height != layout.height ||
                    picture->width > max_image_side || picture->height > max_image_side ||
                    picture->size_bytes() > max_image_pixels * 3)) {
        std::abort();
    }
    return 0;
}
