#include "runtime/win32/application.h"

#include <algorithm>
#include <vector>

#include "runtime/program_location.h"
#include "runtime/twips.h"
#include "runtime/win32/form.h"
#include "runtime/win32/gdi.h"
#include "runtime/win32/text_encoding.h"

namespace runtime {

namespace {

struct ApplicationState {
    HINSTANCE instance = nullptr;
    std::string title = "Velmoran";
    std::vector<Form*> loaded_forms;
    MousePointer pointer = MousePointer::Default;
};

ApplicationState& State() {
    static ApplicationState state;
    return state;
}

// The form whose window (or one of whose controls) a message is for.
Form* FormOfMessage(const MSG& message) {
    if (message.hwnd == nullptr) {
        return nullptr;
    }
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    for (Form* form : State().loaded_forms) {
        if (form->Hwnd() == root) {
            return form;
        }
    }
    return nullptr;
}

} // namespace

namespace {

struct Resolution {
    int x = kDesignDpi;
    int y = kDesignDpi;
};

const Resolution& ScreenResolution() {
    static const Resolution resolution = [] {
        ScreenDc screen;
        return Resolution{UsableDpi(GetDeviceCaps(screen.get(), LOGPIXELSX)),
                          UsableDpi(GetDeviceCaps(screen.get(), LOGPIXELSY))};
    }();
    return resolution;
}

int& LayoutDpi() {
    static int dpi = 0; // 0: the system's
    return dpi;
}

} // namespace

int ScreenDpi() {
    return LayoutDpi() != 0 ? LayoutDpi() : ScreenResolution().x;
}

void SetLayoutDpi(int dpi) {
    LayoutDpi() = dpi > 0 ? UsableDpi(dpi) : 0;
}

int FontDpi() {
    return LayoutDpi() != 0 ? LayoutDpi() : ScreenResolution().y;
}

ScreenMetrics Screen() {
    ScreenMetrics metrics;
    metrics.dpi_x = ScreenDpi();
    metrics.dpi_y = FontDpi();
    metrics.width_twips = TwipsFromPixels(GetSystemMetrics(SM_CXSCREEN), metrics.dpi_x);
    metrics.height_twips = TwipsFromPixels(GetSystemMetrics(SM_CYSCREEN), metrics.dpi_y);
    return metrics;
}

void Application::Initialize(HINSTANCE instance, std::string_view title) {
    State().instance = instance;
    State().title = std::string(title);
}

HINSTANCE Application::Instance() {
    return State().instance != nullptr ? State().instance : GetModuleHandleW(nullptr);
}

const std::string& Application::Title() {
    return State().title;
}

std::wstring Application::ProgramFolderWide() {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            // UTF-8 keeps every backslash a byte of its own.
            return WideFromUtf8(
                FolderOfProgramPath(Utf8FromWide(std::wstring_view(path.data(), length))));
        }
        path.resize(path.size() * 2);
    }
}

std::string Application::ProgramFolder() {
    return ExactAnsiFromWide(ProgramFolderWide()).value_or(std::string());
}

std::string Application::CommandArguments() {
    return ArgumentsAfterProgramName(GetCommandLineA());
}

int Application::Run() {
    MSG message{};
    while (LoadedFormCount() > 0) {
        const BOOL result = GetMessageW(&message, nullptr, 0, 0);
        if (result <= 0) {
            return result == 0 ? static_cast<int>(message.wParam) : 1;
        }
        Dispatch(message);
    }
    return 0;
}

void Application::Dispatch(MSG& message) {
    Form* form = FormOfMessage(message);
    // Tab and the arrow keys move between the controls of a form.
    if (form != nullptr && message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST &&
        IsDialogMessageW(form->Hwnd(), &message)) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void Application::End(int exit_code) {
    ExitProcess(static_cast<UINT>(exit_code));
}

int Application::ShowMessage(std::string_view text, UINT type, HWND owner) {
    return MessageBoxW(owner, WideFromUtf8(text).c_str(), WideFromUtf8(State().title).c_str(),
                       type);
}

void Application::SetMousePointer(MousePointer pointer) {
    State().pointer = pointer;
    // The window under the pointer chooses again at the next movement.
    SetCursor(LoadCursorA(nullptr, pointer == MousePointer::Hourglass ? IDC_WAIT : IDC_ARROW));
}

MousePointer Application::CurrentMousePointer() {
    return State().pointer;
}

bool Application::CreateFolder(const std::string& ansi_path) {
    return CreateDirectoryA(ansi_path.c_str(), nullptr) != FALSE;
}

std::optional<DWORD> Application::StartProgram(const std::string& ansi_command_line,
                                               int show_command) {
    return StartProgram(std::string(), ansi_command_line, show_command);
}

std::optional<DWORD> Application::StartProgram(const std::string& ansi_application,
                                               const std::string& ansi_command_line,
                                               int show_command) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(show_command);
    std::vector<char> command_line(ansi_command_line.begin(), ansi_command_line.end());
    command_line.push_back('\0');
    PROCESS_INFORMATION process{};
    const char* application = ansi_application.empty() ? nullptr : ansi_application.c_str();
    if (!CreateProcessA(application, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return std::nullopt;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return process.dwProcessId;
}

std::size_t Application::LoadedFormCount() {
    return State().loaded_forms.size();
}

void Application::FormLoaded(Form* form) {
    auto& forms = State().loaded_forms;
    if (std::find(forms.begin(), forms.end(), form) == forms.end()) {
        forms.push_back(form);
    }
}

void Application::FormUnloaded(Form* form) {
    std::erase(State().loaded_forms, form);
}

} // namespace runtime
