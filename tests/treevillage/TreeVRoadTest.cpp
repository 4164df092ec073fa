// The village played with the worlds' kit: walked by keys along the roads its generator exports, and
// replayed whole under random travel.
#include "engine/GameEvents.h"
#include "engine/Player.h"
#include "support/RoadWalker.h"
#include "support/WorldFixture.h"
#include "support/WorldReplay.h"
#include "treevillage/TreeV.h"
#include "treevillage/TreeV_DoorSwitch.h"
#include "treevillage/VillagerSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace
{

constexpr GameEvent Progress_LiftMended = 20;

class TreeVRoad : public MutedWorldFixture
{
protected:
    static void SetUpTestSuite()
    {
        WorldFixture::SetUpTestSuite();
        if (!std::filesystem::exists(data->path / "gfx/treevillage/dudes/treedudeA00.png"))
            WriteVillagerImages(data->Path());
    }
    RoadWalk_Result WalkRoad(char const* name)
    {
        RoadWalker walker(*world, RoadWalker::WorldRoad(Level_TreeV, name));
        return walker.Walk([&](std::vector<int> const& held) { return Step(held); });
    }
};

} // namespace

TEST_F(TreeVRoad, TheWholeVillageReplaysAlongTheRoadUpTheLiftAndUnderRandomKeys)
{
    GameEvents record = events;
    record[Progress_LiftMended] = GameEvent_HasHappened;
    WorldReplay_Options options;
    options.road = "exit2";
    options.rounds = 4;
    options.playSteps = 800;
    WorldReplay::Run(*this, Level_TreeV, record, options);
    WorldReplay::Run(*this, Level_TreeV, events);
}

TEST_F(TreeVRoad, FromTheStartThroughTheGateToTheWayOutBelowAndNoExitForADeadPlayer)
{
    Build(Level_TreeV, events);
    Road const road = RoadWalker::WorldRoad(Level_TreeV, "exit3");
    RoadWalk_Result r = WalkRoad("exit3");
    EXPECT_TRUE(r.done) << r.report;
    EXPECT_EQ(r.action, Level_Restart) << r.report;
    TreeV_DoorSwitch const* gate = As<TreeV>().GetDoor(0);
    EXPECT_TRUE(gate->GetSwitch(0)->FindClosestHit(r.tick) != GameEvent_HasntHappened
                || gate->GetSwitch(1)->FindClosestHit(r.tick) != GameEvent_HasntHappened)
        << "the gate was not shot";

    // Dying where the upper street ends, the player walks off no further and leaves the level
    // dead, through no exit.
    Build(Level_TreeV, events);
    Road last("the end");
    last.Add(road.points[road.points.size() - 2]).Add(road.points.back());
    Pointf const at(last.points[0].x - 20.0, last.points[0].y);
    world->GetPlayer()->SetPos(&at);
    world->GetPlayer()->Die();
    RoadWalker walker(*world, last);
    r = walker.Walk([&](std::vector<int> const& held) { return Step(held); }, 3000);
    EXPECT_EQ(r.action, Level_Left) << r.report;
}

TEST_F(TreeVRoad, TheMendedLiftCarriesThePlayerToTheTopLevelAndOnPastTheMainExit)
{
    GameEvents record = events;
    record[Progress_LiftMended] = GameEvent_HasHappened;
    Build(Level_TreeV, record);
    RoadWalk_Result const r = WalkRoad("exit2");
    EXPECT_TRUE(r.done) << r.report;
    EXPECT_EQ(r.action, Level_Completed) << r.report;
    EXPECT_GT(r.at.x, 7510.0);
}
