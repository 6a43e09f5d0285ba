#pragma once

// The window the hack draws into, as the options name it, and the visual
// OpenGL draws with: the window's own visual for a window that is given
// (the daemon chooses a GL visual for "GL:" entries), a double-buffered
// RGBA visual for a window of its own.

#include <GL/glx.h>
#include <X11/Xlib.h>

#include <optional>
#include <string>

#include "hack_options.h"

struct HackWindow {
    Window window = 0;
    XVisualInfo* visual = nullptr; // owned: freed by close_hack_window
    bool own = false;              // made by the hack (and destroyed by it)
    bool double_buffered = true;   // frames are swapped; single-buffered ones are flushed
};

// The window of options.target:
//  - its own window at the -geometry size and place (1024 x 768 at 0, 0
//    without one), mapped, with the window manager's close button asked for;
//  - for -root the daemon's window that the options carry, else the virtual
//    root that a window manager announces (__SWM_VROOT), else the root;
//  - for -window-id that window.
// Nothing, with a one-line error, when the window does not exist or its
// visual cannot draw RGBA OpenGL. Events the run needs are selected on it.
std::optional<HackWindow> open_hack_window(Display* display, const HackOptions& options,
                                           std::string& error);

// Destroys a window of its own and frees the visual.
void close_hack_window(Display* display, HackWindow& window);
