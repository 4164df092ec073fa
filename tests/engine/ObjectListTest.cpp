// The object list: culling at the edge of the view, reach, hits, teleports, hang-ons and pick-ups.
#include "engine/ObjectList.h"

#include "engine/Enemy.h"
#include "engine/Object.h"
#include "engine/PickUp.h"
#include "support/SmallMap.h"

#include <gtest/gtest.h>

namespace
{

// An object that culls itself at a chosen point and counts how often the list moves and draws it.
class CountedObject final : public Object
{
public:
    CountedObject(Pointf at, double objectScale, bool culls = true) : centre(at), scale(objectScale), culled(culls) {}

    void MoveToTime(Map const*, Tick) override { moves++; }
    void Sleep(Map const*, Tick, Object_Step const&) override { sleeps++; }
    void Render(Map const*, Tick) const override { draws++; }
    bool ActivePoint(Pointf& at, double& radius, double& objScale) const override
    {
        at = centre;
        radius = 10.0;
        objScale = scale;
        return culled;
    }

    Pointf centre;
    double scale;
    bool culled;
    int moves = 0;
    int sleeps = 0; // steps culled
    mutable int draws = 0;
};

class StingingEnemy final : public Enemy
{
public:
    StingingEnemy(int hurt, double enemyScale) : damage(hurt), scale(enemyScale) {}

    int IsPlayerHit(Tick, Pointf const*) override { return damage; }
    bool ActivePoint(Pointf& at, double& radius, double& objScale) const override
    {
        at = Pointf(0.0, 0.0);
        radius = 0.0;
        objScale = scale;
        return true;
    }

    int damage;
    double scale;
};

class ObjectListTest : public ::testing::Test
{
protected:
    std::unique_ptr<Map> map = ReadSmallMap(FloorWriter());
    ObjectList list;
};

TEST_F(ObjectListTest, CullsAtTheEdgeOfTheViewAndBySize)
{
    // The view centre is the origin at scale 1; the radius of 10 is taken off the distance.
    CountedObject justIn(Pointf(400.0, 249.9), 1.0);
    CountedObject justOut(Pointf(-400.0, -250.0), 1.0);
    CountedObject farButUnculled(Pointf(9000.0, 0.0), 1.0, false);
    CountedObject tinyEnough(Pointf(0.0, 0.0), 16.0);
    CountedObject tooTiny(Pointf(0.0, 0.0), 16.5);
    for (CountedObject* object : {&justIn, &justOut, &farButUnculled, &tinyEnough, &tooTiny})
        list.AddObject(object);

    list.MoveToTime(map.get(), 5);
    list.Render(map.get(), 5);
    EXPECT_EQ(justIn.moves, 1);
    EXPECT_EQ(justIn.draws, 1);
    EXPECT_EQ(justOut.moves, 0);
    EXPECT_EQ(justOut.draws, 0);
    EXPECT_EQ(justOut.sleeps, 1);
    EXPECT_EQ(justIn.sleeps, 0);
    EXPECT_EQ(farButUnculled.moves, 1);
    EXPECT_EQ(tinyEnough.moves, 1);
    EXPECT_EQ(tooTiny.moves, 0);

    // The screen distance scales with the view.
    map->view.scale = 0.5;
    map->view.x = -640.0;
    map->view.y = -480.0;
    list.MoveToTime(map.get(), 6);
    EXPECT_EQ(justOut.moves, 1);
    EXPECT_EQ(tinyEnough.moves, 1);
}

TEST_F(ObjectListTest, OnlyTheFirstOfTheHardestActiveHittersRecordsTheHit)
{
    StingingEnemy tooSmall(5, 8.5); // enemies need an eighth of the view's scale
    StingingEnemy weaker(1, 1.0);
    StingingEnemy first(3, 8.0);
    StingingEnemy second(3, 1.0);
    for (StingingEnemy* enemy : {&tooSmall, &weaker, &first, &second})
        list.AddEnemy(enemy);
    Pointf const player(0.0, 0.0);
    EXPECT_EQ(list.IsPlayerHit(map.get(), 40, &player), 3);
    EXPECT_EQ(first.ChangeDeathTime(39), 3);
    EXPECT_EQ(second.ChangeDeathTime(39), 0);
    EXPECT_EQ(weaker.ChangeDeathTime(39), 0);
    EXPECT_EQ(tooSmall.ChangeDeathTime(39), 0);
}

TEST_F(ObjectListTest, PickUpsAreReachedStrictlyWithin24AndOfferedInTurn)
{
    PickUp atReach(Pointf(24.0, 0.0), PickUp_Type(0), false, 1.0);
    PickUp first(Pointf(0.0, 23.9), PickUp_Type(0), false, 1.0);
    PickUp hidden(Pointf(1.0, 0.0), PickUp_Type(1), true, 1.0);
    PickUp second(Pointf(-12.0, -11.0), PickUp_Type(2), false, 1.0);
    PickUp stranger(Pointf(0.0, 0.0), PickUp_Type(0), false, 1.0);
    for (PickUp* pickUp : {&atReach, &first, &hidden, &second})
        list.AddObject(pickUp);

    Pointf const player(0.0, 0.0);
    EXPECT_EQ(list.FindPickUp(&player, nullptr, 10), &first);
    EXPECT_EQ(list.FindPickUp(&player, &first, 10), &second);
    EXPECT_EQ(list.FindPickUp(&player, &second, 10), nullptr);
    EXPECT_EQ(list.FindPickUp(&player, &stranger, 10), nullptr);

    first.Collect(10);
    hidden.Found(12);
    EXPECT_EQ(list.FindPickUp(&player, nullptr, 11), &second);
    EXPECT_EQ(list.FindPickUp(&player, nullptr, 12), &hidden);
}

} // namespace
