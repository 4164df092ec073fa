// CreatureWorldWriter: the long floor, its end walls, and the table of zone writers.
#include "tools/creatures/CreatureWorldWriter.h"

#include "tools/DataGen.h"
#include "tools/MapWriter.h"
#include "util/Error.h"

#include <cstdio>
#include <stdexcept>

namespace
{

constexpr double Floor_Depth = 100.0;
constexpr double EndWall_Height = 800.0;

} // namespace

void CreatureWorldWriter::Write(std::string const& dir)
{
    std::string const folder = dir + "/creatureworld";
    DataGen::MakeDirs(folder);

    ZoneWriter const zones[CreatureZone_Count] = {
        &GoblinWallZone, &GoblinTurnZone, &RatsZone,   &GoblinGroupZone, &VultureZone,
        &CactusZone,     &ShmooZone,      &SpiderZone, &GrethynZone,
    };
    double const end = static_cast<double>(CreatureZone_Count) * CreatureWorld_ZoneWidth;

    MapWriter map;
    map.SetView(0, 0, 1);
    map.AddBox(0, -Floor_Depth, end, 0, Stone, 0, true, false, 64);
    map.AddBox(-100, -Floor_Depth, 0, EndWall_Height, Brick, 0, true, false, 64);
    map.AddBox(end, -Floor_Depth, end + 100, EndWall_Height, Brick, 0, true, false, 64);
    for (unsigned int z = 0; z < CreatureZone_Count; ++z)
    {
        CreatureWorld_Zone const zone = CreatureWorld_Zone(z);
        double const x0 = CreatureWorld_ZoneX(zone);
        map.AddRefPoint(CreatureWorld_Ref(zone, CreatureRef_Start), x0 + 100, 1);
        zones[z](map, x0);
    }

    std::string const mapPath = folder + "/map";
    try
    {
        map.Write(mapPath.c_str());
    }
    catch (Error const& err)
    {
        throw std::runtime_error(std::string("cannot write ") + err.Text());
    }

    std::string const imageMap = folder + "/imagemap";
    std::FILE* file = std::fopen(imageMap.c_str(), "w");
    if (file == nullptr)
        throw std::runtime_error("cannot write " + imageMap);
    std::fprintf(file, "creatureworld\n0 rock.png s\n1 stone.png hvs\n2 brick.png hv\n3 plank.png hs\n");
    if (std::fclose(file) != 0)
        throw std::runtime_error("failed writing " + imageMap);
}

void CreatureWorldWriter::GoblinWallZone(MapWriter& map, double x0)
{
    CreatureWorld_Zone const z = CreatureZone_GoblinWall;
    map.AddBox(x0 + GoblinWall_WallX, 0, x0 + GoblinWall_WallX + 40, GoblinWall_WallHeight, Brick, 0, true, false, 64);
    map.AddRefPoint(CreatureWorld_Ref(z, GoblinWallRef_Goblin), x0 + 400, 1);
    map.AddRefPoint(CreatureWorld_Ref(z, GoblinWallRef_Left), x0 + 300, 0);
    map.AddRefPoint(CreatureWorld_Ref(z, GoblinWallRef_Right), x0 + 800, 0);
}

void CreatureWorldWriter::GoblinTurnZone(MapWriter& map, double x0)
{
    CreatureWorld_Zone const z = CreatureZone_GoblinTurn;
    map.AddBox(x0 + GoblinTurn_WallX - 40, 0, x0 + GoblinTurn_WallX, GoblinTurn_WallHeight, Brick, 0, true, false, 64);
    map.AddRefPoint(CreatureWorld_Ref(z, GoblinTurnRef_Goblin), x0 + 500, 1);
    map.AddRefPoint(CreatureWorld_Ref(z, GoblinTurnRef_Left), x0 + 350, 0);
    map.AddRefPoint(CreatureWorld_Ref(z, GoblinTurnRef_Right), x0 + 650, 0);
    map.AddRefPoint(CreatureWorld_Ref(z, GoblinTurnRef_Swapped), x0 + 300, 1);
    map.AddRefPoint(CreatureWorld_Ref(z, GoblinTurnRef_SwappedLeft), x0 + 900, 0);
    map.AddRefPoint(CreatureWorld_Ref(z, GoblinTurnRef_SwappedRight), x0 + 200, 0);
}

void CreatureWorldWriter::RatsZone(MapWriter& map, double x0)
{
    CreatureWorld_Zone const z = CreatureZone_Rats;
    map.AddBox(x0 + Rats_WallX, 0, x0 + Rats_WallX + Rats_WallWidth, Rats_WallHeight, Brick, 0, true, false, 64);
    // Started above the wall's top, a rat drawn over the wall lands on it instead of inside it.
    double const startY = Rats_WallHeight + 20;
    map.AddRefPoint(CreatureWorld_Ref(z, RatsRef_Free), x0 + 150, startY);
    map.AddRefPoint(CreatureWorld_Ref(z, RatsRef_FreeLimit), x0 + 450, 0);
    map.AddRefPoint(CreatureWorld_Ref(z, RatsRef_Blocked), x0 + 550, startY);
    map.AddRefPoint(CreatureWorld_Ref(z, RatsRef_BlockedLimit), x0 + 900, 0);
}

void CreatureWorldWriter::GoblinGroupZone(MapWriter& map, double x0)
{
    CreatureWorld_Zone const z = CreatureZone_GoblinGroup;
    map.AddBox(x0 + GoblinGroup_GateX, 0, x0 + GoblinGroup_GateX + GoblinGroup_GateWidth, GoblinGroup_GateHeight, Plank,
               GoblinGroup_Gate, true, false, 64);
    map.AddRefPoint(CreatureWorld_Ref(z, GoblinGroupRef_Goblin), x0 + 450, 1);
    map.AddRefPoint(CreatureWorld_Ref(z, GoblinGroupRef_Left), x0 + 300, 0);
    map.AddRefPoint(CreatureWorld_Ref(z, GoblinGroupRef_Right), x0 + 850, 0);
}

// The zones below hold only the floor until their creatures' issue fills them in.

void CreatureWorldWriter::VultureZone(MapWriter&, double)
{
}

void CreatureWorldWriter::CactusZone(MapWriter&, double)
{
}

void CreatureWorldWriter::ShmooZone(MapWriter&, double)
{
}

void CreatureWorldWriter::SpiderZone(MapWriter&, double)
{
}

void CreatureWorldWriter::GrethynZone(MapWriter&, double)
{
}
