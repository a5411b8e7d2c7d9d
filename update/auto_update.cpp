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

// The setting follows the check mark that the menu shows: a mark the host would not change
// leaves the setting as it was.
void ToggleAutoUpdate(short firstList, std::int32_t item) {
    const std::optional<GSFlags> shown = ChangeMenuItemFlags(
        firstList, item, [](GSFlags flags) { return flags ^ API_MenuItemChecked; });
    if (shown) {
        StoreSetting(VersionStore, kAutoUpdateKey, (*shown & API_MenuItemChecked) != 0 ? "1" : "0",
                     true);
    }
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
