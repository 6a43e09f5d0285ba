#include "music_settings_loading.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace {

// The keys as the profile functions receive them: Shift-JIS bytes.
const std::string kKind = "BGM\x8B\xE6\x95\xAA";
const std::string kRepeat = "BGM\xD8\xCB\xDF\xB0\xC4";
const std::string kFile = "BGM\xCC\xA7\xB2\xD9";

struct FakeSettingsFile {
    std::map<std::string, std::string> values; // absent keys read as empty text
    std::set<std::string> existing_files;

    MusicSettings Load() const {
        MusicSettings settings;
        LoadMusicSettingsFrom(settings, Reader());
        return settings;
    }

    SettingsReader Reader() const {
        SettingsReader reader;
        reader.read_key = [this](const std::string& key) {
            const auto found = values.find(key);
            return found == values.end() ? std::string() : found->second;
        };
        reader.file_exists = [this](const std::string& path) {
            return existing_files.count(path) > 0;
        };
        reader.program_folder = "C:\\Saver";
        return reader;
    }
};

TEST(LoadMusicSettings, NoFileGivesTheDefaults) {
    const MusicSettings settings = FakeSettingsFile{}.Load();
    EXPECT_EQ(settings.BgmKind, 0);
    EXPECT_EQ(settings.BgmRepeat, 0);
    EXPECT_EQ(settings.BgmFile, "");
    EXPECT_EQ(settings.BgmFolder, "C:\\Saver");
}

TEST(LoadMusicSettings, NumericKeysAreCutDownAndKeptOnlyWhenTheyFitSixteenBits) {
    const struct {
        const char* stored;
        std::int16_t loaded;
    } cases[] = {
        {"1", 1},
        {" 1", 1},
        {"1.9", 1},
        {"2.9", 2},
        {"abc", 0},
        {"70000", 0},
        {"seventy thousand", 0},
        {"", 0},
        {"-3", -3},
        {"-1.5", -2},
        {"32767.9", 32767},
        {"-32768", -32768},
        {"-32768.5", 0},
        {"12abc", 0},
        {"1e1", 10},
    };
    for (const auto& c : cases) {
        FakeSettingsFile file;
        file.values[kKind] = c.stored;
        file.values[kRepeat] = c.stored;
        const MusicSettings settings = file.Load();
        // A kind of 2 falls back to 0 without a file; compare the repeat for that case.
        EXPECT_EQ(settings.BgmRepeat, c.loaded) << '"' << c.stored << '"';
        EXPECT_EQ(settings.BgmKind, c.loaded == 2 ? 0 : c.loaded) << '"' << c.stored << '"';
    }
}

TEST(LoadMusicSettings, ANumberThatDoesNotLoadLeavesTheSettingAsItWas) {
    FakeSettingsFile file;
    file.values[kKind] = "abc";
    file.values[kRepeat] = "99999";
    MusicSettings settings;
    settings.BgmKind = 1;
    settings.BgmRepeat = 4;
    LoadMusicSettingsFrom(settings, file.Reader());
    EXPECT_EQ(settings.BgmKind, 1);
    EXPECT_EQ(settings.BgmRepeat, 4);
}

TEST(LoadMusicSettings, FileMusicNeedsAFileThatCanBeOpened) {
    FakeSettingsFile file;
    file.values[kKind] = "2";
    file.values[kFile] = "D:\\Sound\\rain.mp3";
    file.existing_files.insert("D:\\Sound\\rain.mp3");
    MusicSettings settings = file.Load();
    EXPECT_EQ(settings.BgmKind, 2);
    EXPECT_EQ(settings.BgmFile, "D:\\Sound\\rain.mp3");
    EXPECT_EQ(settings.BgmFolder, "D:\\Sound");

    file.existing_files.clear(); // the file has vanished
    settings = file.Load();
    EXPECT_EQ(settings.BgmKind, 0);
    EXPECT_EQ(settings.BgmFile, "");
    EXPECT_EQ(settings.BgmFolder, "C:\\Saver");

    file.values[kFile] = ""; // no file at all
    settings = file.Load();
    EXPECT_EQ(settings.BgmKind, 0);
    EXPECT_EQ(settings.BgmFolder, "C:\\Saver");
}

TEST(LoadMusicSettings, OtherKindsStayWhateverTheFile) {
    for (const char* kind : {"0", "1", "5", "-1"}) {
        FakeSettingsFile file;
        file.values[kKind] = kind;
        file.values[kFile] = "D:\\gone.mp3";
        const MusicSettings settings = file.Load();
        EXPECT_EQ(settings.BgmKind, std::stoi(kind)) << kind;
        EXPECT_EQ(settings.BgmFile, "");
    }
}

TEST(LoadMusicSettings, TheFileChooserStartsInTheFilesFolder) {
    FakeSettingsFile file;
    file.values[kKind] = "1";
    file.values[kFile] = "C:\\a.mp3";
    file.existing_files.insert("C:\\a.mp3");
    const MusicSettings settings = file.Load();
    EXPECT_EQ(settings.BgmKind, 1); // a CD kind keeps its file too
    EXPECT_EQ(settings.BgmFile, "C:\\a.mp3");
    EXPECT_EQ(settings.BgmFolder, "C:");
}

} // namespace
