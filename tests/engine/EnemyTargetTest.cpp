// A creature whose death follows from its hits, including hits stamped ahead of the clock.
#include "engine/EnemyTarget.h"

#include <gtest/gtest.h>

TEST(EnemyTarget, FutureHitKillsFromItsTickAndReturnsLaterBlows)
{
    EnemyTarget creature(2, Sound_None);
    creature.TakenHit(30, 1);
    creature.TakenHit(10, 1);

    // A blade thrown at tick 5 lands at 20: nothing changes before then.
    EXPECT_EQ(creature.Hit(20, 1, 0), 0);
    EXPECT_FALSE(creature.IsDead(100));
    EXPECT_EQ(creature.Hit(20, 1, 0), 1);
    EXPECT_FALSE(creature.IsDead(20));
    EXPECT_TRUE(creature.IsDead(21));
    EXPECT_EQ(creature.GetHitPoints(19, 2), 2);

    // A later kill changes nothing.
    EXPECT_EQ(creature.Hit(25, 5, 0), 0);
}

TEST(EnemyTarget, WorksAsAnActivatorFromTheTickAfterDeath)
{
    EnemyTarget creature(1, Sound_None);
    Activator const& activator = creature;
    EXPECT_FALSE(activator.IsActive(1000));
    EXPECT_EQ(activator.NextActiveTime(5), -1);
    EXPECT_EQ(activator.LastSwitchOnTime(1000), -1);

    creature.Hit(40, 1, 0);
    EXPECT_FALSE(activator.IsActive(40));
    EXPECT_TRUE(activator.IsActive(41));
    EXPECT_EQ(activator.LastActiveTime(45), 45);
    EXPECT_EQ(activator.LastInactiveTime(45), 40);
    EXPECT_EQ(activator.ActiveCount(45), 5);
    EXPECT_EQ(activator.NextActiveTime(45), 45);
    EXPECT_EQ(activator.LastSwitchOnTime(45), 40);
}
