#include "runtime/win32/control.h"

#include "runtime/win32/container.h"

namespace runtime {

Control::Control(Container& container, std::string name, int index)
    : m_container(container), m_name(std::move(name)), m_index(index) {
    m_container.Adopt(this);
}

Control::~Control() {
    m_container.Release(this);
}

double Control::Left() const {
    return m_container.FromPixels(m_bounds.left);
}

double Control::Top() const {
    return m_container.FromPixels(m_bounds.top);
}

double Control::Width() const {
    return m_container.FromPixels(m_bounds.right - m_bounds.left);
}

double Control::Height() const {
    return m_container.FromPixels(m_bounds.bottom - m_bounds.top);
}

void Control::Move(double left, std::optional<double> top, std::optional<double> width,
                   std::optional<double> height) {
    const int x = m_container.ToPixels(left);
    const int y = top ? m_container.ToPixels(*top) : m_bounds.top;
    const int w = width ? m_container.ToPixels(*width) : m_bounds.right - m_bounds.left;
    const int h = height ? m_container.ToPixels(*height) : m_bounds.bottom - m_bounds.top;
    SetBounds(RECT{x, y, x + (w > 0 ? w : 0), y + (h > 0 ? h : 0)});
}

void Control::SetBounds(const RECT& bounds) {
    const RECT old = m_bounds;
    m_bounds = bounds;
    if (!EqualRect(&old, &bounds)) {
        BoundsChanged(old);
    }
}

void Control::SetVisible(bool visible) {
    if (m_visible != visible) {
        m_visible = visible;
        VisibilityChanged();
    }
}

void Control::SetEnabled(bool enabled) {
    if (m_enabled != enabled) {
        m_enabled = enabled;
        EnabledChanged();
    }
}

WindowlessControl::WindowlessControl(Container& container, std::string name, int index)
    : Control(container, std::move(name), index) {}

WindowlessControl::~WindowlessControl() {
    Invalidate();
}

void WindowlessControl::Invalidate() const {
    Parent().Invalidate(&Bounds());
}

void WindowlessControl::BoundsChanged(const RECT& old_bounds) {
    Parent().Invalidate(&old_bounds);
    Invalidate();
}

WindowedControl::WindowedControl(Container& container, std::string name, int index)
    : Control(container, std::move(name), index) {}

WindowedControl::~WindowedControl() {
    if (m_window != nullptr) {
        HWND window = m_window;
        m_window = nullptr;
        DestroyWindow(window);
    }
}

void WindowedControl::Attach(HWND window) {
    m_window = window;
    if (window == nullptr) {
        return;
    }
    const RECT& b = Bounds();
    SetWindowPos(window, nullptr, b.left, b.top, b.right - b.left, b.bottom - b.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    EnableWindow(window, Enabled() ? TRUE : FALSE);
    ShowWindow(window, Visible() ? SW_SHOWNA : SW_HIDE);
}

void WindowedControl::BoundsChanged(const RECT&) {
    if (m_window != nullptr) {
        const RECT& b = Bounds();
        SetWindowPos(m_window, nullptr, b.left, b.top, b.right - b.left, b.bottom - b.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void WindowedControl::VisibilityChanged() {
    if (m_window != nullptr) {
        ShowWindow(m_window, Visible() ? SW_SHOWNA : SW_HIDE);
    }
}

void WindowedControl::EnabledChanged() {
    if (m_window != nullptr) {
        EnableWindow(m_window, Enabled() ? TRUE : FALSE);
    }
}

} // namespace runtime
