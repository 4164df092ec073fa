// A small test map: a flat floor and a reference point above it to place things on.
#pragma once

#include <memory>

#include "Map.h"
#include "MapFiles.h"

namespace FloorMap {

constexpr double FloorY = 0.0;    // top of the flat floor, from x -1000 to 1000
constexpr unsigned int Above = 1; // reference point 100 units above the floor at x 0

inline std::unique_ptr<Map> Make()
{
    MapWriter writer;
    writer.SetView(-320.0, -240.0, 1.0);
    writer.AddBox(-1000.0, -100.0, 1000.0, FloorY, 1, 0, true, false, 64.0);
    writer.AddRefPoint(Above, 0.0, 100.0);
    std::unique_ptr<Map> map = MapFiles::Load<Map>(writer);
    map->PreprocessCollision();
    return map;
}

} // namespace FloorMap
