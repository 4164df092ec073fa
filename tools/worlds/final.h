// The dragon's den: its map (the arena under the camera's frame, the ledge the hero fights from, the pit), its
// image map, its road and its pictures, the dragon's among them.
#pragma once

#include <string>

namespace FinalWriter
{

// The arena's floor, a little above the camera's bound so that a hero standing on it is inside.
constexpr double Floor_Y = 620.0;
// The foot of the dragon's body on that floor.
constexpr double Dragon_X = 3930.0;
// The ledge the hero comes in on runs from here to the den's right wall, this high.
constexpr double Ledge_Left = 4170.0;
constexpr double Ledge_Top = 860.0;
constexpr double RightWall_X = 4600.0;
// Where the hero comes in, on the ledge beyond the arena's frame.
constexpr double Start_X = 4420.0;
// The throwing spot: from anywhere on the ledge between these x the dragon's head is in sight the
// whole cycle long, no flame comes near and no rock falls. Spot_X is its middle.
constexpr double Spot_Left = 4178.0;
constexpr double Spot_Right = 4226.0;
constexpr double Spot_X = 4202.0;
// The pit at the arena's far end, whose floor kills.
constexpr double Pit_Left = 3180.0;
constexpr double Pit_Right = 3380.0;
constexpr double Pit_Floor = 460.0;

// dir/final/map, dir/final/road (the road "throwing spot"), the den's textures added to
// dir/final/imagemap, its map pictures under dir/gfx/map/final and the dragon's under
// dir/gfx/final/dragon; throws std::runtime_error on failure.
void Write(std::string const& dir);

} // namespace FinalWriter
