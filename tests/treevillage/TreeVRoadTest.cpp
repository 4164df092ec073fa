// The village played with the worlds' kit: walked by keys along the roads its generator exports, and
// replayed whole under random travel.
#include "engine/GameEvents.h"
#include "engine/Player.h"
#include "support/RoadWalker.h"
#include "support/WorldFixture.h"
#include "support/WorldReplay.h"
#include "treevillage/TreeV.h"
#include "treevillage/VillagerSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace
{

constexpr GameEvent Progress_LiftMended = 20;

class TreeVRoad : public WorldFixture
{
protected:
    static void SetUpTestSuite()
    {
        WorldFixture::SetUpTestSuite();
        if (!std::filesystem::exists(data->path / "gfx/treevillage/dudes/treedudeA00.png"))
            WriteVillagerImages(data->Path());
    }
    void SetUp() override
    {
        WorldFixture::SetUp();
        sounds.mute = 1;
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
