// Kilig_MapMove: the dungeon's driver of moving map groups.
#pragma once

#include "engine/MapMove.h"

class Kilig_MapMoveGroup;
class Map;
class ObjectList;

constexpr int Kilig_MapMove_GroupCount = 39;

// Creates the 39 swinging groups (3 to 15, then 25 to 50) and gives each a cover as wide as its
// swing, so the collision grid lists every cell a moving polygon can reach and a group is moved
// whenever any of its sweep can be seen. The world adds its switches, lifts, doors and swivels
// as move objects.
class Kilig_MapMove final : public MapMove
{
public:
    // Before the map's collision grid is built: the covers go into it.
    Kilig_MapMove(Map* map, ObjectList* objects);
    ~Kilig_MapMove() override;

    void FindCoverage(Map* map);
    Kilig_MapMoveGroup const* GetMover(int i) const;
};
