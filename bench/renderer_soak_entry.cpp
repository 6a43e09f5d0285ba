// The renderer program for the long-run benchmark: runs exactly as the
// shipped program does, then writes the most sprites each pool held at once
// to the file named on its command line.

#include <cstdio>

#include "../renderer/win32/renderer.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous_instance, LPSTR command_line,
                   int show_command) {
    const int code = win_main(instance, previous_instance, command_line, show_command);
    if (std::FILE* out = std::fopen(command_line, "w")) {
        std::fprintf(out, "first pool peak %d\nsecond pool peak %d\n",
                     g_scene.lightning.peak_count[0], g_scene.lightning.peak_count[1]);
        std::fclose(out);
    }
    return code;
}
