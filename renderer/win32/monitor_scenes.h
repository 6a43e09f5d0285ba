#pragma once

// The scene on every monitor ("/every-monitor"): the renderer's window
// spans the whole virtual screen, and each monitor (up to 16) gets a scene
// of its own in its part of the window, at the monitor's own size and
// aspect, over that monitor's own photograph, with its own bolts and flash.
// The primary's scene is the program's g_scene. One window and one context
// take one buffer swap a frame, so the monitors share the frame rate of one
// window. Parts of the window that no scene fills (gaps between monitors of
// different sizes, monitors beyond the 16th) stay black.

#include <windows.h>

// The virtual screen: the rectangle that holds every monitor.
RECT virtual_screen();

// Gives every monitor after the primary a scene: its floor from its own
// hand-off picture, the bolt pictures shared with g_scene. Needs the GL
// context current and g_scene's textures and pools made.
void create_monitor_scenes();

// Ticks and draws every monitor's scene into its part of the window, then
// swaps the buffers once.
void draw_monitor_scenes();

// After the monitors changed: the window over the virtual screen again, and
// a scene for every monitor there now (a new one over the grey floor of a
// missing picture, unless its picture is there).
void follow_monitor_change();
