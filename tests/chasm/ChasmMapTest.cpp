// The canyon's generated map: the creatures, fireballs and bats placed as their own rules ask, inside
// their galleries, and rock over every place a player stands.
#include "chasm/ChasmWorldSupport.h"
#include "chasm/Chasm_FireBall.h"
#include "creatures/Bat.h"
#include "creatures/Bat_Path.h"
#include "creatures/Spider.h"
#include "support/StandingSurfaces.h"
#include "util/Bezier.h"

#include <gtest/gtest.h>

using ChasmWriter::ChasmWriter_Room;

namespace
{

// The column whose x range holds x.
int ColumnAt(double x)
{
    std::vector<ChasmWriter::ChasmWriter_Column> const& columns = ChasmWriter::Columns();
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (x >= columns[i].x0 && x < columns[i].x1)
            return static_cast<int>(i);
    return -1;
}

// Inside the room, or on its faces: a ball rolling on the floor touches it.
bool Within(ChasmWriter_Room const& room, Pointf p)
{
    return ChasmWriter_Room{room.x0 - 0.01, room.y0 - 0.01, room.x1 + 0.01, room.y1 + 0.01}.Contains(p);
}

} // namespace

TEST_F(ChasmWorld, TheCreaturesStandAsTheirRulesAsk)
{
    Chasm& chasm = Make();
    Map const* map = chasm.GetMap();
    for (Chasm_VultureIds const& v : Chasm_Vultures)
        EXPECT_GE(map->GetRefPoint(v.to).x - map->GetRefPoint(v.from).x, 101.0) << "vultures from " << v.from;

    for (int i = 0; i < Chasm_Bat_Count; ++i)
    {
        int const path = i < 10   ? Chasm_Flock0[i].path
                         : i < 38 ? Chasm_Flock1[(i - 10) % 14].path
                                  : Chasm_Flock2_FirstPath + (i - 38) % Chasm_Flock2_Paths;
        Pointf const first = chasm.GetBatPath(path)->Section(0)->Eval(0.0);
        Pointf const roost = chasm.GetBat(i)->GetRoost();
        EXPECT_GE(roost.Distance(&first), 4.0) << "bat " << i;
    }

    for (Chasm_ShmooIds const& run : Chasm_Shmoos)
        for (int k = 0; k < run.count; ++k)
        {
            Pointf const p = map->GetRefPoint(run.ground + k * run.step);
            Pointf const ground = map->Settle(&p, nullptr);
            EXPECT_LT(ground.y, p.y) << "no ground below shmoo point " << run.ground + k * run.step;
            EXPECT_LE(p.y - ground.y, 500.0);
            EXPECT_GT(map->GetRefPoint(run.top + k * run.step).y, ground.y);
        }

    // Each spider hangs under rock with room below for its whole thread.
    for (Chasm_SpiderIds const& s : Chasm_Spiders)
    {
        Pointf const anchor = map->GetRefPoint(s.ref);
        Pointf const above(anchor.x, anchor.y + 5.0);
        unsigned int poly = 0;
        EXPECT_TRUE(map->CheckPoint(&above, poly, false, 0)) << "spider " << s.ref << " under no ceiling";
        Pointf const from(anchor.x, anchor.y - 1.0);
        Pointf to(anchor.x, anchor.y - s.length - Spider::Spider_MinLength - Spider::Spider_Height);
        EXPECT_FALSE(map->TryMove(&from, &to, nullptr, nullptr)) << "spider " << s.ref << " thread blocked";
    }
}

TEST_F(ChasmWorld, FireballsAndBatsStayInsideTheirClosedGalleries)
{
    Chasm& chasm = Make();
    for (int i = 0; i < Chasm_FireBall_Count; ++i)
    {
        Chasm_FireBall const* ball = chasm.GetFireBall(i);
        if (ball == nullptr)
            continue;
        FlatList<Pointf> const& path = ball->GetPath();
        ChasmWriter_Room const chamber = ChasmWriter::Lower(ColumnAt(path[0].x));
        for (int k = 0; k < path.Count(); ++k)
            ASSERT_TRUE(Within(chamber, path[k])) << "fireball " << i << " at tick " << k << " of its flight";
    }

    for (int i = 0; i < Chasm_Bat_Count; ++i)
    {
        Bat const* bat = chasm.GetBat(i);
        Pointf const roost = bat->GetRoost();
        int const column = ColumnAt(roost.x);
        ChasmWriter_Room const cavern =
            roost.y > ChasmWriter::Columns()[column].floor ? ChasmWriter::Upper(column) : ChasmWriter::Lower(column);
        int const path = i < 10   ? Chasm_Flock0[i].path
                         : i < 38 ? Chasm_Flock1[(i - 10) % 14].path
                                  : Chasm_Flock2_FirstPath + (i - 38) % Chasm_Flock2_Paths;
        Bat_Path const* flight = chasm.GetBatPath(path);
        Tick total = 200;
        for (int s = 0; s < flight->SectionCount(); ++s)
            total += flight->SectionTicks(s);
        for (Tick k = 0; k < total; ++k)
            ASSERT_TRUE(Within(cavern, flight->GetPos(&roost, k))) << "bat " << i << " " << k << " ticks out";
    }
}

// The canyon is closed over its walls: wherever a player stands, rock lies above him, so that no room
// opens onto the map's top, where he would be over the walls and beyond every view.
TEST_F(ChasmWorld, EveryPlaceAPlayerStandsLiesUnderRock)
{
    Chasm& chasm = Make();
    Map const& map = *chasm.GetMap();
    double const top = MapWalls::Of(map).y1;
    std::vector<StandingSurface> const surfaces = StandingSurfaces(map, std::vector<double>{1.0});
    ASSERT_FALSE(surfaces.empty());
    for (StandingSurface const& s : surfaces)
        for (double x = s.a.x + Player_Width / 2.0; x <= s.b.x - Player_Width / 2.0; x += Player_Width / 2.0)
        {
            Pointf const from(x, StandingSurfaces_Detail::At(s, x) + 1.0);
            Pointf to(x, top + 1.0);
            EXPECT_TRUE(map.TryMove(&from, &to, nullptr, nullptr))
                << "open to the map's top over (" << from.x << ", " << from.y << ")";
        }
}
