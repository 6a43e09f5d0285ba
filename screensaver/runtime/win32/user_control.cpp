#include "runtime/win32/user_control.h"

#include <algorithm>

namespace runtime {

UserControl::UserControl(Container& host, std::string name, int index)
    : WindowedControl(host, std::move(name), index) {
    SetContainerFont(MakeFont(host.ContainerFont()->Description()));
}

void UserControl::CreateWindowIn(HWND parent) {
    Attach(MakeChildWindow(parent, L"VelmoranUserControl", 0, WS_TABSTOP, Bounds()));
}

void UserControl::PropertyChanged(std::string_view name) {
    if (std::find(m_changed.begin(), m_changed.end(), name) == m_changed.end()) {
        m_changed.emplace_back(name);
    }
    PropertyChangedNotice(name);
}

void UserControl::SetBackStyle(BackStyle style) {
    m_back_style = style;
    Invalidate();
}

bool UserControl::PaintsBackground(HDC dc) const {
    if (m_back_style != BackStyle::Transparent || Hwnd() == nullptr) {
        return false;
    }
    // Paint the host as it looks under this control.
    const RECT& b = Bounds();
    POINT old_origin{};
    OffsetViewportOrgEx(dc, -b.left, -b.top, &old_origin);
    Host().Render(dc);
    SetViewportOrgEx(dc, old_origin.x, old_origin.y, nullptr);
    return true;
}

LRESULT UserControl::HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_LBUTTONDOWN:
        // A left press anywhere on the control, its constituents included,
        // takes the focus; the other buttons leave the focus where it is.
        if (GetFocus() != window) {
            SetFocus(window);
        }
        break;
    case WM_SETFOCUS:
        UserControl_GotFocus();
        return 0;
    case WM_KILLFOCUS:
        UserControl_LostFocus();
        return 0;
    default:
        break;
    }
    return Container::HandleMessage(window, message, wparam, lparam);
}

} // namespace runtime
