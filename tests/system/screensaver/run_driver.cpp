#include "run_driver.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "scr_driver.h"

namespace velmoran_test {

namespace {

const char* const kInstalledFiles[] = {"Velmoran.scr",       "Velmoran.dll",
                                       "Velmoran.dll.log",   "Velmoran.dll.stop",
                                       "Velmoran.dll.delay", "Velmoran.ini"};

std::uint32_t U32(const std::vector<unsigned char>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

} // namespace

std::string InstallPrograms(const std::string& folder, RendererKind renderer) {
    UninstallPrograms(folder);
    // Every folder on the way, for a path such as C:\Program Files\Velmoran Test.
    for (std::size_t at = folder.find('\\', 3); at != std::string::npos;
         at = folder.find('\\', at + 1)) {
        CreateDirectoryA(folder.substr(0, at).c_str(), nullptr);
    }
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string built = program_folder();
    const std::string scr = folder + "\\Velmoran.scr";
    CopyFileA((built + "\\Velmoran.scr").c_str(), scr.c_str(), FALSE);
    const std::string renderer_path = folder + "\\Velmoran.dll";
    if (renderer == RendererKind::Real) {
        CopyFileA((built + "\\Velmoran.dll").c_str(), renderer_path.c_str(), FALSE);
    } else if (renderer == RendererKind::StandIn) {
        CopyFileA((built + "\\renderer_stand_in.exe").c_str(), renderer_path.c_str(), FALSE);
    }
    return scr;
}

void UninstallPrograms(const std::string& folder) {
    for (const char* name : kInstalledFiles) {
        DeleteFileA((folder + "\\" + name).c_str());
    }
    RemoveDirectoryA(folder.c_str());
}

std::vector<std::string> HandoffFileNames() {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((HandoffFolderPath() + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
                names.emplace_back(entry.cFileName);
            }
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string HandoffFile(int index) {
    return HandoffPath(index);
}

std::optional<BmpPicture> ReadBmp(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(file),
                                           std::istreambuf_iterator<char>()};
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M' || U32(bytes, 14) != 40 ||
        U32(bytes, 30) != 0 /* BI_RGB */) {
        return std::nullopt;
    }
    BmpPicture picture;
    picture.width = static_cast<int>(U32(bytes, 18));
    picture.height = static_cast<int>(U32(bytes, 22));
    picture.bits_per_pixel = bytes[28];
    const std::size_t offset = U32(bytes, 10);
    const int bytes_per_pixel = picture.bits_per_pixel / 8;
    if ((picture.bits_per_pixel != 24 && picture.bits_per_pixel != 32) || picture.width <= 0 ||
        picture.height <= 0 || picture.width > 16384 || picture.height > 16384) {
        return std::nullopt;
    }
    const std::size_t stride =
        (static_cast<std::size_t>(picture.width) * bytes_per_pixel + 3) / 4 * 4;
    if (offset + stride * static_cast<std::size_t>(picture.height) > bytes.size()) {
        return std::nullopt;
    }
    picture.pixels.resize(static_cast<std::size_t>(picture.width) * picture.height);
    for (int y = 0; y < picture.height; ++y) {
        // Rows are stored bottom-up.
        const unsigned char* row = bytes.data() + offset + stride * (picture.height - 1 - y);
        for (int x = 0; x < picture.width; ++x) {
            const unsigned char* p = row + static_cast<std::size_t>(x) * bytes_per_pixel;
            picture.pixels[static_cast<std::size_t>(y) * picture.width + x] = Rgb{p[2], p[1], p[0]};
        }
    }
    return picture;
}

namespace {

struct RendererSearch {
    HWND found = nullptr;
};

BOOL CALLBACK FindRenderer(HWND window, LPARAM parameter) {
    char title[32] = {};
    GetWindowTextA(window, title, sizeof(title));
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (std::string(title) == "Velmoran_VC" && owner != GetCurrentProcessId()) {
        reinterpret_cast<RendererSearch*>(parameter)->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND FindRendererWindow() {
    RendererSearch search;
    EnumWindows(FindRenderer, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForRendererWindow(std::chrono::milliseconds timeout) {
    HWND window = nullptr;
    wait_until([&] { return (window = FindRendererWindow()) != nullptr; }, timeout);
    return window;
}

WindowProcess::WindowProcess(HWND window) {
    GetWindowThreadProcessId(window, &m_id);
    m_process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, m_id);
}

WindowProcess::~WindowProcess() {
    if (m_process != nullptr) {
        CloseHandle(m_process);
    }
}

bool WindowProcess::running() const {
    return m_process != nullptr && WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> WindowProcess::wait_for_exit(std::chrono::milliseconds timeout) {
    if (m_process == nullptr ||
        !wait_until([&] { return !running(); }, timeout, std::chrono::milliseconds(5))) {
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(m_process, &code);
    return code;
}

std::string WindowProcess::image_path() const {
    char path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (m_process == nullptr || !QueryFullProcessImageNameA(m_process, 0, path, &size)) {
        return {};
    }
    return std::string(path, size);
}

void EndLeftoverRenderers() {
    for (int i = 0; i < 3; ++i) {
        HWND window = FindRendererWindow();
        if (window == nullptr) {
            return;
        }
        WindowProcess renderer(window);
        PostMessageA(window, WM_CLOSE, 0, 0);
        renderer.wait_for_exit(std::chrono::seconds(5));
    }
}

void PressEscape(HWND window) {
    SetForegroundWindow(window);
    wait_until([&] { return GetForegroundWindow() == window; }, std::chrono::seconds(2));
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_ESCAPE;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

std::vector<std::string> StandInLog(const std::string& folder) {
    std::ifstream in(folder + "\\Velmoran.dll.log");
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

void DelayStandInWindow(const std::string& folder, int milliseconds) {
    std::ofstream((folder + "\\Velmoran.dll.delay").c_str()) << milliseconds << '\n';
}

void StopStandIn(const std::string& folder) {
    HANDLE marker = CreateFileA((folder + "\\Velmoran.dll.stop").c_str(), GENERIC_WRITE, 0, nullptr,
                                CREATE_ALWAYS, 0, nullptr);
    CloseHandle(marker);
}

} // namespace velmoran_test
