// The preview window's picture on the screen. The preview is started in
// this test's own process, because Wine shows nothing of what a process
// draws into a child of another process's window (the real program in a
// host window is checked in screensaver_modes_test).

#include <gtest/gtest.h>

#include "program_runner.h"
#include "runtime/win32/application.h"
#include "scr_driver.h"
#include "screen.h"
#include "win32/preview_window.h"

using namespace std::chrono_literals;
using namespace velmoran_test;

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255); // in neither preview picture

HWND PreviewIn(HWND host) {
    StartPreview(static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(host)));
    HWND child = FindWindowExA(host, nullptr, nullptr, "Preview Window");
    pump_messages();
    return child;
}

int MatchingPixels(const ScreenShot& shot, const RECT& area, const RgbPicture& picture) {
    int matching = 0;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const Rgb seen = shot.at(area.left + x, area.top + y);
            const unsigned char* want = &picture.rgb[(y * picture.width + x) * 3];
            matching += std::abs(seen.r - want[0]) <= 2 && std::abs(seen.g - want[1]) <= 2 &&
                                std::abs(seen.b - want[2]) <= 2
                            ? 1
                            : 0;
        }
    }
    return matching;
}

TEST(PreviewWindow, AUsualAreaShowsThePicturePixelForPixel) {
    const RECT area{200, 150, 352, 262};
    PatternWindow host(area, {kMagenta});
    HWND child = PreviewIn(host.handle());
    ASSERT_NE(child, nullptr);
    RECT client{};
    GetClientRect(child, &client);
    EXPECT_EQ(client.right, 152);
    EXPECT_EQ(client.bottom, 112);

    const RgbPicture picture = ReadBmp24(ResourcesFolder() + "\\preview_picture.bmp");
    ASSERT_EQ(picture.width, 152);
    ASSERT_EQ(picture.height, 112);
    ScreenShot shot;
    wait_until(
        [&] {
            shot = ScreenShot::capture();
            return MatchingPixels(shot, area, picture) == 152 * 112;
        },
        3s, 30ms);
    shot.save_png("preview-152x112");
    EXPECT_EQ(MatchingPixels(shot, area, picture), 152 * 112);
}

TEST(PreviewWindow, ALargerAreaIsFilledWithThePicture) {
    const RECT area{100, 100, 500, 400};
    PatternWindow host(area, {kMagenta});
    HWND child = PreviewIn(host.handle());
    ASSERT_NE(child, nullptr);
    RECT client{};
    GetClientRect(child, &client);
    EXPECT_EQ(client.right, 400);
    EXPECT_EQ(client.bottom, 300);

    ScreenShot shot;
    const auto bottom_is_pale = [&] {
        shot = ScreenShot::capture();
        return shot.mean_brightness(area.left + 10, area.bottom - 40, area.right - 10,
                                    area.bottom - 20) > 140;
    };
    EXPECT_TRUE(wait_until(bottom_is_pale, 3s, 30ms)) << "the pale desktop along the bottom";
    shot.save_png("preview-400x300");
    int magenta = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            magenta += shot.at(x, y) == Rgb{255, 0, 255} ? 1 : 0;
        }
    }
    EXPECT_EQ(magenta, 0) << "the host shows through";
    // The dark sky reaches both top corners: the picture is stretched, not repeated.
    EXPECT_LT(shot.mean_brightness(area.left, area.top, area.left + 40, area.top + 40), 70);
    EXPECT_LT(shot.mean_brightness(area.right - 40, area.top, area.right, area.top + 40), 70);
}

TEST(PreviewWindow, GoesWithItsArea) {
    auto host =
        std::make_unique<PatternWindow>(RECT{200, 150, 352, 262}, std::vector<COLORREF>{kMagenta});
    ASSERT_NE(PreviewIn(host->handle()), nullptr);
    EXPECT_EQ(runtime::Application::LoadedFormCount(), 1u);
    host.reset();
    EXPECT_EQ(runtime::Application::LoadedFormCount(), 0u);
    // With the preview gone, the program's loop has nothing to wait for.
    EXPECT_EQ(runtime::Application::Run(), 0);
}

} // namespace
