// libFuzzer target: the renderer's BMP decoder on arbitrary bytes. Any crash,
// out-of-bounds access or undefined behaviour is a finding; so is a picture
// whose size disagrees with its dimensions or exceeds what the input can justify.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "bmp_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    BmpDecodeResult result = decode_bmp({data, size});
    if (!result.image) {
        // Every error has its text.
        if (bmp_error_message(result.error, "C:\\q_velk\\Velmoran0.bmp").empty()) {
            std::abort();
        }
        return 0;
    }
    const RgbImage& image = *result.image;
    if (image.width <= 0 || image.height <= 0 || !image.pixels) {
        std::abort();
    }
    // At most 24 output bytes per input byte (1-bit pixels), or 2048 pixels
    // per byte of run-length data.
    if (image.size_bytes() > size * 2048 * 3) {
        std::abort();
    }
    // Touch every byte, so that a short allocation shows up as a bad read.
    unsigned sum = 0;
    for (std::size_t i = 0; i < image.size_bytes(); ++i) {
        sum += image.pixels[i];
    }
    return static_cast<int>(sum & 0u);
}
