// The dungeon played with the worlds' kit: its road walked by keys from the first room to the exit, door 0
// passed by one travel, and the whole world replayed under random travel after that travel.
#include "engine/Collectable.h"
#include "engine/Door.h"
#include "killig/KiligWorldSupport.h"
#include "killig/Kilig_Podium.h"
#include "support/RoadWalker.h"
#include "support/WorldReplay.h"
#include "tools/worlds/killig.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

class KiligRoadTest : public KiligWorldFixture
{
protected:
    // Onto plate 0 by the road walker, and on it until door 0 has long been open.
    void StandOnThePlate(RoadWalker::Stepper const& step)
    {
        RoadWalk_Result const r = RoadWalker(*world, RoadWalker::WorldRoad(Level_Kilig, "first room")).Walk(step);
        ASSERT_TRUE(r.done) << r.report;
        for (int i = 0; i < 400; ++i)
            step({});
    }
};

} // namespace

TEST_F(KiligRoadTest, TheRoadIsWalkedFromTheFirstRoomToTheExitWithOneTravel)
{
    Kilig& w = Dungeon();
    Door* door0 = w.GetDoor(0);
    RoadWalker::Stepper const step = [this](std::vector<int> const& held) { return Step(held); };
    StandOnThePlate(step);
    Tick const left = world->GetTick();
    ASSERT_EQ(door0->GetPos(left - 1), Kilig_Doors[0].distance);

    // Walking off the plate, the door drops shut before the walker gets there.
    ASSERT_TRUE(WalkTo(KiligWriter::Road_Door0X - 30.0));
    EXPECT_LT(door0->GetPos(world->GetTick() - 1), 20.0) << "the door can be passed without travel";

    // Back to when the past self held the plate, and on along the road: ball 1 carried through
    // the red gate and set down on podium 0, through door 9 to the exit.
    TravelBackTo(left - 50);
    ASSERT_LT(world->GetTick(), left - 20);
    RoadWalk_Result const r = RoadWalker(*world, RoadWalker::WorldRoad(Level_Kilig, "exit")).Walk(step);
    EXPECT_TRUE(r.done) << r.report;
    EXPECT_EQ(r.action, Level_Completed) << r.report;
    EXPECT_EQ(Hero()->IsPlayerDead(), 0);
    EXPECT_TRUE(w.GetPodium(0)->BallCounts(w.GetBall(1), world->GetTick() - 1)) << "ball 1 is not on podium 0";
}

TEST_F(KiligRoadTest, TheWholeDungeonReplaysUnderRandomTravelAfterTheRoadsTravel)
{
    // Every object of the level is watched, the master too: after the introduction he only
    // stands at his point, which no tick changes (he would not replay a walk, kept by no record).
    WorldReplay_Options options;
    options.road = "exit";
    options.prepare = [](ReplayHarness& harness, World_Base& played) {
        Kilig& kilig = static_cast<Kilig&>(played);
        harness.Watch([&kilig](Tick t, Replay_Digest& d) {
            for (int i = 0; i < Kilig_Podium_Count; ++i)
                ReplayHarness::Add(d, "podium " + std::to_string(i), "on", kilig.GetPodium(i)->IsActive(t));
        });
        RoadWalker::Stepper const step = [&harness](std::vector<int> const& held) { return harness.Step(held); };
        RoadWalk_Result const r = RoadWalker(played, RoadWalker::WorldRoad(Level_Kilig, "first room")).Walk(step);
        ASSERT_TRUE(r.done) << r.report;
        for (int i = 0; i < 400; ++i)
            step({});
        KiligTravelBackTo(played, step, played.GetTick() - 50);
    };
    WorldReplay::Run(*this, Level_Kilig, Learnt(), options);
}
