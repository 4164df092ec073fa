// The castle's scripted moving groups: their offsets by the tick, and carrying the player on them.
#include "CastleSupport.h"
#include "castle/Casle_MapMove.h"
#include "castle/Casle_MapMoveGroup.h"
#include "engine/Poly.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace
{

Pointf OffsetOf(Casle_GroupId group, Tick t)
{
    Pointf p;
    EXPECT_TRUE(Casle_MapMoveGroup(group).Offset(t, p.x, p.y)) << group;
    return p;
}

class CasleMapMoveTest : public CastleTest
{
};

} // namespace

TEST_F(CasleMapMoveTest, EachGroupsOffsetIsAFunctionOfTheTick)
{
    for (Casle_GroupId group : {12u, 17u, 31u, 32u, 33u, 34u, 35u, 36u, 37u, 55u})
        EXPECT_EQ(OffsetOf(group, 0), Pointf(0.0, 0.0)) << group;
    Pointf const ahead = OffsetOf(Casle_Group_BlockedLiftB, 0);
    EXPECT_EQ(ahead.x, 0.0);
    EXPECT_NEAR(ahead.y, 728.333333333, 1e-6) << "group 18 runs 190 ticks ahead";

    // Up, half a turn over the top to the right, down a little, and back to the bottom at once.
    EXPECT_EQ(OffsetOf(Casle_Group_BlockedLiftA, 300), Pointf(0.0, 1150.0));
    Pointf const top = OffsetOf(Casle_Group_BlockedLiftA, 330);
    EXPECT_NEAR(top.x, 95.0, 1e-9);
    EXPECT_NEAR(top.y, 1245.0, 1e-9);
    Pointf const turned = OffsetOf(Casle_Group_BlockedLiftA, 359);
    EXPECT_GT(turned.x, 189.0);
    EXPECT_LT(turned.x, 190.0);
    EXPECT_GT(turned.y, 1150.0);
    EXPECT_EQ(OffsetOf(Casle_Group_BlockedLiftA, 360), Pointf(190.0, 1150.0));
    EXPECT_EQ(OffsetOf(Casle_Group_BlockedLiftA, 379), Pointf(190.0, 1102.5));
    EXPECT_EQ(OffsetOf(Casle_Group_BlockedLiftA, 380), Pointf(0.0, 0.0));
    EXPECT_EQ(OffsetOf(Casle_Group_BlockedLiftB, 190), Pointf(0.0, 0.0));

    // The swiping blocks: 34 and 36 go one way while 35 goes the other, out, pause, back, pause.
    double const strokes[][2] = {{10, 90.0}, {20, 180.0}, {49, 180.0}, {75, 90.0}, {100, 0.0}, {140, 90.0}};
    for (auto const& [t, stroke] : strokes)
    {
        EXPECT_EQ(OffsetOf(Casle_Group_SwipeA, Tick(t)), Pointf(-stroke, 0.0)) << t;
        EXPECT_EQ(OffsetOf(Casle_Group_SwipeB, Tick(t)), Pointf(stroke, 0.0)) << t;
        EXPECT_EQ(OffsetOf(Casle_Group_SwipeC, Tick(t)), Pointf(-stroke, 0.0)) << t;
    }
    EXPECT_NEAR(OffsetOf(Casle_Group_FirstLift, 100).y, std::sin(2.0) * 212.0, 1e-9);
    EXPECT_NEAR(OffsetOf(Casle_Group_LiftToMultiHit, 60).y, std::sin(1.0) * 275.0, 1e-9);
    Pointf unused;
    EXPECT_FALSE(Casle_MapMoveGroup(99).Offset(10, unused.x, unused.y));
}

TEST_F(CasleMapMoveTest, TheDriverPlacesTheGroupsAndCarriesThePlayerByEachStepsChange)
{
    MapWriter writer = CastleFloor();
    writer.AddBox(-50.0, 100.0, 50.0, 110.0, 0, Casle_Group_FirstLift, true, false, 64.0);
    writer.AddBox(100.0, 0.0, 160.0, 10.0, 0, Casle_Group_BlockedLiftA, true, false, 64.0);
    std::unique_ptr<Map> map = LoadCastleMap(writer);
    Rectf still;
    map->FindGroupBound(Casle_Group_BlockedLiftA, &still);
    Casle_MapMove driver(map.get(), &objects);
    map->PreprocessCollision();
    Rectf const& sweep = driver.GetMover(1)->bound;
    EXPECT_EQ(sweep.x0, still.x0);
    EXPECT_EQ(sweep.x1, still.x1 + 190.0);
    EXPECT_EQ(sweep.y1, still.y1 + 1245.0);

    unsigned int const lift = CastlePolyOf(*map, Casle_Group_FirstLift);
    MakePlayer(map.get(), Pointf(0.0, 110.0));
    StandOn(true, lift);
    double lastY = 110.0;
    double lastOffset = 0.0;
    for (Tick t = 0; t < 60; t++)
    {
        driver.Move(map.get(), t << 8, player.get());
        double const offset = std::sin(t * 0.02) * 212.0;
        EXPECT_NEAR(map->polys[int(lift)]->GetVertexPoint(0).y - offset, 100.0, 1e-9) << t;
        EXPECT_NEAR(player->GetPos().y - lastY, offset - lastOffset, 1e-9) << t;
        lastY = player->GetPos().y;
        lastOffset = offset;
        ASSERT_NEAR(driver.GetMover(0)->y, offset, 1e-12);
    }

    // From the last tick of its cycle the rising platform drops straight back to the bottom, and
    // takes a player standing on it along.
    driver.Move(map.get(), 379 << 8, nullptr);
    Pointf const high(130.0 + 190.0, 10.0 + 1102.5);
    player->SetPos(&high);
    StandOn(true, CastlePolyOf(*map, Casle_Group_BlockedLiftA));
    driver.Move(map.get(), 380 << 8, player.get());
    EXPECT_EQ(driver.GetMover(1)->x, 0.0);
    EXPECT_EQ(driver.GetMover(1)->y, 0.0);
    EXPECT_NEAR(player->GetPos().x, 130.0, 1.0);
    EXPECT_NEAR(player->GetPos().y, 10.0, 1.0);
}
