#pragma once

// The desktop as it was before the screen blanked, from XScreenSaver's own
// grabber: xscreensaver-getimage, allowed no image files and no video, paints
// it into a pixmap of the hack's window (when the user's grabDesktopImages
// allows it), which is read back here.

#include <X11/Xlib.h>

#include <optional>

#include "bmp_decoder.h"

// The desktop picture at the window's size; nothing when there is none to be
// had (desktop grabs turned off, no grabber, no daemon's picture), and then
// the floor is the grey floor of a missing picture.
std::optional<RgbImage> grab_desktop(Display* display, Window window);
