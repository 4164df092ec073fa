// The castle's entrance gate, which the owner's fee opens and switch 1 works as door 1: played with
// the fee paid before the visit and paid in it, switch 1 pressed and let go, then travelled through;
// the gate stands at every tick shown again where it stood when played, and stays open once paid.
#include "CastleWalker.h"
#include "castle/Casle.h"
#include "castle/Casle_Events.h"
#include "engine/Map.h"
#include "engine/Player.h"
#include "engine/Poly.h"
#include "engine/Switch.h"
#include "support/RandomSeed.h"
#include "support/ReplayHarness.h"
#include "support/WorldFixture.h"
#include "tools/worlds/castle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>

namespace
{

constexpr double PlateX = 1010.0; // the middle of switch 1's plate

class CasleGateReplayTest : public WorldFixture
{
protected:
    void SetUp() override
    {
        WorldFixture::SetUp();
        sounds.mute = 1;
    }

    // The lowest corner of the gate's polygons, as the map holds them now.
    static double GateBottom(Map const& map)
    {
        double bottom = 1.0e9;
        for (int i = 0; i < map.polys.Count(); ++i)
        {
            Poly const* poly = map.polys[i];
            if (poly->GetGroup() != Casle_EntranceGroup)
                continue;
            for (int k = 0; k < poly->Points(); ++k)
                bottom = std::min(bottom, poly->GetVertexPoint(k).y);
        }
        return bottom;
    }

    // The gate's rise above the floor, compared at every tick shown again and kept in played at
    // every tick played.
    void WatchGate(Casle& c, ReplayHarness& harness)
    {
        Map const* map = c.GetMap();
        harness.Watch([this, &c, map](Tick t, Replay_Digest& d) {
            double const rise = GateBottom(*map) - CastleWriter::Hall_Floor;
            ReplayHarness::Add(d, "gate", "rise", rise);
            if (!c.IsTimeTravelling())
                played[t] = rise;
        });
    }

    // Stands on switch 1 until the gate has long stopped moving, steps off and waits for it to
    // settle; then travels at random under each seed, comparing the gate at every tick shown
    // again.
    void PressTravelAndCompare(Casle& c, ReplayHarness& harness)
    {
        Player* player = c.GetPlayer();
        Castle_Walker w(c, *player, [&harness](std::vector<int> const& held) { return harness.Step(held); });
        player->pos = Pointf(PlateX, CastleWriter::Room4_Floor + 14.0);
        w.Idle(200);
        EXPECT_LT(c.GetSwitch(0)->CalcSwitchPos(c.GetTick() - 1), 0.0) << "switch 1 was not pressed";
        w.WalkTo(PlateX + 150.0);
        w.Idle(150);
        EXPECT_EQ(w.stuck, "");
        ForEachSeed({1u, 2u, 3u}, [&](unsigned seed) {
            std::mt19937 random(seed);
            harness.Travel(random, 800);
            ASSERT_EQ(harness.mismatch, "");
        });
        EXPECT_GT(harness.compared, 500);
    }

    std::map<Tick, double> played;
};

} // namespace

TEST_F(CasleGateReplayTest, PaidBeforeTheVisitTheGateStaysOpenUnderSwitchOneAndReplays)
{
    GameEvents record;
    record.eventTimes[Event_TimeTravel] = GameEvent_HasHappened;
    record.eventTimes[Casle_Event_Introduced] = GameEvent_HasHappened;
    record.eventTimes[Casle_Event_FeePaid] = GameEvent_HasHappened;
    Casle& c = static_cast<Casle&>(Build(Level_Casle, record));
    ReplayHarness harness(c, keyScript);
    WatchGate(c, harness);
    PressTravelAndCompare(c, harness);
    for (auto const& [t, rise] : played)
        ASSERT_EQ(rise, Casle_EntranceRise) << "the paid gate moved at tick " << t;
}

TEST_F(CasleGateReplayTest, PaidInTheVisitTheGateOpensAtThePaymentAndReplays)
{
    GameEvents record;
    record.eventTimes[Event_TimeTravel] = GameEvent_HasHappened;
    record.eventTimes[Casle_Event_Introduced] = GameEvent_HasHappened;
    record.gems = Casle_EntranceFee;
    Casle& c = static_cast<Casle&>(Build(Level_Casle, record));
    ReplayHarness harness(c, keyScript);
    WatchGate(c, harness);
    Castle_Walker w(c, *c.GetPlayer(), [&harness](std::vector<int> const& held) { return harness.Step(held); });
    w.Idle(20);
    ASSERT_EQ(GateBottom(*c.GetMap()), CastleWriter::Hall_Floor) << "the unpaid gate stands shut";
    w.WalkTo(CastleWriter::Gate_X - 150.0);
    w.Act();
    ASSERT_TRUE(w.WaitFor([&] { return events.gems == 0; }, "the fee taken", 1000));
    Tick const paid = events[Casle_Event_FeePaid];
    w.Idle(2);
    EXPECT_EQ(GateBottom(*c.GetMap()), CastleWriter::Hall_Floor + Casle_EntranceRise);

    PressTravelAndCompare(c, harness);
    for (auto const& [t, rise] : played)
    {
        if (t > paid)
        {
            ASSERT_EQ(rise, Casle_EntranceRise) << "the paid gate moved at tick " << t;
        }
        else if (t < paid)
        {
            ASSERT_EQ(rise, 0.0) << "the gate stood open before the fee at tick " << t;
        }
    }
}

TEST_F(CasleGateReplayTest, UnpaidTheGateRisesUnderSwitchOneFallsShutAndReplays)
{
    GameEvents record;
    record.eventTimes[Event_TimeTravel] = GameEvent_HasHappened;
    Casle& c = static_cast<Casle&>(Build(Level_Casle, record));
    ReplayHarness harness(c, keyScript);
    WatchGate(c, harness);
    PressTravelAndCompare(c, harness);
    double highest = 0.0;
    for (auto const& [t, rise] : played)
        highest = std::max(highest, rise);
    EXPECT_EQ(highest, Casle_EntranceRise) << "door 1 opens the gate under switch 1";
    EXPECT_EQ(played.rbegin()->second, 0.0) << "and lets it fall shut";
}
