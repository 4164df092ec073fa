// Small maps for engine tests: a long floor seen from the origin, with the collision grid built.
#pragma once

#include "engine/Map.h"
#include "support/MapFiles.h"
#include "tools/MapWriter.h"

#include <memory>

inline std::unique_ptr<Map> ReadSmallMap(MapWriter const& writer)
{
    std::unique_ptr<Map> map = MapFiles::Load<Map>(writer);
    map->PreprocessCollision();
    return map;
}

// A solid floor whose top is y = 0 from x = -2000 to 2000, seen at scale 1 with the
// screen's lower-left corner at (-320, -240), so that the view centre is the origin.
inline MapWriter FloorWriter()
{
    MapWriter writer;
    writer.SetView(-320.0, -240.0, 1.0);
    writer.AddBox(-2000.0, -100.0, 2000.0, 0.0, 0, 0, true, false, 64.0);
    return writer;
}

// The long floor with a reference point standing 100 units above it at x 0.
constexpr unsigned int SmallMap_Above = 1;

inline std::unique_ptr<Map> ReadFloorMap()
{
    MapWriter writer = FloorWriter();
    writer.AddRefPoint(SmallMap_Above, 0.0, 100.0);
    return ReadSmallMap(writer);
}
