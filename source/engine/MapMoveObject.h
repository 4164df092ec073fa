// MapMoveObject: the interface of objects that move map groups through move orders.
#pragma once

#include "engine/MoveObject.h"
#include "util/FlatList.h"
#include "util/Tick.h"

class Map;

// Every step the driver asks the object for its orders at the tick; the object fills in the
// wanted offsets or angles and hands over its own list, which it keeps owning.
class MapMoveObject
{
public:
    MapMoveObject() = default;
    virtual ~MapMoveObject() = default;

    virtual void MoveMapGroup(Map const* map, Tick t, FlatList<MoveObject>** orders) = 0;

protected:
    MapMoveObject(MapMoveObject const&) = default;
    MapMoveObject& operator=(MapMoveObject const&) = default;
};
