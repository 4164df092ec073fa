// The dungeon's objects in a small level: a ball carried to the podium, the swivel's switch pressed, a past
// self carrying the ball again while the player carries the other, then random travel over it all.
#include "engine/Poly.h"
#include "killig/KiligScene.h"
#include "killig/KiligSupport.h"
#include "support/GroupTestSupport.h"
#include "support/LevelFixture.h"
#include "support/RandomSeed.h"
#include "support/ReplayHarness.h"
#include "support/ReplayLevelFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace
{

// Stages of scripted play: walking to a point and stopping there, or standing a number of steps,
// with taps of the action key.
struct Kilig_Stage
{
    double target; // the x to walk to and stop at, or NaN to stand
    int tapAt;     // the action key is held 3 steps from this step of the stage, or -1
    int steps;     // the least steps of the stage
};

constexpr double Stand = std::numeric_limits<double>::quiet_NaN();

class Kilig_Script
{
public:
    explicit Kilig_Script(std::vector<Kilig_Stage> list) : stages(std::move(list)) {}

    std::vector<int> Next(Player const* player)
    {
        std::vector<int> held;
        if (stage >= stages.size())
            return held;
        Kilig_Stage const& s = stages[stage];
        bool arrived = true;
        if (!std::isnan(s.target))
        {
            // Walks on while it would stop short of the target at the player's braking, backs up
            // after an overshoot.
            double const x = player->GetPos().x;
            double const v = player->speed;
            double const ahead = s.target - x - v * std::fabs(v) / 0.8;
            if (ahead > 2.0)
                held.push_back(KeyIndex_GameRight);
            else if (ahead < -2.0)
                held.push_back(KeyIndex_GameLeft);
            arrived = std::fabs(s.target - x) < 5.0 && std::fabs(v) < 0.01;
        }
        if (s.tapAt >= 0 && inStage >= s.tapAt && inStage < s.tapAt + 3)
            held.push_back(KeyIndex_GameAction);
        ++inStage;
        if (inStage >= s.steps && arrived)
        {
            ++stage;
            inStage = 0;
        }
        return held;
    }

    bool Finished() const { return stage >= stages.size(); }

private:
    std::vector<Kilig_Stage> stages;
    std::size_t stage = 0;
    int inStage = 0;
};

void Watch(ReplayHarness& harness, Kilig_Scene& level)
{
    Kilig_Scene* scene = &level;
    harness.Lockable("takeable");
    ReplayWatch_Groups(harness, scene->GetMap());
    harness.Watch([scene](Tick t, Replay_Digest& d) {
        ReplayHarness::Add(d, "podium", "active", scene->podium->IsActive(t));
        ReplayHarness::Add(d, "door", "opening", scene->door->GetPos(t));
        ReplayHarness::Add(d, "plate", "offset", scene->plate->CalcSwitchPos(t));
        ReplayHarness::Add(d, "swivel", "angle", scene->swivel->GetRotation(t, nullptr));
        for (int i = 0; i < 2; i++)
        {
            std::string const name = "ball " + std::to_string(i);
            Pointf const at = scene->balls[i]->GetPosAtTime(t);
            ReplayHarness::Add(d, name, "x", at.x);
            ReplayHarness::Add(d, name, "y", at.y);
            ReplayHarness::Add(d, name, "takeable", scene->balls[i]->CanCollectAtTime(t));
        }
    });
    ReplayWatch_Selves(harness, scene->GetTimeFrames());
}

} // namespace

class KiligReplayTest : public ReplayLevelFixture<LevelFixture, Kilig_Scene>
{
protected:
    static void SetUpTestSuite()
    {
        LevelFixture::SetUpTestSuite();
        WriteKiligImages(data->Path());
    }

    // Plays the script until it is done; false when it ran out of steps.
    bool Play(ReplayHarness& harness, Kilig_Script& script, int most)
    {
        for (int i = 0; i < most && !script.Finished(); i++)
            harness.Step(script.Next(level->GetPlayer()));
        return script.Finished();
    }
};

TEST_F(KiligReplayTest, EveryTickShownAgainMatchesWhatWasPlayed)
{
    ASSERT_TRUE(BuildLevel());
    ReplayHarness harness(*level, keyScript);
    Watch(harness, *level);
    using namespace KiligScene;
    Poly const* platform = level->GetMap()->polys[int(GroupMap::PolyOf(*level->GetMap(), SwivelGroup))];
    Pointf const loaded = platform->GetVertexPoint(0);

    // Ball 0 to the podium, then onto the swivel's plate and back.
    Kilig_Script first({
        {Stand, -1, 20},
        {150.0, -1, 1},
        {Stand, 5, 30},
        {PodiumX, -1, 1},
        {Stand, 5, 40},
        {PlateX, -1, 1},
        {Stand, -1, 60},
        {0.0, -1, 1},
        {Stand, -1, 30},
    });
    ASSERT_TRUE(Play(harness, first, 3000));
    Tick const firstEnd = harness.Shown();
    ASSERT_TRUE(level->podium->IsActive(firstEnd)) << "ball 0 was not set on the podium";
    ASSERT_NE(level->plate->NextActiveTime(0), -1) << "the plate was not pressed";
    ASSERT_TRUE(level->door->GetPos(firstEnd) > 0.0);
    ASSERT_NE(level->swivel->GetRotation(firstEnd, nullptr), 0.0);
    EXPECT_NE(platform->GetVertexPoint(0).y, loaded.y) << "the swivel's turn did not reach the map";

    // Back to the start: his past self takes ball 0 to the podium again while he carries ball 1
    // over it and beyond.
    harness.ComeToRestBy(10);
    harness.Step(std::vector<int>{KeyIndex_GameJump});
    ASSERT_FALSE(level->IsTimeTravelling());
    Kilig_Script second({
        {-150.0, -1, 1},
        {Stand, 5, 30},
        {PodiumX + 100.0, -1, 1},
        {Stand, 5, 40},
        {250.0, -1, 1},
        {Stand, -1, 100},
    });
    ASSERT_TRUE(Play(harness, second, 3000));
    Tick const end = harness.Shown();
    ASSERT_GE(level->GetTimeFrames()->Count(), 2);
    EXPECT_GT(level->balls[1]->GetPosAtTime(end).x, PodiumX + 50.0) << "ball 1 was not carried past the podium";
    EXPECT_TRUE(level->podium->IsActive(end)) << "the past self did not bring ball 0 back";
    double farthest = 0.0;
    for (Tick t = 0; t <= end; t++)
        farthest = std::max(farthest, level->balls[0]->GetPosAtTime(t).x);
    EXPECT_GT(farthest, PodiumX - 20.0);

    for (unsigned seed : TestSeedRun(TestSeeds_Long))
    {
        SCOPED_TRACE("HM_TEST_SEED=" + std::to_string(seed));
        std::mt19937 random(seed);
        int const compared = harness.compared;
        harness.Travel(random, 1200);
        ASSERT_EQ(harness.mismatch, "");
        EXPECT_GT(harness.compared - compared, 300);
    }
}
