// The four entry points: may the module run here, what it offers, its handlers, its unload.
#include "shell/addon_main.h"

#include <cstring>

#include "members/menu_texts.h"
#include "members/palette.h"
#include "members/presence_marker.h"
#include "resources/resource_ids.h"
#include "resources/velmora_version.h"
#include "settings/language.h"
#include "settings/marker_sweep.h"
#include "shell/menu_dispatcher.h"
#include "update/auto_update.h"
#include "update/update_check.h"

namespace {

using resource_ids::kMenuStrings;

constexpr std::int32_t kMainApplication = 0;
constexpr std::int32_t kMenuPosition = 13;
constexpr GSType kServiceCode = FourCharCode("VLMR");
constexpr std::int32_t kServiceVersion = 0;
constexpr std::int32_t kAutoUpdateItem = 4;

// The service does no work: that it answers tells the member tools the hub is there.
GSErrCode ServiceHandler(GSHandle /*params*/, GSPtr /*resultData*/, bool /*silentMode*/) {
    return NoError;
}

}  // namespace

namespace Addon {

std::int32_t CheckEnvironment(API_EnvirParams* environment) {
    if (environment->applicationCode != kMainApplication ||
        !CreatePresenceMarker(environment->mainVersion)) {
        return APIAddon_DontRegister;
    }
    std::strcpy(environment->addOnName, velmora_version::kModuleName);
    std::strcpy(environment->addOnDescription, "Velmora");
    return APIAddon_Preload;
}

GSErrCode RegisterInterface() {
    LoadLanguage(true);
    if (const GSErrCode result = HostInterface::RegisterMenu(
            static_cast<GSResID>(kMenuStrings + LanguageIndex), 0, kMenuPosition, 0);
        result != NoError) {
        return result;
    }
    if (const GSErrCode result =
            HostInterface::RegisterSupportedService(kServiceCode, kServiceVersion);
        result != NoError) {
        return result;
    }
    return HostInterface::RegisterBuiltInLibrary();
}

GSErrCode Initialize() {
    DeletePresenceMarker();
    ResetPalette();
    MarkStartupWorkPending();
    if (const GSErrCode result = HostInterface::InstallModulCommandHandler(
            kServiceCode, kServiceVersion, &ServiceHandler);
        result != NoError) {
        return result;
    }
    if (const GSErrCode result = InstallMenuHandlers(); result != NoError) {
        return result;
    }
    LoadLanguage(true);
    RefreshMenuTexts();
    SetAutoUpdateMarks(kMenuStrings, kAutoUpdateItem);
    return NoError;
}

GSErrCode FreeData() {
    EndUpdateService();
    ClosePalette();
    DeletePresenceMarker();
    SweepMarkers();
    return NoError;
}

}  // namespace Addon
