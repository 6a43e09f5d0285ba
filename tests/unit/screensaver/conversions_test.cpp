#include "runtime/conversions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "runtime/shift_jis.h"

using namespace runtime;

namespace {

struct NumberCase {
    const char* text;
    double expected;
};

TEST(ReadNumber, TakesTheNumberAtTheStartAndStopsWhereItCannotGoOn) {
    const NumberCase cases[] = {
        {"1234", 1234},
        {"  1234", 1234},
        {"\t 12", 12},
        {"\r\n7", 7},
        {"1234abc", 1234},
        {"12 34", 12},
        {"-5", -5},
        {"+5", 5},
        {"1.9", 1.9},
        {".5", 0.5},
        {"5.", 5},
        {"1.2.3", 1.2},
        {"1e3", 1000},
        {"1E-2", 0.01},
        {"2d2", 200},
        {"1e", 1},
        {"1e+", 1},
        {"3x1e2", 3},
        {":1234", 0},
        {"", 0},
        {"abc", 0},
        {"-", 0},
        {".", 0},
        {"- 5", 0},
        {"0001234", 1234},
        {"1e999", HUGE_VAL},
        {"-1e999", -HUGE_VAL},
        {"1e-999", 0},
        {"00000000000000000000000000001", 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadNumber(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(ParseNumber, AcceptsOnlyTextThatIsWhollyANumber) {
    const NumberCase numbers[] = {
        {"1", 1}, {" 1", 1}, {"1 ", 1}, {" -3 ", -3}, {"2.9", 2.9}, {"1e2", 100}, {"-0.5", -0.5},
    };
    for (const auto& c : numbers) {
        ASSERT_TRUE(ParseNumber(c.text).has_value()) << '"' << c.text << '"';
        EXPECT_EQ(*ParseNumber(c.text), c.expected) << '"' << c.text << '"';
    }
    for (const char* text :
         {"", "   ", "abc", "12abc", "1 2", "seventy thousand", "1e999", "--1", "1,000", "e5"}) {
        EXPECT_FALSE(ParseNumber(text).has_value()) << '"' << text << '"';
    }
}

TEST(SignedNumberText, PutsABlankWhereTheSignOfANegativeNumberGoes) {
    EXPECT_EQ(SignedNumberText(0), " 0");
    EXPECT_EQ(SignedNumberText(1), " 1");
    EXPECT_EQ(SignedNumberText(12), " 12");
    EXPECT_EQ(SignedNumberText(-3), "-3");
    EXPECT_EQ(SignedNumberText(-32768), "-32768");
}

TEST(FormatHashPattern, TurnsZeroIntoEmptyText) {
    EXPECT_EQ(FormatHashPattern(0), "");
    EXPECT_EQ(FormatHashPattern(7), "7");
    EXPECT_EQ(FormatHashPattern(30), "30");
    EXPECT_EQ(FormatHashPattern(-4), "-4");
}

TEST(RoundToInt16, RoundsHalvesToEvenAndFailsOutsideSixteenBits) {
    const struct {
        double value;
        std::optional<std::int16_t> expected;
    } cases[] = {
        {2.5, 2},
        {3.5, 4},
        {-2.5, -2},
        {-3.5, -4},
        {2.4999, 2},
        {2.5001, 3},
        {0.5, 0},
        {1.5, 2},
        {32767, 32767},
        {32767.4, 32767},
        {32767.5, std::nullopt},
        {-32768, -32768},
        {-32768.5, -32768},
        {-32768.51, std::nullopt},
        {70000, std::nullopt},
        {std::numeric_limits<double>::quiet_NaN(), std::nullopt},
        {HUGE_VAL, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RoundToInt16(c.value), c.expected) << c.value;
    }
}

TEST(RoundToInt32, CoversThirtyTwoBits) {
    EXPECT_EQ(RoundToInt32(2147483647.0), 2147483647);
    EXPECT_EQ(RoundToInt32(-2147483648.0), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(RoundToInt32(2147483647.5), std::nullopt);
    EXPECT_EQ(RoundToInt32(2147483648.0), std::nullopt);
    EXPECT_EQ(RoundToInt32(1234.5), 1234);
    EXPECT_EQ(RoundToInt32(1235.5), 1236);
}

// "表" is 0x95 0x5C in Shift-JIS and "ソ" 0x83 0x5C: their second byte is a backslash.
const std::string kHyou = *ShiftJisFromUtf8("表");
const std::string kMusic = *ShiftJisFromUtf8("音楽"); // 0x89 0xB9 0x8A 0x79: a trail 'y'

TEST(UpperCase, UpperCasesAsciiLettersOnlyAndLeavesDoubleByteCharactersWhole) {
    EXPECT_EQ(UpperCase("/s", NoLeadBytes), "/S");
    EXPECT_EQ(UpperCase("c:\\music\\rain.mp3", NoLeadBytes), "C:\\MUSIC\\RAIN.MP3");
    EXPECT_EQ(UpperCase("Already UPPER 123", NoLeadBytes), "ALREADY UPPER 123");
    // The trail byte 0x79 is a 'y' on its own; inside the character it must stay.
    EXPECT_EQ(UpperCase(kMusic + ".wav", IsShiftJisLeadByte), kMusic + ".WAV");
    EXPECT_NE(UpperCase(kMusic, NoLeadBytes), kMusic); // what a byte-wise upper-casing does
}

TEST(Substrings, CountCharactersNotBytes) {
    const std::string path = "C:\\" + kHyou + "\\a.mp3";
    EXPECT_EQ(CharacterCount(path, IsShiftJisLeadByte), 10u);
    EXPECT_EQ(CharacterCount(path, NoLeadBytes), 11u);
    EXPECT_EQ(Left(path, 4, IsShiftJisLeadByte), "C:\\" + kHyou);
    EXPECT_EQ(Right(path, 3, IsShiftJisLeadByte), "mp3");
    EXPECT_EQ(Right(kHyou + kMusic, 2, IsShiftJisLeadByte), kMusic);
    EXPECT_EQ(Right("ab", 5, NoLeadBytes), "ab");
    EXPECT_EQ(Left("ab", 5, NoLeadBytes), "ab");
    EXPECT_EQ(Mid(path, 4, IsShiftJisLeadByte, 1), kHyou);
    EXPECT_EQ(Mid("/p 1234", 4, NoLeadBytes), "1234");
    EXPECT_EQ(Mid("/p:1234", 4, NoLeadBytes), "1234");
    EXPECT_EQ(Mid("/p", 4, NoLeadBytes), "");
    EXPECT_EQ(Mid("abc", 0, NoLeadBytes, 2), "ab");
    EXPECT_EQ(Mid("abc", 2, NoLeadBytes, 0), "");
    EXPECT_EQ(Mid("abc", 2, NoLeadBytes, 99), "bc");
}

TEST(InStr, FindsOnlyAtCharacterStarts) {
    // Searching for a backslash must not stop inside "表".
    const std::string text = kHyou + "\\x";
    EXPECT_EQ(InStr(1, text, "\\", IsShiftJisLeadByte), 2u);
    EXPECT_EQ(InStr(1, "abcabc", "bc", NoLeadBytes), 2u);
    EXPECT_EQ(InStr(3, "abcabc", "bc", NoLeadBytes), 5u);
    EXPECT_EQ(InStr(1, "abc", "x", NoLeadBytes), 0u);
    EXPECT_EQ(InStr(2, "abc", "", NoLeadBytes), 2u);
    EXPECT_EQ(InStr(9, "abc", "a", NoLeadBytes), 0u);
}

} // namespace
