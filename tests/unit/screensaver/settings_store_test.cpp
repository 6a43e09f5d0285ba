#include "settings/display_settings.h"
#include "settings/save_order.h"
#include "settings/setting_values.h"
#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

TEST(SettingsFile, BesideTheProgramWithShiftJisKeys) {
    EXPECT_EQ(SettingsFilePath("C:\\Program Files\\Velmoran"),
              "C:\\Program Files\\Velmoran\\Velmoran.ini");
    EXPECT_EQ(SettingsFilePath("C:"), "C:\\Velmoran.ini");
    EXPECT_EQ(ProfileKey(kKeyMusicKind), "BGM\x8B\xE6\x95\xAA");
    EXPECT_EQ(ProfileKey(kKeyMusicRepeat), "BGM\xD8\xCB\xDF\xB0\xC4");
    EXPECT_EQ(ProfileKey(kKeyMusicFile), "BGM\xCC\xA7\xB2\xD9");
}

TEST(SettingValues, NumbersAreWrittenWithTheirSignPosition) {
    EXPECT_EQ(NumericSettingText(0), " 0");
    EXPECT_EQ(NumericSettingText(2), " 2");
    EXPECT_EQ(NumericSettingText(12), " 12");
    EXPECT_EQ(NumericSettingText(-3), "-3");
}

TEST(SettingValues, TrackBoxTextRoundsHalvesToEven) {
    const struct {
        const char* text;
        std::int16_t repeat;
    } cases[] = {
        {"2.5", 2},   {"3.5", 4},   {"abc", 0}, {"", 0},    {"7", 7},
        {" 12 ", 12}, {"40000", 0}, {"-2", -2}, {"1.4", 1}, {"30", 30},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RepeatFromTrackText(c.text), c.repeat) << '"' << c.text << '"';
    }
}

TEST(SaveMusicSettings, WritesAllThreeKeysInOrder) {
    MusicSettings settings;
    settings.BgmKind = 1;
    settings.BgmRepeat = 3; // replaced by the track box's text
    std::vector<std::pair<std::string, std::string>> writes;
    SaveMusicSettings(settings, "7", [&](const std::string& key, const std::string& value) {
        writes.emplace_back(key, value);
    });
    EXPECT_EQ(settings.BgmRepeat, 7);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"BGM\x8B\xE6\x95\xAA", " 1"},
        {"BGM\xD8\xCB\xDF\xB0\xC4", " 7"},
        {"BGM\xCC\xA7\xB2\xD9", ""}, // written empty, not left out
    };
    EXPECT_EQ(writes, expected);
}

TEST(SaveMusicSettings, AFileKindSavesTheTrackBoxAsItIs) {
    MusicSettings settings;
    settings.BgmKind = 2;
    settings.BgmFile = "D:\\Sound\\rain.mp3";
    std::vector<std::string> values;
    SaveMusicSettings(settings, "", [&](const std::string&, const std::string& value) {
        values.push_back(value);
    });
    EXPECT_EQ(values, (std::vector<std::string>{" 2", " 0", "D:\\Sound\\rain.mp3"}));
}

TEST(DisplaySettings, OnlyAStoredOneTurnsAChoiceOnAndASaveWritesOneOrZeroInOrder) {
    for (const char* stored : {"", "0", " 1", "1 ", "2", "yes", "\x82\x50"}) {
        EXPECT_FALSE(ChoiceFrom(stored)) << stored;
    }
    EXPECT_TRUE(ChoiceFrom("1"));
    std::vector<std::pair<std::string, std::string>> writes;
    SaveDisplaySettings(
        DisplaySettings{true, false, true},
        [&](const std::string& key, const std::string& value) { writes.emplace_back(key, value); });
    const std::string keep = "\x89\xF0\x91\x9C\x93\x78\x88\xDB\x8E\x9D";  // 解像度維持
    const std::string every = "\x91\x53\xD3\xC6\xC0\xB0\x95\x5C\x8E\xA6"; // 全ﾓﾆﾀｰ表示
    const std::string thunder = "\x97\x8B\x96\xC2";                       // 雷鳴
    EXPECT_EQ(writes, (std::vector<std::pair<std::string, std::string>>{
                          {keep, "1"}, {every, "0"}, {thunder, "1"}}));
}

} // namespace
