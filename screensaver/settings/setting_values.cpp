#include "settings/setting_values.h"

#include <cmath>

#include "runtime/conversions.h"

std::optional<std::int16_t> NumericSettingFromText(std::string_view text) {
    if (text.empty()) {
        return std::int16_t{0};
    }
    const auto number = runtime::ParseNumber(text);
    if (!number) {
        return std::nullopt;
    }
    // A whole number converts exactly, so the halves rule never applies here.
    return runtime::RoundToInt16(std::floor(*number));
}

std::string NumericSettingText(std::int16_t value) {
    return runtime::SignedNumberText(value);
}

std::int16_t RepeatFromTrackText(std::string_view text) {
    const auto number = runtime::ParseNumber(text);
    if (!number) {
        return 0;
    }
    return runtime::RoundToInt16(*number).value_or(std::int16_t{0});
}
