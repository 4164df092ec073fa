// The worlds' test kit proves it can fail: the road walker stuck at a wall says where, and the
// whole-world replay run catches an object that does not replay.
#include "engine/Char_Base.h"
#include "engine/Object.h"
#include "engine/ObjectList.h"
#include "engine/Player.h"
#include "support/RoadWalker.h"
#include "support/WorldFixture.h"
#include "support/WorldReplay.h"
#include "testworld/Test_World.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

namespace
{

// Moves on by a step each time it is moved, whatever the tick: shown again, it stands elsewhere.
class Drifter final : public Object, public Char_Base
{
public:
    void MoveToTime(Map const*, Tick) override { pos.x += 1.0; }
};

class WorldKit : public WorldFixture
{
protected:
    void SetUp() override
    {
        WorldFixture::SetUp();
        sounds.mute = 1;
    }
    void TearDown() override
    {
        WorldFixture::TearDown();
        drifter.reset();
    }

    // The engine's test world itself, whichever worlds the table has built.
    World_Base& BuildTestWorld()
    {
        Destroy();
        world = std::make_unique<Test_World>(&events);
        return *world;
    }

    std::unique_ptr<Drifter> drifter;
};

std::string Place(double x, double y)
{
    char text[64];
    std::snprintf(text, sizeof text, "(%.1f, %.1f)", x, y);
    return text;
}

} // namespace

TEST_F(WorldKit, TheRoadWalkerStuckAtAWallReportsTheTickAndThePlace)
{
    World_Base& w = BuildTestWorld();
    Pointf const start = w.GetPlayer()->GetPos();
    // The test world's floor ends at a wall from x -1000 to -900.
    Road road("west");
    road.Walk(start.x, start.y).Press(-1500.0, start.y, "beyond the wall", 10).Exit(-1600.0, start.y);
    RoadWalker walker(w, road);
    RoadWalk_Result const r = walker.Walk([&](std::vector<int> const& held) { return Step(held); });
    EXPECT_FALSE(r.done);
    ASSERT_TRUE(r.stuck);
    EXPECT_EQ(r.action, Level_Continue);
    EXPECT_EQ(r.point, 1);
    EXPECT_GE(r.at.x, -900.0);
    EXPECT_LT(r.at.x, -860.0);
    EXPECT_EQ(r.tick, w.GetTick());
    EXPECT_GT(r.tick, RoadWalker_StuckSteps);
    EXPECT_NE(r.report.find("tick " + std::to_string(r.tick) + " at " + Place(r.at.x, r.at.y)), std::string::npos)
        << r.report;
    EXPECT_NE(r.report.find("beyond the wall"), std::string::npos) << r.report;
}

TEST_F(WorldKit, TheWholeWorldReplayRunPassesTheTestWorldAndCatchesAPlantedDrifter)
{
    WorldReplay_Options options;
    options.rounds = 2;
    options.playSteps = 300;
    options.travelSteps = 400;
    auto build = [&]() -> World_Base& { return BuildTestWorld(); };
    EXPECT_EQ(WorldReplay::RunSeed(*this, build, Road(), options, 7), "");

    options.prepare = [&](ReplayHarness&, World_Base& w) {
        drifter = std::make_unique<Drifter>();
        w.GetObjects()->AddObject(static_cast<Object*>(drifter.get()));
    };
    std::string const mismatch = WorldReplay::RunSeed(*this, build, Road(), options, 7);
    EXPECT_NE(mismatch.find("Drifter"), std::string::npos) << mismatch;
    EXPECT_NE(mismatch.find("field x"), std::string::npos) << mismatch;
}
