// Dressing the generated maps: outlines only on the tops a player stands on, never across the sky or
// down a wall, and paving laid under those tops.
#include "tools/MapDressing.h"

#include "tools/MapTextures.h"
#include "tools/worlds/chasm.h"
#include "tools/worlds/plateau.h"
#include "tools/worlds/tower.h"
#include "tools/worlds/treevillage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace
{

struct Outline
{
    MapWriter_Poly const* poly;
    MapWriter_Point const* a;
    MapWriter_Point const* b;
};

std::vector<Outline> Outlines(MapWriter const& map)
{
    std::vector<Outline> out;
    for (MapWriter_Poly const& p : map.polys)
        for (std::size_t i = 0; i < p.points.size(); ++i)
            if (p.points[i].drawEdge)
                out.push_back({&p, &p.points[i], &p.points[(i + 1) % p.points.size()]});
    return out;
}

// Every outline runs along a solid polygon's top, with open air just above its middle.
void ExpectOnlyExposedTops(MapWriter const& map, char const* name)
{
    for (Outline const& o : Outlines(map))
    {
        SCOPED_TRACE(testing::Message() << name << ": edge (" << o.a->x << ", " << o.a->y << ") to (" << o.b->x << ", "
                                        << o.b->y << ")");
        EXPECT_TRUE(o.poly->solid) << "scenery, sky or wallpaper outlined";
        EXPECT_NE(o.poly->texture, MapTextures::Sky);
        // Corners run clockwise with y up: a top runs to the right and rises at most 60 degrees.
        double const dx = o.b->x - o.a->x, dy = o.b->y - o.a->y;
        EXPECT_GE(dx, 0.5 * std::hypot(dx, dy)) << "a wall's side or an underside outlined";
        double const mx = (o.a->x + o.b->x) / 2.0, my = (o.a->y + o.b->y) / 2.0 + 1.0;
        EXPECT_FALSE(MapDressing::Covered(map, mx, my, o.poly->group, o.poly)) << "an edge inside a wall outlined";
    }
}

} // namespace

TEST(MapDressing, OnlyTopsAPlayerStandsOnAreOutlinedAndTheyArePaved)
{
    // A floor with a wall standing on its right half and a ledge over its left, sky behind.
    MapWriter map;
    map.AddBox(-100, -500, 500, 500, MapTextures::Sky, 0, false, false, 64);
    map.AddBox(0, 0, 200, 40, MapTextures::Earth, 0, true, false, 64);
    map.AddBox(200, 0, 400, 40, MapTextures::Earth, 0, true, false, 64);
    map.AddBox(250, 40, 350, 300, MapTextures::Bark, 0, true, false, 64);
    map.AddBox(20, 100, 120, 110, MapTextures::Beam, 3, true, false, 64);
    MapDressing::Pave(map, MapTextures::Earth, MapTextures::Cobbles, 10);
    MapDressing::OutlineTops(map);

    std::vector<Outline> const lines = Outlines(map);
    ExpectOnlyExposedTops(map, "small map");
    auto outlined = [&lines](double y0, double x0, double x1) {
        for (Outline const& o : lines)
            if (o.a->y == y0 && o.b->y == y0 && o.a->x == x0 && o.b->x == x1)
                return true;
        return false;
    };
    EXPECT_TRUE(outlined(40, 0, 200)) << "the open floor";
    EXPECT_FALSE(outlined(40, 200, 400)) << "the floor under the wall";
    EXPECT_TRUE(outlined(300, 250, 350)) << "the wall's top";
    EXPECT_TRUE(outlined(110, 20, 120)) << "the moving ledge";
    EXPECT_EQ(lines.size(), 3u);

    // One band of paving, under the open floor's top, its picture's top along it.
    int bands = 0;
    for (MapWriter_Poly const& p : map.polys)
        if (p.texture == MapTextures::Cobbles)
        {
            ++bands;
            EXPECT_FALSE(p.solid);
            for (MapWriter_Point const& q : p.points)
            {
                EXPECT_GE(q.x, 0.0);
                EXPECT_LE(q.x, 200.0);
                EXPECT_EQ(q.v, q.y == 40.0 ? 1.0 : 0.0) << q.x << ", " << q.y;
            }
        }
    EXPECT_EQ(bands, 1);
}

TEST(MapDressing, TheGeneratedWorldsOutlineNoSkyWallOrInside)
{
    MapWriter const village = TreeVillage::BuildMap();
    ExpectOnlyExposedTops(village, "village");
    EXPECT_GT(Outlines(village).size(), 20u) << "the street and the floors show their tops";
    EXPECT_TRUE(Outlines(TreeVillage::BuildBackground()).empty()) << "the village's background";
    MapWriter const plateau = PlateauWriter::BuildMap();
    ExpectOnlyExposedTops(plateau, "plateau");
    EXPECT_GT(Outlines(plateau).size(), 20u) << "the road and the ledges show their tops";
    MapWriter const tower = TowerWriter::BuildMap();
    ExpectOnlyExposedTops(tower, "tower");
    EXPECT_GT(Outlines(tower).size(), 100u) << "the road, the floors and the doors show their tops";
    MapWriter const chasm = ChasmWriter::BuildMap();
    ExpectOnlyExposedTops(chasm, "canyon");
    EXPECT_GT(Outlines(chasm).size(), 40u) << "the ledges and the galleries' floors show their tops";
}

// Seen whole, the tower stands in its country: the backdrop's picture covers every view the tower's
// camera takes, and the inside of both wings is masonry laid to the shared courses, not the sky.
TEST(MapDressing, TheTowerStandsInACountryAndItsInsideIsMasonry)
{
    MapWriter const tower = TowerWriter::BuildMap();
    ASSERT_FALSE(tower.polys.empty());
    MapWriter_Poly const& backdrop = tower.polys.front();
    EXPECT_EQ(backdrop.texture, MapTextures::Vista) << "drawn first, behind everything";
    EXPECT_FALSE(backdrop.solid);
    double x0 = 1e30, y0 = 1e30, x1 = -1e30, y1 = -1e30;
    for (MapWriter_Point const& p : backdrop.points)
    {
        x0 = std::min(x0, p.x), y0 = std::min(y0, p.y), x1 = std::max(x1, p.x), y1 = std::max(y1, p.y);
        EXPECT_TRUE(p.u == 0.0 || p.u == 1.0) << "the picture stretched once over it";
        EXPECT_TRUE(p.v == 0.0 || p.v == 1.0);
    }
    // The widest view: 640 by 480 pixels at the overview's zoom round the map's view point.
    double const halfW = 320.0 / tower.viewScale, halfH = 240.0 / tower.viewScale;
    EXPECT_LE(x0, tower.viewX - halfW);
    EXPECT_GE(x1, tower.viewX + halfW);
    EXPECT_LE(y0, tower.viewY - halfH);
    EXPECT_GE(y1, tower.viewY + halfH);
    // The hills' foot lies along the road.
    EXPECT_NEAR(y0 + MapTextures::Vista_Horizon * (y1 - y0), TowerWriter::Tower_RoadY, 1.0);

    int masonry = 0;
    for (MapWriter_Poly const& p : tower.polys)
    {
        EXPECT_NE(p.texture, MapTextures::Sky) << "no sky inside the tower";
        if (p.texture != MapTextures::Ashlar)
            continue;
        ++masonry;
        EXPECT_FALSE(p.solid);
        for (MapWriter_Point const& q : p.points)
        {
            EXPECT_DOUBLE_EQ(q.u * MapTextures::Ashlar_Span, q.x) << "courses continue from piece to piece";
            EXPECT_DOUBLE_EQ(q.v * MapTextures::Ashlar_Span, q.y);
        }
    }
    EXPECT_GE(masonry, 2) << "both wings";
}
