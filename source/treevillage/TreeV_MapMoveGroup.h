// TreeV_MapMoveGroup: one of the tree village's map groups that move for ever as a function of the tick.
#pragma once

#include "engine/MapMoveGroup.h"

class Pointf;

using TreeV_GroupId = unsigned int;

constexpr int Housing_Lift1_Del = 100; // steps of each ride of the housing lift
constexpr int Housing_Lift1_Wait = 80; // steps at each stop
constexpr double Housing_Lift1_UpDist = 232.0;
constexpr double Housing_Lift1_DownDist = 425.0;

enum TreeV_Motion : int
{
    TreeV_Motion_None = 0, // a group id without a motion
    TreeV_Motion_Move = 1,
    TreeV_Motion_Turn = 2,
};

constexpr int TreeV_Flipper_Period = 140;
constexpr int TreeV_VillageLift_Period = 300;
constexpr int TreeV_HousingLift_Period = 720;

// Bobbing platforms, rocking beams, turning wheels, two lifts between three levels, and a
// flipper that swings over and back with a plate under each end that dips as it lands. Each
// group's offset or angle depends on the tick alone, so nothing is recorded and time travel
// finds every group where it belongs.
class TreeV_MapMoveGroup final : public MapMoveGroup
{
public:
    explicit TreeV_MapMoveGroup(TreeV_GroupId groupId);

    void Move(Map* map, Tick t, Player* player) override;

    // The group's angle about centre (a turning group) or the y of its offset (every other
    // group here moves only up and down) at t.
    TreeV_Motion Motion(Map const* map, Tick t, double& value, Pointf& centre) const;

    // The housing lift's height at t.
    static double Housing_Lift_Fn(Tick t);
};
