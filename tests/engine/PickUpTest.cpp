// Pick-ups: found and taken stamps seen from ticks before and after them.
#include "engine/PickUp.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

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
