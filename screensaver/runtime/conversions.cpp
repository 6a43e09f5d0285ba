#include "runtime/conversions.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <vector>

namespace runtime {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The longest number at the very start of text; length 0 when there is none.
struct ScannedNumber {
    std::size_t length = 0;
    double value = 0.0;
};

// Turns decimal digits and a power of ten into a double. A result too large
// for a double becomes an infinity, one too small becomes 0.
double DigitsTimesPowerOfTen(const std::string& digits, long long power, bool negative) {
    const auto first_significant = digits.find_first_not_of('0');
    if (first_significant == std::string::npos) {
        return negative ? -0.0 : 0.0;
    }
    std::string text = digits;
    text += 'e';
    text.append(std::to_string(power));
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // The magnitude is 0.ddd times ten to this power.
        const long long magnitude =
            power + static_cast<long long>(digits.size() - first_significant);
        value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

ScannedNumber ScanNumber(std::string_view text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::string digits;
    long long fraction_digits = 0;
    bool any_digit = false;
    while (i < n && IsDigit(text[i])) {
        digits += text[i++];
        any_digit = true;
    }
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && IsDigit(text[i])) {
            digits += text[i++];
            ++fraction_digits;
            any_digit = true;
        }
    }
    if (!any_digit) {
        return {};
    }
    std::size_t end = i;
    long long exponent = 0;
    if (i < n && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        std::size_t j = i + 1;
        bool exponent_negative = false;
        if (j < n && (text[j] == '+' || text[j] == '-')) {
            exponent_negative = text[j] == '-';
            ++j;
        }
        const std::size_t exponent_start = j;
        long long value = 0;
        while (j < n && IsDigit(text[j])) {
            // Beyond a million the result is an infinity or 0 anyway.
            if (value < 1'000'000) {
                value = value * 10 + (text[j] - '0');
            }
            ++j;
        }
        // An E without digits after it is not part of the number.
        if (j > exponent_start) {
            exponent = exponent_negative ? -value : value;
            end = j;
        }
    }
    return {end, DigitsTimesPowerOfTen(digits, exponent - fraction_digits, negative)};
}

std::vector<std::size_t> CharacterStarts(std::string_view text, LeadByteTest lead_byte) {
    std::vector<std::size_t> starts;
    starts.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        starts.push_back(i);
        const bool double_byte =
            lead_byte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
        i += double_byte ? 2 : 1;
    }
    return starts;
}

// The byte offset of the 0-based character index (the text's size past the end).
std::size_t ByteOffset(const std::vector<std::size_t>& starts, std::size_t index,
                       std::size_t text_size) {
    return index < starts.size() ? starts[index] : text_size;
}

double RoundHalfEven(double value) {
    const double lower = std::floor(value);
    const double difference = value - lower;
    if (difference > 0.5) {
        return lower + 1.0;
    }
    if (difference < 0.5) {
        return lower;
    }
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

template <typename Integer>
std::optional<Integer> RoundToInteger(double value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    const double rounded = RoundHalfEven(value);
    if (rounded < static_cast<double>(std::numeric_limits<Integer>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Integer>::max())) {
        return std::nullopt;
    }
    return static_cast<Integer>(rounded);
}

} // namespace

double ReadNumber(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && IsBlank(text[start])) {
        ++start;
    }
    return ScanNumber(text.substr(start)).value;
}

std::optional<double> ParseNumber(std::string_view text) {
    std::size_t start = 0;
    std::size_t end = text.size();
    while (start < end && IsBlank(text[start])) {
        ++start;
    }
    while (end > start && IsBlank(text[end - 1])) {
        --end;
    }
    const std::string_view number = text.substr(start, end - start);
    const ScannedNumber scanned = ScanNumber(number);
    if (scanned.length == 0 || scanned.length != number.size() || !std::isfinite(scanned.value)) {
        return std::nullopt;
    }
    return scanned.value;
}

std::string SignedNumberText(std::int64_t value) {
    std::string text = value < 0 ? std::string() : std::string(" ");
    text.append(std::to_string(value));
    return text;
}

std::string FormatHashPattern(std::int64_t value) {
    return value == 0 ? std::string{} : std::to_string(value);
}

std::optional<std::int16_t> RoundToInt16(double value) {
    return RoundToInteger<std::int16_t>(value);
}

std::optional<std::int32_t> RoundToInt32(double value) {
    return RoundToInteger<std::int32_t>(value);
}

bool NoLeadBytes(unsigned char) {
    return false;
}

std::string UpperCase(std::string_view text, LeadByteTest lead_byte) {
    std::string upper(text);
    for (std::size_t i = 0; i < upper.size(); ++i) {
        const auto byte = static_cast<unsigned char>(upper[i]);
        if (lead_byte(byte)) {
            ++i; // the trail byte of a double-byte character is never a letter
        } else if (byte >= 'a' && byte <= 'z') {
            upper[i] = static_cast<char>(byte - 'a' + 'A');
        }
    }
    return upper;
}

std::size_t CharacterCount(std::string_view text, LeadByteTest lead_byte) {
    return CharacterStarts(text, lead_byte).size();
}

std::string Left(std::string_view text, std::size_t count, LeadByteTest lead_byte) {
    const auto starts = CharacterStarts(text, lead_byte);
    return std::string(text.substr(0, ByteOffset(starts, count, text.size())));
}

std::string Right(std::string_view text, std::size_t count, LeadByteTest lead_byte) {
    const auto starts = CharacterStarts(text, lead_byte);
    if (count >= starts.size()) {
        return std::string(text);
    }
    return std::string(text.substr(starts[starts.size() - count]));
}

std::string Mid(std::string_view text, std::size_t start, LeadByteTest lead_byte,
                std::optional<std::size_t> count) {
    const auto starts = CharacterStarts(text, lead_byte);
    const std::size_t first = start == 0 ? 0 : start - 1;
    if (first >= starts.size()) {
        return {};
    }
    const std::size_t begin = starts[first];
    std::size_t end = text.size();
    if (count && *count < starts.size() - first) {
        end = starts[first + *count];
    }
    return std::string(text.substr(begin, end - begin));
}

std::size_t InStr(std::size_t start, std::string_view text, std::string_view find,
                  LeadByteTest lead_byte) {
    const auto starts = CharacterStarts(text, lead_byte);
    const std::size_t first = start == 0 ? 0 : start - 1;
    if (first > starts.size()) {
        return 0;
    }
    if (find.empty()) {
        return first + 1;
    }
    for (std::size_t index = first; index < starts.size(); ++index) {
        if (text.substr(starts[index]).starts_with(find)) {
            return index + 1;
        }
    }
    return 0;
}

} // namespace runtime
