#pragma once

// The user's display choices beside the music settings: whether a run keeps
// the screen's resolution instead of switching it to 1024 x 768, whether it
// shows the scene on every monitor instead of covering the others in black,
// and whether thunder follows every strike. Each is off unless the settings
// file says "1", so a file without the keys (every file written before the
// choices existed) runs as always.

#include <string>
#include <string_view>

#include "settings/save_order.h"

struct DisplaySettings {
    bool KeepResolution = false;
    bool EveryMonitor = false;
    bool Thunder = false;
};

// A key's stored value read as its choice: "1" is on, anything else off.
bool ChoiceFrom(std::string_view stored_value);

// Writes the choices ("1" or "0"): keeping the resolution, every monitor,
// then thunder; the dialog's save calls it after the three music keys.
void SaveDisplaySettings(const DisplaySettings& settings, const WriteSettingsKey& write);

// The renderer's command-line arguments for the choices (empty when all are off).
std::string RendererArgumentsFor(const DisplaySettings& settings);
