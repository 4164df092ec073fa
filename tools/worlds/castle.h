// The castle's data: its map (the owner's hall, the road through the dungeon to the socks, and the puzzle
// rooms beside it, each in its room's rectangle) and the pictures of its objects, eyes, lamps and owner.
#pragma once

#include "tools/MapWriter.h"
#include "tools/Road.h"

#include <string>
#include <vector>

namespace CastleWriter
{

// Writes castle/map, castle/road and the pictures under gfx/castle/; throws std::runtime_error on
// failure.
void Write(std::string const& dir);

// The map, built in memory for Write and for the layout tests.
MapWriter BuildMap();
// The roads: "exit" from the start (the fee paid before) by the cog of room 5 and the machine of
// room 6, the lamps of room 4, the mirror of room 10 and the crystal of room 9 up the shaft, by the
// crystal of room 18, up room 11's ladder and through rooms 15 to 17, and the podiums of room 11
// along the road into room 20, short of the symbol lock; "symbols", from
// its eighth plate through door 16 into room 32's pit, where the eye is kept watching a past self
// (see Pit_WatchX); "pit", from switch 12 with door 13 held open, on past the socks to the far
// exit; "fee", the same as "exit" after talking to the owner with 7 gems; "entrance", out by the
// entrance; "laser 7", on from "exit" up room 19's ladder to room 21's lift, through door 5 and
// over the nook's wall, where room 27's mirrors light target 7 for door 18 into room 28 and then
// target 8 for door 19 into the store. Between them the walk travels in time. From the start, with
// their travels as points: "far exit", the whole of it; "room 8", down lift 5 and out by door 2;
// "room 14", up room 9's ladder and by door 3; "room 7", by its mirror and door 12; "room 30", down
// off room 32's pit and by door 4 into room 31; "room 33", the same way down, by room 35's podiums and
// room 33's mirrors through doors 15 and 14 and up into room 37.
std::vector<Road> BuildRoads();

// Heights of the floors the road runs on, and where it turns, for the walks.
constexpr double Hall_Floor = 3000.0;     // the hall, rooms 0 and 1
constexpr double Room2_Floor = 3130.0;    // up room 1's ramp, room 2 below its own ramp
constexpr double Room2_Landing = 3280.0;  // the top of room 2's ramp
constexpr double Room2_WallX = 2360.0;    // room 2's right wall, where its camera shows the player at it whole
constexpr double Walkway_Floor = 3330.0;  // the walkway back over room 2, and room 3's floor
constexpr double Room4_Floor = 3720.0;    // rooms 4, 5, 10 and the foot of the shaft (room 12)
constexpr double Room4_GapLeft = 1310.0;  // the gap over room 3's ramp, jumped from the left
constexpr double Room4_GapRight = 1400.0; //
constexpr double Room5_Bridge = Room4_Floor + 32.0;  // the top of room 5's push-over lying over the pit
constexpr double Room5_Block = Room4_Floor + 72.0;   // the block beside it, which it is pushed from
constexpr double Room5_PushX = 835.0;     // stand on the block here and jump to push it over
constexpr double Room5_PitFloor = Room4_Floor - 50.0; // the pit's floor, where the cog lies
constexpr double Room5_WaitX = 340.0;     // up room 6's ramp, clear of the bridge's fall
constexpr double Room6_Floor = Room4_Floor + 80.0;
constexpr double Room6_StepX = 400.0;                // room 6's ramp ends here, on the line between rooms 5 and 6,
constexpr double Room6_StepTop = Room4_Floor + 20.0; // in a step down to room 5's floor from this height
constexpr double Room6_DropX = 60.0;      // the cog let go here goes into the machine
constexpr double Room6_SwitchX = 210.0;   // the middle of switch 8's plate, which starts it
constexpr double Room4_Door10X = 1680.0;  // door 10, which the running machine opens, before door 7
constexpr double Shaft_Board = Room4_Floor + 46.0;   // the block the first lift comes up through
constexpr double Shaft_Ledge = 4125.0;    // where the first lift is got off, over the second's foot
constexpr double Road_Floor = 4660.0;     // rooms 11, 19, 20, 32 and 36
constexpr double Room16_Floor = 5355.0;   // room 16, up the swivel from room 15
constexpr double Room22_Floor = 5260.0;   // rooms 22 to 25
constexpr double Room19_LadderX = 3960.0;  // the left end of the ladder up from room 19 to room 21
constexpr double Room21_Floor = 4990.0;
constexpr double Room21_LiftX = 4210.0;    // the middle of room 21's lift, which comes up through its floor
constexpr double Room21_LiftTop = 5320.0;  // its top at its highest, its player's head at room 21's ceiling
constexpr double Room11_LadderX = 2940.0;  // the left end of the ladder up from room 11 to room 15
constexpr double Room15_Floor = 5090.0;
constexpr double Room15_WallX = 3505.0;     // room 15's right wall, inside its rectangle (to 3520)
constexpr double Room15_Switch21X = 3380.0; // the middle of switch 21's plate, which turns the swivel back up
constexpr double Room15_Switch22X = 3460.0; // switch 22's, beyond it by the wall, which turns it down
constexpr double Room17_WatchX = 2420.0;   // in room 17, in the eyes' sight
constexpr double Room17_Switch6X = 2310.0; // the middle of switch 6's plate, which opens door 6
constexpr double Room18_Floor = 5470.0;   // rooms 17 and 18, level through door 6
constexpr double Room18_WallX = 1465.0;   // room 18's left wall, where its camera shows the player at it whole
constexpr double Room18_LedgeTop = 5725.0; // the high ledge over switch 10, reached off lift 2 at its highest
constexpr double Room18_LedgeRight = 1500.0;
constexpr double Room18_Switch9X = 1627.0; // the middle of switch 9's plate, right of lift 2
constexpr double Room18_BlockTop = 5625.0; // the block the rising platform stands on, up the ramp from door 6
constexpr double Room18_CrystalX = 1752.0; // crystal 14 lies on the block's left end, left of the platform
constexpr double Room14_Floor = 3930.0;   // room 14, up the ladder from room 9
constexpr double Room14_Switch3X = 3130.0; // the middle of switch 3's plate, which opens door 3
constexpr double Room14_Door3X = 3015.0;   // door 3, before the ladder up to room 13
constexpr double Room13_Floor = 4410.0;   // room 13, over the ladder up from room 14
constexpr double Room13_FloorRight = 2838.0; // its floor's right end, just inside the room, over the ladder's top
constexpr double Room13_StandX = 2670.0;  // the middle of its floor
constexpr double Room9_Floor = 3560.0;     // room 9, down the ramp from the doorway at room 10's right end
constexpr double Room9_ThrowX = 2910.0;    // on the landing in the doorway: the lamps are hit from here, facing right
constexpr double Room9_Door8X = 3280.0;    // door 8, before the alcove at room 9's right end
constexpr double Room9_Roof = 3690.0;      // the alcove's roof, a step of the ladder up to room 14
constexpr double Room9_CrystalX = 3310.0;  // crystal 15 lies in the alcove
constexpr double Room11_PodiumX[2] = {3500.0, 3650.0};  // the podiums they are let go by
constexpr double Room11_DoorX = 3740.0;   // door 11 across the road beyond them
constexpr double Pit_Floor = 4500.0;      // the dip of the road through room 32's pit
constexpr double Lower_Floor = 4170.0;    // rooms 29 to 31 and 33 to 35, under the road
constexpr double Room34_Shelf = Lower_Floor + 140.0; // the crystals' shelf, reached off the raised block
constexpr double Room34_CrystalX[2] = {4780.0, 4880.0}; // the crystals on it
constexpr double Room34_BlockX = 4580.0;   // the left end of the block that rises as its mark is hit
constexpr double Room34_BlockHigh = 50.0;  // how high it stands on the floor, and how far it rises
constexpr int Room34_Hits = 55;            // throws at its mark to raise it all the way, and a few more
constexpr double Room35_PodiumX[2] = {5150.0, 5300.0}; // the podiums the crystals are let go by
// The left end of plate i (0 to 7) of the symbol lock in room 20, and door 16 beyond them.
constexpr double Symbol_PlateX(int i)
{
    return 4450.0 + 70.0 * i;
}
constexpr double Symbol_DoorX = 5012.0;
constexpr double Pit_WatchX = 5340.0;     // in room 32's pit, off switch 12 and in the eye's sight
constexpr double Pit_SwitchX = 5285.0;    // the middle of switch 12's plate
constexpr double Pit_DoorX = 5520.0;      // door 13, at the top of the pit's ramp
constexpr double Room37_Floor = 4400.0;   // the last room, with the socks and the far exit
// The castle's top, over the rooms, reached on room 18's rising platform: its floor, from its left
// end over the platform's shaft down into room 18 to its right end at the wall over room 28's
// ceiling, and the walls at both ends, up to the frame's roof. The shaft at its left end is its
// only way down.
constexpr double Top_Floor = 6790.0;
constexpr double Top_LeftX = 2045.0;
constexpr double Top_RightX = 7350.0;
constexpr double Top_WallLeftX = 1760.0;      // the left wall's right face, over room 18's ceiling
constexpr double Top_WallRightX = Top_RightX; // the right wall's left face, where the floor ends

// Places the walks and the puzzles' solutions use (see the comments beside each room in castle.cpp).
constexpr double Gate_X = 1285.0;        // the entrance gate, where the hall's camera shows it
constexpr double Hall_TalkX = 1150.0;    // the owner is talked to from here
constexpr double Shaft_Lift1_X = 1850.0; // the first lift's middle, and the second's
constexpr double Shaft_Lift2_X = 2060.0;
constexpr double Shaft_Lift1_Top = Shaft_Ledge + 10.0; // the highest the lifts' tops reach
constexpr double Shaft_Lift2_Top = Road_Floor + 10.0;
constexpr double Room4_ThrowX = 1650.0;   // the lamps of room 4 are hit from here, facing left
constexpr double Room10_LaserX = 2500.0;   // drop the mirror here
constexpr double Room10_MirrorX = 2650.0;  // where it lies
constexpr double Shaft_Door9X = 1972.0;    // door 9 on the ledge, left of the second lift
constexpr double Room7_Floor = 3860.0;     // room 7, up room 6's second ramp
constexpr double Room7_MirrorX = -500.0;   // where its mirror lies
constexpr double Room7_LaserX = -430.0;    // drop the mirror here, turned a quarter turn
// Room 25's two steps up to the top of the nook's wall, as high as the shelf over the nook, and room
// 27's three steps up to the shelf's right end from its floor (i from 0, the lowest).
constexpr double Nook_Top = 5400.0;
constexpr double Nook_StepX[2] = {6240.0, 6285.0};
constexpr double Nook_StepTop(int i)
{
    return Room22_Floor + (Nook_Top - Room22_Floor) * (i + 1) / 3.0;
}
constexpr double Room27_Floor = 5220.0;
constexpr double Room27_StepWide = 50.0;
constexpr double Room27_StepX(int i)
{
    return 6680.0 - Room27_StepWide * i;
}
constexpr double Room27_StepTop(int i)
{
    return Room27_Floor + (Nook_Top - Room27_Floor) * (i + 1) / 4.0;
}
constexpr double Room7_Door12X = -580.0;   // door 12, before chest 1 at the room's left end
constexpr double Room27_LaserX = 6880.0;   // the first mirror of room 27
constexpr double Room27_Target7X = 6800.0; // the second, turned, lights target 7
constexpr double Room27_Target8X = 6440.0; // or here, turned, lights target 8
constexpr double Room33_LaserX = 5660.0;   // the first mirror of room 33
constexpr double Room33_LadderX = 5790.0;  // the left end of the ladder up from room 33 to room 37
constexpr double Room33_MirrorX[2] = {5620.0, 5700.0}; // where its mirrors lie
constexpr double Room33_NicheFloor = Lower_Floor + 60.0; // the niche behind door 15
constexpr double Room33_Target5X = 5590.0; // unturned first mirror, turned second: target 5
constexpr double Room33_Target6X = 5730.0; // turned first mirror, unturned second: target 6

} // namespace CastleWriter
