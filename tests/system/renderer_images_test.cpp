// The renderer with hand-off images in the user's hand-off folder as a user meets them:
// error boxes for broken files, none for missing ones, and the floor on the
// screen afterwards.

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

// The dialog class of message boxes.
constexpr const char* kDialogClass = "#32770";
// The control that holds a message box's text.
constexpr int kMessageTextId = 0xffff;

struct BoxSearch {
    DWORD process;
    HWND box;
};

// A top-level message box captioned "Error" that belongs to the process.
HWND find_error_box(DWORD process) {
    BoxSearch search{process, nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<BoxSearch*>(param);
            char class_name[64] = {};
            char title[64] = {};
            DWORD owner = 0;
            GetClassNameA(window, class_name, sizeof(class_name));
            GetWindowTextA(window, title, sizeof(title));
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->process && std::string(class_name) == kDialogClass &&
                std::string(title) == "Error") {
                s->box = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.box;
}

void write_file(const char* path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// Share of the floor's pixels (the rows below the horizon) for which keep holds.
template <typename Keep>
double floor_share(const ScreenShot& shot, Keep keep) {
    int kept = 0;
    int total = 0;
    for (int y = 430; y < 768; y += 2) {
        for (int x = 0; x < 1024; x += 2) {
            kept += keep(shot.at(x, y)) ? 1 : 0;
            ++total;
        }
    }
    return static_cast<double>(kept) / total;
}

bool is_floor_grey(Rgb p) {
    return p.r == p.g && p.g == p.b && p.r >= 49 && p.r <= 53;
}

class RendererImagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(wait_for_window_gone(kTitle, 5s)) << "a renderer from an earlier test runs on";
        // NOTE: a test that ran the renderer in a virtual desktop can leave
        // the display settings changed; start from the registry's mode.
        ChangeDisplaySettingsA(nullptr, 0);
        CreateDirectoryA(HandoffFolderPath().c_str(), nullptr);
        remove_images();
    }

    void TearDown() override {
        if (m_window != nullptr) {
            PostMessageA(m_window, WM_KEYDOWN, VK_ESCAPE, 0);
            m_renderer.wait_for_exit(5s);
        }
        remove_images();
    }

    static void remove_images() {
        for (int index = 0; index < 3; ++index) {
            DeleteFileA(HandoffPath(index).c_str());
        }
    }

    void start_renderer(const std::string& arguments = "") {
        const std::string path = program_folder() + "\\Velmoran.dll";
        ASSERT_TRUE(m_renderer.start(path, path + arguments)) << "cannot start " << path;
    }

    // Ends the renderer of one case of a test that has several.
    void end_renderer() {
        PostMessageA(m_window, WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_TRUE(m_renderer.wait_for_exit(5s).has_value());
        m_window = nullptr;
        remove_images();
    }

    HWND wait_for_error_box() {
        HWND box = nullptr;
        wait_until([&] { return (box = find_error_box(m_renderer.id())) != nullptr; }, 10s);
        return box;
    }

    // Presses Enter on the box, as a user would, and waits for it to go.
    void dismiss_with_the_keyboard(HWND box) {
        SetForegroundWindow(box);
        ASSERT_TRUE(wait_until([&] { return GetForegroundWindow() == box; }, 3s));
        INPUT keys[2] = {};
        keys[0].type = keys[1].type = INPUT_KEYBOARD;
        keys[0].ki.wVk = keys[1].ki.wVk = VK_RETURN;
        keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
        ASSERT_EQ(SendInput(2, keys, sizeof(INPUT)), 2u);
        EXPECT_TRUE(wait_until([&] { return !IsWindow(box); }, 5s)) << "the box stays";
    }

    // Screenshots until one shows a floor of which at least share satisfies keep.
    template <typename Keep>
    bool floor_shows(Keep keep, double share, const std::string& name) {
        ScreenShot shot;
        const bool shown = wait_until(
            [&] {
                shot = ScreenShot::capture();
                return floor_share(shot, keep) >= share;
            },
            5s, 100ms);
        shot.save_png(name);
        return shown;
    }

    ChildProcess m_renderer;
    HWND m_window = nullptr;
};

// A floor picture that is there but cannot be opened, an empty one or one
// another program holds open for writing, shows the box for it.
TEST_F(RendererImagesTest, AFloorPictureThatCannotBeOpenedShowsTheOpenErrorThenAGreyFloor) {
    for (const bool held : {false, true}) {
        SCOPED_TRACE(held ? "held open for writing" : "empty");
        write_file(HandoffPath(0).c_str(),
                   held ? std::vector<std::uint8_t>(64, 'x') : std::vector<std::uint8_t>{});
        HANDLE writer = held ? CreateFileA(HandoffPath(0).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                           nullptr, OPEN_EXISTING, 0, nullptr)
                             : INVALID_HANDLE_VALUE;
        start_renderer();
        m_window = wait_for_window(kTitle, 10s);
        ASSERT_NE(m_window, nullptr);

        HWND box = wait_for_error_box();
        ASSERT_NE(box, nullptr) << "no box captioned Error";
        char text[512] = {};
        GetDlgItemTextA(box, kMessageTextId, text, sizeof(text));
        EXPECT_EQ(std::string(text), "Failed to open DIB file " + HandoffPath(0) + ".\n");
        EXPECT_EQ(GetWindow(box, GW_OWNER), m_window)
            << "the box is owned by the renderer's window";
        EXPECT_FALSE(IsWindowEnabled(m_window)) << "the box is modal";
        EXPECT_FALSE(m_renderer.wait_for_exit(300ms).has_value());

        dismiss_with_the_keyboard(box);
        EXPECT_TRUE(floor_shows(is_floor_grey, 0.95, "renderer_empty_floor_picture"))
            << "no flat grey floor of 0.2";
        EXPECT_EQ(find_error_box(m_renderer.id()), nullptr);
        if (writer != INVALID_HANDLE_VALUE) {
            CloseHandle(writer);
        }
        end_renderer();
    }
}

// A run-length file of 800 KB claiming 40000 x 40000 pixels (4.8 GB of RGB):
// refused before anything is allocated, as memory the platform cannot give.
TEST_F(RendererImagesTest, FloorPictureClaimingBillionsOfPixelsIsOutOfMemoryAndTheRendererRunsOn) {
    bmp_test::BmpLayout huge = bmp_test::bmp_layout(40000, 40000, 8);
    huge.compression = 1;
    huge.palette = {0xffffff};
    huge.colours_used = 1;
    huge.pixels.assign(800'000, 0x00); // end-of-line codes
    huge.size_image = static_cast<std::uint32_t>(huge.pixels.size());
    write_file(HandoffPath(0).c_str(), bmp_test::build_bmp(huge));
    start_renderer();
    m_window = wait_for_window(kTitle, 10s);
    ASSERT_NE(m_window, nullptr);

    HWND box = wait_for_error_box();
    ASSERT_NE(box, nullptr) << "no box captioned Error";
    char text[512] = {};
    GetDlgItemTextA(box, kMessageTextId, text, sizeof(text));
    EXPECT_STREQ(text, "Out of memory.");
    dismiss_with_the_keyboard(box);
    EXPECT_TRUE(floor_shows(is_floor_grey, 0.95, "renderer_huge_floor_picture"))
        << "no flat grey floor of 0.2";
    EXPECT_FALSE(m_renderer.wait_for_exit(0ms).has_value()) << "the renderer did not run on";
}

TEST_F(RendererImagesTest, BoltPictureWithAnUnknownHeaderShowsItsErrorAndLeavesTheFloorAlone) {
    bmp_test::BmpLayout v4 = bmp_test::bmp_layout(4, 4, 24);
    v4.header_size = 108;
    v4.pixels.assign(48, 0xff);
    write_file(HandoffPath(1).c_str(), bmp_test::build_bmp(v4));
    start_renderer();
    m_window = wait_for_window(kTitle, 10s);
    ASSERT_NE(m_window, nullptr);

    HWND box = wait_for_error_box();
    ASSERT_NE(box, nullptr);
    char text[512] = {};
    GetDlgItemTextA(box, kMessageTextId, text, sizeof(text));
    EXPECT_STREQ(text, "Unknown DIB file format.");
    dismiss_with_the_keyboard(box);
    EXPECT_TRUE(floor_shows(is_floor_grey, 0.95, "renderer_unknown_bolt_header"));
}

// No picture, a hard link to a picture, and a picture this run did not
// write (an earlier run's): no box, and the grey floor.
TEST_F(RendererImagesTest, MissingImagesShowNoBoxAndAGreyFloor) {
    bmp_test::BmpLayout red = bmp_test::bmp_layout(64, 48, 24);
    red.pixels = bmp_test::stored_rows(64, 48, 24, [](int, int) { return 0xff0000u; });
    const std::string elsewhere = HandoffFolderPath() + "\\elsewhere.bmp";
    for (const char* arguments : {"", "hard link", " /no-photograph"}) {
        SCOPED_TRACE(arguments);
        write_file(elsewhere.c_str(), bmp_test::build_bmp(red));
        if (*arguments != '\0') {
            ASSERT_TRUE(arguments[0] == 'h'
                            ? CreateHardLinkA(HandoffPath(0).c_str(), elsewhere.c_str(), nullptr)
                            : MoveFileA(elsewhere.c_str(), HandoffPath(0).c_str()));
        }
        start_renderer(arguments[0] == ' ' ? arguments : "");
        m_window = wait_for_window(kTitle, 10s);
        ASSERT_NE(m_window, nullptr);
        EXPECT_TRUE(floor_shows(is_floor_grey, 0.95, "renderer_missing_images"));
        EXPECT_EQ(find_error_box(m_renderer.id()), nullptr);
        EXPECT_TRUE(IsWindowEnabled(m_window));
        end_renderer();
        DeleteFileA(elsewhere.c_str());
    }
}

// A 1366 x 768 picture, red on its left half and blue on its right, lies on
// the floor at a fifth of its brightness.
TEST_F(RendererImagesTest, FloorPictureLiesOnTheFloorDimmed) {
    bmp_test::BmpLayout desktop = bmp_test::bmp_layout(1366, 768, 24);
    desktop.pixels = bmp_test::stored_rows(
        1366, 768, 24, [](int x, int) { return x < 683 ? 0xff0000u : 0x0000ffu; });
    write_file(HandoffPath(0).c_str(), bmp_test::build_bmp(desktop));
    start_renderer();
    m_window = wait_for_window(kTitle, 10s);
    ASSERT_NE(m_window, nullptr);

    auto dim_red = [](Rgb p) { return p.r >= 45 && p.r <= 53 && p.g == 0 && p.b <= 2; };
    auto dim_blue = [](Rgb p) { return p.b >= 45 && p.b <= 53 && p.g == 0 && p.r <= 2; };
    ScreenShot shot;
    const bool both = wait_until(
        [&] {
            shot = ScreenShot::capture();
            return floor_share(shot, dim_red) > 0.2 && floor_share(shot, dim_blue) > 0.2;
        },
        5s, 100ms);
    shot.save_png("renderer_floor_picture");
    EXPECT_TRUE(both) << "red " << floor_share(shot, dim_red) << ", blue "
                      << floor_share(shot, dim_blue);
    EXPECT_EQ(find_error_box(m_renderer.id()), nullptr);
}

} // namespace
