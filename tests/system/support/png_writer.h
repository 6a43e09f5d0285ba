#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velmoran_test {

// Writes 8-bit RGB pixels (top row first, no row padding) as a PNG file.
// Uncompressed deflate blocks keep this small; the files are for people to look at.
bool write_png(const std::string& path, int width, int height,
               const std::vector<std::uint8_t>& rgb);

} // namespace velmoran_test
