// Tower_Ids: the reference points and map groups of the tower's map that the world reads by number;
// its generator (tools/worlds/tower.cpp) writes them from here.
#pragma once

constexpr int Tower_Switch_Count = 12;
constexpr int Tower_Scaler_Count = 26;
constexpr int Tower_Spikes_Count = 7;
constexpr int Tower_SpikeBall_Count = 38;
constexpr int Tower_KillZone_Count = 12;
constexpr int Tower_Wasp_Count = 10;
constexpr int Tower_Door_Count = 18;
constexpr int Tower_Shmoo_Count = 3;
constexpr int Tower_SplitShmoo_Count = 4;
constexpr int Tower_HitTarget_Count = 34;
constexpr int Tower_PickUp_Count = 4;
constexpr int Tower_Chest_Count = 2;
constexpr int Tower_Spider_Count = 3;
constexpr int Tower_TargetPath_Count = 15;
constexpr int Tower_TrackTarget_Count = 12; // hit targets 1 to 12 run round the track
constexpr int Tower_Bob_Count = 14;         // hit targets 20 to 33 pop in and out

constexpr double Tower_MainExitX = 13800.0;   // beyond it the tower is completed
constexpr double Tower_SecondExitX = -9500.0; // below it the player leaves by the second exit

constexpr unsigned int Tower_Rp_Start = 0;
constexpr unsigned int Tower_Rp_Track = 58;          // the middle of the round track
constexpr unsigned int Tower_Rp_RingedTarget = 91;   // the target inside its ring of anti-targets
constexpr unsigned int Tower_Rp_SmallTarget = 45;    // hit target 0, which opens door 7
constexpr unsigned int Tower_Rp_HoppingTop = 28;     // how high the hopping blobs hop
constexpr unsigned int Tower_Rp_FirstStillBall = 69; // spike balls 6 to 26 stand at 69 to 89

// Map groups moved by the tower's own movers (the platforms over spikes, the swing and the cars).
constexpr unsigned int Tower_Group_OverSpikes = 3;
constexpr unsigned int Tower_Group_Swing = 25;
constexpr unsigned int Tower_Group_OverSpikes2 = 26;
constexpr unsigned int Tower_Group_FirstCar = 28;
constexpr unsigned int Tower_Group_LastCar = 35;
// The balance scales' pan and lift, and where their lights stand.
constexpr unsigned int Scales_Scales_Group = 8;
constexpr unsigned int Scales_Lift_Group = 9;
constexpr unsigned int Scales_Lights_Ref = 33;
// Hidden in the whole-tower view, and from the moment the player reaches the tower's foot.
constexpr unsigned int Tower_Group_HiddenFar = 44;
constexpr unsigned int Tower_Group_HiddenNear = 45;

// A floor switch: its plate's map group and the smallest player that presses it.
struct Tower_SwitchIds
{
    unsigned int group;
    double scale;
};
constexpr Tower_SwitchIds Tower_Switches[Tower_Switch_Count] = {
    {1, 8.0},     {5, 0.25},    {7, 0.25},    {10, 0.5},    {13, 0.0625}, {15, 0.0625},
    {16, 0.0625}, {19, 0.0625}, {20, 0.0625}, {21, 0.0625}, {36, 1.0},    {41, 8.0},
};

// A scaling zone: its reference point, its own size and the size it gives the player.
struct Tower_ScalerIds
{
    unsigned int ref;
    double zoneScale;
    double playerScale;
};
constexpr Tower_ScalerIds Tower_Scalers[Tower_Scaler_Count] = {
    {1, 64.0, 16.0},   {2, 16.0, 4.0},    {5, 16.0, 64.0},      {6, 8.0, 4.0},         {7, 4.0, 8.0},
    {10, 4.0, 1.0},    {11, 1.0, 4.0},    {12, 1.0, 0.25},      {24, 0.25, 1.0},       {29, 4.0, 8.0},
    {30, 8.0, 0.5},    {31, 0.25, 0.5},   {32, 0.5, 0.25},      {34, 0.5, 0.25},       {35, 0.25, 0.5},
    {36, 0.25, 0.125}, {38, 0.25, 0.125}, {39, 0.125, 0.03125}, {40, 0.03125, 0.0625}, {49, 0.0625, 0.125},
    {50, 0.125, 0.25}, {51, 0.25, 0.5},   {53, 0.5, 1.0},       {149, 1.0, 4.0},       {150, 4.0, 8.0},
    {151, 8.0, 64.0},
};

// A row of spikes: its reference point, how many stand side by side, and the argument of its
// SetScale (0 for none: the spikes keep half size).
struct Tower_SpikesIds
{
    unsigned int ref;
    int count;
    double setScale;
};
constexpr Tower_SpikesIds Tower_SpikeRows[Tower_Spikes_Count] = {
    {3, 6, 2.0}, {4, 6, 2.0}, {20, 8, 0.0}, {21, 6, 0.25}, {22, 6, 0.25}, {23, 6, 0.25}, {46, 6, 0.0625},
};

// A spike ball's reference point and its path: still, or a sine about the point.
struct Tower_BallIds
{
    unsigned int ref;
    bool moves;
    double amplitude;
    double speed;
    bool horizontal;
    bool vertical;
    int phase; // -1: drawn at random when the tower is built
};
constexpr Tower_BallIds Tower_Still(unsigned int ref)
{
    return {ref, false, 0.0, 0.0, false, false, 0};
}
constexpr Tower_BallIds Tower_Balls[Tower_SpikeBall_Count] = {
    Tower_Still(61),
    {62, true, 70.0, 0.2, false, true, 0},
    {63, true, 70.0, 0.2, false, true, 40},
    {64, true, 70.0, 0.2, false, true, 80},
    {65, true, 70.0, 0.3, false, true, 120},
    {66, true, 70.0, 0.3, false, true, 120},
    Tower_Still(69),
    Tower_Still(70),
    Tower_Still(71),
    Tower_Still(72),
    Tower_Still(73),
    Tower_Still(74),
    Tower_Still(75),
    Tower_Still(76),
    Tower_Still(77),
    Tower_Still(78),
    Tower_Still(79),
    Tower_Still(80),
    Tower_Still(81),
    Tower_Still(82),
    Tower_Still(83),
    Tower_Still(84),
    Tower_Still(85),
    Tower_Still(86),
    Tower_Still(87),
    Tower_Still(88),
    Tower_Still(89),
    {90, true, 70.0, 0.3, true, true, -1},
    {96, true, 200.0, 0.06, true, false, 0},
    {97, true, 200.0, 0.06, true, false, 340},
    {98, true, 80.0, 0.3, false, true, 0},
    {99, true, 80.0, 0.3, false, true, 80},
    Tower_Still(100),
    Tower_Still(101),
    {102, true, 80.0, 0.22, true, true, 0},
    {103, true, 80.0, 0.22, true, true, 100},
    Tower_Still(104),
    Tower_Still(105),
};

// A kill zone: the rectangle with corners at two reference points.
constexpr unsigned int Tower_KillZones[Tower_KillZone_Count][2] = {
    {8, 9},     {54, 55},   {56, 57},   {67, 68},   {92, 93},   {94, 95},
    {106, 107}, {108, 109}, {127, 128}, {129, 130}, {131, 132}, {133, 134},
};

// A wasp flies between two reference points, at a size.
struct Tower_WaspIds
{
    unsigned int a;
    unsigned int b;
    double scale;
};
constexpr Tower_WaspIds Tower_Wasps[Tower_Wasp_Count] = {
    {13, 14, 1.0},    {13, 14, 1.0},    {15, 16, 1.0},    {15, 17, 1.0},    {18, 19, 1.0},
    {43, 44, 0.0625}, {43, 44, 0.0625}, {43, 44, 0.0625}, {47, 48, 0.0625}, {47, 48, 0.0625},
};

// The pairs of reference points between which the bobbing targets 20 to 33 pop in and out.
constexpr unsigned int Tower_Bobs[Tower_Bob_Count][2] = {
    {113, 114}, {115, 116}, {117, 118}, {119, 120}, {121, 122}, {123, 124}, {125, 126},
    {135, 136}, {137, 138}, {139, 140}, {141, 142}, {143, 144}, {145, 146}, {147, 148},
};

// A door: its map group, how far and which way it slides (0 up, 3 right) and how fast.
struct Tower_DoorIds
{
    unsigned int group;
    double distance;
    int direction;
    double speed;
};
constexpr Tower_DoorIds Tower_Doors[Tower_Door_Count] = {
    {2, 100.0, 0, 4.0},   {6, 25.0, 3, 0.25},   {4, 210.0, 0, 4.0},    {11, 18.0, 0, 0.5},   {12, 4.0, 3, 0.0625},
    {14, 5.0, 0, 0.125},  {17, 2.4, 0, 0.0625}, {18, 2.4, 0, 0.0625},  {22, 4.0, 0, 0.0625}, {23, 4.0, 0, 0.0625},
    {24, 4.0, 0, 0.0625}, {27, 100.0, 3, 1.0},  {37, 200.0, 0, 1.0},   {38, 40.0, 0, 1.0},   {39, 200.0, 0, 1.0},
    {40, 160.0, 0, 1.0},  {42, 220.0, 0, 8.0},  {43, 2000.0, 0, 64.0},
};

// The pick-ups: two gems in chests and two hearts in the open.
constexpr unsigned int Tower_Rp_PickUps[Tower_PickUp_Count] = {52, 59, 60, 153};

constexpr unsigned int Tower_Rp_Spiders[Tower_Spider_Count] = {110, 111, 112};
constexpr unsigned int Tower_Rp_Shmoos[Tower_Shmoo_Count] = {25, 26, 27};

// A splitting blob: its reference point, how far either way its pieces land, and their size.
struct Tower_SplitIds
{
    unsigned int ref;
    double range;
    double scale;
};
constexpr Tower_SplitIds Tower_Splits[Tower_SplitShmoo_Count] = {
    {37, 45.0, 0.25},
    {41, 9.0, 0.0625},
    {42, 10.0, 0.0625},
    {152, 400.0, 4.0},
};
