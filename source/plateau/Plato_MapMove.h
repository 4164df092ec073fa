// Plato_MapMove: the plateau's driver of moving map groups, with the mine lift.
#pragma once

#include "engine/MapMove.h"
#include "engine/MapMoveGroup.h"

class Map;
class ObjectList;

using Plato_GroupId = unsigned int;

constexpr Plato_GroupId Plato_MineLift = 27;
constexpr int Mine_Lift_Del = 200;  // ticks of one trip
constexpr int Mine_Lift_Wait = 100; // ticks of one stop
constexpr double Mine_Lift_Dist = 750.0;
constexpr int Mine_Lift_Period = 2 * (Mine_Lift_Del + Mine_Lift_Wait);

// The miners' lift: down the shaft and back up for ever, its height a function of the tick.
class Plato_MapMoveGroup final : public MapMoveGroup
{
public:
    explicit Plato_MapMoveGroup(Plato_GroupId groupId);

    void Move(Map* map, Tick t, Player* player) override;

    static double LiftHeight(Tick t);
};

// The lift is the plateau's only group that moves on its own; the turtles and the mortar's
// rocks join as move objects.
class Plato_MapMove final : public MapMove
{
public:
    // Before the map's collision grid is built: the lift's cover goes into it.
    Plato_MapMove(Map* map, ObjectList* objects);
    ~Plato_MapMove() override;

    void FindCoverage(Map* map);
    Plato_MapMoveGroup const* GetLift() const;
};
