#include "renderer.h"

#include "../display_config.h"
#include "monitor_covers.h"
#include "monitor_scenes.h"

HINSTANCE g_instance = nullptr;
HWND g_window = nullptr;
HDC g_device_context = nullptr;
HGLRC g_gl_context = nullptr;
RECT g_client_rect{};
bool g_full_screen = false;
bool g_display_switched = false;
RendererOptions g_options;

namespace {

void register_window_class(HINSTANCE instance) {
    WNDCLASSA window_class{};
    window_class.style = CS_HREDRAW | CS_VREDRAW;
    window_class.lpfnWndProc = window_proc;
    window_class.hInstance = instance;
    window_class.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    window_class.lpszClassName = display_config.window_name;
    RegisterClassA(&window_class);
}

// Gives the user back the display mode (where the start changed it) and the
// cursor that the full-screen start took away.
void restore_display() {
    if (g_display_switched) {
        ChangeDisplaySettingsA(nullptr, 0);
        g_display_switched = false;
    }
    ShowCursor(TRUE);
}

} // namespace

void switch_display_mode() {
    DEVMODEA current{};
    current.dmSize = sizeof(current);
    const bool known = EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &current) != FALSE;
    for (const ModeChange change : ModeChangesToTry(known, g_options.keep_resolution)) {
        // Only the size changes: depth and flags stay, and so does the
        // refresh rate unless the driver is left to choose one it offers.
        DEVMODEA mode = current;
        mode.dmPelsWidth = static_cast<DWORD>(display_config.width);
        mode.dmPelsHeight = static_cast<DWORD>(display_config.height);
        if (change == ModeChange::SizeAtAnyRefresh) {
            mode.dmFields &= ~static_cast<DWORD>(DM_DISPLAYFREQUENCY);
            mode.dmDisplayFrequency = 0;
        }
        if (ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL) {
            g_display_switched = true;
            return;
        }
    }
    // The mode stays as it is; the window then covers the primary monitor.
}

HWND create_window(const char* title, int width, int height, DWORD style, bool full_screen,
                   HINSTANCE instance) {
    register_window_class(instance);
    if (full_screen && style == 0) {
        style = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
        switch_display_mode();
        ShowCursor(FALSE);
        if (!g_display_switched) {
            // The whole primary monitor at its own resolution.
            width = GetSystemMetrics(SM_CXSCREEN);
            height = GetSystemMetrics(SM_CYSCREEN);
        }
    }
    // With a scene on every monitor, the window spans them all.
    RECT place{0, 0, width, height};
    if (full_screen && g_options.every_monitor) {
        place = virtual_screen();
    }
    g_instance = instance;

    RECT rect = place;
    AdjustWindowRect(&rect, style, FALSE);
    HWND window = CreateWindowExA(0, display_config.window_name, title, style, place.left,
                                  place.top, rect.right - rect.left, rect.bottom - rect.top,
                                  nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        // Nothing else will run the teardown, so undo the full-screen start here.
        if (full_screen) {
            restore_display();
        }
        return nullptr;
    }
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    SetFocus(window);
    if (full_screen && !g_options.every_monitor) {
        place_monitor_covers(window, instance);
    }
    return window;
}

namespace {

LRESULT handle_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CLOSE:
        // The window is destroyed by the teardown, after the loop has ended.
        PostQuitMessage(0);
        return 0;
    case WM_SIZE:
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_KEYDOWN:
        if (wparam == VK_ESCAPE) {
            PostQuitMessage(0);
        }
        return 0;
    case WM_DISPLAYCHANGE:
        // Another program, or a monitor plugged in or out, moved the monitors.
        if (g_full_screen && g_options.every_monitor) {
            follow_monitor_change();
        } else if (g_full_screen) {
            place_monitor_covers(window, g_instance);
        }
        break;
    case WM_SYSCOMMAND:
        // Swallowed so that the system's screensaver cannot start over the renderer.
        if (wparam == SC_SCREENSAVE) {
            return 0;
        }
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

} // namespace

LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    // What fails while a message is handled (the covers' memory, say) is
    // left undone; the run goes on.
    try {
        return handle_message(window, message, wparam, lparam);
    } catch (...) {
        return DefWindowProcA(window, message, wparam, lparam);
    }
}

void shutdown_renderer() {
    if (g_gl_context != nullptr) {
        wglMakeCurrent(nullptr, nullptr);
        wglDeleteContext(g_gl_context);
    }
    if (g_device_context != nullptr) {
        ReleaseDC(g_window, g_device_context);
    }
    if (g_window != nullptr) {
        DestroyWindow(g_window);
    }
    if (g_full_screen) {
        restore_display();
    }
    UnregisterClassA(display_config.window_name, g_instance);
    PostQuitMessage(0);
}
