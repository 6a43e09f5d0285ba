// Global hooks for tests, run inside the program under test: one makes the
// renderer's CreateWindowExA fail (CBT), one turns the message
// "VelmoranTestDpi" (wParam: dots per inch) into the WM_DPICHANGED a move to
// a monitor of that scaling brings, which Wine never sends (GETMESSAGE).

#include <windows.h>

#include <cstring>

extern "C" __declspec(dllexport) LRESULT CALLBACK
    refuse_renderer_window(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_CREATEWND) {
        const auto* create = reinterpret_cast<const CBT_CREATEWNDA*>(lparam);
        const char* class_name = create->lpcs->lpszClass;
        if (!IS_INTRESOURCE(class_name) && std::strcmp(class_name, "Velmoran_VC") == 0) {
            return 1; // refuse
        }
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

extern "C" __declspec(dllexport) LRESULT CALLBACK
    move_to_dpi(int code, WPARAM wparam, LPARAM lparam) {
    static const UINT request = RegisterWindowMessageW(L"VelmoranTestDpi");
    auto* message = reinterpret_cast<MSG*>(lparam);
    if (code == HC_ACTION && wparam == PM_REMOVE && message->message == request) {
        // The scaling the window is at: the system's until a request moved it.
        static int now = GetDeviceCaps(GetDC(nullptr), LOGPIXELSX);
        const int dpi = static_cast<int>(message->wParam);
        RECT r{};
        GetWindowRect(message->hwnd, &r);
        RECT suggested{r.left, r.top, r.left + MulDiv(r.right - r.left, dpi, now),
                       r.top + MulDiv(r.bottom - r.top, dpi, now)};
        now = dpi;
        SendMessageW(message->hwnd, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        message->message = WM_NULL;
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}
