// A small canyon scene of flowers, a fan and fireballs: the player hangs from the flowers, jumps off
// them and hangs with the fan, and random travel shows every tick again as it was played.
#include "chasm/ChasmTestSupport.h"
#include "engine/Collectable.h"
#include "engine/Level.h"
#include "engine/ObjectList.h"
#include "engine/Player.h"
#include "engine/TimeFrames.h"
#include "engine/TimeSet.h"
#include "media/Image.h"
#include "support/MapFiles.h"
#include "support/RandomSeed.h"
#include "support/ReplayHarness.h"
#include "support/ReplayLevelFixture.h"
#include "support/StepTasks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace
{

// A floor at y 0 between walls, an upper platform whose top is at 300 with a hole above each of
// three flowers, the last flower fixed, a fan on the platform beside the first hole and the last,
// and the fireballs' chamber. The camera stands still, far enough out that everything placed is
// moved every step.
constexpr unsigned int Ref_Up = 10; // three, on the platform left of each hole
constexpr unsigned int Ref_Flower = 20;
constexpr int Flower_Count = 3;
constexpr double Flower_X[Flower_Count] = {-400.0, -200.0, 0.0};
constexpr double Flower_Y = 200.0;
constexpr double Platform_Y = 300.0;
constexpr double Hole_Half = 15.0;

class Chasm_ReplayLevel final : public Level
{
public:
    explicit Chasm_ReplayLevel(GameEvents* events) : Level(events)
    {
        MapWriter writer = ChamberWriter();
        writer.AddBox(-800.0, 0.0, -700.0, 1000.0, 0, 0, true, false, 64.0);
        writer.AddBox(700.0, 0.0, 800.0, 1000.0, 0, 0, true, false, 64.0);
        double left = -700.0;
        for (double x : Flower_X)
        {
            writer.AddBox(left, Platform_Y - 20.0, x - Hole_Half, Platform_Y, 0, 0, true, false, 64.0);
            left = x + Hole_Half;
        }
        writer.AddBox(left, Platform_Y - 20.0, 150.0, Platform_Y, 0, 0, true, false, 64.0);
        for (int i = 0; i < Flower_Count; ++i)
        {
            writer.AddRefPoint(Ref_Flower + i, Flower_X[i], Flower_Y);
            writer.AddRefPoint(Ref_Up + i, Flower_X[i] - 70.0, Platform_Y);
        }
        map = built.Own(MapFiles::Load<Map>(writer).release());
        Pointf const start = map->GetRefPoint(Ref_Up);
        player = built.Own(new Player(map, objects, gameEvents, sounds, &start, 1.0));

        Collectable::Initialise(timeFrames);
        fanImage = built.Own(new Image("gfx/chasm/objects/fan0.png", Image_Mask, false));
        for (unsigned int at : {Ref_Up, Ref_Up + Flower_Count - 1})
        {
            fans.push_back(built.Own(new Collectable(map, at, fanImage, at, Collectable_Fan)));
            objects->AddObject(fans.back());
        }

        built.Initialise(&Chasm_HangOn::Initialise, &Chasm_HangOn::Finalise);
        for (int i = 0; i < Flower_Count; ++i)
        {
            flowers.push_back(built.Own(new Chasm_HangOn(map->GetRefPoint(Ref_Flower + i), i == Flower_Count - 1)));
            objects->AddObject(flowers.back());
            objects->AddHangOn(flowers.back());
        }

        map->PreprocessCollision();
        built.Initialise(&Chasm_FireBall::Initialise, &Chasm_FireBall::Finalise);
        fireballs.push_back(built.Own(new Chasm_FireBall(map, ChasmChamber_Floor, 0.3, 7.0, 250, 200, 0)));
        fireballs.push_back(built.Own(new Chasm_FireBall(map, ChasmChamber_Corner, 0.8, 6.0, 79, 200, 0)));
        fireballs.push_back(built.Own(new Chasm_FireBall(map, ChasmChamber_Middle, -1.0, 4.0, 150, 300, -1)));
        for (Chasm_FireBall* ball : fireballs)
        {
            objects->AddObject(ball);
            objects->AddEnemy(ball);
        }

        Pointf const centre(0.0, 300.0);
        player->SetCameraScale(0.5, CameraMove_Jump);
        player->SetCameraPos(&centre, CameraMove_Jump, 0);
    }

    // Takes the player standing on the floor up to the platform by the hole of flower i.
    void LiftTo(int i)
    {
        Pointf const up = map->GetRefPoint(Ref_Up + i);
        player->SetPos(&up);
    }

    Player* GetPlayer() const { return player; }
    Map* GetMap() const { return map; }
    ObjectList* GetObjects() const { return objects; }
    TimeFrames* GetTimeFrames() const { return timeFrames; }

    // The flower whose hang point the player is held at, -1 when none.
    int Hanging() const
    {
        for (int i = 0; i < Flower_Count; ++i)
            if (player->GetPos() == flowers[i]->hangPos)
                return i;
        return -1;
    }

    Image* fanImage = nullptr;
    std::vector<Collectable*> fans; // by the first hole and by the last
    std::vector<Chasm_HangOn*> flowers;
    std::vector<Chasm_FireBall*> fireballs;
};

// The walk through the scene as a list of tasks, each giving the keys of the next step from what
// the level shows, or telling that it is done.
class Chasm_Walk : public StepTasks<Chasm_ReplayLevel>
{
public:
    // Waits until done says so.
    void Until(std::function<bool(Chasm_ReplayLevel&)> done)
    {
        Add([done](Chasm_ReplayLevel& level, std::vector<int>&) { return done(level); });
    }
    // Waits until he hangs from the flower, at most 100 steps.
    void Grab(int flower)
    {
        Until([flower, step = 0](Chasm_ReplayLevel& level) mutable {
            return level.Hanging() == flower || step++ >= 100;
        });
    }
    void Land()
    {
        Until([](Chasm_ReplayLevel& level) { return level.GetPlayer()->onGround; });
    }
    // Lifts him up by the hole of flower i.
    void Lift(int i)
    {
        Until([i](Chasm_ReplayLevel& level) {
            level.LiftTo(i);
            return true;
        });
    }
    // Walks towards x, coasting in, until he stands still there or falls.
    void WalkTo(double x)
    {
        Add([x](Chasm_ReplayLevel& level, std::vector<int>& held) {
            Player const* p = level.GetPlayer();
            double const d = x - p->GetPos().x;
            if (!p->onGround || (std::fabs(d) < 3.0 && std::fabs(p->speed) < 0.01))
                return true;
            if (std::fabs(d) > p->speed * p->speed / 0.8 + 2.0)
                held.push_back(d > 0 ? KeyIndex_GameRight : KeyIndex_GameLeft);
            return false;
        });
    }
};

// The flowers' hang points, and each fireball's flight, place, heading and hit on a point of its
// path.
void ReplayWatch_Chasm(ReplayHarness& harness, Chasm_ReplayLevel& level)
{
    ObjectList const* objs = level.GetObjects();
    Map const* map = level.GetMap();
    for (std::size_t i = 0; i < level.flowers.size(); ++i)
    {
        Chasm_HangOn const* flower = level.flowers[i];
        std::string const name = "flower " + std::to_string(i);
        harness.Watch([=](Tick, Replay_Digest& d) {
            ReplayHarness::Add(d, name, "x", flower->hangPos.x);
            ReplayHarness::Add(d, name, "y", flower->hangPos.y);
            ReplayHarness::Add(d, name, "active", objs->IsActive(map, static_cast<Object const*>(flower)));
        });
    }
    for (std::size_t i = 0; i < level.fireballs.size(); ++i)
    {
        Chasm_FireBall* ball = level.fireballs[i];
        std::string const name = "fireball " + std::to_string(i);
        Pointf const probe = ball->GetPath()[ball->GetPath().Count() / 2];
        harness.Watch([=](Tick t, Replay_Digest& d) {
            Pointf at;
            bool const flying = ball->GetPosAtTime(t, &at);
            ReplayHarness::Add(d, name, "flying", flying);
            ReplayHarness::Add(d, name, "x", at.x);
            ReplayHarness::Add(d, name, "y", at.y);
            ReplayHarness::Add(d, name, "heading", ball->HeadingAt(t));
            ReplayHarness::Add(d, name, "hurts", ball->IsPlayerHit(t, &probe));
        });
    }
    ReplayWatch_Selves(harness, level.GetTimeFrames());
}

// Takes the first fan and hangs from the first flower with it, twice, jumping off each time; leaves
// the fan on the floor; hangs from the second flower without it, twice; takes the second fan and
// hangs from the fixed flower with it, twice.
Chasm_Walk FlowerWalk()
{
    Chasm_Walk walk;
    walk.Wait(5);
    walk.Hold(KeyIndex_GameAction, 1);
    for (int i = 0; i < Flower_Count; ++i)
    {
        if (i > 0)
        {
            walk.WalkTo(Flower_X[i] - 100.0);
            walk.Lift(i);
        }
        if (i == Flower_Count - 1)
            walk.Hold(KeyIndex_GameAction, 1);
        walk.WalkTo(Flower_X[i]);
        walk.Grab(i);
        walk.Wait(100);
        walk.Hold(KeyIndex_GameJump, 1);
        walk.Grab(i);
        walk.Wait(70);
        walk.Hold(KeyIndex_GameJump, 1);
        walk.Hold(KeyIndex_GameRight, 40);
        walk.Land();
        if (i == 0)
        {
            walk.WalkTo(-600.0);
            walk.Hold(KeyIndex_GameAction, 1);
        }
    }
    return walk;
}

// From the floor after the walk, up by the second hole and onto the second flower again.
Chasm_Walk BranchWalk()
{
    Chasm_Walk walk;
    walk.Land();
    walk.WalkTo(Flower_X[1] - 100.0);
    walk.Lift(1);
    walk.WalkTo(Flower_X[1]);
    walk.Grab(1);
    walk.Wait(60);
    walk.Hold(KeyIndex_GameJump, 1);
    walk.Wait(200);
    return walk;
}

// Plays the walk through the harness; the number of steps it took.
int Play(ReplayHarness& harness, Chasm_ReplayLevel& level, Chasm_Walk walk)
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

// How many ticks of each of a flower's records lie before t.
std::vector<Tick> Records(Chasm_HangOn const* flower, Tick t)
{
    return {flower->HangTimes().Count(t), flower->FanTimes().Count(t), flower->JumpTimes().Count(t)};
}

Tick LatestRecord(Chasm_HangOn const* flower)
{
    Tick latest = -1;
    Tick found = 0;
    for (TimeSet const* set : {&flower->HangTimes(), &flower->FanTimes(), &flower->JumpTimes()})
        if (set->CheckDown(Level_TotalTime, &found))
            latest = std::max(latest, found);
    return latest;
}

} // namespace

using ChasmReplayTest = ReplayLevelFixture<ChasmFixture, Chasm_ReplayLevel>;

TEST_F(ChasmReplayTest, FlowersHungJumpedAndFannedAndFireballsShowEveryTickAgainAsPlayed)
{
    ReplayEachSeed([&](ReplayHarness& harness, std::mt19937& random) {
        ReplayWatch_Chasm(harness, *level);

        ASSERT_LT(Play(harness, *level, FlowerWalk()), 5000) << "the walk stuck";
        std::vector<Chasm_HangOn*> const& flowers = level->flowers;
        EXPECT_GT(Recorded(flowers[0]->FanTimes()), 100);
        EXPECT_EQ(Recorded(flowers[0]->JumpTimes()), 2);
        EXPECT_GT(Recorded(flowers[1]->HangTimes()), 100);
        EXPECT_EQ(Recorded(flowers[1]->JumpTimes()), 2);
        EXPECT_GT(Recorded(flowers[2]->FanTimes()), 100);
        EXPECT_EQ(Recorded(flowers[2]->HangTimes()) + Recorded(flowers[2]->JumpTimes()), 0) << "the fixed flower";

        harness.Travel(random, 1500);
        EXPECT_EQ(harness.mismatch, "");
        EXPECT_GT(harness.compared, 400);

        // Back before the second flower was hung from, and onto it again: the flower keeps the
        // future it recorded, and nothing is written before the latest of its records.
        std::vector<Tick> latests;
        std::vector<std::vector<Tick>> kept;
        for (Chasm_HangOn const* flower : flowers)
        {
            latests.push_back(LatestRecord(flower));
            kept.push_back(Records(flower, latests.back() + 1));
        }
        harness.SteerToRest(250, 300, 350);
        Tick const branch = level->GetTick();
        ASSERT_GE(branch, 250);
        ASSERT_LE(branch, 350);
        ASSERT_EQ(level->GetTimeSpeed(), 0);
        std::map<Tick, Replay_Digest> const firstRun = harness.recorded;
        harness.Step(std::vector<int>{KeyIndex_GameJump});
        ASSERT_FALSE(level->IsTimeTravelling());
        bool hungBefore = false;
        Chasm_Walk again = BranchWalk();
        for (int steps = 0; !again.Done() && steps < 2000; ++steps)
        {
            harness.Step(again.Next(*level));
            hungBefore = hungBefore || (level->Hanging() == 1 && level->GetTick() < latests[1]);
        }
        EXPECT_TRUE(hungBefore) << "the second flower was not reached before its latest record";
        for (std::size_t i = 0; i < flowers.size(); ++i)
            EXPECT_EQ(Records(flowers[i], latests[i] + 1), kept[i]) << "flower " << i;
        for (Tick t = 0; t < branch; t += 23)
            EXPECT_EQ(ReplayHarness::Difference(firstRun.at(t), harness.recorded.at(t), t), "");

        harness.Travel(random, 800);
        EXPECT_EQ(harness.mismatch, "");
    });
}
