// The floor as a user sees it: frames drawn offscreen by Mesa at the
// renderer's 1024 x 768 and judged by their pixels.

#include "floor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>

#include "gl_headers.h"
#include "osmesa_context.h"
#include "scene.h"
#include "textures.h"

using gl_test::Frame;
using gl_test::Rgba;

namespace {

// The first row (from the top) that the floor reaches: the far edge of the
// quad, 540 units in front of the eye and 15.5 below it, under a 45-degree
// field of view over 768 rows.
double expected_horizon_row() {
    const double focal = 1.0 / std::tan(22.5 * 3.14159265358979 / 180.0);
    const double ndc = -focal * 15.5 / 540.0;
    return 768.0 - (ndc + 1.0) / 2.0 * 768.0;
}

class FloorTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_gl.ready()) << "no offscreen Mesa context"; }

    void use_floor_picture(const RgbImage& image) {
        m_scene.texture_slots[floor_texture_slot] = build_texture(image);
    }

    Frame draw() {
        draw_frame(m_scene, gl_test::no_swap);
        return m_gl.read_frame();
    }

    // The first row from the top with any pixel brighter than 2.
    static int first_lit_row(const Frame& frame) {
        for (int y = 0; y < frame.height(); ++y) {
            if (frame.lit_in_row(y, 2) > 0) {
                return y;
            }
        }
        return -1;
    }

    static void expect_near(Rgba pixel, int r, int g, int b, int tolerance = 1) {
        EXPECT_LE(std::abs(pixel.r - r), tolerance) << "red " << int(pixel.r) << " vs " << r;
        EXPECT_LE(std::abs(pixel.g - g), tolerance) << "green " << int(pixel.g) << " vs " << g;
        EXPECT_LE(std::abs(pixel.b - b), tolerance) << "blue " << int(pixel.b) << " vs " << b;
    }

    gl_test::OsmesaContext m_gl;
    Scene m_scene;
};

TEST_F(FloorTest, FillsTheLowerPartUpToAHorizonJustBelowTheMiddleUnderABlackSky) {
    use_floor_picture(gl_test::make_image(8, 8, [](int, int) { return 0xffffffu; }));
    const Frame frame = draw();

    const int horizon = first_lit_row(frame);
    EXPECT_NEAR(horizon, expected_horizon_row(), 1.0);
    EXPECT_GT(horizon, 384) << "the horizon lies below the middle of the screen";
    EXPECT_LT(horizon, 430);
    for (int y = 0; y < horizon; ++y) {
        ASSERT_EQ(frame.lit_in_row(y, 0), 0) << "sky row " << y << " is not black";
    }
    for (int y = horizon + 1; y < 768; ++y) {
        ASSERT_EQ(frame.lit_in_row(y, 40), 1024) << "floor row " << y << " is not whole";
    }
}

TEST_F(FloorTest, ShowsTheTexelAtOneFifthWithoutFlashAndInFullWithAFlashOfOne) {
    use_floor_picture(
        gl_test::make_image(4, 4, [](int, int) { return 0xc86432u; })); // 200, 100, 50
    const Frame dim = draw();
    expect_near(dim.at(512, 700), 40, 20, 10);
    expect_near(dim.at(100, 450), 40, 20, 10);

    m_scene.flash_level = 0.3f;
    expect_near(draw().at(512, 700), 100, 50, 25);

    m_scene.flash_level = 1.0f; // 1.2 in all: clamped to the texel itself
    const Frame lit = draw();
    expect_near(lit.at(512, 700), 200, 100, 50);
    expect_near(lit.at(900, 600), 200, 100, 50);
}

TEST_F(FloorTest, MissingFloorPictureGivesAFlatGreyThatStillBrightensWithTheFlash) {
    // Slot 1 keeps 0: the default texture has no image, so only the grey shows.
    const Frame frame = draw();
    EXPECT_NEAR(first_lit_row(frame), expected_horizon_row(), 1.0);
    for (int y : {420, 500, 650, 767}) {
        for (int x : {0, 300, 512, 1023}) {
            expect_near(frame.at(x, y), 51, 51, 51);
        }
    }
    m_scene.flash_level = 0.5f;
    expect_near(draw().at(512, 600), 179, 179, 179);
}

// A picture whose green rises from its bottom row to its top row and whose
// red rises from left to right, shown at full brightness.
TEST_F(FloorTest, PictureStandsUprightWithItsBottomTowardsTheViewer) {
    use_floor_picture(gl_test::make_image(64, 64, [](int x, int y) {
        return static_cast<std::uint32_t>(x * 4) << 16 | static_cast<std::uint32_t>(y * 4) << 8;
    }));
    m_scene.flash_level = 1.0f;
    const Frame frame = draw();

    // The nearest repeat spans the rows from about 487 to the bottom edge.
    const int far_green = frame.at(512, 520).g;
    const int mid_green = frame.at(512, 640).g;
    const int near_green = frame.at(512, 760).g;
    EXPECT_GT(far_green, mid_green + 20) << "the picture's top lies away from the viewer";
    EXPECT_GT(mid_green, near_green + 20);

    // Left stays left: red rises across a row of the nearest repeat.
    EXPECT_LT(frame.at(60, 760).r + 15, frame.at(512, 760).r);
    EXPECT_LT(frame.at(512, 760).r + 15, frame.at(960, 760).r);
}

// A bright band across the picture's middle: as time passes it drifts up the
// screen, away from the viewer, at 0.07 repeats per second.
TEST_F(FloorTest, PatternMovesAwayFromTheViewerAsTimePasses) {
    use_floor_picture(
        gl_test::make_image(16, 64, [](int, int y) { return y >= 28 && y < 36 ? 0xffffffu : 0u; }));
    m_scene.flash_level = 1.0f;
    auto band_centre = [](const Frame& frame) {
        // The band of the nearest repeat, searched in the centre column below row 600.
        double sum = 0;
        int count = 0;
        for (int y = 600; y < 768; ++y) {
            if (frame.at(512, y).brightest() > 128) {
                sum += y;
                ++count;
            }
        }
        return count == 0 ? -1.0 : sum / count;
    };

    const double start = band_centre(draw());
    ASSERT_GT(start, 600.0) << "no band near the viewer";
    EXPECT_FLOAT_EQ(m_scene.floor_scroll, 0.0f);

    m_scene.frame_delta = 0.25f;
    const double later = band_centre(draw());
    EXPECT_NEAR(m_scene.floor_scroll, 0.0175f, 1e-6f);
    EXPECT_GT(later, 600.0);
    EXPECT_LT(later, start - 3.0) << "the band did not move away";

    const double latest = band_centre(draw());
    EXPECT_NEAR(m_scene.floor_scroll, 0.035f, 1e-6f);
    EXPECT_LT(latest, later - 3.0);
}

TEST_F(FloorTest, LeavesBlendingOnAndTheFloorTextureBound) {
    use_floor_picture(gl_test::make_image(2, 2, [](int, int) { return 0x808080u; }));
    draw();
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<std::uint32_t>(bound), m_scene.texture_slots[floor_texture_slot]);
}

} // namespace
