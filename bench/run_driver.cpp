// Drives one screensaver run the way the system and a user would, and says
// what happened when: scripts/run uses it to run the real programs without a
// display, bench/startup_timing.sh to time the start-up and the end.
//
//   velmoran_run_driver [--hold MS] [--trivial PROGRAM] [--runs N] [--out FILE]
//                       [--desktop yes] [--end esc|kill] SCREENSAVER [ARGUMENTS]
//
// It covers the screen with a white window (with --desktop yes: a picture of
// a desktop, for screenshots people look at), starts the screensaver with its
// quoted path and the arguments (/s when none are given), waits for the
// renderer's window "Velmoran_VC" and for its first frame (the white turns
// into the black night sky at the top of the screen), keeps the run going
// for --hold milliseconds, presses Esc in the renderer and waits for both
// programs to end. With --trivial it first times two starts of PROGRAM (to
// its exit), the platform's cost of starting any program.
//
// --runs repeats the whole for N runs, each announced by a line run=I; a
// last line done=yes ends the output. With --end kill the renderer is not
// ended with Esc but terminated (as a crash would end it), and the driver
// times the screensaver's end from the moment the renderer's process is gone.
// After each run it says what the run left behind.
//
// Output (into FILE with --out, for a run inside a Wine desktop window that
// has no console), one "key=value" line each, times in milliseconds:
//   trivial_start=T                 each start of the trivial program
//   start_ticks=N                   GetTickCount() at the screensaver's start (Wine's trace clock)
//   renderer_window=T               from the start to the renderer's window
//   first_frame=T                   from the start to its first frame on the screen
//   renderer_exit_code=C, screensaver_exit_code=C
//   esc_to_renderer_exit=T, esc_to_screensaver_exit=T
//   kill_to_screensaver_exit=T      with --end kill: from the renderer's end
//   left_photograph=yes|no          the hand-off folder's Velmoran0.bmp is still there
//   left_windows=N                  windows titled Velmoran_VC or Velmoran_Main
//   left_processes=N                processes of Velmoran.scr or Velmoran.dll
// Exit code 0 when both programs ended with 0, 1 otherwise, 2 for bad usage.

#include <windows.h>

#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <optional>
#include <string>

#include "win32/handoff_folder_access.h"

namespace {

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Polls (handling this thread's messages: the renderer's display change
// waits for every top-level window to answer) until done() or the timeout.
template <typename Done>
bool WaitFor(Done done, double timeout_ms) {
    const double end = Now() + timeout_ms;
    while (!done()) {
        if (Now() > end) {
            return false;
        }
        PumpMessages();
        Sleep(1);
    }
    return true;
}

struct Process {
    PROCESS_INFORMATION info{};
    bool Start(const std::string& application, const std::string& command_line) {
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        std::string writable = command_line;
        return CreateProcessA(application.c_str(), writable.data(), nullptr, nullptr, FALSE, 0,
                              nullptr, nullptr, &startup, &info) != FALSE;
    }
    ~Process() {
        if (info.hProcess != nullptr) {
            CloseHandle(info.hProcess);
            CloseHandle(info.hThread);
        }
    }
};

bool Ended(HANDLE process) {
    return WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
}

DWORD ExitCode(HANDLE process) {
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    return code;
}

bool g_desktop_cover = false; // --desktop: a desktop to photograph instead of plain white

void Fill(HDC dc, RECT rect, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

// A desktop as people have one: a blue wallpaper, two windows with title
// bars and lines of text, icons down the left, a taskbar. Its top edge stays
// light, so that the renderer's dark sky still shows its first frame.
void PaintDesktop(HDC dc, int width, int height) {
    Fill(dc, RECT{0, 0, width, height}, RGB(58, 110, 165));
    const COLORREF icons[] = {RGB(240, 200, 80), RGB(90, 160, 230), RGB(235, 235, 240),
                              RGB(110, 190, 120)};
    for (int i = 0; i < 4; ++i) {
        const int top = 40 + i * 90;
        Fill(dc, RECT{28, top, 76, top + 48}, icons[i]);
        Fill(dc, RECT{20, top + 56, 84, top + 64}, RGB(230, 236, 245));
    }
    const RECT windows[] = {
        {width * 18 / 100, height * 12 / 100, width * 62 / 100, height * 70 / 100},
        {width * 44 / 100, height * 30 / 100, width * 92 / 100, height * 86 / 100}};
    const COLORREF titles[] = {RGB(96, 120, 170), RGB(40, 90, 190)};
    for (int i = 0; i < 2; ++i) {
        const RECT& w = windows[i];
        Fill(dc, w, RGB(248, 248, 250));
        Fill(dc, RECT{w.left, w.top, w.right, w.top + 28}, titles[i]);
        for (int y = w.top + 48; y + 10 < w.bottom - 16; y += 26) {
            const int length = (w.right - w.left) * (45 + (y * 7 + i * 13) % 40) / 100;
            Fill(dc, RECT{w.left + 20, y, w.left + 20 + length, y + 10}, RGB(170, 176, 190));
        }
    }
    Fill(dc, RECT{0, height - 40, width, height}, RGB(32, 40, 60));
    Fill(dc, RECT{6, height - 34, 96, height - 6}, RGB(70, 150, 90));
}

LRESULT CALLBACK CoverProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        if (g_desktop_cover) {
            PaintDesktop(dc, client.right, client.bottom);
        } else {
            FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        }
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

// A window over the whole screen, under whatever comes next.
HWND Cover() {
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = CoverProc;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.lpszClassName = "VelmoranRunDriverCover";
    RegisterClassA(&window_class);
    HWND window =
        CreateWindowExA(WS_EX_TOOLWINDOW, window_class.lpszClassName, "cover", WS_POPUP, 0, 0,
                        GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr,
                        nullptr, window_class.hInstance, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    PumpMessages();
    return window;
}

// Whether the screen's top strip is dark: the renderer's sky, not the white
// of the cover or of the renderer's window before its first frame.
bool TopStripIsDark() {
    constexpr int kWidth = 64;
    constexpr int kHeight = 4;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, kWidth, kHeight, screen, 8, 8, SRCCOPY);
    GdiFlush();
    long sum = 0;
    const auto* bgrx = static_cast<const unsigned char*>(bits);
    for (int i = 0; bits != nullptr && i < kWidth * kHeight; ++i) {
        sum += bgrx[i * 4] + bgrx[i * 4 + 1] + bgrx[i * 4 + 2];
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return bits != nullptr && sum / (kWidth * kHeight * 3) < 64;
}

HWND RendererWindow() {
    return FindWindowA(nullptr, "Velmoran_VC");
}

void PressEscape(HWND window) {
    SetForegroundWindow(window);
    WaitFor([&] { return GetForegroundWindow() == window; }, 1000);
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_ESCAPE;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

std::FILE* g_out = stdout;

void Print(const char* key, double milliseconds) {
    std::fprintf(g_out, "%s=%.1f\n", key, milliseconds);
    std::fflush(g_out);
}

void PrintText(const char* key, const std::string& value) {
    std::fprintf(g_out, "%s=%s\n", key, value.c_str());
    std::fflush(g_out);
}

int Usage() {
    std::fprintf(stderr, "usage: velmoran_run_driver [--hold MS] [--trivial PROGRAM] [--runs N] "
                         "[--out FILE] [--desktop yes] [--end esc|kill] SCREENSAVER "
                         "[ARGUMENTS]\n");
    return 2;
}

struct Options {
    double hold = 0;
    std::string trivial;
    int runs = 1;
    bool kill = false; // end the renderer by terminating it, not with Esc
    std::string screensaver;
    std::string arguments;
};

// Ends the renderer as a crash would, and times the screensaver's end from
// the moment the renderer's process is gone; 0 when it ended with 0.
int KillRenderer(HANDLE renderer_process, HANDLE scr) {
    if (renderer_process == nullptr || !TerminateProcess(renderer_process, 9)) {
        PrintText("kill_to_screensaver_exit", "none");
        return 1;
    }
    WaitForSingleObject(renderer_process, 5000);
    const double killed = Now();
    CloseHandle(renderer_process);
    if (!WaitFor([&] { return Ended(scr); }, 10'000)) {
        PrintText("kill_to_screensaver_exit", "none");
        PrintText("screensaver_exit_code", "none");
        return 1;
    }
    Print("kill_to_screensaver_exit", Now() - killed);
    PrintText("screensaver_exit_code", std::to_string(ExitCode(scr)));
    return ExitCode(scr) == 0 ? 0 : 1;
}

// The processes of the two programs that are still there.
int ProgramProcesses() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return -1;
    }
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    int count = 0;
    for (BOOL more = Process32First(snapshot, &entry); more;
         more = Process32Next(snapshot, &entry)) {
        const std::string name = entry.szExeFile;
        count += lstrcmpiA(name.c_str(), "Velmoran.scr") == 0 ||
                         lstrcmpiA(name.c_str(), "Velmoran.dll") == 0
                     ? 1
                     : 0;
    }
    CloseHandle(snapshot);
    return count;
}

// What a run left behind once both programs have had a moment to go.
void PrintLeftovers() {
    WaitFor([] { return ProgramProcesses() == 0; }, 2000);
    const auto folder = UserHandoffFolder();
    const bool photograph = folder && GetFileAttributesW(HandoffFilePath(*folder, 0).c_str()) !=
                                          INVALID_FILE_ATTRIBUTES;
    PrintText("left_photograph", photograph ? "yes" : "no");
    const int windows = (FindWindowA(nullptr, "Velmoran_VC") != nullptr ? 1 : 0) +
                        (FindWindowA(nullptr, "Velmoran_Main") != nullptr ? 1 : 0);
    PrintText("left_windows", std::to_string(windows));
    PrintText("left_processes", std::to_string(ProgramProcesses()));
}

// One run (after the trivial program's starts); 0 when both programs ended
// with 0, 1 otherwise, 2 when a program could not be started.
int RunOnce(const Options& options) {
    const std::string& trivial = options.trivial;
    const std::string& screensaver = options.screensaver;
    const std::string& arguments = options.arguments;
    const double hold = options.hold;
    for (int start = 0; !trivial.empty() && start < 2; ++start) {
        Process program;
        const double t0 = Now();
        if (!program.Start(trivial, "\"" + trivial + "\"")) {
            std::fprintf(stderr, "cannot start %s\n", trivial.c_str());
            return 2;
        }
        WaitForSingleObject(program.info.hProcess, INFINITE);
        Print("trivial_start", Now() - t0);
    }

    HWND cover = Cover();
    Process scr;
    const double t0 = Now();
    PrintText("start_ticks", std::to_string(GetTickCount()));
    if (!scr.Start(screensaver, "\"" + screensaver + "\" " + arguments)) {
        std::fprintf(stderr, "cannot start %s\n", screensaver.c_str());
        return 2;
    }
    HWND renderer = nullptr;
    if (!WaitFor(
            [&] { return (renderer = RendererWindow()) != nullptr || Ended(scr.info.hProcess); },
            60'000) ||
        renderer == nullptr) {
        DestroyWindow(cover);
        PrintText("renderer_window", "none");
        return 1;
    }
    Print("renderer_window", Now() - t0);
    if (WaitFor([] { return TopStripIsDark(); }, 30'000)) {
        Print("first_frame", Now() - t0);
    } else {
        PrintText("first_frame", "none");
    }
    DestroyWindow(cover);
    WaitFor([] { return false; }, hold);

    DWORD renderer_id = 0;
    GetWindowThreadProcessId(renderer, &renderer_id);
    HANDLE renderer_process = OpenProcess(
        SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE, FALSE, renderer_id);
    if (options.kill) {
        return KillRenderer(renderer_process, scr.info.hProcess);
    }
    const double esc = Now();
    PressEscape(renderer);
    std::optional<double> renderer_exit;
    std::optional<double> scr_exit;
    double last_press = esc;
    WaitFor(
        [&] {
            if (!renderer_exit && renderer_process != nullptr && Ended(renderer_process)) {
                renderer_exit = Now() - esc;
            }
            if (!scr_exit && Ended(scr.info.hProcess)) {
                scr_exit = Now() - esc;
            }
            // NOTE: a key pressed while the renderer still starts can be lost.
            if (!renderer_exit && IsWindow(renderer) && Now() - last_press > 1000) {
                PressEscape(renderer);
                last_press = Now();
            }
            return (renderer_exit || renderer_process == nullptr) && scr_exit;
        },
        10'000);
    bool clean = true;
    if (renderer_exit) {
        Print("esc_to_renderer_exit", *renderer_exit);
        PrintText("renderer_exit_code", std::to_string(ExitCode(renderer_process)));
        clean &= ExitCode(renderer_process) == 0;
    } else {
        PrintText("renderer_exit_code", "none");
        clean = false;
    }
    if (scr_exit) {
        Print("esc_to_screensaver_exit", *scr_exit);
        PrintText("screensaver_exit_code", std::to_string(ExitCode(scr.info.hProcess)));
        clean &= ExitCode(scr.info.hProcess) == 0;
    } else {
        PrintText("screensaver_exit_code", "none");
        clean = false;
    }
    if (renderer_process != nullptr) {
        CloseHandle(renderer_process);
    }
    return clean ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    int i = 1;
    for (; i + 1 < argc && argv[i][0] == '-' && argv[i][1] == '-'; i += 2) {
        const std::string option = argv[i];
        if (option == "--hold") {
            options.hold = std::atof(argv[i + 1]);
        } else if (option == "--trivial") {
            options.trivial = argv[i + 1];
        } else if (option == "--desktop") {
            g_desktop_cover = std::string(argv[i + 1]) == "yes";
        } else if (option == "--end") {
            options.kill = std::string(argv[i + 1]) == "kill";
        } else if (option == "--runs") {
            options.runs = std::atoi(argv[i + 1]);
        } else if (option == "--out") {
            g_out = std::fopen(argv[i + 1], "w");
            if (g_out == nullptr) {
                return Usage();
            }
        } else {
            return Usage();
        }
    }
    if (i >= argc || options.runs < 1) {
        return Usage();
    }
    options.screensaver = argv[i];
    options.arguments = i + 1 < argc ? "" : "/s";
    for (++i; i < argc; ++i) {
        options.arguments += (options.arguments.empty() ? "" : " ") + std::string(argv[i]);
    }
    int result = 0;
    for (int run = 1; run <= options.runs && result != 2; ++run) {
        PrintText("run", std::to_string(run));
        result = std::max(result, RunOnce(options));
        WaitFor([] { return false; }, 300); // the programs' last messages
        PrintLeftovers();
    }
    PrintText("done", "yes");
    return result;
}
