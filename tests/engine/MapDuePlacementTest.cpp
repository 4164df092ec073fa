// Where an owed placement would put a group (Map::StandingFor through MapMove::DuePlacement): told
// without placing anything or changing an order, and the same as the placement then made, whether the
// orders move the groups, leave them within the tolerance or repeat, in live steps, passes and travel.
#include "engine/Map.h"
#include "engine/MapMove.h"
#include "engine/MapMoveGroup.h"
#include "engine/MapMoveObject.h"
#include "support/RandomSeed.h"
#include "support/SmallMap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <vector>

namespace
{

constexpr unsigned int Due_Shifted = 5; // moved by offsets
constexpr unsigned int Due_Turned = 6;  // turned about a centre
constexpr unsigned int Due_Still = 7;   // never ordered
constexpr unsigned int Due_Lifted = 8;  // placed by a scripted mover, on screen
constexpr Tick Due_Ticks = 400;

// With lifted, a block of Due_Lifted too.
std::unique_ptr<Map> ReadDueMap(bool lifted = false)
{
    MapWriter writer = FloorWriter();
    writer.AddBox(100.0, 0.0, 200.0, 50.0, 0, Due_Shifted, true, false, 64.0);
    writer.AddBox(400.0, 0.0, 500.0, 50.0, 0, Due_Turned, true, false, 64.0);
    writer.AddBox(700.0, 0.0, 800.0, 50.0, 0, Due_Still, true, false, 64.0);
    if (lifted)
        writer.AddBox(-100.0, 0.0, 0.0, 50.0, 0, Due_Lifted, true, false, 64.0);
    std::unique_ptr<Map> map = MapFiles::Load<Map>(writer);
    Rectf const cover(-50.0, -50.0, 50.0, 50.0);
    for (unsigned int group : {Due_Shifted, Due_Turned, Due_Still})
        map->SetGroupCover(group, &cover);
    if (lifted)
        map->SetGroupCover(Due_Lifted, &cover);
    map->PreprocessCollision();
    return map;
}

// Orders read from a table per tick: runs that repeat a value, changes within the tolerance, jumps.
class Due_Table final : public MapMoveObject
{
public:
    explicit Due_Table(std::mt19937& random) : orders(2)
    {
        orders[0].kind = MoveObject_Translate;
        orders[0].group = Due_Shifted;
        orders[1].kind = MoveObject_Rotate;
        orders[1].group = Due_Turned;
        orders[1].centre = Pointf(450.0, 0.0);
        double x = 0.0;
        double y = 0.0;
        double angle = 0.0;
        std::uniform_int_distribution<int> kind(0, 5);
        std::uniform_real_distribution<double> far(-40.0, 40.0);
        for (Tick t = 0; t < Due_Ticks; t++)
        {
            switch (kind(random))
            {
            case 0:
                x += 1e-12;
                angle += 1e-12;
                break;
            case 1:
                x = far(random);
                y = far(random);
                angle = far(random) / 40.0;
                break;
            case 2:
                y = 0.0;
                break;
            default: // unchanged
                break;
            }
            xs.push_back(x);
            ys.push_back(y);
            angles.push_back(angle);
        }
    }
    void MoveMapGroup(Map const*, Tick t, FlatList<MoveObject>** out) override
    {
        std::size_t const i = std::size_t(t % Due_Ticks);
        orders[0].newX = xs[i];
        orders[0].newY = ys[i];
        orders[1].newAngle = angles[i];
        *out = &orders;
    }
    FlatList<MoveObject> orders;

private:
    std::vector<double> xs;
    std::vector<double> ys;
    std::vector<double> angles;
};

// Lifts Due_Lifted by five units a tick, ten ticks round.
class Due_Lifter final : public MapMoveGroup
{
public:
    Due_Lifter() { group = Due_Lifted; }
    void Move(Map* map, Tick t, Player*) override
    {
        y = 5.0 * double(t % 10);
        map->MoveGroup(group, 0.0, y);
    }
};

// A world's driver with the lifter as its one scripted mover.
class Due_LiftingDriver final : public MapMove
{
public:
    explicit Due_LiftingDriver(Map* map) : MapMove(nullptr)
    {
        moveGroups = movers;
        moveGroupCount = 1;
        Init(map);
    }

private:
    Due_Lifter lifter;
    MapMoveGroup* movers[1] = {&lifter};
};

bool SameOrders(MoveObject const* a, MoveObject const* b)
{
    return std::memcmp(a, b, 2 * sizeof(MoveObject)) == 0;
}

} // namespace

TEST(MapDuePlacement, TellsWhereTheOwedPlacementPutsEachGroupWithoutPlacing)
{
    std::unique_ptr<Map> map = ReadDueMap();
    ForEachSeed(TestSeeds_Default, [&](unsigned seed) {
        std::mt19937 random(seed);
        Due_Table table(random);
        MapMove driver(nullptr);
        driver.AddObject(&table);
        auto tick = [&] { return std::uniform_int_distribution<Tick>(1, Due_Ticks - 1)(random); };
        Tick live = tick();
        driver.Move(map.get(), live << 8, nullptr);
        map->passGroups[0] = 0;
        for (int round = 0; round < 300; round++)
        {
            switch (std::uniform_int_distribution<int>(0, 9)(random))
            {
            case 0: // a live step at another tick
                live = tick();
                driver.Move(map.get(), live << 8, nullptr);
                continue;
            case 1:
                driver.RestoreGroups();
                continue;
            case 2:
                driver.StartPass(live);
                continue;
            case 3: // moves let through the shifted group
                map->passGroups[0] = map->passGroups[0] == 0 ? Due_Shifted : 0;
                break;
            default:
                break;
            }
            Tick const t = tick();
            driver.PlaceGroupsForGrid(t);
            MapBase_Placement told[3];
            MoveObject const before[2] = {table.orders[0], table.orders[1]};
            unsigned int const groups[3] = {Due_Shifted, Due_Turned, Due_Still};
            bool known[3];
            for (int g = 0; g < 3; g++)
                known[g] = map->StandingFor(groups[g], told[g]);
            ASSERT_TRUE(SameOrders(before, &table.orders[0])) << "round " << round;
            // A look at a cell of a group makes the placement owed.
            Pointf const from(150.0, 60.0);
            Pointf to(150.0, 55.0);
            map->TryMove(&from, &to, nullptr, nullptr);
            ASSERT_EQ(map->groupsDue, nullptr);
            for (int g = 0; g < 3; g++)
            {
                ASSERT_TRUE(known[g]) << "group " << groups[g];
                MapBase_Placement now = map->GroupPlacement(groups[g]);
                if (groups[g] == map->passGroups[0])
                    now.kind |= Map::Standing_LetThrough;
                EXPECT_TRUE(now == told[g]) << "group " << groups[g] << " at tick " << t << ", round " << round;
                MapBase_Placement again;
                ASSERT_TRUE(map->StandingFor(groups[g], again));
                EXPECT_TRUE(again == told[g]) << "once placed, as placed";
            }
        }
        map->passGroups[0] = 0;
    });
}

TEST(MapDuePlacement, AGroupThatTwoOrdersMoveIsNotTold)
{
    std::unique_ptr<Map> map = ReadDueMap();
    std::mt19937 random(1);
    Due_Table table(random);
    table.orders[1].kind = MoveObject_Translate;
    table.orders[1].group = Due_Shifted;
    MapMove driver(nullptr);
    driver.AddObject(&table);
    driver.Move(map.get(), 10 << 8, nullptr);
    driver.PlaceGroupsForGrid(20);
    MapBase_Placement told;
    EXPECT_FALSE(map->StandingFor(Due_Shifted, told));
    EXPECT_TRUE(map->StandingFor(Due_Still, told));
    EXPECT_TRUE(told == MapBase_Placement{}) << "never moved";
}

// A scripted mover places its group by itself, from the tick: where it would stand is not told.
TEST(MapDuePlacement, AGroupAScriptedMoverPlacesIsNotTold)
{
    std::unique_ptr<Map> map = ReadDueMap(true);
    std::mt19937 random(1);
    Due_Table table(random);
    Due_LiftingDriver driver(map.get());
    driver.AddObject(&table);
    auto lift = [&map] {
        for (unsigned int i = 0; i < map->polyCount; i++)
            if (map->GetFilter(i).group == Due_Lifted)
                return map->GetFilter(i).bound.y0;
        return -1.0;
    };
    driver.Move(map.get(), 13 << 8, nullptr);
    double const at13 = lift();
    driver.PlaceGroupsForGrid(17);
    MapBase_Placement told;
    EXPECT_FALSE(map->StandingFor(Due_Lifted, told));
    EXPECT_TRUE(map->StandingFor(Due_Shifted, told));
    EXPECT_TRUE(map->StandingFor(Due_Still, told));
    // Placed, it stands where the mover put it for that tick.
    Pointf const from(-50.0, 60.0);
    Pointf to(-50.0, 55.0);
    map->TryMove(&from, &to, nullptr, nullptr);
    ASSERT_EQ(map->groupsDue, nullptr);
    EXPECT_NEAR(lift() - at13, 20.0, 1.0e-6);
}
