#include "runtime/program_location.h"
#include "runtime/twips.h"

#include <gtest/gtest.h>

using namespace runtime;

namespace {

TEST(ArgumentsAfterProgramName, DropsTheProgramAndTheBlanksAfterIt) {
    const struct {
        const char* command_line;
        const char* arguments;
    } cases[] = {
        {"\"C:\\Windows\\System32\\Velmoran.scr\" /s", "/s"},
        {"\"C:\\Program Files\\Velmoran\\Velmoran.scr\" /p 1234", "/p 1234"},
        {"\"C:\\a b\\Velmoran.scr\"/c", "/c"},
        {"C:\\WINDOWS\\VELMOR~1.SCR /c:5678", "/c:5678"},
        {"Velmoran.scr", ""},
        {"Velmoran.scr   \t /S  ", "/S  "},
        {"\"Velmoran.scr\"", ""},
        {"\"unclosed quote /s", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ArgumentsAfterProgramName(c.command_line), c.arguments) << c.command_line;
    }
}

TEST(FolderOfProgramPath, HasNoTrailingBackslash) {
    EXPECT_EQ(FolderOfProgramPath("C:\\Program Files\\Velmoran\\Velmoran.scr"),
              "C:\\Program Files\\Velmoran");
    EXPECT_EQ(FolderOfProgramPath("C:\\Velmoran.scr"), "C:");
    EXPECT_EQ(FolderOfProgramPath("\\\\server\\share\\Velmoran.scr"), "\\\\server\\share");
    EXPECT_EQ(FolderOfProgramPath("Velmoran.scr"), "");
}

TEST(Twips, ConvertThroughTheScreensDotsPerInch) {
    // twips, dots per inch, pixels
    const struct {
        double twips;
        int dpi;
        int pixels;
    } lengths[] = {
        {7425, 96, 495},  {195, 96, 13},    {1, 96, 0},     {8, 96, 1},   {7425, 120, 619},
        {7425, 144, 743}, {7425, 192, 990}, {375, 192, 50}, {60, 192, 8}, {1215, 0, 81},
    };
    for (const auto& l : lengths) {
        const Scale twips{ScaleMode::Twips, l.dpi};
        EXPECT_EQ(twips.ToPixels(l.twips), l.pixels) << l.twips << " twips at " << l.dpi;
    }
    EXPECT_EQ(TwipsFromPixels(152, 96), 2280);
    EXPECT_EQ(TwipsFromPixels(81, 192), 608); // 607.5: a pixel is 7.5 twips
    EXPECT_EQ(TwipsFromPixels(1, 120), 12);
    // Every pixel count comes back from its twips.
    for (int dpi : {96, 120, 144, 192}) {
        const Scale twips{ScaleMode::Twips, dpi};
        for (int pixels = 0; pixels < 2000; ++pixels) {
            ASSERT_EQ(twips.ToPixels(twips.FromPixels(pixels)), pixels) << dpi;
        }
    }
    const Scale pixels{ScaleMode::Pixels, 192};
    EXPECT_EQ(pixels.ToPixels(152), 152);
    EXPECT_EQ(pixels.FromPixels(112), 112);
}

} // namespace
