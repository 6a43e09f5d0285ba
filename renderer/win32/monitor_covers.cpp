#include "monitor_covers.h"

#include <vector>

#include "../monitor_covers.h"
#include "win32/handoff_folder_access.h"

namespace {

constexpr const char* kCoverClass = "Velmoran_Cover";

// Nothing when the monitors cannot be listed now.
std::optional<std::vector<MonitorArea>> current_monitors() {
    const std::optional<std::vector<MonitorPlace>> current = CurrentMonitors();
    if (!current) {
        return std::nullopt;
    }
    std::vector<MonitorArea> monitors;
    for (const MonitorPlace& m : *current) {
        monitors.push_back({{m.left, m.top, m.right, m.bottom}, m.primary});
    }
    return monitors;
}

// A cover ignores all input; a click on it neither activates it nor moves
// the keyboard focus away from the renderer's window.
LRESULT CALLBACK cover_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_MOUSEACTIVATE) {
        return MA_NOACTIVATE;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

void register_cover_class(HINSTANCE instance) {
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = cover_proc;
    window_class.hInstance = instance;
    // No cursor of its own: the run's hidden cursor stays hidden over a cover.
    window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    window_class.lpszClassName = kCoverClass;
    RegisterClassA(&window_class);
}

} // namespace

void place_monitor_covers(HWND owner, HINSTANCE instance) {
    static std::vector<HWND> covers;
    std::erase_if(covers, [](HWND cover) { return !IsWindow(cover); });
    const std::optional<std::vector<MonitorArea>> monitors = current_monitors();
    if (!monitors) {
        return; // the covers stay where they are
    }
    const std::vector<ScreenRect> rects = cover_rects(*monitors);
    // Monitors that went away take their covers with them.
    while (covers.size() > rects.size()) {
        DestroyWindow(covers.back());
        covers.pop_back();
    }
    if (rects.empty()) {
        return;
    }
    if (covers.empty()) {
        register_cover_class(instance);
    }
    for (std::size_t i = 0; i < rects.size(); ++i) {
        const ScreenRect& rect = rects[i];
        const int width = rect.right - rect.left;
        const int height = rect.bottom - rect.top;
        if (i < covers.size()) {
            SetWindowPos(covers[i], HWND_TOPMOST, rect.left, rect.top, width, height,
                         SWP_NOACTIVATE | SWP_SHOWWINDOW);
            continue;
        }
        HWND cover = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE,
                                     kCoverClass, "", WS_POPUP, rect.left, rect.top, width, height,
                                     owner, nullptr, instance, nullptr);
        if (cover != nullptr) {
            ShowWindow(cover, SW_SHOWNOACTIVATE);
            UpdateWindow(cover);
            covers.push_back(cover);
        }
    }
}
