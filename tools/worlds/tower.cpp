// The tower's map, roads and pictures.
//
// The road runs along the bottom from the end wall beyond the second exit to the far end's wall
// beyond the main exit. Every place a player walks inside the tower lies in one of the tower's
// camera zones, with a jump's height of room below the zone's top (a ceiling where a jump would
// reach higher); only the start, the roads out to both exits and a few steps between zones show
// the whole tower. The start (rp 0) lies just left of the tower's foot. Walking right a giant
// passes under the gate's beam into scaler 0, which makes him 16, and waits at the foot's wall until
// he is small enough to pass under it; from the porch behind it he jumps onto the first wing's
// landing (L0), from L0 back onto a ledge and from it onto the walkway. At its end a lintel meets
// his head and he drops down a shaft into the passage over the gate room, walks right, jumps up
// through a gap onto the walkway's right part, which ends at the shaft under the second wing's
// landing (L1), and from there jumps back onto L1. A giant's head meets the wall that stands over
// the ledge's left end up to the ceiling over the foot, so that only a player of 16 climbs. Nothing
// but door 17 on LX leads past the right wall: the main exit is reached through the second wing and
// its transporter. The first wing ends on a landing beyond its spike pit from whose end he drops to
// the road under the wing, where a zone makes him 8, and walks back along it to the foot; on the
// road to the second exit scaler 2 makes any size a giant again, under a gate's beam that reaches
// from the tower's left wall into the foot's shot and keeps a player of 16 on the ground there while
// a giant walks on with the beam across his middle.
// Every solution below is played by the tests. Small players cannot walk up out of a pressed plate's pit: they jump out
// of it, holding the way they go.
//
// Wing A (y 400 to 1650, x -700 to 6760):
//   L0 (floor 600): from the road, walk right at 16; the wall at x 500 lets a player of 16
//   through below it, he steps up onto a lip (x 480 to 717) over a narrow hole in the floor (x 705
//   to 710), steps down off its end, and scaler 1 against the next wall (x 729) makes him 4.
//   Walking back left under its low opening, a small player drops through the hole into the
//   corridor below.
//   Gate room: scaler 4 makes him 8, switch 0 (plate at x 1210) goes down under 8, leaving a wall on
//   its right, scaler 3 makes him 4 again, and door 0 (x 1700) rises 100, enough for 4 but not for 8.
//     Solution: at 8 stand on the plate 400 ticks; jump out of its pit to the right, walk into scaler
//     3 and wait to shrink to 4; walk to the closed door; travel back to 100 ticks after stepping on
//     the plate; walk right through the door (the past self holds the plate).
//   Beyond door 0 he walks the corridor at 4 and jumps up its end (x 2920) onto the gallery (800)
//   over the pit and the hall, up the rise (x 5700) onto the high gallery (1110), over switch 10
//   (x 5920), and drops through its hole (x 6470 to 6522) into the upper room of the rooms of a
//   player of 1 (x 6100 to 6570). Whoever falls onto the galleries' roof (1280) walks right along it,
//   through a tunnel over the high gallery (from x 5820) and over its hole, and drops down a chute
//   beside the hole (x 6530 to 6570) to the upper room's floor, joined to the room by a passage under
//   the ledge below the hole: the roof has no way down onto the high gallery, from which a player of 1
//   would walk down onto the galleries. Through the hole from the high gallery he lands on a ledge
//   under it, too steep to stand on, and slides off it into the room, where scaler 5 (x 6435) makes
//   him 1; from the room no one climbs back onto the ledge and up the hole.
//   Switch 10 opens door 12 (x 6390) in the upper room.
//     Solution: at 4 stand on the plate 300 ticks; walk right along the high gallery and drop into
//     the upper room; walk left to the closed door; travel back to 150 ticks after stepping on; walk
//     through. Heart 59 lies beyond, at the upper floor's end, from which he drops into the ring
//     room.
//   Ring room: the ringed target (rp 91, x 6480) opens door 13 (x 6320) while it is down; any of
//     its six anti-targets hit later stands it up.
//     Solution: from where he drops in, aim, choose the middle target (anti-targets are nearer),
//     throw; walk left through the door.
//   Track room: twelve targets circle the track round rp 58; door 11 is the lid of the shaft
//     at x 6137 and slides away while the six plain targets are all down.
//     Solution: from x 6290 throw at each plain target when it is the nearest in view, never at
//     an anti-target; walk left onto the shaft and drop.
//   Below, the rooms of a player of 1/4 (y 733): scaler 7 (x 6229), where he lands, makes him 1/4.
//   Switch 2 (x 6180) holds door 2 (x 5700, in the hall) open; a step (x 6133 to 6150) and a tooth
//   (x 6126 to 6133) mark where the landing's shot begins; group 26 slides over small spikes (x 5986
//   to 6126); switch 1 (x 5940) slides door 1, the lid of a hole at x 5948 down to the nook (681).
//   Walking left along the nook scaler 8 makes him 1; he steps off its end into a shaft (x 5920 to
//   5936) down to a floor (540), scaler 6's zone, where he grows to 4, steps off it to the right
//   into the hall and walks on left under it. One who falls into the pit under group 26 walks out
//   up a ramp at its right end, from whose top he boards the plank again. The tooth is jumped from
//   the step only: without the double jump no one goes back from the plank to switch 2.
//     Solution: at 1/4 stand on switch 2 1500 ticks; jump off to the left; when group 26 comes to
//     its right end (70 sin(t / 50) = 70) jump from the step over the tooth onto it, and walk off at
//     its left end; stand on switch 1 200 ticks, jump off right onto the lid, travel back to 150
//     ticks after stepping on switch 1 and drop through; walk left along the nook and down the
//     shaft, grow to 4, walk right off the floor and back left; at door 2 travel back into the time
//     switch 2 was held (300 ticks after stepping on it) and walk through.
//   The hall (450), walked leftwards: six targets bob from the ceiling beyond door 2 and eight
//     beyond door 14 (x 5420); each door rises once all of its targets have been hit, in any order.
//     Solution: stand just past door 2 and throw at each of the six while it hangs down; likewise
//     the eight from just past door 14.
//   The spike pit (x 2750 to 5050), beyond door 15 (x 5100): group 3 slides 1100 either way over
//     it (1100 sin(t / 80)).
//     Solution: walk onto it at its right end (offset 1100) and off at its left end onto the
//     landing; walk off the landing's end down to the road, where scaler 9 (x 2200) makes him 8,
//     and left along it to the tower's foot.
//
// Wing B (y 2600 to 8000, x -900 to 7800):
//   L1 (floor 2831): walk left (at 16) off its end, down against the wall at x 2095; scaler 10 makes
//   him 1/2, small enough for the slot under it (floor 2755), too small to jump back onto L1.
//   Switch 3 (x 2060) holds door 3 (x 2010).
//     Solution: stand on the plate 300 ticks, jump off to the left, walk to the closed door,
//     travel back to 100 ticks after stepping on, walk through.
//   The scales: the pan (group 8, x 1880 to 1910) and the lift (group 9, x 1740 to 1770); the
//   lift rises 25 per unit of weight, and only at 75 does it meet the window (6 high, enough only
//   for 1/4) over the lift into the tiny corridor. Scaler 12 (x 1820) makes him 1/4; scalers 14
//   and 11 (x 1950, 1960) make him 1/2 again.
//     Solution: at 1/2 stand on the pan from a tick T for 500 ticks (weight 2); jump off to the
//     left into scaler 12 and wait to shrink to 1/4; walk back onto the pan and travel back to T;
//     stand there to T + 500 (his past self and he weigh 3); jump off to the left, wait for the
//     lift to come down, walk onto it and travel back to before T (the tests go back to T - 20,
//     the main road to T - 40, since a travel may end up to 16 ticks early); the lift carries him
//     up to 75 by T + 150; walk left through the window.
//   Tiny corridor (floor 2830): past the window he walks up a ramp and drops off a step too high to
//   jump back up into scaler 15, which makes him 1/8. Switches 7, 8 and 9 (x 1604, 1596,
//   1588) hold doors 8, 9 and 10 (x 1577, 1570, 1563), each rising 4.
//     Solution: stand on switch 7 from T for 900 ticks; jump off to the left, walk onto switch 8,
//     travel back to T, stand there to T + 900; likewise on switch 9; travel back to T + 100, jump
//     off to the left and walk through the three doors.
//   Scaler 17 makes him 1/32 for the low passage (chest 1, with a gem, stands in it), scaler 18
//   makes him 1/16. Target 0 (rp 45) opens door 7 (x 1488) for good once hit; chest 0 lies
//   behind it. Switch 4 (x 1476) slides door 4, the lid of a hole at x 1466.
//     Solution: throw at target 0 and walk through; stand on switch 4 200 ticks, jump off onto the
//     lid, travel back to 100 ticks after stepping on the switch and drop through.
//   Lower corridor (floor 2822): switch 5 (x 1464) holds door 5 (x 1459), switch 6 (x 1455)
//   holds door 6 (x 1450); each plate, pressed, leaves a wall on its left.
//     Solution, each pair in turn: stand on the switch 200 ticks, jump off to the left, walk to
//     the closed door, travel back to 100 ticks after stepping on, walk through.
//   Walking on left, scalers 19, 20, 21 and 22 make him 1/8, 1/4, 1/2 and 1; a step leads up to
//   the masonry over the corridors, and from it he jumps back left onto the ledge over P.
//   The transporter: a car appears at P (x 1400, y 2964) every 996 or 997 ticks and runs 7969
//   ticks: it rises, runs left, climbs the tower's left side, crosses the top and comes back down
//   towards the right. P is placed so that its rider stays inside a camera zone on every leg he
//   rides: rising in the scales' room's zone, along the top no lower than the top rooms' zones.
//     Solution: wait on the ledge over P against the spike at x 1400; the next car rises through
//     the ledge and lifts him; ride until the car comes down beside the exit floor at the foot of its
//     turn down (the end of its 14th leg, x 5200, y 4254) and walk off it to the right onto the porch
//     (4254, the car's top still over it), under the lintel over its far part and off its edge down
//     to the exit floor (4096), too deep for anyone to climb back; under a roof just over his head
//     scaler 23 (x 5334) makes him 4, and beyond it a higher roof runs on to the wall his fall ends at.
//     The pit's floor runs on under the car onto the porch: the car sinks through it, and one who
//     stays on leaves it there; one who turns back, or jumps off over the pit or the catch floor
//     before it, walks right along them onto the porch.
//     Walk off its right end onto LX (2690), against the hanging wall at x 5740.
//   LX: scaler 24 makes him 8; switch 11 (x 5995) holds door 16 (x 6400, rising 220) and door 17
//   (x 7200, rising 2000); beyond door 16 scaler 25, on the overview spot, makes him 64.
//     Solution: at 8 stand on switch 11 from T for 700 ticks; walk right through door 16 (it is
//     still rising and falling as he gets there) to the closed door 17; travel back to T + 100;
//     walk left into scaler 25 and wait to grow; walk right through door 17, down the step beyond it,
//     along LX past the tower's right wall and off its end onto the road.
#include "tools/worlds/tower.h"

#include "tools/Canvas.h"
#include "tools/DataGen.h"
#include "tools/MapDressing.h"
#include "tools/MapTextures.h"
#include "tools/MapWriter.h"
#include "tools/Road.h"
#include "tower/Tower_Ids.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace TowerWriter
{

namespace
{

constexpr unsigned int Brick = MapTextures::Brick;
constexpr unsigned int Tile = MapTextures::Tile;
constexpr unsigned int Stone = MapTextures::Stone;
constexpr unsigned int Lava = MapTextures::Lava;
constexpr unsigned int Plank = MapTextures::Plank;
constexpr unsigned int Roof = MapTextures::Roof;

constexpr double Coarse = 64.0; // map units per texture repeat, for the big parts

// The spikes along the roof's top and along the tops no one is meant to stand on: their sides far
// steeper than a player stands on.
constexpr double Roof_ToothWidth = 100.0;
constexpr double Tooth_Rise = 1.5; // a tooth's height over its width

using Corners = std::vector<std::pair<double, double>>;

void Poly(MapWriter& map, Corners const& corners, unsigned int texture, double texScale, unsigned int group = 0,
          bool solid = true, bool foreground = false)
{
    MapWriter_Poly poly{texture, group, solid, foreground, {}};
    for (auto const& [x, y] : corners)
        poly.points.push_back({x, y, x / texScale, y / texScale, false});
    map.AddPoly(poly);
}

void Box(MapWriter& map, double x0, double y0, double x1, double y1, unsigned int texture = Stone,
         double texScale = Coarse, unsigned int group = 0)
{
    Poly(map, {{x0, y0}, {x0, y1}, {x1, y1}, {x1, y0}}, texture, texScale, group);
}

// A standing door's solid stops short of the floor it closes, by nothing at its face towards its puzzle
// and by Door_Clearance at its other face. One that falls on a player, or that a travel back finds shut
// round him, leaves his feet on the floor, free to walk out from under it either way: caught in a seam
// between its foot and the floor he was held there, and feet inside it were lifted up through it and
// whatever stands over it. At its face towards the puzzle it meets the floor: a player whose body is
// tilted as he comes to the door, falling down its face, lands at its foot and not under it, where
// turning upright would put his head inside it, out of which every move passes.
constexpr double Door_Clearance = 0.5;

// A door of the door table standing on a floor from x0 to x1, as high as top, its puzzle on the left
// (or the right): its picture stands on the floor, its solid, never drawn, is as above.
void DoorBody(MapWriter& map, int door, double x0, double floor, double x1, double top, unsigned int texture,
              double texScale, bool puzzleLeft)
{
    unsigned int const group = Tower_Doors[door].group;
    Poly(map, {{x0, floor}, {x0, top}, {x1, top}, {x1, floor}}, texture, texScale, group, false);
    double const left = puzzleLeft ? floor : floor + Door_Clearance;
    double const right = puzzleLeft ? floor + Door_Clearance : floor;
    Poly(map, {{x0, left}, {x0, top}, {x1, top}, {x1, right}}, MapTextures::Rock, texScale, group);
}

// A floor from x0 to x1 with its top at y and its slab down to bottom, a switch plate of group set flush
// into it at x c. A plate of scale s is 60 s wide at the top, 11 s thick, and sinks 10 s; the gap it sits
// in has slopes a little apart from its sides and parallel to them (or steeper), and under it a floor
// just below its foot: plate and floor touch nowhere. Where a sloping seam ran between them, a foot on
// the slope was held fast as the plate rose round it; a foot in the narrow slot left instead walks up
// it, and no one fits under the plate, nor falls through the slab beneath it.
constexpr double Plate_Slot = 0.25;      // the slot's width across, per unit of the plate's scale
constexpr double Plate_Under = 0.1;      // the height of the crack under the plate, per unit of its scale
constexpr double Plate_Depth = 11.0;     // the plate's thickness: the slot's foot lies a little below the pit's
constexpr double Plate_Narrow = 0.05;    // the most either is across, so that no one of 1/32 stands in them
constexpr double Plate_SteepSlot = 1.25; // the rise over run of a slot too steep to stand in
// Slopes steeper than the plate's sides (rise over run above 1, short of a wall) leave the slot widening
// downwards, and are no floor to stand on: a player too big for them walks up them or is carried up.
void PlateSlotFloor(MapWriter& map, double x0, double x1, double y, double bottom, double c, double s,
                    unsigned int group, double texScale, double rise = 1.0)
{
    double const g = std::min(Plate_Slot * s, Plate_Narrow);
    double const foot = y - Plate_Depth * s;
    double const under = foot - std::min(Plate_Under * s, Plate_Narrow);
    double const edge = 30 * s + g - (y - under) / rise; // the floor under the plate, either side of c
    Poly(map, {{x0, bottom}, {x0, y}, {c - 30 * s - g, y}, {c - edge, under}, {c - edge, bottom}}, Stone, texScale);
    Box(map, c - edge, bottom, c + edge, under, Stone, texScale);
    Poly(map, {{c + edge, bottom}, {c + edge, under}, {c + 30 * s + g, y}, {x1, y}, {x1, bottom}}, Stone, texScale);
    Poly(map,
         {{c - 30 * s, y}, {c + 30 * s, y}, {c + 30 * s - Plate_Depth * s, foot}, {c - 30 * s + Plate_Depth * s, foot}},
         Tile, texScale, group);
}

// The same with the plate's side towards a door upright against the floor's (on the left, or on the
// right): pressed, the plate leaves a wall on that side, which a player jumps out over, upright. Walking
// out of the pit up a slope tilts a body back, and at a run he flies off its top still tilted; coming
// down beyond, under a door that bounces as it falls, he is turned upright as he lands, his head swung
// forward over his feet with nothing in its way, into the door, out of which every move passes.
void PlateWallFloor(MapWriter& map, double x0, double x1, double y, double bottom, double c, double s,
                    unsigned int group, double texScale, bool wallLeft)
{
    double const g = std::min(Plate_Slot * s, Plate_Narrow);
    double const foot = y - Plate_Depth * s;
    double const under = foot - std::min(Plate_Under * s, Plate_Narrow);
    double const edge = 30 * s + g - (y - under); // the floor under the plate, on the slot's side of c
    if (wallLeft)
    {
        double const wall = c - 30 * s;
        Box(map, x0, bottom, wall, y, Stone, texScale);
        Box(map, wall, bottom, c + edge, under, Stone, texScale);
        Poly(map, {{c + edge, bottom}, {c + edge, under}, {c + 30 * s + g, y}, {x1, y}, {x1, bottom}}, Stone, texScale);
        Poly(map, {{wall, y}, {c + 30 * s, y}, {c + 30 * s - Plate_Depth * s, foot}, {wall, foot}}, Tile, texScale,
             group);
        return;
    }
    double const wall = c + 30 * s;
    Poly(map, {{x0, bottom}, {x0, y}, {c - 30 * s - g, y}, {c - edge, under}, {c - edge, bottom}}, Stone, texScale);
    Box(map, c - edge, bottom, wall, under, Stone, texScale);
    Box(map, wall, bottom, x1, y, Stone, texScale);
    Poly(map, {{c - 30 * s, y}, {wall, y}, {wall, foot}, {c - 30 * s + Plate_Depth * s, foot}}, Tile, texScale, group);
}

// A row of teeth along y from x0 to x1, as many as fit about `width` wide: nothing stands on them.
void Teeth(MapWriter& map, double x0, double x1, double y, double width, double texScale = Coarse)
{
    int const n = std::max(1, int(std::lround((x1 - x0) / width)));
    double const w = (x1 - x0) / n;
    for (int k = 0; k < n; k++)
    {
        double const x = x0 + w * k;
        Poly(map, {{x, y}, {x + w / 2.0, y + Tooth_Rise * w}, {x + w, y}}, Brick, texScale);
    }
}

void Ref(MapWriter& map, unsigned int id, double x, double y)
{
    map.AddRefPoint(id, x, y);
}

// The tower's masonry, drawn only: its courses line up across every piece of it.
void Masonry(MapWriter& map, Corners const& corners, unsigned int group, bool front)
{
    MapWriter_Poly poly{MapTextures::Ashlar, group, false, front, {}};
    for (auto const& [x, y] : corners)
        poly.points.push_back({x, y, x / MapTextures::Ashlar_Span, y / MapTextures::Ashlar_Span, false});
    map.AddPoly(poly);
}

// A backdrop drawn behind a room and hidden with the tower seen whole, or a front hidden once
// the player reaches the tower's foot: drawn only, never collided with.
void Shade(MapWriter& map, double x0, double y0, double x1, double y1, unsigned int group, bool front)
{
    Masonry(map, {{x0, y0}, {x0, y1}, {x1, y1}, {x1, y0}}, group, front);
}

// The country round the tower, behind everything: sky above, the far hills' foot at the road and
// fields below it, reaching past the widest view of the tower.
void WriteBackdrop(MapWriter& map)
{
    constexpr double x0 = -22000.0, x1 = 27000.0, y1 = 29000.0;
    constexpr double h = MapTextures::Vista_Horizon;
    constexpr double y0 = (Tower_RoadY - h * y1) / (1.0 - h); // the horizon at the road
    MapWriter_Poly poly{MapTextures::Vista, 0, false, false, {}};
    for (auto const& [x, y] : Corners{{x0, y0}, {x0, y1}, {x1, y1}, {x1, y0}})
        poly.points.push_back({x, y, 0.0, 0.0, false});
    MapDressing::Fit(poly);
    map.AddPoly(poly);
}

// The inside of the tower, behind everything else in it: the two wings and, over them, the air
// the transporter runs through.
void WriteBody(MapWriter& map)
{
    // The tower's shell from the road to its battlements, and the roof over them: seen whole, the
    // wings show as rooms in it.
    constexpr double x0 = Way_CeilingX0, x1 = Tower_InnerWallX + 200.0, top = Tower_TopY, merlon = 400.0;
    Poly(map, {{x0, Tower_RoadY}, {x0, top}, {x1, top}, {x1, Tower_RoadY}}, Stone, 512.0, 0, false);
    for (double x = x0; x + merlon <= x1; x += 2.0 * merlon)
        Poly(map, {{x, top}, {x, top + merlon}, {x + merlon, top + merlon}, {x + merlon, top}}, Stone, 512.0, 0, false);
    Poly(map, {{x0 + 600.0, top + merlon}, {(x0 + x1) / 2.0, top + 4200.0}, {x1 - 600.0, top + merlon}}, Roof, 512.0, 0,
         false);

    Masonry(map,
            {{x0 + 200.0, Tower_RoadY},
             {x0 + 200.0, Way_CeilingY},
             {Tower_InnerWallX, Way_CeilingY},
             {Tower_InnerWallX, Tower_RoadY}},
            0, false);
    Masonry(map, {{-900, 2600}, {-900, 4800}, {7800, 4800}, {7800, 2600}}, 0, false);

    // Dark undersides drawn below the main floors, behind everything solid: with the tower seen
    // whole the floors read as bands, not hairlines.
    struct Underside
    {
        double x0, x1, y;
        double band = 150.0;
    };
    Underside const undersides[] = {
        {WingA_L0X0, WingA_HallX1, 400.0, 60.0},      // the first wing's floors, the corridor open below
        {Way_LedgeX0, Way_LedgeX1, Way_LedgeY - 100}, // the ledge
        {Way_X0, Way_LeftX1, Way_Bottom},             // the walkway
        {2230.0, WingB_L1X1, WingB_FloorY - 200},     // L1
        {WingB_ExitFloorX0, WingB_ExitFloorX1, WingB_ExitFloorY - 15},
        {WingB_ExitFloorX1, WingB_LXX1, WingB_FinaleY - 200}, // LX
        {Tower_RoofX0, Tower_RoadX1 + 100, Tower_TopY - 200}, // the roof over LX
    };
    for (Underside const& u : undersides)
        Poly(map, {{u.x0, u.y - u.band}, {u.x0, u.y}, {u.x1, u.y}, {u.x1, u.y - u.band}}, MapTextures::Cliff, 128.0, 0,
             false);
}

// The kill zones, in the order the tower builds them, each drawn as lava over its whole rectangle:
// the spike pit under group 3, the small spikes under group 26, pools on the rock, a trough and pools
// below the transporter's route (where a rider who falls off lands), the bottom of the lift's shaft
// (under the raised lift) and the cave of the smallest spikes. The trough hangs under the whole of the
// long rightward leg over the second wing, just below the cars and inside the top rooms' zones, so
// that a rider who steps off there lands in their shot; beneath it nothing is reached. Beyond it, where
// the route runs lowest, the pools lie on a floor just under the cars, at the foot of the shots there.
struct Tower_Pool
{
    double x0, y0, x1, y1;
    bool trough; // hung in the air: a stone trough holds it
};
constexpr double Tower_RockPool = 20.0; // the depth of the lava lying on the rock
constexpr Tower_Pool Tower_Pools[Tower_KillZone_Count] = {
    {WingA_PitX0, 400, WingA_PitX1, 465, false},
    {WingA_SwingPitX0, WingA_SmallSlabY + 5.0, WingA_PitRampX0, WingA_SmallSlabY + 22.0, false},
    {Way_StepX + 10, Way_RockY, -110, Way_RockY + Tower_RockPool, false},
    {-60, Way_RockY, 160, Way_RockY + Tower_RockPool, false},
    {WingB_TroughX0, WingB_TroughY, WingB_TroughX1, WingB_TroughY + 12, true},
    {WingB_CatchX0 + 40, WingB_CatchY, 3540, WingB_CatchY + Tower_RockPool, false},
    {240, Way_RockY, 740, Way_RockY + Tower_RockPool, false},
    {840, Way_RockY, 1240, Way_RockY + Tower_RockPool, false},
    {3580, WingB_CatchY, 4000, WingB_CatchY + Tower_RockPool, false},
    {4180, WingB_CatchY, WingB_CatchX1 - 40, WingB_CatchY + Tower_RockPool, false},
    {WingB_ShaftX0, WingB_ShaftY, WingB_LiftX1, WingB_ShaftY + 5, false},
    {1620, 2790, 1690, 2795, false},
};

// Written before every floor, so that what a player stands on draws over the lava's edges.
void WriteKillZones(MapWriter& map)
{
    for (int k = 0; k < Tower_KillZone_Count; k++)
    {
        Tower_Pool const& pool = Tower_Pools[k];
        // The picture stretched once over the pool, its surface at the top: it does not repeat.
        MapWriter_Poly lava{Lava, 0, false, false, {}};
        lava.points = {{pool.x0, pool.y0, 0.0, 1.0, false},
                       {pool.x0, pool.y1, 0.0, 0.0, false},
                       {pool.x1, pool.y1, 1.0, 0.0, false},
                       {pool.x1, pool.y0, 1.0, 1.0, false}};
        map.AddPoly(lava);
        Ref(map, Tower_KillZones[k][0], pool.x0, pool.y0);
        Ref(map, Tower_KillZones[k][1], pool.x1, pool.y1);
    }
}

// The trough's stone, after the lava: a floor under it and a lip at either end, toothed.
void WriteTroughs(MapWriter& map)
{
    for (Tower_Pool const& pool : Tower_Pools)
    {
        if (!pool.trough)
            continue;
        Box(map, pool.x0 - 20, pool.y0 - 30, pool.x1 + 20, pool.y0, Stone, 32.0);
        Box(map, pool.x0 - 20, pool.y0, pool.x0, pool.y1, Stone, 32.0);
        Box(map, pool.x1, pool.y0, pool.x1 + 20, pool.y1, Stone, 32.0);
        Teeth(map, pool.x0 - 20, pool.x0, pool.y1, 10.0, 32.0);
        Teeth(map, pool.x1, pool.x1 + 20, pool.y1, 10.0, 32.0);
    }
    // The floor left of the trough, up to its lip, the wall hung from its left end, and the ledge left of the
    // cars' climb.
    Box(map, WingB_TopFloorX0, WingB_TroughY - 30, WingB_TroughX0 - 20, WingB_TroughY, Stone, 32.0);
    Teeth(map, WingB_TopFloorToothX0, WingB_TopFloorToothX1, WingB_TroughY,
          WingB_TopFloorToothX1 - WingB_TopFloorToothX0, 32.0);
    Box(map, WingB_TopFloorX0 - WingB_TopFloorWall, WingB_TopFloorWallY, WingB_TopFloorX0, WingB_TroughY - 30, Brick,
        32.0);
    Box(map, Way_RockX0, WingB_ClimbLedgeY - 20, WingB_ClimbLedgeX1, WingB_ClimbLedgeY, Stone, 32.0);
    // The floor under the route's foot beyond the first trough, walled up to that trough at its left
    // end; at its right end it steps down into the pit. Its slab is as deep as the pit's, so that one who
    // jumps at the step from the pit meets a wall, not a slab's edge that turns him down under it.
    double const y = WingB_CatchY;
    double const pit = WingB_CatchPitY;
    Box(map, WingB_CatchX0, pit - 14, WingB_CatchX1 + 20, y, Stone, 32.0);
    Box(map, WingB_TroughX1, y - 20, WingB_CatchX0, WingB_TroughY - 30, Stone, 32.0);
    // Over the step, between the head of a player of 1 on the catch floor and the cars running over it, a
    // block: no one taller than a rider of 1 leaves the pit that way.
    Box(map, WingB_CatchX1, y + WingB_CatchStepRoom, WingB_CatchX1 + 40, y + WingB_CatchStepRoom + 55, Stone, 32.0);
    // The pit beyond it, its floor running on under the cars' turn down to the porch over the exit floor:
    // the cars sink through it there, leaving whoever still rides one standing on it.
    Box(map, WingB_CatchX1 + 20, pit - 14, WingB_ExitPorchX0, pit, Stone, 32.0);
    // Over the floor's right end, beyond the cars' loop up from the route's foot, a ceiling just over the
    // head of a rider on a passing car, up to the tower's top: no one passes over it. Over the pit it goes
    // on as a toothed beam, under the spike ball beside the route.
    Box(map, WingB_CatchCeilingX0, WingB_CatchCeilingY, WingB_CatchX1 + 20, Tower_TopY, Stone, 32.0);
    Teeth(map, WingB_CatchCeilingX0, WingB_CatchX1 + 20, Tower_TopY, Roof_ToothWidth, 32.0);
    Box(map, WingB_CatchX1 + 20, WingB_CatchCeilingY, WingB_CatchPitX1 + 20, WingB_CatchCeilingY + 30, Stone, 32.0);
    Teeth(map, WingB_CatchX1 + 20, WingB_CatchPitX1, WingB_CatchCeilingY + 30, 20.0, 32.0);
    // At the beam's end a wall up to the roof over the exit floor: whoever jumps up off a car turning down
    // beyond it meets it and falls back onto the pit's floor, never onto the beam's teeth, which would hold him.
    Box(map, WingB_CatchPitX1, WingB_CatchCeilingY + 30, WingB_CatchPitX1 + 20, Tower_TopY - 200, Stone, 32.0);
    // Over the beam, from the ceiling over the catch floor to the roof over the exit floor, the roof: one lifted
    // onto the beam by a passing car does not leave the tower over its top.
    Box(map, WingB_CatchX1 + 20, Tower_TopY - 200, Tower_RoofX0, Tower_TopY, Stone, 32.0);
    Teeth(map, WingB_CatchX1 + 20, Tower_RoofX0, Tower_TopY, Roof_ToothWidth, 32.0);
}

void WriteRoad(MapWriter& map)
{
    double const y = Tower_RoadY;
    double const bottom = Tower_RoadBottom;
    Box(map, Tower_RoadX0, bottom, Tower_RoadX1, y);
    for (Tower_Bump const& bump : Tower_Bumps)
        Poly(map, {{bump.x - bump.half, y}, {bump.x, y + Tower_BumpRise * bump.half}, {bump.x + bump.half, y}}, Stone,
             Coarse);
    MapDressing::OuterWall(map, Tower_RoadX0 - 100, y, Tower_RoadX0, y + 2400, true, Brick);
    Box(map, Tower_RoadX1, y, Tower_RoadX1 + 100, y + 2400, Brick);
    Ref(map, Tower_Rp_Start, Tower_StartX, y);
    Ref(map, 5, Tower_GrowX, y); // scaler 2: any size -> 64, on the way to the second exit
    // The gate over it: posts drawn behind the road, the beam solid, toothed on top, and the lintel
    // over it up to the foot's ceiling.
    for (double x : {Tower_GateX0, Tower_GateX1 - 40.0})
        Poly(map, {{x, y}, {x, Tower_GateY}, {x + 40.0, Tower_GateY}, {x + 40.0, y}}, Brick, Coarse, 0, false);
    Box(map, Tower_GateX0, Tower_GateY, Tower_GateX1, Tower_GateTopY, Brick);
    Teeth(map, Tower_GateX0, Tower_GateX1, Tower_GateTopY, 40.0);
    Box(map, Tower_GateX0, Tower_GateLintelY, Tower_GateX1 + Tower_GateLintelOver, Way_CeilingY, Brick);
    // Right of the first wing's end, from the road up to LX: the corridor under the wing is the
    // only way on from where a player drops off the wing's end.
    Box(map, Tower_InnerWallX, y, Tower_InnerWallX + 200, WingB_FinaleFarY - 200, Brick);
}

// The way in at the tower's foot: the zone that makes the giant 16, the ledge, the walkway and
// the ceilings over them, the shaft up to L1 and the wall beside LX's end.
void WriteWayIn(MapWriter& map)
{
    Ref(map, 1, Tower_ShrinkX, Tower_RoadY); // scaler 0: 64 -> 16
    Box(map, Way_LedgeX0, Way_LedgeY - 100, Way_LedgeX1, Way_LedgeY);
    // The foot's wall, at the porch's left end from L0's block's height up to the ceiling, the ledge's
    // left end set in it: a player whose head is over the block, walking or jumping, waits outside
    // until he is small enough to pass below it, and the porch holds him under the ledge, in front of
    // the block's face.
    Box(map, Way_LedgeX0, Way_BlockY, Way_LedgeX0 + 50, Way_LedgeY - 100, Brick);
    Box(map, Way_LedgeX0, Way_LedgeY, Way_LedgeX0 + 50, Way_CeilingY, Brick);
    Box(map, Way_X0, Way_Bottom, Way_LeftX1, Way_Y);
    // The shaft down from the walkway's end, and the passage over the gate room: the rock beside the
    // walkway is its ceiling, up to the gap below the walkway's right part.
    Box(map, WingA_W2X, WingA_GateCeilingY, Way_ShaftX0, 1000);
    Box(map, 560, 1000, Way_ShaftX0, Way_Bottom, Brick);
    Box(map, Way_LintelX, Way_LintelY, Way_PassX0, Way_CeilingY);
    // The shaft's foot is a chute too steep to stand on, down to the passage's floor under its ceiling:
    // whoever drops down the shaft slides into the passage, and no one in the passage gets back under
    // the shaft, where a jump would take him out of the first wing's shot.
    Poly(map,
         {{Way_ShaftX0, Way_PassY},
          {Way_ShaftX0, Way_PassY + Way_ChuteRise * (Way_ChuteX1 - Way_ShaftX0)},
          {Way_ChuteX1, Way_PassY}},
         Stone, Coarse);
    Box(map, Way_PassX0, Way_PassCeilingY, Way_NotchX0, Way_CeilingY);
    Box(map, Way_NotchX0, Way_NotchY, Way_CeilingX1, Way_CeilingY);
    // Beside the gap the rock's top is too steep to stand on.
    Poly(map,
         {{Way_CeilingX1, Way_NotchY}, {Way_CeilingX1, 2690.0}, {Way_PassX1, Way_CeilingY}, {Way_PassX1, Way_NotchY}},
         Stone, Coarse);
    // The tooth at the edge of the first wing's shot, under the notch, set in the passage's floor.
    Poly(map,
         {{Way_ToothX0, WingA_GateCeilingY},
          {Way_ToothX0, Way_ToothY},
          {Way_ToothX1, Way_PassY},
          {Way_ToothX1, WingA_GateCeilingY}},
         Stone, Coarse);
    // Beyond the gap the walkway's right part stands on rock down to the passage's ceiling: a jump
    // from the passage's end stays in the first wing's shot.
    Box(map, Way_RightX0, Way_PassCeilingY, Way_X1, Way_Y);
    // Under the second wing's small rooms, which begin at 2700.
    Box(map, Way_CeilingX0, Way_CeilingY, Way_CeilingX1, 2690.0);
    // The tower's left wall over the foot, higher than a giant outside jumps twice, topped too steep
    // to stand on.
    // The rock over the ceiling: left of the climb it rises to the tower's top, its top and the
    // wall's one slope too steep to stand on.
    double const rockPeak = Tower_TopY + Way_RockSlope * (Way_RockX0 - Way_CeilingX0 - 200.0);
    MapDressing::OuterWall(map, Way_CeilingX0, 2690.0, Way_CeilingX0 + 200, Tower_RoadY + Tower_GiantClear, true,
                           Brick);
    Poly(map,
         {{Way_CeilingX0 + 200, 2690.0},
          {Way_CeilingX0 + 200, rockPeak},
          {Way_RockX0, Tower_TopY},
          {Way_RockX0, 2690.0}},
         Stone, Coarse);
    Box(map, Way_RockX0, 2690.0, Way_RockX1, Way_RockY);
    // Under the closest of the zones there a step up keeps a player standing in its shot.
    Box(map, Way_RockX0, Way_RockY, Way_StepX, Way_RockY + Way_StepHeight);
    // The shaft: the walkway's right end is walled up to the ceiling over L1.
    Box(map, Way_X1, WingA_GateCeilingY, Way_X1 + 100, Way_ShaftCeilingY + 200);
    Box(map, WingB_SlotWallX + 30, Way_ShaftCeilingY, Way_X1, Way_ShaftCeilingY + 200);
    Teeth(map, WingB_SlotWallX + 30, Way_X1 + 100, Way_ShaftCeilingY + 200, 50.0); // under the trough
    Box(map, Way_WallX, Way_WallY, Way_WallX1, WingB_ExitFloorY, Brick);
}

// Wing A's landing, the gate room and the corridors of a player of 1 as far as the track.
void WriteFoot(MapWriter& map)
{
    double const y = WingA_FloorY;
    // L0's slab, with the corridor back from the wing's end under it, and its step up to the lip over
    // the hole.
    Box(map, Way_BlockX0, 400, Way_BlockX1, Way_BlockY);
    // The step rises too steeply to stand on, but not to walk up.
    double const stepX = WingA_LipX0 - (WingA_RimY - y) / WingA_StepRise;
    Box(map, Way_BlockX1, 400, stepX, y);
    Poly(map, {{stepX, 400}, {stepX, y}, {WingA_LipX0, WingA_RimY}, {WingA_LipX0, 400}}, Stone, Coarse);
    Box(map, 500, 1000, 560, Way_Bottom, Brick); // W1: a giant's head meets it, a player of 16 passes below
    Ref(map, 2, WingA_Scaler1X, y);              // scaler 1, before W2: 16 -> 4
    Box(map, WingA_W2X, 700, WingA_GateRoomX, WingA_GateCeilingY, Brick); // W2: 100 high below it
    // The opening's roof, its top too steep to stand on.
    Poly(map,
         {{WingA_LipX1, WingA_OpeningRoofY}, {WingA_LipX1, 760}, {WingA_W2X, WingA_GateCeilingY}, {WingA_W2X, 700}},
         Brick, Coarse);
    Box(map, WingA_LipX0, 400, WingA_GapX0, WingA_RimY);        // the lip over the slab down to the corridor
    Box(map, WingA_GapX0, WingA_LipY, WingA_LipX1, WingA_RimY); // and over the hole

    // The gate room.
    Box(map, WingA_GapX1, Tower_BumpCeilingY, WingA_W2X, y);
    PlateWallFloor(map, WingA_W2X, 2200, y, 400, WingA_Plate0X, 8.0, Tower_Switches[0].group, 256.0, false);
    // Its ceiling, the floor of the way in's passage, reaches to the wall under L1's end.
    Box(map, Way_ShaftX0, WingA_GateCeilingY, Way_ToothX0, Way_PassY, Brick);
    Box(map, Way_ToothX1, WingA_GateCeilingY, Way_X1, Way_PassY, Brick);
    Ref(map, 7, WingA_Scaler4X, y); // scaler 4: 4 -> 8
    Ref(map, 6, 1540, y);           // scaler 3: 8 -> 4
    DoorBody(map, 0, WingA_Door0X, y, WingA_Door0X + 40, WingA_GateCeilingY, Brick, 256.0, true);
    Shade(map, WingA_GateRoomX, y, WingA_Door0X, WingA_GateCeilingY, Tower_Group_HiddenFar, false);
}

// The corridor beyond door 0, the gallery over the pit and the hall, the high gallery and the rooms of
// a player of 1 under it.
void WriteGallery(MapWriter& map)
{
    double const y = WingA_FloorY;
    // The corridor under the way in's passage: from the gate room's floor to the gallery's step, over
    // the road and, at its end, over the landing beyond the pit.
    Box(map, 2200, WingA_CorridorSlabY, WingA_CorridorX1, y);
    Box(map, WingA_CorridorX1, WingA_CorridorSlabY, WingA_CorridorX1 + 30.0, WingA_GallerySlabY);
    // The gallery, the rise and the high gallery; over the small rooms they are solid down to them.
    double const g = WingA_GalleryY;
    Box(map, WingA_CorridorX1, WingA_GallerySlabY, WingA_RiseX0, g);
    Box(map, WingA_RiseX0, WingA_GallerySlabY, WingA_HighX0, WingA_RiseY);
    // Switch 10 in the high gallery's floor, in a slot too steep to stand in.
    PlateSlotFloor(map, WingA_HighX0, WingA_RoomsX0, WingA_HighY, WingA_GallerySlabY, WingA_Plate10X, 1.0,
                   Tower_Switches[10].group, Coarse, Plate_SteepSlot);
    Box(map, WingA_RoomsX0, WingA_RoomsCeilingY, WingA_DropX0, WingA_HighY, Brick);
    // The rooms' right wall carries the high gallery's end beyond the hole; its end wall and the
    // ceilings keep a jumping player inside the shots over them.
    Box(map, WingA_RoomsX1, WingA_RoomsY - 20.0, WingA_HighX1, WingA_HighY, Brick);
    // The end wall rises to LX's floor: whoever falls from the cars' route beyond the roof slides down
    // it onto the roof, and under LX nothing is reached.
    Box(map, WingA_HighX1, WingA_SmallSlabY, WingA_HighX1 + 60.0, WingB_FinaleFarY - 200.0, Brick);
    Teeth(map, WingA_GalleryToothX0, WingA_LowCeilingX1, g, WingA_LowCeilingX1 - WingA_GalleryToothX0);
    // Whoever falls on them from high above stays in the shots of the gallery: the roof lies under the
    // top of their rectangle, low enough that a player of 4 on it is seen whole, and a wall over the
    // low ceiling's end stops him before he falls beyond it. Along the roof he walks right through the
    // tunnel at its end and down the chute beside the high gallery's hole into the upper room.
    double const roof = WingA_RoofY;
    Box(map, 2880, WingA_LowCeilingY, WingA_LowCeilingX1, WingA_LowCeilingY + 50.0, Brick);
    Teeth(map, 2880, WingA_LowCeilingX1, WingA_LowCeilingY + 50.0, Roof_ToothWidth);
    Box(map, WingA_LowCeilingX1, WingA_CeilingY, WingA_LowCeilingX1 + 20.0, WingA_StopY, Brick);
    Teeth(map, WingA_LowCeilingX1, WingA_LowCeilingX1 + 20.0, WingA_StopY, 20.0);
    // The roof runs on over the hole in the high gallery, capping it over the head of a player of 4 on the
    // ledge below, to the chute beyond it; the tunnel over the roof's end, and over the tunnel solid up to
    // LX's floor.
    Box(map, WingA_LowCeilingX1 + 20.0, WingA_CeilingY, WingA_DropX0, roof, Brick);
    Box(map, WingA_DropX0, roof - WingA_CapThick, WingA_ChuteX0, roof, Brick);
    Box(map, WingA_TunnelX0, WingA_TunnelY1, WingA_RoomsX1, Way_WallY, Brick);
    // The chute's left wall, between it and the hole, down to the passage under the ledge.
    Box(map, WingA_DropWallX, WingA_PassageY1, WingA_ChuteX0, roof - WingA_CapThick, Brick);
    Poly(map,
         {{WingA_LedgeX0, WingA_PassageY1},
          {WingA_LedgeX0, WingA_LedgeY},
          {WingA_DropWallX, WingA_LedgeY + WingA_LedgeRise * (WingA_DropWallX - WingA_LedgeX0)},
          {WingA_DropWallX, WingA_PassageY1}},
         Brick, Coarse);
    Box(map, WingA_RoomsX1, WingA_HighY, WingA_HighX1, WingB_FinaleFarY - 200.0, Brick);

    // Creatures of 1 along the gallery for a player of 4: three hopping blobs, half-size spikes, the
    // swinging platform with a still ball and a circling one, and a splitting blob of 4.
    Ref(map, 20, 3250, g);
    Ref(map, Tower_Rp_Shmoos[0], 3700, g);
    Ref(map, Tower_Rp_Shmoos[1], 3760, g);
    Ref(map, Tower_Rp_Shmoos[2], 3820, g);
    Ref(map, Tower_Rp_HoppingTop, 3760, g + 60);
    Box(map, 4100, g + 230, 4140, g + 240, Tile, 16.0, Tower_Group_Swing);
    Ref(map, Tower_Balls[0].ref, 4230, g + 300);
    Ref(map, Tower_Balls[27].ref, 4450, g + 200);
    Ref(map, Tower_Splits[3].ref, 4900, g + 1);

    // The upper room: scaler 5 where he lands from the hole, door 12, the heart.
    double const u = WingA_UpperY;
    Box(map, WingA_UpperX0, WingA_UpperSlabY, WingA_RoomsX1, u);
    Ref(map, 10, WingA_Scale1X, u);
    DoorBody(map, 12, WingA_Door12X, u, WingA_Door12X + 10, u + 60, Tile, 16.0, false);
    Box(map, WingA_Door12X, u + 60, WingA_Door12X + 10, WingA_RoomsCeilingY, Brick, 16.0);
    Ref(map, Tower_Rp_PickUps[1], WingA_UpperX0 + 15.0, u + 10);

    // The ring room below it: the ringed target, two wasps, door 13 at its left.
    double const r = WingA_RoomsY;
    Box(map, WingA_Door13X + 10, r - 20, WingA_RoomsX1, r);
    Ref(map, Tower_Rp_RingedTarget, WingA_RingX, r + 60);
    Ref(map, 13, 6370, r + 80);
    Ref(map, 14, 6550, r + 40);
    DoorBody(map, 13, WingA_Door13X, r, WingA_Door13X + 10, r + 40, Tile, 16.0, false);
    Box(map, WingA_Door13X, r + 40, WingA_Door13X + 10, WingA_RoomsCeilingY, Brick, 16.0);

    // The track room: the track, wasps and spiders, door 11 the lid of the shaft.
    Box(map, WingA_RoomsX0, WingA_GallerySlabY, WingA_HatchX, r);
    Box(map, WingA_HatchX, r - 10, WingA_HatchX + 100, r, Tile, 16.0, Tower_Doors[11].group);
    Box(map, WingA_HatchX + 100, r - 20, WingA_Door13X + 10, r);
    Ref(map, Tower_Rp_Track, WingA_TrackX, r + 150);
    Ref(map, 15, 6120, 1060);
    Ref(map, 16, 6290, 1070);
    Ref(map, 17, 6280, 1020);
    Ref(map, 18, 6115, 980);
    Ref(map, 19, 6300, 1050);
    Ref(map, Tower_Rp_Spiders[0], 6112, WingA_RoomsCeilingY);
    Ref(map, Tower_Rp_Spiders[1], 6262, WingA_RoomsCeilingY);
    Ref(map, Tower_Rp_Spiders[2], 6305, WingA_RoomsCeilingY);
}

// The rooms of a player of 1/4 under the rooms of 1, and the nook under them.
void WriteSmallRooms(MapWriter& map)
{
    double const y = WingA_SmallY;
    double const slab = WingA_SmallSlabY;
    // Where he lands from the shaft and becomes 1/4, switch 2, and the right wall under the track
    // room's floor; the step and the tooth at the shot's edge.
    PlateSlotFloor(map, WingA_SwingPitX1, WingA_SmallX1, y, slab, WingA_Plate2X, 0.25, Tower_Switches[2].group, 16.0,
                   Plate_SteepSlot);
    Box(map, WingA_ToothX1, y, WingA_ToothStepX1, WingA_ToothStepY, Stone, 16.0);
    Poly(
        map,
        {{WingA_ToothX0, y}, {WingA_ToothTopX, WingA_ToothTopY}, {WingA_ToothX1, WingA_ToothStepY}, {WingA_ToothX1, y}},
        Brick, 4.0);
    Ref(map, 12, WingA_LandX, y); // scaler 7: 1 -> 1/4
    Box(map, WingA_SmallX1, slab, WingA_HighX1, WingA_RoomsY - 20.0, Stone, 16.0);

    // Group 26 over the small spikes, a splitting blob of 1/4 among them: at each end of its sweep
    // the plank lies over the floor.
    double const middle = WingA_SwingMiddleX;
    // Half a tooth against the left wall: no one stands in the corner, where no jump lifts him.
    Poly(map, {{WingA_SwingPitX0, slab}, {WingA_SwingPitX0, slab + 3.0}, {WingA_SwingPitX0 + 1.0, slab}}, Brick, 4.0);
    // The pit's floor is bare and its ramp no steeper than a player of 1/4 walks up: whoever falls in
    // walks out to the ramp's top.
    Poly(map, {{WingA_PitRampX0, slab}, {WingA_SwingPitX1, WingA_PitRampY}, {WingA_SwingPitX1, slab}}, Stone, 16.0);
    Box(map, middle - WingA_SwingHalf, y - 4, middle + WingA_SwingHalf, y, Tile, 16.0, Tower_Group_OverSpikes2);
    Ref(map, 21, WingA_SwingPitX0 + 6, slab + 5.0);
    Ref(map, 22, middle - 12, slab + 5.0);
    Ref(map, 23, WingA_PitRampX0 + 4.0, slab + 5.0); // at the ramp's foot
    Ref(map, Tower_Splits[0].ref, middle, slab + 6.0);

    // Switch 1 and, right of it, the lid (door 1) of the hole down to the nook; the wall left of
    // switch 1, down to the shaft's floor.
    double const nook = WingA_NookY;
    double const shaft0 = WingA_ShaftX - WingA_ShaftHalf, shaft1 = WingA_ShaftX + WingA_ShaftHalf;
    double const under = y - 25.0; // the underside of switch 1's floor: the nook's ceiling
    double const floor = WingA_ShaftFloorY;
    Box(map, WingA_HallX1, Tower_RoadY, WingA_SwingPitX0, y, Stone, 16.0);
    Box(map, WingA_Hatch1X, y - 4, WingA_HallX1, y, Tile, 4.0, Tower_Doors[1].group);
    PlateSlotFloor(map, WingA_SmallX0, WingA_Hatch1X, y, under, WingA_Plate1X, 0.25, Tower_Switches[1].group, 16.0,
                   Plate_SteepSlot);
    Box(map, shaft0, under, WingA_SmallX0, WingA_GallerySlabY, Brick, 16.0);
    Box(map, shaft0 - 12.0, floor, shaft0, WingA_GallerySlabY, Brick, 16.0);

    // The nook: walking left along it he becomes 1 and walks off its end into the shaft, down to scaler
    // 6's floor, where he grows to 4; he steps off it to the right and walks back left under it.
    Box(map, shaft1, nook - 10.0, WingA_HallX1, nook, Stone, 16.0);
    Box(map, shaft1, WingA_ShaftBottomY, shaft1 + 10.0, nook - 10.0, Brick, 16.0);
    // At the nook's right end, under the hole, a slope too steep to stand on: a player of 1 walking
    // back right stops where the nook's shot still shows him whole, and one who drops onto it slides off.
    Poly(map, {{WingA_NookEndX, nook}, {WingA_HallX1, nook + WingA_NookEndRise}, {WingA_HallX1, nook}}, Brick, 4.0);
    Box(map, WingA_NookFinX, WingA_NookFinY, WingA_NookFinX + WingA_NookFinW, WingA_NookSlitY0, Brick, 4.0);
    Box(map, WingA_NookFinX, WingA_NookSlitY1, WingA_NookFinX + WingA_NookFinW, under, Brick, 4.0);
    Box(map, shaft0 - 12.0, floor - 4.0, shaft1, floor, Stone, 16.0);
    Ref(map, 24, shaft1 + 5.0, nook);  // scaler 8: 1/4 -> 1
    Ref(map, 11, WingA_ShaftX, floor); // scaler 6: 1 -> 4
    // Under the rooms, from the road up: solid.
    Box(map, WingA_SwingPitX0, Tower_RoadY, WingA_HighX1 + 60.0, slab);
}

// The hall of a player of 4, the spike pit and the landing beyond it.
void WriteHall(MapWriter& map)
{
    double const y = WingA_HallY;
    double const top = WingA_GallerySlabY;
    // The road's corridor under the wing ends at a wall; from it to the rooms' foot the wing stands on
    // rock. The landing, the pit's floor and the hall's floor lie on it.
    Box(map, WingA_RoadWallX, Tower_RoadY, WingA_HallX1, 400);
    Box(map, WingA_LandingX0, 400, WingA_PitX0, y);
    Ref(map, 29, WingA_GrowX, Tower_RoadY); // scaler 9: 4 -> 8
    Box(map, WingA_PitX1, 400, WingA_HallX1, y);

    // Door 2 and the bobbing targets, which rest inside the gallery's underside, out of sight, and
    // drop 160 below it, over a player of 4's head; each group hangs far enough beyond its door to be
    // seen from there.
    DoorBody(map, 2, WingA_Door2X, y, WingA_Door2X + 30, y + 200, Brick, Coarse, false);
    Box(map, WingA_Door2X, y + 200, WingA_Door2X + 30, top, Brick);
    for (int k = 0; k < Tower_Bob_Count; k++)
    {
        double const x = k < 6 ? WingA_Door2X - 120 - 25 * k : WingA_Door14X - 120 - 25 * (k - 6);
        Ref(map, Tower_Bobs[k][0], x, top + 20);
        Ref(map, Tower_Bobs[k][1], x, top - 160);
    }
    DoorBody(map, 14, WingA_Door14X, y, WingA_Door14X + 20, y + 200, Brick, Coarse, false);
    Box(map, WingA_Door14X, y + 200, WingA_Door14X + 20, top, Brick);
    DoorBody(map, 15, WingA_Door15X, y, WingA_Door15X + 20, y + 160, Brick, Coarse, false);
    Box(map, WingA_Door15X, y + 160, WingA_Door15X + 20, top, Brick);

    // The pit: spikes and still balls along its floor, a kill zone over it, balls bouncing above
    // the platform's way; group 3 slides from end to end, reaching onto the floor at each.
    Teeth(map, WingA_PitX0, WingA_PitX1, 400, 10.0);
    double const middle = (WingA_PitX0 + WingA_PitX1) / 2;
    Box(map, middle - 100, 430, middle + 100, y, Tile, Coarse, Tower_Group_OverSpikes);
    Ref(map, 3, middle - 700, 410);
    Ref(map, 4, middle + 600, 410);
    for (int k = 0; k < 21; k++)
        Ref(map, Tower_Rp_FirstStillBall + k, WingA_PitX0 + 50 + 100 * k, 425);
    for (int k = 0; k < 5; k++)
        Ref(map, Tower_Balls[1 + k].ref, middle - 600 + 400 * k, 630);

    // The tower's front over the first wing, seen from outside.
    Shade(map, 500, 400, WingA_HighX1 + 60.0, WingA_CeilingY + 50.0, Tower_Group_HiddenNear, true);
}

// L1, the slot, switch 3 and door 3, and the scales.
void WriteScales(MapWriter& map)
{
    double const y = WingB_FloorY;
    Box(map, WingB_L1X0, y - 200, WingB_L1X1, WingB_L1Y);
    Box(map, WingB_SlotWallX, y + 15, WingB_SlotWallX + 30, 3900, Brick); // up under the trough over it
    Teeth(map, WingB_SlotWallX, WingB_SlotWallX + 30, 3900, 15.0);
    // Over the narrow gap between the slot wall and L1's end, and over L1's edge, just above L1, a lintel
    // that a giant's feet walk under and his head passes over as he drops through the gap: a player still
    // shrinking who jumps up the gap, or up L1's face beside it, meets it with his head before his feet
    // are back at L1's height.
    double const lintelX1 = WingB_L1X0 + WingB_GapLintelOver;
    Box(map, WingB_SlotWallX + 30, WingB_L1Y + WingB_GapLintelLow, lintelX1, WingB_L1Y + WingB_GapLintelHigh, Brick,
        8.0);
    Teeth(map, WingB_SlotWallX + 30, lintelX1, WingB_L1Y + WingB_GapLintelHigh, 6.0, 8.0);
    // Scaler 10 (any size -> 1/2) at the middle of the floor between plate 3 and L1's face, where a
    // giant dropping off L1 lands.
    Ref(map, 30, (WingB_Plate3X + 30.0 * 0.5 + WingB_L1X0) / 2.0, y);
    PlateSlotFloor(map, 2000, WingB_L1X0, y, y - 40, WingB_Plate3X, 0.5, Tower_Switches[3].group, 8.0);
    // The corridor's ceiling keeps a player of 1/2 who jumps in it inside its close shot.
    Box(map, 1980, y + 20, WingB_SlotWallX, y + 60, Brick, 8.0);
    DoorBody(map, 3, WingB_Door3X, y, WingB_Door3X + 5, y + 20, Tile, 4.0, false);

    // The scales' room: the pan in the floor, the lift in its shaft on the left.
    PlateSlotFloor(map, WingB_LiftX1, 2000, y, y - 40, WingB_PanX, 0.5, Scales_Scales_Group, 8.0);
    // Where the room's shot ends short of the corridor's a sill is jumped over but not stood on:
    // its sides slide.
    Poly(map, {{WingB_SillX0, y}, {(WingB_SillX0 + 1980) / 2.0, y + WingB_SillHeight}, {1980, y}}, Stone, 8.0);
    Box(map, WingB_WindowX, 2870, 2000, 2885, Brick, 8.0);
    Box(map, 1980, y + 60, 2000, 2870, Brick, 8.0);
    // Over the sill the corridor's ceiling reaches back into the room, and the room's wall over it stands
    // inside the room's shot: whoever jumps against it is seen whole.
    Box(map, WingB_SillX0 - 1.0, y + 20, 1980, 2870, Brick, 8.0);
    // Over the corridor's ceiling, walled in under the trough, no one stands.
    Teeth(map, 2000, WingB_SlotWallX, y + 60, 12.0, 8.0);
    Box(map, WingB_LiftX0, y - 10, WingB_LiftX1, y, Tile, 4.0, Scales_Lift_Group);
    // The shaft's bottom, below the lift at rest: its left corner, under the window and left of the
    // scales' room's shot, too steep to stand on.
    Box(map, WingB_WindowX, 2700, WingB_LiftX1, WingB_ShaftY, Stone, 8.0);
    Box(map, WingB_WindowX, WingB_ShaftY, WingB_LiftX0, WingB_TinyY, Brick, 8.0);
    Poly(map,
         {{WingB_LiftX0, WingB_ShaftY},
          {WingB_LiftX0, y - 11},
          {WingB_ShaftX0, WingB_ShaftY + 10},
          {WingB_ShaftX0, WingB_ShaftY}},
         Brick, 8.0);
    Box(map, WingB_WindowX, WingB_TinyY + 6, WingB_LiftX0, 2870, Brick, 8.0);
    // Over the lift's left end at rest, outside the room's shot, the shaft's wall, its top too steep to
    // stand on: the raised lift's top passes it just under the window.
    Poly(
        map,
        {{WingB_LiftX0, y}, {WingB_LiftX0, WingB_TinyY - 5.0}, {WingB_ShaftX0, WingB_TinyY - 15.0}, {WingB_ShaftX0, y}},
        Brick, 8.0);
    Ref(map, Scales_Lights_Ref, 1850, 2810);
    Ref(map, 35, 1950, y); // scaler 14: 1/4 -> 1/2
    Ref(map, 31, 1960, y); // scaler 11: 1/4 -> 1/2
    Ref(map, 32, 1820, y); // scaler 12: 1/2 -> 1/4
    Ref(map, 34, 1832, y); // scaler 13: 1/2 -> 1/4
}

// The tiny corridors through the window, the lower corridor and the climb to the ledge over P.
void WriteTiny(MapWriter& map)
{
    double const y = WingB_TinyY;
    constexpr double fine = 2.0; // texture repeat of the small parts
    double const s16 = 0.0625;

    // Behind the lower corridor and the climb, hidden with the tower seen whole.
    Shade(map, WingB_FloorEndX, WingB_LowerY, 1425, WingB_WaitY - 3.0, Tower_Group_HiddenFar, false);

    // The upper corridor, 6 high like the window, under one ceiling over the low passage too: no seam
    // in it that a jump could climb.
    Box(map, WingB_TinyStepX, y - 15, WingB_TinyRampX0, WingB_TinyStepY, Stone, fine);
    Poly(map,
         {{WingB_TinyRampX0, y - 15},
          {WingB_TinyRampX0, WingB_TinyStepY},
          {WingB_TinyRampX1, y},
          {WingB_TinyRampX1, y - 15}},
         Stone, fine);
    Box(map, WingB_TinyRampX1, y - 15, WingB_WindowX, y, Stone, fine);
    Box(map, 1462, y + 6, WingB_TinyCeilingX, 2850, Brick, fine);
    Ref(map, 36, WingB_TinyShrinkX + 0.5, y); // scaler 15: 1/4 -> 1/8
    Ref(map, 38, WingB_TinyShrinkX - 1.0, y); // scaler 16: 1/4 -> 1/8
    PlateSlotFloor(map, 1600, WingB_TinyStepX, y, y - 15, WingB_Plate7X, s16, Tower_Switches[7].group, fine);
    PlateSlotFloor(map, 1592, 1600, y, y - 15, WingB_Plate7X - 8, s16, Tower_Switches[8].group, fine);
    PlateSlotFloor(map, 1584, 1592, y, y - 15, WingB_Plate7X - 16, s16, Tower_Switches[9].group, fine);
    for (int k = 0; k < 3; k++)
    {
        double const x = WingB_Door8X - 7 * k;
        DoorBody(map, 8 + k, x, y, x + 1, y + 6, Tile, 0.5, false);
    }
    Box(map, WingB_Door7X, y - 15, 1584, y, Stone, fine);
    Ref(map, 39, 1546, y); // scaler 17: 1/8 -> 1/32
    Box(map, WingB_LowPassX0, y + WingB_LowPassHeight, WingB_LowPassX1, y + 6, Brick, fine);
    Ref(map, Tower_Rp_PickUps[3], 1535, y);
    Ref(map, 40, 1524, y); // scaler 18: 1/32 -> 1/16
    Ref(map, Tower_Rp_SmallTarget, WingB_SmallTargetX, y + 1.5);
    DoorBody(map, 7, WingB_Door7X, y, WingB_Door7X + 1, y + 6, Tile, 0.5, false);
    Ref(map, Tower_Rp_PickUps[0], 1482, y);

    // Switch 4 and the lid (door 4) of the hole down to the lower corridor.
    PlateSlotFloor(map, 1470, WingB_Door7X, y, y - 2, WingB_Plate4X, s16, Tower_Switches[4].group, fine);
    Box(map, WingB_Hatch4X, y - 1, WingB_Hatch4X + 4, y, Tile, 0.5, Tower_Doors[4].group);
    Box(map, 1420, y - 2, WingB_Hatch4X, y, Stone, fine);
    Box(map, 1462, y, WingB_Hatch4X, y + 6, Brick, fine);
    Box(map, 1470, WingB_LowerY - 2, WingB_Door7X, y - 2, Stone, fine);

    // The lower corridor: switches 5 and 6, doors 5 and 6.
    double const low = WingB_LowerY;
    PlateWallFloor(map, 1457, 1470, low, low - 2, WingB_Plate5X, s16, Tower_Switches[5].group, fine, true);
    PlateWallFloor(map, 1420, 1457, low, low - 2, WingB_Plate6X, s16, Tower_Switches[6].group, fine, true);
    DoorBody(map, 5, WingB_Door5X, low, WingB_Door5X + 1, y - 2, Tile, 0.5, false);
    DoorBody(map, 6, WingB_Door6X, low, WingB_Door6X + 1, y - 2, Tile, 0.5, false);

    // Past door 6 the growing zones make him 1; a step takes him up to the masonry over the
    // corridors, and from it he jumps onto the ledge over P.
    Box(map, WingB_FloorEndX, low - 2, 1420, low, Stone, fine);
    // Beyond door 6 a ceiling as low as the open door's gap keeps him on the floor up to the zones
    // that make him 1/8 and 1/4, which he then cannot jump over.
    Box(map, WingB_Door6X - 3.5, low + 2.4, WingB_Door6X, y - 2, Brick, fine);
    // Scaler 19 just beyond the low ceiling's end and scaler 20 just beyond scaler 19's zone. Over scaler
    // 19 the ceiling is a hair over the head of a player of 1/8: no one jumps over scaler 20 from it.
    double const grow8 = WingB_Door6X - 4.0;
    double const reach20 = 8.0 * Tower_Scalers[20].zoneScale;
    double const grow4 = grow8 - 8.0 * Tower_Scalers[19].zoneScale - reach20 - WingB_TinyZonesApart;
    Box(map, grow4 + reach20, low + WingB_EighthRoom, WingB_Door6X - 3.5, y - 2, Brick, fine);
    Ref(map, 49, grow8, low); // scaler 19: 1/16 -> 1/8
    Ref(map, 50, grow4, low); // scaler 20: 1/8 -> 1/4
    Ref(map, 51, 1408, low);  // scaler 21: 1/4 -> 1/2
    Ref(map, 53, 1400, low);  // scaler 22: 1/2 -> 1
    Box(map, WingB_StepX0, WingB_StepY - 10.0, WingB_StepX1, WingB_StepY, Stone, 8.0);
    // Up to near the rock: its top lies in the camera zone of the room over it, clear of the cars'
    // turn into their leftward leg.
    Box(map, WingB_FloorEndX - 20.0, 2800, WingB_FloorEndX, Way_RockY - 50.0, Brick, 8.0);
    // A ledge over P that every car rises through at the start of its run, lifting whoever waits
    // on it.
    Box(map, WingB_CarX - 25.0, WingB_WaitY - 3.0, WingB_CarX + 25.0, WingB_WaitY, Plank, 8.0);
    // A spike on its left half stops him at the zones' edge: carried off left from there he passes
    // at once into the shot of the rock beside the car's climb, where his head, rising, stays in sight.
    Teeth(map, WingB_CarX - 10.0, WingB_CarX, WingB_WaitY, 10.0, 8.0);

    // Above the corridors and the scales' room the masonry is solid up to the floor of the room
    // where the transporter starts, so that no one stands where no camera frames him.
    Box(map, 1420, 2830, 1462, 2850, Brick, 8.0);
    Box(map, 1420, 2850, WingB_TinyCeilingX, 2930, Brick, 8.0);
    Box(map, WingB_TinyCeilingX, WingB_TinyCeilingY, WingB_WindowX, 2930, Brick, 8.0);
    Box(map, WingB_WindowX, 2885, 2000, 2930, Brick, 8.0);
    // A wall at the masonry's right end, up to the top of the camera zone over it: no one walks off
    // it down onto L1, where a player of 1 is too small to see.
    Box(map, 1960, 2930, 1980, Way_RockY, Brick, 8.0);
    Teeth(map, 1960, 1980, Way_RockY, 10.0, 8.0);

    // Wasps of 1/16 in the cave below the upper corridor.
    Ref(map, 43, 1625, 2795);
    Ref(map, 44, 1685, 2810);
    Ref(map, 47, 1630, 2800);
    Ref(map, 48, 1680, 2812);

    // Splitting blobs of 1/16 and spikes of 1/32 in a cave below the upper corridor.
    Box(map, 1610, 2780, 1700, 2790, Stone, fine);
    Box(map, 1610, 2790, 1620, y - 15, Brick, fine);
    Box(map, 1690, 2790, 1700, y - 15, Brick, fine);
    Ref(map, Tower_Splits[1].ref, 1640, 2791);
    Ref(map, Tower_Splits[2].ref, 1670, 2791);
    Ref(map, 46, 1655, 2790);
}

// The transporter's cars and what lies along their route, the exit floor and the finale.
void WriteTransporter(MapWriter& map)
{
    double const px = WingB_CarX;
    double const py = WingB_CarY;
    for (unsigned int car = Tower_Group_FirstCar; car <= Tower_Group_LastCar; car++)
        Box(map, px - WingB_CarHalfWidth, py, px + WingB_CarHalfWidth, py + WingB_CarHeight, Tile, 16.0, car);

    // Spike balls beside the route, clear of a rider.
    struct Place
    {
        int ball;
        double x, y;
    };
    constexpr Place balls[] = {{28, 540, 3437},  {29, 1140, 3437}, {30, -410, 3817}, {31, -110, 3967},
                               {32, 240, 4637},  {33, 1240, 4637}, {34, 2240, 4697}, {35, 3040, 4697},
                               {36, 3940, 4617}, {37, 4940, 4577}};
    for (Place const& ball : balls)
        Ref(map, Tower_Balls[ball.ball].ref, ball.x, ball.y);

    // The exit floor, with scaler 23 and the second heart, and the porch over its left end, the pit's floor
    // running on onto it, its face clear of the cars looping up under it; its far side down to the floor.
    double const porch = WingB_ExitPorchY;
    double const floor = WingB_ExitFloorY;
    double const x0 = WingB_ExitPorchX0, x1 = WingB_ExitFloorX0;
    double const wall = WingB_ExitLintelX0 + 2.0;
    Box(map, x0, WingB_ExitPorchBottomY, wall, porch, Brick, Coarse);
    Poly(map, {{wall, WingB_ExitPorchBottomY - 40.0}, {wall, porch}, {x1, porch}, {x1, floor - 4.0}}, Brick, Coarse);
    Poly(map,
         {{x1, floor - 6.0}, {x1, floor}, {WingB_ExitFloorX1, floor}, {WingB_ExitFloorX1, floor - 36.0},
          {x1 + 18.0, floor - 36.0}},
         Stone, Coarse);
    // The lintel, up to the roof: no one comes over it.
    Box(map, WingB_ExitLintelX0, WingB_ExitLintelY, WingB_ExitLintelX1, Tower_TopY - 200, Brick);
    // Beyond where a rider dropping off the porch lands, a low roof over the floor up to the middle of scaler
    // 23's zone, just over the head of a rider of 1: however he runs or jumps, he goes on under it with his
    // feet on the floor, into the zone, and grows beyond it.
    Box(map, WingB_ExitLowX0, floor + WingB_ExitLowRoom, WingB_ExitScalerX, Tower_TopY - 200, Brick);
    // Beyond it, over the floor and the fall off its end to the wall that ends the fall, a roof with room for a
    // player of 4 to jump: one growing in a double jump flew high over the wall, down beside door 16 below the
    // shot.
    Box(map, WingB_ExitScalerX, floor + WingB_ExitRoom, WingB_FallWallX, Tower_TopY - 200, Brick);
    Ref(map, 149, WingB_ExitScalerX, floor); // scaler 23: 1 -> 4
    Ref(map, Tower_Rp_PickUps[2], 5500, floor + 10);

    // LX: a wall that stops the fall from the exit floor, switch 11, door 16 and door 17.
    double const y = WingB_FinaleY;
    Box(map, WingB_FallWallX, 2970, WingB_FallWallX + 20.0, WingB_FallWallY, Brick);
    Teeth(map, WingB_FallWallX, WingB_FallWallX + 20.0, WingB_FallWallY, 10.0);
    // The floor runs on under door 16 in one piece: where the door closes, no seam runs down from it.
    PlateSlotFloor(map, Way_WallX1, WingB_Door16X + 40, y, Way_WallY, WingB_Plate11X, 8.0, Tower_Switches[11].group,
                   256.0);
    double const far = WingB_FinaleFarY;
    Box(map, WingB_Door16X + 40, far - 200, WingB_Door17X + 60, far);
    // Beyond door 17 LX steps down below zone 39, so that a giant there is seen with the tower whole,
    // and a ceiling keeps his jumps below it.
    double const low = WingB_FinaleLowY;
    Box(map, WingB_Door17X + 60, far - 200, WingB_LXX1, low);
    Box(map, WingB_Door17X + 60, low + WingB_GiantHeight + 15.0, WingB_LowCeilingX1, Tower_TopY - 200, Brick, 256.0);
    Ref(map, 150, WingB_FallWallX, y); // scaler 24: 4 -> 8, where the fall along the wall ends
    // Door 16: one it falls on in the doorway walks out from under it.
    DoorBody(map, 16, WingB_Door16X, y, WingB_Door16X + 40, y + 300, Brick, Coarse, true);
    // Over door 16 a wall up to the roof: the way between LX's parts is through the open door only.
    Box(map, WingB_Door16X, y + 300, WingB_Door16X + 40, Tower_TopY - 200, Brick);
    // Between doors 16 and 17 a ceiling over a giant's head keeps him inside zone 39's shot.
    Box(map, WingB_Door16X + 40, WingB_FinaleCeilingY, WingB_Door17X, Tower_TopY - 200, Brick, 256.0);
    Ref(map, 151, 6650, far); // scaler 25: 8 -> 64, on the overview spot
    // Door 17, as door 16.
    DoorBody(map, 17, WingB_Door17X, far, WingB_Door17X + 60, far + 2000, Brick, 256.0, true);
    // Door 17's lintel and, over LX and the exit floor, the second wing's roof: no giant on LX jumps
    // high enough to reach the exit floor or to pass over door 17.
    Box(map, WingB_Door17X, far + 2000, WingB_Door17X + 60, Tower_TopY, Brick, 256.0);
    Box(map, Tower_RoofX0, Tower_TopY - 200, WingB_Door17X, Tower_TopY, Brick);
    // The roof goes on over LX and the exit's floor to the far end's wall, and over the tower's right
    // wall a spire stands higher than a giant jumps twice from the roof: the exit is reached through
    // door 17, not from the sky. The roof's top is a row of spikes too steep to stand on.
    Box(map, WingB_Door17X + 60, Tower_TopY - 200, Tower_RoadX1 + 100, Tower_TopY, Brick);
    Teeth(map, Tower_RoofX0, Tower_RightWallX, Tower_TopY, Roof_ToothWidth);
    Teeth(map, Tower_RightWallX + 200, Tower_RoadX1 + 100, Tower_TopY, Roof_ToothWidth);
    Box(map, Tower_RoadX1, Tower_RoadY + 2400, Tower_RoadX1 + 100, Tower_TopY - 200, Brick);
    Box(map, Tower_RightWallX, Tower_TopY, Tower_RightWallX + 200, Tower_TopY + Tower_GiantClear, Brick);
    // The tower's right wall: below LX nothing passes it, and door 17 is the only way along LX.
    Box(map, Tower_RightWallX, Tower_RoadY, Tower_RightWallX + 200, far - 200, Brick);
}

// The scales' lights: a lamp lit yellow for each unit of weight, a red one for too much.
void WritePictures(std::string const& dir)
{
    Rgba const rim{40, 40, 40, 255};
    auto lamp = [&](Rgba glow, Rgba core) {
        Canvas c(16, 16);
        c.FillCircle(8, 8, 7.5, rim);
        c.FillCircle(8, 8, 6, glow);
        c.FillCircle(6, 6, 2, core);
        return c;
    };
    DataGen::SavePng(lamp(Rgba{250, 210, 40, 255}, Rgba{255, 250, 200, 255}), dir, "gfx/tower/scales/lighton.png");
    DataGen::SavePng(lamp(Rgba{70, 60, 30, 255}, Rgba{100, 90, 60, 255}), dir, "gfx/tower/scales/lightoff.png");
    DataGen::SavePng(lamp(Rgba{230, 30, 30, 255}, Rgba{255, 180, 180, 255}), dir, "gfx/tower/scales/overon.png");
    DataGen::SavePng(lamp(Rgba{70, 20, 20, 255}, Rgba{110, 60, 60, 255}), dir, "gfx/tower/scales/overoff.png");
}

// The way in, from the start onto L1 and through its slot at half size.
void WayIn(Road& road)
{
    road.Press(Tower_ShrinkX, Tower_RoadY, "shrink to 16", 200);
    // Onto L0, from it back left onto the ledge and right onto the walkway, along it to the shaft
    // and back left onto L1's end.
    road.Walk((Way_BlockX0 + Way_BlockX1) / 2.0, Way_BlockY).Walk(Way_BlockX1 + 100.0, WingA_FloorY);
    road.Press(Way_BlockX1 + 100.0, WingA_FloorY, "beside the ledge", 0).Jump(Way_BlockX1 + 100.0, WingA_FloorY);
    road.Walk(Way_LedgeX0 + 140.0, Way_LedgeY).Press(Way_LedgeX0 + 140.0, Way_LedgeY, "on the ledge", 0);
    road.Jump(Way_LedgeX0 + 140.0, Way_LedgeY).Walk(Way_X0 + 200.0, Way_Y);
    road.Walk(Way_ClimbX, Way_PassY).Press(Way_ClimbX, Way_PassY, "below the gap", 0);
    road.Jump(Way_ClimbX, Way_PassY).Walk(Way_RightX0 + 100.0, Way_Y);
    road.Walk(Way_JumpX, Way_Y).Press(Way_JumpX, Way_Y, "below L1's end", 0);
    road.Jump(Way_JumpX, Way_Y).Walk(WingB_L1X1 - 100.0, WingB_L1Y);
    // He stands against the wall, framed close with the slot, until he is small enough for it.
    road.Press(WingB_SlotWallX + 32.0, WingB_FloorY, "shrink to 1/2", 100);
    road.Walk(WingB_SlotWallX - 20.0, WingB_FloorY);
}

constexpr double Tiny_StationPast = 3.5;

// A plate's door opened by a past self: stand on the plate, walk to the closed door, travel back
// to a while after stepping on and walk through.
void PastSelfDoor(Road& road, std::string const& name, double plateX, double doorX, double y, int held, int after,
                  double beyond)
{
    int const plate = road.Next();
    road.Press(plateX, y, name + " plate", held);
    road.Walk(doorX, y).Travel(doorX, y, name, plate, after).Walk(beyond, y);
}

// The second wing's puzzles from L1's slot to LX, each solved as its comment above says.
void WingBToLX(Road& road)
{
    double const y = WingB_FloorY;
    PastSelfDoor(road, "door 3", WingB_Plate3X, WingB_Door3X + 12.0, y, 300, 100, 1990.0);

    // The scales: weigh 2 at half size, shrink, weigh 1 beside the past self, ride the lift.
    int const weighed = road.Next();
    road.Press(WingB_PanX, y, "the pan at 1/2", 500);
    road.Walk(1800.0, y).Press(1800.0, y, "shrink to 1/4", 150);
    road.Press(WingB_PanX, y, "the pan at 1/4", 0).Travel(WingB_PanX, y, "weigh beside the past self", weighed, 0);
    road.Press(WingB_PanX, y, "the pan at 1/4, weighing", 500).Press(1800.0, y, "the lift coming down", 200);
    double const lift = (WingB_LiftX0 + WingB_LiftX1) / 2.0;
    road.Press(lift, y, "the lift", 0).Travel(lift, y, "before the lift rises", weighed, -40);
    // At rest the lift is framed with the scales, raised with the corridor beyond the window: he
    // steps to its left end on the way up.
    road.Ride(lift, WingB_TinyY, "up to the window", 400)
        .Press(WingB_LiftX0 - 2.0, WingB_TinyY, "the lift at the top", 80);

    // The tiny corridor: three past selves on switches 7, 8 and 9. A walker lets go of the key a
    // few units short of a station, which on plates this small is off the plate: the stations
    // here stand beyond the plates' middles.
    double const tiny = WingB_TinyY;
    double const past = Tiny_StationPast;
    int const first = road.Next();
    road.Walk(WingB_TinyStepX + 10.0, WingB_TinyStepY).Press(WingB_Plate7X - past, tiny, "switch 7", 900);
    for (int k = 1; k < 3; k++)
    {
        double const x = WingB_Plate7X - 8.0 * k - past;
        road.Press(x, tiny, "beside", 0).Travel(x, tiny, "back to switch 7", first + 1, 0);
        road.Press(x, tiny, k == 1 ? "switch 8" : "switch 9", 900);
    }
    road.Travel(WingB_Plate7X - 16.0 - past, tiny, "the three doors open", first + 1, 100);
    road.Walk(WingB_Door8X - 20.0, tiny);
    // From a stand a small player's first steps are too slow for the walker, which jumps: each walk
    // here starts far enough from the zone it passes through.
    road.Press(1544.0, tiny, "shrink to 1/32", 200).Press(1520.0, tiny, "grow to 1/16", 100);
    road.Throw(1510.0, tiny, "target 0", 80);
    PastSelfDoor(road, "door 4", WingB_Plate4X - past, WingB_Hatch4X + 2.0, tiny, 200, 100, WingB_Hatch4X + 2.0);

    // The lower corridor, growing, and the climb to the ledge over P.
    double const low = WingB_LowerY;
    PastSelfDoor(road, "door 5", WingB_Plate5X - past, WingB_Door5X + 2.0, low, 200, 100, WingB_Door5X - 3.0);
    // Through door 6 he walks on over the zones that make him 1/8 and 1/4.
    PastSelfDoor(road, "door 6", WingB_Plate6X - past, WingB_Door6X + 2.0, low, 200, 100, WingB_Door6X - 6.0);
    road.Walk(1370.0, low).Press(1370.0, low, "grow to 1", 150);
    road.Press((WingB_StepX0 + WingB_StepX1) / 2.0, WingB_StepY, "on the step", 0);
    road.Press(1440.0, WingB_MasonryY, "on the masonry", 0);
    road.Press(WingB_CarX - 2.0, WingB_WaitY, "above P, against the spike", 0);

    // The transporter: a car comes up through the ledge under him; he rides it over the top and
    // steps off onto the exit floor as it comes down beside it.
    road.Ride(WingB_WaitX, WingB_CarY + 300.0 + WingB_CarHeight, "a car", 1100);
    // He sets out for the car's end as its top comes down to 60 over the porch's foot (a walker is carried
    // to a point when he is 24 from it), and drops off the porch's far edge to the floor.
    double const offX = WingB_WaitX + 3800.0, offY = WingB_ExitPorchY + 60.0 - 24.0;
    road.Ride(offX, offY, "beside the exit floor", 8000);
    road.Walk(WingB_ExitScalerX - 20.0, WingB_ExitFloorY);
    road.Press(WingB_ExitScalerX, WingB_ExitFloorY, "grow to 4", 150);
    road.Walk(WingB_FallWallX, WingB_FinaleY).Press(WingB_FallWallX, WingB_FinaleY, "grow to 8", 150);
}

// The second wing to LX, and on LX a past self on switch 11 holding door 17 open for the giant.
void WingB(Road& road)
{
    WingBToLX(road);
    // LX: a past self on switch 11 holds door 17 open for the giant.
    double const fy = WingB_FinaleY;
    int const plate = road.Next();
    road.Press(WingB_Plate11X, fy, "switch 11", 700);
    double const far = WingB_FinaleFarY;
    road.Walk(WingB_Door17X - 50.0, far).Travel(WingB_Door17X - 50.0, far, "door 17", plate, 100);
    road.Press(6660.0, far, "grow to 64", 200);
}

// A throw from a spot: how many presses of next-target pick its target out of those in view, and the
// steps waited after it.
struct Road_Thrown
{
    int turns;
    int wait;
};

// Throws in turn, the first from the spot walked to and the others from where he then stands.
void Throws(Road& road, double firstX, double thenX, double y, std::string const& name,
            std::vector<Road_Thrown> const& throws)
{
    for (Road_Thrown const& thrown : throws)
        road.Throw(&thrown == &throws.front() ? firstX : thenX, y, name, thrown.wait, thrown.turns);
}

// The first wing from the start: onto L0 at 16, through the gate room by a past self on switch 0,
// along the galleries to switch 10, down into the rooms of a player of 1 and through door 12 by a
// past self, the ring and the track by throws, down to the rooms of 1/4, over the swing, through
// door 1 and door 2 by past selves, the hall's targets and the pit, back to the tower's foot.
void WingA(Road& road)
{
    road.Press(Tower_ShrinkX, Tower_RoadY, "shrink to 16", 200);
    road.Walk((Way_BlockX0 + Way_BlockX1) / 2.0, Way_BlockY).Walk(Way_BlockX1 + 100.0, WingA_FloorY);
    // Over the lip and against W2 until he is small enough to pass under it, into the gate room.
    road.Press(WingA_Scaler4X, WingA_FloorY, "grow to 8", 150);
    double const y = WingA_FloorY;
    int const plate0 = road.Next();
    road.Press(WingA_Plate0X, y, "switch 0 plate", 400).Jump(WingA_Plate0X, y);
    road.Press(1540.0, y, "shrink to 4", 150);
    road.Walk(WingA_Door0X - 44.0, y).Travel(WingA_Door0X - 44.0, y, "door 0", plate0, 100).Walk(1900.0, y);

    // Up the corridor's end onto the gallery, over its tooth, up the rise and onto the high gallery.
    road.Walk(WingA_CorridorX1 + 50.0, WingA_GalleryY).Walk(WingA_LowCeilingX1 + 50.0, WingA_GalleryY);
    road.Walk(WingA_RiseX0 + 50.0, WingA_RiseY).Walk(WingA_HighX0 + 50.0, WingA_HighY);
    int const plate10 = road.Next();
    road.Press(WingA_Plate10X, WingA_HighY, "switch 10 plate", 300);
    road.Walk(WingA_DropX0 + 6.0, WingA_HighY).Ride(WingA_LedgeX0, WingA_UpperY, "down the hole", 300);
    road.Press(WingA_Scale1X, WingA_UpperY, "shrink to 1", 150);
    double const door12 = WingA_Door12X + 10.0 + 12.0;
    road.Walk(door12, WingA_UpperY).Travel(door12, WingA_UpperY, "door 12", plate10, 150);
    road.Walk(WingA_UpperX0 + 20.0, WingA_UpperY).Walk(WingA_Door13X + 20.0, WingA_RoomsY);
    road.Throw(WingA_Door13X + 30.0, WingA_RoomsY, "the ringed target", 100, 2);
    // The track: six throws from one spot, each at the plain target that its turns pick out of those
    // in view as they circle, and door 11 slides away from over the shaft.
    double const track = WingA_Door13X - 30.0;
    Throws(road, track, track, WingA_RoomsY, "a plain target", {{1, 0}, {4, 0}, {4, 0}, {4, 0}, {7, 43}, {11, 100}});
    road.Walk(WingA_LandX, WingA_RoomsY).Ride(WingA_LandX, WingA_SmallY, "down the shaft", 200);

    // The rooms of 1/4: a past self on switch 2 for door 2 later, over the tooth onto the plank at its
    // right end, off it at its left end, and down through door 1 by a past self on switch 1.
    double const small = WingA_SmallY;
    road.Press(WingA_LandX, small, "shrink to 1/4", 100);
    int const plate2 = road.Next();
    road.Press(WingA_Plate2X, small, "switch 2 plate", 1500).Jump(WingA_Plate2X, small);
    road.Press(WingA_ToothStepX1 + 5.0, small, "below the step", 0).Jump(WingA_ToothStepX1 + 5.0, small);
    double const tooth = WingA_ToothX1 + 3.0;
    road.Press(tooth, WingA_ToothStepY, "before the tooth", 190).Jump(tooth, WingA_ToothStepY);
    road.Walk(WingA_ToothX0 - 3.0, small).Ride(WingA_SwingPitX0 - 20.0, small, "the plank", 400);
    road.Walk(WingA_SwingPitX0 - 15.0, small);
    int const plate1 = road.Next();
    road.Press(WingA_Plate1X, small, "switch 1 plate", 200).Jump(WingA_Plate1X, small);
    double const lid = WingA_Hatch1X + WingA_Hatch1W / 2.0;
    road.Travel(lid, small, "door 1", plate1, 150).Ride(lid, WingA_NookY, "through door 1", 200);
    // Along the nook, growing to 1, down the shaft at its end, growing to 4, off the shaft's floor into
    // the hall and back left under it to door 2, through it by the past self still on switch 2.
    road.Walk(WingA_ShaftX, WingA_ShaftFloorY).Press(WingA_ShaftX, WingA_ShaftFloorY, "grow to 4", 150);
    double const hall = WingA_HallY;
    road.Walk(WingA_ShaftX + 2.0 * WingA_ShaftHalf, hall);
    road.Ride(WingA_HallX1 - 8.0, hall, "off the shaft's floor", 100);
    double const door2 = WingA_Door2X + 30.0 + 45.0;
    road.Walk(door2, hall).Travel(door2, hall, "door 2", plate2, 300);
    // The hall: the six targets bobbing beyond door 2, then the eight beyond door 14, each hit while
    // it hangs down; each door rises once its targets are all down.
    double const beyond2 = WingA_Door2X - 45.0;
    Throws(road, beyond2, beyond2, hall, "a bobbing target", {{0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {10, 100}});
    // The walk to the first throw beyond door 14 leaves him a little past its spot: the others are
    // thrown from where he stands.
    Throws(road, WingA_Door14X - 45.0, WingA_Door14X - 49.0, hall, "a bobbing target",
           {{0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {9, 0}, {9, 100}});
    // Onto the platform at its right end, off it at its left onto the landing, and off the landing's
    // end down to the road, where he grows to 8 and walks back to the tower's foot.
    road.Press(WingA_PitX1 + 20.0, hall, "before the pit", 216);
    double const onto = WingA_PitX1 - 40.0;
    road.Walk(onto, hall).Ride(onto - 2200.0, hall, "across the pit", 600);
    road.Walk(WingA_LandingX0, hall).Walk(WingA_RoadWallX - 100.0, Tower_RoadY);
    road.Press(WingA_GrowX, Tower_RoadY, "grow to 8", 150).Walk(WingA_L0X0 - 100.0, Tower_RoadY);
}

// The roads from the start: the way in alone, the main road through the second wing to the main
// exit, the short way out by the second exit, the first wing's puzzles and back to the foot, and the
// second wing again to door 16.
std::vector<Road> BuildRoads()
{
    Road in("way in");
    WayIn(in);
    Road main("exit");
    WayIn(main);
    WingB(main);
    main.Walk(WingB_LXX1 - 100.0, WingB_FinaleLowY).Exit(Tower_MainExitX + 300.0, Tower_RoadY);
    Road left("exit3");
    left.Walk(Tower_SecondExitX + 100.0, Tower_RoadY).Exit(Tower_SecondExitX - 300.0, Tower_RoadY);
    Road first("first wing");
    WingA(first);
    // On LX he goes back to while he stood on switch 11 and walks through door 16 held open.
    Road sixteen("door 16");
    WayIn(sixteen);
    WingBToLX(sixteen);
    int const plate = sixteen.Next();
    sixteen.Press(WingB_Plate11X, WingB_FinaleY, "switch 11", 300);
    sixteen.Travel(WingB_Plate11X, WingB_FinaleY, "door 16", plate, 100);
    sixteen.Walk(WingB_Door16X + 150.0, WingB_FinaleFarY);
    return {in, main, left, first, sixteen};
}

} // namespace

MapWriter BuildMap()
{
    MapWriter map;
    map.SetView(2600, 10000, 0.023);
    WriteBackdrop(map);
    WriteBody(map);
    WriteKillZones(map);
    WriteRoad(map);
    WriteWayIn(map);
    WriteFoot(map);
    WriteGallery(map);
    WriteSmallRooms(map);
    WriteHall(map);
    WriteScales(map);
    WriteTiny(map);
    WriteTransporter(map);
    WriteTroughs(map);
    MapDressing::OutlineTops(map);
    return map;
}

void Write(std::string const& dir)
{
    DataGen::MakeDirs(dir + "/tower");
    MapWriter const map = BuildMap();
    map.WriteOrThrow(dir + "/tower/map");
    Road::Write(dir + "/tower/road", BuildRoads());
    WritePictures(dir);
}

} // namespace TowerWriter
