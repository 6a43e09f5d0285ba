#pragma once

// The keyed store in which a host keeps the properties of the user controls
// it holds: read(key, default) and write(key, value, default). Keys match
// without regard to letter case, and a value equal to its default is not
// stored, so a store holds only what differs from the defaults.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace runtime {

// A font as a property: what a font object is saved with.
struct FontDescription {
    std::string face;  // UTF-8, e.g. "ＭＳ Ｐゴシック"
    double size = 9.0; // points
    int weight = 400;  // 400 normal, 700 bold
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    int charset = 1; // 0 ANSI, 1 default, 128 Shift-JIS
    bool operator==(const FontDescription&) const = default;
};

using PropertyValue = std::variant<bool, std::int64_t, double, std::string, FontDescription>;

// Whether a value equals a default. Values of one kind compare directly; a
// number (or a Boolean, true being -1) and a text compare as numbers when the
// text reads as one, so 1 equals "1" and 0 equals "0".
bool PropertyValuesEqual(const PropertyValue& value, const PropertyValue& default_value);

// The conversions a control applies to what it reads; empty when the value
// does not convert.
std::optional<bool> PropertyAsBool(const PropertyValue& value);
std::optional<double> PropertyAsNumber(const PropertyValue& value);
std::optional<std::string> PropertyAsText(const PropertyValue& value);

class PropertyBag {
public:
    // The stored value of key, or default_value when none is stored.
    PropertyValue Read(std::string_view key, PropertyValue default_value) const;

    // Stores value under key; a value equal to default_value is not stored
    // (and removes what an earlier write stored under the key).
    void Write(std::string_view key, PropertyValue value, const PropertyValue& default_value);

    bool Contains(std::string_view key) const;
    std::size_t size() const { return m_entries.size(); }
    // The stored keys as first written, in the order of their first write.
    std::vector<std::string> Keys() const;

private:
    std::vector<std::pair<std::string, PropertyValue>>::const_iterator
    Find(std::string_view key) const;

    std::vector<std::pair<std::string, PropertyValue>> m_entries;
};

} // namespace runtime
