#pragma once

// The Linux hack's command line, as XScreenSaver's hacks take it: every
// standard option of theirs, one dash or two, "--name value" or
// "--name=value". Those that have no meaning here (-install, -noinstall,
// -visual, -mono) are taken and ignored, so that a line copied from another
// hack works.

#include <string>
#include <string_view>
#include <vector>

// A window id the X server can hand out: at most 29 bits.
inline constexpr unsigned long kLargestWindowId = 0x1FFFFFFF;

// The longest frame period --delay takes: ten seconds.
inline constexpr long kLongestDelay = 10'000'000; // microseconds

// -geometry WxH[+X+Y]: the size and place of the hack's own window. An
// offset with a minus sign counts from the screen's right or bottom edge.
struct HackGeometry {
    bool given = false;
    unsigned width = 0;
    unsigned height = 0;
    bool placed = false; // an offset was given
    int x = 0;
    int y = 0;
    bool x_from_right = false;
    bool y_from_bottom = false;
};

struct HackOptions {
    enum class Target {
        OwnWindow, // -window, the default: a window of its own (Esc, q or closing it ends the run)
        Root,      // -root: the daemon's window, else the virtual root, else the root window
        Window,    // -window-id: that window
    };
    Target target = Target::OwnWindow;
    // With Target::Window the window named; with Target::Root the daemon's
    // window from XSCREENSAVER_WINDOW, 0 when it is not set (the virtual
    // root or the root window is then looked for).
    unsigned long window = 0;
    bool fps = false; // -fps: the frame rate drawn on the picture
    // -delay: the frame period in microseconds (0: frames back to back);
    // -1 when not given, for one frame per display refresh.
    long delay = -1;
    std::string display; // -display: the X display to open; empty for $DISPLAY
    HackGeometry geometry;
    bool help = false; // -help: the usage on standard output, nothing else
    std::string error; // not empty: what is wrong with the command line
};

// Reads the arguments (without the program name). XSCREENSAVER_WINDOW (the
// environment's, empty or nullptr when unset) is read with -root only, as
// XScreenSaver's virtual-root lookup does. Unknown options, a missing or
// malformed value (a window id that is not a decimal or 0x-hexadecimal
// number from 1 to kLargestWindowId, a delay that is not a whole number of
// microseconds up to kLongestDelay, a geometry that is not WxH[+X+Y]) are an
// error; the first one found is reported.
HackOptions ParseHackOptions(const std::vector<std::string_view>& arguments,
                             const char* xscreensaver_window);

// The usage -help prints, one option a line.
std::string HackUsage();
