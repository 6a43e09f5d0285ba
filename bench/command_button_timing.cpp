// The Command button's costs under the platform's own GDI: the time of one
// PaintFace at the settings dialog's size (81 x 25 pixels at 96 dpi), and the
// CPU time an idle button's 100 ms hover timer takes over a minute.
//
//   command_button_timing [IDLE_SECONDS]      60 by default

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "command.h"
#include "runtime/win32/application.h"
#include "runtime/win32/form.h"

namespace {

class BenchForm : public runtime::Form {
public:
    Command Cmd{*this, "Cmd_Set"};
    BenchForm() {
        SetBorderStyle(runtime::BorderStyle::None);
        Move(0, 0, 3000, 1500);
        Cmd.Move(450, 300, 1215, 375);
        Cmd.RestoreProperties(runtime::PropertyBag{});
    }
};

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / frequency.QuadPart;
}

void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&message);
    }
}

double ProcessCpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto seconds = [](FILETIME t) {
        return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) * 1e-7;
    };
    return seconds(kernel) + seconds(user);
}

} // namespace

int main(int argc, char** argv) {
    const int idle_seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    runtime::Application::Initialize(GetModuleHandleW(nullptr), "Velmoran");
    BenchForm form;
    form.Show();
    Pump();
    RECT r{};
    GetWindowRect(form.Cmd.Hwnd(), &r);

    // One PaintFace a read of Enabled (it repaints the normal look); the
    // window's own repaint from the retained image is counted apart.
    constexpr int kRepaints = 2000;
    std::vector<double> times;
    for (int i = 0; i < kRepaints; ++i) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        form.Cmd.Enabled();
        QueryPerformanceCounter(&end);
        times.push_back(Seconds(start, end));
    }
    std::sort(times.begin(), times.end());
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < 200; ++i) {
        form.Cmd.Refresh();
    }
    QueryPerformanceCounter(&end);
    std::printf("button %ld x %ld pixels\n", r.right - r.left, r.bottom - r.top);
    std::printf("PaintFace: median %.1f us, 90th percentile %.1f us (%d repaints)\n",
                times[times.size() / 2] * 1e6, times[times.size() * 9 / 10] * 1e6, kRepaints);
    std::printf("window repaint from the retained image: %.1f us\n",
                Seconds(start, end) / 200 * 1e6);

    // Idle: the pointer away from the button, the hover timer ticking.
    form.Cmd.Initialize();
    SetCursorPos(r.right + 300, r.bottom + 300);
    Pump();
    const double cpu_before = ProcessCpuSeconds();
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(idle_seconds);
    int ticks = 0;
    MSG message;
    while (std::chrono::steady_clock::now() < until) {
        if (MsgWaitForMultipleObjects(0, nullptr, FALSE, 200, QS_ALLINPUT) == WAIT_OBJECT_0) {
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                ticks += message.message == WM_TIMER ? 1 : 0;
                DispatchMessageW(&message);
            }
        }
    }
    const double cpu = ProcessCpuSeconds() - cpu_before;
    std::printf("idle %d s: %d timer ticks, %.1f ms CPU (%.3f %% of one core)\n", idle_seconds,
                ticks, cpu * 1e3, cpu / idle_seconds * 100);
    return 0;
}
