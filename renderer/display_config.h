#pragma once

#include <cstdint>

// The renderer's fixed display: the mode it switches to, the depth of its
// pixel format and the name of its window. Compiled in; never changed.
struct DisplayConfig {
    std::int32_t width;       // pixels, after the display switch; window width
    std::int32_t height;      // pixels, after the display switch; window height
    std::int32_t colour_bits; // colour and depth bits of the pixel format (low byte used)
    char window_name[28];     // window class name and window title
};

inline constexpr DisplayConfig display_config{1024, 768, 16, "Velmoran_VC"};
