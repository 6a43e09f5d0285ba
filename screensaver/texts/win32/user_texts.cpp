#include "texts/win32/user_texts.h"

#include <windows.h>

const TextTable& UserTexts() {
    static const TextTable& texts = TextsIn(LanguageOf(GetUserDefaultUILanguage()));
    return texts;
}

std::string_view UserText(TextKey key) {
    return UserTexts()[key];
}
