// The generated castle walked by keys along the roads its generator exports: past the owner and his
// fee, the cog, the machine, the lamps, the mirror, the crystals, the symbol lock and the eye to the
// far exit, straight through once paid, and out by the entrance; into room 27 over the nook's wall;
// the doors on the road holding where a puzzle is left undone; and the whole castle replayed along
// the road and under random keys.
#include "CastleRoad.h"
#include "CastleWalker.h"
#include "castle/Casle.h"
#include "castle/Casle_Events.h"
#include "castle/Casle_Machine_Switch.h"
#include "castle/Casle_Podiums.h"
#include "engine/Collectable.h"
#include "engine/Door.h"
#include "engine/GameEvents.h"
#include "support/RoadTravel.h"
#include "support/RoadWalker.h"
#include "support/WorldFixture.h"
#include "support/WorldReplay.h"
#include "tools/worlds/castle.h"

#include <gtest/gtest.h>

#include <cmath>

class CasleWalkTest : public MutedWorldFixture
{
protected:
    CastleRoad::Stepper Stepper()
    {
        return [this](std::vector<int> const& held) { return Step(held); };
    }
    RoadWalk_Result Walk(char const* road) { return CastleRoad::Walk(As<Casle>(), road, Stepper()); }
    RoadWalk_Result PastTheSymbols(RoadWalk_Result const& toPlates)
    {
        return CastleRoad::PastTheSymbols(As<Casle>(), toPlates, Stepper());
    }
    // A game that has travelled in time and paid the owner his fee on an earlier visit.
    static GameEvents FeePaid()
    {
        GameEvents record;
        record.eventTimes[Event_TimeTravel] = GameEvent_HasHappened;
        record.eventTimes[Casle_Event_Introduced] = GameEvent_HasHappened;
        record.eventTimes[Casle_Event_FeePaid] = GameEvent_HasHappened;
        return record;
    }
};

TEST_F(CasleWalkTest, FromTheStartPastTheOwnerAndHisFeeToTheFarExit)
{
    GameEvents record;
    record.eventTimes[Event_TimeTravel] = GameEvent_HasHappened;
    record.gems = 7;
    Build(Level_Casle, record);
    RoadWalk_Result const r = CastleRoad::Play(As<Casle>(), "fee", Stepper());
    EXPECT_TRUE(r.done) << r.report;
    EXPECT_EQ(r.action, Level_Completed) << r.report;
    EXPECT_GE(events[Casle_Event_Introduced], 0) << "the introduction was heard";
    EXPECT_GE(events[Casle_Event_FeePaid], 0);
    EXPECT_EQ(events.gems, 0);
    EXPECT_TRUE(As<Casle>().SocksMessageShown()) << "the socks lie on the road";
}

TEST_F(CasleWalkTest, WithTheFeePaidBeforeStraightThroughTheGate)
{
    GameEvents const record = FeePaid();
    Build(Level_Casle, record);
    RoadWalk_Result const r = CastleRoad::Play(As<Casle>(), "exit", Stepper());
    EXPECT_TRUE(r.done) << r.report;
    EXPECT_EQ(r.action, Level_Completed) << r.report;
    Casle& c = As<Casle>();
    EXPECT_TRUE(c.GetMachine()->HasCog(c.GetTick())) << "the cog fetched from the past went in";
    EXPECT_GE(c.GetMachine()->ActiveTime(), 0) << "and the machine runs";
    EXPECT_TRUE(c.GetPodiums(0)->IsActive(c.GetTick())) << "a crystal lies on each podium of room 11";
}

TEST_F(CasleWalkTest, DoorsSixteenAndThirteenHoldUnlessPastSelvesHelp)
{
    GameEvents const record = FeePaid();
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
    GameEvents const record = FeePaid();
    WorldReplay_Options options;
    options.road = "exit";
    WorldReplay::Run(*this, Level_Casle, record, options);
    WorldReplay::Run(*this, Level_Casle, record);
}

TEST_F(CasleWalkTest, WithoutTravellingBackTheCogStaysUnderTheBridgeAndDoorTenHolds)
{
    GameEvents const record = FeePaid();
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

TEST_F(CasleWalkTest, WithoutTheCrystalsOfRooms9And18DoorElevenHoldsTheRoad)
{
    GameEvents const record = FeePaid();
    Build(Level_Casle, record);
    // The road to room 20 with the crystals neither taken nor let go: those stations are hops
    // instead, so that the player still stops there and the travels go back to the points they
    // name.
    Road road = RoadWalker::WorldRoad(Level_Casle, "exit");
    for (Road_Point& p : road.points)
        if (p.name == "take a crystal" || p.name == "let the crystal go by a podium")
            p.kind = Road_Hop;
    RoadTravel walker(*world, road);
    RoadWalk_Result const r = walker.Walk(Stepper());
    Casle& c = As<Casle>();
    EXPECT_TRUE(r.stuck) << "walked through door 11";
    EXPECT_LE(r.at.x, CastleWriter::Room11_DoorX) << r.report;
    EXPECT_GT(r.at.x, CastleWriter::Room11_PodiumX[1]) << r.report;
    EXPECT_FALSE(c.GetPodiums(0)->IsActive(c.GetTick()));
    EXPECT_EQ(c.GetDoor(10)->GetPos(c.GetTick() - 1), 0.0);
}

TEST_F(CasleWalkTest, AClimbReachesTheFirstRungOfRoom11sLadderAndOneOutOfReachStopsWhereItLanded)
{
    using namespace CastleWriter;
    Build(Level_Casle, FeePaid());
    // Beside the first rung, in the gap between the ladder's columns.
    Pointf const foot(Room11_LadderX + 65.0, Road_Floor + 1.0);
    double const rung = Road_Floor + (Room15_Floor - Road_Floor) / std::ceil((Room15_Floor - Road_Floor) / 50.0);
    As<Casle>().GetPlayer()->pos = foot;
    Steps(10);
    Road up("up");
    up.Climb(foot.x, rung, false);
    RoadWalk_Result const r = RoadWalker(*world, up).Walk(Stepper(), 2000);
    EXPECT_TRUE(r.done) << r.report;
    EXPECT_NEAR(r.at.y, rung, 0.5);
    EXPECT_LT(r.at.x, foot.x - 5.0) << "drifted left onto it";

    Road far("far");
    far.Climb(r.at.x, Room15_Floor, true);
    RoadWalk_Result const high = RoadWalker(*world, far).Walk(Stepper(), 2000);
    EXPECT_TRUE(high.stuck);
    EXPECT_LT(high.at.y, Room15_Floor - 100.0);
    EXPECT_NE(high.report.find("the climb landed at height"), std::string::npos) << high.report;
}

TEST_F(CasleWalkTest, WithoutTheDoubleJumpRoom27IsWalkedIntoOverTheNooksWall)
{
    using namespace CastleWriter;
    Build(Level_Casle, FeePaid());
    ASSERT_FALSE(As<Casle>().GetPlayer()->GetStats()->airJump);
    As<Casle>().GetPlayer()->pos = Pointf(6150.0, Room22_Floor + 1.0);
    Steps(10);
    // Up room 25's steps, along the wall's top and the shelf, and down into room 27.
    Road in("in");
    in.Walk(Nook_StepX[0] + 20.0, Nook_StepTop(0)).Walk(Nook_StepX[1] + 20.0, Nook_StepTop(1));
    in.Walk(6350.0, Nook_Top).Walk(6560.0, Nook_Top).Walk(6760.0, Room27_Floor);
    RoadWalk_Result const into = RoadWalker(*world, in).Walk(Stepper(), 3000);
    EXPECT_TRUE(into.done) << into.report;
    Steps(60);
    EXPECT_NEAR(world->GetPlayer()->GetPos().y, Room27_Floor, 0.5) << "on room 27's floor";
}

TEST_F(CasleWalkTest, ATurnTurnsTheCarriedMirrorAHundredthEachStepItsKeyIsHeldEitherWayAndAThrowsPressesDoNot)
{
    using namespace CastleWriter;
    Build(Level_Casle, FeePaid());
    Casle& c = As<Casle>();
    Collectable const* mirror = c.GetCastleObject(1);
    c.GetPlayer()->pos = Pointf(Room7_MirrorX + 30.0, Room7_Floor + 1.0);
    Steps(10);
    Road turns("turns");
    turns.Press(Room7_MirrorX, Room7_Floor, "take the mirror", 5);
    turns.Turn(Room7_MirrorX, Room7_Floor, "a quarter back", 157, false);
    RoadWalk_Result const r = RoadWalker(*world, turns).Walk(Stepper(), 2000);
    ASSERT_TRUE(r.done) << r.report;
    ASSERT_EQ(c.GetPlayer()->GetHeldObject(), mirror);
    double const quarter = mirror->GetRotationAtTime(c.GetTick());
    EXPECT_NEAR(quarter, 1.57, 0.015);

    Road back("back");
    back.Turn(Room7_MirrorX, Room7_Floor, "some way on", 57, true);
    back.Throw(Room7_MirrorX, Room7_Floor, "not a turn", 5, 3);
    ASSERT_TRUE(RoadWalker(*world, back).Walk(Stepper(), 2000).done);
    Steps(5);
    EXPECT_NEAR(mirror->GetRotationAtTime(c.GetTick()), quarter - 0.57, 0.035) << "a throw's presses last a step each";
}
