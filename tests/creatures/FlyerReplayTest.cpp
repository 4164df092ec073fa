// The replay harness over the mozzies' and the wavy blobs' zones: recorded dives, arm and body hits, shaking and dying.
#include "creatures/CreatureTestSupport.h"
#include "engine/Player.h"

namespace
{

constexpr int Flyer_Steps = 2200;

std::vector<CreatureWorld_Zone> const Flyer_Zones = {CreatureZone_Mozzy, CreatureZone_WavyBlob};

// Lingers under the mozzies' beat while they live, then walks over to the wavy blobs.
std::vector<int> FlyerKeys(Player const* player, int step)
{
    std::vector<int> held;
    if (step < 50)
        return held;
    double const x = player->GetPos().x;
    double const beat = CreatureWorld_ZoneX(CreatureZone_Mozzy) + Mozzy_BeatX + Mozzy_BeatWidth / 2.0;
    if (step < 1500)
    {
        if (x < beat - 80.0)
            held.push_back(KeyIndex_GameRight);
        else if (x > beat + 80.0)
            held.push_back(KeyIndex_GameLeft);
        else if ((step / 40) % 3 != 2)
            held.push_back((step / 40) % 3 == 0 ? KeyIndex_GameLeft : KeyIndex_GameRight);
    }
    else if (x < CreatureWorld_ZoneX(CreatureZone_WavyBlob) + WavyBlob_RowX + WavyBlob_RowGap / 2.0)
        held.push_back(KeyIndex_GameRight);
    return held;
}

} // namespace

class FlyerReplayTest : public CreatureTestSupport
{
protected:
    // Hits land ahead of the clock, as thrown ones do. Arm hits in and out of their colour's phase, bodies hit while
    // open and while shut, a hit that kills each blob while it shakes, and both mozzies killed, one of them in two
    // hits.
    void PlanHits(Creature_Hitter& hitter)
    {
        Creature_World& w = *world;
        WavyBlob* coloured = w.wavyBlobs[0];
        WavyBlob* grey = w.wavyBlobs[1];
        WavyBlob* moving = w.wavyBlobs[2];
        hitter.Plan({100, coloured->GetArm(0), 10, 1, 0}); // blue, in the blue phase
        hitter.Plan({150, coloured, 10, 1, Target_Hit_FromRight});
        // Green while the dead blue arm's phase shows red: nothing.
        hitter.Plan({200, coloured->GetArm(2), 10, 1, 0});
        hitter.Plan({600, coloured->GetArm(1), 20, 1, 0});
        hitter.Plan({650, coloured, 20, 1, 0});
        hitter.Plan({250, grey, 0, 1, 0}); // shut
        hitter.Plan({300, grey->GetArm(2), 5, 1, Target_Hit_FromRight});
        hitter.Plan({320, grey, 15, 1, 0});
        hitter.Plan({400, moving->GetArm(1), 5, 1, 0});
        hitter.Plan({450, moving->GetArm(1), 5, 1, 0});
        hitter.Plan({470, moving, 10, 1, 0});
        hitter.Plan({800, w.mozzies[0], 10, 1, 0});
        hitter.Plan({1200, w.mozzies[1], 0, 1, Target_Hit_FromRight});
        hitter.Plan({1400, w.mozzies[1], 20, 1, 0});
    }
};

TEST_F(FlyerReplayTest, EveryTickShownAgainMatchesItsRecordingAndFreshRunsEndAlike)
{
    Replay_Digest ends[2];
    for (int run = 0; run < 2; ++run)
    {
        Creature_Hitter hitter;
        ReplayHarness harness = MakeReplay(Flyer_Zones, Fixed_Seed, hitter);
        PlanHits(hitter);
        for (int i = 0; i < Flyer_Steps; ++i)
            harness.Step(FlyerKeys(world->GetPlayer(), i));
        ends[run] = harness.recorded.at(Flyer_Steps - 1);

        ASSERT_EQ(hitter.made, 14);
        Tick const end = Flyer_Steps - 1;
        EXPECT_GT(world->mozzies[0]->AttackCount() + world->mozzies[1]->AttackCount(), 0);
        EXPECT_FALSE(world->mozzies[0]->AliveAt(end));
        EXPECT_TRUE(world->mozzies[1]->AliveAt(1419));
        EXPECT_FALSE(world->mozzies[1]->AliveAt(1421));
        for (WavyBlob const* blob : world->wavyBlobs)
            EXPECT_FALSE(blob->ShownAt(end));
        EXPECT_EQ(world->wavyBlobs[0]->GetArm(2)->GetHitPoints(end, 1), 1);
        EXPECT_FALSE(world->wavyBlobs[0]->GetArm(1)->AliveAt(621));
        EXPECT_EQ(world->wavyBlobs[1]->GetHitPoints(300, 1), 1);
        if (run == 1)
            break;

        harness.TravelEachSeed(200);
        EXPECT_EQ(harness.mismatch, "");
        EXPECT_GT(harness.compared, 48 * harness.seedsTravelled);
    }
    world.reset();
    EXPECT_EQ(ReplayHarness::Difference(ends[0], ends[1], Flyer_Steps - 1), "");
}
