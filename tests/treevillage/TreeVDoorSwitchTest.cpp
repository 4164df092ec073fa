// House doors: the fall curve, refused hits, both switches, disabled doors, the plate and sounds.
#include "engine/GameEvents.h"
#include "support/SmallMap.h"
#include "treevillage/TreeV_DoorSwitch.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace
{

constexpr double P = Door_Upright;
constexpr unsigned int Pivot = 10;
constexpr unsigned int Switch0 = 11;
constexpr unsigned int Switch1 = 12;
constexpr int Group = 3;

// A door that notes the sounds it plays, with the tick of the order it was asked for.
class ListeningDoor final : public TreeV_DoorSwitch
{
public:
    using TreeV_DoorSwitch::TreeV_DoorSwitch;
    void Sound(Sound_Id id) override { heard.emplace_back(id, asked); }

    // The angle ordered for tick t.
    double AngleAt(Map const* map, Tick t)
    {
        asked = t;
        FlatList<MoveObject>* orders = nullptr;
        MoveMapGroup(map, t, &orders);
        EXPECT_EQ(orders->Count(), 1);
        EXPECT_EQ((*orders)[0].kind, MoveObject_Rotate);
        EXPECT_EQ((*orders)[0].group, std::uint32_t(Group));
        return (*orders)[0].newAngle;
    }

    std::vector<std::pair<Sound_Id, Tick>> heard;
    Tick asked = 0;
};

class TreeVDoorSwitchTest : public testing::Test
{
protected:
    TreeVDoorSwitchTest()
    {
        MapWriter writer = FloorWriter();
        writer.AddBox(-100.0, 0.0, 0.0, 10.0, 0, Group, true, false, 64.0); // the door, lying left
        writer.AddRefPoint(Pivot, 0.0, 200.0);
        writer.AddRefPoint(Switch0, 50.0, 250.0);
        writer.AddRefPoint(Switch1, -50.0, 250.0);
        // Covers are set before the collision grid is built: the doors need none here.
        map = MapFiles::Load<Map>(writer);
    }

    ListeningDoor MakeDoor(TreeV_DoorSwitch_Flags flags = TreeV_Door_FallsLeft)
    {
        return ListeningDoor(map.get(), Group, Pivot, Switch0, Switch1, flags);
    }

    std::unique_ptr<Map> map;
};

TEST_F(TreeVDoorSwitchTest, TheFallBouncesRestsAndRisesOnTheFallSide)
{
    EXPECT_DOUBLE_EQ(TreeV_DoorSwitch::CalcRotation(0), P);
    EXPECT_NEAR(TreeV_DoorSwitch::CalcRotation(16), P - 1.28, 1e-12);
    EXPECT_DOUBLE_EQ(TreeV_DoorSwitch::CalcRotation(17), 0.0);
    EXPECT_NEAR(TreeV_DoorSwitch::CalcRotation(27), 0.5, 1e-12);
    EXPECT_NEAR(TreeV_DoorSwitch::CalcRotation(47), 0.0, 1e-12);
    EXPECT_DOUBLE_EQ(TreeV_DoorSwitch::CalcRotation(547), 0.0);
    EXPECT_NEAR(TreeV_DoorSwitch::CalcRotation(577), P / 2.0, 1e-12);
    EXPECT_NEAR(TreeV_DoorSwitch::CalcRotation(606), P * 59.0 / 60.0, 1e-12);
    EXPECT_DOUBLE_EQ(TreeV_DoorSwitch::CalcRotation(607), P);

    ListeningDoor left = MakeDoor();
    ListeningDoor right = MakeDoor(0);
    EXPECT_DOUBLE_EQ(left.AngleAt(map.get(), 5), P); // never hit
    EXPECT_DOUBLE_EQ(right.AngleAt(map.get(), 5), -P);
    left.GetSwitch(0)->Hit(100, 1, 0);
    right.GetSwitch(1)->Hit(100, 1, 0);
    EXPECT_NEAR(left.AngleAt(map.get(), 127), 0.5, 1e-12);
    EXPECT_NEAR(right.AngleAt(map.get(), 127), -0.5, 1e-12);
    EXPECT_DOUBLE_EQ(left.AngleAt(map.get(), 99), P); // travelled back before the hit
}

TEST_F(TreeVDoorSwitchTest, HitsAreRefusedWhileTheDoorFallsOrSomeoneWillStandWhereItFalls)
{
    ListeningDoor door = MakeDoor();
    TreeV_Switch* s0 = door.GetSwitch(0);
    s0->Hit(1000, 1, 0);
    s0->Hit(1100, 1, 0); // the door is still falling
    EXPECT_EQ(s0->FindClosestHit(1500), 1000);
    s0->Hit(1607, 1, 0);
    EXPECT_EQ(s0->FindClosestHit(1607), 1607);
    EXPECT_EQ(s0->FindClosestHit(999), GameEvent_HasntHappened);

    // Stood in the fall area (its corner counts) 606 ticks after a hit: the hit is refused; 607
    // after, it is not. Outside the area nothing is recorded.
    Pointf const corner(-160.0, 40.0);
    Pointf const outside(1.0, 100.0);
    door.PlayerAtPos(5606, &corner);
    door.PlayerAtPos(4000, &outside);
    s0->Hit(5000, 1, 0);
    EXPECT_EQ(s0->FindClosestHit(5000), 1607);
    s0->Hit(3400, 1, 0);
    EXPECT_EQ(s0->FindClosestHit(3400), 3400);

    ListeningDoor other = MakeDoor(0); // falls right
    Pointf const inside(100.0, 100.0);
    other.PlayerAtPos(5607, &inside);
    other.GetSwitch(1)->Hit(5000, 1, 0);
    EXPECT_EQ(other.GetSwitch(1)->FindClosestHit(5000), 5000);
}

TEST_F(TreeVDoorSwitchTest, EitherSwitchOpensTheLatestDrivesAndOnlyTheFirstShowsThePlate)
{
    ListeningDoor door = MakeDoor();
    door.GetSwitch(1)->Hit(100, 1, 0);
    EXPECT_EQ(door.PlateState(), TreeV_Plate_Idle);
    door.GetSwitch(0)->Hit(800, 1, 0);
    EXPECT_EQ(door.PlateState(), TreeV_Plate_Waiting);
    EXPECT_DOUBLE_EQ(door.AngleAt(map.get(), 400), 0.0); // lying after the hit at 100
    EXPECT_NEAR(door.AngleAt(map.get(), 827), 0.5, 1e-12);

    // Disabled: the plate still comes, the door stays shut and nothing is recorded; enabling is
    // not undone by travelling back.
    ListeningDoor shut = MakeDoor();
    shut.SetEnable(false);
    shut.GetSwitch(0)->Hit(100, 1, 0);
    EXPECT_EQ(shut.PlateState(), TreeV_Plate_Waiting);
    EXPECT_DOUBLE_EQ(shut.AngleAt(map.get(), 127), P);
    EXPECT_EQ(shut.GetSwitch(0)->FindClosestHit(200), GameEvent_HasntHappened);
    shut.SetEnable(true);
    shut.GetSwitch(1)->Hit(50, 1, 0);
    EXPECT_NEAR(shut.AngleAt(map.get(), 77), 0.5, 1e-12);
}

TEST_F(TreeVDoorSwitchTest, ThePlateWaitsSlidesInRestsAndLeavesOnce)
{
    ListeningDoor door = MakeDoor();
    door.SetMessage("Aaron's place", nullptr);
    door.GetSwitch(0)->Hit(10, 1, 0);
    int steps = 0;
    while (door.PlateState() == TreeV_Plate_Waiting && steps < 1000)
    {
        door.MoveToTime(map.get(), 0);
        steps++;
    }
    EXPECT_EQ(steps, 30);
    EXPECT_EQ(door.PlateState(), TreeV_Plate_SlidingIn);
    EXPECT_EQ(door.PlateX(), 640 * 256);
    int lastX = door.PlateX();
    while (door.PlateState() == TreeV_Plate_SlidingIn)
    {
        door.MoveToTime(map.get(), 0);
        EXPECT_LT(door.PlateX(), lastX);
        lastX = door.PlateX();
    }
    EXPECT_EQ(door.PlateX(), 4 * 256);
    door.GetSwitch(0)->Hit(700, 1, 0); // shown already: not started again
    steps = 0;
    while (door.PlateState() == TreeV_Plate_Showing)
    {
        door.MoveToTime(map.get(), 0);
        steps++;
    }
    EXPECT_EQ(steps, 100);
    EXPECT_EQ(door.PlateState(), TreeV_Plate_SlidingOut);
    EXPECT_EQ(door.PlateX(), 4 * 256);
    door.MoveToTime(map.get(), 0);
    EXPECT_EQ(door.PlateX(), -4 * 256);
    while (door.PlateState() == TreeV_Plate_SlidingOut)
        door.MoveToTime(map.get(), 0);
    EXPECT_EQ(door.PlateState(), TreeV_Plate_Idle);
    door.GetSwitch(0)->Hit(1400, 1, 0);
    EXPECT_EQ(door.PlateState(), TreeV_Plate_Waiting);
}

TEST_F(TreeVDoorSwitchTest, EachSoundPlaysOnceAtItsStep)
{
    ListeningDoor door = MakeDoor();
    door.GetSwitch(0)->Hit(100, 1, 0);
    for (Tick t = 0; t < 800; t++)
    {
        door.AngleAt(map.get(), t);
        door.AngleAt(map.get(), t); // asked again in the same step
    }
    std::vector<std::pair<Sound_Id, Tick>> const expected = {
        {Sound_DoorCreak, 101}, {Sound_DoorThud, 117}, {Sound_DoorThud, 137}, {Sound_DoorThud, 147}};
    EXPECT_EQ(door.heard, expected);
}

} // namespace
