#include "settings/dialog_geometry.h"

#include <cmath>

namespace {

// The program's value of pi, as written.
constexpr double kPi = 3.142;
constexpr double kGradientPeak = 220;

} // namespace

DialogPosition PlaceDialog(int screen_width, int screen_height, int window_width,
                           int window_height) {
    return DialogPosition{(screen_width - window_width) / 2, (screen_height - window_height) / 3};
}

std::vector<GradientLine> DialogGradient(double height_twips, int dots_per_inch) {
    std::vector<GradientLine> lines;
    const double last = std::nearbyint(height_twips);
    if (height_twips <= 0) {
        return lines;
    }
    const runtime::Scale twips{runtime::ScaleMode::Twips, dots_per_inch};
    for (double y = 0; y <= last; ++y) {
        const double v =
            std::nearbyint(std::abs(std::sin(y / (height_twips / kPi))) * kGradientPeak);
        const auto level = static_cast<std::uint8_t>(v);
        const GradientLine line{twips.ToPixels(y), level, level,
                                static_cast<std::uint8_t>(level + 30)};
        if (!lines.empty() && lines.back().row == line.row) {
            lines.back() = line; // drawn over by the later line
        } else {
            lines.push_back(line);
        }
    }
    return lines;
}

std::vector<TileOrigin> TileOrigins(int target_width, int target_height, int tile_width,
                                    int tile_height) {
    std::vector<TileOrigin> origins;
    if (tile_width <= 0 || tile_height <= 0) {
        return origins;
    }
    for (int x = 0; x < target_width; x += tile_width) {
        for (int y = 0; y < target_height; y += tile_height) {
            origins.push_back(TileOrigin{x, y});
        }
    }
    return origins;
}
