// The swivel: its angle from the two switches' runs, and holding the switches while the player is inside.
#include "CastleSupport.h"
#include "castle/Casle_Swivel.h"
#include "engine/Switch.h"
#include "support/GroupTestSupport.h"
#include "support/RandomSeed.h"
#include "util/Util.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

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
    return lastB == -1 ? 0.0 : RecursiveRotation(a, b, lastB);
}

using CasleSwivelTest = CastleTest;

} // namespace

TEST_F(CasleSwivelTest, SwitchATurnsItBackSwitchBForwardAndAWinsWhenBothAreHeld)
{
    ScriptedActivator a;
    ScriptedActivator b;
    auto angle = [&](Tick t) { return Casle_Swivel::Rotation(&a, &b, t); };
    EXPECT_EQ(angle(500), 0.0);
    a.On(100, 200);
    EXPECT_EQ(angle(99), 0.0);
    EXPECT_DOUBLE_EQ(angle(100), -0.02);
    EXPECT_DOUBLE_EQ(angle(199), -2.0);
    b.On(300, 350);
    EXPECT_DOUBLE_EQ(angle(250), -2.0);
    EXPECT_DOUBLE_EQ(angle(300), -1.98);
    EXPECT_DOUBLE_EQ(angle(349), -1.0);
    EXPECT_DOUBLE_EQ(angle(1000), -1.0);
    a.On(400, 410);
    b.On(400, 410);
    EXPECT_DOUBLE_EQ(angle(409), -1.2);
}

TEST_F(CasleSwivelTest, TheWalkOverTheRunsAnswersAsTheRecursionDoes)
{
    unsigned const fresh = TestSeed();
    for (unsigned seed : TestSeedRun(TestSeeds_Default, fresh))
    {
        SCOPED_TRACE("HM_TEST_SEED=" + std::to_string(fresh) + ", seed " + std::to_string(seed));
        std::mt19937 random(seed);
        for (int run = 0; run < 5000; run++)
        {
            ScriptedActivator a;
            ScriptedActivator b;
            for (ScriptedActivator* s : {&a, &b})
                for (int i = int(random() % 12); i > 0; i--)
                {
                    Tick const from = Tick(random() % 3000) - 50;
                    s->On(from, from + 1 + Tick(random() % 200));
                }
            Tick const t = Tick(random() % 3400) - 100;
            ASSERT_EQ(Casle_Swivel::Rotation(&a, &b, t), RecursiveRotation(a, b, t)) << "run " << run << " at " << t;
        }
    }
}

TEST_F(CasleSwivelTest, APlayerInsideHoldsBothSwitchesUpToThatTick)
{
    constexpr unsigned int Group = 58;
    MapWriter writer = CastleFloor();
    writer.AddBox(800.0, 190.0, 1000.0, 210.0, 0, Group, true, false, 64.0);
    writer.AddBox(600.0, 0.0, 660.0, 8.0, 0, 60, true, false, 64.0);
    writer.AddBox(1100.0, 0.0, 1160.0, 8.0, 0, 61, true, false, 64.0);
    writer.AddRefPoint(27, 900.0, 200.0);
    std::unique_ptr<Map> map = MapFiles::Load<Map>(writer);
    MakePlayer(map.get(), Pointf(630.0, 8.0));
    Switch a(player.get(), map.get(), 60, 1.0);
    Switch b(player.get(), map.get(), 61, 1.0);
    Rectf still;
    map->FindGroupBound(Group, &still);
    double const width = still.x1 - still.x0;
    Casle_Swivel swivel(map.get(), Group, 27, &a, &b);
    EXPECT_EQ(swivel.GetRadius(), 0.75 * width);
    Rectf sweep;
    map->FindGroupBound(Group, &sweep);
    EXPECT_EQ(sweep.x0, still.x0 - 1.3 * width) << "the cover is set before the collision grid";
    map->PreprocessCollision();

    // Exactly at the radius is outside; just within it is inside. A tick shown again after a
    // travel back never lowers the latest tick inside.
    Pointf const atRadius(900.0, 200.0 - swivel.GetRadius());
    Pointf const inside(900.0, 200.0 - swivel.GetRadius() + 2.0 * Util::Eps);
    swivel.PlayerAtPos(40, &atRadius);
    EXPECT_FALSE(swivel.IsBlocked(map.get(), 40));
    swivel.PlayerAtPos(50, &inside);
    swivel.PlayerAtPos(45, &inside);
    for (Tick t = 45; t <= 52; t++)
    {
        StandOn(true, CastlePolyOf(*map, 60));
        a.MoveToTime(map.get(), t);
        StandOn(true, CastlePolyOf(*map, 61));
        b.MoveToTime(map.get(), t);
    }
    for (Switch const* plate : {&a, &b})
    {
        EXPECT_EQ(plate->LastActiveTime(50), -1);
        EXPECT_EQ(plate->LastSwitchOnTime(52), 50);
    }
    EXPECT_DOUBLE_EQ(swivel.GetRotation(52), -0.04);
}
