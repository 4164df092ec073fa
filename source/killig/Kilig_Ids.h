// Kilig_Ids: the reference points and map groups of the master's house and dungeon that the world reads by
// number; its generator (tools/worlds/killig.cpp) writes them from here.
#pragma once

constexpr int Kilig_Object_Count = 20;
constexpr int Kilig_Switch_Count = 18;
constexpr int Kilig_Door_Count = 21;
constexpr int Kilig_KillZone_Count = 1;
constexpr int Kilig_Imp_Count = 6;
constexpr int Kilig_Spikes_Count = 38;
constexpr int Kilig_WavyBlob_Count = 3;
constexpr int Kilig_Lift_Count = 2;
constexpr int Kilig_PickUp_Count = 4;
constexpr int Kilig_Chest_Count = 4;
constexpr int Kilig_SpikeBall_Count = 5;
constexpr int Kilig_Podium_Count = 5;
constexpr int Kilig_Swivel_Count = 3;

// The house: the hero comes in at the first point, stops once past the second and meets the master
// at the third.
constexpr unsigned int Kilig_Rp_HouseStart = 0;
constexpr unsigned int Kilig_Rp_StopMark = 1;
constexpr unsigned int Kilig_Rp_Master = 2;
// Where the dungeon begins, once time travel is learnt.
constexpr unsigned int Kilig_Rp_DungeonStart = 3;
// The kill zone is the rectangle between these two.
constexpr unsigned int Kilig_Rp_KillZone[2] = {4, 5};
constexpr unsigned int Kilig_Rp_Imps[Kilig_Imp_Count] = {6, 7, 24, 25, 26, 30};
constexpr unsigned int Kilig_Rp_SpikeBalls[Kilig_SpikeBall_Count] = {31, 32, 33, 34, 35};
constexpr unsigned int Kilig_Rp_Podiums[Kilig_Podium_Count] = {39, 43, 81, 82, 83};
// Gem i lies in chest i at the same point.
constexpr unsigned int Kilig_Rp_Gems[Kilig_PickUp_Count] = {27, 42, 53, 87};

// The colours a ball carries (two of red 8, blue 16, green 32, yellow 64) and the picture that shows
// them, one per pair.
struct Kilig_BallIds
{
    unsigned int rp;
    int image;
    unsigned int colours;
};
constexpr Kilig_BallIds Kilig_Balls[Kilig_Object_Count] = {
    {12, 1, 40}, {13, 0, 24}, {14, 3, 48}, {19, 1, 40}, {20, 0, 24}, {21, 3, 48}, {22, 2, 72},
    {23, 5, 96}, {40, 0, 24}, {44, 3, 48}, {45, 4, 80}, {47, 5, 96}, {48, 2, 72}, {49, 3, 48},
    {50, 5, 96}, {51, 4, 80}, {52, 0, 24}, {84, 2, 72}, {85, 0, 24}, {86, 3, 48},
};

// The floor plates, switch i made of group i.
constexpr unsigned int Kilig_SwitchGroups[Kilig_Switch_Count] = {1,  16, 23, 51, 52, 53, 54, 55, 65,
                                                                 67, 69, 71, 81, 82, 83, 84, 85, 87};

// A row of spikes: where its left end stands, the phase of its cycle and how many spikes.
struct Kilig_SpikesIds
{
    unsigned int rp;
    int phase;
    int count;
};
// Rows 11 on run round a ring, a wave of raised spikes going round with them.
constexpr int Kilig_SpikeRing_First = 11;
constexpr Kilig_SpikesIds Kilig_SpikeRows[Kilig_Spikes_Count] = {
    {8, 0, 6},     {9, 135, 6},   {10, 0, 6},    {11, 135, 6},  {16, 0, 6},    {17, 0, 6},    {18, 0, 6},
    {28, 0, 10},   {29, 0, 10},   {37, 0, 10},   {38, 135, 10}, {54, 0, 12},   {55, 247, 12}, {56, 225, 12},
    {57, 202, 12}, {58, 180, 12}, {59, 157, 9},  {60, 135, 10}, {61, 112, 12}, {62, 90, 12},  {63, 67, 12},
    {64, 45, 12},  {65, 22, 4},   {66, 0, 12},   {67, 247, 12}, {68, 225, 12}, {69, 202, 12}, {70, 180, 9},
    {71, 157, 10}, {72, 135, 12}, {73, 112, 12}, {74, 90, 12},  {75, 67, 12},  {76, 45, 4},   {77, 22, 12},
    {78, 0, 12},   {79, 247, 12}, {80, 225, 12},
};

// Blob 0 stays put, blob 1 sways from side to side and blob 2 goes round a rectangle.
constexpr unsigned int Kilig_Rp_WavyBlobs[Kilig_WavyBlob_Count] = {15, 36, 89};

// What opens a door: a switch, a wavy blob once dead, or a podium with a ball on it.
enum Kilig_Opener
{
    Kilig_BySwitch,
    Kilig_ByBlob,
    Kilig_ByPodium,
};
struct Kilig_DoorIds
{
    unsigned int group;
    double distance;
    Kilig_Opener opener;
    int index; // of the switch, blob or podium
};
constexpr Kilig_DoorIds Kilig_Doors[Kilig_Door_Count] = {
    {2, 75.0, Kilig_BySwitch, 0},   {17, 50.0, Kilig_BySwitch, 1},  {56, 50.0, Kilig_BySwitch, 3},
    {57, 50.0, Kilig_BySwitch, 4},  {58, 50.0, Kilig_BySwitch, 5},  {59, 50.0, Kilig_BySwitch, 6},
    {60, 50.0, Kilig_BySwitch, 7},  {62, 75.0, Kilig_ByBlob, 0},    {61, 50.0, Kilig_ByBlob, 1},
    {63, 50.0, Kilig_ByPodium, 0},  {66, 50.0, Kilig_ByPodium, 1},  {70, 50.0, Kilig_BySwitch, 10},
    {72, 50.0, Kilig_BySwitch, 11}, {73, 50.0, Kilig_ByPodium, 2},  {74, 50.0, Kilig_ByPodium, 3},
    {75, 50.0, Kilig_ByPodium, 4},  {76, 50.0, Kilig_BySwitch, 12}, {77, 50.0, Kilig_BySwitch, 13},
    {78, 50.0, Kilig_BySwitch, 14}, {80, 50.0, Kilig_BySwitch, 16}, {88, 100.0, Kilig_ByBlob, 2},
};

// A lift swings by sin(angle) times its distance; its switch drives it, and it holds up the switch
// it blocks at every tick up to the last one the hero rode it.
struct Kilig_LiftIds
{
    unsigned int group;
    double distance;
    double startAngle;
    int driver;  // the switch that drives it
    int blocked; // the switch it holds up
};
constexpr Kilig_LiftIds Kilig_Lifts[Kilig_Lift_Count] = {
    {24, 160.0, 0.0, 2, 2},
    {86, 100.0, 1.5707963267949, 17, 15},
};

struct Kilig_SwivelIds
{
    unsigned int group;
    unsigned int pivot;
    int turnSwitch;
    bool fourWay;
};
constexpr Kilig_SwivelIds Kilig_Swivels[Kilig_Swivel_Count] = {
    {64, 41, 8, false},
    {68, 46, 9, true},
    {79, 88, 15, true},
};

// Walls that let the hero through while he holds a ball of their colour (the player's own rule),
// and the one that lets him through only with empty hands.
constexpr unsigned int Kilig_RedGate = 18;
constexpr unsigned int Kilig_BlueGate = 19;
constexpr unsigned int Kilig_GreenGate = 20;
constexpr unsigned int Kilig_YellowGate = 21;
constexpr unsigned int Kilig_EmptyHandsGate = 22;

// The groups that swing by themselves, two runs of them.
constexpr unsigned int Kilig_MovingGroups[2][2] = {{3, 15}, {25, 50}};

// Every group is one of the above; the map holds each of them.
constexpr unsigned int Kilig_LastGroup = 88;
constexpr unsigned int Kilig_LastRp = 89;
