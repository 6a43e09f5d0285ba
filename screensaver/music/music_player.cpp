#include "music_player.h"

#include <charconv>
#include <optional>
#include <string_view>

namespace {

constexpr const char* kNoCommandText = "コマンド文字列が指定されていません";
constexpr const char* kNoErrorText = "Error (文字列が取れません)";

// Upper-cases ASCII letters only; other bytes (ANSI double-byte text) stay as they are.
std::string upper_ascii(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

bool names_an_error(const std::string& reply) {
    return upper_ascii(reply).find("ERR") != std::string::npos;
}

// A reply read as a number, as a numeric comparison with text converts it:
// blanks around it are allowed, anything else that is not part of the number
// makes the conversion fail.
std::optional<double> as_number(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

} // namespace

Velmoran_BGM::Velmoran_BGM(const MusicSettings& settings, std::int32_t& last_api_result,
                           const MciPlatform& platform)
    : m_settings(settings), m_last_api_result(last_api_result), m_platform(platform) {}

Velmoran_BGM::~Velmoran_BGM() {
    if (m_mp3_opened) {
        Mp3Close();
    }
    if (m_wav_started) {
        m_platform.PlaySoundA(m_platform.context, nullptr, nullptr, 0);
    }
}

std::int32_t Velmoran_BGM::send_without_reply(const std::string& command) {
    return static_cast<std::int32_t>(
        m_platform.mciSendStringA(m_platform.context, command.c_str(), nullptr, 0, nullptr));
}

void Velmoran_BGM::CdOpen() {
    m_last_api_result = send_without_reply("open cdaudio");
    m_last_api_result = send_without_reply("set cdaudio time format tmsf");
}

void Velmoran_BGM::CdClose() {
    m_last_api_result = send_without_reply("stop cdaudio");
    m_last_api_result = send_without_reply("close cdaudio");
}

void Velmoran_BGM::CdPoll() {
    m_cd_ready = true;
    if (!poll_drive()) {
        m_cd_ready = false;
    }
}

bool Velmoran_BGM::poll_drive() {
    const std::string track = MciQuery("status cdaudio current track");
    if (names_an_error(track)) {
        return false;
    }
    if (names_an_error(MciQuery("status cdaudio number of tracks"))) {
        return false;
    }
    // NOTE: the mode is asked for with one character less than the buffer holds.
    m_last_api_result = static_cast<std::int32_t>(m_platform.mciSendStringA(
        m_platform.context, "status cdaudio mode", m_mode_buffer.cleared(),
        static_cast<std::uint32_t>(m_mode_buffer.length - 1), nullptr));
    const bool stopped = m_mode_buffer.text().substr(0, 7) == "stopped";

    if (m_settings.BgmRepeat != 0) {
        // A track reply that is not a number cannot be compared: the drive is
        // not answering sensibly, so polling ends.
        const std::optional<double> current = as_number(track);
        if (!current) {
            return false;
        }
        if (stopped || *current != m_settings.BgmRepeat) {
            const std::string start =
                MciQuery("status cdaudio position track " + std::to_string(m_settings.BgmRepeat));
            MciPlay("cdaudio", start, "");
        }
    } else if (stopped) {
        MciPlay("cdaudio", "", "");
    }
    return true;
}

void Velmoran_BGM::Mp3Open() {
    const std::string open = "open \"" + m_settings.BgmFile + "\" type MPEGVideo Alias MP3Play";
    if (send_without_reply(open) == 0) {
        m_mp3_opened = true;
        send_without_reply("play MP3Play");
    }
}

bool Velmoran_BGM::Mp3IsPlaying() {
    m_platform.mciSendStringA(m_platform.context, "status MP3Play mode",
                              m_mp3_mode_buffer.cleared(),
                              static_cast<std::uint32_t>(m_mp3_mode_buffer.length), nullptr);
    return m_mp3_mode_buffer.text().substr(0, 7) == "playing";
}

void Velmoran_BGM::Mp3KeepPlaying() {
    if (!Mp3IsPlaying()) {
        // NOTE: a file device that has reached its end may go on reporting
        // "stopped" after a new play unless it is stopped first.
        send_without_reply("stop MP3Play");
        send_without_reply("play MP3Play from 0");
    }
}

void Velmoran_BGM::Mp3Close() {
    send_without_reply("stop MP3Play");
    send_without_reply("close MP3Play");
    m_mp3_opened = false;
}

void Velmoran_BGM::WavPlay() {
    if (static_cast<std::int32_t>(m_platform.waveOutGetNumDevs(m_platform.context)) <= 0) {
        return;
    }
    m_last_api_result = m_platform.PlaySoundA(m_platform.context, m_settings.BgmFile.c_str(),
                                              nullptr, kWavLoopFlags);
    m_wav_started = true;
}

void Velmoran_BGM::WavStop() {
    m_last_api_result = m_platform.PlaySoundA(m_platform.context, nullptr, nullptr, 0);
    m_wav_started = false;
}

std::int32_t Velmoran_BGM::MciSend(const std::string& command, std::string& reply) {
    if (command.empty()) {
        reply = kNoCommandText;
        return -1;
    }
    const auto code = static_cast<std::int32_t>(
        m_platform.mciSendStringA(m_platform.context, command.c_str(), m_reply_buffer.cleared(),
                                  static_cast<std::uint32_t>(m_reply_buffer.length), nullptr));
    m_last_api_result = code;
    if (code != 0) {
        const bool described =
            m_platform.mciGetErrorStringA(m_platform.context, static_cast<std::uint32_t>(code),
                                          m_error_buffer.cleared(),
                                          static_cast<std::uint32_t>(m_error_buffer.length)) != 0;
        reply = described ? m_error_buffer.text() : std::string(kNoErrorText);
        return code;
    }
    reply = m_reply_buffer.text();
    return 0;
}

std::string Velmoran_BGM::MciQuery(const std::string& command) {
    const std::int32_t code = MciSend(command, m_mci_reply);
    m_last_api_result = code;
    if (code != 0) {
        return "Error:" + std::to_string(code);
    }
    return m_mci_reply;
}

std::int32_t Velmoran_BGM::MciPlay(const std::string& device, const std::string& from,
                                   const std::string& to) {
    std::string command = "play " + device;
    if (!from.empty()) {
        command += " from " + from;
    }
    if (!to.empty()) {
        command += " to " + to;
    }
    return MciSend(command, m_mci_reply);
}
