#include "program_runner.h"

#include <thread>
#include <vector>

namespace velmoran_test {

std::string program_folder() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    const auto slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? std::string{} : folder.substr(0, slash);
}

ChildProcess::~ChildProcess() {
    terminate();
    if (m_info.hProcess != nullptr) {
        CloseHandle(m_info.hProcess);
        CloseHandle(m_info.hThread);
    }
}

bool ChildProcess::start(const std::string& application, const std::string& command_line,
                         const std::string& working_folder) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    std::vector<char> writable(command_line.begin(), command_line.end());
    writable.push_back('\0');
    return CreateProcessA(application.empty() ? nullptr : application.c_str(), writable.data(),
                          nullptr, nullptr, FALSE, 0, nullptr,
                          working_folder.empty() ? nullptr : working_folder.c_str(), &startup,
                          &m_info) != FALSE;
}

bool ChildProcess::running() const {
    return m_info.hProcess != nullptr && WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> ChildProcess::wait_for_exit(std::chrono::milliseconds timeout) {
    if (m_info.hProcess == nullptr) {
        return std::nullopt;
    }
    if (!wait_until([&] { return !running(); }, timeout, std::chrono::milliseconds(5))) {
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(m_info.hProcess, &code);
    return code;
}

void ChildProcess::terminate() {
    if (running()) {
        TerminateProcess(m_info.hProcess, 99);
        WaitForSingleObject(m_info.hProcess, 5000);
    }
}

void pump_messages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool wait_until(const std::function<bool()>& condition, std::chrono::milliseconds timeout,
                std::chrono::milliseconds interval) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        pump_messages();
        if (condition()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(interval);
    }
}

HWND wait_for_window(const char* title, std::chrono::milliseconds timeout) {
    HWND found = nullptr;
    wait_until([&] { return (found = FindWindowA(nullptr, title)) != nullptr; }, timeout);
    return found;
}

bool wait_for_window_gone(const char* title, std::chrono::milliseconds timeout) {
    return wait_until([&] { return FindWindowA(nullptr, title) == nullptr; }, timeout);
}

std::vector<HWND> visible_windows_of(DWORD process_id) {
    struct Search {
        DWORD process_id;
        std::vector<HWND> found;
    } search{process_id, {}};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->process_id && IsWindowVisible(window)) {
                s->found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace velmoran_test
