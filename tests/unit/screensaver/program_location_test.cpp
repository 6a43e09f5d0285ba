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

TEST(Twips, FifteenTwipsPerPixelAtNinetySixDotsPerInch) {
    EXPECT_EQ(TwipsPerPixelForDpi(96), 15);
    EXPECT_EQ(TwipsPerPixelForDpi(120), 12);
    EXPECT_EQ(TwipsPerPixelForDpi(144), 10);
    EXPECT_EQ(TwipsPerPixelForDpi(0), 15);

    const Scale twips{ScaleMode::Twips, 15};
    EXPECT_EQ(twips.ToPixels(7425), 495);
    EXPECT_EQ(twips.ToPixels(195), 13);
    EXPECT_EQ(twips.ToPixels(1), 0); // a fifteenth of a pixel lands on pixel 0
    EXPECT_EQ(twips.ToPixels(8), 1);
    EXPECT_EQ(twips.FromPixels(152), 2280);
    const Scale pixels{ScaleMode::Pixels, 15};
    EXPECT_EQ(pixels.ToPixels(152), 152);
    EXPECT_EQ(pixels.FromPixels(112), 112);
}

} // namespace
