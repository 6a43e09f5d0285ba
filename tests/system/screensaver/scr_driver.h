#pragma once

// Driving Velmoran.scr the way the system does, and looking at what it
// leaves on the screen and on the disk.

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

#include "handoff_paths.h"
#include "program_runner.h"

namespace velmoran_test {

// Velmoran.scr in the build folder, with Velmoran.dll beside it.
std::string ScreensaverWithRenderer();
// A copy of Velmoran.scr alone in a folder of its own on drive C.
std::string ScreensaverAlone();

// Starts a screensaver program as the system does: the program's quoted path
// followed by the arguments.
bool StartScreensaver(ChildProcess& process, const std::string& program,
                      const std::string& arguments);

// The first top-level message box of a process, or null.
HWND FindMessageBox(DWORD process_id);
HWND WaitForMessageBox(DWORD process_id, std::chrono::milliseconds timeout);

struct MessageBoxContent {
    std::wstring caption;
    std::wstring text;                 // the message's static text
    std::vector<std::wstring> buttons; // the buttons' captions
};
MessageBoxContent ReadMessageBox(HWND box);
// Presses the box's OK button.
void PressOk(HWND box);

// The hand-off folder: whether it exists, and removing it with its files.
bool HandoffFolderExists();
void RemoveHandoffFolder();

// Whether this runs under Wine.
bool UnderWine();

// A top-level window (of this process) with a given title, for the start-up's
// second-instance test to find.
class TitledWindow {
public:
    explicit TitledWindow(const char* title);
    ~TitledWindow();
    TitledWindow(const TitledWindow&) = delete;
    TitledWindow& operator=(const TitledWindow&) = delete;
    HWND handle() const { return m_window; }

private:
    HWND m_window = nullptr;
};

// The handle as the system writes it on a preview command line.
std::string HandleText(HWND window);

// A 24-bit BMP file's pixels, top row first (empty when it cannot be read).
struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb; // 3 bytes a pixel
};
RgbPicture ReadBmp24(const std::string& path);

// The committed resources folder of the source tree (as Windows names it).
std::string ResourcesFolder();

} // namespace velmoran_test
