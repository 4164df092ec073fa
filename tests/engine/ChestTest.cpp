// Chests: opened once, shown only before their opening, revealing what they hold.
#include "engine/Chest.h"

#include "engine/PickUp.h"

#include <gtest/gtest.h>

TEST(Chest, OpensOnceRevealingItsPickUpAndIsShownOnlyBeforeThat)
{
    PickUp gem(Pointf(100.0, 50.0), PickUp_Gem, true, 1.0);
    Chest chest(Pointf(5.0, 6.0), 7, &gem, 1.5);
    Pointf point(0.0, 0.0);
    double scale = 0.0;
    EXPECT_TRUE(chest.Openable(point, scale));

    chest.Open(400);
    EXPECT_FALSE(chest.Openable(point, scale));
    EXPECT_TRUE(chest.ShownAt(399));
    EXPECT_FALSE(chest.ShownAt(400));
    EXPECT_FALSE(gem.CanCollect(399));
    EXPECT_FALSE(gem.DrawnAt(399, point, scale));
    EXPECT_TRUE(gem.CanCollect(400));
    EXPECT_TRUE(gem.DrawnAt(400, point, scale));
    EXPECT_DEATH(chest.Open(500), "openTime == GameEvent_HasntHappened");

    Chest empty(Pointf(0.0, 0.0), 8, nullptr, 1.0);
    empty.Open(10);
    EXPECT_FALSE(empty.ShownAt(10));
}
