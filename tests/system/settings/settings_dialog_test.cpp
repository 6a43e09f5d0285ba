// The settings dialog of a real Velmoran.scr /c, driven with real mouse and
// keyboard input: what it shows for the saved settings, how the kind, the
// track and the file are chosen, the exact bytes it saves (and that cancel
// saves nothing), its owner, its layout at the screen's resolution, its
// painting, and Japanese captions that really render.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <cwchar>
#include <fstream>
#include <functional>
#include <map>
#include <thread>

#include "dialog_driver.h"
#include "settings/dialog_captions.h"
#include "runtime/twips.h"
#include "runtime/win32/text_encoding.h"
#include "texts/win32/user_texts.h"
#include "scr_driver.h"
#include "screen.h"

using namespace std::chrono_literals;
using namespace velmoran_test;

namespace {

const std::string kFolder = "C:\\velmoran-dialog";
const std::string kIni = kFolder + "\\Velmoran.ini";
const std::string kMusicFolder = "C:\\velmoran-music";

// A number as the profile functions save it. NOTE: Wine's profile writer
// drops the blanks that start a value, and leaves a file alone whose values
// do not change; Windows keeps the blanks.
std::string Saved(const std::string& number) {
    return UnderWine() && !number.empty() && number[0] == ' ' ? number.substr(1) : number;
}

// A settings file's values without the blanks before them.
std::string Values(std::optional<std::string> bytes) {
    std::string text = bytes.value_or("(no file)");
    for (std::size_t at; (at = text.find("= ")) != std::string::npos;) {
        text.erase(at + 1, 1);
    }
    return text;
}

int Dpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// The radio marks' middle pixel, selected and not, as the program's pictures have it.
Rgb MarkMiddle(const char* picture) {
    const RgbPicture mark = ReadBmp24(ResourcesFolder() + "\\" + picture);
    const unsigned char* p = &mark.rgb[static_cast<std::size_t>(6 * mark.width + 6) * 3];
    return Rgb{p[0], p[1], p[2]};
}

// Which kind's mark shows selected (-1 for none, -2 for several).
int SelectedMark(const SettingsDialog& dialog) {
    const double tops[] = {1140, 840, 1440};
    const Rgb selected = MarkMiddle("radio_selected.bmp");
    const ScreenShot shot = ScreenShot::capture();
    int found = -1;
    for (int kind = 0; kind < 3; ++kind) {
        const POINT mark = dialog.OnPanel(420, tops[kind]);
        if (shot.at(mark.x + 6, mark.y + 6) == selected) {
            found = found == -1 ? kind : -2;
        }
    }
    return found;
}

// The display group's rows: 0 keep the screen's resolution, 1 every monitor, 2 thunder.
constexpr double kDisplayRowTops[] = {120, 420, 720};

// Whether the display group's check of row shows ticked.
bool Ticked(const SettingsDialog& dialog, int row) {
    RECT panel{};
    GetWindowRect(dialog.DisplayPanel(), &panel);
    return ScreenShot::capture().at(panel.left + Px(420) + 6,
                                    panel.top + Px(kDisplayRowTops[row]) + 6) ==
           MarkMiddle("check_checked.bmp");
}

// A click on the display group's row: on its caption, or on its mark.
void ClickDisplayRow(const SettingsDialog& dialog, int row, bool caption) {
    RECT panel{};
    GetWindowRect(dialog.DisplayPanel(), &panel);
    SettingsDialog::Click(
        POINT{panel.left + Px(caption ? 1500 : 517), panel.top + Px(kDisplayRowTops[row] + 97)});
}

// A Command button's look, from its outline: the normal one or the disabled one.
bool LooksEnabled(HWND button) {
    RECT r{};
    GetWindowRect(button, &r);
    const Rgb outline = ScreenShot::capture().at((r.left + r.right) / 2, r.top + Px(15));
    EXPECT_TRUE(outline == (Rgb{0, 60, 116}) || outline == (Rgb{201, 199, 186}))
        << int(outline.r) << "," << int(outline.g) << "," << int(outline.b);
    return outline == Rgb{0, 60, 116};
}

void ClickKind(const SettingsDialog& dialog, int kind, bool on_label) {
    const double tops[] = {1140, 840, 1440};
    SettingsDialog::Click(on_label ? dialog.OnPanel(680, tops[kind] + 90)
                                   : dialog.OnPanel(480, tops[kind] + 90));
}

std::wstring ListEntry(HWND combo, int index) {
    wchar_t text[32] = {};
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

TEST(SettingsDialog, ShowsTheSavedSettingsAndChoosesAKind) {
    const std::string saved = SettingsBytes(" 1", " 5", "");
    PrepareProgramFolder(kFolder, saved);
    SettingsDialog dialog;
    ASSERT_TRUE(dialog.Open(kFolder));
    EXPECT_EQ(SelectedMark(dialog), 1) << "the CD mark";
    EXPECT_TRUE(IsWindowEnabled(dialog.TrackBox()));
    EXPECT_EQ(dialog.TrackBoxText(), L"5");
    EXPECT_FALSE(LooksEnabled(dialog.FileButton()));

    // A press on the caption "なし": no music, neither control usable.
    ClickKind(dialog, 0, true);
    EXPECT_EQ(SelectedMark(dialog), 0);
    EXPECT_FALSE(IsWindowEnabled(dialog.TrackBox()));
    EXPECT_FALSE(LooksEnabled(dialog.FileButton()));
    // Disabled, the track box keeps its white background beside its text.
    RECT track{};
    GetWindowRect(dialog.TrackBox(), &track);
    const ScreenShot box = ScreenShot::capture(track);
    EXPECT_EQ(box.at(box.width() - GetSystemMetrics(SM_CXVSCROLL) - 5, box.height() / 2),
              (Rgb{255, 255, 255}));
    // A press on the file kind's mark: the file button is usable.
    ClickKind(dialog, 2, false);
    EXPECT_EQ(SelectedMark(dialog), 2);
    EXPECT_FALSE(IsWindowEnabled(dialog.TrackBox()));
    EXPECT_TRUE(LooksEnabled(dialog.FileButton()));

    // The display choices ticked too; then Cancel after the changes: the file
    // is as it was, byte for byte.
    ClickDisplayRow(dialog, 0, true);
    ClickDisplayRow(dialog, 1, false);
    EXPECT_TRUE(Ticked(dialog, 0) && Ticked(dialog, 1));
    EXPECT_EQ(dialog.ClickAndWaitForEnd(dialog.CancelButton()), 0u);
    EXPECT_EQ(ReadFileBytes(kIni), saved);
}

TEST(SettingsDialog, NoTrackShowsAnEmptyBoxOverAListOfThirty) {
    PrepareProgramFolder(kFolder, SettingsBytes(" 1", " 0", ""));
    SettingsDialog dialog;
    ASSERT_TRUE(dialog.Open(kFolder));
    EXPECT_EQ(dialog.TrackBoxText(), L"");
    ASSERT_EQ(SendMessageW(dialog.TrackBox(), CB_GETCOUNT, 0, 0), 31);
    EXPECT_EQ(ListEntry(dialog.TrackBox(), 0), L"");
    EXPECT_EQ(ListEntry(dialog.TrackBox(), 1), L"1");
    EXPECT_EQ(ListEntry(dialog.TrackBox(), 30), L"30");
    EXPECT_EQ(dialog.ClickAndWaitForEnd(dialog.CancelButton()), 0u);
}

TEST(SettingsDialog,
     SavesTheThreeMusicKeysThenTheDisplayChoicesAndAFileKindWithoutAFileReadsAsNone) {
    PrepareProgramFolder(kFolder, "");
    {
        SettingsDialog dialog;
        ASSERT_TRUE(dialog.Open(kFolder));
        EXPECT_EQ(SelectedMark(dialog), 0) << "no settings file: no music";
        EXPECT_FALSE(Ticked(dialog, 0) || Ticked(dialog, 1)) << "no settings file: no choice";
        ClickKind(dialog, 2, true);
        // A caption ticks its check, and the mark takes the tick off again.
        ClickDisplayRow(dialog, 0, true);
        EXPECT_TRUE(Ticked(dialog, 0));
        EXPECT_FALSE(Ticked(dialog, 1));
        ClickDisplayRow(dialog, 0, false);
        EXPECT_FALSE(Ticked(dialog, 0));
        ClickDisplayRow(dialog, 1, true);
        ClickDisplayRow(dialog, 2, false);
        EXPECT_EQ(dialog.ClickAndWaitForEnd(dialog.SetButton()), 0u);
    }
    EXPECT_EQ(ReadFileBytes(kIni), SettingsBytes(Saved(" 2"), Saved(" 0"), "", "0", "1", "1"));
    SettingsDialog again;
    ASSERT_TRUE(again.Open(kFolder));
    EXPECT_EQ(SelectedMark(again), 0);
    EXPECT_TRUE(Ticked(again, 1) && Ticked(again, 2));
    EXPECT_EQ(again.ClickAndWaitForEnd(again.CancelButton()), 0u);
}

TEST(SettingsDialog, TheTrackTypedIsRoundedHalvesToEven) {
    const std::map<std::wstring, std::string> typed{
        {L"2.5", " 2"}, {L"3.5", " 4"}, {L"abc", " 0"}, {L"70000", " 0"}, {L"12", " 12"}};
    for (const auto& [text, saved] : typed) {
        PrepareProgramFolder(kFolder, SettingsBytes(" 1", " 5", ""));
        SettingsDialog dialog;
        ASSERT_TRUE(dialog.Open(kFolder));
        dialog.TypeTrack(text);
        EXPECT_EQ(dialog.TrackBoxText(), text);
        EXPECT_EQ(dialog.ClickAndWaitForEnd(dialog.SetButton()), 0u);
        EXPECT_EQ(Values(ReadFileBytes(kIni)),
                  Values(SettingsBytes(" 1", saved, "", "0", "0", "0")))
            << "typed " << std::string(text.begin(), text.end());
    }
}

TEST(SettingsDialog, TheFileChooserKeepsTheFileWhenCancelledAndOpensInItsFolder) {
    CreateDirectoryA(kMusicFolder.c_str(), nullptr);
    const std::string first = kMusicFolder + "\\a.mp3";
    std::ofstream(first, std::ios::binary) << "ID3";
    PrepareProgramFolder(kFolder, SettingsBytes(" 2", " 0", first));
    {
        SettingsDialog dialog;
        ASSERT_TRUE(dialog.Open(kFolder));
        SettingsDialog::ClickMiddle(dialog.FileButton());
        HWND chooser = WaitForChooser();
        ASSERT_NE(chooser, nullptr) << "no file chooser";
        EXPECT_EQ(ChooserFileType(chooser), ShownText(TextKey::ChooserFilterName));
        SettingsDialog::Press(VK_ESCAPE);
        EXPECT_TRUE(wait_until([&] { return !IsWindow(chooser); }, 5s));
        EXPECT_EQ(dialog.ClickAndWaitForEnd(dialog.SetButton()), 0u);
    }
    EXPECT_EQ(Values(ReadFileBytes(kIni)), Values(SettingsBytes(" 2", " 0", first, "0", "0", "0")));

    // A name typed without a folder lands in the chooser's folder: the music file's.
    SettingsDialog dialog;
    ASSERT_TRUE(dialog.Open(kFolder));
    SettingsDialog::ClickMiddle(dialog.FileButton());
    ASSERT_NE(WaitForChooser(), nullptr);
    SettingsDialog::Type(L"b.wav");
    SettingsDialog::Press(VK_RETURN);
    EXPECT_TRUE(wait_until(
        [] { return FindWindowW(nullptr, ShownText(TextKey::ChooserTitle).c_str()) == nullptr; },
        5s));
    EXPECT_EQ(dialog.ClickAndWaitForEnd(dialog.SetButton()), 0u);
    EXPECT_EQ(ReadFileBytes(kIni),
              SettingsBytes(Saved(" 2"), Saved(" 0"), kMusicFolder + "\\b.wav", "0", "0", "0"));
}

// On a system whose code page cannot write the file's name, the file is
// refused with a message and the one chosen before stays.
TEST(SettingsDialog, AFileNameTheCodePageCannotWriteIsRefused) {
    ASSERT_NE(GetACP(), 932u) << "run under a code page without Japanese";
    CreateDirectoryA(kMusicFolder.c_str(), nullptr);
    const std::string first = kMusicFolder + "\\a.mp3";
    std::ofstream(first, std::ios::binary) << "ID3";
    const std::wstring japanese = L"C:\\velmoran-music\\\x96E8.wav"; // 雨.wav
    CloseHandle(
        CreateFileW(japanese.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    PrepareProgramFolder(kFolder, SettingsBytes(" 2", " 0", first));
    SettingsDialog dialog;
    ASSERT_TRUE(dialog.Open(kFolder));
    SettingsDialog::ClickMiddle(dialog.FileButton());
    ASSERT_NE(WaitForChooser(), nullptr);
    SettingsDialog::Type(japanese);
    SettingsDialog::Press(VK_RETURN);
    HWND box = WaitForMessageBox(dialog.Process().id(), 5s);
    ASSERT_NE(box, nullptr) << "a message says why the file cannot be used";
    const MessageBoxContent content = ReadMessageBox(box);
    EXPECT_NE(content.text.find(japanese), std::wstring::npos) << "it names the file";
    PressOk(box);
    EXPECT_EQ(dialog.ClickAndWaitForEnd(dialog.SetButton()), 0u);
    EXPECT_EQ(Values(ReadFileBytes(kIni)), Values(SettingsBytes(" 2", " 0", first, "0", "0", "0")));
}

// Both programs run with the user's own rights, so that a folder they cannot
// write is never replaced by a virtual copy of it.
TEST(SettingsDialog, TheProgramsAskForTheUsersOwnRights) {
    for (const char* name : {"Velmoran.scr", "Velmoran.dll"}) {
        HMODULE program = LoadLibraryExA((program_folder() + "\\" + name).c_str(), nullptr,
                                         LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(program, nullptr) << name;
        HRSRC found = FindResourceA(program, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
        ASSERT_NE(found, nullptr) << name;
        const std::string manifest(
            static_cast<const char*>(LockResource(LoadResource(program, found))),
            SizeofResource(program, found));
        EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"asInvoker\""), std::string::npos)
            << name;
        FreeLibrary(program);
    }
}

TEST(SettingsDialog, StaysAboveTheWindowItWasAskedFrom) {
    PrepareProgramFolder(kFolder, "");
    TitledWindow settings_page("Screen Saver Settings");
    SettingsDialog dialog;
    ASSERT_TRUE(dialog.Open(kFolder, "/c:" + HandleText(settings_page.handle())));
    EXPECT_EQ(GetWindow(dialog.Window(), GW_OWNER), settings_page.handle());
    EXPECT_EQ(dialog.ClickAndWaitForEnd(dialog.CancelButton()), 0u);

    SettingsDialog alone;
    ASSERT_TRUE(alone.Open(kFolder, "/c"));
    EXPECT_EQ(GetWindow(alone.Window(), GW_OWNER), nullptr);
    EXPECT_EQ(alone.ClickAndWaitForEnd(alone.CancelButton()), 0u);
}

RECT InClient(HWND dialog, HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

RECT Twips(double left, double top, double width, double height) {
    return RECT{Px(left), Px(top), Px(left) + Px(width), Px(top) + Px(height)};
}

void ExpectRect(const RECT& seen, const RECT& want, const char* what) {
    EXPECT_TRUE(EqualRect(&seen, &want))
        << what << ": " << seen.left << "," << seen.top << " " << seen.right - seen.left << "x"
        << seen.bottom - seen.top << ", not " << want.left << "," << want.top << " "
        << want.right - want.left << "x" << want.bottom - want.top;
}

TEST(SettingsDialog, LayoutFollowsTheScreensResolution) {
    PrepareProgramFolder(kFolder, SettingsBytes(" 1", " 3", ""));
    SettingsDialog dialog;
    ASSERT_TRUE(dialog.Open(kFolder));
    RECT client{};
    GetClientRect(dialog.Window(), &client);
    const std::map<int, std::pair<int, int>> sizes{
        {96, {495, 323}}, {120, {619, 404}}, {144, {743, 485}}, {192, {990, 646}}};
    ASSERT_TRUE(sizes.contains(Dpi()));
    EXPECT_EQ(client.right, sizes.at(Dpi()).first);
    EXPECT_EQ(client.bottom, sizes.at(Dpi()).second);
    ExpectRect(InClient(dialog.Window(), dialog.Panel()), Twips(180, 240, 7035, 2475), "Pic_C");
    ExpectRect(InClient(dialog.Window(), dialog.DisplayPanel()), Twips(180, 2835, 7035, 1035),
               "Pic_D");
    ExpectRect(InClient(dialog.Window(), dialog.SetButton()), Twips(4740, 4155, 1215, 375),
               "Cmd_Set");
    ExpectRect(InClient(dialog.Window(), dialog.CancelButton()), Twips(6000, 4155, 1215, 375),
               "Cmd_Can");
    ExpectRect(InClient(dialog.Panel(), dialog.FileButton()), Twips(420, 1680, 615, 375),
               "Cmd_File");
    const RECT track = InClient(dialog.Panel(), dialog.TrackBox());
    EXPECT_EQ(track.left, Px(1680));
    EXPECT_EQ(track.top, Px(780));
    EXPECT_EQ(track.right - track.left, Px(615));

    // The client's gradient: nearly black-blue at the top, pale blue-grey in
    // the middle (left of the panel); the panel is the strip, tiled.
    ScreenShot shot = ScreenShot::capture();
    const bool english = ShownText(TextKey::OkButton) == L"OK";
    shot.save_png("settings-dialog-" + std::to_string(Dpi()) + "dpi" + (english ? "-en" : ""));
    const POINT top = dialog.OnForm(60, 0);
    EXPECT_LE(shot.at(top.x, top.y).brightest(), 40);
    const POINT middle = dialog.OnForm(60, 2272);
    EXPECT_TRUE((shot.at(middle.x, middle.y) == Rgb{220, 220, 250}) ||
                (shot.at(middle.x, middle.y) == Rgb{219, 219, 249}));
    const RgbPicture strip = ReadBmp24(ResourcesFolder() + "\\panel_strip.bmp");
    ASSERT_EQ(strip.width, 556);
    RECT panel{};
    GetWindowRect(dialog.Panel(), &panel);
    const auto strip_at = [&](int x, int y) {
        x = (x % strip.width + strip.width) % strip.width;
        y = (y % strip.height + strip.height) % strip.height;
        const unsigned char* p = &strip.rgb[static_cast<std::size_t>(y * strip.width + x) * 3];
        return Rgb{p[0], p[1], p[2]};
    };
    // The share of the panel's right-hand part, where no control lies, that
    // shows the strip (scaled with the screen: a pixel may come from a
    // neighbour of the one the scale gives).
    const auto panel_matches_strip = [&](const ScreenShot& s) {
        const int reach = Dpi() == 96 ? 0 : 1;
        int same = 0, seen = 0;
        for (int y = Px(120); y < Px(600); ++y) {
            for (int x = Px(4000); x < Px(6900); ++x) {
                const Rgb p = s.at(panel.left + x, panel.top + y);
                bool found = false;
                for (int dy = -reach; dy <= reach && !found; ++dy) {
                    for (int dx = -reach; dx <= reach && !found; ++dx) {
                        found = p == strip_at(x * 96 / Dpi() + dx, y * 96 / Dpi() + dy);
                    }
                }
                same += found ? 1 : 0;
                ++seen;
            }
        }
        return same * 100 / std::max(seen, 1);
    };
    EXPECT_GE(panel_matches_strip(shot), Dpi() == 96 ? 100 : 98);
    // Still there after the panel has been painted again.
    RedrawWindow(dialog.Window(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    std::this_thread::sleep_for(200ms);
    EXPECT_GE(panel_matches_strip(ScreenShot::capture()), Dpi() == 96 ? 100 : 98);

    // Moved to a monitor of another scaling, it lays itself out there, and
    // back (at 192 dpi the dialog may reach past this screen).
    HMODULE hooks = LoadLibraryA((program_folder() + "\\test_hooks.dll").c_str());
    auto* move_to_dpi =
        reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(hooks, "move_to_dpi")));
    HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, move_to_dpi, hooks, 0);
    ASSERT_NE(hook, nullptr);
    for (const int dpi : {Dpi() == 192 ? 96 : 192, Dpi()}) {
        PostMessageW(dialog.Window(), RegisterWindowMessageW(L"VelmoranTestDpi"),
                     static_cast<WPARAM>(dpi), 0);
        // Its client, then its last button, placed for that scaling.
        const auto laid_out = [&] {
            GetClientRect(dialog.Window(), &client);
            const RECT cancel = InClient(dialog.Window(), dialog.CancelButton());
            return client.right == sizes.at(dpi).first && client.bottom == sizes.at(dpi).second &&
                   cancel.left == runtime::PixelsFromTwips(6000, dpi) &&
                   cancel.right - cancel.left == runtime::PixelsFromTwips(1215, dpi);
        };
        EXPECT_TRUE(wait_until(laid_out, 5s))
            << dpi << " dpi: " << client.right << " x " << client.bottom;
    }
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(dialog.ClickAndWaitForEnd(dialog.CancelButton()), 0u);
}

// The dark pixels of text drawn in the dialog's font, black on white, cut to
// their bounding box: a reference the screen's caption must match.
struct Glyphs {
    int width = 0, height = 0;
    std::vector<bool> dark;
    bool operator==(const Glyphs&) const = default;
};

Glyphs Cut(int width, int height, const std::function<bool(int, int)>& is_dark) {
    int x0 = width, y0 = height, x1 = -1, y1 = -1;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (is_dark(x, y)) {
                x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x),
                y1 = std::max(y1, y);
            }
        }
    }
    Glyphs g;
    if (x1 < 0) {
        return g;
    }
    g.width = x1 - x0 + 1;
    g.height = y1 - y0 + 1;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            g.dark.push_back(is_dark(x, y));
        }
    }
    return g;
}

// The font a language's texts are shown in, at this screen's resolution.
HFONT LanguageFont(const TextTable& table) {
    LOGFONTW font{};
    font.lfHeight = -static_cast<LONG>(std::lround(table.font.points * Dpi() / 72.0));
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = static_cast<BYTE>(table.font.charset);
    const std::wstring face = runtime::WideFromUtf8(table.font.face);
    wcsncpy(font.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    return CreateFontIndirectW(&font);
}

Glyphs Reference(const std::wstring& text) {
    const int w = 200, h = 60;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old_bitmap = SelectObject(dc, bitmap);
    const RECT all{0, 0, w, h};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HFONT handle = LanguageFont(UserTexts());
    HGDIOBJ old_font = SelectObject(dc, handle);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    TextOutW(dc, 4, 4, text.c_str(), static_cast<int>(text.size()));
    Glyphs g = Cut(w, h, [&](int x, int y) { return GetRValue(GetPixel(dc, x, y)) < 80; });
    SelectObject(dc, old_font);
    DeleteObject(handle);
    SelectObject(dc, old_bitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return g;
}

Glyphs OnScreen(const ScreenShot& shot, const RECT& area) {
    return Cut(area.right - area.left, area.bottom - area.top,
               [&](int x, int y) { return shot.at(area.left + x, area.top + y).brightest() < 80; });
}

// The captions are drawn as the characters of the session's language:
// Japanese in the Japanese session, English in any other.
TEST(SettingsDialog, CaptionsRenderAsTheirCharacters) {
    PrepareProgramFolder(kFolder, SettingsBytes(" 1", " 0", ""));
    SettingsDialog dialog;
    ASSERT_TRUE(dialog.Open(kFolder));
    const ScreenShot shot = ScreenShot::capture();
    shot.save_png("settings-dialog-text-cp" + std::to_string(GetACP()));
    RECT set{};
    GetWindowRect(dialog.SetButton(), &set);
    const RECT set_caption{set.left + Px(60), set.top + Px(60), set.right - Px(60),
                           set.bottom - Px(60)};
    RECT cancel{};
    GetWindowRect(dialog.CancelButton(), &cancel);
    const RECT cancel_caption{cancel.left + Px(60), cancel.top + Px(60), cancel.right - Px(60),
                              cancel.bottom - Px(60)};
    const POINT cd = dialog.OnPanel(660, 840);
    const POINT repeat = dialog.OnPanel(2340, 840);
    const struct {
        RECT area;
        TextKey text;
    } captions[] = {
        {set_caption, TextKey::OkButton},
        {cancel_caption, TextKey::CancelButton},
        {{cd.x, cd.y, cd.x + Px(990), cd.y + Px(kCaptionHeight)}, TextKey::MusicCd},
        {{repeat.x, repeat.y, repeat.x + Px(1500), repeat.y + Px(kCaptionHeight)},
         TextKey::RepeatTrack},
    };
    for (const auto& c : captions) {
        const std::wstring text = ShownText(c.text);
        const Glyphs seen = OnScreen(shot, c.area);
        EXPECT_GT(seen.width, 0);
        EXPECT_EQ(seen, Reference(text)) << "a caption is not drawn as its characters";
        EXPECT_NE(seen, Reference(std::wstring(text.size(), L'?')));
        EXPECT_NE(seen, Reference(std::wstring(text.size(), L'\x25A1')));
    }
    EXPECT_EQ(dialog.ClickAndWaitForEnd(dialog.CancelButton()), 0u);
}

// Every translated caption of both languages fits its control at this
// screen's resolution, measured in its language's font: no wider than the
// control (a button's caption inside its frame) and no higher. The Japanese
// music group keeps the dialog's own twips, as it always had them.
TEST(SettingsDialog, CaptionsFitTheirControlsInEveryLanguage) {
    HDC screen = GetDC(nullptr);
    for (const Language language : {Language::Japanese, Language::English}) {
        const TextTable& table = TextsIn(language);
        HFONT font = LanguageFont(table);
        HGDIOBJ old = SelectObject(screen, font);
        for (const DialogCaption& caption : DialogCaptionsIn(language)) {
            if (language == Language::Japanese && caption.holder == CaptionHolder::MusicPanel) {
                continue;
            }
            const std::wstring text = runtime::WideFromUtf8(table[caption.text]);
            SIZE extent{};
            GetTextExtentPoint32W(screen, text.c_str(), static_cast<int>(text.size()), &extent);
            const int frame = caption.button ? 2 * Px(60) : 0;
            EXPECT_LE(extent.cx, Px(caption.width) - frame)
                << caption.control << " \"" << table[caption.text] << "\" at " << Dpi() << " dpi";
            EXPECT_LE(extent.cy, Px(caption.height) - frame)
                << caption.control << " \"" << table[caption.text] << "\" at " << Dpi() << " dpi";
        }
        SelectObject(screen, old);
        DeleteObject(font);
    }
    ReleaseDC(nullptr, screen);
}

} // namespace
