#pragma once

// Saving the settings file so that a crash, a kill or a power cut at any
// moment leaves either the old file or the new one, whole: the profile
// writes go to a copy of the file beside it, which is flushed to the disk and
// then put in place of the file in one step. The copy is written by the same
// profile functions as the file would be, so every section, key, comment and
// untouched line comes out exactly as they would leave it.

#include <functional>
#include <string>

#include "settings/save_order.h"

// The platform's side of a save through a copy. Each step says whether it
// worked.
struct SettingsFileCopy {
    // Makes the copy: the file's bytes, or an empty file when there is none.
    std::function<bool()> make;
    // One profile write to the copy (ANSI key and value, section "Section").
    std::function<bool(const std::string& ansi_key, const std::string& value)> write_key;
    // The copy's contents to the disk.
    std::function<bool()> flush;
    // The copy in place of the file, in one step.
    std::function<bool()> put_in_place;
    // Removes the copy (after a failed step; never the file itself).
    std::function<void()> discard;
};

// Makes the copy, gives write_all a key writer onto it, flushes it and puts
// it in place. At the first step that fails the rest is skipped, the copy is
// removed and false comes back: the file is then as it was.
bool SaveThroughCopy(const SettingsFileCopy& copy,
                     const std::function<void(const WriteSettingsKey&)>& write_all);
