#include "renderer.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous_instance, LPSTR command_line,
                   int show_command) {
    return win_main(instance, previous_instance, command_line, show_command);
}
