#include "platform/embedded_resources.h"

#include <windows.h>

namespace platform {

std::span<const unsigned char> FindModuleResource(void* module, const char (&type)[5],
                                                  std::int32_t id) {
    auto* instance = static_cast<HMODULE>(module);
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(id), type);
    if (found == nullptr) {
        return {};
    }
    HGLOBAL loaded = LoadResource(instance, found);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr) {
        return {};
    }
    return {static_cast<const unsigned char*>(data), SizeofResource(instance, found)};
}

}  // namespace platform
