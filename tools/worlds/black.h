// The Black mountains' data: the map (a long road from the warning signs past the ogre's pass down to
// the far end, the dens, the lava gallery, the lift valley and the rock pits off it), its road and its
// pictures.
#pragma once

#include "tools/Road.h"

#include <string>
#include <vector>

namespace BlackWriter
{

// The road's height: level stretches joined by slopes, from the start high in the mountains down to
// the far end.
double RoadY(double x);

// The ogre's pass. The road climbs a ramp before it to a walkway high over the pass and drops onto
// the boulder's ledge; from the ledge the only way on is down the mountainside, which ends over the
// ogre's side of the barrier (group 1) that closes the tunnel beyond it.
constexpr double Black_PassY = 5400.0; // the floor of the pass and of the tunnel
// The ramp up to the walkway rises over the pass from a foot that floats over the road, just clear of
// a walker's head: he walks under it either way, and jumps onto it from its left.
constexpr double Black_RampFootX = 10300.0;
constexpr double Black_RampFootY = Black_PassY + 50.0; // its top there
constexpr double Black_RampTopX = 12600.0;
constexpr double Black_RampJumpX = Black_RampFootX - 90.0; // a running jump from here lands on it
constexpr double Black_OgreX = 12000.0;
constexpr double Black_GateX0 = 12003.0; // the barrier's left face: a player stopped there is in reach
constexpr double Black_GateX1 = 12043.0;
constexpr double Black_GateTop = 5600.0;
constexpr double Black_TunnelTop = 5480.0;
constexpr double Black_TunnelEndX = 14700.0;
constexpr double Black_LedgeX0 = 13300.0; // the ledge's left end, over a cliff down to the mountainside
constexpr double Black_LedgeX1 = 14200.0;
constexpr double Black_LedgeY = 6800.0;
constexpr double Black_SlopeTopY = 6130.0; // the mountainside's top, at the cliff's foot
constexpr double Black_BoulderX = 13302.0; // resting 20 above the ledge, at its very edge
constexpr double Black_WalkwayY = 7000.0;
constexpr double Black_WalkwayX1 = 14150.0;    // over the ledge, short of the rock beyond it
constexpr double Black_LivingGateX0 = 14155.0; // group 2, across the tunnel
constexpr double Black_LivingGateX1 = 14175.0;

// The lift valley under the road's bridge: the track's start (where each lift stands in the map
// file) and the ledge beside it that a rider steps off onto, with steps up to a gap in the bridge.
constexpr double Black_TrackX = 24650.0;
constexpr double Black_TrackY = 3480.0; // the half circle over the start shows under the bridge
constexpr double Black_LiftHalfWidth = 60.0;
constexpr double Black_LiftDepth = 16.0;
// The foot of the step down in the road before the valley, where the tunnel up from the valley's floor
// at its left end comes out in a notch.
constexpr double Black_ValleyLeftMouthX = 22535.0;

// The dens raised over the road, in order along it: each is entered up a ramp at its left and left by
// the drop from its right end back down to the road; where that end stands, and the den's floor. The
// last ends short of the road's end, where the view holds the road.
struct Black_DenEnd
{
    double x;
    double floor;
};
constexpr Black_DenEnd Black_DenEnds[] = {
    {10200.0, Black_PassY + 650.0},
    {17400.0, Black_PassY + 650.0},
    {23600.0, 5250.0},
    {28800.0, 4450.0},
    {39400.0, 2450.0},
    {42400.0, 2450.0},
    {44700.0, 1550.0},
};

constexpr double Black_EndY = 100.0; // the road's last stretch
constexpr double Black_EndWallX = 45300.0;

// The roads the walker takes: "exit", from the start up to the boulder, which it pushes, down to the
// ogre's pass once the ogre is dead, through it and on to the far end; "back to the boulder", from
// anywhere in the pass or the tunnel short of the wall only the living pass, out under the ramp's
// foot and up it to the boulder, which it pushes; "to the lifts", as "exit" down onto the boarding
// ledge, and "from the lifts", from the track's start up the steps to the end; "blob 2's cave", as
// "exit" to blob 2's cave, where it fights the blob from the floor until it dies, and through its
// door; "the goblin den", as "exit" through the pass and up into the goblin den, where it fights the
// three rock-throwers that guard its door, each by watching it throw and going back in time to throw
// at it as it does, and through the door; "blob 1's cave", as "exit" to the lift valley's bridge and
// up into blob 1's cave, where it fights the blob as its round brings it low, and through its door.
std::vector<Road> BuildRoads();

// dir/black/map, dir/black/road and the pictures under dir/gfx/black; throws std::runtime_error on
// failure.
void Write(std::string const& dir);

} // namespace BlackWriter
