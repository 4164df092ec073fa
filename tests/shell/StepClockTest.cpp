// The main loop's step clock: due steps, stalls and the wrap of the millisecond count.
#include "shell/StepClock.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace
{

// The steps one pass of the main loop runs at now.
int Pass(StepClock& clock, std::uint32_t now)
{
    clock.Catch(now);
    int steps = 0;
    while (clock.Due(now) && steps < 1000)
        steps++;
    return steps;
}

} // namespace

TEST(StepClock, RunsEveryDueStepUpToTheStallLimitAndOneAfterIt)
{
    StepClock clock(1000);
    EXPECT_EQ(0, Pass(clock, 1014));
    EXPECT_EQ(1, Pass(clock, 1029)) << "the remainder of 14 ms is kept";
    EXPECT_EQ(8, Pass(clock, 1015 + 120));
    EXPECT_EQ(5u, clock.UntilDue(1145));

    StepClock stalled(1000);
    EXPECT_EQ(1, Pass(stalled, 1121));
    EXPECT_EQ(0, Pass(stalled, 1121));
    EXPECT_EQ(1, Pass(stalled, 1136)) << "counting goes on from the stall";
}

TEST(StepClock, WrapOfTheCountRunsNoBurst)
{
    std::uint32_t const top = 0xFFFFFFFFu;
    StepClock nearTop(top - 20);
    EXPECT_EQ(1, Pass(nearTop, top - 5));
    EXPECT_EQ(0, Pass(nearTop, top)) << "15 ms past the last step would pass the top";
    EXPECT_EQ(0, Pass(nearTop, 3)) << "after the wrap the clock starts again from 0";
    EXPECT_EQ(1, Pass(nearTop, 15));

    StepClock atTop(top - 15);
    EXPECT_EQ(1, Pass(atTop, top));
    EXPECT_EQ(0, Pass(atTop, top));
}
