#pragma once

// The size of the preview window: the whole of the system's preview area.

#include <cstdint>
#include <optional>

struct AreaRectangle {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0; // screen pixels
};

struct PreviewSize {
    std::int32_t width_twips = 0; // what the window is moved to
    std::int32_t height_twips = 0;
    std::int32_t width_pixels = 0; // what the picture is sized to
    std::int32_t height_pixels = 0;
};

// area: the preview area's window rectangle, or nothing when it could not be
// read (a zero or invalid handle), in which case there is no preview at all.
// Sizes are held in 32 bits, so an area wider or taller than 32767 twips
// (2184 pixels at 96 dots per inch) is covered like any other. Twips follow
// the screen's dots_per_inch.
std::optional<PreviewSize> PreviewSizeForArea(const std::optional<AreaRectangle>& area,
                                              int dots_per_inch);
