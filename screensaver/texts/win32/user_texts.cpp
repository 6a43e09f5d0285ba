#include "texts/win32/user_texts.h"

#include <windows.h>

Language UserLanguage() {
    static const Language language = LanguageOf(GetUserDefaultUILanguage());
    return language;
}

const TextTable& UserTexts() {
    static const TextTable& texts = TextsIn(UserLanguage());
    return texts;
}

std::string_view UserText(TextKey key) {
    return UserTexts()[key];
}
