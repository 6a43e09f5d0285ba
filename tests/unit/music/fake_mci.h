#pragma once

// A simulated media control interface for the music module's tests. It
// parses the command strings it gets and behaves like the devices would: an
// audio CD drive (with or without a disc) that plays, runs on from track to
// track and stops at the end of what it was asked to play; file devices that
// play an MP3 for its length and then report "stopped"; the wave-sound
// player; and the error texts. Time passes only when the test calls advance().

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "mci_platform.h"

class FakeMci {
public:
    // MCI error codes, as the platform numbers them.
    static constexpr std::uint32_t kUnrecognizedKeyword = 259;
    static constexpr std::uint32_t kUnrecognizedCommand = 261;
    static constexpr std::uint32_t kHardware = 262;
    static constexpr std::uint32_t kInvalidDeviceName = 263;
    static constexpr std::uint32_t kDeviceOpen = 265;
    static constexpr std::uint32_t kCannotLoadDriver = 266;
    static constexpr std::uint32_t kBadInteger = 270;
    static constexpr std::uint32_t kFileNotFound = 275;
    static constexpr std::uint32_t kDeviceNotReady = 276;
    static constexpr std::uint32_t kOutOfRange = 282;
    static constexpr std::uint32_t kDuplicateAlias = 289;
    static constexpr std::uint32_t kBadTimeFormat = 293;

    FakeMci();
    FakeMci(const FakeMci&) = delete;
    FakeMci& operator=(const FakeMci&) = delete;

    // The platform functions, bound to this simulation.
    MciPlatform platform();

    // Lets time pass: playing devices move on and stop at their end.
    void advance(int milliseconds);

    // Every command string received, in order, and the ones since the last take.
    const std::vector<std::string>& commands() const { return m_commands; }
    std::vector<std::string> take_commands();

    // The next time exactly this command arrives it fails with code (and does nothing).
    void fail_next(const std::string& command, std::uint32_t code);
    // The next time exactly this command arrives it succeeds with this reply (and does nothing).
    void answer_next(const std::string& command, const std::string& reply);
    // mciGetErrorStringA fails for this code.
    void forget_error_text(std::uint32_t code) { m_error_texts.erase(code); }

    // The CD drive. It starts present and empty.
    void remove_drive() { m_cd.present = false; }
    // Tracks given as lengths in seconds.
    void insert_disc(const std::vector<int>& track_seconds);
    void eject_disc();
    // Starts or stops the drive without a command (as another program or the user would).
    void play_track_directly(int track);
    void stop_directly() { m_cd.playing = false; }
    bool cd_open() const { return m_cd.open; }
    bool cd_playing() const { return m_cd.playing; }
    int cd_track() const; // the track under the head
    int cd_seconds_into_track() const;

    // MP3 files the file device can open, with their lengths.
    void add_file(const std::string& path, int length_milliseconds);
    bool file_open(const std::string& alias) const;
    bool file_playing(const std::string& alias) const; // whether sound comes out
    int file_position(const std::string& alias) const; // milliseconds

    // The wave player. A sound it cannot play (a file it does not know) plays
    // the system's default sound instead, as the platform does, unless the
    // flags say no default.
    static constexpr const char* kDefaultSound = "(the system's default sound)";
    void set_wave_devices(std::uint32_t count) { m_wave_devices = count; }
    const std::string& wave_sound() const { return m_wave.sound; } // empty when silent
    bool wave_looping() const { return m_wave.looping; }
    int play_sound_calls() const { return m_wave.calls; }
    std::uint32_t last_play_sound_flags() const { return m_wave.last_flags; }

private:
    struct CdDrive {
        bool present = true;
        std::optional<std::vector<int>> tracks; // lengths in milliseconds
        bool open = false;
        bool tmsf = false; // time format: tmsf, or msf (the default)
        bool playing = false;
        int position = 0; // milliseconds from the start of the disc
        int play_end = 0;
    };
    struct FileDevice {
        std::string path;
        int length = 0;
        int position = 0;
        bool playing = false;
        bool ended = false;           // reached its end and was not stopped since
        bool reports_stopped = false; // played again after its end without a stop
    };
    struct WavePlayer {
        std::string sound;
        bool looping = false;
        int calls = 0;
        std::uint32_t last_flags = 0;
    };

    std::uint32_t execute(const std::vector<std::string>& words, std::string& reply);
    std::uint32_t cd_command(const std::vector<std::string>& words, std::string& reply);
    std::uint32_t cd_status(const std::vector<std::string>& words, std::string& reply) const;
    std::uint32_t cd_play(const std::vector<std::string>& words);
    std::uint32_t open_file(const std::vector<std::string>& words);
    std::uint32_t file_command(FileDevice& device, const std::vector<std::string>& words,
                               std::string& reply);
    int track_start(int track) const;
    int disc_length() const;
    std::string cd_format(int position) const;
    std::optional<int> cd_parse(const std::string& text, std::uint32_t& error) const;

    static std::uint32_t send_string(void*, const char*, char*, std::uint32_t, void*);
    static std::int32_t error_string(void*, std::uint32_t, char*, std::uint32_t);
    static std::uint32_t wave_devices(void*);
    static std::int32_t play_sound(void*, const char*, void*, std::uint32_t);

    std::vector<std::string> m_commands;
    std::size_t m_taken = 0;
    struct ScriptedAnswer {
        std::uint32_t code = 0;
        std::string reply;
    };
    std::map<std::string, ScriptedAnswer> m_scripted;
    std::map<std::uint32_t, std::string> m_error_texts;
    CdDrive m_cd;
    std::map<std::string, int> m_files;          // path -> length in milliseconds
    std::map<std::string, FileDevice> m_devices; // lower-case alias -> open file device
    std::uint32_t m_wave_devices = 1;
    WavePlayer m_wave;
};
