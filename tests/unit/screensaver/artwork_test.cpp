// The pictures committed under resources/ are what the artwork generator
// paints (to within a few levels, for other compilers' floating point), and
// they look like what they are meant to show.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <numeric>
#include <string>
#include <utility>
#include <vector>

#include "canvas.h"
#include "command_frames.h"
#include "panel_strip.h"
#include "preview_pictures.h"
#include "radio_marks.h"
#include "check_marks.h"
#include "thunder_sounds.h"

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
    EXPECT_EQ(committed[28], 24) << name << ": bits a pixel";
    int worst = 0;
    for (std::size_t i = 54; i < fresh.size(); ++i) {
        worst = std::max(worst, std::abs(committed[i] - fresh[i]));
    }
    EXPECT_LE(worst, 3) << name << ": regenerate with the artwork target";
}

// A pixel in 0..255 levels.
std::array<long, 3> Rgb255(const artwork::Canvas& c, int x, int y) {
    const auto& p = c.at(x, y);
    return {std::lround(p.r * 255), std::lround(p.g * 255), std::lround(p.b * 255)};
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

// The thunder sounds: the generator's, byte for byte, each a crack loud at
// its start over a rumble that has died away at its end.
TEST(Artwork, ThunderSoundsAreCommittedCracksThatRumbleAway) {
    for (int variant = 0; variant < artwork::kThunderVariants; ++variant) {
        const std::string name = "thunder_" + std::to_string(variant + 1) + ".wav";
        const std::vector<std::int16_t> samples = artwork::SynthesiseThunder(variant);
        EXPECT_EQ(ReadFile(Resource(name.c_str())),
                  artwork::EncodeWav(samples, artwork::kThunderSampleRate))
            << name << ": regenerate with the artwork target";
        const auto peak = [&](double from, double to) {
            int most = 0;
            for (auto i = static_cast<std::size_t>(from * artwork::kThunderSampleRate);
                 i < static_cast<std::size_t>(to * artwork::kThunderSampleRate); ++i) {
                most = std::max(most, std::abs(int{samples[i]}));
            }
            return most;
        };
        EXPECT_GT(peak(0.0, 0.05), 16000) << name;
        const double end = static_cast<double>(samples.size()) / artwork::kThunderSampleRate;
        EXPECT_LT(peak(end - 0.05, end), 800) << name;
    }
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
        EXPECT_EQ(Rgb255(*p.picture, p.x, p.y), p.colour) << p.x << "," << p.y;
    }
}

// The check marks: committed; the checked one differs only inside the
// border, where its tick is dark and blue.
TEST(Artwork, CheckMarksAreCommittedAndDifferOnlyInsideTheBorder) {
    const artwork::Canvas unchecked = artwork::PaintCheckUnchecked();
    const artwork::Canvas checked = artwork::PaintCheckChecked();
    ExpectCommittedMatchesPainted("check_unchecked.bmp", unchecked);
    ExpectCommittedMatchesPainted("check_checked.bmp", checked);
    for (int i = 0; i < 12; ++i) {
        for (const auto& [x, y] : {std::pair{i, 0}, {i, 11}, {0, i}, {11, i}}) {
            EXPECT_EQ(Rgb255(checked, x, y), Rgb255(unchecked, x, y)) << x << "," << y;
        }
    }
    const auto tick = Rgb255(checked, 5, 8);
    EXPECT_LT(tick[0], 110);
    EXPECT_GT(tick[2], tick[0] + 50);
}

// The radio marks: on the panel's tone outside the ring, so no square shows
// on the panel; the selected one differs from the empty one only inside the
// ring, where it holds a dark blue dot on the light well.
TEST(Artwork, RadioMarksAreCommittedAndDifferOnlyInsideTheRing) {
    const artwork::Canvas unselected = artwork::PaintRadioUnselected();
    const artwork::Canvas selected = artwork::PaintRadioSelected();
    ExpectCommittedMatchesPainted("radio_unselected.bmp", unselected);
    ExpectCommittedMatchesPainted("radio_selected.bmp", selected);
    ASSERT_EQ(unselected.width(), 12);
    ASSERT_EQ(unselected.height(), 12);

    const auto tone = Rgb255(unselected, 0, 0);
    EXPECT_EQ(tone, (std::array<long, 3>{224, 224, 224}));
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 12; ++x) {
            const double r =
                std::hypot(x + 0.5 - artwork::kRadioCentre, y + 0.5 - artwork::kRadioCentre);
            if (r >= artwork::kRadioInnerRadius) {
                EXPECT_EQ(Rgb255(selected, x, y), Rgb255(unselected, x, y)) << x << "," << y;
            }
            if (r > artwork::kRadioOuterRadius + 0.75) {
                EXPECT_EQ(Rgb255(unselected, x, y), tone) << x << "," << y;
            }
        }
    }
    // The ring is dark blue; the well is light in both, the dot dark and blue.
    for (const auto& [x, y] : {std::pair{0, 5}, {11, 6}, {6, 0}, {5, 11}}) {
        const auto ring = Rgb255(unselected, x, y);
        EXPECT_LT(ring[0], 110) << x << "," << y;
        EXPECT_GT(ring[2], ring[0] + 50) << x << "," << y;
    }
    EXPECT_GT(MeanBrightness(unselected, 4, 4, 8, 8), 215);
    EXPECT_GT(MeanBrightness(selected, 3, 7, 9, 8), 200); // the well below the dot
    const auto dot = Rgb255(selected, 6, 6);
    EXPECT_LT(dot[0], 90);
    EXPECT_GT(dot[2], dot[0] + 100);
}

// The panel's strip: light grey around the panel's back colour with a quiet
// texture, whose top row continues its bottom row and whose left column its
// right one no more abruptly than neighbouring rows and columns differ.
TEST(Artwork, PanelStripIsAQuietGreyThatTilesWithoutSeams) {
    const artwork::Canvas strip = artwork::PaintPanelStrip();
    ExpectCommittedMatchesPainted("panel_strip.bmp", strip);
    ASSERT_EQ(strip.width(), 556);
    ASSERT_EQ(strip.height(), 20);
    EXPECT_NEAR(MeanBrightness(strip, 0, 0, 556, 20), 224, 1.5);
    const auto green = [&](int x, int y) { return Rgb255(strip, x % 556, y % 20)[1]; };
    long lowest = 255;
    long highest = 0;
    // Mean differences between each row (column) and the next, the last with the first.
    std::vector<double> rows(20);
    std::vector<double> columns(556);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 556; ++x) {
            lowest = std::min(lowest, green(x, y));
            highest = std::max(highest, green(x, y));
            rows[static_cast<std::size_t>(y)] += std::abs(green(x, y) - green(x, y + 1)) / 556.0;
            columns[static_cast<std::size_t>(x)] += std::abs(green(x, y) - green(x + 1, y)) / 20.0;
        }
    }
    EXPECT_GE(lowest, 212); // quiet: a few levels either side
    EXPECT_LE(highest, 236);
    EXPECT_GT(highest - lowest, 4); // but textured
    for (const auto* steps : {&rows, &columns}) {
        const double inner =
            std::accumulate(steps->begin(), steps->end() - 1, 0.0) / (steps->size() - 1);
        EXPECT_LE(steps->back(), inner * 1.5 + 0.25) << steps->size() << " steps";
    }
}

} // namespace
