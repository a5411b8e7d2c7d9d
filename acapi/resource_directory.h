// How a module carries its resources where the system has no resource sections: it exports a
// directory of them under kResourceDirectorySymbol. On Windows a module carries real PE
// resources instead (type name = the four characters, resource name = the number).
#pragma once

#include <cstdint>

#include "ac_types.h"

struct ACResourceEntry {
    GSType type;
    std::int32_t id;
    std::uint32_t size;
    const unsigned char* data;
};

struct ACResourceDirectory {
    std::uint32_t count;
    const ACResourceEntry* entries;
};

constexpr const char* kResourceDirectorySymbol = "ACAPI_ResourceDirectory";
