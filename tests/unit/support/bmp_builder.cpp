#include "bmp_builder.h"

#include <algorithm>

namespace bmp_test {

namespace {

void put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    put16(out, value & 0xffffu);
    put16(out, value >> 16);
}

} // namespace

BmpLayout bmp_layout(std::int32_t width, std::int32_t height, std::uint16_t bits) {
    BmpLayout layout;
    layout.width = width;
    layout.height = height;
    layout.bits = bits;
    return layout;
}

std::vector<std::uint8_t> build_bmp(const BmpLayout& layout) {
    std::vector<std::uint8_t> info;
    if (layout.header_size == 12) {
        put32(info, 12);
        put16(info, static_cast<std::uint32_t>(layout.width));
        put16(info, static_cast<std::uint32_t>(layout.height));
        put16(info, layout.planes);
        put16(info, layout.bits);
    } else {
        put32(info, layout.header_size);
        put32(info, static_cast<std::uint32_t>(layout.width));
        put32(info, static_cast<std::uint32_t>(layout.height));
        put16(info, layout.planes);
        put16(info, layout.bits);
        put32(info, layout.compression);
        put32(info, layout.size_image);
        put32(info, 2835); // 72 dots per inch
        put32(info, 2835);
        put32(info, layout.colours_used);
        put32(info, 0);
        info.resize(std::max<std::size_t>(info.size(), layout.header_size), 0);
        if (layout.masks) {
            for (std::uint32_t mask : *layout.masks) {
                put32(info, mask);
            }
        }
    }
    for (Colour colour : layout.palette) {
        info.push_back(static_cast<std::uint8_t>(colour));       // blue
        info.push_back(static_cast<std::uint8_t>(colour >> 8));  // green
        info.push_back(static_cast<std::uint8_t>(colour >> 16)); // red
        if (layout.header_size != 12) {
            info.push_back(0);
        }
    }

    std::vector<std::uint8_t> file;
    if (!layout.packed) {
        const auto offset = static_cast<std::uint32_t>(14 + info.size());
        file.push_back('B');
        file.push_back('M');
        put32(file, static_cast<std::uint32_t>(14 + info.size() + layout.pixels.size()));
        put32(file, 0);
        put32(file, layout.data_offset.value_or(offset));
    }
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), layout.pixels.begin(), layout.pixels.end());
    return file;
}

std::vector<std::uint8_t> stored_rows(int width, int rows, int bits,
                                      const std::function<std::uint32_t(int x, int y)>& value) {
    const std::size_t stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
    std::vector<std::uint8_t> out(stride * rows, 0);
    for (int y = 0; y < rows; ++y) {
        std::uint8_t* row = out.data() + stride * y;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t v = value(x, y);
            switch (bits) {
            case 1:
                row[x / 8] |= static_cast<std::uint8_t>((v & 1u) << (7 - x % 8));
                break;
            case 4:
                row[x / 2] |= static_cast<std::uint8_t>((v & 0xfu) << (x % 2 == 0 ? 4 : 0));
                break;
            case 8:
                row[x] = static_cast<std::uint8_t>(v);
                break;
            case 16:
                row[2 * x] = static_cast<std::uint8_t>(v);
                row[2 * x + 1] = static_cast<std::uint8_t>(v >> 8);
                break;
            case 24:
                row[3 * x] = static_cast<std::uint8_t>(v);
                row[3 * x + 1] = static_cast<std::uint8_t>(v >> 8);
                row[3 * x + 2] = static_cast<std::uint8_t>(v >> 16);
                break;
            default:
                for (int b = 0; b < 4; ++b) {
                    row[4 * x + b] = static_cast<std::uint8_t>(v >> (8 * b));
                }
                break;
            }
        }
    }
    return out;
}

std::vector<std::uint8_t> expected_rgb(int width, int height,
                                       const std::function<Colour(int x, int y)>& colour) {
    std::vector<std::uint8_t> out;
    out.reserve(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Colour c = colour(x, y);
            out.push_back(static_cast<std::uint8_t>(c >> 16));
            out.push_back(static_cast<std::uint8_t>(c >> 8));
            out.push_back(static_cast<std::uint8_t>(c));
        }
    }
    return out;
}

} // namespace bmp_test
