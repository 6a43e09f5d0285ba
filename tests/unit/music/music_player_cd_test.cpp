// The audio CD through the music module, against a simulated drive: the run
// window's CD timer is played by calling CdPoll every 200 ms of simulated time.

#include "fake_mci.h"
#include "music_player.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr int kPollInterval = 200; // milliseconds, the run window's CD timer

bool is_play(const std::string& command) {
    return command.rfind("play cdaudio", 0) == 0;
}

std::vector<std::string> plays_in(const std::vector<std::string>& commands) {
    std::vector<std::string> plays;
    std::copy_if(commands.begin(), commands.end(), std::back_inserter(plays), is_play);
    return plays;
}

class CdMusicTest : public ::testing::Test {
protected:
    // A disc of five tracks, 30 s, 20 s, 10 s, 15 s and 12 s long.
    void SetUp() override { mci.insert_disc({30, 20, 10, 15, 12}); }

    // Lets the drive run for the given time with a poll at every timer tick;
    // stops early (like the run window's timer) once CdReady is false.
    void run_polls(int milliseconds) {
        for (int t = 0; t < milliseconds; t += kPollInterval) {
            mci.advance(kPollInterval);
            bgm.CdPoll();
            if (!bgm.CdReady()) {
                return;
            }
        }
    }

    MusicSettings settings;
    std::int32_t last_api_result = 12345;
    FakeMci mci;
    Velmoran_BGM bgm{settings, last_api_result, mci.platform()};
};

TEST_F(CdMusicTest, OpenPreparesTheDriveWithoutPlaying) {
    settings.BgmKind = 1;
    bgm.CdOpen();
    EXPECT_EQ(mci.take_commands(),
              (std::vector<std::string>{"open cdaudio", "set cdaudio time format tmsf"}));
    EXPECT_TRUE(mci.cd_open());
    EXPECT_EQ(last_api_result, 0);
    mci.advance(150); // shorter than one timer tick
    EXPECT_FALSE(mci.cd_playing());
}

TEST_F(CdMusicTest, WholeDiscStartsAtTheFirstPollAndRestartsWheneverTheDriveStops) {
    bgm.CdOpen();
    mci.take_commands();

    run_polls(kPollInterval);
    const auto first = mci.take_commands();
    EXPECT_EQ(plays_in(first), std::vector<std::string>{"play cdaudio"});
    EXPECT_TRUE(bgm.CdReady());
    EXPECT_TRUE(mci.cd_playing());
    EXPECT_EQ(mci.cd_track(), 1);

    // While the disc plays, from track to track, the polls only ask.
    run_polls(55'000);
    EXPECT_TRUE(plays_in(mci.take_commands()).empty());
    EXPECT_TRUE(mci.cd_playing());
    EXPECT_EQ(mci.cd_track(), 3);

    // The disc (87 s) ends; the first poll after that plays it again.
    run_polls(32'200);
    EXPECT_EQ(plays_in(mci.take_commands()), std::vector<std::string>{"play cdaudio"});
    EXPECT_TRUE(mci.cd_playing());
    EXPECT_EQ(mci.cd_track(), 1);

    // Stopped by someone else: the next poll starts it again.
    mci.take_commands();
    mci.stop_directly();
    run_polls(kPollInterval);
    EXPECT_EQ(plays_in(mci.take_commands()), std::vector<std::string>{"play cdaudio"});
    EXPECT_TRUE(mci.cd_playing());
    EXPECT_TRUE(bgm.CdReady());
}

TEST_F(CdMusicTest, RepeatTrackJumpsToItsStartAndBackWhenTheDriveMovesOn) {
    settings.BgmRepeat = 3;
    bgm.CdOpen();
    mci.take_commands();
    ASSERT_EQ(mci.cd_track(), 1);

    run_polls(kPollInterval);
    const auto first = mci.take_commands();
    EXPECT_NE(std::find(first.begin(), first.end(), "status cdaudio position track 3"),
              first.end());
    EXPECT_EQ(plays_in(first), std::vector<std::string>{"play cdaudio from 03:00:00:00"});
    EXPECT_EQ(mci.cd_track(), 3);
    EXPECT_TRUE(mci.cd_playing());

    // Track 3 is 10 s long: nothing is sent but the three questions while it plays.
    run_polls(9'600);
    const auto during = mci.take_commands();
    EXPECT_TRUE(plays_in(during).empty());
    EXPECT_TRUE(std::all_of(during.begin(), during.end(), [](const std::string& c) {
        return c.rfind("status cdaudio ", 0) == 0 && c.find("position") == std::string::npos;
    }));
    EXPECT_EQ(mci.cd_track(), 3);

    // The drive reaches track 4; the next poll jumps back.
    mci.advance(400);
    ASSERT_EQ(mci.cd_track(), 4);
    bgm.CdPoll();
    EXPECT_EQ(plays_in(mci.take_commands()),
              std::vector<std::string>{"play cdaudio from 03:00:00:00"});
    EXPECT_EQ(mci.cd_track(), 3);
    EXPECT_EQ(mci.cd_seconds_into_track(), 0);

    // A long run stays on track 3.
    for (int i = 0; i < 10; ++i) {
        run_polls(7'000);
        EXPECT_EQ(mci.cd_track(), 3);
        EXPECT_TRUE(mci.cd_playing());
    }
}

TEST_F(CdMusicTest, RepeatTrackTakesOverADriveAlreadyPlayingAnotherTrack) {
    settings.BgmRepeat = 2;
    bgm.CdOpen();
    mci.play_track_directly(4);
    run_polls(kPollInterval);
    EXPECT_EQ(mci.cd_track(), 2);
    EXPECT_TRUE(mci.cd_playing());
}

TEST_F(CdMusicTest, RepeatOfTheLastTrackJumpsBackWhenTheDiscEnds) {
    settings.BgmRepeat = 5;
    bgm.CdOpen();
    run_polls(kPollInterval);
    ASSERT_EQ(mci.cd_track(), 5);
    mci.take_commands();

    // Track 5 (12 s) ends with the disc; the drive stops and the poll replays it.
    run_polls(12'000);
    EXPECT_EQ(plays_in(mci.take_commands()),
              std::vector<std::string>{"play cdaudio from 05:00:00:00"});
    EXPECT_EQ(mci.cd_track(), 5);
    EXPECT_TRUE(mci.cd_playing());
}

TEST_F(CdMusicTest, RepeatOfATrackTheDiscLacksStaysSilentWhilePollingGoesOn) {
    settings.BgmRepeat = 9;
    bgm.CdOpen();
    mci.take_commands();

    for (int i = 0; i < 10; ++i) {
        run_polls(kPollInterval);
        EXPECT_TRUE(bgm.CdReady()) << "poll " << i;
        EXPECT_FALSE(mci.cd_playing()) << "poll " << i;
        // The position query fails, and its error text is no position to play from.
        EXPECT_EQ(last_api_result, static_cast<std::int32_t>(FakeMci::kBadInteger));
    }
    const auto plays = plays_in(mci.take_commands());
    ASSERT_EQ(plays.size(), 10u); // tried at every poll
    EXPECT_EQ(plays.front(), "play cdaudio from Error:282");
}

TEST_F(CdMusicTest, WhatEndsPolling) {
    struct Case {
        const char* name;
        void (*prepare)(FakeMci&);
    };
    const Case cases[] = {
        {"an empty drive", [](FakeMci& mci) { mci.eject_disc(); }},
        {"no drive at all", [](FakeMci& mci) { mci.remove_drive(); }},
        {"a drive that cannot report its track",
         [](FakeMci& mci) { mci.fail_next("status cdaudio current track", FakeMci::kHardware); }},
        {"a drive that cannot count its tracks",
         [](FakeMci& mci) {
             mci.fail_next("status cdaudio number of tracks", FakeMci::kHardware);
         }},
        {"a track reply that is no number",
         [](FakeMci& mci) { mci.answer_next("status cdaudio current track", "one"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MusicSettings repeat_two;
        repeat_two.BgmRepeat = 2;
        FakeMci drive;
        drive.insert_disc({30, 20});
        c.prepare(drive);
        std::int32_t result = 0;
        Velmoran_BGM player(repeat_two, result, drive.platform());
        player.CdOpen();
        player.CdPoll();
        EXPECT_FALSE(player.CdReady());
        EXPECT_FALSE(drive.cd_playing());
        EXPECT_TRUE(plays_in(drive.commands()).empty());
    }
}

TEST_F(CdMusicTest, EmptyDriveEndsPollingAtTheFirstPollWithTheDriversCode) {
    mci.eject_disc();
    bgm.CdOpen();
    EXPECT_EQ(last_api_result, 0); // an empty drive still opens
    bgm.CdPoll();
    EXPECT_FALSE(bgm.CdReady());
    EXPECT_EQ(last_api_result, static_cast<std::int32_t>(FakeMci::kDeviceNotReady));
    // The poll stopped after its first question.
    EXPECT_EQ(mci.commands().back(), "status cdaudio current track");
}

TEST_F(CdMusicTest, EveryPollStartsReadyAgain) {
    mci.eject_disc();
    bgm.CdOpen();
    bgm.CdPoll();
    ASSERT_FALSE(bgm.CdReady());
    mci.insert_disc({40});
    bgm.CdPoll();
    EXPECT_TRUE(bgm.CdReady());
    EXPECT_TRUE(mci.cd_playing());
}

TEST_F(CdMusicTest, TrackRepliesAreComparedAsNumbers) {
    settings.BgmRepeat = 3;
    bgm.CdOpen();
    run_polls(kPollInterval);
    ASSERT_EQ(mci.cd_track(), 3);
    mci.take_commands();
    for (const char* reply : {"3", "03", " 3 ", "3.0"}) {
        SCOPED_TRACE(reply);
        mci.answer_next("status cdaudio current track", reply);
        bgm.CdPoll();
        EXPECT_TRUE(bgm.CdReady());
        EXPECT_TRUE(plays_in(mci.take_commands()).empty());
    }
    mci.answer_next("status cdaudio current track", "13");
    bgm.CdPoll();
    EXPECT_EQ(plays_in(mci.take_commands()).size(), 1u);
}

TEST_F(CdMusicTest, CloseStopsAndClosesTheDrive) {
    bgm.CdOpen();
    run_polls(1'000);
    ASSERT_TRUE(mci.cd_playing());
    mci.take_commands();
    bgm.CdClose();
    EXPECT_EQ(mci.take_commands(), (std::vector<std::string>{"stop cdaudio", "close cdaudio"}));
    EXPECT_FALSE(mci.cd_playing());
    EXPECT_FALSE(mci.cd_open());
    EXPECT_EQ(last_api_result, 0);
    // Closing a drive that is gone leaves its code.
    mci.remove_drive();
    bgm.CdClose();
    EXPECT_EQ(last_api_result, static_cast<std::int32_t>(FakeMci::kCannotLoadDriver));
}

} // namespace
