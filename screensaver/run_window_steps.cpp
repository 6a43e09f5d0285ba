#include "run_window_steps.h"

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
    WriteHandoffImages(m_services.handoff_images);

    m_renderer_path = RendererPathIn(m_services.program_folder);
    m_services.start_renderer(LaunchOf(m_renderer_path));

    if (m_settings.BgmKind == kMusicCd) {
        // The first poll finds the drive stopped and starts playing.
        m_music.CdOpen();
        m_services.timer2.set_enabled(true);
    }
    if (m_settings.BgmKind == kMusicFile) {
        // Two separate tests, as at the end of the run.
        if (FileType() == MusicFileType::Wave) {
            m_music.WavPlay(); // the wave player loops it; no timer
        }
        if (FileType() == MusicFileType::Mp3) {
            m_music.Mp3Open();
            m_services.timer1.set_enabled(true);
        }
    }
}

void RunWindowSteps::Timer1_Timer() {
    m_music.Mp3KeepPlaying();
}

void RunWindowSteps::Timer2_Timer() {
    m_music.CdPoll();
    m_services.timer2.set_enabled(m_music.CdReady());
}

void RunWindowSteps::Timer3_Timer() {
    if (m_services.renderer_window_exists()) {
        return;
    }
    m_services.timer3.set_enabled(false);
    m_services.unload_run_window();
}

void RunWindowSteps::Form_QueryUnload() {
    // A CD whose polling ended by failure is left alone.
    if (m_services.timer2.enabled()) {
        m_services.timer2.set_enabled(false);
        m_music.CdClose();
    }
    if (m_settings.BgmKind == kMusicFile) {
        if (FileType() == MusicFileType::Wave) {
            m_music.WavStop();
        }
        if (FileType() == MusicFileType::Mp3) {
            m_services.timer1.set_enabled(false);
            m_music.Mp3Close();
        }
    }
    // The mode letter is read from the command line again: only a run that
    // Main started with "S" hid the cursor.
    if (ReadStartRequest(m_services.command_arguments(), m_services.lead_byte).hide_cursor) {
        m_services.show_cursor();
    }
    m_services.end_program();
}
