#pragma once

// How the settings' values are read from and written as text.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A numeric key's value as loaded: empty text gives 0; a number is cut down
// to the next lower whole number and kept when that fits 16 bits. Anything
// else gives nothing, and the setting keeps the value it had.
std::optional<std::int16_t> NumericSettingFromText(std::string_view text);

// A numeric setting as saved: a blank before a non-negative number (" 1"),
// a minus sign before a negative one ("-3").
std::string NumericSettingText(std::int16_t value);

// The track to repeat as typed into the settings dialog's track box: a
// number is rounded to the nearest whole number (halves to the even
// neighbour); text that is not a number, and a number outside 16 bits, give 0.
std::int16_t RepeatFromTrackText(std::string_view text);
