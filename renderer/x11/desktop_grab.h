#pragma once

// The floor's picture from XScreenSaver's grabber, xscreensaver-getimage,
// as the user's image settings choose it (the desktop before the screen
// blanked, a picture from their folder, or a video frame), fetched beside
// the animation as XScreenSaver's own GL hacks load their images: the run
// starts at once over the grey floor, and the picture takes its place when
// it arrives, within a few seconds or never.

#include <X11/Xlib.h>
#include <sys/types.h>

#include <chrono>
#include <optional>

#include "bmp_decoder.h"

class DesktopGrab {
public:
    // Starts the grabber for window into a pixmap of the window's size.
    // Nothing starts when the window has no size or no grabber can be run.
    DesktopGrab(Display* display, Window window);
    // Ends and reaps a grabber that still runs, and frees the pixmap.
    ~DesktopGrab();
    DesktopGrab(const DesktopGrab&) = delete;
    DesktopGrab& operator=(const DesktopGrab&) = delete;

    // Whether the grabber may still deliver.
    bool running() const { return m_child > 0; }

    // Never waits. Once the grabber has ended well, the picture it drew, when
    // it is a real one (not the colour bars XScreenSaver draws when it has
    // nothing, nor a photograph of the screen as it is now, which a desktop
    // grab without the daemon's saved desktop would be); nothing otherwise,
    // and nothing while it runs. A grabber that has not ended within the
    // time limit is killed and reaped.
    std::optional<RgbImage> poll();

private:
    void end_child();
    std::optional<RgbImage> read_picture();

    Display* m_display;
    Window m_window;
    Pixmap m_pixmap = 0;
    pid_t m_child = -1;
    std::chrono::steady_clock::time_point m_deadline;
};
