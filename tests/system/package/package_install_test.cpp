// The x64 release package as an administrator deploys it, in a Wine prefix
// of its own: a silent install puts both programs into the system folder and
// the product into the installed-programs list with its name, version and
// publisher; Velmoran.scr runs a whole screensaver run from there as the
// system starts it; both programs carry their version resource, and the
// screensaver its name and icon; a later version replaces an earlier one and
// an earlier one does not go over a later one; a silent uninstall leaves
// nothing of ours in the system folder, and touches no place a user can
// write to (the hand-off folders, each user's settings file).

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "program_runner.h"
#include "run_driver.h"
#include "scr_driver.h"
#include "screen.h"

using namespace std::chrono_literals;
using namespace velmoran_test;

namespace {

const char kPackage[] = VELMORAN_MSI;                // this version's package
const char kLaterPackage[] = VELMORAN_LATER_MSI;     // the same programs as a later version
const char kVersion[] = VELMORAN_VERSION;            // the project's version, "1.0.0"
const char kLaterVersion[] = VELMORAN_LATER_VERSION; // the later package's
const char kPublisher[] = VELMORAN_PUBLISHER;

std::string SystemFolder() {
    char folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder, length);
}

// Runs msiexec with the arguments and waits for it; its exit code.
std::optional<DWORD> Msiexec(const std::string& arguments) {
    ChildProcess msiexec;
    const std::string program = SystemFolder() + "\\msiexec.exe";
    if (!msiexec.start(program, "\"" + program + "\" " + arguments)) {
        return std::nullopt;
    }
    return msiexec.wait_for_exit(120s);
}

std::optional<DWORD> InstallSilently(const char* package) {
    return Msiexec("/i \"" + std::string(package) + "\" /qn");
}

std::optional<DWORD> UninstallSilently(const char* package) {
    return Msiexec("/x \"" + std::string(package) + "\" /qn");
}

// The files of a folder whose names match a pattern, such as "Velmoran*".
std::vector<std::string> FilesMatching(const std::string& folder, const char* pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\" + pattern).c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            names.emplace_back(entry.cFileName);
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    return names;
}

std::string ReadText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool WriteText(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary);
    file << text;
    return static_cast<bool>(file);
}

// One entry of the installed-programs list.
struct InstalledProgram {
    std::string name, version, publisher;
};

std::string RegistryText(HKEY key, const char* value) {
    char text[512] = {};
    DWORD size = sizeof(text) - 1;
    if (RegGetValueA(key, nullptr, value, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) {
        return {};
    }
    return text;
}

// The entries of the installed-programs list named Velmoran.
std::vector<InstalledProgram> InstalledVelmoran() {
    std::vector<InstalledProgram> found;
    HKEY uninstall = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall",
                      0, KEY_READ | KEY_WOW64_64KEY, &uninstall) != ERROR_SUCCESS) {
        return found;
    }
    char name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof(name);
        if (RegEnumKeyExA(uninstall, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        HKEY entry = nullptr;
        if (RegOpenKeyExA(uninstall, name, 0, KEY_READ | KEY_WOW64_64KEY, &entry) !=
            ERROR_SUCCESS) {
            continue;
        }
        InstalledProgram program{RegistryText(entry, "DisplayName"),
                                 RegistryText(entry, "DisplayVersion"),
                                 RegistryText(entry, "Publisher")};
        RegCloseKey(entry);
        if (program.name == "Velmoran") {
            found.push_back(program);
        }
    }
    RegCloseKey(uninstall);
    return found;
}

// A program's version resource: its fixed part and its English texts.
struct VersionResource {
    VS_FIXEDFILEINFO fixed{};
    std::vector<std::pair<WORD, WORD>> translations; // language, code page
    std::string text(const char* name) const {
        for (const auto& [language, codepage] : translations) {
            char path[128];
            std::snprintf(path, sizeof(path), "\\StringFileInfo\\%04x%04x\\%s", language, codepage,
                          name);
            char* value = nullptr;
            UINT length = 0;
            if (VerQueryValueA(data.data(), path, reinterpret_cast<void**>(&value), &length) &&
                length > 0) {
                return std::string(value);
            }
        }
        return {};
    }
    std::vector<char> data;
};

std::optional<VersionResource> ReadVersionResource(const std::string& path) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) {
        return std::nullopt;
    }
    VersionResource version;
    version.data.resize(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, version.data.data())) {
        return std::nullopt;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(version.data.data(), "\\", reinterpret_cast<void**>(&fixed), &length) ||
        length < sizeof(VS_FIXEDFILEINFO)) {
        return std::nullopt;
    }
    version.fixed = *fixed;
    WORD* pairs = nullptr;
    if (VerQueryValueA(version.data.data(), "\\VarFileInfo\\Translation",
                       reinterpret_cast<void**>(&pairs), &length)) {
        for (UINT i = 0; i + 1 < length / sizeof(WORD); i += 2) {
            version.translations.emplace_back(pairs[i], pairs[i + 1]);
        }
    }
    return version;
}

// The version's numbers, as the fixed part of a version resource holds them.
std::pair<DWORD, DWORD> VersionNumbers(const char* text) {
    unsigned major = 0, minor = 0, patch = 0;
    std::sscanf(text, "%u.%u.%u", &major, &minor, &patch);
    return {MAKELONG(minor, major), MAKELONG(0, patch)};
}

void ExpectVersionResource(const std::string& path, const char* file_name) {
    SCOPED_TRACE(path);
    const auto version = ReadVersionResource(path);
    ASSERT_TRUE(version.has_value()) << "no version resource";
    EXPECT_EQ(version->fixed.dwSignature, 0xFEEF04BDu);
    const auto [high, low] = VersionNumbers(kVersion);
    EXPECT_EQ(version->fixed.dwFileVersionMS, high);
    EXPECT_EQ(version->fixed.dwFileVersionLS, low);
    EXPECT_EQ(version->fixed.dwProductVersionMS, high);
    EXPECT_EQ(version->fixed.dwProductVersionLS, low);
    EXPECT_EQ(version->fixed.dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(version->text("ProductName"), "Velmoran");
    EXPECT_EQ(version->text("ProductVersion"), kVersion);
    EXPECT_EQ(version->text("FileVersion"), kVersion);
    EXPECT_EQ(version->text("CompanyName"), kPublisher);
    EXPECT_EQ(version->text("OriginalFilename"), file_name);
    EXPECT_NE(version->text("FileDescription").find("Velmoran"), std::string::npos);
    const std::string copyright = version->text("LegalCopyright");
    EXPECT_EQ(copyright.rfind("Copyright", 0), 0u) << copyright;
    EXPECT_NE(copyright.find(kPublisher), std::string::npos) << copyright;
}

// String 1 of a program, as the system reads it for its screensaver list.
std::wstring StringOne(const std::string& path) {
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (module == nullptr) {
        return {};
    }
    wchar_t text[128] = {};
    const int length = LoadStringW(module, 1, text, 128);
    FreeLibrary(module);
    return std::wstring(text, length > 0 ? length : 0);
}

// A 32 x 32 icon's pixels as blue, green, red, alpha; top row first.
using IconPixels = std::vector<unsigned char>;

// The program's first icon, as the system takes it for the program's file.
IconPixels FirstIconOf(const std::string& path) {
    HICON icon = nullptr;
    if (ExtractIconExA(path.c_str(), 0, &icon, nullptr, 1) != 1 || icon == nullptr) {
        return {};
    }
    ICONINFO info{};
    IconPixels pixels;
    if (GetIconInfo(icon, &info)) {
        BITMAP bitmap{};
        GetObjectA(info.hbmColor, sizeof(bitmap), &bitmap);
        if (bitmap.bmWidth == 32 && bitmap.bmHeight == 32) {
            BITMAPINFO format{};
            format.bmiHeader.biSize = sizeof(format.bmiHeader);
            format.bmiHeader.biWidth = 32;
            format.bmiHeader.biHeight = -32;
            format.bmiHeader.biPlanes = 1;
            format.bmiHeader.biBitCount = 32;
            format.bmiHeader.biCompression = BI_RGB;
            pixels.resize(32 * 32 * 4);
            HDC screen = GetDC(nullptr);
            if (GetDIBits(screen, info.hbmColor, 0, 32, pixels.data(), &format, DIB_RGB_COLORS) !=
                32) {
                pixels.clear();
            }
            ReleaseDC(nullptr, screen);
        }
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
    DestroyIcon(icon);
    return pixels;
}

// The committed icon file's pixels (one 32 x 32 32-bit picture, rows bottom-up).
IconPixels CommittedIcon() {
    const std::string file = ReadText(ResourcesFolder() + "\\Velmoran.ico");
    constexpr std::size_t kPixelsAt = 6 + 16 + 40;
    IconPixels pixels;
    if (file.size() < kPixelsAt + 32 * 32 * 4) {
        return pixels;
    }
    for (int y = 31; y >= 0; --y) {
        const char* row = file.data() + kPixelsAt + static_cast<std::size_t>(y) * 32 * 4;
        pixels.insert(pixels.end(), row, row + 32 * 4);
    }
    return pixels;
}

class Package : public ::testing::Test {
protected:
    // NOTE: the first runs in a fresh Wine prefix start slowly: the
    // renderer's window can come later than the screensaver program's first
    // look for it, half a second into the run, and the run then ends at
    // once. One run of the programs as built, closed again, makes the later
    // starts as quick as in a prefix that has run them before.
    static void SetUpTestSuite() {
        EndLeftoverRenderers();
        ChildProcess scr;
        if (StartScreensaver(scr, ScreensaverWithRenderer(), "/s")) {
            HWND window = WaitForRendererWindow(30s);
            if (window != nullptr) {
                WindowProcess renderer(window);
                PostMessageA(window, WM_CLOSE, 0, 0);
                renderer.wait_for_exit(10s);
            }
            scr.wait_for_exit(10s);
        }
        RemoveHandoffFolder();
    }

    void SetUp() override {
        ASSERT_TRUE(UnderWine()) << "this test installs into the system folder";
        EndLeftoverRenderers();
        // Nothing of an earlier failed test: neither version installed.
        UninstallSilently(kLaterPackage);
        UninstallSilently(kPackage);
        RemoveHandoffFolder();
        ASSERT_TRUE(FilesMatching(SystemFolder(), "Velmoran*").empty());
        ASSERT_TRUE(InstalledVelmoran().empty());
    }
    void TearDown() override {
        EndLeftoverRenderers();
        UninstallSilently(kLaterPackage);
        UninstallSilently(kPackage);
        RemoveHandoffFolder();
    }

    const std::string m_scr = SystemFolder() + "\\Velmoran.scr";
    const std::string m_dll = SystemFolder() + "\\Velmoran.dll";
};

TEST_F(Package, InstallsSilentlyRunsFromTheSystemFolderAndUninstallsWithoutATrace) {
    const auto installed = InstallSilently(kPackage);
    ASSERT_TRUE(installed.has_value()) << "msiexec did not end";
    ASSERT_EQ(*installed, 0u);

    // Both programs in the system folder, and nothing else of ours.
    auto ours = FilesMatching(SystemFolder(), "Velmoran*");
    std::sort(ours.begin(), ours.end());
    EXPECT_EQ(ours, (std::vector<std::string>{"Velmoran.dll", "Velmoran.scr"}));
    // The installed-programs list: name, version, publisher.
    const auto listed = InstalledVelmoran();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].version, kVersion);
    EXPECT_EQ(listed[0].publisher, kPublisher);

    // What the system reads from the installed programs.
    ExpectVersionResource(m_scr, "Velmoran.scr");
    ExpectVersionResource(m_dll, "Velmoran.dll");
    EXPECT_EQ(StringOne(m_scr), L"Velmoran");
    const IconPixels icon = FirstIconOf(m_scr);
    const IconPixels committed = CommittedIcon();
    ASSERT_EQ(icon.size(), 32u * 32 * 4) << "no 32 x 32 icon";
    ASSERT_EQ(committed.size(), icon.size());
    int worst = 0;
    for (std::size_t i = 0; i < icon.size(); ++i) {
        worst = std::max(worst, std::abs(icon[i] - committed[i]));
    }
    EXPECT_LE(worst, 2) << "the program's first icon is not resources/Velmoran.ico";

    // A whole run, started from the system folder as the system starts it,
    // with a green picture on the screen to find in the photograph and on
    // the floor.
    // NOTE: a renderer whose window comes later than the screensaver
    // program's first look for it, half a second into the run (a busy
    // machine is enough), ends the run at once, as the program is made to.
    // Such a run is no run to end with Esc: it is closed and started again.
    PatternWindow pattern(RECT{96, 64, 96 + 800, 64 + 600}, {RGB(20, 200, 40)});
    std::optional<ChildProcess> scr;
    HWND renderer_window = nullptr;
    for (int attempt = 1; attempt <= 5 && renderer_window == nullptr; ++attempt) {
        scr.emplace();
        const auto started = std::chrono::steady_clock::now();
        ASSERT_TRUE(StartScreensaver(*scr, m_scr, "/s"));
        HWND window = WaitForRendererWindow(30s);
        ASSERT_NE(window, nullptr) << "no renderer window";
        const auto found = std::chrono::steady_clock::now() - started;
        wait_until([&] { return std::chrono::steady_clock::now() - started > 1500ms; }, 2s);
        if (scr->running()) {
            renderer_window = window;
        } else {
            std::printf(
                "the run ended at its first look; its renderer's window came after %lld ms\n",
                static_cast<long long>(
                    std::chrono::duration_cast<std::chrono::milliseconds>(found).count()));
            EndLeftoverRenderers();
        }
    }
    ASSERT_NE(renderer_window, nullptr) << "every run ended at its first look";
    WindowProcess renderer(renderer_window);
    EXPECT_EQ(renderer.image_path(), m_dll);
    EXPECT_EQ(HandoffFileNames(),
              (std::vector<std::string>{"Velmoran0.bmp", "Velmoran1.bmp", "Velmoran2.bmp"}));
    const auto photo = ReadBmp(HandoffFile(0));
    ASSERT_TRUE(photo.has_value());
    EXPECT_EQ(photo->at(400, 300), (Rgb{20, 200, 40}));
    // Its frames: the night sky dark at the top of the screen, the green
    // photograph on the floor below.
    const auto greenish = [](const Rgb& p) { return p.g >= 40 && p.g > 2 * p.r && p.g > 2 * p.b; };
    int green = 0;
    ScreenShot frame;
    EXPECT_TRUE(wait_until(
        [&] {
            frame = ScreenShot::capture();
            green = 0;
            for (int y = frame.height() / 2; y < frame.height(); ++y) {
                for (int x = 0; x < frame.width(); ++x) {
                    green += greenish(frame.at(x, y)) ? 1 : 0;
                }
            }
            return frame.mean_brightness(0, 0, frame.width(), 40) < 60 && green > 500;
        },
        10s, 50ms))
        << "no frame with the photograph on the floor; green pixels: " << green;
    frame.save_png("package-installed-run");
    PressEscape(renderer_window);
    const auto renderer_code = renderer.wait_for_exit(10s);
    const auto scr_code = scr->wait_for_exit(10s);
    ASSERT_TRUE(renderer_code.has_value()) << "the renderer did not end on Esc";
    EXPECT_EQ(*renderer_code, 0u);
    ASSERT_TRUE(scr_code.has_value()) << "Velmoran.scr did not end with the renderer";
    EXPECT_EQ(*scr_code, 0u);

    // A user's own settings file, which the uninstall must leave as it is.
    char appdata[MAX_PATH] = {};
    ASSERT_EQ(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appdata), S_OK);
    const std::string settings_folder = std::string(appdata) + "\\Velmoran";
    const std::string settings = settings_folder + "\\Velmoran.ini";
    const std::string saved = "[Section]\r\nBGM=2\r\n";
    CreateDirectoryA(settings_folder.c_str(), nullptr);
    ASSERT_TRUE(WriteText(settings, saved));

    const auto removed = UninstallSilently(kPackage);
    ASSERT_TRUE(removed.has_value()) << "msiexec did not end";
    EXPECT_EQ(*removed, 0u);
    EXPECT_TRUE(FilesMatching(SystemFolder(), "Velmoran*").empty());
    EXPECT_TRUE(InstalledVelmoran().empty());
    // The user's own hand-off folder is not the installer's: what the run
    // left there (the bolt pictures; it removed the photograph) stays.
    EXPECT_EQ(HandoffFileNames(), (std::vector<std::string>{"Velmoran1.bmp", "Velmoran2.bmp"}));
    EXPECT_EQ(ReadText(settings), saved);
    DeleteFileA(settings.c_str());
    RemoveDirectoryA(settings_folder.c_str());
}

TEST_F(Package, ALaterVersionReplacesAnEarlierOneAndNotTheOtherWayRound) {
    ASSERT_EQ(InstallSilently(kPackage), std::optional<DWORD>(0));
    ASSERT_EQ(InstallSilently(kLaterPackage), std::optional<DWORD>(0));
    auto listed = InstalledVelmoran();
    ASSERT_EQ(listed.size(), 1u) << "the later version did not replace the earlier one";
    EXPECT_EQ(listed[0].version, kLaterVersion);
    EXPECT_NE(GetFileAttributesA(m_scr.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributesA(m_dll.c_str()), INVALID_FILE_ATTRIBUTES);

    // The earlier version refuses to install over the later one.
    const auto downgrade = InstallSilently(kPackage);
    ASSERT_TRUE(downgrade.has_value());
    EXPECT_NE(*downgrade, 0u);
    listed = InstalledVelmoran();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].version, kLaterVersion);

    // Uninstalling touches nothing a user can write to: neither the old
    // shared folder of earlier versions nor the user's hand-off folder.
    CreateDirectoryA("C:\\q_velk", nullptr);
    CreateDirectoryA(HandoffFolderPath().c_str(), nullptr);
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(WriteText(HandoffFile(i), "BM"));
        ASSERT_TRUE(WriteText("C:\\q_velk\\Velmoran" + std::to_string(i) + ".bmp", "BM"));
    }
    ASSERT_EQ(UninstallSilently(kLaterPackage), std::optional<DWORD>(0));
    EXPECT_TRUE(FilesMatching(SystemFolder(), "Velmoran*").empty());
    EXPECT_TRUE(InstalledVelmoran().empty());
    EXPECT_EQ(HandoffFileNames().size(), 3u);
    EXPECT_EQ(FilesMatching("C:\\q_velk", "Velmoran*").size(), 3u);
    for (int i = 0; i < 3; ++i) {
        DeleteFileA(HandoffFile(i).c_str());
        DeleteFileA(("C:\\q_velk\\Velmoran" + std::to_string(i) + ".bmp").c_str());
    }
    RemoveDirectoryA("C:\\q_velk");
}

} // namespace
