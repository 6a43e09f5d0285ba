// Velmoran.scr: the screensaver program the system starts in its modes.

#include <windows.h>

#include "main_module.h"
#include "program_names.h"
#include "runtime/win32/application.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    runtime::Application::Initialize(instance, kApplicationTitle);
    Main();
    // The program lives on for as long as one of its windows is loaded.
    return runtime::Application::Run();
}
