// The interface language of the whole suite: 0 Italian, 1 International English (the default),
// 2 French, 3 German, 4 Spanish, 5 Japanese, 6 Norwegian. Shared with the member tools through
// "Language" in "TarnPlugins.cfg".
#pragma once

#include <cstdint>

// The language every text is fetched in; 1 until the settings are read.
extern std::int16_t LanguageIndex;

// Sets LanguageIndex from the settings, reading the file again first when `reload`. Always true.
bool LoadLanguage(bool reload);
// Stores LanguageIndex (written at once), then applies the enabled-language check.
void SaveLanguage();
// Japanese and Norwegian are offered only while enabled; otherwise English.
void CheckLanguageEnabled();
