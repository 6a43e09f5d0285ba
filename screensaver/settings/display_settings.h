#pragma once

// The user's display choice beside the music settings: whether a run keeps
// the screen's resolution instead of switching it to 1024 x 768. Off unless
// the settings file says "1", so a file without the key (every file written
// before the choice existed) switches as always.

#include <string>
#include <string_view>

#include "settings/save_order.h"

struct DisplaySettings {
    bool KeepResolution = false;
};

// The key's stored value read as the choice: "1" keeps, anything else switches.
bool KeepResolutionFrom(std::string_view stored_value);

// Writes the choice ("1" or "0"); the dialog's save calls it after the three
// music keys.
void SaveDisplaySettings(const DisplaySettings& settings, const WriteSettingsKey& write);

// The renderer's command-line arguments for the choice (empty when off).
std::string RendererArgumentsFor(const DisplaySettings& settings);
