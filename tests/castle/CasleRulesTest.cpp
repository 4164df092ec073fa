// The castle's step rules on the generated castle: which room a place belongs to, the camera of each
// room, the steps counted in a room and the timed hints, the one-off messages, and the exits.
#include "castle/Casle.h"
#include "castle/Casle_Light.h"
#include "castle/Casle_Lights.h"
#include "engine/Collectable.h"
#include "engine/GameEvents.h"
#include "engine/Map.h"
#include "engine/Message.h"
#include "engine/ObjectList.h"
#include "engine/Player.h"
#include "support/WorldFixture.h"
#include "tools/worlds/castle.h"
#include "util/Util.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace
{

class CasleRulesTest : public MutedWorldFixture
{
protected:
    void SetUp() override
    {
        MutedWorldFixture::SetUp();
        castle = &static_cast<Casle&>(Build(Level_Casle));
        player = castle->GetPlayer();
    }

    // Steps with the player put back at p before each step, as if he stood there.
    Level_Action StandAt(Pointf p, int steps = 1)
    {
        Level_Action result = Level_Continue;
        for (int i = 0; i < steps && result == Level_Continue; ++i)
        {
            player->pos = p;
            result = Step();
        }
        return result;
    }

    std::vector<std::string> Lines() const
    {
        std::vector<std::string> lines;
        Message const* queue = castle->GetMessage();
        for (int i = 0; i < queue->Waiting(); ++i)
            lines.push_back(queue->GetWaiting(i).text);
        return lines;
    }

    // Holds the clock travelling between ticks low and high for steps steps.
    void TravelBetween(Tick low, Tick high, int steps, Pointf at)
    {
        for (int i = 0; i < steps; ++i)
        {
            std::vector<int> held;
            Tick const t = castle->GetTick();
            if (t > high || (castle->GetTimeSpeed() > 0 && t > (low + high) / 2))
                held.push_back(KeyIndex_GameBackInTime);
            else if (t < low || (castle->GetTimeSpeed() < 0 && t < (low + high) / 2))
                held.push_back(KeyIndex_GameForwardInTime);
            player->pos = at;
            Step(held);
        }
    }

    Casle* castle = nullptr;
    Player* player = nullptr;
};

Pointf const InRoom4(1500.0, 3700.0);
Pointf const InRoom3(1500.0, 3400.0);
Pointf const InRoom18(1200.0, 5500.0);

} // namespace

TEST_F(CasleRulesTest, EachPlaceBelongsToTheFirstRoomWhoseRectangleHoldsIt)
{
    double const below = 1305.0 - Util::Eps / 2.0;
    EXPECT_EQ(Casle::FindRoom(Pointf(1305.0, 2000.0)), 1);
    EXPECT_EQ(Casle::FindRoom(Pointf(below, 2000.0)), 1) << "within the tolerance of its left bound";
    EXPECT_EQ(Casle::FindRoom(Pointf(1305.0 - 2.0 * Util::Eps, 2000.0)), 0);
    EXPECT_EQ(Casle::FindRoom(Pointf(1000.0, 3250.0)), -1) << "the upper bound is outside";
    // Overlaps go to the room earlier in the table.
    EXPECT_EQ(Casle::FindRoom(Pointf(2700.0, 4000.0)), 10) << "room 10 over 14";
    EXPECT_EQ(Casle::FindRoom(Pointf(2700.0, 4300.0)), 14);
    EXPECT_EQ(Casle::FindRoom(Pointf(2200.0, 4700.0)), 11) << "room 11 over 12";
    EXPECT_EQ(Casle::FindRoom(Pointf(2600.0, 4650.0)), 11) << "room 11 over 13";
    EXPECT_EQ(Casle::FindRoom(Pointf(2600.0, 4600.0)), 13);
    EXPECT_EQ(Casle::FindRoom(Pointf(3000.0, 5080.0)), 11) << "room 11 over 15";
    EXPECT_EQ(Casle::FindRoom(Pointf(3000.0, 5095.0)), 15);
    EXPECT_EQ(Casle::FindRoom(Pointf(6400.0, 5300.0)), 26) << "room 26 inside 27";
    EXPECT_EQ(Casle::FindRoom(Pointf(6400.0, 5390.0)), 27);
    EXPECT_EQ(Casle::FindRoom(Pointf(5100.0, 4700.0)), 32);
    EXPECT_EQ(Casle::FindRoom(Pointf(5300.0, 4500.0)), 32) << "room 32's second rectangle";
    EXPECT_EQ(Casle::FindRoom(Pointf(5200.0, 4500.0)), -1);

    // Through a step: the room is that of the place the step started from.
    StandAt(Pointf(below, 3130.0));
    EXPECT_EQ(castle->GetCurRoom(), 1);
}

TEST_F(CasleRulesTest, TheCameraLooksAtTheRoomAndTheTopZoneLeavesTheRoomAndItsCount)
{
    StandAt(Pointf(2555.0, 3680.0), 200);
    EXPECT_EQ(castle->GetCurRoom(), 10);
    Map const* map = castle->GetMap();
    EXPECT_NEAR(map->view.scale, 1.0, 1e-3);
    EXPECT_NEAR(map->GetCentrePoint().x, 2555.0, 1.0);
    EXPECT_NEAR(map->GetCentrePoint().y, 3885.0, 1.0);

    // Room 11's camera follows the player's x.
    StandAt(Pointf(3000.0, 4661.0), 200);
    EXPECT_NEAR(map->view.scale, 0.9, 1e-3);
    EXPECT_NEAR(map->GetCentrePoint().x, 3000.0, 30.0);
    EXPECT_NEAR(map->GetCentrePoint().y, 4850.0, 1.0);

    int const frames = castle->GetRoomFrames();
    StandAt(Pointf(4000.0, 6800.0), 200);
    EXPECT_EQ(castle->GetCurRoom(), 11) << "the top zone is no room";
    EXPECT_EQ(castle->GetRoomFrames(), frames + 200);
    EXPECT_NEAR(map->view.scale, 1.4, 1e-3);
    EXPECT_NEAR(map->GetCentrePoint().y, 6910.0, 1.0);
    // At 6700 itself, or within the tolerance over it, the top zone's camera does not take over.
    StandAt(Pointf(3000.0, 4661.0), 200);
    StandAt(Pointf(4000.0, 6700.0 + Util::Eps / 2.0), 200);
    EXPECT_NEAR(map->view.scale, 0.9, 1e-3);
}

TEST_F(CasleRulesTest, AHintFiresOnTheStepAfterItsCountOnlyWhenItsConditionHolds)
{
    // The entry step sees the count of the room just left: 1500 steps in room 3, then room 4's
    // hint at once.
    StandAt(InRoom3, 1501);
    ASSERT_EQ(castle->GetRoomFrames(), 1500);
    EXPECT_TRUE(Lines().empty());
    StandAt(InRoom4);
    EXPECT_EQ(castle->GetRoomFrames(), 0);
    EXPECT_EQ(Lines(), std::vector<std::string>{"Shoot the lights to change them"});
    EXPECT_EQ(events[34], GameEvent_HasHappened);
}

TEST_F(CasleRulesTest, AHintWhoseConditionFailsAtItsCountWaitsForALaterStay)
{
    // Light group 1 lit from tick 20 on: a stay counting 1500 after it gives no hint.
    Casle_Lights* lights = castle->GetLights(0);
    for (unsigned int i = 0; i < 3; ++i)
        lights->GetLight(i)->Hit(20 + Tick(i), 1, 0);
    StandAt(InRoom4, 1502);
    ASSERT_TRUE(lights->IsActive(castle->GetTick() - 1));
    EXPECT_EQ(castle->GetRoomFrames(), 1501);
    EXPECT_TRUE(Lines().empty());
    StandAt(InRoom4, 200);
    EXPECT_TRUE(Lines().empty()) << "the count is compared for equality";
    EXPECT_EQ(events[34], GameEvent_HasntHappened);

    // A later stay whose count comes while the clock is back before the lamps were lit.
    StandAt(InRoom3);
    StandAt(InRoom4);
    TravelBetween(2, 15, 1500, InRoom4);
    ASSERT_LT(castle->GetTick(), 20);
    EXPECT_EQ(castle->GetRoomFrames(), 1500);
    EXPECT_TRUE(Lines().empty());
    TravelBetween(2, 15, 1, InRoom4);
    EXPECT_EQ(Lines(), std::vector<std::string>{"Shoot the lights to change them"});
}

TEST_F(CasleRulesTest, TheRefusalAndTheSocksAreToldOnceAndFiveLinesInOneStepGoOn)
{
    // Room 18's hint (crystal 14 left of x 1800 in the room), the refusal and the socks all in
    // one step: five lines.
    StandAt(InRoom18);
    for (Tick t = 0; t <= castle->GetTick() + 1; ++t)
        castle->GetCastleObject(2)->SetPosAtTime(t, Pointf(1500.0, 5480.0), Vectorf(0.0, 0.0), 0.0, false);
    StandAt(InRoom18, 9000);
    ASSERT_EQ(castle->GetRoomFrames(), 9000);
    castle->GetObjects()->triedLockedCollectable = true;
    events[Event_Socks] = castle->GetTick();
    EXPECT_EQ(StandAt(InRoom18), Level_Continue);
    std::vector<std::string> const lines = Lines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "You cannot pick up this object, it has to be there");
    EXPECT_EQ(lines[2], "Found the socks of death!");
    EXPECT_EQ(lines[4], "as you operate the switches.  Imagine where you will be moving.");
    EXPECT_EQ(events[9], GameEvent_HasHappened);
    EXPECT_EQ(events[37], GameEvent_HasHappened);
    EXPECT_TRUE(castle->GetObjects()->triedLockedCollectable) << "the flag is read, never cleared";

    // Neither is told again, not even when the clock goes back before the socks were found.
    StandAt(InRoom18, 1200);
    EXPECT_TRUE(Lines().empty());
    TravelBetween(10, 100, 300, InRoom18);
    EXPECT_TRUE(Lines().empty());
}

TEST_F(CasleRulesTest, TheFarExitPassesOnlyALivePlayerAndTheEntranceExitTakesAnyone)
{
    double const x = Casle_FarExitX;
    EXPECT_EQ(StandAt(Pointf(x, CastleWriter::Room37_Floor + 1.0)), Level_Continue);
    EXPECT_EQ(StandAt(Pointf(x + 0.5, Casle_FarExitY)), Level_Continue) << "the exit ends below y 4500";
    EXPECT_EQ(StandAt(Pointf(x + 0.5, CastleWriter::Room37_Floor + 1.0)), Level_Completed);
}

TEST_F(CasleRulesTest, ADyingPlayerAtTheFarExitGoesOnDying)
{
    player->Die();
    ASSERT_EQ(player->IsPlayerDead(), 1);
    EXPECT_EQ(StandAt(Pointf(Casle_FarExitX + 10.0, CastleWriter::Room37_Floor + 1.0), 50), Level_Continue);
    EXPECT_EQ(StandAt(Pointf(Casle_FarExitX + 10.0, CastleWriter::Room37_Floor + 1.0), 100), Level_Left);
}

TEST_F(CasleRulesTest, APlayerWhoCannotDieCompletesNothingUntilAlive)
{
    events[Event_Socks] = GameEvent_HasHappened;
    castle = &static_cast<Casle&>(Build(Level_Casle));
    player = castle->GetPlayer();
    player->Die();
    ASSERT_EQ(player->IsPlayerDead(), 3);
    EXPECT_EQ(StandAt(Pointf(Casle_FarExitX + 10.0, CastleWriter::Room37_Floor + 1.0), 20), Level_Continue);
    EXPECT_EQ(StandAt(Pointf(Casle_EntranceExitX - 1.0, CastleWriter::Hall_Floor + 1.0)), Level_Restart);
}

TEST_F(CasleRulesTest, StayingInRoom18WhereItsCrystalLiesThePlayerIsToldToThinkAheadAtStep9000)
{
    // The crystal lies where the castle puts it, left of x 1800; the player on the floor by it.
    ASSERT_LT(castle->GetCastleObject(2)->GetPosAtTime(0).x, 1800.0);
    Pointf const by(CastleWriter::Room18_CrystalX - 100.0, CastleWriter::Room18_Floor);
    StandAt(by);
    StandAt(by, 9000);
    ASSERT_EQ(castle->GetRoomFrames(), 9000);
    EXPECT_TRUE(Lines().empty());
    StandAt(by);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"Try and think what you'll be doing when you go back in time",
                                                 "as you operate the switches.  Imagine where you will be moving."}));
    EXPECT_EQ(events[37], GameEvent_HasHappened);
}
