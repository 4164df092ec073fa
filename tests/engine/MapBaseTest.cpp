// Reading map files, rejecting broken ones, reference points, groups and the camera.
#include "engine/MapBase.h"

#include "engine/Poly.h"
#include "support/MapFiles.h"
#include "support/RandomSeed.h"
#include "support/TestFolder.h"
#include "tools/DataGen.h"
#include "util/DataFile.h"
#include "util/Error.h"
#include "util/Util.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace
{
MapWriter TwoBoxes()
{
    MapWriter writer;
    writer.SetView(-20, 40, 2);
    writer.AddBox(0, 0, 100, 10, 2, 0, true, false, 64);
    writer.AddBox(100, 0, 200, 10, 0, 3, true, true, 64);
    writer.AddRefPoint(7, 1.5, 2.5);
    writer.AddRefPoint(9, -4, 8);
    writer.AddRefPoint(7, 50, 60);
    return writer;
}

void ExpectParseError(std::vector<uint8_t> const& bytes, Error_Code code = Error_ParseFile)
{
    Error const err = MapFiles::LoadError<MapBase>(bytes);
    EXPECT_EQ(err.Code(), code);
    EXPECT_STREQ(err.Text(), "test/map");
}

// The seams the map found, then those found by comparing every two polygons whose bounds touch, as
// maps were once read: the same edges must be marked. Returns how many seams there are.
int ExpectSeamsOfEveryPair(MapBase& map)
{
    std::vector<bool> found;
    for (unsigned int i = 0; i < map.polyCount; ++i)
        for (int e = 0; e < map.polys[int(i)]->Points(); ++e)
            found.push_back(map.polys[int(i)]->GetPointPtr(e)->internal);
    for (unsigned int i = 0; i < map.polyCount; ++i)
        map.polys[int(i)]->NoInternal();
    for (unsigned int i = 0; i < map.polyCount; ++i)
        for (unsigned int j = i + 1; j < map.polyCount; ++j)
            if (map.polys[int(i)]->GetBound()->Intersect(map.polys[int(j)]->GetBound()))
                map.polys[int(i)]->FindInternalEdges(map.polys[int(j)]);
    int seams = 0;
    std::size_t at = 0;
    for (unsigned int i = 0; i < map.polyCount; ++i)
        for (int e = 0; e < map.polys[int(i)]->Points(); ++e)
        {
            bool const expected = map.polys[int(i)]->GetPointPtr(e)->internal;
            EXPECT_EQ(found[at++], expected) << map.GetFileName() << ": polygon " << i << ", edge " << e;
            seams += expected;
        }
    return seams;
}

int EdgeCount(MapBase const& map)
{
    int edges = 0;
    for (unsigned int i = 0; i < map.polyCount; ++i)
        edges += map.polys[int(i)]->Points();
    return edges;
}

constexpr size_t HeaderSize = 28;
constexpr size_t PolyHeadSize = 20;
constexpr size_t PointSize = 36;
} // namespace

TEST(MapBase, ReadsGroupsSeamsAndReferencePoints)
{
    auto map = MapFiles::Load<MapBase>(TwoBoxes());
    EXPECT_EQ(map->NextGroupId(), 4u);
    EXPECT_TRUE(map->polys[0]->GetPointPtr(2)->internal);
    EXPECT_TRUE(map->polys[1]->GetPointPtr(0)->internal);

    // The first of two records with one id wins.
    Pointf const p = map->GetRefPoint(7);
    EXPECT_EQ(p.x, 1.5);
    EXPECT_EQ(p.y, 2.5);
    try
    {
        map->GetRefPoint(8);
        FAIL() << "a missing reference point was found";
    }
    catch (Error const& err)
    {
        EXPECT_EQ(err.Code(), Error_ParseFile);
        EXPECT_NE(std::string(err.Text()).find("test/map"), std::string::npos);
        EXPECT_NE(std::string(err.Text()).find('8'), std::string::npos);
    }

    unsigned int hit = 99;
    Pointf const inside(150, 5);
    EXPECT_TRUE(map->CheckPoint(&inside, hit, false));
    EXPECT_EQ(hit, 1u);
    Pointf const outside(150, 50);
    EXPECT_FALSE(map->CheckPoint(&outside, hit, false));
}

TEST(MapBase, GroupMovesAreAbsolute)
{
    auto map = MapFiles::Load<MapBase>(TwoBoxes());
    map->MoveGroup(3, 0, 50);
    map->MoveGroup(3, 0, 50);
    EXPECT_NEAR(map->polys[1]->GetVertexPoint(0).y, 50, 1e-12);
    EXPECT_NEAR(map->polys[0]->GetVertexPoint(0).y, 0, 1e-12);
    Pointf const centre(150, 5);
    map->RotateGroup(3, &centre, Util::HalfTurn / 2);
    map->RotateGroup(3, &centre, Util::HalfTurn);
    EXPECT_NEAR(map->polys[1]->GetVertexPoint(0).x, 200, 1e-9);
    EXPECT_NEAR(map->polys[1]->GetVertexPoint(0).y, 10, 1e-9);
}

TEST(MapBase, CameraEasesAndZoomsAboutTheCentre)
{
    auto map = MapFiles::Load<MapBase>(TwoBoxes());
    map->view.scale = 1.0;
    Pointf const start = map->GetPos();
    Pointf const target(start.x + 800, start.y);
    for (int i = 0; i < 8; ++i)
        map->MoveMap(&target, CameraMove_Ease8);
    EXPECT_NEAR(target.x - map->GetPos().x, 800 * std::pow(7.0 / 8.0, 8), 1e-9);
    EXPECT_NEAR(map->GetPos().y, start.y, 1e-9);
    map->MoveMap(&target, CameraMove_Jump);
    EXPECT_EQ(map->GetPos().x, target.x);
    map->MoveMap(&start, CameraMove_None);
    EXPECT_EQ(map->GetPos().x, target.x);

    map->ScaleMap(2.0, CameraMove_Ease8);
    EXPECT_NEAR(map->view.scale, std::pow(2.0, 1.0 / 8), 1e-12);
    EXPECT_NEAR(map->GetPos().x, target.x, 1e-9);
    EXPECT_NEAR(map->GetCentrePoint().y, target.y, 1e-9);
    map->ScaleMap(0.0, CameraMove_Jump);
    EXPECT_NEAR(map->view.scale, std::pow(2.0, 1.0 / 8), 1e-12);
}

TEST(MapBase, EveryTruncationIsAParseError)
{
    std::vector<uint8_t> const whole = MapFiles::Bytes(TwoBoxes());
    EXPECT_NO_THROW(MapFiles::Load<MapBase>(whole));
    for (size_t size = 0; size < whole.size(); ++size)
    {
        SCOPED_TRACE(size);
        ExpectParseError(std::vector<uint8_t>(whole.begin(), whole.begin() + long(size)));
    }
}

TEST(MapBase, ImpossibleCountsAndValuesAreParseErrors)
{
    std::vector<uint8_t> const whole = MapFiles::Bytes(TwoBoxes());
    size_t const firstPoints = HeaderSize + PolyHeadSize;
    size_t const refCount = HeaderSize + 2 * (PolyHeadSize + 4 * PointSize);

    // Counts beyond the file's end, a two-cornered polygon, an absurd group, a NaN coordinate, a zero
    // zoom, a corner a thousand million units out, a view as far.
    std::pair<size_t, uint32_t> const patches[] = {
        {0, 0xFFFFFFFFu},      {HeaderSize, 0x10000000u},  {HeaderSize, 2}, {refCount, 0x7FFFFFFFu},
        {HeaderSize + 8, ~0u}, {firstPoints, 0x7FF80000u}, {20, 0},         {firstPoints, 0x41CDCD65u},
        {4, 0xC1CDCD65u}};
    for (auto const& [at, word] : patches)
    {
        SCOPED_TRACE(at);
        std::vector<uint8_t> bytes = whole;
        MapFiles::PutWord(bytes, at, word);
        ExpectParseError(bytes);
    }

    // The second corner of a solid box moved onto the first, or so close that turning the box
    // would leave the line maths unable to tell them apart.
    std::vector<uint8_t> bytes = whole;
    std::copy(bytes.begin() + long(firstPoints), bytes.begin() + long(firstPoints + 16),
              bytes.begin() + long(firstPoints + PointSize));
    ExpectParseError(bytes);
    uint64_t bits = 0;
    for (size_t i = 0; i < 8; ++i)
        bits = bits << 8 | bytes[firstPoints + i];
    double nearX = 0.0;
    std::memcpy(&nearX, &bits, sizeof nearX);
    nearX += 1.0e-7;
    std::memcpy(&bits, &nearX, sizeof bits);
    MapFiles::PutWord(bytes, firstPoints + PointSize, uint32_t(bits >> 32));
    MapFiles::PutWord(bytes, firstPoints + PointSize + 4, uint32_t(bits));
    ExpectParseError(bytes);
}

TEST(MapBase, SpareByteAndNonSolidRepeatsAreAccepted)
{
    MapWriter writer;
    writer.AddPoly({0, 0, false, false, {{0, 0, 0, 0, false}, {0, 10, 0, 0, false}, {10, 0, 0, 0, false}}});
    writer.AddRefPoint(1, 2, 3);
    std::vector<uint8_t> bytes = MapFiles::Bytes(writer);
    size_t const secondPoint = HeaderSize + PolyHeadSize + PointSize;
    std::memcpy(&bytes[secondPoint], &bytes[secondPoint - PointSize], 16);
    bytes.back() = 0xAB;
    auto map = MapFiles::Load<MapBase>(bytes);
    EXPECT_EQ(map->GetRefPoint(1).y, 3.0);
}

TEST(MapBase, ReferencePointsFarOutsideThePolygonsAreRefused)
{
    // The boxes span x 0 to 200 and y 0 to 10; things may stand well beyond them, not in the void.
    MapWriter near = TwoBoxes();
    near.AddRefPoint(11, 200.0 + 9999.0, -9999.0);
    EXPECT_EQ(MapFiles::Load<MapBase>(near)->GetRefPoint(11).x, 10199.0);

    std::pair<double, double> const farOff[] = {{9.0e6, 5.0}, {100.0, -10001.0}, {-10001.0, 5.0}, {100.0, 10011.0}};
    for (auto const& [x, y] : farOff)
    {
        MapWriter writer = TwoBoxes();
        writer.AddRefPoint(12, x, y);
        Error const err = MapFiles::LoadError<MapBase>(MapFiles::Bytes(writer));
        EXPECT_EQ(err.Code(), Error_ParseFile) << x << ", " << y;
        EXPECT_NE(std::string(err.Text()).find("test/map"), std::string::npos) << err.Text();
        EXPECT_NE(std::string(err.Text()).find("12"), std::string::npos) << err.Text();
    }
}

// Polygons joined by edges whose ends match, or miss, by less and more than the tolerance; copies
// of polygons (three on one edge), polygons that are not solid, corners on the borders of the cells
// the edges are filed by and far from the origin; and a fan of thin triangles whose bounds all
// overlap, joined only to their neighbours.
TEST(MapBase, SeamsAreTheEdgesThatComparingEveryPairFinds)
{
    ForEachSeed([](unsigned seed) {
        std::mt19937 random(seed);
        auto uniform = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(random); };
        auto chance = [&](double p) { return std::bernoulli_distribution(p)(random); };
        // Spacing and origin in whole 65536ths, off by half of one, or anything.
        bool const onBorders = chance(0.5);
        double const step = onBorders ? std::round(uniform(1.0, 200.0) * 65536.0) / 65536.0 : uniform(0.01, 200.0);
        double const far = chance(0.3) ? uniform(-9.0e6, 9.0e6) : uniform(-1000.0, 1000.0);
        double const origin = onBorders ? (std::round(far * 65536.0) + 0.5) / 65536.0 : far;
        constexpr int Side = 16;
        Pointf grid[Side + 1][Side + 1];
        for (int i = 0; i <= Side; ++i)
            for (int j = 0; j <= Side; ++j)
            {
                double const jitter = onBorders ? 0.0 : 0.3 * step;
                grid[i][j] =
                    Pointf(origin + i * step + uniform(-jitter, jitter), origin + j * step + uniform(-jitter, jitter));
            }
        // A corner as one polygon has it: now and then nudged by a part of the tolerance on one axis.
        auto corner = [&](Pointf p) {
            if (chance(0.15))
            {
                double const nudge = Util::Eps * double(std::uniform_int_distribution<int>(-6, 6)(random)) / 4.0;
                (chance(0.5) ? p.x : p.y) += nudge;
            }
            return MapWriter_Point{p.x, p.y, 0.0, 0.0, false};
        };
        MapWriter writer;
        for (int i = 0; i < Side; ++i)
            for (int j = 0; j < Side; ++j)
            {
                bool const rising = chance(0.5);
                Pointf const a = grid[i][j], b = grid[i + 1][j], c = grid[i + 1][j + 1], d = grid[i][j + 1];
                Pointf const halves[2][3] = {{a, b, rising ? c : d}, {rising ? a : b, c, d}};
                for (auto const& half : halves)
                {
                    if (chance(0.15))
                        continue;
                    int const copies = chance(0.1) ? 2 : 1;
                    for (int k = 0; k < copies; ++k)
                        writer.AddPoly({0, 0, chance(0.9), false, {corner(half[0]), corner(half[1]), corner(half[2])}});
                }
            }
        // The fan: each triangle is joined to the next along a spoke.
        constexpr int Blades = 300;
        Pointf const hub(origin - 50.0 * step, origin);
        for (int k = 0; k < Blades; ++k)
        {
            Pointf const tip(hub.x + 1000.0, hub.y + k * 0.01);
            Pointf const next(hub.x + 1000.0, hub.y + (k + 1) * 0.01);
            writer.AddPoly({0, 0, true, false, {corner(hub), corner(tip), corner(next)}});
        }
        auto const map = MapFiles::Load<MapBase>(writer);
        int const edges = EdgeCount(*map);
        std::size_t const compared = map->FindInternalEdges();
        int const seams = ExpectSeamsOfEveryPair(*map);
        EXPECT_GT(seams, edges / 3) << "too few joined polygons to tell";
        // An edge is compared with the few whose ends lie by its own, never with every edge of the
        // polygons whose bounds overlap its polygon's.
        EXPECT_LE(compared, std::size_t(edges)) << "edge comparisons";
    });
}

// The generated worlds' maps, their moving groups included.
TEST(MapBase, EveryWorldsSeamsAreTheEdgesThatComparingEveryPairFinds)
{
    TestFolder dir(true);
    // A world's pictures join the image map of the shared textures.
    DataGen::WriteTextureLists(dir.Path());
    int seams = 0;
    for (DataGen::World_Data const& world : DataGen::worlds)
    {
        if (world.write != nullptr)
            world.write(dir.Path());
        else
            MapWriter::WritePlaceholders(dir.Path(), &world.folder, 1);
        std::string const mapFile = std::string(world.folder) + "/map";
        FILE* file = HM_OpenFile(mapFile.c_str(), "rb");
        ASSERT_NE(file, nullptr) << mapFile;
        auto const map = std::make_unique<MapBase>(nullptr, file, mapFile.c_str());
        std::fclose(file);
        seams += ExpectSeamsOfEveryPair(*map);
    }
    EXPECT_GT(seams, 100) << "the worlds' maps join few polygons";
}
