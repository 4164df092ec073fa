// Kilig_MapMove: creating the dungeon's movers and the covers of their groups.
#include "killig/Kilig_MapMove.h"

#include "engine/Map.h"
#include "killig/Kilig_Ids.h"
#include "killig/Kilig_MapMoveGroup.h"

#include <cassert>

static_assert(Kilig_MovingGroups[0][1] - Kilig_MovingGroups[0][0] + Kilig_MovingGroups[1][1] - Kilig_MovingGroups[1][0]
                  + 2
              == Kilig_MapMove_GroupCount);

Kilig_MapMove::Kilig_MapMove(Map* map, ObjectList* objects) : MapMove(objects)
{
    moveGroups = new MapMoveGroup*[Kilig_MapMove_GroupCount]();
    try
    {
        for (unsigned int const* run : Kilig_MovingGroups)
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
