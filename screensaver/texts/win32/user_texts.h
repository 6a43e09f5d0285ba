#pragma once

// The texts of the user's interface language, chosen once, at their first use.

#include "texts/program_texts.h"

// The user's interface language.
Language UserLanguage();

const TextTable& UserTexts();

// One text of that table.
std::string_view UserText(TextKey key);
