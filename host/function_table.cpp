// The host's function table: one slot per operation, null where the host offers none.
#include <array>

#include "host/addon_registry.h"
#include "host/host_control.h"
#include "host/host_operations.h"

namespace host {

namespace {

using Table = std::array<void*, ACAPI::kSlotCount>;

template <typename Function>
void Put(Table& table, ACAPI::Slot slot, Function function) {
    table[static_cast<std::size_t>(slot)] = reinterpret_cast<void*>(function);
}

Table BuildTable() {
    Table table{};
    Put<ACAPI::RegisterMenuFn>(table, ACAPI::Slot::RegisterMenu, &RegisterMenu);
    Put<ACAPI::RegisterSupportedServiceFn>(table, ACAPI::Slot::RegisterSupportedService,
                                           &RegisterSupportedService);
    Put<ACAPI::RegisterBuiltInLibraryFn>(table, ACAPI::Slot::RegisterBuiltInLibrary,
                                         &RegisterBuiltInLibrary);
    Put<ACAPI::InstallModulCommandHandlerFn>(table, ACAPI::Slot::InstallModulCommandHandler,
                                             &InstallModulCommandHandler);
    Put<ACAPI::InstallMenuHandlerFn>(table, ACAPI::Slot::InstallMenuHandler, &InstallMenuHandler);
    Put<ACAPI::KeepInMemoryFn>(table, ACAPI::Slot::KeepInMemory, &KeepInMemory);
    Put<ACAPI::RegisterModelessWindowFn>(table, ACAPI::Slot::RegisterModelessWindow,
                                         &RegisterModelessWindow);
    Put<ACAPI::UnregisterModelessWindowFn>(table, ACAPI::Slot::UnregisterModelessWindow,
                                           &UnregisterModelessWindow);
    Put<ACAPI::RequestFn>(table, ACAPI::Slot::Environment, &EnvironmentRequest);
    Put<ACAPI::RequestFn>(table, ACAPI::Slot::Interface, &InterfaceRequest);
    Put<ACAPI::RequestFn>(table, ACAPI::Slot::Goodies, &GoodiesRequest);
    Put<ACAPI::RequestFn>(table, ACAPI::Slot::Automate, &AutomateRequest);
    Put<ACAPI::LibPartSearchFn>(table, ACAPI::Slot::LibPartSearch, &LibPartSearch);
    Put<ACAPI::LibPartGetFn>(table, ACAPI::Slot::LibPartGet, &LibPartGet);
    Put<ACAPI::CommandTestFn>(table, ACAPI::Slot::CommandTest, &CommandTest);
    Put<ACAPI::CommandCallFn>(table, ACAPI::Slot::CommandCall, &CommandCall);
    Put<ACAPI::CommandCallFromEventLoopFn>(table, ACAPI::Slot::CommandCallFromEventLoop,
                                           &CommandCallFromEventLoop);
    Put<ACAPI::GetOwnLocationFn>(table, ACAPI::Slot::GetOwnLocation, &GetOwnLocation);
    return table;
}

}  // namespace

const void* FunctionTable() {
    static const Table table = BuildTable();
    static_assert(sizeof table == kImportedTableSize, "the module copies the whole block");
    return table.data();
}

}  // namespace host
