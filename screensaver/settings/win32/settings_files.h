#pragma once

// The settings files on the platform: the one beside the program and the
// user's own under the user's application data, and the file operations
// that choose between them.

#include <string>

#include "settings/settings_location.h"

// The files of a program in program_folder (ANSI, no trailing backslash).
SettingsFiles SettingsFilesOf(const std::string& program_folder);

SettingsFileAccess PlatformSettingsFileAccess();
