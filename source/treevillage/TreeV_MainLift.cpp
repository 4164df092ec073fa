// TreeV_MainLift: the route of the ride, the offset for a tick and the record of blocked ticks.
#include "treevillage/TreeV_MainLift.h"

#include "engine/Map.h"
#include "engine/TimeSet.h"
#include "media/Image.h"
#include "treevillage/TreeV_LiftSwitch.h"
#include "util/Util.h"

#include <cassert>
#include <cmath>

Image* TreeV_MainLift::image = nullptr;

namespace
{
constexpr unsigned int MainLift_AreaA = 49;
constexpr unsigned int MainLift_AreaB = 50;
constexpr unsigned int MainLift_Switch0 = 48;
constexpr unsigned int MainLift_Switch1 = 52;

constexpr int Lift_01_Dist = 450;
constexpr int Lift_01_Time = 112;
constexpr int Lift_02_Dist = 200;
constexpr int Lift_02_Time = 78;
constexpr int Lift_03_Dist = 280;
constexpr int Lift_03_Time = 70;
constexpr int Lift_04_Dist = 200;
constexpr int Lift_04_Time = 78;
constexpr int Lift_05_Dist = 950;
constexpr int Lift_05_Time = 237;
constexpr int Lift_06_Dist = 180;
constexpr int Lift_06_Time = 70;
constexpr int Lift_07_Dist = 600;
constexpr int Lift_07_Time = 150;
constexpr int Lift_08_Dist = 100;
constexpr int Lift_08_Time = 39;
constexpr int Lift_09_Dist = 100;
constexpr int Lift_09_Time = 25;
constexpr int Lift_10_Dist = 150;
constexpr int Lift_10_Time = 58;
constexpr int Lift_11_Dist = 605;
constexpr int Lift_11_Time = 151;

// A straight leg runs along enter (enter == leave); a quarter circle of radius dist starts along
// enter and ends along leave. Directions are unit steps.
struct Lift_Leg
{
    int dist;
    int time;
    int enterX;
    int enterY;
    int leaveX;
    int leaveY;
};

constexpr Lift_Leg Lift_Legs[] = {
    {Lift_01_Dist, Lift_01_Time, 0, 1, 0, 1},   // up
    {Lift_02_Dist, Lift_02_Time, 0, 1, -1, 0},  // up turning left
    {Lift_03_Dist, Lift_03_Time, -1, 0, -1, 0}, // left
    {Lift_04_Dist, Lift_04_Time, -1, 0, 0, 1},  // left turning up
    {Lift_05_Dist, Lift_05_Time, 0, 1, 0, 1},   // up
    {Lift_06_Dist, Lift_06_Time, 0, 1, 1, 0},   // up turning right
    {Lift_07_Dist, Lift_07_Time, 1, 0, 1, 0},   // right
    {Lift_08_Dist, Lift_08_Time, 1, 0, 0, 1},   // right turning up
    {Lift_09_Dist, Lift_09_Time, 0, 1, 0, 1},   // up
    {Lift_10_Dist, Lift_10_Time, 0, 1, 1, 0},   // up turning right
    {Lift_11_Dist, Lift_11_Time, 1, 0, 1, 0},   // right
};

} // namespace

TreeV_MainLift::TreeV_MainLift(Map* map, bool liftWorking)
    : Object(), MapMoveObject(), moves(1), area(nullptr), blocked(nullptr), switch0(nullptr), switch1(nullptr),
      working(liftWorking)
{
    // Everything the lift reads from the map first: a constructor that throws runs no destructor,
    // so nothing may be built yet.
    map->RequireGroup(TreeV_MainLift_Group);
    Pointf const a = map->GetRefPoint(MainLift_AreaA);
    Pointf const b = map->GetRefPoint(MainLift_AreaB);
    map->GetRefPoint(MainLift_Switch0);
    map->GetRefPoint(MainLift_Switch1);
    moves[0].kind = MoveObject_Translate;
    moves[0].group = TreeV_MainLift_Group;
    blocked = new TimeSet();
    area = new Rectf(&a, &b);
    // The whole route: 680 left at most, 955 right and 2330 up, with a little to spare.
    Rectf const cover(-720.0, 0.0, 960.0, 2340.0);
    map->SetGroupCover(TreeV_MainLift_Group, &cover);
    switch0 = new TreeV_LiftSwitch(map, MainLift_Switch0, blocked, working);
    switch1 = new TreeV_LiftSwitch(map, MainLift_Switch1, blocked, working);
}

TreeV_MainLift::~TreeV_MainLift()
{
    delete switch0;
    delete switch1;
    delete area;
    blocked->Destroy();
}

void TreeV_MainLift::Initialise()
{
    assert(image == NULL);
    image = new Image("gfx/general/target.png", 0, false);
}

void TreeV_MainLift::Finalise()
{
    delete image;
    image = nullptr;
}

void TreeV_MainLift::SetEnable(bool enable)
{
    working = enable;
    switch0->SetEnable(enable);
    switch1->SetEnable(enable);
}

TreeV_LiftSwitch* TreeV_MainLift::GetSwitch(int i)
{
    return i == 0 ? switch0 : switch1;
}

void TreeV_MainLift::PlayerAtPos(Tick t, Pointf const* playerPos)
{
    if (area->Contains(playerPos))
        blocked->Add(t);
}

Tick TreeV_MainLift::LatestHit(Tick t, bool& ride) const
{
    bool ride0 = false;
    bool ride1 = false;
    Tick const h0 = switch0->FindClosestHit(t, &ride0);
    Tick const h1 = switch1->FindClosestHit(t, &ride1);
    ride = h1 > h0 ? ride1 : ride0;
    return h1 > h0 ? h1 : h0;
}

Pointf TreeV_MainLift::RidePos(Tick t) const
{
    bool ride = false;
    Tick const h = LatestHit(t, ride);
    Pointf at(0.0, 0.0);
    if (h == -1 || !ride || t - h >= MainLift_RideTime)
        return at;
    int const d = int(t - h);
    GetSequencePos(d < MainLift_TotalTime + Lift_Wait_Time ? d : MainLift_RideTime - d, at.x, at.y);
    return at;
}

int TreeV_MainLift::ShakeStep(Tick t) const
{
    bool ride = false;
    Tick const h = LatestHit(t, ride);
    if (h == -1 || ride || t - h >= MainLift_BrokenTime)
        return 0;
    return int(t - h);
}

void TreeV_MainLift::MoveMapGroup(Map const*, Tick t, FlatList<MoveObject>** orders)
{
    Pointf at = RidePos(t);
    if (ShakeStep(t) > 0)
        at = Pointf(MainLift_Shake * Util::Ran(), MainLift_Shake * Util::Ran());
    moves[0].newX = at.x;
    moves[0].newY = at.y;
    *orders = &moves;
}

void TreeV_MainLift::GetSequencePos(int d, double& x, double& y)
{
    x = 0.0;
    y = 0.0;
    int e = d;
    for (Lift_Leg const& leg : Lift_Legs)
    {
        bool const straight = leg.enterX == leg.leaveX && leg.enterY == leg.leaveY;
        if (e >= leg.time)
        {
            // The whole leg, exactly, so that no rounding builds up along the route.
            x += leg.dist * (straight ? leg.enterX : leg.enterX + leg.leaveX);
            y += leg.dist * (straight ? leg.enterY : leg.enterY + leg.leaveY);
            e -= leg.time;
            continue;
        }
        if (straight)
        {
            // Whole units only, as the route's straight runs step.
            double const run = (e * leg.dist) / leg.time;
            x += run * leg.enterX;
            y += run * leg.enterY;
        }
        else
        {
            double const a = e * Util::QuarterTurn / leg.time;
            double const along = leg.dist * std::sin(a);
            double const across = leg.dist - leg.dist * std::cos(a);
            x += along * leg.enterX + across * leg.leaveX;
            y += along * leg.enterY + across * leg.leaveY;
        }
        return;
    }
}
