// The master's house and dungeon. The house floats high above the dungeon. The dungeon's road runs
// left to right through the nineteen camera rooms and holds only what must be passed to reach the exit;
// everything else stands in galleries over the road, reached by floating steps, and a west wing left of
// the first room. Each puzzle's solution is written beside its layout.
#include "tools/worlds/killig.h"

#include "killig/Kilig_Ids.h"
#include "tools/Canvas.h"
#include "tools/DataGen.h"
#include "tools/MapWriter.h"
#include "tools/Road.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace KiligWriter
{

namespace
{

// Textures this world adds to the shared image map, numbered clear of the shared ones.
enum Texture : unsigned int
{
    Stone = 100,
    Slab,
    BackWall,
    Lava,
    GateRed,
    GateBlue,
    GateGreen,
    GateYellow,
    GateWhite,
    Iron,
    Brass,
    Timber,
    SwivelWood,
    LiftDeck,
    HouseWall,
    Boards,
    Altar,
    Roof,
    Sky,
};

constexpr double pi = 3.14159265358979323846;

constexpr double Bedrock = 1200.0; // the road's rock goes down to here
constexpr double SlabDepth = 20.0; // of gallery floors, steps and ledges
constexpr double StepWidth = 50.0;
constexpr double StepPitch = 65.0;          // from one step's left edge to the next
constexpr double GalleryA_StairsX = 1670.0; // the foot of gallery A's stairs, past the red gate
constexpr double GalleryA_GemX = 1830.0;    // gem 0's chest, at the foot of gallery A's floor
constexpr double PlateWidth = 60.0;         // a plate sits in a notch this wide
constexpr double PlateLip = 2.0;            // its top reaches this far over the floor on either side
// Wider than twice the way a tipped player's head is let into a door as he lands (see Door).
constexpr double DoorWidth = 30.0;
constexpr double DoorClearance = 0.5; // how far short of its floor a shut door's solid stops
constexpr double GateWidth = 20.0;
constexpr double SpikeWidth = 16.0; // one spike of a row, as drawn
// The spike ring's lower tier, over gallery D and over the road by door 9.
constexpr double Ring_Lower = 1700.0 + Gallery_Rise + 300.0;
// Door 0's lintel stands free over the road up to here, higher than a jump reaches.
constexpr double Door0_LintelTop = 1900.0;
constexpr double WestEnd = -440.0;  // the west wing's far wall
constexpr double WestWall = 600.0;  // its thickness: no camera room holds the west wing, and the
                                    // view that follows the player there ends in the wall

// Edges drawn around a polygon, one bit each in corner order (left, top, right, bottom for boxes).
constexpr unsigned int Edge_Left = 1;
constexpr unsigned int Edge_Top = 2;
constexpr unsigned int Edge_Right = 4;
constexpr unsigned int Edge_Bottom = 8;
constexpr unsigned int Edge_All = 15;
constexpr unsigned int Edge_Every = ~0u; // every edge, however many corners

struct Corner
{
    double x;
    double y;
};

// A convex polygon, corners clockwise with y up; edge i runs from corner i to the next and is drawn
// when bit i of edges is set.
void Poly(MapWriter& map, unsigned int texture, unsigned int group, bool solid, std::vector<Corner> const& corners,
          unsigned int edges, bool foreground = false)
{
    MapWriter_Poly poly{texture, group, solid, foreground, {}};
    for (std::size_t i = 0; i < corners.size(); ++i)
    {
        Corner const& c = corners[i];
        poly.points.push_back({c.x, c.y, c.x / 64.0, c.y / 64.0, ((edges >> i) & 1) != 0});
    }
    map.AddPoly(poly);
}

void Box(MapWriter& map, double x0, double y0, double x1, double y1, unsigned int texture, unsigned int group = 0,
         bool solid = true, unsigned int edges = Edge_All, bool foreground = false)
{
    Poly(map, texture, group, solid, {{x0, y0}, {x0, y1}, {x1, y1}, {x1, y0}}, edges, foreground);
}

// A solid triangle over the span x0 to x1 at height y, its sides steeper than a walk climbs.
void Peak(MapWriter& map, double x0, double x1, double y, unsigned int texture)
{
    Poly(map, texture, 0, true, {{x0, y}, {(x0 + x1) / 2.0, y + (x1 - x0) * 0.6}, {x1, y}}, Edge_All);
}

void Ref(MapWriter& map, unsigned int id, double x, double y)
{
    map.AddRefPoint(id, x, y);
}

// What interrupts a floor: a plate's notch, a gap, or nothing (the floor's end).
struct Cut
{
    double x0;
    double x1;
    unsigned int plateGroup; // 0 for a gap
};

Cut Plate(double x, unsigned int group)
{
    return {x, x + PlateWidth, group};
}

Cut Gap(double x0, double x1)
{
    return {x0, x1, 0};
}

// A flat floor from x0 to x1 with its top at top and its underside at bottom, interrupted by the
// cuts (in order). A plate sits flush in a notch with sloped sides, so that it sinks under a foot and
// can be walked out of; on the rock a block closes the notch's floor, while in a floating floor (a
// slab) the notch goes through and the plate fills it, hanging no block below. A slab shows its
// outline all round, a floor on the rock only its top.
void Floor(MapWriter& map, double x0, double x1, double top, double bottom, unsigned int texture,
           std::vector<Cut> const& cuts)
{
    double const notch = top - SlabDepth;
    bool const floating = bottom >= notch;
    auto piece = [&](std::vector<Corner> corners) {
        unsigned int edges = 0;
        for (std::size_t i = 0; i < corners.size(); ++i)
        {
            Corner const& a = corners[i];
            Corner const& b = corners[(i + 1) % corners.size()];
            if (floating || (a.y >= notch && b.y >= notch))
                edges |= 1u << i;
        }
        Poly(map, texture, 0, true, corners, edges);
    };
    // The left side of the next piece: straight down at start, or a notch's far slope.
    double start = x0;
    bool sloped = false;
    auto leftSide = [&](std::vector<Corner>& corners) {
        if (!sloped)
        {
            corners.push_back({start, bottom});
            corners.push_back({start, top});
            return;
        }
        if (!floating)
            corners.push_back({start + 40.0, bottom});
        corners.push_back({start + 40.0, notch});
        corners.push_back({start + PlateWidth, top});
    };
    for (Cut const& cut : cuts)
    {
        std::vector<Corner> corners;
        leftSide(corners);
        if (cut.plateGroup != 0)
        {
            corners.push_back({cut.x0, top});
            corners.push_back({cut.x0 + 20.0, notch});
            if (!floating)
                corners.push_back({cut.x0 + 20.0, bottom});
            piece(corners);
            // The plate's sides run steeper than the notch's slopes and inside the floor, its top a
            // little wider than the notch: sunk or risen, no side of it lies along a slope, where a
            // foot at the plate's corner would be pinned between the two.
            Poly(map, Brass, cut.plateGroup, true,
                 {{cut.x0 + 10.0, top - 15.0},
                  {cut.x0 - PlateLip, top},
                  {cut.x0 + PlateWidth + PlateLip, top},
                  {cut.x0 + 50.0, top - 15.0}},
                 Edge_All);
            if (!floating)
                Box(map, cut.x0 + 20.0, bottom, cut.x0 + 40.0, notch, texture, 0, true, 0);
            start = cut.x0;
            sloped = true;
        }
        else
        {
            corners.push_back({cut.x0, top});
            corners.push_back({cut.x0, bottom});
            piece(corners);
            start = cut.x1;
            sloped = false;
        }
    }
    std::vector<Corner> corners;
    leftSide(corners);
    corners.push_back({x1, top});
    corners.push_back({x1, bottom});
    piece(corners);
}

// A gallery floor: a slab of the given top over [x0, x1].
void GalleryFloor(MapWriter& map, double x0, double x1, double top, std::vector<Cut> const& cuts = {})
{
    Floor(map, x0, x1, top, top - SlabDepth, Slab, cuts);
}

// Floating steps rising to the right from a floor at fromY to a floor at toY that begins where
// they end: no step rises more than Step_Rise, and each hangs high enough over the one before to
// walk under. Returns the x where the upper floor begins.
double Stairs(MapWriter& map, double x, double fromY, double toY)
{
    int const count = int(std::ceil((toY - fromY) / Step_Rise - 1e-9));
    double const rise = (toY - fromY) / count;
    for (int k = 1; k < count; ++k)
    {
        double const sx = x + (k - 1) * StepPitch;
        double const top = fromY + k * rise;
        Box(map, sx, top - SlabDepth, sx + StepWidth, top, Slab);
    }
    return x + (count - 1) * StepPitch;
}

// A door from x0 to x1 standing on a floor, opening upwards: its picture stands on the floor, its
// solid, never drawn, stops DoorClearance short of it. One that falls on a player, or that a travel
// back finds shut round him, leaves his feet on the floor under it, and he walks out from under it
// (his head inside it, which a move leaves freely). A foot in a slot under the floor was lifted
// by a travel back up through the door and its lintel, out of the room.
//
// Nobody walking, jumping or standing comes under the door: his head meets its face first. But a
// player tipped by a slope (his head behind his feet) who comes to it in the air, his feet low
// enough, passes his feet under its foot while his head stays out, and as he lands upright his head
// comes to stand over his feet, inside the door, unasked: at most his own height times the sine of
// the steepest slope's angle (some 14) from its face. So the solid is two halves, each one a hair
// more than half the door, overlapping at its middle: a head let into one half this way meets the
// other half's face before his feet reach the door's middle, from either side.
void Door(MapWriter& map, unsigned int group, double x0, double x1, double floor, double height)
{
    Box(map, x0, floor, x1, floor + height, Iron, group, false);
    double const half = (x1 - x0) / 2.0 + 1.0;
    Box(map, x0, floor + DoorClearance, x0 + half, floor + height, 0, group, true, 0);
    Box(map, x1 - half, floor + DoorClearance, x1, floor + height, 0, group, true, 0);
}

void Door(MapWriter& map, unsigned int group, double x, double floor, double height)
{
    Door(map, group, x, x + DoorWidth, floor, height);
}

// A door that a puzzle opens, under a lintel of rock from its top up to `to`: the rock or floor over
// it, or, where nothing hangs over it, higher than any jump from near it reaches (a jump with a
// second press at its top rises some 135), ending in a peak too steep to stand on. Written after
// the door, the lintel hides the door as it slides up into it; no jump clears the door.
void PuzzleDoor(MapWriter& map, unsigned int group, double x, double floor, double height, double to,
                bool peak = false)
{
    Door(map, group, x, floor, height);
    Box(map, x, floor + height, x + DoorWidth, to, Stone, 0, true, Edge_Left | Edge_Right);
    if (peak)
        Peak(map, x, x + DoorWidth, to, Stone);
}

// A wall of one colour that the hero passes while he holds a ball of that colour.
void Gate(MapWriter& map, unsigned int group, unsigned int texture, double x, double floor, double height)
{
    Box(map, x, floor, x + GateWidth, floor + height, texture, group);
}

// A ball lies on a floor at x: its point is on the floor, and it rests with its centre 12 above.
void Ball(MapWriter& map, int ball, double x, double floor)
{
    Ref(map, Kilig_Balls[ball].rp, x, floor);
}

// A podium's point is 12 over the floor a ball rests on, so that a ball set down there lies on it;
// an altar behind it shows where.
void Podium(MapWriter& map, int podium, double x, double floor)
{
    Ref(map, Kilig_Rp_Podiums[podium], x, floor + 12.0);
    Box(map, x - 18.0, floor, x + 18.0, floor + 28.0, Altar, 0, false, Edge_Left | Edge_Top | Edge_Right);
}

// A row of spikes from x on a floor; the cover in front hides them while they are sunk.
void SpikeRow(MapWriter& map, int row, double x, double floor)
{
    Ref(map, Kilig_SpikeRows[row].rp, x, floor);
    double const width = Kilig_SpikeRows[row].count * SpikeWidth;
    Box(map, x, floor - 34.0, x + width, floor, Stone, 0, false, 0, true);
}

double SpikeRowWidth(int row)
{
    return Kilig_SpikeRows[row].count * SpikeWidth;
}

// A platform of a swinging group, centred at x with its top at top.
void Platform(MapWriter& map, unsigned int group, double x, double top, double width)
{
    Box(map, x - width / 2.0, top - 15.0, x + width / 2.0, top, Timber, group);
}

// ---- The road ----------------------------------------------------------------------------------

// Between rooms 17 and 18 a wall of rock stands from under the galleries to above the rooms,
// where room 18's view, which begins some 30 right of the room's edge, would cut off whoever stood
// there: the road passes under it through a tunnel too low to rise into room 18, the gallery
// through door 16 in its foot. Above the upper floor it rises as high as the dungeon's outer
// walls, out of reach of a double jump from the rippling platforms beside it (their tops 50 over
// the floor, and such a jump rises some 145): the floor beyond it is reached from lift 1's ledge.
constexpr double Junction_TunnelFloor = 2190.0;
constexpr double Junction_TunnelRoof = 2215.0;
constexpr double Junction_Top = 3000.0;

// Camera rooms' floors: 1550 through rooms 0 to 2, up to 1850 in room 3, up to 2050 across rooms 6
// and 7, down to 1700 in room 9, up through rooms 14 to 16 to 2300 for the last two. Short of the
// junction the road runs down, inside room 17's view, to a step down to the tunnel's floor; the
// tunnel is entered from a stretch below the room, long enough for a walker off the step to come
// down under its roof; beyond it the road climbs back into room 18.
std::vector<Point> const RoadPoints = {
    {WestEnd, 1550},
    {3100, 1550},
    {3600, 1850},
    {5250, 1850},
    {5550, 2050},
    {6900, 2050},
    {7450, 1700},
    {10450, 1700},
    {10700, 1850},
    {10850, 1850},
    {11350, 2150},
    {11600, 2150},
    {11850, 2300},
    {13160, 2300},
    {Junction_Left - 68.0, 2205},
    {Junction_Left - 68.0, Junction_TunnelFloor},
    {Junction_Right, Junction_TunnelFloor},
    {Junction_Right + 170.0, 2300},
    {14100, 2300},
    {14270, 2190},
    {Road_EndX, 2190},
};

void WriteRoad(MapWriter& map)
{
    // The first room, entered at rp 3: plate 0 lies in the floor, door 0 stands across the road
    // 190 beyond it and drops shut in 17 ticks once the plate is left, long before a walker from
    // the plate gets there; its lintel stands higher than any jump. Solution: stand on the plate until the door is open (75 ticks) and on
    // for some 300 more, travel back to a tick where the door was open, and walk through it while
    // the past self holds the plate.
    //
    // Room 1: ball 1 (red and blue) lies before the red gate; carry it through. Room 11: ball 8 and
    // podium 0 lie before door 9; set a ball down on the altar (any ball: the one carried from
    // room 1 will do) and the door opens while it lies there.
    for (std::size_t i = 0; i + 1 < RoadPoints.size(); ++i)
    {
        Point const a = RoadPoints[i];
        Point const b = RoadPoints[i + 1];
        if (a.x == b.x) // a step: the faces of the floors either side
            continue;
        if (a.y == b.y)
        {
            std::vector<Cut> cuts;
            if (a.x < Road_PlateX && b.x > Road_PlateX)
                cuts.push_back(Plate(Road_PlateX, Kilig_SwitchGroups[0]));
            Floor(map, a.x, b.x, a.y, Bedrock, Stone, cuts);
        }
        else
        {
            Poly(map, Stone, 0, true, {{a.x, Bedrock}, {a.x, a.y}, {b.x, b.y}, {b.x, Bedrock}}, Edge_Top);
        }
    }
    Box(map, WestEnd - WestWall, Bedrock, WestEnd, 2400.0, Stone);
    Box(map, Road_EndX, Bedrock, Road_EndX + 100.0, 3000.0, Stone);
    // Over the way out the rock comes down to a lintel just over the road: the galleries end against
    // it, and the dungeon is left on the road alone.
    Box(map, Road_ExitLintelX, Road_ExitLintelY, Road_EndX, 3000.0, Stone);
    Peak(map, Road_ExitLintelX, Road_EndX, 3000.0, Stone);
    // The outer walls end in peaks too steep to stand on: no floor lies outside the dungeon.
    Peak(map, WestEnd - WestWall, WestEnd, 2400.0, Stone);
    Peak(map, Road_EndX, Road_EndX + 100.0, 3000.0, Stone);

    Ref(map, Kilig_Rp_DungeonStart, 870.0, 1551.0);
    PuzzleDoor(map, Kilig_Doors[0].group, Road_Door0X, 1550.0, 100.0, Door0_LintelTop, true);

    Ball(map, 1, 1350.0, 1550.0);
    Gate(map, Kilig_RedGate, GateRed, Road_RedGateX, 1550.0, 300.0);

    Ball(map, 8, 8450.0, 1700.0);
    Podium(map, 0, 8560.0, 1700.0);
    PuzzleDoor(map, Kilig_Doors[9].group, Road_Door9X, 1700.0, 110.0, Ring_Lower - SlabDepth);
}

// ---- West of the first room: swaying platforms over two rows of spikes ------------------------

void WriteWestWing(MapWriter& map)
{
    double const floor = 1550.0;
    SpikeRow(map, 7, -260.0, floor);
    SpikeRow(map, 8, -60.0, floor);
    // Groups 6 to 15 ripple from side to side one after another; hop along them over the spikes.
    for (unsigned int g = 6; g <= 15; ++g)
        Platform(map, g, -300.0 + 60.0 * (g - 6), floor + 50.0, 40.0);
}

// ---- Gallery over rooms 1 and 2: the colour gates, blob 0 ---------------------------------------

void WriteGalleryA(MapWriter& map)
{
    double const road = 1550.0;
    double const floor = road + Gallery_Rise;
    Stairs(map, GalleryA_StairsX, road, floor);
    GalleryFloor(map, 1800.0, 3150.0, floor);
    Ref(map, Kilig_Rp_Gems[0], GalleryA_GemX, floor);

    // Four gates, blue, green, yellow and one for empty hands. Solution: carry ball 2 (blue and
    // green) through the first two, set it down for ball 6 (red and yellow) for the third, and
    // leave that before the last: ball 7 lies beyond.
    Ball(map, 0, 1870.0, floor);
    Ball(map, 2, 1910.0, floor);
    Gate(map, Kilig_BlueGate, GateBlue, 1960.0, floor, 140.0);
    Gate(map, Kilig_GreenGate, GateGreen, 2040.0, floor, 140.0);
    Ball(map, 6, 2100.0, floor);
    Gate(map, Kilig_YellowGate, GateYellow, 2140.0, floor, 140.0);
    Gate(map, Kilig_EmptyHandsGate, GateWhite, 2220.0, floor, 140.0);
    Ball(map, 7, 2280.0, floor);

    // Blob 0 guards door 7, which opens once it is dead; ball 3 lies behind, shut in by the upper
    // floor over it and a wall at the floor's end up to that floor: no one drops in from the upper
    // floor's end or jumps up from the road.
    double const upper = floor + 300.0;
    Ref(map, Kilig_Rp_WavyBlobs[0], 2900.0, floor + 90.0);
    PuzzleDoor(map, Kilig_Doors[7].group, 3070.0, floor, 130.0, upper - SlabDepth);
    Ball(map, 3, 3120.0, floor);
    Box(map, 3150.0, floor - SlabDepth, 3170.0, upper - SlabDepth, Slab, 0, true, Edge_Left | Edge_Right | Edge_Bottom);

    // Above, out of the blob's reach: an imp, spikes, a spike ball and ball 19.
    double const x0 = Stairs(map, 2300.0, floor, upper);
    GalleryFloor(map, x0, 3170.0, upper);
    Ref(map, Kilig_Rp_Imps[4], 2670.0, upper + 16.0);
    SpikeRow(map, 10, 2720.0, upper);
    Ref(map, Kilig_Rp_SpikeBalls[4], 2980.0, upper + 25.0);
    Ball(map, 19, 3120.0, upper);
}

// ---- Gallery over rooms 4 to 6: spikes and imps, lift 0, the kill zone, spike balls -------------

void WriteGalleryB(MapWriter& map)
{
    double const road = 1850.0;
    double const floor = road + Gallery_Rise;
    Stairs(map, 3630.0, road, floor);
    // Lift 0 swings 160 either way of the middle of its shaft while plate 2 is held: up to the
    // ledge first, then down to the floor. Solution: stand on the plate some 400 ticks, travel back
    // to when the lift was near the floor (235 ticks after the press began), ride it up while the
    // past self holds the plate and step off onto the ledge for ball 4.
    double const liftX = 4395.0;
    GalleryFloor(map, 3760.0, 5350.0, floor, {Plate(4230.0, Kilig_SwitchGroups[2])});
    for (int row = 0; row < 4; ++row)
        SpikeRow(map, row, 3800.0 + 100.0 * row, floor);
    Ref(map, Kilig_Rp_Imps[0], 3850.0, floor + 16.0);
    Ref(map, Kilig_Rp_Imps[1], 4050.0, floor + 16.0);
    Box(map, liftX, floor + 150.0, liftX + 70.0, floor + 170.0, LiftDeck, Kilig_Lifts[0].group);
    Box(map, liftX + 75.0, floor + 310.0, liftX + 145.0, floor + 330.0, Slab);
    Ball(map, 4, liftX + 110.0, floor + 330.0);

    // The kill zone: a pool of lava on the floor, jumped over for ball 5.
    Box(map, 4600.0, floor, 4700.0, floor + 10.0, Lava, 0, false, Edge_Top);
    Ref(map, Kilig_Rp_KillZone[0], 4600.0, floor);
    Ref(map, Kilig_Rp_KillZone[1], 4700.0, floor + 30.0);
    Ball(map, 5, 4760.0, floor);
    Ref(map, Kilig_Rp_SpikeBalls[0], 4900.0, floor + 25.0);
    Ref(map, Kilig_Rp_SpikeBalls[1], 5120.0, floor + 25.0);

    // Above the spikes: more spikes under a spike ball, and an imp.
    double const upper = floor + 220.0;
    double x0 = Stairs(map, 3830.0, floor, upper);
    GalleryFloor(map, x0, 4370.0, upper);
    SpikeRow(map, 9, 4040.0, upper);
    Ref(map, Kilig_Rp_SpikeBalls[2], 4160.0, upper + 25.0);
    Ref(map, Kilig_Rp_Imps[5], 4320.0, upper + 16.0);

    // Above the spike balls: six platforms that swing wide of each other.
    x0 = Stairs(map, 4800.0, floor, upper);
    GalleryFloor(map, x0, 5350.0, upper);
    for (unsigned int g = 45; g <= 50; ++g)
        Platform(map, g, 5050.0 + 50.0 * (g - 45), upper + 50.0, 30.0);
}

// ---- Gallery over rooms 7 and 8: blob 2's arena -------------------------------------------------

void WriteGalleryC(MapWriter& map)
{
    double const road = 2050.0;
    double const floor = road + Gallery_Rise;
    Stairs(map, 5570.0, road, floor);
    GalleryFloor(map, 5700.0, 6880.0, floor);
    for (int row = 4; row < 7; ++row)
        SpikeRow(map, row, 5760.0 + 100.0 * (row - 4), floor);
    // Blob 2 goes round a rectangle high over the floor, its arms reaching down; the platforms
    // sliding (3, 4) and bobbing (5) under it bring an axe within reach. Door 20 opens once it
    // is dead; ball 17 lies behind.
    Ref(map, Kilig_Rp_WavyBlobs[2], 6330.0, floor + 360.0);
    Platform(map, 3, 6140.0, floor + 85.0, 80.0);
    Platform(map, 4, 6460.0, floor + 155.0, 80.0);
    Platform(map, 5, 6650.0, floor + 145.0, 60.0);
    // Door 20's lintel stands higher than a double jump from the top of platform 5's bob.
    PuzzleDoor(map, Kilig_Doors[20].group, 6780.0, floor, 160.0, floor + 440.0, true);
    Ball(map, 17, 6840.0, floor);
}

// ---- Galleries over rooms 10 to 14: swivel 0, blob 1, podium 1, five plates; the spike ring ------

void WriteGalleryD(MapWriter& map)
{
    double const road = 1700.0;
    double const floor = road + Gallery_Rise;

    // Left of door 9. Door 1 falls shut 150 beyond plate 1: pass it as the first room's door.
    // Its lintel rises to the spike ring's lower tier, which begins at its far face: the steps up
    // to the ring, which climb over the door, lead onto the tier and not down beyond the door.
    // Swivel 0 bridges a gap with a fin standing up at its far end; a press of plate 8 turns it
    // half round, fin down, and ball 9 can be reached across it. The floor begins a little right of
    // room 10's left edge, so that no one stands on it where the room's view, which begins there too,
    // cuts him.
    Stairs(map, 7470.0, road, floor);
    GalleryFloor(map, 7615.0, 8380.0, floor,
                 {Plate(7760.0, Kilig_SwitchGroups[1]), Plate(8030.0, Kilig_SwitchGroups[8]), Gap(8130.0, 8330.0)});
    Ref(map, Kilig_Rp_Gems[1], 7620.0, floor);
    double const door1X = 7970.0;
    double const lower = Ring_Lower;
    PuzzleDoor(map, Kilig_Doors[1].group, door1X, floor, 100.0, lower);
    unsigned int const swivel = Kilig_Swivels[0].group;
    Box(map, 8130.0, floor - 20.0, 8330.0, floor, SwivelWood, swivel);
    Box(map, 8310.0, floor, 8330.0, floor + 80.0, SwivelWood, swivel);
    Ref(map, Kilig_Swivels[0].pivot, 8230.0, floor - 10.0);
    Ball(map, 9, 8360.0, floor);

    // Right of door 9. Blob 1 sways in front of door 8, which opens once it is dead. A ball set
    // on podium 1 opens door 10 (ball 10 lies before it). Doors 2 to 6 each fall shut 30 beyond
    // their plates: five travels, each leaving a past self on a plate. Each door stands on the
    // floor short of the next plate's notch, over which it would shut on no floor. No plate or door
    // lies across room 14's left edge, where the room's view would cut off whoever waits there.
    // The spike ring's lower tier is the ceiling over the doors, and their lintels rise to it; past
    // its end, a wall over door 6 and the tier's end rises higher than a jump from the ring's steps
    // and the gallery's floor ends at a wall higher than a jump from the road: nobody drops in
    // behind a door from the ring or climbs in from the road to ball 12.
    Stairs(map, 8770.0, road, floor);
    double const platesX = 9910.0;
    double const platePitch = PlateWidth + 30.0 + DoorWidth + 5.0;
    std::vector<Cut> plates;
    for (int k = 0; k < 5; ++k)
        plates.push_back(Plate(platesX + platePitch * k, Kilig_SwitchGroups[3 + k]));
    GalleryFloor(map, 8900.0, platesX + platePitch * 4 + PlateWidth + 30.0 + DoorWidth + 40.0, floor, plates);
    Ref(map, Kilig_Rp_Gems[2], 8930.0, floor);
    Ref(map, Kilig_Rp_WavyBlobs[1], 9250.0, floor + 100.0);
    PuzzleDoor(map, Kilig_Doors[8].group, 9560.0, floor, 130.0, lower - SlabDepth);
    Ball(map, 10, 9620.0, floor);
    Podium(map, 1, 9720.0, floor);
    PuzzleDoor(map, Kilig_Doors[10].group, 9800.0, floor, 110.0, lower - SlabDepth);
    Ball(map, 11, 9860.0, floor);
    double const lowerEnd = 10430.0;
    double const wallTop = lower + 400.0;
    for (int k = 0; k < 5; ++k)
    {
        double const doorX = platesX + platePitch * k + PlateWidth + 30.0;
        PuzzleDoor(map, Kilig_Doors[2 + k].group, doorX, floor, 100.0, doorX < lowerEnd ? lower - SlabDepth : wallTop);
        if (doorX >= lowerEnd)
        {
            Box(map, lowerEnd, lower - SlabDepth, doorX, wallTop, Stone, 0, true, Edge_Left | Edge_Bottom);
            Peak(map, lowerEnd, doorX + DoorWidth, wallTop, Stone);
        }
    }
    double const endX = platesX + platePitch * 4 + PlateWidth + 30.0 + DoorWidth + 40.0;
    Ball(map, 12, endX - 20.0, floor);
    Box(map, endX, floor - SlabDepth, endX + 20.0, floor + 220.0, Stone, 0, true, Edge_Left | Edge_Right | Edge_Bottom);
    Peak(map, endX, endX + 20.0, floor + 220.0, Stone);

    // The spike ring: its rows run right along the lower tier and back left along the upper one,
    // a wave of raised spikes going round. Steps climb to it over plate 1.
    double const upper = lower + 220.0;
    double const x0 = Stairs(map, 7680.0, floor, lower);
    GalleryFloor(map, x0, lowerEnd, lower);
    Box(map, door1X + DoorWidth, lower - SlabDepth, x0, lower, Slab, 0, true, Edge_Top | Edge_Bottom);
    int row = Kilig_SpikeRing_First;
    double x = x0 + 15.0;
    for (; Kilig_SpikeRows[row].rp <= 66; ++row)
    {
        SpikeRow(map, row, x, lower);
        x += SpikeRowWidth(row) + 2.0;
    }
    // Up at the right end: two columns of steps, then back left onto the upper tier.
    double const ax = x + 5.0;
    double const bx = ax + 50.0;
    Box(map, ax, lower + 35.0, ax + 40.0, lower + 55.0, Slab);
    Box(map, bx, lower + 90.0, bx + 40.0, lower + 110.0, Slab);
    Box(map, ax, lower + 145.0, ax + 40.0, lower + 165.0, Slab);
    GalleryFloor(map, 7720.0, ax - 15.0, upper);
    x = ax - 25.0;
    for (; row < Kilig_Spikes_Count; ++row)
    {
        x -= SpikeRowWidth(row);
        SpikeRow(map, row, x, upper);
        x -= 2.0;
    }
    if (x < 7720.0)
        throw std::runtime_error("the spike ring's upper tier is too short");
    if (bx + 40.0 > lowerEnd)
        throw std::runtime_error("the spike ring's steps run past the lower tier's end");
}

// ---- Galleries over rooms 17 and 18: plates and doors, podiums, swivels, lift 1 ------------------

void WriteGalleryE(MapWriter& map)
{
    double const road = 2300.0;
    double const floor = road + Gallery_Rise;
    Stairs(map, 11880.0, road, floor);
    std::vector<Cut> cuts = {Plate(12080.0, Kilig_SwitchGroups[10]), Plate(12270.0, Kilig_SwitchGroups[11]),
                             Plate(13100.0, Kilig_SwitchGroups[9])};
    // The first of the four lies in room 17, short of door 16 in the junction's wall.
    double const doorPitch = PlateWidth + 35.0 + DoorWidth + 5.0;
    for (int k = 0; k < 4; ++k)
        cuts.push_back(Plate(k == 0 ? Junction_Left - 35.0 - PlateWidth : 13480.0 + doorPitch * (k - 1),
                             Kilig_SwitchGroups[k < 3 ? 12 + k : 16]));
    cuts.push_back(Plate(13885.0, Kilig_SwitchGroups[17]));
    GalleryFloor(map, 12010.0, 14300.0, floor, cuts);
    Ref(map, Kilig_Rp_Gems[3], 12040.0, floor);

    // The junction's wall, over the tunnel and round door 16 (written before the door, so that the
    // door slides up in front of the rock), up past room 18's top to a peak.
    double const doorTop = floor + 100.0;
    Box(map, Junction_Left, Junction_TunnelRoof, Junction_Right, floor - SlabDepth, Stone, 0, true,
        Edge_Left | Edge_Right | Edge_Bottom);
    Box(map, Junction_Left, doorTop, Junction_Right, Junction_Top, Stone, 0, true, Edge_Left | Edge_Right);
    Peak(map, Junction_Left, Junction_Right, Junction_Top, Stone);

    // The upper floor is the ceiling over every door of the gallery, and their lintels rise to it.
    double const upper = floor + 220.0;
    double const lintel = upper - SlabDepth;

    // Doors 11 and 12 fall shut 90 beyond their plates: a travel each.
    PuzzleDoor(map, Kilig_Doors[11].group, 12230.0, floor, 100.0, lintel);
    PuzzleDoor(map, Kilig_Doors[12].group, 12420.0, floor, 100.0, lintel);

    // Three podiums, each opening the door beyond it. Solution: set ball 13 on podium 2, carry
    // ball 14 through door 13 onto podium 3, then ball 15 onto podium 4.
    Ball(map, 13, 12480.0, floor);
    Ball(map, 14, 12520.0, floor);
    Podium(map, 2, 12600.0, floor);
    PuzzleDoor(map, Kilig_Doors[13].group, 12660.0, floor, 110.0, lintel);
    Podium(map, 3, 12740.0, floor);
    PuzzleDoor(map, Kilig_Doors[14].group, 12800.0, floor, 110.0, lintel);
    Ball(map, 15, 12860.0, floor);
    Podium(map, 4, 12940.0, floor);
    PuzzleDoor(map, Kilig_Doors[15].group, 13000.0, floor, 110.0, lintel);
    Ball(map, 16, 13060.0, floor);

    // Swivel 1 stands across the floor like a gate, a knob painted on its upper end; each press
    // of plate 9 turns it a quarter, lying flat high enough to walk under at a quarter and three
    // quarters. Walk under it and it will not turn back at any tick up to then. Both its ends come
    // to points too steep to stand on and it is no wider anywhere than its shaft: stood up either
    // way, it offers no foothold high in room 17, whose view a jump from there would leave.
    unsigned int const gate = Kilig_Swivels[1].group;
    Poly(map, SwivelWood, gate, true,
         {{13250.0, floor + 10.0},
          {13240.0, floor + 30.0},
          {13240.0, floor + 150.0},
          {13250.0, floor + 170.0},
          {13260.0, floor + 150.0},
          {13260.0, floor + 30.0}},
         Edge_Every);
    Box(map, 13244.0, floor + 134.0, 13256.0, floor + 146.0, Brass, gate, false, Edge_All);
    Ref(map, Kilig_Swivels[1].pivot, 13250.0, floor + 90.0);

    // Plates 12 to 14 and 16 and their doors 16 to 19, 35 apart: a travel each. Door 16 fills the
    // junction's passage; ball 18 lies beyond it.
    Door(map, Kilig_Doors[16].group, Junction_Left, Junction_Right, floor, doorTop - floor);
    for (int k = 1; k < 4; ++k)
        PuzzleDoor(map, Kilig_Doors[16 + k].group, 13480.0 + doorPitch * (k - 1) + PlateWidth + 35.0, floor, 100.0,
                   lintel);
    Ball(map, 18, 13452.0, floor);

    // Lift 1 starts at the top of its swing, flush with the ledge, and moves while plate 17 is
    // held: down to the floor in 157 ticks and back up by 314. Solution: stand on the plate 320
    // ticks, travel back to tick 150 of that, board the lift at the floor and ride it up to the
    // ledge. There plate 15 turns swivel 2, but not at any tick at or before the last one on the
    // lift or on the swivel.
    double const ledge = floor + 210.0;
    Box(map, 13970.0, floor + 90.0, 14040.0, floor + 110.0, LiftDeck, Kilig_Lifts[1].group);
    GalleryFloor(map, 14045.0, 14300.0, ledge, {Plate(14080.0, Kilig_SwitchGroups[15])});
    unsigned int const turner = Kilig_Swivels[2].group;
    Box(map, 14200.0, ledge + 10.0, 14220.0, ledge + 130.0, SwivelWood, turner);
    Box(map, 14195.0, ledge + 110.0, 14225.0, ledge + 130.0, SwivelWood, turner);
    Ref(map, Kilig_Swivels[2].pivot, 14210.0, ledge + 70.0);

    // Above: two rows of rippling platforms over the floor, imps and a spike ball. The steps up rise
    // left of room 17 and the floor lies above it, where the player's own camera follows him: in the
    // room, its view would cut him off at the top. The floor has no gap: one would drop him behind
    // the doors below. The second row swings short of the junction's wall, which no jump from this
    // side clears; beyond the wall, the floor with the imps is reached by a jump from lift 1's ledge.
    double const x0 = Stairs(map, 11960.0, floor, upper);
    GalleryFloor(map, x0, Junction_Left, upper);
    GalleryFloor(map, Junction_Right, 13900.0, upper);
    for (unsigned int g = 25; g <= 34; ++g)
        Platform(map, g, 12325.0 + 50.0 * (g - 25), upper + 50.0, 40.0);
    for (unsigned int g = 35; g <= 44; ++g)
        Platform(map, g, 12925.0 + 42.0 * (g - 35), upper + 50.0, 40.0);
    Ref(map, Kilig_Rp_Imps[2], 13480.0, upper + 16.0);
    Ref(map, Kilig_Rp_Imps[3], 13580.0, upper + 16.0);
    Ref(map, Kilig_Rp_SpikeBalls[3], 13760.0, upper + 25.0);
}

// ---- The house ---------------------------------------------------------------------------------

void WriteHouse(MapWriter& map)
{
    double const floor = House_Floor;
    double const left = House_Left;
    double const top = floor + 260.0;
    Box(map, left, floor, House_RightWall, top, HouseWall, 0, false, 0);
    Box(map, left - 40.0, floor - 100.0, House_RightWall + 40.0, floor, Boards, 0, true, Edge_Top);
    Box(map, left - 40.0, floor, left, top, Boards, 0, true, Edge_Right);
    Box(map, House_RightWall, floor, House_RightWall + 40.0, top, Boards, 0, true, Edge_Left);
    // Steeper than a walk climbs: nobody stands on it, out of the view the introduction holds.
    Peak(map, left - 60.0, House_RightWall + 60.0, top, Roof);
    // The hero walks in from the left and stops once past the mark; the master waits just beyond
    // where he comes to rest (he arrives at 6 a step and slows by 0.4 a step, some 45 on), close
    // enough that the bubble over the master's head, on his far side, stays inside the view that
    // follows the hero. Through the talk the two walk on side by side at the master's pace, some
    // 5200 in all, and the hall runs on far enough that they end it short of its right wall.
    Ref(map, Kilig_Rp_HouseStart, 1000.0, floor + 1.0);
    Ref(map, Kilig_Rp_StopMark, 1300.0, floor);
    Ref(map, Kilig_Rp_Master, 1369.04, floor);
}

void WriteBackground(MapWriter& map)
{
    // Drawn first, behind everything: the dungeon's walls, and the sky round the house, wide and deep
    // enough for every view of the introduction, from the hero's entry to the last stop.
    Box(map, WestEnd, Bedrock, Road_EndX, 3200.0, BackWall, 0, false, 0);
    Box(map, House_Left - 900.0, House_Floor - 800.0, House_RightWall + 900.0, House_Floor + 900.0, Sky, 0, false, 0);
}

// ---- Pictures ----------------------------------------------------------------------------------

Rgba const KeyBlue{0, 0, 255, 255};
Rgba const Black{0, 0, 0, 255};

Rgba Mix(Rgba a, Rgba b, double f)
{
    auto m = [f](std::uint8_t x, std::uint8_t y) { return std::uint8_t(x + (y - x) * f); };
    return Rgba{m(a.r, b.r), m(a.g, b.g), m(a.b, b.b), m(a.a, b.a)};
}

// The colours as the balls and gates show them; none is the key blue.
Rgba const Red{215, 40, 40, 255};
Rgba const Blue{50, 100, 235, 255};
Rgba const Green{40, 180, 70, 255};
Rgba const Yellow{245, 215, 40, 255};

// A ball split down the middle into its two colours, outlined, with a shine; drawn on pure blue.
Canvas BallPicture(Rgba left, Rgba right)
{
    Canvas c(32, 32, KeyBlue);
    c.Fill(Canvas_Shape::Circle(16, 16, 13), Black);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
        {
            double const dx = x + 0.5 - 16.0;
            double const dy = y + 0.5 - 16.0;
            if (dx * dx + dy * dy < 11.5 * 11.5)
                c.Set(x, y, dx < 0.0 ? left : right);
        }
    c.Fill(Canvas_Shape::Circle(12, 11, 3), Rgba{255, 255, 255, 255});
    return c;
}

// The old master: a long purple robe, a white beard and a staff; phase swings the robe's hem.
Canvas MasterFrame(int frame)
{
    Canvas c(32, 32);
    double const swing = frame == 0 ? 0.0 : std::sin(frame * pi / 2.0) * 3.0;
    Rgba const robe{110, 50, 140, 255};
    Rgba const skin{235, 200, 170, 255};
    c.Line(25, 4, 25 + swing * 0.3, 31, Canvas_Pen{Rgba{120, 80, 40, 255}, 2.0});
    c.Fill(Canvas_Shape::Polygon({10, 12, 22, 12, 24 + swing, 31, 8 - swing, 31}), robe);
    c.Line(16, 14, 24, 18, Canvas_Pen{robe, 3.0});
    c.Fill(Canvas_Shape::Circle(24, 18, 2.0), skin);
    c.Fill(Canvas_Shape::Circle(16, 8, 5.0), skin);
    c.Fill(Canvas_Shape::Polygon({12, 9, 20, 9, 16, 19}), Rgba{245, 245, 245, 255});
    c.Fill(Canvas_Shape::Circle(18, 6, 1.0), Black);
    c.Fill(Canvas_Shape::Polygon({10, 5, 22, 5, 16, -4}), robe);
    return c;
}

// A 64 x 64 texture filled by f(x, y).
template <class F>
Canvas Texture64(F f)
{
    Canvas c(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            c.Set(x, y, f(x, y));
    return c;
}

// Courses of blocks: rows of height h, offset every other row, mortar lines darker.
Canvas Blocks(Rgba face, Rgba mortar, int h, int w)
{
    return Texture64([=](int x, int y) {
        int const row = y / h;
        int const sx = (x + (row % 2) * w / 2) % w;
        bool const line = y % h == 0 || sx == 0;
        unsigned const noise = (unsigned(x * 73 + y * 151) * 2654435761u) >> 28;
        return line ? mortar : Mix(face, Black, noise / 60.0);
    });
}

// A translucent coloured bar with brighter stripes: the gates.
Canvas GatePicture(Rgba colour)
{
    return Texture64([=](int x, int y) {
        bool const stripe = ((x + y) / 8) % 2 == 0;
        Rgba c = stripe ? colour : Mix(colour, Rgba{255, 255, 255, 255}, 0.35);
        c.a = 200;
        return c;
    });
}

void WritePictures(std::string const& dir)
{
    struct BallColours
    {
        char const* name;
        Rgba a;
        Rgba b;
    };
    BallColours const pairs[6] = {{"redblue", Red, Blue},       {"redgreen", Red, Green},
                                  {"redyellow", Red, Yellow},   {"bluegreen", Blue, Green},
                                  {"blueyellow", Blue, Yellow}, {"greenyellow", Green, Yellow}};
    for (BallColours const& pair : pairs)
        DataGen::SavePng(BallPicture(pair.a, pair.b), dir, std::string("gfx/killig/objects/") + pair.name + ".png",
                         PngFormat::Rgb);
    for (int f = 0; f < 5; ++f)
    {
        char name[64];
        std::snprintf(name, sizeof name, "gfx/killig/killig%.2d.png", f);
        DataGen::SavePng(MasterFrame(f), dir, name);
    }

    std::string const maps = "gfx/map/killig/";
    DataGen::SavePng(Blocks(Rgba{120, 115, 105, 255}, Rgba{70, 65, 60, 255}, 16, 32), dir, maps + "stone.png");
    DataGen::SavePng(Blocks(Rgba{150, 130, 100, 255}, Rgba{90, 75, 55, 255}, 32, 64), dir, maps + "slab.png");
    DataGen::SavePng(Blocks(Rgba{55, 50, 60, 255}, Rgba{35, 32, 40, 255}, 16, 32), dir, maps + "backwall.png");
    DataGen::SavePng(Texture64([](int x, int y) {
                         double const w = std::sin((x + y * 0.3) * 2.0 * pi / 32.0);
                         return Rgba{255, std::uint8_t(110 + 60 * w), 20, 255};
                     }),
                     dir, maps + "lava.png");
    DataGen::SavePng(GatePicture(Red), dir, maps + "gatered.png");
    DataGen::SavePng(GatePicture(Blue), dir, maps + "gateblue.png");
    DataGen::SavePng(GatePicture(Green), dir, maps + "gategreen.png");
    DataGen::SavePng(GatePicture(Yellow), dir, maps + "gateyellow.png");
    DataGen::SavePng(GatePicture(Rgba{235, 235, 235, 255}), dir, maps + "gatewhite.png");
    DataGen::SavePng(
        Texture64([](int x, int y) {
            bool const rivet = (x % 32 == 4 || x % 32 == 27) && (y % 32 == 4 || y % 32 == 27);
            bool const band = y % 32 < 3;
            return rivet ? Rgba{200, 200, 210, 255} : band ? Rgba{60, 62, 70, 255} : Rgba{95, 98, 108, 255};
        }),
        dir, maps + "iron.png");
    DataGen::SavePng(Texture64([](int x, int y) {
                         bool const groove = (x + y) % 16 == 0;
                         return groove ? Rgba{150, 110, 30, 255} : Rgba{220, 175, 60, 255};
                     }),
                     dir, maps + "brass.png");
    DataGen::SavePng(Blocks(Rgba{165, 110, 60, 255}, Rgba{100, 60, 30, 255}, 16, 64), dir, maps + "platform.png");
    DataGen::SavePng(Texture64([](int x, int y) {
                         bool const grain = (y + int(3 * std::sin(x / 6.0))) % 10 == 0;
                         return grain ? Rgba{90, 140, 120, 255} : Rgba{130, 190, 160, 255};
                     }),
                     dir, maps + "swivel.png");
    DataGen::SavePng(Texture64([](int x, int y) {
                         bool const bar = x % 16 < 3 || y % 32 < 3;
                         return bar ? Rgba{70, 70, 80, 255} : Rgba{170, 160, 120, 255};
                     }),
                     dir, maps + "lift.png");
    DataGen::SavePng(Blocks(Rgba{190, 160, 120, 255}, Rgba{150, 120, 85, 255}, 64, 64), dir, maps + "housewall.png");
    DataGen::SavePng(Blocks(Rgba{140, 90, 50, 255}, Rgba{80, 50, 25, 255}, 8, 64), dir, maps + "boards.png");
    DataGen::SavePng(Texture64([](int x, int y) {
                         bool const rim = y < 4 || x % 32 < 2;
                         return rim ? Rgba{180, 150, 40, 255} : Rgba{235, 225, 200, 255};
                     }),
                     dir, maps + "altar.png");
    DataGen::SavePng(Blocks(Rgba{150, 45, 35, 255}, Rgba{90, 25, 20, 255}, 12, 24), dir, maps + "roof.png");
    // An evening sky with soft streaks of cloud, the same all the way round its tile.
    DataGen::SavePng(Texture64([](int x, int y) {
                         double const streak = std::sin((x + 2.0 * std::sin(y * pi / 32.0)) * pi / 32.0);
                         bool const cloud = (y % 32 < 6) && streak > 0.4;
                         return cloud ? Rgba{235, 215, 220, 255} : Rgba{120, 150, 205, 255};
                     }),
                     dir, maps + "sky.png");
}

// Adds the world's textures to its image map (the shared one the generator writes first); on its
// own, the map is started with the world's name and a stone of its own as entry 0.
void WriteImageMap(std::string const& dir)
{
    DataGen::AppendImageMap(dir, "killig", "0 killig/stone.png hvs",
                            {
                                {Stone, "stone", "hvs"},
                                {Slab, "slab", "hvs"},
                                {BackWall, "backwall", "hv"},
                                {Lava, "lava", "hv"},
                                {GateRed, "gatered", "hv"},
                                {GateBlue, "gateblue", "hv"},
                                {GateGreen, "gategreen", "hv"},
                                {GateYellow, "gateyellow", "hv"},
                                {GateWhite, "gatewhite", "hv"},
                                {Iron, "iron", "hvs"},
                                {Brass, "brass", "hvs"},
                                {Timber, "platform", "hvs"},
                                {SwivelWood, "swivel", "hvs"},
                                {LiftDeck, "lift", "hvs"},
                                {HouseWall, "housewall", "hv"},
                                {Boards, "boards", "hvs"},
                                {Altar, "altar", "hv"},
                                {Roof, "roof", "hvs"},
                                {Sky, "sky", "hv"},
                            });
}

// Along the road from x `from` to x `to`, its slopes in short steps, so that the walker never jumps up
// them into a gallery's stairs; to `to` itself unless the next point takes him there.
void WalkAlong(Road& r, double from, double to, bool arrive = true)
{
    for (std::size_t i = 0; i + 1 < RoadPoints.size(); ++i)
    {
        Point const a = RoadPoints[i];
        Point const b = RoadPoints[i + 1];
        if (b.x <= from || a.x >= to)
            continue;
        if (a.y != b.y)
            for (double x = std::max(a.x, from) + 40.0; x < std::min(b.x, to); x += 40.0)
                r.Walk(x, RoadY(x));
        if (b.x < to)
            r.Walk(b.x, b.y);
    }
    if (arrive)
        r.Walk(to, RoadY(to));
}

// Up a gallery's floating steps with their foot at x, from the floor at fromY to the floor at toY,
// as Stairs built them, landing `landing` beyond the top step's left end.
void ClimbStairs(Road& r, double x, double fromY, double toY, double landing)
{
    int const count = int(std::ceil((toY - fromY) / Step_Rise - 1e-9));
    r.Walk(x - 30.0, fromY);
    for (int k = 1; k < count; ++k)
        r.Walk(x + (k - 1) * StepPitch + StepWidth / 2.0, fromY + k * (toY - fromY) / count);
    r.Walk(x + (count - 1) * StepPitch + landing, toY);
}

// A road from beyond door 0, as "exit" goes on: ball 1 picked up and carried through the red gate.
Road BeyondRedGate(std::string const& name)
{
    Road r(name);
    r.Walk(Road_Door0X + 60.0, 1550.0).Press(1350.0, 1550.0, "ball 1", 10);
    r.Walk(Road_RedGateX + 60.0, 1550.0);
    return r;
}

// The roads that play galleries A and D, each from beyond door 0 as "exit" goes on, ball 1 carried
// through the red gate. "door 1": up gallery D's western stairs onto plate 1, and through door 1
// while a past self holds the plate. "gallery D": ball 1 onto podium 0, through door 9 and up the
// eastern stairs; blob 1 killed by throws, ball 10 from behind door 8 set on podium 1, and through
// doors 2 to 6 on five travels, each leaving a past self on the plate before a door. "door 7":
// ball 1 left on the road, up gallery A's stairs, through its gates (ball 2, then ball 6, then none)
// and under the upper stairs; blob 0 killed by throws, and through door 7 to ball 3.
std::vector<Road> GalleryRoadsAD()
{
    // A door that falls shut just beyond its plate: the plate stood on (a hop leaves it for a
    // moment) until the door has long been open, then back to when he stood there with the door
    // open, and on through it while that self holds the plate.
    auto heldPlate = [](Road& r, double x, double y, std::string const& name) {
        int const stood = r.Next();
        r.Hop(x, y, name, 250);
        r.Travel(x, y, "back to the self on " + name, stood, 150);
    };
    // A wavy blob's body takes a blow only for a while after one of its arms has, and not again
    // for a while after: throws one after another, each at the next target, come round to the
    // body in turn.
    auto killBlob = [](Road& r, double x, double y, std::string const& name, int throws) {
        for (int i = 0; i < throws; ++i)
            r.Throw(x, y, name, 5, 1);
    };

    double const dFloor = 1700.0 + Gallery_Rise;
    Road door1 = BeyondRedGate("door 1");
    WalkAlong(door1, Road_RedGateX + 60.0, 7400.0);
    // These stairs rise straight from the foot of a ramp, down which he comes too fast to time a
    // jump: each step is jumped onto from rest near the end of the one below.
    double const stairsX = 7470.0;
    int const steps = int(std::ceil(Gallery_Rise / Step_Rise - 1e-9));
    for (int k = 0; k < steps; ++k)
    {
        double const y = 1700.0 + k * Gallery_Rise / steps;
        double const x = k == 0 ? stairsX - 20.0 : stairsX + (k - 1) * StepPitch + StepWidth - 15.0;
        door1.Hop(x, y, k == 0 ? std::string("the stairs' foot") : "step " + std::to_string(k), 45);
        door1.Walk(x + 25.0, y + Gallery_Rise / steps);
    }
    heldPlate(door1, 7790.0, dFloor, "plate 1");
    door1.Walk(8015.0, dFloor);

    Road galleryD = BeyondRedGate("gallery D");
    WalkAlong(galleryD, Road_RedGateX + 60.0, 8560.0);
    galleryD.Press(8560.0, 1700.0, "podium 0", 60);
    galleryD.Walk(Road_Door9X + 60.0, 1700.0);
    ClimbStairs(galleryD, 8770.0, 1700.0, dFloor, 20.0);
    killBlob(galleryD, 8975.0, dFloor, "blob 1", 50);
    galleryD.Walk(9620.0, dFloor).Press(9620.0, dFloor, "ball 10", 10);
    galleryD.Press(9720.0, dFloor, "podium 1", 60);
    double const platePitch = PlateWidth + 30.0 + DoorWidth + 5.0;
    for (int k = 0; k < 5; ++k)
        heldPlate(galleryD, 9910.0 + platePitch * k + PlateWidth / 2.0, dFloor, "plate " + std::to_string(3 + k));
    galleryD.Walk(9910.0 + platePitch * 4 + PlateWidth + 30.0 + DoorWidth + 20.0, dFloor);

    double const aFloor = 1550.0 + Gallery_Rise;
    Road door7 = BeyondRedGate("door 7");
    door7.Press(GalleryA_StairsX - 50.0, 1550.0, "leave ball 1", 10);
    ClimbStairs(door7, GalleryA_StairsX, 1550.0, aFloor, 20.0);
    door7.Walk(1910.0, aFloor).Press(1910.0, aFloor, "ball 2", 10);
    door7.Press(2075.0, aFloor, "leave ball 2", 10).Press(2100.0, aFloor, "ball 6", 10);
    door7.Press(2190.0, aFloor, "leave ball 6", 10);
    door7.Walk(2400.0, aFloor);
    killBlob(door7, 2650.0, aFloor, "blob 0", 58);
    door7.Walk(3120.0, aFloor);
    return {door1, galleryD, door7};
}

// The road walker's roads. "first room" goes onto plate 0; the test then stands there and travels
// back (the walker does not travel). "exit" goes on from there through door 0, picks ball 1 up,
// carries it through the red gate to podium 0, sets it down and walks through door 9 to the exit.

// The later galleries' puzzles, each road from beyond door 0 as "exit" begins, ball 1 in hand for
// the red gate. "gallery E" sets it on podium 0 for door 9, then climbs to
// the gallery over rooms 17 and 18 and plays it left to right: doors 11 and 12 held open by past
// selves on their plates, balls 13 to 15 set on podiums 2 to 4, plate 9 turning swivel 1 flat to
// walk under, and doors 16 to 19 held open by past selves on plates 12, 13, 14 and 16.
std::vector<Road> LaterGalleryRoads()
{
    // Through door 9 with podium 0 holding ball 1.
    auto beyondDoor9 = [](Road& r) {
        WalkAlong(r, Road_RedGateX + 60.0, 8560.0);
        r.Press(8560.0, 1700.0, "podium 0", 60).Walk(Road_Door9X + 60.0, 1700.0);
    };
    // A door held open by a past self: stand on the plate, walk to the shut door, go back to a
    // while after stepping on and walk through while the past self still stands there.
    auto pastSelfDoor = [](Road& r, std::string const& name, double plateX, double doorX, double y,
                           double width = DoorWidth) {
        int const plate = r.Next();
        r.Press(plateX + PlateWidth / 2.0, y, name + " plate", 150);
        r.Walk(doorX - 15.0, y).Travel(doorX - 15.0, y, name, plate, 80).Walk(doorX + width + 20.0, y);
    };

    Road e = BeyondRedGate("gallery E");
    beyondDoor9(e);
    double const floor = 2300.0 + Gallery_Rise;
    WalkAlong(e, Road_Door9X + 60.0, 11850.0);
    ClimbStairs(e, 11880.0, 2300.0, floor, 30.0);
    pastSelfDoor(e, "door 11", 12080.0, 12230.0, floor);
    pastSelfDoor(e, "door 12", 12270.0, 12420.0, floor);
    e.Press(12480.0, floor, "ball 13", 10).Press(12600.0, floor, "podium 2", 60);
    e.Press(12520.0, floor, "ball 14", 10).Press(12740.0, floor, "podium 3", 60);
    e.Press(12860.0, floor, "ball 15", 10).Press(12940.0, floor, "podium 4", 60);
    e.Walk(13030.0, floor);
    // Plate 9 turns swivel 1 a quarter, flat over the floor.
    e.Press(13130.0, floor, "plate 9", 80);
    pastSelfDoor(e, "door 16", Junction_Left - 35.0 - PlateWidth, Junction_Left, floor, Junction_Right - Junction_Left);
    double const doorPitch = PlateWidth + 35.0 + DoorWidth + 5.0;
    for (int k = 1; k < 4; ++k)
    {
        double const plateX = 13480.0 + doorPitch * (k - 1);
        pastSelfDoor(e, "door " + std::to_string(16 + k), plateX, plateX + PlateWidth + 35.0, floor);
    }
    // Blob 2 killed by axes from the floor right of its round, facing left: once a round it comes
    // down past him, its body within sight just after the arm of the moment, and one body hit lands.
    // Door 20 opens. Ball 1 is left beyond the red gate: an axe is thrown with empty hands.
    Road c = BeyondRedGate("blob 2");
    c.Press(Road_RedGateX + 100.0, 1550.0, "ball 1 down", 10);
    WalkAlong(c, Road_RedGateX + 100.0, 5540.0);
    double const galleryC = 2050.0 + Gallery_Rise;
    ClimbStairs(c, 5570.0, 2050.0, galleryC, 30.0);
    c.Walk(6740.0, galleryC);
    for (int k = 0; k < 390; ++k)
        c.Throw(6600.0, galleryC, "blob 2", 2, 1);
    c.Walk(6830.0, galleryC);
    return {e, c};
}

// The road walker's roads. "first room" goes onto plate 0; the test then stands there and travels
// back (the walker does not travel). "exit" goes on from there through door 0, picks ball 1 up,
// carries it through the red gate to podium 0, sets it down and walks through door 9 to the exit.

// The road walker's roads. "first room" goes onto plate 0; the test then stands there and travels
// back (the walker does not travel). "exit" goes on from there through door 0, picks ball 1 up,
// carries it through the red gate to podium 0, sets it down and walks through door 9 to the exit.
// Ramps are walked in short steps, so that the walker never jumps up them into a gallery's stairs.
std::vector<Road> BuildRoads()
{
    double const plate = Road_PlateX + PlateWidth / 2.0;
    Road first("first room");
    first.Walk(plate, 1550.0).Ride(plate, 1550.0 - 10.0, "plate 0", 60);

    Road exit("exit");
    exit.Walk(Road_Door0X + 60.0, 1550.0);
    Point const ball{1350.0, 1550.0};
    exit.Press(ball.x, ball.y, "ball 1", 10);
    exit.Walk(Road_RedGateX + 60.0, 1550.0);
    Point const podium{8560.0, 1700.0};
    WalkAlong(exit, Road_RedGateX + 60.0, podium.x, false);
    exit.Press(podium.x, podium.y, "podium 0", 60);
    exit.Walk(Road_Door9X + 60.0, 1700.0);
    WalkAlong(exit, Road_Door9X + 60.0, Road_ExitX, false);
    exit.Exit(Road_ExitX, RoadY(Road_ExitX));

    // Gem 0's chest, from the road past the red gate (ball 1 in hand): up gallery A's stairs to
    // the chest at the foot of its floor; and back down the stairs to the road.
    double const road = 1550.0, floor = road + Gallery_Rise;
    int const steps = int(std::ceil(Gallery_Rise / Step_Rise - 1e-9));
    Road toChest("chest 0");
    Road fromChest("from chest 0");
    toChest.Walk(GalleryA_StairsX - 30.0, road);
    for (int k = 1; k < steps; ++k)
        toChest.Walk(GalleryA_StairsX + (k - 1) * StepPitch + StepWidth / 2.0, road + k * Gallery_Rise / steps);
    toChest.Press(GalleryA_GemX, floor, "chest 0", 2);
    for (int k = steps - 1; k >= 1; --k)
        fromChest.Walk(GalleryA_StairsX + (k - 1) * StepPitch + StepWidth / 2.0, road + k * Gallery_Rise / steps);
    fromChest.Walk(GalleryA_StairsX - 30.0, road);
    std::vector<Road> roads{first, exit, toChest, fromChest};
    for (std::vector<Road> (*more)() : {GalleryRoadsAD, LaterGalleryRoads})
        for (Road& gallery : more())
            roads.push_back(std::move(gallery));
    return roads;
}

} // namespace

std::vector<Point> const& RoadProfile()
{
    return RoadPoints;
}

double RoadY(double x)
{
    std::vector<Point> const& road = RoadPoints;
    if (x <= road.front().x)
        return road.front().y;
    for (std::size_t i = 0; i + 1 < road.size(); ++i)
        if (x <= road[i + 1].x)
            return road[i].y + (road[i + 1].y - road[i].y) * (x - road[i].x) / (road[i + 1].x - road[i].x);
    return road.back().y;
}

void Write(std::string const& dir)
{
    DataGen::MakeDirs(dir + "/killig");
    MapWriter map;
    map.SetView(700.0, 1400.0, 1.0);
    WriteBackground(map);
    WriteRoad(map);
    WriteWestWing(map);
    WriteGalleryA(map);
    WriteGalleryB(map);
    WriteGalleryC(map);
    WriteGalleryD(map);
    WriteGalleryE(map);
    WriteHouse(map);
    map.WriteOrThrow(dir + "/killig/map");
    Road::Write(dir + "/killig/road", BuildRoads());
    WriteImageMap(dir);
    WritePictures(dir);
}

} // namespace KiligWriter
