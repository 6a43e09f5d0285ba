#include "runtime/win32/timer.h"

#include "runtime/win32/container.h"
#include "runtime/win32/form.h"

namespace runtime {

Timer::Timer(Container& container, std::string name, unsigned interval_ms, bool enabled)
    : m_container(container), m_name(std::move(name)), m_interval(interval_ms), m_enabled(enabled) {
    m_container.AdoptTimer(this);
}

Timer::~Timer() {
    WindowGoing();
    m_container.ReleaseTimer(this);
}

void Timer::SetInterval(unsigned interval_ms) {
    m_interval = interval_ms;
    Restart();
}

void Timer::SetEnabled(bool enabled) {
    m_enabled = enabled;
    if (!enabled) {
        m_tick_held = false;
    }
    Restart();
}

void Timer::WindowMade(HWND window) {
    m_window = window;
    Restart();
}

void Timer::WindowGoing() {
    if (m_window != nullptr) {
        KillTimer(m_window, Id());
        m_window = nullptr;
    }
    m_tick_held = false;
}

void Timer::Restart() {
    if (m_window == nullptr) {
        return;
    }
    KillTimer(m_window, Id());
    if (m_enabled && m_interval > 0) {
        SetTimer(m_window, Id(), m_interval, nullptr);
    }
}

void Timer::Elapsed() {
    if (!m_enabled || m_interval == 0) {
        return;
    }
    if (m_container.OwningForm().IsLoading()) {
        m_tick_held = true;
        return;
    }
    Tick();
}

void Timer::DeliverHeldTick() {
    if (m_tick_held) {
        m_tick_held = false;
        if (m_enabled && m_interval > 0) {
            Tick();
        }
    }
}

} // namespace runtime
