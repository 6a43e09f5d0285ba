#include "program_globals.h"

MusicSettings g_music_settings;
DisplaySettings g_display_settings;
std::int32_t LastApiResult = 0;
std::int16_t ZoomX = 0;
std::int16_t ZoomY = 0;
