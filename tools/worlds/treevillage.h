// The tree village's data: its map, the scenery tile drawn behind it, and the sprites of its villagers,
// the marbles game and the market sign.
#pragma once

#include "tools/MapWriter.h"
#include "tools/Road.h"

#include <string>
#include <vector>

namespace TreeVillage
{

// Writes treevillage/map, treevillage/bgmap, treevillage/road and the pictures under gfx/treevillage/; throws
// std::runtime_error on failure.
void Write(std::string const& dir);

// The level map and the background tile, built in memory for Write and for the layout tests.
MapWriter BuildMap();
MapWriter BuildBackground();
// The roads the walker takes: "exit3" from the start through the gate to the way out below,
// "exit2" (the lift mended) through the gate, up on the lift and along the top level, and "story"
// from the start through the lift man's errands (Marbles' game, the patient, the market sign) and
// up on the lift he mends to the main exit; its stations are named after who or what is met there.
std::vector<Road> BuildRoads();

// The background repeats every 360 across and 401 up; the tile is one period, so that neighbouring
// copies abut.
constexpr double BgWrapX = 360.0;
constexpr double BgWrapY = 401.0;
// The village's own textures, after the shared ones in its image map: the backdrop's sky, a fine
// fade filled without filtering, and its crowns and treetops.
constexpr unsigned int BgSkyTexture = 40;
constexpr unsigned int BgCrownTexture = 41;
// Pictures fitted over single polygons of the rooms: Marbles' shelf and his jars (red, blue, green
// and yellow, one texture each), the patient in his bed, the close view of his face, and a room's
// doorway back to the street.
constexpr unsigned int ShelfTexture = 42;
constexpr unsigned int JarTexture = 43; // to 46
constexpr unsigned int BedTexture = 47;
constexpr unsigned int FaceTexture = 48;
constexpr unsigned int DoorwayTexture = 49;

} // namespace TreeVillage
