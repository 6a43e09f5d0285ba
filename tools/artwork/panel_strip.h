#pragma once

// The 556 x 20 strip the settings dialog tiles over its music panel: the
// panel's light grey with a quiet paper-like texture that repeats without a
// seam downwards (the panel is nine strips high at 96 dots per inch) and
// sideways (at larger display scaling the panel is wider than the strip).

#include "canvas.h"

namespace artwork {

inline constexpr int kStripWidth = 556;
inline constexpr int kStripHeight = 20;

// The panel's back colour, the strip's mean tone and what the radio marks stand on.
Colour PanelTone();

Canvas PaintPanelStrip();

} // namespace artwork
