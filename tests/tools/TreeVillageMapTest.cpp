// The tree village's generated map: everything the world reads is there, and the places it plays at
// are laid out so that they can be reached and used.
#include "engine/MapBase.h"
#include "support/MapFiles.h"
#include "tools/worlds/treevillage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <vector>

namespace
{

struct Box
{
    double x0, y0, x1, y1;
};

Box Bound(MapWriter_Poly const& p)
{
    Box b{1e9, 1e9, -1e9, -1e9};
    for (MapWriter_Point const& q : p.points)
        b = {std::min(b.x0, q.x), std::min(b.y0, q.y), std::max(b.x1, q.x), std::max(b.y1, q.y)};
    return b;
}

bool Overlap(Box const& a, Box const& b)
{
    return a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1;
}

class Village : public ::testing::Test
{
protected:
    MapWriter map = TreeVillage::BuildMap();
    std::map<unsigned int, MapWriter_RefPoint> rp;

    void SetUp() override
    {
        for (MapWriter_RefPoint const& r : map.refPoints)
            rp[r.id] = r;
    }

    // The top of the highest static floor at x no higher than y, or -1e9.
    double FloorUnder(double x, double y) const
    {
        double best = -1e9;
        for (MapWriter_Poly const& p : map.polys)
        {
            if (!p.solid || p.group != 0)
                continue;
            for (size_t i = 0; i < p.points.size(); ++i)
            {
                MapWriter_Point const& a = p.points[i];
                MapWriter_Point const& b = p.points[(i + 1) % p.points.size()];
                // Corners run clockwise, so only an edge running right is a top.
                if (a.x >= b.x || x < a.x || x > b.x)
                    continue;
                double const top = a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x);
                if (top <= y + 1e-9)
                    best = std::max(best, top);
            }
        }
        return best;
    }
    double Height(unsigned int id) const { return rp.at(id).y - FloorUnder(rp.at(id).x, rp.at(id).y); }
    // Any solid polygon of a group (all groups when any) whose bound meets the box.
    bool Solid(Box const& box, bool staticOnly = false) const
    {
        for (MapWriter_Poly const& p : map.polys)
            if (p.solid && (!staticOnly || p.group == 0) && Overlap(Bound(p), box))
                return true;
        return false;
    }
    double Dist(unsigned int a, unsigned int b) const
    {
        return std::hypot(rp.at(a).x - rp.at(b).x, rp.at(a).y - rp.at(b).y);
    }
};

TEST_F(Village, LoadsWithEveryReferencePointAndGroupTheWorldReads)
{
    auto loaded = MapFiles::Load<MapBase>(map);
    for (unsigned int id = 0; id <= 143; ++id)
    {
        bool const wanted = (id < 15 || id > 22) && id != 104;
        EXPECT_EQ(rp.count(id), wanted ? 1u : 0u) << id;
        if (wanted)
        {
            EXPECT_EQ(loaded->GetRefPoint(id).x, rp[id].x) << id;
        }
    }
    std::set<unsigned int> groups;
    for (MapWriter_Poly const& p : map.polys)
        groups.insert(p.group);
    for (unsigned int g : {1u, 2u, 5u, 11u, 12u})
        EXPECT_TRUE(groups.count(g)) << g;
    for (unsigned int g = 22; g <= 39; ++g)
        EXPECT_TRUE(groups.count(g)) << g;

    MapWriter bg = TreeVillage::BuildBackground();
    Box all{1e9, 1e9, -1e9, -1e9};
    for (MapWriter_Poly const& p : bg.polys)
    {
        Box const b = Bound(p);
        all = {std::min(all.x0, b.x0), std::min(all.y0, b.y0), std::max(all.x1, b.x1), std::max(all.y1, b.y1)};
        EXPECT_FALSE(p.solid);
    }
    EXPECT_EQ(all.x0, 0.0);
    EXPECT_EQ(all.y0, 0.0);
    EXPECT_EQ(all.x1, TreeVillage::BgWrapX);
    EXPECT_EQ(all.y1, TreeVillage::BgWrapY);
    MapFiles::Load<MapBase>(bg);
}

TEST_F(Village, PeopleStandOnFloorsAndStrollersKeepToOne)
{
    unsigned int const starts[] = {1,   6,   23,  58,  92,  53,  60,  51,  105, 113, 114, 115, 116,
                                   117, 120, 121, 122, 123, 124, 125, 127, 128, 129, 130, 131, 134,
                                   143, 103, 2,   135, 136, 137, 138, 139, 140, 141, 142};
    for (unsigned int id : starts)
        EXPECT_EQ(Height(id), 0.0) << id;
    unsigned int const strolls[4][3] = {{23, 24, 23}, {58, 58, 59}, {117, 118, 119}, {131, 132, 133}};
    for (auto const& s : strolls)
    {
        EXPECT_LT(rp[s[1]].x, rp[s[2]].x) << s[0];
        EXPECT_EQ(rp[s[1]].y, rp[s[0]].y) << s[0];
        EXPECT_EQ(rp[s[2]].y, rp[s[0]].y) << s[0];
        for (double x = rp[s[1]].x; x <= rp[s[2]].x; x += 10)
            EXPECT_EQ(FloorUnder(x, rp[s[0]].y), rp[s[0]].y) << s[0] << " at " << x;
    }
}

TEST_F(Village, StreetGateLiftAndExitsArePlayable)
{
    // The gate: flat left of its pivot over a ditch no wider than 160, its near switch left of it.
    Box gate{1e9, 1e9, -1e9, -1e9};
    for (MapWriter_Poly const& p : map.polys)
        if (p.group == 5)
            gate = Bound(p);
    EXPECT_EQ(gate.x1, rp[0].x);
    EXPECT_LE(gate.x1 - gate.x0, 160.0);
    EXPECT_LT(FloorUnder((gate.x0 + gate.x1) / 2, gate.y0), rp[0].y - 40.0);
    EXPECT_LT(rp[3].x, rp[0].x);
    EXPECT_LT(rp[2].x, rp[3].x);
    Box lift{1e9, 1e9, -1e9, -1e9};
    for (MapWriter_Poly const& p : map.polys)
        if (p.group == 27)
            lift = Bound(p);
    // The street runs from the start to the lift without a gap other than the ditch (bridged by the
    // gate) and the lift's own place.
    double last = FloorUnder(rp[2].x, rp[2].y);
    for (double x = rp[2].x; x < rp[51].x; x += 10)
    {
        double f = FloorUnder(x, 1600.0);
        if (x >= lift.x0 && x <= lift.x1)
            f = lift.y1;
        if (x < gate.x0 || x > gate.x1)
        {
            EXPECT_LE(std::abs(f - last), 10.0) << x;
        }
        last = f;
    }

    // The lift's route, leg by leg, clear of everything for a rider 60 tall.
    double const corners[][2] = {{0, 0},       {0, 450},    {-200, 650}, {-480, 650}, {-680, 850}, {-680, 1800},
                                 {-500, 1980}, {100, 1980}, {200, 2080}, {200, 2180}, {350, 2330}, {955, 2330}};
    for (size_t i = 0; i + 1 < std::size(corners); ++i)
    {
        Box const swept{lift.x0 + std::min(corners[i][0], corners[i + 1][0]) + 0.5,
                        lift.y0 + std::min(corners[i][1], corners[i + 1][1]) + 0.5,
                        lift.x1 + std::max(corners[i][0], corners[i + 1][0]) - 0.5,
                        lift.y1 + 60.0 + std::max(corners[i][1], corners[i + 1][1])};
        EXPECT_FALSE(Solid(swept, true)) << "leg " << i + 1;
    }
    // It lands level with a floor that starts at its right edge, so that a walk off it is on the
    // floor at once, and that climbs into the last view and runs past the exit.
    for (double x = lift.x1 + 955.0; x <= lift.x1 + 975.0; x += 0.5)
        EXPECT_EQ(FloorUnder(x, 5000.0), lift.y1 + 2330.0) << x;
    double const end = FloorUnder(7520.0, 5000.0);
    EXPECT_GT(end, 4285.0);
    EXPECT_LT(end + 40.0, 4685.0);
    for (double x = lift.x1 + 975.0; x < 7520.0; x += 10)
        EXPECT_LE(FloorUnder(x, 5000.0) - FloorUnder(x - 10, 5000.0), 10.0) << x;

    // The resting platform fills its pit, leaving no room under it to be shut in by the lift's
    // return; with the lift away the pit is a step out that a jump of 60 clears. The lift area
    // holds feet in the pit, not feet on the platform.
    for (double x = lift.x0 + 5.0; x < lift.x1; x += 10)
        EXPECT_EQ(FloorUnder(x, lift.y1), lift.y0) << x;
    EXPECT_LE(lift.y1 - lift.y0, 60.0);
    Box const area{std::min(rp[49].x, rp[50].x), std::min(rp[49].y, rp[50].y), std::max(rp[49].x, rp[50].x),
                   std::max(rp[49].y, rp[50].y)};
    double const middle = (lift.x0 + lift.x1) / 2;
    EXPECT_TRUE(middle >= area.x0 && middle <= area.x1 && lift.y0 >= area.y0 && lift.y0 <= area.y1);
    EXPECT_FALSE(lift.y1 >= area.y0 && lift.y1 <= area.y1);
    // The gate's ditch likewise.
    EXPECT_GE(FloorUnder((gate.x0 + gate.x1) / 2, gate.y0), rp[0].y - 60.0);

    // The lift man and both switches by the leak, which is in the open.
    for (unsigned int id : {48u, 51u, 52u})
    {
        EXPECT_GT(rp[id].x, 4590.0);
        EXPECT_LT(rp[id].x, 5420.0);
        EXPECT_GT(rp[id].y, 1530.0);
        EXPECT_LT(rp[id].y, 1920.0);
    }
    EXPECT_FALSE(Solid({5087, 1829, 5089, 1831}));
    // The way down: a floor at 300-600 under the camera of the way out, past 5650, short of 7510.
    for (double x : {5280.0, 5660.0})
    {
        double const f = FloorUnder(x, 1000.0);
        EXPECT_GE(f, 300.0) << x;
        EXPECT_LE(f, 600.0) << x;
    }
    EXPECT_LT(FloorUnder(7520.0, 1000.0), 0.0);
}

TEST_F(Village, HousesAndStationsAreInReach)
{
    // Each teleport joins a street spot to a spot on a room's floor, one room per zone.
    double const zones[7][4] = {{1150, 1504, 2648, 2850}, {2090, 2444, 2648, 2850}, {2892, 3246, 2648, 2850},
                                {1150, 1504, 3048, 3250}, {2090, 2444, 3048, 3250}, {1150, 1504, 3400, 3650},
                                {2090, 2444, 3400, 3650}};
    unsigned int const pairs[7][2] = {{32, 33}, {34, 35}, {39, 40}, {44, 46}, {45, 47}, {109, 111}, {110, 112}};
    std::set<int> used;
    for (auto const& p : pairs)
    {
        EXPECT_LT(rp[p[0]].y, 1600.0);
        EXPECT_LE(Height(p[0]), 2.0);
        EXPECT_LE(Height(p[1]), 2.0);
        for (int z = 0; z < 7; ++z)
            if (rp[p[1]].x > zones[z][0] + 10 && rp[p[1]].x < zones[z][1] - 10 && rp[p[1]].y > zones[z][2]
                && rp[p[1]].y < zones[z][3])
                used.insert(z);
    }
    EXPECT_EQ(used.size(), 7u);

    // Marbles at the left of a floor clear to 2410, his jars in view.
    EXPECT_LE(rp[53].x, 2130.0);
    for (double x = rp[53].x; x <= 2410.0; x += 10)
        EXPECT_EQ(FloorUnder(x, rp[53].y), rp[53].y) << x;
    for (unsigned int id = 54; id <= 57; ++id)
        EXPECT_TRUE(rp[id].x > 2041 && rp[id].x < 2499 && rp[id].y > 2514 && rp[id].y < 2857) << id;
    // The patient's spots on his face, a floor spot within reach of him and of the doctor.
    for (unsigned int id = 62; id <= 90; ++id)
    {
        EXPECT_LE(std::abs(rp[id].x - rp[80].x), 1.0) << id;
        EXPECT_LE(std::abs(rp[id].y - rp[80].y), 0.75) << id;
    }
    // Linked spots are neighbours on his face, and no two spots sit on one another.
    std::vector<std::vector<unsigned int>> const links = {{1, 2, 5},
                                                          {0, 5, 4},
                                                          {0, 3, 6, 5},
                                                          {2, 8, 7, 6},
                                                          {1, 5, 10, 9},
                                                          {1, 0, 2, 6, 10, 4},
                                                          {2, 3, 12, 11, 5},
                                                          {3, 8, 13, 12},
                                                          {3, 14, 13, 7},
                                                          {4, 10, 16, 15},
                                                          {4, 5, 11, 17, 9},
                                                          {6, 12, 18, 17, 10},
                                                          {6, 7, 19, 18, 11},
                                                          {7, 8, 14, 20, 19},
                                                          {8, 20, 13},
                                                          {9, 16, 24},
                                                          {9, 17, 21, 24, 15},
                                                          {10, 11, 22, 21, 16},
                                                          {11, 12, 19, 22},
                                                          {12, 13, 23, 18},
                                                          {13, 14, 27},
                                                          {16, 17, 22, 25, 24},
                                                          {17, 18, 23, 26, 25, 21},
                                                          {19, 27, 28, 26, 22},
                                                          {15, 16, 21},
                                                          {21, 22, 26},
                                                          {22, 23, 28, 25},
                                                          {20, 28, 23},
                                                          {23, 27, 26}};
    for (unsigned int a = 0; a < 29; ++a)
    {
        for (unsigned int b : links[a])
            EXPECT_LT(Dist(62 + a, 62 + b), 0.46) << a << "-" << b;
        for (unsigned int b = a + 1; b < 29; ++b)
            EXPECT_GT(Dist(62 + a, 62 + b), 0.2) << a << "-" << b;
    }
    // Someone on the floor 25 to his side can talk to him.
    EXPECT_LE(Height(80) + 25.0, 40.0);
    EXPECT_LE(Height(60), 2.0);

    // Range targets over the street, the bobbing two with room to bob.
    for (unsigned int id : {4u, 5u, 9u, 10u, 11u, 12u, 13u, 14u})
    {
        EXPECT_LT(rp[id].x, 2360.0);
        EXPECT_GT(rp[id].y, 900.0);
        EXPECT_LT(rp[id].y, 2500.0);
        EXPECT_LE(Height(id), 300.0) << id;
        EXPECT_FALSE(Solid({rp[id].x - 6, rp[id].y - 46, rp[id].x + 6, rp[id].y + 46})) << id;
    }
    // The market sign's six tiles in the open, the sliding puzzle by a floor, the chest on one.
    EXPECT_TRUE(rp[91].x > 3350 && rp[91].x < 3850 && rp[91].y > 1180 && rp[91].y < 1450);
    EXPECT_FALSE(Solid({rp[91].x - 18, rp[91].y - 54, rp[91].x + 90, rp[91].y + 18}));
    EXPECT_TRUE(rp[93].x > 3690 && rp[93].x < 4100 && rp[93].y > 1100 && rp[93].y < 1300);
    EXPECT_LE(Height(93), 120.0);
    EXPECT_LE(Dist(126, 93), 150.0);
    EXPECT_LE(Height(106), 24.0);
    // The closing scene gathers round (3310, 1160).
    EXPECT_LE(std::hypot(rp[135].x - 3310.0, rp[135].y - 1160.0), 40.0);
    EXPECT_LE(Dist(135, 142), 64.0);
    for (unsigned int id = 136; id <= 141; ++id)
        EXPECT_LE(Dist(135, id), 300.0) << id;
}

} // namespace

// The backdrop's tile, one period of its pattern: every point of it is covered, by one piece of sky at
// most and by crowns and treetops hardly more than once, so that it is filled about once.
TEST(VillageBackdrop, TheTileIsCoveredWithoutGapsAndItsSkyAndTreetopsHardlyTwice)
{
    MapWriter const bg = TreeVillage::BuildBackground();
    auto inside = [](MapWriter_Poly const& p, double x, double y) {
        int sign = 0;
        for (std::size_t i = 0; i < p.points.size(); ++i)
        {
            MapWriter_Point const& a = p.points[i];
            MapWriter_Point const& b = p.points[(i + 1) % p.points.size()];
            double const cross = (b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x);
            int const s = cross > 0 ? 1 : cross < 0 ? -1 : 0;
            if (s != 0 && sign != 0 && s != sign)
                return false;
            sign = s != 0 ? s : sign;
        }
        return true;
    };
    int gaps = 0, twiceSky = 0, twiceCrown = 0, sky = 0, crown = 0;
    // Off every whole and half unit, so that no point lies on a seam between two pieces.
    for (double y = 0.13; y < TreeVillage::BgWrapY; y += 0.71)
        for (double x = 0.29; x < TreeVillage::BgWrapX; x += 0.83)
        {
            int all = 0, skies = 0, crowns = 0;
            for (MapWriter_Poly const& p : bg.polys)
                if (inside(p, x, y))
                {
                    all++;
                    skies += p.texture == TreeVillage::BgSkyTexture ? 1 : 0;
                    crowns += p.texture == TreeVillage::BgCrownTexture ? 1 : 0;
                }
            gaps += all == 0 ? 1 : 0;
            twiceSky += skies > 1 ? 1 : 0;
            twiceCrown += crowns > 1 ? 1 : 0;
            sky += skies;
            crown += crowns;
        }
    EXPECT_EQ(gaps, 0);
    EXPECT_EQ(twiceSky, 0);
    EXPECT_LT(twiceCrown, crown / 10) << "only where one treetop stands in front of the next";
    EXPECT_GT(sky, 100000) << "most of the tile is sky";
    EXPECT_GT(crown, 20000) << "crowns and treetops";
}
