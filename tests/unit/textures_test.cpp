// Textures from the hand-off images, built in an offscreen Mesa context and
// read back from OpenGL.

#include "textures.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gl_headers.h"
#include "osmesa_context.h"
#include "scene.h"

namespace {

RgbImage make_image(int width, int height, std::uint8_t (*value)(int x, int y, int channel)) {
    RgbImage image;
    image.width = width;
    image.height = height;
    image.pixels.reset(new std::uint8_t[image.size_bytes()]);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < 3; ++c) {
                image.pixels[(static_cast<std::size_t>(y) * width + x) * 3 + c] = value(x, y, c);
            }
        }
    }
    return image;
}

class TexturesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_gl.ready()) << "no offscreen Mesa context"; }
    gl_test::OsmesaContext m_gl;
};

// Two pixels a row: 6 bytes, which a 4-byte unpack alignment would misread.
TEST_F(TexturesTest, PictureRowsAreReadTightlyPackedWithLinearFilters) {
    const RgbImage image = make_image(2, 2, [](int x, int y, int c) {
        return static_cast<std::uint8_t>(10 + 60 * y + 20 * x + c);
    });
    const std::uint32_t name = build_texture(image);
    ASSERT_NE(name, 0u);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<std::uint32_t>(bound), name);

    int width = 0;
    int height = 0;
    const std::vector<std::uint8_t> texels = gl_test::read_base_level(name, &width, &height);
    EXPECT_EQ(width, 2);
    EXPECT_EQ(height, 2);
    EXPECT_EQ(texels, std::vector<std::uint8_t>(image.pixels.get(), image.pixels.get() + 12));

    GLint filter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    EXPECT_EQ(filter, GL_LINEAR);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &filter);
    EXPECT_EQ(filter, GL_LINEAR);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &filter);
    EXPECT_EQ(filter, GL_REPEAT);
    GLint unpack = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &unpack);
    EXPECT_EQ(unpack, 4) << "the unpack alignment is given back";
}

// A 1366-pixel-wide desktop with one bright column in its middle: after the
// scaling to power-of-two sides, the column stands straight in every row.
TEST_F(TexturesTest, DesktopWidthThatIsNotAMultipleOfFourComesOutUnskewed) {
    const RgbImage image = make_image(1366, 768, [](int x, int, int) {
        return static_cast<std::uint8_t>(x == 683 || x == 684 ? 255 : 0);
    });
    int width = 0;
    int height = 0;
    const std::vector<std::uint8_t> texels =
        gl_test::read_base_level(build_texture(image), &width, &height);
    ASSERT_EQ(width, 1024);
    ASSERT_EQ(height, 1024);
    for (int y = 0; y < height; ++y) {
        int brightest = 0;
        for (int x = 1; x < width; ++x) {
            if (texels[(static_cast<std::size_t>(y) * width + x) * 3] >
                texels[(static_cast<std::size_t>(y) * width + brightest) * 3]) {
                brightest = x;
            }
        }
        ASSERT_NEAR(brightest, 512, 1) << "row " << y;
    }
}

// The loader is asked for the three files in slot order; a file that does
// not load leaves its slot at 0 and the others are still filled.
std::vector<int> g_requested;
std::optional<RgbImage> load_all_but_the_floor(int image) {
    g_requested.push_back(image);
    if (image == 0) {
        return std::nullopt;
    }
    return make_image(4, 4, [](int, int, int) { return std::uint8_t{200}; });
}

TEST_F(TexturesTest, SlotsAreFilledInOrderAndAMissingImageLeavesItsSlotEmpty) {
    g_requested.clear();
    Scene scene;
    EXPECT_TRUE(fill_texture_slots(scene, load_all_but_the_floor));
    EXPECT_EQ(g_requested, (std::vector<int>{1, 0, 2}));
    EXPECT_NE(scene.texture_slots[0], 0u);
    EXPECT_EQ(scene.texture_slots[1], 0u);
    EXPECT_NE(scene.texture_slots[2], 0u);
    EXPECT_NE(scene.texture_slots[0], scene.texture_slots[2]);
    EXPECT_TRUE(glIsTexture(scene.texture_slots[2]));
}

} // namespace
