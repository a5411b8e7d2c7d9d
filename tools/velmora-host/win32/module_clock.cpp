// Modules read the clock through the C runtime's _time64 (or _time32); with --date the runner
// points those imports of each loaded module at its own, shifted, clock.
#include <windows.h>

#include <atomic>
#include <cstring>
#include <ctime>

#include "tools/velmora-host/module_clock.h"
#include "tools/velmora-host/module_clock_shift.h"
#include "tools/velmora-host/win32/import_redirect.h"

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

void* ShiftedClockOf(const char* name) {
    if (std::strcmp(name, "_time64") == 0) {
        return reinterpret_cast<void*>(&ShiftedTime64);
    }
    if (std::strcmp(name, "_time32") == 0 || std::strcmp(name, "time") == 0) {
        return reinterpret_cast<void*>(&ShiftedTime32);
    }
    return nullptr;
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
    if (dateSet) {
        RedirectImports(moduleNativePath, &ShiftedClockOf);
    }
}

}  // namespace velmora_host
