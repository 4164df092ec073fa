// Pick-ups: found and taken stamps seen from ticks before and after them.
#include "PickUp.h"

#include <cmath>

#include <gtest/gtest.h>

namespace {

struct Drawn
{
    bool shown = false;
    Pointf at{0.0, 0.0};
    double rotation = 0.0;
};

Drawn DrawnAt(PickUp const& pickUp, Tick t)
{
    Drawn d;
    d.shown = pickUp.DrawnAt(t, d.at, d.rotation);
    return d;
}

} // namespace

TEST(PickUp, HiddenUntilFoundThenTakeableFromThatTick)
{
    PickUp gem(Pointf(100.0, 50.0), PickUp_Gem, true, 1.0);
    EXPECT_FALSE(gem.CanCollect(0));
    EXPECT_FALSE(DrawnAt(gem, 0).shown);
    gem.Found(200);
    EXPECT_FALSE(gem.CanCollect(199));
    EXPECT_FALSE(DrawnAt(gem, 199).shown);
    EXPECT_TRUE(gem.CanCollect(200));
    EXPECT_TRUE(DrawnAt(gem, 200).shown);
    EXPECT_DEATH(gem.Found(300), "foundTime == GameEvent_HasntHappened");

    PickUp heart(Pointf(0.0, 0.0), PickUp_Heart, false, 1.0);
    EXPECT_TRUE(heart.CanCollect(0));
}

TEST(PickUp, TakenRisesAndSpinsFromItsFrozenBobThenIsGone)
{
    double const scale = 2.0;
    PickUp heart(Pointf(10.0, 40.0), PickUp_Heart, false, scale);
    Tick const taken = 300;
    Drawn const atTake = DrawnAt(heart, taken);
    ASSERT_TRUE(atTake.shown);
    EXPECT_GE(atTake.at.y, 40.0);
    EXPECT_LE(atTake.at.y, 40.0 + 10.0 * scale);
    EXPECT_EQ(atTake.at.x, 10.0);

    heart.Collect(taken);
    EXPECT_FALSE(heart.CanCollect(taken));
    Drawn const top = DrawnAt(heart, taken + 70);
    ASSERT_TRUE(top.shown);
    EXPECT_NEAR(top.at.y, atTake.at.y + 105.0 * scale, 1e-9);
    EXPECT_NEAR(top.rotation, 28.0, 1e-9);
    EXPECT_FALSE(DrawnAt(heart, taken + 71).shown);

    // Back before the take it bobs again, but cannot be taken a second time.
    Drawn const before = DrawnAt(heart, taken - 20);
    EXPECT_TRUE(before.shown);
    EXPECT_EQ(before.rotation, 0.0);
    EXPECT_FALSE(heart.CanCollect(taken - 20));
    EXPECT_DEATH(heart.Collect(taken + 5), "collectTime == GameEvent_HasntHappened");
}
