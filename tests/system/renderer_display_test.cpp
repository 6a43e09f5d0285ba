// The renderer on a display of today that it does not switch: one that
// offers no 1024 x 768 mode (Xorg's dummy driver with 1280 x 1024 alone), or
// any display when the user keeps the screen's resolution. Each run covers
// the whole screen at its own resolution, shows the floor across the whole
// width under a black sky, leaves the mode as it was and ends on Esc with
// code 0. Screenshots are saved for a person to look at.

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "bmp_builder.h"
#include "handoff_paths.h"
#include "program_runner.h"
#include "scr_driver.h"
#include "screen.h"

using namespace std::chrono_literals;
using namespace velmoran_test;

namespace {

constexpr const char* kTitle = "Velmoran_VC";

// The screen's mode as the platform reports it, "WxH".
std::string CurrentMode() {
    DEVMODEA mode{};
    mode.dmSize = sizeof(mode);
    EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode);
    return std::to_string(mode.dmPelsWidth) + "x" + std::to_string(mode.dmPelsHeight);
}

// A green floor picture (on the screen, a floor of green tones) and the
// program's two bolt pictures.
void WriteHandoffPictures() {
    CreateDirectoryA(HandoffFolderPath().c_str(), nullptr);
    bmp_test::BmpLayout layout = bmp_test::bmp_layout(640, 400, 24);
    layout.pixels = bmp_test::stored_rows(
        640, 400, 24, [](int x, int y) { return ((x / 40 + y / 40) % 2) ? 0x30d040u : 0x20a030u; });
    const auto bytes = bmp_test::build_bmp(layout);
    std::ofstream(HandoffPath(0), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    CopyFileA((ResourcesFolder() + "\\bolt_violet.bmp").c_str(), HandoffPath(1).c_str(), FALSE);
    CopyFileA((ResourcesFolder() + "\\bolt_yellow.bmp").c_str(), HandoffPath(2).c_str(), FALSE);
}

// Whether a column of the screen's lowest eighth is mostly green floor.
bool GreenAt(const ScreenShot& shot, int x) {
    int green = 0, seen = 0;
    for (int y = shot.height() * 7 / 8; y < shot.height(); y += 4) {
        const Rgb p = shot.at(x, y);
        green += p.g > 12 && p.g > 2 * p.r && p.g > 2 * p.b ? 1 : 0;
        ++seen;
    }
    return green * 10 >= seen * 9;
}

TEST(RendererDisplay, RunsOverTheWholeScreenAtItsOwnResolution) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    const std::string mode = CurrentMode();
    ASSERT_NE(mode, "1024x768") << "a display of another size than the renderer's own";
    WriteHandoffPictures();
    const struct {
        const char* name;
        const char* arguments;
    } runs[] = {{"fallback", ""}, {"kept", " /keep-resolution"}};
    for (const auto& run : runs) {
        SCOPED_TRACE(run.name);
        ASSERT_TRUE(wait_for_window_gone(kTitle, 5s));
        ChildProcess renderer;
        const std::string path = program_folder() + "\\Velmoran.dll";
        ASSERT_TRUE(renderer.start(path, "\"" + path + "\"" + run.arguments));
        HWND window = wait_for_window(kTitle, 10s);
        ASSERT_NE(window, nullptr) << "the run ended before it began";
        RECT rect{};
        GetWindowRect(window, &rect);
        EXPECT_EQ(rect.left, 0);
        EXPECT_EQ(rect.top, 0);
        EXPECT_EQ(rect.right, width);
        EXPECT_EQ(rect.bottom, height);
        EXPECT_EQ(CurrentMode(), mode);

        // The floor across the whole width, the sky's top corners black
        // (the window's own background is white); then, for a person to look
        // at, a frame with a bolt in the sky when one comes within seconds.
        ScreenShot shot;
        const bool drawn = wait_until(
            [&] {
                shot = ScreenShot::capture();
                return shot.count_at_least(0, 0, 60, 40, 8) == 0 &&
                       shot.count_at_least(width - 60, 0, width, 40, 8) == 0 && GreenAt(shot, 2) &&
                       GreenAt(shot, width / 2) && GreenAt(shot, width - 3);
            },
            10s, 50ms);
        EXPECT_TRUE(drawn) << "no frame with a black sky over a green floor from edge to edge";
        wait_until(
            [&] {
                shot = ScreenShot::capture();
                return shot.count_at_least(0, 0, width, height / 2, 200) > 300;
            },
            3s, 20ms);
        shot.save_png("display-" + std::string(run.name) + "-" + mode);

        PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_EQ(renderer.wait_for_exit(10s), std::optional<DWORD>(0));
        EXPECT_EQ(CurrentMode(), mode);
    }
    DeleteFileA(HandoffPath(0).c_str());
}

} // namespace
