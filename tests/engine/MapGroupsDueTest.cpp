// A placement of the map groups owed to the grid: made by the first query that looks at a cell a
// group can reach, never by one that meets only fixed polygons, and dropped once the groups go back.
#include "engine/Map.h"
#include "engine/MapMove.h"
#include "engine/MapMoveObject.h"
#include "engine/Poly.h"
#include "support/SmallMap.h"

#include <gtest/gtest.h>

namespace
{

constexpr unsigned int Due_Group = 5;

// The long floor, and a block of Due_Group standing on it near its right end, over x 1500 to 1600;
// the block's cover reaches 300 units up. The grid's cells are 300 wide from x -2000.
std::unique_ptr<Map> ReadDueMap()
{
    MapWriter writer = FloorWriter();
    writer.AddBox(1500.0, 0.0, 1600.0, 50.0, 0, Due_Group, true, false, 64.0);
    std::unique_ptr<Map> map = MapFiles::Load<Map>(writer);
    Rectf const cover(0.0, 0.0, 0.0, 300.0);
    map->SetGroupCover(Due_Group, &cover);
    map->PreprocessCollision();
    return map;
}

// The bottom of the group's block's bound: where it stands.
double BlockBottom(Map const& map)
{
    return map.GetFilter(1).bound.y0;
}

class Due_Counter final : public Map_GroupsDue
{
public:
    void PlaceDue() override { placed++; }
    bool DuePlacement(unsigned int, MapBase_Placement&) override { return false; }
    int placed = 0;
};

// Lifts the block by ten units a tick.
class Due_Lift final : public MapMoveObject
{
public:
    Due_Lift() : orders(1) { orders[0].group = Due_Group; }
    void MoveMapGroup(Map const*, Tick t, FlatList<MoveObject>** out) override
    {
        orders[0].newY = 10.0 * t;
        *out = &orders;
    }
    FlatList<MoveObject> orders;
};

} // namespace

TEST(MapGroupsDue, OnlyQueriesThatLookWhereAGroupCanStandPlaceTheGroups)
{
    std::unique_ptr<Map> map = ReadDueMap();
    Due_Counter counter;
    map->groupsDue = &counter;

    // Walking, falling, standing and leaning on the floor far from the block.
    Pointf const near(0.0, 0.0);
    Pointf fall(0.0, -5.0);
    Pointf const above(0.0, 5.0);
    double right = 0.0;
    double left = 0.0;
    EXPECT_TRUE(map->TryMove(&above, &fall, nullptr, nullptr));
    map->Embedded(&fall, nullptr, nullptr);
    map->LeanBoth(&near, 0.0, right, left);
    EXPECT_EQ(counter.placed, 0);
    EXPECT_EQ(map->groupedLooks, 0u);
    EXPECT_EQ(map->groupsDue, &counter);

    // One look at the block's cells places the groups, once.
    Pointf const byBlock(1450.0, 5.0);
    Pointf into(1550.0, 5.0);
    map->TryMove(&byBlock, &into, nullptr, nullptr);
    EXPECT_EQ(counter.placed, 1);
    EXPECT_EQ(map->groupsDue, nullptr);
    unsigned int const looks = map->groupedLooks;
    EXPECT_GT(looks, 0u);
    Pointf const onBlock(1550.0, 50.0);
    map->LeanBoth(&onBlock, 0.0, right, left);
    map->Embedded(&onBlock, nullptr, nullptr);
    unsigned int poly = 0;
    map->CheckPoint(&onBlock, poly, false, 0);
    EXPECT_EQ(counter.placed, 1);
    EXPECT_EQ(map->groupedLooks, looks + 3);

    // A move that crosses from the floor's cells into the block's looks there too.
    map->groupsDue = &counter;
    Pointf const farLeft(-1000.0, 5.0);
    Pointf across(1540.0, 5.0);
    map->TryMove(&farLeft, &across, nullptr, nullptr);
    EXPECT_EQ(counter.placed, 2);
}

TEST(MapGroupsDue, TheDriverPlacesTheGroupsForTheOwedTickOrNotAtAll)
{
    std::unique_ptr<Map> map = ReadDueMap();
    double const rest = BlockBottom(*map);
    auto Lift = [&] { return BlockBottom(*map) - rest; };
    Due_Lift lift;
    MapMove driver(nullptr);
    driver.AddObject(&lift);
    driver.Init(map.get());
    driver.Move(map.get(), 7 << 8, nullptr);
    EXPECT_NEAR(Lift(), 70.0, 1.0e-6);

    driver.StartPass(7);
    driver.PlaceGroupsForGrid(3);
    Pointf const above(0.0, 5.0);
    Pointf fall(0.0, -5.0);
    map->TryMove(&above, &fall, nullptr, nullptr);
    EXPECT_NEAR(Lift(), 70.0, 1.0e-6) << "a query on the floor far off needs no groups";

    // A later tick owed in place of the first: the query that looks places that one.
    driver.PlaceGroupsForGrid(4);
    Pointf const onBlock(1550.0, 45.0);
    EXPECT_TRUE(map->Embedded(&onBlock, nullptr, nullptr));
    EXPECT_NEAR(Lift(), 40.0, 1.0e-6);
    EXPECT_EQ(map->groupsDue, nullptr);

    // Owing the tick the groups stand at owes nothing.
    driver.PlaceGroupsForGrid(2);
    driver.PlaceGroupsForGrid(4);
    EXPECT_EQ(map->groupsDue, nullptr);

    // Putting the groups back drops what is owed.
    driver.PlaceGroupsForGrid(1);
    driver.RestoreGroups();
    EXPECT_NEAR(Lift(), 70.0, 1.0e-6);
    EXPECT_EQ(map->groupsDue, nullptr);
    map->Embedded(&onBlock, nullptr, nullptr);
    EXPECT_NEAR(Lift(), 70.0, 1.0e-6);

    // So do a placement made at once and the level's next step.
    driver.PlaceGroupsForGrid(1);
    driver.PlaceGroups(2);
    EXPECT_NEAR(Lift(), 20.0, 1.0e-6);
    map->Embedded(&onBlock, nullptr, nullptr);
    EXPECT_NEAR(Lift(), 20.0, 1.0e-6);
    driver.PlaceGroupsForGrid(5);
    driver.Move(map.get(), 8 << 8, nullptr);
    EXPECT_NEAR(Lift(), 80.0, 1.0e-6);
    map->Embedded(&onBlock, nullptr, nullptr);
    EXPECT_NEAR(Lift(), 80.0, 1.0e-6);
}

// A step is answered again where the groups it met stand as they stood, which is known only of
// the first LookedGroups::Max groups: one that met a group more is not taken with where they stood.
TEST(MapGroupsDue, AStepThatMeetsMoreGroupsThanAreNotedIsNotTakenWithWhereTheyStood)
{
    for (int const count : {Map::LookedGroups::Max, Map::LookedGroups::Max + 1})
    {
        SCOPED_TRACE(testing::Message() << count << " groups");
        // Blocks of groups Due_Group + 1 on, side by side in the one cell over x 1600 to 1900.
        MapWriter writer = FloorWriter();
        for (int i = 0; i < count; i++)
            writer.AddBox(1610.0 + 50.0 * i, 0.0, 1640.0 + 50.0 * i, 50.0, 0, Due_Group + 1 + unsigned(i), true, false,
                          64.0);
        std::unique_ptr<Map> map = ReadSmallMap(writer);
        map->lookedGroups.Clear();
        Pointf const above(1625.0, 60.0);
        Pointf down(1625.0, 40.0);
        EXPECT_TRUE(map->TryMove(&above, &down, nullptr, nullptr));
        Map_GroupsMet met;
        bool const taken = met.Take(map.get());
        if (count <= Map::LookedGroups::Max)
        {
            EXPECT_TRUE(taken);
            EXPECT_EQ(met.count, count);
        }
        else
            EXPECT_FALSE(taken);
    }
}
