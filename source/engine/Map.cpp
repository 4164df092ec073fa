// Map: the collision grid, and the movement and surface queries.
#include "engine/Map.h"

#include "engine/Poly.h"
#include "engine/PolyPoint.h"
#include "util/Error.h"
#include "util/Util.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

namespace
{
constexpr double CellSize = 300.0;
// A grid this large can only come from a corrupt map; real worlds need a few thousand cells.
constexpr double MaxCells = 262144.0;
// Nor can this many polygon entries over all cells: a few polygons spread over a huge grid would
// otherwise take seconds and gigabytes to file.
constexpr double MaxCellEntries = 4.0 * MaxCells;
constexpr double SettleDepth = 500.0;
// Sine of the widest angle between a move and an edge that still count as running along one line. Both
// ends of a very short move near a corner lie within the tolerance of edges that run other ways.
constexpr double AlongSine = 1.0e-3;

// The stretch of one outer edge that lies on the line of a move, as distances from the move's start.
struct EdgeSpan
{
    double lo = 0.0;
    double hi = 0.0;
    double run = 0.0; // how far the edge runs along the move from its first point to its second
    Pointf loPoint;   // the end of the edge nearer the move's start

    bool Along(Poly const* poly, int i, Pointf const* a, Pointf const* b, Pointf const& dir)
    {
        PolyPoint const* p = poly->GetPointPtr(i);
        if (p->line == nullptr || p->internal)
            return false;
        if (!Util::Equal(0.0, p->LineEval(a)) || !Util::Equal(0.0, p->LineEval(b)))
            return false;
        Pointf const& q = poly->GetPointPtr(i + 1)->pos;
        double const across = (q.x - p->pos.x) * dir.y - (q.y - p->pos.y) * dir.x;
        if (std::fabs(across) > AlongSine * p->pos.Distance(&q))
            return false;
        double const uP = (p->pos.x - a->x) * dir.x + (p->pos.y - a->y) * dir.y;
        double const uQ = (q.x - a->x) * dir.x + (q.y - a->y) * dir.y;
        run = uQ - uP;
        lo = std::min(uP, uQ);
        hi = std::max(uP, uQ);
        loPoint = uP < uQ ? p->pos : q;
        return true;
    }

    // Edges of two solid polygons running opposite ways on one line have solid on both sides.
    bool Faces(EdgeSpan const& other) const { return (run < 0.0) != (other.run < 0.0); }

    // Where a move of the given length from a, along both edges' line, must stop on the stretch the two
    // share: at its near end, or at a itself when a already lies within it. False when it does not reach it.
    bool StopOnShared(EdgeSpan const& other, Pointf const& a, double length, Pointf& stop) const
    {
        double const start = std::max(lo, other.lo);
        double const end = std::min(hi, other.hi);
        if (end - start < Util::Eps || end < Util::Eps)
            return false;
        if (start < Util::Eps)
        {
            stop = a;
            return true;
        }
        if (start > length - Util::Eps)
            return false;
        stop = lo > other.lo ? loPoint : other.loPoint;
        return true;
    }
};
} // namespace

MapGroup::MapGroup() : polyList(new FlatList<unsigned int>())
{
}

MapGroup::~MapGroup()
{
    delete polyList;
}

void MapGroup::AddPoly(unsigned int poly)
{
    polyList->Extend();
    (*polyList)[polyList->Count() - 1] = poly;
}

Map::Map(Textures const* textureList, FILE* file, char const* name)
    : MapBase(textureList, file, name), hiddenGroup(0), groupCovers(nullptr), polyVisible(nullptr), minX(0.0),
      minY(0.0), maxX(0.0), maxY(0.0), cellWidth(CellSize), cellHeight(CellSize), groups(nullptr), cellsX(0), cellsY(0)
{
    polyVisible = static_cast<unsigned char*>(calloc(polyCount + 1, 1));
    if (polyVisible == nullptr)
        throw Error();
    try
    {
        groupCovers = new FlatList<Rectf>(int(NextGroupId()));
        for (int i = 0; i < groupCovers->Count(); ++i)
            (*groupCovers)[i] = Rectf(0.0, 0.0, 0.0, 0.0);
    }
    catch (...)
    {
        free(polyVisible);
        throw;
    }
}

Map::~Map()
{
    free(polyVisible);
    FreeGrid();
    delete groupCovers;
}

void Map::FreeGrid()
{
    if (groups == nullptr)
        return;
    for (int c = 0; c < cellsX; ++c)
    {
        if (groups[c] == nullptr)
            continue;
        for (int r = 0; r < cellsY; ++r)
            delete groups[c][r];
        delete[] groups[c];
    }
    delete[] groups;
    groups = nullptr;
}

void Map::SetGroupCover(unsigned int groupId, Rectf const* cover)
{
    assert(groupCovers != nullptr);
    // A group the map does not hold has nothing to cover.
    if (groupId < unsigned(groupCovers->Count()))
        (*groupCovers)[int(groupId)] = *cover;
}

void Map::FindGroupBound(unsigned int groupId, Rectf* out)
{
    bool found = false;
    Rectf bound(0.0, 0.0, 0.0, 0.0);
    for (unsigned int i = 0; i < polyCount; ++i)
    {
        Poly const* poly = GetPoly(i);
        if (poly->group != groupId)
            continue;
        if (found)
            bound.Union(poly->GetBound());
        else
            bound = *poly->GetBound();
        found = true;
    }
    if (found && groupCovers != nullptr && groupId < unsigned(groupCovers->Count()))
    {
        Rectf const& cover = (*groupCovers)[int(groupId)];
        bound = Rectf(bound.x0 + cover.x0, bound.y0 + cover.y0, bound.x1 + cover.x1, bound.y1 + cover.y1);
    }
    *out = bound;
}

void Map::PolyBound(Poly const* poly, Rectf& out) const
{
    out = *poly->GetBound();
    if (poly->group == 0 || groupCovers == nullptr || poly->group >= unsigned(groupCovers->Count()))
        return;
    Rectf const& cover = (*groupCovers)[int(poly->group)];
    out = Rectf(out.x0 + cover.x0, out.y0 + cover.y0, out.x1 + cover.x1, out.y1 + cover.y1);
}

void Map::PreprocessCollision()
{
    assert(groups == nullptr);
    if (polyCount > 0)
    {
        Pointf const first = GetPoly(0)->GetVertexPoint(0);
        minX = maxX = first.x;
        minY = maxY = first.y;
    }
    for (unsigned int i = 0; i < polyCount; ++i)
    {
        Poly const* poly = GetPoly(i);
        for (int j = 0; j < poly->Points(); ++j)
        {
            Pointf const p = poly->GetVertexPoint(j);
            if (p.x < minX - Util::Eps)
                minX = p.x;
            if (p.x > maxX + Util::Eps)
                maxX = p.x;
            if (p.y < minY - Util::Eps)
                minY = p.y;
            if (p.y > maxY + Util::Eps)
                maxY = p.y;
        }
    }
    cellWidth = CellSize;
    cellHeight = CellSize;
    double const columns = std::trunc((maxX - minX) / cellWidth) + 1.0;
    double const rows = std::trunc((maxY - minY) / cellHeight) + 1.0;
    if (columns * rows > MaxCells)
        throw Error(Error_ParseFile, fileName);
    cellsX = int(columns);
    cellsY = int(rows);
    double entries = 0.0;
    for (unsigned int i = 0; i < polyCount; ++i)
    {
        int c0 = 0;
        int r0 = 0;
        int c1 = 0;
        int r1 = 0;
        FilingRange(i, c0, r0, c1, r1);
        entries += double(c1 - c0 + 1) * double(r1 - r0 + 1);
    }
    if (entries > MaxCellEntries)
        throw Error(Error_ParseFile, fileName);

    try
    {
        groups = new MapGroup**[cellsX]();
        for (int c = 0; c < cellsX; ++c)
        {
            groups[c] = new MapGroup*[cellsY]();
            for (int r = 0; r < cellsY; ++r)
                groups[c][r] = new MapGroup();
        }
    }
    catch (std::bad_alloc const&)
    {
        FreeGrid();
        throw Error();
    }

    for (unsigned int i = 0; i < polyCount; ++i)
    {
        int c0 = 0;
        int r0 = 0;
        int c1 = 0;
        int r1 = 0;
        FilingRange(i, c0, r0, c1, r1);
        for (int r = r0; r <= r1; ++r)
        {
            for (int c = c0; c <= c1; ++c)
            {
                MapGroup& cell = *groups[c][r];
                cell.AddPoly(i);
                unsigned int const group = GetFilter(i).group;
                if (group != 0)
                {
                    cell.grouped = true;
                    // Sorted once all are in: kept sorted as they came, a cell that many groups
                    // reach would move its list along for each.
                    if (cell.groupIds.empty() || cell.groupIds.back() != group)
                        cell.groupIds.push_back(group);
                }
            }
        }
    }
    for (int c = 0; c < cellsX; ++c)
    {
        for (int r = 0; r < cellsY; ++r)
        {
            std::vector<unsigned int>& ids = groups[c][r]->groupIds;
            std::sort(ids.begin(), ids.end());
            ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
        }
    }
    delete groupCovers;
    groupCovers = nullptr;
}

void Map::FilingRange(unsigned int poly, int& c0, int& r0, int& c1, int& r1) const
{
    Rectf bound(0.0, 0.0, 0.0, 0.0);
    PolyBound(GetPoly(poly), bound);
    CellsUnder(bound, c0, r0, c1, r1);
    // A bound off the grid still files its polygon in the nearest edge cells.
    c0 = std::min(c0, cellsX - 1);
    r0 = std::min(r0, cellsY - 1);
    c1 = std::max(c1, 0);
    r1 = std::max(r1, 0);
}

void Map::CellsUnder(Rectf const& area, int& c0, int& r0, int& c1, int& r1) const
{
    Pointf const lo(area.x0, area.y0);
    Pointf const hi(area.x1, area.y1);
    GetGroupCell(&lo, c0, r0);
    GetGroupCell(&hi, c1, r1);
    c0 = std::max(c0, 0);
    r0 = std::max(r0, 0);
    c1 = std::min(c1, cellsX - 1);
    r1 = std::min(r1, cellsY - 1);
}

bool Map::CheckPoint(Pointf const* p, unsigned int& poly, bool anyPoly, unsigned int groupId) const
{
    assert(groups != nullptr);
    MapGroup const* cell = Looked(GetCellGroup(p));
    if (cell == nullptr)
        return false;
    FlatList<unsigned int> const& list = *cell->polyList;
    for (int i = list.Count() - 1; i >= 0; --i)
    {
        poly = list[i];
        Poly const* candidate = GetPoly(poly);
        if (groupId != 0 && candidate->group != groupId)
            continue;
        if (!candidate->solid && !anyPoly)
            continue;
        if (candidate->Hit(p) == 0)
            return true;
    }
    return false;
}

bool Map::TryMove(Pointf const* a, Pointf* b, unsigned int* poly, unsigned int* edge) const
{
    assert(groups != nullptr);
    if (PolyPoint::Coincide(a, b))
        return false;
    int cA = 0;
    int rA = 0;
    int cB = 0;
    int rB = 0;
    GetGroupCell(a, cA, rA);
    GetGroupCell(b, cB, rB);
    // Most moves (a step of a walk or a fall) stay in one cell.
    if (cA == cB && rA == rB)
        return TryMove(a, b, GetCellGroup(cA, rA), poly, edge);
    // Cells off the grid clip nothing, so a wild move only walks the cells that exist.
    int const c0 = std::max(std::min(cA, cB), 0);
    int const c1 = std::min(std::max(cA, cB), cellsX - 1);
    int const r0 = std::max(std::min(rA, rB), 0);
    int const r1 = std::min(std::max(rA, rB), cellsY - 1);
    bool clipped = false;
    for (int r = r0; r <= r1; ++r)
    {
        for (int c = c0; c <= c1; ++c)
        {
            if (TryMove(a, b, GetCellGroup(c, r), poly, edge))
                clipped = true;
            if (PolyPoint::Coincide(b, a))
                return clipped;
        }
    }
    return clipped;
}

bool Map::TryMove(Pointf const* a, Pointf* b, MapGroup const* cell, unsigned int* poly, unsigned int* edge) const
{
    if (Looked(cell) == nullptr)
        return false;
    Rectf reach(a, b);
    bool clipped = false;
    // Polygons with an outer edge through a: a stop along a crack needs two.
    int startOn = 0;
    // Read once: the answers written below may alias them as far as the compiler knows.
    Blocking const blocking = BlockingNow();
    FlatList<unsigned int> const& list = *cell->polyList;
    for (int i = 0; i < list.Count(); ++i)
    {
        unsigned int const index = list[i];
        if (!blocking.Blocks(GetFilter(index), reach))
            continue;
        bool on = false;
        bool const stopped = GetPoly(index)->TryMove(a, b, edge, &on);
        startOn += on ? 1 : 0;
        if (!stopped)
            continue;
        if (poly != nullptr)
            *poly = index;
        if (PolyPoint::Coincide(b, a))
        {
            *b = *a;
            return true;
        }
        reach = Rectf(a, b);
        clipped = true;
    }
    // The polygons tried against a wider move than the one left include every one that stops it
    // along a crack.
    if (startOn >= 2 && ClipAlongCracks(a, b, cell, poly, edge))
        clipped = true;
    return clipped;
}

bool Map::Blocks(unsigned int index, Rectf const& reach) const
{
    return BlockingNow().Blocks(GetFilter(index), reach);
}

bool Map::ClipAlongCracks(Pointf const* a, Pointf* b, MapGroup const* cell, unsigned int* poly,
                          unsigned int* edge) const
{
    double length = a->Distance(b);
    if (length < Util::Eps)
        return false;
    Pointf const dir((b->x - a->x) / length, (b->y - a->y) / length);
    Rectf const reach(a, b);
    FlatList<unsigned int> const& list = *cell->polyList;
    // A stop needs outer edges of two polygons through the move's start; most moves have one
    // at most (the ground they run along).
    int throughStart = 0;
    for (int i = 0; i < list.Count() && throughStart < 2; ++i)
    {
        if (!Blocks(list[i], reach))
            continue;
        Poly const* candidate = GetPoly(list[i]);
        for (int e = 0; e < candidate->Points(); ++e)
        {
            PolyPoint const* p = candidate->GetPointPtr(e);
            if (p->line != nullptr && !p->internal && Util::Equal(0.0, p->LineEval(a)))
            {
                ++throughStart;
                break;
            }
        }
    }
    if (throughStart < 2)
        return false;
    bool clipped = false;
    for (int i = 0; i < list.Count(); ++i)
    {
        if (!Blocks(list[i], reach))
            continue;
        Poly const* first = GetPoly(list[i]);
        for (int e = 0; e < first->Points(); ++e)
        {
            EdgeSpan one;
            if (!one.Along(first, e, a, b, dir))
                continue;
            for (int j = i + 1; j < list.Count(); ++j)
            {
                if (!Blocks(list[j], reach))
                    continue;
                Poly const* second = GetPoly(list[j]);
                for (int f = 0; f < second->Points(); ++f)
                {
                    EdgeSpan two;
                    if (!two.Along(second, f, a, b, dir) || !one.Faces(two))
                        continue;
                    Pointf stop(0.0, 0.0);
                    if (!one.StopOnShared(two, *a, length, stop))
                        continue;
                    *b = stop;
                    length = a->Distance(&stop);
                    if (poly != nullptr)
                        *poly = list[j];
                    if (edge != nullptr)
                        *edge = unsigned(f);
                    clipped = true;
                    if (*b == *a)
                    {
                        *b = *a;
                        return true;
                    }
                }
            }
        }
    }
    return clipped;
}

bool Map::Embedded(Pointf const* p, unsigned int* poly, unsigned int* edge) const
{
    assert(groups != nullptr);
    MapGroup const* cell = Looked(GetCellGroup(p));
    if (cell == nullptr)
        return false;
    Rectf const at(p, p);
    Blocking const blocking = BlockingNow();
    FlatList<unsigned int> const& list = *cell->polyList;
    for (int i = list.Count() - 1; i >= 0; --i)
    {
        if (!blocking.Blocks(GetFilter(list[i]), at) || GetPoly(list[i])->Hit(p) != 0)
            continue;
        if (poly != nullptr)
            *poly = list[i];
        if (edge != nullptr)
            GetPoly(list[i])->RiseThrough(p, edge);
        return true;
    }
    return false;
}

Pointf Map::FreeAbove(Pointf const* p, unsigned int* poly, unsigned int* edge) const
{
    assert(groups != nullptr);
    Pointf at = *p;
    // Each rise leaves one polygon by its top; a stack of them, joined by seams, overlapping or
    // resting on one another, is climbed one at a time. A polygon is left at most once, so the
    // climb ends.
    for (unsigned int climbed = 0; climbed <= polyCount; ++climbed)
    {
        MapGroup const* cell = Looked(GetCellGroup(&at));
        if (cell == nullptr)
            break;
        Rectf const here(&at, &at);
        bool rose = false;
        FlatList<unsigned int> const& list = *cell->polyList;
        for (int i = list.Count() - 1; i >= 0 && !rose; --i)
        {
            if (!Blocks(list[i], here))
                continue;
            unsigned int top = 0;
            double const rise = GetPoly(list[i])->RiseThrough(&at, &top);
            // A polygon just left by its top has no way up left.
            if (!(rise > Util::Eps))
                continue;
            at.y += rise;
            rose = true;
            if (poly != nullptr)
                *poly = list[i];
            if (edge != nullptr)
                *edge = top;
        }
        if (!rose)
            break;
    }
    return at;
}

// The surfaces at p give the directions nearest to angle on the sides asked for: the backward one
// turning towards smaller angles (left) and the forward one (right). Inlined with the sides known,
// so that a one-sided lean does no work for the other side.
template <bool Left, bool Right>
[[gnu::always_inline]] inline void Map::LeanSides(Pointf const* p, double angle, double& right, double& left) const
{
    assert(groups != nullptr);
    right = angle;
    left = angle;
    MapGroup const* cell = Looked(GetCellGroup(p));
    if (cell == nullptr)
        return;
    bool heldLeft = false;
    bool heldRight = false;
    double kLeft = 0.0;
    double kRight = 0.0;
    FlatList<unsigned int> const& list = *cell->polyList;
    for (int i = 0; i < list.Count(); ++i)
    {
        // Only a solid polygon whose bound holds p has a surface there.
        Poly_Filter const& filter = GetFilter(list[i]);
        if (!filter.solid || !filter.bound.Contains(p))
            continue;
        Poly const* candidate = GetPoly(list[i]);
        double a1 = 0.0;
        double a2 = 0.0;
        int const r = candidate->SurfaceAngles(p, a1, a2);
        if (Left && (r & 2) != 0
            && (!heldLeft || std::fabs(a2 - angle) < Util::Eps
                || Util::DiffAngle(angle, kLeft) > Util::DiffAngle(a2, kLeft) - Util::Eps))
        {
            kLeft = a2;
            heldLeft = true;
        }
        if (Right && (r & 1) != 0
            && (!heldRight || std::fabs(a1 - angle) < Util::Eps
                || Util::DiffAngle(kRight, angle) > Util::DiffAngle(kRight, a1) - Util::Eps))
        {
            kRight = a1;
            heldRight = true;
        }
    }
    if (heldLeft)
        left = Util::Angle(kLeft + Util::QuarterTurn);
    if (heldRight)
        right = Util::Angle(kRight - Util::QuarterTurn);
}

double Map::Lean(Pointf const* p, double angle, LeanDirection d) const
{
    double right = angle;
    double left = angle;
    if (d == LeanDirection_Left)
        LeanSides<true, false>(p, angle, right, left);
    else
        LeanSides<false, true>(p, angle, right, left);
    return d == LeanDirection_Left ? left : right;
}

void Map::LeanBoth(Pointf const* p, double angle, double& right, double& left) const
{
    LeanSides<true, true>(p, angle, right, left);
}

Pointf Map::Settle(Pointf const* p, double* angle) const
{
    Pointf end(p->x, p->y - SettleDepth);
    if (!TryMove(p, &end, nullptr, nullptr))
        return *p;
    if (angle != nullptr)
        *angle = Lean(&end, 0.0, LeanDirection_Right);
    return end;
}

void Map::ProjectileMove(Pointf* pos, Map_Projectile_Info* info) const
{
    while (info->steps > 0)
    {
        Pointf const old = *pos;
        info->velocity.y -= info->gravity;
        *pos = Pointf(pos->x + info->velocity.x, pos->y + info->velocity.y);
        if (TryMove(&old, pos, nullptr, nullptr))
        {
            // Mirror the flight about the surface normal.
            double const reverse = info->velocity.GetRevAngle();
            double const normal = Lean(pos, reverse, LeanDirection_Left);
            double const speed = info->velocity.GetSpeed();
            info->velocity.SetAngleSpeed(Util::Angle(2.0 * normal - reverse), info->bounce * speed);
        }
        info->steps -= 1;
    }
}
