#pragma once

// The settings file's two low-level operations, on the platform's ANSI
// profile functions. Section, key, value and file are ANSI text (the keys'
// Shift-JIS bytes, see ProfileKey). Neither reports a missing file or key.

#include <string>

// The value of one key, or empty text when the key, the section or the file
// is absent. A value longer than 255 bytes comes back cut to 255.
std::string ReadIni(const std::string& section, const std::string& key, const std::string& file);

// Writes one key; a section or key name longer than 127 characters is cut.
// The platform's result goes to LastApiResult and nowhere else.
void WriteIni(const std::string& section, const std::string& key, const std::string& value,
              const std::string& file);
