// Black_MapMove: the moving groups in their order, and their covers.
#include "black/Black_MapMove.h"

#include "black/Black_MapMoveGroup.h"
#include "engine/Map.h"
#include "util/Rectf.h"

#include <cassert>

namespace
{
constexpr double Lift_Cover = 10000.0; // the track's reach either way
} // namespace

Black_MapMove::Black_MapMove(Map* map, ObjectList* objects) : MapMove(objects)
{
    // A map without one of the groups is refused before anything is made.
    for (Black_GroupId g : Black_MovingGroups)
        map->RequireGroup(g);
    moveGroups = new MapMoveGroup*[Black_MapMove_GroupCount]();
    moveGroupCount = Black_MapMove_GroupCount;
    for (int i = 0; i < Black_MapMove_GroupCount; i++)
        moveGroups[i] = new Black_MapMoveGroup(Black_MovingGroups[i]);
    FindCoverage(map);
    Init(map);
}

Black_MapMove::~Black_MapMove()
{
    for (int i = 0; i < moveGroupCount; i++)
        delete moveGroups[i];
    delete[] moveGroups;
}

void Black_MapMove::FindCoverage(Map* map)
{
    Rectf const lift(-Lift_Cover, -Lift_Cover, Lift_Cover, Lift_Cover);
    for (Black_GroupId g = Black_Group_FirstLift; g <= Black_Group_LastLift; g++)
        map->SetGroupCover(g, &lift);
    Rectf const bob(-0.0, -Black_Bob_Reach, 0.0, Black_Bob_Reach);
    map->SetGroupCover(Black_Group_Bob, &bob);
    Rectf const deep(-0.0, -Black_DeepBob_Reach, 0.0, Black_DeepBob_Reach);
    map->SetGroupCover(Black_Group_DeepBob, &deep);
    Rectf const shallow(-0.0, -Black_ShallowBob_Reach, 0.0, Black_ShallowBob_Reach);
    for (Black_GroupId g = Black_Group_FirstShallowBob; g <= Black_Group_LastSwing; g++)
        map->SetGroupCover(g, &shallow);
    Rectf const swing(-Black_Swing_Reach, -0.0, Black_Swing_Reach, 0.0);
    for (Black_GroupId g : {Black_Group_SwingA, Black_Group_SwingB})
        map->SetGroupCover(g, &swing);
}

Black_MapMoveGroup const* Black_MapMove::GetMover(int i) const
{
    assert(i >= 0 && i < moveGroupCount && "i >= 0 && i < moveGroupCount");
    return static_cast<Black_MapMoveGroup const*>(moveGroups[i]);
}
