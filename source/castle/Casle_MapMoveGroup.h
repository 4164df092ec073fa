// Casle_MapMoveGroup: one of the castle's map groups that move for ever as a function of the tick.
#pragma once

#include "castle/Casle_Ids.h"
#include "engine/MapMoveGroup.h"
#include "util/Tick.h"

constexpr double FirstLift_Dist = 212.0;
constexpr double BlockedLift_UpDist = 1150.0;
constexpr int BlockedLift_UpTime = 300;
constexpr double BlockedLift_RoundDist = 95.0;
constexpr int BlockedLift_RoundTime = 60;
constexpr double BlockedLift_DownDist = 50.0;
constexpr int BlockedLift_DownTime = 20;
constexpr int BlockedLift_TotalTime = 380;
constexpr double LiftPuzzle1_Dist = 200.0;
constexpr double LiftPuzzle2_Dist = 80.0;
constexpr double LiftPuzzle4_Dist = 180.0;
constexpr int LiftPuzzle4_TimeFwd = 20;
constexpr int LiftPuzzle4_TimeWait = 30;
constexpr int LiftPuzzle4_TimeBack = 50;
constexpr int LiftPuzzle4_TotalTime = 130;
constexpr double LiftToMultiHit_Dist = 275.0;

// Bobbing lifts, two platforms that rise, turn over the top and drop back to the bottom in one
// jump, and blocks that swipe out and back. The offset depends on the tick alone; the offset
// applied last only serves to carry the player by each step's change.
class Casle_MapMoveGroup final : public MapMoveGroup
{
public:
    explicit Casle_MapMoveGroup(Casle_GroupId groupId);

    void Move(Map* map, Tick t, Player* player) override;

    // The group's offset at t; false for a group that does not move here.
    bool Offset(Tick t, double& offsetX, double& offsetY) const;

    // The rising platform's offset at t.
    static void BlockedLift(int t, double& liftX, double& liftY);
    // The swiping block's stroke at t.
    static double SwipeBlock(int t);
};
