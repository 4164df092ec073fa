// TreeV_Ids: the reference points and map groups of the village's map that the world reads by number;
// its generator (tools/worlds/treevillage.cpp) writes them from here.
#pragma once

constexpr int TreeV_Door_Count = 8;
constexpr int TreeV_Sign_Count = 2;
constexpr int TreeV_Teleport_Count = 7;
constexpr int TreeV_Ending_Places = 7;

constexpr unsigned int TreeV_Rp_Start = 2;
constexpr unsigned int TreeV_Rp_EndingStart = 135;     // the returning hero, in the closing scene
constexpr unsigned int TreeV_Rp_EndingGathering = 136; // the first of the places the villagers gather at then
constexpr unsigned int TreeV_Rp_DoorDude = 103;        // the voice behind the last door
constexpr unsigned int TreeV_Rp_MarketSign = 91;
constexpr unsigned int TreeV_Rp_SlideyPuzzle = 93;
constexpr unsigned int TreeV_Rp_Chest = 106;
constexpr unsigned int TreeV_Rp_SlideyGem = 126; // the sliding puzzle's prize
constexpr unsigned int TreeV_Rp_Signs[TreeV_Sign_Count] = {107, 108};

// A door: the map group that swings, the point it swings about and the two switches that work it.
struct TreeV_DoorIds
{
    unsigned int group;
    unsigned int pivot;
    unsigned int switch0;
    unsigned int switch1;
};
// Door 0 is the gate; the others are the house doors along the street.
constexpr TreeV_DoorIds TreeV_Doors[TreeV_Door_Count] = {
    {5, 0, 3, 25},    {11, 26, 27, 28}, {23, 29, 30, 31}, {24, 36, 37, 38},
    {25, 41, 43, 42}, {31, 94, 96, 95}, {32, 97, 99, 98}, {33, 100, 101, 102},
};

// Each teleport joins a spot on the street (first) to one inside a house (second).
constexpr unsigned int TreeV_Teleports[TreeV_Teleport_Count][2] = {{32, 33}, {34, 35},   {39, 40},  {44, 46},
                                                                   {45, 47}, {109, 111}, {110, 112}};

// Marbles' four jars, left to right: the jar of each marble colour, red, blue, green and yellow.
constexpr int Marbles_Jars = 4;
constexpr unsigned int Jar_Points[Marbles_Jars] = {54, 55, 56, 57};

// The patient's point, where the camera closes in on his face, and his spots: spot s is reference
// point s + Spot_RefPt_Start (the patient's own point is one of them).
constexpr unsigned int TreeV_Rp_Patient = 80;
constexpr int Spot_RefPt_Start = 62;
constexpr int Spot_Count = 29;
// The spots of each key pair, joined in this order: the white pair, then the blue, the green and
// the yellow.
constexpr int Patient_Pairs = 4;
constexpr int Patient_KeySpots[Patient_Pairs][2] = {{10, 7}, {16, 18}, {25, 3}, {23, 0}};
