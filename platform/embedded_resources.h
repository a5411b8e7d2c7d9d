// A module's resources. On Windows they are PE resources (type name: the four characters,
// resource name: the number). Elsewhere the module exports a directory of them under
// kEmbeddedResourceSymbol, laid out as below.
#pragma once

#include <cstdint>
#include <span>

namespace platform {

struct EmbeddedResource {
    char type[4];
    std::int32_t id;
    std::uint32_t size;
    const unsigned char* data;
};

struct EmbeddedResourceDirectory {
    std::uint32_t count;
    const EmbeddedResource* entries;
};

constexpr const char* kEmbeddedResourceSymbol = "ACAPI_ResourceDirectory";

// The bytes of resource (type, id) of a loaded module; empty when it has none.
std::span<const unsigned char> FindModuleResource(void* module, const char (&type)[5],
                                                  std::int32_t id);

}  // namespace platform
