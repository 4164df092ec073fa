// The generated castle's map read back from its file: nothing a player stands on, and no door, plate or
// lift, is drawn over by a polygon written after it in the same layer.
#include "castle/Casle.h"
#include "engine/Map.h"
#include "support/DrawOrder.h"
#include "support/MapIdSweep.h"
#include "support/WorldFixture.h"
#include "tools/MapWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace
{

constexpr double Overlap_Depth = 0.5; // shapes sharing an edge, or less than this, do not cover

// How far two convex shapes overlap along one axis; negative where they stand apart.
double Depth(MapWriter_Poly const& a, MapWriter_Poly const& b, double nx, double ny)
{
    auto span = [&](MapWriter_Poly const& p, double& lo, double& hi) {
        lo = std::numeric_limits<double>::max();
        hi = -lo;
        for (MapWriter_Point const& q : p.points)
        {
            double const d = q.x * nx + q.y * ny;
            lo = std::min(lo, d);
            hi = std::max(hi, d);
        }
    };
    double alo = 0.0, ahi = 0.0, blo = 0.0, bhi = 0.0;
    span(a, alo, ahi);
    span(b, blo, bhi);
    return std::min(ahi, bhi) - std::max(alo, blo);
}

// Convex shapes overlap when no edge of either separates them.
bool Overlap(MapWriter_Poly const& a, MapWriter_Poly const& b)
{
    for (MapWriter_Poly const* p : {&a, &b})
        for (std::size_t i = 0; i < p->points.size(); ++i)
        {
            MapWriter_Point const& s = p->points[i];
            MapWriter_Point const& e = p->points[(i + 1) % p->points.size()];
            double const dx = e.x - s.x, dy = e.y - s.y;
            double const length = std::hypot(dx, dy);
            if (length < 1e-9)
                continue;
            if (Depth(a, b, -dy / length, dx / length) < Overlap_Depth)
                return false;
        }
    return true;
}

std::string Where(MapWriter_Poly const& p)
{
    double x0 = 1e18, y0 = 1e18, x1 = -1e18, y1 = -1e18;
    for (MapWriter_Point const& q : p.points)
    {
        x0 = std::min(x0, q.x);
        y0 = std::min(y0, q.y);
        x1 = std::max(x1, q.x);
        y1 = std::max(y1, q.y);
    }
    std::ostringstream out;
    out << "group " << p.group << (p.solid ? " solid" : " not solid") << " (" << x0 << ", " << y0 << ")-(" << x1
        << ", " << y1 << ")";
    return out.str();
}

class CasleDrawOrderTest : public WorldFixture
{
};

} // namespace

TEST_F(CasleDrawOrderTest, NothingStoodOnAndNoMovingPartIsDrawnOverByALaterPolygon)
{
    MapWriter const map = MapIdSweep::Read("castle/map");
    ASSERT_GT(map.polys.size(), 100u);
    int checked = 0;
    for (std::size_t i = 0; i < map.polys.size(); ++i)
    {
        MapWriter_Poly const& under = map.polys[i];
        // Texture 0 draws nothing: a solid of it is stood on under a picture of its own.
        if ((!under.solid && under.group == 0) || under.texture == 0)
            continue;
        ++checked;
        for (std::size_t j = i + 1; j < map.polys.size(); ++j)
        {
            MapWriter_Poly const& over = map.polys[j];
            if (over.texture == 0)
                continue;
            // Unmoving shapes of one texture draw the same pixels wherever they overlap.
            bool const same = over.texture == under.texture && over.group == 0 && under.group == 0;
            if (!same && over.foreground == under.foreground && Overlap(under, over))
                ADD_FAILURE() << "polygon " << i << ", " << Where(under) << ", is drawn over by polygon " << j << ", "
                              << Where(over);
        }
    }
    EXPECT_GT(checked, 100);
}

TEST_F(CasleDrawOrderTest, TheKitsCheckFindsNothingHiddenInTheBuiltCastle)
{
    Build(Level_Casle);
    EXPECT_TRUE(DrawOrder::NothingHidden(*As<Casle>().GetMap()));
}
