// TreeV_MapMoveGroup: the motions of the village's moving groups and carrying the player on them.
#include "treevillage/TreeV_MapMoveGroup.h"

#include "engine/Map.h"
#include "engine/Player.h"
#include "util/Pointf.h"
#include "util/Util.h"

#include <cmath>

namespace
{
constexpr double P = Util::QuarterTurn;
constexpr double Q = Util::HalfTurn;
constexpr double R = 0.78539816339745;

// Rotation centres, by reference point.
constexpr unsigned int Wheel12_Centre = 4;
constexpr unsigned int Wheel38_Centre = 5;
constexpr unsigned int Beam2_Centre = 7;
constexpr unsigned int Beam39_Centre = 8;
constexpr unsigned int Flipper_Centre = 61;

// p steps of a half-cosine ease from 0 to dist over `steps` steps.
double Ease(int p, int steps, double dist)
{
    double const half = dist / 2.0;
    return half - half * std::sin(p * Q / steps + P);
}

// Up 400 and back, with pauses: the village lift of group 26; group 34 runs it mirrored.
double VillageLift(Tick t)
{
    int const p = int(t % TreeV_VillageLift_Period);
    if (p < 100)
        return 200.0 - 200.0 * std::sin(p * Q / 100 + P);
    if (p < 150)
        return 400.0;
    if (p < 250)
        return 400.0 - (200.0 - 200.0 * std::sin((p - 150) * Q / 100 + P));
    return 0.0;
}

double Flipper(Tick t)
{
    int const p = int(t % TreeV_Flipper_Period);
    if (p < 50)
        return P - Q * std::cos(p * P / 50);
    if (p < 70)
        return P;
    if (p < 120)
        return -P + Q * std::cos((p - 70) * P / 50);
    return -P;
}

// A plate dips 20 for the 20 steps from `from` on, as the flipper lands on it.
double Dip(Tick t, int from)
{
    int const p = int(t % TreeV_Flipper_Period);
    if (p > from && p < from + 20)
        return -20.0 * std::sin((p - from) * Q / 20);
    return 0.0;
}
} // namespace

TreeV_MapMoveGroup::TreeV_MapMoveGroup(TreeV_GroupId groupId)
{
    group = groupId;
}

double TreeV_MapMoveGroup::Housing_Lift_Fn(Tick t)
{
    int const p = int(t % TreeV_HousingLift_Period);
    if (p < 100)
        return Ease(p, Housing_Lift1_Del, Housing_Lift1_UpDist);
    if (p < 180)
        return Housing_Lift1_UpDist;
    if (p < 280)
        return Housing_Lift1_UpDist - Ease(p - 180, Housing_Lift1_Del, Housing_Lift1_UpDist);
    if (p < 360)
        return 0.0;
    if (p < 460)
        return -Ease(p - 360, Housing_Lift1_Del, Housing_Lift1_DownDist);
    if (p < 540)
        return -Housing_Lift1_DownDist;
    if (p < 640)
        return Ease(p - 540, Housing_Lift1_Del, Housing_Lift1_DownDist) - Housing_Lift1_DownDist;
    return 0.0;
}

TreeV_Motion TreeV_MapMoveGroup::Motion(Map const* map, Tick t, double& value, Pointf& centre) const
{
    double const tick = double(t);
    switch (group)
    {
    case 1:
        value = 150.0 * std::sin(tick / 43.4);
        return TreeV_Motion_Move;
    case 35:
    case 36:
        value = 65.0 * std::sin(tick / 36.2);
        return TreeV_Motion_Move;
    case 37:
        value = 200.0 * std::sin(tick / 39);
        return TreeV_Motion_Move;
    case 2:
        centre = map->GetRefPoint(Beam2_Centre);
        value = R * std::sin(tick / 100);
        return TreeV_Motion_Turn;
    case 39:
        centre = map->GetRefPoint(Beam39_Centre);
        value = R * std::sin(tick / 100 + Q);
        return TreeV_Motion_Turn;
    case 12:
        centre = map->GetRefPoint(Wheel12_Centre);
        value = tick / 50;
        return TreeV_Motion_Turn;
    case 38:
        centre = map->GetRefPoint(Wheel38_Centre);
        value = tick / -50;
        return TreeV_Motion_Turn;
    case 22:
        value = Housing_Lift_Fn(t);
        return TreeV_Motion_Move;
    case 26:
        value = VillageLift(t);
        return TreeV_Motion_Move;
    case 34:
        value = -VillageLift(t);
        return TreeV_Motion_Move;
    case 28:
        centre = map->GetRefPoint(Flipper_Centre);
        value = Flipper(t);
        return TreeV_Motion_Turn;
    case 29:
        value = Dip(t, 120);
        return TreeV_Motion_Move;
    case 30:
        value = Dip(t, 50);
        return TreeV_Motion_Move;
    default:
        return TreeV_Motion_None;
    }
}

void TreeV_MapMoveGroup::Move(Map* map, Tick t, Player* player)
{
    double value = 0.0;
    Pointf centre(0.0, 0.0);
    TreeV_Motion const motion = Motion(map, t, value, centre);
    if (motion == TreeV_Motion_Turn)
    {
        map->RotateGroup(group, &centre, value);
        if (player != nullptr)
            player->GroupRotating(group, &centre, value - angle);
        angle = value;
        return;
    }
    if (motion == TreeV_Motion_None)
        return;
    map->MoveGroup(group, 0.0, value);
    if (player != nullptr)
        player->GroupMoving(group, 0.0, value - y);
    y = value;
}
