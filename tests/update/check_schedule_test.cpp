// When the automatic update check runs: 14 days after the last check started, to the second, at
// once when no check was ever made, and across the wrap of the 32-bit time on 19/01/2038.
#include <gtest/gtest.h>

#include <cstdint>

#include "update/update_check.h"

namespace {

constexpr std::int64_t kLastCheck = 1348099200;   // 20/09/2012 00:00 UTC
constexpr std::int64_t kBeforeWrap = 2147126400;  // 15/01/2038 00:00 UTC
constexpr std::int64_t kDay = 86400;
constexpr std::int64_t kFourteenDays = 14 * kDay;

// The settings keep the low 32 bits of the time.
std::int32_t Low32(std::int64_t seconds) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(seconds));
}

struct Schedule {
    std::int64_t lastCheck;
    std::int64_t now;
    bool due;
};

TEST(CheckSchedule, DueFourteenDaysAfterTheLastCheckToTheSecond) {
    const Schedule schedules[] = {
        {kLastCheck, kLastCheck, false},
        {kLastCheck, kLastCheck + kFourteenDays - 1, false},
        {kLastCheck, kLastCheck + kFourteenDays, true},
        {kLastCheck, kLastCheck + kFourteenDays + 1, true},
        // A clock set back since the last check waits for it to catch up.
        {kLastCheck, kLastCheck - 1, false},
        // Never checked: at once.
        {0, kLastCheck, true},
        {0, 0, true},
        // Across the wrap the days count on: 15/01/2038 to 20/01/2038 and to 01/03/2038.
        {kBeforeWrap, kBeforeWrap + 5 * kDay, false},
        {kBeforeWrap, kBeforeWrap + kFourteenDays - 1, false},
        {kBeforeWrap, kBeforeWrap + kFourteenDays, true},
        {kBeforeWrap, 2150928000, true},  // 01/03/2038
        // A check stored after the wrap (a negative number) and a clock set back before it.
        {kBeforeWrap + kFourteenDays, kBeforeWrap, false},
    };
    for (const Schedule& schedule : schedules) {
        EXPECT_EQ(AutomaticCheckDue(Low32(schedule.lastCheck), Low32(schedule.now)), schedule.due)
            << "last check " << schedule.lastCheck << ", now " << schedule.now;
    }
}

}  // namespace
