// The village's story played by keys on the generated map: the player is put beside each station
// and talks, throws and plays its games with the game keys, and each station's outcome is checked:
// the gate guard and the range with its prize; the lift man, Marbles' game, the patient and the
// bandage, the market sign and the oil, the mending; and the ride up to the way out at the top.
#include "creatures/Sprinkler.h"
#include "engine/GameEvents.h"
#include "engine/KeyData.h"
#include "engine/Map.h"
#include "engine/Player.h"
#include "engine/Target.h"
#include "support/LevelFixture.h"
#include "treevillage/AxeThrows.h"
#include "treevillage/TreeV.h"
#include "treevillage/TreeV_DoorSwitch.h"
#include "treevillage/TreeV_Dude.h"
#include "treevillage/TreeV_Events.h"
#include "treevillage/TreeV_LiftSwitch.h"
#include "treevillage/TreeV_MainLift.h"
#include "treevillage/TreeV_Marbles.h"
#include "treevillage/TreeV_MarketSign.h"
#include "treevillage/TreeV_Patient.h"
#include "treevillage/TreeV_RangeTarget.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <vector>

namespace
{

constexpr int Guard = 0;
constexpr int RangeMaster = 1;
constexpr int HardwareSeller = 4;
constexpr int Marbles = 5;
constexpr int Doctor = 6;
constexpr int LiftMan = 7;
constexpr int Patient = 8;
constexpr GameEvent Progress_CanDo = 0;
constexpr GameEvent Progress_LiftMended = 20;
constexpr int Game_Limit = 20000; // steps a mini-game may take
constexpr int Think_Time = 260;   // steps a thought of the player's is shown

// The patient's puzzle solved: each pair's chain of spots after its first, in the order drawn.
constexpr int Patient_Lines[] = {5, 2, 6, 12, 7, 17, 11, 18, 26, 28, 27, 20, 13, 8, 3, 22, 21, 24, 15, 9, 4, 1, 0};

class TreeVStory : public LevelFixture
{
protected:
    void SetUp() override
    {
        LevelFixture::SetUp();
        sounds.mute = 1;
    }
    void TearDown() override
    {
        world.reset();
        LevelFixture::TearDown();
    }

    TreeV& Make()
    {
        world = std::make_unique<TreeV>(&events, false);
        player = world->GetPlayer();
        return *world;
    }

    Tick Now() const { return world->GetTick(); }
    TreeV_Events& Slots() const { return *world->GetEvents(); }

    Level_Action Step(std::initializer_list<int> held = {})
    {
        result = world->Poll(keyScript.Next(std::vector<int>(held)));
        return result;
    }
    void Idle(int steps)
    {
        for (int i = 0; i < steps; i++)
            Step();
    }

    // Puts the player at p, lets him fall to the floor below and turns him to face the way given,
    // by a step of walking.
    void StandAt(Pointf p, bool facingRight)
    {
        player->SetPos(&p);
        Idle(40);
        Step({facingRight ? KeyIndex_GameRight : KeyIndex_GameLeft});
        Idle(20);
    }

    // Walks up to villager i from its left, talks to it and waits for the end of what it says;
    // the conversation it held.
    TreeV_Conversations Talk(int villager)
    {
        Dude* dude = world->GetDude(villager);
        Pointf const at = dude->GetPos();
        StandAt(Pointf(at.x - 25.0, at.y + 2.0), true);
        TreeV_Conversations const conversation = Slots().FindTalkId(villager, Now());
        int const length = Slots().ChatLength(villager, Now());
        Step({KeyIndex_GameAction});
        Step();
        Idle(length + 5);
        return conversation;
    }

    bool HitWith(Target const* want) { return axe.HitWith(want); }

    // A press of a key and its release.
    void Press(int key)
    {
        Step({key});
        Step();
    }

    std::unique_ptr<TreeV> world;
    Player* player = nullptr;
    Level_Action result = Level_Continue;
    AxeThrows const axe{[this](std::vector<int> const& held) { result = world->Poll(keyScript.Next(held)); }};
};

} // namespace

TEST_F(TreeVStory, TheGuardExplainsTheGateAndTheRangeGivesItsPrizeForAllTargetsInTime)
{
    Make();
    EXPECT_EQ(Talk(Guard), 0);
    EXPECT_TRUE(Slots().Happened(TreeV_Event_GateExplained, Now()));
    EXPECT_EQ(Talk(Guard), 1);

    EXPECT_EQ(Talk(RangeMaster), 2);
    EXPECT_TRUE(Slots().Happened(TreeV_Event_RangeIntro, Now()));
    EXPECT_EQ(Talk(RangeMaster), 3);
    ASSERT_TRUE(Slots().Happened(TreeV_Event_RangeStarted, Now()));
    Step();
    for (int i = 0; i < TreeV_RangeTarget_Count; i++)
        EXPECT_EQ(world->GetRangeTarget(i)->state, TreeV_RangeTarget_Standing) << i;

    // Each target from below and to its left, on the street.
    double const street = player->GetPos().y;
    for (int i = 0; i < TreeV_RangeTarget_Count; i++)
    {
        TreeV_RangeTarget const* target = world->GetRangeTarget(i);
        if (target->state == TreeV_RangeTarget_Hit)
            continue;
        Pointf const at = target->GetPos(world->GetMap(), Now());
        StandAt(Pointf(at.x - 180.0, street + 2.0), true);
        EXPECT_TRUE(HitWith(target)) << "target " << i;
        Step();
        EXPECT_EQ(target->state, TreeV_RangeTarget_Hit) << i;
    }
    ASSERT_TRUE(Slots().Happened(TreeV_Event_RangeAllHit, Now()));
    Tick const took = Slots().Shooting_CompleteTime();
    EXPECT_GT(took, 0);
    EXPECT_LE(took, 12000);

    // In time for the Can-Do indicator, not for the sword boost.
    EXPECT_EQ(Talk(RangeMaster), 7);
    EXPECT_TRUE(Slots().Happened(TreeV_Event_RangeResult, Now()));
    EXPECT_TRUE(events.Happened(Progress_CanDo, Now()));
    EXPECT_EQ(Talk(RangeMaster), 8);
}

TEST_F(TreeVStory, TheLiftMansErrandsMarblesThePatientAndTheSignMendTheLift)
{
    Make();
    EXPECT_EQ(Talk(LiftMan), 30);
    EXPECT_TRUE(Slots().Happened(TreeV_Event_LiftExplained, Now()));
    EXPECT_TRUE(world->GetDoor(2)->GetSwitch(0)->enabled) << "Marbles' door stays shut";

    // Marbles talks, then throws: the arrow is steered under each marble's own jar.
    EXPECT_EQ(Talk(Marbles), 19);
    TreeV_Marbles const* marbles = world->GetMarbles();
    int steps = 0;
    for (; Slots().marblesRunning && steps < Game_Limit; steps++)
    {
        int const want = marbles->CurrentMarble();
        if (marbles->State() == 2 && want >= 0 && marbles->ChosenJar() != want)
            Press(marbles->ChosenJar() < want ? KeyIndex_GameRight : KeyIndex_GameLeft);
        else
            Step();
    }
    ASSERT_LT(steps, Game_Limit);
    EXPECT_TRUE(Slots().Happened(TreeV_Event_MarblesWon, Now()));
    EXPECT_FALSE(Slots().Happened(TreeV_Event_MarblesLost, Now()));
    EXPECT_FALSE(player->scripted);
    Idle(Slots().ChatLength(Marbles, Slots().GetSlot(TreeV_Event_MarblesWon)) + 5);

    // The doctor asks, the patient's spots are joined, and the doctor gives the bandage.
    EXPECT_EQ(Talk(Doctor), 25);
    EXPECT_TRUE(Slots().Happened(TreeV_Event_PatientAsked, Now()));
    EXPECT_EQ(Talk(Patient), 29);
    TreeV_Patient const* patient = world->GetPatient();
    steps = 0;
    for (int next : Patient_Lines)
    {
        for (; (patient->State() != 2 || world->GetMap()->view.scale < 281.0) && steps < Game_Limit; steps++)
            Step();
        for (int turns = 0; patient->OfferedSpot() != next && turns < 6; turns++)
            Press(KeyIndex_GameRight);
        ASSERT_EQ(patient->OfferedSpot(), next) << "from spot " << patient->CurrentSpot();
        Press(KeyIndex_GameAction);
    }
    for (; Slots().patientRunning && steps < Game_Limit; steps++)
        Step();
    EXPECT_TRUE(Slots().Happened(TreeV_Event_PatientSolved, Now()));
    EXPECT_FALSE(Slots().Happened(TreeV_Event_PatientFailed, Now()));
    EXPECT_FALSE(player->scripted);
    EXPECT_FALSE(player->hidden);
    Idle(Think_Time); // the player's thought on his work
    EXPECT_EQ(Talk(Doctor), 27);
    EXPECT_TRUE(Slots().Happened(TreeV_Event_Bandage, Now()));

    // The hardware seller wants his sign mended: each tile is turned upright by throws from the
    // street, and the oil is his reward.
    EXPECT_EQ(Talk(HardwareSeller), 16);
    EXPECT_TRUE(Slots().Happened(TreeV_Event_SignDeal, Now()));
    TreeV_MarketSign const* sign = world->GetMarketSign();
    Pointf corner;
    sign->GetSwitch(0)->GetTargetPos(world->GetMap(), Now(), corner);
    // Out of the seller's reach: the action key would talk to him.
    StandAt(Pointf(corner.x - 120.0, player->GetPos().y + 2.0), true);
    axe.MendSign(world->GetMarketSign());
    Idle(AxeThrows_Wait);
    EXPECT_TRUE(sign->IsComplete(Now()));
    EXPECT_EQ(Talk(HardwareSeller), 17);
    EXPECT_TRUE(Slots().Happened(TreeV_Event_Oil, Now()));

    // With the sphere, the patch and the oil the lift man mends the lift.
    EXPECT_NE(world->GetSprinkler(), nullptr);
    EXPECT_EQ(Talk(LiftMan), 31);
    EXPECT_TRUE(events.Happened(Progress_LiftMended, Now()));
    EXPECT_EQ(world->GetSprinkler(), nullptr);
    EXPECT_EQ(Talk(LiftMan), 39);
}

TEST_F(TreeVStory, TheMendedLiftRidesToTheTopLevelWhoseFloorLeadsToTheWayOutAndItsPitIsNoTrap)
{
    events[Progress_LiftMended] = GameEvent_HasHappened;
    Make();
    TreeV_MainLift* lift = world->GetMainLift();
    Map const* map = world->GetMap();

    // From the street beside it the lift is sent off empty; its pit is then a step down and up.
    Pointf switch0;
    lift->GetSwitch(0)->GetTargetPos(map, Now(), switch0);
    StandAt(Pointf(switch0.x - 60.0, switch0.y), true);
    double const street = player->GetPos().y;
    ASSERT_TRUE(HitWith(lift->GetSwitch(0)));
    ASSERT_NE(lift->RidePos(Now()).y, 0.0);
    int steps = 0;
    for (; player->GetPos().x < switch0.x + 250.0 && steps < 300; steps++)
        if (steps % 2 == 0)
            Step({KeyIndex_GameRight, KeyIndex_GameJump});
        else
            Step({KeyIndex_GameRight});
    EXPECT_LT(steps, 300) << "held in the pit at " << player->GetPos().x << ", " << player->GetPos().y;
    EXPECT_GE(player->GetPos().y, street - 1.0);
    EXPECT_NE(lift->RidePos(Now()).y, 0.0) << "the lift came back first";

    // Ridden: stood on, its far switch shot, carried to the top and walked off to the right.
    Idle(MainLift_RideTime);
    Pointf switch1;
    lift->GetSwitch(1)->GetTargetPos(map, Now(), switch1);
    StandAt(Pointf(switch1.x - 100.0, switch1.y), true);
    ASSERT_TRUE(HitWith(lift->GetSwitch(1)));
    for (steps = 0; lift->RidePos(Now()).x < 955.0 && steps < MainLift_RideTime; steps++)
        Step();
    double const top = player->GetPos().y;
    EXPECT_GT(top, street + 2000.0) << "not carried";
    double lowest = top;
    for (steps = 0; result == Level_Continue && steps < 3000; steps++)
    {
        Step({KeyIndex_GameRight});
        lowest = std::min(lowest, player->GetPos().y);
    }
    EXPECT_EQ(result, Level_Completed);
    EXPECT_GE(lowest, top - 1.0) << "fell off the top level";
}
