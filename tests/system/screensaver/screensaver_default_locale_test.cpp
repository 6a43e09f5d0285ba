// Velmoran.scr on a system whose language is not Japanese: its message is
// English, its modes behave the same, and it runs from a folder whose name
// the code page cannot write.

#include <gtest/gtest.h>

#include "program_runner.h"
#include "scr_driver.h"
#include "screen.h"

using namespace std::chrono_literals;
using namespace velmoran_test;

namespace {

TEST(DefaultLocale, TheCodePageIsNotJapanese) {
    EXPECT_NE(GetACP(), 932u);
}

TEST(DefaultLocale, TheMissingRendererMessageIsEnglish) {
    RemoveHandoffFolder();
    ChildProcess process;
    ASSERT_TRUE(StartScreensaver(process, ScreensaverAlone(), "/s"));
    HWND box = WaitForMessageBox(process.id(), 10s);
    ASSERT_NE(box, nullptr);
    const MessageBoxContent content = ReadMessageBox(box);
    EXPECT_EQ(content.text, L"Velmoran.dll was not found in the same folder!");
    EXPECT_EQ(content.caption, L"Velmoran");
    PressOk(box);
    EXPECT_EQ(process.wait_for_exit(5s), std::optional<DWORD>(0));
    RemoveHandoffFolder();
}

TEST(DefaultLocale, UnknownModeEndsAtOnce) {
    RemoveHandoffFolder();
    ChildProcess process;
    ASSERT_TRUE(StartScreensaver(process, ScreensaverAlone(), "/a"));
    EXPECT_EQ(process.wait_for_exit(5s), std::optional<DWORD>(0));
    EXPECT_FALSE(HandoffFolderExists());
}

TEST(DefaultLocale, PreviewCoversItsArea) {
    PatternWindow host(RECT{300, 200, 452, 312}, {RGB(255, 0, 255)});
    ChildProcess process;
    ASSERT_TRUE(
        StartScreensaver(process, ScreensaverWithRenderer(), "/p:" + HandleText(host.handle())));
    HWND child = nullptr;
    ASSERT_TRUE(wait_until(
        [&] {
            child = FindWindowExA(host.handle(), nullptr, nullptr, "Preview Window");
            return child != nullptr && IsWindowVisible(child);
        },
        10s));
    RECT rect{};
    GetClientRect(child, &rect);
    EXPECT_EQ(rect.right, 152);
    EXPECT_EQ(rect.bottom, 112);
}

// "C:\テスト" has no name in a Western code page: the program still finds
// and starts the renderer beside it, and no missing-renderer message shows.
TEST(DefaultLocale, ARunGoesOnFromAFolderTheCodePageCannotName) {
    const std::wstring folder = L"C:\\\u30c6\u30b9\u30c8"; // テスト
    const std::string ascii_built = program_folder();
    const std::wstring built(ascii_built.begin(), ascii_built.end());
    CreateDirectoryW(folder.c_str(), nullptr);
    for (const wchar_t* name : {L"\\Velmoran.scr", L"\\Velmoran.dll"}) {
        ASSERT_TRUE(CopyFileW((built + name).c_str(), (folder + name).c_str(), FALSE));
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::wstring command_line = L"\"" + folder + L"\\Velmoran.scr\" /s";
    ASSERT_TRUE(CreateProcessW(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process));
    HWND renderer = wait_for_window("Velmoran_VC", 20s);
    EXPECT_NE(renderer, nullptr) << "the renderer was not started";
    EXPECT_EQ(WaitForMessageBox(process.dwProcessId, 100ms), nullptr);
    PostMessageA(renderer, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 10'000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    EXPECT_EQ(code, 0u);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    wait_for_window_gone("Velmoran_VC", 5s);
    for (const wchar_t* name : {L"\\Velmoran.scr", L"\\Velmoran.dll"}) {
        DeleteFileW((folder + name).c_str());
    }
    RemoveDirectoryW(folder.c_str());
}

} // namespace
