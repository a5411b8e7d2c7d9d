#include "platform/dynamic_library.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace platform {

void* LoadLibraryFile(const std::string& utf8Path, std::string* error) {
    HMODULE module = LoadLibraryW(win32::WideOfUtf8(utf8Path).data());
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
