// The runner defines and exports time() itself: the dynamic linker finds it before the C
// library's, so every module (and the host) reads the day set by --date.
#include <dlfcn.h>

#include <atomic>
#include <ctime>

#include "tools/velmora-host/module_clock.h"
#include "tools/velmora-host/module_clock_shift.h"

namespace {

std::atomic<std::time_t> shift{0};

std::time_t RealTime() {
    using Time = std::time_t (*)(std::time_t*);
    static const auto real = reinterpret_cast<Time>(dlsym(RTLD_NEXT, "time"));
    return real(nullptr);
}

}  // namespace

extern "C" __attribute__((visibility("default"))) std::time_t time(std::time_t* result) noexcept {
    const std::time_t now = RealTime() + shift.load();
    if (result != nullptr) {
        *result = now;
    }
    return now;
}

namespace velmora_host {

void SetModulesDate(int year, int month, int day) {
    const std::time_t now = RealTime();
    std::tm today{};
    localtime_r(&now, &today);
    shift = DaysShift(today, year, month, day);
}

void InterceptClockOf(const std::string& /*moduleNativePath*/) {}

}  // namespace velmora_host
