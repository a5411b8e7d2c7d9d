// The host's resource manager: a table of registered modules and the active one.
#include <atomic>
#include <cstring>
#include <mutex>
#include <vector>

#include "acapi/gs_memory.h"
#include "acapi/rs.h"
#include "host/host_control.h"
#include "host/host_faults.h"
#include "host/module_holdings.h"
#include "platform/embedded_resources.h"

namespace {

std::atomic<std::int64_t> stringReads = 0;

std::mutex resourceMutex;
std::vector<void*> registeredModules;  // index + 1 is the module's number; removed ones are null
GSResModule activeModule = 0;

void* InstanceOf(GSResModule module) {
    const std::lock_guard lock(resourceMutex);
    if (module <= 0 || static_cast<std::size_t>(module) > registeredModules.size()) {
        return nullptr;
    }
    return registeredModules[static_cast<std::size_t>(module) - 1];
}

void TypeName(GSType type, char (&name)[5]) {
    name[0] = static_cast<char>(type >> 24);
    name[1] = static_cast<char>(type >> 16);
    name[2] = static_cast<char>(type >> 8);
    name[3] = static_cast<char>(type);
    name[4] = '\0';
}

std::span<const unsigned char> FindResource(GSType type, GSResModule module, std::int32_t id) {
    void* instance = InstanceOf(module);
    if (instance == nullptr) {
        return {};
    }
    char name[5];
    TypeName(type, name);
    return platform::FindModuleResource(instance, name, id);
}

std::uint32_t ReadLittleEndian32(const unsigned char* bytes) {
    return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) |
           (static_cast<std::uint32_t>(bytes[3]) << 24);
}

}  // namespace

extern "C" {

GSResModule RSAddModule(void* moduleInstance) {
    if (moduleInstance == nullptr) {
        return 0;
    }
    const std::lock_guard lock(resourceMutex);
    registeredModules.push_back(moduleInstance);
    return static_cast<GSResModule>(registeredModules.size());
}

void RSRemoveModule(GSResModule module) {
    const std::lock_guard lock(resourceMutex);
    if (module > 0 && static_cast<std::size_t>(module) <= registeredModules.size()) {
        registeredModules[static_cast<std::size_t>(module) - 1] = nullptr;
        if (activeModule == module) {
            activeModule = 0;
        }
    }
}

GSResModule RSGetActiveModule() {
    const std::lock_guard lock(resourceMutex);
    return activeModule;
}

GSResModule RSSetActiveModule(GSResModule module) {
    const std::lock_guard lock(resourceMutex);
    const GSResModule previous = activeModule;
    activeModule = module;
    return previous;
}

// A string list: a 32-bit little-endian count of the bytes that follow, then zero-terminated
// texts. The count is checked against the resource's real size.
bool RSGetIndString_ParamAdapter(char* buffer, std::int32_t bufferSize, GSResID listId,
                                 std::int32_t index, GSResModule module, std::int32_t stringType) {
    ++stringReads;
    if (buffer == nullptr || bufferSize <= 0 || index < 1 || (stringType != 0 && stringType != 1) ||
        host::NextAnswer(host::HostOperation::IndString) == host::HostAnswer::Failure) {
        return false;
    }
    const auto list =
        FindResource(stringType == 0 ? kResTypeStringList : kResTypeStringListAlt, module, listId);
    if (list.size() < 4) {
        return false;
    }
    const std::size_t end =
        std::min<std::size_t>(list.size(), 4 + std::size_t{ReadLittleEndian32(list.data())});
    std::size_t position = 4;
    for (std::int32_t i = 1; position < end; ++i) {
        const auto* start = list.data() + position;
        const void* terminator = std::memchr(start, 0, end - position);
        if (terminator == nullptr) {
            return false;
        }
        const auto length =
            static_cast<std::size_t>(static_cast<const unsigned char*>(terminator) - start);
        if (i == index) {
            const std::size_t copied =
                std::min<std::size_t>(length, static_cast<std::size_t>(bufferSize) - 1);
            std::memcpy(buffer, start, copied);
            buffer[copied] = '\0';
            return true;
        }
        position += length + 1;
    }
    return false;
}

GSHandle RSLoadResource(GSType type, GSResModule module, GSResID id) {
    const host::TakingFor caller(__builtin_return_address(0));
    const auto data = FindResource(type, module, id);
    if (data.empty()) {
        return nullptr;
    }
    GSHandle handle = BMAllocateHandle(static_cast<GSSize>(data.size()), 0, 0);
    if (handle != nullptr) {
        std::memcpy(*handle, data.data(), data.size());
    }
    return handle;
}

}  // extern "C"

namespace host {

std::int64_t CountStringReads() {
    return stringReads;
}

}  // namespace host
