#include "runtime/mouse_routing.h"

namespace runtime {

namespace {

constexpr int kLeft = 1; // the left button, as the events name it

} // namespace

std::optional<std::size_t> AreaAt(PixelPoint point, std::span<const HitArea> areas) {
    for (std::size_t i = areas.size(); i-- > 0;) {
        if (areas[i].takes_mouse && areas[i].Contains(point)) {
            return i;
        }
    }
    return std::nullopt;
}

MouseRoute RouteMouse(const MouseInput& input, std::span<const HitArea> areas,
                      std::optional<std::size_t> held) {
    MouseRoute route;
    if (held && *held >= areas.size()) {
        held.reset();
    }
    route.target = held ? held : AreaAt(input.point, areas);
    route.relative = input.point;
    if (route.target) {
        const HitArea& area = areas[*route.target];
        route.relative = PixelPoint{input.point.x - area.left, input.point.y - area.top};
        route.click = input.action == MouseAction::Release && input.button == kLeft &&
                      area.Contains(input.point);
    }
    route.hold_pointer = input.action == MouseAction::Press;
    route.let_go_pointer = input.action == MouseAction::Release && input.buttons_held == 0;
    return route;
}

} // namespace runtime
