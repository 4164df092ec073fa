// Each puzzle's solution as the generator writes it beside its room, played by keys in the generated
// castle from a place in its room, opens its door.
#include "CastleWalker.h"
#include "castle/Casle.h"
#include "castle/Casle_Laser_Target.h"
#include "castle/Casle_Lights.h"
#include "castle/Casle_Machine_Switch.h"
#include "castle/Casle_MultiHit.h"
#include "castle/Casle_Podiums.h"
#include "castle/Casle_Swivel.h"
#include "castle/Casle_Symbols.h"
#include "creatures/PushOver.h"
#include "engine/Collectable.h"
#include "engine/Door.h"
#include "engine/Lift.h"
#include "engine/Map.h"
#include "engine/Player.h"
#include "engine/Switch.h"
#include "support/ShortcutRun.h"
#include "support/StandingSurfaces.h"
#include "support/WorldFixture.h"
#include "tools/worlds/castle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace
{

class CaslePuzzleTest : public MutedWorldFixture
{
protected:
    void SetUp() override
    {
        MutedWorldFixture::SetUp();
        castle = &static_cast<Casle&>(Build(Level_Casle));
        player = castle->GetPlayer();
        walker = std::make_unique<Castle_Walker>(*castle, *player,
                                                 [this](std::vector<int> const& held) { return Step(held); });
    }
    void TearDown() override
    {
        walker.reset();
        WorldFixture::TearDown();
    }

    // Puts the player down at x on the floor at height y and lets him land.
    void PutAt(double x, double y)
    {
        player->pos = Pointf(x, y + 1.0);
        walker->Idle(10);
    }
    // Door i (counted from 0) at the last tick played: how far open.
    double Opening(int i) const { return castle->GetDoor(i)->GetPos(castle->GetTick() - 1); }
    // Walks to the castle object i where it lies and takes it.
    void Take(int i)
    {
        walker->WalkTo(castle->GetCastleObject(i)->GetPosAtTime(castle->GetTick()).x, 2.0);
        walker->Act();
        EXPECT_EQ(player->GetHeldObject(), castle->GetCastleObject(i)) << "taking object " << i;
    }
    // Walks to x with the item held, turns it and lets it go there.
    void DropAt(double x, int turn = 0)
    {
        walker->WalkTo(x, 1.5);
        walker->Turn(turn);
        walker->Act();
        walker->Idle(30);
        EXPECT_EQ(player->GetHeldObject(), nullptr);
    }
    // Stands on the plate of switch i from where he is, for steps steps.
    void StandOnPlate(double plateLeft, int steps)
    {
        walker->WalkTo(plateLeft + 30.0, 3.0);
        walker->Idle(steps);
    }

    Casle* castle = nullptr;
    Player* player = nullptr;
    std::unique_ptr<Castle_Walker> walker;
};

constexpr int QuarterTurn = 157; // hundredths of a radian

} // namespace

TEST_F(CaslePuzzleTest, EachSwitchDoorOpensWhileItsPlateIsHeld)
{
    struct Plain
    {
        int door;
        double plateLeft, floor, away; // where the player waits off the plate
    };
    // Door 1 by switch 1 in room 5, 2 by 2 in room 8, 3 by 3 in room 14, 4 by 4 in room 30,
    // 5 by 5 in room 24.
    Plain const plain[] = {
        {0, 980.0, CastleWriter::Room4_Floor, 1115.0},  {1, 760.0, 3380.0, 730.0},   {2, 3100.0, 3930.0, 3070.0},
        {3, 3760.0, CastleWriter::Lower_Floor, 3730.0}, {4, 5545.0, CastleWriter::Room22_Floor, 5630.0},
    };
    for (Plain const& p : plain)
    {
        SCOPED_TRACE("door " + std::to_string(p.door + 1));
        PutAt(p.away, p.floor);
        EXPECT_EQ(Opening(p.door), 0.0);
        StandOnPlate(p.plateLeft, 120);
        EXPECT_GT(Opening(p.door), 40.0);
        walker->WalkTo(p.away);
        walker->Idle(300);
        EXPECT_EQ(Opening(p.door), 0.0) << "fallen shut once let go";
    }
    EXPECT_EQ(walker->stuck, "");
}

TEST_F(CaslePuzzleTest, APastSelfHoldsDoor2WhileThePlayerLeavesRoom8IntoTheHall)
{
    PutAt(700.0, 3380.0);
    StandOnPlate(760.0, 300);
    Tick const held = castle->GetTick();
    walker->TravelBackTo(held - 250);
    walker->WalkPast(1240.0, +1);
    walker->Idle(60);
    EXPECT_LT(player->GetPos().y, CastleWriter::Hall_Floor + 2.0) << "dropped into the hall";
    EXPECT_EQ(walker->stuck, "");
}

TEST_F(CaslePuzzleTest, TheLampsOfRoom4LitOneByOneOpenDoor7)
{
    PutAt(1650.0, CastleWriter::Room4_Floor);
    walker->WalkTo(1660.0);
    walker->WalkTo(1650.0); // facing left
    for (int i = 0; i < 3; ++i)
        walker->Throw(i == 0 ? 0 : 1);
    walker->Idle(200);
    EXPECT_TRUE(castle->GetLights(0)->IsActive(castle->GetTick() - 1));
    EXPECT_GT(Opening(6), 40.0);
}

TEST_F(CaslePuzzleTest, TheLampsOfRoom9LitTogetherOpenDoor8)
{
    PutAt(CastleWriter::Room9_ThrowX - 40.0, CastleWriter::Room4_Floor);
    walker->WalkTo(CastleWriter::Room9_ThrowX); // facing right
    for (int i = 0; i < 3; ++i)
        walker->Throw(i == 0 ? 0 : 1);
    walker->Idle(200);
    EXPECT_TRUE(castle->GetLights(1)->IsActive(castle->GetTick() - 1));
    EXPECT_GT(Opening(7), 40.0);
}

TEST_F(CaslePuzzleTest, TheMirrorUnderLaser1OpensDoor9)
{
    PutAt(2600.0, CastleWriter::Room4_Floor);
    Take(7);
    DropAt(CastleWriter::Room10_LaserX);
    walker->Idle(200);
    EXPECT_GT(Opening(8), 100.0);
    EXPECT_EQ(walker->stuck, "");
}

TEST_F(CaslePuzzleTest, TheMirrorTurnedUnderLaser4OpensDoor12)
{
    PutAt(-470.0, 3860.0);
    Take(1);
    DropAt(CastleWriter::Room7_LaserX, QuarterTurn);
    walker->Idle(100);
    EXPECT_GT(Opening(11), 40.0);
    EXPECT_EQ(walker->stuck, "");
}

TEST_F(CaslePuzzleTest, TwoMirrorsUnderLaser6OpenDoor14OrDoor15)
{
    double const f = CastleWriter::Lower_Floor;
    for (bool toTarget5 : {true, false})
    {
        SCOPED_TRACE(toTarget5 ? "target 5" : "target 6");
        castle = &static_cast<Casle&>(Rebuild());
        player = castle->GetPlayer();
        walker = std::make_unique<Castle_Walker>(*castle, *player,
                                                 [this](std::vector<int> const& held) { return Step(held); });
        PutAt(5640.0, f);
        Take(10);
        DropAt(CastleWriter::Room33_LaserX, toTarget5 ? 0 : QuarterTurn);
        Take(11);
        DropAt(toTarget5 ? CastleWriter::Room33_Target5X : CastleWriter::Room33_Target6X, toTarget5 ? QuarterTurn : 0);
        walker->Idle(100);
        EXPECT_GT(Opening(toTarget5 ? 13 : 14), 40.0);
        EXPECT_EQ(Opening(toTarget5 ? 14 : 13), 0.0);
        EXPECT_EQ(walker->stuck, "");
    }
}

TEST_F(CaslePuzzleTest, TwoOfTheThreeMirrorsUnderLaser7OpenDoor18OrDoor19)
{
    double const f = 5220.0;
    for (bool toTarget7 : {true, false})
    {
        SCOPED_TRACE(toTarget7 ? "target 7" : "target 8");
        castle = &static_cast<Casle&>(Rebuild());
        player = castle->GetPlayer();
        walker = std::make_unique<Castle_Walker>(*castle, *player,
                                                 [this](std::vector<int> const& held) { return Step(held); });
        PutAt(6750.0, f);
        // The first mirror under the laser, unturned; the others out of the beam or into it turned.
        Take(6);
        DropAt(CastleWriter::Room27_LaserX);
        Take(5);
        DropAt(toTarget7 ? CastleWriter::Room27_Target7X : CastleWriter::Room27_Target8X, QuarterTurn);
        Take(4);
        DropAt(CastleWriter::Room27_LaserX + 40.0);
        walker->Idle(100);
        EXPECT_GT(Opening(toTarget7 ? 17 : 18), 40.0);
        EXPECT_EQ(Opening(toTarget7 ? 18 : 17), 0.0);
        EXPECT_EQ(walker->stuck, "");
    }
}

TEST_F(CaslePuzzleTest, WithTheEyesOnAPastSelfSwitch6OpensDoor6)
{
    double const f = 5470.0;
    // Alone on the plate, the eyes fire onto it and hold it up.
    PutAt(2420.0, f);
    StandOnPlate(2280.0, 100);
    EXPECT_EQ(Opening(5), 0.0);
    EXPECT_NE(castle->GetLaserTarget(1)->NextActiveTime(0), -1) << "the beams lit the plate";

    // In the eyes' sight, off the plate, from T1 to T2; then back before T1 and onto the plate.
    walker->WalkTo(2420.0);
    Tick const t1 = castle->GetTick();
    walker->Idle(400);
    walker->TravelBackTo(t1 + 20);
    StandOnPlate(2280.0, 100);
    EXPECT_GT(Opening(5), 40.0);
    EXPECT_EQ(walker->stuck, "");
}

TEST_F(CaslePuzzleTest, WithTheEyeOnAPastSelfSwitch12OpensDoor13)
{
    PutAt(5340.0, CastleWriter::Pit_Floor + 40.0);
    Tick const t1 = castle->GetTick();
    walker->Idle(400);
    walker->TravelBackTo(t1 + 20);
    StandOnPlate(5255.0, 100);
    EXPECT_GT(Opening(12), 40.0);
    EXPECT_EQ(walker->stuck, "");
}

TEST_F(CaslePuzzleTest, TheFourthAndEighthSymbolsTogetherOpenDoor16ForGood)
{
    double const f = CastleWriter::Road_Floor;
    PutAt(4700.0, f);
    Tick const t1 = castle->GetTick();
    StandOnPlate(CastleWriter::Symbol_PlateX(3), 300);
    walker->TravelBackTo(t1 + 10);
    StandOnPlate(CastleWriter::Symbol_PlateX(7), 100);
    Tick const solved = castle->GetSymbols()->GetSolvedTime();
    EXPECT_NE(solved, -1);
    walker->WalkTo(4300.0);
    walker->Idle(300);
    EXPECT_GT(Opening(15), 40.0) << "open for good";
    EXPECT_EQ(walker->stuck, "");
}

TEST_F(CaslePuzzleTest, TheCogFromBeforeTheBridgeFellStartsTheMachineAndOpensDoor10)
{
    double const f = CastleWriter::Room4_Floor;
    // Up the ramp by the push-over from room 5's door, and a jump on the block: it falls over the
    // pit, onto the cog.
    PutAt(1115.0, f);
    walker->Idle(300);
    walker->WalkTo(CastleWriter::Room5_PushX, 3.0);
    EXPECT_EQ(castle->GetPushOver(0)->GetPushTime(), -1) << "standing on the block pushes nothing";
    walker->Step({KeyIndex_GameJump});
    walker->Idle(20);
    Tick const pushed = castle->GetPushOver(0)->GetPushTime();
    ASSERT_NE(pushed, -1);
    EXPECT_TRUE(castle->GetPushOver(0)->FallsLeft());
    walker->Idle(150);
    // Onto the bridge and across it to the left.
    walker->WalkTo(800.0);
    walker->JumpOnto(CastleWriter::Room5_Bridge, -1);
    walker->WalkTo(420.0);
    ASSERT_LT(player->GetPos().x, 450.0) << "crossed the bridge";
    // Back before the push: the pit is open; down to the cog, and out to the left with it.
    walker->TravelBackTo(std::max<Tick>(pushed - 380, 10));
    walker->WalkTo(610.0, 2.0);
    walker->Act();
    ASSERT_EQ(player->GetHeldObject(), castle->GetCastleObject(Casle_CogObject));
    walker->WalkTo(462.0);
    walker->JumpOnto(f, -1);
    walker->WalkTo(420.0);
    ASSERT_GT(player->GetPos().y, f - 1.0) << "out of the pit";
    walker->JumpOnto(CastleWriter::Room6_StepTop, -1);

    // Up room 6's ramp to the machine; let the cog go by it and start it on switch 8.
    walker->WalkTo(60.0, 2.0);
    walker->Act();
    walker->Idle(10);
    EXPECT_TRUE(castle->GetMachine()->HasCog(castle->GetTick()));
    StandOnPlate(180.0, 100);
    EXPECT_NE(castle->GetMachine()->ActiveTime(), -1);
    EXPECT_GT(Opening(9), 40.0);
    EXPECT_EQ(walker->stuck, "");
}

TEST_F(CaslePuzzleTest, CrystalsByTheirPodiumsOpenDoors11And17)
{
    struct Carry
    {
        int crystal;
        Pointf from;   // where the player stands to take it
        double podium; // x of its podium
        double floor;
    };
    Carry const carries[] = {
        {2, Pointf(CastleWriter::Room18_CrystalX, CastleWriter::Room18_BlockTop), 3500.0, CastleWriter::Road_Floor},
        {3, Pointf(CastleWriter::Room9_CrystalX, CastleWriter::Room9_Floor), 3650.0, CastleWriter::Road_Floor},
        {8, Pointf(4780.0, CastleWriter::Room34_Shelf), 5150.0, CastleWriter::Lower_Floor},
        {9, Pointf(4880.0, CastleWriter::Room34_Shelf), 5300.0, CastleWriter::Lower_Floor},
    };
    for (Carry const& c : carries)
    {
        SCOPED_TRACE("crystal " + std::to_string(c.crystal));
        PutAt(c.from.x, c.from.y);
        walker->Act();
        ASSERT_EQ(player->GetHeldObject(), castle->GetCastleObject(c.crystal));
        PutAt(c.podium + 30.0, c.floor);
        walker->WalkTo(c.podium, 2.0);
        walker->Act();
        walker->Idle(60);
    }
    EXPECT_GT(Opening(10), 40.0);
    EXPECT_GT(Opening(16), 40.0);
    EXPECT_EQ(walker->stuck, "");
}

TEST_F(CaslePuzzleTest, FiftyHitsRaiseBlock1WithThePlayerOnItToTheCrystalShelfOfRoom34)
{
    double const f = CastleWriter::Lower_Floor;
    PutAt(4560.0, f);
    walker->JumpOnto(f + 50.0, +1);
    walker->WalkTo(4620.0);
    walker->WalkTo(4610.0); // facing left, the mark in sight
    Casle_MultiHit const* block = castle->GetMultiHit(0);
    for (int i = 0; i < 80 && block->PosAtTime(castle->GetTick() + 30) < 50.0; ++i)
        walker->Throw(0);
    walker->Idle(60);
    EXPECT_DOUBLE_EQ(block->PosAtTime(castle->GetTick() - 1), 50.0);
    EXPECT_GT(player->GetPos().y, f + 99.0) << "carried up on the block";
    walker->WalkTo(4652.0);
    walker->JumpOnto(CastleWriter::Room34_Shelf, +1);
    walker->WalkTo(4780.0, 2.0);
    walker->Act();
    EXPECT_EQ(player->GetHeldObject(), castle->GetCastleObject(8));
    EXPECT_EQ(walker->stuck, "");
}

TEST_F(CaslePuzzleTest, APastSelfOnSwitch9LiftsThePlayerToTheHighLedge)
{
    using namespace CastleWriter;
    double const f = Room18_Floor;
    PutAt(Room18_Switch9X + 50.0, f);
    Tick const t1 = castle->GetTick();
    // On switch 9 the lift rises, comes down to the floor and rises again.
    StandOnPlate(Room18_Switch9X - 30.0, 420);
    walker->WalkTo(Room18_Switch9X + 50.0);
    Lift const* lift = castle->GetLift(1);
    Tick down = t1;
    for (Tick t = t1; t < castle->GetTick(); ++t)
        if (lift->CalcLiftPos(t) < lift->CalcLiftPos(down))
            down = t;
    walker->TravelBackTo(down - 60);
    walker->WalkTo(Room18_LedgeRight + 85.0);
    walker->WaitFor([&] { return lift->CalcLiftPos(castle->GetTick()) < -120.0; }, "the lift down");
    walker->JumpOnto(5490.0, -1);
    walker->WalkTo(Room18_LedgeRight + 8.0);
    walker->WaitFor([&] { return lift->CalcLiftPos(castle->GetTick()) > 118.0; }, "the lift up");
    walker->WalkTo(Room18_WallX + 30.0, 2.0);
    EXPECT_GT(player->GetPos().y, Room18_LedgeTop - 1.0) << "on the high ledge";
    EXPECT_EQ(walker->stuck, "");
}

TEST_F(CaslePuzzleTest, Switch22TurnsTheSwivelIntoARampUpToRoom16AndSwitch21BackOffTheLadder)
{
    using namespace CastleWriter;
    double const f = Room15_Floor;
    PutAt(Room15_Switch21X - 60.0, f);
    walker->WalkTo(Room15_Switch22X);
    Casle_Swivel const* swivel = castle->GetSwivel();
    // Stepping off the plate takes some 25 steps more of turning, and crossing switch 21's on the
    // way back some 10 of turning back. Turned less, the plank's end stands a step over room 15's
    // floor.
    walker->WaitFor([&] { return swivel->GetRotation(castle->GetTick() - 1) > 0.55; }, "the swivel turned");
    walker->WalkTo(3350.0);
    EXPECT_NEAR(swivel->GetRotation(castle->GetTick() - 1), 0.9, 0.15);
    walker->WalkPast(2980.0, -1);
    walker->Settle();
    EXPECT_GT(player->GetPos().y, Room16_Floor - 1.0) << "on room 16's floor";

    // Down the plank again: it leads onto room 15's floor, not to the ladder beyond its end.
    walker->WalkTo(Room15_Switch21X - 60.0);
    EXPECT_LT(player->GetPos().y, f + 1.0);
    walker->WalkPast(3050.0, -1);
    walker->Settle();
    EXPECT_GT(player->GetPos().y, f + 20.0) << "up the plank, not off the floor's end";
    // Turned back up on switch 21, it clears the floor, whose end drops onto the ladder.
    walker->WalkTo(Room15_Switch21X);
    walker->WaitFor([&] { return swivel->GetRotation(castle->GetTick() - 1) < 0.0; }, "the swivel turned back");
    walker->WalkPast(3050.0, -1);
    walker->Settle();
    EXPECT_LT(player->GetPos().y, f - 1.0) << "on a rung of the ladder";
    EXPECT_EQ(walker->stuck, "");
}

TEST_F(CaslePuzzleTest, FromTheLastRungOfRoom14sLadderAJumpReachesRoom13AndItsFloorsEndLeadsBackDown)
{
    using namespace CastleWriter;
    PutAt(Room13_FloorRight + 20.0, Room13_Floor - 48.0);
    EXPECT_EQ(castle->GetCurRoom(), 14) << "the last rung lies in room 14";
    walker->JumpOnto(Room13_Floor, -1);
    EXPECT_EQ(castle->GetCurRoom(), 13);
    EXPECT_GT(player->GetPos().y, Room13_Floor - 1.0);
    EXPECT_LT(player->GetPos().x, Room13_FloorRight);
    walker->WalkTo(Room13_StandX);
    walker->WalkPast(2900.0, +1);
    walker->Settle();
    EXPECT_EQ(castle->GetCurRoom(), 14);
    EXPECT_LT(player->GetPos().y, Room13_Floor - 40.0) << "down off the floor's end";
    EXPECT_EQ(walker->stuck, "");
}

// Feet on the floor under the foot of a plate's slope (where a plate let go rises back over feet
// that a landing on its foot left on the floor as it sank) do not hold the player: holding a
// direction still takes him away, from under either foot of every plate.
TEST_F(CaslePuzzleTest, FromUnderTheFootOfEveryPlateThePlayerStillMovesAway)
{
    ShortcutRun::Stepper const step = [this](std::vector<int> const& held) { return Step(held); };
    std::string held;
    for (Casle_GroupId const group : Casle_SwitchGroups)
    {
        Rectf plate;
        castle->GetMap()->FindGroupBound(group, &plate);
        double const floor = plate.y1 - 12.0; // the plate stands 12 over its floor
        for (double const in : {0.25, 5.0})
            for (double const x : {plate.x0 + in, plate.x1 - in})
            {
                PutPlayer(*castle, Pointf(x, floor - 1.0), 1.0);
                walker->Idle(40);
                if (std::string const wedged = ShortcutRun::Wedged(*castle, step); !wedged.empty())
                    held += "plate of group " + std::to_string(group) + ": " + wedged + "\n";
            }
    }
    EXPECT_EQ(held, "");
}

// The plank turned by switch 22 through the angles at which it passes the left end of room 15's
// floor, over the ladder: walking off the floor's end onto it, the player is not held in a cleft
// between plank and floor.
TEST_F(CaslePuzzleTest, ThePlankTurnedPastTheEndOfRoom15sFloorHoldsNoOneWalkingOffIt)
{
    using namespace CastleWriter;
    Casle_Swivel const* swivel = castle->GetSwivel();
    ShortcutRun::Stepper const step = [this](std::vector<int> const& held) { return Step(held); };
    Pointf const onSwitch(Room15_Switch22X, Room15_Floor + 12.0);
    PutPlayer(*castle, onSwitch, 1.0);
    walker->WaitFor([&] { return swivel->GetRotation(castle->GetTick() - 1) > 1.0; }, "the swivel turned");
    std::string held;
    int tried = 0;
    for (; tried < 60 && swivel->GetRotation(castle->GetTick() - 1) < 1.7; ++tried)
    {
        // Three steps more on the switch, landing on it, turn the plank on by a fiftieth of a radian.
        PutPlayer(*castle, onSwitch, 1.0);
        walker->Idle(3);
        double const turned = swivel->GetRotation(castle->GetTick() - 1);
        PutPlayer(*castle, Pointf(3200.0, Room15_Floor), 1.0);
        walker->Hold({KeyIndex_GameLeft}, 100);
        if (std::string const wedged = ShortcutRun::Wedged(*castle, step); !wedged.empty())
        {
            char at[40];
            std::snprintf(at, sizeof at, "turned %.2f: ", turned);
            held += at + wedged + "\n";
        }
    }
    EXPECT_EQ(held, "");
    EXPECT_LT(tried, 60) << "the switch no longer turns the plank";
    EXPECT_EQ(walker->stuck, "");
}
