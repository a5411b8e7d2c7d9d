// When the automatic update check runs: 14 days after the last check started, to the second,
// and at once when no check was ever made.
#include <gtest/gtest.h>

#include "update/update_check.h"

namespace {

constexpr std::int64_t kLastCheck = 1348099200;  // 20/09/2012 00:00 UTC
constexpr std::int64_t kFourteenDays = 14 * 24 * 3600;

TEST(CheckSchedule, DueFourteenDaysAfterTheLastCheckToTheSecond) {
    EXPECT_FALSE(AutomaticCheckDue(kLastCheck, kLastCheck));
    EXPECT_FALSE(AutomaticCheckDue(kLastCheck, kLastCheck + kFourteenDays - 1));
    EXPECT_TRUE(AutomaticCheckDue(kLastCheck, kLastCheck + kFourteenDays));
    EXPECT_TRUE(AutomaticCheckDue(kLastCheck, kLastCheck + kFourteenDays + 1));
    // A clock set back since the last check waits for it to catch up.
    EXPECT_FALSE(AutomaticCheckDue(kLastCheck, kLastCheck - 1));
}

TEST(CheckSchedule, DueAtOnceWithoutAnEarlierCheck) {
    EXPECT_TRUE(AutomaticCheckDue(0, kLastCheck));
    EXPECT_TRUE(AutomaticCheckDue(0, 0));
}

}  // namespace
