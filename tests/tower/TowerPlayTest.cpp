// The tower played by keys: the giant's walks to both exits, and every puzzle's written solution
// (tools/worlds/tower.cpp) played in the generated tower, each from its station's entrance at the
// size the way there gives.
#include "engine/Door.h"
#include "engine/GameEvents.h"
#include "engine/Hit_Target.h"
#include "engine/Switch.h"
#include "support/FrameCheck.h"
#include "support/PuzzleDoors.h"
#include "support/RoadWalker.h"
#include "support/ShortcutRun.h"
#include "tools/worlds/tower.h"
#include "tower/TowerWorldSupport.h"
#include "tower/Tower_MapMove.h"
#include "tower/Tower_MapMoveGroup.h"
#include "tower/Tower_Scaler.h"
#include "tower/Tower_Scales.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

using namespace TowerWriter;

class TowerPlay : public TowerWorld
{
protected:
    // Stands on the plate at x for a while; the tick he stepped on.
    Tick HoldPlate(double x, int ticks)
    {
        EXPECT_TRUE(WalkTo(x));
        Tick const on = Now();
        Steps(ticks);
        return on;
    }

    // Walks into the closed door ahead, travels back to the tick given and walks on past it.
    void ThroughDoorFromThePast(int key, Tick back, double beyond, Door const* door)
    {
        WalkInto(key);
        EXPECT_FALSE(door->IsActive(Now() - 1)) << "the door had closed";
        double const stopped = Pos().x;
        TravelBackTo(back);
        EXPECT_TRUE(WalkTo(beyond)) << "stopped at " << Pos().x << " short of " << beyond;
        EXPECT_NE(Pos().x, stopped);
    }

    void ThrowAtEach(Tower& tower, int first, int last)
    {
        for (int k = first; k <= last; k++)
        {
            Hit_Target* target = tower.GetHitTarget(k);
            Pointf at;
            // Hanging down, in view, and still there when the axe arrives.
            ASSERT_TRUE(StepUntil(
                [&] {
                    return target->TargetOn(Now() + 60) && target->GetTargetPos(world->GetMap(), Now(), at)
                           && at.y < WingA_GallerySlabY - 150.0;
                },
                400))
                << "target " << k;
            EXPECT_TRUE(Throw(target)) << "target " << k;
            Steps(30);
            EXPECT_TRUE(target->IsActive(Now())) << "target " << k;
        }
        Steps(100); // for the door to rise high enough
    }
};

TEST_F(TowerPlay, TheGiantWalksInFromTheStartThroughL1sSlotAndOutByTheSecondExit)
{
    MakeTower();
    RoadWalker in(*world, RoadWalker::WorldRoad(Level_Tower, "way in"));
    RoadWalk_Result r = in.Walk([&](std::vector<int> const& held) { return Step(held); });
    EXPECT_TRUE(r.done) << r.report;
    EXPECT_EQ(r.action, Level_Continue) << r.report;
    EXPECT_LT(Pos().x, WingB_SlotWallX) << "through the slot";
    EXPECT_EQ(Pos().y, WingB_FloorY);
    EXPECT_EQ(Hero().GetScale(), 0.5);

    MakeTower();
    RoadWalker out(*world, RoadWalker::WorldRoad(Level_Tower, "exit3"));
    r = out.Walk([&](std::vector<int> const& held) { return Step(held); });
    EXPECT_TRUE(r.done) << r.report;
    EXPECT_EQ(r.action, Level_Restart) << r.report;
    EXPECT_LT(r.steps, 100) << "a short way out";
    EXPECT_EQ(Hero().GetScale(), 64.0);

    // Jumping all the way, a player of 16 from the foot still grows under the gate's beam, and a
    // small one leaving the gate room drops through the hole into the corridor, framed with the road.
    MakeTower();
    Place(Tower_GateX1 + 300.0, Tower_RoadY, 16.0);
    EXPECT_TRUE(StepUntil([&] { return Hero().GetScale() > 16.0; }, 100, {Key_Left, Key_Jump}));
    EXPECT_GT(Pos().x, Tower_GateX0 - 200.0) << "he grows at the gate";
    EXPECT_EQ(Steps(400, {Key_Left, Key_Jump}), Level_Restart);
    EXPECT_GT(Hero().GetScale(), 32.0);
    Tower& tower = MakeTower();
    Place(880.0, WingA_FloorY, 4.0);
    EXPECT_TRUE(StepUntil([&] { return tower.GetCameraZone() == 2; }, 200, {Key_Left, Key_Jump}))
        << "at " << Pos().x << ", " << Pos().y;
}

TEST_F(TowerPlay, FirstWingFromL0ThroughTheGateRoomAlongTheGalleryToSwitch10TheRingAndTheTrack)
{
    Tower& tower = MakeTower();
    Place(Way_BlockX1 + 50.0, WingA_FloorY, 16.0);
    EXPECT_TRUE(StepUntil([&] { return Pos().x > WingA_Scaler4X - 20.0; }, 1000, {Key_Right}))
        << "the walls let him through";
    EXPECT_TRUE(GrowTo(8.0));
    Tick const plate = HoldPlate(WingA_Plate0X, 400);
    EXPECT_TRUE(tower.GetSwitch(0)->IsActive(Now() - 1));
    // The pressed plate leaves a wall towards the door: he jumps out over it.
    WalkInto(Key_Right);
    EXPECT_LT(Pos().y, WingA_FloorY) << "the wall beside the pressed plate stops a walk";
    JumpTowards(Key_Right, [&] { return Pos().x > WingA_Plate0X + 300.0; });
    EXPECT_EQ(Pos().y, WingA_FloorY);
    EXPECT_TRUE(WalkTo(1540.0));
    EXPECT_TRUE(GrowTo(4.0));
    ThroughDoorFromThePast(Key_Right, plate + 100, 1900.0, tower.GetDoor(0));

    // Along the corridor, up onto the gallery, over the tooth at its shot's end, up onto the high
    // gallery, and down the hole, where he becomes 1.
    WalkInto(Key_Right);
    JumpTowards(Key_Right, [&] { return Pos().x > WingA_CorridorX1 + 50.0; });
    EXPECT_EQ(Pos().y, WingA_GalleryY);
    WalkInto(Key_Right);
    EXPECT_LE(Pos().x, WingA_GalleryToothX0) << "the tooth stops a walk";
    JumpTowards(Key_Right, [&] { return Pos().x > WingA_LowCeilingX1 + 50.0; });
    EXPECT_EQ(Pos().y, WingA_GalleryY);
    WalkInto(Key_Right);
    JumpTowards(Key_Right, [&] { return Pos().x > WingA_RiseX0 + 50.0; });
    EXPECT_EQ(Pos().y, WingA_RiseY);
    Steps(5);
    JumpTowards(Key_Right, [&] { return Pos().x > WingA_HighX0 + 50.0; });
    // At 4 on switch 10, along the high gallery and down its hole into the upper room, where he becomes
    // 1, to the door it opens.
    Tick const plate10 = HoldPlate(WingA_Plate10X, 300);
    EXPECT_TRUE(tower.GetSwitch(10)->IsActive(Now() - 1));
    // Down the hole onto the ledge under it, off which he slides into the upper room.
    EXPECT_TRUE(StepUntil([&] { return Pos().x > WingA_DropX0 && Pos().y < WingA_HighY; }, 400, {Key_Right}))
        << "fell through the hole";
    EXPECT_TRUE(StepUntil([&] { return Hero().onGround && Pos().y < WingA_LedgeY; }, 200));
    EXPECT_EQ(Pos().y, WingA_UpperY);
    EXPECT_TRUE(StepUntil([&] { return Hero().GetScale() < 4.0; }, 100, {Key_Left}));
    EXPECT_TRUE(GrowTo(1.0));
    ThroughDoorFromThePast(Key_Left, plate10 + 150, WingA_UpperX0 + 20.0, tower.GetDoor(12));
    EXPECT_TRUE(StepUntil([&] { return Pos().y == WingA_RoomsY; }, 200, {Key_Left})) << "dropped into the ring room";
    // A step back from door 13, facing the ring.
    WalkTo(WingA_Door13X + 20.0);
    Steps(10);

    EXPECT_TRUE(Throw(tower.GetHitTarget(13)));
    Steps(100);
    EXPECT_TRUE(tower.GetDoor(13)->IsActive(Now()));
    EXPECT_TRUE(WalkTo(WingA_Door13X - 30.0));

    // The track: each plain target when it is the nearest in view.
    for (int thrown = 0; thrown < 6;)
    {
        ASSERT_LT(Now(), 8000) << thrown << " thrown";
        Target* nearest = nullptr;
        std::unique_ptr<PtrList<Target>> const visible(
            world->GetObjects()->GetVisibleTargets(world->GetMap(), Now() + 1, &Hero(), &nearest, Hero().GetScale()));
        bool plain = false;
        for (int k = 1; k <= 6; k++)
            plain = plain || (nearest == tower.GetHitTarget(k) && tower.GetHitTarget(k)->TargetOn(Now() + 40));
        if (!plain)
        {
            Step();
            continue;
        }
        Step({Key_Action});
        Step({Key_Action});
        Step();
        Steps(30);
        thrown++;
    }
    Steps(100);
    EXPECT_TRUE(tower.GetDoor(11)->IsActive(Now()));
    WalkTo(WingA_LandX);
    StepUntil([&] { return Hero().onGround && Pos().y < WingA_RoomsY; }, 100);
    EXPECT_EQ(Pos().y, WingA_SmallY) << "dropped down the shaft";
}

TEST_F(TowerPlay, FirstWingFromTheShaftThroughTheSmallRoomsTheHallAndOverThePitBackToTheFoot)
{
    Tower& tower = MakeTower();
    Place(WingA_LandX, WingA_SmallY, 1.0);
    EXPECT_TRUE(GrowTo(0.25));
    Tick const plate2 = HoldPlate(WingA_Plate2X, 1500);
    JumpTowards(Key_Left);
    // The tooth stops a walk where the shot of zone 8 still shows him whole.
    WalkInto(Key_Left);
    EXPECT_GE(Pos().x, WingA_ToothX1) << "walked past the tooth";
    EXPECT_TRUE(FrameCheck::PlayerBox(*world).Inside(LevelFrame::Width, LevelFrame::Height))
        << "cut at the shot's edge";
    // Up onto the step, over the tooth onto group 26 at its right end, off it at its left end. Whoever
    // passes over the tooth leaves zone 8 on the way, so that the shot is changing as he crosses its edge.
    JumpTowards(Key_Left, [&] { return Pos().x < WingA_ToothStepX1 - 5.0; });
    EXPECT_EQ(Pos().y, WingA_ToothStepY) << "onto the step";
    WalkTo(WingA_ToothX1 + 3.0);
    // The jump takes him about 50 steps.
    ASSERT_TRUE(StepUntil([&] { return std::sin((Now() + 50) / 50.0) > 0.999; }, 400));
    constexpr double zone8X0 = 6127.0; // where the zone of the close shot begins
    bool left = false;
    JumpTowards(Key_Left, [&] {
        left = left || (Pos().x >= zone8X0 && tower.GetCameraZone() != 8);
        return Pos().x < WingA_ToothX0 - 3.0;
    });
    EXPECT_TRUE(left) << "crossed the shot's edge inside its zone";
    ASSERT_TRUE(StepUntil([&] { return std::sin(Now() / 50.0) < -0.98; }, 400));
    WalkTo(WingA_SwingPitX0 - 15.0);
    EXPECT_EQ(Pos().y, WingA_SmallY) << "crossed the pit";
    Tick const plate1 = HoldPlate(WingA_Plate1X, 200);
    JumpTowards(Key_Right);
    WalkTo(WingA_Hatch1X + WingA_Hatch1W / 2.0);
    TravelBackTo(plate1 + 150);
    EXPECT_TRUE(StepUntil([&] { return Pos().y == WingA_NookY; }, 200)) << "dropped through door 1";
    // Off the nook's end down the shaft onto scaler 6's floor, where he grows, and off it to the right
    // down to the hall's floor, under it.
    EXPECT_TRUE(StepUntil([&] { return Pos().y == WingA_ShaftFloorY; }, 400, {Key_Left})) << "off the nook's end";
    EXPECT_TRUE(GrowTo(4.0));
    EXPECT_TRUE(StepUntil([&] { return Pos().y == WingA_HallY; }, 200, {Key_Right})) << "off the shaft's floor";
    ThroughDoorFromThePast(Key_Left, plate2 + 300, WingA_Door2X - 45.0, tower.GetDoor(2));

    ThrowAtEach(tower, 20, 25);
    EXPECT_TRUE(WalkTo(WingA_Door14X - 45.0)) << "door 14 rose";
    ThrowAtEach(tower, 26, 33);
    EXPECT_TRUE(WalkTo(WingA_PitX1 + 20.0)) << "door 15 rose";

    double x = 0.0;
    double y = 0.0;
    Tower_MapMoveGroup const* platform = tower.GetDriver()->GetMover(0);
    ASSERT_TRUE(StepUntil([&] { return platform->Offset(Now() + 5, x, y) && x > 1099.0; }, 600));
    WalkTo(WingA_PitX1 - 40.0);
    ASSERT_TRUE(StepUntil([&] { return platform->Offset(Now(), x, y) && x < -1099.0; }, 600));
    EXPECT_TRUE(StepUntil([&] { return Pos().x < WingA_PitX0 - 60.0; }, 200, {Key_Left})) << "rode across";
    // Off the landing's end down to the road, growing, and back along it to the tower's foot.
    EXPECT_TRUE(StepUntil([&] { return Pos().y == Tower_RoadY; }, 300, {Key_Left}));
    EXPECT_TRUE(StepUntil([&] { return Hero().GetScale() == 8.0; }, 300, {Key_Left}));
    EXPECT_TRUE(StepUntil([&] { return Pos().x < WingA_L0X0 - 100.0; }, 1500, {Key_Left})) << "stopped at " << Pos().x;
    EXPECT_NEAR(Pos().y, Tower_RoadY, 1e-3);
}

TEST_F(TowerPlay, SecondWingFromL1ThroughTheScalesAndTheWindow)
{
    Tower& tower = MakeTower();
    Place(WingB_L1X1 - 50.0, WingB_L1Y, 16.0);
    WalkInto(Key_Left);
    EXPECT_TRUE(GrowTo(0.5, 600));
    JumpTowards(Key_Right);
    EXPECT_LE(Pos().x, WingB_L1X0) << "at 1/2 no jump climbs back onto L1";
    Tick const plate3 = HoldPlate(WingB_Plate3X, 300);
    JumpTowards(Key_Left);
    ThroughDoorFromThePast(Key_Left, plate3 + 100, 1990.0, tower.GetDoor(3));

    Tower_Scales const* scales = tower.GetScales();
    Tick const weighed = HoldPlate(WingB_PanX, 500);
    EXPECT_EQ(scales->WeightAt(weighed + 100), 2);
    JumpTowards(Key_Left);
    WalkTo(1822.0);
    EXPECT_TRUE(GrowTo(0.25));
    WalkTo(WingB_PanX);
    TravelBackTo(weighed);
    Steps(500);
    EXPECT_EQ(scales->WeightAt(weighed + 100), 3) << "a past self and he weigh together";
    EXPECT_EQ(scales->LightsLit(weighed + 101), 3);
    JumpTowards(Key_Left);
    ASSERT_TRUE(StepUntil([&] { return scales->CalcLiftPos(Now()) == 0.0; }, 400)) << "the lift came down";
    WalkTo((WingB_LiftX0 + WingB_LiftX1) / 2);
    TravelBackTo(weighed - 20);
    Steps(200);
    EXPECT_EQ(Pos().y, WingB_TinyY) << "the lift carried him up to the window";
    EXPECT_FALSE(scales->weightRefused);
    WalkInto(Key_Left);
    EXPECT_LT(Pos().x, WingB_WindowX);
    EXPECT_TRUE(GrowTo(0.125)) << "dropped off the step into the zones that make him 1/8";
}

TEST_F(TowerPlay, SecondWingThroughTheTinyCorridorsToTheBoardingFloor)
{
    Tower& tower = MakeTower();
    Place(WingB_WindowX - 2.0, WingB_TinyY, 0.25);
    WalkTo(WingB_TinyShrinkX);
    EXPECT_TRUE(GrowTo(0.125));
    JumpTowards(Key_Right);
    EXPECT_LE(Pos().x, WingB_TinyStepX) << "no jump of 1/8 climbs back out of the close shot";
    Tick const t = HoldPlate(WingB_Plate7X, 900);
    for (int k = 1; k < 3; k++)
    {
        JumpTowards(Key_Left);
        WalkTo(WingB_Plate7X - 8 * k);
        TravelBackTo(t);
        Steps(900);
    }
    for (int k = 7; k <= 9; k++)
        EXPECT_TRUE(tower.GetSwitch(k)->IsActive(t + 200)) << "switch " << k;
    TravelBackTo(t + 100);
    JumpTowards(Key_Left);
    EXPECT_TRUE(WalkTo(WingB_Door8X - 20.0)) << "through doors 8, 9 and 10";

    WalkTo(1544.0);
    EXPECT_TRUE(GrowTo(0.03125));
    EXPECT_TRUE(WalkTo(WingB_LowPassX0 - 2.0)) << "through the low passage";
    WalkTo(1523.0);
    EXPECT_TRUE(GrowTo(0.0625));
    WalkTo(1510.0);
    EXPECT_TRUE(Throw(tower.GetHitTarget(0)));
    Steps(80);
    EXPECT_TRUE(tower.GetDoor(7)->IsActive(Now()));
    Tick const plate4 = HoldPlate(WingB_Plate4X, 200);
    EXPECT_LT(plate4, Now());
    JumpTowards(Key_Left);
    WalkTo(WingB_Hatch4X + 2.0);
    TravelBackTo(plate4 + 100);
    Steps(60);
    EXPECT_EQ(Pos().y, WingB_LowerY) << "dropped through door 4";
    for (auto [plate, door, id] :
         {std::tuple{WingB_Plate5X, WingB_Door5X, 5}, std::tuple{WingB_Plate6X, WingB_Door6X, 6}})
    {
        Tick const on = HoldPlate(plate, 200);
        JumpTowards(Key_Left);
        ThroughDoorFromThePast(Key_Left, on + 100, door - 3.0, tower.GetDoor(id));
    }
    WalkTo(1400.0);
    EXPECT_TRUE(GrowTo(1.0));
    WalkTo(WingB_StepX0 - 10.0);
    JumpTowards(Key_Right, [&] { return Pos().x > WingB_StepX0 + 6.0; });
    EXPECT_EQ(Pos().y, WingB_StepY) << "onto the step";
    Steps(5);
    JumpTowards(Key_Right, [&] { return Pos().x > 1426.0; });
    EXPECT_EQ(Pos().y, WingB_MasonryY) << "onto the masonry over the corridors";
    Steps(5);
    JumpTowards(Key_Left, [&] { return Pos().x < WingB_CarX + 16.0; });
    EXPECT_EQ(Pos().y, WingB_WaitY) << "onto the ledge over P";
}

TEST_F(TowerPlay, TheTransporterCarriesItsRiderOverTheTopToTheFinaleAndHeLeavesAGiant)
{
    Tower& tower = MakeTower();
    Place(WingB_WaitX, WingB_WaitY, 1.0);
    // The next car to appear at P rises through the ledge and lifts him.
    unsigned int poly = 0;
    auto onCar = [&] {
        return Hero().PolyOn(&poly) && world->GetMap()->GetGroup(poly) >= Tower_Group_FirstCar
               && world->GetMap()->GetGroup(poly) <= Tower_Group_LastCar;
    };
    ASSERT_TRUE(StepUntil(onCar, 1100));
    int hearts = 0;
    int most = 0;
    Hero().GetHitPoints(&hearts, &most);
    unsigned int const car = world->GetMap()->GetGroup(poly);
    auto routeTick = [&] { return (Now() + Tower_MapMoveGroup::CarPhase(car)) % Transport_TotalTime; };
    EXPECT_LT(routeTick(), 20) << "lifted as the car set out from P";
    // Leg 13 turns down from tick 6607 of the route, for 157 ticks, to the foot of the turn beside the
    // exit floor's left end; 123 ticks into it the car's top is 70 over the floor.
    // Every leg he rides lies in a camera zone: the tower shows whole only for the few steps
    // between two zones.
    int whole = 0;
    ASSERT_TRUE(StepUntil(
        [&] {
            whole += tower.GetCameraZone() == 0 ? 1 : 0;
            return routeTick() >= 6607 + 123;
        },
        8000));
    EXPECT_LE(whole, 20) << "steps of the ride with the tower seen whole";
    EXPECT_TRUE(onCar()) << "carried all the way";
    int left = 0;
    Hero().GetHitPoints(&left, &most);
    EXPECT_EQ(left, hearts) << "no pool under the route reached him: every car runs clear over the floors under it";
    // Walking to the car's end, he comes under the wall over the floor's end as the car comes down.
    EXPECT_TRUE(StepUntil([&] { return Hero().onGround && Pos().y == WingB_ExitFloorY; }, 200, {Key_Right}))
        << "stepped off onto the exit floor";
    Steps(60); // he slides to a stop where he landed
    WalkTo(WingB_ExitScalerX);
    EXPECT_TRUE(GrowTo(4.0));
    WalkInto(Key_Right);
    EXPECT_TRUE(StepUntil([&] { return Pos().y == WingB_FinaleY; }, 300)) << "dropped onto LX";
    EXPECT_TRUE(GrowTo(8.0));

    Tick const plate = HoldPlate(WingB_Plate11X, 700);
    WalkInto(Key_Right);
    EXPECT_NEAR(Pos().x, WingB_Door17X, 1e-9) << "at the closed door 17";
    TravelBackTo(plate + 100);
    WalkTo(6660.0);
    EXPECT_TRUE(GrowTo(64.0));
    EXPECT_TRUE(tower.GetDoor(17)->IsActive(Now()));
    int steps = 0;
    Level_Action r = Level_Continue;
    while (steps++ < 3000 && (r = Step({Key_Right})) == Level_Continue)
        ;
    EXPECT_EQ(r, Level_Completed) << "through door 17, off LX and along the road";
}

// The places of the wings where a player was held fast or left the camera's view, each tried as the
// surface check tries them: a direction held with a jump now and then (and a second one in the air with
// the double jump).
constexpr int Held_Unseen = 30; // steps on end a player may be out of view: a change of shot, or passing a shot's edge

class TowerPlayHeld : public TowerPlay
{
protected:
    // Holds the direction for the steps given, jumping as ShortcutRun does.
    void Hold(int key, int steps, bool twice = false)
    {
        for (int i = 0; i < steps; i++)
            Step(ShortcutRun::HeldKeys(key, i, twice));
    }

    // Put where one dropping off the porch lands, he walks right until he begins to grow, stops there until he
    // is 4 and goes on off the floor's end (jumping 10 steps in every 40, when asked): no step while the view
    // holds still cuts him at the frame's edge.
    void GrowsAndWalksOffTheExitFloorInView(bool jumping)
    {
        MakeTower();
        Place(WingB_ExitFloorX0 + 2.0, WingB_ExitFloorY, 1.0);
        ASSERT_TRUE(StepUntil([&] { return Hero().GetScale() > 1.0; }, 300, {Key_Right}));
        ASSERT_TRUE(GrowTo(4.0));
        Steps(FrameCheck_Settle);
        auto const& view = world->GetMap()->view;
        int cut = 0;
        for (int i = 0; i < 300 && Pos().y > WingB_ExitFloorY - 1.0; i++)
        {
            double const x = view.x, y = view.y, scale = view.scale;
            Step(jumping && i % 40 < 10 ? std::vector<int>{Key_Right, Key_Jump} : std::vector<int>{Key_Right});
            bool const still = std::fabs(view.x - x) < 0.5 && std::fabs(view.y - y) < 0.5
                               && std::fabs(view.scale - scale) < FrameCheck_Zooming * scale;
            cut += still && !FrameCheck::PlayerBox(*world).Inside(LevelFrame::Width, LevelFrame::Height) ? 1 : 0;
        }
        EXPECT_LT(Pos().y, WingB_ExitFloorY) << "off the floor's end";
        EXPECT_EQ(cut, 0) << "steps cut at the frame's edge" << (jumping ? ", jumping" : "");
    }
};

TEST_F(TowerPlayHeld, EveryPlateOfTheSecondWingIsLeftBothWaysOnceItIsDown)
{
    MakeTower();
    struct Plate
    {
        double x, y, scale, size; // the plate's middle and scale, the size he presses it at
    };
    double const s16 = 0.0625;
    Plate const plates[] = {
        {WingB_Plate3X, WingB_FloorY, 0.5, 0.5},        {WingB_PanX, WingB_FloorY, 0.5, 0.5},
        {WingB_PanX, WingB_FloorY, 0.5, 0.25},          {WingB_Plate7X, WingB_TinyY, s16, 0.125},
        {WingB_Plate7X - 8.0, WingB_TinyY, s16, 0.125}, {WingB_Plate7X - 16.0, WingB_TinyY, s16, 0.125},
        {WingB_Plate4X, WingB_TinyY, s16, s16},         {WingB_Plate5X, WingB_LowerY, s16, s16},
        {WingB_Plate6X, WingB_LowerY, s16, s16},        {WingB_Plate11X, WingB_FinaleY, 8.0, 8.0},
    };
    for (Plate const& plate : plates)
        for (int key : {Key_Left, Key_Right})
        {
            Place(plate.x, plate.y, plate.size);
            Steps(150);
            ASSERT_LT(Pos().y, plate.y) << "the plate at " << plate.x << " went down";
            Hold(key, 300);
            EXPECT_GT(std::fabs(Pos().x - plate.x), 30.0 * plate.scale)
                << "left the plate at " << plate.x << (key == Key_Left ? " to the left" : " to the right");
        }

    // Walking left at 1/4 off the step he becomes 1/8 and walks on over switches 7, 8 and 9 (they go down
    // under him) to the closed door 8.
    Place((WingB_TinyStepX + WingB_TinyRampX0) / 2.0, WingB_TinyStepY, 0.25);
    Hold(Key_Left, 600);
    EXPECT_LT(Pos().x, WingB_Plate7X - 16.0 - 2.0) << "past switch 9";
}

TEST_F(TowerPlayHeld, OnlyAPlayerOf1Over32PassesTheLowPassageAndNoneIsCaughtInIt)
{
    MakeTower();
    // Set down a unit over the passage's floor, a player of 1/32 falls to it and walks on.
    Place((WingB_LowPassX0 + WingB_LowPassX1) / 2.0, WingB_TinyY + 1.0, 0.03125);
    Hold(Key_Left, 300);
    EXPECT_LT(Pos().x, WingB_LowPassX0) << "through the low passage";
    // Beyond it a zone makes him 1/16 again: he does not pass back.
    Place(WingB_LowPassX0 - 4.0, WingB_TinyY, 0.0625);
    Hold(Key_Right, 300);
    EXPECT_LE(Pos().x, WingB_LowPassX0 + 0.5) << "a player of 1/16 stays at its mouth";
}

TEST_F(TowerPlayHeld, NoRiderOf1NorOneOf4LeavesTheExitFloorLeftTheCatchFloorLeadsOnToThePorchAndNoOneShrinkingRegainsL1)
{
    events[Event_DoubleJump] = GameEvent_HasHappened;
    // Off the porch, as the road goes, he walks right until he begins to grow, stops there until he is 4 and
    // goes on off the floor's end, jumping now and then: while the view holds still he is never cut at the
    // frame's edge, as he was walking out of the shot over the floor's left end grown there.
    GrowsAndWalksOffTheExitFloorInView(true);

    // However a rider of 1 runs and jumps right off the porch, or from where he lands below it, his feet pass
    // through scaler 23's zone and he grows: flying over it, he stayed 1 and was drawn too small to see. Nor
    // does one growing in a double jump fly on over the wall that ends the fall to LX, down beside door 16 out
    // of the shot.
    std::vector<std::string> over, beyond;
    for (Pointf const from : {Pointf(WingB_ExitFloorX0 - 3.0, WingB_ExitPorchY), Pointf(WingB_ExitFloorX0 + 30.0,
                                                                                            WingB_ExitFloorY)})
        for (ShortcutRun::Jumps jumps :
             {ShortcutRun::Jumps::Once, ShortcutRun::Jumps::Twice, ShortcutRun::Jumps::AtTop})
            for (int walk = 0; walk < 40; walk += 2)
            {
                Place(from.x, from.y, 1.0);
                std::string const how = "from (" + std::to_string(from.x) + ", " + std::to_string(from.y) + "), "
                                        + ShortcutRun::HoldName(Key_Right, jumps, walk) + ": at (";
                bool past = false;
                for (int i = 0; i < 400; i++)
                {
                    Step(ShortcutRun::HeldKeys(Key_Right, i, jumps, walk));
                    std::string const at = how + std::to_string(Pos().x) + ", " + std::to_string(Pos().y) + ")";
                    if (!past && Pos().x > WingB_ExitScalerX + 2.0 * Scaler_Base_Width)
                    {
                        past = true;
                        if (Hero().GetScale() <= 1.0)
                            over.push_back(at);
                    }
                    if (Pos().x > WingB_FallWallX + 20.0 && Pos().y > WingB_FinaleCeilingY)
                    {
                        beyond.push_back(at);
                        break;
                    }
                }
            }
    EXPECT_TRUE(over.empty()) << over.size() << " runs past scaler 23 still 1, the first: " << over.front();
    EXPECT_TRUE(beyond.empty()) << beyond.size() << " runs over the wall beyond the floor, the first: "
                                << beyond.front();

    MakeTower();
    Place(WingB_ExitFloorX0 + 100.0, WingB_ExitFloorY, 4.0);
    Hold(Key_Left, 600, true);
    StepUntil([&] { return Hero().onGround; }, 100);
    EXPECT_EQ(Pos().y, WingB_ExitFloorY);
    EXPECT_GE(Pos().x, WingB_ExitFloorX0) << "the wall over the exit floor's left end";
    // A rider of 1 who has just dropped off the porch walks left at once: where he lands in scaler 23's zone,
    // still growing, and where he lands short of it, still 1. Grown against the porch's wall, he walks back.
    for (double x : {WingB_ExitFloorX0 + 40.0, WingB_ExitFloorX0 + 2.0})
    {
        Place(x, WingB_ExitFloorY, 1.0);
        Steps(300, {Key_Left});
        EXPECT_EQ(Pos().y, WingB_ExitFloorY) << "walking left from " << x;
        EXPECT_GE(Pos().x, WingB_ExitFloorX0) << "walking left from " << x;
        double const held = Pos().x;
        Steps(100, {Key_Right});
        EXPECT_GT(Pos().x, held + Hero().GetScale() * Player_Width) << "held at the porch, from " << x;
    }
    // Nor does anyone jumping left, however he times his jumps: a rider of 1 where he lands, one growing in
    // scaler 23's zone, one grown. Off the floor's end he fell out of every shot to the first wing's roof.
    struct From
    {
        double x, size;
        int every; // walk offsets tried: every one, or every few
    };
    std::vector<std::string> off;
    for (From const from : {From{WingB_ExitFloorX0 + 10.0, 1.0, 1}, From{WingB_ExitFloorX0 + 60.0, 1.0, 3},
                            From{WingB_ExitScalerX, 1.0, 3}, From{WingB_ExitFloorX0 + 100.0, 4.0, 3}})
        for (ShortcutRun::Jumps jumps :
             {ShortcutRun::Jumps::Once, ShortcutRun::Jumps::Twice, ShortcutRun::Jumps::AtTop})
            for (int walk = 0; walk < 40; walk += from.every)
            {
                Place(from.x, WingB_ExitFloorY, from.size);
                for (int i = 0; i < 300; i++)
                {
                    Step(ShortcutRun::HeldKeys(Key_Left, i, jumps, walk));
                    if (Pos().x < WingB_ExitFloorX0 || Pos().y < WingB_ExitFloorY - 1.0)
                    {
                        off.push_back("from " + std::to_string(from.x) + " at " + std::to_string(from.size) + ", "
                                      + ShortcutRun::HoldName(Key_Left, jumps, walk) + ": at ("
                                      + std::to_string(Pos().x) + ", " + std::to_string(Pos().y) + ")");
                        break;
                    }
                }
                // Grown, against the low roof over the zone he is not wedged: holding right he walks off the
                // floor's end, down to LX.
                if (from.size == 4.0 && Pos().y >= WingB_ExitFloorY - 1.0)
                {
                    Steps(300, {Key_Right});
                    if (Pos().y >= WingB_ExitFloorY - 1.0)
                        off.push_back("from " + std::to_string(from.x) + " at 4, "
                                      + ShortcutRun::HoldName(Key_Left, jumps, walk) + ", then right: held at ("
                                      + std::to_string(Pos().x) + ", " + std::to_string(Pos().y) + ")");
                }
            }
    EXPECT_TRUE(off.empty()) << off.size() << " runs off the exit floor or held on it, the first: " << off.front();

    // From the catch floor's right end he steps down into the pit and walks on along its floor to the porch,
    // where the lintel stops a player of 4.
    Place(WingB_CatchX1 - 100.0, WingB_CatchY, 4.0);
    Hold(Key_Right, 600, true);
    StepUntil([&] { return Hero().onGround; }, 100);
    EXPECT_GT(Pos().x, WingB_CatchPitX1) << "along the pit's floor";
    EXPECT_LE(Pos().x, WingB_ExitLintelX0) << "the lintel over the porch";
    EXPECT_EQ(Pos().y, WingB_ExitPorchY);

    // A giant walking off L1's end drops through the gap into the slot and jumps straight back the
    // way he came: before he is small enough to be lost in L1's wide shot he is back at the slot's foot.
    Place(WingB_L1X0 + 40.0, WingB_L1Y, 16.0);
    ASSERT_TRUE(StepUntil([&] { return Pos().y == WingB_FloorY; }, 200, {Key_Left}));
    for (int i = 0; i < 300; i++)
    {
        Step(ShortcutRun::HeldKeys(Key_Right, i, true));
        bool const onL1 = Hero().onGround && Pos().x > WingB_L1X0 && Pos().y >= WingB_L1Y;
        EXPECT_FALSE(onL1 && Hero().GetScale() < 2.0) << "back on L1 at size " << Hero().GetScale();
    }
}

TEST_F(TowerPlayHeld, WithTheDoubleJumpAPlayerOf16InThePassageStaysInItsShotAndOneOf4AtTheHallsEndWalksOut)
{
    events[Event_DoubleJump] = GameEvent_HasHappened;
    MakeTower();
    // Walking back left along the passage he meets the chute at the shaft's foot, and no jump under the
    // passage's ceiling takes him under the shaft and out of the top of the first wing's shot.
    Place(Way_PassX1 - 200.0, Way_PassY, 16.0);
    Steps(150);
    for (int i = 0; i < 600; i++)
    {
        Step(ShortcutRun::HeldKeys(Key_Left, i, true));
        ASSERT_TRUE(FrameCheck::PlayerBox(*world).Inside(LevelFrame::Width, LevelFrame::Height))
            << "out of the passage's shot at (" << Pos().x << ", " << Pos().y << ")";
    }
    EXPECT_GE(Pos().x, Way_PassX0) << "under the shaft";

    // Walking right along the passage to its end and back, he stands nowhere the first wing's shot or
    // the next one cuts him: not where both shots end, short of the zone's edge, nor beyond it.
    for (int key : {Key_Right, Key_Left})
    {
        Place(key == Key_Right ? Way_PassX1 - 300.0 : Way_PassX1 + 400.0, Way_PassY, 16.0);
        Steps(100);
        for (int i = 0; i < 400; i++)
        {
            int const zone = World().GetCameraZone();
            Step(ShortcutRun::HeldKeys(key, i));
            bool const settled = World().GetCameraZone() == zone && Hero().onGround && Pos().y < Way_NotchY;
            ASSERT_TRUE(!settled || FrameCheck::PlayerBox(*world).Inside(LevelFrame::Width, LevelFrame::Height))
                << "cut on the passage's floor at (" << Pos().x << ", " << Pos().y << ")";
        }
    }

    // From the hall's end under the nook a player of 4 jumping left falls back past scaler 6's floor and
    // walks on along the hall.
    Place(WingA_HallX1 - 1.0, WingA_HallY, 4.0);
    Hold(Key_Left, 300, true);
    EXPECT_LT(Pos().x, WingA_HallX1 - 100.0) << "held at " << Pos().x << ", " << Pos().y;
}

TEST_F(TowerPlayHeld, WithTheDoubleJumpNoPlayerOf1Over4LeavesTheNookUngrownAndOneOf1WalksThroughItsFinBothWays)
{
    events[Event_DoubleJump] = GameEvent_HasHappened;
    MakeTower();
    // Jumping left along the nook from anywhere right of scaler 8 he is grown before he drops down the
    // shaft: none is ever below the nook at 1/4 or reaches the hall smaller than 4.
    for (double x = WingA_NookFinX + 1.0; x < WingA_NookEndX; x += 1.0)
        for (int first : {0, 20, 39})
        {
            Place(x, WingA_NookY, 0.25);
            for (int i = first; i < first + 400; i++)
            {
                Step(ShortcutRun::HeldKeys(i < first + 20 ? Key_Right : Key_Left, i, true));
                bool const below = Pos().y < WingA_NookY - 20.0;
                ASSERT_FALSE(below && Hero().GetScale() < 0.5)
                    << "below the nook at size " << Hero().GetScale() << ", from " << x << " at (" << Pos().x << ", "
                    << Pos().y << ")";
                ASSERT_FALSE(Pos().y <= WingA_HallY + 1.0 && Hero().GetScale() < 4.0)
                    << "in the hall at size " << Hero().GetScale() << ", from " << x;
            }
        }
    // A player of 1 walks through the fin's slit right and back left to the shaft's foot.
    Place(WingA_NookFinX - 3.0, WingA_NookY, 1.0);
    Hold(Key_Right, 100);
    EXPECT_GT(Pos().x, WingA_NookFinX + 5.0) << "through the slit to the right";
    EXPECT_TRUE(StepUntil([&] { return Pos().y == WingA_ShaftFloorY; }, 400, {Key_Left})) << "held at " << Pos().x;
}

// One of 1/4 who falls off the plank into the pit under it walks along its floor and up its ramp at the right
// end, hops onto the plank as it comes to the ramp's top and rides it to the floor beyond its left end. The
// pit's floor once caught him between its teeth, and its ramp was too steep to walk up.
TEST_F(TowerPlayHeld, OneOf1Over4FallenIntoThePitUnderThePlankWalksUpItsRampAndHopsOntoThePlankAgain)
{
    Tower& tower = MakeTower();
    Place(WingA_SwingPitX0 + 40.0, WingA_SmallSlabY, 0.25);
    EXPECT_TRUE(StepUntil([&] { return Pos().x > WingA_SwingPitX1 - 1.0; }, 400, {Key_Right}))
        << "held at (" << Pos().x << ", " << Pos().y << ")";
    EXPECT_NEAR(Pos().y, WingA_PitRampY, 0.5) << "at the ramp's top";
    // The hop, a while before the plank comes furthest right.
    Tower_MapMoveGroup const* plank = tower.GetDriver()->GetMover(2);
    auto const offset = [&](Tick t) {
        double x = 0.0;
        double y = 0.0;
        plank->Offset(t, x, y);
        return x;
    };
    constexpr Tick early = 30;
    ASSERT_TRUE(StepUntil(
        [&] {
            Tick const peak = Now() + early;
            return offset(peak) >= offset(peak - 1) && offset(peak) >= offset(peak + 1);
        },
        400));
    Steps(20, {Key_Jump});
    EXPECT_TRUE(StepUntil([&] { return Pos().x < WingA_SwingPitX0; }, 400)) << "carried left, at " << Pos().x;
    EXPECT_EQ(Pos().y, WingA_SmallY) << "on the plank";
    EXPECT_TRUE(StepUntil([&] { return Pos().x < WingA_SwingPitX0 - 10.0; }, 100, {Key_Left}));
    EXPECT_EQ(Pos().y, WingA_SmallY) << "off it onto the floor";
}

// The doors whose plates lie near them keep a player on their near side whatever he does on the plate
// and on his way from it: standing on it for a while or none, then holding towards the door, walking, or
// jumping once, twice or again at the top (with the double jump), each after a spread of walks. Door 0
// from switch 0 in the gate room and from the floor before it at 8; doors 5 and 6 from their switches at
// 1/16; door 8 at 1/8 from beside switch 8 and either side of switch 7, over the plates between. Leaving
// a plate's pit up a slope tilted him back, and coming down at the door's face as it fell, or at its foot
// a hair off the floor, he turned upright with his head inside it and walked on. Nor does anyone on the
// way drop through the floor beside switch 0's plate, as one stepping onto it slowly did.
TEST_F(TowerPlayHeld, WithTheDoubleJumpNoOneComingFromADoorsPlateGetsPastItShut)
{
    events[Event_DoubleJump] = GameEvent_HasHappened;
    events[Event_Socks] = GameEvent_HasHappened; // no one dies on the way
    using Keys = std::function<std::vector<int>(int)>;
    struct Start
    {
        int door;
        double x, y, size;
        int key, steps;
    };
    double const s16 = 0.0625;
    std::initializer_list<Start> const starts = {
        {0, WingA_Plate0X - 310.0, WingA_FloorY, 8.0, Key_Right, 160},
        {0, WingA_Plate0X - 150.0, WingA_FloorY, 8.0, Key_Right, 160},
        {0, WingA_Plate0X, WingA_FloorY, 8.0, Key_Right, 160},
        {5, WingB_Plate5X + 1.5, WingB_LowerY, s16, Key_Left, 300},
        {6, WingB_Plate6X + 1.5, WingB_LowerY, s16, Key_Left, 300},
        {8, WingB_Plate7X - 8.0 - 2.0, WingB_TinyY, 0.125, Key_Left, 200},
        {8, WingB_Plate7X - 5.5, WingB_TinyY, 0.125, Key_Left, 200},
        {8, WingB_Plate7X + 2.0, WingB_TinyY, 0.125, Key_Left, 200},
    };
    std::vector<std::string> through;
    for (Start const& start : starts)
    {
        // A tower for each start, whose clock runs out long after.
        Door const* door = MakeTower().GetDoor(start.door);
        double const distance = Tower_Doors[start.door].distance;
        DoorSide const near = start.key == Key_Right ? DoorSide::Left : DoorSide::Right;
        DoorPlace const place = PlaceDoor(*world->GetMap(), Tower_Doors[start.door].group, near).front();
        std::vector<std::pair<std::string, Keys>> holds{
            {"walking", [key = start.key](int) { return std::vector<int>{key}; }}};
        for (ShortcutRun::Jumps jumps :
             {ShortcutRun::Jumps::Once, ShortcutRun::Jumps::Twice, ShortcutRun::Jumps::AtTop})
            for (int walk = 0; walk < 40; walk += 4)
                holds.emplace_back(ShortcutRun::HoldName(start.key, jumps, walk),
                                   [=, key = start.key](int i) { return ShortcutRun::HeldKeys(key, i, jumps, walk); });
        for (int stood : {0, 30, 200})
            for (auto const& [how, keys] : holds)
            {
                Place(start.x, start.y, start.size);
                Steps(stood);
                char from[120];
                std::snprintf(from, sizeof from, "door %d, from %.1f at size %g, standing %d steps, %s", start.door,
                              start.x, start.size, stood, how.c_str());
                DoorWatch watch(*world, from, {{"door " + std::to_string(start.door), place, [door, distance](Tick t) {
                                                    return door->IsActive(t) || door->GetPos(t) >= distance;
                                                }}});
                auto const step = watch.Wrap([&](std::vector<int> const& held) { return Step(held); });
                // Nor does he drop through the floor under a plate.
                double const lowest = start.y - 2.0 * Player_Height * start.size;
                for (int i = 0; i < start.steps && step(keys(i)) == Level_Continue && watch.Faults() == 0; i++)
                    if (Pos().y < lowest)
                    {
                        through.push_back(std::string(from) + ": through the floor to (" + std::to_string(Pos().x)
                                          + ", " + std::to_string(Pos().y) + ")");
                        break;
                    }
                if (watch.Faults() != 0)
                    through.push_back(watch.Report());
            }
    }
    EXPECT_TRUE(through.empty()) << through.size() << " runs past a door, the first: " << through.front();
}

// Door 12 keeps everyone in the upper room on its near side until a past self holds switch 10, however
// he holds left there: walking, or jumping once, twice or again at the top (with the double jump), each
// after a spread of walks first. Tried from anywhere in the upper room at 1, dropping in from the hole
// above at 4, and at 4 from the high gallery after walking over the switch's plate or holding it down
// himself for long, or after holding right from it with jumps at a spread of timings. Wherever a run
// leaves him on the galleries below the high gallery, he climbs back onto it at the size he has: one who
// jumped back up the hole still shrinking walked off the high gallery's end and stayed there at 1. Nor does
// anyone on scaler 5 in the upper room, shrinking from any size, get back up the hole; one of 4 dropping
// through it and turning back towards the door comes to it at 1; and no one on the galleries' roof gets over
// the wall at its left end onto the teeth beyond.
TEST_F(TowerPlayHeld, WithTheDoubleJumpNoOneGetsPastDoor12WithoutAPastSelfOnSwitch10)
{
    events[Event_DoubleJump] = GameEvent_HasHappened;
    MakeTower();
    using Keys = std::function<std::vector<int>(int)>;
    using Holds = std::vector<std::pair<std::string, Keys>>;
    Holds walking{{"walking left", [](int) { return std::vector<int>{Key_Left}; }}};
    Holds holds = walking;
    for (ShortcutRun::Jumps jumps : {ShortcutRun::Jumps::Once, ShortcutRun::Jumps::Twice, ShortcutRun::Jumps::AtTop})
        for (int walk = 0; walk < 40; walk += 4)
            holds.emplace_back(ShortcutRun::HoldName(Key_Left, jumps, walk),
                               [=](int i) { return ShortcutRun::HeldKeys(Key_Left, i, jumps, walk); });
    std::vector<std::string> through;
    std::vector<std::string> stranded;
    // On the galleries, from the corridor beyond door 0 up to the rise, he holds right with a jump now and
    // then until he stands on the high gallery, nothing on the way ending the climb.
    auto const climbsBack = [&](std::string const& from) {
        StepUntil([&] { return Hero().onGround; }, 200);
        Pointf const p = Pos();
        if (p.x < WingA_Door0X || p.x >= WingA_HighX0 || p.y < WingA_FloorY - 1.0 || p.y >= WingA_HighY)
            return;
        double const size = Hero().GetScale();
        events[Event_Socks] = GameEvent_HasHappened;
        bool up = false;
        for (int i = 0; i < 3000 && !up; i++)
        {
            Step(ShortcutRun::HeldKeys(Key_Right, i, ShortcutRun::Jumps::Once, 0));
            up = Hero().onGround && Pos().x > WingA_HighX0 && Pos().y >= WingA_HighY;
        }
        events[Event_Socks] = GameEvent_HasntHappened;
        if (!up)
            stranded.push_back(from + ": left at (" + std::to_string(p.x) + ", " + std::to_string(p.y) + ") at size "
                               + std::to_string(size) + ", held at (" + std::to_string(Pos().x) + ", "
                               + std::to_string(Pos().y) + ")");
    };
    // Starting as set() leaves him, he holds left each way for 300 steps; beyond the door at any step is
    // a failure. One who leaves the rooms by the gallery and dies there ends his run; the next starts in
    // the tower built again.
    auto const hold = [&](std::string const& from, std::function<void()> const& set, Holds const& ways) {
        for (auto const& [how, keys] : ways)
        {
            if (Hero().IsPlayerDead() != 0)
                MakeTower();
            set();
            bool passed = false;
            for (int i = 0; i < 300 && !passed && Step(keys(i)) == Level_Continue; i++)
            {
                Pointf const p = Pos();
                bool const beyond = p.x < WingA_Door12X && p.x > WingA_RoomsX0;
                passed = beyond && p.y > WingA_RoomsY - 1.0 && p.y < WingA_RoomsCeilingY;
                if (passed)
                    through.push_back(from + ", " + how + ": at (" + std::to_string(p.x) + ", " + std::to_string(p.y)
                                      + ") at size " + std::to_string(Hero().GetScale()) + ", step "
                                      + std::to_string(i));
            }
            if (!passed && Hero().IsPlayerDead() == 0)
                climbsBack(from + ", " + how);
        }
    };
    for (double x = WingA_Door12X + 50.0; x < WingA_LedgeX0; x += 15.0)
        hold(
            "at 1 from " + std::to_string(x), [&] { Place(x, WingA_UpperY, 1.0); }, holds);
    for (double x = WingA_DropX0 + 5.0; x < WingA_DropWallX; x += 15.0)
        hold(
            "at 4 dropping in from " + std::to_string(x),
            [&] {
                double const ledge = WingA_LedgeY + WingA_LedgeRise * (x - WingA_LedgeX0);
                Place(x, std::max(WingA_HighY, ledge) + 10.0, 4.0);
            },
            holds);
    // Over the plate, or after holding it down, along the high gallery and down its hole.
    for (int held : {0, 100, 250})
        hold(
            "at 4 from switch 10, held " + std::to_string(held) + " steps",
            [&] {
                Place(WingA_Plate10X - (held == 0 ? 60.0 : 0.0), WingA_HighY, 4.0);
                Steps(held);
                StepUntil([&] { return Pos().y < WingA_HighY - 60.0; }, 300, {Key_Right});
            },
            holds);
    // After holding it down, right along the high gallery jumping, down the hole and, still shrinking, up it
    // again.
    for (ShortcutRun::Jumps jumps : {ShortcutRun::Jumps::Once, ShortcutRun::Jumps::Twice, ShortcutRun::Jumps::AtTop})
        for (int walk = 0; walk < 40; walk += 2)
            hold(
                "at 4 from switch 10, held 100 steps, " + ShortcutRun::HoldName(Key_Right, jumps, walk) + " for 150",
                [&] {
                    Place(WingA_Plate10X + 5.0, WingA_HighY, 4.0);
                    Steps(100);
                    for (int i = 0; i < 150; i++)
                        Step(ShortcutRun::HeldKeys(Key_Right, i, jumps, walk));
                },
                walking);
    EXPECT_TRUE(stranded.empty()) << stranded.size() << " runs left on the galleries, the first: " << stranded.front();
    // Nor does anyone who stands on scaler 5, shrinking from any size, get back up the hole, holding right
    // towards it each way.
    std::vector<std::string> up;
    for (double size : {4.0, 2.0, 1.4, 1.0})
        for (ShortcutRun::Jumps jumps :
             {ShortcutRun::Jumps::Once, ShortcutRun::Jumps::Twice, ShortcutRun::Jumps::AtTop})
            for (int walk = 0; walk < 40; walk += 4)
            {
                Place(WingA_Scale1X + 20.0, WingA_UpperY, size);
                for (int i = 0; i < 200; i++)
                {
                    Step(ShortcutRun::HeldKeys(Key_Right, i, jumps, walk));
                    if (Pos().y > WingA_LedgeY && Pos().x < WingA_ChuteX0)
                    {
                        up.push_back("at " + std::to_string(size) + ", " + ShortcutRun::HoldName(Key_Right, jumps, walk)
                                     + ": at (" + std::to_string(Pos().x) + ", " + std::to_string(Pos().y)
                                     + ") at size " + std::to_string(Hero().GetScale()));
                        break;
                    }
                }
            }
    EXPECT_TRUE(up.empty()) << up.size() << " runs up the hole, the first: " << up.front();
    EXPECT_TRUE(through.empty()) << through.size() << " runs past the door, the first: " << through.front();

    // Whoever drops through the hole at 4 and turns back left towards the door, at once, while he slides off
    // the ledge or once he is down, from anywhere across the hole, lands where scaler 5 makes him 1: holding
    // left he came down short of a zone that began at the ledge's foot and walked up to the door still 4,
    // too tall for it when a past self opens it.
    std::vector<std::string> unshrunk;
    int landed = 0;
    for (double x = WingA_DropX0 + 1.0; x < WingA_DropWallX; x += 6.0)
        for (int late : {0, 3, 6, 10, 20, 40, 80})
        {
            if (late == 0)
                MakeTower(); // a tower for each place, whose clock runs out long after
            Place(WingA_DropX0 - 60.0, WingA_HighY, 4.0);
            StepUntil([&] { return Pos().x > x; }, 300, {Key_Right});
            Steps(late);
            WalkInto(Key_Left);
            if (Pos().y != WingA_UpperY)
                continue; // he came down on the high gallery's side of the hole
            ++landed;
            if (!GrowTo(1.0))
                unshrunk.push_back("into the hole at " + std::to_string(x) + ", turning left " + std::to_string(late)
                                   + " steps later: at (" + std::to_string(Pos().x) + ", " + std::to_string(Pos().y)
                                   + ") at size " + std::to_string(Hero().GetScale()));
        }
    EXPECT_GT(landed, 40) << "runs that came down into the upper room";
    EXPECT_TRUE(unshrunk.empty()) << unshrunk.size() << " runs at the door unshrunk, the first: " << unshrunk.front();

    // A rider of 1 who jumps off a car lands on the galleries' roof. From anywhere along it, holding right
    // with jumps at a spread of timings until he is past the high gallery's left end, then back left, he
    // never stands on the galleries nor the high gallery: he came down onto the high gallery, walked off
    // its end onto the galleries and stayed there, too small to be seen or to climb out. Holding right
    // again he comes down into the upper room, where he is seen.
    std::vector<std::string> down;
    events[Event_Socks] = GameEvent_HasHappened;
    for (double x : {WingA_LowCeilingX1 + 30.0, 4700.0, WingA_HighX0 - 20.0})
        for (ShortcutRun::Jumps jumps :
             {ShortcutRun::Jumps::Once, ShortcutRun::Jumps::Twice, ShortcutRun::Jumps::AtTop})
            for (int walk = 0; walk < 40; walk += 13)
            {
                std::string const how =
                    "from " + std::to_string(x) + " at 1, " + ShortcutRun::HoldName(Key_Right, jumps, walk);
                MakeTower(); // each run in a tower whose clock runs out long after
                Place(x, WingA_RoofY, 1.0);
                bool fell = false;
                auto const heldUntil = [&](int key, int steps, std::function<bool()> const& done) {
                    for (int i = 0; i < steps && !fell && !done(); i++)
                    {
                        Step(ShortcutRun::HeldKeys(key, i, jumps, walk));
                        Pointf const p = Pos();
                        fell = Hero().onGround && p.x >= WingA_Door0X && p.x < WingA_DropX0 && p.y > WingA_FloorY - 1.0
                               && p.y < WingA_CeilingY;
                        if (fell)
                            down.push_back(how + ", " + (key == Key_Left ? "then left" : "right") + ": on ("
                                           + std::to_string(p.x) + ", " + std::to_string(p.y) + ") at size "
                                           + std::to_string(Hero().GetScale()));
                    }
                };
                heldUntil(Key_Right, 1500, [&] { return Pos().x > WingA_HighX0 + 30.0; });
                heldUntil(Key_Left, 600, [] { return false; });
                heldUntil(Key_Right, 1500, [&] { return Pos().x > WingA_ChuteX0 + 5.0; });
                if (fell)
                    continue;
                StepUntil([&] { return Hero().onGround; }, 300);
                StepUntil([&] { return Hero().onGround && Pos().y == WingA_UpperY; }, 600, {Key_Left});
                Steps(100);
                EXPECT_EQ(Pos().y, WingA_UpperY) << how << ": held at (" << Pos().x << ", " << Pos().y << ")";
                EXPECT_GE(FrameCheck::PlayerBox(*world).Height(), FrameCheck_MinHeight) << how;
            }
    EXPECT_TRUE(down.empty()) << down.size() << " runs down onto the galleries, the first: " << down.front();

    // Nor does anyone on the roof, at 1 or at 4 (up the chute from the upper room), holding left with jumps at a
    // spread of timings, get over the wall at the low ceiling's end: beyond it the teeth over the low ceiling, in
    // a shaft walled up to the floors over it, out of every shot but the whole tower's, hold whoever falls onto
    // them for good. The roof is the only way towards them.
    std::vector<std::string> over;
    for (double size : {1.0, 4.0})
        for (double x : {WingA_LowCeilingX1 + 40.0 + 10.0 * size, 3800.0})
            for (ShortcutRun::Jumps jumps :
                 {ShortcutRun::Jumps::Once, ShortcutRun::Jumps::Twice, ShortcutRun::Jumps::AtTop})
                for (int walk = 0; walk < 40; walk += 5)
                {
                    MakeTower();
                    Place(x, WingA_RoofY, size);
                    for (int i = 0; i < 500; i++)
                    {
                        Step(ShortcutRun::HeldKeys(Key_Left, i, jumps, walk));
                        if (Pos().x < WingA_LowCeilingX1 && Pos().y > WingA_LowCeilingY)
                        {
                            over.push_back("from " + std::to_string(x) + " at " + std::to_string(size) + ", "
                                           + ShortcutRun::HoldName(Key_Left, jumps, walk) + ": at ("
                                           + std::to_string(Pos().x) + ", " + std::to_string(Pos().y) + ")");
                            break;
                        }
                    }
                }
    EXPECT_TRUE(over.empty()) << over.size() << " runs over the wall towards the teeth, the first: " << over.front();
}

// A rider of 1 who turns back on the porch, however he holds left and jumps, one who steps off his car late
// or not at all, and one who jumps off a car anywhere over the catch floor, the pit and the porch, lands where
// he is seen, and holding right from there walks onto the exit floor. Off the porch's face, or riding his car
// on down past it, he fell out of every shot onto the first wing's roof, from which the only way on led into
// the upper room behind door 12; from the catch floor's right end a wall kept him from the pit. Spread timings
// here; HM_FULL_HOLDS=1 tries every one.
TEST_F(TowerPlayHeld, ARiderWhoTurnsBackStepsOffLateOrJumpsOffACarLandsInViewAndWalksOnToTheExitFloor)
{
    events[Event_DoubleJump] = GameEvent_HasHappened;
    events[Event_Socks] = GameEvent_HasHappened; // the lava on the catch floor does not end a run
    bool const all = std::getenv("HM_FULL_HOLDS") != nullptr;
    using Keys = std::function<std::vector<int>(int)>;
    std::vector<std::string> lost;
    // Stands him on the car that is the given number of ticks into its route, in a tower built for the run,
    // put there a while before, so that the camera has come to his shot.
    auto const onCar = [&](Tick route) {
        constexpr Tick settle = FrameCheck_Settle;
        MakeTower();
        auto const at = [&](unsigned int car) {
            return (Now() + Tower_MapMoveGroup::CarPhase(Tower_GroupId(car))) % Transport_TotalTime;
        };
        ASSERT_TRUE(StepUntil(
            [&] {
                for (unsigned int car = Tower_Group_FirstCar; car <= Tower_Group_LastCar; car++)
                    if (at(car) == route - settle - 1)
                        return true;
                return false;
            },
            Transport_TotalTime / 8 + 2));
        double x = 0.0;
        double y = 0.0;
        Tower_MapMoveGroup::TransportPos(route - settle, x, y);
        Place(WingB_CarX + x, WingB_CarY + WingB_CarHeight + y, 1.0);
        Steps(settle - 1);
    };
    // Plays the keys for the steps given, then holds right until he is off the porch's far edge over the exit
    // floor. Out of the frame or under 12 px tall he may be only for the few steps of a change of shot, or of
    // passing the edge of one.
    auto const run = [&](std::string const& how, Keys const& keys, int steps) {
        int unseen = 0;
        int longest = 0;
        bool there = false;
        for (int i = 0; i < steps + 2000 && !there; i++)
        {
            Step(i < steps ? keys(i) : std::vector<int>{Key_Right});
            FrameCheck_Box const box = FrameCheck::PlayerBox(*world);
            bool const seen = box.Inside(LevelFrame::Width, LevelFrame::Height) && box.Height() >= FrameCheck_MinHeight;
            unseen = seen ? 0 : unseen + 1;
            longest = std::max(longest, unseen);
            there = Pos().x > WingB_ExitFloorX0 && Pos().y < WingB_ExitPorchY;
        }
        if (!there || longest > Held_Unseen)
            lost.push_back(how + ": at (" + std::to_string(Pos().x) + ", " + std::to_string(Pos().y) + "), unseen for "
                           + std::to_string(longest) + " steps on end");
    };
    // Left with the jump held, or jumping once, twice or again at the top after a walk.
    std::vector<std::pair<std::string, std::function<Keys(int)>>> lefts{
        {"jump held", [](int) -> Keys { return [](int) {
                                            return std::vector<int>{Key_Left, Key_Jump};
                                        }; }}};
    for (ShortcutRun::Jumps jumps : {ShortcutRun::Jumps::Once, ShortcutRun::Jumps::Twice, ShortcutRun::Jumps::AtTop})
        lefts.emplace_back(ShortcutRun::JumpsName(jumps), [jumps](int walk) -> Keys {
            return [=](int i) { return ShortcutRun::HeldKeys(Key_Left, i, jumps, walk); };
        });

    // As the road does, he sets out for the car's end as its top comes down to 60 over the porch, and turns
    // back left after a while: before he has landed on the porch, as he lands, or standing on it.
    constexpr Tick setOut = 6607 + 123;
    for (int turn = 0; turn < 70; turn += all ? 1 : 7)
        for (auto const& [name, left] : lefts)
        {
            int const walk = (turn * 13) % 40;
            Keys const back = left(walk);
            std::string const how = "turning back after " + std::to_string(turn) + " steps, " + name;
            onCar(setOut);
            run(
                how, [&](int i) { return i < turn ? std::vector<int>{Key_Right} : back(i - turn); }, turn + 300);
        }
    // He sets out late, riding the car on down, or stays on it; or holds left as he rides it down.
    for (int late : {6, 10, 20, 40, 80, 140, 400})
    {
        std::string const when = std::to_string(late) + " steps late";
        onCar(setOut);
        run(
            "setting out " + when, [](int) { return std::vector<int>{}; }, late);
        onCar(setOut);
        Keys const left = [=](int i) { return i < late ? std::vector<int>{} : std::vector<int>{Key_Left}; };
        run("holding left from " + when, left, late + 300);
    }
    // He jumps off either way, from where the route comes down over the catch floor to the foot of its turn
    // down beside the porch.
    for (Tick route = 5020; route < 6780; route += all ? 20 : 130)
        for (int key : {Key_Left, Key_Right})
            for (ShortcutRun::Jumps jumps :
                 {ShortcutRun::Jumps::Once, ShortcutRun::Jumps::Twice, ShortcutRun::Jumps::AtTop})
            {
                int const walk = (route / 10) % 40;
                std::string const how = "jumping off " + std::to_string(route) + " ticks into the route, "
                                        + ShortcutRun::HoldName(key, jumps, walk);
                onCar(route);
                run(
                    how, [=](int i) { return ShortcutRun::HeldKeys(key, i, jumps, walk); }, 300);
            }
    EXPECT_TRUE(lost.empty()) << lost.size() << " riders lost, the first: " << lost.front();

    // The same walking on without a jump.
    GrowsAndWalksOffTheExitFloorInView(false);
}
