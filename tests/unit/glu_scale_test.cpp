// The base-level-only texture against GLU's mipmap build: for desktop sizes
// and awkward ones, level 0 must be the same texels, and the floor drawn with
// either texture the same pixels.

#include "glu_scale.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "gl_headers.h"
#include "osmesa_context.h"
#include "scene.h"
#include "textures.h"

namespace {

RgbImage random_image(int width, int height, unsigned seed) {
    RgbImage image;
    image.width = width;
    image.height = height;
    image.pixels.reset(new std::uint8_t[image.size_bytes()]);
    std::mt19937 random(seed);
    // Smooth areas with noise on top, as a desktop has both.
    for (std::size_t i = 0; i < image.size_bytes(); ++i) {
        const std::size_t pixel = i / 3;
        const int x = static_cast<int>(pixel % width);
        const int y = static_cast<int>(pixel / width);
        image.pixels[i] = static_cast<std::uint8_t>((x * 3 + y * 5 + static_cast<int>(i % 3) * 70) +
                                                    (random() % 64 < 8 ? random() % 256 : 0));
    }
    return image;
}

TEST(GluScale, NearestPowerOfTwoRoundsHalvesUp) {
    const std::pair<int, int> cases[] = {{1, 1},       {2, 2},       {3, 4},       {5, 4},
                                         {6, 8},       {768, 1024},  {767, 512},   {1080, 1024},
                                         {1366, 1024}, {1536, 2048}, {1920, 2048}, {2160, 2048},
                                         {3840, 4096}};
    for (const auto& [side, power] : cases) {
        EXPECT_EQ(glu_nearest_power_of_two(side), power) << side;
    }
}

// Sides past what an int's powers of two reach, and sides that are no sides.
TEST(GluScale, NearestPowerOfTwoOfEveryIntIsDefined) {
    const std::pair<int, int> cases[] = {{0, -1},
                                         {-1, -1},
                                         {INT32_MIN, -1},
                                         {16384, 16384},
                                         {12288, 16384},
                                         {12287, 8192},
                                         {1 << 30, 1 << 30},
                                         {(3 << 29) - 1, 1 << 30},
                                         {3 << 29, 1 << 30}, // 2^31 would be next: past an int
                                         {1'600'000'000, 1 << 30},
                                         {INT32_MAX, 1 << 30}};
    for (const auto& [side, power] : cases) {
        EXPECT_EQ(glu_nearest_power_of_two(side), power) << side;
    }
}

bool nothing_fits(int, int) {
    return false;
}
bool up_to_16384(int width, int height) {
    return width <= 16384 && height <= 16384;
}
bool up_to_2048(int width, int height) {
    return width <= 2048 && height <= 2048;
}

// The search halves until the level below fits, and ends at 1 x 1 whatever
// the driver says; sides that are not positive give no level at all.
TEST(GluScale, BaseLevelSearchEndsForEverySize) {
    const struct {
        int width, height;
        LevelFits fits;
        bool found;
        int out_width, out_height;
    } cases[] = {
        {1920, 1080, up_to_16384, true, 2048, 1024},
        {16384, 4096, up_to_16384, true, 16384, 4096},
        {16384, 4096, up_to_2048, true, 4096, 1024}, // level 1 of that is 2048 x 512
        {1, 1, nothing_fits, true, 1, 1},
        {16384, 2, nothing_fits, true, 1, 1},
        {INT32_MAX, INT32_MAX, nothing_fits, true, 1, 1},
        {INT32_MAX, 1, up_to_16384, true, 32768, 1},
        {0, 768, up_to_16384, false, 0, 0},
        {1024, -5, up_to_16384, false, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        int w = 0;
        int h = 0;
        EXPECT_EQ(glu_base_level_sides(c.width, c.height, c.fits, &w, &h), c.found);
        EXPECT_EQ(w, c.out_width);
        EXPECT_EQ(h, c.out_height);
    }
}

// A level the allocator refuses, or sizes that are none, give no level (and
// no exception).
TEST(GluScale, ScalingThatCannotHaveItsMemoryGivesNothing) {
    const std::uint8_t pixel[3] = {10, 20, 30};
    EXPECT_TRUE(scale_rgb_like_glu(pixel, 1, 1, 1 << 30, 1 << 30).empty()); // 3.4e18 bytes
    EXPECT_TRUE(scale_rgb_like_glu(pixel, 1, 1, 0, 4).empty());
    EXPECT_TRUE(scale_rgb_like_glu(pixel, -1, 1, 4, 4).empty());
    EXPECT_EQ(scale_rgb_like_glu(pixel, 1, 1, 1, 1), (std::vector<std::uint8_t>{10, 20, 30}));
}

class BaseLevelTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_gl.ready()) << "no offscreen Mesa context"; }
    gl_test::OsmesaContext m_gl;
};

TEST_F(BaseLevelTest, BaseLevelTexelsEqualThoseOfGlusMipmapBuild) {
    const std::pair<int, int> sizes[] = {{1920, 1080}, {1366, 768}, {1280, 1024}, {1024, 768},
                                         {800, 600},   {1600, 900}, {2560, 1440}, {640, 480},
                                         {256, 256},   {512, 200},  {3, 5},       {7, 1},
                                         {1, 7},       {5, 3},      {33, 17},     {2048, 1536}};
    unsigned seed = 1;
    for (const auto& [w, h] : sizes) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        const RgbImage image = random_image(w, h, seed++);
        int glu_w = 0, glu_h = 0, own_w = 0, own_h = 0;
        const std::vector<std::uint8_t> glu =
            gl_test::read_base_level(build_texture(image), &glu_w, &glu_h);
        const std::vector<std::uint8_t> own =
            gl_test::read_base_level(build_base_level_texture(image), &own_w, &own_h);
        EXPECT_EQ(own_w, glu_w);
        EXPECT_EQ(own_h, glu_h);
        EXPECT_TRUE(own == glu) << "level 0 differs";
        GLint levels_below = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &levels_below);
        EXPECT_EQ(levels_below, 0) << "the base-level texture has a level 1";
    }
}

TEST_F(BaseLevelTest, FloorLooksTheSameWithEitherTexture) {
    const RgbImage desktop = random_image(1920, 1080, 77);
    Scene glu_scene;
    glu_scene.texture_slots[floor_texture_slot] = build_texture(desktop);
    Scene own_scene;
    own_scene.texture_slots[floor_texture_slot] = build_base_level_texture(desktop);
    for (float flash : {0.0f, 1.0f}) {
        glu_scene.flash_level = own_scene.flash_level = flash;
        glu_scene.frame_delta = own_scene.frame_delta = 0.37f;
        draw_frame(glu_scene, gl_test::no_swap);
        const gl_test::Frame with_glu = m_gl.read_frame();
        draw_frame(own_scene, gl_test::no_swap);
        const gl_test::Frame with_base_level = m_gl.read_frame();
        int differing = 0;
        for (int y = 0; y < 768; ++y) {
            for (int x = 0; x < 1024; ++x) {
                const gl_test::Rgba a = with_glu.at(x, y);
                const gl_test::Rgba b = with_base_level.at(x, y);
                differing += (a.r != b.r || a.g != b.g || a.b != b.b) ? 1 : 0;
            }
        }
        EXPECT_EQ(differing, 0) << "flash " << flash;
        EXPECT_GT(with_glu.lit_in_row(700, 20), 900) << "the floor is not drawn";
    }
}

} // namespace
