// What the renderer and the Linux hack make of their command lines, which
// display-mode changes the renderer tries before it keeps the mode the
// display is in, and how the hack reads the desktop picture back.

#include "desktop_pixels.h"
#include "display_choice.h"
#include "hack_options.h"

#include <gtest/gtest.h>

namespace {

TEST(DisplayChoice, TheCommandLineAsksForTheDisplayChoices) {
    const struct {
        const char* command_line;
        bool keep;
        bool every;
        bool unpaced = false;
    } cases[] = {
        {"", false, false},
        {"/keep-resolution", true, false},
        {"  /KEEP-Resolution\t", true, false},
        {"/x /keep-resolution /y", true, false},
        {"/every-monitor /keep-resolution", true, true},
        {"/keep-resolutions /every-monitors", false, false},
        {"\"/keep-resolution\"", false, false},
        {"/unpaced /every-monitor", false, true, true},
    };
    for (const auto& c : cases) {
        const RendererOptions options = ParseRendererOptions(c.command_line);
        EXPECT_EQ(options.keep_resolution, c.keep) << c.command_line;
        EXPECT_EQ(options.every_monitor, c.every) << c.command_line;
        EXPECT_EQ(options.unpaced, c.unpaced) << c.command_line;
    }
}

// The photographs a run wrote, as the screensaver program words them and the
// renderer reads them back; words that do not read are ignored.
TEST(DisplayChoice, TheRendererIsToldWhichPhotographsAreThisRuns) {
    const std::vector<MonitorPhotograph> monitors = {{3, "\\\\.\\DISPLAY2"},
                                                     {4, "\\\\.\\DISPLAY7"}};
    EXPECT_EQ(PhotographArguments(true, {}), "");
    const std::string words = PhotographArguments(false, monitors);
    EXPECT_EQ(words, "/no-photograph /monitor-photograph:3:\\\\.\\DISPLAY2 "
                     "/monitor-photograph:4:\\\\.\\DISPLAY7");
    RendererOptions options = ParseRendererOptions("/every-monitor " + words);
    EXPECT_FALSE(options.photograph);
    EXPECT_EQ(options.monitor_photographs, monitors);
    options = ParseRendererOptions("/monitor-photograph:1:A /monitor-photograph:18:B "
                                   "/monitor-photograph:3: /monitor-photograph:x:C");
    EXPECT_TRUE(options.photograph);
    EXPECT_TRUE(options.monitor_photographs.empty()); // bolt pictures, beyond 17, no name
}

TEST(DisplayChoice, TheSizeIsTriedAtTheCurrentRefreshThenAtAnyUnlessTheModeIsKept) {
    using C = ModeChange;
    EXPECT_EQ(ModeChangesToTry(true, false),
              (std::vector<C>{C::SizeAtCurrentRefresh, C::SizeAtAnyRefresh}));
    EXPECT_TRUE(ModeChangesToTry(true, true).empty());
    EXPECT_TRUE(ModeChangesToTry(false, false).empty()); // the current settings are unknown
}

TEST(HackOptions, XScreenSaversStandardOptions) {
    using T = HackOptions::Target;
    const struct {
        std::vector<std::string_view> arguments;
        const char* environment;
        T target;
        unsigned long window;
        bool fps;
        bool error;
        long delay = -1;
        const char* geometry = ""; // WxH+X+Y as read, "" for none
    } cases[] = {
        {{}, nullptr, T::OwnWindow, 0, false, false},
        {{"--root"}, nullptr, T::Root, 0, false, false},
        {{"-root", "-fps"}, "", T::Root, 0, true, false},
        {{"--root"}, "0x2a00007", T::Root, 0x2a00007, false, false}, // the daemon's window
        {{"--window-id", "0x400005", "--fps"}, "77", T::Window, 0x400005, true, false},
        {{"-window", "-install", "-noinstall", "-visual", "default", "-mono", "-no-fps"},
         "0x2a00007",
         T::OwnWindow,
         0,
         false,
         false}, // the environment is for -root only
        {{"--fps", "--window-id=0x1FFFFFFF", "-display", ":0"},
         nullptr,
         T::Window,
         0x1FFFFFFF,
         true,
         false},
        {{"--window-id", "0x100400005"}, nullptr, T::OwnWindow, 0, false, true}, // above 29 bits
        {{"--root"}, "0x100400005", T::Root, 0, false, true},
        {{"--window-id", "0x"}, nullptr, T::OwnWindow, 0, false, true},
        {{"--window-id", "12ab"}, nullptr, T::OwnWindow, 0, false, true},
        {{"--window-id"}, nullptr, T::OwnWindow, 0, false, true},
        {{"--speed", "3"}, nullptr, T::OwnWindow, 0, false, true},
        {{"--fps=1"}, nullptr, T::OwnWindow, 0, false, true},
        {{"--root"}, "not-a-window", T::Root, 0, false, true},
        {{"-delay", "20000", "--root"}, nullptr, T::Root, 0, false, false, 20000},
        {{"--delay=0"}, nullptr, T::OwnWindow, 0, false, false, 0},
        {{"--delay", "-1"}, nullptr, T::OwnWindow, 0, false, true},
        {{"--delay", "10000001"}, nullptr, T::OwnWindow, 0, false, true},
        {{"--delay", "fast"}, nullptr, T::OwnWindow, 0, false, true},
        {{"-geometry", "640x480"}, nullptr, T::OwnWindow, 0, false, false, -1, "640x480"},
        {{"--geometry=800x600-10+20"}, nullptr, T::OwnWindow, 0, false, false, -1, "800x600-10+20"},
        {{"-geometry", "640"}, nullptr, T::OwnWindow, 0, false, true},
        {{"-geometry", "0x480"}, nullptr, T::OwnWindow, 0, false, true},
        {{"-geometry", "640x480+10"}, nullptr, T::OwnWindow, 0, false, true},
    };
    for (const auto& c : cases) {
        const HackOptions options = ParseHackOptions(c.arguments, c.environment);
        SCOPED_TRACE(c.arguments.empty() ? "(none)" : std::string(c.arguments[0]));
        EXPECT_EQ(!options.error.empty(), c.error) << options.error;
        if (!c.error) {
            EXPECT_EQ(options.target, c.target);
            EXPECT_EQ(options.window, c.window);
            EXPECT_EQ(options.fps, c.fps);
            EXPECT_EQ(options.delay, c.delay);
            const HackGeometry& g = options.geometry;
            std::string read;
            if (g.given) {
                read = std::to_string(g.width) + "x" + std::to_string(g.height);
            }
            if (g.placed) {
                read += (g.x_from_right ? "-" : "+") + std::to_string(g.x) +
                        (g.y_from_bottom ? "-" : "+") + std::to_string(g.y);
            }
            EXPECT_EQ(read, c.geometry);
        }
    }
    EXPECT_TRUE(ParseHackOptions({"--help"}, nullptr).help);
    EXPECT_EQ(ParseHackOptions({"-display", ":7"}, nullptr).display, ":7");
}

// The server's pixels, top row first, come back as the decoder's picture,
// bottom row first, in 32-, 24- and 16-bit TrueColor of either byte order and
// masks of up to 32 bits; a layout that does not describe the bytes gives nothing.
TEST(DesktopPixels, ReadBackAsThePictureBottomRowFirst) {
    // Two rows of two pixels, with a fill byte pair per row for 16 bits.
    const std::vector<std::uint8_t> little32 = {0x30, 0x20, 0x10, 0, 0xff, 0, 0,    0,
                                                0,    0xff, 0,    0, 0,    0, 0xff, 0};
    PixelLayout layout{2, 2, 8, 32, false, 0xff0000, 0x00ff00, 0x0000ff};
    auto image = RgbFromPixels(little32, layout);
    ASSERT_TRUE(image.has_value());
    const std::uint8_t* p = image->pixels.get();
    // Bottom row (the server's second): green, red; top row: (10,20,30), blue.
    EXPECT_EQ(std::vector<std::uint8_t>(p, p + 12),
              (std::vector<std::uint8_t>{0, 255, 0, 255, 0, 0, 0x10, 0x20, 0x30, 0, 0, 255}));
    const std::vector<std::uint8_t> big16 = {0xf8, 0x00, 0x07, 0xe0, 0, 0,
                                             0x00, 0x1f, 0xff, 0xff, 0, 0};
    layout = PixelLayout{2, 2, 6, 16, true, 0xf800, 0x07e0, 0x001f};
    image = RgbFromPixels(big16, layout);
    ASSERT_TRUE(image.has_value());
    p = image->pixels.get();
    EXPECT_EQ(std::vector<std::uint8_t>(p, p + 12),
              (std::vector<std::uint8_t>{0, 0, 255, 255, 255, 255, 255, 0, 0, 0, 255, 0}));
    // 24 bits a pixel, and masks wider than 24 bits (30 bits of red).
    const std::vector<std::uint8_t> packed24 = {0x30, 0x20, 0x10, 0, 0, 0xff};
    image = RgbFromPixels(packed24, PixelLayout{2, 1, 6, 24, false, 0xff0000, 0x00ff00, 0x0000ff});
    ASSERT_TRUE(image.has_value());
    p = image->pixels.get();
    EXPECT_EQ(std::vector<std::uint8_t>(p, p + 6),
              (std::vector<std::uint8_t>{0x10, 0x20, 0x30, 255, 0, 0}));
    const std::vector<std::uint8_t> wide = {0xff, 0xff, 0xff, 0x1f, 0, 0, 0, 0x40};
    image =
        RgbFromPixels(wide, PixelLayout{2, 1, 8, 32, false, 0x3fffffff, 0x40000000, 0x80000000});
    ASSERT_TRUE(image.has_value());
    p = image->pixels.get();
    EXPECT_EQ(std::vector<std::uint8_t>(p, p + 6),
              (std::vector<std::uint8_t>{127, 0, 0, 0, 255, 0}));
    const PixelLayout broken[] = {
        {2, 2, 7, 32, false, 0xff0000, 0xff00, 0xff}, // a line shorter than its pixels
        {2, 3, 8, 32, false, 0xff0000, 0xff00, 0xff}, // more rows than bytes
        {2, 2, 8, 8, false, 0xff0000, 0xff00, 0xff},  // a layout not read
        {2, 2, 8, 32, false, 0, 0xff00, 0xff},        // no red
        {0, 2, 8, 32, false, 0xff0000, 0xff00, 0xff},
        {20000, 1, 80000, 32, false, 0xff0000, 0xff00, 0xff}, // beyond the decoder's limits
    };
    for (const PixelLayout& b : broken) {
        EXPECT_FALSE(RgbFromPixels(little32, b).has_value()) << b.width << "x" << b.height;
    }
}

} // namespace
