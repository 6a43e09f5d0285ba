#pragma once

// The 32 x 32 mouse cursor of the settings dialog's web-address label: a
// hand pointing up with its index finger, white with a black outline, so
// that it reads on the dialog's dark and pale blue-grey alike; the rest is
// transparent. The hotspot is the fingertip.

#include "icon_file.h"

namespace artwork {

inline constexpr int kCursorSize = 32;
inline constexpr Hotspot kLinkCursorHotspot{9, 0};

IconPicture PaintLinkCursor();

} // namespace artwork
