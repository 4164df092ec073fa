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

#include <initializer_list>
#include <memory>
#include <vector>

namespace
{

constexpr int Guard = 0;
constexpr int RangeMaster = 1;
constexpr int HardwareSeller = 4;
constexpr int Doctor = 6;
constexpr int LiftMan = 7;
constexpr int Patient = 8;
constexpr GameEvent Progress_CanDo = 0;
constexpr GameEvent Progress_LiftMended = 20;
constexpr int Axe_Wait = 80;      // steps for a thrown axe to land and come back
constexpr int Throw_Attempts = 8; // target changes tried before a throw is given up

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

    // Puts the player on the floor at p and turns him to face the way given, by a step of walking.
    void StandAt(Pointf p, bool facingRight)
    {
        player->SetPos(&p);
        Idle(20);
        Step({facingRight ? KeyIndex_GameRight : KeyIndex_GameLeft});
        Idle(20);
    }

    // Walks up to villager i from its left, talks to it and waits for the end of what it says;
    // the conversation it held.
    TreeV_Conversations Talk(int villager)
    {
        Dude* dude = villager == Patient ? world->GetDude(villager) : world->GetDude(villager);
        Pointf const at = dude->GetPos();
        StandAt(Pointf(at.x - 25.0, at.y + 2.0), true);
        TreeV_Conversations const conversation = Slots().FindTalkId(villager, Now());
        int const length = Slots().ChatLength(villager, Now());
        Step({KeyIndex_GameAction});
        Step();
        Idle(length + 5);
        return conversation;
    }

    // The tick of the latest hit recorded on target, pending ones included, or -1.
    static Tick LatestHit(Target const* target)
    {
        Tick when = GameEvent_HasntHappened;
        return target->BeenHit(Level_TotalTime, &when) ? when : GameEvent_HasntHappened;
    }

    // One throw of the axe from where the player stands: aims with the action key (at the target
    // aimed at last, while it can be, else at the nearest), moves the aim on to the next target
    // when asked, lets go and waits for the axe.
    void Throw(bool next)
    {
        Step({KeyIndex_GameAction});
        Step({KeyIndex_GameAction});
        if (next)
        {
            Step({KeyIndex_GameAction, KeyIndex_GameNextTarget});
            Step({KeyIndex_GameAction});
        }
        Step();
        Idle(Axe_Wait);
    }

    // Throws from where the player stands until want records a hit, moving the aim on after each
    // throw that missed it; whether it did.
    bool HitWith(Target const* want)
    {
        for (int attempt = 0; attempt < Throw_Attempts; attempt++)
        {
            Tick const before = LatestHit(want);
            Throw(attempt > 0);
            if (LatestHit(want) != before)
                return true;
        }
        return false;
    }

    std::unique_ptr<TreeV> world;
    Player* player = nullptr;
    Level_Action result = Level_Continue;
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
