#include "settings/language.h"

#include "settings/settings_store.h"

namespace {

using languages::kEnglish;
constexpr const char* kLanguageCodes[languages::kCount] = {"ita", "int", "fra", "ger",
                                                           "spa", "jap", "nor"};
constexpr const char* kEnabledExtraLanguages = "jap nor";
constexpr const char* kLanguageKey = "Language";

}  // namespace

bool LoadLanguage(bool reload) {
    if (reload) {
        LoadSettings(FamilyStore, false);
    }
    LanguageIndex = kEnglish;
    NX_String value;
    if (GetSetting(FamilyStore, kLanguageKey, &value, true)) {
        LanguageIndex = static_cast<std::int16_t>(NX_String::ToInt(value.GetText()));
    }
    // A value without digits reads as -1 in 16 bits; like any other index out of range it
    // stands for the default.
    if (LanguageIndex < 0 || LanguageIndex >= languages::kCount) {
        LanguageIndex = kEnglish;
    }
    CheckLanguageEnabled();
    return true;
}

void SaveLanguage() {
    StoreSetting(FamilyStore, kLanguageKey, NX_String(static_cast<long>(LanguageIndex), 0), true);
    CheckLanguageEnabled();
}

void CheckLanguageEnabled() {
    if (LanguageIndex >= 5 &&
        (LanguageIndex >= languages::kCount ||
         NX_String(kEnabledExtraLanguages).FindNoCase(kLanguageCodes[LanguageIndex], 0) < 0)) {
        LanguageIndex = kEnglish;
    }
}
