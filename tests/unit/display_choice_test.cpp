// What the renderer makes of its command line, and which display-mode
// changes it tries before it keeps the mode the display is in.

#include "display_choice.h"

#include <gtest/gtest.h>

namespace {

TEST(DisplayChoice, TheCommandLineAsksForTheDisplayChoices) {
    const struct {
        const char* command_line;
        bool keep;
        bool every;
    } cases[] = {
        {"", false, false},
        {"/keep-resolution", true, false},
        {"  /KEEP-Resolution\t", true, false},
        {"/x /keep-resolution /y", true, false},
        {"/every-monitor /keep-resolution", true, true},
        {"/Every-Monitor", false, true},
        {"/keep-resolutions /every-monitors", false, false},
        {"keep-resolution", false, false},
        {"\"/keep-resolution\"", false, false},
    };
    for (const auto& c : cases) {
        const RendererOptions options = ParseRendererOptions(c.command_line);
        EXPECT_EQ(options.keep_resolution, c.keep) << c.command_line;
        EXPECT_EQ(options.every_monitor, c.every) << c.command_line;
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
