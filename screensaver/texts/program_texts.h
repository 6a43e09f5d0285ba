#pragma once

// Every text a user reads in the screensaver program, in one table per
// language: Japanese on systems whose interface language is Japanese (the
// program's own texts, byte for byte), English everywhere else. A third
// language is one more table. Texts are UTF-8 and shown through the wide
// API. What other programs or the settings file rely on (window titles,
// settings keys) is not a text of these tables.

#include <array>
#include <cstdint>
#include <string_view>

enum class TextKey {
    MusicCd,           // the music kind "audio CD"
    NoMusic,           // the music kind "none"
    MusicFile,         // the music kind "MP3 or WAV file"
    RepeatTrack,       // after the track box
    KeepResolution,    // the display group's first check
    EveryMonitor,      // its second check
    Thunder,           // its third check
    OkButton,          // saves and closes the dialog
    CancelButton,      // closes it
    ChooserTitle,      // the file chooser's title
    ChooserFilterName, // its file type
    MissingRenderer,   // the renderer is not beside the program
    PathNotUsable,     // a music file whose name the code page cannot write (then its name)
    PathTooLong,       // a music file whose path the settings file cannot hold (then its name)
    CannotSave,        // the settings file cannot be written (then its path)
};
inline constexpr std::size_t kTextKeyCount = 15;
static_assert(static_cast<std::size_t>(TextKey::CannotSave) + 1 == kTextKeyCount,
              "every text key has its text in each table");

enum class Language {
    Japanese,
    English,
};

// The language of an interface language identifier (a LANGID: its low ten
// bits are the primary language, 0x11 Japanese). Japanese for Japanese,
// English for every other, known or not.
Language LanguageOf(std::uint16_t language_id);

// The font the texts are shown in: its face (UTF-8), size in points and
// character set (128 Shift-JIS, 0 ANSI).
struct TextFont {
    std::string_view face;
    double points;
    int charset;
};

struct TextTable {
    std::array<std::string_view, kTextKeyCount> texts;
    TextFont font;
    std::string_view operator[](TextKey key) const { return texts[static_cast<std::size_t>(key)]; }
};

const TextTable& TextsIn(Language language);
