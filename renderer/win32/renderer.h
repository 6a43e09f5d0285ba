#pragma once

// The renderer program's Win32 side: its global state and the operations
// that bind the portable scene to a window, a display mode and WGL.

#include <windows.h>

#include "../display_choice.h"
#include "../scene.h"

// Program-wide state, one instance each, null until created.
extern HINSTANCE g_instance;      // stored when the window is created; unregisters the class
extern HWND g_window;             // the full-screen pop-up "Velmoran_VC"
extern HDC g_device_context;      // the window's DC, held for the whole run
extern HGLRC g_gl_context;        // the OpenGL rendering context
extern RECT g_client_rect;        // taken once at initialisation; right/bottom give the viewport
extern bool g_full_screen;        // always set: pop-up style, display switch, hidden cursor
extern bool g_display_switched;   // the start changed the display mode (restored at the end)
extern RendererOptions g_options; // from the command line
extern Scene g_scene;

int win_main(HINSTANCE instance, HINSTANCE previous_instance, LPSTR command_line, int show_command);
HWND create_window(const char* title, int width, int height, DWORD style, bool full_screen,
                   HINSTANCE instance);
// Switches the primary display to 1024 x 768 as display_choice.h says, and
// sets g_display_switched when it did; otherwise the mode stays.
void switch_display_mode();
void create_gl_context(int width, int height);
bool set_pixel_format(HDC device_context);
void init_scene(HWND window);
int run_loop();
LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
void shutdown_renderer();

// The platform's clocks for the frame timer.
const ClockSource& platform_clock();
