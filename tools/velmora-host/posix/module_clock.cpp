// The runner defines and exports time() itself: the dynamic linker finds it before the C
// library's. Calls from a module's own code (an .apx file) read the day set by --date, as on
// Windows, where only the modules' imports are redirected; the system's libraries the modules
// use (the TLS library checking a certificate's dates, for one) read the real time.
#include <dlfcn.h>

#include <atomic>
#include <ctime>
#include <string_view>

#include "tools/velmora-host/module_clock.h"
#include "tools/velmora-host/module_clock_shift.h"

namespace {

std::atomic<std::time_t> shift{0};

bool CalledFromModule(const void* caller) {
    Dl_info info{};
    if (dladdr(caller, &info) == 0 || info.dli_fname == nullptr) {
        return false;
    }
    const std::string_view file = info.dli_fname;
    return file.ends_with(".apx");
}

std::time_t RealTime() {
    using Time = std::time_t (*)(std::time_t*);
    static const auto real = reinterpret_cast<Time>(dlsym(RTLD_NEXT, "time"));
    return real(nullptr);
}

}  // namespace

extern "C" __attribute__((visibility("default"))) std::time_t time(std::time_t* result) noexcept {
    const std::time_t now =
        RealTime() + (CalledFromModule(__builtin_return_address(0)) ? shift.load() : 0);
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
