#include "runtime/bmp_writer.h"

#include <limits>

namespace runtime {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;

void PutU16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

bool IsSupportedDepth(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

} // namespace

std::size_t BmpRowStride(int width, int bits_per_pixel) {
    if (width <= 0 || bits_per_pixel <= 0) {
        return 0;
    }
    const std::size_t bits =
        static_cast<std::size_t>(width) * static_cast<std::size_t>(bits_per_pixel);
    return (bits + 31) / 32 * 4;
}

std::optional<std::vector<std::uint8_t>> EncodeBmp(const BmpPixels& pixels) {
    if (pixels.width <= 0 || pixels.height <= 0 || !IsSupportedDepth(pixels.bits_per_pixel)) {
        return std::nullopt;
    }
    const std::size_t max_colours =
        pixels.bits_per_pixel <= 8 ? std::size_t{1} << pixels.bits_per_pixel : 0;
    const bool table_fits = max_colours == 0 ? pixels.colour_table.empty()
                                             : !pixels.colour_table.empty() &&
                                                   pixels.colour_table.size() / 4 <= max_colours;
    if (pixels.colour_table.size() % 4 != 0 || !table_fits) {
        return std::nullopt;
    }
    const std::size_t image_size =
        BmpRowStride(pixels.width, pixels.bits_per_pixel) * static_cast<std::size_t>(pixels.height);
    if (pixels.rows.size() != image_size) {
        return std::nullopt;
    }
    const std::size_t offset = kFileHeaderSize + kInfoHeaderSize + pixels.colour_table.size();
    const std::size_t file_size = offset + image_size;
    if (file_size > std::numeric_limits<std::uint32_t>::max()) {
        return std::nullopt;
    }

    std::vector<std::uint8_t> file;
    file.reserve(file_size);
    file.push_back('B');
    file.push_back('M');
    PutU32(file, static_cast<std::uint32_t>(file_size));
    PutU32(file, 0); // two reserved words
    PutU32(file, static_cast<std::uint32_t>(offset));

    PutU32(file, kInfoHeaderSize);
    PutU32(file, static_cast<std::uint32_t>(pixels.width));
    PutU32(file, static_cast<std::uint32_t>(pixels.height)); // positive: bottom-up
    PutU16(file, 1);                                         // planes
    PutU16(file, static_cast<std::uint32_t>(pixels.bits_per_pixel));
    PutU32(file, 0); // no compression
    PutU32(file, static_cast<std::uint32_t>(image_size));
    PutU32(file, 0); // horizontal and vertical resolution: not given
    PutU32(file, 0);
    PutU32(file, static_cast<std::uint32_t>(pixels.colour_table.size() / 4)); // colours used
    PutU32(file, 0);                                                          // all important

    file.insert(file.end(), pixels.colour_table.begin(), pixels.colour_table.end());
    file.insert(file.end(), pixels.rows.begin(), pixels.rows.end());
    return file;
}

} // namespace runtime
