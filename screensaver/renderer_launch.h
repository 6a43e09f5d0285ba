#pragma once

// How the screensaver program starts the renderer, and how it learns that
// the renderer has ended. The renderer is a separate program beside this one;
// it gets no arguments but the user's display choices, and its window title is the only sign of its
// life that the two programs share: nothing is sent to it, nothing waits for it.

#include <string>
#include <string_view>

// The renderer's window title (and class), looked for by title alone.
inline constexpr const char* kRendererWindowTitle = "Velmoran_VC";

// SW_SHOWNORMAL: the renderer is started shown and activated (it shows its
// window itself in any case).
inline constexpr int kRendererShowCommand = 1;

// Paths are UTF-8 (the platform is given their wide form).
struct RendererLaunch {
    // The program file, named to the platform as the program to start, so
    // that nothing is searched for along the command line.
    std::string application;
    // The path again, in double quotes: a folder with blanks, such as one
    // under "C:\Program Files", then reads as one path to the renderer;
    // then the arguments of the user's display choices, if any.
    std::string command_line;
    int show_command = kRendererShowCommand;
};

// The renderer's full path for a program folder without a trailing backslash.
std::string RendererPathIn(std::string_view program_folder);

// The start of the renderer at renderer_path, with arguments (none by default).
RendererLaunch LaunchOf(const std::string& renderer_path, std::string_view arguments = {});
