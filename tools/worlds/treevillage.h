// The tree village's data: its map, the scenery tile drawn behind it, and the sprites of its villagers,
// the marbles game and the market sign.
#pragma once

#include "tools/MapWriter.h"

#include <string>

namespace TreeVillage
{

// Writes treevillage/map, treevillage/bgmap and the pictures under gfx/treevillage/; throws
// std::runtime_error on failure.
void Write(std::string const& dir);

// The level map and the background tile, built in memory for Write and for the layout tests.
MapWriter BuildMap();
MapWriter BuildBackground();

// The background repeats every 360 across and 401 up; the tile is drawn 40 wider and higher so
// that neighbouring copies overlap without a seam.
constexpr double BgWrapX = 360.0;
constexpr double BgWrapY = 401.0;
constexpr double BgOverlap = 40.0;

} // namespace TreeVillage
