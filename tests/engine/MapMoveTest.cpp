// The moving-group driver: applying move orders and carrying the player standing on the group.
#include "engine/MapMove.h"

#include "engine/MapMoveObject.h"
#include "support/GroupPlayerTest.h"

namespace
{

class OneOrder final : public MapMoveObject
{
public:
    OneOrder() : orders(1) { orders[0].group = GroupMap::Group; }
    void MoveMapGroup(Map const*, Tick, FlatList<MoveObject>** out) override { *out = &orders; }
    FlatList<MoveObject> orders;
};

class MapMoveTest : public GroupPlayerTest
{
protected:
    bool Solid(double x, double y) const
    {
        Pointf const p(x, y);
        unsigned int poly = 0;
        return map->CheckPoint(&p, poly, false);
    }

    // One step with the order's new offset set to (0, y).
    void Step(double y, Player* carried)
    {
        order.orders[0].newY = y;
        driver.Move(map.get(), 7 << 8, carried);
    }

    OneOrder order;
    MapMove driver{nullptr};
};

} // namespace

TEST_F(MapMoveTest, MovesTheGroupAndCarriesThePlayerOnItBelowAHundredUnits)
{
    Rectf const cover(0.0, 0.0, 0.0, 300.0);
    map->SetGroupCover(GroupMap::Group, &cover);
    Player& hero = MakePlayer();
    map->PreprocessCollision();
    driver.AddObject(&order);
    StandOn(GroupMap::Group);
    hero.pos = Pointf(0.0, 10.0);

    Step(2.0, &hero);
    EXPECT_TRUE(Solid(0.0, 11.0));
    EXPECT_DOUBLE_EQ(hero.pos.y, 12.0);
    Step(2.0, &hero);
    Step(4.0, nullptr);
    EXPECT_DOUBLE_EQ(hero.pos.y, 12.0) << "unchanged, or while travelling in time";
    EXPECT_TRUE(Solid(0.0, 13.0));

    Step(104.0, &hero);
    EXPECT_TRUE(Solid(0.0, 113.0));
    EXPECT_DOUBLE_EQ(hero.pos.y, 12.0) << "a change of exactly 100 carries nobody";
    Step(254.0, &hero);
    EXPECT_TRUE(Solid(0.0, 263.0));
    EXPECT_DOUBLE_EQ(hero.pos.y, 12.0);

    // Orders of unknown kinds are ignored.
    order.orders[0].kind = 7;
    Step(0.0, &hero);
    EXPECT_TRUE(Solid(0.0, 259.0));
}
