// Lasers and their targets: reflection by mirrors, recording while the clock goes forward, fixing
// the mirrors of a success, activation, and beams that would never end.
#include "castle/Casle_Laser.h"
#include "castle/Casle_Laser_Target.h"
#include "engine/Collectable.h"
#include "engine/TimeFrames.h"
#include "support/SmallMap.h"
#include "util/Util.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace
{

constexpr unsigned int LeftWall = 5; // x -1000 to -900
constexpr unsigned int Ceiling = 7;  // y 1000 to 1100
constexpr unsigned int Block = 8;    // x 400 to 600, y 100 to 300
constexpr double Down = Util::HalfTurn;
constexpr double Left = -Util::QuarterTurn;
Pointf const Above(0.0, 500.0);

class CasleLaserTest : public testing::Test
{
protected:
    void SetUp() override
    {
        MapWriter writer;
        writer.SetView(-320.0, -240.0, 1.0);
        writer.AddBox(-1000.0, -100.0, 1000.0, 0.0, 0, 0, true, false, 64.0);
        writer.AddBox(-1000.0, 0.0, -900.0, 1000.0, 0, LeftWall, true, false, 64.0);
        writer.AddBox(-1000.0, 1000.0, 1000.0, 1100.0, 0, Ceiling, true, false, 64.0);
        writer.AddBox(400.0, 100.0, 600.0, 300.0, 0, Block, true, false, 64.0);
        map = ReadSmallMap(writer);
        Collectable::Initialise(&frames);
    }
    void TearDown() override
    {
        mirrors.clear();
        Collectable::Initialise(nullptr);
    }

    Collectable* Mirror(Pointf p, double rotation)
    {
        mirrors.push_back(std::make_unique<Collectable>(p, nullptr, 0, Collectable_Rotates));
        mirrors.back()->SetPosAtTime(0, p, Vectorf(0.0, 0.0), rotation, false);
        return mirrors.back().get();
    }

    // The group the beam ends on at t, or -1 when it ends on nothing.
    int EndGroup(Casle_Laser const& laser, Tick t) const
    {
        unsigned int group = 0;
        return laser.Trace(map.get(), t, false, group) ? int(group) : -1;
    }

    std::unique_ptr<Map> map;
    TimeFrames frames;
    std::vector<std::unique_ptr<Collectable>> mirrors;
};

// Whether the target is lit at each tick from..to.
std::string Lit(Casle_Laser_Target const& target, Tick from, Tick to)
{
    std::string s;
    for (Tick t = from; t <= to; t++)
        s += target.IsActive(t) ? '1' : '0';
    return s;
}

} // namespace

TEST_F(CasleLaserTest, OnlyTheNearestMirrorCrossedStrictlyInsideReflects)
{
    // A mirror at rotation 0 lies along pi/4: a beam going down leaves it towards -x.
    Casle_Laser laser(Above, Down, true);
    laser.AddMirror(Mirror(Pointf(0.0, 200.0), 0.0));
    Pointf p = Above;
    double angle = Down;
    unsigned int poly = 0;
    EXPECT_EQ(laser.AdvanceLaser(map.get(), 0, &p, angle, poly, false), Casle_Laser_Leg_Mirror);
    EXPECT_NEAR(p.y, 200.0, 1e-9);
    EXPECT_NEAR(angle, -Util::QuarterTurn, 1e-12);
    EXPECT_EQ(EndGroup(laser, 0), int(LeftWall));

    // The nearer of two mirrors on a leg (to -x) wins over the farther (to +x) in either order.
    Collectable* nearer = Mirror(Pointf(0.0, 300.0), 0.0);
    Collectable* farther = Mirror(Pointf(0.0, 200.0), Util::QuarterTurn);
    for (bool nearFirst : {true, false})
    {
        Casle_Laser pair(Above, Down, true);
        pair.AddMirror(nearFirst ? nearer : farther);
        pair.AddMirror(nearFirst ? farther : nearer);
        p = Above;
        angle = Down;
        pair.AdvanceLaser(map.get(), 0, &p, angle, poly, false);
        EXPECT_NEAR(p.y, 300.0, 1e-9) << nearFirst;
        EXPECT_NEAR(angle, Left, 1e-12) << nearFirst;
    }

    // Crossing a mirror exactly at its end, or starting a leg on one, is no reflection.
    Casle_Laser grazing(Above, Down, true);
    grazing.AddMirror(Mirror(Pointf(-17.0 * std::sin(0.78539816339745), 150.0), 0.0));
    EXPECT_EQ(EndGroup(grazing, 0), 0);
    Casle_Laser onMirror(Pointf(0.0, 400.0), Down, true);
    onMirror.AddMirror(Mirror(Pointf(0.0, 400.0), 0.0));
    EXPECT_EQ(EndGroup(onMirror, 0), 0);
}

TEST_F(CasleLaserTest, TargetsRecordTheSpanSinceTheLastMoveTheBeamReachedThemOnlyGoingForward)
{
    // The mirror turns the beam onto the wall over ticks 0 to 9 and 30 to 39, else it lies aside.
    Collectable* mirror = Mirror(Pointf(0.0, 200.0), 0.0);
    Pointf const aside(300.0, 50.0);
    mirror->SetPosAtTime(10, aside, Vectorf(0.0, 0.0), 0.0, false);
    mirror->SetPosAtTime(30, Pointf(0.0, 200.0), Vectorf(0.0, 0.0), 0.0, false);
    mirror->SetPosAtTime(40, aside, Vectorf(0.0, 0.0), 0.0, false);
    Casle_Laser laser(Above, Down, true);
    laser.AddMirror(mirror);
    Casle_Laser_Target a(LeftWall);
    Casle_Laser_Target ceiling(Ceiling);
    Casle_Laser_Target b(LeftWall);
    for (Casle_Laser_Target* target : {&a, &ceiling, &b})
        laser.AddTarget(target);

    laser.MoveToTime(map.get(), 5);
    EXPECT_EQ(Lit(a, -1, 6), "01111110") << "the first record covers every tick from 0";
    laser.MoveToTime(map.get(), 45);
    laser.MoveToTime(map.get(), 35);
    EXPECT_FALSE(a.IsActive(35)) << "going back recorded";
    laser.MoveToTime(map.get(), 38);
    laser.MoveToTime(map.get(), 38);
    EXPECT_EQ(Lit(a, 35, 39), "01110");
    // A forward jump records back from the tick it lands on only as far as the beam reached the
    // target: the mirror stood in the beam again at 30, which the beam follows a tick later.
    laser.MoveToTime(map.get(), 12);
    laser.MoveToTime(map.get(), 33);
    EXPECT_EQ(Lit(a, 12, 34), std::string(19, '0') + "111" + "0");
    EXPECT_EQ(Lit(a, -1, 60), Lit(b, -1, 60)) << "two targets of one group both record";
    EXPECT_EQ(Lit(ceiling, 0, 60), std::string(61, '0'));
    EXPECT_TRUE(a.IsBlocked(map.get(), 33));
}

TEST_F(CasleLaserTest, ASuccessFixesTheMirrorsOnItsPathUpToTheTickBefore)
{
    // Down onto the first mirror, left to the second, up to the ceiling.
    Collectable* onPath[2] = {Mirror(Pointf(0.0, 200.0), 0.0), Mirror(Pointf(-500.0, 200.0), -Util::QuarterTurn)};
    Collectable* aside = Mirror(Pointf(300.0, 50.0), 0.0);
    Casle_Laser_Target wall(LeftWall);
    Casle_Laser_Target ceiling(Ceiling);
    Casle_Laser missing(Above, Down, true);
    Casle_Laser reaching(Above, Down, true);
    for (Casle_Laser* laser : {&missing, &reaching})
        for (Collectable* m : {aside, onPath[1], onPath[0]})
            laser->AddMirror(m);
    missing.AddTarget(&wall);
    reaching.AddTarget(&ceiling);

    missing.MoveToTime(map.get(), 30);
    EXPECT_TRUE(onPath[0]->CanCollectAtTime(1)) << "a beam that reached no target fixed a mirror";
    reaching.MoveToTime(map.get(), 30);
    for (Collectable* m : onPath)
    {
        EXPECT_FALSE(m->CanCollectAtTime(29));
        EXPECT_TRUE(m->CanCollectAtTime(30));
    }
    EXPECT_TRUE(aside->CanCollectAtTime(1));
}

TEST_F(CasleLaserTest, AnUnlitLaserIsOnOnlyAtTheTickAfterEachActivation)
{
    Casle_Laser laser(Above, Down, false);
    laser.AddMirror(Mirror(Pointf(0.0, 200.0), 0.0));
    Casle_Laser_Target wall(LeftWall);
    laser.AddTarget(&wall);
    laser.MoveToTime(map.get(), 19);
    laser.Activate(map.get(), 20);
    EXPECT_FALSE(laser.IsOn(20));
    EXPECT_TRUE(laser.IsOn(21));
    EXPECT_FALSE(laser.IsOn(22));
    laser.MoveToTime(map.get(), 21);
    laser.MoveToTime(map.get(), 22);
    EXPECT_EQ(Lit(wall, 0, 23), std::string(21, '0') + "100");
    EXPECT_EQ(laser.LastActiveTime(25), 20);
    EXPECT_EQ(laser.LastInactiveTime(20), 19);
    EXPECT_FALSE(laser.IsActive(21));
}

TEST_F(CasleLaserTest, BeamsThatLoopLeaveTheMapOrHaveNoLengthEndCleanly)
{
    Casle_Laser_Target wall(LeftWall);
    Casle_Laser_Target block(Block);
    Pointf points[Laser_MaxLegs + 1];
    int count = 0;
    unsigned int group = 0;

    // Upright mirrors facing each other: the beam is given up, hits and fixes nothing, and is
    // drawn as far as it was followed.
    Collectable* west = Mirror(Pointf(-100.0, 600.0), -Util::QuarterTurn / 2.0);
    Collectable* east = Mirror(Pointf(100.0, 600.0), -Util::QuarterTurn / 2.0);
    Casle_Laser trapped(Pointf(0.0, 600.0), Left, true);
    trapped.AddMirror(west);
    trapped.AddMirror(east);
    trapped.AddTarget(&wall);
    EXPECT_FALSE(trapped.Trace(map.get(), 10, false, group, points, &count));
    EXPECT_EQ(count, Laser_MaxLegs + 1);
    trapped.MoveToTime(map.get(), 10);
    EXPECT_TRUE(west->CanCollectAtTime(5));

    // Above the ceiling a beam going up meets nothing.
    Casle_Laser skyward(Pointf(0.0, 1200.0), 0.0, true);
    EXPECT_EQ(EndGroup(skyward, 0), -1);

    // Into a wall from its face, and turned into the block by a mirror on its face: legs of no
    // length end on that polygon.
    Casle_Laser intoWall(Pointf(-900.0, 500.0), Left, true);
    intoWall.AddMirror(west);
    intoWall.AddTarget(&wall);
    EXPECT_TRUE(intoWall.Trace(map.get(), 0, false, group, points, &count));
    EXPECT_EQ(count, 2);
    Casle_Laser alongBlock(Pointf(600.0, 500.0), Down, true);
    alongBlock.AddMirror(Mirror(Pointf(600.0, 200.0), 0.0));
    alongBlock.AddTarget(&block);
    EXPECT_TRUE(alongBlock.Trace(map.get(), 0, false, group, points, &count));
    EXPECT_EQ(group, Block);
    ASSERT_EQ(count, 3);
    EXPECT_EQ(points[2], Pointf(600.0, 200.0));
    intoWall.MoveToTime(map.get(), 10);
    alongBlock.MoveToTime(map.get(), 10);
    EXPECT_TRUE(wall.IsActive(10));
    EXPECT_TRUE(block.IsActive(10));
}

TEST_F(CasleLaserTest, ATickShownAgainLightsTheTargetAsItDidWhenPlayed)
{
    // In play the objects move before the player lets go of a mirror: at tick 50 the beam passes
    // the mirror still in the hand, and the mirror stands in the beam from 50 on only afterwards.
    Collectable* mirror = Mirror(Pointf(300.0, 50.0), 0.0);
    Casle_Laser laser(Above, Down, true);
    laser.AddMirror(mirror);
    Casle_Laser_Target wall(LeftWall);
    laser.AddTarget(&wall);
    for (Tick t = 0; t <= 50; t++)
        laser.MoveToTime(map.get(), t);
    mirror->SetPosAtTime(50, Pointf(0.0, 200.0), Vectorf(0.0, 0.0), 0.0, false);
    for (Tick t = 51; t <= 60; t++)
        laser.MoveToTime(map.get(), t);
    std::string const played = Lit(wall, 45, 60);
    EXPECT_EQ(played, std::string(6, '0') + std::string(10, '1'));

    // Back, and forward again a tick at a time and by a jump: the same ticks lit.
    laser.MoveToTime(map.get(), 40);
    for (Tick t = 41; t <= 55; t++)
        laser.MoveToTime(map.get(), t);
    laser.MoveToTime(map.get(), 30);
    laser.MoveToTime(map.get(), 60);
    EXPECT_EQ(Lit(wall, 45, 60), played);
}
