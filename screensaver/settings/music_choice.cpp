#include "settings/music_choice.h"

namespace {

constexpr int kHighestTrack = 30;

} // namespace

KindControls ControlsForKind(std::int16_t kind) {
    KindControls controls;
    if (kind >= 0 && kind < kMusicKindCount) {
        controls.selected[static_cast<std::size_t>(kind)] = true;
    }
    controls.track_box_enabled = kind == 1;
    controls.file_button_enabled = kind == 2;
    return controls;
}

std::string TrackBoxText(std::int16_t repeat) {
    return runtime::FormatHashPattern(repeat);
}

std::vector<std::string> TrackBoxEntries() {
    std::vector<std::string> entries;
    for (int track = 0; track <= kHighestTrack; ++track) {
        entries.push_back(runtime::FormatHashPattern(track));
    }
    return entries;
}

MusicFilePath MusicFilePathOf(const std::optional<std::string>& ansi_path) {
    constexpr std::size_t kMostBytes = 254; // a value the settings file reads back whole
    if (!ansi_path) {
        return MusicFilePath::NotInCodePage;
    }
    return ansi_path->size() > kMostBytes ? MusicFilePath::TooLong : MusicFilePath::Usable;
}
