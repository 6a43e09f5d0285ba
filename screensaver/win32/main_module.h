#pragma once

// The main module of the screensaver program: its entry and the small file
// routines the other parts call.

#include <string>

#include "music/music_settings.h"

// The program's entry: refuses a second instance, reads the mode from the
// command line and goes on to the preview, or creates the hand-off folder,
// loads the music settings and tests for the renderer.
void Main();

// Whether a file can be opened for reading (ANSI path; one trailing
// backslash is dropped first, so a folder named with one gives false).
bool FileExists(const std::string& path);

// The folder part of an ANSI path, without a trailing backslash.
std::string FolderOfPath(const std::string& path);

// Fills the program's music settings from the settings file beside the program.
void LoadMusicSettings();
// Fills the program's display choice from the same file.
void LoadDisplaySettings();

// The same from the settings file of a program in program_folder: the
// user's own file when there is one, else the one beside the program.
void LoadMusicSettingsFromFolder(MusicSettings& settings, const std::string& program_folder);
