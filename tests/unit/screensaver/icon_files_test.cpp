// The program's icon and the web-address label's cursor under resources/ are
// what the artwork generator paints, each a well-formed 32 x 32 file of one
// picture with its mask, and they show what they should. The icon: a rounded
// square, transparent at its corners, of dark night sky with a bright bolt
// running down to a paler floor. The cursor: a white hand outlined in black
// on a transparent ground, its hotspot on the tip of the pointing finger.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "icon_file.h"
#include "link_cursor.h"
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

std::vector<std::uint8_t> Committed(const char* name) {
    return ReadFile(std::string(VELMORAN_RESOURCES_DIR) + "/" + name);
}

const std::vector<std::uint8_t>& CommittedIcon() {
    static const std::vector<std::uint8_t> file = Committed("Velmoran.ico");
    return file;
}

// Each file with its directory's type and the entry's two fields after the
// colour counts: planes and bits a pixel for an icon, the hotspot for a cursor.
struct IconFile {
    const char* name;
    std::vector<std::uint8_t> (*paint)();
    unsigned type, field_a, field_b;
};

std::vector<std::uint8_t> PaintedIcon() {
    return artwork::EncodeIcon(artwork::PaintProgramIcon());
}

std::vector<std::uint8_t> PaintedCursor() {
    return artwork::EncodeCursor(artwork::PaintLinkCursor(), artwork::kLinkCursorHotspot);
}

const IconFile kFiles[] = {
    {"Velmoran.ico", PaintedIcon, 1, 1, 32},
    {"link_cursor.cur", PaintedCursor, 2, artwork::kLinkCursorHotspot.x,
     artwork::kLinkCursorHotspot.y},
};

TEST(IconFiles, CommittedFilesAreTheGeneratorsOutput) {
    for (const IconFile& f : kFiles) {
        const auto fresh = f.paint();
        const auto committed = Committed(f.name);
        ASSERT_EQ(committed.size(), fresh.size())
            << f.name << ": regenerate with the artwork target";
        EXPECT_TRUE(std::equal(fresh.begin(), fresh.begin() + kHeaderBytes, committed.begin()));
        int worst = 0;
        for (std::size_t i = kHeaderBytes; i < kHeaderBytes + kPixelBytes; ++i) {
            worst = std::max(worst, std::abs(committed[i] - fresh[i]));
        }
        EXPECT_LE(worst, 3) << f.name << ": regenerate with the artwork target";
    }
}

TEST(IconFiles, EachIsOne32BitPictureOf32By32WithAMaskThatFollowsItsOpacity) {
    for (const IconFile& f : kFiles) {
        const auto file = Committed(f.name);
        ASSERT_EQ(file.size(), kHeaderBytes + kPixelBytes + kMaskBytes) << f.name;
        // The directory: its type, one picture.
        EXPECT_EQ(U16(file, 0), 0u);
        EXPECT_EQ(U16(file, 2), f.type) << f.name;
        EXPECT_EQ(U16(file, 4), 1u);
        // Its entry: 32 x 32, the two fields of its kind, where the picture lies.
        EXPECT_EQ(file[6], kSize);
        EXPECT_EQ(file[7], kSize);
        EXPECT_EQ(U16(file, 10), f.field_a) << f.name;
        EXPECT_EQ(U16(file, 12), f.field_b) << f.name;
        EXPECT_EQ(U32(file, 14), 40 + kPixelBytes + kMaskBytes);
        EXPECT_EQ(U32(file, 18), 22u);
        // The picture's header counts the picture and its mask in its height.
        EXPECT_EQ(U32(file, 22), 40u);
        EXPECT_EQ(U32(file, 26), 32u);
        EXPECT_EQ(U32(file, 30), 64u);
        EXPECT_EQ(U16(file, 36), 32u);
        EXPECT_EQ(U32(file, 38), 0u); // uncompressed
        const Icon icon = Decode(file);
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                EXPECT_EQ(icon.transparent[static_cast<std::size_t>(y) * kSize + x],
                          icon.at(x, y).a < 128)
                    << f.name << " " << x << "," << y;
            }
        }
    }
    // A cursor's hotspot must lie on its picture.
    EXPECT_TRUE(artwork::EncodeCursor(artwork::PaintLinkCursor(), {32, 0}).empty());
}

TEST(ProgramIcon, RoundedSquareOfNightSkyWithABoltDownToTheFloor) {
    const auto& file = CommittedIcon();
    ASSERT_EQ(file.size(), kHeaderBytes + kPixelBytes + kMaskBytes);
    const Icon icon = Decode(file);
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

TEST(LinkCursor, WhiteHandOutlinedInBlackWithItsHotspotOnTheFingertip) {
    const auto file = Committed("link_cursor.cur");
    ASSERT_EQ(file.size(), kHeaderBytes + kPixelBytes + kMaskBytes);
    const Icon cursor = Decode(file);
    int white = 0;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const Pixel& p = cursor.at(x, y);
            // Where the mask shows the screen, systems without alpha must add nothing.
            EXPECT_TRUE(p.a >= 128 || p.brightest() == 0) << x << "," << y;
            white += p.a == 255 && p.r == 255 && p.g == 255 && p.b == 255 ? 1 : 0;
        }
    }
    EXPECT_GT(white, 200);
    for (const auto& [x, y] : {std::pair{0, 0}, {31, 0}, {0, 31}, {31, 31}}) {
        EXPECT_EQ(cursor.at(x, y).a, 0) << x << "," << y;
    }
    // The hotspot is black and opaque at the very top of the hand; below it
    // the finger is white, and either side of it transparent.
    const int hx = static_cast<int>(U16(file, 10));
    const int hy = static_cast<int>(U16(file, 12));
    ASSERT_TRUE(hx >= 5 && hx < kSize - 6 && hy < kSize - 6);
    EXPECT_GE(cursor.at(hx, hy).a, 200);
    EXPECT_LT(cursor.at(hx, hy).brightest(), 40);
    for (int x = 0; x < kSize * hy; ++x) {
        EXPECT_LT(cursor.at(x % kSize, x / kSize).a, 128) << "above the hotspot";
    }
    EXPECT_EQ(cursor.at(hx, hy + 6).a, 255);
    EXPECT_EQ(cursor.at(hx, hy + 6).brightest(), 255);
    EXPECT_EQ(cursor.at(hx - 5, hy + 6).a, 0);
    EXPECT_EQ(cursor.at(hx + 6, hy + 6).a, 0);
}

} // namespace
