// TestWorldWriter: the map and image map of the engine's test world, written under testworld/.
#pragma once

#include <string>

class TestWorldWriter final
{
public:
    // dir/testworld/map and dir/testworld/imagemap; throws std::runtime_error on failure.
    static void Write(std::string const& dir);
};
