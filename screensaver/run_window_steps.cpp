#include "run_window_steps.h"

#include "skipped_failures.h"
#include "start_request.h"

namespace {

constexpr std::int16_t kMusicCd = 1;
constexpr std::int16_t kMusicFile = 2;

} // namespace

MusicFileType MusicFileTypeOf(std::string_view bgm_file, runtime::LeadByteTest lead_byte) {
    const std::string ending =
        runtime::Right(runtime::UpperCase(bgm_file, lead_byte), 3, lead_byte);
    if (ending == "WAV") {
        return MusicFileType::Wave;
    }
    if (ending == "MP3") {
        return MusicFileType::Mp3;
    }
    return MusicFileType::Other;
}

RunWindowSteps::RunWindowSteps(const MusicSettings& settings, Velmoran_BGM& music,
                               RunWindowServices services)
    : m_settings(settings), m_music(music), m_services(std::move(services)) {}

MusicFileType RunWindowSteps::FileType() const {
    return MusicFileTypeOf(m_settings.BgmFile, m_services.lead_byte);
}

void RunWindowSteps::Form_Load() {
    const HandoffImagesWritten written = WriteHandoffImages(m_services.handoff_images);

    SkipIfFailing([&] {
        m_renderer_path = RendererPathIn(m_services.program_folder);
        // The renderer is told which photographs are this run's: never
        // does it show an earlier run's desktop.
        std::string arguments = m_services.renderer_arguments;
        const std::string photographs = PhotographArguments(written.photograph, written.monitors);
        arguments.append(arguments.empty() || photographs.empty() ? "" : " ").append(photographs);
        m_services.start_renderer(LaunchOf(m_renderer_path, arguments));
    });
    SkipIfFailing([&] { StartMusic(); });
}

void RunWindowSteps::StartMusic() {
    if (m_settings.BgmKind == kMusicCd) {
        // The first poll finds the drive stopped and starts playing.
        m_cd_opened = true;
        SkipIfFailing([&] { m_music.CdOpen(); });
        m_services.timer2.set_enabled(true);
    }
    if (m_settings.BgmKind == kMusicFile) {
        // Two separate tests, as at the end of the run.
        if (FileType() == MusicFileType::Wave) {
            SkipIfFailing([&] { m_music.WavPlay(); }); // the wave player loops it; no timer
        }
        if (FileType() == MusicFileType::Mp3) {
            SkipIfFailing([&] { m_music.Mp3Open(); });
            m_services.timer1.set_enabled(true);
        }
    }
}

void RunWindowSteps::Timer1_Timer() {
    SkipIfFailing([&] { m_music.Mp3KeepPlaying(); });
}

void RunWindowSteps::Timer2_Timer() {
    SkipIfFailing([&] { m_music.CdPoll(); });
    m_services.timer2.set_enabled(m_music.CdReady());
}

void RunWindowSteps::Timer3_Timer() {
    if (m_services.renderer_window_exists()) {
        m_renderer_seen = true;
        return;
    }
    if (!m_renderer_seen && m_services.renderer_running()) {
        return; // still starting: its window comes after the process
    }
    m_services.timer3.set_enabled(false);
    m_services.unload_run_window();
}

void RunWindowSteps::Form_QueryUnload(bool session_ending) {
    if (m_ending) {
        // Asked again while the end waits for the renderer's window: only the
        // end of the session cuts the wait short.
        if (session_ending) {
            EndProgram();
        }
        return;
    }
    m_ending = true;
    SkipIfFailing([&] { StopMusic(); });
    // The mode letter is read from the command line again: only a run that
    // Main started with "S" hid the cursor.
    SkipIfFailing([&] {
        if (ReadStartRequest(m_services.command_arguments(), m_services.lead_byte).hide_cursor) {
            m_services.show_cursor();
        }
    });
    if (!session_ending) {
        WaitForRendererWindowToGo();
    }
    EndProgram();
}

void RunWindowSteps::StopMusic() {
    if (m_services.timer2.enabled()) {
        m_services.timer2.set_enabled(false);
    }
    // A CD whose polling ended by a failure may play on all the same.
    if (m_cd_opened) {
        m_cd_opened = false;
        SkipIfFailing([&] { m_music.CdClose(); });
    }
    if (m_settings.BgmKind == kMusicFile) {
        if (FileType() == MusicFileType::Wave) {
            SkipIfFailing([&] { m_music.WavStop(); });
        }
        if (FileType() == MusicFileType::Mp3) {
            m_services.timer1.set_enabled(false);
            SkipIfFailing([&] { m_music.Mp3Close(); });
        }
    }
}

// The renderer reads the photograph after it has made its window; it is not
// taken away before that window is gone. A window of that title left by
// another program does not hold the end once the renderer itself has ended.
void RunWindowSteps::WaitForRendererWindowToGo() {
    while (m_services.renderer_window_exists() && m_services.renderer_running()) {
        m_services.wait_a_moment();
    }
}

void RunWindowSteps::EndProgram() {
    SkipIfFailing([&] { m_services.remove_photograph(); });
    m_services.end_program();
}
