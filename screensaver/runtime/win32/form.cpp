#include "runtime/win32/form.h"

#include <vector>

#include "runtime/win32/application.h"
#include "runtime/win32/text_encoding.h"

namespace runtime {

namespace {

constexpr UINT kDpiChanged = 0x02E0; // WM_DPICHANGED, Windows 8.1 and later

bool IsChildWindow(HWND window) {
    return (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) != 0;
}

Scale Twips() {
    return Scale{ScaleMode::Twips, ScreenDpi()};
}

struct WindowList {
    std::vector<HWND> windows;
    bool complete = true;
};

// NOTE: nothing may be thrown through the system's frames that call this;
// a failure stops the listing and is reported.
BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM list) {
    auto* found = reinterpret_cast<WindowList*>(list);
    try {
        if (IsWindowVisible(window) && IsWindowEnabled(window)) {
            found->windows.push_back(window);
        }
        return TRUE;
    } catch (...) {
        found->complete = false;
        return FALSE;
    }
}

} // namespace

Form::Form() = default;

Form::~Form() {
    HWND window = Hwnd();
    if (window != nullptr) {
        // No handler of the (half-destroyed) form may run any more.
        Detach();
        DestroyWindow(window);
    }
    Application::FormUnloaded(this);
}

DWORD Form::WindowStyle() const {
    DWORD style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    switch (m_border) {
    case BorderStyle::None:
        return style | WS_POPUP;
    case BorderStyle::FixedSingle:
        return style | WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    case BorderStyle::Sizable:
        return style | WS_OVERLAPPEDWINDOW;
    case BorderStyle::FixedDialog:
        return style | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    }
    return style;
}

DWORD Form::WindowExStyle() const {
    return WS_EX_CONTROLPARENT | (m_border == BorderStyle::FixedDialog ? WS_EX_DLGMODALFRAME : 0);
}

bool Form::Load() {
    if (m_loaded) {
        return true;
    }
    const wchar_t* window_class = RegisterContainerClass(L"VelmoranForm");
    m_loading = true;
    HWND window =
        CreateWindowExW(WindowExStyle(), window_class, WideFromUtf8(m_caption).c_str(),
                        WindowStyle(), m_rect.left, m_rect.top, m_rect.right - m_rect.left,
                        m_rect.bottom - m_rect.top, IsWindow(m_owner) ? m_owner : nullptr, nullptr,
                        Application::Instance(), static_cast<Container*>(this));
    if (window == nullptr) {
        m_loading = false;
        return false;
    }
    if (m_icon != nullptr) {
        SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));
        SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_icon));
    }
    m_loaded = true;
    Application::FormLoaded(this);
    Form_Load();
    m_loading = false;
    DeliverHeldTicks();
    return m_loaded;
}

void Form::Show() {
    if (!Load()) {
        return;
    }
    HWND window = Hwnd();
    ShowWindow(window, SW_SHOW);
    if (!m_shown_once) {
        m_shown_once = true;
        Form_Resize();
        if (!IsChildWindow(window)) {
            if (HWND first = GetNextDlgTabItem(window, nullptr, FALSE)) {
                SetFocus(first);
            }
        }
    }
    UpdateWindow(window);
}

void Form::ShowModal() {
    if (!Load()) {
        return;
    }
    // The program's other windows wait for this one (those that could be
    // listed, should memory run out).
    WindowList enabled;
    EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow,
                      reinterpret_cast<LPARAM>(&enabled));
    std::vector<HWND>& disabled = enabled.windows;
    std::erase(disabled, Hwnd());
    for (HWND other : disabled) {
        EnableWindow(other, FALSE);
    }
    Show();
    SetForegroundWindow(Hwnd());
    MSG message{};
    while (m_loaded) {
        const BOOL result = GetMessageW(&message, nullptr, 0, 0);
        if (result <= 0) {
            // The program is quitting: leave the quit message for the outer loop.
            PostQuitMessage(result == 0 ? static_cast<int>(message.wParam) : 1);
            break;
        }
        Application::Dispatch(message);
    }
    for (HWND other : disabled) {
        if (IsWindow(other)) {
            EnableWindow(other, TRUE);
        }
    }
}

void Form::Hide() {
    if (Hwnd() != nullptr) {
        ShowWindow(Hwnd(), SW_HIDE);
    }
}

bool Form::Unload(UnloadReason reason) {
    if (!m_loaded || m_unloading) {
        return true;
    }
    bool cancel = false;
    Form_QueryUnload(cancel, reason);
    if (cancel) {
        return false;
    }
    Form_Unload(cancel);
    if (cancel) {
        return false;
    }
    m_unloading = true;
    if (Hwnd() != nullptr) {
        DestroyWindow(Hwnd()); // WM_DESTROY ends the load
    } else {
        WindowDestroyed();
    }
    m_unloading = false;
    return true;
}

void Form::WindowDestroyed() {
    if (!m_loaded) {
        return;
    }
    if (!m_unloading) {
        // Destroyed from outside (its parent window went): it cannot be refused.
        bool cancel = false;
        Form_Unload(cancel);
    }
    if (Hwnd() != nullptr) {
        GetWindowRect(Hwnd(), &m_rect);
    }
    m_loaded = false;
    m_shown_once = false;
    Application::FormUnloaded(this);
}

void Form::SetCaption(std::string_view caption) {
    m_caption = std::string(caption);
    if (Hwnd() != nullptr) {
        SetWindowTextW(Hwnd(), WideFromUtf8(m_caption).c_str());
    }
}

void Form::SetBorderStyle(BorderStyle border) {
    m_border = border;
}

void Form::SetIcon(HICON icon) {
    m_icon = icon;
    if (Hwnd() != nullptr) {
        SendMessageW(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageW(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
}

namespace {

// The window's rectangle in its parent's client coordinates (the screen's for a top-level window).
RECT PlacedRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    if (IsChildWindow(window)) {
        MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    }
    return rect;
}

} // namespace

double Form::Left() const {
    return Twips().FromPixels((Hwnd() != nullptr ? PlacedRect(Hwnd()) : m_rect).left);
}

double Form::Top() const {
    return Twips().FromPixels((Hwnd() != nullptr ? PlacedRect(Hwnd()) : m_rect).top);
}

double Form::Width() const {
    const RECT r = Hwnd() != nullptr ? PlacedRect(Hwnd()) : m_rect;
    return Twips().FromPixels(r.right - r.left);
}

double Form::Height() const {
    const RECT r = Hwnd() != nullptr ? PlacedRect(Hwnd()) : m_rect;
    return Twips().FromPixels(r.bottom - r.top);
}

void Form::Move(double left, std::optional<double> top, std::optional<double> width,
                std::optional<double> height) {
    const Scale twips = Twips();
    const RECT current = Hwnd() != nullptr ? PlacedRect(Hwnd()) : m_rect;
    const int x = twips.ToPixels(left);
    const int y = top ? twips.ToPixels(*top) : current.top;
    const int w = width ? twips.ToPixels(*width) : current.right - current.left;
    const int h = height ? twips.ToPixels(*height) : current.bottom - current.top;
    m_rect = RECT{x, y, x + w, y + h};
    if (Hwnd() != nullptr) {
        SetWindowPos(Hwnd(), nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void Form::SetClientSize(double width, double height) {
    const Scale twips = Twips();
    RECT outer{0, 0, twips.ToPixels(width), twips.ToPixels(height)};
    AdjustWindowRectEx(&outer, WindowStyle(), FALSE, WindowExStyle());
    Move(Left(), Top(), twips.FromPixels(outer.right - outer.left),
         twips.FromPixels(outer.bottom - outer.top));
}

void Form::ContainerResized() {
    if (m_loaded) {
        Form_Resize();
    }
}

LRESULT Form::HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CLOSE:
        Unload(UnloadReason::ControlMenu);
        return 0;
    case kDpiChanged:
        Form_DpiChanged(LOWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
        return 0;
    case WM_QUERYENDSESSION: {
        bool cancel = false;
        Form_QueryUnload(cancel, UnloadReason::AppWindows);
        return cancel ? FALSE : TRUE;
    }
    case WM_DESTROY:
        WindowDestroyed();
        break; // the container lets its controls and timers go
    default:
        break;
    }
    return Container::HandleMessage(window, message, wparam, lparam);
}

} // namespace runtime
