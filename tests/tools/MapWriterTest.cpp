// The map writer: what it writes reads back unchanged, with clockwise corners.
#include "tools/MapWriter.h"

#include "engine/MapBase.h"
#include "engine/Poly.h"
#include "support/MapFiles.h"
#include "support/TestFolder.h"
#include "util/Error.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

TEST(MapWriter, ReadsBackAsWritten)
{
    MapWriter writer;
    writer.SetView(-12.5, 300.25, 0.75);
    writer.AddPoly({5, 2, true, true, {{0, 0, 0.5, 0.25, true}, {10, 20, 1, 2, false}, {30, 5, 3, 4, true}}});
    writer.AddBox(-100, -50, 0, 0, 1, 0, false, false, 50);
    writer.AddRefPoint(42, 1.25, -7.5);
    writer.AddRefPoint(3, 9876.5, 2e-3);

    auto map = MapFiles::Load<MapBase>(writer);
    EXPECT_EQ(map->view.x, -12.5);
    EXPECT_EQ(map->view.y, 300.25);
    EXPECT_EQ(map->view.scale, 0.75);
    ASSERT_EQ(map->polyCount, writer.polys.size());
    for (unsigned int i = 0; i < map->polyCount; ++i)
    {
        Poly const* poly = map->polys[int(i)];
        MapWriter_Poly const& wrote = writer.polys[i];
        EXPECT_EQ(poly->texture, wrote.texture);
        EXPECT_EQ(poly->group, wrote.group);
        EXPECT_EQ(poly->solid, wrote.solid);
        EXPECT_EQ(poly->foreground, wrote.foreground);
        ASSERT_EQ(size_t(poly->Points()), wrote.points.size());
        for (int j = 0; j < poly->Points(); ++j)
        {
            PolyPoint const* point = poly->GetPointPtr(j);
            EXPECT_EQ(point->pos.x, wrote.points[size_t(j)].x);
            EXPECT_EQ(point->pos.y, wrote.points[size_t(j)].y);
            EXPECT_EQ(point->tex.x, wrote.points[size_t(j)].u);
            EXPECT_EQ(point->tex.y, wrote.points[size_t(j)].v);
            EXPECT_EQ(point->drawEdge, wrote.points[size_t(j)].drawEdge);
        }
    }
    EXPECT_EQ(map->GetRefPoint(42).y, -7.5);
    EXPECT_EQ(map->GetRefPoint(3).x, 9876.5);
}

TEST(MapWriter, CornersAreMadeClockwise)
{
    MapWriter writer;
    // Counter-clockwise, with only the edge from (10, 0) to (10, 10) outlined.
    writer.AddPoly(
        {0, 0, true, false, {{0, 0, 0, 0, false}, {10, 0, 0, 0, true}, {10, 10, 0, 0, false}, {0, 10, 0, 0, false}}});
    MapWriter_Poly const& turned = writer.polys[0];
    for (size_t i = 0; i < 4; ++i)
    {
        MapWriter_Point const& from = turned.points[i];
        MapWriter_Point const& to = turned.points[(i + 1) % 4];
        bool const outlined = from.x == 10 && to.x == 10;
        EXPECT_EQ(from.drawEdge, outlined) << i;
    }
    auto map = MapFiles::Load<MapBase>(writer);
    Pointf const inside(5, 5);
    EXPECT_EQ(map->polys[0]->Hit(&inside), 0);

    MapWriter_Poly const dented{
        0, 0, true, false, {{0, 0, 0, 0, true}, {0, 10, 0, 0, true}, {3, 3, 0, 0, true}, {10, 0, 0, 0, true}}};
    EXPECT_THROW(writer.AddPoly(dented), Error);
    MapWriter_Poly const flat{0, 0, true, false, {{0, 0, 0, 0, true}, {0, 0, 0, 0, true}, {10, 0, 0, 0, true}}};
    EXPECT_THROW(writer.AddPoly(flat), Error);
    EXPECT_EQ(writer.polys.size(), 1u);
}

TEST(MapWriter, WriteOrThrowReplacesTheFileOrNamesTheWholePath)
{
    MapWriter writer;
    writer.AddBox(0, 0, 10, 10, 3, 0, true, false, 64);
    writer.AddRefPoint(7, 5, 10);
    TestFolder dir(false);
    std::string const path = dir / "map";
    dir.WriteText("map", std::string(5000, 'x'));
    writer.WriteOrThrow(path);
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> const onDisk{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(onDisk, MapFiles::Bytes(writer)) << "a longer file that was there is replaced whole";

    // Longer than the text an Error keeps, so a message built from one would lose the end.
    std::string const missing = dir.Path() + "/" + std::string(150, 'd') + "/" + std::string(150, 'w') + "/map";
    try
    {
        writer.WriteOrThrow(missing);
        ADD_FAILURE() << "writing into a missing folder succeeded";
    }
    catch (std::runtime_error const& e)
    {
        EXPECT_EQ(std::string(e.what()), "cannot write " + missing);
    }
}
