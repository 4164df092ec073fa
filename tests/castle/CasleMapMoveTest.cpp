// The castle's scripted moving groups: their offsets by the tick, and carrying the player on them.
#include "CastleSupport.h"
#include "castle/Casle_MapMove.h"
#include "castle/Casle_MapMoveGroup.h"
#include "engine/Poly.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

Pointf OffsetOf(Casle_GroupId group, Tick t)
{
    Pointf p;
    EXPECT_TRUE(Casle_MapMoveGroup(group).Offset(t, p.x, p.y)) << group;
    return p;
}

using CasleMapMoveTest = CastleTest;

} // namespace

TEST_F(CasleMapMoveTest, EachGroupsOffsetIsAFunctionOfTheTick)
{
    EXPECT_NEAR(OffsetOf(Casle_Group_BlockedLiftB, 0).y, 728.333333333, 1e-6) << "190 ticks ahead of 17";
    // Up, half a turn over the top to the right, down a little, and back to the bottom at once.
    EXPECT_EQ(OffsetOf(Casle_Group_BlockedLiftA, 300), Pointf(0.0, 1150.0));
    Pointf const top = OffsetOf(Casle_Group_BlockedLiftA, 330);
    EXPECT_NEAR(top.x, 95.0, 1e-9);
    EXPECT_NEAR(top.y, 1245.0, 1e-9);
    Pointf const turned = OffsetOf(Casle_Group_BlockedLiftA, 359);
    EXPECT_TRUE(turned.x > 189.0 && turned.x < 190.0 && turned.y > 1150.0);
    EXPECT_EQ(OffsetOf(Casle_Group_BlockedLiftA, 379), Pointf(190.0, 1102.5));
    EXPECT_EQ(OffsetOf(Casle_Group_BlockedLiftA, 380), Pointf(0.0, 0.0));
    // The swiping blocks: 34 and 36 against 35, out, pause, back, pause.
    for (auto [t, stroke] : {std::pair{10, 90.0}, {49, 180.0}, {75, 90.0}, {100, 0.0}, {140, 90.0}})
    {
        EXPECT_EQ(OffsetOf(Casle_Group_SwipeA, t), Pointf(-stroke, 0.0)) << t;
        EXPECT_EQ(OffsetOf(Casle_Group_SwipeB, t), Pointf(stroke, 0.0)) << t;
        EXPECT_EQ(OffsetOf(Casle_Group_SwipeC, t), Pointf(-stroke, 0.0)) << t;
    }
}

TEST_F(CasleMapMoveTest, TheDriverPlacesTheGroupsAndCarriesThePlayerByEachStepsChange)
{
    MapWriter writer = CastleFloor();
    writer.AddBox(-50.0, 100.0, 50.0, 110.0, 0, Casle_Group_FirstLift, true, false, 64.0);
    writer.AddBox(100.0, 0.0, 160.0, 10.0, 0, Casle_Group_BlockedLiftA, true, false, 64.0);
    std::unique_ptr<Map> map = MapFiles::Load<Map>(writer);
    Rectf still;
    map->FindGroupBound(Casle_Group_BlockedLiftA, &still);
    Casle_MapMove driver(map.get(), &objects);
    map->PreprocessCollision();
    EXPECT_EQ(driver.GetMover(1)->bound.y1, still.y1 + 1245.0) << "the cover holds the whole sweep";

    unsigned int const lift = CastlePolyOf(*map, Casle_Group_FirstLift);
    MakePlayer(map.get(), Pointf(0.0, 110.0));
    StandOn(true, lift);
    double lastOffset = 0.0;
    for (Tick t = 0; t < 60; t++)
    {
        double const lastY = player->GetPos().y;
        driver.Move(map.get(), t << 8, player.get());
        double const offset = std::sin(t * 0.02) * 212.0;
        EXPECT_NEAR(map->polys[int(lift)]->GetVertexPoint(0).y - offset, 100.0, 1e-9);
        EXPECT_NEAR(player->GetPos().y - lastY, offset - lastOffset, 1e-9);
        lastOffset = offset;
    }

    // From the last tick of its cycle the rising platform drops straight back to the bottom, and
    // takes a player standing on it along.
    driver.Move(map.get(), 379 << 8, nullptr);
    Pointf const high(130.0 + 190.0, 10.0 + 1102.5);
    player->SetPos(&high);
    StandOn(true, CastlePolyOf(*map, Casle_Group_BlockedLiftA));
    driver.Move(map.get(), 380 << 8, player.get());
    EXPECT_NEAR(player->GetPos().x, 130.0, 1.0);
    EXPECT_NEAR(player->GetPos().y, 10.0, 1.0);
}
