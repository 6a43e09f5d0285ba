#pragma once

// Units of window geometry. Forms and controls are placed in twips (1/1440
// inch) or, where a container asks for it, in pixels. The screen's dots per
// inch tie the two: 15 twips make a pixel at 96 dots per inch, 7.5 at 192,
// so conversions go through the resolution itself, never through a whole
// number of twips per pixel.

#include <cmath>
#include <cstdint>

namespace runtime {

inline constexpr int kTwipsPerInch = 1440;
// The resolution the program's windows and pictures were laid out at.
inline constexpr int kDesignDpi = 96;

// The resolution a display reports, or the design resolution when it reports none.
constexpr int UsableDpi(int dots_per_inch) {
    return dots_per_inch > 0 ? dots_per_inch : kDesignDpi;
}

// Whole pixels for a length in twips, rounded to the nearest (halves away from zero).
inline int PixelsFromTwips(double twips, int dots_per_inch) {
    return static_cast<int>(std::lround(twips * UsableDpi(dots_per_inch) / kTwipsPerInch));
}

// Whole twips for a number of pixels: 1440 x pixels / dpi, rounded.
inline int TwipsFromPixels(std::int64_t pixels, int dots_per_inch) {
    const double twips = static_cast<double>(pixels) * kTwipsPerInch / UsableDpi(dots_per_inch);
    return static_cast<int>(std::lround(twips));
}

enum class ScaleMode {
    Twips,  // the default of every container
    Pixels, // asked for by the run window, the preview and picture boxes
};

// Converts between a container's scale units and pixels.
struct Scale {
    ScaleMode mode = ScaleMode::Twips;
    int dots_per_inch = kDesignDpi;

    int ToPixels(double units) const {
        return mode == ScaleMode::Pixels ? static_cast<int>(std::lround(units))
                                         : PixelsFromTwips(units, dots_per_inch);
    }
    double FromPixels(int pixels) const {
        return mode == ScaleMode::Pixels ? pixels : TwipsFromPixels(pixels, dots_per_inch);
    }
};

} // namespace runtime
