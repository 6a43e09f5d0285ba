// A hook library for tests: while a test has it installed as a global CBT
// hook, creating a window of the renderer's class fails, the only way to make
// the renderer's CreateWindowExA fail from outside.

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
