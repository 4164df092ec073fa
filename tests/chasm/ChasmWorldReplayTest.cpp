// The whole canyon under the replay harness: along the generator's road with the kit's whole-world
// run, and the road played with the fan and without it across the flowers, on past
// the first bats' flock, then random travel; every object shows every tick again as it was played.
#include "chasm/ChasmWorldSupport.h"
#include "chasm/Chasm_FireBall.h"
#include "creatures/Bat.h"
#include "creatures/Bat_Group.h"
#include "creatures/Jet.h"
#include "creatures/Shmoo.h"
#include "creatures/Spider.h"
#include "creatures/Vine.h"
#include "creatures/Vulture.h"
#include "creatures/Wasp.h"
#include "creatures/Zoveduv.h"
#include "engine/Chest.h"
#include "engine/PickUp.h"
#include "engine/Target.h"
#include "support/RandomSeed.h"
#include "support/ReplayHarness.h"
#include "support/WorldReplay.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>

namespace
{

// Folds the values shown of a whole kind of object into one number, so that the digest of a tick
// stays small; a value that differs changes it.
class Fold
{
public:
    void Add(double v)
    {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &v, sizeof bits);
        for (int i = 0; i < 8; ++i, bits >>= 8)
            hash = (hash ^ (bits & 0xFF)) * 1099511628211ull;
    }
    void Add(Pointf p)
    {
        Add(p.x);
        Add(p.y);
    }
    // Exactly representable as a double.
    double Value() const { return static_cast<double>(hash >> 11); }

private:
    std::uint64_t hash = 14695981039346656037ull;
};

template <class T>
void FoldTarget(Fold& f, T const* target, Map const* map, Tick t)
{
    Pointf at(0.0, 0.0);
    f.Add(target->GetTargetPos(map, t, at) ? 1.0 : 0.0);
    f.Add(at);
}

// Every object of the canyon by kind, each asked for its state at the tick (not for what it was
// last moved to: the objects far from the view are not moved), and the road's flowers and the fan
// one by one.
void ReplayWatch_Canyon(ReplayHarness& harness, Chasm* w)
{
    Map const* map = w->GetMap();
    harness.Lockable("takeable");
    harness.Watch([w, map](Tick t, Replay_Digest& d) {
        Fold flowers, balls, vultures, bats, wasps, spiders, shmoos, vines, jets, grethyns, pickups, chests;
        for (int i = 0; i < Chasm_Hangon_Count; ++i)
            flowers.Add(w->GetHangOn(i)->PosAtTime(t));
        for (int i = 0; i < Chasm_FireBall_Count; ++i)
            if (Chasm_FireBall const* ball = w->GetFireBall(i))
            {
                Pointf at(0.0, 0.0);
                balls.Add(ball->GetPosAtTime(t, &at) ? 1.0 : 0.0);
                balls.Add(at);
                balls.Add(ball->HeadingAt(t));
            }
        for (int i = 0; i < Chasm_Vulture_Count; ++i)
            FoldTarget(vultures, w->GetVulture(i), map, t);
        for (int i = 0; i < Chasm_Bat_Count; ++i)
            FoldTarget(bats, w->GetBat(i), map, t);
        for (int i = 0; i < Chasm_Wasp_Count; ++i)
            FoldTarget(wasps, w->GetWasp(i), map, t);
        for (int i = 0; i < Chasm_Spider_Count; ++i)
            FoldTarget(spiders, w->GetSpider(i), map, t);
        for (int i = 0; i < Chasm_Shmoo_Count; ++i)
        {
            int up = 0;
            shmoos.Add(w->GetShmoo(i)->PositionAtTime(t, &up, false));
            shmoos.Add(up);
        }
        for (int i = 0; i < Chasm_Vine_Count; ++i)
            vines.Add(w->GetVine(i)->GetPosAtTime(t));
        for (int i = 0; i < Chasm_Jet_Count; ++i)
            jets.Add(w->GetJet(i)->CycleAt(t));
        for (int i = 0; i < Chasm_Grethyn_Count; ++i)
        {
            Tick age = 0;
            grethyns.Add(w->GetGrethyn(i)->IsAttacking(t, &age) ? 1.0 + age : 0.0);
        }
        for (int i = 0; i < Chasm_PickUp_Count; ++i)
        {
            Pointf at(0.0, 0.0);
            double rotation = 0.0;
            pickups.Add(w->GetPickUp(i)->DrawnAt(t, at, rotation) ? 1.0 : 0.0);
            pickups.Add(at);
            pickups.Add(rotation);
        }
        for (int i = 0; i < Chasm_Chest_Count; ++i)
            if (Chest const* chest = w->GetChest(i))
                chests.Add(chest->ShownAt(t));
        std::pair<char const*, Fold const*> const kinds[] = {
            {"flowers", &flowers}, {"fireballs", &balls},   {"vultures", &vultures}, {"bats", &bats},
            {"wasps", &wasps},     {"spiders", &spiders},   {"shmoos", &shmoos},     {"vines", &vines},
            {"jets", &jets},       {"grethyns", &grethyns}, {"pick-ups", &pickups},  {"chests", &chests}};
        for (auto const& [name, fold] : kinds)
            ReplayHarness::Add(d, name, "all", fold->Value());

        for (int k = 0; k < Chasm_RoadFlower_Count; ++k)
        {
            std::string const name = "road flower " + std::to_string(k);
            Pointf const at = w->GetHangOn(Chasm_RoadFlowerSlot + k)->PosAtTime(t);
            ReplayHarness::Add(d, name, "x", at.x);
            ReplayHarness::Add(d, name, "y", at.y);
        }
        Collectable const* fan = w->GetFan();
        Pointf const at = fan->GetPosAtTime(t);
        ReplayHarness::Add(d, "fan", "x", at.x);
        ReplayHarness::Add(d, "fan", "y", at.y);
        ReplayHarness::Add(d, "fan", "takeable", fan->CanCollectAtTime(t));
    });
    ReplayWatch_Selves(harness, w->GetTimeFrames());
}

} // namespace

TEST_F(ChasmWorld, TheWholeCanyonReplaysAlongTheRoad)
{
    WorldReplay_Options options;
    options.road = "exit";
    options.seeds = {1};
    // Asked at the tick: the objects far from the view are not moved to it.
    options.prepare = [](ReplayHarness& harness, World_Base& w) {
        ReplayWatch_Canyon(harness, &dynamic_cast<Chasm&>(w));
    };
    WorldReplay::Run(*this, Level_Chasm, events, options);
}

TEST_F(ChasmWorld, TheWholeCanyonShowsEveryTickAgainAsPlayedUnderRandomTravel)
{
    unsigned const fresh = TestSeed();
    for (unsigned const seed : TestSeedRun(TestSeeds_Long, fresh))
    {
        SCOPED_TRACE("HM_TEST_SEED=" + std::to_string(seed));
        std::mt19937 random(seed);
        Chasm& chasm = Make();
        ReplayHarness harness(chasm, keyScript);
        ReplayWatch_Canyon(harness, &chasm);

        // With the fan over the first three flowers, without it over the rest, and on past the
        // point that wakes the first flock.
        ChasmRoad road = RoadTo(ChasmWriter::Columns()[12].x0 + 100.0, true, 3);
        int steps = 0;
        for (; !road.Done() && steps < 4000; ++steps)
            ASSERT_EQ(harness.Step(road.Next(chasm)), Level_Continue) << "step " << steps;
        ASSERT_TRUE(road.Done()) << "the walk stuck";
        Chasm_HangOn const* first = chasm.GetHangOn(Chasm_RoadFlowerSlot);
        Chasm_HangOn const* last = chasm.GetHangOn(Chasm_Hangon_Count - 1);
        EXPECT_GT(first->FanTimes().Count(Level_TotalTime), 0);
        EXPECT_EQ(last->FanTimes().Count(Level_TotalTime), 0);
        EXPECT_GT(last->HangTimes().Count(Level_TotalTime), 0);
        EXPECT_TRUE(chasm.GetBatGroup(1)->Woken());

        harness.Travel(random, 1200);
        // Play on from where the travel left the clock, and travel again over both timelines.
        harness.Step(std::vector<int>{KeyIndex_GameJump});
        harness.WalkToAndFro(300);
        harness.Travel(random, 800);
        EXPECT_EQ(harness.mismatch, "");
        EXPECT_GT(harness.compared, 1000);
        Destroy();
    }
}
