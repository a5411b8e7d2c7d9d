#include "platform/module_self.h"

#include <dlfcn.h>

namespace platform {

void* OwnModuleHandle() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&OwnModuleHandle), &info) == 0 ||
        info.dli_fname == nullptr) {
        return nullptr;
    }
    // RTLD_NOLOAD only looks the loaded module up; the reference it adds is given back at once.
    void* handle = dlopen(info.dli_fname, RTLD_LAZY | RTLD_NOLOAD);
    if (handle != nullptr) {
        dlclose(handle);
    }
    return handle;
}

std::string OwnModulePath() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&OwnModuleHandle), &info) == 0 ||
        info.dli_fname == nullptr) {
        return {};
    }
    return info.dli_fname;
}

}  // namespace platform
