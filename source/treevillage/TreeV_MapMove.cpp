// TreeV_MapMove: creating the village's movers and the covers of their groups.
#include "treevillage/TreeV_MapMove.h"

#include "engine/Map.h"
#include "engine/Poly.h"
#include "treevillage/TreeV_MapMoveGroup.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace
{
constexpr TreeV_GroupId TreeV_MoverIds[TreeV_MapMove_GroupCount] = {1,  35, 36, 37, 12, 38, 2,
                                                                    39, 22, 26, 34, 28, 29, 30};

struct TreeV_Cover
{
    TreeV_GroupId group;
    Rectf margins; // left, lower, right, upper
};

TreeV_Cover const TreeV_Covers[] = {
    {1, Rectf(0.0, -150.0, 0.0, 150.0)},       {35, Rectf(0.0, -100.0, 0.0, 100.0)},
    {36, Rectf(0.0, -100.0, 0.0, 100.0)},      {37, Rectf(0.0, -220.0, 0.0, 220.0)},
    {12, Rectf(-200.0, -200.0, 200.0, 200.0)}, {38, Rectf(-200.0, -200.0, 200.0, 200.0)},
    {2, Rectf(-200.0, -200.0, 200.0, 200.0)},  {39, Rectf(-200.0, -200.0, 200.0, 200.0)},
    {22, Rectf(0.0, -430.0, 0.0, 250.0)},      {26, Rectf(0.0, 0.0, 0.0, 400.0)},
    {34, Rectf(0.0, -400.0, 0.0, 0.0)},        {29, Rectf(0.0, -20.0, 0.0, 0.0)},
    {30, Rectf(0.0, -20.0, 0.0, 0.0)},
};

constexpr TreeV_GroupId TreeV_Flipper = 28;
constexpr unsigned int TreeV_FlipperCentre = 61;

// The flipper turns half a turn, so each of its polygons may reach anywhere within the
// largest distance of any corner from the pivot: the margins take every polygon's corners out
// to that square about the pivot (the bounds' own padding stays outside it).
Rectf FlipperCover(Map const* map)
{
    Pointf const centre = map->GetRefPoint(TreeV_FlipperCentre);
    double reach = 0.0;
    for (unsigned int i = 0; i < map->polyCount; i++)
    {
        Poly const* poly = map->polys[int(i)];
        if (poly == nullptr || poly->GetGroup() != TreeV_Flipper)
            continue;
        for (int j = 0; j < poly->Points(); j++)
        {
            Pointf const corner = poly->GetVertexPoint(j);
            reach = std::max(reach, corner.Distance(&centre));
        }
    }
    Rectf cover(0.0, 0.0, 0.0, 0.0);
    for (unsigned int i = 0; i < map->polyCount; i++)
    {
        Poly const* poly = map->polys[int(i)];
        if (poly == nullptr || poly->GetGroup() != TreeV_Flipper)
            continue;
        Pointf low = poly->GetVertexPoint(0);
        Pointf high = low;
        for (int j = 1; j < poly->Points(); j++)
        {
            Pointf const corner = poly->GetVertexPoint(j);
            low = Pointf(std::min(low.x, corner.x), std::min(low.y, corner.y));
            high = Pointf(std::max(high.x, corner.x), std::max(high.y, corner.y));
        }
        cover.x0 = std::min(cover.x0, centre.x - reach - low.x);
        cover.y0 = std::min(cover.y0, centre.y - reach - low.y);
        cover.x1 = std::max(cover.x1, centre.x + reach - high.x);
        cover.y1 = std::max(cover.y1, centre.y + reach - high.y);
    }
    return cover;
}
} // namespace

TreeV_MapMove::TreeV_MapMove(Map* map, ObjectList* objects) : MapMove(objects)
{
    // Every group, and every centre a mover turns about, is looked up before anything is built: a
    // constructor that throws runs no destructor.
    for (TreeV_GroupId const id : TreeV_MoverIds)
    {
        map->RequireGroup(id);
        double value = 0.0;
        Pointf centre;
        TreeV_MapMoveGroup(id).Motion(map, 0, value, centre);
    }
    moveGroupCount = TreeV_MapMove_GroupCount;
    moveGroups = new MapMoveGroup*[TreeV_MapMove_GroupCount];
    for (int i = 0; i < TreeV_MapMove_GroupCount; i++)
        moveGroups[i] = new TreeV_MapMoveGroup(TreeV_MoverIds[i]);
    FindCoverage(map);
    // Bounds are taken with the covers, so that a group moves whenever any of its sweep is seen.
    Init(map);
}

TreeV_MapMove::~TreeV_MapMove()
{
    for (int i = 0; i < moveGroupCount; i++)
        delete moveGroups[i];
    delete[] moveGroups;
}

void TreeV_MapMove::FindCoverage(Map* map)
{
    for (TreeV_Cover const& c : TreeV_Covers)
        map->SetGroupCover(c.group, &c.margins);
    Rectf const flipper = FlipperCover(map);
    map->SetGroupCover(TreeV_Flipper, &flipper);
}

TreeV_MapMoveGroup const* TreeV_MapMove::GetMover(int i) const
{
    assert(i >= 0 && i < moveGroupCount);
    return static_cast<TreeV_MapMoveGroup const*>(moveGroups[i]);
}
