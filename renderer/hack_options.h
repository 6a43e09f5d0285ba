#pragma once

// The Linux hack's command line, as XScreenSaver's hacks take it: which
// window to draw into and whether to show the frame rate.

#include <string>
#include <string_view>
#include <vector>

struct HackOptions {
    enum class Target {
        OwnWindow, // started alone: a window of its own (Esc, q or closing it ends the run)
        Root,      // --root: the root window (or the daemon's window, named by the environment)
        Window,    // --window-id or XSCREENSAVER_WINDOW: that window
    };
    Target target = Target::OwnWindow;
    unsigned long window = 0; // with Target::Window
    bool fps = false;         // --fps: the frame rate drawn on the picture
    // --delay: the frame period in microseconds (0: frames back to back);
    // -1 when not given, for one frame per display refresh.
    long delay = -1;
    std::string error; // not empty: what is wrong with the command line
};

// Reads the arguments (without the program name). Options take one dash or
// two; --window-id takes a decimal or 0x-hexadecimal id. The daemon names
// its window in XSCREENSAVER_WINDOW (environment; empty or nullptr when
// unset), which --root and starting alone both follow, as XScreenSaver's
// own hacks do; --window-id names one explicitly. Unknown options are an
// error, as is a window id that is not a number or a delay that is not a
// whole number of microseconds from 0 to 10 seconds.
HackOptions ParseHackOptions(const std::vector<std::string_view>& arguments,
                             const char* xscreensaver_window);
