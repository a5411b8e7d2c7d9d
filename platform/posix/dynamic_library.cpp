#include "platform/dynamic_library.h"

#include <dlfcn.h>
#include <link.h>

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

// The base address the module was mapped at.
const void* ModuleIdentityOf(const void* address) {
    Dl_info info{};
    return dladdr(address, &info) != 0 ? info.dli_fbase : nullptr;
}

const void* LibraryIdentity(void* library) {
    link_map* map = nullptr;
    if (library == nullptr || dlinfo(library, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr) {
        return nullptr;
    }
    return ModuleIdentityOf(map->l_ld);
}

}  // namespace platform
