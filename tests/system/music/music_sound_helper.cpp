// A small program that plays music through the music module the way the run
// window does, for tests that watch it from outside: the sound check records
// what it plays, and the exit tests look at how it ends.
//
//   music_sound_helper wav WAVE MARKERS     writes a tone to WAVE, WavPlay, then WavStop
//   music_sound_helper mp3 MP3 MARKERS      Mp3Open, Mp3KeepPlaying every 1000 ms, then Mp3Close
//   music_sound_helper mp3-exit MP3 close|leave
//                                           Mp3Open, then ends with Mp3Close, or leaves
//                                           closing to the module as the program ends
//
// With MARKERS (a folder) it creates MARKERS\playing once the sound has
// started, waits for MARKERS\stop, stops the sound, creates MARKERS\stopped
// and waits for MARKERS\exit. Exit codes: 0 done, 2 bad arguments, 3 the
// sound did not start, 4 a marker did not come in time.

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "music_player.h"
#include "test_sounds.h"
#include "winmm_platform.h"

namespace {

std::int32_t LastApiResult = 0;

bool exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void create_marker(const std::string& path) {
    const HANDLE file =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(file);
}

// Handles messages (the keep-alive timer's among them) until the file exists; false on timeout.
bool wait_for_marker(const std::string& path, DWORD timeout_ms) {
    const DWORD start = GetTickCount();
    while (!exists(path)) {
        if (GetTickCount() - start > timeout_ms) {
            return false;
        }
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
        Sleep(10);
    }
    return true;
}

Velmoran_BGM* keep_alive_player = nullptr;

void CALLBACK keep_alive_tick(HWND, UINT, UINT_PTR, DWORD) {
    keep_alive_player->Mp3KeepPlaying();
}

int handshake(const std::string& markers, Velmoran_BGM& player, void (Velmoran_BGM::*stop)()) {
    create_marker(markers + "\\playing");
    if (!wait_for_marker(markers + "\\stop", 60'000)) {
        return 4;
    }
    (player.*stop)();
    create_marker(markers + "\\stopped");
    return wait_for_marker(markers + "\\exit", 60'000) ? 0 : 4;
}

bool wait_until_playing(Velmoran_BGM& player) {
    for (int i = 0; i < 300 && !player.Mp3IsPlaying(); ++i) {
        Sleep(10);
    }
    return player.Mp3IsPlaying();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        return 2;
    }
    const std::string mode = argv[1];
    MusicSettings settings;
    settings.BgmKind = 2;
    settings.BgmFile = argv[2];
    const std::string last = argv[3];
    Velmoran_BGM player(settings, LastApiResult, winmm_platform());

    if (mode == "wav") {
        if (!velmoran_test::write_tone_wave(settings.BgmFile, 440, 700)) {
            return 2;
        }
        player.WavPlay();
        if (LastApiResult == 0) {
            return 3;
        }
        return handshake(last, player, &Velmoran_BGM::WavStop);
    }
    if (mode == "mp3") {
        player.Mp3Open();
        if (!wait_until_playing(player)) {
            return 3;
        }
        keep_alive_player = &player;
        SetTimer(nullptr, 0, 1000, keep_alive_tick);
        return handshake(last, player, &Velmoran_BGM::Mp3Close);
    }
    if (mode == "mp3-exit") {
        player.Mp3Open();
        if (!wait_until_playing(player)) {
            return 3;
        }
        Sleep(200);
        if (last == "close") {
            player.Mp3Close();
        }
        std::printf("ending with the file %s\n", last == "close" ? "closed" : "open");
        return 0;
    }
    return 2;
}
