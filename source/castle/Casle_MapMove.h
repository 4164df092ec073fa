// Casle_MapMove: the castle's driver of moving map groups.
#pragma once

#include "engine/MapMove.h"

class Casle_MapMoveGroup;
class Map;
class ObjectList;

constexpr int Casle_MapMove_GroupCount = 11;

// Creates the castle's eleven scripted movers and gives each group a cover holding its whole
// sweep, so that the collision grid lists every cell a moving polygon reaches and a group moves
// whenever any of its sweep can be seen. The world adds the objects that move groups.
class Casle_MapMove final : public MapMove
{
public:
    // Before the map's collision grid is built: the covers go into it.
    Casle_MapMove(Map* map, ObjectList* objects);
    ~Casle_MapMove() override;

    void FindCoverage(Map* map);
    Casle_MapMoveGroup const* GetMover(int i) const;
    // The objects that move groups, in the order added.
    int ObjectCount() const { return moveObjects.Count(); }
    MapMoveObject* GetObject(int i) const { return moveObjects[i]; }
};
