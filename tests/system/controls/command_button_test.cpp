// The Command button on a real form, as a user sees it: the frame pictures'
// corners and stretched edges, the face gradient in both schemes, the
// disabled look, the caption's place, and clicks from real mouse input. The
// same program runs at 96 and at 192 dots per inch; every length follows
// the screen's resolution.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

#include "command.h"
#include "png_writer.h"
#include "program_runner.h"
#include "runtime/twips.h"
#include "runtime/win32/application.h"
#include "runtime/win32/form.h"
#include "scr_driver.h"
#include "screen.h"

using namespace std::chrono_literals;
using namespace runtime;
using namespace velmoran_test;

namespace {

void PumpFor(std::chrono::milliseconds duration) {
    wait_until([] { return false; }, duration, 5ms);
}

int Px(double twips) {
    return PixelsFromTwips(twips, Screen().dpi_x);
}

// A borderless form at the screen's top-left corner with one button of the
// settings dialog's size on it, restored as the dialog restores its buttons.
class ButtonForm : public Form {
public:
    Command Cmd{*this, "Cmd_Set"};
    ButtonForm() {
        SetBorderStyle(BorderStyle::None);
        SetBackColor(RGB(40, 40, 40));
        Move(0, 0, 3000, 1500);
        Cmd.Move(450, 300, 1215, 375);
        PropertyBag stored;
        stored.Write("caption", std::string("OK"), std::string("Command"));
        Cmd.RestoreProperties(stored);
    }
    void ShowOnTop() {
        Show();
        SetWindowPos(Hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        Cmd.Initialize();
        PumpFor(60ms);
    }
    RECT ButtonRect() const {
        RECT r{};
        GetWindowRect(Cmd.Hwnd(), &r);
        return r;
    }
};

// A 64 x 25 picture whose pixel (x, y) is (4x, 10y, 128): where a screen
// pixel came from can be read off its colour.
PictureRef CoordinatePicture() {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 64, -25, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* pixels = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < 25; ++y) {
        for (int x = 0; x < 64; ++x) {
            pixels[y * 64 + x] = (4u * x) << 16 | (10u * y) << 8 | 128u;
        }
    }
    return std::make_shared<const Picture>(bitmap);
}

Rgb PictureAt(const RgbPicture& p, int x, int y) {
    const unsigned char* c = &p.rgb[static_cast<std::size_t>(y * p.width + x) * 3];
    return Rgb{c[0], c[1], c[2]};
}

bool Near(const Rgb& a, const Rgb& b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

// The face just inside the left edge, beside the caption: from the control's
// top row to its bottom row the colour runs linearly from one end of the
// gradient to the other (the frame covers the first and last rows).
void ExpectFaceGradient(const ScreenShot& shot, const RECT& b, bool hover, const char* what) {
    const int h = b.bottom - b.top;
    const int x = b.left + Px(60) + 2;
    const Rgb white{255, 255, 255};
    const Rgb shade{198, 197, 215};
    const Rgb top = hover ? shade : white;
    const Rgb bottom = hover ? white : shade;
    for (int y = Px(60); y < h - Px(60); ++y) {
        const double t = static_cast<double>(y) / (h - 1);
        const Rgb want{static_cast<std::uint8_t>(std::lround(top.r + (bottom.r - top.r) * t)),
                       static_cast<std::uint8_t>(std::lround(top.g + (bottom.g - top.g) * t)),
                       static_cast<std::uint8_t>(std::lround(top.b + (bottom.b - top.b) * t))};
        const Rgb seen = shot.at(x, b.top + y);
        EXPECT_TRUE(Near(seen, want, 2))
            << what << ": row " << y << " is " << int(seen.r) << "," << int(seen.g) << ","
            << int(seen.b) << ", not " << int(want.r) << "," << int(want.g) << "," << int(want.b);
    }
}

int Dark(const ScreenShot& shot, int x0, int y0, int x1, int y1) {
    int dark = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            dark += shot.at(x, y).brightest() < 80 ? 1 : 0;
        }
    }
    return dark;
}

TEST(CommandButton, SizesFollowTheScreensResolution) {
    ButtonForm form;
    form.ShowOnTop();
    const RECT b = form.ButtonRect();
    EXPECT_EQ(b.right - b.left, Px(1215)); // 81 pixels at 96 dpi, 162 at 192
    EXPECT_EQ(b.bottom - b.top, Px(375));
    EXPECT_EQ(b.left, Px(450));
    // 1215 twips at 96, 120, 144 and 192 dots per inch.
    const std::map<int, int> widths{{96, 81}, {120, 101}, {144, 122}, {192, 162}};
    ASSERT_TRUE(widths.contains(Screen().dpi_x));
    EXPECT_EQ(b.right - b.left, widths.at(Screen().dpi_x));
}

TEST(CommandButton, CornersAreThePicturesAndEdgesStretchItsStrips) {
    ButtonForm form;
    form.Cmd.Normal = CoordinatePicture();
    form.ShowOnTop();
    EXPECT_TRUE(form.Cmd.Enabled()); // a read repaints the normal look
    PumpFor(40ms);
    const ScreenShot shot = ScreenShot::capture();
    const RECT b = form.ButtonRect();
    const int w = b.right - b.left;
    const int h = b.bottom - b.top;
    const int depth = Px(60); // 4 pixels at 96 dpi

    // Each corner is the picture's own 4 x 4 corner, scaled with the screen.
    const struct {
        int x, y, source_x, source_y;
    } corners[] = {
        {0, 0, 0, 0}, {w - depth, 0, 60, 0}, {0, h - depth, 0, 21}, {w - depth, h - depth, 60, 21}};
    for (const auto& c : corners) {
        for (int j = 0; j < depth; ++j) {
            for (int i = 0; i < depth; ++i) {
                const Rgb seen = shot.at(b.left + c.x + i, b.top + c.y + j);
                const int sx = c.source_x + i * 4 / depth;
                const int sy = c.source_y + j * 4 / depth;
                EXPECT_EQ(seen, (Rgb{static_cast<std::uint8_t>(4 * sx),
                                     static_cast<std::uint8_t>(10 * sy), 128}))
                    << "corner pixel " << c.x + i << "," << c.y + j;
            }
        }
    }
    // The top edge stretches the picture's columns 4..59 over the control's
    // width less the corners: every column once or more, in order.
    std::set<int> columns;
    int previous = 0;
    for (int x = depth; x < w - depth; ++x) {
        const int column = shot.at(b.left + x, b.top).r / 4;
        EXPECT_GE(column, previous) << "top edge at " << x;
        previous = column;
        columns.insert(column);
    }
    EXPECT_EQ(columns.size(), 56u);
    EXPECT_EQ(*columns.begin(), 4);
    EXPECT_EQ(*columns.rbegin(), 59);
    // The right edge stretches rows 4..20 over the height less the corners.
    std::set<int> rows;
    for (int y = depth; y < h - depth; ++y) {
        rows.insert(shot.at(b.right - 1, b.top + y).g / 10);
    }
    EXPECT_EQ(rows.size(), 17u);
    EXPECT_EQ(*rows.begin(), 4);
    EXPECT_EQ(*rows.rbegin(), 20);
}

TEST(CommandButton, NormalHoverAndDisabledLooks) {
    ButtonForm form;
    form.ShowOnTop();
    const RECT b = form.ButtonRect();
    const int w = b.right - b.left;
    const int line = Px(15); // the outline: one picture pixel
    const RgbPicture normal = ReadBmp24(ResourcesFolder() + "\\command_normal.bmp");
    ASSERT_EQ(normal.width, 64);

    ScreenShot shot = ScreenShot::capture();
    shot.save_png("command-normal-" + std::to_string(Screen().dpi_x) + "dpi");
    EXPECT_EQ(shot.at(b.left, b.top), PictureAt(normal, 0, 0));
    EXPECT_EQ(shot.at(b.left + w / 2, b.top + line), (Rgb{0, 60, 116})) << "the outline";
    ExpectFaceGradient(shot, b, false, "normal");
    // The caption: its label spans the control, its top 80 twips down, the
    // text centred in it.
    EXPECT_EQ(form.Cmd.LblMsg.Bounds().top, Px(80));
    EXPECT_EQ(form.Cmd.LblMsg.Bounds().right - form.Cmd.LblMsg.Bounds().left, w);
    const int label_top = b.top + Px(80);
    const int label_bottom = label_top + Px(195);
    EXPECT_GT(Dark(shot, b.left, label_top, b.right, label_bottom), 10) << "black text";
    EXPECT_EQ(Dark(shot, b.left + Px(60), b.top + Px(60), b.right - Px(60), label_top), 0);
    int left_most = w, right_most = 0;
    for (int x = 0; x < w; ++x) {
        if (Dark(shot, b.left + x, label_top, b.left + x + 1, label_bottom) > 0) {
            left_most = std::min(left_most, x);
            right_most = std::max(right_most, x);
        }
    }
    EXPECT_NEAR(left_most, w - 1 - right_most, 2) << "centred";

    // The pointer over the button: the hover frame and the inverted gradient.
    SetCursorPos(b.left + w / 2, b.top + 2);
    SendMessageW(form.Cmd.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(w / 2, 2));
    PumpFor(40ms);
    shot = ScreenShot::capture();
    EXPECT_EQ(form.Cmd.Core().CurrentState(), controls::ButtonState::HighLight);
    EXPECT_EQ(shot.at(b.left + w / 2, b.top + 2 * line), (Rgb{255, 240, 207})) << "orange band";
    ExpectFaceGradient(shot, b, true, "hover");

    // Disabled while hovered: the disabled frame keeps the hover gradient,
    // and the caption is greyed.
    form.Cmd.SetEnabled(false);
    PumpFor(40ms);
    shot = ScreenShot::capture();
    shot.save_png("command-disabled-hovered-" + std::to_string(Screen().dpi_x) + "dpi");
    EXPECT_EQ(shot.at(b.left + w / 2, b.top + line), (Rgb{201, 199, 186})) << "grey outline";
    ExpectFaceGradient(shot, b, true, "disabled while hovered");
    EXPECT_EQ(Dark(shot, b.left, label_top, b.right, label_bottom), 0) << "greyed text";

    // The pointer leaves: a disabled control keeps its state.
    SetCursorPos(b.right + 60, b.bottom + 60);
    PumpFor(250ms);
    EXPECT_EQ(form.Cmd.Core().CurrentState(), controls::ButtonState::HighLight);
}

// Moves the pointer (screen pixels) and presses or lets go of a button as a mouse does.
void Mouse(int x, int y, DWORD buttons = 0) {
    SetCursorPos(x, y);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
    input.mi.dx = (x * 65536 + 32768) / GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = (y * 65536 + 32768) / GetSystemMetrics(SM_CYSCREEN);
    SendInput(1, &input, sizeof(input));
    PumpFor(40ms);
}

TEST(CommandButton, ClicksFromARealMouse) {
    ButtonForm form;
    int clicks = 0;
    form.Cmd.Click = [&] { ++clicks; };
    form.ShowOnTop();
    SetForegroundWindow(form.Hwnd());
    const RECT b = form.ButtonRect();
    const int cx = (b.left + b.right) / 2;
    const int cy = (b.top + b.bottom) / 2; // on the caption
    const int away_x = b.right + Px(600);

    // A typical click on an unfocused button, then the pointer leaves.
    Mouse(cx, cy);
    EXPECT_EQ(form.Cmd.Core().CurrentState(), controls::ButtonState::HighLight);
    Mouse(cx, cy, MOUSEEVENTF_LEFTDOWN);
    EXPECT_EQ(GetFocus(), form.Cmd.Hwnd());
    EXPECT_EQ(form.Cmd.Core().CurrentState(), controls::ButtonState::HighLightSelect);
    EXPECT_TRUE(form.Cmd.Core().MouseDownFlag());
    Mouse(cx, cy, MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(clicks, 1);
    Mouse(away_x, cy);
    PumpFor(200ms);
    EXPECT_EQ(form.Cmd.Core().CurrentState(), controls::ButtonState::Selected);

    // Pressed, dragged off until the hover ends, released outside: no click.
    Mouse(b.left + Px(100), b.top + Px(100));
    Mouse(b.left + Px(100), b.top + Px(100), MOUSEEVENTF_LEFTDOWN);
    Mouse(away_x, cy);
    PumpFor(200ms);
    Mouse(away_x, cy, MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(clicks, 1);

    // A right button over the hovered button without the focus: neither the
    // focus nor the hover look changes; its release clicks.
    SetFocus(form.Hwnd());
    Mouse(cx, cy);
    Mouse(cx, cy, MOUSEEVENTF_RIGHTDOWN);
    EXPECT_NE(GetFocus(), form.Cmd.Hwnd());
    Mouse(cx, cy, MOUSEEVENTF_RIGHTUP);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(form.Cmd.Core().CurrentState(), controls::ButtonState::HighLight);
    ExpectFaceGradient(ScreenShot::capture(), b, true, "hovered after a right press");

    // Disabled: no press does anything.
    form.Cmd.SetEnabled(false);
    Mouse(cx, cy, MOUSEEVENTF_LEFTDOWN);
    Mouse(cx, cy, MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(clicks, 2);
    Mouse(away_x, cy);
}

// The six looks side by side, for a person to look at.
TEST(CommandButton, SixLooksSideBySide) {
    ButtonForm form;
    form.ShowOnTop();
    const RECT b = form.ButtonRect();
    const int w = b.right - b.left;
    const int h = b.bottom - b.top;
    const int margin = Px(120);
    const int cell_w = w + 2 * margin;
    const int cell_h = h + 2 * margin;
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(6 * cell_w * cell_h) * 3, 40);
    const auto take = [&](int cell) {
        PumpFor(40ms);
        const ScreenShot shot = ScreenShot::capture();
        for (int y = 0; y < cell_h; ++y) {
            for (int x = 0; x < cell_w; ++x) {
                const Rgb p = shot.at(b.left - margin + x, b.top - margin + y);
                const std::size_t at =
                    (static_cast<std::size_t>(y) * 6 * cell_w + cell * cell_w + x) * 3;
                rgb[at] = p.r;
                rgb[at + 1] = p.g;
                rgb[at + 2] = p.b;
            }
        }
    };
    const int cx = b.left + w / 2;
    const int cy = b.top + h / 2;
    take(0); // normal
    Mouse(cx, cy);
    take(1); // hovered
    Mouse(cx, cy, MOUSEEVENTF_LEFTDOWN);
    take(2); // pressed
    Mouse(cx, cy, MOUSEEVENTF_LEFTUP);
    take(3); // focused and hovered
    Mouse(b.right + Px(600), cy);
    PumpFor(200ms);
    take(4); // focused
    form.Cmd.SetEnabled(false);
    take(5); // disabled
    const char* folder = std::getenv("VELMORAN_ARTIFACTS");
    ASSERT_NE(folder, nullptr);
    const std::string path =
        std::string(folder) + "\\command-looks-" + std::to_string(Screen().dpi_x) + "dpi.png";
    EXPECT_TRUE(write_png(path, 6 * cell_w, cell_h, rgb));
}

} // namespace
