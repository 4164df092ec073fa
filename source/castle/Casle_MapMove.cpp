// Casle_MapMove: creating the castle's movers and the covers of their groups.
#include "castle/Casle_MapMove.h"

#include "castle/Casle_MapMoveGroup.h"
#include "engine/Map.h"
#include "util/Rectf.h"

#include <cassert>

namespace
{
constexpr Casle_GroupId Casle_MoverIds[Casle_MapMove_GroupCount] = {
    Casle_Group_FirstLift,    Casle_Group_BlockedLiftA, Casle_Group_BlockedLiftB,   Casle_Group_LiftPuzzle1,
    Casle_Group_LiftPuzzle2A, Casle_Group_LiftPuzzle2B, Casle_Group_SwipeA,         Casle_Group_SwipeB,
    Casle_Group_SwipeC,       Casle_Group_LiftPuzzle2C, Casle_Group_LiftToMultiHit,
};

struct Casle_Cover
{
    Casle_GroupId group;
    Rectf margins; // left, lower, right, upper
};

constexpr double Swipe_Reach = 1.1 * LiftPuzzle4_Dist;
constexpr double BlockedLift_Width = 2.0 * BlockedLift_RoundDist;
constexpr double BlockedLift_Top = BlockedLift_UpDist + BlockedLift_RoundDist;

Casle_Cover const Casle_Covers[] = {
    {Casle_Group_BlockedLiftA, Rectf(0.0, 0.0, BlockedLift_Width, BlockedLift_Top)},
    {Casle_Group_BlockedLiftB, Rectf(0.0, 0.0, BlockedLift_Width, BlockedLift_Top)},
    {Casle_Group_LiftPuzzle1, Rectf(0.0, -LiftPuzzle1_Dist, 0.0, LiftPuzzle1_Dist)},
    {Casle_Group_LiftPuzzle2A, Rectf(0.0, -LiftPuzzle2_Dist, 0.0, LiftPuzzle2_Dist)},
    {Casle_Group_LiftPuzzle2B, Rectf(0.0, -LiftPuzzle2_Dist, 0.0, LiftPuzzle2_Dist)},
    {Casle_Group_LiftPuzzle2C, Rectf(0.0, -LiftPuzzle2_Dist, 0.0, LiftPuzzle2_Dist)},
    {Casle_Group_LiftToMultiHit, Rectf(0.0, -LiftToMultiHit_Dist, 0.0, LiftToMultiHit_Dist)},
    {Casle_Group_SwipeA, Rectf(-Swipe_Reach, 0.0, Swipe_Reach, 0.0)},
    {Casle_Group_SwipeB, Rectf(-Swipe_Reach, 0.0, Swipe_Reach, 0.0)},
    {Casle_Group_SwipeC, Rectf(-Swipe_Reach, 0.0, Swipe_Reach, 0.0)},
    {Casle_Group_FirstLift, Rectf(0.0, -FirstLift_Dist, 0.0, FirstLift_Dist)},
};
} // namespace

Casle_MapMove::Casle_MapMove(Map* map, ObjectList* objects) : MapMove(objects)
{
    moveGroupCount = Casle_MapMove_GroupCount;
    moveGroups = new MapMoveGroup*[Casle_MapMove_GroupCount]();
    // A mover that cannot be made leaves none behind.
    try
    {
        for (int i = 0; i < Casle_MapMove_GroupCount; i++)
            moveGroups[i] = new Casle_MapMoveGroup(Casle_MoverIds[i]);
    }
    catch (...)
    {
        for (int i = 0; i < Casle_MapMove_GroupCount; i++)
            delete moveGroups[i];
        delete[] moveGroups;
        throw;
    }
    FindCoverage(map);
    // Bounds are taken with the covers, so that a group moves whenever any of its sweep is seen.
    Init(map);
}

Casle_MapMove::~Casle_MapMove()
{
    for (int i = 0; i < moveGroupCount; i++)
        delete moveGroups[i];
    delete[] moveGroups;
}

void Casle_MapMove::FindCoverage(Map* map)
{
    for (Casle_Cover const& c : Casle_Covers)
        map->SetGroupCover(c.group, &c.margins);
}

Casle_MapMoveGroup const* Casle_MapMove::GetMover(int i) const
{
    assert(i >= 0 && i < moveGroupCount);
    return static_cast<Casle_MapMoveGroup const*>(moveGroups[i]);
}
