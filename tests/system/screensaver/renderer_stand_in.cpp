// A stand-in for the renderer, for the tests of the protocol between the two
// programs. A test copies it beside Velmoran.scr under the renderer's name.
//
// Named Velmoran.dll it shows a small top-level window titled "Velmoran_VC"
// and writes what it sees into its log, the file of its own path followed by
// ".log", one line each, as it happens:
//   command_line=<its whole command line>
//   show=<the show command it was started with, or -1 for none>
//   delay=<milliseconds>   when the file of its own path followed by ".delay"
//                          holds a number: it waits that long before its window
//   window=made
//   foreign=<message number> sent|posted   for a message from another thread
//   stopped
// It ends when the file of its own path followed by ".stop" appears: it
// destroys its window and exits with code 0 (code 3 if no stop comes within
// a minute, so that it never outlives its test).
//
// Under any other name it is the program that a careless launch would start
// instead of the renderer (C:\Program.exe for C:\Program Files\...): it
// creates the file of its own path followed by ".started" and exits.

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string g_own_path;
std::FILE* g_log = nullptr;
HWND g_window = nullptr;

void Log(const std::string& line) {
    if (g_log != nullptr) {
        std::fprintf(g_log, "%s\n", line.c_str());
        std::fflush(g_log);
    }
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Hex(UINT message) {
    char text[16];
    std::snprintf(text, sizeof(text), "0x%04X", message);
    return text;
}

// Messages that arrive without anyone sending or posting them: input from the
// devices, timers, painting.
bool ArrivesByItself(UINT message) {
    return message == WM_TIMER || message == WM_PAINT || message == WM_QUIT ||
           (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK) ||
           message == WM_NCMOUSEHOVER || message == WM_NCMOUSELEAVE || message == WM_MOUSEHOVER ||
           message == WM_MOUSELEAVE || message == WM_INPUT;
}

constexpr UINT_PTR kStopCheck = 1;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if ((InSendMessageEx(nullptr) & (ISMEX_SEND | ISMEX_NOTIFY | ISMEX_CALLBACK)) != 0) {
        Log("foreign=" + Hex(message) + " sent");
    }
    switch (message) {
    case WM_TIMER:
        if (wparam == kStopCheck && Exists(g_own_path + ".stop")) {
            KillTimer(window, kStopCheck);
            DestroyWindow(window);
        }
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH)));
        EndPaint(window, &paint);
        return 0;
    }
    case WM_CLOSE:
        return 0; // only the stop file ends the stand-in
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wparam, lparam);
    }
}

int StandIn(HINSTANCE instance) {
    g_log = std::fopen((g_own_path + ".log").c_str(), "w");
    Log(std::string("command_line=") + GetCommandLineA());
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    GetStartupInfoA(&startup);
    Log("show=" + std::to_string((startup.dwFlags & STARTF_USESHOWWINDOW) != 0
                                     ? static_cast<int>(startup.wShowWindow)
                                     : -1));

    // A slow start: the process runs, its window comes later.
    if (std::FILE* delay_file = std::fopen((g_own_path + ".delay").c_str(), "r")) {
        unsigned delay = 0;
        if (std::fscanf(delay_file, "%u", &delay) == 1) {
            Log("delay=" + std::to_string(delay));
            Sleep(delay);
        }
        std::fclose(delay_file);
    }

    WNDCLASSA window_class{};
    window_class.lpfnWndProc = WindowProc;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    window_class.lpszClassName = "VelmoranRendererStandIn";
    RegisterClassA(&window_class);
    g_window = CreateWindowExA(WS_EX_TOOLWINDOW, window_class.lpszClassName, "Velmoran_VC",
                               WS_POPUP, 0, 0, 160, 120, nullptr, nullptr, instance, nullptr);
    if (g_window == nullptr) {
        Log("window=failed");
        return 2;
    }
    ShowWindow(g_window, SW_SHOWNORMAL);
    UpdateWindow(g_window);
    SetTimer(g_window, kStopCheck, 20, nullptr);
    Log("window=made");

    const DWORD start = GetTickCount();
    MSG message;
    for (;;) {
        if (GetTickCount() - start > 60'000) {
            Log("no stop came");
            return 3;
        }
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got <= 0) {
            break;
        }
        if (!ArrivesByItself(message.message)) {
            Log("foreign=" + Hex(message.message) + " posted");
        }
        DispatchMessageA(&message);
    }
    Log("stopped");
    return 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    char path[MAX_PATH] = {};
    g_own_path.assign(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    const auto slash = g_own_path.find_last_of('\\');
    const std::string name = g_own_path.substr(slash == std::string::npos ? 0 : slash + 1);
    if (lstrcmpiA(name.c_str(), "Velmoran.dll") != 0) {
        HANDLE marker = CreateFileA((g_own_path + ".started").c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, 0, nullptr);
        CloseHandle(marker);
        return 0;
    }
    const int code = StandIn(instance);
    if (g_log != nullptr) {
        std::fclose(g_log);
    }
    return code;
}
