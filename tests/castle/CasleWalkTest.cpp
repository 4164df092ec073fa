// Walks through the generated castle by keys: from the hall past the owner and his fee, up the shaft
// and along the road past the socks to the far exit; out by the entrance; and straight through with
// the fee paid before.
#include "CastleWalker.h"
#include "castle/Casle.h"
#include "castle/Casle_Events.h"
#include "engine/GameEvents.h"
#include "engine/Map.h"
#include "engine/Poly.h"
#include "support/WorldFixture.h"
#include "tools/worlds/castle.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{

// The top of a group's polygons where they stand now.
double GroupTop(Map const& map, unsigned int group)
{
    double top = -1e9;
    for (int i = 0; i < map.polys.Count(); ++i)
        if (map.polys[i]->GetGroup() == group)
            top = std::max(top, map.polys[i]->GetBound()->y1);
    return top;
}

// Whether the lift whose top is given rose since the last call.
bool Rising(std::function<double()> const& top, double& last)
{
    double const now = top();
    bool const up = now > last;
    last = now;
    return up;
}

// From the hall (past the gate) along the road to the far exit.
void WalkTheRoad(Castle_Walker& w, Map const& map)
{
    using namespace CastleWriter;
    w.WalkTo(2345.0);
    w.JumpOnto(Walkway_Floor, -1);
    w.WalkTo(1140.0);
    w.RunJump(+1, Room4_GapLeft - 8.0, Room4_GapRight);
    // The shaft's two lifts.
    auto top1 = [&] { return GroupTop(map, Casle_Group_FirstLift); };
    auto top2 = [&] { return GroupTop(map, Casle_Group_LiftToMultiHit); };
    w.WalkTo(Shaft_Lift1_X - 68.0);
    w.WaitFor([&] { return top1() < Room4_Floor + 20.0; }, "the first lift down");
    w.JumpOnto(top1() + 6.0, +1);
    w.WalkTo(1890.0);
    // Each lift is got off or on while it turns: it stays there longest.
    double last = top1();
    w.WaitFor([&] { return Rising(top1, last) && top1() > Shaft_Ledge + 2.0; }, "the first lift up");
    w.WalkPast(1910.0, +1);
    w.WalkTo(1945.0);
    w.JumpOnto(Shaft_Step, +1);
    w.WalkTo(1990.0);
    last = top2();
    w.WaitFor([&] { return !Rising(top2, last) && top2() < Shaft_Step - 2.0; }, "the second lift down");
    w.WalkPast(2010.0, +1);
    w.WalkTo(2105.0);
    last = top2();
    w.WaitFor([&] { return Rising(top2, last) && top2() > Road_Floor + 2.0; }, "the second lift up");
    // The road, through the pit and down into the last room.
    w.WalkPast(Casle_FarExitX + 100.0, +1, 4000);
}

class CasleWalkTest : public WorldFixture
{
protected:
    void SetUp() override
    {
        WorldFixture::SetUp();
        sounds.mute = 1;
    }

    Castle_Walker Walker(Casle& castle)
    {
        return Castle_Walker(castle, *castle.GetPlayer(), [this](std::vector<int> const& held) { return Step(held); });
    }
};

} // namespace

TEST_F(CasleWalkTest, FromTheStartPastTheOwnerAndHisFeeToTheFarExit)
{
    GameEvents record;
    record.eventTimes[Event_TimeTravel] = GameEvent_HasHappened;
    record.gems = 7;
    Build(Level_Casle, record);
    Casle& castle = As<Casle>();
    Castle_Walker w = Walker(castle);

    w.WalkTo(1150.0);
    // Talk: the introduction runs into the fee, skipped line by line with the action key.
    for (int i = 0; i < 200 && events[Casle_Event_FeePaid] < 0 && w.result == Level_Continue; ++i)
    {
        w.Hold({KeyIndex_GameAction}, 2);
        w.Idle(2);
    }
    ASSERT_GE(events[Casle_Event_Introduced], 0) << "the introduction was not heard";
    ASSERT_GE(events[Casle_Event_FeePaid], 0) << "the fee was not paid";
    EXPECT_EQ(events.gems, 0);
    w.Idle(100);
    WalkTheRoad(w, *castle.GetMap());
    EXPECT_EQ(w.stuck, "");
    EXPECT_EQ(w.result, Level_Completed);
    EXPECT_TRUE(castle.SocksMessageShown()) << "the socks lie on the road";
}

TEST_F(CasleWalkTest, WithTheFeePaidBeforeStraightThroughTheGate)
{
    GameEvents record;
    record.eventTimes[Event_TimeTravel] = GameEvent_HasHappened;
    record.eventTimes[Casle_Event_Introduced] = GameEvent_HasHappened;
    record.eventTimes[Casle_Event_FeePaid] = GameEvent_HasHappened;
    Build(Level_Casle, record);
    Casle& castle = As<Casle>();
    Castle_Walker w = Walker(castle);
    WalkTheRoad(w, *castle.GetMap());
    EXPECT_EQ(w.stuck, "");
    EXPECT_EQ(w.result, Level_Completed);
}

TEST_F(CasleWalkTest, FromTheStartOutByTheEntrance)
{
    Casle& castle = static_cast<Casle&>(Build(Level_Casle));
    Castle_Walker w = Walker(castle);
    EXPECT_TRUE(w.WalkPast(Casle_EntranceExitX - 50.0, -1, 600));
    EXPECT_EQ(w.result, Level_Restart);
}
