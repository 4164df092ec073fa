// Chasm_Ids: the reference points of the canyon's map that the world reads by number and what stands
// at each; its generator (tools/worlds/chasm.cpp) places them from here.
#pragma once

constexpr int Chasm_Object_Count = 1;
constexpr int Chasm_Vine_Count = 16;
constexpr int Chasm_Vulture_Count = 32;
constexpr int Chasm_Hangon_Count = 364;
constexpr int Chasm_Jet_Count = 47;
constexpr int Chasm_KillZone_Count = 9;
constexpr int Chasm_Heart_Count = 7;
constexpr int Chasm_Gem_Count = 3;
constexpr int Chasm_PickUp_Count = Chasm_Heart_Count + Chasm_Gem_Count;
constexpr int Chasm_Chest_Count = 3;
constexpr int Chasm_FireBall_Count = 20;
constexpr int Chasm_Spider_Count = 31;
constexpr int Chasm_Wasp_Count = 27;
constexpr int Chasm_Grethyn_Count = 7;
constexpr int Chasm_Bat_Path_Count = 12;
constexpr int Chasm_Bat_Group_Count = 3;
constexpr int Chasm_Bat_Count = 68;
constexpr int Chasm_Sign_Count = 3;
constexpr int Chasm_Shmoo_Count = 27;

// The deep zone, where the camera holds a wide view, and the exit in it: the map's floor must reach
// past them.
constexpr double Chasm_ZoneX = 5200.0;  // the deep zone lies right of this
constexpr double Chasm_ZoneY = -5000.0; // and below this
constexpr double Chasm_ExitX = 5700.0;  // the exit: right of this, in the deep zone

constexpr unsigned int Chasm_Rp_Start = 0;
constexpr unsigned int Chasm_Rp_Fan = 630; // the fan lies 12 above it

// A vine hangs at the height of top; its first, second and third hit drop it to the heights of a,
// b and c.
struct Chasm_VineIds
{
    unsigned int top, a, b, c;
};
constexpr Chasm_VineIds Chasm_Vines[Chasm_Vine_Count] = {
    {318, 345, 345, 345}, {319, 345, 345, 345}, {346, 347, 347, 347}, {348, 349, 349, 349},
    {350, 351, 351, 351}, {353, 354, 354, 354}, {432, 438, 438, 438}, {433, 439, 439, 439},
    {434, 440, 440, 440}, {435, 441, 441, 441}, {436, 442, 442, 442}, {437, 443, 443, 443},
    {492, 493, 493, 493}, {494, 495, 495, 495}, {496, 497, 497, 497}, {498, 498, 498, 498},
};

// count vultures patrol from the x of from to the x of to, swooping down to the height of swoop.
struct Chasm_VultureIds
{
    unsigned int from, to, swoop;
    int count;
};
constexpr Chasm_VultureIds Chasm_Vultures[] = {
    {22, 23, 24, 8}, {53, 54, 55, 6}, {56, 57, 58, 3}, {246, 247, 248, 7}, {639, 640, 641, 8},
};

// count consecutive reference points from first.
struct Chasm_RefRun
{
    unsigned int first;
    int count;
};
// The flowers, in slot order. The last run is the row the road crosses the canyon by.
constexpr Chasm_RefRun Chasm_Flowers[] = {
    {1, 21},   {25, 28}, {73, 13}, {98, 52},  {153, 1},  {199, 47}, {255, 31}, {294, 11},
    {545, 85}, {644, 9}, {653, 1}, {728, 37}, {779, 12}, {792, 10}, {803, 6},
};
constexpr unsigned int Chasm_Rp_FixedFlower = 653;
constexpr unsigned int Chasm_Rp_RoadFlowers = 803;
constexpr int Chasm_RoadFlower_Count = 6;

// count jets at consecutive points from first, blowing along direction (0 +y, 1 -y, 2 -x, 3 +x),
// with a flame of length particles; each period is wait ticks without the flame, then fire ticks
// of it; phase -1 draws one.
struct Chasm_JetIds
{
    unsigned int first;
    int count;
    int direction;
    int length;
    int wait;
    int fire;
    int phase;
};
constexpr Chasm_JetIds Chasm_Jets[] = {
    {86, 4, 3, 40, 250, 100, -1},   {90, 8, 3, 80, 250, 100, -1},   {150, 3, 1, 80, 250, 100, -1},
    {154, 1, 2, 40, 250, 100, -1},  {159, 1, 0, 40, 250, 100, -1},  {160, 1, 1, 20, 250, 100, -1},
    {161, 1, 1, 30, 250, 100, -1},  {162, 1, 0, 30, 250, 100, -1},  {163, 1, 1, 30, 250, 100, -1},
    {164, 1, 0, 30, 250, 100, -1},  {165, 1, 1, 30, 350, 100, 0},   {166, 1, 1, 30, 350, 100, 80},
    {167, 1, 1, 30, 350, 100, 160}, {168, 1, 1, 30, 350, 100, 240}, {169, 1, 1, 30, 350, 100, 320},
    {170, 1, 1, 30, 350, 100, 400}, {197, 1, 3, 80, 250, 100, 0},   {198, 1, 3, 80, 250, 100, 175},
    {253, 2, 3, 80, 250, 100, -1},  {292, 2, 3, 80, 250, 100, -1},  {305, 1, 1, 80, 250, 100, -1},
    {306, 6, 3, 80, 100, 100, -1},  {642, 2, 3, 80, 250, 100, -1},  {765, 4, 3, 80, 250, 100, -1},
};

// The kill zones' corners; the slots without (Chasm_NoZone) stay empty.
constexpr unsigned int Chasm_NoZone = 0;
constexpr unsigned int Chasm_KillZones[Chasm_KillZone_Count][2] = {
    {155, 156},
    {171, 172},
    {181, 182},
    {316, 317},
    {320, 321},
    {Chasm_NoZone, Chasm_NoZone},
    {Chasm_NoZone, Chasm_NoZone},
    {511, 512},
    {722, 723},
};

constexpr unsigned int Chasm_Rp_Hearts[Chasm_Heart_Count] = {157, 194, 357, 416, 499, 721, 727};
// Gem k lies in chest k, which its grid puzzle opens.
constexpr unsigned int Chasm_Rp_Chests[Chasm_Chest_Count] = {777, 778, 791};
constexpr int Chasm_ChestPuzzles[Chasm_Chest_Count] = {8, 12, 13};

// A spider hangs from ref on a thread of at most length.
struct Chasm_SpiderIds
{
    unsigned int ref;
    double length;
};
constexpr Chasm_SpiderIds Chasm_Spiders[Chasm_Spider_Count] = {
    {183, 120}, {184, 130}, {185, 100}, {186, 110}, {187, 100}, {188, 100}, {189, 100}, {322, 150},
    {323, 110}, {324, 70},  {325, 80},  {326, 90},  {327, 100}, {328, 120}, {329, 120}, {330, 110},
    {331, 100}, {332, 80},  {333, 80},  {334, 80},  {335, 90},  {336, 100}, {337, 110}, {338, 125},
    {339, 125}, {340, 120}, {341, 105}, {342, 90},  {343, 100}, {344, 110}, {423, 80},
};

// Each wasp flies about the rectangle of its two points.
constexpr unsigned int Chasm_Wasps[Chasm_Wasp_Count][2] = {
    {190, 191}, {195, 196}, {249, 250}, {251, 252}, {286, 287}, {286, 287}, {288, 289}, {288, 289}, {290, 291},
    {290, 291}, {501, 502}, {503, 504}, {505, 506}, {507, 508}, {509, 510}, {631, 632}, {631, 632}, {633, 634},
    {633, 634}, {635, 636}, {635, 636}, {637, 638}, {637, 638}, {769, 770}, {771, 772}, {773, 774}, {775, 776},
};

constexpr unsigned int Chasm_Rp_Grethyns[Chasm_Grethyn_Count] = {192, 193, 500, 541, 542, 543, 544};

// How a bat path is built, call by call: a waypoint at a heading towards b; count waypoints from the
// pairs (a, a + 1), (a + 2, a + 3), ...; or the join onto bat path a, built before, and its sections.
enum Chasm_BatStepKind
{
    Chasm_BatSection,
    Chasm_BatSections,
    Chasm_BatPath,
};
struct Chasm_BatStep
{
    Chasm_BatStepKind kind;
    unsigned int a;
    unsigned int b; // the heading's point, or the count of waypoints
};
constexpr int Chasm_BatSteps_Max = 4;
struct Chasm_BatPathIds
{
    int count;
    Chasm_BatStep steps[Chasm_BatSteps_Max];
};
constexpr Chasm_BatPathIds Chasm_BatPaths[Chasm_Bat_Path_Count] = {
    {2, {{Chasm_BatSection, 382, 383}, {Chasm_BatSections, 358, 12}}},
    {2, {{Chasm_BatSections, 394, 8}, {Chasm_BatSections, 366, 8}}},
    {2, {{Chasm_BatSection, 410, 411}, {Chasm_BatPath, 1, 0}}},
    {4,
     {{Chasm_BatSection, 412, 413},
      {Chasm_BatSection, 414, 415},
      {Chasm_BatSections, 402, 4},
      {Chasm_BatSections, 366, 8}}},
    {3, {{Chasm_BatSections, 460, 8}, {Chasm_BatSection, 410, 411}, {Chasm_BatPath, 0, 0}}},
    {4,
     {{Chasm_BatSections, 476, 4}, {Chasm_BatSections, 468, 4}, {Chasm_BatSection, 410, 411}, {Chasm_BatPath, 1, 0}}},
    {3, {{Chasm_BatSections, 484, 4}, {Chasm_BatSections, 466, 5}, {Chasm_BatPath, 2, 0}}},
    {1, {{Chasm_BatSections, 684, 7}}},
    {2, {{Chasm_BatSections, 699, 3}, {Chasm_BatSections, 692, 3}}},
    {2, {{Chasm_BatSections, 705, 3}, {Chasm_BatSections, 692, 3}}},
    {4,
     {{Chasm_BatSection, 711, 712},
      {Chasm_BatSection, 713, 714},
      {Chasm_BatSection, 703, 704},
      {Chasm_BatSections, 692, 3}}},
    {2, {{Chasm_BatSections, 715, 3}, {Chasm_BatSections, 692, 3}}},
};

// A flock sleeps until the player comes within radius of its point.
struct Chasm_BatGroupIds
{
    unsigned int ref;
    double radius;
};
constexpr Chasm_BatGroupIds Chasm_BatGroups[Chasm_Bat_Group_Count] = {{410, 60.0}, {459, 80.0}, {698, 80.0}};

// A bat roosts at ref and flies bat path path once its flock wakes.
struct Chasm_BatIds
{
    unsigned int ref;
    int path;
};
// Flock 0, then flock 1's fourteen roosts (two bats at each), then flock 2's thirty.
constexpr Chasm_BatIds Chasm_Flock0[] = {{393, 1}, {384, 3}, {385, 0}, {386, 3}, {387, 3},
                                         {388, 1}, {389, 1}, {390, 0}, {391, 2}, {392, 2}};
constexpr Chasm_BatIds Chasm_Flock1[] = {{445, 4}, {446, 5}, {447, 5}, {448, 4}, {449, 5}, {450, 4}, {451, 5},
                                         {452, 4}, {453, 4}, {454, 6}, {455, 6}, {456, 6}, {457, 6}, {458, 6}};
constexpr int Chasm_Flock1_Repeats = 2;
constexpr unsigned int Chasm_Flock2_First = 654;
constexpr int Chasm_Flock2_Count = 30;
constexpr int Chasm_Flock2_FirstPath = 7;
constexpr int Chasm_Flock2_Paths = 5;

constexpr unsigned int Chasm_Rp_Signs[Chasm_Sign_Count] = {809, 810, 811};

// count shmoos stand on the ground below ground + k * step and jump to the height of top + k * step.
struct Chasm_ShmooIds
{
    unsigned int ground, top;
    int count;
    int step;
};
constexpr Chasm_ShmooIds Chasm_Shmoos[] = {{59, 66, 7, 1}, {417, 424, 6, 1}, {513, 514, 14, 2}};

// A fireball flies from ref at angle (radians from +y) and speed for length ticks of every period;
// phase -1 draws one. Slot 12 stays empty (ref Chasm_NoBall).
constexpr unsigned int Chasm_NoBall = 0;
struct Chasm_FireBallIds
{
    unsigned int ref;
    double angle;
    double speed;
    int length;
    int period;
    int phase;
};
constexpr Chasm_FireBallIds Chasm_FireBalls[Chasm_FireBall_Count] = {
    {173, 0.0, 8.0, 79, 200, -1},      {174, 0.0, 9.0, 89, 200, -1},      {175, 0.0, 10.0, 99, 200, -1},
    {176, 0.0, 12.0, 120, 200, -1},    {177, 0.08, 16.0, 199, 200, -1},   {178, -0.3, 15.6, 209, 210, -1},
    {179, 0.2, 8.0, 100, 200, -1},     {180, -0.13, 17.0, 180, 200, -1},  {312, 0.5, 11.0, 204, 204, -1},
    {313, -0.4, 10.0, 91, 200, -1},    {314, -0.1, 12.0, 119, 200, -1},   {315, -0.2, 10.0, 213, 213, -1},
    {Chasm_NoBall, 0.0, 0.0, 0, 1, 0}, {724, -0.05, 21.0, 527, 600, 0},   {724, -0.05, 21.0, 527, 600, 200},
    {724, -0.05, 21.0, 527, 600, 400}, {725, 0.1, 23.0, 360, 400, 0},     {725, 0.1, 23.0, 360, 400, 200},
    {726, -0.14, 23.0, 508, 600, 0},   {726, -0.14, 23.0, 508, 600, 300},
};
