#pragma once

// The two 152 x 112 pictures of the preview window.

#include "canvas.h"

namespace artwork {

inline constexpr int kPreviewWidth = 152;
inline constexpr int kPreviewHeight = 112;

// The preview proper: a white-violet bolt under a dark, clouded sky strikes a
// pale desktop that recedes along the bottom edge, as the screensaver's floor does.
Canvas PaintPreviewPicture();

// The preview window's background: a dark scene of translucent tilted panels.
Canvas PaintPreviewBackground();

} // namespace artwork
