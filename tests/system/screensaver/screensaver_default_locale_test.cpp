// Velmoran.scr on a system whose code page is not Japanese: its Japanese
// message still reads correctly, and its modes behave the same.

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

TEST(DefaultLocale, TheMissingRendererMessageReadsTheSame) {
    RemoveHandoffFolder();
    ChildProcess process;
    ASSERT_TRUE(StartScreensaver(process, ScreensaverAlone(), "/s"));
    HWND box = WaitForMessageBox(process.id(), 10s);
    ASSERT_NE(box, nullptr);
    const MessageBoxContent content = ReadMessageBox(box);
    EXPECT_EQ(content.text, L"Velmoran.dll が同じﾌｫﾙﾀﾞに見つかりません！");
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

} // namespace
