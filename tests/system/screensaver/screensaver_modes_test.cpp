// Velmoran.scr started the way the system starts it, in every mode: what
// ends at once, what touches the disk, the missing-renderer message, the
// refusal of a second instance, and the preview inside a host window.

#include <gtest/gtest.h>

#include "program_runner.h"
#include "scr_driver.h"
#include "screen.h"

using namespace std::chrono_literals;
using namespace velmoran_test;

namespace {

const wchar_t kMissingRendererText[] = L"Velmoran.dll が同じﾌｫﾙﾀﾞに見つかりません！";

constexpr COLORREF kMagenta = RGB(255, 0, 255); // not in the preview's pictures

class ScreensaverModes : public ::testing::Test {
protected:
    void SetUp() override { RemoveHandoffFolder(); }
    void TearDown() override { RemoveHandoffFolder(); }

    // Starts the program and expects it to end by itself, quickly and with code 0.
    void ExpectEndsAtOnce(const std::string& program, const std::string& arguments) {
        ChildProcess process;
        ASSERT_TRUE(StartScreensaver(process, program, arguments));
        const auto code = process.wait_for_exit(5s);
        ASSERT_TRUE(code.has_value()) << "still running: \"" << arguments << '"';
        EXPECT_EQ(*code, 0u) << '"' << arguments << '"';
    }
};

TEST_F(ScreensaverModes, TheJapaneseCodePageIsInEffect) {
    EXPECT_EQ(GetACP(), 932u);
}

TEST_F(ScreensaverModes, UnknownModesEndAtOnceWithoutAFolderOrAMessage) {
    // Without the renderer a run or configure start would wait on its
    // message; these end by themselves and create nothing.
    const std::string alone = ScreensaverAlone();
    for (const char* arguments : {"/a", "x", "/x", "s", "/"}) {
        ExpectEndsAtOnce(alone, arguments);
        EXPECT_FALSE(HandoffFolderExists()) << '"' << arguments << '"';
    }
}

TEST_F(ScreensaverModes, MissingRendererMessageInRunConfigureAndEmptyStarts) {
    const std::string alone = ScreensaverAlone();
    for (const char* arguments : {"/s", "/S", "-s", "/c", "/c:1234", ""}) {
        ChildProcess process;
        ASSERT_TRUE(StartScreensaver(process, alone, arguments));
        HWND box = WaitForMessageBox(process.id(), 10s);
        ASSERT_NE(box, nullptr) << "no message for \"" << arguments << '"';
        const MessageBoxContent content = ReadMessageBox(box);
        EXPECT_EQ(content.text, kMissingRendererText) << '"' << arguments << '"';
        EXPECT_EQ(content.caption, L"Velmoran");
        EXPECT_EQ(content.buttons.size(), 1u); // OK alone
        // The hand-off folder is made before the renderer is looked for.
        EXPECT_TRUE(HandoffFolderExists()) << '"' << arguments << '"';
        EXPECT_TRUE(process.running()) << "the message must wait for the user";

        PressOk(box);
        const auto code = process.wait_for_exit(5s);
        ASSERT_TRUE(code.has_value()) << "did not end after OK: \"" << arguments << '"';
        EXPECT_EQ(*code, 0u);
        RemoveHandoffFolder();
    }
}

// Runs with the renderer beside the program are the run tests' (screensaver_run_test).
TEST_F(ScreensaverModes, WithTheRendererBesideItConfigureShowsTheSettingsDialog) {
    for (const char* arguments : {"/c", "/C:1234"}) {
        ChildProcess process;
        ASSERT_TRUE(StartScreensaver(process, ScreensaverWithRenderer(), arguments));
        HWND dialog = wait_for_window("<Velmoran>", 10s);
        ASSERT_NE(dialog, nullptr) << '"' << arguments << '"';
        EXPECT_EQ(FindMessageBox(process.id()), nullptr);
        EXPECT_TRUE(HandoffFolderExists()) << '"' << arguments << '"';
        // Closing the dialog ends the program.
        PostMessageW(dialog, WM_CLOSE, 0, 0);
        const auto code = process.wait_for_exit(5s);
        ASSERT_TRUE(code.has_value()) << '"' << arguments << '"';
        EXPECT_EQ(*code, 0u);
        RemoveHandoffFolder();
    }
}

TEST_F(ScreensaverModes, ARunOrTheSettingsDialogInProgressEndsEveryModeAtOnce) {
    const std::string alone = ScreensaverAlone();
    for (const char* title : {"Velmoran_Main", "<Velmoran>"}) {
        TitledWindow other_instance(title);
        ASSERT_NE(FindWindowA(nullptr, title), nullptr);
        PatternWindow host(RECT{100, 100, 252, 212}, {kMagenta});
        for (const std::string& arguments :
             {std::string("/s"), std::string("/c"), std::string(""), std::string("/a"),
              "/p " + HandleText(host.handle())}) {
            ExpectEndsAtOnce(alone, arguments);
            EXPECT_FALSE(HandoffFolderExists()) << title << " \"" << arguments << '"';
            EXPECT_EQ(FindWindowExA(host.handle(), nullptr, nullptr, "Preview Window"), nullptr);
        }
    }
}

// ---- Preview -------------------------------------------------------------

class Preview : public ScreensaverModes {
protected:
    // Starts a preview in host and waits for its window there.
    HWND StartIn(ChildProcess& process, HWND host, const std::string& program) {
        if (!StartScreensaver(process, program, "/p " + HandleText(host))) {
            return nullptr;
        }
        HWND child = nullptr;
        wait_until(
            [&] {
                child = FindWindowExA(host, nullptr, nullptr, "Preview Window");
                return child != nullptr && IsWindowVisible(child);
            },
            10s);
        return child;
    }

    static RECT RectInHost(HWND child, HWND host) {
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, host, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
};

// NOTE: Wine does not put on the screen what a process draws into a child
// window whose parent belongs to another process, so the preview's pixels are
// checked with the preview in the test's own process (preview_window_test).
// Here the real program is checked for everything else.

TEST_F(Preview, AUsualPreviewAreaIsCoveredExactlyAndNothingElseHappens) {
    PatternWindow host(RECT{200, 150, 352, 262}, {kMagenta});
    ChildProcess process;
    // Preview needs no renderer: the copy without one shows no message.
    HWND child = StartIn(process, host.handle(), ScreensaverAlone());
    ASSERT_NE(child, nullptr) << "no preview window in the host";

    const RECT rect = RectInHost(child, host.handle());
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, 152);
    EXPECT_EQ(rect.bottom, 112);
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    EXPECT_TRUE(style & WS_CHILD);
    EXPECT_FALSE(style & WS_CAPTION);
    EXPECT_EQ(GetParent(child), host.handle());
    DWORD owner = 0;
    GetWindowThreadProcessId(child, &owner);
    EXPECT_EQ(owner, process.id());

    // Preview touches no folder and shows no message; it stays.
    EXPECT_FALSE(process.wait_for_exit(500ms).has_value());
    EXPECT_FALSE(HandoffFolderExists());
    EXPECT_EQ(FindMessageBox(process.id()), nullptr);
}

TEST_F(Preview, ALargerAreaIsCovered) {
    PatternWindow host(RECT{100, 100, 500, 400}, {kMagenta});
    ChildProcess process;
    HWND child = StartIn(process, host.handle(), ScreensaverWithRenderer());
    ASSERT_NE(child, nullptr);
    const RECT rect = RectInHost(child, host.handle());
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, 400);
    EXPECT_EQ(rect.bottom, 300);
}

TEST_F(Preview, EndsWhenTheHostIsDestroyed) {
    auto host =
        std::make_unique<PatternWindow>(RECT{200, 150, 352, 262}, std::vector<COLORREF>{kMagenta});
    ChildProcess process;
    ASSERT_NE(StartIn(process, host->handle(), ScreensaverWithRenderer()), nullptr);
    EXPECT_FALSE(process.wait_for_exit(300ms).has_value()) << "the preview must stay";
    host.reset();
    const auto code = process.wait_for_exit(5s);
    ASSERT_TRUE(code.has_value()) << "the program did not end with its preview area";
    EXPECT_EQ(*code, 0u);
}

TEST_F(Preview, NoOrAnInvalidHandleEndsAtOnce) {
    // A window that has gone leaves a handle that names nothing.
    HWND gone = CreateWindowExA(0, "STATIC", "gone", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    DestroyWindow(gone);
    for (const std::string& arguments :
         {std::string("/p"), std::string("/p 0"), std::string("/p abc"), "/p " + HandleText(gone),
          std::string("/p 99999999999")}) {
        ExpectEndsAtOnce(ScreensaverWithRenderer(), arguments);
        EXPECT_EQ(FindWindowA(nullptr, "Preview Window"), nullptr) << arguments;
        EXPECT_FALSE(HandoffFolderExists());
    }
}

} // namespace
