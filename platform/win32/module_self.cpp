#include "platform/module_self.h"

#include <windows.h>

namespace platform {

void* OwnModuleHandle() {
    HMODULE module = nullptr;
    GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCSTR>(&OwnModuleHandle), &module);
    return module;
}

std::string OwnModulePath() {
    char path[MAX_PATH + 1] = {};
    const DWORD length =
        GetModuleFileNameA(static_cast<HMODULE>(OwnModuleHandle()), path, MAX_PATH);
    return std::string(path, length);
}

}  // namespace platform
