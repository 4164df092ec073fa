// The side road round the lifts' track: down through the bridge's gap onto the ledge where the lifts wait,
// carried off it by a lift, round the track and back to its start, up the stairs and on to the far end; and
// from the valley's floor, where a fall past that ledge leaves a player, onto a lift passing over it.
#include "black/BlackSupport.h"
#include "black/Black_MapMove.h"
#include "black/Black_MapMoveGroup.h"
#include "support/RoadWalker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace
{

using namespace BlackWriter;

constexpr Tick LiftRound = 5123; // ticks of a lift's way round its track

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

    // The lifts' lowest stretch, read off the track: its height (of a lift's offset) and the offsets in
    // x at which a lift enters and leaves it.
    struct Stretch
    {
        double y = 0.0;
        double x0 = 0.0;
        double x1 = 0.0;
    };
    Stretch LowestStretch() const
    {
        Black_MapMoveGroup const* lift = dynamic_cast<Black&>(*world).GetDriver()->GetMover(0);
        Stretch s{1e9, 1e9, -1e9};
        for (Tick t = 0; t < LiftRound; ++t)
        {
            double x = 0.0, y = 0.0;
            lift->Offset(t, x, y);
            if (y < s.y - 1e-6)
                s = Stretch{y, x, x};
            else if (std::abs(y - s.y) < 1e-6)
                s = Stretch{s.y, std::min(s.x0, x), std::max(s.x1, x)};
        }
        return s;
    }

    // The left end of a lift on the lowest stretch that has just passed over the player, near enough
    // ahead of him for a running jump; none when no lift is.
    bool LiftJustAhead(Stretch const& lowest, double& leftEnd) const
    {
        Black_MapMove const* driver = dynamic_cast<Black&>(*world).GetDriver();
        double const at = Hero()->GetPos().x;
        for (int m = 0; m < Black_MapMove_GroupCount; ++m)
        {
            Black_MapMoveGroup const* mover = driver->GetMover(m);
            if (mover->group < Black_Group_FirstLift || mover->group > Black_Group_LastLift)
                continue;
            double x = 0.0, y = 0.0;
            mover->Offset(world->GetTick(), x, y);
            leftEnd = Black_TrackX + x - Black_LiftHalfWidth;
            if (std::abs(y - lowest.y) < 1e-6 && x < lowest.x1 - 300.0 && leftEnd > at + 5.0 && leftEnd < at + 40.0)
                return true;
        }
        return false;
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

TEST_F(BlackLiftRoad, FallenPastTheBoardingLedgeToTheValleysFloorAPlayerJumpsOntoALiftAndRidesBackToTheRoad)
{
    // Holding right along the bridge, walking or with a jump now and then, down through its gap.
    for (bool const jumping : {false, true})
    {
        MakeWorld();
        Stretch const lowest = LowestStretch();
        double const lowestTop = Black_TrackY + lowest.y;
        Place(Pointf(Black_TrackX + 1000.0, RoadY(Black_TrackX) + 1.0));
        int fall = 0;
        for (; fall < 1500 && !(Hero()->onGround && Hero()->GetPos().y < lowestTop); ++fall)
        {
            bool const jump = jumping && fall % 40 < 10;
            Step(jump ? std::vector<int>{KeyIndex_GameRight, KeyIndex_GameJump} : std::vector<int>{KeyIndex_GameRight});
        }
        std::string const how = jumping ? "jumping" : "walking";
        ASSERT_LT(Hero()->GetPos().y, lowestTop) << how << ": not down on the valley's floor";
        ASSERT_EQ(StandingOn(), 0u) << how;

        // As a player does there: under the start of the lifts' lowest stretch, he lets one pass over
        // his head and runs after it with a jump.
        double const wait = Black_TrackX + lowest.x0 + 30.0;
        int chase = 0;
        double leftEnd = 0.0;
        for (int i = 0; i < 3000 && (StandingOn() < Black_Group_FirstLift || StandingOn() > Black_Group_LastLift); ++i)
        {
            if (chase > 0 || LiftJustAhead(lowest, leftEnd))
            {
                chase = chase > 0 ? chase - 1 : 40;
                Step({KeyIndex_GameRight, KeyIndex_GameJump});
                continue;
            }
            double const off = Hero()->GetPos().x - wait;
            if (std::abs(off) < 8.0 || !Hero()->onGround)
                Step();
            else
                Step({off > 0.0 ? KeyIndex_GameLeft : KeyIndex_GameRight});
        }
        unsigned int const lift = StandingOn();
        ASSERT_TRUE(lift >= Black_Group_FirstLift && lift <= Black_Group_LastLift)
            << how << ": not onto a lift from the floor by tick " << world->GetTick();

        // Carried round to the track's start by its jump back there, and up the steps by it to the road.
        for (int i = 0; i < LiftRound && Hero()->GetPos().x > Black_TrackX + Black_LiftHalfWidth; ++i)
            Step();
        ASSERT_NEAR(Hero()->GetPos().y, Black_TrackY, 1.0) << how << ": not carried back to the track's start";
        RoadWalk_Result const end = WalkRoad("from the lifts");
        EXPECT_EQ(end.action, Level_Completed) << how << ": " << end.report;
    }
}
