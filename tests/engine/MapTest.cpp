// The collision grid, group covers, the movement queries of characters and projectiles, and drawing by layer.
#include "engine/Map.h"

#include "engine/Poly.h"
#include "media/Textures.h"
#include "support/MapFiles.h"
#include "support/MediaTestSupport.h"
#include "support/SmallMap.h"
#include "tools/Canvas.h"
#include "tools/DataGen.h"
#include "util/DataFile.h"
#include "util/Error.h"
#include "util/Util.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace
{
// A floor 900 wide, a ramp rising to the right on it, a lift (group 1), a passable plank (group 2)
// and a ledge high up that makes the grid four rows tall.
MapWriter Level()
{
    MapWriter writer;
    writer.AddBox(0, 0, 900, 10, 0, 0, true, false, 64);
    writer.AddPoly({0, 0, true, false, {{300, 10, 0, 0, true}, {400, 110, 0, 0, true}, {400, 10, 0, 0, true}}});
    writer.AddBox(600, 20, 700, 40, 0, 1, true, false, 64);
    writer.AddBox(100, 200, 200, 210, 0, 2, true, true, 64);
    writer.AddBox(850, 900, 900, 910, 0, 0, true, false, 64);
    return writer;
}

bool Listed(MapGroup const* cell, unsigned int poly)
{
    if (cell == nullptr)
        return false;
    for (int i = 0; i < cell->polyList->Count(); ++i)
    {
        if ((*cell->polyList)[i] == poly)
            return true;
    }
    return false;
}

// Moves from a towards b: whether the move was stopped, and where it ends.
void ExpectMove(Map const& map, Pointf a, Pointf b, bool stopped, double x, double y)
{
    EXPECT_EQ(map.TryMove(&a, &b, nullptr, nullptr), stopped) << a.x << "," << a.y;
    MapFiles::ExpectPoint(b, x, y);
}
} // namespace

TEST(Map, GridCellsTruncateTowardZero)
{
    auto map = ReadSmallMap(Level());
    EXPECT_EQ(map->cellsX, 4);
    EXPECT_EQ(map->cellsY, 4);
    int column = 0, row = 0;
    Pointf const rightEdge(900, 5);
    map->GetGroupCell(&rightEdge, column, row);
    EXPECT_EQ(column, 3);
    Pointf const justLeft(-299, 5);
    EXPECT_NE(map->GetCellGroup(&justLeft), nullptr);
    Pointf const farLeft(-301, 5);
    EXPECT_EQ(map->GetCellGroup(&farLeft), nullptr);
    Pointf const nowhere(NAN, 5);
    EXPECT_EQ(map->GetCellGroup(&nowhere), nullptr);
}

TEST(Map, CoversListMovingGroupsAlongTheirSweep)
{
    auto plain = MapFiles::Load<Map>(Level());
    auto covered = MapFiles::Load<Map>(Level());
    Rectf const lift(0, 0, 0, 600);
    covered->SetGroupCover(1, &lift);
    Rectf bound;
    covered->FindGroupBound(1, &bound);
    EXPECT_NEAR(bound.y1, 640.1, 1e-9);
    // A group the map lacks gives a defined, empty bound.
    Rectf missing(1, 2, 3, 4);
    covered->FindGroupBound(9, &missing);
    EXPECT_EQ(missing.x0, 0.0);
    EXPECT_EQ(missing.y1, 0.0);

    plain->PreprocessCollision();
    covered->PreprocessCollision();
    // The grid grows with the polygons, not the covers; the lift is listed in every row it can reach.
    EXPECT_EQ(covered->cellsY, plain->cellsY);
    EXPECT_TRUE(Listed(covered->GetCellGroup(2, 2), 2));
    EXPECT_FALSE(Listed(plain->GetCellGroup(2, 2), 2));

    // Raised into a row of the grid it was not loaded in, the lift still stops a fall onto it.
    covered->MoveGroup(1, 0, 400);
    plain->MoveGroup(1, 0, 400);
    Pointf const above(650, 500);
    Pointf b(650, 300);
    unsigned int poly = 99, edge = 99;
    EXPECT_TRUE(covered->TryMove(&above, &b, &poly, &edge));
    MapFiles::ExpectPoint(b, 650, 440);
    EXPECT_EQ(poly, 2u);
    EXPECT_EQ(edge, 1u);
    ExpectMove(*plain, above, {650, 300}, false, 650, 300);

    // A cell lists each group that reaches it once, in ascending order, however its polygons came.
    MapWriter mixed;
    for (unsigned int const group : {5u, 0u, 2u, 5u, 2u, 7u})
        mixed.AddBox(10.0 * group, 0, 10.0 * group + 5, 5, 0, group, true, false, 64);
    mixed.AddBox(700, 0, 705, 5, 0, 0, true, false, 64);
    auto const groups = ReadSmallMap(mixed);
    MapGroup const* first = groups->GetCellGroup(0, 0);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->grouped);
    EXPECT_EQ(first->groupIds, (std::vector<unsigned int>{2, 5, 7}));
    MapGroup const* last = groups->GetCellGroup(2, 0);
    ASSERT_NE(last, nullptr);
    EXPECT_FALSE(last->grouped);
    EXPECT_TRUE(last->groupIds.empty());
}

TEST(Map, MovesStopAtOuterSurfacesOnly)
{
    MapWriter writer = Level();
    writer.AddBox(0, 500, 300, 600, 0, 0, true, false, 64);
    writer.AddBox(300, 500, 600, 600, 0, 0, true, false, 64);
    auto map = ReadSmallMap(writer);

    ExpectMove(*map, {100, 550}, {500, 550}, false, 500, 550);
    ExpectMove(*map, {-50, 550}, {500, 550}, true, 0, 550);

    // A move across several cells is clipped in whichever cell holds the surface.
    Pointf const high(850, 400);
    Pointf b(50, 5);
    EXPECT_TRUE(map->TryMove(&high, &b, nullptr, nullptr));
    EXPECT_NEAR(b.y, 10, 1e-9);

    Pointf const still(50, 50);
    b = still;
    unsigned int poly = 77;
    EXPECT_FALSE(map->TryMove(&still, &b, &poly, nullptr));
    EXPECT_EQ(poly, 77u);

    // A move to a far-off point only walks the cells that exist.
    b = Pointf(1e12, -1e12);
    EXPECT_TRUE(map->TryMove(&still, &b, nullptr, nullptr));
    EXPECT_NEAR(b.y, 10, 1e-3);
}

TEST(Map, CracksBetweenSolidsStopMovesRunningAlongThem)
{
    auto map = ReadSmallMap(Level());

    // Along the floor into the crack under the ramp's foot: stopped at the foot, which the ramp names.
    Pointf const before(250, 10);
    Pointf b(350, 10);
    unsigned int poly = 99;
    unsigned int edge = 99;
    EXPECT_TRUE(map->TryMove(&before, &b, &poly, &edge));
    MapFiles::ExpectPoint(b, 300, 10);
    EXPECT_EQ(poly, 1u);
    EXPECT_EQ(edge, 2u);
    ExpectMove(*map, {300, 10}, {320, 10}, true, 300, 10);
    ExpectMove(*map, {300, 10}, {250, 10}, false, 250, 10);
    ExpectMove(*map, before, {300, 10}, false, 300, 10); // a move may end at the crack's mouth
    // A point in a crack does not slide along it.
    ExpectMove(*map, {350, 10}, {380, 10}, true, 350, 10);
    ExpectMove(*map, {350, 10}, {320, 10}, true, 350, 10);

    // One outline alone still lets a point slide along it, as along the lift's underside.
    ExpectMove(*map, {550, 20}, {650, 20}, false, 650, 20);

    // A crack opened by a group's move counts while it lasts, unless the group is passable.
    map->MoveGroup(1, 0, -10);
    Pointf const onFloor(550, 10);
    b = Pointf(650, 10);
    EXPECT_TRUE(map->TryMove(&onFloor, &b, &poly, nullptr));
    MapFiles::ExpectPoint(b, 600, 10);
    EXPECT_EQ(poly, 2u);
    map->passGroups[0] = 1;
    ExpectMove(*map, onFloor, {650, 10}, false, 650, 10);
    map->passGroups[0] = 0;
    map->MoveGroup(1, 0, 0);
    ExpectMove(*map, onFloor, {650, 10}, false, 650, 10);
}

TEST(Map, PassableGroupsBlockPointsButNotMoves)
{
    auto map = ReadSmallMap(Level());
    map->passGroups[1] = 2;
    ExpectMove(*map, {150, 250}, {150, 150}, false, 150, 150);
    unsigned int poly = 99;
    Pointf const inPlank(150, 205);
    EXPECT_TRUE(map->CheckPoint(&inPlank, poly, false, 0));
    EXPECT_EQ(poly, 3u);
    EXPECT_FALSE(map->CheckPoint(&inPlank, poly, false, 1));
    map->passGroups[1] = 0;
    ExpectMove(*map, {150, 250}, {150, 150}, true, 150, 210);
}

TEST(Map, APointInsideSolidsIsLiftedOutThroughEveryOneAbove)
{
    auto map = ReadSmallMap(Level());
    unsigned int poly = 99;
    unsigned int edge = 99;
    // In the floor under the ramp that rests on it: out of the floor, then through the ramp.
    Pointf const underRamp(350, 5);
    EXPECT_TRUE(map->Embedded(&underRamp, &poly, &edge));
    EXPECT_EQ(poly, 0u);
    MapFiles::ExpectPoint(map->FreeAbove(&underRamp, &poly, &edge), 350, 60);
    EXPECT_EQ(poly, 1u);
    EXPECT_NEAR(map->GetSurfaceAngle(poly, edge), 3.1415926535898 / 4.0, 1e-9);

    // On a surface, against a wall's side and in the open a point stays where it is.
    for (Pointf const p : {Pointf(100, 10), Pointf(600, 30), Pointf(650, 100)})
    {
        EXPECT_FALSE(map->Embedded(&p, nullptr, nullptr));
        MapFiles::ExpectPoint(map->FreeAbove(&p, nullptr, nullptr), p.x, p.y);
    }
    // A passable group holds nothing while it is passable.
    Pointf const inPlank(150, 205);
    map->passGroups[0] = 2;
    EXPECT_FALSE(map->Embedded(&inPlank, nullptr, nullptr));
    MapFiles::ExpectPoint(map->FreeAbove(&inPlank, nullptr, nullptr), 150, 205);
    map->passGroups[0] = 0;
    MapFiles::ExpectPoint(map->FreeAbove(&inPlank, nullptr, nullptr), 150, 210);
}

TEST(Map, SettleFindsGroundAndItsSlope)
{
    auto map = ReadSmallMap(Level());
    double angle = 1.0;
    Pointf const above(50, 410);
    MapFiles::ExpectPoint(map->Settle(&above, &angle), 50, 10);
    EXPECT_NEAR(angle, 0.0, 1e-12);
    Pointf const tooHigh(50, 610);
    MapFiles::ExpectPoint(map->Settle(&tooHigh, nullptr), 50, 610);

    Pointf const overRamp(350, 300);
    MapFiles::ExpectPoint(map->Settle(&overRamp, &angle), 350, 60);
    EXPECT_NEAR(angle, -Util::HalfTurn / 4, 1e-9);
    Pointf const onRamp(350, 60);
    EXPECT_NEAR(map->Lean(&onRamp, 0.0, LeanDirection_Left), -Util::HalfTurn / 4, 1e-9);
    Pointf const midAir(350, 200);
    EXPECT_EQ(map->Lean(&midAir, 0.25, LeanDirection_Right), 0.25);
}

TEST(Map, ProjectilesBounceOffSurfaces)
{
    auto map = ReadSmallMap(Level());
    Pointf pos(50, 30);
    Map_Projectile_Info info{Vectorf(0, -15), 2, 0.0, 0.5};
    map->ProjectileMove(&pos, &info);
    MapFiles::ExpectPoint(pos, 50, 10);
    EXPECT_NEAR(info.velocity.x, 0.0, 1e-9);
    EXPECT_NEAR(info.velocity.y, 7.5, 1e-9);

    // Flying right into the left wall of the lift comes back left.
    pos = Pointf(590, 30);
    info = Map_Projectile_Info{Vectorf(20, 0), 1, 0.0, 1.0};
    map->ProjectileMove(&pos, &info);
    MapFiles::ExpectPoint(pos, 600, 30);
    EXPECT_NEAR(info.velocity.x, -20, 1e-9);
    EXPECT_NEAR(info.velocity.y, 0, 1e-9);
}

TEST(Map, EmptyMapAndOversizedGrid)
{
    auto map = ReadSmallMap(MapWriter());
    ExpectMove(*map, {0, 0}, {0, -100}, false, 0, -100);

    MapWriter huge;
    huge.AddBox(0, 0, 10, 10, 0, 0, true, false, 1);
    huge.AddBox(5e6, 5e6, 5e6 + 10, 5e6 + 10, 0, 0, true, false, 1);
    auto wide = MapFiles::Load<Map>(huge);
    Error const err = ThrownError([&] { wide->PreprocessCollision(); });
    EXPECT_EQ(err.Code(), Error_ParseFile) << "a grid of 10^8 cells was built";
    EXPECT_STREQ(err.Text(), "test/map");
}

namespace
{
void WriteColour(char const* name, Rgba colour)
{
    std::filesystem::create_directories("gfx/map");
    Canvas(16, 16, colour).WritePng(std::string("gfx/map/") + name, PngFormat::Rgb);
}
} // namespace

// Drawing through a real GL context, read back pixel by pixel.
class MapDraw : public MediaTestSupport_Gl
{
protected:
    void SetUp() override
    {
        MediaTestSupport_Gl::SetUp();
        WriteColour("red.png", Rgba{255, 0, 0, 255});
        WriteColour("green.png", Rgba{0, 255, 0, 255});
        dir.WriteText("world/imagemap", "world\n0 red.png hv\n1 red.png hv\n2 green.png hv\n");
        textures = std::make_unique<Textures>("world/imagemap");
    }
    void TearDown() override
    {
        textures.reset();
        MediaTestSupport_Gl::TearDown();
    }

    bool Red(int x, int y) { return Pixel(x, y) == std::array<int, 3>{255, 0, 0}; }
    bool Green(int x, int y) { return Pixel(x, y) == std::array<int, 3>{0, 255, 0}; }

    std::unique_ptr<Textures> textures;
};

TEST_F(MapDraw, LayersAndTheHiddenGroup)
{
    MapWriter writer;
    writer.AddBox(10, 10, 100, 100, 1, 0, true, false, 64);
    writer.AddBox(200, 10, 300, 100, 2, 0, true, true, 64);
    writer.AddBox(400, 10, 500, 100, 1, 3, true, false, 64);
    auto map = MapFiles::Load<Map>(writer, textures.get());
    map->PreprocessCollision();
    map->hiddenGroup = 3;

    map->Render(0, Map_Render_Back);
    EXPECT_TRUE(Red(50, 50));
    EXPECT_TRUE(IsBlack(250, 50));
    EXPECT_TRUE(IsBlack(450, 50));
    EXPECT_TRUE(IsBlack(150, 50));

    glClear(GL_COLOR_BUFFER_BIT);
    map->Render(0, Map_Render_Fore);
    EXPECT_TRUE(Green(250, 50));
    EXPECT_TRUE(IsBlack(50, 50));

    // The plain drawing of a background map knows no layers or hidden group; the view moves it all.
    glClear(GL_COLOR_BUFFER_BIT);
    Pointf const centre(420, 240);
    map->MoveMap(&centre, CameraMove_Jump);
    map->MapBase::Render(0);
    EXPECT_TRUE(Red(350, 50));
    EXPECT_TRUE(Green(150, 50));

    // A texture id beyond the list is a broken file, named with the image map that lacks it.
    MapWriter unknown;
    unknown.AddBox(10, 10, 100, 100, 3, 0, true, false, 64);
    Error const err = MapFiles::LoadError<Map>(MapFiles::Bytes(unknown), textures.get());
    EXPECT_EQ(err.Code(), Error_ParseFile);
    EXPECT_STREQ(err.Text(), "test/map: texture 3 has no entry in world/imagemap");
}

TEST_F(MapDraw, GeneratedWorldMapDrawsWithItsTextures)
{
    DataGen::WriteTextureLists(dir.Path());
    MapWriter::WritePlaceholders(dir.Path(), DataGen::worldDirs, 1);
    Textures worldTextures("treevillage/imagemap");
    FILE* file = HM_OpenFile("treevillage/map", "rb");
    ASSERT_NE(file, nullptr);
    Map map(&worldTextures, file, "treevillage/map");
    fclose(file);
    map.PreprocessCollision();

    map.Render(0, Map_Render_Back);
    map.Render(0, Map_Render_Fore);
    EXPECT_FALSE(IsBlack(300, 50));
    EXPECT_TRUE(IsBlack(300, 400));
}
