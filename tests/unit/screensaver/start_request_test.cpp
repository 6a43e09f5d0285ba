#include "start_request.h"

#include <gtest/gtest.h>

#include "runtime/shift_jis.h"

namespace {

TEST(ReadStartRequest, CommandLineTable) {
    const struct {
        const char* arguments;
        StartMode mode;
        bool hide_cursor;
        std::int32_t handle;
        std::int32_t owner = 0;
    } cases[] = {
        {"/S", StartMode::Run, true, 0},
        {"/s", StartMode::Run, true, 0},
        {"-s", StartMode::Run, true, 0},
        {"xs", StartMode::Run, true, 0}, // the first character is not looked at
        {"/s extra", StartMode::Run, true, 0},
        {"", StartMode::Run, false, 0}, // run, cursor untouched
        {"/c", StartMode::Configure, false, 0},
        {"/C", StartMode::Configure, false, 0},
        {"/c:1234", StartMode::Configure, false, 0, 1234},
        {"/p 1234", StartMode::Preview, false, 1234},
        {"/p:1234", StartMode::Preview, false, 1234},
        {"/P 1234", StartMode::Preview, false, 1234},
        {"/p", StartMode::Preview, false, 0},
        {"/a", StartMode::None, false, 0},
        {"x", StartMode::None, false, 0},
        {"s", StartMode::None, false, 0}, // one character: there is no second one
        {"/", StartMode::None, false, 0},
        {" ", StartMode::None, false, 0},
        {"/x", StartMode::None, false, 0},
        {"s/", StartMode::None, false, 0},
    };
    for (const auto& c : cases) {
        const StartRequest request = ReadStartRequest(c.arguments, runtime::NoLeadBytes);
        EXPECT_EQ(request.mode, c.mode) << '"' << c.arguments << '"';
        EXPECT_EQ(request.hide_cursor, c.hide_cursor) << '"' << c.arguments << '"';
        EXPECT_EQ(request.preview_handle, c.handle) << '"' << c.arguments << '"';
        EXPECT_EQ(request.owner_handle, c.owner) << '"' << c.arguments << '"';
    }
}

TEST(ReadStartRequest, ADoubleByteSecondCharacterIsNoModeLetter) {
    // "ゴ" is 0x83 0x53: its second byte is an 'S', but the character is not.
    const std::string arguments = "x" + *runtime::ShiftJisFromUtf8("ゴ");
    ASSERT_EQ(arguments[2], 'S');
    EXPECT_EQ(ReadStartRequest(arguments, runtime::IsShiftJisLeadByte).mode, StartMode::None);
}

TEST(ReadWindowHandle, ReadsTheNumberFromTheFourthCharacter) {
    const struct {
        const char* arguments;
        std::int32_t handle;
    } cases[] = {
        {"/p 1234", 1234},
        {"/p:1234", 1234},
        {"/p    1234", 1234},   // leading blanks are skipped
        {"/p 1234 5678", 1234}, // up to the first character that cannot continue
        {"/p 98765abc", 98765},
        {"/p", 0}, // no number
        {"/p ", 0},
        {"/p abc", 0},
        {"/p 2147483647", 2147483647},
        {"/p 2147483648", 0}, // outside 32 bits
        {"/p 99999999999999999999", 0},
        {"/p -12", -12},
        {"/p 12.5", 12}, // rounded, halves to even
        {"/p 13.5", 14},
        {"/p 1e3", 1000},
        {"/p1234", 234}, // the fourth character is where the number starts
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadWindowHandle(c.arguments, runtime::NoLeadBytes), c.handle)
            << '"' << c.arguments << '"';
    }
}

} // namespace
