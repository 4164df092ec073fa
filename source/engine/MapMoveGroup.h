// MapMoveGroup: the base of a world's scripted movers of map groups.
#pragma once

#include "util/Rectf.h"
#include "util/Tick.h"

class Map;
class Player;

// A scripted mover places its group for a tick by itself, from the tick alone, and carries the
// player as it needs. It keeps what it last applied so that it can skip unchanged steps and hand
// the player the change. Worlds' drivers delete their movers through this base.
class MapMoveGroup
{
public:
    MapMoveGroup() = default;
    MapMoveGroup(MapMoveGroup const&) = delete;
    MapMoveGroup& operator=(MapMoveGroup const&) = delete;
    virtual ~MapMoveGroup() = default;

    // player is null while time travel runs: nobody is carried then.
    virtual void Move(Map* map, Tick t, Player* player) = 0;

    unsigned int group = 0; // set by the derived mover
    Rectf bound;            // the group's sweep, filled by MapMove::Init
    double x = 0.0;         // offset last applied
    double y = 0.0;
    double angle = 0.0; // angle last applied
};
