// The settings dialog of a program in a folder that cannot be written (as
// under the system folder or Program Files), run by
// settings_read_only_check.sh, which makes the folder read-only and then
// plays a run: a music file picked in the chooser is saved into the user's
// own settings file, and the next start reads it from there.
//
// Environment: VELMORAN_PROGRAM_FOLDER (the read-only folder with both
// programs) and VELMORAN_MUSIC_FILE (a WAV file), as Windows paths.

#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstdlib>

#include "dialog_driver.h"

using namespace std::chrono_literals;
using namespace velmoran_test;

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::string UsersOwnFile() {
    char folder[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder);
    return std::string(folder) + "\\Velmoran\\Velmoran.ini";
}

TEST(ReadOnlyProgramFolder, ChosenMusicIsSavedInTheUsersOwnFileAndReadFromThere) {
    const std::string folder = Environment("VELMORAN_PROGRAM_FOLDER");
    const std::string music = Environment("VELMORAN_MUSIC_FILE");
    ASSERT_FALSE(folder.empty() || music.empty()) << "run by settings_read_only_check.sh";
    const std::string beside = folder + "\\Velmoran.ini";
    ASSERT_FALSE(ReadFileBytes(beside).has_value());
    // The folder really refuses a new file.
    HANDLE probe = CreateFileA(beside.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_EQ(probe, INVALID_HANDLE_VALUE) << "the program folder can be written";
    DeleteFileA(UsersOwnFile().c_str());

    {
        SettingsDialog dialog;
        ASSERT_TRUE(dialog.Open(folder));
        SettingsDialog::Click(dialog.OnPanel(680, 1530)); // "MP3、WAV"
        SettingsDialog::ClickMiddle(dialog.FileButton());
        ASSERT_NE(WaitForChooser(), nullptr);
        SettingsDialog::Type(std::wstring(music.begin(), music.end()));
        SettingsDialog::Press(VK_RETURN);
        EXPECT_TRUE(wait_until(
            [] {
                return FindWindowW(nullptr, ShownText(TextKey::ChooserTitle).c_str()) == nullptr;
            },
            5s));
        EXPECT_EQ(dialog.ClickAndWaitForEnd(dialog.SetButton()), 0u);
    }
    EXPECT_FALSE(ReadFileBytes(beside).has_value());
    const auto own = ReadFileBytes(UsersOwnFile());
    ASSERT_TRUE(own.has_value()) << UsersOwnFile();
    char kind[16] = {}, file[MAX_PATH] = {};
    GetPrivateProfileStringA("Section", "BGM\x8B\xE6\x95\xAA", "", kind, sizeof kind,
                             UsersOwnFile().c_str());
    GetPrivateProfileStringA("Section", "BGM\xCC\xA7\xB2\xD9", "", file, sizeof file,
                             UsersOwnFile().c_str());
    EXPECT_STREQ(kind, "2"); // the profile functions read values without their blanks
    EXPECT_EQ(std::string(file), music);
}

} // namespace
