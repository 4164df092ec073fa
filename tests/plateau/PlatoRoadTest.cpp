// The plateau played with the worlds' kit: walked by keys along the road its generator exports, and
// replayed whole under random travel.
#include "engine/Player.h"
#include "plateau/Plato.h"
#include "plateau/Plato_Mortar.h"
#include "support/RoadWalker.h"
#include "support/WorldFixture.h"
#include "support/WorldReplay.h"

#include <gtest/gtest.h>

class PlatoRoad : public MutedWorldFixture
{
};

TEST_F(PlatoRoad, TheWholePlateauReplaysAlongTheRoadAndUnderRandomKeys)
{
    WorldReplay_Options options;
    options.road = "exit";
    WorldReplay::Run(*this, Level_Plato, events, options);
    WorldReplay::Run(*this, Level_Plato, events);
}

TEST_F(PlatoRoad, FromTheStartPastTheMortarsBlastToTheExitAndNoExitForADeadPlayer)
{
    Build(Level_Plato, events);
    RoadWalker walker(*world, RoadWalker::WorldRoad(Level_Plato, "exit"));
    RoadWalk_Result const r = walker.Walk([&](std::vector<int> const& held) { return Step(held); });
    EXPECT_TRUE(r.done) << r.report;
    EXPECT_EQ(r.action, Level_Completed) << r.report;
    Plato_Mortar const* mortar = As<Plato>().GetMortar();
    EXPECT_NE(mortar->rockFallTime[0], GameEvent_HasntHappened) << "the rock closing the road was not blasted";

    // Dying short of the exit, the player leaves the level dead, through no exit.
    Build(Level_Plato, events);
    Road const road = RoadWalker::WorldRoad(Level_Plato, "exit");
    Road last("the end");
    last.Add(road.points.back());
    Pointf const at(Plato_ExitX - 30.0, road.points.back().y + 1.0);
    world->GetPlayer()->SetPos(&at);
    world->GetPlayer()->Die();
    RoadWalker dead(*world, last);
    RoadWalk_Result const d = dead.Walk([&](std::vector<int> const& held) { return Step(held); }, 3000);
    EXPECT_EQ(d.action, Level_Left) << d.report;
}
