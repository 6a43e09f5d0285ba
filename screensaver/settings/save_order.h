#pragma once

// Saving the music settings, as the settings dialog's OK does it: the three
// keys, always all three, in a fixed order, each through one profile write.

#include <functional>
#include <string>
#include <string_view>

#include "music/music_settings.h"

// Writes one key (its ANSI bytes) of section "Section" of the settings file.
using WriteSettingsKey = std::function<void(const std::string& ansi_key, const std::string& value)>;

// 1. the music kind; 2. the repeat, first taken from the dialog's track box
// text into settings.BgmRepeat; 3. the music file exactly as held, also when
// it is empty (the key is then written with an empty value, not removed).
void SaveMusicSettings(MusicSettings& settings, std::string_view track_box_text,
                       const WriteSettingsKey& write);
