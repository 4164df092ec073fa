// Tower_MapMove: the tower's driver of moving map groups.
#pragma once

#include "engine/MapMove.h"

class Map;
class ObjectList;
class Tower_MapMoveGroup;

constexpr int Tower_MapMove_GroupCount = 11;

// Creates the tower's eleven movers (the two platforms over spikes, the swing and the eight
// transporter cars) and gives each group a cover that holds its whole sweep, so the collision
// grid lists every cell a moving polygon can reach and a group is moved whenever any of its
// sweep can be seen. The world adds the doors, switches and scales as move objects.
class Tower_MapMove final : public MapMove
{
public:
    // Before the map's collision grid is built: the covers go into it.
    Tower_MapMove(Map* map, ObjectList* objects);
    ~Tower_MapMove() override;

    void FindCoverage(Map* map);
    Tower_MapMoveGroup const* GetMover(int i) const;
};
