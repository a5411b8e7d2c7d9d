// --date: the day on the modules' clock. What they read from the C library's time() is the real
// time moved by whole days, so the clock still runs and the time of day stays.
#pragma once

#include <string>

namespace velmora_host {

// Before any module is loaded.
void SetModulesDate(int year, int month, int day);
// After a module is loaded, with the path it was loaded from.
void InterceptClockOf(const std::string& moduleNativePath);

}  // namespace velmora_host
