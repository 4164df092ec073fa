// Final_Ids: the reference points of the dragon's den that the world reads by number and the places its fight
// is bound to; its generator (tools/worlds/final.cpp) lays the den out from here.
#pragma once

// Where the hero comes in.
constexpr unsigned int Final_Rp_Start = 0;
// The foot of the dragon's body, on the arena's floor.
constexpr unsigned int Final_Rp_Dragon = 1;
// The kill zone is the rectangle between these two.
constexpr unsigned int Final_Rp_KillZone[2] = {2, 3};
constexpr unsigned int Final_Rp_Hearts[2] = {4, 5};
constexpr unsigned int Final_LastRp = 5;

// While the hero stands in the arena (strictly inside these bounds) the camera holds the whole of it.
constexpr double Final_Arena_Left = 3060.0;
constexpr double Final_Arena_Right = 4230.0;
constexpr double Final_Arena_Floor = 600.0;
constexpr double Final_Arena_CentreX = 3640.0;
constexpr double Final_Arena_CentreY = 970.0;
constexpr double Final_Arena_Zoom = 0.53;

// The rocks of the dragon's scream start falling at this height, at x Final_RockMidX plus the
// remainder of a tick's hash by Final_RockSpread.
constexpr double Final_RockTop = 1450.0;
constexpr double Final_RockMidX = 3150.0;
constexpr int Final_RockSpread = 1000;
