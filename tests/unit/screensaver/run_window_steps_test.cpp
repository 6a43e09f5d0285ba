// The run window's steps with the platform recorded and the music devices
// simulated: the order of the start of a run, the renderer's launch, which
// music each setting plays and which timer it needs, what the timers do,
// the watch of the renderer's window, and the end of the run.

#include "run_window_steps.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "fake_mci.h"
#include "runtime/shift_jis.h"
#include "settings/display_settings.h"

namespace {

using Commands = std::vector<std::string>;

constexpr const char* kProgramFolder = "C:\\Program Files\\Velmoran";
constexpr const char* kSong = "C:\\My Music\\night rain.mp3";
constexpr const char* kWave = "C:\\My Music\\rain.wav";

// The platform around the run window: every call is recorded as an event;
// the timers are flags.
class RunWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        mci.add_file(kSong, 2'500);
        mci.add_file(kWave, 700);
    }

    RunWindowServices Services() {
        RunWindowServices s;
        s.handoff_images.size_window_to_screen = [this] { events.push_back("size window"); };
        s.handoff_images.size_capture_surface = [this] { events.push_back("size surface"); };
        s.handoff_images.copy_screen = [this] { events.push_back("copy screen"); };
        s.handoff_images.save_picture = [this](int index) {
            events.push_back("save " + std::to_string(index));
            return index != 0 || photograph_saved;
        };
        s.program_folder = kProgramFolder;
        s.start_renderer = [this](const RendererLaunch& request) {
            events.push_back("launch");
            launch = request;
            music_commands_at_launch = mci.commands().size();
            return renderer_started;
        };
        s.renderer_running = [this] { return renderer_started && renderer_process; };
        s.renderer_window_exists = [this] { return renderer_window; };
        s.wait_a_moment = [this] {
            events.push_back("wait");
            if (on_wait) {
                on_wait();
            }
        };
        s.remove_photograph = [this] { events.push_back("remove photograph"); };
        s.timer1 = Switch(timer1, "timer1");
        s.timer2 = Switch(timer2, "timer2");
        s.timer3 = Switch(timer3, "timer3");
        s.unload_run_window = [this] {
            events.push_back("unload");
            steps->Form_QueryUnload(); // as the form does: every unload asks first
        };
        s.command_arguments = [this] {
            events.push_back("read command line");
            return arguments;
        };
        s.lead_byte = runtime::IsShiftJisLeadByte;
        s.show_cursor = [this] { events.push_back("show cursor"); };
        s.end_program = [this] { events.push_back("end"); };
        return s;
    }

    TimerSwitch Switch(bool& flag, std::string name) {
        return TimerSwitch{[&flag] { return flag; },
                           [this, &flag, name](bool on) {
                               flag = on;
                               events.push_back(name + (on ? " on" : " off"));
                           }};
    }

    // Loads the run window with these music settings.
    void Load(std::int16_t kind, const std::string& file = "") {
        settings.BgmKind = kind;
        settings.BgmFile = file;
        steps.emplace(settings, bgm, Services());
        steps->Form_Load();
    }

    // The end of a run as the watch brings it: the renderer's window is gone.
    void EndAfterTheRendererWindowWent() {
        renderer_window = false;
        steps->Form_QueryUnload();
    }

    // The events since the last look.
    std::vector<std::string> TakeEvents() {
        std::vector<std::string> taken(events.begin() + static_cast<std::ptrdiff_t>(taken_events),
                                       events.end());
        taken_events = events.size();
        return taken;
    }

    MusicSettings settings;
    std::int32_t last_api_result = 0;
    FakeMci mci;
    Velmoran_BGM bgm{settings, last_api_result, mci.platform()};
    std::optional<RunWindowSteps> steps;

    std::vector<std::string> events;
    std::size_t taken_events = 0;
    bool timer1 = false; // as the window makes them: 1 and 2 off, 3 on
    bool timer2 = false;
    bool timer3 = true;
    bool renderer_window = true;
    bool renderer_started = true;  // the launch made a process
    bool renderer_process = true;  // and it still runs
    std::function<void()> on_wait; // what happens while the end of the run waits
    std::string arguments = "/s";
    std::optional<RendererLaunch> launch;
    std::size_t music_commands_at_launch = 0;
    bool photograph_saved = true; // picture 0 was written
};

TEST_F(RunWindowTest, LoadWritesTheImagesThenStartsTheRendererThenTheMusic) {
    Load(2, kSong);
    EXPECT_EQ(events,
              (std::vector<std::string>{"size window", "size surface", "copy screen", "save 0",
                                        "save 1", "save 2", "launch", "timer1 on"}));
    // The music was started after the launch, not before.
    EXPECT_EQ(music_commands_at_launch, 0u);
    EXPECT_TRUE(mci.file_playing("MP3Play"));
}

TEST_F(RunWindowTest, TheRendererIsNamedAsTheProgramAndQuotedOnItsCommandLine) {
    Load(0);
    ASSERT_TRUE(launch.has_value());
    // A folder with blanks can neither fail the launch nor start C:\Program.exe.
    EXPECT_EQ(launch->application, "C:\\Program Files\\Velmoran\\Velmoran.dll");
    EXPECT_EQ(launch->command_line, "\"C:\\Program Files\\Velmoran\\Velmoran.dll\"");
    EXPECT_EQ(launch->show_command, 1); // SW_SHOWNORMAL
    EXPECT_EQ(steps->RendererPath(), "C:\\Program Files\\Velmoran\\Velmoran.dll");
}

// A photograph that could not be written is not this run's: the renderer
// is told so, after the display choices.
TEST_F(RunWindowTest, TheRendererLearnsThatThePhotographIsMissing) {
    photograph_saved = false;
    settings.BgmKind = 0;
    RunWindowServices services = Services();
    services.renderer_arguments = "/every-monitor";
    services.handoff_images.photograph_other_monitors = [] {
        return std::vector<MonitorPhotograph>{{3, "\\\\.\\DISPLAY2"}};
    };
    steps.emplace(settings, bgm, std::move(services));
    steps->Form_Load();
    ASSERT_TRUE(launch.has_value());
    EXPECT_EQ(launch->command_line, "\"C:\\Program Files\\Velmoran\\Velmoran.dll\" /every-monitor "
                                    "/no-photograph /monitor-photograph:3:\\\\.\\DISPLAY2");
}

TEST(RendererLaunch, PathsOfOtherFolders) {
    EXPECT_EQ(RendererPathIn("C:"), "C:\\Velmoran.dll");
    const RendererLaunch launch = LaunchOf("D:\\Savers\\Velmoran.dll");
    EXPECT_EQ(launch.application, "D:\\Savers\\Velmoran.dll");
    EXPECT_EQ(launch.command_line, "\"D:\\Savers\\Velmoran.dll\"");
    // The display choices follow the quoted path; off, nothing follows it.
    const struct {
        DisplaySettings settings;
        const char* after_path;
    } choices[] = {{{false, false}, ""},
                   {{true, false}, " /keep-resolution"},
                   {{false, true}, " /every-monitor"},
                   {{true, true}, " /keep-resolution /every-monitor"},
                   {{false, false, true}, " /thunder"}};
    for (const auto& c : choices) {
        EXPECT_EQ(
            LaunchOf("D:\\Savers\\Velmoran.dll", RendererArgumentsFor(c.settings)).command_line,
            std::string("\"D:\\Savers\\Velmoran.dll\"") + c.after_path);
    }
}

TEST(MusicFileType, TheLastThreeCharactersUpperCased) {
    const struct {
        const char* file;
        MusicFileType type;
    } cases[] = {
        {"C:\\m\\rain.wav", MusicFileType::Wave},
        {"C:\\m\\rain.WAV", MusicFileType::Wave},
        {"C:\\m\\rain.Wav", MusicFileType::Wave},
        {"C:\\m\\rainwav", MusicFileType::Wave}, // no dot is needed
        {"wav", MusicFileType::Wave},
        {"C:\\m\\song.mp3", MusicFileType::Mp3},
        {"C:\\m\\song.Mp3", MusicFileType::Mp3},
        {"C:\\m\\song.MP3", MusicFileType::Mp3},
        {"C:\\m\\song.mid", MusicFileType::Other},
        {"C:\\m\\song.wma", MusicFileType::Other},
        {"C:\\m\\song.wave", MusicFileType::Other},
        {"C:\\m\\song.mp3 ", MusicFileType::Other},
        {"av", MusicFileType::Other},
        {"", MusicFileType::Other},
        // A double-byte character whose second byte is "w" is one character,
        // not the "W" of WAV.
        {"C:\\m\\\x83\x77"
         "av",
         MusicFileType::Other},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MusicFileTypeOf(c.file, runtime::IsShiftJisLeadByte), c.type) << c.file;
    }
}

// Which music each setting starts, and which timer it needs.
TEST_F(RunWindowTest, MusicOfEachSetting) {
    const struct {
        std::int16_t kind;
        const char* file;
        Commands commands; // sent to the media control interface
        const char* wave;  // what the wave player plays ("" for nothing)
        int play_sound_calls;
        bool timer1, timer2;
    } cases[] = {
        {0, "", {}, "", 0, false, false},
        {0, kSong, {}, "", 0, false, false},
        {1, "", {"open cdaudio", "set cdaudio time format tmsf"}, "", 0, false, true},
        // The CD ignores the file.
        {1, kWave, {"open cdaudio", "set cdaudio time format tmsf"}, "", 0, false, true},
        {2, kWave, {}, kWave, 1, false, false},
        {2, "C:\\My Music\\RAIN.WAV", {}, "", 1, false, false}, // not there: the player is asked
        {2,
         kSong,
         {"open \"C:\\My Music\\night rain.mp3\" type MPEGVideo Alias MP3Play", "play MP3Play"},
         "",
         0,
         true,
         false},
        {2,
         "C:\\My Music\\song.Mp3",
         {"open \"C:\\My Music\\song.Mp3\" type MPEGVideo Alias MP3Play"},
         "",
         0,
         true,
         false},
        {2, "C:\\My Music\\song.mid", {}, "", 0, false, false},
        {2, "C:\\My Music\\song.wma", {}, "", 0, false, false},
        {3, kWave, {}, "", 0, false, false}, // an unexpected kind plays nothing
        {-1, kSong, {}, "", 0, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.kind) + " " + c.file);
        FakeMci fresh;
        fresh.add_file(kSong, 2'500);
        fresh.add_file(kWave, 700);
        Velmoran_BGM music(settings, last_api_result, fresh.platform());
        timer1 = timer2 = false;
        settings.BgmKind = c.kind;
        settings.BgmFile = c.file;
        RunWindowSteps run(settings, music, Services());
        run.Form_Load();
        EXPECT_EQ(fresh.commands(), c.commands);
        EXPECT_EQ(fresh.wave_sound(), c.wave);
        EXPECT_EQ(fresh.play_sound_calls(), c.play_sound_calls);
        if (c.play_sound_calls > 0) {
            EXPECT_EQ(fresh.last_play_sound_flags(), 11u); // asynchronous, no default, looping
        }
        EXPECT_EQ(timer1, c.timer1);
        EXPECT_EQ(timer2, c.timer2);
    }
}

TEST_F(RunWindowTest, AFailedCdPollTurnsTheCdTimerOffAndTheEndStillStopsAndClosesTheCd) {
    Load(1); // the drive is empty
    ASSERT_TRUE(timer2);
    mci.take_commands();
    steps->Timer2_Timer();
    EXPECT_FALSE(timer2);
    EXPECT_EQ(mci.take_commands(), Commands{"status cdaudio current track"});

    TakeEvents();
    EndAfterTheRendererWindowWent();
    EXPECT_EQ(mci.take_commands(), (Commands{"stop cdaudio", "close cdaudio"}));
    EXPECT_FALSE(mci.cd_open());
    EXPECT_EQ(TakeEvents(), (std::vector<std::string>{"read command line", "show cursor",
                                                      "remove photograph", "end"}));
}

// A poll that fails while a disc plays (the drive stops answering): the disc
// must not play on after the program has ended.
TEST_F(RunWindowTest, ADiscThatPlaysOnAfterAFailedPollIsStoppedAtTheEnd) {
    mci.insert_disc({40, 50});
    Load(1);
    steps->Timer2_Timer();
    ASSERT_TRUE(mci.cd_playing());
    mci.fail_next("status cdaudio current track", FakeMci::kHardware);
    steps->Timer2_Timer();
    ASSERT_FALSE(timer2);
    ASSERT_TRUE(mci.cd_playing());

    EndAfterTheRendererWindowWent();
    EXPECT_FALSE(mci.cd_playing());
    EXPECT_FALSE(mci.cd_open());
}

TEST_F(RunWindowTest, ACdThatPlaysKeepsItsTimerAndIsStoppedAndClosedAtTheEnd) {
    mci.insert_disc({40, 50});
    Load(1);
    steps->Timer2_Timer(); // the first poll starts the disc
    EXPECT_TRUE(timer2);
    EXPECT_TRUE(mci.cd_playing());
    mci.advance(200);
    steps->Timer2_Timer();
    EXPECT_TRUE(timer2);
    mci.take_commands();
    TakeEvents();

    EndAfterTheRendererWindowWent();
    EXPECT_EQ(mci.take_commands(), (Commands{"stop cdaudio", "close cdaudio"}));
    EXPECT_FALSE(mci.cd_open());
    EXPECT_EQ(TakeEvents(), (std::vector<std::string>{"timer2 off", "read command line",
                                                      "show cursor", "remove photograph", "end"}));
}

TEST_F(RunWindowTest, TheMp3TimerRestartsTheFileWhenItHasEnded) {
    Load(2, kSong);
    mci.take_commands();
    mci.advance(1000);
    steps->Timer1_Timer();
    EXPECT_EQ(mci.take_commands(), Commands{"status MP3Play mode"});
    mci.advance(2000); // past its end at 2.5 s
    ASSERT_FALSE(mci.file_playing("MP3Play"));
    steps->Timer1_Timer();
    EXPECT_TRUE(mci.file_playing("MP3Play"));
    EXPECT_EQ(mci.file_position("MP3Play"), 0);
}

// The end of the run stops exactly what its start began.
TEST_F(RunWindowTest, TheEndStopsWhatWasStarted) {
    const struct {
        std::int16_t kind;
        const char* file;
        Commands commands;               // sent at the end
        int play_sound_calls;            // at the end
        std::vector<std::string> events; // at the end, the cursor and the end left out
    } cases[] = {
        {0, kWave, {}, 0, {}},
        {2, kWave, {}, 1, {}},
        {2, kSong, {"stop MP3Play", "close MP3Play"}, 0, {"timer1 off"}},
        {2, "C:\\My Music\\song.mid", {}, 0, {}},
        {1, kSong, {"stop cdaudio", "close cdaudio"}, 0, {"timer2 off"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.kind) + " " + c.file);
        FakeMci fresh;
        fresh.add_file(kSong, 2'500);
        fresh.add_file(kWave, 700);
        fresh.insert_disc({40});
        Velmoran_BGM music(settings, last_api_result, fresh.platform());
        timer1 = timer2 = false;
        settings.BgmKind = c.kind;
        settings.BgmFile = c.file;
        RunWindowSteps run(settings, music, Services());
        run.Form_Load();
        fresh.take_commands();
        const int sounds_before = fresh.play_sound_calls();
        TakeEvents();

        arguments = "";
        renderer_window = false;
        run.Form_QueryUnload();
        EXPECT_EQ(fresh.take_commands(), c.commands);
        EXPECT_EQ(fresh.play_sound_calls() - sounds_before, c.play_sound_calls);
        EXPECT_EQ(fresh.wave_sound(), "");
        EXPECT_FALSE(fresh.file_open("MP3Play"));
        std::vector<std::string> expected = c.events;
        expected.insert(expected.end(), {"read command line", "remove photograph", "end"});
        EXPECT_EQ(TakeEvents(), expected);
    }
}

TEST_F(RunWindowTest, TheCursorIsShownAgainOnlyWhenTheModeLetterIsS) {
    const struct {
        const char* arguments;
        bool shown;
    } cases[] = {
        {"/s", true}, {"/S", true},  {"-s", true}, {"xs 1", true},
        {"", false},  {"/c", false}, {"s", false}, // one character: no mode letter
    };
    for (const auto& c : cases) {
        arguments = c.arguments;
        Load(0);
        TakeEvents();
        EndAfterTheRendererWindowWent();
        const std::vector<std::string> shown = {"read command line", "show cursor",
                                                "remove photograph", "end"};
        const std::vector<std::string> untouched = {"read command line", "remove photograph",
                                                    "end"};
        EXPECT_EQ(TakeEvents(), c.shown ? shown : untouched) << '"' << c.arguments << '"';
    }
}

TEST_F(RunWindowTest, TheWatchWaitsWhileTheRendererWindowExists) {
    Load(2, kSong);
    TakeEvents();
    for (int tick = 0; tick < 5; ++tick) {
        steps->Timer3_Timer();
    }
    EXPECT_EQ(TakeEvents(), std::vector<std::string>{});
    EXPECT_TRUE(timer3);
    EXPECT_TRUE(mci.file_playing("MP3Play"));
}

TEST_F(RunWindowTest, WhenTheRendererWindowIsGoneTheWatchStopsAndTheRunEnds) {
    Load(2, kSong);
    steps->Timer3_Timer(); // the renderer's window is seen
    mci.take_commands();
    TakeEvents();
    renderer_window = false;
    steps->Timer3_Timer();
    EXPECT_FALSE(timer3);
    EXPECT_EQ(TakeEvents(),
              (std::vector<std::string>{"timer3 off", "unload", "timer1 off", "read command line",
                                        "show cursor", "remove photograph", "end"}));
    EXPECT_EQ(mci.take_commands(), (Commands{"stop MP3Play", "close MP3Play"}));
}

// A launch that fails leaves no renderer window: the first tick ends the run
// and stops the music that had started meanwhile.
TEST_F(RunWindowTest, ARendererThatNeverShowsEndsTheRunAtTheFirstTick) {
    renderer_window = false;
    renderer_started = false;
    Load(2, kWave);
    ASSERT_EQ(mci.wave_sound(), kWave);
    steps->Timer3_Timer();
    EXPECT_EQ(mci.wave_sound(), "");
    EXPECT_EQ(events.back(), "end");
}

// The watch before and after its first sighting of the renderer's window,
// tick by tick: what the look finds (window there, renderer process running)
// and at which tick the run ends (0 for none).
TEST_F(RunWindowTest, TheWatchWaitsForItsFirstSightingOfTheRenderer) {
    struct Look {
        bool window;
        bool running;
    };
    const struct {
        const char* name;
        bool started;
        std::vector<Look> looks;
        int ends_at; // the tick (from 1) whose look ends the run, 0 for none
    } cases[] = {
        {"a slow start: no window for four looks, then the window, then it goes",
         true,
         {{false, true}, {false, true}, {false, true}, {false, true}, {true, true}, {false, true}},
         6},
        {"the window at once, gone at the third look",
         true,
         {{true, true}, {true, true}, {false, true}},
         3},
        {"the renderer ended before its window was ever seen",
         true,
         {{false, true}, {false, false}},
         2},
        {"the renderer could not be started", false, {{false, false}}, 1},
        {"seen once: a missing window ends the run though the process runs on",
         true,
         {{true, true}, {false, true}},
         2},
        {"never seen, still starting", true, {{false, true}, {false, true}, {false, true}}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        renderer_started = c.started;
        renderer_window = false;
        timer3 = true;
        Load(0);
        TakeEvents();
        int ended_at = 0;
        for (std::size_t tick = 0; tick < c.looks.size() && ended_at == 0; ++tick) {
            renderer_window = c.looks[tick].window;
            renderer_process = c.looks[tick].running;
            steps->Timer3_Timer();
            const auto seen = TakeEvents();
            if (!seen.empty()) {
                EXPECT_EQ(seen.front(), "timer3 off");
                EXPECT_EQ(seen.back(), "end");
                ended_at = static_cast<int>(tick) + 1;
            }
        }
        EXPECT_EQ(ended_at, c.ends_at);
        EXPECT_EQ(timer3, c.ends_at == 0);
    }
}

// Closed from outside while the renderer runs on, the run ends at once (music
// stopped, cursor shown) but takes the photograph away only once the
// renderer's window is gone.
TEST_F(RunWindowTest, TheEndRemovesThePhotographOnlyAfterTheRendererWindowIsGone) {
    Load(2, kSong);
    TakeEvents();
    int waits = 0;
    on_wait = [&] {
        if (++waits == 3) {
            renderer_window = false;
        }
    };
    steps->Form_QueryUnload();
    EXPECT_EQ(TakeEvents(),
              (std::vector<std::string>{"timer1 off", "read command line", "show cursor", "wait",
                                        "wait", "wait", "remove photograph", "end"}));
    EXPECT_FALSE(mci.file_open("MP3Play"));

    // A window of that title that outlives the renderer's process does not hold the end.
    renderer_window = true;
    renderer_process = false;
    Load(0);
    TakeEvents();
    steps->Form_QueryUnload();
    EXPECT_EQ(TakeEvents(), (std::vector<std::string>{"read command line", "show cursor",
                                                      "remove photograph", "end"}));
}

TEST_F(RunWindowTest, TheEndOfTheSessionDoesNotWaitForTheRenderer) {
    Load(0);
    TakeEvents();
    steps->Form_QueryUnload(true);
    EXPECT_EQ(TakeEvents(), (std::vector<std::string>{"read command line", "show cursor",
                                                      "remove photograph", "end"}));

    // The session ends while the end of a closed run waits: the wait ends there.
    Load(0);
    TakeEvents();
    int nested = 0;
    on_wait = [&] {
        if (nested++ == 0) {
            steps->Form_QueryUnload(true);
        } else {
            renderer_window = false;
        }
    };
    steps->Form_QueryUnload();
    const auto seen = TakeEvents();
    const std::vector<std::string> first(seen.begin(), seen.begin() + 5);
    EXPECT_EQ(first, (std::vector<std::string>{"read command line", "show cursor", "wait",
                                               "remove photograph", "end"}));
    // A second close while waiting is no second end.
    renderer_window = true;
    Load(0);
    TakeEvents();
    nested = 0;
    on_wait = [&] {
        if (nested++ == 0) {
            steps->Form_QueryUnload();
        } else {
            renderer_window = false;
        }
    };
    steps->Form_QueryUnload();
    EXPECT_EQ(TakeEvents(), (std::vector<std::string>{"read command line", "show cursor", "wait",
                                                      "wait", "remove photograph", "end"}));
}

// A step that throws (memory that cannot be had) is skipped; the next runs.
TEST_F(RunWindowTest, AStepThatThrowsIsSkippedAndTheNextRuns) {
    const char* const failing_steps[] = {"copy screen", "save 0", "launch", "show cursor",
                                         "remove photograph"};
    for (const std::string failing : failing_steps) {
        SCOPED_TRACE(failing);
        events.clear();
        taken_events = 0;
        auto services = Services();
        auto throwing = [&](const std::string& event) {
            if (event == failing) {
                events.push_back(event + " threw");
                throw std::bad_alloc();
            }
            events.push_back(event);
        };
        services.handoff_images.copy_screen = [&] { throwing("copy screen"); };
        services.handoff_images.save_picture = [&](int index) {
            throwing("save " + std::to_string(index));
            return true;
        };
        services.start_renderer = [&](const RendererLaunch&) {
            throwing("launch");
            return true;
        };
        services.show_cursor = [&] { throwing("show cursor"); };
        services.remove_photograph = [&] { throwing("remove photograph"); };
        settings.BgmKind = 2;
        settings.BgmFile = kWave;
        FakeMci fresh;
        fresh.add_file(kWave, 700);
        Velmoran_BGM music(settings, last_api_result, fresh.platform());
        RunWindowSteps run(settings, music, services);
        run.Form_Load();
        EXPECT_EQ(fresh.wave_sound(), kWave) << "the music did not start";
        renderer_window = false;
        run.Form_QueryUnload();
        EXPECT_EQ(fresh.wave_sound(), "");

        std::vector<std::string> expected = {
            "size window", "size surface", "copy screen",       "save 0",      "save 1",
            "save 2",      "launch",       "read command line", "show cursor", "remove photograph",
            "end"};
        for (std::string& event : expected) {
            if (event == failing) {
                event += " threw";
            }
        }
        EXPECT_EQ(events, expected);
        renderer_window = true;
    }
}

} // namespace
