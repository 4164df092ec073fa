// Black_MapMove: the Black mountains' driver of moving map groups: eight lifts on one looping
// track and eight bobbing and swinging platforms.
#pragma once

#include "black/Black_Ids.h"
#include "engine/MapMove.h"

class Black_MapMoveGroup;
class Map;
class ObjectList;

constexpr int Black_MapMove_GroupCount = Black_MovingGroup_Count;

// Makes a mover for each moving group and tells the map how far each can travel, so the driver
// moves a group whenever any part of its sweep is on screen. Built before the map's collision
// grid: the covers go into it.
class Black_MapMove final : public MapMove
{
public:
    Black_MapMove(Map* map, ObjectList* objects);
    ~Black_MapMove() override;

    // Sets each moving group's cover: the range of offsets it takes.
    void FindCoverage(Map* map);

    // The mover i, in the order they are moved.
    Black_MapMoveGroup const* GetMover(int i) const;
};
