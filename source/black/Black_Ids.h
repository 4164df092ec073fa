// Black_Ids: the reference points and map groups of the Black mountains' map that the world reads, with
// the tables of what stands at them; its generator (tools/worlds/black.cpp) places them from here.
#pragma once

constexpr unsigned int Black_Rp_Start = 0;    // where the player starts
constexpr unsigned int Black_Rp_Ogre = 10;    // the ogre's feet, 0 to 10 above the floor of its pass
constexpr unsigned int Black_Rp_Boulder = 11; // the boulder's centre, resting above its ledge

// Map groups that do not move: the barrier beside the ogre, which opens once the ogre is dead (and to
// a dead but walking player), and the wall that only a living player passes.
constexpr unsigned int Black_Group_OgreGate = 1;
constexpr unsigned int Black_Group_LivingGate = 2;

// Map groups that move by themselves: the lifts run round one looping track, the others bob or swing.
constexpr unsigned int Black_Group_Bob = 5;       // bobs up and down
constexpr unsigned int Black_Group_FirstLift = 7; // the lifts are groups 7 to 14
constexpr unsigned int Black_Group_LastLift = 14;
constexpr unsigned int Black_Group_FirstSwing = 15; // swinging and bobbing platforms 15 to 21
constexpr unsigned int Black_Group_LastSwing = 21;
constexpr unsigned int Black_Group_SwingA = 15;          // side to side
constexpr unsigned int Black_Group_DeepBob = 16;         // up and down, the deepest
constexpr unsigned int Black_Group_SwingB = 17;          // side to side
constexpr unsigned int Black_Group_FirstShallowBob = 18; // 18 to 21 up and down a little
constexpr int Black_MovingGroup_Count = 16;
// The lifts first, then the platforms: the order they are moved in.
constexpr unsigned int Black_MovingGroups[Black_MovingGroup_Count] = {7, 8,  9,  10, 11, 12, 13, 14,
                                                                      5, 15, 16, 17, 18, 19, 20, 21};

constexpr int Black_Shmoo_Count = 15;
constexpr int Black_SplitShmoo_Count = 3;
constexpr int Black_Vulture_Count = 27;
constexpr int Black_PickUp_Count = 6;
constexpr int Black_Spider_Count = 20;
constexpr int Black_Sign_Count = 5;
constexpr int Black_Rock_Count = 6;
constexpr int Black_Mozzy_Count = 25;
constexpr int Black_Goblin_Count = 4;
constexpr int Black_GoblinDefend_Count = 13;
constexpr int Black_KillZone_Count = 27;
constexpr int Black_Imp_Count = 3;
constexpr int Black_WavyBlob_Count = 2;
constexpr int Black_Wasp_Count = 10;
constexpr int Black_Door_Count = 3;

// Two reference points: the ends of a beat, the corners of a rectangle, a place and a height.
struct Black_Pair
{
    unsigned int a;
    unsigned int b;
};

constexpr unsigned int Black_Rp_Hearts[Black_PickUp_Count] = {203, 204, 205, 206, 207, 208};
constexpr unsigned int Black_Rp_Signs[Black_Sign_Count] = {1, 4, 12, 86, 209};

// Vultures fly in flocks on shared points: start, end (at least 100.5 right of the start) and the
// point that sets how deep they swoop.
struct Black_Flock
{
    unsigned int start;
    unsigned int end;
    unsigned int swoop;
    int count;
};
constexpr Black_Flock Black_Flocks[] = {
    {188, 189, 190, 5}, {191, 192, 193, 4}, {194, 195, 196, 5}, {197, 198, 199, 8}, {200, 201, 202, 5},
};
constexpr int Black_Vulture_HitPoints = 6;

struct Black_SpiderPlace
{
    unsigned int rp;  // where its thread hangs from
    double maxLength; // of its thread
    int hitPoints;
};
constexpr Black_SpiderPlace Black_Spiders[Black_Spider_Count] = {
    {5, 130.0, 6},  {6, 120.0, 6},  {7, 160.0, 6},  {8, 110.0, 6},   {9, 130.0, 6},   {14, 120.0, 6},  {15, 170.0, 6},
    {16, 140.0, 6}, {96, 60.0, 8},  {97, 60.0, 8},  {98, 60.0, 8},   {99, 60.0, 8},   {100, 70.0, 8},  {101, 50.0, 8},
    {102, 60.0, 8}, {103, 50.0, 8}, {104, 50.0, 8}, {139, 140.0, 8}, {140, 150.0, 8}, {141, 180.0, 8},
};

// A mozzy beats between its first point and its second, 6 or more right of the first.
constexpr Black_Pair Black_Mozzies[Black_Mozzy_Count] = {
    {25, 26},   {27, 28},   {29, 30},   {29, 30},   {105, 106}, {108, 109}, {116, 118}, {116, 118}, {117, 119},
    {117, 119}, {118, 120}, {118, 120}, {119, 121}, {119, 121}, {120, 122}, {120, 122}, {143, 144}, {156, 157},
    {156, 157}, {156, 157}, {166, 167}, {167, 160}, {161, 162}, {175, 176}, {177, 178},
};
constexpr int Black_Mozzy_HitPoints = 8;

struct Black_GoblinPlace
{
    unsigned int start;
    unsigned int left; // its limits, left first
    unsigned int right;
};
// Goblins 2 to 4 start where rock-throwing goblins 7 to 9 stand.
constexpr Black_GoblinPlace Black_Goblins[Black_Goblin_Count] = {
    {33, 31, 32}, {87, 90, 91}, {88, 92, 93}, {89, 94, 95}};
constexpr int Black_Goblin_HitPoints = 12;

constexpr unsigned int Black_Rp_GoblinDefenders[Black_GoblinDefend_Count] = {34, 35, 36,  58,  59,  60, 87,
                                                                             88, 89, 149, 179, 180, 181};
constexpr int Black_GoblinDefend_HitPoints = 16;
// Door 1 opens once rock-throwing goblins 7, 8 and 9 (indices 6 to 8) are dead.
constexpr int Black_DenGuard_First = 6;
constexpr int Black_DenGuard_Count = 3;

// A kill zone is the rectangle between its two points.
constexpr Black_Pair Black_KillZones[Black_KillZone_Count] = {
    {38, 39},   {40, 41},   {42, 43},   {44, 45},   {46, 47},   {48, 49},   {50, 51},   {52, 53},   {54, 55},
    {56, 57},   {110, 111}, {112, 113}, {114, 115}, {123, 124}, {125, 126}, {127, 128}, {129, 130}, {131, 132},
    {133, 134}, {135, 136}, {137, 138}, {145, 146}, {150, 151}, {158, 159}, {163, 164}, {165, 168}, {169, 170},
};

constexpr unsigned int Black_Rp_Imps[Black_Imp_Count] = {37, 61, 62};
constexpr int Black_Imp_HitPoints = 14;

// Blob 1 runs round a rectangle about its home point, backwards; blob 2 keeps its place. Door 2 opens
// once blob 1 is dead, door 3 once blob 2 is.
constexpr unsigned int Black_Rp_WavyBlobs[Black_WavyBlob_Count] = {107, 142};
constexpr int Black_WavyBlob_HitPoints = 8;
constexpr int Black_WavyBlob_ArmHitPoints = 10;
constexpr double Black_BlobRound_Width = 520.0;
constexpr double Black_BlobRound_Height = 450.0;
constexpr double Black_BlobRound_Speed = 1.0; // units per tick

// A wasp wanders inside the rectangle of its two points.
constexpr Black_Pair Black_Wasps[Black_Wasp_Count] = {
    {152, 153}, {154, 155}, {171, 172}, {173, 174}, {171, 172},
    {173, 174}, {182, 183}, {182, 183}, {184, 185}, {186, 187},
};
constexpr int Black_Wasp_HitPoints = 24;
constexpr double Black_Wasp_Scale = 1.0;

// Doors slide up, each made of its map group.
struct Black_DoorPlace
{
    unsigned int group;
    double distance;
    double speed; // units per tick
};
constexpr Black_DoorPlace Black_Doors[Black_Door_Count] = {{3, 80.0, 1.0}, {4, 80.0, 1.0}, {6, 120.0, 1.0}};

// A shmoo stands on the ground below its first point and hops to the height of its second.
constexpr Black_Pair Black_Shmoos[Black_Shmoo_Count] = {
    {17, 18}, {19, 20}, {21, 22}, {23, 24}, {63, 64}, {65, 66}, {67, 68}, {69, 70},
    {71, 72}, {73, 74}, {75, 76}, {77, 78}, {79, 80}, {81, 82}, {83, 84},
};
constexpr int Black_Shmoo_HitPoints = 4;

struct Black_SplitShmooPlace
{
    unsigned int rp;
    double range; // half the width in x about the point in which its instances land
    double scale; // of its instances
};
constexpr Black_SplitShmooPlace Black_SplitShmoos[Black_SplitShmoo_Count] = {
    {13, 180.0, 1.0}, {147, 300.0, 1.0}, {148, 300.0, 1.0}};

// A stream of rocks is thrown from its point (angle 0 up, growing towards +x) and rolls over the map
// along the path of its steps.
struct Black_StreamPlace
{
    unsigned int rp;
    double angle;
    double speed; // units per tick
    int steps;
    int rocks;
};
constexpr Black_StreamPlace Black_Streams[Black_Rock_Count] = {
    {2, -0.3, 2.5, 1380, 5},
    {2, -0.5, 2.2, 1214, 4},
    {3, -0.78539816339745, 0.5, 1377, 5},
    {3, -0.7, 1.3, 1371, 4},
    {85, 1.0471975511966, 2.0, 1352, 6},
    {85, 0.0, 0.0, 1047, 5},
};

// The boulder is launched straight to the left.
constexpr double Black_Boulder_Angle = -1.5707963267949;
constexpr double Black_Boulder_Speed = 4.0;
constexpr int Black_Boulder_Steps = 241;
