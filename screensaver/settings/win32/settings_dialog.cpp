#include "settings/win32/settings_dialog.h"

#include <windows.h>

#include <cderr.h>
#include <commdlg.h>
#include <shellapi.h>

#include <optional>
#include <string>

#include "win32/main_module.h"
#include "win32/program_globals.h"
#include "program_names.h"
#include "resource_ids.h"
#include "runtime/win32/application.h"
#include "runtime/win32/gdi.h"
#include "runtime/win32/system_function.h"
#include "runtime/win32/text_encoding.h"
#include "settings/dialog_captions.h"
#include "settings/dialog_geometry.h"
#include "settings/music_choice.h"
#include "settings/save_order.h"
#include "settings/settings_file.h"
#include "settings/win32/profile_store.h"
#include "settings/win32/settings_files.h"
#include "texts/win32/user_texts.h"

using namespace runtime;

namespace {

// The dialog's texts are the user's language's (texts/program_texts.h).
constexpr const wchar_t* kChooserPattern = L"*.MP3;*.WAV";
constexpr const char* kWebAddress = "https://velmoran.example/";
constexpr const char* kCredit = "Velmoran  Ver." VELMORAN_VERSION;

// The file chooser's buffers, in characters, each with its closing NUL.
constexpr DWORD kChooserBuffer = 255;
// The request's size: the original layout's 76 bytes for 32-bit programs;
// a 64-bit program must pass its own, larger structure.
constexpr DWORD kOpenFileRequestSize = sizeof(void*) == 4 ? 76 : sizeof(OPENFILENAMEW);

FontRef DialogFont(bool underline = false) {
    const TextFont& font = UserTexts().font;
    return MakeFont(FontDescription{std::string(font.face), font.points, FW_NORMAL, false,
                                    underline, false, font.charset});
}

// How the buttons are stored with the dialog: their caption and font only.
PropertyBag StoredButton(const std::string& caption) {
    PropertyBag stored;
    stored.Write("caption", caption, std::string("Command"));
    stored.Write("font", DialogFont()->Description(), FontDescription{});
    return stored;
}

void Place(Control& control, double left, double top, double width, double height) {
    control.Move(left, top, width, height);
}

// The dots per inch of the monitor a window is on, where the system tells
// (Windows 10 version 1607 and later); the system's elsewhere.
int MonitorDpiOf(HWND window) {
    using DpiForWindow = UINT(WINAPI*)(HWND);
    static const auto dpi_for_window = reinterpret_cast<DpiForWindow>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    const UINT dpi = dpi_for_window != nullptr ? dpi_for_window(window) : 0;
    return dpi != 0 ? static_cast<int>(dpi) : ScreenDpi();
}

Velmoran_P& SettingsDialog() {
    static Velmoran_P form;
    return form;
}

// What the file chooser gave.
struct ChosenFile {
    bool chosen = false;   // a file was chosen
    bool too_long = false; // the chosen path did not fit the chooser's buffer
    std::wstring path;
};

// The chosen file's path; nothing chosen when the user cancelled or the chooser failed.
ChosenFile ChooseMusicFile(HWND owner, const std::string& ansi_folder) {
    wchar_t file[kChooserBuffer] = {};
    wchar_t title[kChooserBuffer] = {};
    std::wstring filter = WideFromUtf8(UserText(TextKey::ChooserFilterName));
    filter.push_back(L'\0');
    filter += kChooserPattern;
    filter.push_back(L'\0'); // the list ends with an empty entry
    const std::wstring folder = WideFromAnsi(ansi_folder);
    const std::wstring caption = WideFromUtf8(UserText(TextKey::ChooserTitle));
    OPENFILENAMEW request{};
    request.lStructSize = kOpenFileRequestSize;
    request.hwndOwner = owner;
    request.hInstance = Application::Instance();
    request.lpstrFilter = filter.c_str();
    request.lpstrFile = file;
    request.nMaxFile = kChooserBuffer;
    request.lpstrFileTitle = title;
    request.nMaxFileTitle = kChooserBuffer;
    request.lpstrInitialDir = folder.c_str();
    request.lpstrTitle = caption.c_str();
    request.Flags = 0;
    auto* open = SystemFunction<decltype(GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
    auto* error =
        SystemFunction<decltype(CommDlgExtendedError)>(L"comdlg32.dll", "CommDlgExtendedError");
    LastApiResult = open != nullptr ? open(&request) : 0;
    if (LastApiResult <= 0) {
        return ChosenFile{false, error != nullptr && error() == FNERR_BUFFERTOOSMALL, {}};
    }
    return ChosenFile{true, false, file};
}

void InitializeCommands(const Container& container) {
    for (Control* control : container.Controls()) {
        if (auto* command = dynamic_cast<Command*>(control)) {
            command->Initialize();
        }
        if (const auto* inner = dynamic_cast<const Container*>(control)) {
            InitializeCommands(*inner);
        }
    }
}

} // namespace

Velmoran_P::Velmoran_P()
    : Pic_C(*this, "Pic_C"), Shape3(Pic_C, "Shape3", 3),
      lbl15(Pic_C, "lbl", 15), Img_BGM{{{Pic_C, "Img_BGM", 0},
                                        {Pic_C, "Img_BGM", 1},
                                        {Pic_C, "Img_BGM", 2}}},
      lbl_BGM{{{Pic_C, "lbl_BGM", 0}, {Pic_C, "lbl_BGM", 1}, {Pic_C, "lbl_BGM", 2}}},
      BGM_Repeat(Pic_C, "BGM_Repeat"), lbl14(Pic_C, "lbl", 14), Cmd_File(Pic_C, "Cmd_File"),
      lbl_Fname(Pic_C, "lbl_Fname"), Pic_D(*this, "Pic_D"), Img_Disp{{{Pic_D, "Img_Disp", 0},
                                                                      {Pic_D, "Img_Disp", 1},
                                                                      {Pic_D, "Img_Disp", 2}}},
      lbl_Disp{{{Pic_D, "lbl_Disp", 0}, {Pic_D, "lbl_Disp", 1}, {Pic_D, "lbl_Disp", 2}}},
      lbl7(*this, "lbl", 7), lbl_URL(*this, "lbl_URL"), Cmd_Set(*this, "Cmd_Set"),
      Cmd_Can(*this, "Cmd_Can"),
      Pic_Mbl(*this, "Pic_Mbl"), Img_Ra{{{*this, "Img_Ra", 0}, {*this, "Img_Ra", 1}}},
      Img_Ck{{{*this, "Img_Ck", 0}, {*this, "Img_Ck", 1}}} {
    SetCaption(kSettingsDialogTitle);
    SetBorderStyle(BorderStyle::FixedDialog);
    SetIcon(static_cast<HICON>(LoadImageW(Application::Instance(), MAKEINTRESOURCEW(IDI_VELMORAN),
                                          IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR)));
    SetBackColor(0x00C0C0C0);
    SetAutoRedraw(true); // the gradient stays painted
    Pic_C.SetBackColor(0x00E0E0E0);
    Pic_C.SetAutoRedraw(true); // the tiled background stays painted
    lbl15.SetCaption("BGM");
    lbl7.SetCaption(kCredit);
    lbl_URL.SetCaption(kWebAddress);
    for (Label* label : {&lbl15, &lbl_Fname, &lbl7, &lbl_URL}) {
        label->SetForeColor(0);
    }
    // The captions of the user's language.
    for (const DialogCaption& caption : DialogCaptionsIn(UserLanguage())) {
        if (Label* label = CaptionLabel(caption.control)) {
            label->SetCaption(std::string(UserText(caption.text)));
            label->SetForeColor(0);
        } else if (Command* button = CaptionButton(caption.control)) {
            button->RestoreProperties(StoredButton(std::string(UserText(caption.text))));
        }
    }
    Cmd_File.RestoreProperties(StoredButton("..."));
    Cmd_Set.Click = [this] { Cmd_Set_Click(); };
    Cmd_Can.Click = [this] { Cmd_Can_Click(); };
    for (Label* one_line : {&lbl15, &lbl_BGM[0], &lbl_BGM[1], &lbl_BGM[2], &lbl14, &lbl7, &lbl_URL,
                            &lbl_Disp[0], &lbl_Disp[1], &lbl_Disp[2]}) {
        one_line->SetWordWrap(false);
    }
    lbl15.SetAlignment(Alignment::Center);
    lbl7.SetForeColor(RGB(255, 255, 255));
    lbl_URL.SetForeColor(RGB(255, 255, 255));
    lbl_URL.SetMouseIcon(LoadCursorW(Application::Instance(), MAKEINTRESOURCEW(IDC_LINK_CURSOR)));
    for (int kind = 0; kind < kMusicKindCount; ++kind) {
        Img_BGM[static_cast<std::size_t>(kind)].MouseDown = [this, kind](const MouseEventArgs&) {
            Img_BGM_MouseDown(kind);
        };
        lbl_BGM[static_cast<std::size_t>(kind)].MouseDown = [this, kind](const MouseEventArgs&) {
            lbl_BGM_MouseDown(kind);
        };
    }
    BGM_Repeat.SetBackColor(RGB(255, 255, 255));
    Cmd_File.Click = [this] { Cmd_File_Click(); };
    lbl_URL.Click = [this] { lbl_URL_Click(); };

    // The display group: the music group's look, one check in a row.
    Pic_D.SetBackColor(0x00E0E0E0);
    Pic_D.SetAutoRedraw(true);
    for (int i = 0; i < 3; ++i) {
        Img_Disp[static_cast<std::size_t>(i)].MouseDown = [this, i](const MouseEventArgs&) {
            ToggleDisplayChoice(i);
        };
        lbl_Disp[static_cast<std::size_t>(i)].MouseDown = [this, i](const MouseEventArgs&) {
            ToggleDisplayChoice(i);
        };
    }

    Pic_Mbl.SetBackgroundPicture(Picture::FromResource(IDB_PANEL_STRIP));
    const int marks[] = {IDB_RADIO_UNSELECTED, IDB_RADIO_SELECTED};
    for (std::size_t i = 0; i < Img_Ra.size(); ++i) {
        Img_Ra[i].SetPicture(Picture::FromResource(marks[i]));
    }
    const int checks[] = {IDB_CHECK_UNCHECKED, IDB_CHECK_CHECKED};
    for (std::size_t i = 0; i < Img_Ck.size(); ++i) {
        Img_Ck[i].SetPicture(Picture::FromResource(checks[i]));
    }
    Layout();
}

Label* Velmoran_P::CaptionLabel(std::string_view control) {
    const struct {
        std::string_view name;
        Label* label;
    } labels[] = {{"lbl_BGM(0)", &lbl_BGM[0]},   {"lbl_BGM(1)", &lbl_BGM[1]},
                  {"lbl_BGM(2)", &lbl_BGM[2]},   {"lbl14", &lbl14},
                  {"lbl_Disp(0)", &lbl_Disp[0]}, {"lbl_Disp(1)", &lbl_Disp[1]},
                  {"lbl_Disp(2)", &lbl_Disp[2]}};
    for (const auto& l : labels) {
        if (l.name == control) {
            return l.label;
        }
    }
    return nullptr;
}

Command* Velmoran_P::CaptionButton(std::string_view control) {
    return control == "Cmd_Set" ? &Cmd_Set : control == "Cmd_Can" ? &Cmd_Can : nullptr;
}

// Every place, size and font, in twips and points, at the dots per inch the
// dialog lays out at now: at its making, and again when it moves to a
// monitor of another scaling.
void Velmoran_P::Layout() {
    SetClientSize(7425, 3690 + kDisplayGroupShift);
    Pic_C.SetContainerFont(
        MakeFont(FontDescription{"Tahoma", 8.25, FW_NORMAL, false, false, false, ANSI_CHARSET}));
    Place(Pic_C, 180, 240, 7035, 2475);
    Place(Shape3, 300, 300, 1695, 315);
    const struct {
        Label& label;
        double left, top, width, height;
    } labels[] = {
        {lbl15, 300, 360, 1665, 195},
        {lbl_Fname, 1080, 1740, 5715, 495},
        {lbl7, 180, 2880 + kDisplayGroupShift, 2475, 195},
        {lbl_URL, 180, 3120 + kDisplayGroupShift, 3285, 195},
    };
    for (const auto& l : labels) {
        l.label.SetFont(DialogFont(&l.label == &lbl_URL));
        Place(l.label, l.left, l.top, l.width, l.height);
    }
    for (const DialogCaption& caption : DialogCaptionsIn(UserLanguage())) {
        if (Label* label = CaptionLabel(caption.control)) {
            label->SetFont(DialogFont());
            Place(*label, caption.left, caption.top, caption.width, caption.height);
        } else if (Command* button = CaptionButton(caption.control)) {
            button->SetFont(DialogFont());
            Place(*button, caption.left, caption.top, caption.width, caption.height);
        }
    }
    const double mark_tops[] = {1140, 840, 1440}; // kinds 0, 1, 2
    for (int kind = 0; kind < kMusicKindCount; ++kind) {
        Place(Img_BGM[static_cast<std::size_t>(kind)], 420, mark_tops[kind], 195, 195);
    }
    BGM_Repeat.SetFont(MakeFont(Pic_C.ContainerFont()->Description()));
    Place(BGM_Repeat, 1680, 780, 615, 300);
    Cmd_File.SetFont(DialogFont());
    Place(Cmd_File, 420, 1680, 615, 375);
    Place(Pic_D, 180, 2835, 7035, 1035);
    for (int i = 0; i < 3; ++i) {
        Place(Img_Disp[static_cast<std::size_t>(i)], 420, kDisplayRowTops[i], 195, 195);
    }
    Place(Pic_Mbl, 120, 4680, 8340, 300);
    for (std::size_t i = 0; i < Img_Ra.size(); ++i) {
        Place(Img_Ra[i], 8040, i == 0 ? 300 : 600, 180, 180);
    }
    for (std::size_t i = 0; i < Img_Ck.size(); ++i) {
        Place(Img_Ck[i], 8040, i == 0 ? 900 : 1200, 180, 180);
    }
}

// The dialog at the scaling of the monitor it is on: laid out again, with
// its panels' tiles, its gradient and every picture at the new size.
void Velmoran_P::LayOutAt(int dpi) {
    SetLayoutDpi(dpi);
    Layout();
    TilePicture(Pic_C);
    TilePicture(Pic_D);
    Form_Resize();
}

// The dialog goes where the system suggests, at the size its layout gives
// it: the suggested size is the old one scaled, frame and all, and may be a
// pixel off the client the twips give at the new scaling.
void Velmoran_P::Form_DpiChanged(int dpi, const RECT& suggested) {
    LayOutAt(dpi);
    SetWindowPos(Hwnd(), nullptr, suggested.left, suggested.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Form_Resize();
}

void Velmoran_P::Form_Load() {
    // Each step runs whatever the ones before it did.
    const int dpi = MonitorDpiOf(Hwnd());
    if (dpi != ScreenDpi()) {
        LayOutAt(dpi);
    }
    const ScreenMetrics screen = Screen();
    const DialogPosition position =
        PlaceDialog(screen.width_twips, screen.height_twips, static_cast<int>(Width()),
                    static_cast<int>(Height()));
    Move(position.left, position.top);
    InitializeCommands(*this);
    TilePicture(Pic_C);
    TilePicture(Pic_D);
    ShowChecks();
    BGM_Repeat.SetEnabled(false);
    ShowMarks(g_music_settings.BgmKind);
    const KindControls controls = ControlsForKind(g_music_settings.BgmKind);
    if (controls.track_box_enabled) {
        BGM_Repeat.SetEnabled(true);
    }
    Cmd_File.SetEnabled(controls.file_button_enabled);
    BGM_Repeat.SetText(TrackBoxText(g_music_settings.BgmRepeat));
    for (const std::string& entry : TrackBoxEntries()) {
        BGM_Repeat.AddItem(entry);
    }
    lbl_Fname.SetCaption(Utf8FromAnsi(g_music_settings.BgmFile));
    POINT pointer{};
    LastApiResult = GetCursorPos(&pointer);
    const auto x = RoundToInt16(pointer.x);
    const auto y = RoundToInt16(pointer.y);
    ZoomX = LastApiResult != 0 && x && y ? *x : 0;
    ZoomY = LastApiResult != 0 && x && y ? *y : 0;
    ZoomOpen(Hwnd());
    Application::SetMousePointer(MousePointer::Default);
}

void Velmoran_P::Form_Resize() {
    HDC dc = hDC();
    if (dc == nullptr) {
        return;
    }
    const SIZE client = ClientSize();
    for (const GradientLine& line : DialogGradient(ScaleHeight(), ScreenDpi())) {
        GdiObject<HBRUSH> brush(CreateSolidBrush(RGB(line.red, line.green, line.blue)));
        const RECT row{0, line.row, client.cx, line.row + 1};
        FillRect(dc, &row, brush.get());
    }
    Invalidate();
}

void Velmoran_P::Form_Unload(bool&) {
    ZoomClose(Hwnd());
}

void Velmoran_P::ShowMarks(std::int16_t kind) {
    const KindControls controls = ControlsForKind(kind);
    for (std::size_t i = 0; i < Img_BGM.size(); ++i) {
        Img_BGM[i].SetPicture(Img_Ra[controls.selected[i] ? 1 : 0].GetPicture());
    }
}

namespace {

// The display choice of the group's row index.
bool& DisplayChoice(int index) {
    bool* const choices[] = {&g_display_settings.KeepResolution, &g_display_settings.EveryMonitor,
                             &g_display_settings.Thunder};
    return *choices[index];
}

} // namespace

void Velmoran_P::ShowChecks() {
    for (int i = 0; i < 3; ++i) {
        Img_Disp[static_cast<std::size_t>(i)].SetPicture(
            Img_Ck[DisplayChoice(i) ? 1 : 0].GetPicture());
    }
}

void Velmoran_P::ToggleDisplayChoice(int index) {
    DisplayChoice(index) = !DisplayChoice(index);
    ShowChecks();
}

void Velmoran_P::SelectKind(int kind) {
    g_music_settings.BgmKind = static_cast<std::int16_t>(kind);
    Cmd_File.SetEnabled(false);
    BGM_Repeat.SetEnabled(false);
    ShowMarks(g_music_settings.BgmKind);
    const KindControls controls = ControlsForKind(g_music_settings.BgmKind);
    if (controls.track_box_enabled) {
        BGM_Repeat.SetEnabled(true);
    }
    if (controls.file_button_enabled) {
        Cmd_File.SetEnabled(true);
    }
}

void Velmoran_P::Img_BGM_MouseDown(int index) {
    SelectKind(index);
}

void Velmoran_P::lbl_BGM_MouseDown(int index) {
    SelectKind(index);
}

void Velmoran_P::Cmd_File_Click() {
    const ChosenFile chosen = ChooseMusicFile(Hwnd(), g_music_settings.BgmFolder);
    if (chosen.too_long) {
        Application::ShowMessage(UserText(TextKey::PathTooLong), MB_OK | MB_ICONWARNING, Hwnd());
        return;
    }
    if (!chosen.chosen) {
        return;
    }
    // The settings file and the music module take ANSI paths: a name the
    // code page cannot write would be saved mangled and never found again,
    // and a longer path than the settings file holds would come back cut.
    const auto ansi = ExactAnsiFromWide(chosen.path);
    const MusicFilePath verdict = MusicFilePathOf(ansi);
    if (verdict != MusicFilePath::Usable) {
        const TextKey why =
            verdict == MusicFilePath::TooLong ? TextKey::PathTooLong : TextKey::PathNotUsable;
        Application::ShowMessage(std::string(UserText(why)) + Utf8FromWide(chosen.path),
                                 MB_OK | MB_ICONWARNING, Hwnd());
        return;
    }
    g_music_settings.BgmFile = *ansi;
    lbl_Fname.SetCaption(Utf8FromAnsi(g_music_settings.BgmFile));
    g_music_settings.BgmFolder = FolderOfPath(g_music_settings.BgmFile);
}

void Velmoran_P::Cmd_Set_Click() {
    // The settings in memory change only with a saved file: a failed save,
    // one that ran out of memory too, leaves them as they were.
    MusicSettings music = g_music_settings;
    std::string shown_file;
    bool written = false;
    try {
        const SettingsFiles files = SettingsFilesOf(Application::ProgramFolder());
        const auto file = SettingsFileToWrite(files, PlatformSettingsFileAccess());
        shown_file = file.value_or(files.beside_program);
        // A failed save leaves the file as it was (see safe_save.h).
        written = file && SaveThroughCopy(PlatformSettingsFileCopy(*file),
                                          [&](const WriteSettingsKey& write) {
                                              SaveMusicSettings(music, BGM_Repeat.Text(), write);
                                              SaveDisplaySettings(g_display_settings, write);
                                          });
    } catch (...) {
        written = false;
    }
    if (!written) {
        // Nothing is lost silently: the dialog stays, with the user's choice.
        Application::ShowMessage(std::string(UserText(TextKey::CannotSave)) +
                                     Utf8FromAnsi(shown_file),
                                 MB_OK | MB_ICONWARNING, Hwnd());
        return;
    }
    g_music_settings = music;
    Unload();
}

void Velmoran_P::Cmd_Can_Click() {
    Unload();
}

void Velmoran_P::lbl_URL_Click() {
    Application::SetMousePointer(MousePointer::Hourglass);
    if (auto* execute = SystemFunction<decltype(ShellExecuteA)>(L"shell32.dll", "ShellExecuteA")) {
        execute(Hwnd(), "open", lbl_URL.Caption().c_str(), "", "", SW_SHOWNORMAL);
    }
    Application::SetMousePointer(MousePointer::Default);
}

void Velmoran_P::TilePicture(PictureBox& target) {
    const PictureRef& strip = Pic_Mbl.BackgroundPicture();
    HDC dc = target.hDC();
    if (strip == nullptr || dc == nullptr) {
        return;
    }
    // The strip's copies are Pic_Mbl's size on this screen (its picture at 96 dpi).
    const int width = ToPixels(Pic_Mbl.Width());
    const int height = ToPixels(Pic_Mbl.Height());
    const SIZE area = target.ClientSize();
    const RECT source{0, 0, strip->Width(), strip->Height()};
    for (const TileOrigin& at : TileOrigins(area.cx, area.cy, width, height)) {
        strip->Draw(dc, RECT{at.x, at.y, at.x + width, at.y + height}, source);
    }
    target.Refresh();
}

void ShowSettingsDialog(std::int32_t owner) {
    Velmoran_P& dialog = SettingsDialog();
    dialog.SetOwner(reinterpret_cast<HWND>(static_cast<std::intptr_t>(owner)));
    dialog.ShowModal();
}

namespace {

void Zoom(HWND window, bool opening) {
    RECT frame{};
    GetWindowRect(window, &frame);
    const ScreenRect p = ZoomPoint(ZoomX, ZoomY);
    const RECT point{p.left, p.top, p.right, p.bottom};
    DrawAnimatedRects(window, IDANI_CAPTION, opening ? &point : &frame, opening ? &frame : &point);
}

} // namespace

void ZoomOpen(HWND window) {
    Zoom(window, true);
}

void ZoomClose(HWND window) {
    Zoom(window, false);
}
