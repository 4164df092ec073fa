// The replay harness over the rock-throwing goblin, the splitting shmoos and the imps.
#include "creatures/CreatureTestSupport.h"
#include "engine/Player.h"
#include "engine/TimeSet.h"
#include "tools/creatures/CreatureSizes.h"

namespace
{

constexpr int Standing_Steps = 4600;

std::vector<CreatureWorld_Zone> const Standing_Zones = {CreatureZone_GoblinDefend, CreatureZone_SplitShmoo,
                                                        CreatureZone_Imp};

// To and fro past the goblin long enough for it to throw, on to the shmoos and to and fro among
// them so that every generation rests and splits, past the imps and back the whole way.
std::vector<int> StandingKeys(Player const* player, int step)
{
    double const x = player->GetPos().x;
    double const goblin = CreatureWorld_ZoneX(CreatureZone_GoblinDefend) + GoblinDefend_X;
    double const shmoos = CreatureWorld_ZoneX(CreatureZone_SplitShmoo);
    double const imps = CreatureWorld_ZoneX(CreatureZone_Imp);
    // Towards the first limit in even periods, the second in odd ones.
    auto const toAndFro = [&](int period, double right, double left) {
        return (step / period) % 2 == 0 ? (x < right ? KeyIndex_GameRight : -1) : (x > left ? KeyIndex_GameLeft : -1);
    };
    std::vector<int> held;
    if (step < 50)
        return held;
    if (step < 1300)
        held.push_back(toAndFro(250, goblin + 200, goblin - 200));
    else if (step < 1900)
        held.push_back(x < shmoos + 100 ? KeyIndex_GameRight : -1);
    else if (step < 3500)
        held.push_back(toAndFro(150, shmoos + 950, shmoos + 50));
    else if (step < 4000)
        held.push_back(x < imps + 900 ? KeyIndex_GameRight : -1);
    else
        held.push_back(x > goblin - 350 ? KeyIndex_GameLeft : -1);
    if (held.back() == -1)
        held.pop_back();
    if (step % 90 < 3)
        held.push_back(KeyIndex_GameJump);
    return held;
}

} // namespace

class StandingCreaturesReplayTest : public CreatureTestSupport
{
protected:
    // Hits from both sides on the goblin, always 10 or more ticks ahead of the clock as a thrown
    // blade's are (a block reaches 10 ticks back from its hit); a split by a light hit and the
    // death of a whole branch; the imps killed at once, in two hits and late.
    void PlanHits(Creature_Hitter& hitter)
    {
        Creature_World& w = *world;
        for (int i = 0; i < 16; ++i)
            hitter.Plan({Tick(1000 + 40 * i), w.goblinDefend, 10 + i % 3, 1, i % 2 == 0 ? Target_Hit_FromRight : 0u});
        SplitShmoo* home = w.splitShmoos[1];
        hitter.Plan({2000, home->GetShmoo(0), 10, 1, 0});
        hitter.Plan({2400, home->GetShmoo(1), 20, 16, Target_Hit_FromRight});
        hitter.Plan({3600, w.imps[0], 10, Imp_HitPoints, 0});
        hitter.Plan({3700, w.imps[1], 0, 1, 0});
        hitter.Plan({3720, w.imps[1], 5, 1, Target_Hit_FromRight});
        hitter.Plan({4100, w.imps[2], 15, Imp_HitPoints, 0});
    }
};

TEST_F(StandingCreaturesReplayTest, ThrowsBlocksSplitsAndDeathsShowAsRecordedWhateverTheTravel)
{
    Creature_Hitter hitter;
    ReplayHarness harness = MakeReplay(Standing_Zones, Fixed_Seed, hitter);
    PlanHits(hitter);
    // Its activity radius is four times the width of its first frame.
    Pointf centre;
    double radius = 0.0;
    double scale = 0.0;
    ASSERT_TRUE(world->goblinDefend->ActivePoint(centre, radius, scale));
    EXPECT_EQ(radius, 4.0 * CreatureSize_GoblinDefend.width);
    for (int i = 0; i < Standing_Steps; ++i)
        harness.Step(StandingKeys(world->GetPlayer(), i));
    ASSERT_EQ(hitter.made, 22);

    // The goblin threw, blocked and died; the wide shmoo split down to its last generation; the
    // light hit split the other, whose first half died whole; every imp died.
    Tick const end = Standing_Steps - 1;
    GoblinDefend const* goblin = world->goblinDefend;
    EXPECT_GT(goblin->RockCount(), 0);
    EXPECT_TRUE(goblin->BlockTimes()->CheckRange(TimeRange(0, end)));
    EXPECT_FALSE(goblin->AliveAt(end));
    ShmoosInfo const* wide = world->splitShmoos[0]->GetTree();
    for (int i = 0; i <= ShmoosInfo::Shmoo_Last_Splitter; ++i)
        EXPECT_NE(wide->nodes[i].splitTime, -1) << "blob " << i;
    ShmoosInfo const* home = world->splitShmoos[1]->GetTree();
    EXPECT_EQ(home->nodes[0].splitTime, 2010);
    for (int i : {1, 3, 4, 7, 8, 9, 10})
        EXPECT_FALSE(world->splitShmoos[1]->GetShmoo(i)->AliveAt(end)) << "blob " << i;
    EXPECT_TRUE(world->splitShmoos[1]->GetShmoo(2)->AliveAt(end));
    for (Imp const* imp : world->imps)
        EXPECT_FALSE(imp->MovedAt(end));
    int const rocks = goblin->RockCount();
    // Seen in the recording: rocks in the air, the wind-up and block frames, the last generation
    // in flight and hurting, the imps hurting.
    EXPECT_GT(harness.Ticks("rock goblin", "rocks"), 0);
    EXPECT_GT(harness.Ticks("rock goblin", "frame"), 0);
    EXPECT_GT(harness.Ticks("split shmoo 0 blob 14", "flying"), 0);
    EXPECT_GT(harness.Ticks("split shmoo 0 blob 14", "hurts"), 0);
    EXPECT_GT(harness.Ticks("imp 0", "hurts"), 0);

    harness.TravelEachSeed(200);
    EXPECT_EQ(harness.mismatch, "");
    EXPECT_GT(harness.compared, 24 * harness.seedsTravelled);

    // Ended in the middle and played otherwise: the ticks before stay as they were, the goblin
    // adds no rock on ticks it has lived near the player, and the new branch replays too.
    harness.ComeToRestBy(2600);
    Tick const branch = world->GetTick();
    std::map<Tick, Replay_Digest> const firstRun = harness.recorded;
    harness.Step(std::vector<int>{KeyIndex_GameJump});
    ASSERT_FALSE(world->IsTimeTravelling());
    harness.WalkToAndFro(400);
    EXPECT_EQ(goblin->RockCount(), rocks);
    harness.TravelEachSeed(80);
    EXPECT_EQ(harness.mismatch, "");
    for (Tick t = 0; t < branch; t += 37)
        EXPECT_EQ(ReplayHarness::Difference(firstRun.at(t), harness.recorded.at(t), t), "");
}
