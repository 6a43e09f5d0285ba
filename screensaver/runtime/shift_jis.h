#pragma once

// Shift-JIS as Windows has it (code page 932), converted from and to UTF-8
// without the platform, so that the program's Japanese texts reach the ANSI
// functions as the same bytes on every system.

#include <optional>
#include <string>
#include <string_view>

namespace runtime {

// Whether byte starts a double-byte character (0x81-0x9F, 0xE0-0xFC).
bool IsShiftJisLeadByte(unsigned char byte);

// UTF-8 text as Shift-JIS bytes; empty when the text is not valid UTF-8 or
// holds a character Shift-JIS cannot write (no substitutes are made).
std::optional<std::string> ShiftJisFromUtf8(std::string_view utf8);

// Shift-JIS bytes as UTF-8; empty when a byte or a pair names no character.
std::optional<std::string> Utf8FromShiftJis(std::string_view shift_jis);

} // namespace runtime
