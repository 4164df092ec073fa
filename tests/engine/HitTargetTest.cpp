// Hit targets: standing and dropping over the hit records and block targets, and a door worked by one.
#include "engine/Door.h"
#include "engine/Hit_Target.h"
#include "support/GroupTestSupport.h"
#include "support/RandomSeed.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>

TEST(HitTarget, DropsWhenHitAndStandsAgainWhenABlockTargetIsHitAfter)
{
    Hit_Target target(Pointf(0.0, 0.0), Hit_Target_Normal, false, 1.0);
    Hit_Target reset(Pointf(50.0, 0.0), Hit_Target_Anti, true, 1.0);
    target.AddBlockTarget(&reset);
    Pointf pos(0.0, 0.0);
    EXPECT_FALSE(target.IsActive(500));
    EXPECT_EQ(target.LastActiveTime(500), -1);
    EXPECT_EQ(target.LastInactiveTime(500), 500);

    target.Hit(100, 1, 0);
    target.Hit(120, 1, 0);
    EXPECT_TRUE(target.GetTargetPos(nullptr, 99, pos));
    EXPECT_FALSE(target.GetTargetPos(nullptr, 100, pos));
    EXPECT_TRUE(target.IsActive(100));
    EXPECT_EQ(target.LastInactiveTime(130), 99);
    EXPECT_EQ(target.LastActiveTime(130), 130);

    reset.Hit(150, 1, 0);
    target.Hit(170, 1, 0);
    EXPECT_TRUE(target.TargetOn(150));
    EXPECT_EQ(target.LastActiveTime(160), 149);
    EXPECT_EQ(target.LastInactiveTime(160), 160);
    EXPECT_FALSE(target.TargetOn(170));
    EXPECT_EQ(target.LastInactiveTime(180), 169);

    // The permanent reset target stands and is never active, whatever hits it.
    EXPECT_TRUE(reset.GetTargetPos(nullptr, 200, pos));
    EXPECT_FALSE(reset.IsActive(200));
    EXPECT_EQ(reset.LastActiveTime(200), -1);
}

TEST(HitTarget, SameTickHitsLeaveItDownYetAnswerTheRunsAsStanding)
{
    Hit_Target target(Pointf(0.0, 0.0), Hit_Target_Normal, false, 1.0);
    Hit_Target reset(Pointf(50.0, 0.0), Hit_Target_Anti, true, 1.0);
    target.AddBlockTarget(&reset);
    target.Hit(100, 1, 0);
    reset.Hit(130, 1, 0);
    target.Hit(130, 1, 0);
    EXPECT_FALSE(target.TargetOn(130));
    EXPECT_TRUE(target.IsActive(130));
    EXPECT_EQ(target.LastActiveTime(130), 129);
    EXPECT_EQ(target.LastInactiveTime(130), 130);

    // A door it works reads that as the target going off at 130, and falls from there.
    std::unique_ptr<Map> map = GroupMap::Make();
    Door door(map.get(), GroupMap::Group, 100.0, Direction_Up, 2.0);
    door.AddActivator(&target);
    EXPECT_EQ(door.GetPos(129), 60.0);
    EXPECT_EQ(door.GetPos(130), 59.5);
    EXPECT_LT(door.GetPos(140), 59.5);
}

TEST(HitTarget, ALiftItWorksFollowsHitsAtPastTicksOnItAndOnItsBlockTarget)
{
    ForEachSeed([&](unsigned seed) {
        std::mt19937 random(seed);
        std::uniform_int_distribution<int> which(0, 9);
        std::uniform_int_distribution<Tick> late(-60, 10);
        Hit_Target target(Pointf(0.0, 0.0), Hit_Target_Normal, false, 1.0);
        Hit_Target reset(Pointf(50.0, 0.0), Hit_Target_Normal, false, 1.0);
        target.AddBlockTarget(&reset);
        // The twin's other activator is on throughout but does not report its changes, so the twin
        // moves the same while keeping nothing: it walks back over every run.
        std::unique_ptr<Map> map = GroupMap::Make();
        Lift lift(map.get(), GroupMap::Group, 50.0, 0.3);
        Lift twin(map.get(), GroupMap::Group, 50.0, 0.3);
        ScriptedActivator always(false);
        always.On(0, 100000);
        lift.AddActivator(&target);
        twin.AddActivator(&target);
        twin.AddActivator(&always);
        // Hits land near the tick shown, before it as often as not, on either target.
        PlayWithTravel(800, 200, 700, 200, [&](Tick t) {
            int const hit = which(random);
            Tick const at = std::max(1, t + late(random));
            if (hit == 0)
                target.Hit(at, 1, 0);
            else if (hit == 1)
                reset.Hit(at, 1, 0);
            ASSERT_EQ(lift.CalcLiftAngle(t), twin.CalcLiftAngle(t)) << "tick " << t;
        });
        EXPECT_NE(lift.CalcLiftAngle(2000), 0.3) << "the target went down at all";
    });

    // Either of a target and its block target may go first.
    auto first = std::make_unique<Hit_Target>(Pointf(0.0, 0.0), Hit_Target_Normal, false, 1.0);
    auto second = std::make_unique<Hit_Target>(Pointf(0.0, 0.0), Hit_Target_Normal, false, 1.0);
    first->AddBlockTarget(second.get());
    second->AddBlockTarget(first.get());
    first.reset();
    second->Hit(10, 1, 0);
    EXPECT_TRUE(second->IsActive(20));
}
