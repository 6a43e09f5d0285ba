#pragma once

// The program as the form runtime sees it: its instance and title, its
// folder and command line, the loaded forms and the message loop that lives
// as long as one of them is loaded, the end of the program, message boxes,
// the application-wide mouse pointer, the screen, folders and programs.

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/twips.h"

namespace runtime {

class Form;

enum class MousePointer {
    Default = 0,
    Hourglass = 11,
};

struct ScreenMetrics {
    int width_twips = 0; // the primary screen
    int height_twips = 0;
    int dpi_x = kDesignDpi; // dots per inch: 15 twips per pixel at 96, 7.5 at 192
    int dpi_y = kDesignDpi;

    // Twips as positions and sizes of windows on this screen.
    Scale TwipsScale() const { return Scale{ScaleMode::Twips, dpi_x}; }
};

// The primary screen, now.
ScreenMetrics Screen();
// The dots per inch twips are laid out at: the system's horizontal
// resolution, read once, unless a window on a monitor of another scaling
// set its monitor's (SetLayoutDpi).
int ScreenDpi();
// Lays out at dpi from now on, in both directions (a window opened on or
// moved to a monitor of its own scaling); 0 for the system's again.
void SetLayoutDpi(int dpi);
// The vertical resolution fonts are made at: the system's, or the one set.
int FontDpi();

class Application {
public:
    // Once, before any form is made: the module that holds the program's
    // resources, and the title its message boxes carry (UTF-8).
    static void Initialize(HINSTANCE instance, std::string_view title);
    static HINSTANCE Instance();
    static const std::string& Title();

    // The folder of the program file, without a trailing backslash, as the
    // platform names it.
    static std::wstring ProgramFolderWide();
    // The same in ANSI, for the profile functions; empty when the code page
    // cannot write its name (such as "C:\テスト" on a Western system).
    static std::string ProgramFolder();
    // The command line without the program name (ANSI).
    static std::string CommandArguments();

    // Handles messages for as long as a form is loaded; returns at once when
    // none is. The program's exit code.
    static int Run();
    // Ends the program at once; no unload handler of a loaded form runs.
    [[noreturn]] static void End(int exit_code = 0);

    // A message box with the program's title as its caption (UTF-8 text, shown
    // through the wide API); the button the user pressed.
    static int ShowMessage(std::string_view text, UINT type = MB_OK, HWND owner = nullptr);

    // The pointer every form of the program shows; the hourglass also shows at once.
    static void SetMousePointer(MousePointer pointer);
    static MousePointer CurrentMousePointer();

    // Creates a folder (ANSI path); false when it could not be made or was there already.
    static bool CreateFolder(const std::string& ansi_path);
    // Starts a program with a whole command line (ANSI) and a show command;
    // its process id, or nothing when it could not be started. Nothing waits for it.
    static std::optional<DWORD> StartProgram(const std::string& ansi_command_line,
                                             int show_command);
    // The same with the program file named apart from the command line, so
    // that the platform searches nothing along a command line with blanks.
    static std::optional<DWORD> StartProgram(const std::string& ansi_application,
                                             const std::string& ansi_command_line,
                                             int show_command);

    static std::size_t LoadedFormCount();

    // One message through the program's handling (keyboard navigation between
    // a form's controls, then the window procedure); used by modal loops.
    static void Dispatch(MSG& message);

private:
    friend class Form;
    static void FormLoaded(Form* form);
    static void FormUnloaded(Form* form);
};

} // namespace runtime
