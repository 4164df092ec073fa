// Builds small maps in memory for engine tests: a floor, optional boxes and reference points.
#pragma once

#include <cstdio>
#include <memory>

#include "Map.h"
#include "MapWriter.h"

// A map read back from what the writer produced, with its collision grid built.
inline std::unique_ptr<Map> ReadSmallMap(MapWriter const& writer)
{
    FILE* file = std::tmpfile();
    writer.Write(file);
    std::rewind(file);
    auto map = std::make_unique<Map>(nullptr, file);
    std::fclose(file);
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
