// Tower_MapMove: creating the tower's movers and the covers of their groups.
#include "tower/Tower_MapMove.h"

#include "engine/Map.h"
#include "tower/Tower_MapMoveGroup.h"

#include <cassert>

namespace
{

constexpr Tower_GroupId Tower_MoverIds[Tower_MapMove_GroupCount] = {3, 25, 26, 28, 29, 30, 31, 32, 33, 34, 35};

// The cars run a route some 4000 units across and 1600 high, from wherever each starts.
constexpr double Transport_Reach = 10000.0;

} // namespace

Tower_MapMove::Tower_MapMove(Map* map, ObjectList* objects) : MapMove(objects)
{
    moveGroupCount = Tower_MapMove_GroupCount;
    moveGroups = new MapMoveGroup*[Tower_MapMove_GroupCount]();
    for (int i = 0; i < Tower_MapMove_GroupCount; i++)
        moveGroups[i] = new Tower_MapMoveGroup(Tower_MoverIds[i]);
    FindCoverage(map);
    // Bounds are taken with the covers, so that a group moves whenever any of its sweep is seen.
    Init(map);
}

Tower_MapMove::~Tower_MapMove()
{
    for (int i = 0; i < moveGroupCount; i++)
        delete moveGroups[i];
    delete[] moveGroups;
}

void Tower_MapMove::FindCoverage(Map* map)
{
    Rectf const overSpikes(-OverSpikes_Dist, 0.0, OverSpikes_Dist, 0.0);
    map->SetGroupCover(Tower_Group_OverSpikes, &overSpikes);
    Rectf const swing(-Swing_Dist, -Swing_Dist, Swing_Dist, Swing_Dist);
    map->SetGroupCover(Tower_Group_Swing, &swing);
    Rectf const overSpikes2(-OverSpikes2_Dist, 0.0, OverSpikes2_Dist, 0.0);
    map->SetGroupCover(Tower_Group_OverSpikes2, &overSpikes2);
    Rectf const cars(-Transport_Reach, -Transport_Reach, Transport_Reach, Transport_Reach);
    for (Tower_GroupId car = Tower_Group_FirstCar; car <= Tower_Group_LastCar; car++)
        map->SetGroupCover(car, &cars);
}

Tower_MapMoveGroup const* Tower_MapMove::GetMover(int i) const
{
    assert(i >= 0 && i < moveGroupCount);
    return static_cast<Tower_MapMoveGroup const*>(moveGroups[i]);
}
