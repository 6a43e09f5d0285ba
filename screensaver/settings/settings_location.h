#pragma once

// Which settings file the program reads and which it writes. The file beside
// the program is the one of a portable install, kept wherever that folder can
// be written. Where it cannot (the program installed into the system folder
// or under Program Files), each user gets a file of their own, which reading
// then prefers, so that what was saved is what is read.

#include <functional>
#include <optional>
#include <string>

struct SettingsFiles {
    std::string beside_program;          // the program folder's Velmoran.ini (ANSI)
    std::optional<std::string> per_user; // the user's own file, when its path has an ANSI form
};

struct SettingsFileAccess {
    std::function<bool(const std::string& path)> exists;
    // Whether the file can be written: opened for writing, made when absent.
    std::function<bool(const std::string& path)> can_write;
    // Makes the folder a file is to live in (and the ones above it).
    std::function<void(const std::string& path)> make_folder_for;
};

// The user's own file when there is one, else the one beside the program.
std::string SettingsFileToRead(const SettingsFiles& files, const SettingsFileAccess& access);

// The user's own file when there is one; else the one beside the program when
// it can be written; else the user's own file, made now. Nothing when no file
// can be written.
std::optional<std::string> SettingsFileToWrite(const SettingsFiles& files,
                                               const SettingsFileAccess& access);
