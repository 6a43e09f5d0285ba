#include "winmm_platform.h"

#include <windows.h>
#include <mmsystem.h>

namespace {

// Each adapter passes its arguments on unchanged; only the handle types and
// the calling convention differ from winmm's own declarations.

std::uint32_t send_string(void*, const char* command, char* reply, std::uint32_t reply_size,
                          void* callback_window) {
    return mciSendStringA(command, reply, reply_size, static_cast<HWND>(callback_window));
}

std::int32_t error_string(void*, std::uint32_t error, char* text, std::uint32_t text_size) {
    return mciGetErrorStringA(error, text, text_size);
}

std::uint32_t wave_output_count(void*) {
    return waveOutGetNumDevs();
}

std::int32_t play_sound(void*, const char* sound, void* module, std::uint32_t flags) {
    return PlaySoundA(sound, static_cast<HMODULE>(module), flags);
}

} // namespace

const MciPlatform& winmm_platform() {
    static const MciPlatform platform{nullptr, send_string, error_string, wave_output_count,
                                      play_sound};
    return platform;
}
