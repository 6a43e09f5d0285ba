#include "scr_driver.h"

#include <cstdint>
#include <fstream>
#include <iterator>

namespace velmoran_test {

std::string ScreensaverWithRenderer() {
    return program_folder() + "\\Velmoran.scr";
}

std::string ScreensaverAlone() {
    const std::string folder = "C:\\velmoran-alone";
    CreateDirectoryA(folder.c_str(), nullptr);
    DeleteFileA((folder + "\\Velmoran.dll").c_str());
    const std::string copy = folder + "\\Velmoran.scr";
    CopyFileA(ScreensaverWithRenderer().c_str(), copy.c_str(), FALSE);
    return copy;
}

bool StartScreensaver(ChildProcess& process, const std::string& program,
                      const std::string& arguments) {
    std::string command_line = "\"" + program + "\"";
    if (!arguments.empty()) {
        command_line += " " + arguments;
    }
    return process.start(program, command_line);
}

namespace {

struct BoxSearch {
    DWORD process_id;
    HWND found;
};

BOOL CALLBACK FindBox(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<BoxSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char class_name[32] = {};
    GetClassNameA(window, class_name, sizeof(class_name));
    if (owner == search->process_id && std::string(class_name) == "#32770") {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM parameter) {
    auto* content = reinterpret_cast<MessageBoxContent*>(parameter);
    wchar_t class_name[32] = {};
    GetClassNameW(window, class_name, 32);
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    const std::wstring kind = class_name;
    if (!IsWindowVisible(window)) {
        return TRUE;
    }
    if (_wcsicmp(kind.c_str(), L"Button") == 0) {
        content->buttons.emplace_back(text);
    } else if (_wcsicmp(kind.c_str(), L"Static") == 0 && text[0] != L'\0') {
        content->text += text;
    }
    return TRUE;
}

} // namespace

HWND FindMessageBox(DWORD process_id) {
    BoxSearch search{process_id, nullptr};
    EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForMessageBox(DWORD process_id, std::chrono::milliseconds timeout) {
    // A box is made before its text and buttons are in place; it shows once they are.
    HWND box = nullptr;
    wait_until(
        [&] {
            box = FindMessageBox(process_id);
            return box != nullptr && IsWindowVisible(box);
        },
        timeout);
    return box != nullptr && IsWindowVisible(box) ? box : nullptr;
}

MessageBoxContent ReadMessageBox(HWND box) {
    MessageBoxContent content;
    wchar_t caption[256] = {};
    GetWindowTextW(box, caption, 256);
    content.caption = caption;
    EnumChildWindows(box, CollectChild, reinterpret_cast<LPARAM>(&content));
    return content;
}

void PressOk(HWND box) {
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
}

bool HandoffFolderExists() {
    const DWORD attributes = GetFileAttributesA(HandoffFolderPath().c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void RemoveHandoffFolder() {
    const std::string folder = HandoffFolderPath();
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
                const std::string path = folder + "\\" + entry.cFileName;
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL); // a read-only one too
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
    // A test may have put a file where the folder belongs.
    SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(folder.c_str());
}

bool UnderWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

TitledWindow::TitledWindow(const char* title) {
    m_window = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", title, WS_POPUP, 0, 0, 10, 10, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
}

TitledWindow::~TitledWindow() {
    if (m_window != nullptr) {
        DestroyWindow(m_window);
        pump_messages();
    }
}

std::string HandleText(HWND window) {
    return std::to_string(static_cast<long long>(reinterpret_cast<std::intptr_t>(window)));
}

RgbPicture ReadBmp24(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(file),
                                           std::istreambuf_iterator<char>()};
    RgbPicture picture;
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') {
        return picture;
    }
    const auto u32 = [&](std::size_t at) {
        return static_cast<std::uint32_t>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
                                          bytes[at + 3] << 24);
    };
    const std::uint32_t offset = u32(10);
    const int width = static_cast<int>(u32(18));
    const int height = static_cast<int>(u32(22));
    const int depth = bytes[28];
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    if (depth != 24 || width <= 0 || height <= 0 ||
        offset + stride * static_cast<std::size_t>(height) > bytes.size()) {
        return picture;
    }
    picture.width = width;
    picture.height = height;
    picture.rgb.resize(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        const unsigned char* row = bytes.data() + offset + stride * (height - 1 - y);
        for (int x = 0; x < width; ++x) {
            unsigned char* out = &picture.rgb[(static_cast<std::size_t>(y) * width + x) * 3];
            out[0] = row[x * 3 + 2];
            out[1] = row[x * 3 + 1];
            out[2] = row[x * 3];
        }
    }
    return picture;
}

std::string ResourcesFolder() {
    return VELMORAN_RESOURCES_DIR_WINDOWS;
}

} // namespace velmoran_test
