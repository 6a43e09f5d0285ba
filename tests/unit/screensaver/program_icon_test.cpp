// The program's icon under resources/ is what the artwork generator paints,
// a well-formed 32 x 32 icon file with its mask, and it shows what it should:
// a rounded square, transparent at its corners, of dark night sky with a
// bright bolt running down to a paler floor.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "icon_file.h"
#include "program_icon.h"

namespace {

constexpr int kSize = 32;
constexpr std::size_t kHeaderBytes = 6 + 16 + 40;
constexpr std::size_t kPixelBytes = kSize * kSize * 4;
constexpr std::size_t kMaskBytes = kSize * 4; // one 32-bit row of bits a line

std::vector<std::uint8_t> ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

unsigned U16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8;
}

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return U16(b, at) | static_cast<std::uint32_t>(U16(b, at + 2)) << 16;
}

struct Pixel {
    int r = 0, g = 0, b = 0, a = 0;
    int brightest() const { return std::max({r, g, b}); }
};

// The icon file's picture, top row first, and its mask bits.
struct Icon {
    std::vector<Pixel> pixels;
    std::vector<bool> transparent;
    const Pixel& at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * kSize + x]; }
};

Icon Decode(const std::vector<std::uint8_t>& file) {
    Icon icon;
    for (int y = 0; y < kSize; ++y) {
        const std::size_t row = kHeaderBytes + static_cast<std::size_t>(kSize - 1 - y) * kSize * 4;
        const std::size_t mask_row =
            kHeaderBytes + kPixelBytes + static_cast<std::size_t>(kSize - 1 - y) * 4;
        for (int x = 0; x < kSize; ++x) {
            const std::uint8_t* p = file.data() + row + static_cast<std::size_t>(x) * 4;
            icon.pixels.push_back(Pixel{p[2], p[1], p[0], p[3]});
            icon.transparent.push_back((file[mask_row + x / 8] & (0x80 >> (x % 8))) != 0);
        }
    }
    return icon;
}

const std::vector<std::uint8_t>& Committed() {
    static const std::vector<std::uint8_t> file =
        ReadFile(std::string(VELMORAN_RESOURCES_DIR) + "/Velmoran.ico");
    return file;
}

TEST(ProgramIcon, CommittedFileIsTheGeneratorsOutput) {
    const auto fresh = artwork::EncodeIcon(artwork::PaintProgramIcon());
    const auto& committed = Committed();
    ASSERT_EQ(committed.size(), fresh.size()) << "regenerate with the artwork target";
    EXPECT_TRUE(std::equal(fresh.begin(), fresh.begin() + kHeaderBytes, committed.begin()));
    int worst = 0;
    for (std::size_t i = kHeaderBytes; i < kHeaderBytes + kPixelBytes; ++i) {
        worst = std::max(worst, std::abs(committed[i] - fresh[i]));
    }
    EXPECT_LE(worst, 3) << "regenerate with the artwork target";
}

TEST(ProgramIcon, FileIsOne32BitPictureOf32By32WithItsMask) {
    const auto& file = Committed();
    ASSERT_EQ(file.size(), kHeaderBytes + kPixelBytes + kMaskBytes);
    // The directory: an icon (type 1) of one picture.
    EXPECT_EQ(U16(file, 0), 0u);
    EXPECT_EQ(U16(file, 2), 1u);
    EXPECT_EQ(U16(file, 4), 1u);
    // Its entry: 32 x 32, 32 bits a pixel, where the picture lies.
    EXPECT_EQ(file[6], kSize);
    EXPECT_EQ(file[7], kSize);
    EXPECT_EQ(U16(file, 10), 1u);
    EXPECT_EQ(U16(file, 12), 32u);
    EXPECT_EQ(U32(file, 14), 40 + kPixelBytes + kMaskBytes);
    EXPECT_EQ(U32(file, 18), 22u);
    // The picture's header counts the picture and its mask in its height.
    EXPECT_EQ(U32(file, 22), 40u);
    EXPECT_EQ(U32(file, 26), 32u);
    EXPECT_EQ(U32(file, 30), 64u);
    EXPECT_EQ(U16(file, 36), 32u);
    EXPECT_EQ(U32(file, 38), 0u); // uncompressed
}

TEST(ProgramIcon, RoundedSquareOfNightSkyWithABoltDownToTheFloor) {
    const auto& file = Committed();
    ASSERT_EQ(file.size(), kHeaderBytes + kPixelBytes + kMaskBytes);
    const Icon icon = Decode(file);
    // The mask agrees with the opacity everywhere.
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            EXPECT_EQ(icon.transparent[static_cast<std::size_t>(y) * kSize + x],
                      icon.at(x, y).a < 128)
                << x << "," << y;
        }
    }
    // Transparent corners and margin, an opaque square within.
    for (const auto& [x, y] : {std::pair{0, 0}, {31, 0}, {0, 31}, {31, 31}, {1, 1}, {16, 0}}) {
        EXPECT_EQ(icon.at(x, y).a, 0) << x << "," << y;
    }
    for (int y = 3; y < 29; ++y) {
        for (int x = 3; x < 29; ++x) {
            EXPECT_EQ(icon.at(x, y).a, 255) << x << "," << y;
        }
    }
    // A bolt: near-white pixels in every band of rows from the top to the floor.
    for (int band = 2; band < 22; band += 5) {
        int white = 0;
        for (int y = band; y < band + 5; ++y) {
            for (int x = 2; x < 30; ++x) {
                const Pixel& p = icon.at(x, y);
                white += p.r > 220 && p.g > 200 && p.b > 220 ? 1 : 0;
            }
        }
        EXPECT_GE(white, 2) << "rows " << band << ".." << band + 5;
    }
    // The sky away from the bolt is dark; the floor below it is paler.
    double sky = 0;
    for (int y = 3; y < 12; ++y) {
        for (int x = 3; x < 10; ++x) {
            sky += icon.at(x, y).brightest();
        }
    }
    sky /= 9 * 7;
    double floor = 0;
    for (int y = 24; y < 28; ++y) {
        for (int x = 3; x < 10; ++x) {
            floor += icon.at(x, y).brightest();
        }
    }
    floor /= 4 * 7;
    EXPECT_LT(sky, 70);
    EXPECT_GT(floor, sky + 60);
}

} // namespace
