// A demo member tool of the suite: one source built once per row of the member table, with the
// row's name and codes given at build time and its version lines from reported_lines.h (see
// CMakeLists.txt). It answers the
// three commands the hub sends and reports each on the host's debug output.
#include <cstring>
#include <new>

#include "foundation/nx_addon_version.h"
#include "reported_lines.h"
#include "settings/settings_store.h"
#include "shell/addon_main.h"

namespace {

constexpr std::int32_t kMainApplication = 0;
constexpr std::int32_t kCommandVersion = 0;

GSType Code(const char (&text)[5]) {
    return FourCharCode(text);
}

// A command sent silently keeps the member's own messages from the user; the hub never asks for
// that, and the debug output shows it when it does.
void ReportSilence(const char* command, bool silentMode) {
    if (silentMode) {
        DBPrintf("%s: %s asked silently\n", VELMORA_MEMBER_NAME, command);
    }
}

GSErrCode Launch(GSHandle /*params*/, GSPtr /*resultData*/, bool silentMode) {
    ReportSilence("launch", silentMode);
    DBPrintf("%s: started\n", VELMORA_MEMBER_NAME);
    return NoError;
}

// The hub hands a cleared area; the texts are allocated as the hub's own texts are, so that the
// hub can copy and release them.
GSErrCode ReportVersion(GSHandle /*params*/, GSPtr resultData, bool silentMode) {
    ReportSilence("version", silentMode);
    if (resultData == nullptr) {
        return APIERR_BADPARS;
    }
    const ReportedLines lines = MemberReportedLines();
    auto* area = new (resultData) NX_AddonUpdate_AddonVerLibVer;
    area->addonVersionLine = lines.addonLine.c_str();
    area->libraryVersionLine = lines.libraryLine.c_str();
    area->reply = 1;
    return NoError;
}

// The suite's language lives in the shared settings file; read it again, the hub has just
// written it.
GSErrCode FollowLanguage(GSHandle /*params*/, GSPtr /*resultData*/, bool silentMode) {
    ReportSilence("language", silentMode);
    LoadSettings(FamilyStore, false);
    DBPrintf("%s: language %d\n", VELMORA_MEMBER_NAME,
             static_cast<int>(GetSettingNumber(FamilyStore, "Language", false)));
    return NoError;
}

struct Command {
    GSType code;
    APIModulCommandProc handler;
};

const Command kCommands[] = {
    {Code(VELMORA_MEMBER_LAUNCH_CODE), &Launch},
    {Code(VELMORA_MEMBER_VERSION_CODE), &ReportVersion},
    {Code(VELMORA_MEMBER_LANGUAGE_CODE), &FollowLanguage},
};

}  // namespace

namespace Addon {

std::int32_t CheckEnvironment(API_EnvirParams* environment) {
    if (environment->applicationCode != kMainApplication) {
        return APIAddon_DontRegister;
    }
    std::strcpy(environment->addOnName, VELMORA_MEMBER_NAME);
    std::strcpy(environment->addOnDescription, "A member tool of the Velmora suite");
    return APIAddon_Preload;
}

GSErrCode RegisterInterface() {
    for (const Command& command : kCommands) {
        if (const GSErrCode result =
                HostInterface::RegisterSupportedService(command.code, kCommandVersion);
            result != NoError) {
            return result;
        }
    }
    return NoError;
}

GSErrCode Initialize() {
    for (const Command& command : kCommands) {
        if (const GSErrCode result = HostInterface::InstallModulCommandHandler(
                command.code, kCommandVersion, command.handler);
            result != NoError) {
            return result;
        }
    }
    return NoError;
}

GSErrCode FreeData() {
    return NoError;
}

}  // namespace Addon
