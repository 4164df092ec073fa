// The tower's data: its map (the giant's road below, and above it two wings of puzzles entered
// through scaling zones), the scales' lights and the tower's own pictures.
#pragma once

#include "tools/MapWriter.h"

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
// he jumps onto the first wing's landing (L0), from it onto a ledge and from the ledge onto the
// walkway. Its end hangs over a shaft, and a lintel over the shaft meets his head: he drops down
// the shaft into a passage over the gate room, low enough to be framed with the first wing, which
// leads right under the walkway's other part; from below the gap in it he jumps up onto that part
// and from its right end back left onto the second wing's landing (L1). A ceiling over the foot
// keeps every jump there below the top of the foot's camera zone; a giant's head meets a wall over
// the ledge's left end, so that only a player of 16 climbs. From the passage no jump reaches the
// walkway back over the shaft: the walkway's underside or the lintel stops it.
constexpr double Tower_ShrinkX = -1400.0;
constexpr double Tower_GrowX = -3200.0; // on the way to the second exit, any size grows to 64 again
constexpr double Way_BlockX1 = -400.0;  // L0 begins with a block, higher than a player of 16 is
constexpr double Way_BlockY = 750.0;    // tall over the corridor's mouth below it
constexpr double Way_LedgeX0 = -700.0;
constexpr double Way_LedgeX1 = -450.0;
constexpr double Way_LedgeY = 1300.0;
constexpr double Way_Y = 2000.0;          // the walkway
constexpr double Way_Bottom = 1900.0;     // above the head of a giant on L0
constexpr double Way_X0 = -150.0;         // its left end, right of the ledge
constexpr double Way_LeftX1 = 900.0;      // the end of its left part, over the shaft
constexpr double Way_ShaftX0 = 840.0;     // the shaft's left wall, under the walkway's end
constexpr double Way_LintelX = 902.0;     // the lintel over the shaft, lower than a head on the walkway
constexpr double Way_LintelY = 2300.0;
constexpr double Way_PassY = 950.0; // the passage: a head in it stays in the first wing's shot
constexpr double Way_PassCeilingY = 1290.0;
constexpr double Way_PassX0 = 960.0;      // its ceiling, the rock beside the walkway, begins: the shaft's right side
constexpr double Way_PassX1 = 2060.0;     // and ends
constexpr double Way_ClimbX = 2150.0;     // where the jump up through the gap starts
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

// The road's height at x.
constexpr double RoadY(double)
{
    return Tower_RoadY;
}

// The first wing stands at the tower's foot. A player of 16 jumps from the road onto its landing
// (L0), walks right into a wall whose low opening he passes, and meets the gate room at 4; the wing
// ends on a second landing (L0x) where he grows to 8 and from whose end he drops into the corridor
// under the wing, which leads back left to the road at the foot.
constexpr double WingA_FloorY = 600.0;    // L0, the gate room and the corridors to the track
constexpr double WingA_LowY = 450.0;      // the corridor below the track, the alcove and the hall
constexpr double WingA_L0X0 = -700.0;     // the landing's left end
constexpr double WingA_GateRoomX = 760.0; // the gate room's left wall (its low opening on the left)
constexpr double WingA_GateCeilingY = 900.0; // under the passage of the way in
constexpr double WingA_Plate0X = 1150.0;  // switch 0, for a player of 8
constexpr double WingA_Door0X = 1700.0;   // door 0's left face
constexpr double WingA_Scale1X = 2230.0;  // the scale-1 corridor begins
constexpr double WingA_Plate10X = 2320.0;
constexpr double WingA_Door12X = 2600.0;
constexpr double WingA_RingX = 2790.0; // the ringed target, 120 above the floor
constexpr double WingA_Door13X = 2880.0;
constexpr double WingA_TrackX = 3200.0;  // the middle of the track, 160 above the floor
constexpr double WingA_HatchX = 3400.0;  // door 11 covers the shaft from here to 100 right
constexpr double WingA_AlcoveX = 3610.0; // the quarter-size alcove begins
constexpr double WingA_Plate2X = 3625.0;
constexpr double WingA_SwingPitX = 3780.0; // the middle of group 26's sweep over the small spikes
constexpr double WingA_Plate1X = 3880.0;
constexpr double WingA_Hatch1X = 3900.0;  // door 1 covers a hole from here to 25 right
constexpr double WingA_SubFloorY = 410.0; // the passage below the alcove
constexpr double WingA_HallX = 4060.0;    // the scale-4 hall begins
constexpr double WingA_Door2X = 4110.0;
constexpr double WingA_Door14X = 4540.0;
constexpr double WingA_Door15X = 5060.0;
constexpr double WingA_PitX0 = 5150.0; // the spike pit under group 3's sweep
constexpr double WingA_PitX1 = 7450.0;
constexpr double WingA_ExitWallX = 7550.0;
constexpr double WingA_L0xX1 = 8500.0;      // the end of the landing he drops from
constexpr double WingA_PitCeilingY = 720.0; // below the small rooms over the pit
constexpr double WingA_RoofEndX = 7000.0;   // a wall on the pit's ceiling, where zone 6 ends
constexpr double WingA_WallTopY = 1900.0;   // the tops of it and of the exit wall, too steep to stand on

// The second wing, higher up. A player of 16 jumps onto its landing (L1) from the walkway,
// walks left into a wall whose slot he passes at half size; beyond lie the scales, the tiny corridors and a climb to
// the transporter, which carries its rider over the top of the tower to an exit floor; from
// there he drops onto the finale (LX), grows to 8, then to 64, and leaves by door 17.
constexpr double WingB_FloorY = 2755.0; // L1, the corridor to the scales and the scales' floor
constexpr double WingB_L1X1 = 2500.0;
// L1 proper lies higher than a player of 1/2 jumps, twice over, above the foot of the slot wall,
// where the slot's zone makes him 1/2: he drops from L1 against the wall, and at 1/2 no one climbs
// back onto L1, where he would be too small to see.
constexpr double WingB_L1X0 = 2129.0;
constexpr double WingB_L1Y = 2831.0;
// The trough under the transporter's long rightward leg over the second wing.
constexpr double WingB_TroughX0 = 1580.0;
constexpr double WingB_TroughX1 = 3200.0;
constexpr double WingB_TroughY = 4500.0;
constexpr double WingB_SlotWallX = 2095.0; // its slot and door 3 lie in the door's close shot
constexpr double WingB_Plate3X = 2060.0;
constexpr double WingB_Door3X = 2010.0;
constexpr double WingB_PanX = 1895.0;      // the middle of the pan
constexpr double WingB_SillX0 = 1973.0;    // a sill up to the corridor, at the scales' room's shot's edge
constexpr double WingB_SillHeight = 5.6;   // its sides steeper than a body stands on
constexpr double WingB_LiftX0 = 1725.0;    // the lift, 30 wide: a rider at rest on its right half is
constexpr double WingB_LiftX1 = 1755.0;    // framed with the scales, raised on its left end with the corridor
constexpr double WingB_ShaftX0 = 1730.0;   // the shaft's floor under the lift, in the scales' room's shot
constexpr double WingB_ShaftY = 2720.0;
constexpr double WingB_TinyY = 2830.0;     // the corridor through the window above the lift
constexpr double WingB_WindowX = 1705.0;   // the window's left side
constexpr double WingB_TinyShrinkX = 1609.5; // where he becomes 1/8, framed close with switch 7
// Right of the zones that make him 1/8 the corridor's floor is a step higher than a player of 1/8
// jumps, twice over, with a ramp down to the window: coming in at 1/4 he drops off it into those
// zones, and no one smaller goes back out into the wider shot beyond.
constexpr double WingB_TinyStepX = 1610.5; // its face, inside the close shot of switch 7
constexpr double WingB_TinyStepY = 2854.0;
constexpr double WingB_TinyRampX0 = 1660.0; // the ramp's top
constexpr double WingB_TinyRampX1 = 1700.0; // its foot, at the window's sill
constexpr double WingB_TinyCeilingX = 1607.0; // the high ceiling over the drop begins over the zones
constexpr double WingB_TinyCeilingY = 2862.0;
constexpr double WingB_Plate7X = 1604.0;   // switches 7, 8 and 9 stand 8 apart leftwards
constexpr double WingB_Door8X = 1577.0;    // doors 8, 9 and 10 stand 7 apart leftwards
constexpr double WingB_LowPassX0 = 1530.0; // the passage only a player of 1/32 fits
constexpr double WingB_LowPassX1 = 1541.0;
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
constexpr double WingB_CarY = 2952.0;
constexpr double WingB_CarHalfWidth = 30.0;
constexpr double WingB_CarHeight = 10.0;
constexpr double WingB_WaitY = 2966.0;      // the ledge just over P where a rider waits for a car
constexpr double WingB_WaitX = WingB_CarX + 1.0; // where he waits on it, just right of the zones' edge
constexpr double WingB_ExitFloorY = 4000.0; // where the rider drops off his car
constexpr double WingB_ExitFloorX0 = 5320.0; // in the shot of the room it leads to
constexpr double WingB_ExitFloorX1 = 5600.0;
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
constexpr double WingB_Plate11X = 6000.0;
constexpr double WingB_Door16X = 6400.0;
constexpr double WingB_Door17X = 7200.0;
constexpr double WingB_LXX1 = 12400.0;       // LX's end, beyond the tower's right wall
constexpr double Tower_RightWallX = 12000.0; // from the road up to LX: the way out is door 17

// The map, built in memory for Write and for the tests.
MapWriter BuildMap();

// dir/tower/map and the pictures under dir/gfx/tower; throws std::runtime_error on failure.
void Write(std::string const& dir);

} // namespace TowerWriter
