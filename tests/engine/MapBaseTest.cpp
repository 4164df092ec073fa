// Reading map files, rejecting broken ones, reference points, groups and the camera.
#include "engine/MapBase.h"

#include "engine/Poly.h"
#include "support/MapFiles.h"
#include "util/Error.h"
#include "util/Util.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <utility>

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
