// Kilig_MapMove: creating the dungeon's movers and the covers of their groups.
#include "killig/Kilig_MapMove.h"

#include "engine/Map.h"
#include "killig/Kilig_MapMoveGroup.h"

#include <cassert>

namespace
{
constexpr Kilig_GroupId Kilig_FirstRun[2] = {3, 15};
constexpr Kilig_GroupId Kilig_SecondRun[2] = {25, 50};
static_assert(Kilig_FirstRun[1] - Kilig_FirstRun[0] + Kilig_SecondRun[1] - Kilig_SecondRun[0] + 2
              == Kilig_MapMove_GroupCount);
} // namespace

Kilig_MapMove::Kilig_MapMove(Map* map, ObjectList* objects) : MapMove(objects)
{
    moveGroups = new MapMoveGroup*[Kilig_MapMove_GroupCount]();
    try
    {
        for (Kilig_GroupId const* run : {Kilig_FirstRun, Kilig_SecondRun})
            for (Kilig_GroupId g = run[0]; g <= run[1]; g++)
                moveGroups[moveGroupCount++] = new Kilig_MapMoveGroup(g);
    }
    catch (...)
    {
        for (int i = 0; i < moveGroupCount; i++)
            delete moveGroups[i];
        delete[] moveGroups;
        throw;
    }
    FindCoverage(map);
    // Bounds are taken with the covers, so that a group moves whenever any of its sweep is seen.
    Init(map);
}

Kilig_MapMove::~Kilig_MapMove()
{
    for (int i = 0; i < moveGroupCount; i++)
        delete moveGroups[i];
    delete[] moveGroups;
}

void Kilig_MapMove::FindCoverage(Map* map)
{
    for (int i = 0; i < moveGroupCount; i++)
    {
        Rectf cover;
        if (Kilig_MapMoveGroup::Cover(moveGroups[i]->group, cover))
            map->SetGroupCover(moveGroups[i]->group, &cover);
    }
}

Kilig_MapMoveGroup const* Kilig_MapMove::GetMover(int i) const
{
    assert(i >= 0 && i < moveGroupCount);
    return static_cast<Kilig_MapMoveGroup const*>(moveGroups[i]);
}
