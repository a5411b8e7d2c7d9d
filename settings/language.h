// The interface language index kept in the settings: shared with the member tools through
// "Language" in "TarnPlugins.cfg".
#pragma once

#include "foundation/nx_language_index.h"

// Sets LanguageIndex from the settings, reading the file again first when `reload`. Always true.
bool LoadLanguage(bool reload);
// Stores LanguageIndex (written at once), then applies the enabled-language check.
void SaveLanguage();
// Japanese and Norwegian are offered only while enabled; otherwise English.
void CheckLanguageEnabled();
