// Which windowless control a container's mouse messages go to.

#include "runtime/mouse_routing.h"

#include <gtest/gtest.h>

namespace {

using namespace runtime;

TEST(MouseRouting, HitTestingHoldingAndClicks) {
    // A caption, an image over part of it, and a disabled label over everything.
    const HitArea areas[] = {{10, 10, 50, 30}, {40, 20, 80, 40}, {0, 0, 100, 100, false}};
    constexpr int kLeft = 1, kRight = 2;
    const auto none = std::optional<std::size_t>();
    const struct {
        MouseAction action;
        int button, held_after, x, y;
        std::optional<std::size_t> held, target;
        int rx, ry;
        bool hold, let_go, click;
    } cases[] = {
        {MouseAction::Move, 0, 0, 15, 15, none, 0, 5, 5, false, false, false},
        {MouseAction::Move, 0, 0, 45, 25, none, 1, 5, 5, false, false, false}, // the top one
        {MouseAction::Move, 0, 0, 95, 95, none, none, 95, 95, false, false, false},
        {MouseAction::Press, kLeft, kLeft, 45, 25, none, 1, 5, 5, true, false, false},
        {MouseAction::Press, kLeft, kLeft, 95, 95, none, none, 95, 95, true, false, false},
        // Held: moves and the release go to the control that took the press.
        {MouseAction::Move, kLeft, kLeft, 90, 90, 1, 1, 50, 70, false, false, false},
        {MouseAction::Release, kLeft, 0, 90, 90, 1, 1, 50, 70, false, true, false},
        {MouseAction::Release, kLeft, 0, 45, 25, 1, 1, 5, 5, false, true, true},
        {MouseAction::Release, kRight, 0, 45, 25, 1, 1, 5, 5, false, true, false},
        {MouseAction::Release, kLeft, kRight, 15, 15, 0, 0, 5, 5, false, false, true},
        {MouseAction::Release, kLeft, 0, 15, 15, 7, 0, 5, 5, false, true, true}, // gone
    };
    for (const auto& c : cases) {
        const MouseRoute route = RouteMouse(
            MouseInput{c.action, c.button, c.held_after, PixelPoint{c.x, c.y}}, areas, c.held);
        const std::string what = "at " + std::to_string(c.x) + "," + std::to_string(c.y) +
                                 " action " + std::to_string(static_cast<int>(c.action));
        EXPECT_EQ(route.target, c.target) << what;
        EXPECT_EQ(route.relative.x, c.rx) << what;
        EXPECT_EQ(route.relative.y, c.ry) << what;
        EXPECT_EQ(route.hold_pointer, c.hold) << what;
        EXPECT_EQ(route.let_go_pointer, c.let_go) << what;
        EXPECT_EQ(route.click, c.click) << what;
    }
}

} // namespace
