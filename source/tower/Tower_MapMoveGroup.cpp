// Tower_MapMoveGroup: the sliding and swinging platforms, the transporter's route and carrying the player.
#include "tower/Tower_MapMoveGroup.h"

#include "engine/Map.h"
#include "engine/Player.h"
#include "util/Util.h"

#include <cmath>

namespace
{

constexpr double Swing_Centre = 0.78539816339745; // radians: the middle of the swing's arc

enum Transport_Shape : int
{
    Transport_Straight = 0,
    Transport_Quarter = 1, // a quarter turn
    Transport_Half = 2,    // a half turn
};

// A straight leg runs along (ax, ay). A curved leg of radius r at angle a into its turn is at
// (r (ax sin a + bx (1 - cos a)), r (ay sin a + by (1 - cos a))) from where it began.
struct Transport_Leg
{
    Tick time;   // ticks on the leg: its length or arc over the speed, truncated
    double dist; // length of a straight leg, radius of a curved one
    Transport_Shape shape;
    double ax;
    double bx;
    double ay;
    double by;
};

constexpr Transport_Leg Transport_Legs[Transport_LegCount] = {
    {200, 300.0, Transport_Straight, 0.0, 0.0, 1.0, 0.0},    // up
    {104, 100.0, Transport_Quarter, 0.0, -1.0, 1.0, 0.0},    // up to left
    {1133, 1700.0, Transport_Straight, -1.0, 0.0, 0.0, 0.0}, // left
    {157, 150.0, Transport_Quarter, -1.0, 0.0, 0.0, 1.0},    // left to up
    {626, 940.0, Transport_Straight, 0.0, 0.0, 1.0, 0.0},    // up
    {104, 100.0, Transport_Quarter, 0.0, 1.0, 1.0, 0.0},     // up to right
    {2466, 3700.0, Transport_Straight, 1.0, 0.0, 0.0, 0.0},  // right
    {104, 100.0, Transport_Quarter, 1.0, 0.0, 0.0, -1.0},    // right to down
    {157, 150.0, Transport_Quarter, 0.0, 1.0, -1.0, 0.0},    // down to right
    {433, 650.0, Transport_Straight, 1.0, 0.0, 0.0, 0.0},    // right
    {314, 150.0, Transport_Half, 1.0, 0.0, 0.0, 1.0},        // over the top, right to left
    {209, 100.0, Transport_Half, -1.0, 0.0, 0.0, -1.0},      // under, left to right
    {600, 900.0, Transport_Straight, 1.0, 0.0, 0.0, 0.0},    // right
    {157, 150.0, Transport_Quarter, 1.0, 0.0, 0.0, -1.0},    // right to down
    {100, 150.0, Transport_Straight, 0.0, 0.0, -1.0, 0.0},   // down
    {104, 100.0, Transport_Quarter, 0.0, -1.0, -1.0, 0.0},   // down to left
    {200, 300.0, Transport_Straight, -1.0, 0.0, 0.0, 0.0},   // left
    {209, 100.0, Transport_Half, -1.0, 0.0, 0.0, 1.0},       // over the top, left to right
    {206, 310.0, Transport_Straight, 1.0, 0.0, 0.0, 0.0},    // right
    {104, 100.0, Transport_Quarter, 1.0, 0.0, 0.0, -1.0},    // right to down
    {125, 120.0, Transport_Quarter, 0.0, 1.0, -1.0, 0.0},    // down to right
    {157, 150.0, Transport_Quarter, 1.0, 0.0, 0.0, -1.0},    // right to down
};

constexpr Tick RouteTime()
{
    Tick total = 0;
    for (Transport_Leg const& leg : Transport_Legs)
        total += leg.time;
    return total;
}
static_assert(RouteTime() == Transport_TotalTime);

// Where the leg has taken a car u ticks into it. A straight leg stops 1.5 short of its end on
// its last tick, and the curves short of their last angle: the whole leg is added only after it.
void LegPos(Transport_Leg const& leg, double u, double& x, double& y)
{
    if (leg.shape == Transport_Straight)
    {
        x = leg.ax * Transport_Speed * u;
        y = leg.ay * Transport_Speed * u;
        return;
    }
    double const turn = leg.shape == Transport_Quarter ? Util::QuarterTurn : Util::HalfTurn;
    double const a = u * turn / double(leg.time);
    double const s = std::sin(a);
    double const c = 1.0 - std::cos(a);
    x = leg.dist * (leg.ax * s + leg.bx * c);
    y = leg.dist * (leg.ay * s + leg.by * c);
}

void LegEnd(Transport_Leg const& leg, double& x, double& y)
{
    switch (leg.shape)
    {
    case Transport_Straight:
        x = leg.ax * leg.dist;
        y = leg.ay * leg.dist;
        break;
    case Transport_Quarter:
        x = leg.dist * (leg.ax + leg.bx);
        y = leg.dist * (leg.ay + leg.by);
        break;
    case Transport_Half:
        x = 2.0 * leg.dist * leg.bx;
        y = 2.0 * leg.dist * leg.by;
        break;
    }
}

} // namespace

Tower_MapMoveGroup::Tower_MapMoveGroup(Tower_GroupId groupId)
{
    group = groupId;
}

void Tower_MapMoveGroup::TransportPos(Tick t, double& offsetX, double& offsetY)
{
    Tick r = t % Transport_TotalTime;
    if (r < 0)
        r += Transport_TotalTime;
    offsetX = 0.0;
    offsetY = 0.0;
    for (Transport_Leg const& leg : Transport_Legs)
    {
        double dx = 0.0;
        double dy = 0.0;
        if (r < leg.time)
        {
            LegPos(leg, double(r), dx, dy);
            offsetX += dx;
            offsetY += dy;
            return;
        }
        LegEnd(leg, dx, dy);
        offsetX += dx;
        offsetY += dy;
        r -= leg.time;
    }
}

Tick Tower_MapMoveGroup::CarPhase(Tower_GroupId groupId)
{
    return Tick(groupId) * Transport_TotalTime / Transport_CarCount;
}

bool Tower_MapMoveGroup::Offset(Tick t, double& offsetX, double& offsetY) const
{
    double const at = double(t);
    switch (group)
    {
    case Tower_Group_OverSpikes:
        offsetX = OverSpikes_Dist * std::sin(at / 80.0);
        offsetY = 0.0;
        return true;
    case Tower_Group_Swing:
    {
        double const a = Util::HalfTurn * std::sin(at / 30.0) / 4.0 + Swing_Centre;
        offsetX = -Swing_Dist * std::sin(a);
        offsetY = -Swing_Dist * std::cos(a);
        return true;
    }
    case Tower_Group_OverSpikes2:
        offsetX = OverSpikes2_Dist * std::sin(at / 50.0);
        offsetY = 0.0;
        return true;
    default:
        if (group >= Tower_Group_FirstCar && group <= Tower_Group_LastCar)
        {
            TransportPos(t + CarPhase(group), offsetX, offsetY);
            return true;
        }
        return false;
    }
}

void Tower_MapMoveGroup::Move(Map* map, Tick t, Player* player)
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
