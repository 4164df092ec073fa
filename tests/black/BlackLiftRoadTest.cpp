// The side road round the lifts' track: down through the bridge's gap onto the ledge where the lifts wait,
// carried off it by a lift, round the track and back to its start, up the stairs and on to the far end.
#include "black/BlackSupport.h"
#include "black/Black_MapMove.h"
#include "black/Black_MapMoveGroup.h"
#include "support/RoadWalker.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

using namespace BlackWriter;

class BlackLiftRoad : public BlackWorld
{
protected:
    // The lift standing still now and for the next wait steps, if one is: one waiting by the
    // boarding ledge, the only place on the track where a lift stops.
    Black_MapMoveGroup const* WaitingLift(Tick wait)
    {
        Black_MapMove const* driver = dynamic_cast<Black&>(*world).GetDriver();
        for (int m = 0; m < Black_MapMove_GroupCount; ++m)
        {
            Black_MapMoveGroup const* mover = driver->GetMover(m);
            if (mover->group < Black_Group_FirstLift || mover->group > Black_Group_LastLift)
                continue;
            double x0 = 0.0, y0 = 0.0, x1 = 0.0, y1 = 0.0;
            mover->Offset(world->GetTick(), x0, y0);
            mover->Offset(world->GetTick() + wait, x1, y1);
            if (x0 == x1 && y0 == y1)
                return mover;
        }
        return nullptr;
    }

    // The group of the polygon the player stands on; 0 when in the air.
    unsigned int StandingOn() const
    {
        unsigned int poly = 0;
        return Hero()->onGround && Hero()->PolyOn(&poly) ? world->GetMap()->GetGroup(poly) : 0;
    }

    RoadWalk_Result WalkRoad(char const* name)
    {
        RoadWalker walker(*world, RoadWalker::WorldRoad(Level_Black, name));
        return walker.Walk([&](std::vector<int> const& held) { return Step(held); });
    }
};

} // namespace

TEST_F(BlackLiftRoad, DownOntoTheBoardingLedgeOntoAWaitingLiftRoundTheTrackUpTheStepsAndOnToTheEnd)
{
    MakeWorld();
    RoadWalk_Result const ledge = WalkRoad("to the lifts");
    ASSERT_TRUE(ledge.done) << ledge.report;
    ASSERT_TRUE(Hero()->onGround);
    ASSERT_EQ(StandingOn(), 0u) << "not on the boarding ledge";
    ASSERT_LT(Hero()->GetPos().y, Black_TrackY - 1000.0) << "not down in the valley";

    // As a player does: waits until a lift stands by the ledge, walks onto it and rides.
    Black_MapMoveGroup const* lift = nullptr;
    for (int i = 0; i < 700 && lift == nullptr; ++i)
        if ((lift = WaitingLift(120)) == nullptr)
            Step();
    ASSERT_NE(lift, nullptr) << "no lift stopped by the ledge";
    for (int i = 0; i < 40 && StandingOn() != lift->group; ++i)
        Step({KeyIndex_GameRight});
    ASSERT_EQ(StandingOn(), lift->group) << "could not step onto the waiting lift";
    Pointf const trackStart(Black_TrackX, Black_TrackY);
    for (int i = 0; i < 1200 && Hero()->GetPos().DistanceEst(&trackStart) > 40.0; ++i)
    {
        Step();
        ASSERT_EQ(StandingOn(), lift->group) << "thrown off the lift at tick " << world->GetTick();
    }
    ASSERT_LT(Hero()->GetPos().DistanceEst(&trackStart), 40.0) << "not carried back to the track's start";

    RoadWalk_Result const end = WalkRoad("from the lifts");
    EXPECT_TRUE(end.done) << end.report;
    EXPECT_EQ(end.action, Level_Completed) << end.report;
}
