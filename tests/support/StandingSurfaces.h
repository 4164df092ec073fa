// Test support: where a player can be put down on a world's map, and the walls he must stay within.
// A standing surface is an outer top edge of a solid polygon of the static map (group 0) no steeper
// than a walk climbs, at least a player wide, where his box stood at its middle meets no solid and
// lies inside the bounds of the map's solid polygons (a roof over the whole map is not stood on). A world whose player
// changes size gives the sizes he takes: each surface is stood on at the largest of them that fits there (a corridor is
// built for the size it lets through), or, given the sizes likeliest at each place, at the first of those that fits.
// Edges on one line that touch end to end (a floor laid in tiles) make one surface. The walls are the bounding box of
// the static map's solid polygons: a player left, right or below it has got out of the world (above it is open sky).
//
//     MapWalls const walls = MapWalls::Of(*world->GetMap());
//     for (StandingSurface const& s : StandingSurfaces(*world->GetMap(), {player->GetScale()}))
//         PutPlayer(*world, s.Middle(), s.scale);
#pragma once

#include "engine/Map.h"
#include "engine/Player.h"
#include "engine/Player_Sprites.h"
#include "engine/Poly.h"
#include "puzzles/World_Base.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

constexpr double StandingSurface_Steepest = 1.0; // rise over run: the steepest edge a player stands on (45 degrees)
constexpr double StandingSurface_Seam = 0.5;     // how near two edges' ends touch, and how near a line

struct MapWalls
{
    double x0 = 0.0, y0 = 0.0, x1 = 0.0, y1 = 0.0;

    bool Outside(Pointf p) const { return p.x < x0 || p.x > x1 || p.y < y0; }

    static MapWalls Of(Map const& map)
    {
        MapWalls w{1e300, 1e300, -1e300, -1e300};
        for (unsigned int i = 0; i < map.polyCount; ++i)
        {
            Poly const* poly = map.polys[int(i)];
            if (!poly->solid || poly->group != 0)
                continue;
            for (int k = 0; k < poly->Points(); ++k)
            {
                Pointf const p = poly->points[k]->pos;
                w = {std::min(w.x0, p.x), std::min(w.y0, p.y), std::max(w.x1, p.x), std::max(w.y1, p.y)};
            }
        }
        return w;
    }
};

struct StandingSurface
{
    Pointf a, b;        // left end, right end
    double scale = 1.0; // the player's size on it
    Pointf Middle() const { return Pointf((a.x + b.x) / 2.0, (a.y + b.y) / 2.0); }
};

namespace StandingSurfaces_Detail
{

// Whether a solid polygon of the map, as it stands now, reaches into the box.
inline bool Blocked(Map const& map, Rectf const& box)
{
    Pointf const centre((box.x0 + box.x1) / 2.0, (box.y0 + box.y1) / 2.0);
    for (unsigned int i = 0; i < map.polyCount; ++i)
    {
        Poly const* poly = map.polys[int(i)];
        if (!poly->solid || !Map::BoundsTouch(poly->bound, box))
            continue;
        if (poly->Hit(&box) || poly->Hit(&centre) == 0)
            return true;
    }
    return false;
}

// The height of the line through s at x.
inline double At(StandingSurface const& s, double x)
{
    return s.a.y + (s.b.y - s.a.y) * (x - s.a.x) / (s.b.x - s.a.x);
}

} // namespace StandingSurfaces_Detail

// The sizes a player may have at a place, the likeliest first: each surface is stood on at the
// first of them that fits there.
using StandingSurface_Sizes = std::function<std::vector<double>(Pointf at)>;

// The upward edges of the map's static solid polygons no steeper than a walk climbs, whether or not a
// player fits over them, left to right (edges on one line that touch end to end as one).
inline std::vector<StandingSurface> StandingEdges(Map const& map)
{
    using namespace StandingSurfaces_Detail;
    // Clockwise outlines: an edge running rightwards has the polygon below it.
    std::vector<StandingSurface> edges;
    for (unsigned int i = 0; i < map.polyCount; ++i)
    {
        Poly const* poly = map.polys[int(i)];
        if (!poly->solid || poly->group != 0)
            continue;
        int const n = poly->Points();
        for (int k = 0; k < n; ++k)
        {
            PolyPoint const* from = poly->points[k];
            Pointf const a = from->pos;
            Pointf const b = poly->points[(k + 1) % n]->pos;
            if (from->internal || b.x - a.x <= 0.0 || std::fabs(b.y - a.y) > StandingSurface_Steepest * (b.x - a.x))
                continue;
            edges.push_back({a, b});
        }
    }
    std::sort(edges.begin(), edges.end(),
              [](auto const& l, auto const& r) { return l.a.x < r.a.x || (l.a.x == r.a.x && l.a.y < r.a.y); });
    // Edges on one line whose ends touch or overlap become one.
    std::vector<StandingSurface> merged;
    std::vector<bool> taken(edges.size(), false);
    for (std::size_t i = 0; i < edges.size(); ++i)
    {
        if (taken[i])
            continue;
        StandingSurface s = edges[i];
        for (std::size_t j = i + 1; j < edges.size() && edges[j].a.x <= s.b.x + StandingSurface_Seam; ++j)
        {
            StandingSurface const& e = edges[j];
            if (taken[j] || std::fabs(At(s, e.a.x) - e.a.y) > StandingSurface_Seam
                || std::fabs(At(s, e.b.x) - e.b.y) > StandingSurface_Seam)
                continue;
            taken[j] = true;
            if (e.b.x > s.b.x)
                s.b = e.b;
        }
        merged.push_back(s);
    }
    return merged;
}

// The map's standing surfaces for a player of the sizes given, at each the first that fits, left to
// right.
inline std::vector<StandingSurface> StandingSurfaces(Map const& map, StandingSurface_Sizes const& sizesAt)
{
    using namespace StandingSurfaces_Detail;
    MapWalls const walls = MapWalls::Of(map);
    std::vector<StandingSurface> standing;
    for (StandingSurface s : StandingEdges(map))
    {
        Pointf const m = s.Middle();
        if (walls.Outside(m))
            continue;
        for (double scale : sizesAt(m))
        {
            double const wide = Player_Width * scale;
            double const tall = Player_Height * scale;
            // Above the edge's rise under his width.
            double const rise = std::fabs(s.b.y - s.a.y) / (s.b.x - s.a.x) * wide / 2.0;
            Rectf const box(m.x - wide / 2.0, m.y + rise + 1.0, m.x + wide / 2.0, m.y + rise + tall);
            bool const inside = box.x0 >= walls.x0 && box.x1 <= walls.x1 && box.y1 <= walls.y1;
            if (s.b.x - s.a.x >= wide && inside && !Blocked(map, box))
            {
                s.scale = scale;
                standing.push_back(s);
                break;
            }
        }
    }
    return standing;
}

// The map's standing surfaces for a player of the sizes given, each stood on at the largest that
// fits there (a corridor is built for the size it lets through).
inline std::vector<StandingSurface> StandingSurfaces(Map const& map, std::vector<double> scales)
{
    std::sort(scales.begin(), scales.end(), std::greater<>());
    return StandingSurfaces(map, [&](Pointf) { return scales; });
}

// Puts the player on his feet at p, of the size given, at rest, the camera on him.
inline void PutPlayer(World_Base& world, Pointf p, double scale)
{
    Player* player = world.GetPlayer();
    player->SetScale(scale);
    player->scale = scale;
    player->SetUpStats();
    player->pos = Pointf(p.x, p.y + 1.0);
    player->speed = 0.0;
    player->fallSpeed = 0.0;
    player->jumpSpeed = 0.0;
    player->SetCameraPos(true);
}
