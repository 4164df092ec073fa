// Black_MapMoveGroup: the looping lift track, the bobbing and swinging platforms, and carrying the player.
#include "black/Black_MapMoveGroup.h"

#include "engine/Map.h"
#include "engine/Player.h"
#include "util/Util.h"

#include <cmath>

namespace
{
// The lift track. The engine's lifts have a speed of their own, so these stay here.
constexpr double Lift_Speed = 1.5; // units per tick
constexpr double Lift_Accel = 0.02;
constexpr double Lift_Decel = 0.02;
constexpr Tick Lift_TotalTime = 5123;
constexpr double Lift_Dist00 = 140.0; // radius of the half circle over the top
constexpr Tick Lift_Time00 = 293;
constexpr double Lift_Dist01 = 600.0;
constexpr Tick Lift_Time01 = 400;
constexpr double Lift_Dist02 = 200.0;
constexpr Tick Lift_Time02 = 209;
constexpr double Lift_Dist03 = 1500.0;
constexpr Tick Lift_Time03 = 1000;
constexpr double Lift_Dist04 = 150.0;
constexpr Tick Lift_Time04 = 157;
constexpr double Lift_Dist05 = 800.0;
constexpr Tick Lift_Time05 = 533;
constexpr double Lift_Dist06 = 100.0;
constexpr Tick Lift_Time06 = 104;
constexpr double Lift_Dist07 = 1300.0;
constexpr Tick Lift_Time07 = 866;
constexpr double Lift_Dist08 = 150.0;
constexpr Tick Lift_Time08 = 157;
constexpr double Lift_Dist09 = 450.0;
constexpr Tick Lift_Time09 = 300;
constexpr double Lift_Dist10 = 56.25; // Lift_Speed^2 / (2 Lift_Decel): stopping from full speed
constexpr Tick Lift_Time10 = 75;      // Lift_Speed / Lift_Decel
constexpr Tick Lift_Time11 = 450;     // a wait at the top
constexpr double Lift_Dist12 = 56.25; // Lift_Speed^2 / (2 Lift_Accel): reaching full speed
constexpr Tick Lift_Time12 = 75;
constexpr double Lift_Dist13 = 600.0;
constexpr Tick Lift_Time13 = 400;
constexpr double Lift_Dist14 = 100.0;
constexpr Tick Lift_Time14 = 104;

static_assert(Lift_Time00 + Lift_Time01 + Lift_Time02 + Lift_Time03 + Lift_Time04 + Lift_Time05 + Lift_Time06
                      + Lift_Time07 + Lift_Time08 + Lift_Time09 + Lift_Time10 + Lift_Time11 + Lift_Time12 + Lift_Time13
                      + Lift_Time14
                  == Lift_TotalTime,
              "the segments fill the track's period");

constexpr double Pi = Util::HalfTurn;
constexpr double HalfPi = Util::QuarterTurn;

// One stretch of the track: its ticks and where it ends up from where it begins. The whole
// displacements are the named distances, not speed times ticks, so that the next stretch starts
// exactly where it should.
struct Lift_Segment
{
    Tick time;
    double x;
    double y;
};

constexpr Lift_Segment Lift_Segments[] = {
    {Lift_Time00, 2.0 * Lift_Dist00, 0.0},    {Lift_Time01, 0.0, -Lift_Dist01},
    {Lift_Time02, Lift_Dist02, -Lift_Dist02}, {Lift_Time03, Lift_Dist03, 0.0},
    {Lift_Time04, Lift_Dist04, -Lift_Dist04}, {Lift_Time05, 0.0, -Lift_Dist05},
    {Lift_Time06, Lift_Dist06, -Lift_Dist06}, {Lift_Time07, Lift_Dist07, 0.0},
    {Lift_Time08, Lift_Dist08, Lift_Dist08},  {Lift_Time09, 0.0, Lift_Dist09},
    {Lift_Time10, 0.0, Lift_Dist10},          {Lift_Time11, 0.0, 0.0},
    {Lift_Time12, Lift_Dist12, 0.0},          {Lift_Time13, Lift_Dist13, 0.0},
    {Lift_Time14, Lift_Dist14, -Lift_Dist14},
};

// How far into stretch seg a lift is after p of its ticks.
void Partial(int seg, double p, double& x, double& y)
{
    switch (seg)
    {
    case 0:
    { // half a circle over the top
        double const a = p * Pi / double(Lift_Time00);
        x = Lift_Dist00 - Lift_Dist00 * std::cos(a);
        y = Lift_Dist00 * std::sin(a);
        return;
    }
    case 1:
    case 5: // down
        x = 0.0;
        y = -Lift_Speed * p;
        return;
    case 2:
    { // from heading down to heading right
        double const a = p * HalfPi / double(Lift_Time02);
        x = Lift_Dist02 - Lift_Dist02 * std::cos(a);
        y = -Lift_Dist02 * std::sin(a);
        return;
    }
    case 3:
    case 7:
    case 13: // right
        x = Lift_Speed * p;
        y = 0.0;
        return;
    case 4:
    case 14:
    { // from heading right to heading down
        double const r = seg == 4 ? Lift_Dist04 : Lift_Dist14;
        double const a = p * HalfPi / double(seg == 4 ? Lift_Time04 : Lift_Time14);
        x = r * std::sin(a);
        y = r * std::cos(a) - r;
        return;
    }
    case 6:
    { // from heading down to heading right
        double const a = p * HalfPi / double(Lift_Time06);
        x = Lift_Dist06 - Lift_Dist06 * std::cos(a);
        y = -Lift_Dist06 * std::sin(a);
        return;
    }
    case 8:
    { // from heading right to heading up
        double const a = p * HalfPi / double(Lift_Time08);
        x = Lift_Dist08 * std::sin(a);
        y = Lift_Dist08 - Lift_Dist08 * std::cos(a);
        return;
    }
    case 9: // up
        x = 0.0;
        y = Lift_Speed * p;
        return;
    case 10: // up, slowing to a stop
        x = 0.0;
        y = Lift_Speed * p - Lift_Decel / 2.0 * p * p;
        return;
    case 12: // right, speeding up from rest
        x = Lift_Accel / 2.0 * p * p;
        y = 0.0;
        return;
    default: // waiting
        x = 0.0;
        y = 0.0;
        return;
    }
}
} // namespace

Black_MapMoveGroup::Black_MapMoveGroup(Black_GroupId groupId)
{
    group = groupId;
}

void Black_MapMoveGroup::LiftPos(Tick t, double& liftX, double& liftY)
{
    Tick p = t % Lift_TotalTime;
    if (p < 0)
        p += Lift_TotalTime;
    liftX = 0.0;
    liftY = 0.0;
    int seg = 0;
    for (; p >= Lift_Segments[seg].time; seg++)
    {
        liftX += Lift_Segments[seg].x;
        liftY += Lift_Segments[seg].y;
        p -= Lift_Segments[seg].time;
    }
    double dx = 0.0;
    double dy = 0.0;
    Partial(seg, double(p), dx, dy);
    liftX += dx;
    liftY += dy;
}

bool Black_MapMoveGroup::Offset(Tick t, double& offsetX, double& offsetY) const
{
    double const tick = double(t);
    offsetX = 0.0;
    offsetY = 0.0;
    if (group >= Black_Group_FirstLift && group <= Black_Group_LastLift)
    {
        LiftPos(Tick(group) * Black_Lift_Spacing + t, offsetX, offsetY);
        return true;
    }
    switch (group)
    {
    case Black_Group_Bob:
        offsetY = Black_Bob_Reach * std::sin(tick / 50.0);
        return true;
    case Black_Group_SwingA:
    case Black_Group_SwingB:
        offsetX = Black_Swing_Reach * std::sin(tick / 57.0);
        return true;
    case Black_Group_DeepBob:
        offsetY = Black_DeepBob_Reach * std::sin(tick / -57.0);
        return true;
    case Black_Group_FirstShallowBob:
    case Black_Group_FirstShallowBob + 2:
        offsetY = Black_ShallowBob_Reach * std::sin(tick / 62.0);
        return true;
    case Black_Group_FirstShallowBob + 1:
    case Black_Group_FirstShallowBob + 3:
        offsetY = Black_ShallowBob_Reach * std::sin(tick / -62.0);
        return true;
    default:
        return false;
    }
}

void Black_MapMoveGroup::Move(Map* map, Tick t, Player* player)
{
    double newX = 0.0;
    double newY = 0.0;
    if (!Offset(t, newX, newY))
        return;
    map->MoveGroup(group, newX, newY);
    if (player != nullptr)
        player->GroupMoving(group, newX - x, newY - y);
    x = newX;
    y = newY;
}
