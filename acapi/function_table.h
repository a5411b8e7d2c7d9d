// The host's function table: kImportedTableSize bytes of function pointers, one slot per
// operation. A slot that holds no function means the host lacks that operation. Every operation
// but the three Register ones takes the add-on context as its first argument, so the host knows
// which module calls.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ac_types.h"
#include "addon_entry.h"

namespace IO {
class Location;
}

struct API_Guid {
    std::uint8_t bytes[16];
};

struct API_MenuItemRef {
    GSResID menuResID;
    std::int32_t itemIndex;  // 1-based
};

struct API_MenuParams {
    API_MenuItemRef menuItemRef;
};

// Menu item flags of ACAPI_Interface "GMIF" and "SMIF".
constexpr GSFlags API_MenuItemDisabled = 1;
constexpr GSFlags API_MenuItemChecked = 2;

// The record of a library part search.
struct API_LibPart {
    std::int32_t typeID;
    std::int32_t index;
    char16_t docu_UName[256];
    IO::Location* location;  // set by the host; the caller deletes it
    bool missingDef;
};

// Messages of a registered modeless window's control callback.
enum API_PaletteMessageID : std::int32_t {
    APIPalMsg_ClosePalette = 1,
    APIPalMsg_HidePalette_Begin = 2,
    APIPalMsg_HidePalette_End = 3,
    APIPalMsg_DisableItems_Begin = 4,
    APIPalMsg_DisableItems_End = 5,
};

using APIMenuCommandProc = GSErrCode (*)(const API_MenuParams* menuParams);
using APIModulCommandProc = GSErrCode (*)(GSHandle params, GSPtr resultData, bool silentMode);
using APIPaletteControlCallBackProc = GSErrCode (*)(std::int32_t referenceID,
                                                    std::int32_t messageID, std::intptr_t param);
// Run by the host's main loop after a command queued with CommandCallFromEventLoop.
using APICommandCallBackProc = void (*)(GSHandle* params, GSPtr resultData, bool silentMode);

namespace ACAPI {

// Slot numbers: index of the pointer in the table.
enum class Slot : std::size_t {
    RegisterMenu = 1,
    RegisterSupportedService = 2,
    RegisterBuiltInLibrary = 3,
    InstallModulCommandHandler = 10,
    InstallMenuHandler = 11,
    KeepInMemory = 20,
    RegisterModelessWindow = 21,
    UnregisterModelessWindow = 22,
    Environment = 30,
    Interface = 31,
    Goodies = 32,
    Automate = 33,
    LibPartSearch = 40,
    LibPartGet = 41,
    CommandTest = 50,
    CommandCall = 51,
    CommandCallFromEventLoop = 52,
    GetOwnLocation = 60,
};

constexpr std::size_t kSlotCount = kImportedTableSize / sizeof(void*);

using RegisterMenuFn = GSErrCode (*)(GSResID menuStrResID, GSResID promptStrResID,
                                     std::int32_t menuPosCode, GSFlags menuFlags);
using RegisterSupportedServiceFn = GSErrCode (*)(GSType cmdID, std::int32_t cmdVersion);
using RegisterBuiltInLibraryFn = GSErrCode (*)();
using InstallModulCommandHandlerFn = GSErrCode (*)(API_AddonContext, GSType cmdID,
                                                   std::int32_t cmdVersion,
                                                   APIModulCommandProc handler);
using InstallMenuHandlerFn = GSErrCode (*)(API_AddonContext, GSResID menuStrResID,
                                           APIMenuCommandProc handler);
using KeepInMemoryFn = GSErrCode (*)(API_AddonContext, bool keepIn);
using RegisterModelessWindowFn = GSErrCode (*)(API_AddonContext, std::int32_t referenceID,
                                               APIPaletteControlCallBackProc callback,
                                               GSFlags controlFlags, const API_Guid* guid);
using UnregisterModelessWindowFn = GSErrCode (*)(API_AddonContext, std::int32_t referenceID);
// Environment, Interface, Goodies and Automate: one request code and two parameters each.
using RequestFn = GSErrCode (*)(API_AddonContext, GSType code, void* par1, void* par2);
using LibPartSearchFn = GSErrCode (*)(API_AddonContext, API_LibPart* libPart, bool warnIfMissing,
                                      bool useEnabledOnly);
using LibPartGetFn = GSErrCode (*)(API_AddonContext, API_LibPart* libPart);
using CommandTestFn = GSErrCode (*)(API_AddonContext, const API_ModulID* module, GSType cmdID,
                                    std::int32_t cmdVersion);
using CommandCallFn = GSErrCode (*)(API_AddonContext, const API_ModulID* module, GSType cmdID,
                                    std::int32_t cmdVersion, GSHandle params, GSPtr resultData,
                                    bool silentMode);
using CommandCallFromEventLoopFn = GSErrCode (*)(API_AddonContext, const API_ModulID* module,
                                                 GSType cmdID, std::int32_t cmdVersion,
                                                 GSHandle params, bool silentMode,
                                                 APICommandCallBackProc callback);
using GetOwnLocationFn = GSErrCode (*)(API_AddonContext, IO::Location* ownLocation);

}  // namespace ACAPI
