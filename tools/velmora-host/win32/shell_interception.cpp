// Modules open documents with SHELL32's ShellExecuteA, or ShellExecuteW for a path the code page
// cannot hold. The runner points those imports of each loaded module at recorders instead, which
// keep what was opened in UTF-8, as the transcript shows it.
#include "tools/velmora-host/shell_interception.h"

#include <windows.h>

#include <cstring>

namespace velmora_host {

namespace {

bool intercepting = false;
std::vector<std::string> opened;

// What ShellExecuteA answers on success: a value above 32.
constexpr INT_PTR kOpened = 42;

std::string Utf8OfWide(const wchar_t* wide) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8.data(), size, nullptr, nullptr);
    utf8.resize(utf8.size() - 1);
    return utf8;
}

HINSTANCE WINAPI RecordShellExecuteW(HWND /*window*/, LPCWSTR /*operation*/, LPCWSTR file,
                                     LPCWSTR /*parameters*/, LPCWSTR /*folder*/, INT /*show*/) {
    opened.push_back(Utf8OfWide(file != nullptr ? file : L""));
    return reinterpret_cast<HINSTANCE>(kOpened);
}

HINSTANCE WINAPI RecordShellExecute(HWND /*window*/, LPCSTR /*operation*/, LPCSTR file,
                                    LPCSTR /*parameters*/, LPCSTR /*folder*/, INT /*show*/) {
    const char* text = file != nullptr ? file : "";
    const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 1), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
    opened.push_back(Utf8OfWide(wide.c_str()));
    return reinterpret_cast<HINSTANCE>(kOpened);
}

std::wstring WideOfUtf8(const std::string& text) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, wide.data(), length);
    wide.resize(wide.size() - 1);
    return wide;
}

void Redirect(ULONG_PTR* slot, ULONG_PTR recorder) {
    DWORD protection = 0;
    if (VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection)) {
        *slot = recorder;
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
            const char* name = reinterpret_cast<const char*>(byName->Name);
            if (std::strcmp(name, "ShellExecuteA") == 0) {
                Redirect(&slots->u1.Function, reinterpret_cast<ULONG_PTR>(&RecordShellExecute));
            } else if (std::strcmp(name, "ShellExecuteW") == 0) {
                Redirect(&slots->u1.Function, reinterpret_cast<ULONG_PTR>(&RecordShellExecuteW));
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
