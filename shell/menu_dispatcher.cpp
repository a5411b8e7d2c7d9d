#include "shell/menu_dispatcher.h"

#include <array>
#include <cstddef>
#include <utility>

#include "about/about_dialog.h"
#include "foundation/nx_language_index.h"
#include "members/menu_texts.h"
#include "members/palette.h"
#include "members/palette_popup.h"
#include "resources/resource_ids.h"
#include "settings/language_dialog.h"
#include "shell/documents.h"
#include "update/auto_update.h"
#include "update/update_check.h"

namespace {

using resource_ids::kMenuStrings;

enum MenuItem : std::int32_t {
    kPaletteItem = 1,
    kLanguageItem = 2,
    kUpdateCheckItem = 3,
    kAutoUpdateItem = 4,
    kAboutItem = 5,
    kUserGuideItem = 7,
    kNewFeaturesItem = 8,
    kLicenseItem = 9,
};

template <short Offset>
GSErrCode MenuHandler(const API_MenuParams* params) {
    return DispatchMenuCommand(static_cast<short>(kMenuStrings + Offset), params->menuItemRef);
}

// One handler per language's menu list, in list order; a braced list is built in its order.
template <short... Offsets>
constexpr std::array<APIMenuCommandProc, sizeof...(Offsets)> MakeMenuHandlers(
    std::integer_sequence<short, Offsets...> /*offsets*/) {
    return {&MenuHandler<Offsets>...};
}
constexpr auto kMenuHandlers =
    MakeMenuHandlers(std::make_integer_sequence<short, languages::kCount>());

// The automatic update check waits for the first command of the module's menu, so that loading
// the host never waits for the network.
bool startupWorkPending = true;

}  // namespace

void MarkStartupWorkPending() {
    startupWorkPending = true;
}

// Every list gets its handler even after one installation failed; the results are combined.
GSErrCode InstallMenuHandlers() {
    GSErrCode combined = NoError;
    for (short offset = 0; offset < languages::kCount; ++offset) {
        combined |=
            HostInterface::InstallMenuHandler(static_cast<GSResID>(kMenuStrings + offset),
                                              kMenuHandlers[static_cast<std::size_t>(offset)]);
    }
    return combined;
}

GSErrCode DispatchMenuCommand(short handlerList, const API_MenuItemRef& item) {
    if (item.menuResID != handlerList) {
        return NoError;
    }
    // The module is loaded for this command either way; nothing else depends on the answer.
    static_cast<void>(HostInterface::KeepInMemory(true));
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
        case kUpdateCheckItem:
            RunUpdateCheck(true);
            break;
        case kAutoUpdateItem:
            ToggleAutoUpdate(kMenuStrings, kAutoUpdateItem);
            break;
        case kAboutItem:
            // The About box belongs to the palette: it is offered only while the palette's window
            // exists.
            if (IsPaletteOpen()) {
                AboutData about;
                ShowAboutDialog(about);
                RebuildMemberListIfVisible();
            }
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
    if (startupWorkPending) {
        // A manual check as the first command stands in for the automatic one.
        if (item.itemIndex != kUpdateCheckItem) {
            AutoUpdateTrigger();
        }
        startupWorkPending = false;
    }
    return NoError;
}
