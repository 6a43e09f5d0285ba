#pragma once

// Driving whole screensaver runs: the programs installed in a folder of
// their own, the renderer found by its window, the hand-off files read back,
// and the renderer stand-in's log.

#include <windows.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "handoff_paths.h"
#include "program_runner.h"
#include "screen.h"

namespace velmoran_test {

// What sits beside Velmoran.scr under the renderer's name.
enum class RendererKind {
    Real,    // Velmoran.dll as built
    StandIn, // renderer_stand_in.exe, which logs what reaches it
    None,    // nothing
};

// Copies Velmoran.scr and the renderer of that kind into folder (created,
// emptied of earlier copies first); the copied Velmoran.scr's path.
std::string InstallPrograms(const std::string& folder, RendererKind renderer);
// Removes what InstallPrograms put into folder, and the folder.
void UninstallPrograms(const std::string& folder);

// The names of the files in the hand-off folder, sorted.
std::vector<std::string> HandoffFileNames();
std::string HandoffFile(int index); // the hand-off folder's VelmoranN.bmp

// An uncompressed BMP file of 24 or 32 bits a pixel, as a picture.
struct BmpPicture {
    int width = 0;
    int height = 0;
    int bits_per_pixel = 0;
    std::vector<Rgb> pixels; // top row first
    const Rgb& at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};
std::optional<BmpPicture> ReadBmp(const std::string& path);

// The renderer's window: a top-level window titled "Velmoran_VC" of another
// process than this one (the test may own one of that title itself).
HWND FindRendererWindow();
HWND WaitForRendererWindow(std::chrono::milliseconds timeout);

// The process of a window, opened for waiting and its exit code.
class WindowProcess {
public:
    explicit WindowProcess(HWND window);
    ~WindowProcess();
    WindowProcess(const WindowProcess&) = delete;
    WindowProcess& operator=(const WindowProcess&) = delete;

    bool valid() const { return m_process != nullptr; }
    DWORD id() const { return m_id; }
    bool running() const;
    std::optional<DWORD> wait_for_exit(std::chrono::milliseconds timeout);
    // The program file the process runs (ANSI).
    std::string image_path() const;

private:
    HANDLE m_process = nullptr;
    DWORD m_id = 0;
};

// Ends (with a close message) a renderer that a failed test left running.
void EndLeftoverRenderers();

// Presses Esc in a window, as the keyboard would deliver it.
void PressEscape(HWND window);

// The stand-in renderer's log in folder, line by line.
std::vector<std::string> StandInLog(const std::string& folder);
// Tells the stand-in in folder to end.
void StopStandIn(const std::string& folder);
// Makes the stand-in in folder wait that long between its start and its window.
void DelayStandInWindow(const std::string& folder, int milliseconds);

} // namespace velmoran_test
