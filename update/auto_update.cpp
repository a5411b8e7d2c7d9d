#include "update/auto_update.h"

#include "foundation/nx_menu_flags.h"
#include "settings/settings_store.h"
#include "update/update_check.h"

namespace {
constexpr const char* kAutoUpdateKey = "AutoUpdate";
}  // namespace

void SetAutoUpdateMarks(short firstList, std::int32_t item) {
    const NX_String text = GetSettingText(VersionStore, kAutoUpdateKey, true);
    const int value = text.GetText()[0] == '\0' ? 1 : NX_String::ToInt(text.GetText());
    ChangeMenuItemFlags(firstList, item, [value](GSFlags flags) {
        if (value == 1) {
            return flags | API_MenuItemChecked;
        }
        return value == 0 ? flags & ~API_MenuItemChecked : flags;
    });
}

void ToggleAutoUpdate(short firstList, std::int32_t item) {
    ChangeMenuItemFlags(firstList, item, [](GSFlags flags) {
        const bool wasOn = (flags & API_MenuItemChecked) != 0;
        StoreSetting(VersionStore, kAutoUpdateKey, wasOn ? "0" : "1", true);
        return wasOn ? flags & ~API_MenuItemChecked : flags | API_MenuItemChecked;
    });
}

void AutoUpdateTrigger() {
    const NX_String text = GetSettingText(VersionStore, kAutoUpdateKey, true);
    if (text.GetText()[0] == '\0') {
        StoreSetting(VersionStore, kAutoUpdateKey, "1", true);
        return;
    }
    if (NX_String::ToInt(text.GetText()) == 1) {
        RunUpdateCheck(false);
    }
}
