// MapBase: reading the map file, camera operations, group placement and plain drawing.
#include "engine/MapBase.h"

#include "engine/MapReader.h"
#include "engine/Poly.h"
#include "engine/PolyBatch.h"
#include "media/Image.h"
#include "media/Textures.h"
#include "util/Error.h"
#include "util/LineEq.h"
#include "util/Rectf.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cmath>
#include <compare>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace
{
constexpr uint32_t PolyHeadSize = 20;
// Group numbers size per-group tables; real maps use a few dozen.
constexpr uint32_t MaxGroup = 65535;
constexpr double MinScale = 1.0e-4;
constexpr double MaxScale = 1.0e4;
// How far outside its polygons a map may place things: a start point, a camera stop or a path
// beyond it would put them in the void.
constexpr double RefPointReach = 10000.0;

// Seams are found by filing every edge under the cells its two ends lie in, on a grid of this
// many cells per unit. Half a cell is added before rounding down, so that whole and simple
// fractional coordinates lie mid-cell rather than on a cell's border.
constexpr double SeamCellsPerUnit = 65536.0;
// Beyond what a file can hold; clamping there keeps far-off test points out of integer overflow.
constexpr double SeamCellLimit = 4.0e18;
// Every value within the tolerance of v lies between v - SeamReach and v + SeamReach as they are
// rounded (where a step of the doubles is Eps or more, only v itself is within it), so the cells
// to look in for it run from the one under the first to the one under the second.
constexpr double SeamReach = 2.0 * Util::Eps;

int64_t SeamCell(double v)
{
    double const cell = std::floor(v * SeamCellsPerUnit + 0.5);
    return int64_t(std::clamp(cell, -SeamCellLimit, SeamCellLimit));
}

// The cells of an edge's first and second ends.
struct SeamKey
{
    int64_t x0;
    int64_t y0;
    int64_t x1;
    int64_t y1;

    auto operator<=>(SeamKey const&) const = default;
};

struct SeamEdge
{
    SeamKey key;
    unsigned int poly;
    int edge;
};

bool IsFinite(Pointf const& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y);
}
} // namespace

MapBase::MapBase(Textures const* textureList, FILE* file, char const* name)
    : view{0.0, 0.0, 1.0}, passGroups{0, 0}, textures(textureList), polys(), polyCount(0), refPoints(), fileName{}
{
    snprintf(fileName, sizeof fileName, "%s", name != nullptr ? name : "map");
    MapReader reader(file, fileName);
    uint32_t const n = reader.ReadCount(PolyHeadSize);
    view.x = reader.ReadCoordinate();
    view.y = reader.ReadCoordinate();
    view.scale = reader.ReadDouble();
    // Every camera operation divides by the scale, and the screen must stay a sane part of the world.
    if (!(view.scale >= MinScale && view.scale <= MaxScale))
        reader.Fail();
    polys.Init(PtrList_Fixed, int(n));
    for (uint32_t i = 0; i < n; ++i)
    {
        Poly* const poly = new Poly(reader);
        polys.AddItem(poly);
        if (poly->group > MaxGroup)
            reader.Fail();
        // Drawn with entry 0 instead, the map would look wrong without a word.
        if (textures != nullptr && poly->texture != 0 && !textures->HasEntry(poly->texture))
        {
            std::string const text = std::string(fileName) + ": texture " + std::to_string(poly->texture)
                                     + " has no entry in " + textures->FileName();
            throw Error(Error_ParseFile, text.c_str());
        }
    }
    polyCount = n;
    filters.resize(n);
    byGroup.reserve(n);
    for (unsigned int i = 0; i < n; ++i)
    {
        RefreshFilter(i);
        byGroup.emplace_back(polys[int(i)]->group, i);
    }
    std::sort(byGroup.begin(), byGroup.end());
    FindInternalEdges();
    refPoints.Read(reader);
    CheckRefPoints();
    passGroups[0] = 0;
    passGroups[1] = 0;
}

void MapBase::CheckRefPoints() const
{
    if (polyCount == 0)
        return;
    Rectf reach = *GetPoly(0)->GetBound();
    for (unsigned int i = 1; i < polyCount; ++i)
        reach.Union(GetPoly(i)->GetBound());
    reach =
        Rectf(reach.x0 - RefPointReach, reach.y0 - RefPointReach, reach.x1 + RefPointReach, reach.y1 + RefPointReach);
    for (int i = 0; i < refPoints.Count(); ++i)
    {
        if (reach.Contains(&refPoints[i].position))
            continue;
        char text[200];
        snprintf(text, sizeof text, "%s: reference point %u lies far outside the map", fileName, refPoints[i].id);
        throw Error(Error_ParseFile, text);
    }
}

MapBase::~MapBase() = default;

bool MapBase::CheckPoint(Pointf const* p, unsigned int& poly, bool anyPoly) const
{
    for (unsigned int i = polyCount; i-- > 0;)
    {
        Poly const* candidate = GetPoly(i);
        if ((candidate->solid || anyPoly) && candidate->Hit(p) == 0)
        {
            poly = i;
            return true;
        }
    }
    return false;
}

Pointf MapBase::GetRefPoint(unsigned int id) const
{
    if (idWatch != nullptr)
        idWatch->Asked(*this, false, id);
    Pointf found(0.0, 0.0);
    if (!refPoints.GetPoint(id, found))
    {
        char text[200];
        snprintf(text, sizeof text, "%s: no reference point %u", fileName, id);
        throw Error(Error_ParseFile, text);
    }
    return found;
}

void MapBase::RequireGroup(unsigned int groupId) const
{
    if (idWatch != nullptr)
        idWatch->Asked(*this, true, groupId);
    for (unsigned int i = 0; i < polyCount; ++i)
        if (GetPoly(i)->group == groupId)
            return;
    char text[200];
    snprintf(text, sizeof text, "%s: no map group %u", fileName, groupId);
    throw Error(Error_ParseFile, text);
}

unsigned int MapBase::GetGroup(unsigned int poly) const
{
    return GetPoly(poly)->group;
}

unsigned int MapBase::NextGroupId() const
{
    unsigned int highest = 0;
    for (unsigned int i = 0; i < polyCount; ++i)
    {
        if (GetPoly(i)->group > highest)
            highest = GetPoly(i)->group;
    }
    return highest + 1;
}

double MapBase::GetSurfaceAngle(unsigned int poly, unsigned int edge) const
{
    return GetPoly(poly)->GetSurfaceAngle(edge);
}

bool MapBase::GetIntersect(unsigned int poly1, unsigned int edge1, unsigned int poly2, unsigned int edge2, Pointf& out)
{
    return GetPoly(poly1)->GetIntersect(edge1, GetPoly(poly2), edge2, out);
}

bool MapBase::GetIntersectWith(unsigned int poly, unsigned int edge, LineEq const* line, Pointf& out)
{
    return GetPoly(poly)->GetIntersectWith(edge, line, out);
}

void MapBase::MoveGroup(unsigned int groupId, double dx, double dy)
{
    Placed(groupId) = MapBase_Placement{MapBase_Placement::Offset,
                                        {std::bit_cast<std::uint64_t>(dx), std::bit_cast<std::uint64_t>(dy), 0}};
    auto const [first, last] = std::equal_range(byGroup.begin(), byGroup.end(), std::make_pair(groupId, 0u),
                                                [](auto const& x, auto const& y) { return x.first < y.first; });
    for (auto it = first; it != last; ++it)
    {
        polys[int(it->second)]->PosFromStart(dx, dy);
        RefreshFilter(it->second);
    }
}

void MapBase::RotateGroup(unsigned int groupId, Pointf const* centre, double angle)
{
    Placed(groupId) = MapBase_Placement{MapBase_Placement::Turned,
                                        {std::bit_cast<std::uint64_t>(centre->x), std::bit_cast<std::uint64_t>(centre->y),
                                         std::bit_cast<std::uint64_t>(angle)}};
    auto const [first, last] = std::equal_range(byGroup.begin(), byGroup.end(), std::make_pair(groupId, 0u),
                                                [](auto const& x, auto const& y) { return x.first < y.first; });
    for (auto it = first; it != last; ++it)
    {
        polys[int(it->second)]->RotateFromStart(centre, angle);
        RefreshFilter(it->second);
    }
}

MapBase_Placement& MapBase::Placed(unsigned int groupId)
{
    if (groupId >= placements.size())
        placements.resize(std::size_t(groupId) + 1);
    return placements[groupId];
}

void MapBase::RefreshFilter(unsigned int i)
{
    Poly const* poly = polys[int(i)];
    filters[i] = Poly_Filter{*poly->GetBound(), poly->group, poly->solid};
}

void MapBase::NoInternal(unsigned int groupId)
{
    for (unsigned int i = 0; i < polyCount; ++i)
    {
        if (polys[int(i)]->group == groupId)
            polys[int(i)]->NoInternal();
    }
}

std::size_t MapBase::FindInternalEdges()
{
    // Points equal within the tolerance lie in the same cell or the next one over on each axis, so
    // a polygon meets in the search only the edges whose ends lie near its own. An edge that has a
    // partner is a seam, and the rule is symmetric, so each edge needs to find one partner only.
    std::vector<SeamEdge> edges;
    for (unsigned int i = 0; i < polyCount; ++i)
    {
        Poly const* poly = polys[int(i)];
        if (!poly->solid)
            continue;
        for (int e = 0; e < poly->Points(); ++e)
        {
            Pointf const from = poly->GetVertexPoint(e);
            Pointf const to = poly->GetVertexPoint(e + 1);
            // A coordinate that is not finite equals nothing.
            if (!IsFinite(from) || !IsFinite(to))
                continue;
            edges.push_back(SeamEdge{{SeamCell(from.x), SeamCell(from.y), SeamCell(to.x), SeamCell(to.y)}, i, e});
        }
    }
    std::sort(edges.begin(), edges.end(), [](SeamEdge const& a, SeamEdge const& b) { return a.key < b.key; });

    std::size_t compared = 0;
    for (SeamEdge const& edge : edges)
    {
        Poly* const poly = polys[int(edge.poly)];
        // A partner runs the other way: its first end lies by this edge's second, and so on.
        Pointf const to = poly->GetVertexPoint(edge.edge + 1);
        Pointf const from = poly->GetVertexPoint(edge.edge);
        SeamKey const lo{SeamCell(to.x - SeamReach), SeamCell(to.y - SeamReach), SeamCell(from.x - SeamReach),
                         SeamCell(from.y - SeamReach)};
        SeamKey const hi{SeamCell(to.x + SeamReach), SeamCell(to.y + SeamReach), SeamCell(from.x + SeamReach),
                         SeamCell(from.y + SeamReach)};
        bool found = false;
        for (int64_t x0 = lo.x0; x0 <= hi.x0 && !found; ++x0)
            for (int64_t y0 = lo.y0; y0 <= hi.y0 && !found; ++y0)
                for (int64_t x1 = lo.x1; x1 <= hi.x1 && !found; ++x1)
                    for (int64_t y1 = lo.y1; y1 <= hi.y1 && !found; ++y1)
                    {
                        SeamKey const key{x0, y0, x1, y1};
                        auto const [first, last] =
                            std::equal_range(edges.begin(), edges.end(), SeamEdge{key, 0, 0},
                                             [](SeamEdge const& a, SeamEdge const& b) { return a.key < b.key; });
                        for (auto it = first; it != last && !found; ++it)
                        {
                            if (it->poly == edge.poly)
                                continue;
                            ++compared;
                            found = poly->Joins(edge.edge, polys[int(it->poly)], it->edge);
                        }
                    }
        if (found)
            poly->GetPointPtr(edge.edge)->internal = true;
    }
    return compared;
}

void MapBase::MoveMap(Pointf const* centre, CameraMove mode)
{
    double const wantX = centre->x - 320.0 / view.scale;
    double const wantY = centre->y - 240.0 / view.scale;
    switch (mode)
    {
    case CameraMove_Jump:
        view.x = wantX;
        view.y = wantY;
        break;
    case CameraMove_Ease8:
        view.x += (wantX - view.x) / 8.0;
        view.y += (wantY - view.y) / 8.0;
        break;
    case CameraMove_Ease4:
        view.x += (wantX - view.x) / 4.0;
        view.y += (wantY - view.y) / 4.0;
        break;
    default:
        break;
    }
}

void MapBase::ScaleMap(double s, CameraMove mode)
{
    // A zoom that is not a positive number would leave the view unusable for the rest of the level.
    if (!(s > 0.0) || !std::isfinite(s))
        return;
    view.x += 320.0 / view.scale;
    view.y += 240.0 / view.scale;
    switch (mode)
    {
    case CameraMove_Jump:
        view.scale = s;
        break;
    case CameraMove_Ease8:
        view.scale *= std::sqrt(std::sqrt(std::sqrt(s / view.scale)));
        break;
    case CameraMove_Ease4:
        view.scale *= std::sqrt(std::sqrt(s / view.scale));
        break;
    default:
        break;
    }
    view.x -= 320.0 / view.scale;
    view.y -= 240.0 / view.scale;
}

Pointf MapBase::GetPos() const
{
    return Pointf(view.x + 320.0 / view.scale, view.y + 240.0 / view.scale);
}

Pointf MapBase::GetCentrePoint() const
{
    return Pointf(view.x + (640.0 / view.scale) / 2.0, view.y + (480.0 / view.scale) / 2.0);
}

Pointf MapBase::WorldToScreen(Pointf p) const
{
    return p.WorldToScreen(&view);
}

Pointf MapBase::ScreenToWorld(Pointf p) const
{
    return p.ScreenToWorld(&view);
}

Rectf MapBase::ScreenRect() const
{
    Pointf const lo = ScreenToWorld(Pointf(0.0, 0.0));
    Pointf const hi = ScreenToWorld(Pointf(640.0, 480.0));
    return Rectf(&lo, &hi);
}

void MapBase::Render(Tick time)
{
    Rectf const screen = ScreenRect();
    PolyBatch batch(textures, &view, time);
    for (unsigned int i = 0; i < polyCount; ++i)
    {
        if (GetPoly(i)->GetBound()->Intersect(&screen))
            batch.Draw(GetPoly(i));
    }
    batch.Finish();
    Image::CheckGlError();
}
