// The plateau's data: its map (a terraced road with the creatures' ledges, the mine and the hermit's
// place left of the start) and its pictures.
#pragma once

#include "tools/MapWriter.h"
#include "tools/Road.h"

#include <string>
#include <vector>

namespace PlateauWriter
{

// The road climbs 13 terraces: each is Plateau_FlatWidth level, then a ramp to the next, so that
// holding right walks it with no jump; it ends level at Plateau_EndY.
constexpr double Plateau_TerraceWidth = 2000.0;
constexpr double Plateau_FlatWidth = 1600.0;
constexpr int Plateau_Terraces = 13;
constexpr double Plateau_EndY = 1420.0;
constexpr double Plateau_EndX = 29000.0; // the wall closing the road
// Creatures stand on ledges this high above the road, out of reach of a walker below and within reach
// of a double jump; spiders hang from ceilings at the second height, their longest thread clear of
// the road.
constexpr double Plateau_LedgeHeight = 120.0;
constexpr double Plateau_CeilingHeight = 420.0;
// The mortar's terrace; the shot the walk fires (the gun as it stands, strength as it starts) lands on
// the rock that closes the road there.
constexpr int Plateau_MortarTerrace = 4;
constexpr double Plateau_ShotAngle = 0.78539816339745;
constexpr double Plateau_ShotStrength = 0.5;

// Height of the road's surface at x (level left of the start).
double RoadY(double x);
// The x of the closing rock's left face.
double BlockingRockX();

// The map, built in memory for Write and for the tests.
MapWriter BuildMap();
// The road the walker takes: "exit", from the start past the mortar's blast to the exit.
std::vector<Road> BuildRoads();

// dir/plateau/map, dir/plateau/road and the pictures under dir/gfx/plateau and dir/gfx/general/explosion.png; throws
// std::runtime_error on failure.
void Write(std::string const& dir);

} // namespace PlateauWriter
