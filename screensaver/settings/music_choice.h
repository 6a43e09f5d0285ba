#pragma once

// What the settings dialog shows for the music settings: which radio mark
// is selected and which controls can be used for a kind, and the track box's
// text and list.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/conversions.h"

// The three kinds in the dialog's marks: index i selects kind i (0 none,
// 1 audio CD, 2 music file).
inline constexpr int kMusicKindCount = 3;

struct KindControls {
    std::array<bool, kMusicKindCount> selected{}; // the selected mark; none for another kind
    bool track_box_enabled = false;               // the CD kind only
    bool file_button_enabled = false;             // the file kind only
};

KindControls ControlsForKind(std::int16_t kind);

// The track box's text for a repeat ("##": 0 shows empty text) and its list:
// an empty entry, then 1 to 30.
std::string TrackBoxText(std::int16_t repeat);
std::vector<std::string> TrackBoxEntries();
