// Runs inside a Wine virtual desktop whose display mode can change (the
// test run's Xvfb screen cannot), starts the renderer there and records the
// display mode before, during and after the run.
//
//   display_mode_probe RESULT_FILE RENDERER HOOK_DLL
//
// Runs the renderer three times: plainly, while a global hook from HOOK_DLL
// refuses its window, and asked to keep the screen's resolution. RESULT_FILE receives lines
// "run.name=value" and a last line "done=yes".

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string mode_text() {
    DEVMODEA mode{};
    mode.dmSize = sizeof(mode);
    EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode);
    return std::to_string(mode.dmPelsWidth) + "x" + std::to_string(mode.dmPelsHeight);
}

// Handles this thread's messages while waiting, so that the display-change
// broadcasts of the renderer are answered.
void pump_for(DWORD milliseconds, HANDLE process, HWND* window) {
    const DWORD end = GetTickCount() + milliseconds;
    while (GetTickCount() < end) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
        if (window != nullptr && *window == nullptr) {
            *window = FindWindowA(nullptr, "Velmoran_VC");
            if (*window != nullptr) {
                return;
            }
        }
        if (process != nullptr && WaitForSingleObject(process, 0) == WAIT_OBJECT_0) {
            return;
        }
        Sleep(5);
    }
}

// Runs the renderer once with arguments and records the mode before, during
// and after its run, and its window's size, under "name.key" lines. With a
// hook library, its global CBT hook refuses the renderer's window for the
// whole run.
void run_renderer(std::FILE* out, const char* name, const char* renderer, const char* hook_dll,
                  const char* arguments = "") {
    std::fprintf(out, "%s.before=%s\n", name, mode_text().c_str());
    HHOOK hook = nullptr;
    if (hook_dll != nullptr) {
        HMODULE library = LoadLibraryA(hook_dll);
        auto proc = reinterpret_cast<HOOKPROC>(
            reinterpret_cast<void*>(GetProcAddress(library, "refuse_renderer_window")));
        hook = proc != nullptr ? SetWindowsHookExA(WH_CBT, proc, library, 0) : nullptr;
        std::fprintf(out, "%s.hook=%s\n", name, hook != nullptr ? "installed" : "failed");
    }

    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    std::string command = std::string("\"") + renderer + "\" " + arguments;
    if (!CreateProcessA(renderer, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        std::fprintf(out, "%s.started=no\n", name);
        return;
    }
    HWND window = nullptr;
    pump_for(10000, info.hProcess, &window);
    std::fprintf(out, "%s.window=%s\n", name, window != nullptr ? "yes" : "no");
    if (window != nullptr) {
        pump_for(300, nullptr, nullptr);
        std::fprintf(out, "%s.during=%s\n", name, mode_text().c_str());
        RECT rect{};
        GetWindowRect(window, &rect);
        std::fprintf(out, "%s.window_rect=%ld,%ld,%ld,%ld\n", name, rect.left, rect.top, rect.right,
                     rect.bottom);
        PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    }
    pump_for(10000, info.hProcess, nullptr);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info.hProcess, &code);
    std::fprintf(out, "%s.exit=%lu\n", name, static_cast<unsigned long>(code));
    std::fprintf(out, "%s.after=%s\n", name, mode_text().c_str());
    if (hook != nullptr) {
        UnhookWindowsHookEx(hook);
    }
    if (code == STILL_ACTIVE) {
        TerminateProcess(info.hProcess, 99);
    }
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        return 2;
    }
    std::FILE* out = std::fopen(argv[1], "w");
    if (out == nullptr) {
        return 2;
    }
    // The mode the display returns to is the one stored in the registry.
    DEVMODEA mode{};
    mode.dmSize = sizeof(mode);
    EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode);
    ChangeDisplaySettingsA(&mode, CDS_UPDATEREGISTRY);

    run_renderer(out, "plain", argv[2], nullptr);
    run_renderer(out, "refused", argv[2], argv[3]);
    run_renderer(out, "kept", argv[2], nullptr, "/keep-resolution");
    std::fprintf(out, "done=yes\n");
    std::fclose(out);
    return 0;
}
