#pragma once

// The program's 32 x 32 icon: a stormy night in a rounded square, a
// violet-white bolt striking a pale desktop that lies as a floor along the
// bottom, as a run shows it. The system shows it for Velmoran.scr, the
// installer for the installed product, and the settings dialog on its window.

#include "icon_file.h"

namespace artwork {

inline constexpr int kIconSize = 32;

IconPicture PaintProgramIcon();

} // namespace artwork
