#pragma once

// Writing the hand-off files into the user's hand-off folder and removing them, on Win32, as
// handoff_files.h decides: nothing is written or removed through a link or
// into the wrong kind of entry, an earlier file is removed and a new one
// made, and the photograph gets an access list of its own user and the
// system alone.

#include <cstdint>
#include <string>
#include <vector>

// Writes the bytes as hand-off image index (0, 1 or 2) into folder. False
// when nothing was written: then no file of this run is there (a
// half-written one is removed).
bool WriteHandoffFile(const std::wstring& folder, int index,
                      const std::vector<std::uint8_t>& bytes);

// Removes hand-off image index from folder when it is a plain file in the
// plain folder; false when it is not there or could not be removed.
bool RemoveHandoffFile(const std::wstring& folder, int index);
