// The whole den under random travel: every object and enemy, the dragon's head, flames, rocks and hit points,
// the hearts and the past selves shown again as they were played, once in a fight from the throwing spot with
// past selves throwing beside the hero and once by random keys after the road.
#include "final/FinalReplayWatch.h"
#include "final/FinalWorldSupport.h"
#include "support/RandomSeed.h"
#include "support/WorldReplay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace
{

class FinalWorldReplayTest : public FinalWorldFixture
{
};

} // namespace

TEST_F(FinalWorldReplayTest, AFightFromTheSpotWithTravelsBackShowsEveryTickAgainAsPlayed)
{
    unsigned const fresh = TestSeed();
    for (unsigned const seed : TestSeedRun(TestSeeds_Long, fresh))
    {
        SCOPED_TRACE((seed == fresh ? "fresh seed: HM_TEST_SEED=" : "seed ") + std::to_string(seed));
        std::mt19937 random(seed);
        Final& den = Den();
        ReplayHarness harness(den, keyScript);
        ReplayWatch_Selves(harness, den.GetTimeFrames());
        WorldReplay_Record record(harness, den);
        ReplayWatch_Dragon(harness, den.GetDragon());

        auto step = [&](std::vector<int> const& held) { return harness.Step(held); };
        RoadWalker walker(den, RoadWalker::WorldRoad(Level_Final, "throwing spot"));
        ASSERT_TRUE(walker.Walk(step).done) << walker.Report();
        // Three rounds of throwing, each followed by random travel and a new timeline from where
        // it came to rest, in which the past selves throw again beside the hero.
        int throws = 0;
        for (int round = 0; round < 3; ++round)
        {
            for (int i = 0; i < 600; ++i)
                ASSERT_EQ(step(FinalThrowKeys(throws++)), Level_Continue) << "round " << round;
            harness.Travel(random, 600);
            step({KeyIndex_GameJump});
            step({});
        }
        EXPECT_EQ(record.mismatch, "");
        EXPECT_EQ(harness.mismatch, "");
        EXPECT_GT(record.compared, 300);
        EXPECT_GE(den.GetTimeFrames()->Count(), 3);
        int lowest = Final_Dragon::Dragon_HitPoints;
        for (Tick t = 0; t < Final_Dragon::Dragon_FullCycle_Time; ++t)
            lowest = std::min(lowest, den.GetDragon()->GetHitPoints(t));
        EXPECT_LT(lowest, Final_Dragon::Dragon_HitPoints - 100) << "too few throws hit";
        EXPECT_EQ(den.GetFinishCounter(), -1);
        if (HasFailure())
            break;
    }
}

TEST_F(FinalWorldReplayTest, RandomPlayAfterTheRoadShowsEveryTickAgainAsPlayed)
{
    WorldReplay_Options options;
    options.road = "throwing spot";
    options.prepare = [](ReplayHarness& harness, World_Base& built) {
        ReplayWatch_Dragon(harness, static_cast<Final&>(built).GetDragon());
    };
    WorldReplay::Run(*this, Level_Final, Seasoned(), options);
}
