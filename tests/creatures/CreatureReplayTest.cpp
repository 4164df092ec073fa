// The replay harness on the creature level: scripted approaches and hits, random travel, a new past
// after a travel, and two fresh runs from one seed.
#include "creatures/CreatureTestSupport.h"
#include "engine/Player.h"

#include <algorithm>

namespace
{

constexpr int Script_Steps = 3000;

std::vector<CreatureWorld_Zone> const Replay_Zones = {CreatureZone_GoblinWall, CreatureZone_GoblinTurn,
                                                      CreatureZone_Rats, CreatureZone_GoblinGroup};

// Right across the zones and back, jumping the walls, then to and fro in the last zone.
std::vector<int> ScriptKeys(Player const* player, int step)
{
    double const x = player->GetPos().x;
    std::vector<int> held;
    if (step < 50)
        return held;
    if (step < 1900)
        held.push_back(x < 3900.0 ? KeyIndex_GameRight : KeyIndex_GameLeft);
    else
        held.push_back((step / 250) % 2 == 0 ? KeyIndex_GameLeft : KeyIndex_GameRight);
    if (step % 40 < 3)
        held.push_back(KeyIndex_GameJump);
    return held;
}

} // namespace

class CreatureReplayTest : public CreatureTestSupport
{
protected:
    // Hits from both sides, ahead of the clock, enough to kill the wall goblin, the group goblin
    // and the one-hit rat.
    void PlanHits(Creature_Hitter& hitter)
    {
        Creature_World& w = *world;
        hitter.Plan({200, w.wallGoblin, 30, 1, Target_Hit_FromRight});
        hitter.Plan({450, w.wallGoblin, 0, 1, 0});
        hitter.Plan({700, w.wallGoblin, 45, 1, Target_Hit_FromRight});
        hitter.Plan({500, w.turnGoblin, 20, 1, 0});
        hitter.Plan({800, w.swappedGoblin, 20, 1, Target_Hit_FromRight});
        hitter.Plan({900, w.freeRat, 15, 1, 0});
        hitter.Plan({1000, w.blockedRat, 15, 1, Target_Hit_FromRight});
        hitter.Plan({1100, w.groupGoblin, 10, 1, 0});
        hitter.Plan({1300, w.groupGoblin, 10, 1, Target_Hit_FromRight});
        hitter.Plan({1700, w.groupGoblin, 40, 1, 0});
    }

    void Play(ReplayHarness& harness, int from, int steps)
    {
        for (int i = from; i < from + steps; ++i)
        {
            harness.Step(ScriptKeys(world->GetPlayer(), i));
            farthest = std::max(farthest, world->GetPlayer()->GetPos().x);
        }
    }

    double farthest = 0.0; // the player's greatest x in play
};

TEST_F(CreatureReplayTest, EveryTickShownAgainMatchesItsRecordingAndANewPastKeepsEarlierTicks)
{
    Creature_Hitter hitter;
    ReplayHarness harness = MakeReplay(Replay_Zones, Fixed_Seed, hitter);
    PlanHits(hitter);
    Play(harness, 0, Script_Steps);
    ASSERT_EQ(hitter.made, 10);
    EXPECT_GT(farthest, CreatureWorld_ZoneX(CreatureZone_GoblinGroup) + GoblinGroup_GateX) << "the walk fell short";
    EXPECT_FALSE(world->wallGoblin->AliveAt(Script_Steps - 1));
    EXPECT_FALSE(world->groupGoblin->AliveAt(Script_Steps - 1));
    EXPECT_FALSE(world->freeRat->AliveAt(Script_Steps - 1));
    EXPECT_TRUE(world->turnGoblin->AliveAt(Script_Steps - 1));

    harness.TravelEachSeed(160);
    EXPECT_EQ(harness.mismatch, "");
    EXPECT_GT(harness.compared, 24 * harness.seedsTravelled);

    // End the travel somewhere in the middle and play otherwise: the ticks before stay as they were.
    harness.SteerToRest(1200, 1400, 1600);
    Tick const branch = world->GetTick();
    ASSERT_GE(branch, 1200);
    ASSERT_LE(branch, 1600);
    std::map<Tick, Replay_Digest> const firstRun = harness.recorded;
    harness.Step(std::vector<int>{KeyIndex_GameJump});
    ASSERT_FALSE(world->IsTimeTravelling());
    harness.WalkToAndFro(400);
    harness.TravelEachSeed(80);
    EXPECT_EQ(harness.mismatch, "");
    for (Tick t = 0; t < branch; t += 97)
    {
        Replay_Digest const now = harness.recorded.at(t);
        EXPECT_EQ(ReplayHarness::Difference(firstRun.at(t), now, t), "");
    }
}

TEST_F(CreatureReplayTest, TwoFreshRunsFromOneSeedEndAlike)
{
    Replay_Digest ends[2];
    for (Replay_Digest& end : ends)
    {
        Creature_Hitter hitter;
        ReplayHarness harness = MakeReplay(Replay_Zones, Fixed_Seed, hitter);
        PlanHits(hitter);
        Play(harness, 0, Script_Steps);
        end = harness.recorded.at(Script_Steps - 1);
        world.reset();
    }
    EXPECT_EQ(ReplayHarness::Difference(ends[0], ends[1], Script_Steps - 1), "");
}
