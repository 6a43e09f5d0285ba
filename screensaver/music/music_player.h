#pragma once

// The music module Velmoran_BGM: background music during a screensaver run
// from an audio CD, an MP3 file or a WAV file, driven through the media
// control interface's command strings and the wave-sound player. It keeps no
// thread of its own; the run window calls the keep-alive operations from its
// timers (CdPoll every 200 ms, Mp3KeepPlaying every 1000 ms).
//
// Every operation swallows platform failures: the only traces are the codes
// left in LastApiResult and the reply texts.

#include <cstdint>
#include <string>

#include "fixed_text.h"
#include "mci_platform.h"
#include "music_settings.h"

class Velmoran_BGM {
public:
    // The settings and LastApiResult belong to the program and outlive the
    // module; the platform functions are copied.
    Velmoran_BGM(const MusicSettings& settings, std::int32_t& last_api_result,
                 const MciPlatform& platform);
    // Closes an MP3 file that was opened and not closed (a process that ends
    // with the file device still open crashes on some platforms) and stops a
    // WAV that was started and not stopped.
    ~Velmoran_BGM();
    Velmoran_BGM(const Velmoran_BGM&) = delete;
    Velmoran_BGM& operator=(const Velmoran_BGM&) = delete;

    // Audio CD: the device "cdaudio" in track/minute/second/frame format.
    void CdOpen();
    // Starts or restarts playback as BgmRepeat asks; sets CdReady.
    void CdPoll();
    void CdClose();
    // Whether CD polling should go on: false once a poll could not query the drive.
    bool CdReady() const { return m_cd_ready; }

    // MP3 file BgmFile under the alias "MP3Play".
    void Mp3Open();
    // Restarts the file from its beginning when it no longer plays.
    void Mp3KeepPlaying();
    bool Mp3IsPlaying();
    void Mp3Close();

    // WAV file BgmFile, looped by the platform.
    void WavPlay();
    void WavStop();

    // Sends a command and returns its MCI error code (0 on success, -1 for an
    // empty command); reply receives the reply text or the error description.
    std::int32_t MciSend(const std::string& command, std::string& reply);
    // The reply of a command, or "Error:" and the code when it fails.
    std::string MciQuery(const std::string& command);
    // Sends "play DEVICE[ from FROM][ to TO]"; returns the MCI error code.
    std::int32_t MciPlay(const std::string& device, const std::string& from, const std::string& to);

    // The reply (or error description) of the last MciQuery or MciPlay.
    const std::string& MciReply() const { return m_mci_reply; }

    // PlaySoundA flags for WavPlay: asynchronous (1) and looping (8), no
    // file-name flag; and no default sound (2), so that a file that exists but
    // cannot be played gives silence, not the system's default sound looped
    // for the whole run.
    static constexpr std::uint32_t kWavLoopFlags = 0x0001 | 0x0002 | 0x0008;

private:
    // Sends a command that asks for no reply text; returns the platform's code.
    std::int32_t send_without_reply(const std::string& command);
    // Runs the poll; false when the drive could not be queried (polling must end).
    bool poll_drive();

    const MusicSettings& m_settings;
    std::int32_t& m_last_api_result;
    MciPlatform m_platform;

    bool m_cd_ready = false;
    FixedText<256> m_mode_buffer;    // ModeBuffer: the CD mode reply
    FixedText<512> m_reply_buffer;   // ReplyBuffer: every reply through MciSend
    FixedText<256> m_error_buffer;   // ErrorBuffer: MCI error descriptions
    FixedText<30> m_mp3_mode_buffer; // Mp3ModeBuffer: the file device's mode reply
    std::string m_mci_reply;         // MciReply

    bool m_mp3_opened = false;  // Mp3Open opened the file and Mp3Close has not run since
    bool m_wav_started = false; // WavPlay started a sound and WavStop has not run since
};
