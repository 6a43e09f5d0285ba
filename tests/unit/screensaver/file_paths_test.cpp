#include "file_paths.h"

#include <gtest/gtest.h>

#include "runtime/shift_jis.h"

namespace {

TEST(FolderOfPath, Examples) {
    const struct {
        const char* path;
        const char* folder;
    } cases[] = {
        {"C:\\Music\\a.mp3", "C:\\Music"},
        {"C:\\a.mp3", "C:"},
        {"D:x.mp3", "D:"},
        {"a.mp3", ""},
        {"", ""},
        {"C:\\Music\\", "C:\\Music"},
        {"\\\\server\\share\\song.wav", "\\\\server\\share"},
        {"C:\\Music\\Live:1\\a.mp3", "C:\\Music\\Live:1"},
        {"C:\\My Music\\rain.MP3", "C:\\My Music"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FolderOfPath(c.path, runtime::NoLeadBytes), c.folder) << c.path;
    }
}

TEST(FolderOfPath, ADoubleByteCharacterEndingIn5CIsNoBackslash) {
    const std::string hyou = *runtime::ShiftJisFromUtf8("表"); // 0x95 0x5C
    const std::string path = "C:\\Music\\" + hyou;
    EXPECT_EQ(FolderOfPath(path, runtime::IsShiftJisLeadByte), "C:\\Music");
    EXPECT_EQ(FolderOfPath(path + "\\a.mp3", runtime::IsShiftJisLeadByte), "C:\\Music\\" + hyou);
}

TEST(PathToOpen, DropsOneTrailingBackslash) {
    EXPECT_EQ(PathToOpen("C:\\Windows\\", runtime::NoLeadBytes), "C:\\Windows");
    EXPECT_EQ(PathToOpen("C:\\Windows\\\\", runtime::NoLeadBytes), "C:\\Windows\\");
    EXPECT_EQ(PathToOpen("C:\\a.mp3", runtime::NoLeadBytes), "C:\\a.mp3");
    EXPECT_EQ(PathToOpen("", runtime::NoLeadBytes), "");
    const std::string hyou = *runtime::ShiftJisFromUtf8("表");
    EXPECT_EQ(PathToOpen("C:\\" + hyou, runtime::IsShiftJisLeadByte), "C:\\" + hyou);
}

} // namespace
