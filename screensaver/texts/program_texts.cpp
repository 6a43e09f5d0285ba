#include "texts/program_texts.h"

namespace {

constexpr std::uint16_t kPrimaryLanguageMask = 0x03FF;
constexpr std::uint16_t kJapanese = 0x11;

// In TextKey's order.
constexpr TextTable kJapaneseTexts{
    {
        "音楽CD",
        "なし",
        "MP3、WAV",
        "曲目をﾘﾋﾟｰﾄ",
        "画面の解像度を変えない",
        "すべてのモニターに表示",
        "雷鳴を鳴らす",
        "設定",
        "ｷｬﾝｾﾙ",
        "ﾌｧｲﾙを開く",
        "BGMﾌｧｲﾙ (MP3 WAV)",
        "Velmoran.dll が同じﾌｫﾙﾀﾞに見つかりません！",
        "このファイルの名前には、このシステムの文字コードで書けない文字があるため、"
        "BGMに選べません。\n",
        "このファイルのパスは長すぎて設定ファイルに保存できないため、BGMに選べません。\n",
        "設定を保存できませんでした。次のファイルに書き込めません：\n",
    },
    {"ＭＳ Ｐゴシック", 9.75, 128},
};

constexpr TextTable kEnglishTexts{
    {
        "Audio CD",
        "None",
        "MP3, WAV",
        "Repeat track",
        "Keep the screen's resolution",
        "Show on every monitor",
        "Thunder after each strike",
        "OK",
        "Cancel",
        "Open",
        "Music files (MP3 WAV)",
        "Velmoran.dll was not found in the same folder!",
        "The name of this file has characters that this system's code page cannot write, "
        "so it cannot be the music:\n",
        "The path of this file is too long for the settings file, so it cannot be the music:\n",
        "The settings could not be saved. This file cannot be written:\n",
    },
    {"Tahoma", 9.75, 0},
};

} // namespace

Language LanguageOf(std::uint16_t language_id) {
    return (language_id & kPrimaryLanguageMask) == kJapanese ? Language::Japanese
                                                             : Language::English;
}

const TextTable& TextsIn(Language language) {
    return language == Language::Japanese ? kJapaneseTexts : kEnglishTexts;
}
