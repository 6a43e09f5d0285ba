#pragma once

// Writing the hand-off files into C:\q_velk and removing them, on Win32, as
// handoff_files.h decides: nothing is written or removed through a link or
// into the wrong kind of entry, an earlier file is removed and a new one
// made, and the photograph gets an access list of its own user and the
// system alone.

#include <cstdint>
#include <string>
#include <vector>

// Writes the bytes as hand-off image index (0, 1 or 2) at path, a file
// directly inside the hand-off folder (ANSI). False when nothing was written:
// then no file of this run is there (a half-written one is removed).
bool WriteHandoffFile(int index, const std::string& path, const std::vector<std::uint8_t>& bytes);

// Removes the hand-off file at path when it is a plain file in the plain
// hand-off folder; false when it is not there or could not be removed.
bool RemoveHandoffFile(const std::string& path);
