#include "icon_file.h"

#include <algorithm>
#include <cmath>

namespace artwork {

namespace {

void Put16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

std::uint8_t Byte(double v) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
}

// The directory's type and the two 16-bit fields of its entry that follow
// the colour counts: planes and bits a pixel for an icon, the hotspot for a cursor.
struct FileKind {
    unsigned type;
    unsigned field_a, field_b;
};

std::vector<std::uint8_t> Encode(const IconPicture& picture, FileKind kind) {
    const int width = picture.colour.width();
    const int height = picture.colour.height();
    const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (width <= 0 || height <= 0 || width > 256 || height > 256 ||
        picture.alpha.size() != pixels) {
        return {};
    }
    const std::size_t mask_stride = (static_cast<std::size_t>(width) + 31) / 32 * 4;
    const std::size_t image_size = pixels * 4 + mask_stride * static_cast<std::size_t>(height);
    constexpr std::uint32_t kDirectorySize = 6 + 16;

    std::vector<std::uint8_t> out;
    out.reserve(kDirectorySize + 40 + image_size);
    // The directory: reserved, the file's type, one entry.
    Put16(out, 0);
    Put16(out, kind.type);
    Put16(out, 1);
    // Its entry: 256 pixels are written as 0.
    out.push_back(static_cast<std::uint8_t>(width & 0xFF));
    out.push_back(static_cast<std::uint8_t>(height & 0xFF));
    out.push_back(0); // no palette
    out.push_back(0);
    Put16(out, kind.field_a);
    Put16(out, kind.field_b);
    Put32(out, static_cast<std::uint32_t>(40 + image_size));
    Put32(out, kDirectorySize);
    // The DIB header: the height counts the picture and its mask.
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height * 2));
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, 0); // BI_RGB
    Put32(out, static_cast<std::uint32_t>(image_size));
    for (int i = 0; i < 4; ++i) {
        Put32(out, 0); // resolution and colour counts
    }
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const Colour& c = picture.colour.at(x, y);
            out.push_back(Byte(c.b));
            out.push_back(Byte(c.g));
            out.push_back(Byte(c.r));
            out.push_back(Byte(picture.alpha_at(x, y)));
        }
    }
    for (int y = height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(mask_stride, 0);
        for (int x = 0; x < width; ++x) {
            if (Byte(picture.alpha_at(x, y)) < 128) {
                row[static_cast<std::size_t>(x) / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

} // namespace

std::vector<std::uint8_t> EncodeIcon(const IconPicture& picture) {
    return Encode(picture, FileKind{1, 1, 32});
}

std::vector<std::uint8_t> EncodeCursor(const IconPicture& picture, Hotspot hotspot) {
    if (hotspot.x < 0 || hotspot.y < 0 || hotspot.x >= picture.colour.width() ||
        hotspot.y >= picture.colour.height()) {
        return {};
    }
    return Encode(picture,
                  FileKind{2, static_cast<unsigned>(hotspot.x), static_cast<unsigned>(hotspot.y)});
}

} // namespace artwork
