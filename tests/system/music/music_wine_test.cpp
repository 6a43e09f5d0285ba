// The music module with winmm's real media control interface and wave
// player, on the test session's null audio output (a PulseAudio null sink).

#include <windows.h>
#include <mmsystem.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "music_player.h"
#include "program_runner.h"
#include "test_sounds.h"
#include "winmm_platform.h"

using namespace std::chrono_literals;
using namespace velmoran_test;

namespace {

class WineMusicTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_GT(waveOutGetNumDevs(), 0u) << "the test session has no audio output";
        settings.BgmKind = 2;
        settings.BgmFile = test_mp3_path(program_folder());
        ASSERT_NE(GetFileAttributesA(settings.BgmFile.c_str()), INVALID_FILE_ATTRIBUTES)
            << settings.BgmFile;
    }

    void TearDown() override { bgm.Mp3Close(); }

    int position() { return std::atoi(bgm.MciQuery("status MP3Play position").c_str()); }

    MusicSettings settings;
    std::int32_t last_api_result = 12345;
    Velmoran_BGM bgm{settings, last_api_result, winmm_platform()};
};

TEST_F(WineMusicTest, Mp3PlaysReportsPlayingAndPlaysAgainAfterItsEndOnceKeptAlive) {
    ASSERT_NE(settings.BgmFile.find(' '), std::string::npos);
    bgm.Mp3Open();
    EXPECT_TRUE(bgm.Mp3IsPlaying());
    EXPECT_EQ(bgm.MciQuery("status MP3Play mode"), "playing");
    EXPECT_EQ(bgm.MciQuery("status MP3Play length").substr(0, 2), "15"); // about 1500 ms
    // It moves on: the device is really decoding.
    ASSERT_TRUE(wait_until([&] { return position() > 300; }, 3s));

    // It ends by itself; the keep-alive then starts it again from its beginning.
    ASSERT_TRUE(wait_until([&] { return !bgm.Mp3IsPlaying(); }, 5s));
    EXPECT_EQ(bgm.MciQuery("status MP3Play mode"), "stopped");
    const DWORD before = GetTickCount();
    bgm.Mp3KeepPlaying();
    RecordProperty("restart_commands_ms", static_cast<int>(GetTickCount() - before));
    EXPECT_TRUE(bgm.Mp3IsPlaying());
    EXPECT_EQ(bgm.MciQuery("status MP3Play mode"), "playing");
    EXPECT_LT(position(), 500);
    EXPECT_TRUE(wait_until([&] { return position() > 300; }, 3s));

    bgm.Mp3Close();
    EXPECT_EQ(bgm.MciQuery("status MP3Play mode").substr(0, 6), "Error:");
}

TEST_F(WineMusicTest, Mp3PathWithBlanksOpensOnlyInQuotes) {
    std::string reply;
    EXPECT_NE(bgm.MciSend("open " + settings.BgmFile + " type MPEGVideo Alias Unquoted", reply), 0);
    bgm.MciSend("close Unquoted", reply);
    EXPECT_EQ(bgm.MciSend("open \"" + settings.BgmFile + "\" type MPEGVideo Alias Quoted", reply),
              0);
    bgm.MciSend("close Quoted", reply);
}

TEST_F(WineMusicTest, Mp3ThatCannotBeOpenedStaysSilent) {
    settings.BgmFile = program_folder() + "\\music data\\no such song.mp3";
    bgm.Mp3Open();
    EXPECT_FALSE(bgm.Mp3IsPlaying());
    bgm.Mp3KeepPlaying();
    EXPECT_FALSE(bgm.Mp3IsPlaying());
    EXPECT_EQ(bgm.MciQuery("status MP3Play mode").substr(0, 6), "Error:");
}

// The time from the end of the MP3 to its restart when Mp3KeepPlaying runs
// from a 1000 ms timer, as the run window runs it. The device's mode is
// sampled every 5 ms; the numbers go to the test results, not into a verdict.
Velmoran_BGM* timer_player = nullptr;

void CALLBACK keep_alive_tick(HWND, UINT, UINT_PTR, DWORD) {
    timer_player->Mp3KeepPlaying();
}

TEST_F(WineMusicTest, Mp3KeptAliveByTheTimerRestartsAfterEveryEnd) {
    timer_player = &bgm;
    bgm.Mp3Open();
    const UINT_PTR timer = SetTimer(nullptr, 0, 1000, keep_alive_tick);
    ASSERT_NE(timer, 0u);

    std::vector<DWORD> gaps;
    bool playing = true;
    DWORD ended_at = 0;
    const DWORD start = GetTickCount();
    while (gaps.size() < 4 && GetTickCount() - start < 20'000) {
        pump_messages();
        const bool now = bgm.MciQuery("status MP3Play mode") == "playing";
        if (playing && !now) {
            ended_at = GetTickCount();
        } else if (!playing && now) {
            gaps.push_back(GetTickCount() - ended_at);
        }
        playing = now;
        Sleep(5);
    }
    KillTimer(nullptr, timer);
    ASSERT_EQ(gaps.size(), 4u) << "the MP3 did not come back after every end";
    std::string list;
    for (DWORD gap : gaps) {
        list += std::to_string(gap) + " ";
    }
    RecordProperty("end_to_restart_ms", list);
    RecordProperty("end_to_restart_ms_max",
                   static_cast<int>(*std::max_element(gaps.begin(), gaps.end())));
    std::printf("end to restart (ms): %s\n", list.c_str());
}

TEST_F(WineMusicTest, WavPlayAndWavStopReachTheWaveOutput) {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    settings.BgmFile = std::string(folder) + "velmoran tone.wav";
    ASSERT_TRUE(write_tone_wave(settings.BgmFile, 440, 500));
    bgm.WavPlay();
    EXPECT_EQ(last_api_result, 1);
    Sleep(200);
    last_api_result = 12345;
    bgm.WavStop();
    EXPECT_EQ(last_api_result, 1);
    DeleteFileA(settings.BgmFile.c_str());
}

TEST_F(WineMusicTest, CdPollWithoutADriveTurnsPollingOff) {
    bgm.CdOpen();
    EXPECT_NE(last_api_result, 0); // no drive, no device
    bgm.CdPoll();
    EXPECT_FALSE(bgm.CdReady());
    EXPECT_EQ(bgm.MciQuery("status cdaudio current track").substr(0, 6), "Error:");
}

} // namespace
