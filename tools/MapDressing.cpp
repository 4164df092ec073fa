// Dressing a generated map once its shapes are laid out: outlines, paving and fitted pictures.
#include "tools/MapDressing.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace MapDressing
{

namespace
{

// An outer wall's top rises this much per unit across: over 60 degrees, which stops a walk and
// slides a body off.
constexpr double OuterWall_Steepness = 2.0;

// Corners run clockwise with y up, so the outward normal of an edge from a to b is (-dy, dx).
struct Edge
{
    MapWriter_Point const* a;
    MapWriter_Point const* b;
    double nx, ny; // the outward normal, unit length
    double length;
};

Edge EdgeOf(MapWriter_Poly const& poly, std::size_t i)
{
    MapWriter_Point const& a = poly.points[i];
    MapWriter_Point const& b = poly.points[(i + 1) % poly.points.size()];
    double const dx = b.x - a.x, dy = b.y - a.y;
    double const length = std::hypot(dx, dy);
    return Edge{&a, &b, length > 0.0 ? -dy / length : 0.0, length > 0.0 ? dx / length : 0.0, length};
}

bool Inside(MapWriter_Poly const& poly, double x, double y)
{
    for (std::size_t i = 0; i < poly.points.size(); ++i)
    {
        Edge const e = EdgeOf(poly, i);
        if ((x - e.a->x) * e.nx + (y - e.a->y) * e.ny >= 0.0)
            return false;
    }
    return true;
}

// A top a player can stand on: facing up, steep at most as a 60 degree slope, with open air just above
// its middle.
bool ExposedTop(MapWriter const& map, MapWriter_Poly const& poly, Edge const& e)
{
    if (!poly.solid || e.ny < 0.5 || e.length < 1e-9)
        return false;
    double const mx = (e.a->x + e.b->x) / 2.0 + e.nx, my = (e.a->y + e.b->y) / 2.0 + e.ny;
    return !Covered(map, mx, my, poly.group, &poly);
}

} // namespace

bool Covered(MapWriter const& map, double x, double y, unsigned int group, MapWriter_Poly const* skip)
{
    for (MapWriter_Poly const& p : map.polys)
        if (&p != skip && p.solid && p.group == group && Inside(p, x, y))
            return true;
    return false;
}

void OutlineTops(MapWriter& map)
{
    std::vector<std::vector<bool>> tops;
    for (MapWriter_Poly const& poly : map.polys)
    {
        std::vector<bool> flags;
        for (std::size_t i = 0; i < poly.points.size(); ++i)
            flags.push_back(ExposedTop(map, poly, EdgeOf(poly, i)));
        tops.push_back(flags);
    }
    for (std::size_t p = 0; p < map.polys.size(); ++p)
        for (std::size_t i = 0; i < map.polys[p].points.size(); ++i)
            map.polys[p].points[i].drawEdge = tops[p][i];
}

void Pave(MapWriter& map, unsigned int ground, unsigned int surface, double depth)
{
    std::vector<MapWriter_Poly> bands;
    for (MapWriter_Poly const& poly : map.polys)
    {
        if (poly.texture != ground || poly.group != 0)
            continue;
        for (std::size_t i = 0; i < poly.points.size(); ++i)
        {
            Edge const e = EdgeOf(poly, i);
            if (!ExposedTop(map, poly, e))
                continue;
            MapWriter_Poly band{surface, 0, false, false, {}};
            band.points = {{e.a->x, e.a->y, e.a->x / depth, 1.0, false},
                           {e.b->x, e.b->y, e.b->x / depth, 1.0, false},
                           {e.b->x, e.b->y - depth, e.b->x / depth, 0.0, false},
                           {e.a->x, e.a->y - depth, e.a->x / depth, 0.0, false}};
            bands.push_back(band);
        }
    }
    for (MapWriter_Poly const& band : bands)
        map.AddPoly(band);
}

void OuterWall(MapWriter& map, double x0, double y0, double x1, double y1, bool outsideLeft, unsigned int texture)
{
    double const rise = OuterWall_Steepness * (x1 - x0);
    double const left = outsideLeft ? y1 + rise : y1;
    double const right = outsideLeft ? y1 : y1 + rise;
    MapWriter_Poly wall{texture, 0, true, false, {}};
    for (auto [x, y] : {std::pair(x0, y0), std::pair(x0, left), std::pair(x1, right), std::pair(x1, y0)})
        wall.points.push_back({x, y, x / 64.0, y / 64.0, true});
    map.AddPoly(wall);
}

void Fit(MapWriter_Poly& poly)
{
    double x0 = 1e30, y0 = 1e30, x1 = -1e30, y1 = -1e30;
    for (MapWriter_Point const& p : poly.points)
    {
        x0 = std::min(x0, p.x);
        y0 = std::min(y0, p.y);
        x1 = std::max(x1, p.x);
        y1 = std::max(y1, p.y);
    }
    for (MapWriter_Point& p : poly.points)
    {
        p.u = (p.x - x0) / std::max(1e-9, x1 - x0);
        p.v = (p.y - y0) / std::max(1e-9, y1 - y0);
    }
}

void FitAcross(MapWriter_Poly& poly, double across)
{
    double y0 = 1e30, y1 = -1e30;
    for (MapWriter_Point const& p : poly.points)
    {
        y0 = std::min(y0, p.y);
        y1 = std::max(y1, p.y);
    }
    for (MapWriter_Point& p : poly.points)
    {
        p.u = p.x / across;
        p.v = (p.y - y0) / std::max(1e-9, y1 - y0);
    }
}

} // namespace MapDressing
