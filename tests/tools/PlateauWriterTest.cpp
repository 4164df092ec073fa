// The plateau's generated map: every point and group the world reads, placed so that each creature
// keeps the order it needs and its reach stays off the road, the mine works and the road is walkable.
#include "engine/Map.h"
#include "engine/Poly.h"
#include "tools/worlds/plateau.h"
#include "util/Pointf.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

namespace
{

class PlateauWriterTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        dir = (std::filesystem::temp_directory_path() / ("hm_plateau_" + std::to_string(getpid()))).string();
        PlateauWriter::Write(dir);
        FILE* file = std::fopen((dir + "/plateau/map").c_str(), "rb");
        ASSERT_NE(file, nullptr);
        map = new Map(nullptr, file, "plateau/map");
        std::fclose(file);
        map->PreprocessCollision();
    }
    static void TearDownTestSuite()
    {
        delete map;
        map = nullptr;
        std::filesystem::remove_all(dir);
    }

    static Pointf Rp(unsigned int id)
    {
        Pointf p;
        EXPECT_TRUE(map->refPoints.GetPoint(id, p)) << id;
        return p;
    }
    // Whether the straight way from a to b meets a solid surface; hit gets where.
    static bool Blocked(Pointf a, Pointf b, Pointf* hit = nullptr, unsigned int* group = nullptr)
    {
        unsigned int poly = 0;
        bool const blocked = map->TryMove(&a, &b, &poly, nullptr);
        if (hit != nullptr)
            *hit = b;
        if (group != nullptr)
            *group = blocked ? map->GetGroup(poly) : 0;
        return blocked;
    }
    // Distance straight down to the ground, or a large number when there is none within range.
    static double DropTo(Pointf p, double range)
    {
        Pointf hit;
        if (!Blocked(p, Pointf(p.x, p.y - range), &hit))
            return 1e9;
        return p.y - hit.y;
    }

    static std::string dir;
    static Map* map;
};

std::string PlateauWriterTest::dir;
Map* PlateauWriterTest::map = nullptr;

TEST_F(PlateauWriterTest, HoldsEveryPointAndGroupTheWorldReads)
{
    for (unsigned int id = 0; id <= 376; ++id)
    {
        Pointf p;
        EXPECT_EQ(map->refPoints.GetPoint(id, p), id != 256 && id != 257) << id;
    }
    int polys[32] = {};
    for (unsigned int i = 0; i < map->polyCount; ++i)
        if (map->GetGroup(i) < 32)
            ++polys[map->GetGroup(i)];
    for (unsigned int g = 1; g <= 31; ++g)
        EXPECT_GT(polys[g], 0) << g;

    for (char const* file : {"miner00", "miner05", "hermit", "tumbleweed", "aerial", "tvpicture", "tv0", "tv3",
                             "caveturtle/head", "caveturtle/frontfoot", "caveturtle/backfoot", "caveturtle/spike",
                             "minecart", "mortar-stand", "mortar-gun", "background"})
        EXPECT_TRUE(std::filesystem::exists(dir + "/gfx/plateau/" + file + ".png")) << file;
    EXPECT_TRUE(std::filesystem::exists(dir + "/gfx/general/explosion.png"));
}

TEST_F(PlateauWriterTest, CreaturesKeepTheirOrderAndRoom)
{
    // Goblins: left limit, start, right limit.
    unsigned int const goblins[][3] = {{1, 0, 2},       {14, 16, 15},    {49, 49, 50},    {49, 50, 50},
                                       {103, 102, 104}, {105, 103, 102}, {371, 371, 372}, {371, 372, 372},
                                       {373, 373, 374}, {373, 374, 374}};
    for (auto const& g : goblins)
    {
        EXPECT_LE(Rp(g[0]).x, Rp(g[1]).x) << g[1];
        EXPECT_LE(Rp(g[1]).x, Rp(g[2]).x) << g[1];
        EXPECT_LT(Rp(g[0]).x, Rp(g[2]).x) << g[1];
    }
    for (unsigned int rat : {27u, 259u, 261u})
        EXPECT_LT(Rp(rat).x, Rp(rat + 1).x) << rat;
    unsigned int const vultures[][3] = {{4, 5, 17}, {6, 7, 18}, {8, 9, 19}, {10, 11, 20}, {12, 13, 21}, {52, 53, 54}};
    for (auto const& v : vultures)
    {
        EXPECT_GE(Rp(v[1]).x - Rp(v[0]).x, 101.0) << v[0];
        EXPECT_LT(Rp(v[2]).y, Rp(v[0]).y) << v[0];
    }
    for (unsigned int weed : {22u, 29u, 31u})
        EXPECT_LT(Rp(weed + 1).x, Rp(weed).x) << weed;

    // Spiders have their whole thread (and their body) free below the anchor.
    auto spiders = [](unsigned int first, std::initializer_list<double> lengths) {
        unsigned int id = first;
        for (double length : lengths)
        {
            Pointf const a = Rp(id);
            EXPECT_FALSE(Blocked(Pointf(a.x, a.y - 1), Pointf(a.x, a.y - length - 20))) << id;
            ++id;
        }
    };
    spiders(107, {65, 90, 105, 120, 110, 115, 130, 140, 110, 130, 90, 140, 140, 130, 110});
    spiders(126, {210, 80, 145, 330, 130, 70, 110, 100, 160, 160, 110, 220, 180, 110, 90});
    spiders(263, {130, 100, 110, 110, 140, 170, 200, 120, 110, 100, 120, 120, 120, 130, 140, 80, 110, 100});

    // Shmoos settle on ground within 500 and jump up towards their tops.
    auto shmoo = [](unsigned int at, unsigned int top) {
        EXPECT_LT(DropTo(Rp(at), 500), 500) << at;
        EXPECT_GT(Rp(top).y, Rp(at).y - DropTo(Rp(at), 500)) << at;
    };
    shmoo(122, 123);
    for (unsigned int k = 0; k < 47; ++k)
        shmoo(162 + 2 * k, 163 + 2 * k);
    for (unsigned int k = 0; k < 34; ++k)
        shmoo(281 + 2 * k, 282 + 2 * k);

    // Cacti hop up to 273 to the left over free, level ground.
    for (unsigned int cactus : {33u, 34u, 51u, 102u})
    {
        Pointf const c = Rp(cactus);
        EXPECT_FALSE(Blocked(Pointf(c.x, c.y + 10), Pointf(c.x - 273, c.y + 10))) << cactus;
        EXPECT_LT(DropTo(Pointf(c.x - 273, c.y + 10), 50), 12) << cactus;
    }

    // Turtle shells rest 17.5 above the ground with their charge free to the left.
    struct Turtle
    {
        unsigned int rp;
        unsigned int group;
        double distance;
    } const turtles[] = {{106, 28, 260}, {124, 29, 500}, {125, 30, 710}, {258, 31, 350}};
    for (Turtle const& t : turtles)
    {
        Pointf const home = Rp(t.rp);
        Pointf const left(home.x - 60, home.y + 5);
        EXPECT_NEAR(DropTo(left, 100), 22.5, 1e-9) << t.rp;
        EXPECT_FALSE(Blocked(left, Pointf(left.x - t.distance, left.y))) << t.rp;
        unsigned int group = 0;
        EXPECT_TRUE(Blocked(Pointf(home.x, home.y + 100), home, nullptr, &group)) << t.rp;
        EXPECT_EQ(group, t.group);
    }
}

TEST_F(PlateauWriterTest, MineAndPeopleArePlacedToWork)
{
    // The lift fills the top of a shaft it rides 750 down, into the shaft's foot, whose top is level
    // with the lift's top there.
    Rectf bound;
    map->FindGroupBound(27, &bound);
    double const top = std::fmax(bound.y0, bound.y1);
    Pointf const below((bound.x0 + bound.x1) / 2, std::fmin(bound.y0, bound.y1) - 1);
    EXPECT_FALSE(Blocked(below, Pointf(below.x, top - 749)));
    EXPECT_TRUE(Blocked(below, Pointf(below.x, top - 751)));

    unsigned int const track[] = {60, 61, 62, 63, 64, 65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 75, 75,
                                  74, 73, 72, 71, 76, 77, 78, 79, 80, 81, 82, 83, 82, 84, 85, 86, 87,
                                  88, 89, 90, 91, 92, 92, 91, 90, 89, 93, 94, 95, 96, 97, 98, 99, 100};
    for (size_t i = 0; i + 1 < std::size(track); ++i)
    {
        Pointf const next = Rp(track[i + 1]);
        if (track[i] != track[i + 1])
        {
            EXPECT_GT(Rp(track[i]).DistanceEst(&next), 1.0) << track[i];
        }
    }

    // People stand on the floor, the miners and the hermit within talking reach of it.
    for (unsigned int person : {26u, 55u, 56u, 57u, 58u, 59u})
        EXPECT_LT(DropTo(Rp(person), 50), 5) << person;
    EXPECT_LT(DropTo(Rp(25), 50), 1);
    EXPECT_LT(std::fabs(Rp(25).x - Rp(26).x), 200);

    // The mast and the mortar each have a floor spot within 40, far enough apart that one release
    // cannot start both; the chests stand within 24 of the floor.
    for (unsigned int spot : {24u, 101u})
        EXPECT_LT(DropTo(Rp(spot), 40), 40) << spot;
    Pointf const mortar = Rp(101);
    EXPECT_GT(Rp(24).DistanceEst(&mortar), 80);
    for (unsigned int chest : {375u, 376u})
        EXPECT_LT(DropTo(Pointf(Rp(chest).x, Rp(chest).y + 1), 30), 25) << chest;
}

TEST_F(PlateauWriterTest, RoadIsWalkableAndTheMortarOpensIt)
{
    // The mortar as it stands (its first angle and strength) blasts the one rock across the road; some
    // other setting reaches each of the other rocks.
    Pointf const gun(Rp(101).x + 0.8, Rp(101).y + 8.0);
    auto shot = [&gun](double angle, double strength) {
        double const speed = strength * 5.2 + 10.0;
        double const vx = std::sin(angle) * speed;
        double vy = std::cos(angle) * speed;
        Pointf q = gun;
        unsigned int group = 0;
        for (int n = 0; n < 1000; ++n)
        {
            Pointf const from = q;
            q.x += vx;
            q.y += vy;
            vy -= 0.2;
            if (Blocked(from, q, nullptr, &group))
                break;
        }
        return group;
    };
    EXPECT_EQ(shot(PlateauWriter::Plateau_ShotAngle, PlateauWriter::Plateau_ShotStrength), 1u);
    bool reached[27] = {};
    for (double angle = 0.3; angle < 1.2; angle += 0.01)
        for (double strength = 0.0; strength <= 1.0; strength += 0.1)
            if (unsigned int const g = shot(angle, strength); g >= 1 && g <= 26)
                reached[g] = true;
    for (unsigned int g = 1; g <= 26; ++g)
    {
        EXPECT_TRUE(reached[g]) << g;
        Rectf bound;
        map->FindGroupBound(g, &bound);
        EXPECT_GT(std::fmin(bound.x0, bound.x1), gun.x) << g;
        EXPECT_LT(std::fmax(bound.x0, bound.x1), gun.x + 1150) << g;
    }

    // Along the road, a body's height above it is free of everything but that rock, and every
    // creature that can hurt is well out of reach.
    Pointf const start = Rp(3);
    EXPECT_NEAR(PlateauWriter::RoadY(start.x), start.y - 1, 1e-9);
    int rockHits = 0;
    for (double x = start.x; x < 28400; x += 4)
    {
        Pointf const a(x, PlateauWriter::RoadY(x) + 6);
        Pointf const b(x + 4, PlateauWriter::RoadY(x + 4) + 6);
        unsigned int g = 0;
        if (Blocked(a, b, nullptr, &g) || Blocked(Pointf(a.x, a.y + 40), Pointf(b.x, b.y + 40), nullptr, &g))
        {
            EXPECT_EQ(g, 1u) << x;
            ++rockHits;
        }
        unsigned int above = 0;
        if (Blocked(a, Pointf(a.x, a.y + 80), nullptr, &above))
        {
            EXPECT_EQ(above, 1u) << x;
        }
    }
    EXPECT_GT(rockHits, 0);
    EXPECT_NEAR(PlateauWriter::RoadY(28300), 1420, 40);
    for (int i = 0; i < map->refPoints.Count(); ++i)
    {
        RefPoint const& r = map->refPoints[i];
        // The start, tumbleweeds, people, the mast, the track, the mortar and the chests hurt nobody.
        bool const harmless = r.id == 3 || (r.id >= 22 && r.id <= 26) || (r.id >= 29 && r.id <= 32)
                              || (r.id >= 55 && r.id <= 101) || r.id >= 375;
        if (!harmless && r.position.x > 0)
        {
            EXPECT_GT(r.position.y - PlateauWriter::RoadY(r.position.x), 100) << r.id;
        }
    }
}

} // namespace
