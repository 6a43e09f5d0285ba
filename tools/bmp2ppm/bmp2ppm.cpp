// bmp2ppm IN.bmp OUT.ppm: shows what the renderer sees in a BMP file. Decodes
// it with the renderer's own decoder and writes the picture as a binary PPM
// (P6), top row first. On a file the renderer would refuse it prints the
// renderer's error text and exits with 1; a usage or write error exits with 2.

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bmp_decoder.h"

namespace {

bool write_ppm(const char* path, const RgbImage& image) {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << image.width << ' ' << image.height << "\n255\n";
    const std::size_t row_bytes = static_cast<std::size_t>(image.width) * 3;
    // The decoder's rows run bottom-up; a PPM's run top-down.
    for (std::int32_t row = image.height - 1; row >= 0; --row) {
        out.write(reinterpret_cast<const char*>(image.pixels.get() + row_bytes * row),
                  static_cast<std::streamsize>(row_bytes));
    }
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bmp2ppm IN.bmp OUT.ppm\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::vector<std::uint8_t> bytes;
    if (in) {
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    // A file that cannot be read counts as one that cannot be opened, as in the renderer.
    const BmpDecodeResult result =
        in ? decode_bmp(bytes) : BmpDecodeResult{std::nullopt, BmpError::open_failed};
    if (!result.image) {
        std::string message = bmp_error_message(result.error, argv[1]);
        if (message.back() != '\n') {
            message += '\n';
        }
        std::fputs(message.c_str(), stderr);
        return 1;
    }
    if (!write_ppm(argv[2], *result.image)) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 2;
    }
    return 0;
}
