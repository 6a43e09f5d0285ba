#include "renderer.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous_instance, LPSTR command_line,
                   int show_command) {
    // Every allocation the renderer makes is checked where it is made; should
    // anything throw all the same, the display mode and the cursor are given
    // back before the program ends, as if it could not run at all.
    try {
        return win_main(instance, previous_instance, command_line, show_command);
    } catch (...) {
        shutdown_renderer();
        return 1;
    }
}
