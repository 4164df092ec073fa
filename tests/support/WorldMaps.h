// Test support: every generated world's map in turn, loaded with its pictures and its collision
// grid built, for the comparisons that draw the worlds' own maps.
#pragma once

#include "engine/Map.h"
#include "media/Textures.h"
#include "tools/DataGen.h"
#include "util/DataFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

namespace WorldMaps
{

// Calls visit(folder, textures, map) for each world whose map the data folder (the working
// directory) holds; a map without polygons fails the test.
template <class Visit>
void ForEach(Visit&& visit)
{
    for (char const* folder : DataGen::worldDirs)
    {
        std::string const mapFile = std::string(folder) + "/map";
        FILE* file = HM_OpenFile(mapFile.c_str(), "rb");
        if (file == nullptr)
            continue;
        Textures textures((std::string(folder) + "/imagemap").c_str());
        auto const map = std::make_unique<Map>(&textures, file, mapFile.c_str());
        std::fclose(file);
        map->PreprocessCollision();
        ASSERT_GT(map->polyCount, 0u) << folder;
        visit(folder, textures, *map);
    }
}

} // namespace WorldMaps
