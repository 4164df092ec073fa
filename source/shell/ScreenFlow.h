// The hand-over between the map screen and the worlds: building them, their step, what follows.
#pragma once

#include "engine/Level_Type.h"

class GameEvents;
class Level;
struct KeyData;

// Builds the world of a type; with ending set, the village with the closing sequence.
using World_Maker = Level* (*)(GameEvents* events, Level_Type type, bool ending);

// The maker InitLevel and FinishedLevel use; BuildWorld unless a test puts in its own.
extern World_Maker worldMaker;
// True while the village plays the closing sequence after the final world.
extern bool endingPlayed;

// Builds the world of its row in the world table (MakeWorld).
Level* BuildWorld(GameEvents* events, Level_Type type, bool ending);

// The map screen for the world just left (0 at start) and its result; curLevel becomes 0.
void InitMap(Level_Action action);
// Builds the world of curLevel into level.
void InitLevel();
// Run when the fade-out after a level reaches black: the level goes, its events become
// permanent, and the map screen, the same world again or the closing village follows.
void FinishedLevel();
// One step of the map screen; the world chosen, or 0. A key down as the map opened acts there only
// once let go and pressed again.
Level_Type MapPoll(KeyData const* keys);
// One step of the menu or the level; true when the level has ended.
bool LevelPoll(KeyData* keys);
