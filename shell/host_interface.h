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

GSErrCode RegisterMenu(GSResID menuStrResID, GSResID promptStrResID, std::int32_t menuPosCode,
                       GSFlags menuFlags);
GSErrCode RegisterSupportedService(GSType cmdID, std::int32_t cmdVersion);
GSErrCode RegisterBuiltInLibrary();
GSErrCode InstallModulCommandHandler(GSType cmdID, std::int32_t cmdVersion,
                                     APIModulCommandProc handler);
GSErrCode InstallMenuHandler(GSResID menuStrResID, APIMenuCommandProc handler);
GSErrCode KeepInMemory(bool keepIn);
GSErrCode RegisterModelessWindow(std::int32_t referenceID, APIPaletteControlCallBackProc callback,
                                 GSFlags controlFlags, const API_Guid* guid);
GSErrCode UnregisterModelessWindow(std::int32_t referenceID);
GSErrCode Environment(GSType code, void* par1 = nullptr, void* par2 = nullptr);
GSErrCode Interface(GSType code, void* par1 = nullptr, void* par2 = nullptr);
GSErrCode Goodies(GSType code, void* par1 = nullptr, void* par2 = nullptr);
GSErrCode Automate(GSType code, void* par1 = nullptr, void* par2 = nullptr);
GSErrCode LibPartSearch(API_LibPart* libPart, bool warnIfMissing, bool useEnabledOnly);
GSErrCode LibPartGet(API_LibPart* libPart);
GSErrCode CommandTest(const API_ModulID* module, GSType cmdID, std::int32_t cmdVersion);
GSErrCode CommandCall(const API_ModulID* module, GSType cmdID, std::int32_t cmdVersion,
                      GSHandle params, GSPtr resultData, bool silentMode);
GSErrCode CommandCallFromEventLoop(const API_ModulID* module, GSType cmdID, std::int32_t cmdVersion,
                                   GSHandle params, bool silentMode,
                                   APICommandCallBackProc callback);
GSErrCode GetOwnLocation(IO::Location* ownLocation);

}  // namespace HostInterface
