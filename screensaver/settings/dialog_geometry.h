#pragma once

// Where the settings dialog goes and how it paints: its place on the
// screen, the rectangles of its opening and closing zoom, the blue-grey
// gradient of its client area, and the tiles of its panel's background.

#include <cstdint>
#include <vector>

#include "runtime/twips.h"

// Centred across the screen and at one third of the free height (twips,
// whole-number division, as the form places itself).
struct DialogPosition {
    int left = 0;
    int top = 0;
};
DialogPosition PlaceDialog(int screen_width, int screen_height, int window_width,
                           int window_height);

// Screen pixels.
struct ScreenRect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const ScreenRect&) const = default;
};

// The empty rectangle at the zoom point (16-bit screen coordinates, widened
// with their sign) that the dialog zooms out of when it opens and into when
// it closes.
inline ScreenRect ZoomPoint(std::int16_t x, std::int16_t y) {
    return ScreenRect{x, y, x, y};
}

struct GradientLine {
    int row = 0; // client pixels
    std::uint8_t red = 0, green = 0, blue = 0;
};

// The client area's gradient, one line a pixel row. The form draws a line
// for every whole twip y from 0 to its height H, coloured v = |sin(y / (H /
// 3.142))| x 220 (rounded, halves to even) as (v, v, v + 30); a row shows
// the last line that lands on it. Nearly black-blue at the edges, pale
// blue-grey in the middle.
std::vector<GradientLine> DialogGradient(double height_twips, int dots_per_inch);

struct TileOrigin {
    int x = 0, y = 0; // pixels
};

// Copies of a tile_width x tile_height picture that cover a target from its
// top-left corner edge to edge: column by column, each from the top down.
std::vector<TileOrigin> TileOrigins(int target_width, int target_height, int tile_width,
                                    int tile_height);
