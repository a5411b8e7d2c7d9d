// The handshake between the host and an add-on module, and the records of its entry points.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ac_types.h"

// The module's exported entry table, filled by GetExportedFuncAddrs.
constexpr std::size_t kExportedTableSize = 120;
constexpr std::uint32_t kExportedTableFormat = 0x00100001;
constexpr std::size_t kEntryOffsetCheckEnvironment = 8;
constexpr std::size_t kEntryOffsetRegisterInterface = 16;
constexpr std::size_t kEntryOffsetInitialize = 24;
constexpr std::size_t kEntryOffsetFreeData = 32;
constexpr std::size_t kEntryOffsetInterfaceVersion = 40;
constexpr std::uint32_t kHostInterfaceVersion = 16000;

// The host's function table, handed to SetImportedFuncAddrs (layout in function_table.h).
constexpr std::size_t kImportedTableSize = 3000;

// Answers of CheckEnvironment.
constexpr std::int32_t APIAddon_DontRegister = 0;
constexpr std::int32_t APIAddon_Preload = 2;

// The environment record given to CheckEnvironment.
struct API_EnvirParams {
    std::int32_t applicationCode;  // 0 is the main application
    std::int16_t mainVersion;      // 16 for this host
    std::int16_t releaseVersion;
    char addOnName[256];
    char addOnDescription[256];
};

// The application record of ACAPI_Environment with code "APPL".
struct API_ServerApplicationInfo {
    std::int32_t serverCode;
    std::int16_t mainVersion;
    std::int16_t releaseVersion;
    std::int32_t buildNumber;
    char language[32];
};

using CheckEnvironmentProc = std::int32_t (*)(API_EnvirParams* environment);
using RegisterInterfaceProc = GSErrCode (*)();
using InitializeProc = GSErrCode (*)(API_AddonContext context);
using FreeDataProc = GSErrCode (*)();

// The two functions every module exports (ordinals 1 and 2 on Windows).
using GetExportedFuncAddrsProc = void (*)(void* exportedTable);
using SetImportedFuncAddrsProc = GSErrCode (*)(const void* importedTable);
constexpr const char* kGetExportedFuncAddrsName = "GetExportedFuncAddrs";
constexpr const char* kSetImportedFuncAddrsName = "SetImportedFuncAddrs";
