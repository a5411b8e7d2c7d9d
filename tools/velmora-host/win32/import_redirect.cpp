#include "tools/velmora-host/win32/import_redirect.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace velmora_host {

namespace {

void Redirect(ULONG_PTR* slot, void* replacement) {
    DWORD protection = 0;
    if (VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection)) {
        *slot = reinterpret_cast<ULONG_PTR>(replacement);
        VirtualProtect(slot, sizeof *slot, protection, &protection);
    }
}

}  // namespace

void RedirectImports(const std::string& moduleNativePath, ReplacementOf replacementOf) {
    auto* base = reinterpret_cast<BYTE*>(
        GetModuleHandleW(platform::win32::WideOfUtf8(moduleNativePath).data()));
    if (base == nullptr) {
        return;
    }
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0) {
        return;
    }
    for (auto* library = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         library->Name != 0; ++library) {
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) {
                continue;
            }
            const auto* byName =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (void* replacement = replacementOf(reinterpret_cast<const char*>(byName->Name))) {
                Redirect(&slots->u1.Function, replacement);
            }
        }
    }
}

}  // namespace velmora_host
