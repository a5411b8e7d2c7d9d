// Modules read the clock through the C runtime's _time64 (or _time32); with --date the runner
// points those imports of each loaded module at its own, shifted, clock.
#include <windows.h>

#include <atomic>
#include <cstring>
#include <ctime>

#include "tools/velmora-host/module_clock.h"
#include "tools/velmora-host/module_clock_shift.h"

namespace velmora_host {

namespace {

std::atomic<long long> shift{0};
bool dateSet = false;

__time64_t __cdecl ShiftedTime64(__time64_t* result) {
    const __time64_t now = _time64(nullptr) + shift.load();
    if (result != nullptr) {
        *result = now;
    }
    return now;
}

__time32_t __cdecl ShiftedTime32(__time32_t* result) {
    const auto now = static_cast<__time32_t>(_time64(nullptr) + shift.load());
    if (result != nullptr) {
        *result = now;
    }
    return now;
}

void* ReplacementOf(const char* name) {
    if (std::strcmp(name, "_time64") == 0) {
        return reinterpret_cast<void*>(&ShiftedTime64);
    }
    if (std::strcmp(name, "_time32") == 0 || std::strcmp(name, "time") == 0) {
        return reinterpret_cast<void*>(&ShiftedTime32);
    }
    return nullptr;
}

void Redirect(ULONG_PTR* slot, void* replacement) {
    DWORD protection = 0;
    if (VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection)) {
        *slot = reinterpret_cast<ULONG_PTR>(replacement);
        VirtualProtect(slot, sizeof *slot, protection, &protection);
    }
}

}  // namespace

void SetModulesDate(int year, int month, int day) {
    const __time64_t now = _time64(nullptr);
    std::tm today{};
    _localtime64_s(&today, &now);
    shift = DaysShift(today, year, month, day);
    dateSet = true;
}

void InterceptClockOf(const std::string& moduleNativePath) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, moduleNativePath.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, moduleNativePath.c_str(), -1, wide.data(), length);
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(wide.c_str()));
    if (!dateSet || base == nullptr) {
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
            if (void* replacement = ReplacementOf(reinterpret_cast<const char*>(byName->Name))) {
                Redirect(&slots->u1.Function, replacement);
            }
        }
    }
}

}  // namespace velmora_host
