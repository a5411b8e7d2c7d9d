// The handshake with the host: the exported entry table, the host's function table, and the
// guards around the four entry points.
#include <cstring>

#include "shell/addon_main.h"

namespace {

std::int32_t GuardedCheckEnvironment(API_EnvirParams* environment) {
    return HostInterface::IsReady() ? Addon::CheckEnvironment(environment) : APIAddon_DontRegister;
}

GSErrCode GuardedRegisterInterface() {
    return HostInterface::IsReady() ? Addon::RegisterInterface() : APIERR_GENERAL;
}

GSErrCode GuardedInitialize(API_AddonContext context) {
    if (!HostInterface::IsReady()) {
        return APIERR_GENERAL;
    }
    HostInterface::SetContext(context);
    return Addon::Initialize();
}

GSErrCode GuardedFreeData() {
    if (!HostInterface::IsReady()) {
        return APIERR_GENERAL;
    }
    const GSErrCode result = Addon::FreeData();
    HostInterface::SetContext(nullptr);
    return result;
}

template <typename Value>
void Put(unsigned char* table, std::size_t offset, Value value) {
    std::memcpy(table + offset, &value, sizeof value);
}

}  // namespace

extern "C" {

ACAPI_MODULE_EXPORT void GetExportedFuncAddrs(void* exportedTable) {
    auto* table = static_cast<unsigned char*>(exportedTable);
    std::memset(table, 0, kExportedTableSize);
    Put(table, 0, kExportedTableFormat);
    Put(table, kEntryOffsetCheckEnvironment, &GuardedCheckEnvironment);
    Put(table, kEntryOffsetRegisterInterface, &GuardedRegisterInterface);
    Put(table, kEntryOffsetInitialize, &GuardedInitialize);
    Put(table, kEntryOffsetFreeData, &GuardedFreeData);
    Put(table, kEntryOffsetInterfaceVersion, kHostInterfaceVersion);
}

ACAPI_MODULE_EXPORT GSErrCode SetImportedFuncAddrs(const void* importedTable) {
    HostInterface::SetFunctionTable(importedTable);
    return NoError;
}

}  // extern "C"
