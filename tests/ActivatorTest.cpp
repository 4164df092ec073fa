// The activator's answers over its set of active ticks, and without one.
#include "Activator.h"

#include <gtest/gtest.h>

#include "TimeSet.h"

namespace
{
// An activator that owns its set, as a floor plate does.
class Plate final : public Activator
{
public:
    Plate() { activeTimes = new TimeSet; }
    Plate(Plate const&) = delete;
    Plate& operator=(Plate const&) = delete;
    ~Plate() override { activeTimes->Destroy(); }
    void On(Tick from, Tick to) { activeTimes->AddRange(TimeRange(from, to)); }
};
}

TEST(Activator, WithoutASetItIsNeverOn)
{
    Activator never;
    EXPECT_FALSE(never.IsActive(5));
    EXPECT_EQ(never.LastActiveTime(5), -1);
    EXPECT_EQ(never.LastInactiveTime(5), 5);
    EXPECT_EQ(never.NextActiveTime(5), -1);
    EXPECT_EQ(never.ActiveCount(5), 0);
    EXPECT_EQ(never.LastSwitchOnTime(5), -1);
}

TEST(Activator, AnswersAroundItsRuns)
{
    Plate plate;
    plate.On(10, 20);
    plate.On(30, 35);
    EXPECT_FALSE(plate.IsActive(9));
    EXPECT_TRUE(plate.IsActive(10));
    EXPECT_FALSE(plate.IsActive(20));
    EXPECT_EQ(plate.LastActiveTime(25), 19);
    EXPECT_EQ(plate.LastInactiveTime(15), 9);
    EXPECT_EQ(plate.LastInactiveTime(25), 25);
    EXPECT_EQ(plate.NextActiveTime(21), 30);
    EXPECT_EQ(plate.NextActiveTime(40), -1);
    EXPECT_EQ(plate.ActiveCount(32), 12);

    // The tick just before the latest switching on, whether on now or not.
    EXPECT_EQ(plate.LastSwitchOnTime(5), -1);
    EXPECT_EQ(plate.LastSwitchOnTime(15), 9);
    EXPECT_EQ(plate.LastSwitchOnTime(25), 9);
    EXPECT_EQ(plate.LastSwitchOnTime(33), 29);
    EXPECT_EQ(plate.LastSwitchOnTime(99), 29);
}
