// The dungeon's swinging groups: where they stand, their covers, and carrying the player.
#include "engine/Poly.h"
#include "killig/Kilig_MapMove.h"
#include "killig/Kilig_MapMoveGroup.h"
#include "support/GroupPlayerTest.h"

#include <cmath>
#include <map>
#include <vector>

namespace
{

// A 40 by 10 box of each group, high above the floor.
struct Box
{
    Kilig_GroupId group;
    double x;
    double y;
};
constexpr Box Boxes[] = {{3, 40.0, 100.0},    {4, 200.0, 150.0},   {5, 300.0, 100.0}, {6, -100.0, 100.0},
                         {35, -200.0, 100.0}, {45, -300.0, 150.0}, {50, 260.0, 200.0}};

Box BoxOf(Kilig_GroupId g)
{
    for (Box const& b : Boxes)
        if (b.group == g)
            return b;
    ADD_FAILURE() << "no box of group " << g;
    return Boxes[0];
}

MapWriter DungeonWriter()
{
    MapWriter writer = FloorWriter();
    for (Box const& b : Boxes)
        writer.AddBox(b.x, b.y, b.x + 40.0, b.y + 10.0, 0, b.group, true, false, 64.0);
    return writer;
}

} // namespace

class KiligMapMoveTest : public GroupPlayerTest
{
protected:
    KiligMapMoveTest()
    {
        map = MapFiles::Load<Map>(DungeonWriter());
        for (Box const& b : Boxes)
            loaded[b.group] = Corner(b.group);
    }

    Pointf Corner(Kilig_GroupId g) const { return map->polys[int(GroupMap::PolyOf(*map, g))]->GetVertexPoint(0); }

    // Where the group's polygon stands against where the map put it.
    Pointf Offset(Kilig_GroupId g) const
    {
        Pointf const now = Corner(g);
        return Pointf(now.x - loaded.at(g).x, now.y - loaded.at(g).y);
    }

    void Look(double x, double y)
    {
        Pointf const centre(x, y);
        map->MoveMap(&centre, CameraMove_Jump);
    }

    std::map<Kilig_GroupId, Pointf> loaded;
};

TEST_F(KiligMapMoveTest, GroupsStandWhereTheirSwingPutsThemWithBoundsOverTheWholeSwing)
{
    Kilig_MapMove driver(map.get(), &objects);
    std::vector<Kilig_GroupId> ids;
    for (int i = 0; i < Kilig_MapMove_GroupCount; i++)
        ids.push_back(driver.GetMover(i)->group);
    std::vector<Kilig_GroupId> expected;
    for (Kilig_GroupId g = 3; g <= 50; g++)
        if (g <= 15 || g >= 25)
            expected.push_back(g);
    EXPECT_EQ(ids, expected);

    struct Widened
    {
        Kilig_GroupId group;
        double dx;
        double dy;
    };
    for (Widened const& w :
         {Widened{3, 200.0, 0.0}, Widened{5, 0.0, 120.0}, Widened{35, 50.0, 0.0}, Widened{45, 100.0, 0.0}})
    {
        Rectf const& bound = driver.GetMover(int(w.group <= 15 ? w.group - 3 : w.group - 12))->bound;
        // Polygon bounds carry a padding of their own, a fraction of a unit.
        Box const box = BoxOf(w.group);
        EXPECT_NEAR(bound.x0, box.x - w.dx, 0.2) << "group " << w.group;
        EXPECT_NEAR(bound.x1, box.x + 40.0 + w.dx, 0.2) << "group " << w.group;
        EXPECT_NEAR(bound.y0, box.y - w.dy, 0.2) << "group " << w.group;
        EXPECT_NEAR(bound.y1, box.y + 10.0 + w.dy, 0.2) << "group " << w.group;
    }

    struct Expected
    {
        Tick t;
        Kilig_GroupId group;
        double x;
        double y;
    };
    Expected const places[] = {
        {0, 3, 0.0, 0.0},        {0, 4, 0.0, 0.0},      {0, 5, 0.0, 0.0},     {100, 3, 181.859, 0.0},
        {100, 4, -181.859, 0.0}, {100, 5, 0.0, 82.726}, {0, 45, 21.829, 0.0}, {0, 50, 99.755, 0.0},
        {300, 6, 0.0, 0.0},      {0, 6, 49.602, 0.0},   {1650, 35, 0.0, 0.0}, {300, 3, -55.883, 0.0},
    };
    for (Expected const& e : places)
    {
        driver.Move(map.get(), e.t << 8, nullptr);
        Pointf const at = Offset(e.group);
        EXPECT_NEAR(at.x, e.x, 1e-3) << "group " << e.group << " at " << e.t;
        EXPECT_NEAR(at.y, e.y, 1e-3) << "group " << e.group << " at " << e.t;
    }

    // At the level's last tick every motion is still within its swing.
    for (Kilig_GroupId g = 0; g < 60; g++)
    {
        double x = 0.0;
        double y = 0.0;
        Rectf cover;
        bool const moves = Kilig_MapMoveGroup::Offset(g, 120000, x, y);
        EXPECT_EQ(moves, Kilig_MapMoveGroup::Cover(g, cover)) << "group " << g;
        EXPECT_EQ(moves, (g >= 3 && g <= 15) || (g >= 25 && g <= 50)) << "group " << g;
        if (!moves)
            continue;
        EXPECT_TRUE(std::isfinite(x) && std::isfinite(y)) << "group " << g;
        EXPECT_LE(std::fabs(x), cover.x1 + 1e-9) << "group " << g;
        EXPECT_LE(std::fabs(y), cover.y1 + 1e-9) << "group " << g;
    }
}

TEST_F(KiligMapMoveTest, AStandingPlayerRidesEachStepsChangeButNotWhileTravelling)
{
    Kilig_MapMove driver(map.get(), &objects);
    Player& hero = MakePlayer();
    map->PreprocessCollision();
    driver.Move(map.get(), 10 << 8, nullptr);
    hero.pos = Pointf(60.0 + Offset(3).x, 110.5);
    StandOn(3);

    double x = hero.pos.x;
    Pointf before = Offset(3);
    driver.Move(map.get(), 11 << 8, &hero);
    EXPECT_NEAR(hero.pos.x - x, Offset(3).x - before.x, 1e-9);
    EXPECT_GT(hero.pos.x, x);
    EXPECT_EQ(hero.pos.y, 110.5);

    // A step of travel moves the group but not him; the next step of play hands him the change
    // from there.
    x = hero.pos.x;
    driver.Move(map.get(), 30 << 8, nullptr);
    EXPECT_EQ(hero.pos.x, x);
    hero.pos.x = 60.0 + Offset(3).x;
    before = Offset(3);
    driver.Move(map.get(), 31 << 8, &hero);
    EXPECT_NEAR(hero.pos.x - (60.0 + before.x), Offset(3).x - before.x, 1e-9);
}

TEST_F(KiligMapMoveTest, AGroupBackInViewLandsAtOnceAndCarriesNoLeap)
{
    Kilig_MapMove driver(map.get(), &objects);
    Player& hero = MakePlayer();
    map->PreprocessCollision();
    driver.Move(map.get(), 0, nullptr);

    Look(-1500.0, 1500.0);
    driver.Move(map.get(), 78 << 8, &hero);
    EXPECT_EQ(Offset(3).x, 0.0) << "moved while out of view";
    EXPECT_EQ(driver.GetMover(0)->x, 0.0);

    // He stands on the box where it was last placed; it comes back 200 units on.
    hero.pos = Pointf(60.0, 110.5);
    StandOn(3);
    Look(0.0, 0.0);
    driver.Move(map.get(), 78 << 8, &hero);
    EXPECT_NEAR(Offset(3).x, 199.99, 0.01);
    EXPECT_EQ(hero.pos.x, 60.0) << "carried by a leap of the swing";

    // A short absence leaves a change small enough to ride.
    hero.pos.x = 60.0 + Offset(3).x;
    double const x = hero.pos.x;
    Look(-1500.0, 1500.0);
    driver.Move(map.get(), 100 << 8, &hero);
    Look(0.0, 0.0);
    driver.Move(map.get(), 90 << 8, &hero);
    EXPECT_NEAR(hero.pos.x - x, Offset(3).x - 199.988, 0.01);
}
