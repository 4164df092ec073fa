// The castle's map and pictures. The road runs from the owner's hall through the gate, by room 5's cog, fetched
// from the past and put into room 6's machine, which opens door 10, through that and the lamp room's door 7
// into the shaft, by room 10's mirror puzzle, whose door 9 closes the shaft's ledge, up the shaft, with the
// crystals of rooms 9 and 18 to room 11's podiums, which open door 11 across the road, along the upper floor,
// through the symbol lock's door 16 and the eye's door 13 in room 32's pit, to a drop into the last room,
// where the socks lie before the far exit; the other puzzle rooms lie beside it, each in
// its room's rectangle, and each puzzle's solution is written beside its layout.
#include "tools/worlds/castle.h"

#include "castle/Casle_Ids.h"
#include "engine/Switch.h"
#include "tools/Canvas.h"
#include "tools/DataGen.h"
#include "tools/Figure.h"
#include "tools/MapDressing.h"
#include "tools/MapTextures.h"
#include "util/Error.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace CastleWriter
{

namespace
{

// Textures of the shared image map that repeat both ways (polygons take their texture coordinates
// from their world position).
constexpr unsigned int Brick = MapTextures::Brick; // the rooms' back walls, not solid
constexpr unsigned int Tile = MapTextures::Tile;   // everything that moves or works: plates, doors, lifts, targets
constexpr unsigned int Stone = MapTextures::Stone; // floors and walls
constexpr unsigned int Rock = MapTextures::Cliff;  // the rock the castle is built into, behind everything
constexpr unsigned int Unseen = MapTextures::Rock; // never drawn: what is stood on under a picture

constexpr double Slab = 40.0;     // depth of a floor
constexpr double Ledge = 12.0;    // depth of a ledge
constexpr double GateHigh = 45.0; // a gate stands this high in its doorway; the lintel starts above
constexpr double GateWide = 16.0;
constexpr double TippedWide = 30.0;
constexpr double Gate_Clearance = 0.5; // how far short of its floor a shut gate's solid stops
constexpr double Lift = 15.0; // depth of a lift's platform

using Corners = std::vector<std::pair<double, double>>;

// A ladder of shelves (rungs) from floor up to top in two columns, [left, left + 60] and [left +
// 70, left + 130], no step over 50 high: jump straight up from a rung's edge and drift over the
// next once above it. The last rung lies in the left column when lastLeft, so that the top is
// reached beside it.
constexpr double Rung_Wide = 60.0;
constexpr double Rung_Column = 70.0; // from one column's left end to the other's

struct Ladder_Rung
{
    double x0, top;
};

// A rung jumped from stands under the next but one of its column: that one is twice Rung_Pitch above
// it, so that the head meets that one only once the feet are well over the rung between.
// Where the rise is not a whole number of pitches, the first step and the last, which have no rung
// of their own column over them, share what is left (a ladder given pitch 0 steps evenly).
constexpr double Rung_Pitch = 48.0;

std::vector<Ladder_Rung> LadderRungs(double left, double floor, double top, bool lastLeft, double pitch = 0.0)
{
    int steps = static_cast<int>(std::ceil((top - floor) / 50.0));
    double step = (top - floor) / steps;
    double end = step;
    if (pitch > 0.0)
    {
        steps = static_cast<int>(std::floor((top - floor) / pitch));
        end = (top - floor - (steps - 2) * pitch) / 2.0;
        if (end > 50.0)
        {
            ++steps;
            end -= pitch / 2.0;
        }
        step = pitch;
    }
    std::vector<Ladder_Rung> rungs;
    for (int k = 1; k < steps; ++k)
    {
        bool const inLeft = ((steps - 1 - k) % 2 == 0) == lastLeft;
        rungs.push_back({inLeft ? left : left + Rung_Column, floor + end + (k - 1) * step});
    }
    return rungs;
}

// The road up a ladder: from its foot beside the first rung, up rung by rung, each climbed from
// the end of the one below nearest it, and off the last onto the floor at top, towards offX.
void ClimbLadder(Road& r, double left, double floor, double top, bool lastLeft, double offX, double pitch = 0.0)
{
    constexpr double Edge = 3.0; // stood on this far in from a rung's end
    std::vector<Ladder_Rung> const rungs = LadderRungs(left, floor, top, lastLeft, pitch);
    double const gap = (Rung_Column - Rung_Wide) / 2.0;
    double standX = rungs.front().x0 == left ? left + Rung_Wide + gap : left + Rung_Column - gap;
    for (Ladder_Rung const& rung : rungs)
    {
        bool const inLeft = rung.x0 == left;
        r.Climb(standX, rung.top, !inLeft);
        standX = inLeft ? rung.x0 + Rung_Wide - Edge : rung.x0 + Edge;
    }
    Ladder_Rung const& last = rungs.back();
    bool const right = offX > last.x0;
    r.Climb(right ? last.x0 + Rung_Wide - Edge : last.x0 + Edge, top, right);
    r.Walk(offX, top);
}

constexpr double Frame_X0 = -800.0;
constexpr double Frame_X1 = 7700.0;
constexpr double Frame_Y0 = 2780.0;
constexpr double Frame_Y1 = 7040.0;

// Room 6's ramp runs down from its floor to its step over room 5's floor, so that all of it lies in
// room 6's rectangle; room 5's floor stays level up to the bridge's end, which is jumped onto from
// there.
constexpr double Room6_RampTopX = 280.0;
static_assert(Room6_StepX == Casle_RoomRects[6].x1 && Room6_StepTop >= Casle_RoomRects[6].y0,
              "room 6's ramp ends inside room 6's rectangle");

// The height of room 6's ramp at x.
constexpr double Room6_RampAt(double x)
{
    return Room6_StepTop + (Room6_StepX - x) * (Room6_Floor - Room6_StepTop) / (Room6_StepX - Room6_RampTopX);
}

// Room 9's ladder up to the hole into room 14, climbed from the floor left of the alcove: a step,
// then two columns either side of the wall over door 8, with the alcove's roof for a rung of the
// right one; from the roof up each rung is Rung_Pitch over the one before and twice that under the
// next of its column, and the last lies under the hole.
struct Room9_Rung
{
    double x0, x1, top;
};
constexpr Room9_Rung Room9_Rungs[] = {
    {3140.0, 3198.0, 3600.0}, // the step
    {3208.0, 3268.0, 3642.0}, // the left column, up to the alcove's roof
    {3208.0, 3268.0, 3738.0}, // over the roof, and on up both columns
    {3278.0, 3338.0, 3786.0},
    {3208.0, 3268.0, 3834.0},
    {3278.0, 3322.0, 3882.0}, // under the hole
};

constexpr double Pocket_Y0 = 4520.0; // the floor of the pocket that keeps the machine's cog
constexpr double Pocket_Y1 = 4620.0;

// An open part of the castle, x0 <= x <= x1 and y0 <= y <= y1: a room, a shaft, a mover's way.
struct Open_Area
{
    double x0, y0, x1, y1;
};

class Castle_Map
{
public:
    MapWriter map;    // what stands in the rooms, in the order written
    MapWriter behind; // the back walls, drawn before everything in map

    void Poly(Corners const& corners, unsigned int texture = Stone, unsigned int group = 0, bool solid = true)
    {
        Add(map, corners, texture, group, solid);
    }
    void Add(MapWriter& into, Corners const& corners, unsigned int texture, unsigned int group, bool solid)
    {
        MapWriter_Poly poly{texture, group, solid, false, {}};
        std::string where;
        for (auto const& [x, y] : corners)
        {
            poly.points.push_back({x, y, x / 64.0, y / 64.0, solid});
            where += " (" + std::to_string(x) + ", " + std::to_string(y) + ")";
        }
        try
        {
            into.AddPoly(poly);
        }
        catch (Error const& err)
        {
            throw std::runtime_error(std::string("castle map: ") + err.Text() + ":" + where);
        }
    }
    void Box(double x0, double y0, double x1, double y1, unsigned int texture = Stone, unsigned int group = 0,
             bool solid = true)
    {
        Poly({{x0, y0}, {x0, y1}, {x1, y1}, {x1, y0}}, texture, group, solid);
    }
    // A floor whose top is at top.
    void Floor(double x0, double x1, double top, double depth = Slab) { Box(x0, top - depth, x1, top); }
    void Shelf(double x0, double x1, double top) { Box(x0, top - Ledge, x1, top); }
    // A back wall goes behind whatever is written in the room, whenever it is written, so that no
    // floor, plate, door or lift is hidden by the wall behind it.
    void Back(double x0, double y0, double x1, double y1)
    {
        Add(behind, {{x0, y0}, {x0, y1}, {x1, y1}, {x1, y0}}, Brick, 0, false);
    }
    // The finished map: the back walls first, then the rock (see FillRock), then the rooms' contents;
    // outlines only on the tops a player stands on, so that a beam is not taken for a seam.
    MapWriter Finish(std::vector<Open_Area> const& open) const
    {
        MapWriter done = behind;
        done.SetView(map.viewX, map.viewY, map.viewScale);
        Castle_Map rock;
        rock.FillRock(open, behind);
        done.polys.insert(done.polys.end(), rock.map.polys.begin(), rock.map.polys.end());
        done.polys.insert(done.polys.end(), map.polys.begin(), map.polys.end());
        done.refPoints = map.refPoints;
        MapDressing::OutlineTops(done);
        return done;
    }
    // The rock the castle is cut into: solid everywhere inside the frame but in the open areas given
    // and behind the back walls, so that no top outside the rooms is stood on. Cut in upright strips
    // at every open area's side; a strip's rock the same as the last's widens that box.
    void FillRock(std::vector<Open_Area> open, MapWriter const& backs)
    {
        for (MapWriter_Poly const& poly : backs.polys)
        {
            if (poly.texture != Brick)
                continue;
            Open_Area a{1e300, 1e300, -1e300, -1e300};
            for (MapWriter_Point const& p : poly.points)
                a = {std::min(a.x0, p.x), std::min(a.y0, p.y), std::max(a.x1, p.x), std::max(a.y1, p.y)};
            open.push_back(a);
        }
        Open_Area const inside{Frame_X0 + Slab, Frame_Y0 + Slab, Frame_X1 - Slab, Frame_Y1 - Slab};
        std::vector<double> xs = {inside.x0, inside.x1};
        for (Open_Area const& a : open)
            for (double x : {a.x0, a.x1})
                xs.push_back(std::clamp(x, inside.x0, inside.x1));
        std::sort(xs.begin(), xs.end());
        xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
        std::vector<Open_Area> boxes;
        std::vector<std::size_t> last; // the boxes of the strip before
        for (std::size_t i = 0; i + 1 < xs.size(); ++i)
        {
            double const xa = xs[i], xb = xs[i + 1];
            std::vector<std::pair<double, double>> spans;
            for (Open_Area const& a : open)
                if (a.x0 <= xa && a.x1 >= xb && a.y1 > inside.y0 && a.y0 < inside.y1)
                    spans.emplace_back(std::max(a.y0, inside.y0), std::min(a.y1, inside.y1));
            std::sort(spans.begin(), spans.end());
            std::vector<std::size_t> now;
            double y = inside.y0;
            spans.emplace_back(inside.y1, inside.y1);
            for (std::pair<double, double> const& span : spans)
            {
                double const y0 = span.first;
                double const y1 = span.second;
                if (y0 > y)
                {
                    auto const same = std::find_if(
                        last.begin(), last.end(), [&](std::size_t k) { return boxes[k].y0 == y && boxes[k].y1 == y0; });
                    if (same != last.end())
                        boxes[*same].x1 = xb;
                    else
                        boxes.push_back({xa, y, xb, y0});
                    now.push_back(same != last.end() ? *same : boxes.size() - 1);
                }
                y = std::max(y, y1);
            }
            last = now;
        }
        for (Open_Area const& b : boxes)
            Box(b.x0, b.y0, b.x1, b.y1);
    }
    // A solid slope from (xa, ya) to (xb, yb) filled down to bottom.
    void Ramp(double xa, double ya, double xb, double yb, double bottom)
    {
        if (xa > xb)
        {
            std::swap(xa, xb);
            std::swap(ya, yb);
        }
        Corners c = {{xa, bottom}};
        if (ya > bottom)
            c.push_back({xa, ya});
        c.push_back({xb, yb});
        if (xb > xa && bottom < yb)
            c.push_back({xb, bottom});
        Poly(c);
    }
    // A floor switch's plate raised on the floor, its sides sloping so that it is walked onto: the
    // picture, and under it, never drawn, the solid that is stood on, whose foot reaches into the floor
    // as deep as the plate sinks. Feet left on the floor where the risen plate's slope comes back over
    // them so stand inside it, which a walk or a jump leaves, and not on a seam of its underside and
    // the floor, along which no move goes.
    void Plate(unsigned int group, double x, double floor)
    {
        double const foot = floor - Switch_DropDist;
        Poly({{x, floor}, {x + 12.0, floor + 12.0}, {x + 48.0, floor + 12.0}, {x + 60.0, floor}}, Tile, group, false);
        Poly({{x, foot},
              {x, floor},
              {x + 12.0, floor + 12.0},
              {x + 48.0, floor + 12.0},
              {x + 60.0, floor},
              {x + 60.0, foot}},
             Unseen, group);
    }
    // A gate's body from x0 to x1 standing on a floor, as high as top: its picture stands on the floor,
    // its solid, never drawn, stops Gate_Clearance short of it. One it falls on, or that a travel back
    // finds shut round him, leaves his feet on the floor, where he walks out from under it; caught
    // in the seam between its foot and the floor, or inside it (a travel back lifts feet inside a
    // solid up through it, and through the wall over it), he was held there or thrown up through
    // the rock.
    void GateBody(unsigned int group, double x0, double floor, double x1, double top)
    {
        Box(x0, floor, x1, top, Tile, group, false);
        double const half = (x1 - x0) / 2.0 + 1.0;
        Box(x0, floor + Gate_Clearance, x0 + half, top, Unseen, group);
        Box(x1 - half, floor + Gate_Clearance, x1, top, Unseen, group);
    }
    // A gate standing on the floor at x, with the wall over its doorway up to ceiling. It opens upwards.
    void Gate(unsigned int group, double x, double floor, double ceiling, double high = GateHigh,
              double wide = GateWide)
    {
        GateBody(group, x, floor, x + wide, floor + high);
        Box(x - 2.0, floor + high, x + wide + 2.0, ceiling);
    }
    void Ref(unsigned int id, double x, double y) { map.AddRefPoint(id, x, y); }
    // A gear wheel of eight teeth painted on the back wall, centred at (x, y), radius r to the teeth's tips:
    // a wheel and a tooth at every eighth of a turn, each convex and wound as the boxes are.
    void Cog(double x, double y, double r)
    {
        double const pi = 3.14159265358979323846;
        auto at = [&](double a, double reach) { return std::pair<double, double>(x + reach * std::cos(a), y + reach * std::sin(a)); };
        Corners wheel;
        for (int i = 0; i < 8; ++i)
            wheel.push_back(at(-(i + 0.5) * pi / 4.0, r * 0.75));
        Add(behind, wheel, Tile, 0, false);
        for (int i = 0; i < 8; ++i)
        {
            double const a = i * pi / 4.0;
            Add(behind, {at(a + 0.2, r * 0.7), at(a + 0.14, r), at(a - 0.14, r), at(a - 0.2, r * 0.7)}, Tile, 0, false);
        }
    }
    // A ladder of shelves from floor up to top in two columns (see LadderRungs).
    void Ladder(double left, double floor, double top, bool lastLeft, double pitch = 0.0)
    {
        for (Ladder_Rung const& rung : LadderRungs(left, floor, top, lastLeft, pitch))
            Shelf(rung.x0, rung.x0 + Rung_Wide, rung.top);
    }
};

// The rock round the rooms fills the frame and reaches over its top as far as the camera over the
// castle's top sees, so that no screen shows bare sky. It reaches no further left or down than the
// frame, where the map's collision grid starts.
constexpr double Rock_Above = 100.0;

// The frame round the whole castle: every beam and every mover's sweep stays inside it.
void Frame(Castle_Map& m)
{
    m.Add(m.behind,
          {{Frame_X0, Frame_Y0}, {Frame_X0, Frame_Y1 + Rock_Above}, {Frame_X1, Frame_Y1 + Rock_Above}, {Frame_X1, Frame_Y0}},
          Rock, 0, false);
    m.Box(Frame_X0, Frame_Y0, Frame_X1, Frame_Y0 + 40.0);
    m.Box(Frame_X0, Frame_Y1 - 40.0, Frame_X1, Frame_Y1);
    m.Box(Frame_X0, Frame_Y0, Frame_X0 + 40.0, Frame_Y1);
    m.Box(Frame_X1 - 40.0, Frame_Y0, Frame_X1, Frame_Y1);
}

// Rooms 0 and 1, the hall. The player starts on the left; walking left past x 870 leaves by the
// entrance (exit 3). The owner stands before the gate: he tells of the socks and asks 7 gems, and
// once paid the gate (group 2, door 1) rises 50 and the road goes on under it. The first eye
// watches the hall from beyond the gate.
//
// Room 1 rises to room 2's floor. Room 2: the road walks up the ramp to the landing, jumps up onto
// the walkway from its right end and goes back left over the hall's end into room 3.
void Hall(Castle_Map& m)
{
    double const f = Hall_Floor;
    m.Back(540.0, f, 2410.0, 3260.0);
    m.Back(1740.0, 3260.0, 2410.0, 3440.0);
    m.Box(520.0, Frame_Y0 + Slab, 1740.0, f);
    m.Box(1740.0, Frame_Y0 + Slab, 2450.0, Room2_Floor);
    m.Poly({{1450.0, f}, {1740.0, Room2_Floor}, {1740.0, f}});
    m.Box(500.0, Frame_Y0 + Slab, 540.0, 3300.0);
    m.Ref(Casle_Rp_Start, 1000.0, f + 1.0);
    m.Ref(Casle_Rp_Owner, 1180.0, f); // on the floor: he never falls, so as to replay
    m.Gate(Casle_EntranceGroup, Gate_X - GateWide / 2.0, f, 3260.0);
    m.Ref(Casle_Eyes[0].rp, 1560.0, 3200.0);
    // Room 2.
    m.Box(Room2_WallX, Room2_Floor, 2450.0, 3480.0);
    m.Box(1740.0, 3440.0, 2450.0, 3480.0);
    m.Poly({{1820.0, Room2_Floor}, {2200.0, Room2_Landing}, {Room2_WallX, Room2_Landing}, {Room2_WallX, Room2_Floor}});
    m.Box(1740.0, Walkway_Floor - 20.0, 2330.0, Walkway_Floor);
}

// Room 3: the road walks up the ramp to the left, onto the left part of room 4's floor. Left of
// the ramp, a hole down into the hall (the unpaid side of the gate) lies behind door 2 (group 4), which switch 2 (group 3) in room 8 opens while held. Solution: stand on
// switch 2 from T1 to T2, travel back before T1 and walk out through door 2 while the past self
// holds the switch.
void Room3(Castle_Map& m)
{
    double const f = Walkway_Floor;
    m.Back(1220.0, f, 1740.0, Room4_Floor - Slab);
    m.Box(1266.0, f - Slab, 1740.0, f);
    m.Box(1266.0, f, 1290.0, Room4_Floor - Slab);
    m.Poly({{1310.0, f}, {1310.0, Room4_Floor}, {1700.0, f}});
    m.Box(1290.0, f, 1310.0, Room4_Floor - Slab);
    // Its right wall, from room 2's ceiling up to room 4's floor.
    m.Box(1740.0, 3440.0, 1760.0, Room4_Floor - Slab);
}

// Rooms 4 and 12, the foot of the shaft. The road comes up room 3's ramp onto the left part of
// room 4's floor, turns and jumps the gap over the ramp to the right part. Door 7 (group 16) closes
// the way on into the shaft: the three lamps of light group 1 hang over the gap, each stays lit
// once hit, and with all three lit the door opens for good. Solution: stand at x 1650 facing left
// and throw at each lamp in turn. Door 10 stands before door 7 (see room 6). Room 5's doorway on
// the left stands open.
//
// The shaft: the first lift (group 12) bobs from inside the block on the floor up past the ledge,
// the second (group 55) from under the ledge up past room 11's floor; door 9 stands between them
// (see room 10). The road jumps onto the block and stands over the first until it comes up and
// carries him, walks off onto the ledge at its highest, through door 9, stands over the second
// likewise and walks off onto the road.
void Room4AndShaft(Castle_Map& m)
{
    double const f = Room4_Floor;
    m.Back(1120.0, f, 1760.0, 4120.0);
    m.Floor(1120.0, Room4_GapLeft, f);
    m.Floor(Room4_GapRight, 2260.0, f);
    m.Box(1100.0, 4120.0, 1760.0, 4160.0);
    m.Box(1118.0, f + GateHigh, 1138.0, 4120.0); // room 5's doorway
    m.Gate(Casle_Doors[6].group, 1740.0, f, 4120.0);
    // Door 10 stands before door 7 and opens once the machine of room 6 runs: a cog painted on
    // the wall beside it says so.
    m.Gate(Casle_Doors[9].group, Room4_Door10X, f, 4120.0);
    m.Cog(Room4_Door10X - 22.0, f + 75.0, 16.0);
    for (unsigned int i = 0; i < 3; ++i)
        m.Ref(Casle_LightGroups[0].rp[i], 1280.0 + 140.0 * i, f + (i == 1 ? 160.0 : 120.0));
    // The shaft.
    m.Back(1760.0, 4120.0, 2240.0, 5100.0);
    m.Back(1760.0, f, 2240.0, 4120.0);
    m.Box(1740.0, 4160.0, 1760.0, 5140.0);
    m.Box(2240.0, 3760.0, 2260.0, Road_Floor - Slab);
    m.Box(1740.0, 5100.0, 2170.0, 5140.0);
    // Each lift comes up through what it is got onto from, below the player's feet, and so picks
    // him up where he stands; its top passes a little over where it is got off, so that getting
    // off is a drop. The first is waited for on a block, the second on the ledge.
    double const lift1 = Shaft_Lift1_Top - 212.0;
    m.Box(1800.0, Room4_Floor, 1900.0, Shaft_Board);
    m.Box(1800.0, lift1 - Lift, 1900.0, lift1, Tile, Casle_Group_FirstLift);
    m.Shelf(1902.0, 2236.0, Shaft_Ledge);
    // Over room 10's ceiling the shaft's right wall stands where the ledge ends, inside the edge of the
    // shaft's view: a player jumping against it from the ledge stays whole in the view.
    m.Box(2236.0, Shaft_Ledge - Ledge, 2240.0, Road_Floor - Slab);
    // Door 9 closes the ledge between the two lifts, under a wall up to the shaft's top; it slides
    // open to the right, beyond the second lift.
    m.GateBody(Casle_Doors[8].group, Shaft_Door9X, Shaft_Ledge, Shaft_Door9X + 24.0, Shaft_Ledge + GateHigh);
    m.Box(Shaft_Door9X - 2.0, Shaft_Ledge + GateHigh, Shaft_Door9X + 26.0, 5100.0);
    double const lift2 = Shaft_Lift2_Top - 275.0;
    m.Box(2002.0, lift2 - Lift, 2118.0, lift2, Tile, Casle_Group_LiftToMultiHit);
}

// Rooms 5 to 8, through room 5's doorway.
//
// Room 5: the cog lies in the pit, too wide to jump. The push-over (group 13) stands at its right
// edge; a jump on the block beside it, up the ramp, pushes it over the pit as a bridge, which then
// covers the cog. Solution: push it over and cross; travel back to before the push, drop into the
// pit, take the cog and jump out to the left before the past self pushes the bridge down. The way
// back crosses the bridge and jumps from its end onto the block.
// Lift 5 (group 70) fills a shaft down to room 8 and is worked by switch 1 (group 71) beside it:
// stand on switch 1 until the lift is down (about 160 steps), step off and drop onto it. Switch 1
// also raises the hall's gate while it is held and lets it fall shut when let go, until the fee is
// paid: from then on the gate stands open.
//
// Room 6: drop the cog by the machine (within 64 of it) and stand on switch 8 (group 14): the
// machine runs from then on and door 10 (group 15), before door 7 in room 4, opens; a cog is
// painted beside it.
//
// Room 7: laser 4 shines down onto the floor. Solution: drop the mirror at x -430 turned a quarter
// turn (hold the previous-target key about 160 steps while holding it): the beam turns right onto
// target 3 (group 38), the low block by the door, and door 12 (group 39) opens over chest 1.
//
// Room 8: leave by door 2 (see room 3), or ride lift 5 up while a past self holds switch 1 for a
// whole swing (about 320 steps).
void LeftRooms(Castle_Map& m)
{
    double const f = Room4_Floor;
    // Room 5.
    m.Back(400.0, f - 50.0, 1120.0, 4170.0);
    m.Floor(250.0, 450.0, f, 90.0);
    m.Floor(450.0, 770.0, Room5_PitFloor);
    m.Ref(Casle_Rp_Cog, 610.0, Room5_PitFloor);
    // The push-over's banner, not solid, reaches out over the block beside it, so that the player
    // on the block stands within its bound, in its right half: it is pushed over to the left,
    // turning about a point a tenth of its bound in from its lower left corner, and lies over the
    // pit with its top at Room5_Bridge.
    // It is pushed from the block by a jump (the push takes feet a third of its height up) and, lying
    // over the pit, is climbed back onto the block from its right end by a jump.
    m.Box(770.0, f, 810.0, f + 340.0, Stone, Casle_PushOverGroups[0]);
    m.Box(810.0, f + 180.0, 850.0, f + 230.0, Tile, Casle_PushOverGroups[0], false);
    // The block stands against the push-over: no slot between them for feet to drop into.
    m.Box(810.0, f, 850.0, Room5_Block);
    m.Ramp(850.0, Room5_Block, 960.0, f, f);
    m.Plate(Casle_SwitchGroups[0], 980.0, f);
    double const lift5 = f - Casle_Lifts[4].amplitude;
    m.Floor(770.0, 1050.0, f);
    m.Box(1050.0, lift5 - Lift, 1110.0, lift5, Tile, Casle_Lifts[4].group);
    m.Floor(1110.0, 1120.0, f);
    m.Box(400.0, 4170.0, 1120.0, 4210.0);
    // Room 6, up the step and its ramp.
    double const f6 = Room6_Floor;
    m.Back(-310.0, f6, 400.0, 4270.0);
    m.Ramp(Room6_RampTopX, f6, Room6_StepX, Room6_StepTop, f - Slab);
    m.Box(-120.0, f - Slab, Room6_RampTopX, f6);
    m.Ref(Casle_Rp_Machine, Room6_DropX, f6 + 1.0);
    m.Plate(Casle_SwitchGroups[Casle_MachineSwitch], Room6_SwitchX - 30.0, f6);
    m.Box(-330.0, 4270.0, 420.0, 4310.0);
    // The machine keeps the cog in a closed pocket in the rock high above it (see BuildMap), its
    // floor a notch too steep to stand in.
    m.Poly({{20.0, Pocket_Y0}, {20.0, Pocket_Y0 + 60.0}, {60.0, Pocket_Y0}});
    m.Poly({{60.0, Pocket_Y0}, {100.0, Pocket_Y0 + 60.0}, {100.0, Pocket_Y0}});
    // Room 7, through its open doorway at the top of room 6's second ramp.
    double const f7 = Room7_Floor;
    m.Ramp(-120.0, f6, -290.0, f7, f - Slab);
    m.Box(-620.0, f - Slab, -290.0, f7);
    m.Back(-620.0, f7, -310.0, 4090.0);
    m.Box(-312.0, f7 + GateHigh, -292.0, 4090.0); // room 7's doorway
    m.Box(-660.0, 4090.0, -290.0, 4130.0);
    m.Box(-660.0, f - Slab, -620.0, 4130.0);
    m.Ref(Casle_Lasers[3].rp, Room7_LaserX, 4080.0);
    m.Ref(Casle_Objects[1].rp, Room7_MirrorX, f7);
    m.Box(-370.0, f7, -350.0, f7 + 40.0, Tile, Casle_TargetGroups[2]);
    m.Gate(Casle_Doors[11].group, Room7_Door12X, f7, 4090.0);
    m.Ref(Casle_Rp_Gem1, -600.0, f7 + 1.0);
    // Room 8, under room 5, over the hall.
    double const f8 = 3380.0;
    m.Back(660.0, f8, 1220.0, f - 50.0 - Slab);
    m.Box(640.0, 3260.0, 1220.0, f8);
    m.Box(620.0, 3260.0, 660.0, f - Slab);
    m.Plate(Casle_SwitchGroups[1], 760.0, f8);
    m.Gate(Casle_Doors[1].group, 1204.0, f8, f - Slab);
}

// Rooms 10, 9, 14 and 13, right of the shaft's foot and back to the shaft.
//
// Room 10: laser 1 shines onto the floor at x 2500. Solution: carry the mirror from x 2650 and
// drop it unturned at x 2500: the beam turns left onto target 1 (group 19), the low block by the
// shaft, and door 9 (group 20) on the shaft's ledge slides aside. Room 9 opens off its right end.
//
// Room 9, through the doorway at room 10's right end and down the ramp: the three lamps of light
// group 2 stay lit 80 steps after each hit; lit together they open door 8 (group 21) for good over
// the alcove at the right end, where crystal 15 lies. Solution: stand on the landing in the
// doorway at x 2910 facing right and throw at the three lamps one after the other; go down the
// ramp and into the alcove for the crystal, and back up to room 10. The ladder beside the alcove
// climbs to the hole into room 14.
//
// Room 14: switch 3 (group 5) opens door 3 (group 6) before the ladder up to room 13. Solution:
// stand on switch 3 from T1 to T2, travel back before T1 and pass the door while the past self
// holds the switch. Multi-hit block 2 (group 57) rises 0.4 with each hit on its mark and sinks 2
// every 100 steps.
//
// Room 13, up the ladder from room 14: a closed room over it, entered by a jump off the
// ladder's last rung onto its floor, and left the same way down.
void MiddleRooms(Castle_Map& m)
{
    double const f = Room4_Floor;
    // Room 10.
    m.Back(2240.0, f, 2870.0, 4120.0);
    m.Floor(2260.0, 2870.0, f);
    m.Box(2300.0, f, 2320.0, f + 40.0, Tile, Casle_TargetGroups[0]);
    m.Ref(Casle_Lasers[0].rp, Room10_LaserX, 4100.0);
    m.Ref(Casle_Objects[7].rp, Room10_MirrorX, f);
    m.Box(2870.0, f + GateHigh, 2890.0, 4120.0); // room 9's doorway
    m.Box(2260.0, 4120.0, 2890.0, 4160.0);
    // Room 9: a landing in the doorway, the ramp down to its floor, and the alcove behind door 8
    // at its right end, under the foot of the ladder.
    double const f9 = Room9_Floor;
    m.Back(2870.0, f9, 3350.0, 3890.0);
    m.Box(2870.0, 3300.0, 3370.0, f9);
    m.Box(2870.0, f9, 2950.0, f);
    m.Ramp(2950.0, f, 3110.0, f9, f9);
    m.Box(3345.0, f9, 3370.0, 4430.0);
    m.Box(2850.0, 3300.0, 2870.0, f - Slab);
    // The alcove's roof stands over door 8's gate risen open, which the wall over its doorway hides.
    double const roof = Room9_Roof;
    static_assert(Room9_Roof > Room9_Floor + GateHigh + 50.0, "door 8 opens 50 into the wall over it");
    m.Gate(Casle_Doors[7].group, Room9_Door8X, f9, roof);
    m.Box(Room9_Door8X + GateWide + 2.0, roof - 20.0, 3345.0, roof);
    m.Ref(Casle_Objects[3].rp, Room9_CrystalX, f9);
    m.Ref(Casle_LightGroups[1].rp[0], 3050.0, f + 70.0);
    m.Ref(Casle_LightGroups[1].rp[1], 3120.0, f + 110.0);
    m.Ref(Casle_LightGroups[1].rp[2], 3190.0, f + 70.0);
    for (Room9_Rung const& rung : Room9_Rungs)
        m.Shelf(rung.x0, rung.x1, rung.top);
    // A lip at the step's right end stops one landing on it from sliding off.
    m.Box(Room9_Rungs[0].x1 - 6.0, Room9_Rungs[0].top, Room9_Rungs[0].x1, Room9_Rungs[0].top + Ledge);
    // Room 14, with its hole over room 9's ladder. Over the ladder's left column its floor is no
    // deeper than a rung, so that the head of one jumping from the rung under it comes to it only
    // once his feet are over the last rung, under the hole.
    double const f14 = Room14_Floor;
    m.Back(2870.0, f14, 3350.0, 4390.0);
    m.Box(2870.0, f14 - Slab, 3200.0, f14);
    m.Box(3200.0, f14 - Ledge, 3260.0, f14);
    // Over room 9's doorway and ramp its ceiling hangs down to the top of room 9's view (3866.7):
    // a double jump from the landing leaves the head in it. Over the ladder the ceiling stays
    // higher, and the rung under it is climbed off into room 14.
    m.Box(2890.0, 3866.0, 3200.0, f14 - Slab);
    m.Box(3330.0, f14 - Slab, 3370.0, 4430.0);
    // Its face stands a little inside room 14's rectangle, which ends at 3330: a player against it
    // is in the room whose view shows him.
    m.Box(3325.0, f14 - Slab, 3330.0, 4390.0);
    m.Plate(Casle_SwitchGroups[2], Room14_Switch3X - 30.0, f14);
    m.Ref(Casle_MultiHits[1].rp, 3220.0, f14 + 190.0);
    // The block stands off the hole, so that one coming up through it lands on the floor beside it.
    m.Box(3165.0, f14, 3225.0, f14 + 30.0, Tile, Casle_MultiHits[1].group);
    m.Gate(Casle_Doors[2].group, Room14_Door3X, f14, 4200.0);
    m.Box(3005.0, 4390.0, 3370.0, 4430.0);
    // The ladder to room 13. Its last rung reaches on to the left under the end of room 13's
    // floor, which ends where the room does: jump up off the rung's left end and drift onto it.
    double const f13 = Room13_Floor;
    m.Ladder(2875.0, f14, f13, true);
    double const lastRung = LadderRungs(2875.0, f14, f13, true).back().top;
    m.Shelf(Room13_FloorRight + 5.0, 2875.0, lastRung);
    // Room 13, closed on the left, and the rock under it filled down to room 10's ceiling.
    m.Back(2500.0, f13, 2870.0, Road_Floor - Slab);
    m.Floor(2480.0, Room13_FloorRight, f13);
    m.Box(2480.0, f13, 2500.0, Road_Floor - Slab);
    m.Box(2260.0, 4160.0, 2480.0, Road_Floor - Slab);
    m.Box(2480.0, 4160.0, Room13_FloorRight + 5.0, f13 - Slab);
}

// The road along the upper floor: rooms 11, 19, 20, the dip through room 32's pit, room 36 and
// the drop into room 37, where the socks lie before the far exit.
//
// Room 11: podium pair 1 stands at its right end. Solution: bring crystal 14 from room 18 and
// crystal 15 from room 9, one at a time, and let each go by a podium (within 64 of it): door 11 (group 22) opens across the
// road beyond them and on the platform over the road, reached by the ladder, over chest 2.
//
// Room 20: the eight plates of the symbol lock (switches 13 to 20) lie across the road; the lock
// opens when the fourth and the eighth are down and the others up, as rooms 28 and 31 show.
// Symbols over the plates show it too. Solution: stand on the fourth plate from T1 to T2, travel
// back before T1 and stand on the eighth during T1..T2: door 16 (group 46), across the road
// beyond the plates, opens for good. Room 21's doorway, at the top of the ladder in room 19,
// stands open.
//
// Room 32's pit: the road drops in on the left and climbs the ramp on the right to door 13 (group
// 40). Switch 12 (group 41) on the pit's floor opens it, but the fourth eye fires laser 5 onto the
// switch (target 4) whenever it sees the player step on it. Off the pit's floor on the left the
// player drops into the lower rooms.
// Solution: stand in the pit off the plate from T1 to T2 so that the eye follows you, travel back
// before T1 and stand on the plate during T1..T2 while the eye follows the past self; travel back
// again and pass the door while the second self holds the plate.
void RoadRooms(Castle_Map& m)
{
    double const f = Road_Floor;
    m.Back(2260.0, f, 5040.0, 4970.0);
    m.Back(2260.0, 4970.0, 3900.0, 5090.0);
    m.Floor(2120.0, 5250.0, f);
    // Room 11's podiums and the platform with chest 2 behind door 11.
    Casle_PodiumIds const& pair = Casle_PodiumPairs[0];
    for (unsigned int rp : {pair.podium0, pair.podium1})
    {
        double const x = Room11_PodiumX[rp == pair.podium0 ? 0 : 1];
        m.Ref(rp, x, f + 1.0);
        m.Box(x - 18.0, f, x + 18.0, f + 55.0, Tile, 0, false);
    }
    m.Ladder(3560.0, f, 4850.0, false);
    m.Box(3700.0, 4830.0, 3890.0, 4850.0);
    m.Gate(Casle_Doors[10].group, 3730.0, 4850.0, 5000.0);
    // Door 11 closes the road beyond the podiums as well, under the platform.
    m.Gate(Casle_Doors[10].group, Room11_DoorX, f, 4830.0);
    m.Box(3700.0, 5000.0, 3890.0, 5020.0);
    m.Ref(Casle_Rp_Gem2, 3850.0, 4851.0);
    // Room 20's plates, the symbols over them, lit over the fourth and the eighth as in rooms 28
    // and 31, and door 16 beyond them.
    for (int i = 0; i < 8; ++i)
    {
        double const x = Symbol_PlateX(i);
        m.Plate(Casle_SwitchGroups[Casle_FirstSymbolSwitch + i], x, f);
        bool const lit = i == 3 || i == 7;
        m.Box(x + 20.0, f + 150.0, x + 40.0, f + 170.0, lit ? Tile : Stone, 0, false);
    }
    m.GateBody(Casle_Doors[15].group, Symbol_DoorX, f, Symbol_DoorX + TippedWide, f + GateHigh);
    m.Box(Symbol_DoorX - 2.0, f + GateHigh, Symbol_DoorX + TippedWide + 2.0, 5180.0);
    // Room 32, its pit, the passage on its left and door 13 on its right.
    m.Back(5040.0, f, 5690.0, 4900.0);
    m.Back(5250.0, Pit_Floor, 5490.0, f);
    m.Box(5250.0, Pit_Floor - Slab, 5320.0, Pit_Floor);
    m.Plate(Casle_SwitchGroups[11], Pit_SwitchX - 30.0, Pit_Floor);
    m.Ref(Casle_Eyes[3].rp, 5350.0, 4600.0);
    m.Ramp(5320.0, Pit_Floor, 5490.0, f, Pit_Floor - Slab);
    m.Floor(5490.0, 6000.0, f);
    m.Gate(Casle_Doors[12].group, Pit_DoorX, f, 4900.0, GateHigh, TippedWide);
    m.Box(5040.0, 4900.0, 5690.0, 4940.0);
    // Room 36, low and narrow, and the drop into room 37.
    m.Back(5690.0, f, 6160.0, 4740.0);
    m.Box(5690.0, 4740.0, 6160.0, 4780.0);
    m.Back(5930.0, Room37_Floor, 6760.0, 4590.0);
    m.Floor(5930.0, 6760.0, Room37_Floor);
    m.Box(6760.0, Room37_Floor - Slab, 6800.0, 4800.0);
    m.Box(6160.0, 4590.0, 6800.0, 4630.0);
    // Over the way out the ceiling comes down so that a player jumping there is under the exit's
    // line (4500) and goes out, rather than over it beyond the right edge of room 37's view (6461.7).
    m.Box(6440.0, 4519.0, 6760.0, 4590.0);
    m.Ref(Casle_Rp_Socks, 6300.0, Room37_Floor + 1.0);
}

// Rooms 15 to 18 over room 11, and the castle's top.
//
// Room 15, up the ladder from room 11: the swivel (group 58), a plank level with room 16's floor,
// turns about its left end at the edge of that floor, anticlockwise while switch 21 (group 60) is
// held and clockwise while switch 22 (group 61) is, but not while the player stands within its
// reach. Solution: stand on switch 22, the further plate, for 31 to 50 steps: the plank's right end
// comes down to room 15's floor; walk up it into room 16. Switch 21, the nearer plate, turns it
// back up off room 15's floor, which leads back down the ladder.
//
// Room 16: lift 1 (group 72) rises while switch 7 (group 11) is held; as every lift it holds its
// switch up while ridden, so a past self must hold the switch while you ride.
//
// Room 17: the second and third eyes fire lasers 2 and 3 onto switch 6 (group 24, target 2) when
// they see the player step on it. Solution: walk through the room from T1 to T2 so that the eyes
// follow you, travel back before T1 and stand on switch 6 during T1..T2: door 6 (group 23) opens
// into room 18 while you stand there; travel back again and go through while that self holds it.
//
// Room 18: the high ledge beside lift 2 (group 28), which rises, comes down to
// the floor and rises again while switch 9 (group 25) is held. Solution: stand on switch 9 for
// about 400 steps and step off it; travel back to before the lift is down (about 240 steps in),
// jump onto it when it is and ride up to the ledge while the past self holds the switch. Lifts 3 and 4 (groups 29, 30)
// work alike with switches 10 and 11 (groups 26, 27). The rising platform (group 17) on the platform at the right
// carries the player up through the ceiling to the castle's top, where a walk to the right ends at the wall over room
// 28, and a walk to the left at the hole it came up through, back down into room 18: the top is a lookout over the
// castle, and the only way down from it is the way up. Room 28 lies behind door 18 alone.
void UpperRooms(Castle_Map& m)
{
    // Room 15 and its ladder.
    double const f15 = Room15_Floor;
    m.Ladder(Room11_LadderX, Road_Floor, f15, false);
    m.Back(2940.0, f15, 3520.0, 5550.0);
    // The floor ends a little inside the room's rectangle, so that a player against the wall is in it.
    // Its left end, over the ladder, is cut back at 45 degrees at the top: whatever angle the plank
    // has turned to, it makes no narrow cleft with a wall there that holds a player, only with a slope
    // walked up.
    m.Poly(
        {{3080.0, f15 - Slab}, {3080.0, f15 - 20.0}, {3100.0, f15}, {Room15_WallX, f15}, {Room15_WallX, f15 - Slab}});
    m.Box(Room15_WallX, f15 - Slab, 3560.0, 5590.0);
    m.Box(2940.0, 5550.0, 3560.0, 5590.0);
    // The plank turns about its left end, at the edge of room 16's floor.
    m.Box(2990.0, Room16_Floor - 10.0, 3390.0, Room16_Floor, Tile, Casle_SwivelGroup);
    m.Ref(Casle_Rp_SwivelCentre, 2990.0, Room16_Floor - 5.0);
    m.Plate(Casle_SwitchGroups[Casle_SwivelSwitchB], Room15_Switch22X - 30.0, f15);
    m.Plate(Casle_SwitchGroups[Casle_SwivelSwitchA], Room15_Switch21X - 30.0, f15);
    // Room 16.
    double const f16 = Room16_Floor;
    m.Back(2480.0, f16, 2940.0, 5700.0);
    m.Box(2480.0, f16 - Slab, 2990.0, f16);
    m.Poly({{2500.0, f16}, {2500.0, 5470.0}, {2800.0, f16}});
    m.Box(2480.0, 5700.0, 2940.0, 5740.0);
    m.Box(2820.0, 5445.0, 2880.0, 5460.0, Tile, Casle_Lifts[0].group);
    m.Plate(Casle_SwitchGroups[Casle_Lifts[0].switchIndex], 2900.0, f16);
    m.Shelf(2700.0, 2810.0, 5585.0);
    // Room 17.
    double const f17 = Room18_Floor;
    m.Back(2120.0, f17, 2480.0, 5700.0);
    m.Box(2120.0, f16 - Slab, 2500.0, f17);
    m.Box(2120.0, 5700.0, 2480.0, 5740.0);
    m.Plate(Casle_SwitchGroups[5], Room17_Switch6X - 30.0, f17);
    m.Ref(Casle_Eyes[1].rp, 2230.0, 5650.0);
    m.Ref(Casle_Eyes[2].rp, 2380.0, 5650.0);
    m.Gate(Casle_Doors[5].group, 2120.0, f17, 5700.0);
    // Room 18, from its left wall, where its camera's frame begins, to door 6: switch 10 under the
    // high ledge, lift 2 beside the ledge, switch 9, lifts 3 and 4, the block with the rising
    // platform and its ramp down to door 6, and switch 11 at the ramp's foot.
    double const f18 = Room18_Floor;
    m.Back(Room18_WallX, f17, 2120.0, 5800.0);
    m.Box(960.0, f16 - Slab, 2120.0, f17);
    m.Box(960.0, f17, Room18_WallX, 5840.0);
    m.Box(960.0, 5800.0, Top_WallLeftX, 5840.0);
    m.Box(Top_LeftX, 5800.0, 2140.0, 5840.0);
    // Switch 10's plate stands off the wall: a foot of its slope in the wall's corner holds a player there.
    m.Plate(Casle_SwitchGroups[9], Room18_WallX + 10.0, f18);
    m.Shelf(Room18_WallX, Room18_LedgeRight, Room18_LedgeTop);
    double const lift = f18 + Casle_Lifts[1].amplitude + Lift;
    m.Box(Room18_LedgeRight + 2.0, lift - Lift, Room18_LedgeRight + 72.0, lift, Tile, Casle_Lifts[1].group);
    m.Plate(Casle_SwitchGroups[8], Room18_Switch9X - 30.0, f18);
    m.Box(1659.0, lift - Lift, 1698.0, lift, Tile, Casle_Lifts[2].group);
    m.Box(1699.0, lift - Lift, 1738.0, lift, Tile, Casle_Lifts[3].group);
    m.Box(1740.0, f17, 1860.0, Room18_BlockTop);
    m.Ref(Casle_Objects[2].rp, Room18_CrystalX, Room18_BlockTop);
    m.Ramp(1860.0, Room18_BlockTop, 2010.0, f17, f17);
    m.Plate(Casle_SwitchGroups[10], 2012.0, f18);
    m.Box(1770.0, Room18_BlockTop, 1850.0, Room18_BlockTop + 15.0, Tile, Casle_Group_BlockedLiftA);
    // The castle's top, walled at both ends up to the frame's roof. The rising platform comes up
    // through the hole at its left end, over a shaft as wide as the hole in room 18's ceiling, so
    // that whoever falls into it lands in room 18; its floor runs on unbroken to the wall at its
    // right end, over room 28's ceiling (see RightRooms).
    m.Box(Top_WallLeftX - Slab, 5840.0, Top_WallLeftX, Frame_Y1 - Slab);
    m.Box(Top_LeftX, 5840.0, Top_LeftX + Slab, Top_Floor - Slab);
    m.Box(Top_LeftX, Top_Floor - Slab, Top_RightX, Top_Floor);
    m.Box(Top_RightX, Top_Floor - Slab, Top_RightX + Slab, Frame_Y1 - Slab);
}

// Rooms 19 and 21: the ladder from the road in room 19 climbs to room 21's floor and its open
// doorway. Beyond it, the first lift of room 21 (group 31) rises to the top platform, and
// three platforms (groups 32, 33 and 37) bob together over the gap, each 50 above the last: jump
// from one to the next and off the last onto room 22's floor.
//
// Rooms 22 to 25: the swiping platforms (groups 34, 35, 36) sweep over the floor, two push-overs
// (groups 62, 68) fall when climbed, and multi-hit block 3 (group 67) rises 0.4 with each hit on
// its mark and sinks 3 every 60 steps. Switch 5 (group 9) opens door 5 (group 10) while held
// (solution as room 3's); behind it the second rising platform (group 18) climbs the castle.
//
// Rooms 26, 27 and 28: laser 7 shines onto the floor at x 6880. Solutions: drop one mirror there
// unturned (the beam goes left) and another turned a quarter at x 6800: the beam goes up onto
// target 7 (group 59) and door 18 (group 64) opens into room 28. Or leave x 6800 clear and drop
// the turned mirror at x 6440 in the nook: the beam goes up onto target 8 (group 66) and door 19
// (group 69) opens the store. Move the third mirror out of the beam. Room 28 shows the symbols.
// Steps lead up from room 25's floor over the nook's wall and the shelf, and down into room 27.
void RightRooms(Castle_Map& m)
{
    // Room 19's ladder and room 21.
    double const f21 = Room21_Floor;
    m.Ladder(Room19_LadderX, Road_Floor, f21, false);
    m.Back(4100.0, f21, 4520.0, 5340.0);
    m.Box(4100.0, f21 - Slab, 4250.0, f21);
    m.Box(4148.0, f21 + GateHigh, 4168.0, 5200.0); // room 21's doorway
    // Its lift comes up through the floor, and so picks up whoever stands over it; at its highest it
    // carries him as high as the room's ceiling lets him stand, where its camera shows him whole.
    m.Box(4180.0, Room21_LiftTop - 215.0, 4240.0, Room21_LiftTop - 200.0, Tile, Casle_Group_LiftPuzzle1);
    m.Box(4260.0, 5085.0, 4330.0, 5100.0, Tile, Casle_Group_LiftPuzzle2A);
    m.Box(4340.0, 5135.0, 4410.0, 5150.0, Tile, Casle_Group_LiftPuzzle2B);
    m.Box(4420.0, 5185.0, 4490.0, 5200.0, Tile, Casle_Group_LiftPuzzle2C);
    // Rooms 22 to 25, their floor raised off the bottom of their cameras' frames over rooms 26
    // and 27's.
    double const f = Room22_Floor;
    double const f27 = Room27_Floor;
    m.Back(4500.0, f27, 7090.0, 5550.0);
    m.Floor(4500.0, 6330.0, f);
    m.Floor(6330.0, 6950.0, f27);
    m.Box(4500.0, 5560.0, 5400.0, 5600.0);
    m.Box(5400.0, 5550.0, 5950.0, 5590.0);
    m.Box(6230.0, 5550.0, 6370.0, 5590.0);
    m.Box(4700.0, f + 80.0, 4780.0, f + 95.0, Tile, Casle_Group_SwipeA);
    m.Box(4880.0, f + 110.0, 4960.0, f + 125.0, Tile, Casle_Group_SwipeB);
    m.Box(5250.0, f + 80.0, 5330.0, f + 95.0, Tile, Casle_Group_SwipeC);
    for (int i = 1; i < 3; ++i)
    {
        double const x = i == 1 ? 5100.0 : 5660.0;
        m.Box(x, f, x + 40.0, f + 50.0, Stone, Casle_PushOverGroups[i]);
        m.Box(x + 4.0, f + 50.0, x + 36.0, f + 140.0, Tile, Casle_PushOverGroups[i], false);
    }
    m.Box(5450.0, f, 5530.0, f + 30.0, Tile, Casle_MultiHits[2].group);
    m.Ref(Casle_MultiHits[2].rp, 5490.0, f + 200.0);
    m.Plate(Casle_SwitchGroups[4], 5545.0, f);
    // Door 5 stands across the line between rooms 24 and 25, thick enough that each room's
    // camera shows the player stood at it on its side whole (as door 18).
    m.Gate(Casle_Doors[4].group, 5812.0, f, 5550.0, 95.0, 36.0);
    m.Box(5960.0, f, 6040.0, f + Lift, Tile, Casle_Group_BlockedLiftB);
    // Its way up through the hole in room 25's ceiling is walled on both sides up to the top's
    // floor, so that whoever leaves it on the way falls back into room 25.
    m.Box(5950.0 - Slab, 5590.0, 5950.0, Top_Floor - Slab);
    m.Box(6230.0, 5590.0, 6230.0 + Slab, Top_Floor - Slab);
    // Rooms 26 and 27.
    m.Box(6350.0, 5600.0, 7090.0, 5640.0);
    m.Box(6780.0, 5588.0, 6820.0, 5600.0, Tile, Casle_TargetGroups[6]);
    m.Box(6370.0, 5380.0, 6570.0, 5400.0);
    m.Box(6420.0, 5368.0, 6460.0, 5380.0, Tile, Casle_TargetGroups[7]);
    // The nook's wall, its top level with the shelf over the nook: two steps up to it from room 25's
    // floor, and from room 27's floor three steps up to the shelf's right end, each clear of the
    // beams along the floor and up from it, lead over it both ways without the double jump.
    m.Box(6330.0, f27, 6370.0, Nook_Top);
    m.Box(Nook_StepX[0], f, 6330.0, Nook_StepTop(0));
    m.Box(Nook_StepX[1], Nook_StepTop(0), 6330.0, Nook_StepTop(1));
    for (int i = 0; i < 3; ++i)
        m.Shelf(Room27_StepX(i), Room27_StepX(i) + Room27_StepWide, Room27_StepTop(i));
    m.Gate(Casle_Doors[18].group, 6400.0, f27, 5380.0, 40.0);
    m.Ref(Casle_Lasers[6].rp, Room27_LaserX, 5580.0);
    m.Ref(Casle_Objects[4].rp, 6520.0, f27);
    m.Ref(Casle_Objects[5].rp, 6620.0, f27);
    m.Ref(Casle_Objects[6].rp, 6720.0, f27);
    // Room 28, up the ramp behind door 18, its only way in or out.
    double const f28 = 5385.0;
    m.Ramp(6950.0, f27, 7070.0, f28, f27 - Slab);
    // Door 18 is thick enough that the player stood at it is whole in the camera of the room he
    // stands in on either side: room 27's frame ends 4 short of room 28, whose frame begins 10 in.
    m.Gate(Casle_Doors[17].group, 7072.0, f28, 5550.0, 70.0, 40.0);
    m.Back(7070.0, f28, 7400.0, 5550.0);
    m.Floor(7070.0, 7400.0, f28);
    m.Box(7395.0, f28 - Slab, 7440.0, 5550.0);
    m.Box(7070.0, 5550.0, 7440.0, 5590.0);
    for (int i = 0; i < 8; ++i)
    {
        bool const lit = i == 3 || i == 7;
        double const x = 7120.0 + 32.0 * i;
        m.Box(x, f28 + 105.0, x + 20.0, f28 + 125.0, lit ? Tile : Stone, 0, false);
    }
}

// The lower rooms, under the road: 31, 30, 29, 34, 35 and 33, entered by a drop off the left of
// room 32's pit, and left by the ladder in room 33 up to room 37.
//
// Room 31 shows the symbols, as room 28 does. Switch 4 (group 7) in room 30 opens door 4 (group 8)
// into it while held (solution as room 3's).
//
// Room 34: crystals 28 and 29 lie on the high shelf. Multi-hit block 1 (group 56) rises 1 with
// each hit on its mark up to 50. Solution: jump onto the block, face left and throw at the mark
// 50 times (past selves' throws count too), riding it up; jump onto the shelf; carry the crystals to the
// podiums of room 35 and let each go by one: door 17 (group 63) opens into room 33.
//
// Room 33: laser 6 shines onto the floor at x 5660. Solutions: drop one mirror there unturned and
// the other turned a quarter at x 5590: the beam goes up onto target 5 (group 43) and door 14
// (group 42) opens before the ladder up to room 37. Or drop the first turned a quarter and the
// other unturned at x 5730: the beam goes up onto target 6 (group 45) and door 15 (group 44) opens
// the niche on the left.
void LowerRooms(Castle_Map& m)
{
    double const f = Lower_Floor;
    // The floor reaches down below the rooms' rectangles, so that no hollow lies under it.
    double const under = 4090.0;
    m.Back(3400.0, f, 5930.0, Road_Floor - Slab);
    m.Box(3380.0, under, 5930.0, f);
    m.Box(3360.0, under, 3400.0, Road_Floor - Slab);
    // Room 31 and door 4; its wall on the left stands where its camera's frame begins, and its
    // ceiling fills the room up to the road.
    m.Box(3400.0, f, 3420.0, 4300.0);
    m.Box(3400.0, 4300.0, 3640.0, Road_Floor - Slab);
    for (int i = 0; i < 8; ++i)
    {
        bool const lit = i == 3 || i == 7;
        double const x = 3428.0 + 25.0 * i;
        m.Box(x, f + 80.0, x + 16.0, f + 96.0, lit ? Tile : Stone, 0, false);
    }
    m.Gate(Casle_Doors[3].group, 3640.0, f, 4300.0);
    // Room 30's view reaches up to 4383.3, lower than the rooms beside it: its ceiling hangs under
    // that, and the wall over door 4 goes up to it, inside the edge of the view (3630.2).
    m.Box(3640.0, 4300.0, 3658.0, 4380.0);
    m.Box(3640.0, 4380.0, 3964.0, Road_Floor - Slab);
    m.Plate(Casle_SwitchGroups[3], 3760.0, f);
    // Room 34.
    m.Box(Room34_BlockX, f, Room34_BlockX + 80.0, f + Room34_BlockHigh, Tile, Casle_MultiHits[0].group);
    m.Ref(Casle_MultiHits[0].rp, 4520.0, f + 170.0);
    m.Shelf(4665.0, 4960.0, Room34_Shelf);
    m.Ref(Casle_Objects[8].rp, Room34_CrystalX[0], Room34_Shelf);
    m.Ref(Casle_Objects[9].rp, Room34_CrystalX[1], Room34_Shelf);
    // Room 35.
    Casle_PodiumIds const& pair = Casle_PodiumPairs[1];
    for (unsigned int rp : {pair.podium0, pair.podium1})
    {
        double const x = Room35_PodiumX[rp == pair.podium0 ? 0 : 1];
        m.Ref(rp, x, f + 1.0);
        m.Box(x - 18.0, f, x + 18.0, f + 55.0, Tile, 0, false);
    }
    m.Gate(Casle_Doors[16].group, 5470.0, f, f + 290.0);
    // Room 33.
    m.Box(5490.0, 4560.0, 5930.0, Road_Floor - Slab);
    m.Box(5575.0, 4548.0, 5605.0, 4560.0, Tile, Casle_TargetGroups[4]);
    m.Box(5715.0, 4548.0, 5745.0, 4560.0, Tile, Casle_TargetGroups[5]);
    m.Ref(Casle_Lasers[5].rp, Room33_LaserX, 4540.0);
    m.Ref(Casle_Objects[10].rp, Room33_MirrorX[0], f);
    m.Ref(Casle_Objects[11].rp, Room33_MirrorX[1], f);
    m.Shelf(5490.0, 5570.0, Room33_NicheFloor);
    m.Gate(Casle_Doors[14].group, 5520.0, Room33_NicheFloor, f + 140.0);
    m.Box(5490.0, f + 140.0, 5550.0, f + 160.0);
    m.Gate(Casle_Doors[13].group, 5760.0, f, 4560.0);
    m.Ladder(Room33_LadderX, f, Room37_Floor, false, Rung_Pitch);
    m.Box(5925.0, f - Slab, 5970.0, Room37_Floor - Slab);
}

Rgba const Ink{30, 30, 40, 255};

// A gear wheel: the cog the machine is missing.
Canvas Cog()
{
    Canvas c(32, 32);
    Rgba const brass{200, 150, 50, 255};
    double const pi = 3.14159265358979323846;
    for (int i = 0; i < 8; ++i)
    {
        double const a = i * pi / 4.0;
        c.Line(16.0 + 8.0 * std::cos(a), 16.0 + 8.0 * std::sin(a), 16.0 + 14.5 * std::cos(a), 16.0 + 14.5 * std::sin(a),
               5.0, brass);
    }
    c.FillCircle(16.0, 16.0, 11.0, brass);
    c.FillCircle(16.0, 16.0, 8.5, Rgba{160, 110, 30, 255});
    c.FillCircle(16.0, 16.0, 3.5, Ink);
    return c;
}

// A mirror on its edge, turned as it lies unturned: its glass runs from lower left to upper right,
// silver on the reflecting face, in a dark wooden frame with a shine across the glass.
Canvas Mirror()
{
    Canvas c(32, 32);
    double const turn = -0.7853981633974483; // a quarter turn's half, anticlockwise
    auto const frame = c.Turned(turn, 16.0, 16.0);
    c.Draw(Canvas_Shape::RoundRect(-1.0, 11.0, 34.0, 10.0, 3.0), Canvas_Paint::Lit(Rgba{120, 75, 35, 255}, 11.0, 21.0),
           Canvas_Pen{Ink, 1.2});
    c.Fill(Canvas_Shape::Rect(2.0, 13.5, 28.0, 5.0),
           Canvas_Paint::Linear(0.0, 13.5, 0.0, 18.5, Rgba{235, 248, 255, 255}, Rgba{140, 170, 200, 255}));
    c.Line(8.0, 17.0, 12.0, 14.5, 1.2, Rgba{255, 255, 255, 255});
    c.Line(13.0, 17.0, 15.0, 15.5, 1.0, Rgba{255, 255, 255, 220});
    return c;
}

// A cut crystal that fits a podium.
Canvas Crystal()
{
    Canvas c(24, 32);
    c.FillPolygon({12, 1, 22, 11, 12, 31, 2, 11}, Rgba{60, 200, 230, 255});
    c.FillPolygon({12, 1, 22, 11, 12, 11}, Rgba{170, 240, 255, 255});
    c.FillPolygon({2, 11, 12, 11, 12, 31}, Rgba{30, 140, 180, 255});
    c.Line(12, 1, 12, 31, 1.0, Rgba{220, 250, 255, 255});
    return c;
}

// The castle's owner in his long red robe with its gold hem, a crown on his grey hair and a beard,
// facing left; frame swings his arm.
Canvas Owner(int frame)
{
    Figure_Look look;
    look.clothes = Rgba{185, 25, 35, 255};
    look.trim = Rgba{235, 190, 50, 255};
    look.hair = Rgba{175, 170, 165, 255};
    look.beard = Rgba{215, 215, 210, 255};
    look.hat = Rgba{245, 200, 40, 255};
    look.hatStyle = Figure_Hat::Crown;
    look.dress = Figure_Clothes::Robe;
    look.build = 1.25;
    Figure_Pose pose;
    pose.arms = std::sin(frame * 1.3);
    Canvas c(32, 32);
    auto const mirrored = c.Scaled(-1.0, 1.0, 16.0, 16.0);
    DrawFigure(c, look, pose);
    return c;
}

// A stone eye in the wall: the white, and the pupil drawn over it where the eye looks.
Canvas Eye()
{
    Canvas c(48, 32);
    c.FillEllipse(24, 16, 23, 15, Rgba{90, 80, 70, 255});
    c.FillEllipse(24, 16, 20, 12, Rgba{245, 240, 225, 255});
    c.FillCircle(24, 16, 8, Rgba{200, 60, 40, 255});
    return c;
}

Canvas Pupil()
{
    Canvas c(16, 16);
    c.FillCircle(8, 8, 6, Ink);
    c.FillCircle(6, 6, 1.5, Rgba{255, 255, 255, 255});
    return c;
}

// A lamp on its bracket: burning, or cold.
Canvas Lamp(bool lit)
{
    Canvas c(24, 24);
    if (lit)
        c.FillCircle(12, 11, 11, Rgba{255, 230, 120, 110});
    c.FillRect(9, 18, 6, 5, Ink);
    c.FillEllipse(12, 11, 6, 8, lit ? Rgba{255, 220, 60, 255} : Rgba{90, 90, 110, 255});
    c.FillEllipse(12, 9, 3, 4, lit ? Rgba{255, 255, 220, 255} : Rgba{60, 60, 80, 255});
    return c;
}

void WritePictures(std::string const& dir)
{
    DataGen::SavePng(Cog(), dir, "gfx/castle/objects/cog.png");
    DataGen::SavePng(Mirror(), dir, "gfx/castle/objects/mirror.png");
    DataGen::SavePng(Crystal(), dir, "gfx/castle/objects/crystal.png");
    for (int i = 0; i < 5; ++i)
        DataGen::SavePng(Owner(i), dir, "gfx/castle/dadodo0" + std::to_string(i) + ".png");
    DataGen::SavePng(Eye(), dir, "gfx/castle/eye.png");
    DataGen::SavePng(Pupil(), dir, "gfx/castle/pupil.png");
    DataGen::SavePng(Lamp(true), dir, "gfx/castle/lighton.png");
    DataGen::SavePng(Lamp(false), dir, "gfx/castle/lightoff.png");
}

// The roads from the start that play the puzzles the main road's pieces leave to the walk (main,
// "exit" up to room 20's plates; lock and eye, "symbols" and "pit" after it), along their points:
// "room 8", down lift 5 and out by door 2; "room 14", up room 9's ladder and by door 3; "room 7",
// by its mirror and door 12; "far exit", on through the symbol lock and room 32's eye; "room 30",
// through the lock, down off the pit into the lower rooms and by door 4 into room 31; "room 33",
// the same way down, by the podiums of room 35 and the mirrors of room 33, through doors 15 and 14
// and up into room 37.
std::vector<Road> DoorRoads(Road const& main, Road const& lock, Road const& eye)
{
    // The main road's points up to its first station of that name, with it or short of it.
    auto upto = [&main](std::string const& name, std::string const& station, bool with) {
        Road r(name);
        for (Road_Point const& p : main.points)
        {
            bool const at = p.name == station;
            if (at && !with)
                break;
            r.Add(p);
            if (at)
                break;
        }
        return r;
    };
    auto append = [](Road& r, Road const& more) {
        for (Road_Point const& p : more.points)
            r.Add(p);
    };
    // Room 8: switch 1 held until lift 5 is down, off it onto the lift and down into room 8; on
    // switch 2 for a while, back to soon after, and out through door 2, which the self on it holds,
    // into the hall by the gate.
    Road room8 = upto("room 8", "push the bridge over", false);
    room8.Walk(960.0, Room4_Floor).Hop(1010.0, Room4_Floor + 12.0, "hold switch 1 till lift 5 is down", 170);
    room8.Walk(1080.0, Room4_Floor).Walk(900.0, 3380.0);
    int const onSwitch2 = room8.Next();
    room8.Hop(790.0, 3392.0, "hold switch 2", 300);
    room8.Travel(790.0, 3392.0, "back to the self on switch 2 holding door 2", onSwitch2, 50);
    room8.Walk(1240.0, 3380.0).Walk(1100.0, Hall_Floor);
    // Room 14, on from room 9's lamps up its ladder, each rung climbed from the end of the one
    // below nearest it: on switch 3 a while, back to soon after, and through door 3 while the self
    // on it holds it.
    Road room14 = upto("room 14", "take a crystal", false);
    room14.points.pop_back(); // the walk to the alcove: down the ramp to the ladder's foot instead
    {
        constexpr double Edge = 4.0; // stood on this far in from a rung's end
        std::vector<Room9_Rung> steps(std::begin(Room9_Rungs), std::end(Room9_Rungs));
        steps.insert(steps.begin() + 2, {Room9_Door8X - 2.0, 3345.0, Room9_Roof});
        steps.push_back({2870.0, 3260.0, Room14_Floor});
        double standX = steps.front().x0 - 10.0;
        room14.Walk(standX, Room9_Floor);
        for (std::size_t i = 0; i < steps.size(); ++i)
        {
            bool const right = i == 0 || steps[i].x0 > steps[i - 1].x1;
            // Off the step from short of its lip.
            if (i > 0)
                standX = right ? steps[i - 1].x1 - (i == 1 ? 16.0 : Edge) : steps[i - 1].x0 + Edge;
            room14.Climb(standX, steps[i].top, right);
        }
    }
    int const onSwitch3 = room14.Next();
    room14.Hop(Room14_Switch3X, Room14_Floor + 12.0, "hold switch 3", 300);
    room14.Travel(Room14_Switch3X, Room14_Floor + 12.0, "back to the self on switch 3 holding door 3", onSwitch3, 50);
    room14.Walk(Room14_Door3X - 50.0, Room14_Floor);
    // Room 7, on from room 6's machine up the second ramp: its mirror carried under the laser,
    // turned a quarter back and let go there throws the beam onto the low block, and door 12
    // opens over chest 1.
    Road room7 = upto("room 7", "start the machine", true);
    room7.Walk(-120.0, Room6_Floor).Walk(-300.0, Room7_Floor).Walk(Room7_MirrorX, Room7_Floor);
    room7.Press(Room7_MirrorX, Room7_Floor, "take the mirror", 10);
    room7.Turn(Room7_LaserX, Room7_Floor, "turn the mirror a quarter", 157, false);
    room7.Press(Room7_LaserX, Room7_Floor, "let the mirror go under the laser", 60);
    room7.Walk(Room7_Door12X - 30.0, Room7_Floor);
    // On through the symbol lock: a self on the fourth plate while a later one stands on the
    // eighth; door 16 opens for good.
    Road whole = main;
    whole.name = "far exit";
    int const onFourth = whole.Next();
    whole.Hop(Symbol_PlateX(3) + 30.0, Road_Floor + 12.0, "on the fourth plate", 300);
    whole.Travel(Symbol_PlateX(3) + 30.0, Road_Floor + 12.0, "back to before the fourth plate", onFourth, -20);
    whole.Hop(Symbol_PlateX(7) + 30.0, Road_Floor + 12.0, "on the eighth plate", 100);
    Road room30 = whole;
    room30.name = "room 30";
    // Room 32's eye kept on a self by the pit while a later one holds switch 12 (the pit's floor
    // is all plate, and its ramp too steep to stand on); back again, and through door 13 while
    // that self holds it.
    int const watched = whole.Next();
    whole.Hop(5200.0, Road_Floor, "in the eye's sight", 400);
    whole.Travel(5200.0, Road_Floor, "back to the eye's watch", watched, 20);
    append(whole, lock);
    whole.Hop(Pit_SwitchX, Pit_Floor + 12.0, "hold switch 12", 250);
    whole.Travel(Pit_SwitchX, Pit_Floor + 12.0, "back to the self on switch 12 holding door 13", watched, 150);
    append(whole, eye);
    // Room 30, off the pit's floor to the left and down into the lower rooms: on switch 4 a while,
    // back to soon after, and into room 31 while the self on it holds door 4.
    append(room30, lock);
    room30.Walk(5200.0, Lower_Floor).Walk(3900.0, Lower_Floor);
    int const onSwitch4 = room30.Next();
    room30.Hop(3790.0, Lower_Floor + 12.0, "hold switch 4", 300);
    room30.Travel(3790.0, Lower_Floor + 12.0, "back to the self on switch 4 holding door 4", onSwitch4, 50);
    room30.Walk(3500.0, Lower_Floor);
    // Room 33, the same way into the lower rooms. Room 34's block, stood on and hit on its mark from
    // there till it stands at its highest, lifts him to the crystals' shelf; one crystal to its
    // podium in room 35, back to before the hits, onto the block again as the self before hits it,
    // up with it, and the other crystal to the other podium: door 17 opens. Room 33's mirrors: the
    // first turned a quarter under the laser and the second by target 6, and through door 15 into
    // the niche; the turned one by target 5 and the other under the laser, and through door 14 and
    // up the ladder into room 37.
    Road room33 = whole;
    room33.name = "room 33";
    room33.points.resize(static_cast<std::size_t>(watched));
    append(room33, lock);
    double const blockTop = Lower_Floor + Room34_BlockHigh;
    double const onBlock = Room34_BlockX + 40.0;
    room33.Walk(5200.0, Lower_Floor).Walk(Room34_BlockX + 100.0, Lower_Floor).Walk(onBlock + 20.0, blockTop);
    // Off the block onto the shelf from its right end, once it stands at its highest.
    double const offBlock = Room34_BlockX + 110.0;
    int const onTheBlock = room33.Next();
    for (int i = 0; i < Room34_Hits; ++i)
        room33.Throw(onBlock, blockTop, "hit the block's mark", 4);
    room33.Walk(offBlock, Room34_Shelf).Walk(Room34_CrystalX[0], Room34_Shelf);
    room33.Press(Room34_CrystalX[0], Room34_Shelf, "take a crystal", 5);
    room33.Walk(5000.0, Lower_Floor).Press(Room35_PodiumX[0], Lower_Floor, "let the crystal go by a podium", 30);
    room33.Travel(Room35_PodiumX[0], Lower_Floor, "back to before the hits", onTheBlock, 20);
    room33.Walk(Room34_BlockX + 100.0, Lower_Floor).Walk(onBlock + 20.0, blockTop);
    room33.Ride(onBlock + 20.0, blockTop + Room34_BlockHigh, "up on the self's hits", 2500);
    room33.Hop(onBlock + 20.0, blockTop + Room34_BlockHigh, "wait for the block's top", 700);
    room33.Walk(offBlock, Room34_Shelf).Walk(Room34_CrystalX[1], Room34_Shelf);
    room33.Press(Room34_CrystalX[1], Room34_Shelf, "take a crystal", 5);
    room33.Walk(5000.0, Lower_Floor).Press(Room35_PodiumX[1], Lower_Floor, "let the crystal go by a podium", 30);
    room33.Walk(Room33_MirrorX[0], Lower_Floor).Press(Room33_MirrorX[0], Lower_Floor, "take a mirror", 10);
    room33.Turn(Room33_LaserX, Lower_Floor, "turn the mirror a quarter", 157, false);
    room33.Press(Room33_LaserX, Lower_Floor, "let it go under the laser", 10);
    room33.Press(Room33_MirrorX[1], Lower_Floor, "take the other mirror", 10);
    room33.Press(Room33_Target6X, Lower_Floor, "let it go for target 6", 60);
    room33.Walk(5584.0, Lower_Floor).Climb(5584.0, Room33_NicheFloor, false).Walk(5500.0, Room33_NicheFloor);
    room33.Walk(5600.0, Lower_Floor).Press(Room33_LaserX, Lower_Floor, "take the turned mirror", 10);
    room33.Press(Room33_Target5X, Lower_Floor, "let it go for target 5", 10);
    room33.Press(Room33_Target6X, Lower_Floor, "take the other mirror", 10);
    room33.Press(Room33_LaserX, Lower_Floor, "let it go under the laser", 60);
    room33.Walk(5780.0, Lower_Floor);
    ClimbLadder(room33, Room33_LadderX, Lower_Floor, Room37_Floor, false, 6100.0, Rung_Pitch);
    return {room8, room14, room7, whole, room30, room33};
}

} // namespace

std::vector<Road> BuildRoads()
{
    // Past the gate: up room 1's ramp and room 2's, a jump onto the walkway, left over it and up
    // room 3's ramp onto room 4's floor; the cog of room 5 for room 6's machine and door 10; back,
    // a running jump over the gap; the lamps of room 4 for door 7; into room 10 for its mirror,
    // room 9's lamps and crystal, and back into the shaft; its two lifts with door 9 between them
    // to room 11's podiums; room 18's crystal, up the ladder and through rooms 15 to 17, for the
    // other podium and door 11; along the road
    // into room 20.
    auto road = [](std::string const& name, bool payFee) {
        Road r(name);
        // With 7 gems: talk to the owner; the introduction runs into the fee, and the gate opens.
        if (payFee)
            r.Press(Hall_TalkX, Hall_Floor, "owner", 6950);
        r.Walk(1760.0, Room2_Floor).Walk(Room2_WallX - 4.0, Room2_Landing);
        r.Jump(Room2_WallX - 20.0, Room2_Landing).Walk(2318.0, Walkway_Floor).Walk(1720.0, Walkway_Floor);
        r.Walk(1190.0, Room4_Floor);
        // Room 5: up onto the block, a jump pushes the push-over down over the pit and the cog, and
        // the road crosses it to room 6's ramp; back in time to before the push, down into the pit
        // for the cog and out again before the bridge falls. In room 6 the cog let go by the
        // machine goes in, and switch 8 starts it: door 10 in room 4 opens.
        r.Walk(960.0, Room4_Floor).Walk(Room5_PushX, Room5_Block);
        int const push = r.Next();
        r.Hop(Room5_PushX, Room5_Block, "push the bridge over", 60);
        double const waitY = Room6_RampAt(Room5_WaitX);
        r.Walk(700.0, Room5_Bridge).Walk(Room5_WaitX, waitY);
        r.Travel(Room5_WaitX, waitY, "back to before the push", push, -320);
        r.Walk(610.0, Room5_PitFloor).Press(610.0, Room5_PitFloor, "take the cog", 5);
        r.Walk(470.0, Room5_PitFloor).Walk(420.0, Room4_Floor);
        r.Walk(Room5_WaitX, waitY).Walk(280.0, Room6_Floor); // up the step onto the ramp
        r.Press(Room6_DropX, Room6_Floor, "let the cog go by the machine", 10);
        r.Hop(Room6_SwitchX, Room6_Floor + 12.0, "start the machine", 20);
        r.Walk(420.0, Room4_Floor).Walk(500.0, Room5_Bridge).Walk(770.0, Room5_Bridge);
        r.Walk(Room5_PushX, Room5_Block).Walk(960.0, Room4_Floor).Walk(1190.0, Room4_Floor);
        r.Jump(Room4_GapLeft - 12.0, Room4_Floor).Walk(1600.0, Room4_Floor);
        // Door 7 closes the shaft until the three lamps burn: back to face them, a throw at each.
        r.Walk(Room4_ThrowX + 50.0, Room4_Floor);
        r.Throw(Room4_ThrowX, Room4_Floor, "first lamp", 20, 0).Throw(Room4_ThrowX, Room4_Floor, "second lamp", 20, 1);
        r.Throw(Room4_ThrowX, Room4_Floor, "third lamp", 80, 1);
        // Through the shaft's foot into room 10, over target 1: the mirror carried under the beam
        // opens door 9 on the ledge. Back to the shaft.
        r.Walk(2290.0, Room4_Floor).Walk(2340.0, Room4_Floor);
        r.Walk(Room10_MirrorX, Room4_Floor).Press(Room10_MirrorX, Room4_Floor, "take the mirror", 10);
        r.Walk(Room10_LaserX, Room4_Floor).Press(Room10_LaserX, Room4_Floor, "drop the mirror", 10);
        // Room 9, through the doorway at room 10's right end: from the landing, a throw at each
        // lamp, quickly, so that all three burn together and door 8 opens over the alcove; down
        // the ramp for crystal 15 and back.
        r.Throw(Room9_ThrowX, Room4_Floor, "first lamp of room 9", 0, 0);
        r.Throw(Room9_ThrowX, Room4_Floor, "second lamp of room 9", 0, 1);
        r.Throw(Room9_ThrowX, Room4_Floor, "third lamp of room 9", 80, 1);
        r.Walk(Room9_CrystalX - 100.0, Room9_Floor).Press(Room9_CrystalX, Room9_Floor, "take a crystal", 5);
        r.Walk(3110.0, Room9_Floor).Walk(2950.0, Room4_Floor);
        // Each lift is waited for standing still over it: the stations stop the player there.
        // Waiting for a lift is a hop, since the action key would let the crystal go.
        r.Walk(1990.0, Room4_Floor).Hop(1880.0, Shaft_Board, "under the first lift", 0);
        r.Ride(1880.0, Shaft_Lift1_Top, "first lift", 500).Hop(2095.0, Shaft_Ledge, "under the second lift", 0);
        r.Ride(2095.0, Shaft_Lift2_Top, "second lift", 800).Walk(2300.0, Road_Floor);
        r.Press(Room11_PodiumX[1], Road_Floor, "let the crystal go by a podium", 30);
        // Door 11 closes the road beyond room 11's podiums until a crystal lies by each: the other
        // lies in room 18, up the ladder from room 11, on through rooms 15 to 17.
        ClimbLadder(r, Room11_LadderX, Road_Floor, Room15_Floor, false, 3120.0);
        // Room 15: switch 22 turns the swivel down into a ramp up to room 16 while it is stood on,
        // some 40 steps, stood on near its left end
        // and come to slowly (a hop would lift the player off it); room 16's ramp rises to room 17.
        r.Walk(Room15_Switch21X - 60.0, Room15_Floor);
        r.Press(Room15_Switch22X - 15.0, Room15_Floor + 12.0, "turn the swivel", 52);
        r.Walk(3350.0, Room15_Floor).Walk(2960.0, Room16_Floor).Walk(2480.0, Room18_Floor);
        // Room 17: in the eyes' sight for a while, back to before, on switch 6 while they watch
        // that self, and back again to go through door 6 while the self on the switch holds it,
        // into room 18 for the crystal and out again.
        int const watched = r.Next();
        r.Hop(Room17_WatchX, Room18_Floor, "in the eyes' sight", 900);
        r.Travel(Room17_WatchX, Room18_Floor, "back to before the eyes' watch", watched, 20);
        int const held = r.Next();
        r.Hop(Room17_Switch6X, Room18_Floor + 12.0, "hold switch 6", 700);
        r.Travel(Room17_Switch6X, Room18_Floor + 12.0, "back to the self on switch 6 holding door 6", held, 40);
        r.Walk(2100.0, Room18_Floor).Walk(1900.0, Room18_BlockTop);
        r.Press(Room18_CrystalX, Room18_BlockTop, "take a crystal", 5);
        r.Walk(2140.0, Room18_Floor).Walk(2490.0, Room18_Floor).Walk(2800.0, Room16_Floor);
        r.Walk(Room15_Switch21X - 60.0, Room15_Floor);
        // The plank turned back up on switch 21 clears room 15's floor (stood on with a hop, as the
        // action key would let the crystal go): off its left end onto the ladder and down it, back
        // to the road.
        r.Hop(Room15_Switch21X, Room15_Floor + 12.0, "turn the swivel back", 5);
        r.Walk(2900.0, Road_Floor);
        r.Press(Room11_PodiumX[0], Road_Floor, "let the crystal go by a podium", 30);
        // Along the road into room 20, short of the symbol lock's plates.
        r.Walk(Symbol_PlateX(0) - 80.0, Road_Floor);
        return r;
    };
    // The symbol lock: stand on the fourth plate from T1 to T2, travel back to before T1 and
    // stand on the eighth until the self on the fourth comes; from there through door 16 into
    // room 32's pit, off switch 12, where the eye watches the player.
    Road symbols("symbols");
    symbols.Walk(5240.0, Road_Floor).Walk(Pit_WatchX, Pit_Floor);
    // The eye of room 32, kept watching a past self off the plate while a later one holds switch
    // 12: stand at Pit_WatchX from T1 to T2, travel back to after T1 and stand on the plate
    // (Pit_SwitchX) until T2, travel back again to after T1, and from there, the door held open
    // by the self on the plate, up the ramp through door 13 and on past the socks.
    Road past("pit");
    past.Walk(5400.0, Road_Floor).Walk(5990.0, Road_Floor);
    past.Walk(6300.0, Room37_Floor).Exit(Casle_FarExitX + 100.0, Room37_Floor);
    Road entrance("entrance");
    entrance.Walk(900.0, Hall_Floor).Exit(Casle_EntranceExitX - 100.0, Hall_Floor);
    // Room 27's beams, on from room 20: back to room 19's ladder, up it to room 21, up on its lift and
    // off it over the bobbing platforms onto room 22's floor; along rooms 22 to 24, switch 5 held by a
    // past self while door 5 is passed; over the nook's wall into room 27.
    Road beams = road("laser 7", false);
    // The first rung is jumped onto from its left; each rung after it is drifted towards from a
    // little under its height, so that the drift has time to carry him over it.
    beams.Walk(Room19_LadderX - 40.0, Road_Floor);
    int const ladder = beams.Next();
    ClimbLadder(beams, Room19_LadderX, Road_Floor, Room21_Floor, false, Room21_LiftX);
    beams.points[std::size_t(ladder)].x = Room19_LadderX - 12.0;
    beams.points[std::size_t(ladder)].turns = 1;
    for (std::size_t i = std::size_t(ladder) + 1; i < beams.points.size(); ++i)
        if (beams.points[i].kind == Road_Climb)
            beams.points[i].y -= 10.0;
    beams.Hop(Room21_LiftX, Room21_Floor, "over room 21's lift", 0);
    beams.Ride(Room21_LiftX, 5230.0, "room 21's lift", 400).Jump(4236.0, 5230.0);
    beams.Hop(4455.0, 5120.0, "on the last bobbing platform", 0).Ride(4455.0, 5270.0, "the last platform up", 300);
    beams.Walk(4620.0, Room22_Floor);
    // Over the first push-over and the multi-hit block onto switch 5; back in time to just after
    // he stood on it, and on through door 5 while that self holds it, over the second push-over.
    beams.Walk(5400.0, Room22_Floor);
    int const held = beams.Next();
    beams.Hop(5575.0, Room22_Floor + 12.0, "hold switch 5", 500);
    beams.Travel(5575.0, Room22_Floor + 12.0, "back to the self on switch 5 holding door 5", held, 40);
    beams.Walk(5900.0, Room22_Floor).Walk(6200.0, Room22_Floor);
    // Up the steps over the nook's wall and the shelf, and down the steps into room 27.
    beams.Walk(Nook_StepX[0] + 20.0, Nook_StepTop(0)).Walk(Nook_StepX[1] + 20.0, Nook_StepTop(1));
    beams.Walk(6350.0, Nook_Top).Walk(6560.0, Nook_Top).Walk(6760.0, Room27_Floor);
    // Target 7: the first mirror under the laser unturned, the second turned a quarter by x 6800
    // (the next-target key held, a hundredth of a radian a step); up the ramp through door 18.
    constexpr int QuarterTurn = 158;
    double const f27 = Room27_Floor;
    beams.Press(6720.0, f27, "take a mirror", 5).Press(Room27_LaserX, f27, "let it go under the laser", 20);
    beams.Press(6620.0, f27, "take a mirror", 5);
    beams.Turn(Room27_Target7X, f27, "turn it a quarter", QuarterTurn, true);
    beams.Press(Room27_Target7X, f27, "let it go turned, over target 7", 60);
    beams.Walk(7050.0, 5375.0).Walk(7200.0, 5385.0);
    // Target 8: the third mirror out of the beam, beyond the laser; the turned one from x 6800
    // into the nook by x 6440; through door 19 into the store.
    beams.Walk(6900.0, f27).Press(6520.0, f27, "take a mirror", 5).Press(6920.0, f27, "let it go past the laser", 10);
    beams.Press(Room27_Target7X, f27, "take the turned mirror", 5);
    beams.Press(Room27_Target8X, f27, "let it go over target 8", 60);
    beams.Walk(6385.0, f27).Walk(6500.0, f27);
    std::vector<Road> roads = {road("exit", false), road("fee", true), entrance, symbols, past, beams};
    for (Road& more : DoorRoads(road("exit", false), symbols, past))
        roads.push_back(std::move(more));
    return roads;
}

MapWriter BuildMap()
{
    Castle_Map m;
    m.map.SetView(1090.0 - 320.0 / 1.5, 3100.0 - 240.0 / 1.5, 1.5);
    Frame(m);
    Hall(m);
    Room3(m);
    Room4AndShaft(m);
    LeftRooms(m);
    MiddleRooms(m);
    RoadRooms(m);
    UpperRooms(m);
    RightRooms(m);
    LowerRooms(m);
    // Open beyond the back walls: the rooms' rectangles, the castle's top and the shaft from it,
    // room 25's rising platform's way up to it, lift 5's from room 8 into room 5, the hole from
    // door 2 down into the hall, the ramp from room 5 up into room 6, the jumps off the ladders of
    // rooms 14 and 19 onto the floors of rooms 13 and 21 (over room 19's from its left rungs' ends
    // too, so that a jump from them is not cut short), and the cog's pocket.
    std::vector<Open_Area> open = {
        {Top_WallLeftX, Top_Floor, Top_RightX, Frame_Y1},
        {Top_WallLeftX, 5800.0, Top_LeftX, Top_Floor},
        {5950.0, 5550.0, 6230.0, Top_Floor},
        {1050.0, 3380.0, 1110.0, Room4_Floor},
        {1220.0, Hall_Floor, 1266.0, 3380.0},
        {280.0, Room4_Floor, 400.0, Room6_Floor},
        {Room13_FloorRight, 4390.0, 3005.0, Road_Floor - Slab},
        {Room19_LadderX + 30.0, 4970.0, 4100.0, 5060.0},
        {20.0, Pocket_Y0, 100.0, Pocket_Y1},
    };
    for (Casle_RoomRect const& r : Casle_RoomRects)
        open.push_back({r.x0, r.y0, r.x1, r.y1});
    return m.Finish(open);
}

void Write(std::string const& dir)
{
    DataGen::MakeDirs(dir + "/castle");
    MapWriter const map = BuildMap();
    map.WriteOrThrow(dir + "/castle/map");
    Road::Write(dir + "/castle/road", BuildRoads());
    WritePictures(dir);
}

} // namespace CastleWriter
