// Velmoran.scr: the screensaver program the system starts in its modes.

#include <windows.h>

#include "main_module.h"
#include "program_names.h"
#include "runtime/win32/application.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // The run's steps skip what fails in them (see skipped_failures.h); what
    // could still throw is the making of the program's windows. Should it,
    // the program ends as one that could not start, and the music module's
    // owner closes what it opened on the way out.
    try {
        runtime::Application::Initialize(instance, kApplicationTitle);
        Main();
        // The program lives on for as long as one of its windows is loaded.
        return runtime::Application::Run();
    } catch (...) {
        return 1;
    }
}
