#include "preview_area.h"

#include <gtest/gtest.h>

namespace {

TEST(PreviewSizeForArea, CoversTheWholeArea) {
    const auto usual = PreviewSizeForArea(AreaRectangle{300, 200, 452, 312}, 96);
    ASSERT_TRUE(usual.has_value());
    EXPECT_EQ(usual->width_pixels, 152);
    EXPECT_EQ(usual->height_pixels, 112);
    EXPECT_EQ(usual->width_twips, 2280);
    EXPECT_EQ(usual->height_twips, 1680);
    // At 192 dots per inch a pixel is 7.5 twips, not 7.
    const auto doubled = PreviewSizeForArea(AreaRectangle{0, 0, 151, 112}, 192);
    ASSERT_TRUE(doubled.has_value());
    EXPECT_EQ(doubled->width_twips, 1133); // 1132.5, rounded
    EXPECT_EQ(doubled->height_twips, 840);
}

TEST(PreviewSizeForArea, AnAreaBeyondSixteenBitsOfTwipsIsCoveredToo) {
    // 2560 x 2200 pixels is 38400 x 33000 twips: more than 16 bits can hold.
    const auto large = PreviewSizeForArea(AreaRectangle{0, 0, 2560, 2200}, 96);
    ASSERT_TRUE(large.has_value());
    EXPECT_EQ(large->width_pixels, 2560);
    EXPECT_EQ(large->height_pixels, 2200);
    EXPECT_EQ(large->width_twips, 38400);
    EXPECT_EQ(large->height_twips, 33000);
}

TEST(PreviewSizeForArea, NoAreaMeansNoPreview) {
    EXPECT_FALSE(PreviewSizeForArea(std::nullopt, 96).has_value());
}

TEST(PreviewSizeForArea, DegenerateRectanglesGiveNoNegativeOrOverflowingSizes) {
    const auto inverted = PreviewSizeForArea(AreaRectangle{10, 10, 5, 5}, 96);
    ASSERT_TRUE(inverted.has_value());
    EXPECT_EQ(inverted->width_pixels, 0);
    EXPECT_EQ(inverted->height_twips, 0);
    const auto huge =
        PreviewSizeForArea(AreaRectangle{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, 96);
    ASSERT_TRUE(huge.has_value());
    EXPECT_GT(huge->width_pixels, 0);
    EXPECT_GT(huge->width_twips, huge->width_pixels);
}

} // namespace
