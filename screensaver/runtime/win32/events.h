#pragma once

// Events a control raises to the form that holds it: the form assigns a
// handler (usually a lambda that calls its Control_Event member), the
// control raises the event by calling it. An event without a handler does nothing.

#include <functional>
#include <utility>

namespace runtime {

template <typename... Args>
class Event {
public:
    Event& operator=(std::function<void(Args...)> handler) {
        m_handler = std::move(handler);
        return *this;
    }
    void operator()(Args... args) const {
        if (m_handler) {
            m_handler(args...);
        }
    }
    explicit operator bool() const { return static_cast<bool>(m_handler); }

private:
    std::function<void(Args...)> m_handler;
};

enum MouseButton : int {
    kLeftButton = 1,
    kRightButton = 2,
    kMiddleButton = 4,
};

enum ShiftKey : int {
    kShiftMask = 1,
    kCtrlMask = 2,
    kAltMask = 4,
};

struct MouseEventArgs {
    int button = 0; // the button pressed or released; for a move, every button held
    int shift = 0;  // the shift keys held
    double x = 0;   // relative to the control, in its container's scale units
    double y = 0;
};

} // namespace runtime
