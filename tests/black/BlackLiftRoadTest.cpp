// The side road round the lifts' track: down through the bridge's gap onto the ledge where the lifts wait,
// carried off it by a lift, round the track and back to its start, up the stairs and on to the far end; and
// from the valley's floor, where a fall past that ledge leaves a player, onto a lift passing over it, or
// holding either way with a jump now and then up the tunnel at that end back to the road.
#include "black/BlackSupport.h"
#include "black/Black_MapMove.h"
#include "black/Black_MapMoveGroup.h"
#include "support/RoadWalker.h"
#include "support/StandingSurfaces.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace
{

using namespace BlackWriter;

constexpr Tick LiftRound = 5123;    // ticks of a lift's way round its track
constexpr double LiftDrop = 1850.0; // from the track's start down to its lowest stretch

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

    // How far ahead of the player (to his right) the left end of a lift low over his feet lies, the
    // lift nearest him; far when there is none.
    double LowLiftAhead() const
    {
        Black_MapMove const* driver = dynamic_cast<Black&>(*world).GetDriver();
        Pointf const at = Hero()->GetPos();
        double nearest = 1e9;
        for (int m = 0; m < Black_MapMove_GroupCount; ++m)
        {
            Black_MapMoveGroup const* mover = driver->GetMover(m);
            double x = 0.0, y = 0.0;
            mover->Offset(world->GetTick(), x, y);
            double const over = Black_TrackY + y - at.y;
            double const left = Black_TrackX + x - Black_LiftHalfWidth - at.x;
            if (IsLift(mover->group) && over > 0.0 && over < 70.0 && std::abs(left) < std::abs(nearest))
                nearest = left;
        }
        return nearest;
    }

    static bool IsLift(unsigned int group) { return group >= Black_Group_FirstLift && group <= Black_Group_LastLift; }
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
        std::string const how = jumping ? "jumping" : "walking";
        Place(Pointf(Black_TrackX + 1000.0, RoadY(Black_TrackX) + 1.0));
        double const lowestLiftTop = Black_TrackY - LiftDrop;
        for (int i = 0; i < 1500 && !(Hero()->onGround && Hero()->GetPos().y < lowestLiftTop); ++i)
            Step(jumping && i % 40 < 10 ? std::vector<int>{KeyIndex_GameRight, KeyIndex_GameJump}
                                        : std::vector<int>{KeyIndex_GameRight});
        ASSERT_LT(Hero()->GetPos().y, lowestLiftTop) << how << ": not down on the valley's floor";
        ASSERT_EQ(StandingOn(), 0u) << how;

        // As a player does there: back left along the floor until a lift comes low over his head, still
        // while it passes, and after it with a jump.
        for (int i = 0, chase = 0; i < 3000 && !IsLift(StandingOn()); ++i)
        {
            double const ahead = LowLiftAhead();
            chase = chase > 0 ? chase - 1 : ahead > 5.0 && ahead < 40.0 ? 40 : 0;
            if (chase > 0)
                Step({KeyIndex_GameRight, KeyIndex_GameJump});
            else
                Step(ahead > -2.0 * Black_LiftHalfWidth - 40.0 && ahead < 40.0 ? std::vector<int>{}
                                                                               : std::vector<int>{KeyIndex_GameLeft});
        }
        ASSERT_TRUE(IsLift(StandingOn())) << how << ": not onto a lift from the floor by tick " << world->GetTick();

        // Carried round to the track's start by its jump back there, and up the steps by it to the road.
        for (int i = 0; i < LiftRound && Hero()->GetPos().x > Black_TrackX + Black_LiftHalfWidth; ++i)
            Step();
        ASSERT_NEAR(Hero()->GetPos().y, Black_TrackY, 1.0) << how << ": not carried back to the track's start";
        RoadWalk_Result const end = WalkRoad("from the lifts");
        EXPECT_EQ(end.action, Level_Completed) << how << ": " << end.report;
    }
}

TEST_F(BlackLiftRoad, FromAnywhereOnTheValleysFloorHoldingEitherWayWithAJumpNowAndThenLeadsBackToTheRoad)
{
    // The floors low in the valley, under the lifts' lowest stretch and beside the shaft, and the tunnel
    // out of its right end: each walked from near its ends and from its middle to the right, the floor also to
    // the left, up the tunnel out of its left end.
    MakeWorld();
    std::vector<Pointf> places;
    for (StandingSurface const& s : StandingSurfaces(*world->GetMap(), {Hero()->GetScale()}))
        if (s.a.x >= 24200.0 && s.b.x <= 31000.5 && s.a.y < Black_TrackY - LiftDrop)
            for (double f : {0.02, 0.5, 0.98})
                places.emplace_back(s.a.x + (s.b.x - s.a.x) * f, s.a.y + (s.b.y - s.a.y) * f);
    ASSERT_EQ(places.size(), 6u) << "not the valley's floor and the tunnel";
    for (int const key : {KeyIndex_GameRight, KeyIndex_GameLeft})
        for (Pointf const& p : places)
        {
            if (key == KeyIndex_GameLeft && p.x > 29200.0)
                continue;
            MakeWorld();
            Place(Pointf(p.x, p.y + 1.0));
            // Back on the road: standing on it past the valley's end he walks towards.
            auto const onRoad = [&] {
                Pointf const at = Hero()->GetPos();
                bool const past = key == KeyIndex_GameRight ? at.x > 29200.0 : at.x < 24200.0;
                return Hero()->onGround && past && std::abs(at.y - RoadY(at.x)) < 2.0;
            };
            int i = 0;
            for (; i < 1500 && !onRoad(); ++i)
                Step(i % 40 < 10 ? std::vector<int>{key, KeyIndex_GameJump} : std::vector<int>{key});
            EXPECT_TRUE(onRoad()) << (key == KeyIndex_GameRight ? "right" : "left") << " from (" << p.x << ", " << p.y
                                  << "): at (" << Hero()->GetPos().x << ", " << Hero()->GetPos().y << ") after " << i
                                  << " steps";
        }

    // Along the road over the left tunnel's mouth: walking right off the step he flies over the notch,
    // walking left he dips into it no deeper than a stride and walks on up the step.
    for (int const key : {KeyIndex_GameRight, KeyIndex_GameLeft})
    {
        MakeWorld();
        double const from = Black_ValleyLeftMouthX + (key == KeyIndex_GameRight ? -300.0 : 300.0);
        Place(Pointf(from, RoadY(from) + 1.0));
        double deepest = 0.0;
        for (int i = 0; i < 200; ++i)
        {
            Step({key});
            deepest = std::min(deepest, Hero()->GetPos().y - RoadY(Hero()->GetPos().x));
        }
        EXPECT_GT(deepest, key == KeyIndex_GameRight ? -1.0 : -15.0) << key;
        EXPECT_GT(std::abs(Hero()->GetPos().x - Black_ValleyLeftMouthX), 200.0) << key << ": stopped at the mouth";
    }
}
