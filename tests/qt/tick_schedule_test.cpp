#include "qt/tick_schedule.h"

#include <gtest/gtest.h>

namespace vespin {
namespace {

TEST(TickSchedule, TicksEvery55MillisecondsAndMissedTicksFoldIntoOne) {
    TickSchedule ticks(1000);
    EXPECT_FALSE(ticks.TakeDue(1054));
    EXPECT_TRUE(ticks.TakeDue(1055));
    EXPECT_FALSE(ticks.TakeDue(1055));
    EXPECT_FALSE(ticks.TakeDue(1109));
    // Busy for four periods: one tick, and the next keeps the phase (1000 + 55 n).
    EXPECT_TRUE(ticks.TakeDue(1000 + 55 * 6 + 7));
    EXPECT_FALSE(ticks.TakeDue(1000 + 55 * 6 + 54));
    EXPECT_TRUE(ticks.TakeDue(1000 + 55 * 7));
}

TEST(TickSchedule, SurvivesTheClockWrappingAround) {
    TickSchedule ticks(0xFFFFFFF0u);
    EXPECT_FALSE(ticks.TakeDue(0xFFFFFFFFu));
    EXPECT_FALSE(ticks.TakeDue(0x26u));
    EXPECT_TRUE(ticks.TakeDue(0x27u));
    EXPECT_FALSE(ticks.TakeDue(0x28u));
}

}  // namespace
}  // namespace vespin
