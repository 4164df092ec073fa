// CreatureWorld_Refs: the zones of the creature test level and the reference points and groups of each.
#pragma once

// The creature level is one long floor (its top at y = 0) cut into zones CreatureWorld_ZoneWidth
// wide, zone z running from z * CreatureWorld_ZoneWidth. Each zone owns the block of reference
// point ids from z * CreatureWorld_RefBlock; the first of a block is where the player starts when
// a test starts in that zone. A new zone takes the next number, its own block and its own map
// group ids, so that neither the generator nor the level changes for the zones already there.
enum CreatureWorld_Zone : unsigned int
{
    CreatureZone_GoblinWall = 0,  // a goblin that walks into a wall before its right limit
    CreatureZone_GoblinTurn = 1,  // a goblin that turns at its limits, one with its limits swapped
    CreatureZone_Rats = 2,        // a free rat and one blocked by a wall before its limit
    CreatureZone_GoblinGroup = 3, // a goblin walking against a gate that rises and falls
    CreatureZone_Vulture = 4,     // a vulture beat 400 wide with a swoop point below
    CreatureZone_Cactus = 5,      // a cactus approached from the left
    CreatureZone_Shmoo = 6,       // shmoos over ground, one with no ground within 500
    CreatureZone_Spider = 7,      // spiders under a ceiling
    CreatureZone_Grethyn = 8,     // a row of grethyns
    // Mozzies and wavy blobs.
    CreatureZone_Mozzy = 11,    // two mozzies on one beat the player can walk under
    CreatureZone_WavyBlob = 12, // a coloured wavy blob, a grey one and one moving round a rectangle
    // The sliding puzzle and the leak sprinkler.
    CreatureZone_SlideyPuzzle = 20, // the sliding puzzle standing on the floor
    CreatureZone_Leak = 21,         // a tank whose leak sprays
    // Spikes, spike balls, jets, vines and push-overs.
    CreatureZone_Spikes = 16,   // three rows of spikes, a still and a swinging spike ball
    CreatureZone_Jets = 17,     // four jets, one per direction
    CreatureZone_Vines = 18,    // vines with distinct, coinciding and all-coinciding heights
    CreatureZone_PushOver = 19, // a pillar between two ledges
    // Rock-throwing goblin, splitting shmoos, imps.
    CreatureZone_GoblinDefend = 13, // a rock-throwing goblin on the floor, passed on both sides
    CreatureZone_SplitShmoo = 14,   // a splitting shmoo with range 180 and one with range 0
    CreatureZone_Imp = 15,          // a row of imps
    CreatureZone_Count = 22,
};

constexpr double CreatureWorld_ZoneWidth = 1000.0;
constexpr unsigned int CreatureWorld_RefBlock = 32;

constexpr double CreatureWorld_ZoneX(CreatureWorld_Zone zone)
{
    return static_cast<double>(zone) * CreatureWorld_ZoneWidth;
}

constexpr unsigned int CreatureWorld_Ref(CreatureWorld_Zone zone, unsigned int k)
{
    return zone * CreatureWorld_RefBlock + k;
}

// Offsets within a zone's block.
constexpr unsigned int CreatureRef_Start = 0; // the player's start in every zone

enum CreatureRef_GoblinWall : unsigned int
{
    GoblinWallRef_Goblin = 1, // start, then left and right limit
    GoblinWallRef_Left = 2,
    GoblinWallRef_Right = 3,
};
constexpr double GoblinWall_WallX = 600.0; // the wall's left face, from the zone's start
constexpr double GoblinWall_WallHeight = 30.0;

enum CreatureRef_GoblinTurn : unsigned int
{
    GoblinTurnRef_Goblin = 1, // start, then left and right limit
    GoblinTurnRef_Left = 2,
    GoblinTurnRef_Right = 3,
    GoblinTurnRef_Swapped = 4, // start, then a "left" limit right of its "right" one
    GoblinTurnRef_SwappedLeft = 5,
    GoblinTurnRef_SwappedRight = 6,
};
constexpr double GoblinTurn_WallX = 60.0; // right face of the wall that stops the swapped goblin
constexpr double GoblinTurn_WallHeight = 30.0;

// Rats start high enough to land on the wall rather than in it, whatever their drawn start.
enum CreatureRef_Rats : unsigned int
{
    RatsRef_Free = 1, // left limit (its y the start height), then right limit
    RatsRef_FreeLimit = 2,
    RatsRef_Blocked = 3,
    RatsRef_BlockedLimit = 4,
};
constexpr double Rats_WallX = 700.0; // the blocked rat's wall, from the zone's start
constexpr double Rats_WallWidth = 40.0;
constexpr double Rats_WallHeight = 30.0;

enum CreatureRef_GoblinGroup : unsigned int
{
    GoblinGroupRef_Goblin = 1, // start, then left and right limit
    GoblinGroupRef_Left = 2,
    GoblinGroupRef_Right = 3,
};
constexpr unsigned int GoblinGroup_Gate = 1; // the map group of the gate
constexpr double GoblinGroup_GateX = 600.0;  // the gate's left face, from the zone's start
constexpr double GoblinGroup_GateWidth = 30.0;
constexpr double GoblinGroup_GateHeight = 50.0;
constexpr double GoblinGroup_GateRise = 60.0; // how far it rises off the floor

enum CreatureRef_Vulture : unsigned int
{
    VultureRef_Start = 1, // the left end of the beat
    VultureRef_End = 2,   // 400 to the right of the start
    VultureRef_Swoop = 3, // below the middle: how deep a swoop dives
};
constexpr double Vulture_BeatX = 300.0; // the start, from the zone's start
constexpr double Vulture_BeatWidth = 400.0;
constexpr double Vulture_BeatY = 300.0;
constexpr double Vulture_SwoopY = 60.0;

// Homes of the cacti, to the right of the player's start so that he comes from the left.
enum CreatureRef_Cactus : unsigned int
{
    CactusRef_Home = 1,    // hops twice, takes three hits
    CactusRef_FarHome = 2, // hops three times, dies at the first hit
};
constexpr double Cactus_HomeX = 600.0;
constexpr double Cactus_FarHomeX = 900.0;

// Shmoo i stands above the ground at ShmooRef_Ground(i) and hops to the height of ShmooRef_Top(i);
// the last has no ground within 500 below it and rests where it is.
constexpr unsigned int Shmoo_ZoneCount = 4;
constexpr unsigned int ShmooRef_Ground(unsigned int i)
{
    return 1 + 2 * i;
}
constexpr unsigned int ShmooRef_Top(unsigned int i)
{
    return 2 + 2 * i;
}
constexpr double Shmoo_FloatingY = 650.0;

// Spiders hang from a ceiling, each from its anchor with its own longest thread.
constexpr unsigned int Spider_ZoneCount = 3;
constexpr unsigned int SpiderRef_Anchor(unsigned int i)
{
    return 1 + i;
}
constexpr double Spider_CeilingX0 = 200.0; // from the zone's start
constexpr double Spider_CeilingX1 = 800.0;
constexpr double Spider_CeilingY = 400.0; // its underside
constexpr double Spider_CeilingDepth = 40.0;
constexpr double Spider_Lengths[Spider_ZoneCount] = {150.0, 250.0, 370.0};

// A row of grethyns a little above the floor.
constexpr unsigned int Grethyn_ZoneCount = 6;
constexpr unsigned int GrethynRef_Mouth(unsigned int i)
{
    return 1 + i;
}
constexpr double Grethyn_RowX = 400.0; // the first, from the zone's start
constexpr double Grethyn_RowGap = 60.0;
constexpr double Grethyn_RowY = 30.0;

// Rock-throwing goblin, splitting shmoos, imps.
enum CreatureRef_GoblinDefend : unsigned int
{
    GoblinDefendRef_Goblin = 1, // its feet, on the floor in the middle of the zone
};
constexpr double GoblinDefend_X = 500.0; // from the zone's start
constexpr int GoblinDefend_HitPoints = 4;

enum CreatureRef_SplitShmoo : unsigned int
{
    SplitShmooRef_Wide = 1, // range 180
    SplitShmooRef_Home = 2, // range 0: every blob lands at home
};
constexpr double SplitShmoo_WideX = 300.0;
constexpr double SplitShmoo_HomeX = 750.0;
constexpr double SplitShmoo_WideRange = 180.0;

constexpr unsigned int Imp_ZoneCount = 3;
constexpr unsigned int ImpRef_Imp(unsigned int i)
{
    return 1 + i;
}
constexpr double Imp_RowX = 300.0; // the first, from the zone's start
constexpr double Imp_RowGap = 200.0;
constexpr int Imp_HitPoints = 2;

// Map groups: the gate takes group 1; a later zone that moves a group takes the next free one.

// Mozzies and wavy blobs.
enum CreatureRef_Mozzy : unsigned int
{
    MozzyRef_Left = 1,  // the left end of the beat
    MozzyRef_Right = 2, // its right end
};
constexpr double Mozzy_BeatX = 300.0; // the left end, from the zone's start
constexpr double Mozzy_BeatWidth = 400.0;
constexpr double Mozzy_BeatY = 150.0;

enum CreatureRef_WavyBlob : unsigned int
{
    WavyBlobRef_Coloured = 1,
    WavyBlobRef_Grey = 2,
    WavyBlobRef_Moving = 3, // the middle of the rectangle it moves round
};
constexpr double WavyBlob_RowX = 200.0; // the first, from the zone's start
constexpr double WavyBlob_RowGap = 300.0;
constexpr double WavyBlob_RowY = 220.0;
constexpr double WavyBlob_RoundWidth = 120.0; // the moving blob's rectangle
constexpr double WavyBlob_RoundHeight = 60.0;

// The sliding puzzle: its top-left place, low enough that the player reaches it from the floor.
enum CreatureRef_SlideyPuzzle : unsigned int
{
    SlideyPuzzleRef_Place0 = 1,
};
constexpr double SlideyPuzzle_X = 500.0; // from the zone's start
constexpr double SlideyPuzzle_Y = 50.0;
constexpr int SlideyPuzzle_Gap = 3;

// The leak sprays from the right face of a tank standing on the floor.
enum CreatureRef_Leak : unsigned int
{
    LeakRef_Point = 1,
};
constexpr double Leak_TankX0 = 380.0; // from the zone's start
constexpr double Leak_TankX1 = 500.0;
constexpr double Leak_TankHeight = 100.0;
constexpr double Leak_PointX = 505.0; // just clear of the tank
constexpr double Leak_PointY = 40.0;

// Spikes, spike balls, jets, vines and push-overs.
// The rows' base lines lie a little below the floor's top, so that a raised row hurts a player
// standing on the floor and a sunk one does not.
enum CreatureRef_Spikes : unsigned int
{
    SpikesRef_Row = 1,       // phase 0
    SpikesRef_RandomRow = 2, // phase -1
    SpikesRef_BigRow = 3,    // SetScale(2.0)
    SpikesRef_StillBall = 4,
    SpikesRef_SwingBall = 5, // the centre of its swing along x
};
constexpr double Spikes_RowY = -4.0;
constexpr int Spikes_RowCount = 4;
constexpr double Spikes_BallY = 20.0;
constexpr double Spikes_SwingAmplitude = 60.0;
constexpr double Spikes_SwingSpeed = 0.01;

// Nozzles of the four jets, with their sizes and phases (-1: drawn).
enum CreatureRef_Jets : unsigned int
{
    JetsRef_Up = 1,
    JetsRef_Down = 2,
    JetsRef_Left = 3,
    JetsRef_Right = 4,
};
constexpr int Jets_Count = 4;
constexpr int Jets_Sizes[Jets_Count] = {40, 30, 50, 20};
constexpr int Jets_Phases[Jets_Count] = {0, -1, 120, -1};

// Vine i hangs from its top point and rests at its three lower points in turn: the first at
// three distinct heights, the second at one, the third never moves.
constexpr unsigned int Vines_Count = 3;
constexpr unsigned int VineRef(unsigned int vine, unsigned int height)
{
    return 1 + 4 * vine + height;
}
constexpr double Vines_TopY = 400.0;

// A pillar between two ledges reached by ramps: its solid foot is flush with the ledges and a
// loose top stands over it, so a player stepping off a ledge is inside its upper two thirds.
constexpr unsigned int PushOver_Group = 191;
constexpr unsigned int PushOverRef_RightStart = 1; // at the foot of the right ramp
constexpr double PushOver_PillarX = 450.0;         // its left face, from the zone's start
constexpr double PushOver_PillarWidth = 40.0;
constexpr double PushOver_FootHeight = 60.0; // also the ledges' top
constexpr double PushOver_Height = 150.0;
constexpr double PushOver_LedgeWidth = 150.0;
constexpr double PushOver_RampWidth = 150.0;
