// The Black mountains' map, road and pictures. The road runs from the start high in the mountains east
// to the far end, level stretches joined by slopes. What can hurt stands off it: the rock streams roll
// in pits under its bridges, vultures fly and mozzies beat high over it, spiders hang from slabs high
// enough over it, and everything else lives in dens raised over the road, reached by ramps that float
// just clear of a walker's head and left by a drop from their far end, or in the lava gallery above it.
//
// The walk (the road "exit"): from the start (rp 0) hold right over the pits' bridges to the ogre's
// pass. The road jumps onto the foot of a ramp that floats over it and climbs to a walkway high over
// the pass and the boulder's ledge; walk
// off the walkway's end onto the ledge's far end, then run left into the boulder resting at the
// ledge's edge: faster than 3 a step, the player pushes it, and it falls onto the mountainside, from
// which it flies on over the barrier onto the ogre, which dies 215 ticks after the push. Wait for that on the ledge,
// then walk left down the mountainside: it ends over the ogre's side of the barrier (group 1), which lets everyone by
// once the ogre is dead, so the player drops into the pass beside the dead ogre. Walk right through the barrier, the
// tunnel under the mountain and the wall only the living pass (group 2), and on down the mountains. Jump the two gaps
// in the lift valley's bridge; past x 44720 the view holds the road's end, and past x 45050 a living
// player has crossed the mountains.
//
// Without the boulder: a player dropping into the pass meets the ogre at the barrier, and its arm
// (10 a blow) kills him, or, with the socks, leaves him dead but walking: then the barrier lets him
// by, but the wall in the tunnel does not, and he is told to win his health back. From anywhere in the
// pass or the tunnel he walks back left (through the barrier) out under the ramp's foot and up it to
// the boulder (the road "back to the boulder"); running the clock back there and pushing the boulder
// so that the ogre dies before its blows gives them back.
//
// Off the road: the goblin den (door 1, group 3, opens once the three rock-throwing goblins in it are
// dead), blob 1's cave (door 2, group 4) and blob 2's (door 3, group 6) each hold a heart behind their
// door; the lava gallery's platforms (groups 5, 15 to 21) lead over the lava to a heart; the lifts
// (groups 7 to 14) run round their track in the valley under the road's bridge: drop through the
// bridge's second gap onto the ledge where the lifts wait (a heart; the road "to the lifts"), step down
// onto a waiting lift, ride it right and back to the track's start with the jump the track makes
// there, step off left onto the ledge beside it and climb the steps there up through the bridge's
// first gap (the road "from the lifts"). Whoever falls past the boarding ledge to the valley's floor
// jumps onto a lift from behind as it passes over the floor and rides it out the same way, or walks
// along the floor into the tunnel at either end: the right one climbs through the rock under the road
// and comes out on the road at the foot of the slope past the valley, the left one at the foot of the
// step down in the road before it.
#include "tools/worlds/black.h"

#include "black/Black_Ids.h"
#include "tools/Canvas.h"
#include "tools/DataGen.h"
#include "tools/MapWriter.h"
#include "tools/Road.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace BlackWriter
{

namespace
{

// Textures of the shared image map: those that repeat both ways take their coordinates from their
// world position; the lava is stretched over each pool.
constexpr unsigned int Brick = 2;
constexpr unsigned int Lava = 3;
constexpr unsigned int Tile = 5;
constexpr unsigned int Stone = 9;
constexpr unsigned int Ground = Stone;
constexpr unsigned int Slab = Brick;
constexpr unsigned int Moving = Tile;
// The mountains' own: the dark rock at the back of the hollows under the road, numbered clear of the
// shared textures.
constexpr unsigned int BackRock = 100;

constexpr double Bedrock = -400.0;
constexpr double FrameLeft = -400.0;
constexpr double FrameTop = 8500.0;
constexpr double FrameThickness = 200.0;
constexpr double SlabDepth = 20.0;
constexpr double BridgeDepth = 40.0;
constexpr double TexScale = 64.0;

// The level stretches and the slopes between them.
struct ProfilePoint
{
    double x;
    double y;
};
constexpr ProfilePoint Profile[] = {
    {FrameLeft, Black_PassY},
    {17500.0, Black_PassY},
    {18700.0, 4600.0},
    {21300.0, 4600.0},
    {22300.0, 3950.0},
    {22500.0, 3950.0},
    {Black_ValleyLeftMouthX, 3900.0},
    {23200.0, 3800.0},
    {29800.0, 3800.0},
    {31000.0, 2800.0},
    {35000.0, 2800.0},
    {36200.0, 1800.0},
    {40600.0, 1800.0},
    {41800.0, 900.0},
    {43000.0, 900.0},
    {44000.0, Black_EndY},
    {Black_EndWallX, Black_EndY},
};

// Stretches of the road carried by a bridge over a hollow: the rock pits and the lift valley.
struct Hollow
{
    double x0;
    double x1;
};
constexpr Hollow PitA{1400.0, 2600.0};
constexpr Hollow PitB{3000.0, 4200.0};
constexpr Hollow PitC{19000.0, 20200.0};
constexpr Hollow Valley{24200.0, 29200.0};
constexpr Hollow Hollows[] = {PitA, PitB, PitC, Valley};
constexpr double PitDepth = 210.0; // from the road to the pit's lowest point, in view from the bridge
// A stream starts this far under the road: thrown up at its fastest, a rock stays well under the bridge.
constexpr double PitSource = 130.0;
constexpr double Black_CliffTop = 7400.0; // of the rock right of the ledge

// The lift track, from where each lift stands in the map file: the height at which the lifts wait
// 450 ticks and the lowest stretch.
constexpr double TrackWaitY = -1193.75;
constexpr double TrackBottomY = -1850.0;
// The boarding ledge, where the lifts wait: a step higher than a waiting lift, its end just over the
// lift's, so that a player walks off it onto the lift (a gap between the two, however narrow, is one
// he would fall through) and the lifts pass it by.
constexpr double PocketX0 = 3280.0;
constexpr double PocketX1 = 3680.0 - Black_LiftHalfWidth + 2.0;
constexpr double PocketStep = 17.0; // of its top over a waiting lift's
// The valley's floor, under the lifts' lowest stretch: a lift passes over the head of a player standing
// there, and he jumps onto one from behind it, so that a fall through the bridge's gaps past the boarding
// ledge leaves him a ride out.
constexpr double LiftHeadroom = 40.0; // from the floor up to a lift's underside
constexpr double ValleyFloor = Black_TrackY + TrackBottomY - Black_LiftDepth - LiftHeadroom;
// The way out of the valley's floor at its right end: a tunnel through the rock under the road that
// climbs from the floor at the valley's right wall up to the foot of the slope past the valley, where
// it comes out on the road; its mouth is a notch in the slope so narrow that a walker down it crosses
// it without touching down.
constexpr double ValleyTunnelHeight = 50.0;
constexpr ProfilePoint ValleySlopeTop = Profile[8];
constexpr double ValleyTunnelEndX = Profile[9].x; // the slope's foot
// The near end of the tunnel's mouth, where its roof meets the slope down to it.
ProfilePoint TunnelRoofEnd()
{
    double const endY = RoadY(ValleyTunnelEndX);
    double const climb = (endY - ValleyFloor) / (ValleyTunnelEndX - Valley.x1);
    double const fall = (ValleySlopeTop.y - endY) / (ValleyTunnelEndX - ValleySlopeTop.x);
    double const x = ValleyTunnelEndX - ValleyTunnelHeight / (climb + fall);
    return {x, RoadY(x)};
}
// The way out at the valley's left end: a tunnel that climbs, as steep as a walk goes in the time a
// player holding left takes from the floor's far end, from the floor at the valley's left wall through
// the rock under the road up to the foot of a step down in the road before the valley, where it comes
// out. Its mouth is a notch in the slope at the step's foot, so narrow that a walker off the step flies
// over it; one walking left up the slope dips into it and walks on up the step, which is no wall.
constexpr ProfilePoint LeftTunnelMouth = Profile[6]; // the step's foot
constexpr ProfilePoint LeftSlopeFoot = Profile[7];
double LeftTunnelClimb()
{
    return (LeftTunnelMouth.y - ValleyFloor) / (Valley.x0 - LeftTunnelMouth.x);
}
double LeftTunnelRoofY(double x)
{
    return LeftTunnelMouth.y + ValleyTunnelHeight - LeftTunnelClimb() * (x - LeftTunnelMouth.x);
}
// The notch's far end, where the tunnel's roof meets the slope.
ProfilePoint LeftTunnelRoofEnd()
{
    double const fall = (LeftTunnelMouth.y - LeftSlopeFoot.y) / (LeftSlopeFoot.x - LeftTunnelMouth.x);
    double const x = LeftTunnelMouth.x + ValleyTunnelHeight / (LeftTunnelClimb() - fall);
    return {x, RoadY(x)};
}
// The bridge's gap over the boarding ledge.
constexpr double PocketGapX0 = Black_TrackX + PocketX0 + 100.0;
constexpr double PocketGapX1 = PocketGapX0 + 100.0;

// The steps up from the ledge beside the track's start: solid, against the valley's left wall,
// each 40 higher and 48 shorter than the one below, the first 60 short of where a rider steps off,
// the last 40 under the road, in the bridge's first gap, which ends over the last step but one.
constexpr double StepRise = 40.0;
constexpr double StepRun = 48.0;
constexpr int StepCount = 7;
constexpr double StepsX1 = Black_TrackX - Black_LiftHalfWidth - 2.0 - 60.0; // the first step's face
double StepTop(int k)
{
    return Black_TrackY + StepRise * (k + 1);
}
double StepFace(int k)
{
    return StepsX1 - StepRun * k;
}
constexpr double StepsGapX0 = Valley.x0;
constexpr double StepsGapX1 = StepsX1 - StepRun * (StepCount - 2);

MapWriter_Point At(double x, double y, bool edge)
{
    return {x, y, x / TexScale, y / TexScale, edge};
}

// A convex polygon, its outline drawn where edges says (edge i runs from point i to the next).
void Shape(MapWriter& map, unsigned int texture, unsigned int group, bool solid,
           std::vector<std::pair<double, double>> const& points, std::vector<bool> const& edges)
{
    MapWriter_Poly poly{texture, group, solid, false, {}};
    for (std::size_t i = 0; i < points.size(); ++i)
        poly.points.push_back(At(points[i].first, points[i].second, edges[i]));
    map.AddPoly(poly);
}

// A box outlined all round: a slab, a wall, a platform.
void Box(MapWriter& map, double x0, double y0, double x1, double y1, unsigned int texture, unsigned int group = 0)
{
    Shape(map, texture, group, true, {{x0, y0}, {x0, y1}, {x1, y1}, {x1, y0}}, {true, true, true, true});
}

// A slab whose top is at top.
void SlabAt(MapWriter& map, double x0, double x1, double top, unsigned int texture = Slab)
{
    Box(map, x0, top - SlabDepth, x1, top, texture);
}

// The rock down to the bedrock under a stretch of the road, outlined along its top.
void GroundUnder(MapWriter& map, double x0, double y0, double x1, double y1)
{
    Shape(map, Ground, 0, true, {{x0, Bedrock}, {x0, y0}, {x1, y1}, {x1, Bedrock}}, {false, true, false, false});
}

// A floating ramp from its foot (hanging just clear of a walker's head) up to its top.
void Ramp(MapWriter& map, double x0, double y0, double x1, double y1)
{
    Shape(map, Slab, 0, true, {{x0, y0}, {x1, y1}, {x1, y1 - SlabDepth}, {x0, y0 - SlabDepth}},
          {true, true, true, true});
}

void Ref(MapWriter& map, unsigned int id, double x, double y)
{
    map.AddRefPoint(id, x, y);
}

// A pool of lava standing in for a kill zone: the zone's rectangle, drawn as lava.
void LavaPool(MapWriter& map, unsigned int a, unsigned int b, double x0, double y0, double x1, double y1)
{
    MapWriter_Poly lava{Lava, 0, false, false, {}};
    lava.points = {
        {x0, y0, 0.0, 1.0, false}, {x0, y1, 0.0, 0.0, false}, {x1, y1, 1.0, 0.0, false}, {x1, y0, 1.0, 1.0, false}};
    map.AddPoly(lava);
    Ref(map, a, x0, y0);
    Ref(map, b, x1, y1);
}

// A den raised over the road: a floor with lava trenches (kill zones, in the order given), a roof,
// an open left end where a ramp comes up from the road, a right end that opens under a lintel onto
// the drop back down to the road, and a door (its map group) across it. Doors are 200 high, beyond
// any jump, and slide up into the roof.
struct Trench
{
    double x;
    unsigned int a; // the kill zone's points
    unsigned int b;
};
struct Den
{
    double rampX; // the ramp's foot, over the road
    double x0;
    double x1;
    double floor;
    double height;
    std::vector<Trench> trenches;
    double doorX = -1.0;
    unsigned int doorGroup = 0;
};
constexpr double TrenchWidth = 50.0;
constexpr double TrenchDepth = 20.0;
constexpr double DoorWidth = 30.0;
constexpr double DoorHeight = 200.0;
constexpr double DoorClearance = 0.5; // how far short of its floor a shut door's solid stops
constexpr double DenWayOut = 100.0;                             // under the lintel at a den's right end
constexpr double RampClearance = Black_RampFootY - Black_PassY; // of a ramp's foot over the road

// Blob 1's cave, over the lift valley's bridge: its ramp's foot, its floor's left end, its three
// trenches and the blob's home, about which it runs round its rectangle low enough that along the
// rectangle's foot it passes in sight of a player on the floor, who can fight it from a little left
// of its home; higher, its body would be out of any player's sight the whole way round.
constexpr double Cave1RampX = 26300.0;
constexpr double Cave1X0 = 27300.0;
constexpr double Cave1TrenchX[] = {27550.0, 27900.0, 28250.0};
constexpr double Blob1X = 28000.0;
constexpr double Blob1Over = 350.0;
constexpr double Blob1Spot = Blob1X - 225.0;

// The goblin den past the tunnel: its ramp's foot, its floor's left end, and where the first of the
// three rock-throwers that guard its door stands, with the gap to the next.
constexpr double GoblinDenRampX = 14800.0;
constexpr double GoblinDenX0 = 15800.0;
constexpr double DenGuardX = 16500.0;
constexpr double DenGuardGap = 250.0;

// Blob 2's cave, over the fourth stretch: its ramp's foot, its floor's left end, its trench and the
// blob, which keeps its place 300 over the floor. From the floor the body is in sight only from a
// short stretch some 190 left of it, and two of its arms (which open it to hits) from either side of
// that stretch, as they wave.
constexpr double Cave2RampX = 37000.0;
constexpr double Cave2X0 = 38000.0;
constexpr double Cave2TrenchX = 38150.0;
constexpr double Blob2X = 38650.0;
constexpr double Blob2Over = 300.0;
constexpr double Blob2BodySpot = Blob2X - 190.0;
constexpr double Blob2LeftArmSpot = Blob2X - 310.0;
constexpr double Blob2RightArmSpot = Blob2X - 30.0;

void BuildDen(MapWriter& map, Den const& den)
{
    Ramp(map, den.rampX, RoadY(den.rampX) + RampClearance, den.x0, den.floor);
    double from = den.x0;
    for (Trench const& t : den.trenches)
    {
        SlabAt(map, from, t.x, den.floor);
        SlabAt(map, t.x - 10.0, t.x + TrenchWidth + 10.0, den.floor - TrenchDepth);
        LavaPool(map, t.a, t.b, t.x, den.floor - TrenchDepth, t.x + TrenchWidth, den.floor + 2.0);
        from = t.x + TrenchWidth;
    }
    SlabAt(map, from, den.x1, den.floor);
    double const roof = den.floor + den.height;
    Box(map, den.x0, roof, den.x1, roof + SlabDepth, Slab);
    Box(map, den.x1, den.floor + DenWayOut, den.x1 + SlabDepth, roof + SlabDepth, Slab);
    if (den.doorGroup != 0)
    {
        // The door's picture stands on the floor; its solid, never drawn, stops short of it, so that a
        // player it is found shut round after a travel back keeps his feet on the floor and walks out
        // from under it, rather than being lifted up through it and the roof.
        double const x0 = den.doorX;
        double const x1 = den.doorX + DoorWidth;
        double const top = den.floor + DoorHeight;
        Shape(map, Moving, den.doorGroup, false, {{x0, den.floor}, {x0, top}, {x1, top}, {x1, den.floor}},
              {true, true, true, true});
        Shape(map, 0, den.doorGroup, true, {{x0, den.floor + DoorClearance}, {x0, top}, {x1, top}, {x1, den.floor + DoorClearance}},
              {false, false, false, false});
    }
}

// The rock at the back of the hollows under the road: the pits, the lift valley and the tunnel under
// the mountain. Written first, so that all else is drawn over it; seen through the bridges' gaps, the
// ledges and lifts down there stand out against it as the only ground.
void WriteBackWalls(MapWriter& map)
{
    auto back = [&map](double x0, double y0, double x1, double y1) {
        Shape(map, BackRock, 0, false, {{x0, y0}, {x0, y1}, {x1, y1}, {x1, y0}}, {false, false, false, false});
    };
    for (Hollow const& pit : {PitA, PitB, PitC})
        back(pit.x0, RoadY(pit.x0) - PitDepth, pit.x1, RoadY(pit.x0));
    back(Valley.x0, ValleyFloor, Valley.x1, RoadY(Valley.x0));
    ProfilePoint const roof = TunnelRoofEnd();
    Shape(map, BackRock, 0, false,
          {{Valley.x1, ValleyFloor},
           {Valley.x1, ValleyFloor + ValleyTunnelHeight},
           {roof.x, roof.y},
           {ValleyTunnelEndX, RoadY(ValleyTunnelEndX)}},
          {false, false, false, false});
    ProfilePoint const leftRoof = LeftTunnelRoofEnd();
    Shape(map, BackRock, 0, false,
          {{LeftTunnelMouth.x, LeftTunnelMouth.y},
           {leftRoof.x, leftRoof.y},
           {Valley.x0, LeftTunnelRoofY(Valley.x0)},
           {Valley.x0, ValleyFloor}},
          {false, false, false, false});
    back(Black_GateX1, Black_PassY, Black_TunnelEndX, Black_TunnelTop);
}

// A frame of solid rock round the whole world.
void WriteFrame(MapWriter& map)
{
    double const x0 = FrameLeft - FrameThickness;
    double const x1 = Black_EndWallX + FrameThickness;
    double const y0 = Bedrock - FrameThickness;
    double const y1 = FrameTop + FrameThickness;
    Box(map, x0, y0, FrameLeft, y1, Ground);
    Box(map, Black_EndWallX, y0, x1, y1, Ground);
    Box(map, FrameLeft, y0, Black_EndWallX, Bedrock, Ground);
    Box(map, FrameLeft, FrameTop, Black_EndWallX, y1, Ground);
}

bool InHollow(double x0, double x1)
{
    for (Hollow const& h : Hollows)
        if (x0 >= h.x0 && x1 <= h.x1)
            return true;
    return false;
}

// The rock under the road, the pits with their bridges and the lift valley's floor.
void WriteGround(MapWriter& map)
{
    std::vector<double> breaks;
    for (ProfilePoint const& p : Profile)
        breaks.push_back(p.x);
    for (Hollow const& h : Hollows)
    {
        breaks.push_back(h.x0);
        breaks.push_back(h.x1);
    }
    std::sort(breaks.begin(), breaks.end());
    for (std::size_t i = 0; i + 1 < breaks.size(); ++i)
    {
        double const x0 = breaks[i];
        double const x1 = breaks[i + 1];
        if (x1 - x0 < 1.0 || InHollow(x0, x1) || (x0 >= Valley.x1 && x1 <= ValleyTunnelEndX)
            || (x0 >= LeftTunnelMouth.x && x1 <= Valley.x0))
            continue;
        GroundUnder(map, x0, RoadY(x0), x1, RoadY(x1));
    }
    // A pit's floor dips to its middle, where the rocks come to rest; the bridge closes it.
    for (Hollow const& pit : {PitA, PitB, PitC})
    {
        double const road = RoadY(pit.x0);
        double const mid = (pit.x0 + pit.x1) / 2.0;
        GroundUnder(map, pit.x0, road - PitDepth + 50.0, mid, road - PitDepth);
        GroundUnder(map, mid, road - PitDepth, pit.x1, road - PitDepth + 50.0);
        Box(map, pit.x0, road - BridgeDepth, pit.x1, road, Slab);
    }
}

// The ogre's pass: the ramp up to the walkway, the mountainside with the boulder's ledge and the
// tunnel under it, the barrier beside the ogre and the wall across the tunnel.
void WritePass(MapWriter& map)
{
    // The ramp's foot floats like a den's, so that anyone in the pass walks out under it and back
    // up: the ramp is the way back to the boulder for a player the ogre has beaten.
    Ramp(map, Black_RampFootX, Black_RampFootY, Black_RampTopX, Black_WalkwayY);
    Box(map, Black_RampTopX, Black_WalkwayY - 30.0, Black_WalkwayX1, Black_WalkwayY, Slab);
    // The mountainside from the top of the barrier up to the foot of the cliff under the ledge, then
    // the ledge, then the cliff over it; the tunnel runs under all three. A boulder falling off the
    // ledge strikes the mountainside hard enough to fly on over the barrier onto the ogre.
    Shape(map, Ground, 0, true,
          {{Black_GateX1, Black_TunnelTop},
           {Black_GateX1, Black_GateTop},
           {Black_LedgeX0, Black_SlopeTopY},
           {Black_LedgeX0, Black_TunnelTop}},
          {false, true, false, true});
    Shape(map, Ground, 0, true,
          {{Black_LedgeX0, Black_TunnelTop},
           {Black_LedgeX0, Black_LedgeY},
           {Black_LedgeX1, Black_LedgeY},
           {Black_LedgeX1, Black_TunnelTop}},
          {true, true, false, true});
    Shape(map, Ground, 0, true,
          {{Black_LedgeX1, Black_TunnelTop},
           {Black_LedgeX1, Black_CliffTop},
           {Black_TunnelEndX, Black_CliffTop},
           {Black_TunnelEndX, Black_TunnelTop}},
          {true, true, true, true});
    Box(map, Black_GateX0, Black_PassY, Black_GateX1, Black_GateTop, Moving, Black_Group_OgreGate);
    Box(map, Black_LivingGateX0, Black_PassY, Black_LivingGateX1, Black_TunnelTop, Moving, Black_Group_LivingGate);
    Ref(map, Black_Rp_Ogre, Black_OgreX, Black_PassY + 5.0);
    Ref(map, Black_Rp_Boulder, Black_BoulderX, Black_LedgeY + 20.0);
}

// The lift valley: the lifts at the track's start, the ledge beside it with steps up to the
// bridge's first gap, and the ledge where the lifts wait, under its second gap.
void WriteValley(MapWriter& map)
{
    double const road = RoadY(Valley.x0);
    GroundUnder(map, Valley.x0, ValleyFloor, Valley.x1, ValleyFloor);
    // The tunnel out at the right end: the rock under its floor, and the rock over its roof up to the
    // road, which ends where the roof meets the slope.
    GroundUnder(map, Valley.x1, ValleyFloor, ValleyTunnelEndX, RoadY(ValleyTunnelEndX));
    ProfilePoint const roof = TunnelRoofEnd();
    Shape(map, Ground, 0, true,
          {{Valley.x1, ValleyFloor + ValleyTunnelHeight},
           {Valley.x1, road},
           {ValleySlopeTop.x, ValleySlopeTop.y},
           {roof.x, roof.y}},
          {false, true, true, true});
    // The tunnel out at the left end: the rock under its floor, and the rock over its roof up to the
    // road, in two pieces split at the slope's foot.
    GroundUnder(map, LeftTunnelMouth.x, LeftTunnelMouth.y, Valley.x0, ValleyFloor);
    ProfilePoint const leftRoof = LeftTunnelRoofEnd();
    double const footRoof = LeftTunnelRoofY(LeftSlopeFoot.x);
    Shape(map, Ground, 0, true,
          {{leftRoof.x, leftRoof.y}, {LeftSlopeFoot.x, LeftSlopeFoot.y}, {LeftSlopeFoot.x, footRoof}},
          {true, false, true});
    Shape(map, Ground, 0, true,
          {{LeftSlopeFoot.x, footRoof},
           {LeftSlopeFoot.x, LeftSlopeFoot.y},
           {Valley.x0, road},
           {Valley.x0, LeftTunnelRoofY(Valley.x0)}},
          {false, true, false, true});
    Box(map, StepsGapX1, road - BridgeDepth, PocketGapX0, road, Slab);
    Box(map, PocketGapX1, road - BridgeDepth, Valley.x1, road, Slab);

    double const sx = Black_TrackX;
    double const sy = Black_TrackY;
    for (unsigned int g = Black_Group_FirstLift; g <= Black_Group_LastLift; ++g)
        Box(map, sx - Black_LiftHalfWidth, sy - Black_LiftDepth, sx + Black_LiftHalfWidth, sy, Moving, g);
    // Clear of the lifts by 2: a rider steps off onto it as the lift comes back to the start.
    double const ledgeX1 = sx - Black_LiftHalfWidth - 2.0;
    Box(map, Valley.x0, sy - Black_LiftDepth, ledgeX1, sy, Slab);
    for (int k = 0; k < StepCount; ++k)
        Box(map, Valley.x0, sy - Black_LiftDepth, StepFace(k), StepTop(k), Slab);
    double const pocketTop = sy + TrackWaitY + PocketStep;
    Box(map, sx + PocketX0, pocketTop - Black_LiftDepth, sx + PocketX1, pocketTop, Slab);
    Ref(map, Black_Rp_Hearts[3], sx + PocketX0 + 70.0, pocketTop + 10.0);
}

// The lava gallery over the road: platforms bob and swing over the lava between two landings.
void WriteGallery(MapWriter& map)
{
    double const floor = 3450.0;
    double const lavaX0 = 34000.0;
    double const lavaX1 = 36650.0;
    double const lava = 3300.0;
    Ramp(map, 32800.0, RoadY(32800.0) + RampClearance, 33800.0, floor);
    SlabAt(map, 33800.0, lavaX0, floor);
    SlabAt(map, lavaX1, 36950.0, floor);
    Box(map, 36950.0, floor - SlabDepth, 36970.0, floor + 450.0, Slab);
    SlabAt(map, lavaX0, lavaX1, lava);
    // The lava in eight pools, one kill zone each.
    double const width = (lavaX1 - lavaX0) / 8.0;
    for (int k = 0; k < 8; ++k)
        LavaPool(map, 123 + 2 * k, 124 + 2 * k, lavaX0 + width * k, lava, lavaX0 + width * (k + 1), lava + 30.0);
    struct Platform
    {
        unsigned int group;
        double x;
    };
    Platform const platforms[] = {
        {Black_Group_SwingA, 34350.0},
        {Black_Group_DeepBob, 34800.0},
        {Black_Group_SwingB, 35300.0},
        {Black_Group_FirstShallowBob, 35720.0},
        {Black_Group_FirstShallowBob + 1, 35920.0},
        {Black_Group_FirstShallowBob + 2, 36120.0},
        {Black_Group_FirstShallowBob + 3, 36320.0},
        {Black_Group_Bob, 36520.0},
    };
    for (Platform const& p : platforms)
        Box(map, p.x - 60.0, 3464.0, p.x + 60.0, 3480.0, Moving, p.group);
    Ref(map, Black_Rp_Hearts[4], 36800.0, floor + 10.0);
}

// Ceiling slabs over the road for spiders: each hangs high enough that its thread, at its longest,
// ends well over a walker's head.
void SpiderSlab(MapWriter& map, double x0, double x1, int first, int count, double gap)
{
    double longest = 0.0;
    for (int i = first; i < first + count; ++i)
        longest = std::max(longest, Black_Spiders[i].maxLength);
    double const under = RoadY(x0) + longest + 160.0;
    Box(map, x0, under, x1, under + SlabDepth, Slab);
    for (int i = 0; i < count; ++i)
        Ref(map, Black_Spiders[first + i].rp, x0 + 100.0 + gap * i, under);
}

// A vulture flock's beat, high over the road, and its swoop, well over a walker.
void Flock(MapWriter& map, Black_Flock const& flock, double x, double high, double swoop)
{
    Ref(map, flock.start, x, high);
    Ref(map, flock.end, x + 600.0, high);
    Ref(map, flock.swoop, x + 300.0, swoop);
}

// A mozzy's beat: narrow, so that it dives only at someone close under it, never at a walker below.
void Beat(MapWriter& map, unsigned int a, unsigned int b, double x, double y)
{
    Ref(map, a, x, y);
    Ref(map, b, x + 60.0, y);
}

void WriteCreatures(MapWriter& map)
{
    // The start and the first stretch: the pits, vultures, spiders, shmoos on a shelf, mozzies.
    Ref(map, Black_Rp_Start, 300.0, Black_PassY + 1.0);
    Ref(map, Black_Rp_Signs[0], 560.0, Black_PassY);
    Ref(map, Black_Streams[0].rp, PitA.x1 - 150.0, Black_PassY - PitSource);
    Ref(map, Black_Streams[2].rp, PitB.x1 - 150.0, Black_PassY - PitSource);
    Flock(map, Black_Flocks[0], 4600.0, Black_PassY + 450.0, Black_PassY + 220.0);
    SpiderSlab(map, 5400.0, 6250.0, 0, 5, 160.0);
    SlabAt(map, 6300.0, 6700.0, Black_PassY + 160.0);
    for (int k = 0; k < 4; ++k)
    {
        Ref(map, Black_Shmoos[k].a, 6350.0 + 100.0 * k, Black_PassY + 180.0);
        Ref(map, Black_Shmoos[k].b, 6350.0 + 100.0 * k, Black_PassY + 240.0);
    }
    Beat(map, 25, 26, 6850.0, Black_PassY + 250.0);
    Beat(map, 27, 28, 7000.0, Black_PassY + 280.0);
    Beat(map, 29, 30, 7150.0, Black_PassY + 250.0);

    // Den 1: a goblin, three rock-throwers, an imp, five lava trenches.
    double const den1 = Black_DenEnds[0].floor;
    BuildDen(map, {7300.0,
                   8300.0,
                   Black_DenEnds[0].x,
                   den1,
                   200.0,
                   {{9300.0, 38, 39}, {9500.0, 40, 41}, {9700.0, 42, 43}, {9900.0, 44, 45}, {10120.0, 46, 47}}});
    Ref(map, Black_Goblins[0].left, 8600.0, den1);
    Ref(map, Black_Goblins[0].right, 9200.0, den1);
    Ref(map, Black_Goblins[0].start, 8900.0, den1 + 1.0);
    for (int k = 0; k < 3; ++k)
        Ref(map, Black_Rp_GoblinDefenders[k], 9400.0 + 200.0 * k, den1 + 1.0);
    Ref(map, Black_Rp_Imps[0], 10050.0, den1 + 16.0);
    Ref(map, Black_Rp_Signs[1], 10000.0, Black_PassY);

    // Past the tunnel: the goblin den, whose door opens once its three rock-throwers are dead.
    Ref(map, Black_Rp_Signs[2], 14900.0, Black_PassY);
    double const den2 = Black_DenEnds[1].floor;
    Den goblinDen{GoblinDenRampX, GoblinDenX0, Black_DenEnds[1].x, den2, 200.0, {}};
    goblinDen.doorX = 17180.0;
    goblinDen.doorGroup = Black_Doors[0].group;
    BuildDen(map, goblinDen);
    for (int k = 5; k < 8; ++k)
        Ref(map, Black_Spiders[k].rp, 15950.0 + 150.0 * (k - 5), den2 + 200.0);
    for (int k = 0; k < 3; ++k)
    {
        Black_GoblinPlace const& g = Black_Goblins[1 + k];
        double const x = DenGuardX + DenGuardGap * k;
        Ref(map, g.start, x, den2 + 1.0); // also rock-thrower 7 + k
        Ref(map, g.left, x - 120.0, den2);
        Ref(map, g.right, x + 120.0, den2);
    }
    Ref(map, Black_Rp_Hearts[0], 17300.0, den2 + 10.0);
    Flock(map, Black_Flocks[1], 15700.0, Black_PassY + 450.0, Black_PassY + 220.0);

    // The second stretch: the third pit, vultures over it, shmoos on a shelf, den 3.
    double const t2 = 4600.0;
    Ref(map, Black_Rp_Signs[3], 18800.0, t2);
    Ref(map, Black_Streams[4].rp, PitC.x1 - 300.0, t2 - PitSource);
    Flock(map, Black_Flocks[2], 18900.0, t2 + 450.0, t2 + 220.0);
    SlabAt(map, 20400.0, 21000.0, t2 + 160.0);
    for (int k = 4; k < Black_Shmoo_Count; ++k)
    {
        double const x = 20440.0 + 50.0 * (k - 4);
        Ref(map, Black_Shmoos[k].a, x, t2 + 180.0);
        Ref(map, Black_Shmoos[k].b, x, t2 + 220.0 + 10.0 * (k % 3));
    }
    double const den3 = Black_DenEnds[2].floor;
    BuildDen(map, {21050.0,
                   22000.0,
                   Black_DenEnds[2].x,
                   den3,
                   200.0,
                   {{22100.0, 48, 49}, {22600.0, 50, 51}, {22800.0, 52, 53}, {23000.0, 54, 55}, {23200.0, 56, 57}}});
    Ref(map, Black_SplitShmoos[0].rp, 22350.0, den3 + 20.0);
    for (int k = 3; k < 6; ++k)
        Ref(map, Black_Rp_GoblinDefenders[k], 22700.0 + 200.0 * (k - 3), den3 + 1.0);
    Ref(map, Black_Rp_Imps[1], 22520.0, den3 + 16.0);
    Ref(map, Black_Rp_Imps[2], 23400.0, den3 + 16.0);

    // Over the lift valley's bridge: two mozzies, and blob 1's cave, whose door opens once it is dead.
    double const t3 = 3800.0;
    Beat(map, 105, 106, 25000.0, t3 + 250.0);
    Beat(map, 108, 109, 26000.0, t3 + 250.0);
    double const den4 = Black_DenEnds[3].floor;
    Den cave1{
        Cave1RampX, Cave1X0, Black_DenEnds[3].x,
        den4,       1200.0,  {{Cave1TrenchX[0], 110, 111}, {Cave1TrenchX[1], 112, 113}, {Cave1TrenchX[2], 114, 115}}};
    cave1.doorX = 28650.0;
    cave1.doorGroup = Black_Doors[1].group;
    BuildDen(map, cave1);
    Ref(map, Black_Rp_WavyBlobs[0], Blob1X, den4 + Blob1Over);
    Ref(map, Black_Rp_Hearts[1], 28740.0, den4 + 10.0);

    // The third stretch: two rows of mozzies, spiders, vultures over them, the lava gallery.
    double const t4 = 2800.0;
    for (unsigned int k = 0; k < 4; ++k)
        Ref(map, 116 + 2 * k, 31100.0 + 100.0 * k, t4 + 250.0);
    for (unsigned int k = 0; k < 3; ++k)
        Ref(map, 117 + 2 * k, 31150.0 + 100.0 * k, t4 + 310.0);
    SpiderSlab(map, 31700.0, 32700.0, 8, 9, 100.0);
    Flock(map, Black_Flocks[3], 32000.0, t4 + 550.0, t4 + 350.0);

    // The fourth stretch: spiders, blob 2's cave (door 3), mozzies, vultures; den 6 with two splitting
    // shmoos, a rock-thrower and wasps.
    double const t5 = 1800.0;
    Beat(map, 143, 144, 36250.0, t5 + 250.0);
    SpiderSlab(map, 36400.0, 36900.0, 17, 3, 150.0);
    double const den5 = Black_DenEnds[4].floor;
    Den cave2{Cave2RampX, Cave2X0, Black_DenEnds[4].x, den5, 600.0, {{Cave2TrenchX, 145, 146}}};
    cave2.doorX = 39250.0;
    cave2.doorGroup = Black_Doors[2].group;
    BuildDen(map, cave2);
    Ref(map, Black_Rp_WavyBlobs[1], Blob2X, den5 + Blob2Over);
    Ref(map, Black_Rp_Hearts[2], 39330.0, den5 + 10.0);
    Flock(map, Black_Flocks[4], 37200.0, t5 + 450.0, t5 + 220.0);
    Beat(map, 156, 157, 39600.0, t5 + 250.0);
    double const den6 = Black_DenEnds[5].floor;
    BuildDen(map, {39700.0, 40600.0, Black_DenEnds[5].x, den6, 250.0, {{41280.0, 150, 151}, {42050.0, 158, 159}}});
    Ref(map, Black_SplitShmoos[1].rp, 40900.0, den6 + 20.0);
    Ref(map, Black_SplitShmoos[2].rp, 41700.0, den6 + 20.0);
    Ref(map, Black_Rp_GoblinDefenders[9], 42250.0, den6 + 1.0);
    Ref(map, Black_Wasps[0].a, 40650.0, den6 + 60.0);
    Ref(map, Black_Wasps[0].b, 41000.0, den6 + 180.0);
    Ref(map, Black_Wasps[1].a, 41400.0, den6 + 60.0);
    Ref(map, Black_Wasps[1].b, 41800.0, den6 + 180.0);

    // The last stretches: mozzies over the road, den 7 with rock-throwers, wasps and a heart; the sign
    // that warns of the dragon.
    double const t6 = 900.0;
    Ref(map, 166, 41900.0, t6 + 250.0);
    Ref(map, 167, 41960.0, t6 + 250.0);
    Ref(map, 160, 42020.0, t6 + 250.0);
    Beat(map, 161, 162, 42150.0, t6 + 250.0);
    double const den7 = Black_DenEnds[6].floor;
    BuildDen(map, {42300.0,
                   43300.0,
                   Black_DenEnds[6].x,
                   den7,
                   350.0,
                   {{43670.0, 163, 164}, {44020.0, 165, 168}, {44550.0, 169, 170}}});
    // The last den's drop runs down the face of a rock wall hanging just past its end, short of where
    // the view holds the road's end: whoever leaves the den there, walking, jumping or off its roof,
    // comes down in sight, low enough under the wall to stay in that view as he drifts on, and crosses
    // the far end on the road.
    double const dropWallX = Black_DenEnds[6].x + 12.0;
    Box(map, dropWallX, Black_EndY + 250.0, dropWallX + 35.0, FrameTop, Ground);
    Ref(map, 171, 43350.0, den7 + 60.0);
    Ref(map, 172, 43650.0, den7 + 250.0);
    Ref(map, 173, 43700.0, den7 + 60.0);
    Ref(map, 174, 44000.0, den7 + 250.0);
    for (int k = 0; k < 3; ++k)
        Ref(map, Black_Rp_GoblinDefenders[10 + k], 44150.0 + 180.0 * k, den7 + 1.0);
    Ref(map, 182, 44100.0, den7 + 60.0);
    Ref(map, 183, 44500.0, den7 + 250.0);
    Ref(map, 184, 44600.0, den7 + 60.0);
    Ref(map, 185, 44690.0, den7 + 250.0);
    Ref(map, 186, 43350.0, den7 + 150.0);
    Ref(map, 187, 43600.0, den7 + 330.0);
    Ref(map, Black_Rp_Hearts[5], 44650.0, den7 + 10.0);
    Beat(map, 175, 176, 44100.0, Black_EndY + 300.0);
    Beat(map, 177, 178, 44400.0, Black_EndY + 320.0);
    Ref(map, Black_Rp_Signs[4], 44300.0, Black_EndY);
}

Rgba const Outline{20, 20, 20, 255};
Rgba const OgreSkin{110, 140, 70, 255};
Rgba const OgreDark{70, 95, 45, 255};
Rgba const Cloth{110, 70, 40, 255};

// The ogre standing, 64 by 96: legs apart, a round belly in a loincloth, a small head with tusks.
// Dead, its eyes are crosses.
Canvas OgreBody(bool dead)
{
    Canvas c(64, 96);
    c.FillRect(18, 66, 11, 30, OgreDark);
    c.FillRect(36, 66, 11, 30, OgreDark);
    c.FillEllipse(32, 52, 24, 24, OgreSkin);
    c.FillRect(12, 62, 40, 10, Cloth);
    c.FillEllipse(32, 20, 14, 14, OgreSkin);
    if (dead)
    {
        for (int side = -1; side <= 1; side += 2)
        {
            c.Line(32 + side * 6 - 3, 14, 32 + side * 6 + 3, 20, 1.5, Outline);
            c.Line(32 + side * 6 + 3, 14, 32 + side * 6 - 3, 20, 1.5, Outline);
        }
    }
    else
    {
        c.FillCircle(26, 17, 2.5, Rgba{250, 220, 40, 255});
        c.FillCircle(38, 17, 2.5, Rgba{250, 220, 40, 255});
    }
    c.FillPolygon({24, 27, 27, 27, 25, 21}, Rgba{240, 240, 225, 255});
    c.FillPolygon({37, 27, 40, 27, 39, 21}, Rgba{240, 240, 225, 255});
    return c;
}

void WritePictures(std::string const& dir)
{
    DataGen::SavePng(OgreBody(false), dir, "gfx/black/ogre/ogrebody.png");
    DataGen::SavePng(OgreBody(true), dir, "gfx/black/ogre/ogredie1.png");
    Canvas falling = OgreBody(true);
    falling.FillCircle(50, 8, 4, Rgba{250, 250, 250, 255}); // a puff of dust
    DataGen::SavePng(falling, dir, "gfx/black/ogre/ogredie2.png");
    DataGen::SavePng(OgreBody(true), dir, "gfx/black/ogre/ogredie3.png");

    // The arm with its club, from the shoulder at the right to the club's knob at the left.
    Canvas arm(64, 20);
    arm.Line(56, 9, 14, 9, 7.0, OgreSkin);
    arm.FillEllipse(10, 9, 9, 8, Rgba{120, 80, 45, 255});
    arm.FillCircle(56, 9, 5, OgreDark);
    DataGen::SavePng(arm, dir, "gfx/black/ogre/ogrearm.png");

    // A rounded grey rock with a lit side and a crack.
    Canvas rock(64, 64);
    rock.FillCircle(32, 32, 30, Rgba{70, 65, 60, 255});
    rock.FillCircle(28, 28, 24, Rgba{120, 112, 104, 255});
    rock.FillCircle(22, 20, 9, Rgba{165, 158, 150, 255});
    rock.Line(34, 36, 46, 50, 2.0, Rgba{50, 45, 40, 255});
    DataGen::SavePng(rock, dir, "gfx/black/rock.png");

    // A night over black peaks: drawn at 0.52 it covers the screen and the wobble's margins.
    Canvas sky(1280, 960);
    for (int y = 0; y < 960; ++y)
    {
        double const f = y / 959.0;
        sky.FillRect(0, y, 1280, 1,
                     Rgba{static_cast<std::uint8_t>(20 + 70 * f), static_cast<std::uint8_t>(20 + 40 * f),
                          static_cast<std::uint8_t>(60 + 60 * f), 255});
    }
    sky.FillCircle(1000, 170, 60, Rgba{230, 230, 210, 255});
    for (int i = 0; i < 40; ++i)
        sky.FillCircle((i * 337) % 1280, (i * 151) % 420, 1.6, Rgba{240, 240, 255, 255});
    for (int i = 0; i < 6; ++i)
    {
        double const cx = 110 + 230 * i;
        double const top = 380 + 90 * (i % 3);
        sky.FillPolygon({cx - 260, 960, cx, top, cx + 260, 960}, Rgba{25, 22, 28, 255});
        sky.FillPolygon({cx - 40, top + 80, cx, top, cx + 40, top + 80}, Rgba{200, 200, 215, 255});
    }
    DataGen::SavePng(sky, dir, "gfx/black/background.png");

    // The hollows' back wall: dark, dull rock in rough blocks, duller than the stone of the road.
    Canvas rockFace(64, 64, Rgba{52, 47, 46, 255});
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
        {
            unsigned const n = (static_cast<unsigned>(x * 73 + y * 151) * 2654435761u) >> 27;
            bool const joint = y % 21 == 0 || (x + (y / 21) * 27) % 40 == 0;
            if (joint)
                rockFace.Set(x, y, Rgba{30, 27, 28, 255});
            else if (n > 28)
                rockFace.Set(x, y, Rgba{66, 60, 58, 255});
        }
    DataGen::SavePng(rockFace, dir, "gfx/map/black/backrock.png");
    DataGen::AppendImageMap(dir, "black", "0 black/backrock.png hv", {{BackRock, "backrock", "hv"}});
}

// From well left of the ramp's foot (room to run up): a jump onto it, up to the walkway, off its end onto the ledge and
// past the boulder, then running left into it and waiting wait steps there.
void UpToTheBoulder(Road& road, std::string const& station, int wait)
{
    road.Walk(Black_RampFootX - 350.0, Black_PassY).Jump(Black_RampJumpX, Black_PassY);
    road.Walk(Black_WalkwayX1 - 50.0, Black_WalkwayY);
    road.Walk(Black_WalkwayX1 + 30.0, Black_LedgeY).Walk(Black_LedgeX1 - 200.0, Black_LedgeY);
    road.Hop(Black_BoulderX + 38.0, Black_LedgeY, station, wait);
}

// Up the ramp to the walkway, off its end onto the ledge and past the boulder, then running left into
// it; waiting there while it rolls down to the ogre; down the mountainside into the pass, and right
// through it and the tunnel, jumping the bridge's gaps, to the end. The road's part from the start
// up to the lift valley's bridge, and from its first gap on.
void ToTheValley(Road& road)
{
    UpToTheBoulder(road, "push the boulder and wait for the ogre's end", 320);
    road.Walk(11850.0, Black_PassY).Walk(Black_TunnelEndX + 100.0, Black_PassY);
    for (ProfilePoint const& p : Profile)
        if (p.x > Black_TunnelEndX + 100.0 && p.x < Valley.x0)
            road.Walk(p.x, p.y);
}
void FromTheValley(Road& road)
{
    double const bridge = RoadY(Valley.x0);
    road.Walk(StepsGapX1 + 200.0, bridge);
    road.Jump(PocketGapX0 - 40.0, bridge).Walk(PocketGapX1 + 200.0, bridge);
    for (ProfilePoint const& p : Profile)
        if (p.x > Valley.x1 && p.x < Black_EndWallX)
            road.Walk(p.x, p.y);
    road.Exit(Black_EndWallX - 100.0, Black_EndY);
}

// Down through the bridge's second gap onto the boarding ledge (and its heart), to its end beside where
// a lift waits.
void DownToTheBoardingLedge(Road& road)
{
    double const bridge = RoadY(Valley.x0);
    // Let go over the gap, he drifts some 45 on as he falls.
    road.Jump(StepsGapX0 - 40.0, bridge).Walk(PocketGapX0 + 50.0, bridge);
    double const pocketTop = Black_TrackY + TrackWaitY + PocketStep;
    road.Ride(PocketGapX0 + 90.0, pocketTop, "the drop onto the boarding ledge", 300);
    road.Hop(Black_TrackX + PocketX1 - 16.0, pocketTop, "the boarding ledge's end", 60);
}

// From the ledge beside the track's start up the steps and out of the bridge's first gap.
void UpTheSteps(Road& road)
{
    for (int k = 0; k < StepCount; ++k)
        road.Walk(StepFace(k) - 20.0, StepTop(k));
    road.Jump(StepFace(StepCount - 1) - 4.0, StepTop(StepCount - 1)).Walk(StepsGapX1 + 60.0, RoadY(Valley.x0));
}

// Along the road from where the valley's roads leave it (short of the bridge) to the foot of a den's
// ramp, a running jump onto it and up it to the den's floor at x0.
void UpToADen(Road& road, double rampX, double x0, double floor)
{
    for (ProfilePoint const& p : Profile)
        if (p.x > Valley.x1 && p.x < rampX - 350.0)
            road.Walk(p.x, p.y);
    road.Walk(rampX - 350.0, RoadY(rampX - 350.0)).Jump(rampX - 90.0, RoadY(rampX - 90.0));
    road.Walk(x0 + 30.0, floor);
}

// On from the valley's first gap over the bridge to blob 2's cave, up into it and over its trench; then
// the fight, as a player who cannot reach the blob fights it from below: throws at an arm that waves
// into sight (one lets the body be hit for a while, while its colour shows), then at the body from
// the one stretch it shows from (the nearest target there may be an arm, so a second throw goes to
// the next), from both sides in turn, every stand come to walking right so that he faces the blob.
// The body takes a hit at most every 200 ticks, and an arm only in its quarter of the colours' round:
// the rounds given end the fight with half as many again to spare. Then through the door and off the
// den's end.
void FightBlob2(Road& road)
{
    double const bridge = RoadY(Valley.x0);
    double const den5 = Black_DenEnds[4].floor;
    road.Jump(StepsGapX0 - 40.0, bridge).Walk(StepsGapX1 + 200.0, bridge);
    road.Jump(PocketGapX0 - 40.0, bridge).Walk(PocketGapX1 + 200.0, bridge);
    UpToADen(road, Cave2RampX, Cave2X0, den5);
    road.Walk(Cave2TrenchX - 50.0, den5).Jump(Cave2TrenchX - 20.0, den5);
    for (int round = 0; round < 22; ++round)
    {
        road.Walk(Blob2LeftArmSpot - 40.0, den5).Throw(Blob2LeftArmSpot, den5, "blob 2's left arm", 0);
        road.Throw(Blob2BodySpot, den5, "blob 2", 0).Throw(Blob2BodySpot, den5, "blob 2", 0, 1);
        road.Throw(Blob2RightArmSpot, den5, "blob 2's right arm", 0);
        road.Walk(Blob2BodySpot - 40.0, den5).Throw(Blob2BodySpot, den5, "blob 2", 0);
        road.Throw(Blob2BodySpot, den5, "blob 2", 0, 1);
    }
    road.Walk(Black_DenEnds[4].x + 100.0, RoadY(Black_DenEnds[4].x + 100.0));
}

// Up the goblin den's ramp from the pass and the fight with its door's guards. A rock-thrower faces
// whoever comes within its notice and blocks every blade but one that comes as it throws, and when
// it throws is its own: so a player stands within its throw of each in turn (and out of the next's)
// and watches it throw for a while, then runs the clock back to when he came there and throws at it
// all that while again, and the blades that come as it throws once more go home. In 2400 ticks it
// throws some nineteen times, and sixteen blades kill it (its fellow goblin, often nearer, takes
// some first). Then through the door and off the den's end.
void FightTheDenGuards(Road& road)
{
    double const den2 = Black_DenEnds[1].floor;
    road.Walk(GoblinDenRampX - 350.0, Black_PassY).Jump(GoblinDenRampX - 90.0, Black_PassY);
    road.Walk(GoblinDenX0 + 30.0, den2);
    constexpr int Watch = 2400;
    constexpr int ThrowSteps = 19; // settling on the spot, aiming and letting go
    for (int k = 0; k < Black_DenGuard_Count; ++k)
    {
        double const at = DenGuardX + DenGuardGap * (k - 1);
        road.Walk(at - 40.0, den2);
        int const watch = road.Next();
        road.Hop(at, den2, "watch rock-thrower " + std::to_string(Black_DenGuard_First + k + 1) + " throw", Watch);
        road.Travel(at, den2, "back to before its throws", watch, 1);
        for (int i = 0; i < Watch / ThrowSteps; ++i)
            road.Throw(at, den2, "rock-thrower " + std::to_string(Black_DenGuard_First + k + 1), 0);
    }
    double const down = Black_DenEnds[1].x + 800.0;
    road.Walk(down, RoadY(down));
}

// Over the lift valley's first gap, up blob 1's cave's ramp and over its first trench; the fight from
// the floor as the blob comes round low: a throw at the nearest target and one at the next, over and
// over. An arm takes blades only in its quarter of the colours' round, and the body only for a while
// after an arm has, at most one every 200 ticks, and it is in sight only along the round's foot: the
// rounds given end the fight with half as many again to spare. Then over the other trenches, through
// the door and off the cave's end.
void FightBlob1(Road& road)
{
    double const bridge = RoadY(Valley.x0);
    double const den4 = Black_DenEnds[3].floor;
    road.Jump(StepsGapX0 - 40.0, bridge).Walk(Cave1RampX - 350.0, bridge).Jump(Cave1RampX - 90.0, bridge);
    road.Walk(Cave1X0 + 30.0, den4);
    road.Walk(Cave1TrenchX[0] - 50.0, den4).Jump(Cave1TrenchX[0] - 20.0, den4);
    for (int round = 0; round < 400; ++round)
        road.Throw(Blob1Spot, den4, "blob 1", 0).Throw(Blob1Spot, den4, "blob 1", 0, 1);
    for (int k = 1; k < 3; ++k)
        road.Walk(Cave1TrenchX[k] - 30.0, den4).Jump(Cave1TrenchX[k] - 20.0, den4);
    double const down = Black_DenEnds[3].x + 100.0;
    road.Walk(down, RoadY(down));
}

} // namespace

double RoadY(double x)
{
    constexpr int n = sizeof Profile / sizeof Profile[0];
    if (x <= Profile[0].x)
        return Profile[0].y;
    for (int i = 0; i + 1 < n; ++i)
    {
        ProfilePoint const& a = Profile[i];
        ProfilePoint const& b = Profile[i + 1];
        if (x <= b.x)
            return a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x);
    }
    return Profile[n - 1].y;
}

std::vector<Road> BuildRoads()
{
    Road road("exit");
    ToTheValley(road);
    road.Jump(StepsGapX0 - 40.0, RoadY(Valley.x0));
    FromTheValley(road);

    // For a player anywhere between the ramp's foot and the wall only the living pass, beaten by the
    // ogre or not: left through the pass (and the barrier, which lets the walking dead by) out under
    // the ramp's foot, and the same way up to the boulder as the road above.
    Road back("back to the boulder");
    UpToTheBoulder(back, "push the boulder", 20);

    // The lifts, in two roads, for a lift can only be boarded while one waits: down through the
    // bridge's second gap onto the boarding ledge (and its heart) to its end beside a waiting lift;
    // and, for a rider the lift has carried back to the track's start, off it onto the ledge beside
    // it, up the steps and out of the bridge's first gap, and on to the far end.
    Road ledge("to the lifts");
    ToTheValley(ledge);
    DownToTheBoardingLedge(ledge);
    Road steps("from the lifts");
    UpTheSteps(steps);
    FromTheValley(steps);

    // Blob 2's cave: up its ramp, over the trench, and fighting the blob until it dies and its door
    // opens; through the door and off the den's end back down to the road.
    Road cave2("blob 2's cave");
    ToTheValley(cave2);
    FightBlob2(cave2);

    // The goblin den: as "exit" through the pass, up the den's ramp, and the fight with each of the
    // three rock-throwers in turn, by time travel; through the door and off the den's end.
    Road den("the goblin den");
    UpToTheBoulder(den, "push the boulder and wait for the ogre's end", 320);
    den.Walk(11850.0, Black_PassY);
    FightTheDenGuards(den);

    // Blob 1's cave: as "exit" to the lift valley's bridge, up the cave's ramp, and the fight with the
    // blob as it comes low; through the door and off the cave's end back down onto the bridge.
    Road cave1("blob 1's cave");
    ToTheValley(cave1);
    FightBlob1(cave1);

    return {road, back, ledge, steps, cave2, den, cave1};
}

void Write(std::string const& dir)
{
    DataGen::MakeDirs(dir + "/black");
    MapWriter map;
    map.SetView(0.0, Black_PassY - 200.0, 1.0);
    WriteBackWalls(map);
    WriteFrame(map);
    WriteGround(map);
    WritePass(map);
    WriteValley(map);
    WriteGallery(map);
    WriteCreatures(map);
    map.WriteOrThrow(dir + "/black/map");
    Road::Write(dir + "/black/road", BuildRoads());
    WritePictures(dir);
}

} // namespace BlackWriter
