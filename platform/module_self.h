// What a loaded module knows about itself.
#pragma once

#include <string>

namespace platform {

// The system's handle of the module that contains this code (HMODULE, or a dlopen handle).
void* OwnModuleHandle();
// The full path of that module's file, in the system's 8-bit form; empty if unknown.
std::string OwnModulePath();

}  // namespace platform
