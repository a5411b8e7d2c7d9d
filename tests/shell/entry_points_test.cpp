// The guards around the entry points, tested with stand-ins for the real entry points.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "shell/addon_main.h"

extern "C" void GetExportedFuncAddrs(void* exportedTable);
extern "C" GSErrCode SetImportedFuncAddrs(const void* importedTable);

namespace {
std::string calls;
}

namespace Addon {
std::int32_t CheckEnvironment(API_EnvirParams*) {
    calls += "C";
    return APIAddon_Preload;
}
GSErrCode RegisterInterface() {
    calls += "R";
    return NoError;
}
GSErrCode Initialize() {
    calls += HostInterface::Context() != nullptr ? "I" : "i";
    return NoError;
}
GSErrCode FreeData() {
    calls += "F";
    return NoError;
}
}  // namespace Addon

namespace {

template <typename Value>
Value At(const unsigned char* table, std::size_t offset) {
    Value value;
    std::memcpy(&value, table + offset, sizeof value);
    return value;
}

TEST(EntryPoints, RefuseToRunBeforeTheHostTableThenRunInOrder) {
    unsigned char table[kExportedTableSize];
    std::memset(table, 0xAB, sizeof table);
    GetExportedFuncAddrs(table);
    EXPECT_EQ(At<std::uint32_t>(table, 0), kExportedTableFormat);
    EXPECT_EQ(At<std::uint32_t>(table, kEntryOffsetInterfaceVersion), 16000u);
    EXPECT_EQ(At<std::uint32_t>(table, 4), 0u);
    EXPECT_EQ(At<std::uint64_t>(table, 112), 0u);
    const auto check = At<CheckEnvironmentProc>(table, kEntryOffsetCheckEnvironment);
    const auto registerInterface = At<RegisterInterfaceProc>(table, kEntryOffsetRegisterInterface);
    const auto initialize = At<InitializeProc>(table, kEntryOffsetInitialize);
    const auto freeData = At<FreeDataProc>(table, kEntryOffsetFreeData);

    int context = 0;
    API_EnvirParams environment{};
    EXPECT_EQ(check(&environment), APIAddon_DontRegister);
    EXPECT_EQ(registerInterface(), APIERR_GENERAL);
    EXPECT_EQ(initialize(&context), APIERR_GENERAL);
    EXPECT_EQ(HostInterface::Context(), nullptr);
    EXPECT_EQ(freeData(), APIERR_GENERAL);
    EXPECT_EQ(calls, "");

    const void* hostTable[kImportedTableSize / sizeof(void*)] = {};
    EXPECT_EQ(SetImportedFuncAddrs(hostTable), NoError);
    EXPECT_EQ(check(&environment), APIAddon_Preload);
    EXPECT_EQ(registerInterface(), NoError);
    EXPECT_EQ(initialize(&context), NoError);
    EXPECT_EQ(HostInterface::Context(), &context);
    EXPECT_EQ(freeData(), NoError);
    EXPECT_EQ(HostInterface::Context(), nullptr);
    EXPECT_EQ(calls, "CRIF");
}

}  // namespace
