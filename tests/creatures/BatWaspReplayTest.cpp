// The replay harness over the bats' and wasps' zones: flocks woken by approach and by a hit, a dodge
// after travelling back, bats killed in flight and on the roost, wasps killed.
#include "creatures/CreatureTestSupport.h"
#include "engine/Player.h"

namespace
{

constexpr int BatWasp_Steps = 1600;
constexpr int BatWasp_Wait = 150;   // steps the player stands still before walking to the flock
constexpr Tick BatWasp_Branch = 60; // where play starts again after the first travels, long before the wake

std::vector<CreatureWorld_Zone> const Zones_BatWasp = {CreatureZone_Bats, CreatureZone_Wasps};

// Right under the flock and on past the lone bat into the wasps, then back again.
std::vector<int> BatWaspKeys(int step)
{
    std::vector<int> held;
    if (step < BatWasp_Wait)
        return held;
    held.push_back(step < 1100 ? KeyIndex_GameRight : KeyIndex_GameLeft);
    if (step % 90 < 3)
        held.push_back(KeyIndex_GameJump);
    return held;
}

} // namespace

class BatWaspReplayTest : public CreatureTestSupport
{
protected:
    // Kills in flight and on the roost, a hit that wakes the lone bat's flock, wasps of every size.
    void PlanHits(Creature_Hitter& hitter, Tick woken)
    {
        Creature_World& w = *world;
        hitter.Plan({woken + 40, w.bats[5], 10, 1, 0});
        hitter.Plan({woken + 120, w.bats[1], 3, 1, Target_Hit_FromRight});
        hitter.Plan({woken + 150, w.bats[0], 5, 1, 0});
        hitter.Plan({woken + 180, w.bats[0], 5, 1, Target_Hit_FromRight});
        hitter.Plan({300, w.wasps[0], 8, 1, 0});
        for (Tick at : {400, 420, 440})
            hitter.Plan({at, w.wasps[1], 4, 1, Target_Hit_FromRight});
        hitter.Plan({500, w.wasps[2], 12, 1, 0});
        hitter.Plan({600, w.wasps[3], 6, 1, 0});
        hitter.Plan({700, w.wasps[3], 6, 1, 0});
    }

    // Travels back to tick to and ends the travel there.
    void BranchAt(ReplayHarness& harness, Tick to)
    {
        harness.ComeToRestBy(to);
        harness.Step(std::vector<int>{KeyIndex_GameJump});
        ASSERT_FALSE(world->IsTimeTravelling());
    }
};

TEST_F(BatWaspReplayTest, EveryTickShownAgainMatchesItsRecording)
{
    Creature_Hitter hitter;
    ReplayHarness harness = MakeReplay(Zones_BatWasp, Fixed_Seed, hitter);
    Creature_World& w = *world;
    Map const* map = w.GetMap();

    int step = 0;
    while (!w.batFlock->Woken())
        harness.Step(BatWaspKeys(step++));
    Tick const woken = w.GetTick() - 1;
    ASSERT_GT(woken, BatWasp_Wait);
    PlanHits(hitter, woken);
    while (step < BatWasp_Steps)
        harness.Step(BatWaspKeys(step++));
    ASSERT_EQ(hitter.made, 11);

    // Woken by the approach, each bat after the one before; the lone one by the hit that killed it.
    for (std::size_t i = 0; i + 1 < w.bats.size(); ++i)
        EXPECT_GE(w.bats[i]->WakeTick(), woken) << "bat " << i;
    EXPECT_TRUE(w.loneFlock->Woken());
    EXPECT_EQ(w.bats[5]->WakeTick(), woken + 50);
    Tick const end = w.GetTick() - 1;
    EXPECT_FALSE(w.bats[0]->AliveAt(end));
    EXPECT_TRUE(w.bats[1]->AliveAt(end));
    EXPECT_EQ(w.bats[1]->GetPosition(), w.Ref(CreatureZone_Bats, BatsRef_PathA + 2 * (Bat_PathAWaypoints - 1)))
        << "it rests where its path ends";
    EXPECT_FALSE(w.bats[5]->ShownAt(end));
    for (Wasp const* wasp : w.wasps)
        EXPECT_FALSE(wasp->AliveAt(end));

    harness.TravelEachSeed(120);
    EXPECT_EQ(harness.mismatch, "");
    EXPECT_GT(harness.compared, 15 * harness.seedsTravelled);

    // Back before the recorded wake, a hit on a roosting bat is dodged; a second soon after is not.
    BranchAt(harness, BatWasp_Branch);
    Tick const branch = w.GetTick();
    Bat* dodger = w.bats[2];
    hitter.Plan({branch + 1, dodger, 25, 1, 0});
    hitter.Plan({branch + 11, dodger, 25, 1, 0});
    for (int i = 0; i < 500; ++i)
        harness.Step(BatWaspKeys(step++));
    ASSERT_EQ(hitter.made, 13);
    EXPECT_TRUE(dodger->AliveAt(w.GetTick() - 1));
    Tick const lowest = branch + 1 + 25; // half way round the circle
    EXPECT_NEAR(dodger->PositionAtTime(map, lowest, nullptr, nullptr).y, dodger->GetRoost().y - 20.0, 1e-9);
    EXPECT_EQ(dodger->PositionAtTime(map, lowest + 30, nullptr, nullptr), dodger->GetRoost());

    harness.TravelEachSeed(80);
    EXPECT_EQ(harness.mismatch, "");
    world.reset();
}
