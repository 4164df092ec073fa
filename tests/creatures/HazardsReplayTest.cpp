// The replay harness over the spikes, jets, vines and the push-over: the player walks through all
// four zones and pushes the pillar, the vines are dropped stage by stage, and random travel shows
// every tick as it was played.
#include "creatures/CreatureTestSupport.h"
#include "engine/Player.h"

namespace
{

constexpr int Hazards_Steps = 1500;

std::vector<CreatureWorld_Zone> const Hazards_Replay = {CreatureZone_Spikes, CreatureZone_Jets, CreatureZone_Vines,
                                                        CreatureZone_PushOver};

// Right through every zone to the far wall, lingering in the jets' zone on the way, then back.
std::vector<int> HazardsKeys(int step)
{
    if (step < 20 || (step >= 300 && step < 500))
        return {};
    if (step < 1200)
        return {KeyIndex_GameRight};
    return {KeyIndex_GameLeft};
}

} // namespace

class HazardsReplayTest : public CreatureTestSupport
{
protected:
    // Vine 0 to each of its three heights, with hits refused while falling and at its lowest;
    // vine 1 dropped for good; vine 2 hit in vain.
    void PlanHits(Creature_Hitter& hitter)
    {
        Creature_World& w = *world;
        hitter.Plan({100, w.vines[0], 0, 1, 0});
        hitter.Plan({105, w.vines[0], 0, 1, 0});
        hitter.Plan({400, w.vines[0], 20, 1, Target_Hit_FromRight});
        hitter.Plan({700, w.vines[0], 0, 1, 0});
        hitter.Plan({900, w.vines[0], 0, 1, 0});
        hitter.Plan({200, w.vines[1], 10, 1, 0});
        hitter.Plan({600, w.vines[1], 0, 1, 0});
        hitter.Plan({250, w.vines[2], 0, 1, 0});
    }
};

TEST_F(HazardsReplayTest, EveryTickShownAgainMatchesItsRecordingAndFreshRunsEndAlike)
{
    Replay_Digest ends[2];
    for (int run = 0; run < 2; ++run)
    {
        Creature_Hitter hitter;
        ReplayHarness harness = MakeReplay(Hazards_Replay, Fixed_Seed, hitter);
        PlanHits(hitter);
        for (int i = 0; i < Hazards_Steps; ++i)
        {
            harness.Step(HazardsKeys(i));
            // Drawing changes nothing that is watched.
            if (i % 25 == 0)
                world->Plot();
        }
        ends[run] = harness.recorded.at(Hazards_Steps - 1);

        ASSERT_EQ(hitter.made, 8);
        EXPECT_EQ(world->vines[0]->HitCount(), 3);
        EXPECT_EQ(world->vines[1]->HitCount(), 1);
        EXPECT_EQ(world->vines[2]->HitCount(), 0);
        EXPECT_GE(world->pushOver->GetPushTime(), 0) << "the player walked into the pillar";
        for (std::string const object : {"spikes 0", "spikes 1", "spikes 2", "spike ball 0", "spike ball 1"})
            EXPECT_GT(harness.Ticks(object, "hurts"), 0) << object;
        for (std::string const object : {"jet 0", "jet 1", "jet 2", "jet 3"})
        {
            EXPECT_GT(harness.Ticks(object, "hurts near"), 0) << object;
            EXPECT_GT(harness.Ticks(object, "hurts far"), 0) << object;
        }
        if (run == 1)
        {
            world.reset();
            break;
        }

        harness.TravelEachSeed(160);
        EXPECT_EQ(harness.mismatch, "");
        EXPECT_GT(harness.compared, 24 * harness.seedsTravelled);

        // End the travel before the push and play otherwise: the ticks before stay as they were,
        // and the pillar falls again at its tick.
        Tick const pushed = world->pushOver->GetPushTime();
        harness.SteerToRest(pushed - 300, pushed - 150, pushed - 50);
        Tick const branch = world->GetTick();
        ASSERT_GE(branch, pushed - 300);
        ASSERT_LE(branch, pushed - 50);
        ASSERT_EQ(world->GetTimeSpeed(), 0);
        std::map<Tick, Replay_Digest> const firstRun = harness.recorded;
        harness.Step(std::vector<int>{KeyIndex_GameJump});
        ASSERT_FALSE(world->IsTimeTravelling());
        harness.WalkToAndFro(300);
        EXPECT_EQ(world->pushOver->GetPushTime(), pushed);
        EXPECT_GT(world->pushOver->AngleAtTime(world->GetTick()), 1.0);
        harness.TravelEachSeed(80);
        EXPECT_EQ(harness.mismatch, "");
        for (Tick t = 0; t < branch; t += 37)
            EXPECT_EQ(ReplayHarness::Difference(firstRun.at(t), harness.recorded.at(t), t), "");
        world.reset();
    }
    EXPECT_EQ(ReplayHarness::Difference(ends[0], ends[1], Hazards_Steps - 1), "");
}
