// The two bolt pictures under resources/ are what the artwork generator
// paints, and they show what the renderer expects of them: a bolt of the
// right colour between the right heights, jagged and branching, in a glow
// that fades to pure black, which adds nothing to the sky.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bolt_pictures.h"

namespace {

constexpr int kSize = 256;

std::vector<std::uint8_t> ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

struct Pixel {
    int r = 0, g = 0, b = 0;
    int brightest() const { return std::max({r, g, b}); }
};

// A 24-bit BMP file's pixels, top row first.
struct Picture {
    std::vector<Pixel> pixels;
    const Pixel& at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * kSize + x]; }
};

Picture Decode(const std::vector<std::uint8_t>& bmp) {
    Picture picture;
    picture.pixels.resize(kSize * kSize);
    const std::size_t stride = kSize * 3;
    for (int y = 0; y < kSize; ++y) {
        const std::uint8_t* row =
            bmp.data() + 54 + stride * static_cast<std::size_t>(kSize - 1 - y);
        for (int x = 0; x < kSize; ++x) {
            picture.pixels[static_cast<std::size_t>(y) * kSize + x] =
                Pixel{row[x * 3 + 2], row[x * 3 + 1], row[x * 3]};
        }
    }
    return picture;
}

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

// The committed file, checked against a fresh painting and decoded.
Picture Committed(const char* name, const artwork::Canvas& painted) {
    const auto committed = ReadFile(std::string(VELMORAN_RESOURCES_DIR) + "/" + name);
    const auto fresh = painted.ToBmp();
    EXPECT_EQ(committed.size(), fresh.size()) << name << ": regenerate with the artwork target";
    if (committed.size() != fresh.size() || committed.size() != 54 + kSize * kSize * 3) {
        ADD_FAILURE() << name << " is not a 256 x 256 24-bit picture";
        return Picture{std::vector<Pixel>(kSize * kSize)};
    }
    EXPECT_EQ(U32(committed, 18), 256u);
    EXPECT_EQ(U32(committed, 22), 256u);
    EXPECT_EQ(committed[28], 24);
    int worst = 0;
    for (std::size_t i = 54; i < fresh.size(); ++i) {
        worst = std::max(worst, std::abs(committed[i] - fresh[i]));
    }
    EXPECT_LE(worst, 3) << name << ": regenerate with the artwork target";
    return Decode(committed);
}

const Picture& Violet() {
    static const Picture picture = Committed("bolt_violet.bmp", artwork::PaintVioletBolt());
    return picture;
}

const Picture& Yellow() {
    static const Picture picture = Committed("bolt_yellow.bmp", artwork::PaintYellowBolt());
    return picture;
}

constexpr int kBright = 200; // the bolt's channel and its brightest branches

// The first and last rows that hold a bright pixel.
std::pair<int, int> BrightRows(const Picture& p) {
    int first = -1;
    int last = -1;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            if (p.at(x, y).brightest() >= kBright) {
                first = first < 0 ? y : first;
                last = y;
                break;
            }
        }
    }
    return {first, last};
}

// The column of a row's brightest pixel (the main channel), or -1.
int Channel(const Picture& p, int y) {
    int best = -1;
    int best_value = kBright - 1;
    for (int x = 0; x < kSize; ++x) {
        if (p.at(x, y).brightest() > best_value) {
            best_value = p.at(x, y).brightest();
            best = x;
        }
    }
    return best;
}

void ExpectPureBlackAwayFromTheBolt(const Picture& p) {
    // Mark the neighbourhood of the bolt's lit pixels, its dim branch tips
    // among them; nothing outside it may shine.
    constexpr int kLit = 40;
    constexpr int kReach = 32;
    std::vector<bool> near(kSize * kSize, false);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            if (p.at(x, y).brightest() < kLit) {
                continue;
            }
            for (int dy = -kReach; dy <= kReach; ++dy) {
                for (int dx = -kReach; dx <= kReach; ++dx) {
                    const int nx = x + dx;
                    const int ny = y + dy;
                    if (nx >= 0 && ny >= 0 && nx < kSize && ny < kSize) {
                        near[static_cast<std::size_t>(ny) * kSize + nx] = true;
                    }
                }
            }
        }
    }
    int black = 0;
    int stray = 0;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const Pixel& pixel = p.at(x, y);
            black += pixel.brightest() == 0 ? 1 : 0;
            stray +=
                pixel.brightest() > 0 && !near[static_cast<std::size_t>(y) * kSize + x] ? 1 : 0;
        }
    }
    EXPECT_EQ(stray, 0) << "light far from the bolt";
    EXPECT_GT(black, kSize * kSize * 6 / 10) << "the background must be pure black";
    for (int x = 0; x < kSize; ++x) {
        EXPECT_EQ(p.at(x, kSize - 1).brightest(), 0) << "bottom row, column " << x;
    }
    for (int y = 0; y < kSize; ++y) {
        EXPECT_EQ(p.at(0, y).brightest(), 0) << "left column, row " << y;
        EXPECT_EQ(p.at(kSize - 1, y).brightest(), 0) << "right column, row " << y;
    }
}

// Jagged: the channel turns back and forth many times, and wanders.
// Branching: in many rows there is bright light well away from the channel.
void ExpectJaggedAndBranching(const Picture& p) {
    const auto [first, last] = BrightRows(p);
    std::vector<int> channel;
    for (int y = first; y <= last; y += 4) {
        const int x = Channel(p, y);
        if (x >= 0) {
            channel.push_back(x);
        }
    }
    int turns = 0;
    int previous_step = 0;
    for (std::size_t i = 1; i < channel.size(); ++i) {
        const int step = channel[i] - channel[i - 1];
        if (step != 0) {
            turns += previous_step != 0 && (step > 0) != (previous_step > 0) ? 1 : 0;
            previous_step = step;
        }
    }
    EXPECT_GE(turns, 6) << "a bolt zigzags";
    const auto [lo, hi] = std::minmax_element(channel.begin(), channel.end());
    EXPECT_GE(*hi - *lo, 15) << "a bolt is no straight line";

    int branch_rows = 0;
    for (int y = first; y <= last; ++y) {
        const int x0 = Channel(p, y);
        bool branch = false;
        for (int x = 0; x < kSize && x0 >= 0; ++x) {
            branch |= std::abs(x - x0) > 15 && p.at(x, y).brightest() >= 100;
        }
        branch_rows += branch ? 1 : 0;
    }
    EXPECT_GE(branch_rows, 12) << "side branches";
}

// Mean channels of the glow: the pixels that are lit but not the white core.
Pixel GlowColour(const Picture& p) {
    long r = 0, g = 0, b = 0, n = 0;
    for (const Pixel& pixel : p.pixels) {
        if (pixel.brightest() >= 40 && pixel.brightest() < 200) {
            r += pixel.r;
            g += pixel.g;
            b += pixel.b;
            ++n;
        }
    }
    return n == 0 ? Pixel{} : Pixel{int(r / n), int(g / n), int(b / n)};
}

int WhiteCorePixels(const Picture& p) {
    return static_cast<int>(std::count_if(p.pixels.begin(), p.pixels.end(), [](const Pixel& x) {
        return std::min({x.r, x.g, x.b}) >= 225;
    }));
}

TEST(BoltPictures, TheVioletBoltRunsFromTheTopEdgeLeftOfCentreToFourFifthsDown) {
    const Picture& p = Violet();
    const auto [first, last] = BrightRows(p);
    EXPECT_EQ(first, 0) << "it starts at the top edge";
    const int start = Channel(p, 0);
    EXPECT_GE(start, 96);
    EXPECT_LT(start, 128) << "slightly left of centre";
    EXPECT_GE(last, 192);
    EXPECT_LE(last, 218) << "about four fifths down";
}

TEST(BoltPictures, TheYellowBoltIsShorterFromBelowTheTopNearTheCentreToThreeQuartersDown) {
    const Picture& p = Yellow();
    const auto [first, last] = BrightRows(p);
    EXPECT_GE(first, 8);
    EXPECT_LE(first, 40) << "a little below the top edge";
    const int start = Channel(p, first);
    EXPECT_GE(start, 108);
    EXPECT_LE(start, 148) << "near the centre";
    EXPECT_GE(last, 180);
    EXPECT_LE(last, 204) << "about three quarters down";
    const auto [violet_first, violet_last] = BrightRows(Violet());
    EXPECT_LT(last - first, violet_last - violet_first);
}

TEST(BoltPictures, VioletWhiteAndYellowWhite) {
    EXPECT_GT(WhiteCorePixels(Violet()), 150);
    EXPECT_GT(WhiteCorePixels(Yellow()), 150);
    const Pixel violet = GlowColour(Violet());
    EXPECT_GT(violet.b, violet.g + 50) << "violet glow";
    EXPECT_GT(violet.r, violet.g + 15) << "violet glow";
    const Pixel yellow = GlowColour(Yellow());
    EXPECT_GT(yellow.r, yellow.b + 50) << "yellow glow";
    EXPECT_GT(yellow.g, yellow.b + 40) << "yellow glow";
}

TEST(BoltPictures, BothAreJaggedAndBranching) {
    ExpectJaggedAndBranching(Violet());
    ExpectJaggedAndBranching(Yellow());
}

TEST(BoltPictures, TheBackgroundIsPureBlack) {
    ExpectPureBlackAwayFromTheBolt(Violet());
    ExpectPureBlackAwayFromTheBolt(Yellow());
}

} // namespace
