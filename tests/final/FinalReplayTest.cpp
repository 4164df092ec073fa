// A small den: the dragon in its arena and the player on a ledge beside it, out of reach of its
// flames and rocks, throwing axes at its head, jumping and walking; random travel shows the head,
// flames, rocks, hit points and past selves again as they were played.
#include "engine/Level.h"
#include "engine/ObjectList.h"
#include "engine/Player.h"
#include "engine/TimeFrames.h"
#include "final/FinalReplayWatch.h"
#include "final/FinalTestSupport.h"
#include "support/MapFiles.h"
#include "support/RandomSeed.h"
#include "support/ReplayHarness.h"
#include "support/ReplayLevelFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace
{

constexpr unsigned int Ref_Start = 0;
constexpr unsigned int Ref_Dragon = 1;
constexpr double Ledge_Top = 960.0; // above where any flame goes
constexpr double Ledge_Left = 4240.0;
constexpr double Ledge_Wall = 4300.0; // a wall on the ledge, walked up to now and then

// The arena's floor at y 600 with the dragon's foot on it, and east of where the rocks fall a
// ledge from which the head is in sight for most of the cycle. The camera stands still.
class Final_ReplayLevel final : public Level
{
public:
    explicit Final_ReplayLevel(GameEvents* events) : Level(events)
    {
        MapWriter writer;
        writer.SetView(3900.0 - 640.0, 900.0 - 480.0, 0.5);
        writer.AddBox(2000.0, 500.0, 4600.0, 600.0, 0, 0, true, false, 64.0);
        writer.AddBox(Ledge_Left, Ledge_Top - 20.0, 4600.0, Ledge_Top, 0, 0, true, false, 64.0);
        writer.AddBox(Ledge_Wall, Ledge_Top, Ledge_Wall + 20.0, Ledge_Top + 100.0, 0, 0, true, false, 64.0);
        writer.AddRefPoint(Ref_Start, 4265.0, Ledge_Top + 5.0);
        writer.AddRefPoint(Ref_Dragon, 4080.0, 600.0);
        map = built.Own(MapFiles::Load<Map>(writer).release());
        Pointf const start = map->GetRefPoint(Ref_Start);
        player = built.Own(new Player(map, objects, gameEvents, sounds, &start, 1.0));
        dragon = built.Own(new Final_Dragon(map->GetRefPoint(Ref_Dragon), sounds));
        objects->AddObject(dragon);
        objects->AddEnemy(dragon);
        objects->AddTarget(dragon);
        map->PreprocessCollision();
        Pointf const centre(3900.0, 900.0);
        player->SetCameraScale(0.5, CameraMove_Jump);
        player->SetCameraPos(&centre, CameraMove_Jump, 0);
    }

    Player* GetPlayer() const { return player; }
    TimeFrames* GetTimeFrames() const { return timeFrames; }

    Final_Dragon* dragon = nullptr;
};

// Every 100 steps: aim and throw, walk up to the wall and back to face the dragon, jump, aim and
// throw again.
std::vector<int> FightKeys(int step)
{
    int const i = step % 100;
    if (i < 10 || (i >= 70 && i < 80))
        return {KeyIndex_GameAction};
    if (i >= 15 && i < 38)
        return {KeyIndex_GameRight};
    if (i >= 40 && i < 62)
        return {KeyIndex_GameLeft};
    if (i == 65)
        return {KeyIndex_GameJump};
    return {};
}

// The lowest hit points recorded over the ticks from..to.
int LowestRecorded(ReplayHarness const& harness, Tick from, Tick to)
{
    int lowest = Final_Dragon::Dragon_HitPoints;
    for (auto const& [t, digest] : harness.recorded)
        for (Replay_Field const& f : digest)
            if (t >= from && t <= to && f.object == "dragon" && f.field == "hit points")
                lowest = std::min(lowest, static_cast<int>(f.value));
    return lowest;
}

} // namespace

using FinalReplayTest = ReplayLevelFixture<FinalFixture, Final_ReplayLevel>;

TEST_F(FinalReplayTest, AFightWithThrowsJumpsAndWalksShowsEveryTickAgainAsPlayed)
{
    ReplayEachSeed([&](ReplayHarness& harness, std::mt19937& random) {
        ReplayWatch_Dragon(harness, level->dragon);
        ReplayWatch_Selves(harness, level->GetTimeFrames());

        // Through a whole cycle and into the next, so that the rest gives back what was hit.
        int step = 0;
        for (; step < 4900; ++step)
        {
            ASSERT_EQ(harness.Step(FightKeys(step)), Level_Continue) << "step " << step;
            if (step % 50 == 0)
                level->Plot();
        }
        ASSERT_EQ(level->GetPlayer()->IsPlayerDead(), 0) << "the ledge is out of reach";
        int const wounded = Final_Dragon::Dragon_HitPoints - LowestRecorded(harness, 0, 4350);
        EXPECT_GT(wounded, 20) << "too few throws hit";
        EXPECT_EQ(LowestRecorded(harness, 4700, 4749), Final_Dragon::Dragon_HitPoints) << "healed by the rest";

        // What the first run's hits alone leave at each tick of the cycle.
        std::vector<int> firstRun;
        for (Tick t = 0; t <= 4350; ++t)
            firstRun.push_back(level->dragon->GetHitPoints(t));

        harness.Travel(random, 1500);
        EXPECT_EQ(harness.mismatch, "");
        EXPECT_GT(harness.compared, 500);

        // Back into the first cycle and fight on from there with the throws of the first run
        // still on their way: a past self now throws alongside.
        harness.SteerToRest(2500, 3000, 3500);
        ASSERT_EQ(level->GetTimeSpeed(), 0);
        harness.Step(std::vector<int>{KeyIndex_GameJump});
        ASSERT_FALSE(level->IsTimeTravelling());
        for (int i = 0; i < 1000; ++i)
            harness.Step(FightKeys(step++));
        // The new throws add to the first run's where the second timeline has got to (the
        // recordings past it are the first timeline's no more).
        Tick const reached = std::min<Tick>(level->GetTick(), 4350);
        EXPECT_LT(level->dragon->GetHitPoints(reached), firstRun[std::size_t(reached)]) << "tick " << reached;
        harness.Travel(random, 1000);
        EXPECT_EQ(harness.mismatch, "");
    });
}
