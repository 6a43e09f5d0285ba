#pragma once

// The screensaver program's process-wide state, shared by its modules and
// windows. Both live for the whole process.

#include <cstdint>

#include "music/music_settings.h"
#include "settings/display_settings.h"

// The music settings: loaded at start-up, changed by the settings dialog,
// read by the run window and the music player.
extern MusicSettings g_music_settings;
// The display choice, loaded and saved with the music settings.
extern DisplaySettings g_display_settings;

// The result of the program's latest platform call that records one (the
// profile write among them); read only right after the call that set it.
extern std::int32_t LastApiResult;

// The settings dialog's zoom point (screen pixels): where the pointer was
// when the dialog opened; it zooms out of it and back into it.
extern std::int16_t ZoomX;
extern std::int16_t ZoomY;
