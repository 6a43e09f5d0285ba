#pragma once

// The settings dialog's two 12 x 12 radio marks for the music kinds: a round
// sunken mark with a blue ring, empty or holding a blue dot. They are drawn
// on the panel's background tone, so that on the tiled panel they show no
// square around them.

#include "panel_strip.h"

namespace artwork {

inline constexpr int kRadioSize = 12;

// In pixels from the picture's top-left corner.
inline constexpr double kRadioCentre = 6.0;      // of the circle, on both axes
inline constexpr double kRadioOuterRadius = 6.0; // the ring's outer edge
inline constexpr double kRadioInnerRadius = 4.9; // its inner edge: the dot lies within

Canvas PaintRadioUnselected();
Canvas PaintRadioSelected();

} // namespace artwork
