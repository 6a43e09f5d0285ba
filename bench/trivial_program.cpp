// The least a Windows program can be: it starts and ends. Timing its start
// shows what the platform itself costs for starting a program.

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return 0;
}
