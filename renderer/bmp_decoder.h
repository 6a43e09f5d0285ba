#pragma once

// The renderer's own BMP decoder: a file's bytes in, packed RGB out.
//
// It accepts what the platform's DIB conversion to 24 bits accepts: a "BM"
// file or a packed DIB; the 12-byte core header (3-byte colour entries) and
// the 40-byte info header (4-byte entries); 1, 4 and 8 bits with a colour
// table, 16 and 32 bits (plain or with bit-field masks), 24 bits, and
// run-length encoded 4- and 8-bit data. The pixels it produces are those the
// platform's conversion of the same DIB produces. Every offset, size, index
// and run length is checked against the file: nothing outside the given bytes
// is read, and no more memory is taken than the file can justify.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// A decoded picture, owned by whoever holds it.
struct RgbImage {
    std::int32_t width = 0;  // pixels per row
    std::int32_t height = 0; // rows
    // width x height x 3 bytes: red, green, blue per pixel; rows tightly
    // packed with no fill bytes; the first row is the bottom row of the picture.
    std::unique_ptr<std::uint8_t[]> pixels;

    std::size_t size_bytes() const {
        return static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3;
    }
};

// Why a file gave no picture. Each code has one text that the user sees.
enum class BmpError {
    open_failed,       // the file cannot be opened or mapped (an empty file, for one)
    unknown_format,    // the image header is not a 12- or 40-byte header, or is cut short
    out_of_memory,     // no memory for the decoded picture
    conversion_failed, // the conversion to 24 bits yields no rows
};

// The exact text shown for an error; in open_failed's text "%s" stands for the path.
std::string_view bmp_error_text(BmpError error);

// The text with the path put in place of "%s". Built as a string of its own
// length, so no path is too long for it.
std::string bmp_error_message(BmpError error, std::string_view path);

struct BmpDecodeResult {
    std::optional<RgbImage> image; // the picture, or nothing when error says why not
    BmpError error = BmpError::conversion_failed;
};

// The most a picture may claim, checked before anything is allocated for it.
// A screen photograph is the primary screen at the moment of the run: the
// largest displays made (8K, 7680 x 4320, about 2^25 pixels) fit twice over,
// and 16384 is also the largest texture side common OpenGL drivers take. A
// bolt picture is 256 x 256. Beyond these the picture is refused as out of
// memory, as an allocation the platform cannot make would be: no file makes
// the decoder take more than 192 MiB for one picture's pixels.
inline constexpr std::int32_t max_image_side = 16384;                     // pixels, either side
inline constexpr std::uint64_t max_image_pixels = std::uint64_t{1} << 26; // width x height

// Decodes a whole BMP file held in memory. A picture past the caps above, or
// one that would need more than max_output_bytes of RGB, is refused as out of
// memory.
BmpDecodeResult decode_bmp(std::span<const std::uint8_t> file,
                           std::size_t max_output_bytes = std::numeric_limits<std::size_t>::max());
