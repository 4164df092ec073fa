// Plato_Ids: the reference points and map groups of the plateau's map that the world reads by number;
// its generator (tools/worlds/plateau.cpp) writes them from here.
#pragma once

constexpr unsigned int Plato_StartRp = 3;        // where the player starts
constexpr unsigned int Plato_AerialRp = 24;      // the foot of the aerial's mast
constexpr unsigned int Plato_TvRp = 25;          // the hermit's television
constexpr unsigned int Plato_HermitRp = 26;      // the hermit
constexpr unsigned int Plato_Dude_StartPts = 55; // the first of the five miners' places
constexpr unsigned int Plato_MortarRp = 101;     // the mortar's stand
constexpr unsigned int Plato_GemRp = 375;        // the first of the two chests, each over its gem
constexpr int Plato_Miner_Count = 5;
constexpr int Plato_Chest_Count = 2;
