#pragma once

#include <cstdint>
#include <string>

// The background-music settings the whole screensaver program shares: filled
// from the settings file at start-up, changed by the settings dialog, read by
// the run window and the music player. The program holds one instance.
struct MusicSettings {
    std::int16_t BgmKind = 0;   // 0 none, 1 audio CD, 2 music file (MP3 or WAV)
    std::int16_t BgmRepeat = 0; // CD track to loop; 0 plays the whole disc
    std::string BgmFile;        // full path of the music file (ANSI), or empty
    std::string BgmFolder;      // folder the file chooser opens in; never stored
};
