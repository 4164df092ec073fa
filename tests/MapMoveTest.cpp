// The moving-group driver: applying move orders, carrying the player, and scripted movers on screen.
#include "MapMove.h"

#include <gtest/gtest.h>

#include "GroupPlayerTest.h"
#include "MapMoveGroup.h"
#include "MapMoveObject.h"

namespace {

// An object with one order that the test sets before each step.
class OneOrder final : public MapMoveObject
{
public:
    explicit OneOrder(unsigned int group) : orders(1) { orders[0].group = group; }
    void MoveMapGroup(Map const*, Tick t, FlatList<MoveObject>** out) override
    {
        lastTick = t;
        *out = &orders;
    }

    FlatList<MoveObject> orders;
    Tick lastTick = -1;
};

class CountingMover final : public MapMoveGroup
{
public:
    explicit CountingMover(unsigned int moverGroup) { group = moverGroup; }
    void Move(Map*, Tick t, Player*) override
    {
        calls++;
        lastTick = t;
    }

    int calls = 0;
    Tick lastTick = -1;
};

// A world's driver with two scripted movers.
class TwoMovers final : public MapMove
{
public:
    TwoMovers(Map* map, CountingMover* a, CountingMover* b) : MapMove(nullptr)
    {
        movers[0] = a;
        movers[1] = b;
        moveGroupCount = 2;
        moveGroups = movers;
        Init(map);
    }

private:
    MapMoveGroup* movers[2] = {};
};

class MapMoveTest : public GroupPlayerTest
{
protected:
    // Whether a solid polygon of the map covers the point.
    bool Solid(double x, double y) const
    {
        Pointf const p(x, y);
        unsigned int poly = 0;
        return map->CheckPoint(&p, poly, false);
    }

    // One step with the order's new offset set to (x, y).
    void Step(Tick t, double x, double y, Player* carried)
    {
        order.orders[0].newX = x;
        order.orders[0].newY = y;
        driver.Move(map.get(), t << 8, carried);
    }

    // The block's polygons may go up to 300 units up and 15 down, and still collide there.
    void SetUp() override
    {
        GroupPlayerTest::SetUp();
        Rectf const cover(0.0, -15.0, 0.0, 300.0);
        map->SetGroupCover(GroupMap::Group, &cover);
    }

    OneOrder order{GroupMap::Group};
    MapMove driver{nullptr};
};

} // namespace

TEST_F(MapMoveTest, TranslationsMoveTheGroupAndCarryThePlayerOnIt)
{
    Player& hero = MakePlayer();
    map->PreprocessCollision();
    driver.AddObject(&order);
    StandOn(GroupMap::Group);
    hero.pos = Pointf(0.0, 10.0);

    Step(7, 0.0, 2.0, &hero);
    EXPECT_EQ(order.lastTick, 7) << "the clock's whole tick";
    EXPECT_TRUE(Solid(0.0, 11.0));
    EXPECT_EQ(order.orders[0].oldY, 2.0);
    EXPECT_DOUBLE_EQ(hero.pos.y, 12.0);

    // An unchanged order moves nobody; nor does any change while time travel runs.
    Step(8, 0.0, 2.0, &hero);
    EXPECT_DOUBLE_EQ(hero.pos.y, 12.0);
    Step(9, 0.0, 4.0, nullptr);
    EXPECT_DOUBLE_EQ(hero.pos.y, 12.0);
    EXPECT_TRUE(Solid(0.0, 13.0));

    // A jump of 100 units or more in one step places the group but leaves the player.
    Step(10, 0.0, 104.0, &hero);
    EXPECT_TRUE(Solid(0.0, 113.0));
    EXPECT_DOUBLE_EQ(hero.pos.y, 12.0);
    Step(11, 0.0, 254.0, &hero);
    EXPECT_TRUE(Solid(0.0, 263.0));
    EXPECT_DOUBLE_EQ(hero.pos.y, 12.0);
    EXPECT_EQ(order.orders[0].oldY, 254.0);
}

TEST_F(MapMoveTest, RotationsTurnTheGroupAndOtherKindsAreIgnored)
{
    MakePlayer();
    map->PreprocessCollision();
    driver.AddObject(&order);
    order.orders[0].kind = 7;
    Step(1, 300.0, 0.0, nullptr);
    EXPECT_TRUE(Solid(0.0, 5.0));
    EXPECT_EQ(order.orders[0].oldX, 0.0);

    // A quarter turn about the block's centre stands it upright.
    order.orders[0].kind = MoveObject_Rotate;
    order.orders[0].centre = Pointf(0.0, 5.0);
    order.orders[0].newAngle = 1.5707963267949;
    Step(2, 0.0, 0.0, nullptr);
    EXPECT_TRUE(Solid(0.0, 20.0));
    EXPECT_FALSE(Solid(15.0, 5.0));
    EXPECT_EQ(order.orders[0].oldAngle, 1.5707963267949);
}

TEST_F(MapMoveTest, ScriptedMoversRunOnlyWhileTheirGroupIsOnScreen)
{
    CountingMover near(GroupMap::Group);
    CountingMover far(GroupMap::Group3);
    MakePlayer();
    TwoMovers movers(map.get(), &near, &far);
    map->PreprocessCollision();
    EXPECT_NEAR(near.bound.x0, -20.0, 0.2);
    EXPECT_NEAR(near.bound.x1, 20.0, 0.2);
    EXPECT_EQ(near.x, 0.0);
    EXPECT_EQ(near.angle, 0.0);

    // The screen shows x from -320 to 320, so both blocks are in view; then the view moves
    // right until group 3's block only touches its left edge.
    movers.Move(map.get(), 5 << 8, nullptr);
    EXPECT_EQ(near.calls, 1);
    EXPECT_EQ(near.lastTick, 5);
    EXPECT_EQ(far.calls, 1);

    Pointf const centre(1000.0, 0.0);
    map->MoveMap(&centre, CameraMove_Jump);
    movers.Move(map.get(), 6 << 8, nullptr);
    EXPECT_EQ(near.calls, 1);
    EXPECT_EQ(far.calls, 1);
    Pointf const between(540.0, 0.0);
    map->MoveMap(&between, CameraMove_Jump);
    movers.Move(map.get(), 7 << 8, nullptr);
    EXPECT_EQ(near.calls, 1);
    EXPECT_EQ(far.calls, 2) << "touching the edge of the view counts";
}
