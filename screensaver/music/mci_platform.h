#pragma once

#include <cstdint>

// The platform services the music module drives: the media control
// interface's string commands and error texts, and the wave-sound player
// (winmm on Windows, a simulated device in tests). Each function mirrors the
// winmm call of the same name and gets the context pointer first.
struct MciPlatform {
    void* context = nullptr;
    // Sends a command string; the reply (reply_size bytes including the NUL)
    // goes into reply, which may be null with a size of 0. Returns 0 or an
    // MCI error code.
    std::uint32_t (*mciSendStringA)(void* context, const char* command, char* reply,
                                    std::uint32_t reply_size, void* callback_window) = nullptr;
    // Writes the description of an MCI error code; nonzero on success.
    std::int32_t (*mciGetErrorStringA)(void* context, std::uint32_t error, char* text,
                                       std::uint32_t text_size) = nullptr;
    // How many wave output devices there are.
    std::uint32_t (*waveOutGetNumDevs)(void* context) = nullptr;
    // Plays (or, with a null sound, stops) a sound; nonzero on success.
    std::int32_t (*PlaySoundA)(void* context, const char* sound, void* module,
                               std::uint32_t flags) = nullptr;
};
