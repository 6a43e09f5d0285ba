// The renderer on two monitors side by side (an X server with the dummy
// driver: (0,0)-(1024,768) the primary, (1024,0)-(2048,768) the second): it
// keeps the primary as it always was and covers the second monitor in black
// for as long as it runs; with the choice of a scene on every monitor, each
// monitor shows the storm over its own desktop. Screenshots of both monitors
// are saved for a person to look at.

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "runtime/bmp_writer.h"
#include "handoff_paths.h"
#include "program_runner.h"
#include "run_driver.h"
#include "scr_driver.h"
#include "screen.h"

using namespace std::chrono_literals;
using namespace velmoran_test;

namespace {

constexpr RECT kPrimary{0, 0, 1024, 768};
constexpr RECT kSecond{1024, 0, 2048, 768};
constexpr RECT kBothMonitors{0, 0, 2048, 768};

constexpr COLORREF kRed = RGB(230, 20, 20);
constexpr COLORREF kGreen = RGB(20, 200, 40);
constexpr COLORREF kBlue = RGB(30, 40, 230);
constexpr COLORREF kWhite = RGB(250, 250, 250);

struct Monitor {
    RECT rect;
    bool primary;
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoA(monitor, &info);
    reinterpret_cast<std::vector<Monitor>*>(list)->push_back(
        {info.rcMonitor, (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    return TRUE;
}

std::vector<Monitor> Monitors() {
    std::vector<Monitor> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

std::string Text(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

std::string Text(const std::vector<Monitor>& monitors) {
    std::string text;
    for (const Monitor& m : monitors) {
        text += Text(m.rect) + (m.primary ? " primary; " : "; ");
    }
    return text;
}

// Pixels of the second monitor that are not black, in a shot of both.
int LitOnSecond(const ScreenShot& both) {
    return both.count_at_least(kSecond.left, 0, kSecond.right, 768, 8);
}

// The renderer draws frames once the primary's sky is dark in both top corners.
bool PrimaryDrawn(const ScreenShot& both) {
    return both.count_at_least(0, 0, 60, 40, 8) == 0 &&
           both.count_at_least(964, 0, 1024, 40, 8) == 0;
}

int CountOnPrimaryFloor(const ScreenShot& both, bool (*test)(const Rgb&)) {
    int count = 0;
    for (int y = 384; y < 768; ++y) {
        for (int x = 0; x < 1024; ++x) {
            count += test(both.at(x, y)) ? 1 : 0;
        }
    }
    return count;
}
bool Reddish(const Rgb& p) {
    return p.r >= 40 && p.r > 2 * p.g && p.r > 2 * p.b;
}
bool Bluish(const Rgb& p) {
    return p.b >= 40 && p.b > 2 * p.r && p.b > 2 * p.g;
}

void Send(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

INPUT Key(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

// A mouse event at a point of the virtual screen (all monitors).
INPUT Mouse(POINT at, DWORD flags) {
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = ((at.x - left) * 65535 + width / 2) / (width - 1);
    input.mi.dy = ((at.y - top) * 65535 + height / 2) / (height - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
    return input;
}

// The window that has the keyboard focus in a window's thread.
HWND FocusOfThreadOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

// The hand-off pictures of a run: the primary screen as it is now for the
// floor, and the two bolt pictures that the screensaver program ships.
void WriteHandOffPictures() {
    const ScreenShot shot = ScreenShot::capture(kPrimary);
    runtime::BmpPixels pixels{shot.width(), shot.height(), 24, {}, {}};
    const std::size_t stride = runtime::BmpRowStride(shot.width(), 24);
    pixels.rows.resize(stride * shot.height());
    for (int y = 0; y < shot.height(); ++y) {
        std::uint8_t* row = &pixels.rows[stride * (shot.height() - 1 - y)];
        for (int x = 0; x < shot.width(); ++x) {
            const Rgb p = shot.at(x, y);
            row[x * 3] = p.b;
            row[x * 3 + 1] = p.g;
            row[x * 3 + 2] = p.r;
        }
    }
    const auto bytes = runtime::EncodeBmp(pixels);
    ASSERT_TRUE(bytes.has_value());
    CreateDirectoryA(HandoffFolderPath().c_str(), nullptr);
    std::ofstream(HandoffPath(0), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes->data()),
               static_cast<std::streamsize>(bytes->size()));
    ASSERT_TRUE(CopyFileA((ResourcesFolder() + "\\bolt_violet.bmp").c_str(), HandoffPath(1).c_str(),
                          FALSE));
    ASSERT_TRUE(CopyFileA((ResourcesFolder() + "\\bolt_yellow.bmp").c_str(), HandoffPath(2).c_str(),
                          FALSE));
}

// Switches the second monitor to 800 x 600, as another program might; info
// receives the monitor's device, for switching it back.
bool SecondMonitorTo800x600(MONITORINFOEXA& info) {
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoA(MonitorFromPoint({1536, 384}, MONITOR_DEFAULTTONULL), &info)) {
        return false;
    }
    DEVMODEA mode{};
    mode.dmSize = sizeof(mode);
    mode.dmPelsWidth = 800;
    mode.dmPelsHeight = 600;
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    return ChangeDisplaySettingsExA(info.szDevice, &mode, nullptr, 0, nullptr) ==
           DISP_CHANGE_SUCCESSFUL;
}

class TwoMonitorRun : public ::testing::Test {
protected:
    void SetUp() override {
        EndLeftoverRenderers();
        const std::vector<Monitor> monitors = Monitors();
        ASSERT_EQ(monitors.size(), 2u) << Text(monitors);
        ASSERT_TRUE(monitors[0].primary && EqualRect(&monitors[0].rect, &kPrimary) &&
                    !monitors[1].primary && EqualRect(&monitors[1].rect, &kSecond))
            << "not the two monitors of the test display: " << Text(monitors);
    }
    void TearDown() override { EndLeftoverRenderers(); }

    // Writes the hand-off pictures from the screen as it is, starts the
    // renderer as the screensaver program does and waits for its window.
    static HWND StartRun(ChildProcess& renderer) {
        WriteHandOffPictures();
        const std::string path = program_folder() + "\\Velmoran.dll";
        if (!renderer.start(path, path)) {
            return nullptr;
        }
        return wait_for_window("Velmoran_VC", 30s);
    }

    // The renderer's covers (its windows but its own) once the first frame is
    // on the screen. The covers come a moment after the renderer's window,
    // and the desktop's corners may be as dark as the renderer's sky, so
    // this first waits for a cover to appear.
    static std::vector<HWND> CoversOnceDrawn(HWND renderer, DWORD process) {
        std::vector<HWND> covers;
        wait_until(
            [&] {
                covers = visible_windows_of(process);
                std::erase(covers, renderer);
                return !covers.empty();
            },
            5s, 20ms);
        wait_until([] { return PrimaryDrawn(ScreenShot::capture(kBothMonitors)); }, 10s, 50ms);
        covers = visible_windows_of(process);
        std::erase(covers, renderer);
        return covers;
    }
};

TEST_F(TwoMonitorRun, SecondMonitorIsBlackDuringARunAndShowsItsPictureAgainAfterEsc) {
    PatternWindow desktop(RECT{96, 64, 896, 664}, {kRed, kBlue});
    PatternWindow second(kSecond, {kWhite, kRed, kGreen}, "Second monitor picture");
    const ScreenShot before = ScreenShot::capture(kBothMonitors);
    before.save_png("two-monitors-before");
    ASSERT_GT(before.mean_brightness(kSecond.left, 0, kSecond.right, 768), 100.0)
        << "the second monitor's picture is not on the screen";

    ChildProcess process;
    HWND renderer = StartRun(process);
    ASSERT_NE(renderer, nullptr) << "no renderer window";

    // One cover: the second monitor's rectangle, black, top-most, owned by
    // the renderer's window and without the title the run's watch looks for.
    const std::vector<HWND> covers = CoversOnceDrawn(renderer, process.id());
    ASSERT_EQ(covers.size(), 1u) << "windows of the renderer besides its own";
    const HWND cover = covers[0];
    RECT rect{};
    GetWindowRect(cover, &rect);
    EXPECT_TRUE(EqualRect(&rect, &kSecond)) << Text(rect);
    EXPECT_TRUE(GetWindowLongA(cover, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetWindow(cover, GW_OWNER), renderer);
    char title[64] = {};
    GetWindowTextA(cover, title, sizeof(title));
    EXPECT_STRNE(title, "Velmoran_VC");
    // What the run's watch finds by that title, the top-most first, is the renderer's window.
    EXPECT_EQ(FindWindowA(nullptr, "Velmoran_VC"), renderer);
    RECT window_rect{};
    GetWindowRect(renderer, &window_rect);
    EXPECT_TRUE(EqualRect(&window_rect, &kPrimary)) << Text(window_rect);

    // Every frame: the second monitor black; the primary shows the desktop
    // as the floor and, within a few seconds, a bolt in its sky.
    int shots = 0, lit_shots = 0, most_bolt_pixels = 0;
    ScreenShot floor_shot, bolt_shot;
    wait_until(
        [&] {
            ScreenShot shot = ScreenShot::capture(kBothMonitors);
            if (!PrimaryDrawn(shot)) {
                return false;
            }
            lit_shots += LitOnSecond(shot) > 0 ? 1 : 0;
            if (++shots == 1) {
                floor_shot = shot;
            }
            const int bolt_pixels = shot.count_at_least(0, 0, 1024, 256, 200);
            if (bolt_pixels > most_bolt_pixels) {
                most_bolt_pixels = bolt_pixels;
                bolt_shot = shot;
            }
            return most_bolt_pixels > 150 && shots >= 10;
        },
        8s, 50ms);
    ASSERT_GT(shots, 0) << "no frame drawn";
    floor_shot.save_png("two-monitors-run");
    if (most_bolt_pixels > 0) {
        bolt_shot.save_png("two-monitors-run-bolt");
    }
    EXPECT_EQ(lit_shots, 0) << "of " << shots << " shots, some show the second monitor";
    EXPECT_GT(CountOnPrimaryFloor(floor_shot, Reddish), 500);
    EXPECT_GT(CountOnPrimaryFloor(floor_shot, Bluish), 500);
    EXPECT_GT(most_bolt_pixels, 150) << "no bolt in the primary's sky";

    // Clicks on the cover and keys other than Esc do nothing: the run goes
    // on and the renderer's window keeps the activation and the keyboard.
    ASSERT_TRUE(wait_until([&] { return GetForegroundWindow() == renderer; }, 2s))
        << "the renderer's window is not in front at the start";
    const POINT on_cover{1536, 384};
    Send({Mouse(on_cover, 0), Mouse(on_cover, MOUSEEVENTF_LEFTDOWN),
          Mouse(on_cover, MOUSEEVENTF_LEFTUP), Mouse(on_cover, MOUSEEVENTF_RIGHTDOWN),
          Mouse(on_cover, MOUSEEVENTF_RIGHTUP), Mouse(on_cover, MOUSEEVENTF_LEFTDOWN),
          Mouse(on_cover, MOUSEEVENTF_LEFTUP)});
    Send({Key('A', false), Key('A', true), Key(VK_SPACE, false), Key(VK_SPACE, true),
          Key(VK_RETURN, false), Key(VK_RETURN, true)});
    PostMessageA(cover, WM_KEYDOWN, 'A', 0);
    PostMessageA(cover, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
    PostMessageA(cover, WM_LBUTTONUP, 0, MAKELPARAM(100, 100));
    EXPECT_FALSE(process.wait_for_exit(600ms).has_value()) << "the renderer ended";
    POINT cursor{};
    GetCursorPos(&cursor);
    EXPECT_EQ(WindowFromPoint(cursor), cover) << "the clicks did not reach the cover";
    EXPECT_EQ(GetForegroundWindow(), renderer);
    EXPECT_EQ(FocusOfThreadOf(renderer), renderer);
    EXPECT_EQ(LitOnSecond(ScreenShot::capture(kBothMonitors)), 0);

    // Esc from the keyboard, with the pointer still on the cover, ends the
    // run with code 0, and the cover goes with the renderer's window.
    Send({Key(VK_ESCAPE, false), Key(VK_ESCAPE, true)});
    const auto code = process.wait_for_exit(5s);
    ASSERT_TRUE(code.has_value()) << "Esc after a click on the cover did not end the run";
    EXPECT_EQ(*code, 0u);
    EXPECT_FALSE(IsWindow(cover));

    // The second monitor's own picture is back.
    ScreenShot after;
    EXPECT_TRUE(wait_until(
        [&] {
            after = ScreenShot::capture(kBothMonitors);
            return after.mean_brightness(kSecond.left, 0, kSecond.right, 768) > 100.0;
        },
        5s, 50ms));
    after.save_png("two-monitors-after");
}

TEST_F(TwoMonitorRun, KillingTheRendererRemovesTheCover) {
    PatternWindow second(kSecond, {kGreen}, "Second monitor picture");
    ChildProcess process;
    HWND renderer = StartRun(process);
    ASSERT_NE(renderer, nullptr) << "no renderer window";
    const std::vector<HWND> covers = CoversOnceDrawn(renderer, process.id());
    ASSERT_EQ(covers.size(), 1u);
    ASSERT_TRUE(
        wait_until([] { return LitOnSecond(ScreenShot::capture(kBothMonitors)) == 0; }, 2s, 50ms));

    process.terminate();
    ASSERT_FALSE(process.running());
    EXPECT_TRUE(wait_until([&] { return !IsWindow(covers[0]); }, 5s)) << "the cover outlived it";
    EXPECT_FALSE(IsWindow(renderer));
    EXPECT_TRUE(wait_until(
        [] {
            const ScreenShot shot = ScreenShot::capture(kBothMonitors);
            return shot.mean_brightness(kSecond.left, 0, kSecond.right, 768) > 100.0;
        },
        5s, 50ms))
        << "the second monitor stays black";
}

// Another program changes the second monitor's mode during the run: the
// cover follows it to its new size, and the run goes on.
TEST_F(TwoMonitorRun, CoverFollowsTheSecondMonitorWhenItChangesDuringTheRun) {
    PatternWindow second(kSecond, {kGreen}, "Second monitor picture");
    ChildProcess process;
    HWND renderer = StartRun(process);
    ASSERT_NE(renderer, nullptr) << "no renderer window";
    const std::vector<HWND> covers = CoversOnceDrawn(renderer, process.id());
    ASSERT_EQ(covers.size(), 1u);

    MONITORINFOEXA info{};
    ASSERT_TRUE(SecondMonitorTo800x600(info));
    const RECT smaller{1024, 0, 1824, 600};
    RECT rect{};
    const bool followed = wait_until(
        [&] {
            GetWindowRect(covers[0], &rect);
            return EqualRect(&rect, &smaller);
        },
        5s, 50ms);
    const std::vector<Monitor> during = Monitors();
    const bool black = wait_until(
        [&] { return ScreenShot::capture(smaller).count_at_least(0, 0, 800, 600, 8) == 0; }, 2s,
        50ms);
    const bool ran_on = !process.wait_for_exit(0ms).has_value();
    PressEscape(renderer);
    const auto code = process.wait_for_exit(5s);
    ChangeDisplaySettingsExA(info.szDevice, nullptr, nullptr, 0, nullptr);

    ASSERT_EQ(during.size(), 2u);
    EXPECT_TRUE(EqualRect(&during[1].rect, &smaller)) << Text(during);
    EXPECT_TRUE(followed) << "the cover stays at " << Text(rect);
    EXPECT_TRUE(black) << "the second monitor shows its picture after the change";
    EXPECT_TRUE(ran_on);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 0u);
    EXPECT_TRUE(wait_until(
        [] {
            const std::vector<Monitor> monitors = Monitors();
            return monitors.size() == 2 && EqualRect(&monitors[1].rect, &kSecond);
        },
        5s))
        << Text(Monitors());
}

// The display switch moves the second monitor: it lies right of a primary of
// 1280 x 720 before the run and right of 1024 x 768 during it. The cover
// takes its place as the system reports it after the switch, and the
// monitors are back where they were after Esc.
TEST_F(TwoMonitorRun, CoverFollowsTheSecondMonitorThroughTheDisplaySwitch) {
    DEVMODEA mode{};
    mode.dmSize = sizeof(mode);
    ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode));
    DEVMODEA original = mode;
    mode.dmPelsWidth = 1280;
    mode.dmPelsHeight = 720;
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    ASSERT_EQ(ChangeDisplaySettingsExA(nullptr, &mode, nullptr, CDS_UPDATEREGISTRY, nullptr),
              DISP_CHANGE_SUCCESSFUL);
    const std::vector<Monitor> before = Monitors();
    // Pictures on both monitors where they are before the switch.
    PatternWindow desktop(RECT{0, 0, 1280, 720}, {kWhite});
    PatternWindow second(RECT{1280, 0, 2304, 768}, {kWhite}, "Second monitor picture");

    ChildProcess process;
    HWND renderer = StartRun(process);
    std::vector<Monitor> during;
    RECT cover_rect{};
    if (renderer != nullptr) {
        const std::vector<HWND> covers = CoversOnceDrawn(renderer, process.id());
        during = Monitors();
        if (covers.size() == 1) {
            GetWindowRect(covers[0], &cover_rect);
        }
        EXPECT_EQ(covers.size(), 1u);
        ScreenShot shot;
        EXPECT_TRUE(wait_until(
            [&] {
                shot = ScreenShot::capture(kBothMonitors);
                return LitOnSecond(shot) == 0;
            },
            2s, 50ms))
            << "the second monitor is not black where it lies during the run";
        shot.save_png("two-monitors-switched");
        PressEscape(renderer);
        EXPECT_TRUE(process.wait_for_exit(5s).has_value());
    }
    const std::vector<Monitor> after = Monitors();
    ChangeDisplaySettingsExA(nullptr, &original, nullptr, CDS_UPDATEREGISTRY, nullptr);
    ASSERT_NE(renderer, nullptr) << "no renderer window";

    ASSERT_EQ(before.size(), 2u);
    EXPECT_EQ(before[1].rect.left, 1280) << Text(before);
    ASSERT_EQ(during.size(), 2u);
    EXPECT_TRUE(EqualRect(&during[0].rect, &kPrimary)) << Text(during);
    EXPECT_TRUE(EqualRect(&during[1].rect, &kSecond)) << Text(during);
    EXPECT_TRUE(EqualRect(&cover_rect, &during[1].rect)) << Text(cover_rect);
    ASSERT_EQ(after.size(), 2u);
    EXPECT_TRUE(EqualRect(&after[1].rect, &before[1].rect)) << Text(after);
}

// With the choice of a scene on every monitor (the settings file beside the
// program asks for it), a whole run from Velmoran.scr on monitors of two
// sizes: each monitor's floor is its own desktop, each sky gets its own
// bolts, a monitor that changes during the run keeps its scene at its new
// size, Esc ends everything with code 0, and both desktops come back with
// the photographs gone.
TEST_F(TwoMonitorRun, EveryMonitorShowsTheStormOverItsOwnDesktop) {
    MONITORINFOEXA info{};
    ASSERT_TRUE(SecondMonitorTo800x600(info));
    const RECT second_rect{1024, 0, 1824, 600};
    const std::string folder = "C:\\velmoran-every-monitor";
    const std::string scr = InstallPrograms(folder, RendererKind::Real);
    std::ofstream(folder + "\\Velmoran.ini", std::ios::binary)
        << "[Section]\r\n\x91\x53\xD3\xC6\xC0\xB0\x95\x5C\x8E\xA6=1\r\n"; // 全ﾓﾆﾀｰ表示
    ScreenShot shot, bolts, followed_shot;
    int sky_bolts[2] = {0, 0};
    std::optional<BmpPicture> second_photo;
    std::optional<DWORD> renderer_code, scr_code;
    RECT window_rect{}, followed_rect{};
    bool followed = false;
    std::size_t other_windows = 99;
    {
        PatternWindow desktop(RECT{96, 64, 896, 664}, {kRed, kBlue});
        PatternWindow second(second_rect, {kGreen, kWhite}, "Second monitor picture");
        ChildProcess process;
        ASSERT_TRUE(StartScreensaver(process, scr, "/s"));
        HWND renderer = WaitForRendererWindow(30s);
        if (renderer != nullptr) {
            WindowProcess renderer_process(renderer);
            GetWindowRect(renderer, &window_rect);
            second_photo = ReadBmp(HandoffFile(3));
            // Frames on both monitors (the sky's top corners dark on each; the
            // window's own background is white), then bolts in both skies
            // within seconds.
            wait_until(
                [&] {
                    const ScreenShot now = ScreenShot::capture(RECT{0, 0, 1824, 768});
                    if (!PrimaryDrawn(now) || now.count_at_least(1024, 0, 1084, 40, 8) != 0 ||
                        now.count_at_least(1764, 0, 1824, 40, 8) != 0) {
                        return false;
                    }
                    shot = now;
                    const int on_primary = shot.count_at_least(0, 0, 1024, 256, 200);
                    const int on_second = shot.count_at_least(1024, 0, 1824, 200, 200);
                    if (on_primary + on_second > sky_bolts[0] + sky_bolts[1]) {
                        bolts = shot;
                    }
                    sky_bolts[0] = std::max(sky_bolts[0], on_primary);
                    sky_bolts[1] = std::max(sky_bolts[1], on_second);
                    return sky_bolts[0] > 150 && sky_bolts[1] > 150;
                },
                8s, 50ms);
            std::vector<HWND> windows = visible_windows_of(renderer_process.id());
            std::erase(windows, renderer);
            other_windows = windows.size();
            // The second monitor back at 1024 x 768 during the run: the
            // window and the second scene follow it to its new size.
            ChangeDisplaySettingsExA(info.szDevice, nullptr, nullptr, 0, nullptr);
            followed = wait_until(
                [&] {
                    GetWindowRect(renderer, &followed_rect);
                    const ScreenShot now = ScreenShot::capture(kBothMonitors);
                    // Its floor reaches down to rows the monitor had not before.
                    int green = 0;
                    for (int x = 1024; x < 2048; x += 8) {
                        const Rgb p = now.at(x, 740);
                        green += p.g >= 30 && p.g > 2 * p.r && p.g > 2 * p.b ? 1 : 0;
                    }
                    followed_shot = now;
                    return EqualRect(&followed_rect, &kBothMonitors) && green > 10;
                },
                5s, 50ms);
            PressEscape(renderer);
            renderer_code = renderer_process.wait_for_exit(10s);
        }
        scr_code = process.wait_for_exit(10s);
        const ScreenShot after = ScreenShot::capture(RECT{0, 0, 1824, 768});
        EXPECT_GT(after.mean_brightness(1024, 0, 1824, 600), 100.0) << "the second desktop is back";
    }
    ChangeDisplaySettingsExA(info.szDevice, nullptr, nullptr, 0, nullptr);
    const bool photos_left =
        GetFileAttributesA(HandoffFile(0).c_str()) != INVALID_FILE_ATTRIBUTES ||
        GetFileAttributesA(HandoffFile(3).c_str()) != INVALID_FILE_ATTRIBUTES;
    UninstallPrograms(folder);

    const RECT both{0, 0, 1824, 768};
    EXPECT_TRUE(EqualRect(&window_rect, &both)) << Text(window_rect);
    EXPECT_EQ(other_windows, 0u) << "no covers with a scene on every monitor";
    EXPECT_TRUE(followed) << "after the change the window is at " << Text(followed_rect)
                          << " and the second monitor's lower right shows no floor";
    ASSERT_TRUE(second_photo.has_value()) << "no photograph of the second monitor";
    EXPECT_EQ(second_photo->width, 800);
    EXPECT_EQ(second_photo->height, 600);
    shot.save_png("two-monitors-every");
    bolts.save_png("two-monitors-every-bolts");
    followed_shot.save_png("two-monitors-every-changed");
    const auto count = [&](int left, int top, int right, int bottom, bool (*test)(const Rgb&)) {
        int n = 0;
        for (int y = top; y < bottom; y += 2) {
            for (int x = left; x < right; x += 2) {
                n += test(shot.at(x, y)) ? 1 : 0;
            }
        }
        return n;
    };
    const auto greenish = [](const Rgb& p) { return p.g >= 30 && p.g > 2 * p.r && p.g > 2 * p.b; };
    EXPECT_GT(count(0, 420, 1024, 768, Reddish), 300) << "the primary's floor";
    EXPECT_GT(count(0, 420, 1024, 768, Bluish), 300);
    EXPECT_EQ(count(0, 420, 1024, 768, greenish), 0);
    EXPECT_GT(count(1024, 330, 1824, 600, greenish), 300) << "the second monitor's own floor";
    EXPECT_EQ(count(1024, 330, 1824, 600, Reddish), 0);
    EXPECT_GT(sky_bolts[0], 150) << "no bolt in the primary's sky";
    EXPECT_GT(sky_bolts[1], 150) << "no bolt in the second monitor's sky";
    EXPECT_EQ(renderer_code, std::optional<DWORD>(0));
    EXPECT_EQ(scr_code, std::optional<DWORD>(0));
    EXPECT_FALSE(photos_left) << "a photograph outlived the run";
}

// A monitor whose photograph is missing (it could not be taken or written)
// still gets a scene: the grey floor of a missing picture, under bolts.
TEST_F(TwoMonitorRun, EveryMonitorWithoutItsPhotographShowsTheGreyFloor) {
    PatternWindow second(kSecond, {kGreen}, "Second monitor picture");
    WriteHandOffPictures();
    DeleteFileA(HandoffFile(3).c_str());
    ChildProcess renderer;
    const std::string path = program_folder() + "\\Velmoran.dll";
    ASSERT_TRUE(renderer.start(path, "\"" + path + "\" /every-monitor"));
    HWND window = wait_for_window("Velmoran_VC", 30s);
    ASSERT_NE(window, nullptr);
    // The second monitor's floor rows: grey, neither black nor its green desktop.
    const auto grey_floor = [](const ScreenShot& shot) {
        int grey = 0;
        for (int x = kSecond.left; x < kSecond.right; x += 8) {
            const Rgb p = shot.at(x, 740);
            grey += p.g >= 20 && std::abs(p.r - p.g) < 8 && std::abs(p.g - p.b) < 8 ? 1 : 0;
        }
        return grey > 100;
    };
    ScreenShot shot;
    EXPECT_TRUE(wait_until(
        [&] {
            shot = ScreenShot::capture(kBothMonitors);
            return shot.count_at_least(kSecond.left, 0, kSecond.left + 60, 40, 8) == 0 &&
                   grey_floor(shot);
        },
        10s, 50ms));
    shot.save_png("two-monitors-every-missing-photograph");
    PressEscape(window);
    EXPECT_EQ(renderer.wait_for_exit(10s), std::optional<DWORD>(0));
}

} // namespace
