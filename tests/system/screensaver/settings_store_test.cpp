// The settings store on the platform's own profile functions: the bytes of
// a saved file, the value lengths the reader gives back, the load rules on
// a real file, and FileExists. Built twice: under the Japanese code page and
// under the default one, where the file's bytes must be the same.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "music_settings_loading.h"
#include "scr_driver.h"
#include "settings/save_order.h"
#include "settings/win32/settings_files.h"
#include "settings/settings_file.h"
#include "settings/win32/profile_store.h"
#include "win32/main_module.h"
#include "win32/program_globals.h"

using namespace velmoran_test;

namespace {

const std::string kKindKey = "BGM\x8B\xE6\x95\xAA";       // BGM区分
const std::string kRepeatKey = "BGM\xD8\xCB\xDF\xB0\xC4"; // BGMﾘﾋﾟｰﾄ
const std::string kFileKey = "BGM\xCC\xA7\xB2\xD9";       // BGMﾌｧｲﾙ

std::string ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << bytes;
}

// A program folder of its own for each test, emptied afterwards.
class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override {
        CreateDirectoryA("C:\\velmoran-settings", nullptr);
        m_folder = std::string("C:\\velmoran-settings\\") +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name();
        CreateDirectoryA(m_folder.c_str(), nullptr);
        DeleteFileA(IniPath().c_str());
    }
    void TearDown() override {
        DeleteFileA(IniPath().c_str());
        DeleteFileA((m_folder + "\\song.mp3").c_str());
        RemoveDirectoryA(m_folder.c_str());
    }

    std::string IniPath() const { return SettingsFilePath(m_folder); }
    void Write(const std::string& key, const std::string& value) {
        WriteIni("Section", key, value, IniPath());
    }

    std::string m_folder;
};

TEST_F(SettingsStore, SavedFileHoldsTheKeysAsShiftJisBytesInOrder) {
    MusicSettings settings;
    settings.BgmKind = 1;
    LastApiResult = -1;
    SaveMusicSettings(settings, "7", [&](const std::string& key, const std::string& value) {
        Write(key, value);
        EXPECT_NE(LastApiResult, 0) << "the profile write failed";
    });
    EXPECT_EQ(settings.BgmRepeat, 7);
    // NOTE: Windows writes the values as given, " 1" and " 7"; Wine's
    // profile writer drops the blanks that start a value.
    const std::string blank = UnderWine() ? "" : " ";
    const std::string expected = "[Section]\r\n" + kKindKey + "=" + blank + "1\r\n" + kRepeatKey +
                                 "=" + blank + "7\r\n" + kFileKey + "=\r\n";
    EXPECT_EQ(ReadBytes(IniPath()), expected);
}

TEST_F(SettingsStore, ASavedFileLoadsBack) {
    WriteBytes(m_folder + "\\song.mp3", "ID3");
    MusicSettings saved;
    saved.BgmKind = 2;
    saved.BgmFile = m_folder + "\\song.mp3";
    SaveMusicSettings(saved, "12",
                      [&](const std::string& key, const std::string& value) { Write(key, value); });
    MusicSettings loaded;
    LoadMusicSettingsFromFolder(loaded, m_folder);
    EXPECT_EQ(loaded.BgmKind, 2);
    EXPECT_EQ(loaded.BgmRepeat, 12);
    EXPECT_EQ(loaded.BgmFile, saved.BgmFile);
    EXPECT_EQ(loaded.BgmFolder, m_folder);
}

TEST_F(SettingsStore, AFileWrittenOnAJapaneseSystemLoads) {
    // As a Japanese system writes it: Shift-JIS keys, blanks before the numbers.
    WriteBytes(m_folder + "\\song.mp3", "ID3");
    WriteBytes(IniPath(), "[Section]\r\n" + kKindKey + "= 1\r\n" + kRepeatKey + "= 5\r\n" +
                              kFileKey + "=" + m_folder + "\\song.mp3\r\n");
    MusicSettings loaded;
    LoadMusicSettingsFromFolder(loaded, m_folder);
    EXPECT_EQ(loaded.BgmKind, 1);
    EXPECT_EQ(loaded.BgmRepeat, 5);
    EXPECT_EQ(loaded.BgmFile, m_folder + "\\song.mp3");
    EXPECT_EQ(loaded.BgmFolder, m_folder);
}

TEST_F(SettingsStore, LoadRulesOnARealFile) {
    WriteBytes(IniPath(), "[Section]\r\n" + kKindKey + "=2.9\r\n" + kRepeatKey + "=70000\r\n" +
                              kFileKey + "=C:\\no\\such.mp3\r\n");
    MusicSettings loaded;
    LoadMusicSettingsFromFolder(loaded, m_folder);
    EXPECT_EQ(loaded.BgmKind, 0);   // 2, but its file cannot be opened
    EXPECT_EQ(loaded.BgmRepeat, 0); // beyond 16 bits
    EXPECT_EQ(loaded.BgmFile, "");
    EXPECT_EQ(loaded.BgmFolder, m_folder);

    MusicSettings none;
    DeleteFileA(IniPath().c_str());
    LoadMusicSettingsFromFolder(none, m_folder);
    EXPECT_EQ(none.BgmKind, 0);
    EXPECT_EQ(none.BgmRepeat, 0);
    EXPECT_EQ(none.BgmFolder, m_folder);
}

TEST_F(SettingsStore, A255ByteValueReadsBackWholeALongerOneCut) {
    std::string value;
    for (int i = 0; i < 300; ++i) {
        value += static_cast<char>('a' + i % 26);
    }
    Write("Exact", value.substr(0, 255));
    Write("Longer", value.substr(0, 256));
    Write("Longest", value);
    EXPECT_EQ(ReadIni("Section", "Exact", IniPath()), value.substr(0, 255));
    EXPECT_EQ(ReadIni("Section", "Longer", IniPath()), value.substr(0, 255));
    EXPECT_EQ(ReadIni("Section", "Longest", IniPath()), value.substr(0, 255));
}

TEST_F(SettingsStore, AbsentFileSectionOrKeyReadsAsEmptyText) {
    EXPECT_EQ(ReadIni("Section", kKindKey, IniPath()), "");
    Write("Present", "x");
    EXPECT_EQ(ReadIni("Section", "Absent", IniPath()), "");
    EXPECT_EQ(ReadIni("Other", "Present", IniPath()), "");
    EXPECT_EQ(ReadIni("Section", "Present", IniPath()), "x");
}

TEST_F(SettingsStore, LongSectionAndKeyNamesAreCutTo127Characters) {
    const std::string long_key(200, 'k');
    Write(long_key, "v");
    EXPECT_EQ(ReadIni("Section", std::string(127, 'k'), IniPath()), "v");
    EXPECT_EQ(ReadIni("Section", std::string(128, 'k'), IniPath()), "");
}

TEST_F(SettingsStore, AFailedWriteIsNotReportedButRecordedInLastApiResult) {
    LastApiResult = -1;
    WriteIni("Section", "Key", "1", "C:\\no-such-folder\\deeper\\Velmoran.ini");
    EXPECT_EQ(LastApiResult, 0);
    Write("Key", "1");
    EXPECT_NE(LastApiResult, 0);
}

TEST_F(SettingsStore, FileExistsOpensFilesNotFolders) {
    WriteBytes(m_folder + "\\song.mp3", "ID3");
    EXPECT_TRUE(FileExists(m_folder + "\\song.mp3"));
    EXPECT_TRUE(FileExists(m_folder + "\\song.mp3\\")); // one trailing backslash is dropped
    EXPECT_FALSE(FileExists(m_folder + "\\"));          // a folder with a trailing backslash
    EXPECT_FALSE(FileExists(m_folder));
    EXPECT_FALSE(FileExists("C:\\windows\\"));
    EXPECT_FALSE(FileExists(m_folder + "\\missing.mp3"));
    EXPECT_FALSE(FileExists(""));
    EXPECT_EQ(GetLastError(), 0u);
}

TEST_F(SettingsStore, FolderOfPathOnTheSystemCodePage) {
    EXPECT_EQ(FolderOfPath("C:\\Music\\a.mp3"), "C:\\Music");
    EXPECT_EQ(FolderOfPath("C:\\a.mp3"), "C:");
    // On the Japanese code page 0x95 0x5C is one character (表); on others
    // the 0x5C is a backslash of its own.
    const std::string bytes = "\x95\x5C";
    if (GetACP() == 932) {
        EXPECT_EQ(FolderOfPath("C:\\Music\\" + bytes), "C:\\Music");
        EXPECT_EQ(FolderOfPath("C:\\" + bytes + "\\a.mp3"), "C:\\" + bytes);
    } else {
        EXPECT_EQ(FolderOfPath("C:\\Music\\" + bytes), "C:\\Music\\\x95");
    }
}

// A save through the copy on real files, stopped after each of its steps (or
// thrown out of one): the file is then the old one byte for byte; one that
// gets through gives the bytes the profile writes give the file itself (its
// other section, comment and untouched key stay), and so does one with no
// room for a copy, in place. A read-only or locked file stays as it was, and
// so does the file when a hard link stands at the copy's name (the file it
// leads to untouched too). A save keeps the file's attributes.
TEST_F(SettingsStore, ASaveStoppedAtAnyStepLeavesTheOldFileWhole) {
    const std::string old =
        "; kept\r\n[Other]\r\nx=1\r\n[Section]\r\n" + kKindKey + "=0\r\nMine=y\r\n";
    const auto save_all = [](const WriteSettingsKey& write) {
        write(kKindKey, "2");
        write(kFileKey, "C:\\a.mp3");
    };
    WriteBytes(IniPath(), old);
    save_all([&](const std::string& key, const std::string& value) { Write(key, value); });
    const std::string saved = ReadBytes(IniPath());
    ASSERT_NE(saved, old);

    const char* const stops[] = {"make",         "write", "throw",  "flush",
                                 "put in place", "none",  "no room"};
    for (const char* stop : stops) {
        SCOPED_TRACE(stop);
        WriteBytes(IniPath(), old);
        SettingsFileCopy copy = PlatformSettingsFileCopy(IniPath());
        const auto stopped = [stop](const char* step) { return std::string(step) == stop; };
        copy.make = [real = copy.make, stopped] {
            return stopped("make")      ? CopyMade::Refused
                   : stopped("no room") ? CopyMade::NoRoom
                                        : real();
        };
        copy.write_key = [real = copy.write_key, stopped](const std::string& k,
                                                          const std::string& v) {
            if (stopped("throw")) {
                throw std::bad_alloc();
            }
            return real(k, v) && !stopped("write"); // the copy is written, then the save stops
        };
        copy.flush = [real = copy.flush, stopped] { return real() && !stopped("flush"); };
        copy.put_in_place = [real = copy.put_in_place, stopped] {
            return !stopped("put in place") && real();
        };
        const bool through = stopped("none") || stopped("no room");
        EXPECT_EQ(SaveThroughCopy(copy, save_all), through);
        EXPECT_EQ(ReadBytes(IniPath()), through ? saved : old);
        EXPECT_EQ(GetFileAttributesA((IniPath() + ".saving").c_str()), INVALID_FILE_ATTRIBUTES);
    }
    // NOTE: Wine's CreateSymbolicLink makes nothing; a hard link stands for links here.
    const std::string other = m_folder + "\\other.txt";
    const std::string link = IniPath() + ".saving";
    WriteBytes(IniPath(), old);
    WriteBytes(other, "mine");
    ASSERT_TRUE(CreateHardLinkA(link.c_str(), other.c_str(), nullptr));
    EXPECT_FALSE(SaveThroughCopy(PlatformSettingsFileCopy(IniPath()), save_all));
    EXPECT_EQ(ReadBytes(IniPath()), old);
    EXPECT_EQ(ReadBytes(other), "mine");
    DeleteFileA(link.c_str());
    WriteBytes(IniPath(), old);
    SetFileAttributesA(IniPath().c_str(), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(SaveThroughCopy(PlatformSettingsFileCopy(IniPath()), save_all));
    EXPECT_EQ(GetFileAttributesA(IniPath().c_str()) & FILE_ATTRIBUTE_HIDDEN,
              static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
    SetFileAttributesA(IniPath().c_str(), FILE_ATTRIBUTE_NORMAL);

    WriteBytes(IniPath(), old);
    SetFileAttributesA(IniPath().c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(SaveThroughCopy(PlatformSettingsFileCopy(IniPath()), save_all));
    SetFileAttributesA(IniPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE locked =
        CreateFileA(IniPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_FALSE(SaveThroughCopy(PlatformSettingsFileCopy(IniPath()), save_all));
    CloseHandle(locked);
    EXPECT_EQ(ReadBytes(IniPath()), old);
}

} // namespace
