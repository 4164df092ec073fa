// A small walled floor map for the record benchmarks, read back through the map file code.
#pragma once

#include "engine/Map.h"
#include "tools/MapWriter.h"

#include <cstdio>
#include <memory>

namespace BenchFloor
{

constexpr double HalfWidth = 1000.0; // the walls stand at -HalfWidth and +HalfWidth

inline std::unique_ptr<Map> Make()
{
    MapWriter writer;
    writer.SetView(-320.0, -240.0, 1.0);
    writer.AddBox(-HalfWidth - 100.0, -100.0, HalfWidth + 100.0, 0.0, 1, 0, true, false, 64.0);
    writer.AddBox(-HalfWidth - 100.0, 0.0, -HalfWidth, 400.0, 1, 0, true, false, 64.0);
    writer.AddBox(HalfWidth, 0.0, HalfWidth + 100.0, 400.0, 1, 0, true, false, 64.0);
    // Steps to climb, so that walking is not a straight line.
    for (int i = 0; i < 8; i++)
        writer.AddBox(-800.0 + 200.0 * i, 0.0, -720.0 + 200.0 * i, 10.0 + 5.0 * i, 1, 0, true, false, 64.0);
    FILE* file = tmpfile();
    writer.Write(file);
    rewind(file);
    std::unique_ptr<Map> map;
    try
    {
        map = std::make_unique<Map>(nullptr, file, "bench/map");
    }
    catch (...)
    {
        fclose(file);
        throw;
    }
    fclose(file);
    map->PreprocessCollision();
    return map;
}

} // namespace BenchFloor
