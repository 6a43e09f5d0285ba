#include "runtime/shift_jis.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <optional>
#include <string>

using namespace runtime;

namespace {

// The C library's converter, as the reference the table is checked against.
std::optional<std::string> Iconv(const char* to, const char* from, const std::string& input) {
    iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return std::nullopt;
    }
    std::string in = input;
    std::string out(input.size() * 4 + 8, '\0');
    char* in_ptr = in.data();
    char* out_ptr = out.data();
    std::size_t in_left = in.size();
    std::size_t out_left = out.size();
    const std::size_t result = iconv(converter, &in_ptr, &in_left, &out_ptr, &out_left);
    iconv_close(converter);
    if (result == static_cast<std::size_t>(-1) || in_left != 0) {
        return std::nullopt;
    }
    out.resize(out.size() - out_left);
    return out;
}

TEST(ShiftJis, SettingsKeysBecomeTheirShiftJisBytes) {
    EXPECT_EQ(ShiftJisFromUtf8("BGM区分"), std::string("BGM\x8B\xE6\x95\xAA"));
    EXPECT_EQ(ShiftJisFromUtf8("BGMﾘﾋﾟｰﾄ"), std::string("BGM\xD8\xCB\xDF\xB0\xC4"));
    EXPECT_EQ(ShiftJisFromUtf8("BGMﾌｧｲﾙ"), std::string("BGM\xCC\xA7\xB2\xD9"));
    EXPECT_EQ(ShiftJisFromUtf8(""), std::string());
    EXPECT_EQ(ShiftJisFromUtf8("C:\\a.mp3"), std::string("C:\\a.mp3"));
}

TEST(ShiftJis, TextsOfTheProgramRoundTrip) {
    for (const char* text :
         {"Velmoran.dll が同じﾌｫﾙﾀﾞに見つかりません！", "ﾌｧｲﾙを開く", "曲目をﾘﾋﾟｰﾄ", "音楽CD",
          "なし", "MP3、WAV", "設定", "ｷｬﾝｾﾙ", "ＭＳ Ｐゴシック"}) {
        const auto bytes = ShiftJisFromUtf8(text);
        ASSERT_TRUE(bytes.has_value()) << text;
        EXPECT_EQ(bytes, Iconv("CP932", "UTF-8", text)) << text;
        EXPECT_EQ(Utf8FromShiftJis(*bytes), std::string(text));
    }
}

TEST(ShiftJis, RefusesWhatItCannotWriteOrRead) {
    EXPECT_FALSE(ShiftJisFromUtf8("caf\xC3\xA9").has_value());      // é has no Shift-JIS form
    EXPECT_FALSE(ShiftJisFromUtf8("\xF0\x9F\x98\x80").has_value()); // outside the BMP
    EXPECT_FALSE(ShiftJisFromUtf8("\xE3\x81").has_value());         // cut short
    EXPECT_FALSE(ShiftJisFromUtf8("\xC0\xAF").has_value());         // overlong '/'
    EXPECT_FALSE(ShiftJisFromUtf8("\xED\xA0\x80").has_value());     // a surrogate
    EXPECT_FALSE(ShiftJisFromUtf8("\xFF").has_value());
    EXPECT_FALSE(Utf8FromShiftJis("\x82").has_value());     // a lead byte alone
    EXPECT_FALSE(Utf8FromShiftJis("\x82\x20").has_value()); // not a trail byte
    EXPECT_FALSE(Utf8FromShiftJis("\x85\x40").has_value()); // a pair with no character
    EXPECT_FALSE(Utf8FromShiftJis("\xA0").has_value());
    EXPECT_FALSE(Utf8FromShiftJis("\xFD").has_value());
}

TEST(ShiftJis, LeadBytes) {
    for (int b = 0; b < 256; ++b) {
        const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        EXPECT_EQ(IsShiftJisLeadByte(static_cast<unsigned char>(b)), lead) << b;
    }
}

// Every byte pair reads as the C library's CP932 reads it, and every
// character writes as the C library writes it (which also settles the
// duplicates: the NEC-selected rows give way to the IBM rows).
TEST(ShiftJis, WholeTableAgreesWithTheCLibrary) {
    ASSERT_TRUE(Iconv("UTF-8", "CP932", "a").has_value()) << "no CP932 in the C library";
    int mapped = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
            const auto ours = Utf8FromShiftJis(pair);
            const auto reference = Iconv("UTF-8", "CP932", pair);
            ASSERT_EQ(ours, reference) << std::hex << lead << ' ' << trail;
            if (ours) {
                mapped += IsShiftJisLeadByte(static_cast<unsigned char>(lead)) ? 1 : 0;
                EXPECT_EQ(ShiftJisFromUtf8(*ours), Iconv("CP932", "UTF-8", *ours))
                    << std::hex << lead << ' ' << trail;
            }
        }
    }
    for (int byte = 0; byte < 256; ++byte) {
        const std::string single(1, static_cast<char>(byte));
        if (IsShiftJisLeadByte(static_cast<unsigned char>(byte))) {
            continue;
        }
        EXPECT_EQ(Utf8FromShiftJis(single), Iconv("UTF-8", "CP932", single)) << byte;
    }
    EXPECT_EQ(mapped, 9604);
}

} // namespace
