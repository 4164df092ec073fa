// How the dungeon is wired, played on the generated map: the colour gates, the switch that lift 1 and swivel 2
// hold up, blob 2's door across its death, and podium 0's door with balls of any colours.
#include "creatures/WavyBlob.h"
#include "engine/Collectable.h"
#include "engine/Door.h"
#include "engine/Switch.h"
#include "killig/KiligWorldSupport.h"
#include "killig/Kilig_Podium.h"
#include "killig/Kilig_Swivel.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

class KiligWiringTest : public KiligWorldFixture
{
protected:
    // Picks up ball i where it lies.
    void TakeBall(int i)
    {
        Pointf const at = World().GetBall(i)->GetPosAtTime(world->GetTick());
        Place(Pointf(at.x, at.y - 11.0));
        Steps(2);
        Act();
        ASSERT_EQ(Hero()->GetHeldObject(), World().GetBall(i));
    }

    // Walks at a wall of group from 40 to its left for 60 steps; whether the player got through.
    bool Passes(unsigned int group)
    {
        Rectf gate(0.0, 0.0, 0.0, 0.0);
        world->GetMap()->FindGroupBound(group, &gate);
        Place(Pointf(gate.x0 - 40.0, gate.y0 + 1.0));
        Steps(60, {KeyIndex_GameRight});
        return Hero()->GetPos().x > gate.x1;
    }

    // Puts the player at p and lets him stand there for count steps.
    void StandAt(Pointf p, int count)
    {
        Place(p);
        Steps(count);
    }

    // Whether the plate was down at every tick of [from, to], or at none of them.
    static bool DownThroughout(Switch const* plate, Tick from, Tick to)
    {
        for (Tick t = from; t <= to; ++t)
            if (!plate->IsActive(t))
                return false;
        return true;
    }
    static bool UpThroughout(Switch const* plate, Tick from, Tick to)
    {
        for (Tick t = from; t <= to; ++t)
            if (plate->IsActive(t))
                return false;
        return true;
    }
};

} // namespace

TEST_F(KiligWiringTest, ARedAndBlueBallLetsThroughRedAndBlueWallsAndEmptyHandsOnlyTheWhiteOne)
{
    Kilig& w = Dungeon();
    TakeBall(1);
    EXPECT_TRUE(Passes(Kilig_RedGate));
    EXPECT_TRUE(Passes(Kilig_BlueGate));
    EXPECT_FALSE(Passes(Kilig_GreenGate));
    EXPECT_FALSE(Passes(Kilig_YellowGate));
    EXPECT_FALSE(Passes(Kilig_EmptyHandsGate));
    ASSERT_EQ(Hero()->GetHeldObject(), w.GetBall(1)) << "the ball came along";

    Act();
    ASSERT_EQ(Hero()->GetHeldObject(), nullptr);
    EXPECT_FALSE(Passes(Kilig_RedGate));
    EXPECT_FALSE(Passes(Kilig_BlueGate));
    EXPECT_FALSE(Passes(Kilig_GreenGate));
    EXPECT_FALSE(Passes(Kilig_YellowGate));
    EXPECT_TRUE(Passes(Kilig_EmptyHandsGate));
}

TEST_F(KiligWiringTest, TheSwivelsSwitchRefusesUpToTheLastTickOnLift1OrOnSwivel2AndLift1sOwnSwitchNever)
{
    Kilig& w = Dungeon();
    Switch* turner = w.GetSwitch(15);
    Switch* liftSwitch = w.GetSwitch(17);
    Map* map = w.GetMap();
    Rectf deck(0.0, 0.0, 0.0, 0.0);
    map->FindGroupBound(Kilig_Lifts[1].group, &deck);
    Rectf plate(0.0, 0.0, 0.0, 0.0);
    map->FindGroupBound(Kilig_SwitchGroups[15], &plate);
    Rectf liftPlate(0.0, 0.0, 0.0, 0.0);
    map->FindGroupBound(Kilig_SwitchGroups[17], &liftPlate);
    double const ledge = plate.y1;
    Pointf const onLift((deck.x0 + deck.x1) / 2.0, deck.y1 + 1.0); // the top of its swing, where it starts
    Pointf const onPlate((plate.x0 + plate.x1) / 2.0, ledge + 1.0);
    Pointf const aside(plate.x0 - 20.0, ledge + 1.0);
    Pointf const onLiftPlate((liftPlate.x0 + liftPlate.x1) / 2.0, liftPlate.y1 + 1.0);
    Pointf const pivot = map->GetRefPoint(Kilig_Swivels[2].pivot);
    Pointf const onSwivel(pivot.x - 40.0, ledge + 1.0);

    StandAt(aside, 100);
    StandAt(onLift, 10); // ticks 100 to 109
    StandAt(aside, 40);
    TravelBackTo(50);
    Tick const back = world->GetTick();
    ASSERT_LE(back, 60);
    // The lift's own switch has no blocker: it goes down before the last ride.
    StandAt(onLiftPlate, 10);
    EXPECT_TRUE(DownThroughout(liftSwitch, back + 5, back + 9)); // once he has landed on it
    // The swivel's switch stays up until the tick after the last ride.
    StandAt(onPlate, 130 - world->GetTick());
    EXPECT_TRUE(UpThroughout(turner, back + 12, 109));
    EXPECT_TRUE(DownThroughout(turner, 112, 128));
    EXPECT_FALSE(w.GetSwivel(2)->blocked);

    // Standing on swivel 2 holds it up the same way, and the swivel notes its refusal.
    StandAt(aside, 20);
    StandAt(onSwivel, 10); // ticks 150 to 159
    StandAt(aside, 20);
    TravelBackTo(140);
    Tick const again = world->GetTick();
    ASSERT_GT(again, 130);
    ASSERT_LT(again, 150);
    StandAt(onPlate, 175 - world->GetTick());
    EXPECT_TRUE(UpThroughout(turner, again + 2, 159));
    EXPECT_TRUE(DownThroughout(turner, 162, 173));
    EXPECT_TRUE(w.GetSwivel(2)->blocked);
}

TEST_F(KiligWiringTest, KillingBlob2OpensDoor20FromTheNextTickAndTravellingBackBeforeShutsIt)
{
    Kilig& w = Dungeon();
    WavyBlob* blob = w.GetWavyBlob(2);
    Door* door = w.GetDoor(20);
    // Each arm is hit in its own colour's turn, then the opened body.
    Tick death = -1;
    for (int i = 0; i < 3000 && death == -1; ++i)
    {
        Step();
        Tick const t = world->GetTick() - 1;
        bool dead[WavyBlob_Arm_Count];
        for (int a = 0; a < WavyBlob_Arm_Count; ++a)
            dead[a] = !blob->GetArm(a)->AliveAt(t);
        bool armHit = false;
        for (int a = 0; a < WavyBlob_Arm_Count && !armHit; ++a)
            if (!dead[a] && WavyArm::GetColourForTime(t, dead) == blob->GetArm(a)->GetColour())
            {
                blob->GetArm(a)->Hit(t, 20, 0);
                armHit = true;
            }
        bool allDead = true;
        for (int a = 0; a < WavyBlob_Arm_Count; ++a)
            allDead = allDead && !blob->GetArm(a)->AliveAt(t + 1);
        if (!armHit && allDead && blob->IsOpen(t))
        {
            blob->Hit(t, 5, 0);
            if (!blob->AliveAt(t + 1))
                death = t;
        }
    }
    ASSERT_NE(death, -1) << "blob 2 was not killed";
    Steps(120);
    EXPECT_TRUE(blob->AliveAt(death));
    EXPECT_FALSE(blob->AliveAt(death + 1));
    EXPECT_EQ(door->GetPos(death), 0.0);
    EXPECT_GT(door->GetPos(death + 1), 0.0);
    EXPECT_EQ(door->GetPos(death + 100), Kilig_Doors[20].distance);

    TravelBackTo(death - 10);
    Tick const shown = world->GetTick();
    ASSERT_LT(shown, death);
    EXPECT_EQ(door->GetPos(shown), 0.0);
    EXPECT_TRUE(blob->AliveAt(shown));
}

TEST_F(KiligWiringTest, OneBallOfAnyColoursOnPodium0OpensDoor9)
{
    Pointf const podium = [&] {
        Dungeon();
        return Rp(Kilig_Rp_Podiums[0]);
    }();
    for (int ball : {8, 0, 7})
    {
        SCOPED_TRACE("ball " + std::to_string(ball));
        Kilig& w = Dungeon();
        TakeBall(ball);
        StandAt(Pointf(podium.x, podium.y - 11.0), 3);
        Act();
        ASSERT_EQ(Hero()->GetHeldObject(), nullptr);
        Place(Pointf(podium.x - 60.0, podium.y - 11.0));
        Steps(80);
        Tick const t = world->GetTick() - 1;
        EXPECT_TRUE(w.GetPodium(0)->IsActive(t));
        EXPECT_EQ(w.GetDoor(9)->GetPos(t), Kilig_Doors[9].distance);
        for (int other = 1; other < Kilig_Podium_Count; ++other)
            EXPECT_FALSE(w.GetPodium(other)->IsActive(t)) << "podium " << other;
    }
}
