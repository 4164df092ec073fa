// The replay harness over the zones of the flying, hopping, hanging and hidden creatures.
#include "creatures/CreatureTestSupport.h"
#include "engine/Player.h"

namespace
{

constexpr int Zones_Steps = 3000;

std::vector<CreatureWorld_Zone> const Zones_Replay = {CreatureZone_Vulture, CreatureZone_Cactus, CreatureZone_Shmoo,
                                                      CreatureZone_Spider, CreatureZone_Grethyn};

// From the vulture's beat right past the cacti, the shmoos and the spiders to the grethyns,
// lingering by them, and back again.
std::vector<int> ZonesKeys(Player const* player, int step)
{
    double const x = player->GetPos().x;
    std::vector<int> held;
    if (step < 50)
        return held;
    double const grethyns = CreatureWorld_ZoneX(CreatureZone_Grethyn) + Grethyn_RowX;
    if (step < 2000)
        held.push_back(x < grethyns ? KeyIndex_GameRight : (step / 120) % 2 == 0 ? KeyIndex_GameLeft : -1);
    else
        held.push_back(KeyIndex_GameLeft);
    if (held.back() == -1)
        held.pop_back();
    if (step % 70 < 3)
        held.push_back(KeyIndex_GameJump);
    return held;
}

} // namespace

class CreatureZonesReplayTest : public CreatureTestSupport
{
protected:
    // Kills and hits from both sides and ahead of the clock: a swing while another runs, a hit
    // that starts a cactus's hops and one that comes while it hops.
    void PlanHits(Creature_Hitter& hitter)
    {
        Creature_World& w = *world;
        hitter.Plan({150, w.vultures[0], 20, 1, Target_Hit_FromRight});
        hitter.Plan({300, w.vultures[1], 0, 1, 0});
        hitter.Plan({1200, w.vultures[1], 30, 2, Target_Hit_FromRight});
        hitter.Plan({250, w.cacti[0], 10, 1, 0});
        hitter.Plan({300, w.cacti[0], 10, 1, Target_Hit_FromRight});
        hitter.Plan({1500, w.cacti[1], 25, 1, 0});
        hitter.Plan({400, w.shmoos[1], 15, 1, 0});
        hitter.Plan({450, w.shmoos[3], 15, 1, Target_Hit_FromRight});
        hitter.Plan({500, w.spiders[0], 20, 1, Target_Hit_FromRight});
        hitter.Plan({600, w.spiders[2], 0, 1, 0});
        hitter.Plan({650, w.spiders[2], 0, 1, Target_Hit_FromRight});
        hitter.Plan({720, w.spiders[1], 0, 1, Target_Hit_FromRight});
    }

    void Play(ReplayHarness& harness)
    {
        for (int i = 0; i < Zones_Steps; ++i)
            harness.Step(ZonesKeys(world->GetPlayer(), i));
    }
};

TEST_F(CreatureZonesReplayTest, EveryTickShownAgainMatchesItsRecordingAndFreshRunsEndAlike)
{
    Replay_Digest ends[2];
    for (int run = 0; run < 2; ++run)
    {
        Creature_Hitter hitter;
        ReplayHarness harness = MakeReplay(Zones_Replay, Fixed_Seed, hitter);
        PlanHits(hitter);
        Play(harness);
        ends[run] = harness.recorded.at(Zones_Steps - 1);
        // The player came by every kind: the grethyns bit, the far cactus hopped before its death.
        EXPECT_GT(harness.Ticks("grethyn 0", "chomping"), 0);
        EXPECT_GT(harness.Ticks("cactus 1", "frame"), 0);
        EXPECT_GT(harness.Ticks("shmoo 0", "up"), 0);
        ASSERT_EQ(hitter.made, 12);
        Tick const end = Zones_Steps - 1;
        EXPECT_FALSE(world->vultures[0]->ShownAt(end));
        EXPECT_FALSE(world->vultures[1]->AliveAt(end));
        EXPECT_TRUE(world->cacti[1]->IsDead(end));
        EXPECT_FALSE(world->spiders[0]->AliveAt(end));
        EXPECT_FALSE(world->shmoos[3]->AliveAt(end));
        if (run == 1)
        {
            world.reset();
            break;
        }

        harness.TravelEachSeed(160);
        EXPECT_EQ(harness.mismatch, "");
        EXPECT_GT(harness.compared, 24 * harness.seedsTravelled);

        // End the travel in the middle and play otherwise: the ticks before stay as they were.
        // Holding back while past the middle, then letting the travel coast to rest.
        harness.ComeToRestBy(1500);
        Tick const branch = world->GetTick();
        std::map<Tick, Replay_Digest> const firstRun = harness.recorded;
        harness.Step(std::vector<int>{KeyIndex_GameJump});
        ASSERT_FALSE(world->IsTimeTravelling());
        harness.WalkToAndFro(400);
        harness.TravelEachSeed(80);
        EXPECT_EQ(harness.mismatch, "");
        for (Tick t = 0; t < branch; t += 97)
            EXPECT_EQ(ReplayHarness::Difference(firstRun.at(t), harness.recorded.at(t), t), "");
        world.reset();
    }
    EXPECT_EQ(ReplayHarness::Difference(ends[0], ends[1], Zones_Steps - 1), "");
}
