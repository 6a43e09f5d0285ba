// What the renderer makes of its command line, and which display-mode
// changes it tries before it keeps the mode the display is in.

#include "display_choice.h"

#include <gtest/gtest.h>

namespace {

TEST(DisplayChoice, TheCommandLineAsksToKeepTheResolutionOrNot) {
    const struct {
        const char* command_line;
        bool keep;
    } cases[] = {
        {"", false},
        {"/keep-resolution", true},
        {"  /KEEP-Resolution\t", true},
        {"/x /keep-resolution /y", true},
        {"/keep-resolutions", false},
        {"keep-resolution", false},
        {"\"/keep-resolution\"", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseRendererOptions(c.command_line).keep_resolution, c.keep) << c.command_line;
    }
}

TEST(DisplayChoice, TheSizeIsTriedAtTheCurrentRefreshThenAtAnyUnlessTheModeIsKept) {
    using C = ModeChange;
    EXPECT_EQ(ModeChangesToTry(true, false),
              (std::vector<C>{C::SizeAtCurrentRefresh, C::SizeAtAnyRefresh}));
    EXPECT_TRUE(ModeChangesToTry(true, true).empty());
    EXPECT_TRUE(ModeChangesToTry(false, false).empty()); // the current settings are unknown
}

} // namespace
