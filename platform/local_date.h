// The calendar date on the user's clock.
#pragma once

namespace platform {

struct LocalDate {
    int year;
    int month;  // 1 to 12
    int day;    // 1 to 31
};

LocalDate Today();

}  // namespace platform
