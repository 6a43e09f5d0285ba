#pragma once

// Saving the settings file so that a crash, a kill or a power cut at any
// moment leaves either the old file or the new one, whole: the profile
// writes go to a copy of the file beside it, which is flushed to the disk and
// then put in place of the file in one step, keeping the file's own access
// list and attributes. The copy is written by the same profile functions as
// the file would be, so every section, key, comment and untouched line comes
// out exactly as they would leave it. Where no file may be made beside the
// settings file (write access granted on that file alone), the profile
// writes go to the file itself, as they always did: a save that works beats
// a refusal.

#include <functional>
#include <string>

#include "settings/save_order.h"

// How making the copy went.
enum class CopyMade {
    Made,    // the copy is there, new, holding the file's bytes
    NoRoom,  // no file may be made beside the settings file: save in place
    Refused, // anything else (a link or a foreign file at the copy's name, a
             // read-only or locked file): nothing is saved
};

// The platform's side of a save through a copy. Each step says whether it
// worked.
struct SettingsFileCopy {
    // Removes a leftover copy, then makes the copy new (never through a link
    // or into an existing file) with the file's bytes, or empty when there
    // is no file.
    std::function<CopyMade()> make;
    // One profile write to the copy (ANSI key and value, section "Section").
    std::function<bool(const std::string& ansi_key, const std::string& value)> write_key;
    // The copy's contents to the disk.
    std::function<bool()> flush;
    // The copy, still the one made, in place of the file in one step, with
    // the file's access list and attributes.
    std::function<bool()> put_in_place;
    // Removes the copy this save made (never the file, nor anything else).
    std::function<void()> discard;
    // One profile write to the settings file itself.
    std::function<bool(const std::string& ansi_key, const std::string& value)> write_in_place;
};

// Makes the copy, gives write_all a key writer onto it, flushes it and puts
// it in place. At the first step that fails, or throws, the rest is skipped,
// the copy is removed and false comes back: the file is then as it was.
// Where the copy has no room, write_all writes the file in place.
bool SaveThroughCopy(const SettingsFileCopy& copy,
                     const std::function<void(const WriteSettingsKey&)>& write_all);
