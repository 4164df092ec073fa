// The castle's hint panel on the generated castle: the areas of its rules, the mirrors and crystals it
// counts, the machine's room and the rooms the player must have seen.
#include "CastleRoad.h"
#include "castle/Casle.h"
#include "castle/Casle_CanDo.h"
#include "castle/Casle_Events.h"
#include "castle/Casle_Machine_Switch.h"
#include "engine/Collectable.h"
#include "engine/Map.h"
#include "engine/Player.h"
#include "support/WorldFixture.h"
#include "util/Rectf.h"
#include "util/Vectorf.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace
{

class CasleCanDoTest : public MutedWorldFixture
{
protected:
    void SetUp() override
    {
        MutedWorldFixture::SetUp();
        castle = &static_cast<Casle&>(Build(Level_Casle));
    }

    // The panel's line for the player standing at p, at the current tick; "" for none.
    std::string Says(Pointf p, bool* positive = nullptr)
    {
        castle->GetPlayer()->pos = p;
        CanDo_Indicate indicate{nullptr, false};
        bool const found = castle->GetCanDo()->FindMessage(&indicate, castle->GetTick());
        EXPECT_EQ(found, indicate.mess != nullptr);
        if (positive != nullptr)
            *positive = indicate.positive;
        return indicate.mess != nullptr ? indicate.mess : "";
    }

    // Puts castle object i at p from the current tick on.
    void Move(int i, Pointf p)
    {
        castle->GetCastleObject(i)->SetPosAtTime(castle->GetTick(), p, Vectorf(0.0, 0.0), 0.0, false);
    }

    Casle* castle = nullptr;
};

} // namespace

TEST_F(CasleCanDoTest, RoomAreasExcludeTheirUpperBoundsAndTheRoomsWithoutARuleSayNothing)
{
    bool up = false;
    EXPECT_EQ(Says(Pointf(1760.0 - 1e-3, 3900.0), &up), "Open door and get through");
    EXPECT_TRUE(up);
    EXPECT_EQ(Says(Pointf(1760.0, 3900.0)), "") << "room 12 has no rule";
    EXPECT_EQ(Says(Pointf(2500.0, 4800.0)), "") << "the left part of room 11 has no rule";
    EXPECT_EQ(Says(Pointf(3350.0, 4800.0), &up), "Open door and get through");
    EXPECT_FALSE(up) << "the crystals are not by the podiums";
    EXPECT_EQ(Says(Pointf(4200.0, 5100.0), &up), "Negotiate platforms");
    EXPECT_EQ(Says(Pointf(5300.0, 4500.0)), "Open door and get through") << "room 32's second rectangle";
}

TEST_F(CasleCanDoTest, ALaserRoomWantsExactlyItsNumberOfMirrors)
{
    Pointf const room10(2555.0, 3700.0);
    bool up = false;
    EXPECT_EQ(Says(room10, &up), "Shine beam onto target");
    EXPECT_TRUE(up) << "its own mirror lies in it";
    Pointf const away(0.0, 3800.0);
    Move(7, away);
    Says(room10, &up);
    EXPECT_FALSE(up) << "no mirror";
    Move(7, Pointf(2240.0, 4120.0));
    Says(room10, &up);
    EXPECT_TRUE(up) << "a mirror on the counting rectangle's corner counts";
    Move(1, Pointf(2870.0, 3650.0));
    Says(room10, &up);
    EXPECT_FALSE(up) << "two mirrors";

    // Room 26 is always thumbs up; the rest of room 27 wants the three mirrors it starts with.
    EXPECT_EQ(Says(Pointf(6400.0, 5230.0), &up), "Shine beam onto target");
    EXPECT_TRUE(up);
    Says(Pointf(6800.0, 5230.0), &up);
    EXPECT_TRUE(up);
    Move(4, away);
    EXPECT_EQ(Says(Pointf(6400.0, 5230.0), &up), "Shine beam onto target");
    EXPECT_TRUE(up) << "rule 12 keeps rule 13 out";
    Says(Pointf(6800.0, 5230.0), &up);
    EXPECT_FALSE(up);
    // Room 33 wants its two.
    Says(Pointf(5700.0, 4130.0), &up);
    EXPECT_TRUE(up);
}

TEST_F(CasleCanDoTest, TheMachineRoomSaysNothingOnceTheMachineHasAStartTime)
{
    Pointf const room6(100.0, 3810.0);
    bool up = true;
    EXPECT_EQ(Says(room6, &up), "Operate machine and open door");
    EXPECT_FALSE(up);

    // Carrying the cog into the room turns the thumb up before the cog goes in.
    Player* player = castle->GetPlayer();
    Pointf const cog = castle->GetMap()->GetRefPoint(Casle_Rp_Cog);
    player->pos = cog;
    Step({KeyIndex_GameAction});
    Step();
    ASSERT_EQ(player->GetHeldObject(), castle->GetCastleObject(Casle_CogObject));
    Says(room6, &up);
    EXPECT_TRUE(up);

    // Let go by the machine, it goes in; on switch 8 the machine starts.
    Pointf const machine = castle->GetMap()->GetRefPoint(Casle_Rp_Machine);
    player->pos = machine;
    Step({KeyIndex_GameAction});
    Steps(5);
    ASSERT_TRUE(castle->GetMachine()->HasCog(castle->GetTick()));
    EXPECT_EQ(Says(room6, &up), "Operate machine and open door");
    EXPECT_TRUE(up);
    player->pos = Pointf(210.0, 3813.0);
    Steps(20);
    Tick const started = castle->GetMachine()->ActiveTime();
    ASSERT_NE(started, -1);
    EXPECT_EQ(Says(room6), "") << "after the start time";
    castle->GetPlayer()->pos = room6;
    CanDo_Indicate indicate{nullptr, false};
    EXPECT_FALSE(castle->GetCanDo()->FindMessage(&indicate, started - 1)) << "before it, too";
}

TEST_F(CasleCanDoTest, CrystalsCountInTheirRectanglesOnly)
{
    Pointf const room34(4600.0, 4130.0);
    EXPECT_EQ(Says(room34), "Retrieve crystals") << "both lie on the shelf";
    Move(8, Pointf(4700.0, 4150.0));
    EXPECT_EQ(Says(room34), "Retrieve crystals");
    Move(9, Pointf(4800.0, 4150.0));
    EXPECT_EQ(Says(room34), "") << "at y 4150 neither counts";

    bool up = true;
    Pointf const room35(5100.0, 4130.0);
    Says(room35, &up);
    EXPECT_FALSE(up);
    Move(8, Pointf(4980.0, 4100.0));
    Move(9, Pointf(5490.0, 4350.0));
    EXPECT_EQ(Says(room35, &up), "Open door and get through");
    EXPECT_TRUE(up) << "both on the rectangle's edges";

    // Room 9 tells to fetch its crystal only while it lies where it started.
    Pointf const room9(3000.0, 3410.0);
    EXPECT_EQ(Says(room9), "Retrieve crystal");
    Move(3, Pointf(3000.0, 3500.0));
    EXPECT_EQ(Says(room9), "Open door and get crystal");
    // Room 18 tells it while its crystal lies left of x 1800, the tolerance counting as 1800.
    Pointf const room18(1200.0, 5480.0);
    EXPECT_EQ(Says(room18), "Retrieve crystal") << "it starts there";
    Move(2, Pointf(1800.0, 5480.0));
    EXPECT_EQ(Says(room18), "");
    Move(2, Pointf(1500.0, 5480.0));
    EXPECT_EQ(Says(room18), "Retrieve crystal");
    Move(2, Pointf(1800.0 - 1e-8, 5480.0));
    EXPECT_EQ(Says(room18), "");
}

TEST_F(CasleCanDoTest, TheSymbolsRoomWantsRooms28And31SeenInThisLevel)
{
    Pointf const room20(4700.0, 4670.0);
    bool up = true;
    EXPECT_EQ(Says(room20, &up), "Open door and get through");
    EXPECT_FALSE(up);
    Player* player = castle->GetPlayer();
    player->pos = Pointf(7200.0, 5390.0);
    Step();
    Says(room20, &up);
    EXPECT_FALSE(up) << "room 28 alone";
    player->pos = Pointf(3500.0, 4130.0);
    Step();
    Says(room20, &up);
    EXPECT_TRUE(up);

    castle = &static_cast<Casle&>(Rebuild());
    Says(room20, &up);
    EXPECT_FALSE(up) << "an earlier visit does not count";
}

// Room 9 says to fetch its crystal until it is taken, then to open the door and get it; room 18
// says to fetch its crystal while it lies left of x 1800, taken or not, and nothing once it is
// carried on past.
TEST_F(CasleCanDoTest, AlongTheRoadRooms9And18TellToFetchTheirCrystalsUntilTaken)
{
    GameEvents record;
    record.eventTimes[Event_TimeTravel] = GameEvent_HasHappened;
    record.eventTimes[Casle_Event_Introduced] = GameEvent_HasHappened;
    record.eventTimes[Casle_Event_FeePaid] = GameEvent_HasHappened;
    Destroy();
    castle = &static_cast<Casle&>(Build(Level_Casle, record));
    Collectable const* crystal = castle->GetCastleObject(3);
    double const startX = castle->GetMap()->GetRefPoint(Casle_Objects[3].rp).x;
    Collectable const* crystal18 = castle->GetCastleObject(2);
    double const startX18 = castle->GetMap()->GetRefPoint(Casle_Objects[2].rp).x;
    std::set<std::string> lines18;
    // The panel's lines in room 9 as the road passes, each with its thumb and whether the
    // crystal still lay where it started.
    std::set<std::string> lines;
    RoadWalk_Result const r = CastleRoad::Walk(*castle, "exit", [&](std::vector<int> const& held) {
        Level_Action const action = Step(held);
        Tick const t = castle->GetTick();
        if (Casle::FindRoom(castle->GetPlayer()->GetPos()) == 9)
        {
            CanDo_Indicate indicate{nullptr, false};
            EXPECT_TRUE(castle->GetCanDo()->FindMessage(&indicate, t));
            bool const lies = crystal->GetPosAtTime(t).x == startX;
            lines.insert(std::string(lies ? "lying: " : "taken: ") + (indicate.mess ? indicate.mess : "")
                         + (indicate.positive ? " (up)" : " (down)"));
        }
        if (Casle::FindRoom(castle->GetPlayer()->GetPos()) == 18)
        {
            CanDo_Indicate indicate{nullptr, false};
            castle->GetCanDo()->FindMessage(&indicate, t);
            double const x = crystal18->GetPosAtTime(t).x;
            std::string const where = x == startX18 ? "lying: " : x < 1800.0 ? "taken, left of 1800: " : "taken: ";
            lines18.insert(where + (indicate.mess ? std::string(indicate.mess) + (indicate.positive ? " (up)" : " (down)") : "none"));
        }
        return action;
    });
    EXPECT_TRUE(r.done) << r.report;
    EXPECT_EQ(lines, (std::set<std::string>{"lying: Retrieve crystal (up)", "taken: Open door and get crystal (up)"}));
    EXPECT_EQ(lines18, (std::set<std::string>{"lying: Retrieve crystal (up)", "taken, left of 1800: Retrieve crystal (up)",
                                              "taken: none"}));
}
