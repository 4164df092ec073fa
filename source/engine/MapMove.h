// MapMove: the per-level driver that places every moving map group for the level's tick.
#pragma once

#include "engine/MoveObject.h"
#include "util/PtrList.h"
#include "util/Tick.h"

class Map;
class MapMoveGroup;
class MapMoveObject;
class ObjectList;
class Player;

// Groups are never moved by increments: each step every group goes to the absolute place its
// mover computes for the tick, so moving the clock moves each group to where it belongs then.
// A world with scripted movers derives its own driver, fills moveGroupCount and moveGroups,
// calls Init and frees the movers itself.
class MapMove
{
public:
    explicit MapMove(ObjectList* objects);
    MapMove(MapMove const&) = delete;
    MapMove& operator=(MapMove const&) = delete;
    virtual ~MapMove();

    // Registers an object whose orders are applied every step; not owned.
    void AddObject(MapMoveObject* object);
    // Fills the movers' bounds; call after the group covers are set.
    void Init(Map* map);
    // clock is the level clock in 24.8 fixed point; player is null while time travel runs.
    void Move(Map* map, Tick clock, Player* player);
    void ObjectMove(Map* map, Player* player, MoveObject* order);

protected:
    ObjectList* objectList;
    int moveGroupCount = 0;
    MapMoveGroup** moveGroups = nullptr;
    PtrList<MapMoveObject> moveObjects;
};
