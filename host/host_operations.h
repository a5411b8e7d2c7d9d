// The operations behind the slots of the host's function table, one group per source file.
#pragma once

#include "acapi/function_table.h"

namespace host {

// menus.cpp
GSErrCode RegisterMenu(GSResID menuStrResID, GSResID promptStrResID, std::int32_t menuPosCode,
                       GSFlags menuFlags);
GSErrCode InstallMenuHandler(API_AddonContext context, GSResID menuStrResID,
                             APIMenuCommandProc handler);
GSErrCode InterfaceRequest(API_AddonContext context, GSType code, void* par1, void* par2);

// services.cpp
GSErrCode RegisterSupportedService(GSType cmdID, std::int32_t cmdVersion);
GSErrCode InstallModulCommandHandler(API_AddonContext context, GSType cmdID,
                                     std::int32_t cmdVersion, APIModulCommandProc handler);
GSErrCode KeepInMemory(API_AddonContext context, bool keepIn);
GSErrCode RegisterModelessWindow(API_AddonContext context, std::int32_t referenceID,
                                 APIPaletteControlCallBackProc callback, GSFlags controlFlags,
                                 const API_Guid* guid);
GSErrCode UnregisterModelessWindow(API_AddonContext context, std::int32_t referenceID);

// library.cpp
GSErrCode RegisterBuiltInLibrary();
GSErrCode LibPartSearch(API_AddonContext context, API_LibPart* libPart, bool warnIfMissing,
                        bool useEnabledOnly);
GSErrCode LibPartGet(API_AddonContext context, API_LibPart* libPart);

// commands.cpp
GSErrCode CommandTest(API_AddonContext context, const API_ModulID* module, GSType cmdID,
                      std::int32_t cmdVersion);
GSErrCode CommandCall(API_AddonContext context, const API_ModulID* module, GSType cmdID,
                      std::int32_t cmdVersion, GSHandle params, GSPtr resultData, bool silentMode);
GSErrCode CommandCallFromEventLoop(API_AddonContext context, const API_ModulID* module,
                                   GSType cmdID, std::int32_t cmdVersion, GSHandle params,
                                   bool silentMode, APICommandCallBackProc callback);

// environment.cpp
GSErrCode EnvironmentRequest(API_AddonContext context, GSType code, void* par1, void* par2);
GSErrCode GoodiesRequest(API_AddonContext context, GSType code, void* par1, void* par2);
GSErrCode AutomateRequest(API_AddonContext context, GSType code, void* par1, void* par2);
GSErrCode GetOwnLocation(API_AddonContext context, IO::Location* ownLocation);

}  // namespace host
