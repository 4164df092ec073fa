// CreatureWorldWriter: the long floor, its end walls, and the table of zone writers.
#include "tools/creatures/CreatureWorldWriter.h"

#include "tools/DataGen.h"
#include "tools/MapWriter.h"
#include "tools/TestWorldWriter.h"

namespace
{

constexpr double Floor_Depth = 100.0;
constexpr double EndWall_Height = 800.0;

} // namespace

void CreatureWorldWriter::Write(std::string const& dir)
{
    std::string const folder = dir + "/creatureworld";
    DataGen::MakeDirs(folder);

    ZoneWriter zones[CreatureZone_Count] = {
        &GoblinWallZone, &GoblinTurnZone, &RatsZone,   &GoblinGroupZone, &VultureZone,
        &CactusZone,     &ShmooZone,      &SpiderZone, &GrethynZone,
    };
    // Mozzies and wavy blobs; a zone whose writer is missing has only its start point.
    zones[CreatureZone_Mozzy] = &MozzyZone;
    zones[CreatureZone_WavyBlob] = &WavyBlobZone;
    // The sliding puzzle and the leak sprinkler.
    zones[CreatureZone_SlideyPuzzle] = &SlideyPuzzleZone;
    zones[CreatureZone_Leak] = &LeakZone;

    // Spikes, spike balls, jets, vines and push-overs; a zone without a writer has only the floor.
    zones[CreatureZone_Spikes] = &SpikesZone;
    zones[CreatureZone_Jets] = &JetsZone;
    zones[CreatureZone_Vines] = &VinesZone;
    zones[CreatureZone_PushOver] = &PushOverZone;
    // Rock-throwing goblin, splitting shmoos, imps.
    zones[CreatureZone_GoblinDefend] = &GoblinDefendZone;
    zones[CreatureZone_SplitShmoo] = &SplitShmooZone;
    zones[CreatureZone_Imp] = &ImpZone;
    // Bats and wasps.
    zones[CreatureZone_Bats] = &BatsZone;
    zones[CreatureZone_Wasps] = &WaspsZone;
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
        if (zones[z] != nullptr)
            zones[z](map, x0);
    }

    TestWorldWriter::WriteLevel(map, dir, "creatureworld");
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

void CreatureWorldWriter::VultureZone(MapWriter& map, double x0)
{
    CreatureWorld_Zone const z = CreatureZone_Vulture;
    double const start = x0 + Vulture_BeatX;
    map.AddRefPoint(CreatureWorld_Ref(z, VultureRef_Start), start, Vulture_BeatY);
    map.AddRefPoint(CreatureWorld_Ref(z, VultureRef_End), start + Vulture_BeatWidth, Vulture_BeatY);
    map.AddRefPoint(CreatureWorld_Ref(z, VultureRef_Swoop), start + Vulture_BeatWidth / 2, Vulture_SwoopY);
}

void CreatureWorldWriter::CactusZone(MapWriter& map, double x0)
{
    CreatureWorld_Zone const z = CreatureZone_Cactus;
    map.AddRefPoint(CreatureWorld_Ref(z, CactusRef_Home), x0 + Cactus_HomeX, 0);
    map.AddRefPoint(CreatureWorld_Ref(z, CactusRef_FarHome), x0 + Cactus_FarHomeX, 0);
}

void CreatureWorldWriter::ShmooZone(MapWriter& map, double x0)
{
    CreatureWorld_Zone const z = CreatureZone_Shmoo;
    for (unsigned int i = 0; i < Shmoo_ZoneCount; ++i)
    {
        double const x = x0 + 250 + 150 * i;
        bool const floating = i + 1 == Shmoo_ZoneCount;
        double const y = floating ? Shmoo_FloatingY : 40.0;
        map.AddRefPoint(CreatureWorld_Ref(z, ShmooRef_Ground(i)), x, y);
        map.AddRefPoint(CreatureWorld_Ref(z, ShmooRef_Top(i)), x, y + 40 + 30 * i);
    }
}

void CreatureWorldWriter::SpiderZone(MapWriter& map, double x0)
{
    CreatureWorld_Zone const z = CreatureZone_Spider;
    map.AddBox(x0 + Spider_CeilingX0, Spider_CeilingY, x0 + Spider_CeilingX1, Spider_CeilingY + Spider_CeilingDepth,
               Brick, 0, true, false, 64);
    for (unsigned int i = 0; i < Spider_ZoneCount; ++i)
        map.AddRefPoint(CreatureWorld_Ref(z, SpiderRef_Anchor(i)), x0 + 300 + 200 * i, Spider_CeilingY);
}

void CreatureWorldWriter::GrethynZone(MapWriter& map, double x0)
{
    CreatureWorld_Zone const z = CreatureZone_Grethyn;
    for (unsigned int i = 0; i < Grethyn_ZoneCount; ++i)
        map.AddRefPoint(CreatureWorld_Ref(z, GrethynRef_Mouth(i)), x0 + Grethyn_RowX + Grethyn_RowGap * i,
                        Grethyn_RowY);
}

// Mozzies and wavy blobs.
void CreatureWorldWriter::MozzyZone(MapWriter& map, double x0)
{
    CreatureWorld_Zone const z = CreatureZone_Mozzy;
    map.AddRefPoint(CreatureWorld_Ref(z, MozzyRef_Left), x0 + Mozzy_BeatX, Mozzy_BeatY);
    map.AddRefPoint(CreatureWorld_Ref(z, MozzyRef_Right), x0 + Mozzy_BeatX + Mozzy_BeatWidth, Mozzy_BeatY);
}

void CreatureWorldWriter::WavyBlobZone(MapWriter& map, double x0)
{
    CreatureWorld_Zone const z = CreatureZone_WavyBlob;
    unsigned int const refs[] = {WavyBlobRef_Coloured, WavyBlobRef_Grey, WavyBlobRef_Moving};
    for (unsigned int i = 0; i < 3; ++i)
        map.AddRefPoint(CreatureWorld_Ref(z, refs[i]), x0 + WavyBlob_RowX + WavyBlob_RowGap * i, WavyBlob_RowY);
}

// The sliding puzzle and the leak sprinkler.
void CreatureWorldWriter::SlideyPuzzleZone(MapWriter& map, double x0)
{
    CreatureWorld_Zone const z = CreatureZone_SlideyPuzzle;
    map.AddRefPoint(CreatureWorld_Ref(z, SlideyPuzzleRef_Place0), x0 + SlideyPuzzle_X, SlideyPuzzle_Y);
}

void CreatureWorldWriter::LeakZone(MapWriter& map, double x0)
{
    CreatureWorld_Zone const z = CreatureZone_Leak;
    map.AddBox(x0 + Leak_TankX0, 0, x0 + Leak_TankX1, Leak_TankHeight, Plank, 0, true, false, 64);
    map.AddRefPoint(CreatureWorld_Ref(z, LeakRef_Point), x0 + Leak_PointX, Leak_PointY);
}

// Spikes, spike balls, jets, vines and push-overs.
void CreatureWorldWriter::SpikesZone(MapWriter& map, double x0)
{
    CreatureWorld_Zone const z = CreatureZone_Spikes;
    map.AddRefPoint(CreatureWorld_Ref(z, SpikesRef_Row), x0 + 300, Spikes_RowY);
    map.AddRefPoint(CreatureWorld_Ref(z, SpikesRef_RandomRow), x0 + 420, Spikes_RowY);
    map.AddRefPoint(CreatureWorld_Ref(z, SpikesRef_BigRow), x0 + 540, Spikes_RowY);
    map.AddRefPoint(CreatureWorld_Ref(z, SpikesRef_StillBall), x0 + 750, Spikes_BallY);
    map.AddRefPoint(CreatureWorld_Ref(z, SpikesRef_SwingBall), x0 + 880, Spikes_BallY);
}

void CreatureWorldWriter::JetsZone(MapWriter& map, double x0)
{
    CreatureWorld_Zone const z = CreatureZone_Jets;
    // The downward jet hangs from a beam.
    map.AddBox(x0 + 420, 110, x0 + 480, 130, Brick, 0, true, false, 64);
    map.AddRefPoint(CreatureWorld_Ref(z, JetsRef_Up), x0 + 300, 0);
    map.AddRefPoint(CreatureWorld_Ref(z, JetsRef_Down), x0 + 450, 110);
    map.AddRefPoint(CreatureWorld_Ref(z, JetsRef_Left), x0 + 700, 10);
    map.AddRefPoint(CreatureWorld_Ref(z, JetsRef_Right), x0 + 750, 10);
}

void CreatureWorldWriter::VinesZone(MapWriter& map, double x0)
{
    CreatureWorld_Zone const z = CreatureZone_Vines;
    map.AddBox(x0 + 200, Vines_TopY, x0 + 800, Vines_TopY + 30, Brick, 0, true, false, 64);
    double const lower[Vines_Count][3] = {{350, 300, 250}, {300, 300, 300}, {Vines_TopY, Vines_TopY, Vines_TopY}};
    for (unsigned int i = 0; i < Vines_Count; ++i)
    {
        double const x = x0 + 300 + 200 * i;
        map.AddRefPoint(CreatureWorld_Ref(z, VineRef(i, 0)), x, Vines_TopY);
        for (unsigned int k = 0; k < 3; ++k)
            map.AddRefPoint(CreatureWorld_Ref(z, VineRef(i, 1 + k)), x, lower[i][k]);
    }
}

void CreatureWorldWriter::PushOverZone(MapWriter& map, double x0)
{
    CreatureWorld_Zone const z = CreatureZone_PushOver;
    double const left = x0 + PushOver_PillarX;
    double const right = left + PushOver_PillarWidth;
    double const top = PushOver_FootHeight;
    double const ramp = PushOver_RampWidth;
    double const ledge = PushOver_LedgeWidth;
    map.AddBox(left, 0, right, top, Brick, PushOver_Group, true, false, 64);
    map.AddBox(left + 4, top, right - 4, PushOver_Height, Stone, PushOver_Group, false, false, 64);
    // Thin ledges: the pillar lying on its side fits under the right one.
    map.AddBox(left - ledge, top - 8, left, top, Plank, 0, true, false, 64);
    map.AddBox(right, top - 8, right + ledge, top, Plank, 0, true, false, 64);
    auto rampPoly = [&](double foot, double high) {
        MapWriter_Poly poly{Stone, 0, true, false, {}};
        poly.points = {
            {foot, 0, foot / 64, 0, true}, {high, top, high / 64, top / 64, true}, {high, 0, high / 64, 0, true}};
        map.AddPoly(poly);
    };
    rampPoly(left - ledge - ramp, left - ledge);
    rampPoly(right + ledge + ramp, right + ledge);
    map.AddRefPoint(CreatureWorld_Ref(z, PushOverRef_RightStart), right + ledge + ramp + 60, 1);
}

// Rock-throwing goblin, splitting shmoos, imps.
void CreatureWorldWriter::GoblinDefendZone(MapWriter& map, double x0)
{
    map.AddRefPoint(CreatureWorld_Ref(CreatureZone_GoblinDefend, GoblinDefendRef_Goblin), x0 + GoblinDefend_X, 0);
}

void CreatureWorldWriter::SplitShmooZone(MapWriter& map, double x0)
{
    CreatureWorld_Zone const z = CreatureZone_SplitShmoo;
    map.AddRefPoint(CreatureWorld_Ref(z, SplitShmooRef_Wide), x0 + SplitShmoo_WideX, 0);
    map.AddRefPoint(CreatureWorld_Ref(z, SplitShmooRef_Home), x0 + SplitShmoo_HomeX, 0);
}

void CreatureWorldWriter::ImpZone(MapWriter& map, double x0)
{
    for (unsigned int i = 0; i < Imp_ZoneCount; ++i)
        map.AddRefPoint(CreatureWorld_Ref(CreatureZone_Imp, ImpRef_Imp(i)), x0 + Imp_RowX + Imp_RowGap * i, 0);
}

// Bats and wasps.
void CreatureWorldWriter::BatsZone(MapWriter& map, double x0)
{
    CreatureWorld_Zone const z = CreatureZone_Bats;
    map.AddBox(x0 + Bats_CeilingX0, Bats_CeilingY, x0 + Bats_CeilingX1, Bats_CeilingY + 40, Brick, 0, true, false, 64);
    // Path A: one short section heading right and down; path B: a dip under the flock towards A's start.
    double const a[Bat_PathAWaypoints][4] = {{800, 200, 850, 200}, {900, 150, 950, 150}};
    double const b[Bat_PathBWaypoints][4] = {{300, 150, 350, 150}, {500, 70, 550, 70}, {650, 150, 700, 200}};
    for (unsigned int i = 0; i < Bat_PathAWaypoints; ++i)
    {
        map.AddRefPoint(CreatureWorld_Ref(z, BatsRef_PathA + 2 * i), x0 + a[i][0], a[i][1]);
        map.AddRefPoint(CreatureWorld_Ref(z, BatsRef_PathA + 2 * i + 1), x0 + a[i][2], a[i][3]);
    }
    for (unsigned int i = 0; i < Bat_PathBWaypoints; ++i)
    {
        map.AddRefPoint(CreatureWorld_Ref(z, BatsRef_PathB + 2 * i), x0 + b[i][0], b[i][1]);
        map.AddRefPoint(CreatureWorld_Ref(z, BatsRef_PathB + 2 * i + 1), x0 + b[i][2], b[i][3]);
    }
    for (unsigned int i = 0; i < Bat_FlockSize; ++i)
        map.AddRefPoint(CreatureWorld_Ref(z, BatsRef_Roost + i), x0 + 350 + 50 * i, Bats_RoostY);
    map.AddRefPoint(CreatureWorld_Ref(z, BatsRef_LoneRoost), x0 + a[0][0] + 1, a[0][1] + 2);
    map.AddRefPoint(CreatureWorld_Ref(z, BatsRef_FlockCentre), x0 + 450, 100);
    map.AddRefPoint(CreatureWorld_Ref(z, BatsRef_LoneCentre), x0 + 800, 230);
}

void CreatureWorldWriter::WaspsZone(MapWriter& map, double x0)
{
    CreatureWorld_Zone const z = CreatureZone_Wasps;
    map.AddRefPoint(CreatureWorld_Ref(z, WaspsRef_A), x0 + 200, 60);
    map.AddRefPoint(CreatureWorld_Ref(z, WaspsRef_B), x0 + 400, 200);
    map.AddRefPoint(CreatureWorld_Ref(z, WaspsRef_BigA), x0 + 450, 80);
    map.AddRefPoint(CreatureWorld_Ref(z, WaspsRef_BigB), x0 + 650, 250);
    map.AddRefPoint(CreatureWorld_Ref(z, WaspsRef_TinyA), x0 + 700, 20);
    map.AddRefPoint(CreatureWorld_Ref(z, WaspsRef_TinyB), x0 + 800, 80);
    map.AddRefPoint(CreatureWorld_Ref(z, WaspsRef_Hover), x0 + 900, 150);
}
