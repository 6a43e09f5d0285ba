#pragma once

// The settings dialog's two 12 x 12 check marks for its display choices,
// drawn like the radio marks: a sunken square with the same blue border and
// well, empty or holding a blue tick. On the panel's background tone, so that
// their rounded corners show no square of another colour.

#include "panel_strip.h"

namespace artwork {

inline constexpr int kCheckSize = 12;

// In pixels from the picture's top-left corner.
inline constexpr double kCheckOuterInset = 0.0; // the border's outer edge
inline constexpr double kCheckInnerInset = 1.1; // its inner edge: the tick lies within

Canvas PaintCheckUnchecked();
Canvas PaintCheckChecked();

} // namespace artwork
