// The castle's entrance gate, which the owner's fee opens and switch 1 works as door 1: played with
// the fee paid before the visit and paid in it, switch 1 pressed and let go, then travelled through;
// the gate stands at every tick shown again where it stood when played, and once the fee is paid it
// stands open at every tick, before the payment too, and paying again costs nothing.
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

class CasleGateReplayTest : public MutedWorldFixture
{
protected:
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
            {
                // What was played after t is no longer the future.
                played.erase(played.upper_bound(t), played.end());
                played[t] = rise;
            }
        });
    }

    // From the payment on the gate stands open at every tick, those played shut before it too:
    // that is what a travel back shows there.
    static void OpenRecordedGate(ReplayHarness& harness)
    {
        for (auto& [t, digest] : harness.recorded)
            for (Replay_Field& field : digest)
                if (field.object == "gate" && field.field == "rise")
                    field.value = Casle_EntranceRise;
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

TEST_F(CasleGateReplayTest, PaidInTheVisitTheGateStandsOpenAtEveryTickAndPayingAgainCostsNothing)
{
    GameEvents record;
    record.eventTimes[Event_TimeTravel] = GameEvent_HasHappened;
    record.eventTimes[Casle_Event_Introduced] = GameEvent_HasHappened;
    record.gems = 2 * Casle_EntranceFee;
    Casle& c = static_cast<Casle&>(Build(Level_Casle, record));
    ReplayHarness harness(c, keyScript);
    WatchGate(c, harness);
    std::map<Tick, double> unpaid; // played before the first payment
    std::map<Tick, double> shown;  // shown again by a travel
    harness.Watch([&](Tick t, Replay_Digest&) {
        double const rise = GateBottom(*c.GetMap()) - CastleWriter::Hall_Floor;
        if (c.IsTimeTravelling())
            shown[t] = rise;
        else if (events[Casle_Event_FeePaid] == GameEvent_HasntHappened)
            unpaid[t] = rise;
    });
    Castle_Walker w(c, *c.GetPlayer(), [&harness](std::vector<int> const& held) { return harness.Step(held); });
    // Late enough for a talk after a travel back to be over before the first one begins.
    w.Idle(1000);
    ASSERT_EQ(GateBottom(*c.GetMap()), CastleWriter::Hall_Floor) << "the unpaid gate stands shut";
    w.WalkTo(CastleWriter::Hall_TalkX);
    w.Act();
    ASSERT_TRUE(w.WaitFor([&] { return events.gems == Casle_EntranceFee; }, "the fee taken", 1000));
    Tick const paid = events[Casle_Event_FeePaid];
    w.Idle(2);
    EXPECT_EQ(GateBottom(*c.GetMap()), CastleWriter::Hall_Floor + Casle_EntranceRise);
    OpenRecordedGate(harness);

    // Back to before the talk: the gate stands open there, and the owner, asked again, takes
    // nothing for the stamp he moves earlier.
    w.TravelBackTo(200);
    ASSERT_EQ(w.stuck, "");
    ASSERT_EQ(harness.mismatch, "");
    Tick const again = c.GetTick();
    EXPECT_LT(again, paid);
    EXPECT_EQ(GateBottom(*c.GetMap()), CastleWriter::Hall_Floor + Casle_EntranceRise) << "shut again before the fee";
    w.WalkTo(CastleWriter::Hall_TalkX);
    w.Act();
    ASSERT_TRUE(w.WaitFor([&] { return events[Casle_Event_FeePaid] < paid; }, "the fee paid again", 1000))
        << w.stuck;
    EXPECT_EQ(events.gems, Casle_EntranceFee) << "the second payment took gems";
    // And the way through the open gate before the first payment.
    w.WalkPast(CastleWriter::Gate_X + 40.0, 1, 600);
    w.Settle();
    EXPECT_EQ(w.stuck, "");
    EXPECT_LT(events[Casle_Event_FeePaid], paid);

    PressTravelAndCompare(c, harness);
    ASSERT_FALSE(unpaid.empty());
    for (auto const& [t, rise] : unpaid)
        ASSERT_EQ(rise, 0.0) << "the gate stood open before the fee at tick " << t;
    ASSERT_TRUE(std::any_of(shown.begin(), shown.end(), [&](auto const& s) { return s.first < paid; }));
    for (auto const& [t, rise] : shown)
        ASSERT_EQ(rise, Casle_EntranceRise) << "a travel showed the paid gate moved at tick " << t;
    for (auto const& [t, rise] : played)
    {
        if (t >= again)
        {
            ASSERT_EQ(rise, Casle_EntranceRise) << "the gate played after the travel moved at tick " << t;
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
