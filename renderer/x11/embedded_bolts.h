#pragma once

// The two bolt pictures built into the hack, from the same files under
// resources/ that the screensaver program ships.

#include <optional>

#include "bmp_decoder.h"

// Hand-off picture 1 (the violet-white bolt) or 2 (the yellow-white one).
std::optional<RgbImage> decode_bolt_picture(int image);
