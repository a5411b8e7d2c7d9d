#include "platform/embedded_resources.h"

#include <dlfcn.h>

#include <cstring>

namespace platform {

std::span<const unsigned char> FindModuleResource(void* module, const char (&type)[5],
                                                  std::int32_t id) {
    const auto* directory =
        static_cast<const EmbeddedResourceDirectory*>(dlsym(module, kEmbeddedResourceSymbol));
    if (directory == nullptr) {
        return {};
    }
    for (std::uint32_t i = 0; i < directory->count; ++i) {
        const EmbeddedResource& entry = directory->entries[i];
        if (entry.id == id && std::memcmp(entry.type, type, 4) == 0) {
            return {entry.data, entry.size};
        }
    }
    return {};
}

}  // namespace platform
