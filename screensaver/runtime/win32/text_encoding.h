#pragma once

// Text between the program's three encodings: UTF-8 (the sources and every
// user-visible text), UTF-16 (the wide API that shows them) and ANSI (the
// system code page, for paths and the ANSI functions the program calls).

#include <optional>
#include <string>
#include <string_view>

namespace runtime {

std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);
std::wstring WideFromAnsi(std::string_view ansi);
std::string AnsiFromWide(std::wstring_view wide);
// The ANSI form of text only when the code page can write every character of
// it (no question marks, no look-alike substitutes).
std::optional<std::string> ExactAnsiFromWide(std::wstring_view wide);
std::string Utf8FromAnsi(std::string_view ansi);

// Whether byte starts a double-byte character in the system code page.
bool SystemLeadByte(unsigned char byte);

} // namespace runtime
