#pragma once

// Plain black windows over the monitors the renderer's picture does not
// reach, for the whole of a run.

#include <windows.h>

// Covers every monitor but the primary with a black top-most window, sized to
// the monitor as the system reports it now (after the display switch). The
// covers are owned by owner, so they are destroyed with it; they never take
// the activation, the focus or the keyboard from it. With one monitor nothing
// is created, not even the window class. Called again when the monitors
// change during the run, it moves the covers there, adds covers for new
// monitors and removes those of monitors that went away.
void place_monitor_covers(HWND owner, HINSTANCE instance);
