// TestWorldWriter: the map and image map of the engine's test world, written under testworld/.
#pragma once

#include <string>

class MapWriter;

class TestWorldWriter final
{
public:
    // dir/testworld/map and dir/testworld/imagemap; throws std::runtime_error on failure.
    static void Write(std::string const& dir);

    // dir/world/map from map and dir/world/imagemap with the textures the small levels use: 0 rock,
    // 1 stone, 2 brick and 3 plank. The folder must exist; throws std::runtime_error on failure.
    static void WriteLevel(MapWriter const& map, std::string const& dir, char const* world);
};
