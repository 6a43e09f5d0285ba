#pragma once

// The settings files on the platform: the one beside the program and the
// user's own under the user's application data, and the file operations
// that choose between them.

#include <string>

#include "settings/safe_save.h"
#include "settings/settings_location.h"

// The files of a program in program_folder (ANSI, no trailing backslash;
// empty when the folder has no ANSI name, and then the user's own file only).
SettingsFiles SettingsFilesOf(const std::string& program_folder);

SettingsFileAccess PlatformSettingsFileAccess();

// Saving the settings file at ansi_path through a copy beside it
// ("Velmoran.ini.saving"), put in place with a write-through rename.
SettingsFileCopy PlatformSettingsFileCopy(const std::string& ansi_path);
