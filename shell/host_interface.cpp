#include "shell/host_interface.h"

#include <atomic>
#include <cstring>

namespace HostInterface {

namespace {

// The host's table, copied unchanged. It is written once, before any other entry point runs,
// and only read afterwards (download threads included).
void* functionTable[ACAPI::kSlotCount] = {};
std::atomic<bool> ready{false};
API_AddonContext addonContext = nullptr;

static_assert(sizeof functionTable <= kImportedTableSize);

template <typename Function>
Function SlotFunction(ACAPI::Slot slot) {
    return reinterpret_cast<Function>(functionTable[static_cast<std::size_t>(slot)]);
}

// Calls the operation in `slot`, or answers APIERR_MISSINGCODE when the host has none there.
template <typename Function, typename... Arguments>
GSErrCode CallSlot(ACAPI::Slot slot, Arguments... arguments) {
    const auto function = SlotFunction<Function>(slot);
    if (function == nullptr) {
        return APIERR_MISSINGCODE;
    }
    return function(arguments...);
}

}  // namespace

void SetFunctionTable(const void* importedTable) {
    std::memcpy(functionTable, importedTable, sizeof functionTable);
    ready = true;
}

bool IsReady() {
    return ready;
}
void SetContext(API_AddonContext context) {
    addonContext = context;
}
API_AddonContext Context() {
    return addonContext;
}

GSErrCode RegisterMenu(GSResID menuStrResID, GSResID promptStrResID, std::int32_t menuPosCode,
                       GSFlags menuFlags) {
    return CallSlot<ACAPI::RegisterMenuFn>(ACAPI::Slot::RegisterMenu, menuStrResID, promptStrResID,
                                           menuPosCode, menuFlags);
}

GSErrCode RegisterSupportedService(GSType cmdID, std::int32_t cmdVersion) {
    return CallSlot<ACAPI::RegisterSupportedServiceFn>(ACAPI::Slot::RegisterSupportedService, cmdID,
                                                       cmdVersion);
}

GSErrCode RegisterBuiltInLibrary() {
    return CallSlot<ACAPI::RegisterBuiltInLibraryFn>(ACAPI::Slot::RegisterBuiltInLibrary);
}

GSErrCode InstallModulCommandHandler(GSType cmdID, std::int32_t cmdVersion,
                                     APIModulCommandProc handler) {
    return CallSlot<ACAPI::InstallModulCommandHandlerFn>(ACAPI::Slot::InstallModulCommandHandler,
                                                         addonContext, cmdID, cmdVersion, handler);
}

GSErrCode InstallMenuHandler(GSResID menuStrResID, APIMenuCommandProc handler) {
    return CallSlot<ACAPI::InstallMenuHandlerFn>(ACAPI::Slot::InstallMenuHandler, addonContext,
                                                 menuStrResID, handler);
}

GSErrCode KeepInMemory(bool keepIn) {
    return CallSlot<ACAPI::KeepInMemoryFn>(ACAPI::Slot::KeepInMemory, addonContext, keepIn);
}

GSErrCode RegisterModelessWindow(std::int32_t referenceID, APIPaletteControlCallBackProc callback,
                                 GSFlags controlFlags, const API_Guid* guid) {
    return CallSlot<ACAPI::RegisterModelessWindowFn>(ACAPI::Slot::RegisterModelessWindow,
                                                     addonContext, referenceID, callback,
                                                     controlFlags, guid);
}

GSErrCode UnregisterModelessWindow(std::int32_t referenceID) {
    return CallSlot<ACAPI::UnregisterModelessWindowFn>(ACAPI::Slot::UnregisterModelessWindow,
                                                       addonContext, referenceID);
}

GSErrCode Environment(GSType code, void* par1, void* par2) {
    return CallSlot<ACAPI::RequestFn>(ACAPI::Slot::Environment, addonContext, code, par1, par2);
}

GSErrCode Interface(GSType code, void* par1, void* par2) {
    return CallSlot<ACAPI::RequestFn>(ACAPI::Slot::Interface, addonContext, code, par1, par2);
}

GSErrCode Goodies(GSType code, void* par1, void* par2) {
    return CallSlot<ACAPI::RequestFn>(ACAPI::Slot::Goodies, addonContext, code, par1, par2);
}

GSErrCode Automate(GSType code, void* par1, void* par2) {
    return CallSlot<ACAPI::RequestFn>(ACAPI::Slot::Automate, addonContext, code, par1, par2);
}

GSErrCode LibPartSearch(API_LibPart* libPart, bool warnIfMissing, bool useEnabledOnly) {
    return CallSlot<ACAPI::LibPartSearchFn>(ACAPI::Slot::LibPartSearch, addonContext, libPart,
                                            warnIfMissing, useEnabledOnly);
}

GSErrCode LibPartGet(API_LibPart* libPart) {
    return CallSlot<ACAPI::LibPartGetFn>(ACAPI::Slot::LibPartGet, addonContext, libPart);
}

GSErrCode CommandTest(const API_ModulID* module, GSType cmdID, std::int32_t cmdVersion) {
    return CallSlot<ACAPI::CommandTestFn>(ACAPI::Slot::CommandTest, addonContext, module, cmdID,
                                          cmdVersion);
}

GSErrCode CommandCall(const API_ModulID* module, GSType cmdID, std::int32_t cmdVersion,
                      GSHandle params, GSPtr resultData, bool silentMode) {
    return CallSlot<ACAPI::CommandCallFn>(ACAPI::Slot::CommandCall, addonContext, module, cmdID,
                                          cmdVersion, params, resultData, silentMode);
}

GSErrCode CommandCallFromEventLoop(const API_ModulID* module, GSType cmdID, std::int32_t cmdVersion,
                                   GSHandle params, bool silentMode,
                                   APICommandCallBackProc callback) {
    return CallSlot<ACAPI::CommandCallFromEventLoopFn>(ACAPI::Slot::CommandCallFromEventLoop,
                                                       addonContext, module, cmdID, cmdVersion,
                                                       params, silentMode, callback);
}

GSErrCode GetOwnLocation(IO::Location* ownLocation) {
    return CallSlot<ACAPI::GetOwnLocationFn>(ACAPI::Slot::GetOwnLocation, addonContext,
                                             ownLocation);
}

}  // namespace HostInterface
