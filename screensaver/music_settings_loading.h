#pragma once

// Loading the music settings from the settings file at start-up, with every
// load rule: numbers that do not read or do not fit are skipped, a music
// file that cannot be opened is dropped (and file music with it), and the
// file chooser's folder follows the file.

#include <functional>
#include <string>

#include "music/music_settings.h"
#include "runtime/conversions.h"

struct SettingsReader {
    // The value of a key (its ANSI bytes) of section "Section" of the
    // settings file; empty text when the key, the section or the file is absent.
    std::function<std::string(const std::string& ansi_key)> read_key;
    // Whether a file can be opened for reading.
    std::function<bool(const std::string& path)> file_exists;
    std::string program_folder;                             // without a trailing backslash
    runtime::LeadByteTest lead_byte = runtime::NoLeadBytes; // of the ANSI code page
};

// Fills settings from the reader; a numeric key that does not load leaves its
// setting as it was (0 at the start of the program).
void LoadMusicSettingsFrom(MusicSettings& settings, const SettingsReader& reader);
