// The dungeon's road walked by keys from the first room to the exit: the first door passed with one travel, a
// ball carried through the red gate and set on podium 0 to open door 9.
#include "engine/Collectable.h"
#include "engine/Door.h"
#include "killig/KiligWorldSupport.h"
#include "killig/Kilig_Podium.h"
#include "tools/worlds/killig.h"

#include <gtest/gtest.h>

namespace
{

class KiligRoadTest : public KiligWorldFixture
{
};

} // namespace

TEST_F(KiligRoadTest, TheRoadIsWalkedFromTheFirstRoomToTheExitWithOneTravel)
{
    Kilig& w = Dungeon();
    Door* door0 = w.GetDoor(0);
    // Onto the plate, and on it until the door has long been open.
    ASSERT_TRUE(WalkTo(KiligWriter::Road_PlateX + 30.0));
    Steps(400);
    Tick const left = world->GetTick();
    ASSERT_EQ(door0->GetPos(left - 1), Kilig_Doors[0].distance);

    // Walking off the plate, the door drops shut before the walker gets there.
    ASSERT_TRUE(WalkTo(KiligWriter::Road_Door0X - 30.0));
    EXPECT_LT(door0->GetPos(world->GetTick() - 1), 20.0) << "the door can be passed without travel";

    // Back to when the past self held the plate, and through.
    TravelBackTo(left - 50);
    ASSERT_LT(world->GetTick(), left - 20);
    ASSERT_TRUE(WalkTo(KiligWriter::Road_Door0X + 100.0));
    EXPECT_EQ(w.GetCameraRoom(), 1);

    // Ball 1 through the red gate.
    Pointf const ball = w.GetBall(1)->GetPosAtTime(world->GetTick());
    ASSERT_TRUE(WalkTo(ball.x));
    Act();
    ASSERT_EQ(Hero()->GetHeldObject(), w.GetBall(1));
    ASSERT_TRUE(WalkTo(KiligWriter::Road_RedGateX + 100.0));

    // Carried on and set down on podium 0: door 9 opens.
    Pointf const podium = Rp(Kilig_Rp_Podiums[0]);
    ASSERT_TRUE(WalkTo(podium.x));
    Act();
    ASSERT_EQ(Hero()->GetHeldObject(), nullptr);
    Steps(60);
    EXPECT_TRUE(w.GetPodium(0)->IsActive(world->GetTick() - 1));
    ASSERT_TRUE(WalkTo(KiligWriter::Road_Door9X + 100.0));

    // And on to the end.
    Level_Action result = Level_Continue;
    for (int i = 0; i < 5000 && result == Level_Continue; ++i)
        result = Step({KeyIndex_GameRight});
    EXPECT_EQ(result, Level_Completed) << "stopped at x " << Hero()->GetPos().x << ", y " << Hero()->GetPos().y;
    EXPECT_EQ(Hero()->IsPlayerDead(), 0);
}
