#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>

// A fixed-length text buffer that the platform writes a reply into. It keeps
// its length: before each use it is filled with NUL characters, and its value
// is the text before the first NUL (or the whole buffer when there is none).
template <std::size_t Length>
class FixedText {
public:
    static constexpr std::size_t length = Length;

    // Fills the whole buffer with NUL characters and returns it for the platform to write.
    char* cleared() {
        m_chars.fill('\0');
        return m_chars.data();
    }

    std::string text() const {
        const auto end = std::find(m_chars.begin(), m_chars.end(), '\0');
        return std::string(m_chars.begin(), end);
    }

private:
    std::array<char, Length> m_chars{};
};
