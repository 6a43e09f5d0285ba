// The renderer program driven as the system and the screensaver program
// drive it: started as a process, found by its window title, ended by Esc
// or WM_CLOSE.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "program_runner.h"
#include "screen.h"

using namespace std::chrono_literals;
using namespace velmoran_test;

namespace {

constexpr const char* kTitle = "Velmoran_VC";

class RendererTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(wait_for_window_gone(kTitle, 5s)) << "a renderer from an earlier test runs on";
        const std::string path = program_folder() + "\\Velmoran.dll";
        ASSERT_TRUE(m_renderer.start(path, path)) << "cannot start " << path;
        m_window = wait_for_window(kTitle, 10s);
        ASSERT_NE(m_window, nullptr) << "no window titled " << kTitle;
    }

    void expect_still_running() {
        EXPECT_FALSE(m_renderer.wait_for_exit(400ms).has_value()) << "the renderer ended";
        EXPECT_NE(FindWindowA(nullptr, kTitle), nullptr);
    }

    void expect_clean_exit() {
        const auto code = m_renderer.wait_for_exit(5s);
        ASSERT_TRUE(code.has_value()) << "the renderer did not end";
        EXPECT_EQ(*code, 0u);
        EXPECT_EQ(FindWindowA(nullptr, kTitle), nullptr);
    }

    ChildProcess m_renderer;
    HWND m_window = nullptr;
};

TEST_F(RendererTest, OpensOneFullScreenPopUpWindowNamedForBothClassAndTitle) {
    char class_name[64] = {};
    GetClassNameA(m_window, class_name, sizeof(class_name));
    EXPECT_STREQ(class_name, kTitle);
    char title[64] = {};
    GetWindowTextA(m_window, title, sizeof(title));
    EXPECT_STREQ(title, kTitle);

    // The title is there from the window's creation; it is shown a moment later.
    EXPECT_TRUE(wait_until([&] { return IsWindowVisible(m_window) != FALSE; }, 2s));
    const LONG style = GetWindowLongA(m_window, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_VISIBLE);

    RECT rect{};
    GetWindowRect(m_window, &rect);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, 1024);
    EXPECT_EQ(rect.bottom, 768);

    DWORD owner = 0;
    GetWindowThreadProcessId(m_window, &owner);
    EXPECT_EQ(owner, m_renderer.id());
    // On one monitor there is nothing to cover: no window but this one.
    EXPECT_EQ(visible_windows_of(m_renderer.id()), std::vector<HWND>{m_window});

    PostMessageA(m_window, WM_KEYDOWN, VK_ESCAPE, 0);
    expect_clean_exit();
}

TEST_F(RendererTest, EscEndsItWithExitCodeZero) {
    PostMessageA(m_window, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    expect_clean_exit();
}

TEST_F(RendererTest, OtherKeysMouseMovesAndClicksLeaveItRunning) {
    PostMessageA(m_window, WM_KEYDOWN, 'A', 0);
    PostMessageA(m_window, WM_CHAR, 'a', 0);
    PostMessageA(m_window, WM_KEYDOWN, VK_SPACE, 0);
    PostMessageA(m_window, WM_KEYDOWN, VK_RETURN, 0);
    PostMessageA(m_window, WM_SYSKEYDOWN, VK_MENU, 0x20000000);
    PostMessageA(m_window, WM_CHAR, 0x1B, 0); // an Esc character is not an Esc key press
    for (int i = 0; i < 20; ++i) {
        PostMessageA(m_window, WM_MOUSEMOVE, 0, MAKELPARAM(100 + i * 10, 200 + i * 5));
    }
    PostMessageA(m_window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 300));
    PostMessageA(m_window, WM_LBUTTONUP, 0, MAKELPARAM(300, 300));
    PostMessageA(m_window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(310, 300));
    PostMessageA(m_window, WM_RBUTTONUP, 0, MAKELPARAM(310, 300));
    PostMessageA(m_window, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(300, 300));
    expect_still_running();

    PostMessageA(m_window, WM_KEYDOWN, VK_ESCAPE, 0);
    expect_clean_exit();
}

TEST_F(RendererTest, RealEscKeyPressFromTheKeyboardEndsIt) {
    SetForegroundWindow(m_window);
    ASSERT_TRUE(wait_until([&] { return GetForegroundWindow() == m_window; }, 2s));
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_ESCAPE;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ASSERT_EQ(SendInput(2, keys, sizeof(INPUT)), 2u);
    expect_clean_exit();
}

TEST_F(RendererTest, CloseMessageFromAnotherProcessEndsIt) {
    PostMessageA(m_window, WM_CLOSE, 0, 0);
    expect_clean_exit();
}

TEST_F(RendererTest, ScreenSaveCommandIsSwallowedOtherSystemCommandsAreNot) {
    DWORD_PTR result = 1;
    ASSERT_NE(SendMessageTimeoutA(m_window, WM_SYSCOMMAND, SC_SCREENSAVE, 0, SMTO_ABORTIFHUNG, 2000,
                                  &result),
              0);
    EXPECT_EQ(result, 0u);
    expect_still_running();

    // SC_CLOSE goes the default way, which turns it into WM_CLOSE.
    PostMessageA(m_window, WM_SYSCOMMAND, SC_CLOSE, 0);
    expect_clean_exit();
}

} // namespace

// Frames are drawn: a bright pattern that covered the screen before the start
// is painted over: black sky above the horizon, the dim floor below it.
TEST(RendererFrames, ScreenShowsTheClearColourOverWhatWasThereBefore) {
    ASSERT_TRUE(wait_for_window_gone(kTitle, 5s));
    PatternWindow pattern(RECT{0, 0, 1024, 768},
                          {RGB(255, 255, 255), RGB(255, 0, 0), RGB(0, 255, 0)});
    const ScreenShot before = ScreenShot::capture();
    ASSERT_GT(before.mean_brightness(0, 0, 1024, 768), 200.0) << "the pattern is not on screen";

    ChildProcess renderer;
    const std::string path = program_folder() + "\\Velmoran.dll";
    ASSERT_TRUE(renderer.start(path, path));
    HWND window = wait_for_window(kTitle, 10s);
    ASSERT_NE(window, nullptr);

    ScreenShot during;
    const bool black = wait_until(
        [&] {
            during = ScreenShot::capture();
            return during.count_at_least(0, 0, 1024, 400, 8) == 0 &&
                   during.count_at_least(0, 420, 1024, 768, 200) == 0;
        },
        5s, 50ms);
    during.save_png("renderer_frames");
    EXPECT_TRUE(black) << "bright pixels left: " << during.count_at_least(0, 0, 1024, 400, 8);

    PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    const auto code = renderer.wait_for_exit(5s);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 0u);
}

// The program declares per-monitor DPI awareness, so that a scaled display
// neither stretches nor clips its full-screen window.
TEST(RendererManifest, DeclaresPerMonitorDpiAwareness) {
    const std::string path = program_folder() + "\\Velmoran.dll";
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(resource, nullptr) << "no application manifest";
    const auto* text = static_cast<const char*>(LockResource(LoadResource(module, resource)));
    const std::string manifest(text, SizeofResource(module, resource));
    EXPECT_NE(manifest.find("<dpiAwareness"), std::string::npos);
    EXPECT_NE(manifest.find("PerMonitorV2"), std::string::npos);
    EXPECT_NE(manifest.find("true/pm"), std::string::npos);
    FreeLibrary(module);
}
