// Chests: opened once, shown only before their opening, revealing what they hold.
#include "Chest.h"

#include "PickUp.h"

#include <gtest/gtest.h>

TEST(Chest, OpeningRevealsItsPickUpFromThatTick)
{
    PickUp gem(Pointf(100.0, 50.0), PickUp_Gem, true, 1.0);
    Chest chest(Pointf(100.0, 50.0), 3, &gem, 1.0);
    EXPECT_FALSE(gem.CanCollect(0));

    chest.Open(200);
    EXPECT_FALSE(gem.CanCollect(199));
    EXPECT_TRUE(gem.CanCollect(200));
}

TEST(Chest, OpensOnceAndIsShownOnlyBeforeItsOpening)
{
    Chest chest(Pointf(5.0, 6.0), 7, nullptr, 1.5);
    Pointf point(0.0, 0.0);
    double scale = 0.0;
    EXPECT_TRUE(chest.Openable(point, scale));
    EXPECT_EQ(point.x, 5.0);
    EXPECT_EQ(scale, 1.5);
    EXPECT_EQ(chest.GetId(), 7);

    chest.Open(400);
    EXPECT_FALSE(chest.Openable(point, scale));
    EXPECT_TRUE(chest.ShownAt(399));
    EXPECT_FALSE(chest.ShownAt(400));
    EXPECT_FALSE(chest.ShownAt(1000));
    EXPECT_DEATH(chest.Open(500), "openTime == GameEvent_HasntHappened");
}
