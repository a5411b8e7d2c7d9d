// Modules open documents with SHELL32's ShellExecuteA. The runner points that import of each
// loaded module at a recorder instead.
#include "tools/velmora-host/shell_interception.h"

#include <windows.h>

#include <cstring>

namespace velmora_host {

namespace {

bool intercepting = false;
std::vector<std::string> opened;

// What ShellExecuteA answers on success: a value above 32.
constexpr INT_PTR kOpened = 42;

HINSTANCE WINAPI RecordShellExecute(HWND /*window*/, LPCSTR /*operation*/, LPCSTR file,
                                    LPCSTR /*parameters*/, LPCSTR /*folder*/, INT /*show*/) {
    opened.emplace_back(file != nullptr ? file : "");
    return reinterpret_cast<HINSTANCE>(kOpened);
}

std::wstring WideOfUtf8(const std::string& text) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, wide.data(), length);
    wide.resize(wide.size() - 1);
    return wide;
}

void Redirect(ULONG_PTR* slot) {
    DWORD protection = 0;
    if (VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection)) {
        *slot = reinterpret_cast<ULONG_PTR>(&RecordShellExecute);
        VirtualProtect(slot, sizeof *slot, protection, &protection);
    }
}

}  // namespace

void InterceptShellOpens() {
    intercepting = true;
}

void InterceptShellOpensOf(const std::string& moduleNativePath) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(WideOfUtf8(moduleNativePath).c_str()));
    if (!intercepting || base == nullptr) {
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
        if (lstrcmpiA(reinterpret_cast<const char*>(base + library->Name), "shell32.dll") != 0) {
            continue;
        }
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) {
                continue;
            }
            const auto* byName =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), "ShellExecuteA") == 0) {
                Redirect(&slots->u1.Function);
            }
        }
    }
}

std::vector<std::string> TakeShellOpens() {
    std::vector<std::string> taken;
    taken.swap(opened);
    return taken;
}

}  // namespace velmora_host
