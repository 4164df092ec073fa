// The swivel: its angle from the two switches' runs, and holding the switches while the player is inside.
#include "CastleSupport.h"
#include "castle/Casle_Swivel.h"
#include "engine/Switch.h"
#include "support/GroupTestSupport.h"
#include "support/RandomSeed.h"
#include "util/Util.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

namespace
{

// The angle as a plain recursion over the switches' runs.
double RecursiveRotation(Activator const& a, Activator const& b, Tick t)
{
    if (t <= 0)
        return 0.0;
    if (a.IsActive(t))
    {
        Tick const s = a.LastInactiveTime(t);
        return RecursiveRotation(a, b, s) - (t - s) / 50.0;
    }
    if (b.IsActive(t))
    {
        Tick const s = std::max(a.LastActiveTime(t), b.LastInactiveTime(t));
        return RecursiveRotation(a, b, s) + (t - s) / 50.0;
    }
    Tick const lastA = a.LastActiveTime(t);
    Tick const lastB = b.LastActiveTime(t);
    if (lastA > lastB && lastA != -1)
        return RecursiveRotation(a, b, lastA);
    if (lastB == -1)
        return 0.0;
    return RecursiveRotation(a, b, lastB);
}

constexpr unsigned int SwivelGroup = 58;
constexpr unsigned int CentreRef = 27;
constexpr unsigned int PlateA = 60;
constexpr unsigned int PlateB = 61;
Pointf const Centre(900.0, 200.0);

class CasleSwivelTest : public CastleTest
{
};

} // namespace

TEST_F(CasleSwivelTest, SwitchATurnsItBackSwitchBForwardAndAWinsWhenBothAreHeld)
{
    ScriptedActivator a;
    ScriptedActivator b;
    EXPECT_EQ(Casle_Swivel::Rotation(&a, &b, 500), 0.0);
    a.On(100, 200);
    EXPECT_EQ(Casle_Swivel::Rotation(&a, &b, 99), 0.0);
    EXPECT_DOUBLE_EQ(Casle_Swivel::Rotation(&a, &b, 100), -0.02);
    EXPECT_DOUBLE_EQ(Casle_Swivel::Rotation(&a, &b, 199), -2.0);
    EXPECT_DOUBLE_EQ(Casle_Swivel::Rotation(&a, &b, 250), -2.0);
    b.On(300, 350);
    EXPECT_DOUBLE_EQ(Casle_Swivel::Rotation(&a, &b, 300), -1.98);
    EXPECT_DOUBLE_EQ(Casle_Swivel::Rotation(&a, &b, 349), -1.0);
    EXPECT_DOUBLE_EQ(Casle_Swivel::Rotation(&a, &b, 1000), -1.0);
    a.On(400, 410);
    b.On(400, 410);
    EXPECT_DOUBLE_EQ(Casle_Swivel::Rotation(&a, &b, 409), -1.2) << "both held turn it A's way";
}

TEST_F(CasleSwivelTest, TheWalkOverTheRunsAnswersAsTheRecursionDoes)
{
    std::vector<unsigned> seeds = {1u, 2u, 3u};
    unsigned const fresh = TestSeed();
    seeds.push_back(fresh);
    for (unsigned seed : seeds)
    {
        SCOPED_TRACE("HM_TEST_SEED=" + std::to_string(fresh) + ", seed " + std::to_string(seed));
        std::mt19937 random(seed);
        for (int run = 0; run < 5000; run++)
        {
            ScriptedActivator a;
            ScriptedActivator b;
            for (ScriptedActivator* s : {&a, &b})
            {
                int const presses = int(random() % 12);
                for (int i = 0; i < presses; i++)
                {
                    Tick const from = Tick(random() % 3000) - 50;
                    s->On(from, from + 1 + Tick(random() % 200));
                }
            }
            for (int probe = 0; probe < 8; probe++)
            {
                Tick const t = Tick(random() % 3400) - 100;
                double const walked = Casle_Swivel::Rotation(&a, &b, t);
                double const recursed = RecursiveRotation(a, b, t);
                ASSERT_EQ(walked, recursed) << "run " << run << " at " << t;
            }
        }
    }
}

TEST_F(CasleSwivelTest, APlayerInsideHoldsBothSwitchesUpToThatTick)
{
    MapWriter writer = CastleFloor();
    writer.AddBox(800.0, 190.0, 1000.0, 210.0, 0, SwivelGroup, true, false, 64.0);
    writer.AddBox(600.0, 0.0, 660.0, 8.0, 0, PlateA, true, false, 64.0);
    writer.AddBox(1100.0, 0.0, 1160.0, 8.0, 0, PlateB, true, false, 64.0);
    writer.AddRefPoint(CentreRef, Centre.x, Centre.y);
    std::unique_ptr<Map> map = LoadCastleMap(writer);
    MakePlayer(map.get(), Pointf(630.0, 8.0));
    Switch a(player.get(), map.get(), PlateA, 1.0);
    Switch b(player.get(), map.get(), PlateB, 1.0);
    Rectf still;
    map->FindGroupBound(SwivelGroup, &still);
    double const width = still.x1 - still.x0;
    Casle_Swivel swivel(map.get(), SwivelGroup, CentreRef, &a, &b);
    EXPECT_EQ(swivel.GetRadius(), 0.75 * width) << "three quarters of the group's width";
    Rectf sweep;
    map->FindGroupBound(SwivelGroup, &sweep);
    EXPECT_EQ(sweep.x0, still.x0 - 1.3 * width) << "the cover is 1.3 times the group's width each way";
    EXPECT_EQ(sweep.y1, still.y1 + 1.3 * width);
    map->PreprocessCollision();

    // Exactly at the radius is outside; just within it is inside.
    Pointf const atRadius = Centre + Pointf(0.0, -swivel.GetRadius());
    Pointf const inside = Centre + Pointf(0.0, -swivel.GetRadius() + 2.0 * Util::Eps);
    swivel.PlayerAtPos(40, &atRadius);
    EXPECT_FALSE(swivel.IsBlocked(map.get(), 40));
    swivel.PlayerAtPos(50, &inside);
    swivel.PlayerAtPos(45, &inside); // shown again after a travel back: never lowers the tick
    EXPECT_EQ(swivel.GetBlockTime(), 50);

    unsigned int const polyA = CastlePolyOf(*map, PlateA);
    unsigned int const polyB = CastlePolyOf(*map, PlateB);
    for (Tick t = 45; t <= 52; t++)
    {
        StandOn(true, polyA);
        a.MoveToTime(map.get(), t);
        StandOn(true, polyB);
        b.MoveToTime(map.get(), t);
    }
    for (Tick t = 45; t <= 50; t++)
    {
        EXPECT_FALSE(a.IsActive(t)) << t;
        EXPECT_FALSE(b.IsActive(t)) << t;
    }
    EXPECT_TRUE(a.IsActive(51));
    EXPECT_TRUE(b.IsActive(51));

    // The group turns by the switches' record: A, held from 51, wins over B.
    FlatList<MoveObject>* orders = nullptr;
    swivel.MoveMapGroup(map.get(), 52, &orders);
    ASSERT_NE(orders, nullptr);
    EXPECT_EQ((*orders)[0].kind, MoveObject_Rotate);
    EXPECT_EQ((*orders)[0].centre, Centre);
    EXPECT_DOUBLE_EQ((*orders)[0].newAngle, -0.04);
}
