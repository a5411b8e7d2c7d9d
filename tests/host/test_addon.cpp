// A small add-on module for the host's tests. Its name, command code and menu come from its
// resources, so one source builds both modules. Every entry point and handler writes a line to
// the host's debug output, which the tests read as one transcript.
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "acapi/ac_export.h"
#include "acapi/db.h"
#include "acapi/gs_memory.h"
#include "acapi/io.h"
#include "acapi/rs.h"
#include "platform/module_self.h"
#include "platform/thread_start.h"
#include "shell/host_interface.h"

namespace {

constexpr GSResID kConfigList = 32000;

struct Config {
    std::string name;
    GSType commandCode = 0;
    GSResID menuList = 0;
    bool registersLibrary = false;
};

std::string ConfigText(GSResModule module, std::int32_t index) {
    char text[256] = "";
    RSGetIndString_ParamAdapter(text, sizeof text, kConfigList, index, module, 0);
    return text;
}

Config ReadConfig() {
    const GSResModule module = RSAddModule(platform::OwnModuleHandle());
    Config config;
    config.name = ConfigText(module, 1);
    const std::string code = ConfigText(module, 2) + "    ";
    for (int i = 0; i < 4; ++i) {
        config.commandCode = (config.commandCode << 8) | static_cast<unsigned char>(code[i]);
    }
    config.menuList = static_cast<GSResID>(std::atoi(ConfigText(module, 3).c_str()));
    config.registersLibrary = ConfigText(module, 4) == "library";
    RSRemoveModule(module);
    return config;
}

const Config& Own() {
    static const Config config = ReadConfig();
    return config;
}

std::string CodeText(GSType code) {
    return {static_cast<char>(code >> 24), static_cast<char>(code >> 16),
            static_cast<char>(code >> 8), static_cast<char>(code)};
}

std::int32_t CheckEnvironment(API_EnvirParams* environment) {
    DBPrintf("%s: CheckEnvironment application %d version %d\n", Own().name.c_str(),
             environment->applicationCode, environment->mainVersion);
    if (environment->applicationCode != 0) {
        return APIAddon_DontRegister;
    }
    std::strcpy(environment->addOnName, Own().name.c_str());
    return APIAddon_Preload;
}

GSErrCode RegisterInterface() {
    DBPrintf("%s: RegisterInterface\n", Own().name.c_str());
    GSErrCode result = HostInterface::RegisterMenu(Own().menuList, 0, 13, 0);
    if (result == NoError) {
        result = HostInterface::RegisterSupportedService(Own().commandCode, 0);
    }
    if (result == NoError && Own().registersLibrary) {
        result = HostInterface::RegisterBuiltInLibrary();
    }
    return result;
}

GSErrCode MenuHandler(const API_MenuParams* params) {
    DBPrintf("%s: menu %d item %d\n", Own().name.c_str(), params->menuItemRef.menuResID,
             params->menuItemRef.itemIndex);
    return NoError;
}

API_ModulID OwnId() {
    API_ModulID id{};
    const GSResModule module = RSAddModule(platform::OwnModuleHandle());
    GSHandle resource = RSLoadResource(kResTypeModuleId, module, 32500);
    if (resource != nullptr && BMGetHandleSize(resource) >= 12) {
        std::memcpy(&id.developerID, *resource + 4, 4);
        std::memcpy(&id.localID, *resource + 8, 4);
    }
    BMKillHandle(&resource);
    RSRemoveModule(module);
    return id;
}

// A worker started through the module's own thread import, as the hub starts its downloads:
// it sleeps a while, then hands a command to the main thread.
void Worker(void* argument) {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    static_cast<void>(HostInterface::CommandCallFromEventLoop(
        static_cast<const API_ModulID*>(argument), Own().commandCode, 0, nullptr, true, nullptr));
}

GSErrCode IgnoreWindowMessage(std::int32_t /*referenceID*/, std::int32_t /*messageID*/,
                              std::intptr_t /*param*/) {
    return NoError;
}

// One of everything the host counts at unload, never given back by the module: a handle, a
// pointer, an object, a file object left open, a modeless window left registered. Their
// addresses go to the result area, so that the test can release them once it has counted them.
GSErrCode LeakOneOfEach(GSPtr resultData) {
    IO::Location location;
    IO::FileSystem::GetSpecialLocation(IO::FileSystem::UserPreferences, &location);
    location.AppendToLocal(GS::UniString("left-open.txt", GS::CC_UTF8));
    // The handle grows after it was taken: its bytes are counted as it is now.
    void* const taken[] = {BMReallocHandle(BMAllocateHandle(8, 0, 0), 24, 0, 0),
                           BMAllocatePtr(8, 0, 0), GS::NewOperator(8),
                           new IO::File(location, IO::File::Create)};
    static_cast<IO::File*>(taken[3])->Open(IO::File::WriteEmptyMode);
    if (resultData != nullptr) {
        std::memcpy(resultData, taken, sizeof taken);
    }
    return HostInterface::RegisterModelessWindow(7, &IgnoreWindowMessage, 0, nullptr);
}

// Writes the module's name into the result area, when there is one. With the parameters
// "thread" it starts a worker; with "leak" it leaves things behind.
GSErrCode CommandHandler(GSHandle params, GSPtr resultData, bool silentMode) {
    if (params != nullptr && std::strcmp(*params, "leak") == 0) {
        return LeakOneOfEach(resultData);
    }
    if (params != nullptr && std::strcmp(*params, "thread") == 0) {
        static const API_ModulID id = OwnId();
        return platform::StartDetachedThread(&Worker, const_cast<API_ModulID*>(&id))
                   ? NoError
                   : APIERR_GENERAL;
    }
    DBPrintf("%s: command %s params %s silent %d\n", Own().name.c_str(),
             CodeText(Own().commandCode).c_str(), params != nullptr ? *params : "none",
             silentMode ? 1 : 0);
    if (resultData != nullptr) {
        std::strcpy(resultData, Own().name.c_str());
    }
    return NoError;
}

GSErrCode Initialize(API_AddonContext context) {
    DBPrintf("%s: Initialize\n", Own().name.c_str());
    HostInterface::SetContext(context);
    GSErrCode result =
        HostInterface::InstallModulCommandHandler(Own().commandCode, 0, &CommandHandler);
    if (result == NoError) {
        result = HostInterface::InstallMenuHandler(Own().menuList, &MenuHandler);
    }
    return result;
}

GSErrCode FreeData() {
    DBPrintf("%s: FreeData\n", Own().name.c_str());
    HostInterface::SetContext(nullptr);
    return NoError;
}

template <typename Value>
void Put(unsigned char* table, std::size_t offset, Value value) {
    std::memcpy(table + offset, &value, sizeof value);
}

}  // namespace

extern "C" {

ACAPI_MODULE_EXPORT void GetExportedFuncAddrs(void* exportedTable) {
    DBPrintf("%s: GetExportedFuncAddrs\n", Own().name.c_str());
    auto* table = static_cast<unsigned char*>(exportedTable);
    std::memset(table, 0, kExportedTableSize);
    Put(table, 0, kExportedTableFormat);
    Put(table, kEntryOffsetCheckEnvironment, &CheckEnvironment);
    Put(table, kEntryOffsetRegisterInterface, &RegisterInterface);
    Put(table, kEntryOffsetInitialize, &Initialize);
    Put(table, kEntryOffsetFreeData, &FreeData);
    Put(table, kEntryOffsetInterfaceVersion, kHostInterfaceVersion);
}

ACAPI_MODULE_EXPORT GSErrCode SetImportedFuncAddrs(const void* importedTable) {
    DBPrintf("%s: SetImportedFuncAddrs\n", Own().name.c_str());
    HostInterface::SetFunctionTable(importedTable);
    return NoError;
}

}  // extern "C"
