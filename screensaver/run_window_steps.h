#pragma once

// What the hidden run window Velmoran_S decides and in which order, for one
// screensaver run: its load writes the hand-off images, starts the renderer
// and the music; its timers keep the music going and watch the renderer's
// window; its unload request stops the music, shows the cursor again when
// the run hid it, and ends the program. The window itself only binds these
// steps to the platform (see win32/run_window.h), so that every decision
// can be checked here with the platform and the music devices simulated.

#include <functional>
#include <string>
#include <string_view>

#include "handoff_images.h"
#include "music/music_player.h"
#include "music/music_settings.h"
#include "renderer_launch.h"
#include "runtime/conversions.h"

// The kind of a music file, judged by the last three characters of its
// name, upper-cased: "WAV" is a wave file, "MP3" an MP3 file, anything else
// neither (and plays nothing). No dot is needed: "songwav" is a wave file.
enum class MusicFileType { Wave, Mp3, Other };
MusicFileType MusicFileTypeOf(std::string_view bgm_file, runtime::LeadByteTest lead_byte);

// One of the run window's timers, as the steps switch it.
struct TimerSwitch {
    std::function<bool()> enabled;
    std::function<void(bool)> set_enabled;
};

struct RunWindowServices {
    HandoffImageServices handoff_images;
    std::string program_folder; // UTF-8, without a trailing backslash
    // The user's display choices (RendererArgumentsFor); the words for the
    // photographs the run wrote follow them.
    std::string renderer_arguments;
    // Starts the renderer's process; false when it could not be started.
    // Nothing is sent to the renderer and nothing stops it.
    std::function<bool(const RendererLaunch&)> start_renderer;
    // Whether the process the launch started still runs (false when none was).
    std::function<bool()> renderer_running;
    // Whether a top-level window with the renderer's title exists (any program's).
    std::function<bool()> renderer_window_exists;
    // Lets a moment (about 100 ms) pass at the end of a run that waits for the
    // renderer's window to go, answering what other programs send meanwhile.
    std::function<void()> wait_a_moment;
    // Removes the photograph, hand-off image 0 (see handoff_files.h), and
    // those of the other monitors, whatever the display choices are now: a
    // killed earlier run may have left them.
    std::function<void()> remove_photograph;
    TimerSwitch timer1; // MP3 end check, every 1000 ms
    TimerSwitch timer2; // audio-CD check, every 200 ms
    TimerSwitch timer3; // renderer watch, every 500 ms
    // Unloads the run window; its unload request comes back to Form_QueryUnload.
    std::function<void()> unload_run_window;
    // The command line without the program name (ANSI), read again at the end.
    std::function<std::string()> command_arguments;
    runtime::LeadByteTest lead_byte = runtime::NoLeadBytes;
    std::function<void()> show_cursor; // one ShowCursor(TRUE)
    // Ends the program at once: no other handler runs.
    std::function<void()> end_program;
};

class RunWindowSteps {
public:
    // The settings and the music module belong to the program and outlive the window.
    RunWindowSteps(const MusicSettings& settings, Velmoran_BGM& music, RunWindowServices services);

    // The start of the run: the hand-off images, the renderer, the music.
    void Form_Load();
    // Every 1000 ms while an MP3 file is the music: restarts it when it has ended.
    void Timer1_Timer();
    // Every 200 ms while the CD is the music; a poll that cannot query the
    // drive turns the CD check off for the rest of the run.
    void Timer2_Timer();
    // Every 500 ms: once the renderer's window is gone, the watch stops and
    // the run window unloads. Until the window has been seen once, a look
    // that finds none ends the run only when the renderer's process has
    // already ended or never started: a slow start (a large screen, a slow
    // disk) does not end the run before the renderer is there.
    void Timer3_Timer();
    // The end of the run, whatever asked for it: stops exactly the music that
    // was started (a CD that was opened is always stopped and closed), shows
    // the cursor again when the mode letter is "S", removes the photograph
    // once the renderer's window is gone, and ends the program. It never
    // refuses. When another program closed the run window while the renderer
    // still runs, the program waits for the renderer's window to go before it
    // removes the photograph; when the session ends it does not wait.
    void Form_QueryUnload(bool session_ending = false);

    // The renderer's full path, set just before the launch.
    const std::string& RendererPath() const { return m_renderer_path; }

private:
    MusicFileType FileType() const;
    void StartMusic();
    void StopMusic();
    void WaitForRendererWindowToGo();
    void EndProgram();

    const MusicSettings& m_settings;
    Velmoran_BGM& m_music;
    RunWindowServices m_services;
    std::string m_renderer_path;
    bool m_renderer_seen = false; // the watch has seen the renderer's window once
    bool m_cd_opened = false;     // CdOpen ran: the end of the run closes the CD
    bool m_ending = false;        // Form_QueryUnload has begun
};
