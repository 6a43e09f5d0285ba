#pragma once

// Paths as the program takes them apart. Paths are ANSI text, so the code
// page's lead-byte test keeps a double-byte character whose second byte is
// 0x5C from being taken for a backslash.

#include <string>
#include <string_view>

#include "runtime/conversions.h"

// The folder part of a path, without a trailing backslash: everything up to
// the last colon or backslash. C:\Music\a.mp3 gives C:\Music, C:\a.mp3 gives
// C: (the drive alone), D:x.mp3 gives D:, a.mp3 gives empty text.
std::string FolderOfPath(std::string_view path, runtime::LeadByteTest lead_byte);

// The path FileExists opens: one trailing backslash dropped, so that a folder
// named with one is tested as the folder itself.
std::string PathToOpen(std::string_view path, runtime::LeadByteTest lead_byte);
