#include "shell/menu_dispatcher.h"

#include <utility>

#include "foundation/nx_language_index.h"
#include "members/menu_texts.h"
#include "members/palette.h"
#include "resources/resource_ids.h"
#include "settings/language_dialog.h"
#include "shell/documents.h"
#include "update/auto_update.h"

namespace {

using resource_ids::kMenuStrings;

enum MenuItem : std::int32_t {
    kPaletteItem = 1,
    kLanguageItem = 2,
    kAutoUpdateItem = 4,
    kUserGuideItem = 7,
    kNewFeaturesItem = 8,
    kLicenseItem = 9,
};

template <short Offset>
GSErrCode MenuHandler(const API_MenuParams* params) {
    return DispatchMenuCommand(static_cast<short>(kMenuStrings + Offset), params->menuItemRef);
}

template <short... Offsets>
GSErrCode InstallHandlers(std::integer_sequence<short, Offsets...> /*offsets*/) {
    return (HostInterface::InstallMenuHandler(static_cast<GSResID>(kMenuStrings + Offsets),
                                              &MenuHandler<Offsets>) |
            ...);
}

}  // namespace

GSErrCode InstallMenuHandlers() {
    return InstallHandlers(std::make_integer_sequence<short, 7>());
}

GSErrCode DispatchMenuCommand(short handlerList, const API_MenuItemRef& item) {
    if (item.menuResID != handlerList) {
        return NoError;
    }
    HostInterface::KeepInMemory(true);
    switch (item.itemIndex) {
        case kPaletteItem:
            if (Palette().closed) {
                OpenPalette();
            } else {
                TogglePalette();
            }
            break;
        case kLanguageItem:
            // The names already in the palette keep their language until the list is rebuilt.
            if (ShowLanguageDialog()) {
                SendLanguageToListedMembers();
                RefreshMenuTexts();
            }
            break;
        case kAutoUpdateItem:
            ToggleAutoUpdate(kMenuStrings, kAutoUpdateItem);
            break;
        case kUserGuideItem:
            OpenShippedDocument(ShippedDocument::UserGuide);
            break;
        case kNewFeaturesItem:
            OpenShippedDocument(ShippedDocument::NewFeatures);
            break;
        case kLicenseItem:
            OpenShippedDocument(ShippedDocument::License);
            break;
        default:
            break;
    }
    return NoError;
}
