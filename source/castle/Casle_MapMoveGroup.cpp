// Casle_MapMoveGroup: the castle's scripted motions and carrying the player on them.
#include "castle/Casle_MapMoveGroup.h"

#include "engine/Map.h"
#include "engine/Player.h"
#include "util/Util.h"

#include <cmath>

Casle_MapMoveGroup::Casle_MapMoveGroup(Casle_GroupId groupId)
{
    group = groupId;
}

void Casle_MapMoveGroup::BlockedLift(int t, double& liftX, double& liftY)
{
    int const p = t % BlockedLift_TotalTime;
    int const top = BlockedLift_UpTime + BlockedLift_RoundTime;
    if (p < BlockedLift_UpTime)
    {
        liftX = 0.0;
        liftY = p * BlockedLift_UpDist / BlockedLift_UpTime;
    }
    else if (p < top)
    {
        // Half a turn over the top to the right.
        double const a = (p - BlockedLift_UpTime) * Util::HalfTurn / BlockedLift_RoundTime;
        liftX = BlockedLift_RoundDist - BlockedLift_RoundDist * std::cos(a);
        liftY = BlockedLift_UpDist + BlockedLift_RoundDist * std::sin(a);
    }
    else
    {
        liftX = 2.0 * BlockedLift_RoundDist;
        liftY = BlockedLift_UpDist - (p - top) * BlockedLift_DownDist / BlockedLift_DownTime;
    }
}

double Casle_MapMoveGroup::SwipeBlock(int t)
{
    int const p = t % LiftPuzzle4_TotalTime;
    int const out = LiftPuzzle4_TimeFwd;
    int const back = out + LiftPuzzle4_TimeWait;
    if (p < out)
        return p * LiftPuzzle4_Dist / LiftPuzzle4_TimeFwd;
    if (p < back)
        return LiftPuzzle4_Dist;
    if (p < back + LiftPuzzle4_TimeBack)
        return LiftPuzzle4_Dist - (p - back) * LiftPuzzle4_Dist / LiftPuzzle4_TimeBack;
    return 0.0;
}

bool Casle_MapMoveGroup::Offset(Tick t, double& offsetX, double& offsetY) const
{
    offsetX = 0.0;
    offsetY = 0.0;
    switch (group)
    {
    case Casle_Group_FirstLift:
        offsetY = std::sin(t * 0.02) * FirstLift_Dist;
        return true;
    case Casle_Group_BlockedLiftA:
        BlockedLift(t, offsetX, offsetY);
        return true;
    case Casle_Group_BlockedLiftB:
        // Half a cycle ahead of its partner.
        BlockedLift(t + BlockedLift_TotalTime / 2, offsetX, offsetY);
        return true;
    case Casle_Group_LiftPuzzle1:
        offsetY = std::sin(t / 50.0) * LiftPuzzle1_Dist;
        return true;
    case Casle_Group_LiftPuzzle2A:
    case Casle_Group_LiftPuzzle2B:
    case Casle_Group_LiftPuzzle2C:
        offsetY = std::sin(t / 30.0) * LiftPuzzle2_Dist;
        return true;
    case Casle_Group_SwipeA:
    case Casle_Group_SwipeC:
        offsetX = -SwipeBlock(t);
        return true;
    case Casle_Group_SwipeB:
        offsetX = SwipeBlock(t);
        return true;
    case Casle_Group_LiftToMultiHit:
        offsetY = std::sin(t / 60.0) * LiftToMultiHit_Dist;
        return true;
    default:
        return false;
    }
}

void Casle_MapMoveGroup::Move(Map* map, Tick t, Player* player)
{
    double nx = 0.0;
    double ny = 0.0;
    if (!Offset(t, nx, ny))
        return;
    map->MoveGroup(group, nx, ny);
    // The rising platforms jump back to the bottom at the end of each cycle; the carry tries
    // that move too, and the map stops the player where it meets a wall.
    if (player != nullptr)
        player->GroupMoving(group, nx - x, ny - y);
    x = nx;
    y = ny;
}
