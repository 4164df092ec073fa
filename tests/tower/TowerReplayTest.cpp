// A small tower scene: the player shrinks in a scaling zone, weighs on the pan, rides the lift's
// floor, travels back and weighs again beside his past self, while a platform slides and a
// transporter car runs; random travel shows every tick again as it was played.
#include "engine/Level.h"
#include "engine/ObjectList.h"
#include "engine/Player.h"
#include "engine/TimeFrames.h"
#include "support/LevelFixture.h"
#include "support/MapFiles.h"
#include "support/RandomSeed.h"
#include "support/ReplayHarness.h"
#include "support/ReplayLevelFixture.h"
#include "support/StepTasks.h"
#include "tower/TowerTestSupport.h"
#include "tower/Tower_MapMove.h"
#include "tower/Tower_MapMoveGroup.h"
#include "tower/Tower_Scaler.h"
#include "tower/Tower_Scales.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace
{

// The floor's top at y 0 with the pan (x 0 to 40) and the lift (x 200 to 240) let into it, a
// zone that halves the player at x -200, a platform sliding high on the left and a car of the
// transporter high on the right. The camera stands still and sees everything near the floor.
constexpr double Replay_StartX = -400.0;
constexpr double Replay_ZoneX = -200.0;
constexpr double Replay_PanX = 20.0;
constexpr double Replay_LiftX = 220.0;
constexpr double Replay_AwayX = 500.0;

MapWriter ReplayWriter()
{
    MapWriter writer;
    writer.SetView(-640.0, -280.0, 0.5);
    writer.AddBox(-1000.0, -100.0, 0.0, 0.0, 0, 0, true, false, 64.0);
    writer.AddBox(0.0, -100.0, 40.0, 0.0 - 10.0, 0, 0, true, false, 64.0);
    writer.AddBox(0.0, -10.0, 40.0, 0.0, 0, Scales_Scales_Group, true, false, 64.0);
    writer.AddBox(40.0, -100.0, 200.0, 0.0, 0, 0, true, false, 64.0);
    writer.AddBox(200.0, -100.0, 240.0, -10.0, 0, 0, true, false, 64.0);
    writer.AddBox(200.0, -10.0, 240.0, 0.0, 0, Scales_Lift_Group, true, false, 64.0);
    writer.AddBox(240.0, -100.0, 1000.0, 0.0, 0, 0, true, false, 64.0);
    writer.AddBox(-1000.0, 0.0, -980.0, 400.0, 0, 0, true, false, 64.0);
    writer.AddBox(980.0, 0.0, 1000.0, 400.0, 0, 0, true, false, 64.0);
    writer.AddRefPoint(Scales_Lights_Ref, 120.0, 80.0);
    writer.AddBox(-600.0, 300.0, -560.0, 310.0, 0, Tower_Group_OverSpikes2, true, false, 64.0);
    writer.AddBox(400.0, 300.0, 440.0, 310.0, 0, 32, true, false, 64.0);
    return writer;
}

class Tower_ReplayLevel final : public Level
{
public:
    explicit Tower_ReplayLevel(GameEvents* events) : Level(events)
    {
        map = built.Own(MapFiles::Load<Map>(ReplayWriter()).release());
        Pointf const start(Replay_StartX, 0.0);
        player = built.Own(new Player(map, objects, gameEvents, sounds, &start, 1.0));
        Tower_MapMove* driver = built.Own(new Tower_MapMove(map, objects));
        mapMove = driver;

        zone = built.Own(new Tower_Scaler(Pointf(Replay_ZoneX, 0.0), 4.0, 0.5, player));
        objects->AddObject(zone);
        scales = built.Own(new Tower_Scales(map, player));
        objects->AddObject(scales);
        mapMove->AddObject(scales);
        map->PreprocessCollision();

        Pointf const centre(0.0, 200.0);
        player->SetCameraScale(0.5, CameraMove_Jump);
        player->SetCameraPos(&centre, CameraMove_Jump, 0);
    }

    void PutAt(double x)
    {
        Pointf const at(x, 0.0);
        player->SetPos(&at);
    }

    Player* GetPlayer() const { return player; }
    Map* GetMap() const { return map; }
    TimeFrames* GetTimeFrames() const { return timeFrames; }

    Tower_Scaler* zone = nullptr;
    Tower_Scales* scales = nullptr;
};

// The walk through the scene as a list of tasks, each giving the keys of the next step from what
// the level shows, or telling that it is done.
class Tower_Walk : public StepTasks<Tower_ReplayLevel>
{
public:
    // Waits until done says so, at most 1000 steps.
    void Until(std::function<bool(Tower_ReplayLevel&)> done)
    {
        Add([done, step = 0](Tower_ReplayLevel& level, std::vector<int>&) mutable {
            return done(level) || step++ >= 1000;
        });
    }
    void PutAt(double x)
    {
        Until([x](Tower_ReplayLevel& level) {
            level.PutAt(x);
            return true;
        });
    }
    // Walks towards x, coasting in, until he stands still there.
    void WalkTo(double x)
    {
        Add([x, step = 0](Tower_ReplayLevel& level, std::vector<int>& held) mutable {
            Player const* p = level.GetPlayer();
            double const d = x - p->GetPos().x;
            if ((std::fabs(d) < 3.0 && std::fabs(p->speed) < 0.01) || step++ >= 1000)
                return true;
            if (std::fabs(d) > p->speed * p->speed / 0.8 + 2.0)
                held.push_back(d > 0 ? KeyIndex_GameRight : KeyIndex_GameLeft);
            return false;
        });
    }
    // Jumps out of the sunk pan to the right and lands.
    void JumpOff()
    {
        Hold(KeyIndex_GameJump, 1);
        Hold(KeyIndex_GameRight, 30);
        Until([](Tower_ReplayLevel& level) { return level.GetPlayer()->onGround; });
    }
};

// The scales' places, lights and weight, every group's polygons and the past selves.
void ReplayWatch_Tower(ReplayHarness& harness, Tower_ReplayLevel& level)
{
    Tower_Scales const* scales = level.scales;
    harness.Watch([scales](Tick t, Replay_Digest& d) {
        ReplayHarness::Add(d, "scales", "pan", scales->CalcScalesPos(t));
        ReplayHarness::Add(d, "scales", "lift", scales->CalcLiftPos(t));
        ReplayHarness::Add(d, "scales", "weight", scales->WeightAt(t));
        ReplayHarness::Add(d, "scales", "lights", scales->LightsLit(t));
        ReplayHarness::Add(d, "scales", "overweight", scales->OverweightLit(t));
    });
    ReplayWatch_Groups(harness, level.GetMap());
    ReplayWatch_Selves(harness, level.GetTimeFrames());
}

// Through the zone onto the pan, a while on it, out and, once the lift is down, onto the lift and
// away beyond it.
Tower_Walk FirstWalk()
{
    Tower_Walk walk;
    walk.Wait(5);
    walk.WalkTo(Replay_PanX);
    walk.Until([](Tower_ReplayLevel& level) { return level.GetPlayer()->GetScale() == 0.5; });
    walk.Wait(150);
    walk.JumpOff();
    walk.Until([](Tower_ReplayLevel& level) { return level.scales->CalcLiftPos(level.GetTick()) == 0.0; });
    walk.WalkTo(Replay_LiftX);
    walk.Wait(60);
    walk.WalkTo(Replay_AwayX);
    walk.Wait(50);
    return walk;
}

// From just left of the pan onto it again, for longer than his past self stood there.
Tower_Walk SecondWalk()
{
    Tower_Walk walk;
    walk.PutAt(Replay_PanX - 40.0);
    walk.WalkTo(Replay_PanX);
    walk.Wait(300);
    walk.JumpOff();
    walk.Wait(100);
    return walk;
}

int Play(ReplayHarness& harness, Tower_ReplayLevel& level, Tower_Walk walk)
{
    int steps = 0;
    for (; !walk.Done() && steps < 5000; ++steps)
    {
        harness.Step(walk.Next(level));
        if (steps % 25 == 0)
            level.Plot();
    }
    return steps;
}

Tick Weighed(Tower_Scales const& scales, Tick until)
{
    Tick n = 0;
    for (Tick t = 0; t < until; t++)
        n += scales.Weights().Find(t, nullptr) ? 1 : 0;
    return n;
}

} // namespace

class TowerReplayTest : public ReplayLevelFixture<LevelFixture, Tower_ReplayLevel>
{
protected:
    static void SetUpTestSuite()
    {
        LevelFixture::SetUpTestSuite();
        WriteScalesPictures(data->path.string());
    }
};

TEST_F(TowerReplayTest, ScalesWeighedByAPastSelfAZoneAndTwoMoversShowEveryTickAgainAsPlayed)
{
    ReplayEachSeed([&](ReplayHarness& harness, std::mt19937& random) {
        ReplayWatch_Tower(harness, *level);

        ASSERT_LT(Play(harness, *level, FirstWalk()), 5000) << "the walk stuck";
        Tower_Scales const& scales = *level->scales;
        Tick const end = level->GetTick();
        Tick first = 0;
        int value = 0;
        ASSERT_TRUE(scales.Weights().CheckUp(0, &value, &first)) << "he never weighed";
        Tick const weighed = Weighed(scales, end);
        EXPECT_GT(weighed, 140);
        EXPECT_EQ(scales.WeightAt(first + 100), 2);
        EXPECT_GT(scales.LiftUsed().Count(end), 50);
        EXPECT_EQ(scales.Overweight().Count(end), 0);

        harness.Travel(random, 1500);
        EXPECT_EQ(harness.mismatch, "");
        EXPECT_GT(harness.compared, 400);

        // Back to before he first weighed, and onto the pan again before his past self and while
        // he is on it, until his past self is about to take the lift.
        harness.SteerToRest(first - 100, first - 80, first - 60);
        Tick const branch = level->GetTick();
        ASSERT_GE(branch, first - 100);
        ASSERT_LE(branch, first - 60);
        ASSERT_EQ(level->GetTimeSpeed(), 0);
        harness.Step(std::vector<int>{KeyIndex_GameJump});
        ASSERT_FALSE(level->IsTimeTravelling());
        ASSERT_LT(Play(harness, *level, SecondWalk()), 5000) << "the second walk stuck";
        EXPECT_GT(scales.Overweight().Count(level->GetTick()), 50) << "two at half size are too heavy";
        EXPECT_GT(Weighed(scales, level->GetTick()), weighed) << "alone on the pan he weighs";
        EXPECT_TRUE(scales.weightRefused) << "he stood on into the ticks before his past self took the lift";

        harness.Travel(random, 800);
        EXPECT_EQ(harness.mismatch, "");
    });
}
