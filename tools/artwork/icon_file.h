#pragma once

// Windows icon (.ico) files of one picture: the icon directory, then the
// picture as a 32-bit DIB (blue, green, red, alpha; rows bottom-up) followed
// by its 1-bit mask, which systems without alpha blending use: a mask bit is
// set (transparent) where the picture is less than half opaque.

#include <cstdint>
#include <vector>

#include "program_icon.h"

namespace artwork {

// The whole file; empty when the picture is empty, larger than 256 pixels or
// its opacity does not cover it.
std::vector<std::uint8_t> EncodeIcon(const IconPicture& picture);

} // namespace artwork
