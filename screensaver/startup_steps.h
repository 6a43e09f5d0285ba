#pragma once

// The start of every run of the program, up to the window that each mode
// shows. The platform's services come in as functions, so that the order of
// the steps and what each mode skips can be checked without a platform.

#include <functional>
#include <string>

#include "start_request.h"

struct StartupServices {
    // Whether a top-level window with this title exists (FindWindowA, no class).
    std::function<bool(const char* title)> window_exists;
    // Creates the hand-off folder; an existing folder or a failure is ignored.
    std::function<void()> create_handoff_folder;
    std::function<void()> load_music_settings;
    std::function<bool(const std::string& utf8_path)> file_exists;
    // The missing-renderer message box; returns when the user has dismissed it.
    std::function<void()> show_missing_renderer_message;
    std::function<void()> hide_cursor; // one ShowCursor(FALSE)
    std::string program_folder;        // UTF-8, without a trailing backslash
};

// What the program does once the start-up steps are done.
enum class StartupOutcome {
    End,            // end at once
    Preview,        // show the preview in the window of the request's handle
    SettingsDialog, // show the settings dialog modally, then end
    RunWindow,      // load the hidden run window
};

// Refuses a second instance, then: preview goes straight to its window;
// configure and run create the hand-off folder, load the music settings and
// test for the renderer (a message and the end when it is missing); any
// other command line ends at once and touches nothing.
StartupOutcome RunStartupSteps(const StartRequest& request, const StartupServices& services);
