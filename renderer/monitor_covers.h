#pragma once

#include <cstdint>
#include <vector>

// A rectangle of the virtual screen in pixels: left and top inside, right and
// bottom outside. Monitors left of or above the primary have negative edges.
struct ScreenRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    bool empty() const { return right <= left || bottom <= top; }
    bool operator==(const ScreenRect&) const = default;
};

// One monitor as the system reports it.
struct MonitorArea {
    ScreenRect rect;
    bool primary = false;
};

// The rectangles that a run covers in black: every monitor but the primary,
// in the order given. What a monitor shares with the primary (a mirror of it,
// an overlap) stays uncovered, since the renderer's picture is there. When no
// monitor is marked primary, the one that holds the point (0, 0) is; when none
// does, nothing is covered. One monitor gives no rectangle.
std::vector<ScreenRect> cover_rects(const std::vector<MonitorArea>& monitors);
