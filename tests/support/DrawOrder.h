// Test support: what a map's drawing order hides that a player must see. The polygons of one layer
// are drawn in the order they were written, so a picture written later over ground a player stands
// on, or over a door, plate or lift, hides it.
#pragma once

#include "engine/MapBase.h"
#include "engine/Poly.h"
#include "util/Pointf.h"
#include "util/Rectf.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace DrawOrder
{

struct Hidden
{
    unsigned int poly;  // the polygon hidden
    unsigned int cover; // the later polygon drawn over it
    Pointf at;          // a point of the hidden polygon the cover hides
    bool top;           // a standing top (else the inside of a moving group's polygon)
};

// Whether p lies inside the convex polygon or on its outline, whichever way it winds. Non-solid
// polygons have no edge lines, so this reads the corners.
inline bool Inside(Poly const& poly, Pointf const& p)
{
    int const n = poly.Points();
    if (n < 3)
        return false;
    int sign = 0;
    for (int i = 0; i < n; ++i)
    {
        Pointf const a = poly.GetVertexPoint(i);
        Pointf const b = poly.GetVertexPoint((i + 1) % n);
        double const cross = (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x);
        if (std::fabs(cross) < 1e-9 * (std::fabs(b.x - a.x) + std::fabs(b.y - a.y) + 1.0))
            continue;
        int const s = cross > 0 ? 1 : -1;
        if (sign == 0)
            sign = s;
        else if (s != sign)
            return false;
    }
    return true;
}

inline Pointf Centre(Poly const& poly)
{
    Pointf c{0.0, 0.0};
    for (int i = 0; i < poly.Points(); ++i)
    {
        c.x += poly.GetVertexPoint(i).x;
        c.y += poly.GetVertexPoint(i).y;
    }
    c.x /= poly.Points();
    c.y /= poly.Points();
    return c;
}

class Check final
{
public:
    // ignoreGroups: moving groups that are scenery (a turning wheel behind the level, say) rather
    // than something a player acts on.
    explicit Check(MapBase const& checked, std::set<unsigned int> ignoreGroups = {})
        : map(checked), ignored(std::move(ignoreGroups))
    {
    }

    // Every standing top of a drawn solid polygon, and every drawn polygon of a moving group, that a
    // later polygon of the same layer covers. Dressing that lies wholly in the ground (a paved band
    // under a top) and pictures on a group's own polygons are not covers.
    std::vector<Hidden> Find() const
    {
        std::vector<Hidden> found;
        for (unsigned int i = 0; i < Count(); ++i)
        {
            Poly const& poly = *map.polys[int(i)];
            if (poly.texture == 0 || ignored.count(poly.group) != 0)
                continue;
            if (poly.group != 0)
                Look(i, GroupSamples(poly), false, found);
            else if (poly.solid)
                Look(i, TopSamples(poly), true, found);
        }
        return found;
    }

    std::string Report(std::vector<Hidden> const& hidden) const
    {
        std::ostringstream out;
        for (Hidden const& h : hidden)
        {
            Poly const& poly = *map.polys[int(h.poly)];
            Poly const& cover = *map.polys[int(h.cover)];
            out << (h.top ? "top of polygon " : "polygon ") << h.poly << " (group " << poly.group << ") at ("
                << h.at.x << ", " << h.at.y << ") is drawn over by polygon " << h.cover << " (group " << cover.group
                << (cover.solid ? ", solid" : "") << ", bound " << cover.bound.x0 << ".." << cover.bound.x1 << " x "
                << cover.bound.y0 << ".." << cover.bound.y1 << ")\n";
        }
        return out.str();
    }

private:
    unsigned int Count() const { return unsigned(map.polys.Count()); }

    void Look(unsigned int i, std::vector<Pointf> const& samples, bool top, std::vector<Hidden>& found) const
    {
        if (samples.empty())
            return;
        Poly const& poly = *map.polys[int(i)];
        Rectf reach(samples[0].x, samples[0].y, samples[0].x, samples[0].y);
        for (Pointf const& p : samples)
            reach = Rectf(std::min(reach.x0, p.x), std::min(reach.y0, p.y), std::max(reach.x1, p.x),
                          std::max(reach.y1, p.y));
        for (unsigned int j = i + 1; j < Count(); ++j)
        {
            Poly const& cover = *map.polys[int(j)];
            if (cover.texture == 0 || cover.foreground != poly.foreground)
                continue;
            if (cover.bound.x1 < reach.x0 || cover.bound.x0 > reach.x1 || cover.bound.y1 < reach.y0 ||
                cover.bound.y0 > reach.y1)
                continue;
            if (poly.group != 0 ? cover.group == poly.group : cover.solid && cover.group == 0)
                continue;
            for (Pointf const& p : samples)
            {
                if (!Inside(cover, p) || Dressing(cover, poly.group))
                    continue;
                found.push_back({i, j, p, top});
                break;
            }
        }
    }

    // Points just under each top a player can stand on: edges facing up, not under another solid.
    std::vector<Pointf> TopSamples(Poly const& poly) const
    {
        std::vector<Pointf> samples;
        int const n = poly.Points();
        Pointf const centre = Centre(poly);
        for (int e = 0; e < n; ++e)
        {
            Pointf const a = poly.GetVertexPoint(e);
            Pointf const b = poly.GetVertexPoint((e + 1) % n);
            double const length = std::hypot(b.x - a.x, b.y - a.y);
            if (length < 1.0)
                continue;
            // The edge's normal, turned to face away from the polygon's centre.
            double nx = -(b.y - a.y) / length;
            double ny = (b.x - a.x) / length;
            if (nx * (centre.x - a.x) + ny * (centre.y - a.y) > 0)
            {
                nx = -nx;
                ny = -ny;
            }
            if (ny < 0.5) // steeper than 60 degrees, or facing down
                continue;
            for (double t : {0.1, 0.3, 0.5, 0.7, 0.9})
            {
                Pointf const on{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
                Pointf const above{on.x + nx * 2.0, on.y + ny * 2.0};
                if (InSolid(above, 0))
                    continue;
                samples.push_back({on.x - nx * 3.0, on.y - ny * 3.0});
            }
        }
        return samples;
    }

    // The centre and points half way from it to each corner.
    static std::vector<Pointf> GroupSamples(Poly const& poly)
    {
        Pointf const centre = Centre(poly);
        std::vector<Pointf> samples{centre};
        for (int i = 0; i < poly.Points(); ++i)
        {
            Pointf const v = poly.GetVertexPoint(i);
            samples.push_back({(centre.x + v.x) / 2.0, (centre.y + v.y) / 2.0});
        }
        return samples;
    }

    bool InSolid(Pointf const& p, unsigned int group) const
    {
        for (unsigned int j = 0; j < Count(); ++j)
        {
            Poly const& poly = *map.polys[int(j)];
            if (poly.solid && poly.group == group && Inside(poly, p))
                return true;
        }
        return false;
    }

    // A cover every corner of which lies in the solid ground (or on the hidden group's own
    // polygons) is dressing of that ground, not a picture in front of it.
    bool Dressing(Poly const& cover, unsigned int group) const
    {
        for (int i = 0; i < cover.Points(); ++i)
        {
            Pointf const v = cover.GetVertexPoint(i);
            if (!InSolid(v, group) && !(group != 0 && InGroup(v, group)))
                return false;
        }
        return true;
    }

    bool InGroup(Pointf const& p, unsigned int group) const
    {
        for (unsigned int j = 0; j < Count(); ++j)
        {
            Poly const& poly = *map.polys[int(j)];
            if (poly.group == group && Inside(poly, p))
                return true;
        }
        return false;
    }

    MapBase const& map;
    std::set<unsigned int> ignored;
};

// For a test: success when the map hides nothing, else a failure listing what it hides.
inline testing::AssertionResult NothingHidden(MapBase const& map, std::set<unsigned int> ignoreGroups = {})
{
    Check const check(map, std::move(ignoreGroups));
    std::vector<Hidden> const hidden = check.Find();
    if (hidden.empty())
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << check.Report(hidden);
}

} // namespace DrawOrder
