// The dungeon's step rules: camera rooms and their bounds, the house line, the first room's hint, the two
// refusal hints and the exit.
#include "engine/Message.h"
#include "engine/ObjectList.h"
#include "killig/KiligWorldSupport.h"
#include "killig/Kilig_Swivel.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace
{

class KiligStepTest : public KiligWorldFixture
{
protected:
    // Holds the player at p for count steps, as though standing there.
    void HoldAt(Pointf p, int count)
    {
        for (int i = 0; i < count; ++i)
        {
            Place(p);
            Hero()->fallSpeed = 0.0;
            ASSERT_EQ(Step(), Level_Continue);
        }
    }

    std::vector<std::string> Shown()
    {
        std::vector<std::string> lines;
        Message const* queue = world->GetMessage();
        for (int i = 0; i < queue->Waiting(); ++i)
            lines.push_back(queue->GetWaiting(i).text);
        return lines;
    }
};

} // namespace

TEST(KiligRooms, HoldTheirLowerBoundsButNotTheirUpperOnesWithinTheTolerance)
{
    EXPECT_EQ(Kilig::CameraRoom(Pointf(1200.0, 1600.0)), 1);
    EXPECT_EQ(Kilig::CameraRoom(Pointf(1200.0 - 1e-8, 1600.0)), 1) << "within the tolerance of the bound";
    EXPECT_EQ(Kilig::CameraRoom(Pointf(1200.0 - 1e-6, 1600.0)), 0);
    EXPECT_EQ(Kilig::CameraRoom(Pointf(1000.0, 1750.0)), -1);
    EXPECT_EQ(Kilig::CameraRoom(Pointf(1000.0, 1750.0 - 1e-8)), -1);
    EXPECT_EQ(Kilig::CameraRoom(Pointf(1000.0, 1500.0 - 1e-8)), 0);
    EXPECT_EQ(Kilig::CameraRoom(Pointf(14400.0, 2300.0)), -1);
    EXPECT_EQ(Kilig::CameraRoom(Pointf(14399.0, 2300.0)), 18);
}

TEST_F(KiligStepTest, OutsideEveryRoomTheCameraIsThePlayersOwnAndTheRoomsCountGoesOn)
{
    Kilig& w = Dungeon();
    Map* map = w.GetMap();
    HoldAt(Pointf(1000.0, 1551.0), 200);
    EXPECT_EQ(w.GetCameraRoom(), 0);
    EXPECT_NEAR(map->view.scale, 1.55, 1e-3);
    int const steps = w.GetRoomSteps();

    // Exactly on room 0's upper bound: no room, the player's own zoom, the count going on.
    HoldAt(Pointf(1000.0, 1750.0), 200);
    EXPECT_EQ(w.GetCameraRoom(), 0);
    EXPECT_EQ(w.GetRoomSteps(), steps + 200);
    double const own = map->view.scale;
    EXPECT_GT(std::abs(own - 1.55), 0.02);

    // On the house line the rooms are tried (and none holds it); just beyond it, the house's
    // camera, which leaves the room alone too.
    HoldAt(Pointf(3000.0, Kilig_HouseLine), 200);
    EXPECT_NEAR(map->view.scale, own, 1e-3);
    HoldAt(Pointf(3000.0, Kilig_HouseLine + 1e-6), 200);
    EXPECT_NEAR(map->view.scale, 1.4, 1e-3);
    EXPECT_NEAR(map->GetCentrePoint().y, 6910.0, 1.0);
    EXPECT_EQ(w.GetCameraRoom(), 0);
    EXPECT_EQ(w.GetRoomSteps(), steps + 600);

    // Another room resets the count.
    HoldAt(Pointf(1300.0, 1551.0), 1);
    EXPECT_EQ(w.GetCameraRoom(), 1);
    EXPECT_EQ(w.GetRoomSteps(), 0);
}

TEST_F(KiligStepTest, StayingInTheFirstRoomExplainsTravelOnceAfterFifteenHundredStepsUnbroken)
{
    char const* const hint = "Once you've stood on the switch press A to go back in time";
    Kilig& w = Dungeon();
    Pointf const inside(1000.0, 1551.0);
    // 1000 steps in, one out, and the count starts again from the step back.
    HoldAt(inside, 1000);
    HoldAt(Pointf(1300.0, 1551.0), 1);
    HoldAt(inside, 1501);
    EXPECT_TRUE(Shown().empty());
    HoldAt(inside, 1);
    EXPECT_EQ(Shown(), std::vector<std::string>{hint});
    EXPECT_EQ(events[Kilig_Event_RoomHint], GameEvent_HasHappened);

    // Not again while the event stays happened.
    world->GetMessage()->Clear();
    HoldAt(Pointf(1300.0, 1551.0), 1);
    HoldAt(inside, 1600);
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(w.GetCameraRoom(), 0);
}

TEST_F(KiligStepTest, OnlyTheSecondSwivelsRefusalAndATriedLockedBallAreExplainedEachOnce)
{
    Kilig& w = Dungeon();
    w.GetSwivel(0)->blocked = true;
    w.GetSwivel(2)->blocked = true;
    Steps(3);
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(events[Kilig_Event_SwivelHint], GameEvent_HasntHappened);

    w.GetSwivel(1)->blocked = true;
    Step();
    EXPECT_EQ(Shown(),
              (std::vector<std::string>{"The platform won't rotate.",
                                        "You have walked through it later on so it must stay in this position."}));
    EXPECT_EQ(events[Kilig_Event_SwivelHint], GameEvent_HasHappened);
    world->GetMessage()->Clear();
    Steps(3);
    EXPECT_TRUE(Shown().empty());

    world->GetObjects()->triedLockedCollectable = true;
    Step();
    EXPECT_EQ(Shown(), (std::vector<std::string>{"You cannot pick up this object, it has to be there",
                                                 "since you have moved it from this point at a later time."}));
    EXPECT_EQ(events[Kilig_Event_PickUpHint], GameEvent_HasHappened);
    world->GetMessage()->Clear();
    Steps(3);
    EXPECT_TRUE(Shown().empty());
}

TEST_F(KiligStepTest, OnlyALivePlayerClearlyBeyondTheExitLeaves)
{
    Dungeon();
    double const floor = 2301.0;
    Place(Pointf(Kilig_ExitX, floor));
    EXPECT_EQ(Step(), Level_Continue);
    Place(Pointf(Kilig_ExitX + 1e-8, floor));
    EXPECT_EQ(Step(), Level_Continue);
    Place(Pointf(Kilig_ExitX + 1e-6, floor));
    EXPECT_EQ(Step(), Level_Completed);

    Dungeon();
    Place(Pointf(Kilig_ExitX + 50.0, floor));
    Hero()->Die();
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(Step(), Level_Continue) << "step " << i;
}
