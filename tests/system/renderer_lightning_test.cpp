// The finished renderer under Wine with pictures of our own in the hand-off folder:
// bolts strike into the sky and light the floor up. Screenshots of the run
// are saved for a person to look at.

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "bmp_builder.h"
#include "handoff_paths.h"
#include "program_runner.h"
#include "screen.h"

using namespace std::chrono_literals;
using namespace velmoran_test;

namespace {

constexpr const char* kTitle = "Velmoran_VC";

void write_file(const char* path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// A 24-bit bottom-up picture whose pixel (x, y) is colour(x, y), y = 0 the bottom row.
std::vector<std::uint8_t> picture(int width, int height,
                                  const std::function<bmp_test::Colour(int, int)>& colour) {
    bmp_test::BmpLayout layout = bmp_test::bmp_layout(width, height, 24);
    layout.pixels = bmp_test::stored_rows(width, height, 24, colour);
    return bmp_test::build_bmp(layout);
}

// The floor: a desktop-like picture of mid tones. The bolts: a bright
// vertical band on black, like a bolt picture.
void write_hand_off_images() {
    CreateDirectoryA(HandoffFolderPath().c_str(), nullptr);
    write_file(HandoffPath(0).c_str(), picture(1024, 768, [](int x, int y) {
                   return ((x / 64 + y / 64) % 2) ? 0x8080c0u : 0x60a060u;
               }));
    const auto bolt =
        picture(256, 256, [](int x, int) { return (x >= 100 && x < 156) ? 0xffffffu : 0x000000u; });
    write_file(HandoffPath(1).c_str(), bolt);
    write_file(HandoffPath(2).c_str(), bolt);
}

// Brightness of the floor rows as the base level shows them: the picture's
// mid tones at a fifth of their brightness are at most about 40.
double floor_brightness(const ScreenShot& shot) {
    return shot.mean_brightness(0, 560, 1024, 768);
}

TEST(RendererLightning, BoltsStrikeIntoTheSkyAndLightTheFloorWithinTwoSeconds) {
    ASSERT_TRUE(wait_for_window_gone(kTitle, 5s));
    write_hand_off_images();
    ChildProcess renderer;
    const std::string path = program_folder() + "\\Velmoran.dll";
    ASSERT_TRUE(renderer.start(path, path));
    HWND window = wait_for_window(kTitle, 10s);
    ASSERT_NE(window, nullptr);

    // Frames are being drawn once the sky's top corners are black (the
    // window's own background is white).
    auto drawn = [](const ScreenShot& shot) {
        return shot.count_at_least(0, 0, 60, 40, 8) == 0 &&
               shot.count_at_least(964, 0, 1024, 40, 8) == 0;
    };
    ASSERT_TRUE(wait_until([&] { return drawn(ScreenShot::capture()); }, 5s, 20ms))
        << "the renderer never drew a frame";

    // The floor at its base level lies near 0.2 of the picture; a bolt's
    // flash lifts it towards the picture itself (about 170).
    bool bolt_seen = false, flash_seen = false;
    double darkest_floor = 255.0, brightest_floor = 0.0;
    int shots = 0;
    const auto deadline = std::chrono::steady_clock::now() + 2s;
    while (std::chrono::steady_clock::now() < deadline && !(bolt_seen && flash_seen)) {
        const ScreenShot shot = ScreenShot::capture();
        if (!drawn(shot)) {
            continue;
        }
        const int bright_in_sky = shot.count_at_least(0, 0, 1024, 380, 200);
        const double floor = floor_brightness(shot);
        darkest_floor = std::min(darkest_floor, floor);
        brightest_floor = std::max(brightest_floor, floor);
        if (bright_in_sky > 500 && !bolt_seen) {
            bolt_seen = true;
            shot.save_png("renderer_lightning_bolt");
        }
        if (floor > 80.0 && !flash_seen) {
            flash_seen = true;
            shot.save_png("renderer_lightning_flash");
        }
        if (++shots == 1) {
            shot.save_png("renderer_lightning_first");
        }
        pump_messages();
    }
    EXPECT_TRUE(bolt_seen) << "no bright bolt pixels in the sky within 2 s";
    EXPECT_TRUE(flash_seen) << "floor never brighter than its base level; brightest "
                            << brightest_floor << ", darkest " << darkest_floor;

    PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    const auto code = renderer.wait_for_exit(5s);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 0u);
}

} // namespace
