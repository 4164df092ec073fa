// Plato_MapMove: the lift's motion and cover.
#include "plateau/Plato_MapMove.h"

#include "engine/Map.h"
#include "engine/Player.h"
#include "util/Util.h"

#include <cmath>

Plato_MapMoveGroup::Plato_MapMoveGroup(Plato_GroupId groupId)
{
    group = groupId;
}

double Plato_MapMoveGroup::LiftHeight(Tick t)
{
    constexpr double half = Mine_Lift_Dist / 2.0;
    int k = static_cast<int>(t % Mine_Lift_Period);
    if (k < 0)
        k += Mine_Lift_Period;
    if (k < Mine_Lift_Del)
        return -half + half * std::sin(k * Util::HalfTurn / Mine_Lift_Del + Util::QuarterTurn);
    if (k < Mine_Lift_Del + Mine_Lift_Wait)
        return -Mine_Lift_Dist;
    if (k < 2 * Mine_Lift_Del + Mine_Lift_Wait)
    {
        int const p = k - Mine_Lift_Del - Mine_Lift_Wait;
        return half - half * std::sin(p * Util::HalfTurn / Mine_Lift_Del + Util::QuarterTurn) - Mine_Lift_Dist;
    }
    return 0.0;
}

void Plato_MapMoveGroup::Move(Map* map, Tick t, Player* player)
{
    if (group != Plato_MineLift)
        return;
    double const value = LiftHeight(t);
    map->MoveGroup(group, 0.0, value);
    if (player != nullptr)
        player->GroupMoving(group, 0.0 - x, value - y);
    x = 0.0;
    y = value;
}

Plato_MapMove::Plato_MapMove(Map* map, ObjectList* objects) : MapMove(objects)
{
    // Refused before anything is built: a constructor that throws runs no destructor.
    map->RequireGroup(Plato_MineLift);
    moveGroupCount = 1;
    moveGroups = new MapMoveGroup*[1];
    moveGroups[0] = new Plato_MapMoveGroup(Plato_MineLift);
    FindCoverage(map);
    Init(map);
}

Plato_MapMove::~Plato_MapMove()
{
    for (int i = 0; i < moveGroupCount; i++)
        delete moveGroups[i];
    delete[] moveGroups;
}

void Plato_MapMove::FindCoverage(Map* map)
{
    Rectf const margins(-0.0, -Mine_Lift_Dist, 0.0, 0.0);
    map->SetGroupCover(Plato_MineLift, &margins);
}

Plato_MapMoveGroup const* Plato_MapMove::GetLift() const
{
    return static_cast<Plato_MapMoveGroup const*>(moveGroups[0]);
}
