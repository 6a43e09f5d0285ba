// The retained image's growth when the platform cannot give it a larger
// bitmap: it keeps its bitmap, its size and what was drawn on it, and still
// saves as before.

#include "runtime/win32/retained_image.h"

#include <gtest/gtest.h>

namespace {

TEST(RetainedImage, ABitmapThatCannotBeHadLeavesTheImageAsItWas) {
    runtime::RetainedImage image;
    ASSERT_TRUE(image.EnsureSize(12, 10, RGB(0, 0, 0)));
    SetPixel(image.Dc(), 3, 4, RGB(200, 40, 10));

    // Far more than any display's memory: the platform refuses the bitmap.
    EXPECT_FALSE(image.EnsureSize(1 << 20, 1 << 20, RGB(0, 0, 0)));
    EXPECT_EQ(image.Width(), 12);
    EXPECT_EQ(image.Height(), 10);
    EXPECT_EQ(GetPixel(image.Dc(), 3, 4), RGB(200, 40, 10)) << "the drawing is gone";
    // The bitmap is still the one selected: it reads back and saves.
    const auto file = image.EncodeBmp(12, 10);
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ((*file)[0], 'B');
    // Past its own size there is nothing to save.
    EXPECT_FALSE(image.EncodeBmp(13, 10).has_value());

    // It still grows when it can, keeping the drawing.
    EXPECT_TRUE(image.EnsureSize(40, 30, RGB(0, 0, 0)));
    EXPECT_EQ(image.Width(), 40);
    EXPECT_EQ(GetPixel(image.Dc(), 3, 4), RGB(200, 40, 10));
}

} // namespace
