#pragma once

// A desktop-sized BMP file for the benchmarks: bottom-up, uncompressed, with
// pixel values that vary from byte to byte.

#include <cstddef>
#include <cstdint>
#include <vector>

inline std::vector<std::uint8_t> desktop_bmp(int width, int height, int bits) {
    const std::size_t stride = (static_cast<std::size_t>(width) * bits / 8 + 3) & ~std::size_t{3};
    std::vector<std::uint8_t> file(54 + stride * height, 0);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            file[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
        }
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<std::uint32_t>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    file[26] = 1;
    file[28] = static_cast<std::uint8_t>(bits);
    std::uint32_t seed = 12345;
    for (std::size_t i = 54; i < file.size(); ++i) {
        seed = seed * 1103515245u + 12345u;
        file[i] = static_cast<std::uint8_t>(seed >> 16);
    }
    return file;
}
