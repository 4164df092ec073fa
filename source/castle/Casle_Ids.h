// Casle_Ids: the reference points, map groups and room rectangles of the castle's map that the world reads;
// its generator (tools/worlds/castle.cpp) writes them from here.
#pragma once

using Casle_GroupId = unsigned int;

// Reference points.
constexpr unsigned int Casle_Rp_Cog = 0;     // the cog lies here
constexpr unsigned int Casle_Rp_Owner = 1;   // the castle's owner stands here
constexpr unsigned int Casle_Rp_Machine = 2; // the machine that wants the cog
constexpr unsigned int Casle_Rp_SwivelCentre = 27;
constexpr unsigned int Casle_Rp_Socks = 36;
constexpr unsigned int Casle_Rp_Start = 37;
constexpr unsigned int Casle_Rp_Gem1 = 39; // chest 1 over gem 1
constexpr unsigned int Casle_Rp_Gem2 = 40; // chest 2 over gem 2

constexpr int Casle_Switch_Count = 22;
constexpr int Casle_Door_Count = 19;
constexpr int Casle_Lift_Count = 5;
constexpr int Casle_PushOver_Count = 3;
constexpr int Casle_Object_Count = 12;
constexpr int Casle_Object_Image_Count = 3;
constexpr int Casle_Lights_Count = 2;
constexpr int Casle_Lasers_Count = 7;
constexpr int Casle_Laser_Targets_Count = 8;
constexpr int Casle_Eyes_Count = 4;
constexpr int Casle_Podiums_Count = 2;
constexpr int Casle_MultiHits_Count = 3;
constexpr int Casle_Swivels_Count = 1;
constexpr int Casle_PickUp_Count = 3;
constexpr int Casle_Chest_Count = 2;
constexpr int Casle_Mirrors_Count = 7;
constexpr int Casle_Crystals_Count = 4;

// The castle's objects, which the player carries: the cog, the mirrors and the crystals. Index i
// is castle object i + 1.
enum Casle_ObjectImage
{
    Casle_Image_Cog = 0,
    Casle_Image_Mirror = 1,
    Casle_Image_Crystal = 2,
};
struct Casle_ObjectIds
{
    unsigned int rp;
    Casle_ObjectImage image;
    unsigned int id;
    bool rotates; // the mirrors turn in the hand
};
constexpr Casle_ObjectIds Casle_Objects[Casle_Object_Count] = {
    {0, Casle_Image_Cog, 0, false},      {3, Casle_Image_Mirror, 1, true},   {14, Casle_Image_Crystal, 2, false},
    {15, Casle_Image_Crystal, 3, false}, {20, Casle_Image_Mirror, 4, true},  {21, Casle_Image_Mirror, 5, true},
    {22, Casle_Image_Mirror, 6, true},   {24, Casle_Image_Mirror, 7, true},  {28, Casle_Image_Crystal, 8, false},
    {29, Casle_Image_Crystal, 9, false}, {34, Casle_Image_Mirror, 10, true}, {35, Casle_Image_Mirror, 11, true},
};
// Which castle objects (indices into Casle_Objects) are the mirrors and the crystals, in order.
constexpr int Casle_MirrorObjects[Casle_Mirrors_Count] = {1, 4, 5, 6, 7, 10, 11};
constexpr int Casle_CrystalObjects[Casle_Crystals_Count] = {2, 3, 8, 9};
constexpr int Casle_CogObject = 0;

// Floor switches 1 to 22: the groups of their plates.
constexpr Casle_GroupId Casle_SwitchGroups[Casle_Switch_Count] = {71, 3,  5,  7,  9,  24, 11, 14, 25, 26, 27,
                                                                  41, 47, 48, 49, 50, 51, 52, 53, 54, 60, 61};

// Lifts 1 to 5, each worked by one switch (an index into the switches) that it also blocks.
struct Casle_LiftIds
{
    Casle_GroupId group;
    double amplitude;
    double startPhase; // radians
    int switchIndex;
};
constexpr Casle_LiftIds Casle_Lifts[Casle_Lift_Count] = {
    {72, 125.0, 0.0, 6},
    {28, 125.0, 0.0, 8},
    {29, 125.0, 0.0, 9},
    {30, 125.0, 0.0, 10},
    {70, 145.0, 1.5707963267949, 0},
};

constexpr Casle_GroupId Casle_PushOverGroups[Casle_PushOver_Count] = {13, 62, 68};

// The lamps of light groups 1 and 2, and how long a hit keeps each lamp lit (0: for good).
struct Casle_LightsIds
{
    unsigned int rp[3];
    int duration;
};
constexpr Casle_LightsIds Casle_LightGroups[Casle_Lights_Count] = {{{4, 5, 6}, 0}, {{8, 9, 10}, 80}};

// Laser targets 1 to 8: a target shares its group with whatever it is made of (2 and 4 are
// the plates of switches 6 and 12).
constexpr Casle_GroupId Casle_TargetGroups[Casle_Laser_Targets_Count] = {19, 24, 38, 41, 43, 45, 59, 66};

// Lasers 1 to 7 at their reference points; the beam leaves at angle radians from +y.
struct Casle_LaserIds
{
    unsigned int rp;
    double angle;
    bool alwaysOn;
};
constexpr Casle_LaserIds Casle_Lasers[Casle_Lasers_Count] = {
    {7, 3.1415926535898, true},  {12, 2.7, false}, {13, 3.54, false},
    {18, 3.1415926535898, true}, {19, 3.6, false}, {23, 3.1415926535898, true},
    {33, 3.1415926535898, true},
};

// Watching eyes 1 to 4 and the laser (an index into the lasers) each fires; -1 none.
struct Casle_EyeIds
{
    unsigned int rp;
    int laserIndex;
};
constexpr double Casle_EyeSight = 400.0;
constexpr Casle_EyeIds Casle_Eyes[Casle_Eyes_Count] = {{11, -1}, {12, 1}, {13, 2}, {19, 4}};

// Podium pairs: each crystal (an index into Casle_Objects) with the podium it belongs to.
struct Casle_PodiumIds
{
    int crystal0;
    unsigned int podium0;
    int crystal1;
    unsigned int podium1;
};
constexpr Casle_PodiumIds Casle_PodiumPairs[Casle_Podiums_Count] = {{2, 16, 3, 17}, {8, 30, 9, 31}};

// The symbol lock's plates are switches 13 to 20.
constexpr int Casle_FirstSymbolSwitch = 12;

// Multi-hit blocks 1 to 3: the mark hit, the group that rises and how it rises and sinks.
struct Casle_MultiHitIds
{
    unsigned int rp;
    Casle_GroupId group;
    double maxDist;
    int period; // ticks; 0 never sinks
    double stepDist;
    double fallDist;
};
constexpr Casle_MultiHitIds Casle_MultiHits[Casle_MultiHits_Count] = {
    {25, 56, 50.0, 0, 1.0, 0.0}, {26, 57, 50.0, 100, 0.4, 2.0}, {32, 67, 50.0, 60, 0.4, 3.0}};

// The swivel turns group 58 about its centre, worked by switches 21 and 22.
constexpr Casle_GroupId Casle_SwivelGroup = 58;
constexpr int Casle_SwivelSwitchA = 20;
constexpr int Casle_SwivelSwitchB = 21;

// The machine is started by switch 8.
constexpr int Casle_MachineSwitch = 7;

// Doors 1 to 19 and the one thing each waits for.
enum Casle_DoorDriver
{
    Casle_Driver_Switch,
    Casle_Driver_Lights,
    Casle_Driver_Target,
    Casle_Driver_Machine,
    Casle_Driver_Podiums,
    Casle_Driver_Symbols,
};
struct Casle_DoorIds
{
    Casle_GroupId group;
    double distance;
    int direction; // 0 opens along +y, 3 along +x
    Casle_DoorDriver driver;
    int index; // of the switch, light group, target or podium pair that drives it
};
constexpr Casle_DoorIds Casle_Doors[Casle_Door_Count] = {
    {2, 50.0, 0, Casle_Driver_Switch, 0},   {4, 50.0, 0, Casle_Driver_Switch, 1},
    {6, 50.0, 0, Casle_Driver_Switch, 2},   {8, 50.0, 0, Casle_Driver_Switch, 3},
    {10, 100.0, 0, Casle_Driver_Switch, 4}, {23, 50.0, 0, Casle_Driver_Switch, 5},
    {16, 50.0, 0, Casle_Driver_Lights, 0},  {21, 50.0, 0, Casle_Driver_Lights, 1},
    {20, 150.0, 3, Casle_Driver_Target, 0}, {15, 50.0, 0, Casle_Driver_Machine, 0},
    {22, 50.0, 0, Casle_Driver_Podiums, 0}, {39, 50.0, 0, Casle_Driver_Target, 2},
    {40, 50.0, 0, Casle_Driver_Switch, 11}, {42, 50.0, 0, Casle_Driver_Target, 4},
    {44, 50.0, 0, Casle_Driver_Target, 5},  {46, 50.0, 0, Casle_Driver_Symbols, 0},
    {63, 50.0, 0, Casle_Driver_Podiums, 1}, {64, 75.0, 0, Casle_Driver_Target, 6},
    {69, 45.0, 0, Casle_Driver_Target, 7},
};

// The entrance: door 1's group, which the owner's fee raises.
constexpr Casle_GroupId Casle_EntranceGroup = 2;
constexpr double Casle_EntranceRise = 50.0;

// The castle's scripted moving groups.
constexpr Casle_GroupId Casle_Group_FirstLift = 12;
constexpr Casle_GroupId Casle_Group_BlockedLiftA = 17;
constexpr Casle_GroupId Casle_Group_BlockedLiftB = 18;
constexpr Casle_GroupId Casle_Group_LiftPuzzle1 = 31;
constexpr Casle_GroupId Casle_Group_LiftPuzzle2A = 32;
constexpr Casle_GroupId Casle_Group_LiftPuzzle2B = 33;
constexpr Casle_GroupId Casle_Group_SwipeA = 34;
constexpr Casle_GroupId Casle_Group_SwipeB = 35;
constexpr Casle_GroupId Casle_Group_SwipeC = 36;
constexpr Casle_GroupId Casle_Group_LiftPuzzle2C = 37;
constexpr Casle_GroupId Casle_Group_LiftToMultiHit = 55;
constexpr Casle_GroupId Casle_MoverGroups[] = {
    Casle_Group_FirstLift,    Casle_Group_BlockedLiftA, Casle_Group_BlockedLiftB,   Casle_Group_LiftPuzzle1,
    Casle_Group_LiftPuzzle2A, Casle_Group_LiftPuzzle2B, Casle_Group_SwipeA,         Casle_Group_SwipeB,
    Casle_Group_SwipeC,       Casle_Group_LiftPuzzle2C, Casle_Group_LiftToMultiHit,
};

// The rooms: rectangles of the map, x0 <= x < x1 and y0 <= y < y1. Room 32 is two rectangles.
struct Casle_RoomRect
{
    int room;
    double x0, x1, y0, y1;
};
constexpr int Casle_Room_Count = 38;
constexpr int Casle_RoomRect_Count = 39;
constexpr Casle_RoomRect Casle_RoomRects[Casle_RoomRect_Count] = {
    {0, 930, 1305, 1090, 3250},   {1, 1305, 1740, 1090, 3250},  {2, 1740, 2410, 3120, 3440},
    {3, 1220, 1740, 3280, 3660},  {4, 1120, 1760, 3660, 4120},  {5, 400, 1120, 3580, 4170},
    {6, -310, 400, 3740, 4270},   {7, -620, -310, 3840, 4090},  {8, 660, 1220, 3290, 3580},
    {9, 2870, 3350, 3380, 3870},  {10, 2240, 2870, 3650, 4120}, {11, 2170, 3900, 4640, 5090},
    {12, 1760, 2240, 3650, 5100}, {13, 2500, 2840, 4390, 4700}, {14, 2690, 3330, 3870, 4390},
    {15, 2940, 3520, 5070, 5550}, {16, 2480, 2940, 5300, 5700}, {17, 2120, 2480, 5450, 5700},
    {18, 1000, 2120, 5450, 5800}, {19, 3900, 4470, 4500, 4970}, {20, 4470, 5040, 4560, 4970},
    {21, 4100, 4520, 4970, 5340}, {22, 4520, 5030, 5200, 5560}, {23, 5030, 5400, 5200, 5560},
    {24, 5400, 5830, 5200, 5550}, {25, 5830, 6370, 5200, 5550}, {26, 6370, 6570, 5200, 5380},
    {27, 6370, 7090, 5200, 5600}, {28, 7090, 7400, 5340, 5550}, {29, 3960, 4460, 4100, 4500},
    {30, 3640, 3960, 4100, 4500}, {31, 3400, 3640, 4100, 4300}, {32, 5040, 5690, 4630, 4900},
    {32, 5250, 5490, 4430, 4630}, {33, 5490, 5930, 4110, 4560}, {34, 4460, 4980, 4100, 4470},
    {35, 4980, 5490, 4100, 4350}, {36, 5690, 6160, 4590, 4740}, {37, 5930, 6500, 4340, 4590},
};
// Above it the camera looks along the castle's top; no room there.
constexpr double Casle_TopZoneY = 6700.0;

// The exits: the far one beyond room 37, the entrance left of the hall.
constexpr double Casle_FarExitX = 6460.0;
constexpr double Casle_FarExitY = 4500.0;
constexpr double Casle_EntranceExitX = 870.0;
constexpr double Casle_EntranceExitY = 3200.0;
