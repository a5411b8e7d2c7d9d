#include "platform/dynamic_library.h"

#include <windows.h>

#include <vector>

namespace platform {

void* LoadLibraryFile(const std::string& utf8Path, std::string* error) {
    const int count = MultiByteToWideChar(CP_UTF8, 0, utf8Path.c_str(), -1, nullptr, 0);
    std::vector<wchar_t> widePath(count > 0 ? count : 1);
    MultiByteToWideChar(CP_UTF8, 0, utf8Path.c_str(), -1, widePath.data(), count);
    HMODULE module = LoadLibraryW(widePath.data());
    if (module == nullptr && error != nullptr) {
        *error = "LoadLibrary failed with error " + std::to_string(GetLastError());
    }
    return module;
}

void* LibrarySymbol(void* library, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void UnloadLibrary(void* library) {
    FreeLibrary(static_cast<HMODULE>(library));
}

// The module handle, which is the base address the module was mapped at.
const void* ModuleIdentityOf(const void* address) {
    HMODULE module = nullptr;
    return GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                  GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                              static_cast<LPCWSTR>(address), &module)
               ? module
               : nullptr;
}

const void* LibraryIdentity(void* library) {
    return library;
}

}  // namespace platform
