// Map: the collision grid, movement and surface queries, and drawing by layer.
#include "engine/Map.h"

#include "engine/Poly.h"
#include "engine/PolyBatch.h"
#include "engine/PolyPoint.h"
#include "media/Image.h"
#include "media/Textures.h"
#include "util/Error.h"
#include "util/Util.h"

#include <GL/gl.h>

#include <algorithm>
#include <array>
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
                    auto const at = std::lower_bound(cell.groupIds.begin(), cell.groupIds.end(), group);
                    if (at == cell.groupIds.end() || *at != group)
                        cell.groupIds.insert(at, group);
                }
            }
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

void Map::MarkVisible()
{
    assert(groups != nullptr);
    memset(polyVisible, 0, polyCount);
    int c0 = 0;
    int r0 = 0;
    int c1 = 0;
    int r1 = 0;
    CellsUnder(ScreenRect(), c0, r0, c1, r1);
    for (int r = r0; r <= r1; ++r)
    {
        for (int c = c0; c <= c1; ++c)
        {
            FlatList<unsigned int> const& list = *groups[c][r]->polyList;
            for (int i = 0; i < list.Count(); ++i)
            {
                if (hiddenGroup == 0 || GetPoly(list[i])->group != hiddenGroup)
                    polyVisible[list[i]] = 1;
            }
        }
    }
}

void Map::Render(Tick time, Map_Render_Flags flags)
{
    // In depth order the marks of RenderOpaqueFirst stand for the frame.
    if (!depthOrdered)
        MarkVisible();
    auto drawn = [&](unsigned int i) {
        bool const fore = GetPoly(i)->foreground;
        return polyVisible[i] != 0 && ((fore && (flags & Map_Render_Fore) != 0) || (!fore && (flags & Map_Render_Back) != 0));
    };
    if (!depthOrdered)
    {
        PolyBatch batch(textures, &view, time);
        for (unsigned int i = 0; i < polyCount; ++i)
            if (drawn(i))
                batch.Draw(GetPoly(i));
        return;
    }
    // What RenderOpaqueFirst left: fills that blend, in order, each at its own depth. Every
    // outline is opaque and drawn already.
    bool const blending = glIsEnabled(GL_BLEND) == GL_TRUE;
    if (!blending || textures == nullptr)
        return;
    glDepthRange(0.0, 1.0);
    bool texturing = false;
    for (unsigned int i = 0; i < polyCount; ++i)
    {
        Poly const* poly = GetPoly(i);
        if (!drawn(i) || polyVisible[i] == DrawnFirst || poly->texture == 0)
            continue;
        Image const* frame = textures->GetFrame(time, poly->texture);
        if (!texturing)
        {
            glEnable(GL_TEXTURE_2D);
            glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
            texturing = true;
        }
        DrawFillAtDepth(i, frame, TextureRatio(poly));
    }
    if (texturing)
        glDisable(GL_TEXTURE_2D);
}

double Map::TextureRatio(Poly const* poly) const
{
    Image const* first = textures->GetImage(poly->texture);
    return double(first->GetWidth()) / double(first->GetHeight());
}

void Map::DrawFillAtDepth(unsigned int index, Image const* frame, double ratio) const
{
    Poly const* poly = GetPoly(index);
    float const z = SlotZ(FillSlot(index));
    frame->Associate();
    glBegin(GL_POLYGON);
    for (int k = 0; k < poly->Points(); ++k)
        poly->GetPointPtr(k)->Render(&view, ratio, z);
    glEnd();
}

int Map::FillSlot(unsigned int index) const
{
    // Slot 0 is the backdrop's, then the back layer's fills and outlines, one slot for the
    // objects, and the fore layer's, each layer in the polygons' order.
    int const slot = 1 + 2 * int(index);
    return GetPoly(index)->foreground ? slot + 2 * int(polyCount) + 1 : slot;
}

namespace
{
constexpr int DepthSlots = 1 << 16;

double SlotDepth(int slot)
{
    return (slot + 0.5) / DepthSlots;
}
} // namespace

double Map::BackdropDepth() const
{
    return SlotDepth(0);
}

double Map::ObjectsDepth() const
{
    return SlotDepth(2 * int(polyCount) + 1);
}

float Map::SlotZ(int slot) const
{
    return float((2.0 * SlotDepth(slot) - 1.0 - zOffset) / zScale);
}

bool Map::RenderOpaqueFirst(Tick time)
{
    depthOrdered = false;
    if (textures == nullptr || 4 * std::uint64_t(polyCount) + 4 > DepthSlots)
        return false;
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    if (depthBits < 24)
        return false;
    GLfloat projection[16] = {};
    GLfloat model[16] = {};
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, model);
    // A vertex's z must move its depth alone, and x and y must not move it: no perspective, and
    // z neither taken from nor given to x and y.
    for (int i : {2, 3, 6, 7, 8, 9, 11})
        if (projection[i] != 0.0f || model[i] != 0.0f)
            return false;
    if (projection[15] != 1.0f || model[15] != 1.0f || projection[10] == 0.0f || model[10] == 0.0f)
        return false;
    // Normalised depth = projection z row applied to the model's z: p10 * (m10 * z + m14) + p14.
    zScale = double(projection[10]) * double(model[10]);
    zOffset = double(projection[10]) * double(model[14]) + double(projection[14]);
    // What lies between -1 and 1 once projected is on screen.
    auto unproject = [&](double ndc, int axis) {
        return ((ndc - projection[12 + axis]) / projection[5 * axis] - model[12 + axis]) / model[5 * axis];
    };
    screen = Rectf(std::min(unproject(-1.0, 0), unproject(1.0, 0)), std::min(unproject(-1.0, 1), unproject(1.0, 1)),
                   std::max(unproject(-1.0, 0), unproject(1.0, 0)), std::max(unproject(-1.0, 1), unproject(1.0, 1)));

    MarkVisible();
    // The depth mask holds back clearing as well as writing.
    glDepthMask(GL_TRUE);
    glClearDepth(0.0);
    glClear(GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_GREATER);
    glDepthRange(0.0, 1.0);
    bool const blending = glIsEnabled(GL_BLEND) == GL_TRUE;
    glDisable(GL_TEXTURE_2D);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glLineWidth(1.0f);

    // With distinct depths and GL_GREATER each pixel ends with whatever reaches it at the highest
    // depth, whatever the order: the outlines go first, together, then the fills front to back, so
    // that those behind mostly fail the depth test before their texture is sampled.
    glBegin(GL_LINES);
    for (unsigned int i = 0; i < polyCount; ++i)
    {
        Poly const* poly = GetPoly(i);
        if (polyVisible[i] == 0)
            continue;
        float const z = SlotZ(FillSlot(i) + 1);
        for (int k = 0; k < poly->Points(); ++k)
        {
            PolyPoint const* point = poly->GetPointPtr(k);
            if (!point->drawEdge)
                continue;
            Pointf const from = point->pos.WorldToScreen(&view);
            Pointf const to = poly->GetPointPtr(k + 1)->pos.WorldToScreen(&view);
            glVertex3f(float(from.x), float(from.y), z);
            glVertex3f(float(to.x), float(to.y), z);
        }
    }
    glEnd();

    // A fill that blends a texel of full alpha over anything gives the texel; without blending,
    // every fill covers what lies beneath.
    if (blending)
        glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    for (bool const fore : {true, false})
    {
        for (unsigned int i = polyCount; i-- > 0;)
        {
            Poly const* poly = GetPoly(i);
            if (polyVisible[i] == 0 || poly->foreground != fore || poly->texture == 0)
                continue;
            Image const* frame = textures->GetFrame(time, poly->texture);
            double const ratio = TextureRatio(poly);
            if (blending && !FillsOpaque(poly, frame, ratio))
                continue;
            polyVisible[i] = DrawnFirst;
            DrawFillAtDepth(i, frame, ratio);
        }
    }
    glDisable(GL_TEXTURE_2D);
    if (blending)
        glEnable(GL_BLEND);
    glDepthMask(GL_FALSE);
    Image::CheckGlError();
    depthOrdered = true;
    return true;
}

bool Map::FillsOpaque(Poly const* poly, Image const* frame, double ratio) const
{
    if (frame->SamplesOpaque())
        return true;
    int const n = poly->Points();
    if (n < 3)
        return false;
    std::vector<Pointf> at(std::size_t(n), Pointf(0.0, 0.0));
    double s0 = HUGE_VAL, s1 = -HUGE_VAL, t0 = HUGE_VAL, t1 = -HUGE_VAL;
    for (int k = 0; k < n; ++k)
    {
        PolyPoint const* point = poly->GetPointPtr(k);
        at[std::size_t(k)] = point->pos.WorldToScreen(&view);
        s0 = std::min(s0, point->tex.x);
        s1 = std::max(s1, point->tex.x);
        t0 = std::min(t0, point->tex.y * ratio);
        t1 = std::max(t1, point->tex.y * ratio);
    }
    // Where the texture coordinates are one plane over the polygon (as a map's are), the part of
    // the polygon on screen reaches only the coordinates that plane gives the screen's corners.
    int b = 1;
    int c = 2;
    double best = 0.0;
    for (int j = 1; j < n; ++j)
        for (int k = j + 1; k < n; ++k)
        {
            double const cross = (at[j].x - at[0].x) * (at[k].y - at[0].y) - (at[j].y - at[0].y) * (at[k].x - at[0].x);
            if (std::fabs(cross) > std::fabs(best))
            {
                best = cross;
                b = j;
                c = k;
            }
        }
    if (std::fabs(best) < 1.0)
        return frame->SamplesOpaqueWithin(s0, s1, t0, t1);
    PolyPoint const* const p0 = poly->GetPointPtr(0);
    PolyPoint const* const pb = poly->GetPointPtr(b);
    PolyPoint const* const pc = poly->GetPointPtr(c);
    double const bx = at[b].x - at[0].x, by = at[b].y - at[0].y;
    double const cx = at[c].x - at[0].x, cy = at[c].y - at[0].y;
    // coordinate(x, y) = coordinate at point 0 + gx * (x - x0) + gy * (y - y0), for s and for t
    auto plane = [&](double v0, double vb, double vc) {
        double const db = vb - v0;
        double const dc = vc - v0;
        return std::array<double, 3>{v0, (db * cy - dc * by) / best, (dc * bx - db * cx) / best};
    };
    std::array<double, 3> const sp = plane(p0->tex.x, pb->tex.x, pc->tex.x);
    std::array<double, 3> const tp = plane(p0->tex.y * ratio, pb->tex.y * ratio, pc->tex.y * ratio);
    auto value = [&](std::array<double, 3> const& q, double x, double y) {
        return q[0] + q[1] * (x - at[0].x) + q[2] * (y - at[0].y);
    };
    for (int k = 0; k < n; ++k)
    {
        PolyPoint const* point = poly->GetPointPtr(k);
        if (std::fabs(value(sp, at[k].x, at[k].y) - point->tex.x) > 1.0e-6
            || std::fabs(value(tp, at[k].x, at[k].y) - point->tex.y * ratio) > 1.0e-6)
            return frame->SamplesOpaqueWithin(s0, s1, t0, t1);
    }
    double ss0 = HUGE_VAL, ss1 = -HUGE_VAL, ts0 = HUGE_VAL, ts1 = -HUGE_VAL;
    for (double const x : {screen.x0, screen.x1})
        for (double const y : {screen.y0, screen.y1})
        {
            ss0 = std::min(ss0, value(sp, x, y));
            ss1 = std::max(ss1, value(sp, x, y));
            ts0 = std::min(ts0, value(tp, x, y));
            ts1 = std::max(ts1, value(tp, x, y));
        }
    return frame->SamplesOpaqueWithin(std::max(s0, ss0), std::min(s1, ss1), std::max(t0, ts0), std::min(t1, ts1));
}

void Map::EndDepthOrder()
{
    if (!depthOrdered)
        return;
    glDisable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
    glDepthRange(0.0, 1.0);
    depthOrdered = false;
}
