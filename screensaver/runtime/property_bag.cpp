#include "runtime/property_bag.h"

#include <algorithm>

#include "runtime/conversions.h"

namespace runtime {

namespace {

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Keys, and the words True and False, match without regard to ASCII case.
bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return AsciiLower(x) == AsciiLower(y);
           });
}

} // namespace

std::optional<double> PropertyAsNumber(const PropertyValue& value) {
    if (const auto* flag = std::get_if<bool>(&value)) {
        return *flag ? -1.0 : 0.0;
    }
    if (const auto* whole = std::get_if<std::int64_t>(&value)) {
        return static_cast<double>(*whole);
    }
    if (const auto* real = std::get_if<double>(&value)) {
        return *real;
    }
    if (const auto* text = std::get_if<std::string>(&value)) {
        return ParseNumber(*text);
    }
    return std::nullopt;
}

std::optional<bool> PropertyAsBool(const PropertyValue& value) {
    if (const auto* flag = std::get_if<bool>(&value)) {
        return *flag;
    }
    if (const auto* text = std::get_if<std::string>(&value)) {
        if (EqualIgnoringCase(*text, "True")) {
            return true;
        }
        if (EqualIgnoringCase(*text, "False")) {
            return false;
        }
    }
    if (const auto number = PropertyAsNumber(value)) {
        return *number != 0.0;
    }
    return std::nullopt;
}

std::optional<std::string> PropertyAsText(const PropertyValue& value) {
    if (const auto* text = std::get_if<std::string>(&value)) {
        return *text;
    }
    if (const auto* flag = std::get_if<bool>(&value)) {
        return std::string(*flag ? "True" : "False");
    }
    if (const auto* whole = std::get_if<std::int64_t>(&value)) {
        return std::to_string(*whole);
    }
    if (const auto* font = std::get_if<FontDescription>(&value)) {
        return font->face; // a font's default member is its face name
    }
    if (const auto* real = std::get_if<double>(&value)) {
        std::string text = std::to_string(*real);
        // "2.500000" reads as "2.5", "3.000000" as "3".
        text.erase(text.find_last_not_of('0') + 1);
        if (!text.empty() && text.back() == '.') {
            text.pop_back();
        }
        return text;
    }
    return std::nullopt;
}

bool PropertyValuesEqual(const PropertyValue& value, const PropertyValue& default_value) {
    if (value.index() == default_value.index()) {
        return value == default_value;
    }
    const bool value_is_font = std::holds_alternative<FontDescription>(value);
    const bool default_is_font = std::holds_alternative<FontDescription>(default_value);
    if (value_is_font || default_is_font) {
        return false;
    }
    const auto a = PropertyAsNumber(value);
    const auto b = PropertyAsNumber(default_value);
    return a && b && *a == *b;
}

std::vector<std::pair<std::string, PropertyValue>>::const_iterator
PropertyBag::Find(std::string_view key) const {
    return std::find_if(m_entries.begin(), m_entries.end(),
                        [&](const auto& entry) { return EqualIgnoringCase(entry.first, key); });
}

PropertyValue PropertyBag::Read(std::string_view key, PropertyValue default_value) const {
    const auto entry = Find(key);
    return entry == m_entries.end() ? std::move(default_value) : entry->second;
}

void PropertyBag::Write(std::string_view key, PropertyValue value,
                        const PropertyValue& default_value) {
    const auto entry = Find(key);
    if (PropertyValuesEqual(value, default_value)) {
        if (entry != m_entries.end()) {
            m_entries.erase(entry);
        }
        return;
    }
    if (entry != m_entries.end()) {
        m_entries[static_cast<std::size_t>(entry - m_entries.begin())].second = std::move(value);
    } else {
        m_entries.emplace_back(std::string(key), std::move(value));
    }
}

bool PropertyBag::Contains(std::string_view key) const {
    return Find(key) != m_entries.end();
}

std::vector<std::string> PropertyBag::Keys() const {
    std::vector<std::string> keys;
    for (const auto& entry : m_entries) {
        keys.push_back(entry.first);
    }
    return keys;
}

} // namespace runtime
