#pragma once

// The fuzz targets' inputs: fields separated by NUL bytes, so that one input
// carries several values (the arguments of a command line, the values of a
// settings file's keys, an environment variable beside them).

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

inline std::vector<std::string_view> FuzzFields(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string_view> fields;
    const std::string_view all(reinterpret_cast<const char*>(data), size);
    std::size_t start = 0;
    for (std::size_t at = all.find('\0'); at != std::string_view::npos;
         start = at + 1, at = all.find('\0', start)) {
        fields.push_back(all.substr(start, at - start));
    }
    fields.push_back(all.substr(start));
    return fields;
}

// Field i, or empty text when the input has fewer.
inline std::string_view FuzzField(const std::vector<std::string_view>& fields, std::size_t i) {
    return i < fields.size() ? fields[i] : std::string_view();
}
