// TreeV_MapMove: the tree village's driver of moving map groups.
#pragma once

#include "engine/MapMove.h"

class Map;
class ObjectList;
class TreeV_MapMoveGroup;

constexpr int TreeV_MapMove_GroupCount = 14;

// Creates the village's fourteen movers and gives each group a cover that holds its whole
// motion, so the collision grid lists every cell a moving polygon can reach and a group is
// moved whenever any of its motion can be seen. The world adds the doors and the main lift as
// move objects.
class TreeV_MapMove final : public MapMove
{
public:
    // Before the map's collision grid is built: the covers go into it.
    TreeV_MapMove(Map* map, ObjectList* objects);
    ~TreeV_MapMove() override;

    void FindCoverage(Map* map);
    TreeV_MapMoveGroup const* GetMover(int i) const;
};
