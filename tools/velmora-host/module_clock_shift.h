// The shift between today and the day set by --date, shared by the two sides of module_clock.
#pragma once

#include <ctime>

namespace velmora_host {

// Seconds from the same time of day `today` (local time, as the system gives it) to the given
// day, in whole days.
inline std::time_t DaysShift(std::tm today, int year, int month, int day) {
    today.tm_hour = 12;
    today.tm_min = today.tm_sec = 0;
    today.tm_isdst = -1;
    std::tm wanted{};
    wanted.tm_year = year - 1900;
    wanted.tm_mon = month - 1;
    wanted.tm_mday = day;
    wanted.tm_hour = 12;
    wanted.tm_isdst = -1;
    constexpr double kDay = 24.0 * 60 * 60;
    const double days = std::difftime(std::mktime(&wanted), std::mktime(&today)) / kDay;
    return static_cast<std::time_t>(days + (days < 0 ? -0.5 : 0.5)) *
           static_cast<std::time_t>(kDay);
}

}  // namespace velmora_host
