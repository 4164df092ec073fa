// Petra_Ids: the reference points and map groups of the riddle-giver's house that the world reads by
// number; its generator (tools/worlds/petra.cpp) writes them from here.
#pragma once

// Reference points.
constexpr unsigned int Petra_Rp_Start = 0; // where the player starts, in the riddle-giver's room
constexpr unsigned int Petra_Rp_Jars = 1;  // every jar at the start, in a sealed store
constexpr unsigned int Petra_Rp_RiddleGiver = 10;
constexpr unsigned int Petra_Rp_FactoryStart = 11; // where the scales' introduction puts the player
constexpr unsigned int Petra_Rp_Labels = 32;       // answer label k of the motel questions stands at this + k
constexpr unsigned int Petra_Rp_Signs = 41;        // motel question q's sign stands at this + q
constexpr unsigned int Petra_Rp_Back = 69;         // before the riddle-giver, where a verdict brings the player
constexpr unsigned int Petra_Rp_MotelStart = 70;   // where the motel's introduction puts the player

// The weighing machine: tube k's mouth is Factory_Scales_Tube_RefPt + k, over the pan that runs from
// the left point (on its surface) to the right point; the weight is shown at the text point.
constexpr unsigned int Factory_Scales_Tube_RefPt = 2;
constexpr unsigned int Factory_Scales_LeftPt = 7;
constexpr unsigned int Factory_Scales_RightPt = 8;
constexpr unsigned int Factory_Scales_TextPt = 9;

// The motel guests, by id.
constexpr unsigned int Petra_Dude_StartPts[] = {22, 23, 24, 25, 26, 27, 28, 29};

// Staff holder s stands at Petra_Staff_BaseRefPt + s; the staff puzzle's introduction puts the
// player at holder 0.
constexpr unsigned int Petra_Staff_BaseRefPt = 44;
constexpr int Petra_Staff_Holder_Count = 25;
constexpr unsigned int Petra_Rp_StaffStart = Petra_Staff_BaseRefPt;

// The two ends of each teleport link.
constexpr int Petra_Teleport_Count = 6;
constexpr unsigned int Petra_Teleport_Ends[Petra_Teleport_Count][2] = {{12, 17}, {13, 18}, {14, 19},
                                                                       {15, 20}, {16, 21}, {30, 31}};

// Map groups of the floor plates: plate i is group i + 1.
constexpr unsigned int Petra_Group_Tube = 1;   // tube k's plate is this + k
constexpr unsigned int Petra_Group_Weigh = 6;  // the weighing machine's plate
constexpr unsigned int Petra_Group_Answer = 7; // answer k of motel question q is this + 3q + k
constexpr unsigned int Petra_Group_Staff = 16; // pressed when the staffs are set, or to give up
constexpr unsigned int Petra_Group_Motel = 17; // by the question room's door: pressed when all are answered
constexpr int Petra_Switch_Count = 17;         // plates, groups 1 to 17
