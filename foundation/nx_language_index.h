// The interface language of the whole suite: 0 Italian, 1 International English (the default),
// 2 French, 3 German, 4 Spanish, 5 Japanese, 6 Norwegian. Every localized text is fetched in it.
#pragma once

#include <cstdint>

namespace languages {

// The suite's languages by index; a localized list's number is its family's plus the index.
constexpr std::int16_t kCount = 7;
constexpr std::int16_t kEnglish = 1;
constexpr std::int16_t kJapanese = 5;

}  // namespace languages

// 1 until the settings are read (settings/language.h keeps it in step with them).
extern std::int16_t LanguageIndex;
