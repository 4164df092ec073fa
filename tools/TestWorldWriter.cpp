// TestWorldWriter: floor, slope, walls, the plate, door and lift groups, and the reference points of the test world.
#include "tools/TestWorldWriter.h"

#include "testworld/Test_World.h"
#include "tools/DataGen.h"
#include "tools/MapWriter.h"

#include <cstdio>
#include <stdexcept>
#include <utility>
#include <vector>

namespace
{

constexpr unsigned int Stone = 1;
constexpr unsigned int Brick = 2;
constexpr unsigned int Plank = 3;

void AddRamp(MapWriter& map, double x0, double y0, double x1, double y1)
{
    // The slope between the two ends, standing on the floor with its high side vertical.
    double const highX = y1 > y0 ? x1 : x0;
    double const lowX = y1 > y0 ? x0 : x1;
    double const top = y1 > y0 ? y1 : y0;
    map.AddPoly({Stone,
                 0,
                 true,
                 false,
                 {{lowX, 0, lowX / 64.0, 0, true},
                  {highX, top, highX / 64.0, top / 64.0, true},
                  {highX, 0, highX / 64.0, 0, false}}});
}

// A solid polygon with each outline drawn and its texture laid out by world position, the
// texture's bottom row at height textureBase.
void AddPoly(MapWriter& map, unsigned int texture, unsigned int group,
             std::vector<std::pair<double, double>> const& corners, double textureBase = 0.0)
{
    MapWriter_Poly poly{texture, group, true, false, {}};
    for (auto const& [x, y] : corners)
        poly.points.push_back({x, y, x / 64.0, (y - textureBase) / 64.0, true});
    map.AddPoly(poly);
}

// The plank texture repeats only across: its picture is padded above and below with clear
// rows, so a plank polygon must take its rows from inside the picture, or it shows the
// padding (black) instead of wood.
constexpr double PlankInset = 4.0;

} // namespace

void TestWorldWriter::Write(std::string const& dir)
{
    std::string const folder = dir + "/testworld";
    DataGen::MakeDirs(folder);

    MapWriter map;
    map.SetView(-920, -100, 1);
    // The plate sits flush in a gap of the floor whose sides slope, so that once pressed down it can
    // be walked out of.
    AddPoly(map, Stone, 0, {{-900, -100}, {-900, 0}, {900, 0}, {920, -20}, {920, -100}});
    AddPoly(map, Stone, 0, {{940, -100}, {940, -20}, {960, 0}, {1900, 0}, {1900, -100}});
    map.AddBox(-1000, -100, -900, 600, Brick, 0, true, false, 64);
    map.AddBox(1900, -100, 2000, 600, Brick, 0, true, false, 64);
    AddRamp(map, 200, 0, 400, 60);
    map.AddBox(400, 0, 600, 60, Stone, 0, true, false, 64);
    AddRamp(map, 600, 60, 800, 0);
    // The plate's sides run along the gap's but stop short of its foot: sharing both corners would make
    // them seams, which let a body cross.
    AddPoly(map, Plank, Test_World_SwitchGroup, {{900, 0}, {960, 0}, {945, -15}, {915, -15}}, -15 - PlankInset);
    map.AddBox(1050, 0, 1070, 150, Brick, Test_World_DoorGroup, true, false, 64);
    AddPoly(map, Plank, Test_World_LiftGroup, {{1300, 60}, {1300, 70}, {1400, 70}, {1400, 60}}, 60 - PlankInset);

    map.AddRefPoint(Test_World_Start, -600, 1);
    map.AddRefPoint(Test_World_Collectable, -450, 30);
    map.AddRefPoint(Test_World_HitTarget, -300, 60);
    map.AddRefPoint(Test_World_BlockTarget, -250, 60);
    map.AddRefPoint(Test_World_Gem, -150, 10);
    map.AddRefPoint(Test_World_Chest, 0, 0);
    map.AddRefPoint(Test_World_KillZoneA, 1600, 0);
    map.AddRefPoint(Test_World_KillZoneB, 1700, 40);
    double const walkers[Test_World_WalkerCount][3] = {{-500, -750, -350}, {1250, 1150, 1450}, {150, 100, 850}};
    for (int i = 0; i < Test_World_WalkerCount; ++i)
        for (int j = 0; j < 3; ++j)
            map.AddRefPoint(Test_World_WalkerA + 3 * i + j, walkers[i][j], j == 0 ? 1 : 0);

    WriteLevel(map, dir, "testworld");
}

void TestWorldWriter::WriteLevel(MapWriter const& map, std::string const& dir, char const* world)
{
    std::string const folder = dir + "/" + world;
    map.WriteOrThrow(folder + "/map");

    std::string const imageMap = folder + "/imagemap";
    std::FILE* file = std::fopen(imageMap.c_str(), "w");
    if (file == nullptr)
        throw std::runtime_error("cannot write " + imageMap);
    std::fprintf(file, "%s\n0 rock.png s\n1 stone.png hvs\n2 brick.png hv\n3 plank.png hs\n", world);
    if (std::fclose(file) != 0)
        throw std::runtime_error("failed writing " + imageMap);
}
