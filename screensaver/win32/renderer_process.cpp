#include "renderer_process.h"

#include <windows.h>

#include <string>

#include "runtime/win32/text_encoding.h"

namespace {

HANDLE g_renderer = nullptr;  // the process, for as long as the program lives
HANDLE g_end_watch = nullptr; // the thread pool's wait for its end

// Where the renderer's end is told: a timer's tick on the run window.
struct EndTick {
    HWND window = nullptr;
    UINT_PTR timer_id = 0;
};
EndTick g_end_tick;

void CALLBACK RendererEnded(void*, BOOLEAN) {
    // A window that is gone by now makes this post fail harmlessly.
    PostMessageW(g_end_tick.window, WM_TIMER, g_end_tick.timer_id, 0);
}

} // namespace

bool StartRendererProcess(const RendererLaunch& launch) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(launch.show_command);
    // By its wide path: a program folder the code page cannot write works too.
    const std::wstring application = runtime::WideFromUtf8(launch.application);
    std::wstring command_line = runtime::WideFromUtf8(launch.command_line);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(application.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    g_renderer = process.hProcess;
    return true;
}

bool PostTimerTickWhenRendererEnds(HWND window, UINT_PTR timer_id) {
    if (g_renderer == nullptr || g_end_watch != nullptr) {
        return false;
    }
    g_end_tick = EndTick{window, timer_id};
    if (!RegisterWaitForSingleObject(&g_end_watch, g_renderer, RendererEnded, nullptr, INFINITE,
                                     WT_EXECUTEONLYONCE)) {
        g_end_watch = nullptr;
        return false;
    }
    return true;
}

void StopWatchingRenderer() {
    if (g_end_watch != nullptr) {
        // Waits for a callback under way, so none runs after the program's end.
        UnregisterWaitEx(g_end_watch, INVALID_HANDLE_VALUE);
        g_end_watch = nullptr;
    }
}

bool RendererProcessRunning() {
    return g_renderer != nullptr && WaitForSingleObject(g_renderer, 0) == WAIT_TIMEOUT;
}

void WaitForRendererMoment(unsigned milliseconds) {
    const DWORD count = g_renderer != nullptr ? 1 : 0;
    MsgWaitForMultipleObjects(count, &g_renderer, FALSE, milliseconds, QS_SENDMESSAGE);
    // Sent messages are handled inside PeekMessage; posted ones stay queued.
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}
