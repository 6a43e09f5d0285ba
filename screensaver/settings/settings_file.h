#pragma once

// The settings file: a Windows profile file beside the program, with one
// section and its keys. The key names are Japanese; they reach the ANSI
// profile functions as their Shift-JIS bytes on every system, so that a file
// written on a Japanese system and on any other reads the same.

#include <string>
#include <string_view>

inline constexpr std::string_view kSettingsFileName = "\\Velmoran.ini"; // after the program folder
inline constexpr std::string_view kSettingsSection = "Section";

// Key names in UTF-8, as this source spells them.
inline constexpr std::string_view kKeyMusicKind = "BGM区分";         // BgmKind
inline constexpr std::string_view kKeyMusicRepeat = "BGMﾘﾋﾟｰﾄ";      // BgmRepeat
inline constexpr std::string_view kKeyMusicFile = "BGMﾌｧｲﾙ";         // BgmFile
inline constexpr std::string_view kKeyKeepResolution = "解像度維持"; // KeepResolution
inline constexpr std::string_view kKeyEveryMonitor = "全ﾓﾆﾀｰ表示";   // EveryMonitor
inline constexpr std::string_view kKeyThunder = "雷鳴";              // Thunder

// The settings file of a program in program_folder (no trailing backslash).
std::string SettingsFilePath(std::string_view program_folder);

// A key name as the ANSI profile functions take it: its Shift-JIS bytes.
// A name Shift-JIS cannot write is passed on unchanged.
std::string ProfileKey(std::string_view utf8_key);
