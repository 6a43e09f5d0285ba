// The pictures committed under resources/ are what the artwork generator
// paints (to within a few levels, for other compilers' floating point), and
// they look like what they are meant to show.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "canvas.h"
#include "command_frames.h"
#include "preview_pictures.h"

namespace {

std::vector<std::uint8_t> ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string Resource(const char* name) {
    return std::string(VELMORAN_RESOURCES_DIR) + "/" + name;
}

void ExpectCommittedMatchesPainted(const char* name, const artwork::Canvas& painted) {
    const auto committed = ReadFile(Resource(name));
    const auto fresh = painted.ToBmp();
    ASSERT_EQ(committed.size(), fresh.size()) << name << ": regenerate with the artwork target";
    ASSERT_TRUE(std::equal(committed.begin(), committed.begin() + 54, fresh.begin())) << name;
    int worst = 0;
    for (std::size_t i = 54; i < fresh.size(); ++i) {
        worst = std::max(worst, std::abs(committed[i] - fresh[i]));
    }
    EXPECT_LE(worst, 3) << name << ": regenerate with the artwork target";
}

// Mean of the largest channel over a rectangle of a painted picture (0..255).
double MeanBrightness(const artwork::Canvas& c, int x0, int y0, int x1, int y1) {
    double sum = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const auto& p = c.at(x, y);
            sum += std::min(1.0, std::max({p.r, p.g, p.b})) * 255;
        }
    }
    return sum / ((x1 - x0) * (y1 - y0));
}

// Painting takes a moment; each picture is painted once for all tests.
const artwork::Canvas& PreviewPicture() {
    static const artwork::Canvas picture = artwork::PaintPreviewPicture();
    return picture;
}

const artwork::Canvas& PreviewBackground() {
    static const artwork::Canvas background = artwork::PaintPreviewBackground();
    return background;
}

TEST(Artwork, CommittedPicturesAreTheGeneratorsOutput) {
    ExpectCommittedMatchesPainted("preview_picture.bmp", PreviewPicture());
    ExpectCommittedMatchesPainted("preview_background.bmp", PreviewBackground());
}

TEST(Artwork, PreviewPictureIsADarkSkyOverAPaleStripWithABolt) {
    const artwork::Canvas& picture = PreviewPicture();
    ASSERT_EQ(picture.width(), 152);
    ASSERT_EQ(picture.height(), 112);
    // The sky's corners are dark, the desktop strip at the bottom is pale.
    EXPECT_LT(MeanBrightness(picture, 0, 0, 20, 20), 60);
    EXPECT_GT(MeanBrightness(picture, 20, 90, 132, 106), 150);
    // Somewhere in every band of the sky the bolt is nearly white.
    for (int band = 0; band < 80; band += 16) {
        int white = 0;
        for (int y = band; y < band + 16; ++y) {
            for (int x = 0; x < 152; ++x) {
                const auto& p = picture.at(x, y);
                white += p.r > 0.9 && p.g > 0.85 && p.b > 0.9 ? 1 : 0;
            }
        }
        EXPECT_GT(white, 3) << "rows " << band << ".." << band + 16;
    }
}

TEST(Artwork, BackgroundIsDark) {
    const artwork::Canvas& background = PreviewBackground();
    EXPECT_LT(MeanBrightness(background, 0, 0, 152, 112), 90);
}

// The Command button's frames: the outline one pixel in (two when pressed),
// the band's colours where the look says, and the hover picture twice.
TEST(Artwork, CommandFramesAreCommittedAndDrawTheirLooks) {
    const artwork::Canvas normal = artwork::PaintNormalFrame();
    const artwork::Canvas highlight = artwork::PaintHighLightFrame();
    const artwork::Canvas selected = artwork::PaintSelectedFrame();
    const artwork::Canvas pressed = artwork::PaintPressedFrame();
    const artwork::Canvas disable = artwork::PaintDisableFrame();
    ExpectCommittedMatchesPainted("command_normal.bmp", normal);
    ExpectCommittedMatchesPainted("command_highlight.bmp", highlight);
    ExpectCommittedMatchesPainted("command_highlight_select.bmp", highlight);
    ExpectCommittedMatchesPainted("command_selected.bmp", selected);
    ExpectCommittedMatchesPainted("command_pressed.bmp", pressed);
    ExpectCommittedMatchesPainted("command_disable.bmp", disable);
    EXPECT_EQ(ReadFile(Resource("command_highlight.bmp")),
              ReadFile(Resource("command_highlight_select.bmp")));

    const auto rgb = [](const artwork::Canvas& c, int x, int y) {
        const auto& p = c.at(x, y);
        return std::array<long, 3>{std::lround(p.r * 255), std::lround(p.g * 255),
                                   std::lround(p.b * 255)};
    };
    using C = std::array<long, 3>;
    const struct {
        const artwork::Canvas* picture;
        int x, y;
        C colour;
    } pixels[] = {
        {&normal, 30, 1, {0, 60, 116}},       {&normal, 62, 12, {0, 60, 116}},
        {&normal, 30, 2, {243, 243, 238}},    {&normal, 30, 22, {214, 208, 197}},
        {&normal, 1, 1, {122, 149, 168}},     {&highlight, 30, 2, {255, 240, 207}},
        {&highlight, 30, 22, {229, 151, 0}},  {&selected, 30, 3, {206, 231, 255}},
        {&selected, 30, 21, {105, 130, 238}}, {&pressed, 30, 1, {236, 233, 216}},
        {&pressed, 30, 2, {0, 60, 116}},      {&pressed, 30, 3, {208, 203, 191}},
        {&pressed, 30, 21, {242, 242, 239}},  {&disable, 30, 1, {201, 199, 186}},
        {&disable, 30, 3, {245, 244, 234}},   {&disable, 0, 12, {236, 233, 216}},
    };
    for (const auto& p : pixels) {
        EXPECT_EQ(rgb(*p.picture, p.x, p.y), p.colour) << p.x << "," << p.y;
    }
}

} // namespace
