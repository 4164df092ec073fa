// The riddle-giver's house's data: its map (the riddle-giver's room, the factory, the motel and the staff
// room, joined by doors), its textures and the pictures of its people and things.
#pragma once

#include "tools/MapWriter.h"
#include "tools/Road.h"
#include "util/Pointf.h"

#include <string>
#include <vector>

namespace PetraWriter
{

// The floors' heights: the riddle-giver's room and the factory, the motel's corridor and guests'
// rooms, its question room, and the staff room.
constexpr double Petra_HallFloor = 540.0;
constexpr double Petra_MotelFloor = 1680.0;
constexpr double Petra_QuestionFloor = 1620.0;
constexpr double Petra_StaffFloor = -110.0;
// The foot of a rail drawn in front of the factory's tubes, 4 high, across the weighing's pointer.
constexpr double Petra_RailY = 682.0;

// Where staff holder s (0 to 24) stands: the holders of the staff lines lie on straight lines,
// holders 0 to 9 on a five-pointed star.
Pointf StaffHolder(int s);

// The level map, built in memory for Write and for the layout tests.
MapWriter BuildMap();
// The roads written beside it: "visit", a whole first visit that ends out of the front door, and
// "exit", straight out of it.
std::vector<Road> BuildRoads();

// Writes petra/map, adds the house's textures to petra/imagemap (which the shared texture lists
// wrote before) and writes the pictures under gfx/petra/, gfx/map/ and gfx/general/uparrow.png;
// throws std::runtime_error on failure.
void Write(std::string const& dir);

} // namespace PetraWriter
