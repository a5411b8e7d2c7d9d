// Loading modules into a process.
#pragma once

#include <string>

namespace platform {

// Null on failure; `error` then says why.
void* LoadLibraryFile(const std::string& utf8Path, std::string* error);
void* LibrarySymbol(void* library, const char* name);
void UnloadLibrary(void* library);
// One identity per loaded module, the same for every address of its code and data: that of the
// module holding `address`, null when no module holds it.
const void* ModuleIdentityOf(const void* address);
// The identity of a library that LoadLibraryFile answered.
const void* LibraryIdentity(void* library);

}  // namespace platform
