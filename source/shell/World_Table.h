// The world table: one row per world of the map, saying how the shell builds it and what its exits open.
#pragma once

#include "engine/Level_Type.h"

class GameEvents;
class World_Base;

constexpr int World_Count = 9; // world i + 1 stands at the map's location i

// Builds a world; ending asks the village for its closing sequence, and the other worlds ignore it.
using World_Make = World_Base* (*)(GameEvents* events, bool ending);

// A world joins the game by filling in its row here (and its generator's row in tools/DataGen.cpp);
// nothing else outside its own folders changes.
struct World_Row
{
    Level_Type type;
    char const* folder; // its data's folder, as the generator writes it
    World_Make make;    // builds it
    int completedPath;  // the map's path that its main exit opens; -1 none
    int restartPath;    // the path its second exit opens; -1 none
};

// In level order: row i is world i + 1.
extern World_Row const World_Table[World_Count];

// The row of a world; type is one of the nine.
World_Row const& WorldRow(Level_Type type);

// Builds the world of a type by its row; with ending set, the village with its closing sequence.
// A type that is none of the nine throws Error_ParseFile naming it.
World_Base* MakeWorld(GameEvents* events, Level_Type type, bool ending);

// The maker of a world whose constructor takes the progress record alone.
template <class World>
World_Base* World_MakeOf(GameEvents* events, bool)
{
    return new World(events);
}
