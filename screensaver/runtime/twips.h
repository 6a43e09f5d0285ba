#pragma once

// Units of window geometry. Forms and controls are placed in twips (1/1440
// inch) or, where a container asks for it, in pixels; the screen's twips per
// pixel ties the two (15 at 96 dots per inch).

#include <cmath>

namespace runtime {

inline constexpr int kTwipsPerInch = 1440;

// Twips per pixel for a display of dots_per_inch (whole twips, as the
// screen reports them); 15 when the display reports no resolution.
constexpr int TwipsPerPixelForDpi(int dots_per_inch) {
    return dots_per_inch > 0 ? kTwipsPerInch / dots_per_inch : 15;
}

enum class ScaleMode {
    Twips,  // the default of every container
    Pixels, // asked for by the run window, the preview and picture boxes
};

// Converts between a container's scale units and pixels.
struct Scale {
    ScaleMode mode = ScaleMode::Twips;
    int twips_per_pixel = 15;

    // Whole pixels, rounded to the nearest (halves away from zero).
    int ToPixels(double units) const {
        const double pixels = mode == ScaleMode::Pixels ? units : units / twips_per_pixel;
        return static_cast<int>(std::lround(pixels));
    }
    double FromPixels(int pixels) const {
        return mode == ScaleMode::Pixels ? pixels : static_cast<double>(pixels) * twips_per_pixel;
    }
};

} // namespace runtime
