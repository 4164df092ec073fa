// The moving groups: the looping lift track, the groups' places and covers, and their riders,
// across the track's jump back to its start and when a group comes back on screen.
#include "black/Black_MapMove.h"
#include "black/Black_MapMoveGroup.h"
#include "engine/Poly.h"
#include "support/GroupPlayerTest.h"
#include "support/MapFiles.h"

#include <cmath>

namespace
{

constexpr double Pi = 3.1415926535898;
constexpr Tick Track = 5123; // ticks of one round of the lift track

// Every moving group is a 100 by 20 block in a row high above the floor, the lifts in a row of
// their own above the others, so that nothing stands in the way of their riders' jump back;
// group 6 has no motion.
constexpr double Row_Y = 3000.0;
constexpr double LiftRow_Y = 8000.0;

double BlockX(unsigned int group)
{
    return 300.0 * group;
}

double BlockY(unsigned int group)
{
    return group >= Black_Group_FirstLift && group <= Black_Group_LastLift ? LiftRow_Y : Row_Y;
}

class BlackMapMoveTest : public GroupPlayerTest
{
protected:
    BlackMapMoveTest()
    {
        MapWriter writer = FloorWriter();
        for (unsigned int group = 5; group <= 21; group++)
            writer.AddBox(BlockX(group), BlockY(group), BlockX(group) + 100.0, BlockY(group) + 20.0, 0, group, true,
                          false, 64.0);
        map = MapFiles::Load<Map>(writer);
    }

    Rectf Block(unsigned int group) const { return *map->polys[int(GroupMap::PolyOf(*map, group))]->GetBound(); }

    Black_MapMoveGroup const* Mover(Black_MapMove const& driver, Black_GroupId group)
    {
        for (int i = 0; i < Black_MapMove_GroupCount; i++)
            if (driver.GetMover(i)->group == group)
                return driver.GetMover(i);
        ADD_FAILURE() << "no mover of group " << group;
        return driver.GetMover(0);
    }

    // Views the world around the point at the scale.
    void View(Pointf const& centre, double scale = 1.0)
    {
        map->ScaleMap(scale, CameraMove_Jump);
        map->MoveMap(&centre, CameraMove_Jump);
    }
};

Pointf LiftPos(Tick t)
{
    Pointf p;
    Black_MapMoveGroup::LiftPos(t, p.x, p.y);
    return p;
}

} // namespace

TEST_F(BlackMapMoveTest, TheLiftTrackRunsOnWithoutAJumpUntilItsEndAndStartsAgain)
{
    EXPECT_EQ(LiftPos(0), Pointf(0.0, 0.0));
    double const top = 146.0 * Pi / 293.0;
    Pointf const over = LiftPos(146);
    EXPECT_NEAR(over.x, 140.0 - 140.0 * std::cos(top), 1e-9);
    EXPECT_NEAR(over.y, 140.0 * std::sin(top), 1e-9);
    EXPECT_EQ(LiftPos(293), Pointf(280.0, 0.0));
    // Down at 1.5 a tick, and the next stretch starts from the whole 800, not from 799.5.
    EXPECT_NEAR(LiftPos(2591).y, -950.0 - 1.5 * 532.0, 1e-9);
    EXPECT_EQ(LiftPos(2592), Pointf(2130.0, -1750.0));
    // It slows to a stop at the top, waits 450 ticks and speeds up again to the right.
    EXPECT_NEAR(LiftPos(4093).y, LiftPos(4094).y, 0.011);
    EXPECT_EQ(LiftPos(4094), LiftPos(4543));
    EXPECT_NEAR(LiftPos(4545).x - LiftPos(4544).x, 0.01, 1e-9);

    // Nowhere does a lift jump until it starts the track again: the most it moves in a tick is
    // where a stretch of 866 ticks at 1.5 ends on its whole 1300.
    double fastest = 0.0;
    for (Tick t = 0; t + 1 < Track; t++)
    {
        Pointf const next = LiftPos(t + 1);
        fastest = std::max(fastest, LiftPos(t).Distance(&next));
    }
    EXPECT_LE(fastest, 2.5 + 1e-9);
    Pointf const end(4436.25, -1293.75); // the sum of every stretch
    Pointf const last = LiftPos(Track - 1);
    EXPECT_GT(end.x - last.x, 0.0);
    EXPECT_LT(last.Distance(&end), 2.0);
    EXPECT_EQ(LiftPos(Track), Pointf(0.0, 0.0));
    EXPECT_EQ(LiftPos(3 * Track + 293), Pointf(280.0, 0.0));
}

TEST_F(BlackMapMoveTest, GroupsTakeTheirOffsetsForTheTickWithinTheirCovers)
{
    Black_MapMove driver(map.get(), &objects);
    View(Pointf(BlockX(12), Row_Y), 0.05);
    for (Tick t = 0; t <= Track; t += 7)
    {
        driver.Move(map.get(), t << 8, nullptr);
        for (Black_GroupId g = Black_Group_FirstLift; g <= Black_Group_LastLift; g++)
        {
            Pointf const at = LiftPos(Tick(g) * 640 + t);
            ASSERT_EQ(Pointf(Mover(driver, g)->x, Mover(driver, g)->y), at) << "lift " << g << " tick " << t;
        }
        for (int i = 0; i < Black_MapMove_GroupCount; i++)
        {
            Black_MapMoveGroup const* mover = driver.GetMover(i);
            Rectf const block = Block(mover->group);
            ASSERT_NEAR(block.x0, BlockX(mover->group) + mover->x, 0.2);
            ASSERT_NEAR(block.y0, BlockY(mover->group) + mover->y, 0.2);
            ASSERT_TRUE(block.x0 >= mover->bound.x0 - 1e-9 && block.y0 >= mover->bound.y0 - 1e-9
                        && block.x1 <= mover->bound.x1 + 1e-9 && block.y1 <= mover->bound.y1 + 1e-9)
                << "group " << mover->group << " tick " << t;
        }
    }
    // A group without a motion is never moved.
    Black_MapMoveGroup still(6);
    still.Move(map.get(), 100, player.get());
    EXPECT_NEAR(Block(6).x0, BlockX(6), 0.2);
    EXPECT_EQ(still.x, 0.0);
    EXPECT_EQ(still.y, 0.0);
}

TEST_F(BlackMapMoveTest, ARiderIsCarriedByEveryChangeTheJumpBackToTheTrackStartIncluded)
{
    Black_MapMove driver(map.get(), &objects);
    Player& hero = MakePlayer();
    map->PreprocessCollision();
    View(Pointf(BlockX(12), LiftRow_Y));
    // Lift 7 runs at track time 4480 + t and starts again at t = 643.
    driver.Move(map.get(), 630 << 8, nullptr);
    Rectf const block = Block(7);
    hero.pos = Pointf(block.x0 + 50.0, block.y1);
    StandOn(7);
    for (Tick t = 631; t < 643; t++)
    {
        driver.Move(map.get(), t << 8, &hero);
        ASSERT_NEAR(hero.pos.x, Block(7).x0 + 50.0, 1e-6) << "tick " << t;
        ASSERT_NEAR(hero.pos.y, Block(7).y1, 1e-6) << "tick " << t;
    }
    // The jump back carries him the whole way to the track's start, onto the lift where he
    // stood on it, though the lift is placed first and lies across his way there.
    Pointf const far = hero.pos;
    driver.Move(map.get(), 643 << 8, &hero);
    EXPECT_NEAR(Block(7).x0, BlockX(7), 0.2);
    EXPECT_GT(far.Distance(&hero.pos), 4000.0);
    EXPECT_NEAR(hero.pos.x, Block(7).x0 + 50.0, 1e-6);
    EXPECT_NEAR(hero.pos.y, Block(7).y1, 1e-6);
    // And rides on from there.
    driver.Move(map.get(), 644 << 8, &hero);
    EXPECT_NEAR(hero.pos.x, Block(7).x0 + 50.0, 1e-6);
    EXPECT_NEAR(hero.pos.y, Block(7).y1, 1e-6);

    // While time travels nobody is carried.
    Pointf const kept = hero.pos;
    for (Tick t = 659; t >= 600; t--)
        driver.Move(map.get(), t << 8, nullptr);
    EXPECT_EQ(hero.pos, kept);
}

TEST_F(BlackMapMoveTest, AGroupOffScreenStaysAndComesBackToItsPlaceForTheTick)
{
    Black_MapMove driver(map.get(), &objects);
    Player& hero = MakePlayer();
    map->PreprocessCollision();
    View(Pointf(BlockX(5), Row_Y));
    driver.Move(map.get(), 99 << 8, nullptr);
    double const before = Mover(driver, 5)->y;
    Rectf const block = Block(5);
    hero.pos = Pointf(block.x0 + 50.0, block.y1);
    StandOn(5);

    View(Pointf(-30000.0, Row_Y));
    for (Tick t = 100; t <= 200; t++)
        driver.Move(map.get(), t << 8, &hero);
    EXPECT_EQ(Mover(driver, 5)->y, before);
    EXPECT_EQ(Block(5).y1, block.y1);
    EXPECT_EQ(hero.pos.y, block.y1);

    View(Pointf(BlockX(5), Row_Y));
    driver.Move(map.get(), 201 << 8, &hero);
    double const now = 100.0 * std::sin(201.0 / 50.0);
    EXPECT_NEAR(Mover(driver, 5)->y, now, 1e-9);
    EXPECT_NEAR(Block(5).y1, Row_Y + 20.0 + now, 0.2);
    EXPECT_NEAR(hero.pos.y, block.y1 + now - before, 1e-6) << "carried by the whole change";
}
