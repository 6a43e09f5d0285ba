#include "bmp_decoder.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define VELMORAN_HAVE_SSE2 1
#endif

// How the decoder reads a file, in three stages: the headers (what the file
// claims), the platform's acceptance rules (what its conversion to 24 bits
// takes), and the pixel rows (checked against the bytes that are really there).
//
// Decisions where the file format leaves a choice, each taken the way the
// platform's conversion into a 24-bit DIB section (StretchDIBits) does it:
// - Top-down images (negative height) are accepted for uncompressed data and
//   come out upright: their first stored row becomes the last output row.
//   Run-length data with a negative height is refused.
// - Bit-field images (16 or 32 bits, compression 3) take their three masks
//   (red, green, blue) from the 12 bytes after the 40-byte header. Each channel
//   is the lowest run of set bits of its mask, widened to 8 bits by repeating
//   its top bits; a mask of zero gives 0. In a packed DIB the pixel data follow
//   the masks (and the colour table, when the header counts one).
// - Plain 16-bit pixels are 5-5-5 (top bit unused); plain 32-bit pixels are
//   blue, green, red and an unused byte.
// - A palette index past the entries the file gives shows black.
//
// Checks the file's own numbers get (the platform trusts them):
// - The header, the colour entries the conversion reads and the masks must lie
//   in the file, else "Unknown DIB file format.".
// - The pixel data must start inside the file and, uncompressed, hold every row
//   (the last row's fill bytes may be missing), else "Image file conversion error.".
// - Run-length data end at the end of the file even when the header's image
//   size claims more. A run-length image may not claim more than
//   kRlePixelsPerByte pixels per byte of its data.
// - A file whose data would make a picture past max_image_side or
//   max_image_pixels is refused as out of memory before anything is allocated.

namespace {

constexpr std::string_view kErrorTexts[] = {
    "Failed to open DIB file %s.\n", // open_failed
    "Unknown DIB file format.",      // unknown_format
    "Out of memory.",                // out_of_memory
    "Image file conversion error.",  // conversion_failed
};

// Compression codes of the 40-byte header.
constexpr std::uint32_t kUncompressed = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
constexpr std::uint32_t kBitFields = 3;

constexpr std::uint64_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint64_t kMaskBytes = 12;

// A two-byte end-of-line code can close a whole row, so a row of 4096 pixels
// costs as little as two bytes. Allowing 2048 pixels per byte keeps every such
// image while a few bytes can no longer claim gigabytes.
constexpr std::uint64_t kRlePixelsPerByte = 2048;

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

using Palette = std::array<Rgb, 256>;

// One channel of a 16- or 32-bit pixel: the lowest run of set bits of its mask.
struct ColourField {
    int shift = 0;
    int length = 0;
};

// The image header in its 40-byte form, as the conversion sees it.
struct DibHeader {
    bool core = false; // a 12-byte header with 3-byte colour entries
    std::int32_t width = 0;
    std::int32_t height = 0; // negative: rows stored top-down
    std::uint16_t planes = 0;
    std::uint16_t bit_count = 0;
    std::uint32_t compression = kUncompressed;
    std::uint64_t size_image = 0;   // bytes of pixel data the header claims
    std::uint64_t colours_used = 0; // entries of the colour table as stored in the file
};

struct Dib {
    DibHeader header;
    std::uint64_t colours_at = 0; // offset of the colour table (or masks) in the file
    Palette palette{};            // black past the entries the file gives
    ColourField red, green, blue;
    std::span<const std::uint8_t> data; // from the pixel data's offset to the end of the file
};

std::uint16_t read_u16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t read_u32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

bool holds(std::span<const std::uint8_t> file, std::uint64_t offset, std::uint64_t length) {
    return offset <= file.size() && length <= file.size() - offset;
}

std::uint64_t row_stride(std::uint64_t width, std::uint64_t bits) {
    return (width * bits + 31) / 32 * 4;
}

std::uint64_t rows_of(const DibHeader& header) {
    return header.height < 0
               ? 0 - static_cast<std::uint64_t>(static_cast<std::int64_t>(header.height))
               : static_cast<std::uint64_t>(header.height);
}

bool is_run_length(const DibHeader& header) {
    return header.compression == kRle8 || header.compression == kRle4;
}

// Widens the 12-byte core header to the 40-byte form: no compression, and a
// colour table of 2, 16 or 256 entries for 1, 4 or 8 bits.
DibHeader read_core_header(const std::uint8_t* p) {
    DibHeader header;
    header.core = true;
    header.width = read_u16(p + 4);
    header.height = read_u16(p + 6);
    header.planes = read_u16(p + 8);
    header.bit_count = read_u16(p + 10);
    const unsigned bits = header.bit_count;
    header.colours_used = (bits == 1 || bits == 4 || bits == 8) ? (1u << bits) : 0;
    return header;
}

DibHeader read_info_header(const std::uint8_t* p) {
    DibHeader header;
    header.width = static_cast<std::int32_t>(read_u32(p + 4));
    header.height = static_cast<std::int32_t>(read_u32(p + 8));
    header.planes = read_u16(p + 12);
    header.bit_count = read_u16(p + 14);
    header.compression = read_u32(p + 16);
    header.size_image = read_u32(p + 20);
    header.colours_used = read_u32(p + 32);
    const unsigned bits = header.bit_count;
    if (header.colours_used == 0 && (bits == 1 || bits == 4 || bits == 8)) {
        header.colours_used = 1u << bits;
    }
    return header;
}

// The platform's rules for a DIB it converts; anything else yields no rows.
bool conversion_accepts(const DibHeader& header) {
    if (header.width <= 0 || header.height == 0) {
        return false;
    }
    if (is_run_length(header)) {
        return header.height > 0 && header.size_image != 0 &&
               header.bit_count == (header.compression == kRle4 ? 4 : 8);
    }
    if (header.planes == 0 || header.bit_count == 0) {
        return false;
    }
    // The platform's own overflow limits: a row's bits and the image's bytes in 32 bits.
    const std::uint64_t limit = 0xFFFFFFFFu;
    const auto width = static_cast<std::uint64_t>(header.width);
    if (limit / header.bit_count < width ||
        limit / row_stride(width, header.bit_count) < rows_of(header)) {
        return false;
    }
    switch (header.bit_count) {
    case 1:
    case 4:
    case 8:
    case 24:
        return header.compression == kUncompressed;
    case 16:
    case 32:
        return header.compression == kUncompressed || header.compression == kBitFields;
    default:
        return false;
    }
}

ColourField field_of_mask(std::uint32_t mask) {
    ColourField field;
    if (mask == 0) {
        return field;
    }
    while ((mask & 1u) == 0) {
        mask >>= 1;
        ++field.shift;
    }
    while ((mask & 1u) != 0) {
        mask >>= 1;
        ++field.length;
    }
    return field;
}

// One channel of a pixel widened to 8 bits: the field's top bits, then its
// top bits once more below them (a 5-bit v becomes v << 3 | v >> 2).
std::uint8_t expand_field(std::uint32_t pixel, ColourField field) {
    static constexpr std::uint32_t top_bits[9] = {0x00, 0x80, 0xc0, 0xe0, 0xf0,
                                                  0xf8, 0xfc, 0xfe, 0xff};
    if (field.length == 0) {
        return 0;
    }
    const int shift = field.shift - (8 - field.length);
    std::uint32_t value = shift < 0 ? pixel << -shift : pixel >> shift;
    value &= top_bits[std::min(field.length, 8)];
    if (field.length < 8) {
        value |= value >> field.length;
    }
    return static_cast<std::uint8_t>(value);
}

// Reads the colour entries the conversion uses (at most one per index value)
// and the bit-field masks; false when they are not all in the file.
bool read_colours(std::span<const std::uint8_t> file, Dib& dib) {
    const DibHeader& header = dib.header;
    if (header.bit_count == 16 || header.bit_count == 32) {
        std::uint32_t masks[3] = {header.bit_count == 16 ? 0x7c00u : 0xff0000u,
                                  header.bit_count == 16 ? 0x03e0u : 0x00ff00u,
                                  header.bit_count == 16 ? 0x001fu : 0x0000ffu};
        if (header.compression == kBitFields) {
            if (!holds(file, dib.colours_at, kMaskBytes)) {
                return false;
            }
            for (int i = 0; i < 3; ++i) {
                masks[i] = read_u32(file.data() + dib.colours_at + 4 * i);
            }
        }
        dib.red = field_of_mask(masks[0]);
        dib.green = field_of_mask(masks[1]);
        dib.blue = field_of_mask(masks[2]);
        return true;
    }
    if (header.bit_count > 8) {
        return true;
    }
    const std::uint64_t entry_size = header.core ? 3 : 4;
    const std::uint64_t entries =
        std::min<std::uint64_t>(header.colours_used, 1u << header.bit_count);
    if (!holds(file, dib.colours_at, entries * entry_size)) {
        return false;
    }
    const std::uint8_t* p = file.data() + dib.colours_at;
    for (std::uint64_t i = 0; i < entries; ++i, p += entry_size) {
        dib.palette[i] = Rgb{p[2], p[1], p[0]};
    }
    return true;
}

// Reads the headers and locates the colour table and the pixel data.
std::optional<BmpError> read_dib(std::span<const std::uint8_t> file, Dib& dib) {
    const bool bm_file = file.size() >= 2 && file[0] == 'B' && file[1] == 'M';
    const std::uint64_t header_at = bm_file ? kFileHeaderSize : 0;
    if (!holds(file, header_at, 4)) {
        return BmpError::unknown_format;
    }
    const std::uint32_t header_size = read_u32(file.data() + header_at);
    if ((header_size != kCoreHeaderSize && header_size != kInfoHeaderSize) ||
        !holds(file, header_at, header_size)) {
        return BmpError::unknown_format;
    }
    const std::uint8_t* header_bytes = file.data() + header_at;
    dib.header = header_size == kCoreHeaderSize ? read_core_header(header_bytes)
                                                : read_info_header(header_bytes);
    DibHeader& header = dib.header;
    if (header.size_image == 0) {
        header.size_image =
            (std::uint64_t{header.bit_count} * static_cast<std::uint32_t>(header.width) + 7) / 8 *
            rows_of(header);
    }
    if (!conversion_accepts(header)) {
        return BmpError::conversion_failed;
    }

    dib.colours_at = header_at + header_size;
    if (!read_colours(file, dib)) {
        return BmpError::unknown_format;
    }

    std::uint64_t data_at = 0;
    if (bm_file) {
        data_at = read_u32(file.data() + 10);
    } else {
        // A packed DIB: the pixels follow the masks and the colour table.
        const std::uint64_t masks = header.compression == kBitFields ? kMaskBytes : 0;
        data_at = dib.colours_at + masks + header.colours_used * (header.core ? 3 : 4);
    }
    if (data_at > file.size()) {
        return BmpError::conversion_failed;
    }
    dib.data = file.subspan(static_cast<std::size_t>(data_at));
    return std::nullopt;
}

// True when the pixel data in the file can make the whole image.
bool data_suffices(const Dib& dib) {
    const DibHeader& header = dib.header;
    const auto width = static_cast<std::uint64_t>(header.width);
    const std::uint64_t rows = rows_of(header);
    const std::uint64_t available = dib.data.size();
    if (is_run_length(header)) {
        const std::uint64_t stream = std::min(header.size_image, available);
        // Both sides stay below 2^63: width and rows are at most 2^31 each.
        return stream != 0 && width * rows <= stream * kRlePixelsPerByte;
    }
    const std::uint64_t stride = row_stride(width, header.bit_count);
    const std::uint64_t last_row = (width * header.bit_count + 7) / 8;
    return last_row <= available && rows - 1 <= (available - last_row) / stride;
}

void put(std::uint8_t* out, const Rgb& colour) {
    out[0] = colour.red;
    out[1] = colour.green;
    out[2] = colour.blue;
}

// Blue, green, red in; red, green, blue out.
void convert_row_24(const std::uint8_t* in, std::uint8_t* out, std::size_t width) {
    std::size_t x = 0;
#ifdef VELMORAN_HAVE_SSE2
    // Five pixels (15 bytes) per step: the outer bytes of each triplet trade
    // places by shifting the whole register two bytes either way. Each step
    // loads and stores 16 bytes, so it stops while a sixth pixel remains.
    const __m128i green = _mm_setr_epi8(0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0);
    const __m128i first = _mm_setr_epi8(-1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, 0);
    const __m128i third = _mm_setr_epi8(0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0);
    for (; x + 6 <= width; x += 5) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 3 * x));
        const __m128i swapped = _mm_or_si128(
            _mm_and_si128(v, green), _mm_or_si128(_mm_and_si128(_mm_srli_si128(v, 2), first),
                                                  _mm_and_si128(_mm_slli_si128(v, 2), third)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 3 * x), swapped);
    }
#endif
    for (; x < width; ++x) {
        out[3 * x] = in[3 * x + 2];
        out[3 * x + 1] = in[3 * x + 1];
        out[3 * x + 2] = in[3 * x];
    }
}

// Blue, green, red, unused in; red, green, blue out.
void convert_row_bgrx(const std::uint8_t* in, std::uint8_t* out, std::size_t width) {
    std::size_t x = 0;
#ifdef VELMORAN_HAVE_SSE2
    // Four pixels per step: red and blue trade places within each 32-bit
    // lane, then each 64-bit half drops its two unused bytes. The two 8-byte
    // stores reach two bytes past the 12 written, so a fifth pixel must remain.
    const __m128i green = _mm_set1_epi32(0x0000ff00);
    const __m128i low = _mm_set1_epi32(0x000000ff);
    const __m128i high = _mm_set1_epi32(0x00ff0000);
    const __m128i first_pixel = _mm_set_epi32(0, 0x00ffffff, 0, 0x00ffffff);
    const __m128i second_pixel = _mm_set_epi32(0x0000ffff, static_cast<int>(0xff000000u),
                                               0x0000ffff, static_cast<int>(0xff000000u));
    for (; x + 5 <= width; x += 4) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 4 * x));
        const __m128i rgb = _mm_or_si128(_mm_and_si128(v, green),
                                         _mm_or_si128(_mm_and_si128(_mm_srli_epi32(v, 16), low),
                                                      _mm_and_si128(_mm_slli_epi32(v, 16), high)));
        const __m128i packed = _mm_or_si128(_mm_and_si128(rgb, first_pixel),
                                            _mm_and_si128(_mm_srli_epi64(rgb, 8), second_pixel));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 3 * x), packed);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 3 * x + 6), _mm_srli_si128(packed, 8));
    }
#endif
    for (; x < width; ++x) {
        out[3 * x] = in[4 * x + 2];
        out[3 * x + 1] = in[4 * x + 1];
        out[3 * x + 2] = in[4 * x];
    }
}

void convert_row_masked(const Dib& dib, const std::uint8_t* in, std::uint8_t* out,
                        std::size_t width) {
    const bool wide = dib.header.bit_count == 32;
    for (std::size_t x = 0; x < width; ++x, out += 3) {
        std::uint32_t pixel = 0;
        if (wide) {
            pixel = read_u32(in + 4 * x);
        } else {
            pixel = read_u16(in + 2 * x);
        }
        out[0] = expand_field(pixel, dib.red);
        out[1] = expand_field(pixel, dib.green);
        out[2] = expand_field(pixel, dib.blue);
    }
}

void convert_row_indexed(const Dib& dib, const std::uint8_t* in, std::uint8_t* out,
                         std::size_t width) {
    switch (dib.header.bit_count) {
    case 1:
        for (std::size_t x = 0; x < width; ++x, out += 3) {
            put(out, dib.palette[(in[x / 8] >> (7 - x % 8)) & 1u]);
        }
        break;
    case 4:
        for (std::size_t x = 0; x < width; ++x, out += 3) {
            put(out, dib.palette[x % 2 == 0 ? in[x / 2] >> 4 : in[x / 2] & 0x0fu]);
        }
        break;
    default:
        for (std::size_t x = 0; x < width; ++x, out += 3) {
            put(out, dib.palette[in[x]]);
        }
        break;
    }
}

void decode_uncompressed(const Dib& dib, std::uint8_t* out) {
    const DibHeader& header = dib.header;
    const auto width = static_cast<std::size_t>(header.width);
    const auto rows = static_cast<std::size_t>(rows_of(header));
    const auto stride = static_cast<std::size_t>(row_stride(width, header.bit_count));
    const bool standard_32 = header.bit_count == 32 && dib.red.shift == 16 && dib.red.length == 8 &&
                             dib.green.shift == 8 && dib.green.length == 8 && dib.blue.shift == 0 &&
                             dib.blue.length == 8;
    for (std::size_t row = 0; row < rows; ++row) {
        const std::uint8_t* in = dib.data.data() + row * stride;
        // Output rows run bottom-up; a top-down file stores its top row first.
        const std::size_t out_row = header.height < 0 ? rows - 1 - row : row;
        std::uint8_t* target = out + out_row * width * 3;
        if (header.bit_count == 24) {
            convert_row_24(in, target, width);
        } else if (standard_32) {
            convert_row_bgrx(in, target, width);
        } else if (header.bit_count >= 16) {
            convert_row_masked(dib, in, target, width);
        } else {
            convert_row_indexed(dib, in, target, width);
        }
    }
}

// Run-length data, decoded as the platform does. Pixels no run paints stay
// black. Runs that go past the end of a row are cut there (their data are
// still consumed); a delta past the row's end stops at the end; a move past
// the last row ends the image. The runs painted since the last end-of-line,
// delta or end-of-image code are kept only when such a code follows: data that
// simply run out, or an absolute run cut short by the end of the data, drop
// them again.
void decode_run_length(const Dib& dib, std::uint8_t* out) {
    const DibHeader& header = dib.header;
    const std::size_t n =
        static_cast<std::size_t>(std::min<std::uint64_t>(header.size_image, dib.data.size()));
    const std::uint8_t* in = dib.data.data();
    const bool four = header.bit_count == 4;
    const auto width = static_cast<std::int64_t>(header.width);
    const auto height = static_cast<std::int64_t>(header.height);

    std::int64_t x = 0;
    std::int64_t y = 0; // output row, 0 = bottom
    std::int64_t left = 0;
    std::int64_t right = 0;
    bool closed = false;
    auto paint = [&](std::int64_t at, unsigned index) {
        put(out + (y * width + at) * 3, dib.palette[index]);
    };

    std::size_t i = 0;
    while (i + 1 < n) {
        const unsigned count = in[i];
        const unsigned value = in[i + 1];
        i += 2;
        if (count != 0) {
            // Encoded run: count pixels of one index (two alternating ones in 4-bit data).
            const std::int64_t run = std::min<std::int64_t>(count, width - x);
            for (std::int64_t k = 0; k < run; ++k) {
                paint(x + k, four ? (k % 2 == 0 ? value >> 4 : value & 0x0fu) : value);
            }
            x += run;
            right = x;
        } else if (value >= 3) {
            // Absolute run: value indices follow, padded to an even number of bytes.
            const std::size_t bytes = four ? (value + 1) / 2 : value;
            if (bytes > n - i) {
                break;
            }
            const std::int64_t run = std::min<std::int64_t>(value, width - x);
            for (std::int64_t k = 0; k < run; ++k) {
                const unsigned packed = in[i + (four ? k / 2 : k)];
                paint(x + k, four ? (k % 2 == 0 ? packed >> 4 : packed & 0x0fu) : packed);
            }
            x += run;
            right = x;
            i += (bytes + 1) & ~std::size_t{1};
        } else if (value == 0) { // end of line
            x = left = right = 0;
            if (++y >= height) {
                closed = true;
                break;
            }
        } else if (value == 1) { // end of image
            closed = true;
            break;
        } else { // delta: move right and up by the next two bytes
            if (i + 1 >= n) {
                closed = true;
                break;
            }
            x = std::min<std::int64_t>(x + in[i], width);
            left = right = x;
            y += in[i + 1];
            i += 2;
            if (y >= height) {
                closed = true;
                break;
            }
        }
    }
    if (!closed) {
        std::memset(out + (y * width + left) * 3, 0, static_cast<std::size_t>(right - left) * 3);
    }
}

// Whether a picture of these sides is one the renderer takes at all (both
// sides below 2^32, so the product cannot overflow).
bool within_caps(std::uint64_t width, std::uint64_t rows) {
    return width <= static_cast<std::uint64_t>(max_image_side) &&
           rows <= static_cast<std::uint64_t>(max_image_side) && width * rows <= max_image_pixels;
}

BmpDecodeResult failure(BmpError error) {
    return BmpDecodeResult{std::nullopt, error};
}

} // namespace

std::string_view bmp_error_text(BmpError error) {
    return kErrorTexts[static_cast<std::size_t>(error)];
}

std::string bmp_error_message(BmpError error, std::string_view path) {
    const std::string_view text = bmp_error_text(error);
    const std::size_t slot = text.find("%s");
    if (slot == std::string_view::npos) {
        return std::string(text);
    }
    std::string message;
    message.reserve(text.size() - 2 + path.size());
    message.append(text.substr(0, slot));
    message.append(path);
    message.append(text.substr(slot + 2));
    return message;
}

BmpDecodeResult decode_bmp(std::span<const std::uint8_t> file, std::size_t max_output_bytes) {
    // The platform cannot map an empty file, so it cannot be opened as one.
    if (file.empty()) {
        return failure(BmpError::open_failed);
    }
    Dib dib;
    if (const auto error = read_dib(file, dib)) {
        return failure(*error);
    }
    if (!data_suffices(dib)) {
        return failure(BmpError::conversion_failed);
    }

    const auto width = static_cast<std::uint64_t>(dib.header.width);
    const std::uint64_t rows = rows_of(dib.header);
    if (!within_caps(width, rows)) {
        return failure(BmpError::out_of_memory);
    }
    const std::uint64_t bytes = width * rows * 3;
    if (bytes > max_output_bytes || bytes > std::numeric_limits<std::size_t>::max()) {
        return failure(BmpError::out_of_memory);
    }
    RgbImage image;
    image.width = static_cast<std::int32_t>(width);
    image.height = static_cast<std::int32_t>(rows);
    image.pixels.reset(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(bytes)]);
    if (!image.pixels) {
        return failure(BmpError::out_of_memory);
    }
    if (is_run_length(dib.header)) {
        std::memset(image.pixels.get(), 0, static_cast<std::size_t>(bytes));
        decode_run_length(dib, image.pixels.get());
    } else {
        decode_uncompressed(dib, image.pixels.get());
    }
    return BmpDecodeResult{std::move(image), BmpError::conversion_failed};
}
