#pragma once

// Starting and watching the real programs from a Windows-side test.

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace velmoran_test {

// The folder of the running test program, where the built programs lie too.
std::string program_folder();

// A program started with CreateProcess. The destructor terminates it if it
// is still running, so a failing test never leaves a full-screen program behind.
class ChildProcess {
public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();

    // Starts application with the whole command line given; false when CreateProcess fails.
    bool start(const std::string& application, const std::string& command_line,
               const std::string& working_folder = {});

    bool running() const;
    DWORD id() const { return m_info.dwProcessId; }
    HANDLE handle() const { return m_info.hProcess; }

    // The exit code, or nothing when the program is still running after timeout.
    std::optional<DWORD> wait_for_exit(std::chrono::milliseconds timeout);

    void terminate();

private:
    PROCESS_INFORMATION m_info{};
};

// Handles the messages pending for this thread's windows. Programs under test
// broadcast messages (a display change, for one) and wait for every
// top-level window to answer, so a test that owns windows keeps pumping.
void pump_messages();

// Polls until condition holds (pumping messages meanwhile) or timeout passes; true when it held.
bool wait_until(const std::function<bool()>& condition, std::chrono::milliseconds timeout,
                std::chrono::milliseconds interval = std::chrono::milliseconds(10));

// Waits for a top-level window with this title (any class); null on timeout.
HWND wait_for_window(const char* title, std::chrono::milliseconds timeout);

// Waits until no top-level window has this title; true when it is gone.
bool wait_for_window_gone(const char* title, std::chrono::milliseconds timeout);

// The visible top-level windows of a process, in the system's z-order.
std::vector<HWND> visible_windows_of(DWORD process_id);

} // namespace velmoran_test
