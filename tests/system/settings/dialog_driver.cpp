#include "runtime/win32/text_encoding.h"
#include "texts/win32/user_texts.h"
#include "dialog_driver.h"

#include <fstream>
#include <iterator>
#include <vector>

#include "runtime/shift_jis.h"
#include "runtime/twips.h"
#include "scr_driver.h"

using namespace std::chrono_literals;

namespace velmoran_test {

namespace {

void PumpFor(std::chrono::milliseconds duration) {
    wait_until([] { return false; }, duration, 5ms);
}

std::string Sjis(const std::string& utf8) {
    return runtime::ShiftJisFromUtf8(utf8).value_or(utf8);
}

struct ChildSearch {
    std::wstring class_name;
    HWND parent;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectChildren(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<ChildSearch*>(parameter);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (search->class_name == name && GetParent(window) == search->parent) {
        search->found.push_back(window);
    }
    return TRUE;
}

RECT RectOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

} // namespace

std::string SettingsBytes(const std::string& kind, const std::string& repeat,
                          const std::string& file, const char* keep, const char* every,
                          const char* thunder) {
    return "[Section]\r\n" + Sjis("BGM区分") + "=" + kind + "\r\n" + Sjis("BGMﾘﾋﾟｰﾄ") + "=" +
           repeat + "\r\n" + Sjis("BGMﾌｧｲﾙ") + "=" + file + "\r\n" +
           (keep != nullptr ? Sjis("解像度維持") + "=" + keep + "\r\n" : "") +
           (every != nullptr ? Sjis("全ﾓﾆﾀｰ表示") + "=" + every + "\r\n" : "") +
           (thunder != nullptr ? Sjis("雷鳴") + "=" + thunder + "\r\n" : "");
}

// Copies a program into folder unless the same file is there already.
// NOTE: a program that has just ended may still have its file in use for a
// moment under Wine; writing over it then can leave a file the next start
// cannot run. Each test's dialog is the same program, so it is copied once.
void CopyProgram(const std::string& name, const std::string& folder) {
    const std::string from = program_folder() + "\\" + name;
    const std::string to = folder + "\\" + name;
    if (ReadFileBytes(from) != ReadFileBytes(to)) {
        CopyFileA(from.c_str(), to.c_str(), FALSE);
    }
}

void PrepareProgramFolder(const std::string& folder, const std::string& settings) {
    CreateDirectoryA(folder.c_str(), nullptr);
    CopyProgram("Velmoran.scr", folder);
    CopyProgram("Velmoran.dll", folder);
    const std::string ini = folder + "\\Velmoran.ini";
    DeleteFileA(ini.c_str());
    if (!settings.empty()) {
        std::ofstream(ini, std::ios::binary) << settings;
    }
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

int Px(double twips) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return runtime::PixelsFromTwips(twips, dpi);
}

bool SettingsDialog::Open(const std::string& folder, const std::string& arguments) {
    const std::string program = folder + "\\Velmoran.scr";
    // A dialog still closing would make the new start end at once, as a
    // second instance.
    if (!wait_for_window_gone("<Velmoran>", 10s) ||
        !StartScreensaver(m_process, program, arguments)) {
        return false;
    }
    // NOTE: Wine's desktop process ends a few seconds after the session's
    // last window; the next first window waits while it starts again, which
    // takes over 10 s when Wine's RPC service does not answer it in time
    // ("start_rpcss" gives up after 10 s). So the dialog gets 30 s.
    m_window = wait_for_window("<Velmoran>", 30s);
    if (m_window == nullptr) {
        return false;
    }
    // Let it zoom open and paint; then it takes input.
    wait_until([this] { return IsWindowVisible(m_window) != FALSE; }, 5s);
    PumpFor(300ms);
    return true;
}

POINT SettingsDialog::OnForm(double x, double y) const {
    POINT origin{0, 0};
    ClientToScreen(m_window, &origin);
    return POINT{origin.x + Px(x), origin.y + Px(y)};
}

POINT SettingsDialog::OnPanel(double x, double y) const {
    RECT panel{};
    GetWindowRect(Panel(), &panel);
    return POINT{panel.left + Px(x), panel.top + Px(y)};
}

HWND SettingsDialog::Child(const wchar_t* class_name, HWND parent, int nth) const {
    ChildSearch search{class_name, parent, {}};
    EnumChildWindows(m_window, CollectChildren, reinterpret_cast<LPARAM>(&search));
    // Top to bottom, then left to right.
    std::sort(search.found.begin(), search.found.end(), [](HWND a, HWND b) {
        const RECT ra = RectOf(a);
        const RECT rb = RectOf(b);
        return ra.top != rb.top ? ra.top < rb.top : ra.left < rb.left;
    });
    return nth < static_cast<int>(search.found.size()) ? search.found[static_cast<std::size_t>(nth)]
                                                       : nullptr;
}

HWND SettingsDialog::Panel() const {
    return Child(L"VelmoranPictureBox", m_window, 0); // the tile's box lies below the client
}

HWND SettingsDialog::DisplayPanel() const {
    return Child(L"VelmoranPictureBox", m_window, 1);
}

HWND SettingsDialog::TrackBox() const {
    return Child(L"ComboBox", Panel());
}

HWND SettingsDialog::FileButton() const {
    return Child(L"VelmoranUserControl", Panel());
}

HWND SettingsDialog::SetButton() const {
    return Child(L"VelmoranUserControl", m_window, 0);
}

HWND SettingsDialog::CancelButton() const {
    return Child(L"VelmoranUserControl", m_window, 1);
}

void SettingsDialog::Click(POINT at) {
    const auto send = [&](DWORD flags) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
        input.mi.dx = (at.x * 65536 + 32768) / GetSystemMetrics(SM_CXSCREEN);
        input.mi.dy = (at.y * 65536 + 32768) / GetSystemMetrics(SM_CYSCREEN);
        SendInput(1, &input, sizeof(input));
        PumpFor(60ms);
    };
    SetCursorPos(at.x, at.y);
    send(0);
    send(MOUSEEVENTF_LEFTDOWN);
    send(MOUSEEVENTF_LEFTUP);
}

void SettingsDialog::Type(const std::wstring& text) {
    for (wchar_t c : text) {
        INPUT keys[2]{};
        for (int i = 0; i < 2; ++i) {
            keys[i].type = INPUT_KEYBOARD;
            keys[i].ki.wScan = c;
            keys[i].ki.dwFlags = KEYEVENTF_UNICODE | (i == 1 ? KEYEVENTF_KEYUP : 0);
        }
        SendInput(2, keys, sizeof(INPUT));
        PumpFor(15ms);
    }
    PumpFor(60ms);
}

void SettingsDialog::Press(WORD virtual_key) {
    INPUT keys[2]{};
    for (int i = 0; i < 2; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = virtual_key;
        keys[i].ki.dwFlags = i == 1 ? KEYEVENTF_KEYUP : 0;
    }
    SendInput(2, keys, sizeof(INPUT));
    PumpFor(60ms);
}

std::wstring SettingsDialog::TrackBoxText() const {
    // Another process's combo box: its text is asked for, not read from its title.
    wchar_t text[64] = {};
    SendMessageW(TrackBox(), WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text));
    return text;
}

void SettingsDialog::TypeTrack(const std::wstring& text) {
    // The track box's text field: left of its drop-down button.
    RECT box{};
    GetWindowRect(TrackBox(), &box);
    Click(POINT{box.left + Px(150), box.top + Px(150)});
    Press(VK_END);
    for (int i = 0; i < 8; ++i) {
        Press(VK_BACK);
    }
    Type(text);
}

void SettingsDialog::ClickMiddle(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    Click(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

std::optional<DWORD> SettingsDialog::ClickAndWaitForEnd(HWND button) {
    ClickMiddle(button);
    return m_process.wait_for_exit(10s);
}

std::wstring ChooserFileType(HWND chooser) {
    constexpr int kFileTypeList = 0x470; // the chooser's list of file types
    wchar_t text[128] = {};
    SendMessageW(GetDlgItem(chooser, kFileTypeList), WM_GETTEXT, 128,
                 reinterpret_cast<LPARAM>(text));
    return text;
}

std::wstring ShownText(TextKey key) {
    return runtime::WideFromUtf8(UserTexts()[key]);
}

HWND WaitForChooser() {
    HWND chooser = nullptr;
    wait_until(
        [&] {
            chooser = FindWindowW(nullptr, ShownText(TextKey::ChooserTitle).c_str());
            return chooser != nullptr && IsWindowVisible(chooser);
        },
        10s);
    PumpFor(300ms);
    return chooser;
}

} // namespace velmoran_test
