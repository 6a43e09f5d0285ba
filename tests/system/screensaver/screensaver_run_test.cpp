// Whole screensaver runs, started the way the system starts them, with a
// test pattern on the screen: the three hand-off files and what they hold,
// the renderer's window with the desktop on its floor and bolts in its sky,
// the end of both programs on Esc (the photograph gone with the run), and two
// runs in a row.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "program_runner.h"
#include "run_driver.h"
#include "scr_driver.h"
#include "screen.h"

using namespace std::chrono_literals;
using namespace velmoran_test;

namespace {

const char kFolder[] = "C:\\velmoran-run";

// The pattern's stripes: colours no desktop of the test session has.
constexpr COLORREF kRed = RGB(230, 20, 20);
constexpr COLORREF kGreen = RGB(20, 200, 40);
constexpr COLORREF kBlue = RGB(30, 40, 230);
constexpr COLORREF kYellow = RGB(240, 220, 20);
const RECT kPatternArea{96, 64, 96 + 800, 64 + 600}; // four stripes of 200 x 600

Rgb RgbOf(COLORREF colour) {
    return Rgb{GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

// DPI_AWARENESS values, as GetAwarenessFromDpiAwarenessContext gives them.
constexpr int kPerMonitorAware = 2;

// The DPI awareness a window was made with (any program's window), or -1
// where the platform cannot tell; the functions came with Windows 10.
int DpiAwarenessOf(HWND window) {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    using GetContext = void*(WINAPI*)(HWND);
    using GetAwareness = int(WINAPI*)(void*);
    const auto get_context = reinterpret_cast<GetContext>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetWindowDpiAwarenessContext")));
    const auto get_awareness = reinterpret_cast<GetAwareness>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetAwarenessFromDpiAwarenessContext")));
    if (get_context == nullptr || get_awareness == nullptr) {
        return -1;
    }
    return get_awareness(get_context(window));
}

// A hue test that survives the renderer's dimming and flashing.
bool Reddish(const Rgb& p) {
    return p.r >= 40 && p.r > 2 * p.g && p.r > 2 * p.b;
}
bool Greenish(const Rgb& p) {
    return p.g >= 40 && p.g > 2 * p.r && p.g > 2 * p.b;
}
bool Bluish(const Rgb& p) {
    return p.b >= 40 && p.b > 2 * p.r && p.b > 2 * p.g;
}

int Count(const ScreenShot& shot, int y0, int y1, bool (*test)(const Rgb&)) {
    int count = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            count += test(shot.at(x, y)) ? 1 : 0;
        }
    }
    return count;
}

class ScreensaverRun : public ::testing::Test {
protected:
    void SetUp() override {
        EndLeftoverRenderers();
        RemoveHandoffFolder();
        m_scr = InstallPrograms(kFolder, RendererKind::Real);
    }
    void TearDown() override {
        EndLeftoverRenderers();
        UninstallPrograms(kFolder);
    }

    // Starts a run and waits for the renderer's window.
    HWND StartRun(ChildProcess& scr, const std::string& arguments) {
        if (!StartScreensaver(scr, m_scr, arguments)) {
            return nullptr;
        }
        return WaitForRendererWindow(30s);
    }

    // Presses Esc in the renderer: it ends with code 0, and the screensaver
    // program follows by itself within about half a second.
    void EndWithEsc(ChildProcess& scr, HWND renderer_window) {
        WindowProcess renderer(renderer_window);
        ASSERT_TRUE(renderer.valid());
        // NOTE: a renderer that shows its window only after the first look
        // (500 ms) has the run end at once; that is no run to end with Esc.
        ASSERT_TRUE(scr.running()) << "the run ended before the renderer's window was there";
        PressEscape(renderer_window);
        ASSERT_TRUE(wait_until([&] { return !IsWindow(renderer_window); }, 5s))
            << "the renderer did not take Esc";
        const auto window_gone = std::chrono::steady_clock::now();
        const auto scr_code = scr.wait_for_exit(5s);
        const auto scr_ended = std::chrono::steady_clock::now();
        const auto renderer_code = renderer.wait_for_exit(5s);
        ASSERT_TRUE(renderer_code.has_value());
        EXPECT_EQ(*renderer_code, 0u);
        ASSERT_TRUE(scr_code.has_value()) << "Velmoran.scr did not end with the renderer";
        EXPECT_EQ(*scr_code, 0u);
        const auto after =
            std::chrono::duration_cast<std::chrono::milliseconds>(scr_ended - window_gone);
        std::printf("Velmoran.scr ended %lld ms after the renderer's window went\n",
                    static_cast<long long>(after.count()));
        // The watch looks every 500 ms; the rest is slack for a busy machine.
        EXPECT_LT(after, 1200ms);
    }

    std::string m_scr;
};

TEST_F(ScreensaverRun, ARunPhotographsTheScreenShowsItAsTheFloorAndEndsOnEsc) {
    PatternWindow pattern(kPatternArea, {kRed, kGreen, kBlue, kYellow});
    ChildProcess scr;
    HWND renderer = StartRun(scr, "/s");
    ASSERT_NE(renderer, nullptr) << "no renderer window";

    // The renderer's program is the one beside Velmoran.scr.
    {
        WindowProcess process(renderer);
        EXPECT_EQ(process.image_path(), std::string(kFolder) + "\\Velmoran.dll");
    }
    // The run window is there, hidden, and no message was shown.
    HWND run_window = FindWindowA(nullptr, "Velmoran_Main");
    ASSERT_NE(run_window, nullptr);
    EXPECT_FALSE(IsWindowVisible(run_window));
    DWORD run_owner = 0;
    GetWindowThreadProcessId(run_window, &run_owner);
    EXPECT_EQ(run_owner, scr.id());
    EXPECT_EQ(FindMessageBox(scr.id()), nullptr);
    // The program declares itself aware of each monitor's scale, so that on a
    // scaled display the photograph is the whole screen at its true size.
    EXPECT_EQ(DpiAwarenessOf(run_window), kPerMonitorAware);

    // Exactly the three hand-off files.
    EXPECT_EQ(HandoffFileNames(),
              (std::vector<std::string>{"Velmoran0.bmp", "Velmoran1.bmp", "Velmoran2.bmp"}));

    // The screen photograph: the whole screen, the pattern where it was.
    const auto photo = ReadBmp(HandoffFile(0));
    ASSERT_TRUE(photo.has_value());
    EXPECT_EQ(photo->width, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(photo->height, GetSystemMetrics(SM_CYSCREEN));
    const COLORREF stripes[] = {kRed, kGreen, kBlue, kYellow};
    for (int i = 0; i < 4; ++i) {
        const int left = kPatternArea.left + 200 * i;
        for (const POINT p : {POINT{left, kPatternArea.top}, POINT{left + 100, 360},
                              POINT{left + 199, kPatternArea.bottom - 1}}) {
            EXPECT_EQ(photo->at(p.x, p.y), RgbOf(stripes[i])) << p.x << "," << p.y;
        }
    }
    // Just outside the pattern, none of its colours.
    for (const POINT p : {POINT{kPatternArea.left - 1, 300}, POINT{kPatternArea.right, 300},
                          POINT{400, kPatternArea.top - 1}, POINT{400, kPatternArea.bottom}}) {
        for (COLORREF colour : stripes) {
            EXPECT_NE(photo->at(p.x, p.y), RgbOf(colour)) << p.x << "," << p.y;
        }
    }

    // The bolt pictures: exactly those built into the program, 256 x 256 on black.
    const char* const committed[] = {"bolt_violet.bmp", "bolt_yellow.bmp"};
    for (int i = 1; i <= 2; ++i) {
        const auto bolt = ReadBmp(HandoffFile(i));
        ASSERT_TRUE(bolt.has_value()) << i;
        EXPECT_EQ(bolt->width, 256);
        EXPECT_EQ(bolt->height, 256);
        const auto original = ReadBmp(ResourcesFolder() + "\\" + committed[i - 1]);
        ASSERT_TRUE(original.has_value());
        EXPECT_TRUE(bolt->pixels == original->pixels) << "Velmoran" << i << ".bmp";
        for (const POINT p : {POINT{0, 0}, POINT{255, 0}, POINT{0, 255}, POINT{255, 255},
                              POINT{20, 128}, POINT{235, 128}}) {
            EXPECT_EQ(bolt->at(p.x, p.y), Rgb{}) << i << ": " << p.x << "," << p.y;
        }
    }

    // On the screen: the pattern's colours on the floor (the lower half) and,
    // in some frame within a few seconds, a bolt in the sky above it. The
    // renderer's window is blank until its first frame; then the sky is dark.
    ScreenShot floor_shot;
    ASSERT_TRUE(wait_until(
        [&] {
            floor_shot = ScreenShot::capture();
            return floor_shot.mean_brightness(0, 0, floor_shot.width(), 40) < 60;
        },
        10s, 50ms))
        << "no frame drawn";
    ScreenShot bolt_shot;
    int most_bolt_pixels = 0;
    wait_until(
        [&] {
            ScreenShot shot = ScreenShot::capture();
            const int bright = shot.count_at_least(0, 0, shot.width(), shot.height() / 3, 200);
            if (bright > most_bolt_pixels) {
                most_bolt_pixels = bright;
                bolt_shot = shot;
            }
            return bright > 150;
        },
        6s, 100ms);
    floor_shot.save_png("screensaver-run-floor");
    if (bolt_shot.width() > 0) {
        bolt_shot.save_png("screensaver-run-bolt");
    }
    const int half = floor_shot.height() / 2;
    EXPECT_GT(Count(floor_shot, half, floor_shot.height(), Reddish), 500);
    EXPECT_GT(Count(floor_shot, half, floor_shot.height(), Greenish), 500);
    EXPECT_GT(Count(floor_shot, half, floor_shot.height(), Bluish), 500);
    EXPECT_GT(most_bolt_pixels, 150) << "no bolt in the sky";

    EndWithEsc(scr, renderer);
    // The photograph of the user's desktop does not outlive the run.
    EXPECT_EQ(HandoffFileNames(), (std::vector<std::string>{"Velmoran1.bmp", "Velmoran2.bmp"}));
}

TEST_F(ScreensaverRun, AnEmptyCommandLineRunsTheSame) {
    PatternWindow pattern(kPatternArea, {kGreen});
    ChildProcess scr;
    HWND renderer = StartRun(scr, "");
    ASSERT_NE(renderer, nullptr);
    EXPECT_EQ(HandoffFileNames().size(), 3u);
    EndWithEsc(scr, renderer);
}

// Each run writes its own photograph and takes it away when it ends; the
// bolt pictures stay.
TEST_F(ScreensaverRun, TwoRunsInARowEachPhotographTheirScreenAndLeaveOnlyTheBolts) {
    {
        PatternWindow pattern(kPatternArea, {kRed});
        ChildProcess scr;
        HWND renderer = StartRun(scr, "/s");
        ASSERT_NE(renderer, nullptr);
        const auto first = ReadBmp(HandoffFile(0));
        ASSERT_TRUE(first.has_value());
        ASSERT_EQ(first->at(400, 300), RgbOf(kRed));
        EndWithEsc(scr, renderer);
    }
    EXPECT_EQ(HandoffFileNames(), (std::vector<std::string>{"Velmoran1.bmp", "Velmoran2.bmp"}));
    PatternWindow pattern(kPatternArea, {kBlue});
    ChildProcess scr;
    HWND renderer = StartRun(scr, "/S");
    ASSERT_NE(renderer, nullptr);
    EXPECT_EQ(HandoffFileNames(),
              (std::vector<std::string>{"Velmoran0.bmp", "Velmoran1.bmp", "Velmoran2.bmp"}));
    const auto second = ReadBmp(HandoffFile(0));
    ASSERT_TRUE(second.has_value());
    EXPECT_EQ(second->width, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(second->at(400, 300), RgbOf(kBlue));
    EXPECT_EQ(second->at(kPatternArea.left, kPatternArea.top), RgbOf(kBlue));
    EndWithEsc(scr, renderer);

    EXPECT_EQ(HandoffFileNames(), (std::vector<std::string>{"Velmoran1.bmp", "Velmoran2.bmp"}));
}

} // namespace
