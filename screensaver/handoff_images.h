#pragma once

// The hand-off images: the three BMP files a run writes into the hand-off
// folder for the renderer, which reads them once at its start. Image 0 is
// the primary screen as it looked when the run began (the floor), images 1
// and 2 are the two bolt pictures built into the program. Each save replaces
// the file of the same name (see handoff_files.h for how). The photograph
// lasts only as long as the run: the run's end removes it. The bolt pictures
// stay.

#include <functional>
#include <vector>

#include "handoff_location.h"
#include "renderer_command_line.h"

// The platform's side of writing the images. Every step may fail; a failed
// step is skipped and the next one runs.
struct HandoffImageServices {
    // The run window takes the whole primary screen's size (it stays hidden).
    std::function<void()> size_window_to_screen;
    // The capture surface (picture box 0) takes the run window's client area.
    std::function<void()> size_capture_surface;
    // The desktop's device context is taken, the screen is copied into the
    // capture surface's retained image from the top-left corner, the surface
    // is refreshed and the context released.
    std::function<void()> copy_screen;
    // Saves picture box index's retained image as hand-off image index, as
    // HandoffWriteFor and HandoffAccessOf (handoff_files.h) say; true when
    // it was written. A photograph that was not is removed, so that no
    // earlier run's stays where this run's should be.
    std::function<bool(int index)> save_picture;
    // With a scene on every monitor: photographs every monitor after the
    // primary into its own hand-off picture (monitor_pictures.h), and
    // removes the pictures of monitors there are no longer; the pictures
    // written. Empty otherwise.
    std::function<std::vector<MonitorPhotograph>()> photograph_other_monitors;
};

// What a run wrote for the renderer.
struct HandoffImagesWritten {
    bool photograph = false;                 // image 0, the primary screen
    std::vector<MonitorPhotograph> monitors; // the further monitors' photographs
};

// Captures the screen and saves the three images, in this order: the
// window's and the surface's size, the screen copy, then images 0, 1 and 2;
// then the other monitors' photographs, when asked for.
// A step that fails (one that throws, too) is skipped and the next one runs.
HandoffImagesWritten WriteHandoffImages(const HandoffImageServices& services);
