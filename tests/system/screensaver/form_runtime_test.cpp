// The form runtime's Win32 layer as the program's windows will use it:
// application services, forms and their unload protocol, timers, picture
// boxes with a retained image, labels, images, shapes, the combo box, and
// user-control hosting. Checked through windows, files and screen pixels.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "program_runner.h"
#include "runtime/conversions.h"
#include "runtime/win32/application.h"
#include "runtime/win32/combo_box.h"
#include "runtime/win32/form.h"
#include "runtime/win32/image_control.h"
#include "runtime/win32/label.h"
#include "runtime/win32/picture_box.h"
#include "runtime/win32/shape.h"
#include "runtime/win32/text_encoding.h"
#include "runtime/win32/timer.h"
#include "runtime/win32/user_control.h"
#include "screen.h"

using namespace std::chrono_literals;
using namespace runtime;
using namespace velmoran_test;

namespace {

constexpr int kTwips = 15; // twips per pixel of the test display (96 dots per inch)

void PumpFor(std::chrono::milliseconds duration) {
    wait_until([] { return false; }, duration, 5ms);
}

// A picture of four squares of block x block pixels: red, green on the top
// row; blue, white below.
PictureRef FourColourPicture(int block = 1) {
    const int side = 2 * block;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = side;
    info.bmiHeader.biHeight = -side; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* pixels = static_cast<std::uint32_t*>(bits);
    const std::uint32_t colours[2][2] = {{0xFF0000, 0x00FF00}, {0x0000FF, 0xFFFFFF}}; // 0x00RRGGBB
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            pixels[y * side + x] = colours[y / block][x / block];
        }
    }
    return std::make_shared<const Picture>(bitmap);
}

bool Near(const Rgb& seen, int r, int g, int b, int tolerance = 8) {
    return std::abs(seen.r - r) <= tolerance && std::abs(seen.g - g) <= tolerance &&
           std::abs(seen.b - b) <= tolerance;
}

// A form that records its events.
class RecordingForm : public Form {
public:
    RecordingForm() {
        SetBorderStyle(BorderStyle::None);
        SetScaleMode(ScaleMode::Pixels);
        Move(0, 0, 240 * kTwips, 120 * kTwips);
    }
    int loads = 0;
    int resizes = 0;
    int unloads = 0;
    bool refuse_unload = false;
    std::vector<UnloadReason> requests;
    std::vector<MouseEventArgs> downs;
    std::function<void()> on_load;

protected:
    void Form_Load() override {
        ++loads;
        if (on_load) {
            on_load();
        }
    }
    void Form_Resize() override { ++resizes; }
    void Form_QueryUnload(bool& cancel, UnloadReason reason) override {
        requests.push_back(reason);
        cancel = refuse_unload;
    }
    void Form_Unload(bool&) override { ++unloads; }
    void Form_MouseDown(const MouseEventArgs& args) override { downs.push_back(args); }
};

// Shows a form at the screen's top-left corner and lets it paint.
void ShowAndPaint(Form& form) {
    form.Show();
    SetWindowPos(form.Hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    form.Refresh();
    PumpFor(50ms);
}

// ---- Application ---------------------------------------------------------

TEST(Application, ProgramFolderAndCommandLine) {
    EXPECT_EQ(Application::ProgramFolder(), program_folder());
    EXPECT_NE(Application::ProgramFolder().back(), '\\');
    // The command line without the program: this test's own options.
    std::string options;
    for (int i = 1; i < __argc; ++i) {
        options += (i > 1 ? " " : "") + std::string(__argv[i]);
    }
    EXPECT_EQ(Application::CommandArguments(), options);
}

TEST(Application, ScreenInTwips) {
    const ScreenMetrics screen = Screen();
    EXPECT_EQ(screen.dpi_x, 96);
    EXPECT_EQ(screen.dpi_y, 96);
    EXPECT_EQ(screen.width_twips, GetSystemMetrics(SM_CXSCREEN) * 15);
    EXPECT_EQ(screen.height_twips, GetSystemMetrics(SM_CYSCREEN) * 15);
}

TEST(Application, StartsAProgramAndGivesItsProcessId) {
    const auto id = Application::StartProgram("C:\\windows\\system32\\cmd.exe /c exit 7", SW_HIDE);
    ASSERT_TRUE(id.has_value());
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, *id);
    ASSERT_NE(process, nullptr);
    EXPECT_EQ(WaitForSingleObject(process, 10000), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    CloseHandle(process);
    EXPECT_EQ(code, 7u);
    EXPECT_FALSE(Application::StartProgram("C:\\no\\such\\program.exe", SW_SHOWNORMAL));
}

TEST(Application, CreatesFolders) {
    const std::string folder = "C:\\velmoran-runtime-folder";
    RemoveDirectoryA(folder.c_str());
    EXPECT_TRUE(Application::CreateFolder(folder));
    EXPECT_FALSE(Application::CreateFolder(folder)); // there already
    EXPECT_TRUE(RemoveDirectoryA(folder.c_str()));
}

TEST(Application, TheHourglassShowsOverEveryForm) {
    RecordingForm form;
    ShowAndPaint(form);
    const LPARAM over_client = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
    Application::SetMousePointer(MousePointer::Hourglass);
    SendMessageW(form.Hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(form.Hwnd()), over_client);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_WAIT));
    Application::SetMousePointer(MousePointer::Default);
    SendMessageW(form.Hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(form.Hwnd()), over_client);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));
}

// ---- Forms ---------------------------------------------------------------

TEST(Form, LoadsHiddenAndIsFoundByItsCaption) {
    RecordingForm form;
    form.SetCaption("Velmoran runtime test");
    form.Move(50 * kTwips, 100 * kTwips, 100 * kTwips, 50 * kTwips);
    ASSERT_TRUE(form.Load());
    EXPECT_EQ(form.loads, 1);
    EXPECT_TRUE(form.IsLoaded());
    EXPECT_EQ(Application::LoadedFormCount(), 1u);
    HWND window = FindWindowA(nullptr, "Velmoran runtime test");
    EXPECT_EQ(window, form.Hwnd());
    EXPECT_FALSE(IsWindowVisible(window));

    // No border and no caption bar: the window is the client area.
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_FALSE(style & WS_CAPTION);
    EXPECT_FALSE(style & WS_THICKFRAME);
    RECT rect{};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 50);
    EXPECT_EQ(rect.top, 100);
    EXPECT_EQ(rect.right - rect.left, 100);
    EXPECT_EQ(rect.bottom - rect.top, 50);
    EXPECT_EQ(form.Width(), 1500);
    EXPECT_EQ(form.ScaleWidth(), 100); // pixels inside
    form.SetScaleMode(ScaleMode::Twips);
    EXPECT_EQ(form.ScaleWidth(), 1500);

    form.Load(); // loading a loaded form does nothing
    EXPECT_EQ(form.loads, 1);
    EXPECT_TRUE(form.Unload());
    EXPECT_EQ(FindWindowA(nullptr, "Velmoran runtime test"), nullptr);
    EXPECT_EQ(form.unloads, 1);
    EXPECT_EQ(form.requests, std::vector<UnloadReason>{UnloadReason::Code});
    EXPECT_EQ(Application::LoadedFormCount(), 0u);
}

TEST(Form, AnUnloadRequestCanBeRefusedAndSaysWhy) {
    RecordingForm form;
    form.Load();
    form.refuse_unload = true;
    PostMessageW(form.Hwnd(), WM_CLOSE, 0, 0);
    PumpFor(30ms);
    EXPECT_TRUE(form.IsLoaded());
    EXPECT_EQ(form.unloads, 0);
    EXPECT_FALSE(form.Unload());

    form.refuse_unload = false;
    PostMessageW(form.Hwnd(), WM_CLOSE, 0, 0);
    PumpFor(30ms);
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_EQ(form.unloads, 1);
    EXPECT_EQ(form.requests,
              (std::vector<UnloadReason>{UnloadReason::ControlMenu, UnloadReason::Code,
                                         UnloadReason::ControlMenu}));
}

TEST(Form, DestroyedWithItsParentItUnloadsWithoutBeingAsked) {
    auto host = std::make_unique<PatternWindow>(RECT{300, 300, 400, 400},
                                                std::vector<COLORREF>{RGB(0, 0, 0)});
    RecordingForm form;
    form.Load();
    SetWindowLongA(form.Hwnd(), GWL_STYLE,
                   (GetWindowLongA(form.Hwnd(), GWL_STYLE) | WS_CHILD) & ~WS_POPUP);
    SetParent(form.Hwnd(), host->handle());
    host.reset();
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_EQ(form.unloads, 1);
    EXPECT_TRUE(form.requests.empty());
    EXPECT_EQ(Application::LoadedFormCount(), 0u);
}

TEST(Form, ResizeIsRaisedOnTheFirstShowAndOnEveryChangeOfSize) {
    RecordingForm form;
    form.Load();
    EXPECT_EQ(form.resizes, 0);
    form.Show();
    EXPECT_GE(form.resizes, 1);
    const int before = form.resizes;
    form.Move(0, 0, 200 * kTwips, 100 * kTwips);
    EXPECT_GT(form.resizes, before);
    form.SetClientSize(300 * kTwips, 90 * kTwips);
    EXPECT_EQ(form.ClientSize().cx, 300);
    EXPECT_EQ(form.ClientSize().cy, 90);
}

class TimerForm : public RecordingForm {
public:
    Timer Timer1{*this, "Timer1", 25, true};
};

TEST(Form, RunLastsWhileAFormIsLoaded) {
    TimerForm form;
    form.Timer1.Tick = [&] { form.Unload(); };
    form.Show();
    EXPECT_EQ(Application::Run(), 0);
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_EQ(Application::Run(), 0); // nothing loaded: returns at once
}

TEST(Form, ShowModalWaitsForTheUnloadWhileTheOtherFormsWait) {
    RecordingForm other;
    other.Show();
    TimerForm modal;
    int ticks = 0;
    BOOL other_enabled_meanwhile = TRUE;
    modal.Timer1.Tick = [&] {
        if (++ticks == 3) {
            other_enabled_meanwhile = IsWindowEnabled(other.Hwnd());
            modal.Unload();
        }
    };
    modal.ShowModal();
    EXPECT_EQ(ticks, 3);
    EXPECT_FALSE(modal.IsLoaded());
    EXPECT_FALSE(other_enabled_meanwhile);
    EXPECT_TRUE(IsWindowEnabled(other.Hwnd()));
}

// ---- Timers --------------------------------------------------------------

TEST(Timer, ATickThatFallsDueDuringTheLoadWaitsForItsEnd) {
    TimerForm form;
    int ticks = 0;
    int ticks_during_load = -1;
    form.Timer1.Tick = [&] { ++ticks; };
    form.on_load = [&] {
        Sleep(150);
        pump_messages(); // the timer's message arrives while the load runs
        pump_messages();
        ticks_during_load = ticks;
    };
    form.Load();
    EXPECT_EQ(ticks_during_load, 0);
    EXPECT_EQ(ticks, 1); // raised as soon as the load returned
}

TEST(Timer, IntervalAndEnabled) {
    TimerForm form;
    int ticks = 0;
    form.Timer1.Tick = [&] { ++ticks; };
    form.Load();
    PumpFor(300ms);
    EXPECT_GE(ticks, 4);
    EXPECT_LE(ticks, 14);

    form.Timer1.SetEnabled(false);
    int before = ticks;
    PumpFor(150ms);
    EXPECT_EQ(ticks, before);

    form.Timer1.SetInterval(0); // no interval: no ticks even when enabled
    form.Timer1.SetEnabled(true);
    PumpFor(100ms);
    EXPECT_EQ(ticks, before);

    form.Timer1.SetInterval(20);
    PumpFor(150ms);
    EXPECT_GT(ticks, before);
}

// ---- Picture boxes -------------------------------------------------------

class PictureForm : public RecordingForm {
public:
    PictureBox Display{*this, "Display", 0};
    PictureForm() {
        Display.SetAutoRedraw(true);
        Display.SetScaleMode(ScaleMode::Pixels);
        Display.SetBackColor(RGB(0, 0, 0));
        Display.Move(10, 10, 20, 20);
    }
};

std::vector<unsigned char> ReadFileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::uint32_t U32(const std::vector<unsigned char>& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | b[at + 3] << 24);
}

TEST(PictureBox, SavesItsRetainedImageAsABottomUpBmpAtTheDisplaysDepth) {
    PictureForm form;
    form.Display.Move(0, 0, 5, 3);
    form.Load();
    HDC dc = form.Display.hDC();
    ASSERT_NE(dc, nullptr);
    SetPixel(dc, 0, 0, RGB(255, 0, 0)); // top-left
    SetPixel(dc, 4, 2, RGB(0, 0, 255)); // bottom-right
    const std::string path = "C:\\velmoran-runtime-image.bmp";
    ASSERT_TRUE(form.Display.SaveImage(path));
    const auto bytes = ReadFileBytes(path);
    DeleteFileA(path.c_str());

    HDC screen = GetDC(nullptr);
    const int depth = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    ReleaseDC(nullptr, screen);
    ASSERT_GE(bytes.size(), 54u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(U32(bytes, 2), bytes.size());
    EXPECT_EQ(U32(bytes, 14), 40u);
    EXPECT_EQ(U32(bytes, 18), 5u);
    EXPECT_EQ(U32(bytes, 22), 3u); // positive height: bottom-up rows
    EXPECT_EQ(bytes[28], depth);
    EXPECT_EQ(U32(bytes, 30), 0u); // no compression
    ASSERT_TRUE(depth == 24 || depth == 32) << "a display depth this test does not read: " << depth;
    const std::size_t pixel_bytes = static_cast<std::size_t>(depth / 8);
    const std::size_t stride = (5 * pixel_bytes + 3) / 4 * 4;
    const std::size_t offset = U32(bytes, 10);
    ASSERT_EQ(bytes.size(), offset + stride * 3);
    // The file's first row is the picture's bottom row.
    const unsigned char* bottom_right = &bytes[offset + 4 * pixel_bytes];
    EXPECT_EQ(bottom_right[0], 255); // blue, green, red
    EXPECT_EQ(bottom_right[1], 0);
    EXPECT_EQ(bottom_right[2], 0);
    const unsigned char* top_left = &bytes[offset + 2 * stride];
    EXPECT_EQ(top_left[0], 0);
    EXPECT_EQ(top_left[1], 0);
    EXPECT_EQ(top_left[2], 255);
}

TEST(PictureBox, ClsBringsBackTheBackgroundAndItsPicture) {
    PictureForm form;
    form.Display.SetBackgroundPicture(FourColourPicture());
    form.Load();
    HDC dc = form.Display.hDC();
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 3, 2), RGB(0, 0, 0));
    SetPixel(dc, 0, 0, RGB(0, 255, 0));
    SetPixel(dc, 3, 2, RGB(0, 255, 0));
    form.Display.Cls();
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 3, 2), RGB(0, 0, 0));
}

TEST(PictureBox, PaintPictureCopiesAStretchedRectangle) {
    PictureForm form;
    form.Load();
    HDC dc = form.Display.hDC();
    const PictureRef picture = FourColourPicture();
    form.Display.PaintPicture(*picture, 0, 0, 20, 20);
    EXPECT_EQ(GetPixel(dc, 5, 5), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 15, 5), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(dc, 5, 15), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc, 15, 15), RGB(255, 255, 255));
    form.Display.PaintPicture(*picture, 0, 0, 20, 20, 1, 1, 1, 1); // the white pixel alone
    EXPECT_EQ(GetPixel(dc, 2, 2), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 17, 17), RGB(255, 255, 255));
}

TEST(PictureBox, TheWindowShowsTheRetainedImage) {
    PictureForm form;
    ShowAndPaint(form);
    HDC dc = form.Display.hDC();
    form.Display.Line(0, 5, 20, 5, RGB(255, 255, 0));
    form.Display.Refresh();
    PumpFor(30ms);
    const ScreenShot shot = ScreenShot::capture();
    EXPECT_TRUE(Near(shot.at(10 + 7, 10 + 5), 255, 255, 0, 0));
    EXPECT_TRUE(Near(shot.at(10 + 7, 10 + 8), 0, 0, 0, 0));
    (void)dc;
}

// ---- Labels, images, shapes ----------------------------------------------

class LabelForm : public RecordingForm {
public:
    Label lbl{*this, "lbl", 3};
    LabelForm() {
        SetBackColor(RGB(0, 0, 160));
        lbl.Move(10, 10, 200, 40);
        lbl.SetCaption("WWWW");
        lbl.SetFont(MakeFont(FontDescription{"Tahoma", 20, 700, false, false, false, 0}));
        lbl.SetForeColor(RGB(0, 0, 0));
    }
};

int CountIn(const ScreenShot& shot, const RECT& r, const std::function<bool(const Rgb&)>& test) {
    int count = 0;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            count += test(shot.at(x, y)) ? 1 : 0;
        }
    }
    return count;
}

TEST(Label, TransparentTextThatIsEngravedGreyWhenDisabled) {
    LabelForm form;
    ShowAndPaint(form);
    const RECT bounds{10, 10, 210, 50};
    const auto dark = [](const Rgb& p) { return p.brightest() < 50; };
    const auto form_blue = [](const Rgb& p) { return p == Rgb{0, 0, 160}; };
    ScreenShot shot = ScreenShot::capture();
    EXPECT_GT(CountIn(shot, bounds, dark), 50) << "black text";
    EXPECT_GT(CountIn(shot, bounds, form_blue), 2000) << "the form shows through";

    form.lbl.SetEnabled(false);
    form.Refresh();
    PumpFor(30ms);
    shot = ScreenShot::capture();
    shot.save_png("runtime-disabled-label");
    const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
    const COLORREF light = GetSysColor(COLOR_3DHILIGHT);
    EXPECT_EQ(CountIn(shot, bounds, dark), 0) << "no black text while disabled";
    EXPECT_GT(CountIn(shot, bounds,
                      [&](const Rgb& p) {
                          return Near(p, GetRValue(grey), GetGValue(grey), GetBValue(grey), 4);
                      }),
              30);
    EXPECT_GT(CountIn(shot, bounds,
                      [&](const Rgb& p) {
                          return Near(p, GetRValue(light), GetGValue(light), GetBValue(light), 4);
                      }),
              10);
}

TEST(Label, MouseEventsGoToTheLabelUnderThePointer) {
    LabelForm form;
    ShowAndPaint(form);
    std::vector<MouseEventArgs> downs;
    std::vector<MouseEventArgs> ups;
    int clicks = 0;
    form.lbl.MouseDown = [&](const MouseEventArgs& args) { downs.push_back(args); };
    form.lbl.MouseUp = [&](const MouseEventArgs& args) { ups.push_back(args); };
    form.lbl.Click = [&] { ++clicks; };

    PostMessageW(form.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 25));
    PostMessageW(form.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(30, 25));
    PumpFor(30ms);
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0].button, kLeftButton);
    EXPECT_EQ(downs[0].x, 20); // relative to the label, in the form's pixels
    EXPECT_EQ(downs[0].y, 15);
    EXPECT_EQ(ups.size(), 1u);
    EXPECT_EQ(clicks, 1);

    PostMessageW(form.Hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(30, 25));
    PostMessageW(form.Hwnd(), WM_RBUTTONUP, 0, MAKELPARAM(30, 25));
    PumpFor(30ms);
    ASSERT_EQ(downs.size(), 2u);
    EXPECT_EQ(downs[1].button, kRightButton);
    EXPECT_EQ(clicks, 1); // only the left button clicks

    PostMessageW(form.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)); // beside the label
    PostMessageW(form.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    form.lbl.SetEnabled(false); // a disabled label leaves the mouse to the form
    PostMessageW(form.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 25));
    PostMessageW(form.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(30, 25));
    PumpFor(30ms);
    EXPECT_EQ(downs.size(), 2u);
    EXPECT_EQ(form.downs.size(), 2u);

    // A handler that throws: its step is skipped and the form goes on.
    form.lbl.SetEnabled(true);
    form.lbl.MouseDown = [](const MouseEventArgs&) { throw std::runtime_error("a failed step"); };
    PostMessageW(form.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 25));
    PostMessageW(form.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(30, 25));
    PumpFor(30ms);
    EXPECT_EQ(ups.size(), 3u);
}

TEST(Label, ItsMouseIconShowsOverIt) {
    LabelForm form;
    ShowAndPaint(form);
    HCURSOR hand = LoadCursorA(nullptr, IDC_HAND);
    form.lbl.SetMouseIcon(hand);
    const LPARAM over_client = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
    SetCursorPos(30, 25);
    SendMessageW(form.Hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(form.Hwnd()), over_client);
    EXPECT_EQ(GetCursor(), hand);
    SetCursorPos(5, 5);
    SendMessageW(form.Hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(form.Hwnd()), over_client);
    EXPECT_NE(GetCursor(), hand);
}

class ImageForm : public RecordingForm {
public:
    Image Img{*this, "Img"};
    Shape Frame{*this, "Shape3", 3};
    ImageForm() {
        SetBackColor(RGB(0, 0, 0));
        Img.SetPicture(FourColourPicture());
        Img.Move(0, 0, 100, 100);
        Frame.Move(120, 10, 20, 10);
        Frame.SetBorderColor(RGB(255, 255, 255));
    }
};

TEST(Image, ShowsItsPictureUnscaledOrStretched) {
    ImageForm form;
    ShowAndPaint(form);
    ScreenShot shot = ScreenShot::capture();
    EXPECT_TRUE(Near(shot.at(0, 0), 255, 0, 0, 0));
    EXPECT_TRUE(Near(shot.at(1, 0), 0, 255, 0, 0));
    EXPECT_TRUE(Near(shot.at(0, 1), 0, 0, 255, 0));
    EXPECT_TRUE(Near(shot.at(1, 1), 255, 255, 255, 0));
    EXPECT_TRUE(Near(shot.at(50, 50), 0, 0, 0, 0));

    // Stretching smooths the picture; the middles of its squares keep their colours.
    form.Img.SetPicture(FourColourPicture(8));
    form.Img.SetStretch(true);
    PumpFor(30ms);
    shot = ScreenShot::capture();
    EXPECT_TRUE(Near(shot.at(25, 25), 255, 0, 0, 0));
    EXPECT_TRUE(Near(shot.at(75, 25), 0, 255, 0, 0));
    EXPECT_TRUE(Near(shot.at(25, 75), 0, 0, 255, 0));
    EXPECT_TRUE(Near(shot.at(75, 75), 255, 255, 255, 0));
}

TEST(Shape, DrawsAnOutlineAndLeavesItsInsideTransparent) {
    ImageForm form;
    ShowAndPaint(form);
    const ScreenShot shot = ScreenShot::capture();
    for (const POINT edge : {POINT{120, 15}, POINT{139, 15}, POINT{130, 10}, POINT{130, 19}}) {
        EXPECT_TRUE(Near(shot.at(edge.x, edge.y), 255, 255, 255, 0)) << edge.x << ',' << edge.y;
    }
    EXPECT_TRUE(Near(shot.at(130, 15), 0, 0, 0, 0));
    EXPECT_TRUE(Near(shot.at(141, 15), 0, 0, 0, 0));
}

// ---- Combo box -----------------------------------------------------------

class ComboForm : public RecordingForm {
public:
    ComboBox BGM_Repeat{*this, "BGM_Repeat"};
    ComboForm() {
        BGM_Repeat.Move(10, 10, 60, 22);
        BGM_Repeat.SetBackColor(RGB(255, 255, 255));
    }
};

TEST(ComboBox, TextThatCanBeTypedOrChosenFromTheList) {
    ComboForm form;
    form.BGM_Repeat.SetText("5");
    ShowAndPaint(form);
    EXPECT_EQ(form.BGM_Repeat.Text(), "5");
    for (int track = 0; track <= 30; ++track) {
        form.BGM_Repeat.AddItem(FormatHashPattern(track));
    }
    EXPECT_EQ(form.BGM_Repeat.Text(), "5"); // adding items leaves the text alone
    EXPECT_EQ(form.BGM_Repeat.ListCount(), 31u);
    EXPECT_EQ(SendMessageW(form.BGM_Repeat.Hwnd(), CB_GETCOUNT, 0, 0), 31);
    EXPECT_EQ(form.BGM_Repeat.List(0), "");
    EXPECT_EQ(form.BGM_Repeat.List(30), "30");

    // Typing changes the text and raises Change.
    int changes = 0;
    form.BGM_Repeat.Change = [&] { ++changes; };
    HWND edit = FindWindowExA(form.BGM_Repeat.Hwnd(), nullptr, "Edit", nullptr);
    ASSERT_NE(edit, nullptr);
    SendMessageW(edit, EM_SETSEL, 1, 1);
    SendMessageW(edit, WM_CHAR, '7', 0);
    EXPECT_EQ(form.BGM_Repeat.Text(), "57");
    EXPECT_GE(changes, 1);

    // Choosing an item puts it into the text.
    SendMessageW(form.BGM_Repeat.Hwnd(), CB_SETCURSEL, 12, 0);
    EXPECT_EQ(form.BGM_Repeat.ListIndex(), 12);
    EXPECT_EQ(form.BGM_Repeat.Text(), "12");

    // Japanese items read back as they were given.
    form.BGM_Repeat.AddItem("曲目をﾘﾋﾟｰﾄ");
    wchar_t item[64] = {};
    SendMessageW(form.BGM_Repeat.Hwnd(), CB_GETLBTEXT, 31, reinterpret_cast<LPARAM>(item));
    EXPECT_EQ(Utf8FromWide(item), "曲目をﾘﾋﾟｰﾄ");

    form.BGM_Repeat.SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(form.BGM_Repeat.Hwnd()));
}

TEST(ComboBox, ItsBackColourShowsInTheTextField) {
    ComboForm form;
    form.SetBackColor(RGB(0, 0, 160));
    ShowAndPaint(form);
    const ScreenShot shot = ScreenShot::capture();
    const RECT field{14, 13, 40, 28};
    EXPECT_GT(CountIn(shot, field, [](const Rgb& p) { return p == Rgb{255, 255, 255}; }), 150);
}

// ---- User controls -------------------------------------------------------

// A small push button built as a user control: a caption label for a
// constituent, a Click event for the host, two persisted properties.
class TestButton : public UserControl {
public:
    explicit TestButton(Container& host)
        : UserControl(host, "Cmd_Test"), LblMsg(*this, "LblMsg"),
          TmrMouse(*this, "TmrMouse", 100, false) {
        SetScaleMode(ScaleMode::Pixels);
        SetAutoRedraw(true);
        SetBackColor(RGB(200, 0, 0));
        LblMsg.Move(0, 20, 80, 10);
        LblMsg.SetCaption("Command");
        LblMsg.MouseDown = [this](const MouseEventArgs&) { ++caption_presses; };
        TmrMouse.SetInterval(20);
        TmrMouse.Tick = [this] { ++hover_ticks; };
    }

    Label LblMsg;
    Timer TmrMouse;
    Event<> Click;
    int got_focus = 0;
    int lost_focus = 0;
    int caption_presses = 0;
    int hover_ticks = 0;
    std::vector<MouseEventArgs> downs;

    void SetCaption(std::string_view caption) {
        LblMsg.SetCaption(caption);
        PropertyChanged("Caption");
    }

protected:
    void ReadProperties(const PropertyBag& stored) override {
        if (const auto caption = PropertyAsText(stored.Read("Caption", std::string("Command1")))) {
            LblMsg.SetCaption(*caption);
        }
        // Only the face name of a stored font is taken over.
        if (const auto face = PropertyAsText(stored.Read("Font", AmbientFont()))) {
            LblMsg.GetFont()->SetFace(*face);
        }
    }
    void WriteProperties(PropertyBag& store) override {
        store.Write("Caption", LblMsg.Caption(), std::string("Command"));
        store.Write("Font", LblMsg.GetFont()->Description(), AmbientFont());
    }
    void UserControl_GotFocus() override { ++got_focus; }
    void UserControl_LostFocus() override { ++lost_focus; }
    void UserControl_MouseDown(const MouseEventArgs& args) override { downs.push_back(args); }
    void UserControl_MouseUp(const MouseEventArgs&) override { Click(); }
};

class HostForm : public RecordingForm {
public:
    PictureBox Pic_C{*this, "Pic_C"};
    TestButton Cmd_Set{Pic_C};
    HostForm() {
        SetBackColor(RGB(0, 160, 0));
        Pic_C.SetScaleMode(ScaleMode::Pixels);
        Pic_C.SetBackColor(RGB(0, 160, 0));
        Pic_C.Move(0, 0, 200, 100);
        Pic_C.SetContainerFont(
            MakeFont(FontDescription{"Tahoma", 8.25, 400, false, false, false, 0}));
        Cmd_Set.Move(10, 10, 80, 40);
    }
};

TEST(UserControl, SeesItsHostsFontAsTheAmbientFont) {
    HostForm form;
    EXPECT_EQ(form.Cmd_Set.AmbientFont().face, "Tahoma");
    EXPECT_EQ(form.Cmd_Set.AmbientFont().size, 8.25);
}

TEST(UserControl, PropertiesComeFromTheHostsStoreWhateverTheCaseOfTheirKeys) {
    HostForm form;
    PropertyBag stored;
    stored.Write("caption", std::string("設定"), std::string("Command"));
    stored.Write("font", FontDescription{"ＭＳ Ｐゴシック", 12, 700, false, false, false, 128},
                 form.Cmd_Set.AmbientFont());
    const double size_before = form.Cmd_Set.LblMsg.GetFont()->Description().size;
    form.Cmd_Set.RestoreProperties(stored);
    EXPECT_EQ(form.Cmd_Set.LblMsg.Caption(), "設定");
    EXPECT_EQ(form.Cmd_Set.LblMsg.GetFont()->Description().face, "ＭＳ Ｐゴシック");
    EXPECT_EQ(form.Cmd_Set.LblMsg.GetFont()->Description().size, size_before);

    // Saved back, the values that differ from their defaults are stored.
    EXPECT_EQ(form.Cmd_Set.SaveProperties().Keys(), (std::vector<std::string>{"Caption", "Font"}));
    // A caption of exactly "Command" and the ambient font store nothing...
    HostForm plain;
    plain.Cmd_Set.LblMsg.SetFont(MakeFont(plain.Cmd_Set.AmbientFont()));
    EXPECT_EQ(plain.Cmd_Set.SaveProperties().size(), 0u);
    // ... and an empty store restores the other default caption.
    plain.Cmd_Set.RestoreProperties(PropertyBag{});
    EXPECT_EQ(plain.Cmd_Set.LblMsg.Caption(), "Command1");
}

TEST(UserControl, TellsTheHostWhenAPropertyChanged) {
    HostForm form;
    std::vector<std::string> notices;
    form.Cmd_Set.PropertyChangedNotice = [&](std::string_view name) { notices.emplace_back(name); };
    form.Cmd_Set.SetCaption("ｷｬﾝｾﾙ");
    form.Cmd_Set.SetCaption("...");
    EXPECT_EQ(notices, (std::vector<std::string>{"Caption", "Caption"}));
    EXPECT_EQ(form.Cmd_Set.ChangedProperties(), std::vector<std::string>{"Caption"});
    form.Cmd_Set.ForgetChangedProperties();
    EXPECT_TRUE(form.Cmd_Set.ChangedProperties().empty());
}

TEST(UserControl, RaisesItsEventsToTheHostAndTakesTheFocusWhenPressed) {
    HostForm form;
    int clicks = 0;
    form.Cmd_Set.Click = [&] { ++clicks; };
    ShowAndPaint(form);
    SetForegroundWindow(form.Hwnd());
    SetFocus(form.Hwnd());
    PumpFor(20ms);
    HWND button = form.Cmd_Set.Hwnd();
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(GetParent(button), form.Pic_C.Hwnd());

    PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpFor(30ms);
    EXPECT_EQ(GetFocus(), button);
    EXPECT_EQ(form.Cmd_Set.got_focus, 1);
    ASSERT_EQ(form.Cmd_Set.downs.size(), 1u);
    EXPECT_EQ(form.Cmd_Set.downs[0].x, 5);
    EXPECT_EQ(clicks, 1);

    // A press on the caption goes to the constituent label.
    PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 25));
    PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(40, 25));
    PumpFor(30ms);
    EXPECT_EQ(form.Cmd_Set.caption_presses, 1);
    EXPECT_EQ(form.Cmd_Set.downs.size(), 1u);

    SetFocus(form.Hwnd());
    PumpFor(20ms);
    EXPECT_EQ(form.Cmd_Set.lost_focus, 1);
}

TEST(UserControl, ItsTimerTicksOnceEnabled) {
    HostForm form;
    form.Load();
    PumpFor(100ms);
    EXPECT_EQ(form.Cmd_Set.hover_ticks, 0); // made disabled
    form.Cmd_Set.TmrMouse.SetEnabled(true);
    PumpFor(200ms);
    EXPECT_GE(form.Cmd_Set.hover_ticks, 3);
}

TEST(UserControl, ATransparentSurfaceShowsTheHostBehindIt) {
    HostForm form;
    ShowAndPaint(form);
    ScreenShot shot = ScreenShot::capture();
    EXPECT_TRUE(Near(shot.at(20, 15), 200, 0, 0, 0)) << "the opaque surface";
    form.Cmd_Set.SetBackStyle(BackStyle::Transparent);
    PumpFor(30ms);
    shot = ScreenShot::capture();
    EXPECT_TRUE(Near(shot.at(20, 15), 0, 160, 0, 0)) << "the host behind";
}

} // namespace
