// The canyon's map and pictures. The road climbs down from ledge to ledge, no drop deeper than a fall
// that stays slow, and crosses the canyon once on a row of flowers over a pit deep enough to end the
// level. Everything else stands in closed galleries above and below the road, walled off from it, far
// enough from its walls that nothing reaches a player on the road; the chests wait in an alcove at the
// start.
//
// The walk: from the start (rp 0) the three chests (rp 777, 778, 791) stand to the left on the same
// floor; each opens by its grid puzzle (8, 12 and 13, solved as the puzzle files' solutions say).
// Right, each ledge ends in a drop of 385 to the next. On the fifth ledge lies the fan (rp 630):
// stop on it and release action to carry it. On the sixth, stop 10 short of its end and walk off it
// holding right: that run-up carries him out over the gap just far enough for the first flower,
// below the end, to catch him as he falls. From each flower jump (jump for some 15 steps of the
// rise) towards the next: from the first to the right, against the overhang's face and down it onto
// the fixed flower above its foot (rp 653); from there to the left, against the ledge's wall and
// down it onto the wall flower; from there to the right again, deep under the overhang's foot onto
// the stair, whose four flowers climb over the landing, 451 below the sixth ledge, and from the last
// he drops onto it. Hanging from a flower sinks it, jumping off it dips it for good (not the fixed
// one), and with the fan it drifts left instead of sinking. Walk on right down the ledges: past
// x 5200 deep down the view widens, holding the canyon's floor with the player in it to the end, and
// past x 5700 the level is completed. Running off the sixth ledge, however he jumps, the double jump
// too, brings him against the overhang's face and down onto the fixed flower, from which no hop to
// the right leads anywhere; falling off the flowers or the landing's edge ends in the pit: the
// picture freezes and the level ends 50 steps later.
#include "tools/worlds/chasm.h"

#include "chasm/Chasm_Ids.h"
#include "engine/Player_Sprites.h"
#include "tools/Canvas.h"
#include "tools/DataGen.h"
#include "tools/MapDressing.h"
#include "tools/MapWriter.h"
#include "tools/Road.h"
#include "util/Error.h"

#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace ChasmWriter
{

namespace
{

// Textures of the shared image map that repeat both ways.
constexpr unsigned int Brick = 2;
constexpr unsigned int Tile = 5;
constexpr unsigned int Stone = 9;

constexpr double Half = Chasm_Wall / 2.0;
constexpr double Left_Edge = -6500.0; // the canyon's west wall
constexpr double Margin = 80.0;       // creatures keep this far inside their gallery's walls
constexpr double pi = 3.14159265358979323846;

// The crossing. A player who comes off the ledge before the gap, whatever his speed and his jumps
// (from the ledge or over it from the one before), meets the overhang: a pillar of rock hung from the
// ceiling across the gap just beyond the ledge's end, its foot below the steepest fall of anyone who
// reaches it. He slides down its face onto a toe at its foot, by the catch flower that hangs there,
// fixed, just above the toe, and from it no hop to the right leads anywhere: he rises along the face and falls back
// onto it. The flower never sinks, so however often he jumps off it, it never comes down to where a hop would pass
// under the foot. The way on is to the left: a hop from the catch flower against the ledge's wall, down which he slides
// onto the wall flower, deep enough that a hop from it passes under the foot, double jump or not (one who rises into
// the face slides back onto the catch flower). Beyond the pillar a stair of flowers climbs over the landing, a floor
// that reaches from the pillar's far side to the gap's far wall, so that whatever he does there he comes down on it.
// Each hold shows the next on the screen: none lies further off than the view reaches round a player hanging from the
// one before.
//
// Every length here is from the end of the ledge before the gap, heights from its floor.
constexpr double StepOff_Before = 10.0; // where a walker stands before stepping off to the catch flower
constexpr double Overhang_X = 60.0;     // the overhang's face
constexpr double Overhang_Width = 40.0;
constexpr double Overhang_Foot = -240.0;      // its foot, below the steepest fall of a runner there
constexpr double Overhang_Steepest = -200.0;  // that fall: over the ledge from the one before, 17 a step down there
constexpr double Toe_Width = 25.0;            // a toe at the foot, under the catch flower: whoever slides down
constexpr double Toe_Height = 20.0;           // the face, however fast, comes to rest there within its reach
constexpr double Catch_In = 6.0;              // the catch flower, in from the face (it sways 5 either way)
constexpr double Catch_Up = Toe_Height + 6.0; // and above the foot
constexpr double Wall_In = 8.0;               // the wall flower, in from the ledge's wall
constexpr double Wall_Drop = 380.0;           // and below the ledge
constexpr int Flower_UnderSteps = 56;         // the hop from the wall flower under the foot onto the stair
constexpr int Flower_ClimbSteps = 40;         // each hop of the stair
constexpr double Landing_Below = 40.0;        // the landing's floor under the stair's first flower
constexpr double Landing_PastPillar = 10.0;   // and its edge beyond the pillar

// The hop a player makes from rest, from a flower, holding a direction and jump for the first 15
// steps of the rise (as the road walker does from a jump point), or, tapped, jump for one step and the
// direction from the second (as he does from a station): where he is after `steps` steps, x along the
// direction held. The player's own numbers: walking 0.1 faster a step up to 6, a jump of 6 that
// slows 0.04 a step while held and 0.1 after, gravity 0.2.
Pointf Hop(int steps, bool tapped = false)
{
    int const held = tapped ? 0 : 14; // the steps after the press
    int const late = tapped ? 1 : 0;  // before the direction is held
    double x = 0.0, y = 0.0, speed = 0.0, rise = 6.0, fall = 0.0;
    for (int i = 0; i < steps; ++i)
    {
        if (i >= late)
            speed = std::fmin(speed + 0.1, 6.0);
        x += speed;
        rise -= i < held ? 0.04 : 0.1;
        y += rise;
        fall += 0.2;
        y -= fall;
    }
    return Pointf(x, y);
}

struct ChasmCrossing
{
    Pointf flowers[Chasm_RoadFlower_Count]; // the wall flower and the stair
    Pointf catchFlower;
    double overhangFoot; // the height of the overhang's foot
    double landingX;     // the landing's edge
    double landingY;     // its floor
};

ChasmCrossing MakeCrossing()
{
    ChasmCrossing c{};
    c.overhangFoot = Overhang_Foot;
    if (Overhang_Foot > Overhang_Steepest - 30.0)
        throw std::runtime_error("chasm map: a runner passes under the overhang");
    c.catchFlower = Pointf(Overhang_X - Catch_In, Overhang_Foot + Catch_Up);
    c.flowers[0] = Pointf(Wall_In, -Wall_Drop);
    c.flowers[1] = c.flowers[0] + Hop(Flower_UnderSteps, true);
    for (int k = 2; k < Chasm_RoadFlower_Count; ++k)
        c.flowers[k] = c.flowers[k - 1] + Hop(Flower_ClimbSteps);
    // The hop from the wall flower passes under the foot, its head well clear of it.
    int steps = 0;
    while (Wall_In + Hop(steps).x < Overhang_X - Toe_Width)
        ++steps;
    if (-Wall_Drop + std::fmax(Hop(steps).y, Hop(steps, true).y) + Player_Height > Overhang_Foot - 40.0)
        throw std::runtime_error("chasm map: the hop from the wall flower does not pass under the overhang");
    c.landingX = Overhang_X + Overhang_Width + Landing_PastPillar;
    c.landingY = c.flowers[1].y - Landing_Below;
    return c;
}

ChasmCrossing const& Crossing()
{
    static ChasmCrossing const crossing = MakeCrossing();
    return crossing;
}

// The gap's column is as wide as the landing needs, from the ledge's wall to the far wall.
constexpr double Gap_Width = 590.0;

struct ColumnSpec
{
    double width;
    double lower;
    double upper;
    bool pit;
};
// 0 the start with the chests' alcove; 6 the gap; 11 and 16 hold the bats' caverns, 17 the tall
// chamber of the fast fireballs; 20 the canyon's floor with the exit.
constexpr ColumnSpec Specs[] = {
    {870, 600, 700, false},  {500, 600, 700, false}, {500, 600, 700, false},    {500, 600, 700, false},
    {500, 600, 700, false},  {500, 600, 700, false}, {Gap_Width, 0, 700, true}, {500, 600, 700, false},
    {500, 600, 700, false},  {500, 600, 700, false}, {500, 600, 700, false},    {900, 600, 1000, false},
    {500, 600, 700, false},  {500, 600, 700, false}, {500, 600, 700, false},    {500, 600, 700, false},
    {900, 900, 700, false},  {500, 900, 700, false}, {500, 600, 700, false},    {500, 600, 700, false},
    {1400, 600, 700, false},
};
constexpr int Column_Count = sizeof Specs / sizeof Specs[0];

std::vector<ChasmWriter_Column> MakeColumns()
{
    std::vector<ChasmWriter_Column> columns;
    double x = Left_Edge;
    // The road beyond the gap stays where it was: the ledges before it stand higher by the landing's
    // depth under the ledge before the gap.
    double floor = -Crossing().landingY;
    for (int i = 0; i < Column_Count; ++i)
    {
        ColumnSpec const& s = Specs[i];
        if (i > 0 && !s.pit)
            floor -= Specs[i - 1].pit ? -Crossing().landingY : Chasm_Drop;
        columns.push_back({x, x + s.width, floor, s.lower, s.upper, s.pit});
        x += s.width;
    }
    return columns;
}

double Bottom(ChasmWriter_Column const& c)
{
    return c.pit ? c.floor - Chasm_PitDepth - Chasm_Wall : c.floor - 2.0 * Chasm_Wall - c.lower;
}

double Top(ChasmWriter_Column const& c)
{
    return c.floor + Chasm_Corridor + 2.0 * Chasm_Wall + c.upper;
}

// A box with no outline: MapDressing outlines the tops once the walls stand.
void Box(MapWriter& map, double x0, double y0, double x1, double y1, unsigned int texture, bool solid = true)
{
    if (y1 - y0 < 1.0 || x1 - x0 < 1.0)
        return;
    MapWriter_Poly box{texture, 0, solid, false, {}};
    double const xs[4] = {x0, x0, x1, x1};
    double const ys[4] = {y0, y1, y1, y0};
    for (int i = 0; i < 4; ++i)
        box.points.push_back({xs[i], ys[i], xs[i] / 64.0, ys[i] / 64.0, false});
    map.AddPoly(box);
}

// Places every reference point once.
class Places
{
public:
    explicit Places(MapWriter& writer) : map(writer) {}

    void At(unsigned int id, double x, double y)
    {
        if (id >= placed.size())
            placed.resize(id + 1, false);
        if (placed[id])
            throw std::runtime_error("chasm map: reference point " + std::to_string(id) + " placed twice");
        placed[id] = true;
        map.AddRefPoint(id, x, y);
    }
    void At(unsigned int id, Pointf p) { At(id, p.x, p.y); }

private:
    MapWriter& map;
    std::vector<bool> placed;
};

// The canyon's roof: level over every column, as high as the highest column's top. Nothing stands
// on it: it is the map's top.
double RoofY()
{
    double roof = -1e300;
    for (ChasmWriter_Column const& c : Columns())
        roof = std::fmax(roof, Top(c));
    return roof;
}

void WriteWalls(MapWriter& map)
{
    std::vector<ChasmWriter_Column> const& columns = Columns();
    double const roof = RoofY();
    for (std::size_t i = 0; i < columns.size(); ++i)
    {
        ChasmWriter_Column const& c = columns[i];
        double const bottom = Bottom(c);
        double const top = Top(c);
        if (static_cast<int>(i) == Chasm_ExitColumn)
        {
            // The canyon's floor has no galleries: rock below the road and above it, so the view
            // that holds the floor shows every place a player stands in.
            Box(map, c.x0, bottom, c.x1, c.floor, Stone);
            Box(map, c.x0, c.floor + Chasm_Corridor, c.x1, roof, Stone);
        }
        else
        {
            if (c.pit)
            {
                Box(map, c.x0, bottom, c.x1, bottom + Chasm_Wall, Brick);
                // The overhang, hung from the ceiling down to its foot; the landing's floor, from under
                // it to the far wall; rock over the landing's road up to the ceiling.
                ChasmCrossing const& crossing = Crossing();
                double const edge = c.x0 + Half;
                double const face = edge + Overhang_X;
                double const ceiling = c.floor + Chasm_Corridor;
                Box(map, face, c.floor + crossing.overhangFoot, face + Overhang_Width, ceiling, Stone);
                Box(map, face - Toe_Width, c.floor + crossing.overhangFoot, face,
                    c.floor + crossing.overhangFoot + Toe_Height, Stone);
                double const landing = c.floor + crossing.landingY;
                Box(map, edge + crossing.landingX, landing - Chasm_Wall, c.x1, landing, Brick);
                Box(map, face + Overhang_Width, landing + Chasm_Corridor, c.x1, ceiling, Stone);
            }
            else
            {
                Box(map, c.x0, bottom, c.x1, bottom + Chasm_Wall, Stone);
                Box(map, c.x0, c.floor - Chasm_Wall, c.x1, c.floor, Brick);
                ChasmWriter_Room const lower = Lower(static_cast<int>(i));
                Box(map, lower.x0, lower.y0, lower.x1, lower.y1, Tile, false);
            }
            Box(map, c.x0, c.floor + Chasm_Corridor, c.x1, c.floor + Chasm_Corridor + Chasm_Wall, Stone);
            Box(map, c.x0, top - Chasm_Wall, c.x1, roof, Stone);
            ChasmWriter_Room const upper = Upper(static_cast<int>(i));
            Box(map, upper.x0, upper.y0, upper.x1, upper.y1, Tile, false);
        }

        // The wall on the column's left edge, open where the road comes in.
        if (i == 0)
        {
            Box(map, c.x0 - Half, bottom, c.x0 + Half, roof, Stone);
        }
        else
        {
            ChasmWriter_Column const& p = columns[i - 1];
            // Past the gap the road goes on from the landing.
            double const before = p.pit ? FarFloor() : p.floor;
            double const high = std::fmax(before, c.floor);
            double const low = std::fmin(before, c.floor);
            Box(map, c.x0 - Half, std::fmin(Bottom(p), bottom), c.x0 + Half, high, Stone);
            Box(map, c.x0 - Half, low + Chasm_Corridor, c.x0 + Half, std::fmax(Top(p), top), Stone);
        }
        if (i + 1 == columns.size())
            Box(map, c.x1 - Half, bottom, c.x1 + Half, roof, Stone);
    }
}

// A grid of flowers from the room's lower left, cols across, dx and dy apart.
void FlowerGrid(Places& at, ChasmWriter_Room const& room, unsigned int first, int count, int cols, double dx, double dy,
                double x0 = Margin, double y0 = Margin)
{
    for (int k = 0; k < count; ++k)
        at.At(first + static_cast<unsigned int>(k), room.x0 + x0 + dx * (k % cols), room.y0 + y0 + dy * (k / cols));
}

// Vultures patrol width along a line height below the ceiling, swooping dive down.
void Vultures(Places& at, ChasmWriter_Room const& room, Chasm_VultureIds const& v, double x, double width,
              double height, double dive)
{
    double const y = room.y1 - height;
    at.At(v.from, x, y);
    at.At(v.to, x + width, y);
    at.At(v.swoop, x + width / 2.0, y - dive);
}

// A wasp's rectangle.
void WaspBox(Places& at, unsigned int a, double x0, double y0, double x1, double y1)
{
    at.At(a, x0, y0);
    at.At(a + 1, x1, y1);
}

// A kill zone lying on the room's floor.
void FloorZone(Places& at, ChasmWriter_Room const& room, unsigned int a, unsigned int b)
{
    at.At(a, room.x0 + Margin, room.y0);
    at.At(b, room.x1 - Margin, room.y0 + 30.0);
}

// Spiders hanging from the room's ceiling, dx apart.
void Spiders(Places& at, ChasmWriter_Room const& room, unsigned int first, int count, double x0, double dx)
{
    for (int k = 0; k < count; ++k)
        at.At(first + static_cast<unsigned int>(k), x0 + dx * k, room.y1);
}

// Shmoos standing on the room's floor, dx apart, each with its jump top above; ground and top ids
// advance by step.
void Shmoos(Places& at, ChasmWriter_Room const& room, unsigned int ground, unsigned int top, int count, int step,
            double x0, double dx, double jump)
{
    for (int k = 0; k < count; ++k)
    {
        double const x = x0 + dx * k;
        at.At(ground + static_cast<unsigned int>(k * step), x, room.y0 + 100.0);
        at.At(top + static_cast<unsigned int>(k * step), x, room.y0 + jump);
    }
}

// Vines hanging from the ceiling; each drops drop on its first hit (0: never).
void Vine(Places& at, ChasmWriter_Room const& room, unsigned int top, unsigned int below, double x, double drop)
{
    at.At(top, x, room.y1 - 2.0);
    if (below != top)
        at.At(below, x, room.y1 - 2.0 - drop);
}

Pointf OnEllipse(Pointf centre, double rx, double ry, double angle)
{
    return Pointf(centre.x + rx * std::sin(angle), centre.y + ry * std::cos(angle));
}

// count waypoints of a bat path round an ellipse, clockwise from angle a0, each heading along it.
void BatLoop(Places& at, unsigned int first, int count, Pointf centre, double rx, double ry, double a0)
{
    for (int k = 0; k < count; ++k)
    {
        double const a = a0 + 2.0 * pi * k / count;
        at.At(first + 2 * static_cast<unsigned int>(k), OnEllipse(centre, rx, ry, a));
        at.At(first + 2 * static_cast<unsigned int>(k) + 1, OnEllipse(centre, rx, ry, a + 0.25));
    }
}

// Roosts along the cavern's ceiling, dx apart.
void Roosts(Places& at, ChasmWriter_Room const& room, unsigned int first, int count, double x0, double dx)
{
    for (int k = 0; k < count; ++k)
        at.At(first + static_cast<unsigned int>(k), x0 + dx * k, room.y1 - 2.0);
}

// Jets on the room's left wall blowing right, dy apart from y0 up.
void WallJets(Places& at, ChasmWriter_Room const& room, unsigned int first, int count, double y0, double dy)
{
    for (int k = 0; k < count; ++k)
        at.At(first + static_cast<unsigned int>(k), room.x0 + 4.0, y0 + dy * k);
}

// Fireballs' launch points on the chamber's floor.
void Launchers(Places& at, ChasmWriter_Room const& room, std::vector<unsigned int> const& refs)
{
    double const dx = (room.x1 - room.x0 - 2.0 * Margin) / (refs.size() - 1);
    for (std::size_t k = 0; k < refs.size(); ++k)
        at.At(refs[k], room.x0 + Margin + dx * k, room.y0 + 12.0);
}

// A point on the road's floor of the column, at x from its left end.
Pointf OnRoad(int column, double x, double up = 0.0)
{
    ChasmWriter_Column const& c = Columns()[column];
    return Pointf(c.x0 + x, c.floor + up);
}

void WriteRoad(Places& at)
{
    at.At(Chasm_Rp_Start, OnRoad(0, 600.0, 1.0));
    for (int k = 0; k < Chasm_Chest_Count; ++k)
        at.At(Chasm_Rp_Chests[k], OnRoad(0, 100.0 + 100.0 * k));
    at.At(Chasm_Rp_Signs[2], OnRoad(0, 780.0));
    at.At(Chasm_Rp_Fan, OnRoad(4, 250.0));
    at.At(Chasm_Rp_Signs[0], OnRoad(5, 400.0));
    at.At(Chasm_Rp_Signs[1], OnRoad(7, 100.0));
    constexpr int heartColumns[Chasm_Heart_Count] = {2, 8, 10, 12, 14, 17, 18};
    for (int k = 0; k < Chasm_Heart_Count; ++k)
        at.At(Chasm_Rp_Hearts[k], OnRoad(heartColumns[k], 250.0, 15.0));
    for (int k = 0; k < Chasm_RoadFlower_Count; ++k)
        at.At(Chasm_Rp_RoadFlowers + static_cast<unsigned int>(k), RoadFlower(k));
    at.At(Chasm_Rp_FixedFlower, CatchFlower());
    // Walking over these wakes the flocks in the caverns above and below the road.
    at.At(Chasm_BatGroups[1].ref, OnRoad(11, 450.0, 20.0));
    at.At(Chasm_BatGroups[2].ref, OnRoad(16, 450.0, 20.0));
}

void WriteGalleries(Places& at)
{
    // Column 0: flowers and a flock of vultures above, more flowers below.
    ChasmWriter_Room r = Upper(0);
    FlowerGrid(at, r, 1, 21, 7, 55.0, 110.0);
    Vultures(at, r, Chasm_Vultures[0], r.x0 + 430.0, 300.0, 150.0, 200.0);
    FlowerGrid(at, Lower(0), 25, 28, 7, 55.0, 120.0, Margin + 200.0);

    // Column 1: two flocks of vultures; shmoos.
    r = Upper(1);
    Vultures(at, r, Chasm_Vultures[1], r.x0 + Margin, 300.0, 140.0, 200.0);
    Vultures(at, r, Chasm_Vultures[2], r.x0 + Margin, 250.0, 400.0, 140.0);
    r = Lower(1);
    Shmoos(at, r, Chasm_Shmoos[0].ground, Chasm_Shmoos[0].top, Chasm_Shmoos[0].count, Chasm_Shmoos[0].step,
           r.x0 + Margin, 45.0, 200.0);

    // Column 2: flowers; twelve jets blowing across.
    FlowerGrid(at, Upper(2), 73, 13, 5, 70.0, 150.0);
    r = Lower(2);
    WallJets(at, r, 86, 12, r.y0 + 60.0, 40.0);

    // Column 3: a field of flowers; jets down from the ceiling, one back from the right, a flower
    // and a deadly floor below.
    FlowerGrid(at, Upper(3), 98, 52, 8, 42.0, 80.0, 70.0, 60.0);
    r = Lower(3);
    for (unsigned int k = 0; k < 3; ++k)
        at.At(150 + k, r.x0 + Margin + 100.0 * k, r.y1 - 4.0);
    at.At(153, r.x1 - 120.0, r.y0 + 150.0);
    at.At(154, r.x1 - 4.0, r.y0 + 100.0);
    FloorZone(at, r, 155, 156);

    // Column 4: jets up from the floor and down from the ceiling over a deadly floor; a chamber of
    // eight fireballs below.
    r = Upper(4);
    for (unsigned int k = 0; k < 12; ++k)
    {
        bool const up = Chasm_Jets[4 + k].direction == 0;
        at.At(159 + k, r.x0 + 30.0 + 36.0 * k, up ? r.y0 + 4.0 : r.y1 - 4.0);
    }
    FloorZone(at, r, 171, 172);
    Launchers(at, Lower(4), {173, 174, 175, 176, 177, 178, 179, 180});

    // Column 5: spiders, wasps and grethyns over a deadly floor; two jets below.
    r = Upper(5);
    FloorZone(at, r, 181, 182);
    Spiders(at, r, 183, 7, r.x0 + Margin, 50.0);
    WaspBox(at, 190, r.x0 + Margin, r.y0 + 150.0, r.x1 - Margin, r.y0 + 350.0);
    at.At(192, r.x0 + 120.0, r.y0 + 60.0);
    at.At(193, r.x1 - 120.0, r.y0 + 60.0);
    WaspBox(at, 195, r.x0 + Margin, r.y0 + 250.0, r.x1 - Margin, r.y0 + 450.0);
    r = Lower(5);
    WallJets(at, r, 197, 2, r.y0 + 150.0, 150.0);

    // Column 6, over the gap: flowers.
    FlowerGrid(at, Upper(6), 199, 47, 10, 55.0, 120.0, 60.0);

    // Column 7: vultures; wasps and jets.
    r = Upper(7);
    Vultures(at, r, Chasm_Vultures[3], r.x0 + Margin, 300.0, 150.0, 250.0);
    r = Lower(7);
    WaspBox(at, 249, r.x0 + Margin + 150.0, r.y0 + Margin, r.x1 - Margin, r.y0 + 250.0);
    WaspBox(at, 251, r.x0 + Margin + 150.0, r.y0 + 250.0, r.x1 - Margin, r.y1 - Margin);
    WallJets(at, r, 253, 2, r.y0 + 120.0, 200.0);

    // Column 8: flowers; wasps in pairs and jets.
    FlowerGrid(at, Upper(8), 255, 31, 7, 55.0, 120.0);
    r = Lower(8);
    for (unsigned int k = 0; k < 3; ++k)
        WaspBox(at, 286 + 2 * k, r.x0 + Margin + 150.0, r.y0 + Margin + 150.0 * k, r.x1 - Margin,
                r.y0 + Margin + 150.0 * k + 120.0);
    WallJets(at, r, 292, 2, r.y0 + 150.0, 250.0);

    // Column 9: flowers under a jet from the ceiling and six across; a chamber of four fireballs.
    r = Upper(9);
    FlowerGrid(at, r, 294, 11, 4, 70.0, 100.0, 120.0, 60.0);
    at.At(305, r.x1 - 60.0, r.y1 - 4.0);
    WallJets(at, r, 306, 6, r.y0 + 350.0, 50.0);
    Launchers(at, Lower(9), {312, 313, 314, 315});

    // Column 10: vines over deadly floors; spiders.
    r = Upper(10);
    at.At(316, r.x0 + Margin, r.y0);
    at.At(317, r.x0 + 220.0, r.y0 + 30.0);
    at.At(320, r.x0 + 240.0, r.y0);
    at.At(321, r.x1 - Margin, r.y0 + 30.0);
    Vine(at, r, 318, 345, r.x0 + 100.0, 180.0);
    at.At(319, r.x0 + 160.0, r.y1 - 2.0);
    Vine(at, r, 346, 347, r.x0 + 220.0, 150.0);
    Vine(at, r, 348, 349, r.x0 + 280.0, 120.0);
    Vine(at, r, 350, 351, r.x0 + 340.0, 90.0);
    Vine(at, r, 353, 354, r.x0 + 390.0, 60.0);
    r = Lower(10);
    Spiders(at, r, 322, 12, r.x0 + Margin, 27.0);

    // Column 11: the first bats' cavern above the road; the rest of the spiders below.
    r = Upper(11);
    Pointf const cave1((r.x0 + r.x1) / 2.0, (r.y0 + r.y1) / 2.0);
    BatLoop(at, 358, 12, cave1, 250.0, 330.0, 0.0);
    at.At(382, OnEllipse(cave1, 250.0, 330.0, -pi / 6.0));
    at.At(383, OnEllipse(cave1, 250.0, 330.0, -pi / 6.0 + 0.25));
    BatLoop(at, 394, 8, cave1, 150.0, 200.0, 0.0);
    at.At(Chasm_BatGroups[0].ref, cave1.x, r.y0 + 120.0);
    at.At(Chasm_BatGroups[0].ref + 1, cave1.x + 100.0, r.y0 + 120.0);
    at.At(412, cave1.x - 200.0, r.y0 + 220.0);
    at.At(413, cave1.x - 200.0, r.y0 + 320.0);
    at.At(414, cave1.x - 120.0, cave1.y + 170.0);
    at.At(415, cave1.x - 20.0, cave1.y + 170.0);
    BatLoop(at, 460, 8, cave1, 320.0, 400.0, pi / 8.0);
    BatLoop(at, 476, 4, cave1, 80.0, 120.0, 0.0);
    BatLoop(at, 484, 4, cave1, 220.0, 110.0, pi / 4.0);
    Roosts(at, r, 384, 10, r.x0 + Margin, 40.0);
    Roosts(at, r, 445, 14, r.x0 + 460.0, 22.0);
    r = Lower(11);
    Spiders(at, r, 334, 11, r.x0 + Margin, 65.0);

    // Column 12: shmoos under a spider; vines.
    r = Upper(12);
    Shmoos(at, r, Chasm_Shmoos[1].ground, Chasm_Shmoos[1].top, Chasm_Shmoos[1].count, Chasm_Shmoos[1].step,
           r.x0 + Margin, 60.0, 220.0);
    at.At(423, r.x0 + 230.0, r.y1);
    r = Lower(12);
    for (unsigned int k = 0; k < 6; ++k)
        Vine(at, r, 432 + k, 438 + k, r.x0 + Margin + 60.0 * k, 100.0 + 20.0 * k);

    // Column 13: vines, a grethyn and wasps; shmoos on a deadly floor.
    r = Upper(13);
    for (unsigned int k = 0; k < 4; ++k)
        Vine(at, r, 492 + 2 * k, 492 + 2 * k + (k < 3 ? 1 : 0), r.x0 + Margin + 50.0 * k, 150.0);
    at.At(500, r.x1 - 120.0, r.y0 + 60.0);
    for (unsigned int k = 0; k < 5; ++k)
        WaspBox(at, 501 + 2 * k, r.x0 + 230.0, r.y0 + 150.0 + 80.0 * k, r.x1 - Margin, r.y0 + 230.0 + 80.0 * k);
    r = Lower(13);
    FloorZone(at, r, 511, 512);
    Shmoos(at, r, Chasm_Shmoos[2].ground, Chasm_Shmoos[2].top, Chasm_Shmoos[2].count, Chasm_Shmoos[2].step,
           r.x0 + Margin, 22.0, 200.0);

    // Columns 14 and 15: grethyns by a field of flowers that runs on into the next gallery; wasps;
    // vultures.
    r = Upper(14);
    for (unsigned int k = 0; k < 4; ++k)
        at.At(541 + k, r.x0 + Margin + 100.0 * k, r.y0 + 40.0);
    FlowerGrid(at, r, 545, 48, 8, 42.0, 90.0, 70.0, 150.0);
    FlowerGrid(at, Upper(15), 593, 37, 8, 42.0, 110.0, 70.0);
    r = Lower(14);
    for (unsigned int k = 0; k < 4; ++k)
        WaspBox(at, 631 + 2 * k, r.x0 + Margin, r.y0 + Margin + 110.0 * k, r.x1 - Margin,
                r.y0 + Margin + 110.0 * k + 100.0);
    r = Lower(15);
    Vultures(at, r, Chasm_Vultures[4], r.x0 + Margin, 300.0, 180.0, 200.0);

    // Column 16: jets by a few flowers (the fixed one catches runners on the overhang's face); the
    // second bats' cavern below the road.
    r = Upper(16);
    WallJets(at, r, 642, 2, r.y0 + 150.0, 300.0);
    FlowerGrid(at, r, 644, 9, 5, 70.0, 150.0, 450.0, 150.0);
    r = Lower(16);
    Pointf const cave2((r.x0 + r.x1) / 2.0, (r.y0 + r.y1) / 2.0 - 40.0);
    BatLoop(at, 684, 7, cave2, 300.0, 300.0, 0.0);
    BatLoop(at, 699, 11, cave2, 180.0, 180.0, pi / 11.0);
    Roosts(at, r, 654, 30, r.x0 + Margin, 23.0);

    // Column 17: flowers; the tall chamber of the fast fireballs over a deadly floor.
    FlowerGrid(at, Upper(17), 728, 37, 8, 42.0, 110.0, 70.0);
    r = Lower(17);
    FloorZone(at, r, 722, 723);
    Launchers(at, r, {724, 725, 726});

    // Column 18: jets and wasps; flowers.
    r = Upper(18);
    WallJets(at, r, 765, 4, r.y0 + 100.0, 120.0);
    for (unsigned int k = 0; k < 4; ++k)
        WaspBox(at, 769 + 2 * k, r.x0 + 340.0, r.y0 + Margin + 130.0 * k, r.x1 - Margin,
                r.y0 + Margin + 130.0 * k + 110.0);
    FlowerGrid(at, Lower(18), 779, 12, 4, 90.0, 130.0, 90.0);

    // Column 19: flowers.
    FlowerGrid(at, Upper(19), 792, 10, 5, 70.0, 150.0);
}

std::uint8_t Mix(std::uint8_t a, std::uint8_t b, double f)
{
    return static_cast<std::uint8_t>(a + (b - a) * f);
}

Rgba Mix(Rgba a, Rgba b, double f)
{
    return Rgba{Mix(a.r, b.r, f), Mix(a.g, b.g, f), Mix(a.b, b.b, f), 255};
}

// The canyon seen from inside: sky at the top, the far walls in bands of rock, darker and redder
// with depth. Drawn at 0.64 it spans the screen's width.
void WriteBackground(std::string const& dir)
{
    constexpr int w = 1024, h = 1100;
    Canvas c(w, h);
    Rgba const sky{150, 200, 240, 255}, rim{230, 170, 110, 255}, deep{70, 25, 20, 255};
    for (int y = 0; y < h; ++y)
    {
        double const f = y / double(h - 1);
        c.FillRect(0, y, w, 1, f < 0.15 ? Mix(sky, rim, f / 0.15) : Mix(rim, deep, (f - 0.15) / 0.85));
    }
    // The far walls close in from both sides, in strata.
    Rgba const wall{120, 60, 40, 255};
    for (int band = 0; band < 22; ++band)
    {
        double const y0 = 120.0 + band * 45.0;
        double const inset = 60.0 + 30.0 * std::sin(band * 1.7) + band * 6.0;
        Rgba const shade = Mix(wall, deep, band / 22.0);
        Rgba const light = Mix(shade, Rgba{255, 220, 180, 255}, 0.15);
        c.FillPolygon({0, y0, inset + 40.0, y0, inset, y0 + 46.0, 0, y0 + 46.0}, shade);
        c.FillPolygon({double(w), y0, w - inset - 30.0, y0, w - inset, y0 + 46.0, double(w), y0 + 46.0}, shade);
        c.Line(0, y0, inset + 40.0, y0, 2.0, light);
        c.Line(double(w), y0, w - inset - 30.0, y0, 2.0, light);
    }
    DataGen::SavePng(c, dir, "gfx/chasm/background.png");
}

// A flower on a curled stem; the loop low on the stem, a fifth of the way up, is where a player
// hangs.
void WriteFlower(std::string const& dir)
{
    Canvas c(32, 48);
    Rgba const stem{50, 140, 50, 255};
    c.Line(16, 20, 16, 44, 2.5, stem);
    c.FillEllipse(10, 30, 5, 2.5, Rgba{70, 170, 60, 255});
    c.FillEllipse(22, 26, 5, 2.5, Rgba{70, 170, 60, 255});
    for (int k = 0; k < 6; ++k)
    {
        double const a = k * pi / 3.0;
        c.FillEllipse(16 + 7.0 * std::cos(a), 12 + 7.0 * std::sin(a), 5.0, 5.0, Rgba{230, 80, 150, 255});
    }
    c.FillCircle(16, 12, 4.0, Rgba{250, 220, 60, 255});
    c.FillCircle(16, 38.4, 3.5, Rgba{120, 70, 30, 255});
    c.FillCircle(16, 38.4, 1.8, Rgba{0, 0, 0, 0});
    DataGen::SavePng(c, dir, "gfx/chasm/flower.png");
}

// A ball of fire heading up its picture, its tail flickering from frame to frame.
void WriteFireBalls(std::string const& dir)
{
    for (int f = 0; f < 3; ++f)
    {
        Canvas c(24, 24);
        double const lick = (f - 1) * 2.0;
        c.FillPolygon({5, 10, 12 + lick, 23, 19, 10}, Rgba{220, 60, 10, 230});
        c.FillPolygon({8, 10, 12 - lick, 20, 16, 10}, Rgba{250, 140, 20, 240});
        c.FillCircle(12, 9, 7.0, Rgba{250, 120, 20, 255});
        c.FillCircle(12, 8, 4.5, Rgba{255, 220, 80, 255});
        c.FillCircle(12, 7, 2.0, Rgba{255, 255, 220, 255});
        DataGen::SavePng(c, dir, "gfx/chasm/fireball/fireball0" + std::to_string(f) + ".png");
    }
}

// A little fan on a handle, its three blades turning from frame to frame.
void WriteFan(std::string const& dir)
{
    for (int f = 0; f < 3; ++f)
    {
        Canvas c(32, 32);
        c.Line(16, 18, 16, 31, 3.0, Rgba{110, 70, 30, 255});
        for (int b = 0; b < 3; ++b)
        {
            double const a = f * pi / 4.5 + b * 2.0 * pi / 3.0;
            double const tx = 16 + 11.0 * std::cos(a), ty = 13 + 11.0 * std::sin(a);
            double const sx = 16 + 7.0 * std::cos(a + 0.6), sy = 13 + 7.0 * std::sin(a + 0.6);
            c.FillPolygon({16, 13, sx, sy, tx, ty}, Rgba{60, 160, 230, 255});
        }
        c.FillCircle(16, 13, 2.5, Rgba{230, 230, 240, 255});
        DataGen::SavePng(c, dir, "gfx/chasm/objects/fan" + std::to_string(f) + ".png");
    }
}

} // namespace

std::vector<ChasmWriter_Column> const& Columns()
{
    static std::vector<ChasmWriter_Column> const columns = MakeColumns();
    return columns;
}

ChasmWriter_Room RoadRoom(int column)
{
    ChasmWriter_Column const& c = Columns()[column];
    return {c.x0 + Half, c.pit ? c.floor - Chasm_PitDepth : c.floor, c.x1 - Half, c.floor + Chasm_Corridor};
}

ChasmWriter_Room Upper(int column)
{
    ChasmWriter_Column const& c = Columns()[column];
    double const y0 = c.floor + Chasm_Corridor + Chasm_Wall;
    return {c.x0 + Half, y0, c.x1 - Half, y0 + c.upper};
}

ChasmWriter_Room Lower(int column)
{
    ChasmWriter_Column const& c = Columns()[column];
    double const y1 = c.floor - Chasm_Wall;
    return {c.x0 + Half, y1 - c.lower, c.x1 - Half, y1};
}

double GapLeftEdge()
{
    return Columns()[Chasm_GapColumn].x0 + Half;
}

double GapRightEdge()
{
    return GapLeftEdge() + Crossing().landingX;
}

double FarFloor()
{
    return Columns()[Chasm_GapColumn].floor + Crossing().landingY;
}

double ExitFloor()
{
    return Columns()[Chasm_ExitColumn].floor;
}

Pointf RoadFlower(int k)
{
    Pointf const at = Crossing().flowers[k];
    return Pointf(GapLeftEdge() + at.x, Columns()[Chasm_GapColumn].floor + at.y);
}

Pointf CatchFlower()
{
    Pointf const at = Crossing().catchFlower;
    return Pointf(GapLeftEdge() + at.x, Columns()[Chasm_GapColumn].floor + at.y);
}

ChasmWriter_Room Overhang()
{
    ChasmWriter_Column const& c = Columns()[Chasm_GapColumn];
    double const face = GapLeftEdge() + Overhang_X;
    return {face, c.floor + Crossing().overhangFoot, face + Overhang_Width, c.floor + Chasm_Corridor};
}

// The road's way over the gap, from the ledge before it onto the landing (or, with upTo set, onto
// that flower of the stair). He stops by the ledge's end (hopping there) and walks off, sliding down
// the overhang's face onto the catch flower; once he hangs there he jumps, holding left as he rises,
// to the ledge's wall, and waits until he hangs from the wall flower; from that he jumps again,
// holding right, under the overhang onto the stair. Each jump point of the stair is passed in the air a little
// before the flower it names, so that the walker's jump key, let go and pressed again 15 steps later,
// finds him hanging there and jumps on.
void CrossTheGap(Road& road, int upTo = Chasm_RoadFlower_Count - 1)
{
    double const floor = Columns()[Chasm_GapColumn].floor;
    Pointf const catchFlower = CatchFlower();
    Pointf const wall = RoadFlower(0);
    road.Hop(GapLeftEdge() - StepOff_Before, floor, "the ledge's end", 60);
    road.Walk(catchFlower.x - 10.0, floor - 40.0);
    road.Ride(catchFlower.x, catchFlower.y - 20.0, "onto the catch flower", 200);
    road.Hop(catchFlower.x, catchFlower.y, "off the catch flower", 0);
    road.Walk(wall.x, wall.y);
    road.Ride(wall.x, wall.y - 20.0, "onto the wall flower", 200);
    road.Hop(wall.x - 2.0, wall.y, "off the wall flower", 0);
    for (int k = 1; k <= upTo; ++k)
        road.Jump(RoadFlower(k).x - 20.0, RoadFlower(k).y);
    if (upTo + 1 == Chasm_RoadFlower_Count)
        road.Walk(RoadFlower(Chasm_RoadFlower_Count - 1).x + 100.0, FarFloor());
}

std::vector<Road> BuildRoads()
{
    std::vector<ChasmWriter_Column> const& columns = Columns();
    auto ledgeEnd = [&](int i) { return columns[i].x1 + Half; };
    Road toExit("exit");
    for (int i = 0; i < 4; ++i)
        toExit.Walk(ledgeEnd(i), columns[i].floor);
    toExit.Press(OnRoad(4, 250.0).x, columns[4].floor, "fan", 5).Walk(ledgeEnd(4), columns[4].floor);
    CrossTheGap(toExit);
    toExit.Press(OnRoad(Chasm_GapColumn + 1, 310.0).x, FarFloor(), "drop the fan", 5);
    for (int i = Chasm_GapColumn + 1; i < Chasm_ExitColumn; ++i)
        toExit.Walk(ledgeEnd(i), columns[i].floor);
    toExit.Exit(Chasm_ExitX + 100.0, ExitFloor());

    // Over the gap to the stair's third flower, then back left off it into the deep pit (running off
    // the ledge ends on the catch flower).
    Road pit("pit");
    for (int i = 0; i + 1 < Chasm_GapColumn; ++i)
        pit.Walk(ledgeEnd(i), columns[i].floor);
    CrossTheGap(pit, 3);
    pit.Exit(GapLeftEdge() + Overhang_X / 2.0, FarFloor());
    return {toExit, pit};
}

MapWriter BuildMap()
{
    MapWriter map;
    map.SetView(Columns()[0].x0 + 300.0, -200.0, 1.0);
    try
    {
        WriteWalls(map);
    }
    catch (Error const& err)
    {
        throw std::runtime_error(std::string("chasm map: ") + err.Text());
    }
    MapDressing::OutlineTops(map);
    Places at(map);
    WriteRoad(at);
    WriteGalleries(at);
    return map;
}

void Write(std::string const& dir)
{
    DataGen::MakeDirs(dir + "/chasm");
    MapWriter const map = BuildMap();
    map.WriteOrThrow(dir + "/chasm/map");
    Road::Write(dir + "/chasm/road", BuildRoads());
    WriteBackground(dir);
    WriteFlower(dir);
    WriteFireBalls(dir);
    WriteFan(dir);
}

} // namespace ChasmWriter
