// Loading modules into a process.
#pragma once

#include <string>

namespace platform {

// Null on failure; `error` then says why.
void* LoadLibraryFile(const std::string& utf8Path, std::string* error);
void* LibrarySymbol(void* library, const char* name);
void UnloadLibrary(void* library);

}  // namespace platform
