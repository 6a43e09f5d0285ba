#pragma once

// The two 256 x 256 bolt pictures the screensaver program writes for the
// renderer, which adds them to the night sky: each a single jagged bolt with
// fine side branches in a soft glow, on pure black, so that only the bolt
// shows when the picture is added.

#include "canvas.h"

namespace artwork {

inline constexpr int kBoltPictureSize = 256;

// A violet-white bolt from the top edge, slightly left of centre, to about
// four fifths of the way down.
Canvas PaintVioletBolt();

// A shorter yellow-white bolt from a little below the top edge near the
// centre to about three quarters of the way down.
Canvas PaintYellowBolt();

} // namespace artwork
