// The dragon's den: its map (the arena under the camera's frame, the ledge the hero fights from, the pit), its
// image map, its road and its pictures, the dragon's among them.
#pragma once

#include <string>

namespace FinalWriter
{

// The arena's floor, a little above the camera's bound so that a hero standing on it is inside.
constexpr double Floor_Y = 620.0;
// The foot of the dragon's body on that floor.
constexpr double Dragon_X = 3610.0;
// The den's walls stand just inside the arena's camera zone (x 3060 to 4230): the hero's feet meet a
// wall before they leave the zone, so that the arena's view holds him wherever he goes, and each wall
// shows as a strip at the edge of that view.
constexpr double LeftWall_X = 3070.0;
constexpr double RightWall_X = 4220.0;
constexpr double Frame_Thickness = 600.0; // of the rock round the den: no view of it runs off the map
// The ledge the hero comes in on runs from here to the den's right wall, this high.
constexpr double Ledge_Left = 3870.0;
constexpr double Ledge_Top = 860.0;
// Where the hero comes in, on the ledge inside the arena's frame, so that the camera holds the arena
// from the start, and right of where any rock falls, so that waiting there is safe.
constexpr double Start_X = 4190.0;
// The throwing spot, a foothold sunk Spot_Depth into the ledge: walking left along the ledge the hero
// drops into it and its far side stops him. From there the dragon's head is in sight the whole cycle
// long and no flame comes near; the rocks of the dragon's first cycle of screams all miss it (those
// of later cycles fall anywhere in the arena but its last stretch before the den's right wall).
// Spot_X is its middle.
constexpr double Spot_Left = 3888.0;
constexpr double Spot_Right = 3898.0;
constexpr double Spot_X = 3893.0;
constexpr double Spot_Depth = 6.0;
// The pit at the arena's far end, against its left wall, whose floor kills.
constexpr double Pit_Left = LeftWall_X;
constexpr double Pit_Right = 3190.0;
constexpr double Pit_Floor = 460.0;
constexpr double Pit_FireHeight = 80.0; // the fire, and the kill zone it draws, over the pit's floor

// dir/final/map, dir/final/road (the road "throwing spot"), the den's textures added to
// dir/final/imagemap, its map pictures under dir/gfx/map/final and the dragon's under
// dir/gfx/final/dragon; throws std::runtime_error on failure.
void Write(std::string const& dir);

} // namespace FinalWriter
