// The generated castle walked by keys along the roads its generator exports: past the owner and his
// fee up the shaft to the far exit, straight through once paid, and out by the entrance; and the
// whole castle replayed along the road and under random keys.
#include "CastleWalker.h"
#include "castle/Casle.h"
#include "castle/Casle_Events.h"
#include "castle/Casle_Machine_Switch.h"
#include "castle/Casle_Podiums.h"
#include "engine/Door.h"
#include "engine/GameEvents.h"
#include "support/RoadTravel.h"
#include "support/RoadWalker.h"
#include "support/WorldFixture.h"
#include "support/WorldReplay.h"
#include "tools/worlds/castle.h"

#include <gtest/gtest.h>

class CasleWalkTest : public MutedWorldFixture
{
protected:
    RoadWalk_Result Walk(char const* road)
    {
        RoadTravel walker(*world, RoadWalker::WorldRoad(Level_Casle, road));
        return walker.Walk([&](std::vector<int> const& held) { return Step(held); });
    }

    // From where the road ends short of room 20's plates: a self on the fourth while a later one
    // stands on the eighth opens the symbol lock, and the road goes on through door 16.
    RoadWalk_Result PastTheSymbols(RoadWalk_Result const& toPlates)
    {
        if (!toPlates.done)
            return toPlates;
        Casle& c = As<Casle>();
        Castle_Walker w(c, *c.GetPlayer(), [&](std::vector<int> const& held) { return Step(held); });
        w.WalkTo(CastleWriter::Symbol_PlateX(3) + 30.0, 3.0);
        Tick const onFourth = c.GetTick();
        w.Idle(300);
        w.TravelBackTo(onFourth - 20);
        w.WalkTo(CastleWriter::Symbol_PlateX(7) + 30.0, 3.0);
        w.WaitFor([&]() { return c.GetDoor(15)->GetPos(c.GetTick() - 1) > 45.0; }, "door 16 opening", 400);
        EXPECT_EQ(w.stuck, "");
        return Walk("symbols");
    }

    // From where the road ends in room 32's pit, in the eye's sight: the eye kept on a past self
    // while a later one holds switch 12, then travel back again and walk the road on through door
    // 13, which that self holds open.
    RoadWalk_Result PastTheEye(RoadWalk_Result const& toPit)
    {
        if (!toPit.done)
            return toPit;
        Casle& c = As<Casle>();
        Castle_Walker w(c, *c.GetPlayer(), [&](std::vector<int> const& held) { return Step(held); });
        Tick const watched = c.GetTick();
        w.Idle(400);
        w.TravelBackTo(watched + 20);
        w.WalkTo(CastleWriter::Pit_SwitchX, 3.0);
        w.WaitFor([&]() { return c.GetTick() >= watched + 380; }, "standing on switch 12", 500);
        EXPECT_GT(c.GetDoor(12)->GetPos(c.GetTick() - 1), 40.0) << "door 13 opened under the past self's eye";
        w.TravelBackTo(watched + 40);
        w.WaitFor([&]() { return c.GetDoor(12)->GetPos(c.GetTick() - 1) > 45.0; }, "door 13 held open", 300);
        EXPECT_EQ(w.stuck, "");
        return Walk("pit");
    }
};

TEST_F(CasleWalkTest, FromTheStartPastTheOwnerAndHisFeeToTheFarExit)
{
    GameEvents record;
    record.eventTimes[Event_TimeTravel] = GameEvent_HasHappened;
    record.gems = 7;
    Build(Level_Casle, record);
    RoadWalk_Result const r = PastTheEye(PastTheSymbols(Walk("fee")));
    EXPECT_TRUE(r.done) << r.report;
    EXPECT_EQ(r.action, Level_Completed) << r.report;
    EXPECT_GE(events[Casle_Event_Introduced], 0) << "the introduction was heard";
    EXPECT_GE(events[Casle_Event_FeePaid], 0);
    EXPECT_EQ(events.gems, 0);
    EXPECT_TRUE(As<Casle>().SocksMessageShown()) << "the socks lie on the road";
}

TEST_F(CasleWalkTest, WithTheFeePaidBeforeStraightThroughTheGate)
{
    GameEvents record;
    record.eventTimes[Event_TimeTravel] = GameEvent_HasHappened;
    record.eventTimes[Casle_Event_Introduced] = GameEvent_HasHappened;
    record.eventTimes[Casle_Event_FeePaid] = GameEvent_HasHappened;
    Build(Level_Casle, record);
    RoadWalk_Result const r = PastTheEye(PastTheSymbols(Walk("exit")));
    EXPECT_TRUE(r.done) << r.report;
    EXPECT_EQ(r.action, Level_Completed) << r.report;
    Casle& c = As<Casle>();
    EXPECT_TRUE(c.GetMachine()->HasCog(c.GetTick())) << "the cog fetched from the past went in";
    EXPECT_GE(c.GetMachine()->ActiveTime(), 0) << "and the machine runs";
    EXPECT_TRUE(c.GetPodiums(0)->IsActive(c.GetTick())) << "a crystal lies on each podium of room 11";
}

TEST_F(CasleWalkTest, DoorsSixteenAndThirteenHoldUnlessPastSelvesHelp)
{
    GameEvents record;
    record.eventTimes[Event_TimeTravel] = GameEvent_HasHappened;
    record.eventTimes[Casle_Event_Introduced] = GameEvent_HasHappened;
    record.eventTimes[Casle_Event_FeePaid] = GameEvent_HasHappened;
    Build(Level_Casle, record);
    ASSERT_TRUE(Walk("exit").done);
    // Along the plates alone, door 16 holds.
    RoadWalk_Result const alone = Walk("symbols");
    EXPECT_TRUE(alone.stuck) << "walked through door 16";
    EXPECT_LE(alone.at.x, CastleWriter::Symbol_DoorX) << alone.report;
    Destroy();
    Build(Level_Casle, record);
    ASSERT_TRUE(PastTheSymbols(Walk("exit")).done);
    // Alone on switch 12 the eye sees the player step on and fires onto it.
    Casle& c = As<Casle>();
    Castle_Walker w(c, *c.GetPlayer(), [&](std::vector<int> const& held) { return Step(held); });
    w.WalkTo(CastleWriter::Pit_SwitchX, 3.0);
    w.Idle(200);
    EXPECT_EQ(c.GetDoor(12)->GetPos(c.GetTick() - 1), 0.0);
    RoadWalk_Result const on = Walk("pit");
    EXPECT_TRUE(on.stuck) << "walked through door 13";
    EXPECT_LE(on.at.x, CastleWriter::Pit_DoorX) << on.report;
}

TEST_F(CasleWalkTest, WithoutTheFeeTheGateHoldsAndTheEntranceLetsOut)
{
    Build(Level_Casle);
    RoadWalk_Result const shut = Walk("exit");
    EXPECT_TRUE(shut.stuck) << "walked through the closed gate";
    EXPECT_LT(shut.at.x, CastleWriter::Gate_X) << shut.report;
    RoadWalk_Result const r = Walk("entrance");
    EXPECT_EQ(r.action, Level_Restart) << r.report;
}

TEST_F(CasleWalkTest, TheWholeCastleReplaysAlongTheRoadAndUnderRandomKeys)
{
    GameEvents record;
    record.eventTimes[Event_TimeTravel] = GameEvent_HasHappened;
    record.eventTimes[Casle_Event_Introduced] = GameEvent_HasHappened;
    record.eventTimes[Casle_Event_FeePaid] = GameEvent_HasHappened;
    WorldReplay_Options options;
    options.road = "exit";
    WorldReplay::Run(*this, Level_Casle, record, options);
    WorldReplay::Run(*this, Level_Casle, record);
}

TEST_F(CasleWalkTest, WithoutTravellingBackTheCogStaysUnderTheBridgeAndDoorTenHolds)
{
    GameEvents record;
    record.eventTimes[Event_TimeTravel] = GameEvent_HasHappened;
    record.eventTimes[Casle_Event_Introduced] = GameEvent_HasHappened;
    record.eventTimes[Casle_Event_FeePaid] = GameEvent_HasHappened;
    Build(Level_Casle, record);
    // The road's keys without its travel: the player stands where he would have gone back.
    RoadWalker walker(*world, RoadWalker::WorldRoad(Level_Casle, "exit"));
    RoadWalk_Result const r = walker.Walk([&](std::vector<int> const& held) { return Step(held); });
    Casle& c = As<Casle>();
    EXPECT_TRUE(r.stuck) << "walked through door 10";
    EXPECT_LE(r.at.x, CastleWriter::Room4_Door10X) << r.report;
    EXPECT_FALSE(c.GetMachine()->HasCog(c.GetTick()));
    EXPECT_EQ(c.GetDoor(9)->GetPos(c.GetTick() - 1), 0.0);
}
