#pragma once

// The program's 32 x 32 icon: a stormy night in a rounded square, a
// violet-white bolt striking a pale desktop that lies as a floor along the
// bottom, as a run shows it. The system shows it for Velmoran.scr, the
// installer for the installed product, and the settings dialog on its window.

#include <vector>

#include "canvas.h"

namespace artwork {

inline constexpr int kIconSize = 32;

// A picture with straight (not premultiplied) colour and its opacity.
struct IconPicture {
    Canvas colour;
    std::vector<double> alpha; // 0..1 a pixel, top row first
    double alpha_at(int x, int y) const {
        return alpha[static_cast<std::size_t>(y) * colour.width() + x];
    }
};

IconPicture PaintProgramIcon();

} // namespace artwork
