#include "startup_steps.h"

#include "program_names.h"
#include "skipped_failures.h"

StartupOutcome RunStartupSteps(const StartRequest& request, const StartupServices& services) {
    // Both searches are made, whatever the first one found.
    const bool run_in_progress = services.window_exists(kRunWindowTitle);
    const bool dialog_open = services.window_exists(kSettingsDialogTitle);
    if (run_in_progress || dialog_open) {
        return StartupOutcome::End;
    }
    switch (request.mode) {
    case StartMode::None:
        return StartupOutcome::End;
    case StartMode::Preview:
        return StartupOutcome::Preview;
    case StartMode::Configure:
    case StartMode::Run:
        break;
    }

    SkipIfFailing([&] { services.create_handoff_folder(); });
    SkipIfFailing([&] { services.load_music_settings(); });
    if (!services.file_exists(services.program_folder + std::string(kRendererFileName))) {
        services.show_missing_renderer_message();
        return StartupOutcome::End;
    }
    if (request.mode == StartMode::Configure) {
        return StartupOutcome::SettingsDialog;
    }
    if (request.hide_cursor) {
        SkipIfFailing([&] { services.hide_cursor(); });
    }
    return StartupOutcome::RunWindow;
}
