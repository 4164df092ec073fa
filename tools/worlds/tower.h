// The tower's data: its map (the giant's road below, and above it two wings of puzzles entered
// through scaling zones), the scales' lights and the tower's own pictures.
#pragma once

#include "tools/MapWriter.h"
#include "tower/Tower_Ids.h"

#include <string>

namespace TowerWriter
{

// The road: flat from wall to wall, its slab thick enough to read with the tower seen whole. Where
// it passes under the first wing it is a low corridor that only a player of 8 or less walks, the
// way back from the first wing's end.
constexpr double Tower_RoadY = 230.0;
constexpr double Tower_RoadBottom = -300.0;
constexpr double Tower_RoadX0 = -10200.0;
constexpr double Tower_RoadX1 = 14400.0;
constexpr double Tower_StartX = -2300.0;
constexpr double Tower_RoadClear = 1300.0;
constexpr double Tower_TopY = 4850.0;   // the top of the tower's shell, over the second wing's roof
constexpr double Tower_RoofX0 = 4990.0; // the roof over LX begins over the last wing's exit floor

// The way in, framed at the tower's foot: past the start a zone makes the giant 16 (Tower_ShrinkX);
// the foot's wall holds him outside until his head is below L0's block, and from the porch behind it
// he jumps onto the first wing's landing (L0), from it onto a ledge and from the ledge onto the
// walkway. Its end hangs over a shaft, and a lintel over the shaft meets his head: he drops down
// the shaft and slides off the chute at its foot into a passage over the gate room, low enough to
// be framed with the first wing, which leads right under the walkway's other part; from below the
// gap in it he jumps up onto that part and from its right end back left onto the second wing's
// landing (L1). A ceiling over the foot keeps every jump there below the top of the foot's camera
// zone; a giant's head meets a wall over the ledge's left end, so that only a player of 16 climbs.
// From the passage no jump reaches the walkway back over the shaft: the walkway's underside or the
// lintel stops it.
// Scaling zones that give different sizes never meet: a player standing where two reached would be
// given one size and then the other at every step, each change with its sound. Where one zone follows
// another, it begins this far beyond the other's end (a zone reaches 8 times its own size either way).
constexpr double Tower_ZonesApart = 5.0;
// On the way to the second exit, any size grows to 64 again just beyond the foot's shot, at the
// tower's wall, left of scaler 0's zone.
constexpr double Tower_GrowX = -2000.0;
// Scaler 0's zone begins just beyond scaler 2's, and ends short of the foot's wall: one who walks out
// of the corridor under the first wing and grows in it is too tall for the corridor before he could
// walk back into it.
constexpr double Tower_ShrinkX =
    Tower_GrowX + 8.0 * (Tower_Scalers[2].zoneScale + Tower_Scalers[0].zoneScale) + Tower_ZonesApart;
// Over scaler 2's zone a gate's beam hangs, its underside a jump's breadth over the head of a player of
// 16 on the road and its top under a giant's head: a player of 16 passes the zone on the ground,
// while a giant of 64 walks on with the beam across his middle. It is thicker than a player of 16 is
// tall and higher than he jumps from the road, and reaches from the tower's left wall, over the
// zone's right part, on into the foot's shot: a player of 16 coming jumping stands at its face in
// the shot, and under it walks into the zone, too low to jump.
constexpr double Tower_GateX0 = -2000.0; // under the tower's wall (Way_CeilingX0)
constexpr double Tower_GateX1 = -1500.0;
constexpr double Tower_GateY = 560.0;     // the underside: a player of 16's feet stay inside the zone below it
constexpr double Tower_GateTopY = 1400.0; // teeth on it reach 60 higher, under the head of a giant of 64
// Over the beam, from just over a giant's head up to the foot's ceiling, the gate's lintel: no jump
// from the foot takes anyone over the beam. It reaches a little beyond the beam's right end, so that
// its corners stand clear of the beam's.
constexpr double Tower_GateLintelY = 1530.0;
constexpr double Tower_GateLintelOver = 10.0;
// The foot's wall stands on the porch from L0's block's height up, at the landing's left end
// (WingA_L0X0): a player whose head is over the block waits outside until he is small enough, and in
// the porch the block's face stops every head over the corridor's mouth, so that the corridor under
// the wing holds no one taller than it.
constexpr double Way_BlockX0 = -500.0; // L0 begins with a block, higher than a player of 16 is
constexpr double Way_BlockX1 = -400.0; // tall over the corridor's mouth below it
constexpr double Way_BlockY = 750.0;
constexpr double Way_LedgeX0 = -700.0;
constexpr double Way_LedgeX1 = -450.0;
constexpr double Way_LedgeY = 1300.0;
constexpr double Way_Y = 2000.0;      // the walkway
constexpr double Way_Bottom = 1900.0; // above the head of a giant on L0
constexpr double Way_X0 = -150.0;     // its left end, right of the ledge
constexpr double Way_LeftX1 = 900.0;  // the end of its left part, over the shaft
constexpr double Way_ShaftX0 = 840.0; // the shaft's left wall, under the walkway's end
constexpr double Way_LintelX = 902.0; // the lintel over the shaft, lower than a head on the walkway
constexpr double Way_LintelY = 2300.0;
constexpr double Way_PassY = 950.0; // the passage: a head in it stays in the first wing's shot
constexpr double Way_PassCeilingY = 1290.0;
constexpr double Way_PassX0 = 960.0; // its ceiling, the rock beside the walkway, begins: the shaft's right side
// The chute at the shaft's foot ends under the passage's ceiling, where a head under the ceiling keeps
// the feet below it.
constexpr double Way_ChuteX1 = 1000.0;
constexpr double Way_ChuteRise = 2.5; // rise over run: too steep to stand on or walk up
constexpr double Way_PassX1 = 2060.0; // and ends
// The first wing's shot and the shot beyond it show a player of 16 whole in the passage only left of
// the tooth's foot and right of its other: he does not stand or walk between them. Over the tooth the
// passage's ceiling ends in a notch at the left edge of the gap's zone, up to below the rock's top:
// he jumps over the tooth from under the notch, rising into the gap's zone as he leaves the first
// wing's.
constexpr double Way_ToothX0 = 1960.0;
constexpr double Way_ToothX1 = 2140.0;
// Its left face is a wall, its right side falls too steeply to stand on (2.5 in 1) to the floor.
constexpr double Way_ToothY = Way_PassY + 2.5 * (Way_ToothX1 - Way_ToothX0);
constexpr double Way_NotchX0 = 1900.0;
constexpr double Way_NotchY = 1880.0;
constexpr double Way_ClimbX = 2320.0;     // where the jump up through the gap starts
constexpr double Way_RightX0 = 2400.0;    // the walkway's right part, beyond the gap
constexpr double Way_X1 = 2780.0;         // its right end, a wall up to L1's ceiling
constexpr double Way_CeilingY = 2515.0;   // over the foot
constexpr double Way_CeilingX0 = -2000.0; // the tower's left wall stands on its left end
constexpr double Way_CeilingX1 = 1980.0;
constexpr double Way_ShaftCeilingY = 3180.0; // over L1 and the walkway's right end
constexpr double Way_JumpX = 2660.0;         // where the jump back onto L1 starts
// Over the ceiling the tower is rock: left of the transporter's climb up to the top, and under its
// leftward leg up to the lower edge of the camera zones there, where a rider who falls off lands.
constexpr double Way_RockX0 = -800.0;
constexpr double Way_RockX1 = 1340.0;
constexpr double Way_StepX = -400.0; // left of it the rock is a step higher
constexpr double Way_StepHeight = 30.0;
constexpr double Way_RockY = 3300.0;
constexpr double Way_RockSlope = 1.05; // rise over run of the rock's top left of the climb
// The wall left of LX that a player on LX cannot walk or jump past; its face stands far enough
// inside zone 39's shot that a player of 8 against it is seen whole.
constexpr double Way_WallX = 5600.0;  // flush with the exit floor's end, up to its top
constexpr double Way_WallX1 = 5650.0; // LX begins here
constexpr double Way_WallY = 2440.0;
// Below LX, right of the first wing's end: nothing passes it.
constexpr double Tower_InnerWallX = 8600.0;

// Where the corridor under the first wing passes zone 2's edges, whose shot shows less than a small
// player's half width beyond them, bumps on the road too steep to stand on: no one stops there. Over
// the right one, under the gate room, the corridor is a little higher.
struct Tower_Bump
{
    double x, half;
};
constexpr Tower_Bump Tower_Bumps[] = {{-315.0, 5.0}, {720.5, 9.5}};
constexpr double Tower_BumpRise = 1.65; // rise over run of their sides
constexpr double Tower_BumpCeilingY = 420.0;

// The road's height at x.
constexpr double RoadY(double)
{
    return Tower_RoadY;
}

// The first wing stands at the tower's foot. A player of 16 jumps from the road onto its landing
// (L0), walks right into a wall whose low opening he passes, and meets the gate room at 4; the wing
// ends on a landing beyond the spike pit from whose end he drops to the road under the wing, which
// leads back left to the tower's foot.
constexpr double WingA_FloorY = 600.0;    // L0, the gate room and the corridors to the track
constexpr double WingA_L0X0 = -700.0;     // the landing's left end
constexpr double WingA_GateRoomX = 760.0; // the gate room's left wall (its low opening on the left)
// Left of the gate room's wall (W2) its low opening, under a roof as low as W2, ends at a narrow hole
// in the floor, so that a small player walking back left out of the gate room drops through it into
// the corridor below at once, framed still with the gate room. L0 steps up onto a lip that runs on over
// the hole, higher than a hop of his under the roof or the lip takes his feet: no one small from the
// gate room gets onto it, while a player of 16 walks along it from L0, steps down off its end into
// scaler 1's zone and stands against W2 until he is small enough to pass under it.
constexpr double WingA_LipX0 = 480.0; // the step's top, where the lip begins
// The hole lies where the gate room's shot, kept while he falls, shows a player of 4 whole; below it
// the bump at the corridor's shot's edge slides him on into that shot.
constexpr double WingA_GapX0 = 713.0;
constexpr double WingA_GapX1 = 717.0;
constexpr double WingA_LipX1 = 718.0; // the lip's end, over the floor beyond the hole
constexpr double WingA_W2X = 729.0;   // W2's face, just short of the gate room's zone: one held there is framed with L0
// Scaler 1 on the floor between the hole and W2, where a player of 16 waits against W2, and scaler 4 in
// the gate room, its zone beginning just beyond scaler 1's.
constexpr double WingA_Scaler1X = 720.0;
constexpr double WingA_Scaler4X =
    WingA_Scaler1X + 8.0 * (Tower_Scalers[1].zoneScale + Tower_Scalers[4].zoneScale) + Tower_ZonesApart;
// The lip's top, over scaler 1's zone, lies as high as the head of a player of 16 on it passes under
// W1, and the roof over the opening comes down at the lip's end to just over it: the head of a player
// of 4 walking out of the opening passes between them, while no jump under W2 takes anyone's feet
// through that gap onto the lip, out of the gate room's zone without passing the corridor's.
constexpr double WingA_RimY = 678.0;
constexpr double WingA_OpeningRoofY = 682.0; // the roof's underside at the lip's end, rising to W2's
constexpr double WingA_LipY = 610.0;         // its underside over the hole
constexpr double WingA_StepRise = 1.2;       // rise over run of the step up to the lip
constexpr double WingA_GateCeilingY = 900.0; // under the passage of the way in
// Switch 0, for a player of 8, its gap well beyond scaler 4; pressed, it leaves a wall towards door 0.
constexpr double WingA_Plate0X = 1210.0;
constexpr double WingA_Door0X = 1700.0; // door 0's left face
// Beyond door 0 a player of 4 walks the corridor under the way in's passage, jumps up its end onto
// the gallery over the spike pit and the hall, up again onto the high gallery over the small rooms,
// and drops through a hole in it into the upper room, where he becomes 1.
constexpr double WingA_CorridorX1 = 2920.0;   // the corridor's end: the gallery's step
constexpr double WingA_CorridorSlabY = 560.0; // the corridor's floor, over the landing and the road
constexpr double WingA_GalleryY = 800.0;
constexpr double WingA_GallerySlabY = 760.0; // the gallery's underside: the pit's and the hall's ceiling
constexpr double WingA_RiseX0 = 5700.0;      // a step up towards the high gallery
constexpr double WingA_RiseY = 1050.0;
constexpr double WingA_HighX0 = 5800.0; // the high gallery, over the small rooms
constexpr double WingA_HighY = 1110.0;
// Switch 10 lies in the high gallery's floor near its left end, pressed at 4, and door 12 stands in the
// upper room below the hole at the gallery's other end: whoever holds the plate down himself and then
// runs along the gallery, drops through the hole and walks back to the door finds it shut, however
// high it had risen and however it bounces as it falls. Only a past self on the plate holds it open.
// Left of its slot the floor is wider than a player of 4.
constexpr double WingA_Plate10X = 5920.0;
constexpr double WingA_DropX0 = 6470.0; // the hole in it over the upper room, to the rooms' right wall
constexpr double WingA_HighX1 = 6700.0; // its end wall
// Over the gallery and the high gallery, over the head of a player of 4 jumping onto the high gallery:
// the roof over it lies so low in the shots of the galleries that a player of 4 on it, jumping twice,
// is out of them for less time than a change of shot is let.
constexpr double WingA_CeilingY = 1240.0;
constexpr double WingA_LowCeilingY = 1290.0;  // over the gallery where the second camera's shot ends lower
constexpr double WingA_LowCeilingX1 = 3500.0; // where the shot beyond begins
// Along the gallery, where its shot shows less than a player of 4's half width beyond its right end,
// a tooth he jumps: no one stands cut at the shot's edge.
constexpr double WingA_GalleryToothX0 = 3455.0;
constexpr double WingA_StopY = 3000.0;                // a wall at the low ceiling's end, up to here
constexpr double WingA_RoofY = WingA_CeilingY + 40.0; // the roof over the gallery and the high gallery
// The roof runs on unbroken over the high gallery and its hole, under a tunnel through the rock that is
// solid from the tunnel's ceiling up to LX's floor, to a chute beside the hole down to the upper room's
// floor, which a passage under the ledge below the hole joins to the room. Whoever walks right along the
// roof walks on through the tunnel, drops down the chute and walks into the upper room. Whoever lands on
// the roof has come off the transporter's cars, a rider of 1: on the high gallery, or on the ledge under
// its hole, from which he jumps up onto it, he could walk left off its end and down the rise onto the
// galleries, which no player of 1 climbs back out of, and where he is too small to be seen; and whatever
// way up from the galleries onto the high gallery a player of 4 takes, one of 1 walks back down. So
// nothing leads down from the roof but the chute, walled from the hole.
constexpr double WingA_TunnelX0 = 5820.0;              // the tunnel's mouth, over the high gallery's left end
constexpr double WingA_TunnelY1 = WingA_RoofY + 130.0; // its ceiling, over the head of a player of 4
constexpr double WingA_ChuteX0 = 6530.0;               // the chute, from here to the rooms' right wall
constexpr double WingA_PassageY1 = 1020.0; // the passage's ceiling, the ledge's foot: a player of 4 walks it
constexpr double WingA_CapThick = 10.0;    // the roof over the hole
// Beyond the hole in the high gallery over the upper room, the chute's wall; beyond the chute the end wall
// stands forward up to LX.
constexpr double WingA_DropWallX = 6522.0;
// Under the hole a ledge, its top too steep to stand or walk on, falling to the left to a little under the
// high gallery's floor slab: whoever drops through the hole at 4 slides off it, his feet under the slab and
// his head, tilted over them, over it, into the upper room and onto scaler 5, which makes him 1. No one in
// the room climbs back onto the ledge and up the hole onto the high gallery, where he would shrink to 1 on
// the galleries, too small to be seen there and unable to leave them: under the slab a head leaves the feet
// too little room to clear the ledge's foot for anyone small enough to fit, and too little height to jump.
constexpr double WingA_LedgeX0 = WingA_DropX0 - 3.0; // its face, under the slab's end
constexpr double WingA_LedgeY = 1080.0;
constexpr double WingA_LedgeRise = 1.78; // rise over run of its top: steep enough to stop a walk, not so
                                         // steep that a tilted head of 4 at its foot is below the slab's top

// The rooms of a player of 1 lie in the close shot at x 6100-6600, y 720-1100: the upper room
// (scaler 5 where he lands, door 12, the heart), from whose left end he drops into the ring room (the
// ringed target, door 13), and left of both the track room (the track, door 11 the lid of the shaft
// down to the rooms of a player of 1/4). The upper room's floor is flat from the hole to beyond door 12:
// nothing tilts a body near the door, so that no one passes under it with his head swung aside and turns
// upright inside it.
constexpr double WingA_RoomsX0 = 6100.0; // the track room's left wall
constexpr double WingA_RoomsX1 = 6570.0; // the right wall of the upper and the ring room
constexpr double WingA_RoomsY = 800.0;   // the floor of the ring room and the track room
constexpr double WingA_RoomsCeilingY = 1090.0;
constexpr double WingA_UpperY = 930.0; // the upper room
constexpr double WingA_UpperSlabY = 905.0;
constexpr double WingA_UpperX0 = 6360.0; // its floor's left end, over the ring room
constexpr double WingA_Scale1X = 6435.0; // scaler 5, its zone up to the foot of the ledge under the hole
constexpr double WingA_Door12X = 6390.0;
constexpr double WingA_Door13X = 6320.0; // the ring room's left wall
constexpr double WingA_RingX = 6480.0;   // the ringed target, 60 above the floor
constexpr double WingA_TrackX = 6190.0;  // the middle of the track, 150 above the floor
constexpr double WingA_HatchX = 6137.0;  // door 11 covers the shaft from here to 100 right

// The rooms of a player of 1/4 below, in the closest shots at x 5920-6247, y 680-800: he lands from
// the shaft on scaler 7, which makes him 1/4, walks left over switch 2 and crosses group 26 over the
// small spikes to switch 1 and, right of it, door 1, the lid of a hole down to the nook. Walking left
// along the nook he becomes 1 and drops down a shaft at its end, at whose foot he grows to 4.
constexpr double WingA_SmallY = 733.0; // a pressed plate leaves him inside the corridor's shot
constexpr double WingA_SmallSlabY = 690.0;
constexpr double WingA_SmallX0 = 5932.0; // the left wall's face
constexpr double WingA_SmallX1 = 6244.0; // the right wall's face
constexpr double WingA_LandX = 6229.0;   // scaler 7, where he lands from the shaft
constexpr double WingA_Plate2X = 6180.0;
// Where the shot of the corridor he lands in begins, a tooth he jumps from a step beside it: no one
// stands cut at the shot's edge. Its top is higher than the shot's zone reaches, so that whoever passes
// over it leaves the zone on the way and the shot is changing as he crosses its edge; the step is high
// enough that every jump from it clears the tooth.
constexpr double WingA_ToothX0 = 6126.0;
constexpr double WingA_ToothTopX = 6130.5;
constexpr double WingA_ToothTopY = 751.0;
constexpr double WingA_ToothX1 = 6133.0; // its right foot, on the step, where the shot shows him whole
constexpr double WingA_ToothStepX1 = 6150.0;
constexpr double WingA_ToothStepY = 741.0;
constexpr double WingA_SwingPitX0 = 5986.0; // group 26 sweeps over it, a narrow plank
constexpr double WingA_SwingPitX1 = WingA_ToothX0;
// Whoever falls into the pit walks back out of it at its right end, up a ramp from whose top he boards
// the plank again.
constexpr double WingA_PitRampX0 = 6060.0;
constexpr double WingA_PitRampY = WingA_SmallY - 5.0;
constexpr double WingA_SwingMiddleX = 6051.0;
constexpr double WingA_SwingHalf = 5.0;
constexpr double WingA_Plate1X = 5940.0;
constexpr double WingA_Hatch1X = 5948.0; // door 1 covers the hole from here to 10 right
constexpr double WingA_Hatch1W = 10.0;
constexpr double WingA_NookY = 681.0;
constexpr double WingA_NookEndX = 5954.0; // a slope rises from here to the nook's end wall
constexpr double WingA_NookEndRise = 10.0;
// Over scaler 8 a thin fin down from the nook's ceiling to a hair over the head of a player of 1/4, with
// a slit in it at the height of the head of one of 1: a player of 1/4 passes under it only on the floor,
// in the zone, and no jump takes him over it into the shaft; one of 1 walks through it either way.
constexpr double WingA_NookFinX = 5941.0;
constexpr double WingA_NookFinW = 0.5; // narrower than anyone stands on
constexpr double WingA_NookFinY = WingA_NookY + 5.05;
constexpr double WingA_NookSlitY0 = WingA_NookY + 19.5;
constexpr double WingA_NookSlitY1 = WingA_NookY + 20.5;
// The nook ends in a shaft down to a floor as wide as it, scaler 6's: walled down to it on the left,
// where a player walking left off the nook drifts, it lands every faller in the zone. Its right wall
// ends a hair over the head of the player of 4 the zone makes, who steps off the floor's right end down
// to the hall's and walks left under it; one of 4 jumping up beside the floor from the hall's end
// passes under that wall only with his feet below the floor, and falls back past its end.
constexpr double WingA_ShaftX = 5928.0;
constexpr double WingA_ShaftHalf = 8.0;
constexpr double WingA_ShaftFloorY = 540.0;
constexpr double WingA_ShaftBottomY = 620.1; // the right wall's foot, over the head of a player of 4 on the floor

// The hall of a player of 4 and the spike pit under the gallery, walked leftwards: door 2, six
// bobbing targets, door 14, eight more, door 15, the pit, and a landing from whose end he drops to
// the road, where he grows to 8 and walks back to the tower's foot.
constexpr double WingA_HallY = 450.0;
constexpr double WingA_HallX1 = WingA_Hatch1X + WingA_Hatch1W; // its end wall, under the nook
constexpr double WingA_Door2X = 5700.0;
constexpr double WingA_Door14X = 5420.0;
constexpr double WingA_Door15X = 5100.0;
constexpr double WingA_PitX0 = 2750.0; // the spike pit under group 3's sweep
constexpr double WingA_PitX1 = 5050.0;
constexpr double WingA_LandingX0 = 2650.0; // beyond the pit
constexpr double WingA_RoadWallX = 2700.0; // the road's corridor under the wing ends here
constexpr double WingA_GrowX = 2200.0;     // scaler 9, on the road under the corridor

// The second wing, higher up. A player of 16 jumps onto its landing (L1) from the walkway,
// walks left into a wall whose slot he passes at half size; beyond lie the scales, the tiny corridors and a climb to
// the transporter, which carries its rider over the top of the tower to an exit floor; from
// there he drops onto the finale (LX), grows to 8, then to 64, and leaves by door 17.
constexpr double WingB_FloorY = 2755.0; // L1, the corridor to the scales and the scales' floor
// Its right end over the shaft the giant jumps up, far enough from the closed door 3 that a giant
// who walks off L1's left end, shrinks and walks on to the door has gone more than his own width.
constexpr double WingB_L1X1 = 2560.0;
// L1 proper lies higher than a player of 1/2 jumps, twice over, above the foot of the slot wall,
// where the slot's zone makes him 1/2: he drops from L1 against the wall, and at 1/2 no one climbs
// back onto L1, where he would be too small to see.
constexpr double WingB_L1X0 = 2129.0;
constexpr double WingB_L1Y = 2831.0;
constexpr double WingB_GapLintelLow = 2.0;    // over L1's height: the lintel over the gap at its end
constexpr double WingB_GapLintelHigh = 100.0; // under the head of a giant walking off L1
constexpr double WingB_GapLintelOver = 2.0;   // how far it reaches over L1's edge
// The trough under the transporter's long rightward leg over the second wing.
constexpr double WingB_TroughX0 = 1580.0;
constexpr double WingB_TroughX1 = 3200.0;
constexpr double WingB_TroughY = 4500.0;
// Left of it, under the rest of the leg, a floor as high from beside the cars' climb on: whoever jumps out of
// the trough to the left or steps off a car there lands in the top rooms' shots. Off its left end he drops
// beside the climb, where the climb's zones show him, down to the rock or onto a ledge left of the climb at
// the foot of the top zone's shot; a wall hung from the floor's end keeps him out of the rock's wider shot
// until he is down in it.
constexpr double WingB_TopFloorX0 = -490.0;    // clear of the cars turning from their climb into the leg
constexpr double WingB_TopFloorWall = 20.0;    // the hung wall's width, left of the floor's end
constexpr double WingB_TopFloorWallY = 3700.0; // its foot, at the top of the rock's zone right of the climb
// On the floor, where a shot begins less than a player of 1's half width beyond its zone's left edge
// (x 540), a tooth he jumps: no one stands cut at the shot's edge.
constexpr double WingB_TopFloorToothX0 = 539.0;
constexpr double WingB_TopFloorToothX1 = 556.0;
constexpr double WingB_ClimbLedgeX1 = -590.0; // the ledge left of the climb: its end
constexpr double WingB_ClimbLedgeY = 4240.0;
// Under the route's foot beyond it, where the cars run lowest, a floor at the bottom of the shots there
// catches whoever falls off, lava lying on it; a wall at its left end, and at its right a step down into
// the pit below the cars' run, which leads on to the exit floor.
constexpr double WingB_CatchX0 = 3220.0;
constexpr double WingB_CatchX1 = 4600.0;
constexpr double WingB_CatchY = 4300.5;
constexpr double WingB_CatchStepRoom = 24.5;    // under the block over the step: room for a player of 1
constexpr double WingB_CatchCeilingX0 = 4310.0; // the ceiling over its right end, right of the cars' loop up
constexpr double WingB_CatchCeilingY = 4440.0;  // over the head of a rider of 1 on a car running over it
// Beyond the catch floor, between the cars' run over it and their loop below, a pit in the same shot. Its
// floor runs on right under the cars' turn down onto the porch over the exit floor, level with it: the
// cars sink through it as they run on down past the porch, and whoever still rides one, having stepped off
// late or not at all, is left standing on it. Whoever turns back left from the porch, or jumps or falls
// off a car anywhere over the pit or the catch floor, lands on them in view, and walking right takes him
// onto the porch and down to the exit floor. The ceiling goes on over the pit as a beam.
constexpr double WingB_CatchPitX1 = 4980.0; // the beam's end, short of the cars' turn down
constexpr double WingB_CatchPitY = 4254.0;  // its slab over the head of a rider on a car running below it
constexpr double WingB_SlotWallX = 2095.0;  // its slot and door 3 lie in the door's close shot
constexpr double WingB_Plate3X = 2060.0;
constexpr double WingB_Door3X = 2010.0;
constexpr double WingB_PanX = 1895.0;    // the middle of the pan
constexpr double WingB_SillX0 = 1973.0;  // a sill up to the corridor, at the scales' room's shot's edge
constexpr double WingB_SillHeight = 5.6; // its sides steeper than a body stands on
constexpr double WingB_LiftX0 = 1725.0;  // the lift, 30 wide: a rider at rest on its right half is
constexpr double WingB_LiftX1 = 1755.0;  // framed with the scales, raised on its left end with the corridor
constexpr double WingB_ShaftX0 = 1730.0; // the shaft's floor under the lift, in the scales' room's shot
constexpr double WingB_ShaftY = 2720.0;
constexpr double WingB_TinyY = 2830.0;       // the corridor through the window above the lift
constexpr double WingB_WindowX = 1705.0;     // the window's left side
constexpr double WingB_TinyShrinkX = 1609.5; // where he becomes 1/8, framed close with switch 7
// Right of the zones that make him 1/8 the corridor's floor is a step higher than a player of 1/8
// jumps, twice over, with a ramp down to the window: coming in at 1/4 he drops off it into those
// zones, and no one smaller goes back out into the wider shot beyond.
constexpr double WingB_TinyStepX = 1610.5; // its face, inside the close shot of switch 7
constexpr double WingB_TinyStepY = 2854.0;
constexpr double WingB_TinyRampX0 = 1660.0;   // the ramp's top
constexpr double WingB_TinyRampX1 = 1700.0;   // its foot, at the window's sill
constexpr double WingB_TinyCeilingX = 1607.0; // the high ceiling over the drop begins over the zones
constexpr double WingB_TinyCeilingY = 2862.0;
constexpr double WingB_Plate7X = 1604.0;   // switches 7, 8 and 9 stand 8 apart leftwards
constexpr double WingB_Door8X = 1577.0;    // doors 8, 9 and 10 stand 7 apart leftwards
constexpr double WingB_LowPassX0 = 1530.0; // the passage only a player of 1/32 fits
constexpr double WingB_LowPassX1 = 1541.0;
// Its ceiling over the floor: under the head of a player of 1/16, and over the feet of one of 1/32
// a unit above the floor, so that they never end inside it with no way out.
constexpr double WingB_LowPassHeight = 1.15;
constexpr double WingB_SmallTargetX = 1496.0;
constexpr double WingB_Door7X = 1488.0;
constexpr double WingB_Plate4X = 1476.0;
constexpr double WingB_Hatch4X = 1466.0; // door 4 covers a hole from here to 4 right
constexpr double WingB_LowerY = 2822.0;  // the corridor below the hatch
constexpr double WingB_Plate5X = 1464.0; // the pairs and the growing zones past them lie in the
                                         // close shot of a small player, right of x 1445
constexpr double WingB_Door5X = 1459.0;
constexpr double WingB_Plate6X = 1455.0;
constexpr double WingB_Door6X = 1450.0;
// Past door 6 the zones that make him 1/8 and 1/4 lie this far apart, and over the first the corridor's
// ceiling is this high: a hair over the head of a player of 1/8.
constexpr double WingB_TinyZonesApart = 0.05;
constexpr double WingB_EighthRoom = 2.6;
// Past the growing zones he jumps from the floor onto a step hung over the corridor's end, from it
// onto the masonry over the corridors (its top at the scales' room's zone's lower edge) and from
// there back left onto the ledge over P: every jump stays inside the camera zones of the floor
// and of the scales' room, right of x 1400.
constexpr double WingB_StepX0 = 1395.0;
constexpr double WingB_StepX1 = 1418.0;
constexpr double WingB_StepY = 2876.0;
constexpr double WingB_MasonryY = 2930.0;
constexpr double WingB_FloorEndX = 1360.0; // a wall ends the floor past the corridor
// P, where each car's run begins: its rider, lifted from the ledge over it, is framed with the
// scales' room as the car rises, and every leg of the route carries him inside a camera zone.
constexpr double WingB_CarX = 1400.0;
constexpr double WingB_CarY = 2964.0; // high enough that the cars' run at the route's foot over the
                                      // second wing passes over the floor there, inside its shots
constexpr double WingB_CarHalfWidth = 30.0;
constexpr double WingB_CarHeight = 10.0;
constexpr double WingB_WaitY = 2978.0;           // the ledge just over P where a rider waits for a car
constexpr double WingB_WaitX = WingB_CarX + 1.0; // where he waits on it, just right of the zones' edge
// The exit floor, where the rider steps off his car as it comes down past the floor's left end at the
// foot of its turn down (the end of leg 13, the car's top then 2 over the porch): left of the floor the
// route loops below it, right of it he drops onto LX.
// He steps off onto a porch, level with the pit's floor that runs on onto it, walks on under a lintel and
// drops off its far edge down to the floor. The drop is deeper than a player who fits under the lintel
// jumps, twice over, and one too big for it meets the lintel with his head: no one of any size, growing or
// grown, jumping however he likes, climbs back onto the porch.
constexpr double WingB_ExitPorchX0 = 5232.0; // its face over the cars looping up under it
constexpr double WingB_ExitPorchY = WingB_CatchPitY;
// Over the porch's far part, beyond a gap as wide as the rider's feet need to land on it from a car
// still coming down, the lintel: its foot a little over the head of a rider of 1 at the porch's edge.
constexpr double WingB_ExitLintelX0 = 5238.0;
constexpr double WingB_ExitLintelX1 = 5250.0;
constexpr double WingB_ExitLintelY = WingB_ExitPorchY + 22.0;
constexpr double WingB_ExitFloorX0 = 5244.0; // the porch's far edge, the floor's left end below it
constexpr double WingB_ExitFloorX1 = 5600.0;
constexpr double WingB_ExitFloorY = 4096.0; // as low as the cars looping under its left end let it lie
// Scaler 23 beyond the edge of the shot over the floor's left end (x 5310), which shows less than the
// half width of a player of 4 beyond it: the rider walks out of that shot while he is 1.
constexpr double WingB_ExitScalerX = 5334.0;
// From beyond where one who drops off the porch lands to the zone's middle, a roof over the floor with room
// under it for a rider of 1 and not for his feet to rise over the zone: no one passes over it ungrown.
constexpr double WingB_ExitLowX0 = 5290.0;
constexpr double WingB_ExitLowRoom = 20.75;
constexpr double WingB_ExitRoom = 120.0; // beyond it to the wall the fall ends at, for a player of 4 and a little jump
// Under the porch the cars looping below the floor come up close to its face: its underside, and the floor's
// under its left end, keep clear of them.
constexpr double WingB_ExitPorchBottomY = 4160.0;
constexpr double WingB_FinaleY = 2690.0; // LX: on switch 11 a player of 8 is still in zone 39
// LX beyond door 16, a step lower: a giant of 64 on the overview spot stands whole in zone 39's
// shot, his head under its top edge.
constexpr double WingB_FinaleFarY = 2665.5;
// Over it, between doors 16 and 17, a ceiling at the top of zone 39's shot, just over the giant's head.
constexpr double WingB_FinaleCeilingY = 3947.0;
// Beyond door 17 LX is lower, below zone 39, as far as the ceiling over it reaches beyond the zone.
constexpr double WingB_FinaleLowY = 2580.0;
constexpr double WingB_GiantHeight = 1280.0; // a player of 64
constexpr double WingB_LowCeilingX1 = 8000.0;
constexpr double WingB_FallWallX = 5740.0; // the face of the wall down which the fall from the exit floor ends
constexpr double WingB_FallWallY = 4384.0;
constexpr double WingB_Plate11X = 5995.0;  // its plate begins right of where the fall ends
constexpr double WingB_Door16X = 6400.0;
constexpr double WingB_Door17X = 7200.0;
constexpr double WingB_LXX1 = 12400.0;       // LX's end, beyond the tower's right wall
constexpr double Tower_RightWallX = 12000.0; // from the road up to LX: the way out is door 17
// How high the tower's outer walls rise over whatever a giant stands on outside them: over his jump and
// the second jump at its top (a giant's two jumps take him about 9000 up).
constexpr double Tower_GiantClear = 10000.0;

// The sizes at which a player walks the parts of the tower the main road does not pass (the frame
// check stands him there at them, the first area that holds a place): in the first wing beyond door 0
// the rooms under the high gallery at 1, the small rooms at 1/4, the hall and the pit at 4, the
// corridor past the door, which lets no one larger through, the galleries and their roof at 4; in the
// second wing the masonry over the corridors, which only a player of 1 climbs, the catch floor and the pit
// beyond it, which only riders of 1 falling or stepping off the cars reach, and LX up to door 16, walked at
// 8 (or at 4, arriving, where a player of 8 does not fit).
struct Tower_Area
{
    double x0, y0, x1, y1;
    double scale;
};
constexpr Tower_Area Tower_AreaSizes[] = {
    {WingA_RoomsX0, WingA_RoomsY - 1.0, WingA_RoomsX1, WingA_RoomsCeilingY, 1.0},
    {WingA_SmallX0 - 12.0, WingA_NookY - 1.0, WingA_SmallX1, WingA_GallerySlabY, 0.25},
    {WingA_LandingX0, 399.0, WingA_HallX1, WingA_GallerySlabY, 4.0},
    {WingA_Door0X + 40.0, WingA_FloorY - 1.0, WingA_CorridorX1, WingA_FloorY + 1.0, 4.0},
    {WingA_CorridorX1, WingA_GalleryY - 1.0, WingA_HighX1 + 60.0, WingA_CeilingY, 4.0},
    {WingA_LowCeilingX1, WingA_RoofY - 1.0, WingA_HighX1, WingA_RoofY + 1.0, 4.0},
    {1420.0, WingB_MasonryY - 1.0, 2000.0, WingB_MasonryY + 1.0, 1.0},
    {WingB_CatchX0, WingB_CatchY - 1.0, WingB_CatchX1, WingB_CatchY + 1.0, 1.0},
    {WingB_CatchX1, WingB_CatchPitY - 1.0, WingB_ExitPorchX0, WingB_CatchPitY + 1.0, 1.0},
    {Way_WallX1, WingB_FinaleY - 1.0, WingB_Door16X + 40.0, WingB_FinaleY + 1.0, 8.0},
    {Way_WallX1, WingB_FinaleY - 1.0, WingB_Door16X + 40.0, WingB_FinaleY + 1.0, 4.0},
};

// The map, built in memory for Write and for the tests.
MapWriter BuildMap();

// dir/tower/map and the pictures under dir/gfx/tower; throws std::runtime_error on failure.
void Write(std::string const& dir);

} // namespace TowerWriter
