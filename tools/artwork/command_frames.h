#pragma once

// The Command button's six 64 x 25 frame pictures. Only their outer four
// pixels on every side are ever drawn: a one-pixel outline one pixel in from
// the edge (two in for the pressed look) with rounded corners, a two-pixel
// band inside it, and the dialog's background tones outside.

#include "canvas.h"

namespace artwork {

inline constexpr int kFrameWidth = 64;
inline constexpr int kFrameHeight = 25;

Canvas PaintNormalFrame();    // dark blue outline, pale band
Canvas PaintHighLightFrame(); // orange band: the pointer is over the button
Canvas PaintSelectedFrame();  // blue band: the button has the focus
Canvas PaintPressedFrame();   // the outline one pixel further in, a sunken band
Canvas PaintDisableFrame();   // a grey outline round a flat face

} // namespace artwork
