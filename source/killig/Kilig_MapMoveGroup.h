// Kilig_MapMoveGroup: one of the dungeon's platforms that swing to and fro for ever as a function of the tick.
#pragma once

#include "engine/MapMoveGroup.h"
#include "util/Rectf.h"

// A moving group's number, the same as its polygons' group in the map.
using Kilig_GroupId = unsigned int;

// Sliding and bobbing platforms and rows of platforms that ripple one after another. Each
// group's offset is a pure function of the tick, so nothing is recorded and time travel finds
// every group where it belongs.
class Kilig_MapMoveGroup final : public MapMoveGroup
{
public:
    explicit Kilig_MapMoveGroup(Kilig_GroupId id);

    void Move(Map* map, Tick t, Player* player) override;

    // The offset of group g at t; false for a group that does not move.
    static bool Offset(Kilig_GroupId g, Tick t, double& x, double& y);
    // The margins that hold group g's whole sweep; false for a group that does not move.
    static bool Cover(Kilig_GroupId g, Rectf& cover);
};
