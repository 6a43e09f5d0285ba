// Under a Japanese system code page (932) the music file's path reaches the
// media control interface as Shift-JIS text, as the settings hold it.

#include <windows.h>
#include <mmsystem.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "music_player.h"
#include "program_runner.h"
#include "test_sounds.h"
#include "winmm_platform.h"

using namespace std::chrono_literals;
using namespace velmoran_test;

namespace {

std::wstring wide(const std::string& ansi) {
    wchar_t text[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, text, MAX_PATH);
    return text;
}

std::string ansi(const std::wstring& text) {
    char bytes[MAX_PATH * 2] = {};
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, bytes, sizeof(bytes), nullptr, nullptr);
    return bytes;
}

TEST(JapaneseMusicPathTest, Mp3InAFolderWithAJapaneseNamePlays) {
    ASSERT_EQ(GetACP(), 932u);
    ASSERT_GT(waveOutGetNumDevs(), 0u);
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"雷雨の音楽";
    const std::wstring song = folder + L"\\夜の雨 テスト.mp3";
    CreateDirectoryW(folder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(wide(test_mp3_path(program_folder())).c_str(), song.c_str(), FALSE));

    MusicSettings settings;
    settings.BgmKind = 2;
    settings.BgmFile = ansi(song);
    ASSERT_EQ(wide(settings.BgmFile), song) << "the path does not fit the ANSI code page";
    std::int32_t last_api_result = 0;
    {
        Velmoran_BGM bgm(settings, last_api_result, winmm_platform());
        bgm.Mp3Open();
        EXPECT_TRUE(bgm.Mp3IsPlaying());
        EXPECT_TRUE(wait_until(
            [&] { return std::atoi(bgm.MciQuery("status MP3Play position").c_str()) > 200; }, 3s));
        bgm.Mp3Close();
    }
    DeleteFileW(song.c_str());
    RemoveDirectoryW(folder.c_str());
}

} // namespace
