// MP3 and WAV files and the command helpers of the music module, against a
// simulated media control interface. The run window's file timer is played
// by calling Mp3KeepPlaying every 1000 ms of simulated time.

#include "fake_mci.h"
#include "music_player.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kKeepAliveInterval = 1000; // milliseconds, the run window's file timer
constexpr const char* kSong = "C:\\My Music\\night rain.mp3";

class FileMusicTest : public ::testing::Test {
protected:
    void SetUp() override {
        mci.add_file(kSong, 2'500);
        settings.BgmKind = 2;
        settings.BgmFile = kSong;
    }

    MusicSettings settings;
    std::int32_t last_api_result = 12345;
    FakeMci mci;
    std::unique_ptr<Velmoran_BGM> bgm =
        std::make_unique<Velmoran_BGM>(settings, last_api_result, mci.platform());
};

TEST_F(FileMusicTest, Mp3OpenQuotesThePathAndPlays) {
    bgm->Mp3Open();
    EXPECT_EQ(
        mci.take_commands(),
        (std::vector<std::string>{
            "open \"C:\\My Music\\night rain.mp3\" type MPEGVideo Alias MP3Play", "play MP3Play"}));
    EXPECT_TRUE(mci.file_playing("MP3Play"));
    EXPECT_TRUE(bgm->Mp3IsPlaying());
    EXPECT_EQ(last_api_result, 12345); // the file commands leave it alone
}

TEST_F(FileMusicTest, Mp3ThatCannotBeOpenedIsNotPlayedAndKeepAliveFailsQuietly) {
    settings.BgmFile = "C:\\My Music\\missing.mp3";
    bgm->Mp3Open();
    EXPECT_EQ(mci.take_commands().size(), 1u); // no play after a failed open
    EXPECT_FALSE(mci.file_open("MP3Play"));
    for (int tick = 0; tick < 3; ++tick) {
        mci.advance(kKeepAliveInterval);
        bgm->Mp3KeepPlaying();
        EXPECT_EQ(mci.take_commands(),
                  (std::vector<std::string>{"status MP3Play mode", "stop MP3Play",
                                            "play MP3Play from 0"}));
    }
    EXPECT_FALSE(mci.file_open("MP3Play"));
}

TEST_F(FileMusicTest, Mp3ThatEndsIsRestartedFromItsStartWithinOneTick) {
    bgm->Mp3Open();
    mci.take_commands();
    // While it plays the keep-alive only asks.
    mci.advance(kKeepAliveInterval);
    bgm->Mp3KeepPlaying();
    mci.advance(kKeepAliveInterval);
    bgm->Mp3KeepPlaying();
    EXPECT_EQ(mci.take_commands(),
              (std::vector<std::string>{"status MP3Play mode", "status MP3Play mode"}));

    // It ends at 2.5 s; the tick at 3 s restarts it from 0.
    mci.advance(kKeepAliveInterval);
    ASSERT_FALSE(mci.file_playing("MP3Play"));
    bgm->Mp3KeepPlaying();
    EXPECT_EQ(mci.take_commands(), (std::vector<std::string>{"status MP3Play mode", "stop MP3Play",
                                                             "play MP3Play from 0"}));
    EXPECT_TRUE(mci.file_playing("MP3Play"));
    EXPECT_EQ(mci.file_position("MP3Play"), 0);
    // The device reports it as playing again (it was stopped before the new play).
    EXPECT_TRUE(bgm->Mp3IsPlaying());

    // And so on, for as long as the run lasts: never more than a tick of silence.
    int silent_ticks = 0;
    for (int tick = 0; tick < 30; ++tick) {
        mci.advance(kKeepAliveInterval);
        silent_ticks += mci.file_playing("MP3Play") ? 0 : 1;
        bgm->Mp3KeepPlaying();
        EXPECT_TRUE(mci.file_playing("MP3Play")) << "tick " << tick;
    }
    EXPECT_EQ(silent_ticks, 10); // the song ends in every third tick
}

TEST_F(FileMusicTest, Mp3CloseStopsAndClosesAndIsNotRepeatedOnDestruction) {
    bgm->Mp3Open();
    mci.take_commands();
    bgm->Mp3Close();
    EXPECT_EQ(mci.take_commands(), (std::vector<std::string>{"stop MP3Play", "close MP3Play"}));
    EXPECT_FALSE(mci.file_open("MP3Play"));
    EXPECT_FALSE(bgm->Mp3IsPlaying());
    mci.take_commands();
    bgm.reset();
    EXPECT_TRUE(mci.take_commands().empty());
}

TEST_F(FileMusicTest, ModuleClosesAnMp3LeftOpenWhenItGoes) {
    bgm->Mp3Open();
    mci.take_commands();
    bgm.reset();
    EXPECT_EQ(mci.take_commands(), (std::vector<std::string>{"stop MP3Play", "close MP3Play"}));
    EXPECT_FALSE(mci.file_open("MP3Play"));
}

TEST_F(FileMusicTest, Mp3IsPlayingReadsOnlyTheModeReply) {
    struct Case {
        const char* reply;
        bool playing;
    };
    bgm->Mp3Open();
    for (const Case& c : {Case{"playing", true}, Case{"stopped", false}, Case{"paused", false},
                          Case{"playing back", true}, Case{"play", false}, Case{"", false}}) {
        SCOPED_TRACE(c.reply);
        mci.answer_next("status MP3Play mode", c.reply);
        EXPECT_EQ(bgm->Mp3IsPlaying(), c.playing);
    }
    mci.fail_next("status MP3Play mode", FakeMci::kHardware);
    EXPECT_FALSE(bgm->Mp3IsPlaying());
    // A reply longer than the 30-character buffer is cut by the platform, not overrun.
    mci.answer_next("status MP3Play mode", "playing" + std::string(100, '!'));
    EXPECT_TRUE(bgm->Mp3IsPlaying());
}

TEST_F(FileMusicTest, WavPlayLoopsTheFileOnlyWhenThereIsAWaveOutput) {
    const std::string wave = "C:\\Sounds\\rain loop.wav";
    mci.add_file(wave, 4'000);
    settings.BgmFile = wave;

    mci.set_wave_devices(0);
    bgm->WavPlay();
    EXPECT_EQ(mci.play_sound_calls(), 0);
    EXPECT_EQ(last_api_result, 12345);

    mci.set_wave_devices(2);
    bgm->WavPlay();
    EXPECT_EQ(mci.wave_sound(), wave);
    EXPECT_TRUE(mci.wave_looping());
    EXPECT_EQ(mci.last_play_sound_flags(), Velmoran_BGM::kWavLoopFlags);
    EXPECT_EQ(last_api_result, 1);

    bgm->WavStop();
    EXPECT_EQ(mci.wave_sound(), "");
    EXPECT_EQ(mci.last_play_sound_flags(), 0u);
    EXPECT_EQ(last_api_result, 1);
    EXPECT_TRUE(mci.commands().empty()); // nothing goes through the media control interface
}

TEST_F(FileMusicTest, WavPlayOfAMissingFileLeavesThePlatformsResult) {
    settings.BgmFile = "C:\\Sounds\\gone.wav";
    bgm->WavPlay();
    EXPECT_EQ(mci.play_sound_calls(), 1);
    EXPECT_EQ(last_api_result, 0);
    EXPECT_EQ(mci.wave_sound(), "");
}

// A file that is there but cannot be played (not a wave file, say) would have
// the platform loop its default sound for the whole run; the module asks for
// none, so the run is silent.
TEST_F(FileMusicTest, WavPlayOfAFileThatCannotBePlayedIsSilentNotTheDefaultSound) {
    settings.BgmFile = "C:\\Sounds\\not really a wave.wav";
    // The simulation does what the platform does without the no-default flag.
    const MciPlatform platform = mci.platform();
    platform.PlaySoundA(platform.context, settings.BgmFile.c_str(), nullptr, 9);
    ASSERT_EQ(mci.wave_sound(), FakeMci::kDefaultSound);
    ASSERT_TRUE(mci.wave_looping());

    bgm->WavPlay();
    EXPECT_EQ(mci.last_play_sound_flags(), 11u); // asynchronous, no default, looping
    EXPECT_EQ(mci.wave_sound(), "");
    EXPECT_FALSE(mci.wave_looping());
}

TEST_F(FileMusicTest, ModuleStopsAWavLeftPlayingWhenItGoes) {
    const std::string wave = "C:\\Sounds\\rain.wav";
    mci.add_file(wave, 4'000);
    settings.BgmFile = wave;
    bgm->WavPlay();
    ASSERT_EQ(mci.wave_sound(), wave);
    bgm.reset();
    EXPECT_EQ(mci.wave_sound(), "");
    EXPECT_EQ(mci.play_sound_calls(), 2);
}

class CommandTest : public FileMusicTest {};

TEST_F(CommandTest, EmptyCommandSendsNothing) {
    std::string reply = "old";
    EXPECT_EQ(bgm->MciSend("", reply), -1);
    EXPECT_EQ(reply, "コマンド文字列が指定されていません");
    EXPECT_EQ(last_api_result, 12345);
    EXPECT_EQ(bgm->MciQuery(""), "Error:-1");
    EXPECT_EQ(last_api_result, -1);
    EXPECT_EQ(bgm->MciReply(), "コマンド文字列が指定されていません");
    EXPECT_TRUE(mci.commands().empty());
}

TEST_F(CommandTest, RepliesAndErrors) {
    mci.insert_disc({30, 20, 10});
    bgm->CdOpen();
    std::string reply;
    EXPECT_EQ(bgm->MciSend("status cdaudio number of tracks", reply), 0);
    EXPECT_EQ(reply, "3");
    EXPECT_EQ(last_api_result, 0);
    EXPECT_EQ(bgm->MciQuery("status cdaudio position track 2"), "02:00:00:00");
    EXPECT_EQ(bgm->MciReply(), "02:00:00:00");

    // A failure gives its description as the reply and its code as the result.
    EXPECT_EQ(bgm->MciSend("status cdaudio position track 7", reply), 282);
    EXPECT_EQ(reply, "The specified parameter is out of range for the specified command.");
    EXPECT_EQ(last_api_result, 282);
    EXPECT_EQ(bgm->MciQuery("status nothing mode"), "Error:263");
    EXPECT_EQ(bgm->MciReply(), "The specified device is not open or is not recognized by MCI.");
    EXPECT_EQ(last_api_result, 263);

    // A code without a description.
    mci.forget_error_text(263);
    EXPECT_EQ(bgm->MciSend("status nothing mode", reply), 263);
    EXPECT_EQ(reply, "Error (文字列が取れません)");
}

TEST_F(CommandTest, ReplyEndsAtTheFirstNulAndFitsTheBuffer) {
    std::string reply;
    mci.answer_next("status MP3Play length", std::string("2500\0garbage", 12));
    EXPECT_EQ(bgm->MciSend("status MP3Play length", reply), 0);
    EXPECT_EQ(reply, "2500");
    // A shorter reply after a longer one carries nothing of the old one.
    mci.answer_next("info cdaudio", std::string(600, 'x'));
    bgm->MciSend("info cdaudio", reply);
    EXPECT_EQ(reply, std::string(511, 'x'));
    mci.answer_next("info cdaudio", "ab");
    bgm->MciSend("info cdaudio", reply);
    EXPECT_EQ(reply, "ab");
}

TEST_F(CommandTest, PlayBuildsItsCommandFromTheGivenParts) {
    struct Case {
        const char* from;
        const char* to;
        const char* command;
        int track_after;
    };
    const Case cases[] = {
        {"", "", "play cdaudio", 1},
        {"02", "", "play cdaudio from 02", 2},
        {"", "03", "play cdaudio to 03", 1},
        {"03", "04", "play cdaudio from 03 to 04", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        FakeMci drive;
        drive.insert_disc({30, 20, 10, 15});
        std::int32_t result = 0;
        Velmoran_BGM player(settings, result, drive.platform());
        player.CdOpen();
        EXPECT_EQ(player.MciPlay("cdaudio", c.from, c.to), 0);
        EXPECT_EQ(drive.commands().back(), c.command);
        EXPECT_TRUE(drive.cd_playing());
        EXPECT_EQ(drive.cd_track(), c.track_after);
    }
    EXPECT_EQ(bgm->MciPlay("cdaudio", "", ""), 263); // not opened by this player
    EXPECT_EQ(bgm->MciReply(), "The specified device is not open or is not recognized by MCI.");
}

} // namespace
