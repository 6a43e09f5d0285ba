#pragma once

// A timer on a container: an interval in milliseconds and an enabled flag.
// Its ticks are messages of the one user-interface thread, so they never
// overlap each other or any handler; a tick that falls due while the form's
// load handler runs is handled as soon as the handler has returned.

#include <windows.h>

#include <string>

#include "runtime/win32/events.h"

namespace runtime {

class Container;

class Timer {
public:
    Timer(Container& container, std::string name, unsigned interval_ms = 0, bool enabled = true);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    const std::string& Name() const { return m_name; }
    // 0 stops the ticks; setting either value starts the count again.
    unsigned Interval() const { return m_interval; }
    void SetInterval(unsigned interval_ms);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);

    Event<> Tick; // the timer's event

    // The container's side: its window has been made or is going; a tick arrived.
    void WindowMade(HWND window);
    void WindowGoing();
    UINT_PTR Id() const { return reinterpret_cast<UINT_PTR>(this); }
    void Elapsed();
    // Raises a tick held back during the form's load (when still enabled).
    void DeliverHeldTick();

private:
    void Restart();

    Container& m_container;
    std::string m_name;
    unsigned m_interval;
    bool m_enabled;
    bool m_tick_held = false;
    HWND m_window = nullptr;
};

} // namespace runtime
