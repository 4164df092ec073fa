// The house walked by the road walker along the roads its generator exports: straight out of the
// front door, and a whole first visit through the three puzzles and out.
#include "petra/PetraWorldSupport.h"
#include "petra/Petra_Factory_Scales.h"
#include "support/RoadWalker.h"

#include <gtest/gtest.h>

namespace
{

class PetraRoad : public PetraWorldFixture
{
protected:
    RoadWalk_Result WalkRoad(char const* name)
    {
        RoadWalker walker(*world, RoadWalker::WorldRoad(Level_Petra, name));
        return walker.Walk([&](std::vector<int> const& held) { return Step(held); });
    }
};

} // namespace

TEST_F(PetraRoad, FromTheStartOutOfTheFrontDoor)
{
    MakeWorld();
    RoadWalk_Result const r = WalkRoad("exit");
    EXPECT_TRUE(r.done) << r.report;
    EXPECT_EQ(r.action, Level_Completed) << r.report;
    EXPECT_LT(r.steps, 300);
}

TEST_F(PetraRoad, AWholeVisitThroughTheThreePuzzlesAndOut)
{
    GameEvents fresh;
    Build(Level_Petra, fresh);
    Petra& petra = As<Petra>();
    talks = std::make_unique<Petra_Talks>(petra.GetEvents());
    Hero().levelEvents = talks.get();
    RoadWalk_Result const r = WalkRoad("visit");
    EXPECT_TRUE(r.done) << r.report;
    EXPECT_EQ(r.action, Level_Completed) << r.report;
    EXPECT_EQ(Script().puzzleState, Petra_State_Done);
    EXPECT_EQ(events[Event_MetPetra], GameEvent_HasHappened);
    // Every puzzle was introduced and judged: the weighing could be answered (each tube a count of
    // its own); the answers, chosen as the walk goes, are left to chance.
    EXPECT_TRUE(petra.GetScales()->valid);
    ASSERT_EQ(talks->started.size(), 7u);
    EXPECT_EQ(talks->started[0], 11);
    EXPECT_EQ(talks->started[1], 0);
    EXPECT_EQ(talks->started[3], 3);
    EXPECT_EQ(talks->started[5], 6);
}
