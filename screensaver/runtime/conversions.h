#pragma once

// Number and text conversions of the form runtime. Text is ANSI: bytes in
// the system code page. The functions that count characters take the code
// page's lead-byte test, so that a double-byte character is never split.
// A conversion that can fail returns an empty optional; its caller keeps the
// value it had, which is how a failed step is skipped in this program.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace runtime {

// Reads the number at the start of text: blanks (space, tab, CR, LF) before it
// are skipped, then an optional sign, digits with an optional decimal point
// and an optional exponent (E or D) are taken up to the first character that
// cannot continue the number. Text without a number gives 0.
double ReadNumber(std::string_view text);

// The whole text as a number, with blanks allowed around it. Empty text,
// text with anything but the number, and a number too large for a double
// are not numbers.
std::optional<double> ParseNumber(std::string_view text);

// A whole number as text with its sign position: a blank before a
// non-negative value (" 0", " 12"), a minus sign before a negative one ("-3").
std::string SignedNumberText(std::int64_t value);

// The "##" pattern: the digits without leading zeros, and empty text for 0.
std::string FormatHashPattern(std::int64_t value);

// Rounds to the nearest whole number, halves to the even neighbour; empty
// when the result lies outside the integer type (or value is not a number).
std::optional<std::int16_t> RoundToInt16(double value);
std::optional<std::int32_t> RoundToInt32(double value);

// Whether a byte starts a double-byte character in the ANSI code page.
using LeadByteTest = bool (*)(unsigned char byte);
bool NoLeadBytes(unsigned char byte); // single-byte code pages

// Upper-cases the ASCII letters; double-byte characters stay as they are.
std::string UpperCase(std::string_view text, LeadByteTest lead_byte);

// The number of characters in text.
std::size_t CharacterCount(std::string_view text, LeadByteTest lead_byte);

// The first / last count characters (all of text when it is shorter).
std::string Left(std::string_view text, std::size_t count, LeadByteTest lead_byte);
std::string Right(std::string_view text, std::size_t count, LeadByteTest lead_byte);

// count characters from the 1-based character position start (a start of 0
// counts as 1); empty when start lies beyond the end. Without count: the rest.
std::string Mid(std::string_view text, std::size_t start, LeadByteTest lead_byte,
                std::optional<std::size_t> count = std::nullopt);

// The 1-based character position of the first find in text at or after the
// character position start, or 0. An empty find is found at start when
// start lies within text (or just after it).
std::size_t InStr(std::size_t start, std::string_view text, std::string_view find,
                  LeadByteTest lead_byte);

} // namespace runtime
