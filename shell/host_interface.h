// The one door from the module to its host. Operations of the host's function table are called
// through the functions below (each through one slot; a slot without a function answers
// APIERR_MISSINGCODE without calling anything). The host's libraries (memory, strings, files,
// resources, dialogs, debug output) are reached through the declarations included here.
#pragma once

#include <cstdint>

#include "acapi/ac_types.h"
#include "acapi/addon_entry.h"
#include "acapi/db.h"
#include "acapi/function_table.h"
#include "acapi/gs_exceptions.h"
#include "acapi/gs_memory.h"
#include "acapi/gs_unistring.h"
#include "acapi/io.h"
#include "acapi/rs.h"

namespace HostInterface {

// Keeps a copy of the host's table; from then on the module counts as ready.
void SetFunctionTable(const void* importedTable);
bool IsReady();
void SetContext(API_AddonContext context);
API_AddonContext Context();

[[nodiscard]] GSErrCode RegisterMenu(GSResID menuStrResID, GSResID promptStrResID,
                                     std::int32_t menuPosCode, GSFlags menuFlags);
[[nodiscard]] GSErrCode RegisterSupportedService(GSType cmdID, std::int32_t cmdVersion);
[[nodiscard]] GSErrCode RegisterBuiltInLibrary();
[[nodiscard]] GSErrCode InstallModulCommandHandler(GSType cmdID, std::int32_t cmdVersion,
                                                   APIModulCommandProc handler);
[[nodiscard]] GSErrCode InstallMenuHandler(GSResID menuStrResID, APIMenuCommandProc handler);
[[nodiscard]] GSErrCode KeepInMemory(bool keepIn);
[[nodiscard]] GSErrCode RegisterModelessWindow(std::int32_t referenceID,
                                               APIPaletteControlCallBackProc callback,
                                               GSFlags controlFlags, const API_Guid* guid);
[[nodiscard]] GSErrCode UnregisterModelessWindow(std::int32_t referenceID);
[[nodiscard]] GSErrCode Environment(GSType code, void* par1 = nullptr, void* par2 = nullptr);
[[nodiscard]] GSErrCode Interface(GSType code, void* par1 = nullptr, void* par2 = nullptr);
[[nodiscard]] GSErrCode Goodies(GSType code, void* par1 = nullptr, void* par2 = nullptr);
[[nodiscard]] GSErrCode Automate(GSType code, void* par1 = nullptr, void* par2 = nullptr);
[[nodiscard]] GSErrCode LibPartSearch(API_LibPart* libPart, bool warnIfMissing,
                                      bool useEnabledOnly);
[[nodiscard]] GSErrCode LibPartGet(API_LibPart* libPart);
[[nodiscard]] GSErrCode CommandTest(const API_ModulID* module, GSType cmdID,
                                    std::int32_t cmdVersion);
[[nodiscard]] GSErrCode CommandCall(const API_ModulID* module, GSType cmdID,
                                    std::int32_t cmdVersion, GSHandle params, GSPtr resultData,
                                    bool silentMode);
[[nodiscard]] GSErrCode CommandCallFromEventLoop(const API_ModulID* module, GSType cmdID,
                                                 std::int32_t cmdVersion, GSHandle params,
                                                 bool silentMode, APICommandCallBackProc callback);
[[nodiscard]] GSErrCode GetOwnLocation(IO::Location* ownLocation);

}  // namespace HostInterface
