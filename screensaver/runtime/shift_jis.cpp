#include "runtime/shift_jis.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace runtime {

namespace {

#include "shift_jis_table.inc"

constexpr char32_t kNoCharacter = 0xFFFD;
constexpr int kTrailsPerRow = 188;

// Position of a lead byte in the table's rows, or -1.
int RowOfLead(unsigned char lead) {
    if (lead >= 0x81 && lead <= 0x9F) {
        return lead - 0x81;
    }
    if (lead >= 0xE0 && lead <= 0xFC) {
        return lead - 0xE0 + (0x9F - 0x81 + 1);
    }
    return -1;
}

unsigned char LeadOfRow(int row) {
    return static_cast<unsigned char>(row < 0x1F ? 0x81 + row : 0xE0 + row - 0x1F);
}

// Position of a trail byte within a row, or -1.
int ColumnOfTrail(unsigned char trail) {
    if (trail >= 0x40 && trail <= 0x7E) {
        return trail - 0x40;
    }
    if (trail >= 0x80 && trail <= 0xFC) {
        return trail - 0x80 + (0x7E - 0x40 + 1);
    }
    return -1;
}

unsigned char TrailOfColumn(int column) {
    return static_cast<unsigned char>(column < 0x3F ? 0x40 + column : 0x80 + column - 0x3F);
}

// Decodes one UTF-8 sequence at text[i]; advances i. kNoCharacter (and i
// past the bad byte) for an invalid sequence.
char32_t NextUtf8(std::string_view text, std::size_t& i, bool& valid) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char first = byte(i);
    int length = 0;
    char32_t code = 0;
    if (first < 0x80) {
        ++i;
        return first;
    }
    if (first >= 0xC2 && first <= 0xDF) {
        length = 2;
        code = first & 0x1F;
    } else if (first >= 0xE0 && first <= 0xEF) {
        length = 3;
        code = first & 0x0F;
    } else if (first >= 0xF0 && first <= 0xF4) {
        length = 4;
        code = first & 0x07;
    } else {
        valid = false;
        ++i;
        return kNoCharacter;
    }
    if (i + static_cast<std::size_t>(length) > text.size()) {
        valid = false;
        i = text.size();
        return kNoCharacter;
    }
    for (int k = 1; k < length; ++k) {
        const unsigned char next = byte(i + static_cast<std::size_t>(k));
        if ((next & 0xC0) != 0x80) {
            valid = false;
            i += static_cast<std::size_t>(k);
            return kNoCharacter;
        }
        code = (code << 6) | (next & 0x3F);
    }
    i += static_cast<std::size_t>(length);
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (overlong || surrogate || code > 0x10FFFF) {
        valid = false;
        return kNoCharacter;
    }
    return code;
}

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

using DecodeTable = std::array<char16_t, 60 * kTrailsPerRow>;

const DecodeTable& DoubleByteCharacters() {
    static const DecodeTable table = [] {
        DecodeTable decoded{};
        for (int row = 0; row < 60; ++row) {
            const std::string_view text = kDoubleByteRows[row];
            std::size_t i = 0;
            bool valid = true;
            for (int column = 0; column < kTrailsPerRow && i < text.size(); ++column) {
                decoded[static_cast<std::size_t>(row * kTrailsPerRow + column)] =
                    static_cast<char16_t>(NextUtf8(text, i, valid));
            }
        }
        return decoded;
    }();
    return table;
}

// Character to pair, sorted by character. Where several pairs name one
// character, the one Windows writes wins: the first in byte order, except
// that the NEC-selected rows 0xED and 0xEE give way to the IBM rows 0xFA-0xFC.
using EncodeEntry = std::pair<char16_t, std::uint16_t>;

const std::vector<EncodeEntry>& EncodeTable() {
    static const std::vector<EncodeEntry> table = [] {
        const DecodeTable& decoded = DoubleByteCharacters();
        std::vector<int> rows;
        for (int row = 0; row < 60; ++row) {
            const unsigned char lead = LeadOfRow(row);
            if (lead != 0xED && lead != 0xEE) {
                rows.push_back(row);
            }
        }
        rows.push_back(RowOfLead(0xED));
        rows.push_back(RowOfLead(0xEE));
        std::vector<EncodeEntry> entries;
        for (int row : rows) {
            for (int column = 0; column < kTrailsPerRow; ++column) {
                const char16_t code =
                    decoded[static_cast<std::size_t>(row * kTrailsPerRow + column)];
                if (code != kNoCharacter) {
                    const auto pair =
                        static_cast<std::uint16_t>(LeadOfRow(row) << 8 | TrailOfColumn(column));
                    entries.emplace_back(code, pair);
                }
            }
        }
        // A stable sort keeps the preferred pair first among equal characters.
        std::stable_sort(
            entries.begin(), entries.end(),
            [](const EncodeEntry& a, const EncodeEntry& b) { return a.first < b.first; });
        return entries;
    }();
    return table;
}

} // namespace

bool IsShiftJisLeadByte(unsigned char byte) {
    return RowOfLead(byte) >= 0;
}

std::optional<std::string> ShiftJisFromUtf8(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    const auto& table = EncodeTable();
    for (std::size_t i = 0; i < utf8.size();) {
        bool valid = true;
        const char32_t code = NextUtf8(utf8, i, valid);
        if (!valid) {
            return std::nullopt;
        }
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code >= 0xFF61 && code <= 0xFF9F) {
            out += static_cast<char>(code - 0xFF61 + 0xA1); // half-width katakana
        } else {
            const auto found = std::lower_bound(
                table.begin(), table.end(), code,
                [](const EncodeEntry& entry, char32_t value) { return entry.first < value; });
            if (code > 0xFFFF || found == table.end() || found->first != code) {
                return std::nullopt;
            }
            out += static_cast<char>(found->second >> 8);
            out += static_cast<char>(found->second & 0xFF);
        }
    }
    return out;
}

std::optional<std::string> Utf8FromShiftJis(std::string_view shift_jis) {
    std::string out;
    out.reserve(shift_jis.size() * 3 / 2);
    const auto& table = DoubleByteCharacters();
    for (std::size_t i = 0; i < shift_jis.size(); ++i) {
        const auto byte = static_cast<unsigned char>(shift_jis[i]);
        if (byte < 0x80) {
            out += static_cast<char>(byte);
        } else if (byte >= 0xA1 && byte <= 0xDF) {
            AppendUtf8(out, 0xFF61 + (byte - 0xA1));
        } else {
            const int row = RowOfLead(byte);
            if (row < 0 || i + 1 >= shift_jis.size()) {
                return std::nullopt;
            }
            const int column = ColumnOfTrail(static_cast<unsigned char>(shift_jis[++i]));
            if (column < 0) {
                return std::nullopt;
            }
            const char16_t code = table[static_cast<std::size_t>(row * kTrailsPerRow + column)];
            if (code == kNoCharacter) {
                return std::nullopt;
            }
            AppendUtf8(out, code);
        }
    }
    return out;
}

} // namespace runtime
