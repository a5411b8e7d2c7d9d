// What the emulated host offers to the programs that run it (velmora-host and the tests). Add-on
// modules never call this: they know the host only through the add-on interface.
#pragma once

#include <cstdint>
#include <string>

#include "acapi/ac_export.h"

namespace host {

// The per-user folder that special location 13 stands for (a native path). Empty: a folder the
// host makes for itself below the system's temporary folder.
ACAPI_HOST_API void SetUserFolder(const std::string& nativePath);
ACAPI_HOST_API std::string UserFolder();

// Allocations (handles, pointers, objects, arrays) after the next `count` fail; -1 never.
ACAPI_HOST_API void FailAllocationsAfter(std::int64_t count);

// Everything modules wrote to the debug output since the last call.
ACAPI_HOST_API std::string TakeDebugOutput();

struct LiveCounts {
    std::int64_t handles;
    std::int64_t pointers;
    std::int64_t objects;
    std::int64_t arrays;
};
ACAPI_HOST_API LiveCounts CountLiveAllocations();

}  // namespace host
