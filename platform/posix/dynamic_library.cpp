#include "platform/dynamic_library.h"

#include <dlfcn.h>

namespace platform {

void* LoadLibraryFile(const std::string& utf8Path, std::string* error) {
    void* library = dlopen(utf8Path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr && error != nullptr) {
        const char* message = dlerror();
        *error = message != nullptr ? message : "dlopen failed";
    }
    return library;
}

void* LibrarySymbol(void* library, const char* name) {
    return dlsym(library, name);
}

void UnloadLibrary(void* library) {
    dlclose(library);
}

}  // namespace platform
