#pragma once

// Which control of a container a mouse message goes to. The windowless
// controls (labels, images) have no window of their own: their container
// hit-tests them, and a press holds the pointer for the control it landed on
// until every button is up again, so that the moves and the release go to it
// wherever the pointer is by then. A left release inside the control that
// took the press clicks it.

#include <cstddef>
#include <optional>
#include <span>

namespace runtime {

struct PixelPoint {
    int x = 0;
    int y = 0;
};

// A control's rectangle in its container's client pixels (right and bottom
// exclusive) and whether it takes the mouse (visible and enabled).
struct HitArea {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool takes_mouse = true;
    bool Contains(PixelPoint p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
};

enum class MouseAction { Move, Press, Release };

struct MouseInput {
    MouseAction action = MouseAction::Move;
    int button = 0;       // the button pressed or released (kLeftButton...); for a move, those held
    int buttons_held = 0; // the buttons still held after the message
    PixelPoint point;     // in the container's client pixels
};

struct MouseRoute {
    // The control (an index into the areas) the event goes to; none: the container itself.
    std::optional<std::size_t> target;
    PixelPoint relative;         // the point relative to the target's top-left corner
    bool hold_pointer = false;   // a press: capture the pointer for the target
    bool let_go_pointer = false; // the last button is up: end the capture
    bool click = false;          // raise the target's Click after its release
};

// The topmost area at point that takes the mouse.
std::optional<std::size_t> AreaAt(PixelPoint point, std::span<const HitArea> areas);

// areas: the container's windowless controls in painting order (the last on
// top); held: the control that holds the pointer since a press, if any.
MouseRoute RouteMouse(const MouseInput& input, std::span<const HitArea> areas,
                      std::optional<std::size_t> held);

} // namespace runtime
