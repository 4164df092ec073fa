// The canyon's data: its map (a road of ledges down to the exit, crossed once by a row of flowers over a
// deep pit under an overhang, with closed galleries of flowers, creatures, jets and fireballs beside
// it) and its pictures.
#pragma once

#include "tools/MapWriter.h"
#include "tools/Road.h"
#include "util/Pointf.h"

#include <string>
#include <vector>

namespace ChasmWriter
{

constexpr double Chasm_Wall = 40.0;      // thickness of every wall and slab
constexpr double Chasm_Drop = 385.0;     // from one ledge of the road to the next
constexpr double Chasm_Corridor = 605.0; // the road's height from its floor to its ceiling
constexpr double Chasm_PitDepth = 2700.0;

// The map is a row of columns, left to right, each a ledge of the road with a gallery above it and
// one below; the gap column has no ledge, only the flowers over the pit, the overhang and the
// landing beyond it, lower than the ledge before (its floor is that ledge's height). Walls stand
// centred on the columns' edges, open only where the road passes.
struct ChasmWriter_Column
{
    double x0, x1; // its edges
    double floor;  // the road's height in it
    double lower;  // the height of the gallery below the road
    double upper;  // the height of the gallery above it
    bool pit;      // the gap over the deep pit
};
std::vector<ChasmWriter_Column> const& Columns();
constexpr int Chasm_StartColumn = 0;
constexpr int Chasm_GapColumn = 6;
constexpr int Chasm_ExitColumn = 20;

// Inside faces of a column's rooms.
struct ChasmWriter_Room
{
    double x0, y0, x1, y1;
    bool Contains(Pointf p) const { return p.x >= x0 && p.x <= x1 && p.y >= y0 && p.y <= y1; }
};
ChasmWriter_Room RoadRoom(int column); // from the floor to the ceiling (down to the pit's floor in the gap)
ChasmWriter_Room Upper(int column);    // the gallery above the road
ChasmWriter_Room Lower(int column);    // the gallery below it (none in the gap)

// The right end of the ledge before the gap and the left end of the landing after it.
double GapLeftEdge();
double GapRightEdge();
// The landing's height, where the road goes on beyond the gap.
double FarFloor();
// The overhang's bounds: a pillar of rock hung from the gap's ceiling, closing the landing from
// above, its face at x0 and its foot at y0, below the lowest fall of a player who runs off the ledge.
ChasmWriter_Room Overhang();
// The exit floor's height.
double ExitFloor();

// The flowers of the road's row, where they rest: the first under the ledge's end, the wall flower
// down the ledge's wall, and the stair beyond the overhang.
Pointf RoadFlower(int k);
// The fixed flower on the overhang's face, just above its foot, that catches whoever slides down it.
Pointf CatchFlower();

// The roads the walker takes: "exit", from the start with the fan over the flowers and down to the
// exit; "pit", over the flowers onto the stair, then back left off it into the deep pit.
std::vector<Road> BuildRoads();

// The map, built in memory for Write and for the tests.
MapWriter BuildMap();

// dir/chasm/map, dir/chasm/road and the pictures under dir/gfx/chasm; throws std::runtime_error on
// failure.
void Write(std::string const& dir);

} // namespace ChasmWriter
