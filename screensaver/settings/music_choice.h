#pragma once

// What the settings dialog shows for the music settings: which radio mark
// is selected and which controls can be used for a kind, and the track box's
// text and list.

#include <array>
#include <cstdint>
#include <optional>
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

// Whether a chosen music file can be kept: its path is stored in the
// settings file and opened through the ANSI functions, so it needs an exact
// ANSI form (nothing when the code page cannot write it) that the settings
// file reads back whole (254 bytes at most).
enum class MusicFilePath {
    Usable,
    NotInCodePage,
    TooLong,
};
MusicFilePath MusicFilePathOf(const std::optional<std::string>& ansi_path);
