// The master's house and dungeon: its map (the house high above, the dungeon's road through nineteen rooms
// and the galleries above it), its image map and its pictures.
#pragma once

#include <string>
#include <vector>

namespace KiligWriter
{

struct Point
{
    double x;
    double y;
};

// The house's floor, high above the dungeon, and its long hall, which the master and the hero walk
// along through the introduction.
constexpr double House_Floor = 6800.0;
constexpr double House_Left = 900.0;
constexpr double House_RightWall = 6700.0; // some 140 beyond the master at the talk's end
// The road's far end: a wall well beyond the exit.
constexpr double Road_EndX = 14620.0;
// Over the last stretch of road, which runs down below room 18 towards the exit, the rock hangs
// down to a lintel from here to the far wall: low enough over the road that no one under it,
// walking or jumping, rises into room 18, whose view ends short of the exit.
constexpr double Road_ExitLintelX = 14300.0;
constexpr double Road_ExitLintelY = 2215.0;
// Galleries stand this high over the floor below them, reached by steps of at most this rise.
constexpr double Gallery_Rise = 160.0;
constexpr double Step_Rise = 55.0;

// The road's surface from its left end to its right: flat runs joined by ramps no steeper than
// 0.65, each corner a waypoint. Walking right along it reaches the exit.
std::vector<Point> const& RoadProfile();
// Height of the road's surface at x.
double RoadY(double x);

// The things the road passes, left to right (see the comments in killig.cpp for how each is passed).
constexpr double Road_PlateX = 900.0;  // left edge of the first room's plate, 60 wide
constexpr double Road_Door0X = 1150.0; // left face of the door it opens, 20 thick
constexpr double Road_RedGateX = 1500.0;
constexpr double Road_Door9X = 8660.0;
constexpr double Road_ExitX = 14400.0; // past the exit: the level ends before the walker gets here
// The faces of the wall between rooms 17 and 18: door 16 in its foot, the road's tunnel under it.
constexpr double Junction_Left = 13378.0;
constexpr double Junction_Right = 13426.0;

// dir/killig/map, dir/killig/road (the roads "first room" and "exit"), dir/killig/imagemap and the pictures under
// dir/gfx/killig and dir/gfx/map/killig; throws std::runtime_error on failure.
void Write(std::string const& dir);

} // namespace KiligWriter
