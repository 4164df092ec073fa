// Lasers and their targets: reflection by mirrors, recording while the clock goes forward, fixing
// the mirrors of a success, activation, and beams that would never end.
#include "castle/Casle_Laser.h"
#include "castle/Casle_Laser_Target.h"
#include "engine/Collectable.h"
#include "engine/TimeFrames.h"
#include "support/MapFiles.h"
#include "support/SmallMap.h"
#include "util/Util.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace
{

constexpr unsigned int LeftWall = 5;  // x -1000 to -900
constexpr unsigned int RightWall = 6; // x 900 to 1000
constexpr unsigned int Ceiling = 7;   // y 1000 to 1100
constexpr unsigned int Block = 8;     // x 400 to 600, y 100 to 300
constexpr double Down = Util::HalfTurn;
constexpr double Left = -Util::QuarterTurn;
constexpr double Right = Util::QuarterTurn;

class CasleLaserTest : public testing::Test
{
protected:
    void SetUp() override
    {
        MapWriter writer;
        writer.SetView(-320.0, -240.0, 1.0);
        writer.AddBox(-1000.0, -100.0, 1000.0, 0.0, 0, 0, true, false, 64.0);
        writer.AddBox(-1000.0, 0.0, -900.0, 1000.0, 0, LeftWall, true, false, 64.0);
        writer.AddBox(900.0, 0.0, 1000.0, 1000.0, 0, RightWall, true, false, 64.0);
        writer.AddBox(-1000.0, 1000.0, 1000.0, 1100.0, 0, Ceiling, true, false, 64.0);
        writer.AddBox(400.0, 100.0, 600.0, 300.0, 0, Block, true, false, 64.0);
        map = ReadSmallMap(writer);
        Collectable::Initialise(&frames);
    }
    void TearDown() override
    {
        items.clear();
        Collectable::Initialise(nullptr);
    }

    // A turning item with its centre at p and the rotation from tick 0 on.
    Collectable* Mirror(Pointf p, double rotation)
    {
        items.push_back(std::make_unique<Collectable>(p, nullptr, 0, Collectable_Rotates));
        items.back()->SetPosAtTime(0, p, Vectorf(0.0, 0.0), rotation, false);
        return items.back().get();
    }

    // The group the laser's beam ends on at t, or -1 when it ends on nothing.
    int EndGroup(Casle_Laser const& laser, Tick t) const
    {
        unsigned int group = 0;
        return laser.Trace(map.get(), t, false, group) ? int(group) : -1;
    }

    std::unique_ptr<Map> map;
    TimeFrames frames;
    std::vector<std::unique_ptr<Collectable>> items;
};

// The ticks from..to (inclusive) at which the target is lit, as a string of 0s and 1s.
std::string Lit(Casle_Laser_Target const& target, Tick from, Tick to)
{
    std::string s;
    for (Tick t = from; t <= to; t++)
        s += target.IsActive(t) ? '1' : '0';
    return s;
}

} // namespace

TEST_F(CasleLaserTest, MirrorsTurnTheBeamAndOnlyTheNearestOnAStrictCrossingReflects)
{
    // A mirror at rotation 0 lies along pi/4: a beam going down leaves it towards -x.
    Collectable* flat = Mirror(Pointf(0.0, 200.0), 0.0);
    Casle_Laser laser(Pointf(0.0, 500.0), Down, true);
    laser.AddMirror(flat);
    Pointf p(0.0, 500.0);
    double angle = Down;
    unsigned int poly = 99;
    EXPECT_EQ(laser.AdvanceLaser(map.get(), 0, &p, angle, poly, false), Casle_Laser_Leg_Mirror);
    EXPECT_NEAR(p.x, 0.0, 1e-9);
    EXPECT_NEAR(p.y, 200.0, 1e-9);
    EXPECT_NEAR(angle, -Util::QuarterTurn, 1e-12);
    EXPECT_EQ(poly, 0u);
    EXPECT_EQ(laser.AdvanceLaser(map.get(), 0, &p, angle, poly, false), Casle_Laser_Leg_Map);
    EXPECT_NEAR(p.x, -900.0, 1e-9);
    EXPECT_EQ(map->GetGroup(poly), LeftWall);

    // Of two mirrors on one leg the nearer reflects whatever the list order: the nearer sends
    // the beam to -x, the farther would send it to +x.
    Collectable* nearer = Mirror(Pointf(0.0, 300.0), 0.0);
    Collectable* farther = Mirror(Pointf(0.0, 200.0), Util::QuarterTurn);
    for (bool nearFirst : {true, false})
    {
        Casle_Laser pair(Pointf(0.0, 500.0), Down, true);
        pair.AddMirror(nearFirst ? nearer : farther);
        pair.AddMirror(nearFirst ? farther : nearer);
        p = Pointf(0.0, 500.0);
        angle = Down;
        EXPECT_EQ(pair.AdvanceLaser(map.get(), 0, &p, angle, poly, false), Casle_Laser_Leg_Mirror);
        EXPECT_NEAR(p.y, 300.0, 1e-9) << "near first: " << nearFirst;
        EXPECT_NEAR(angle, Left, 1e-12) << "near first: " << nearFirst;
        EXPECT_EQ(EndGroup(pair, 0), int(LeftWall));
    }

    // A beam meeting a mirror exactly at its end passes; so does a leg that starts on a mirror.
    double const half = 17.0 * std::sin(0.78539816339745);
    Casle_Laser grazing(Pointf(0.0, 500.0), Down, true);
    grazing.AddMirror(Mirror(Pointf(-half, 150.0), 0.0));
    EXPECT_EQ(EndGroup(grazing, 0), 0) << "reflected by a mirror's end";
    Collectable* under = Mirror(Pointf(0.0, 400.0), 0.0);
    Casle_Laser onMirror(Pointf(0.0, 400.0), Down, true);
    onMirror.AddMirror(under);
    EXPECT_EQ(EndGroup(onMirror, 0), 0) << "reflected by the mirror it starts on";
}

TEST_F(CasleLaserTest, TargetsRecordTheTicksSinceTheLastMoveOnlyWhileTheClockGoesForward)
{
    // The mirror sends the beam to the left wall over ticks 0 to 9 and 30 to 39; in between and
    // after it lies out of the beam, which then ends on the floor.
    Collectable* mirror = Mirror(Pointf(0.0, 200.0), 0.0);
    Pointf const away(300.0, 50.0);
    mirror->SetPosAtTime(10, away, Vectorf(0.0, 0.0), 0.0, false);
    mirror->SetPosAtTime(30, Pointf(0.0, 200.0), Vectorf(0.0, 0.0), 0.0, false);
    mirror->SetPosAtTime(40, away, Vectorf(0.0, 0.0), 0.0, false);
    Casle_Laser laser(Pointf(0.0, 500.0), Down, true);
    laser.AddMirror(mirror);
    Casle_Laser_Target a(LeftWall);
    Casle_Laser_Target b(LeftWall);
    Casle_Laser_Target ceiling(Ceiling);
    laser.AddTarget(&a);
    laser.AddTarget(&ceiling);
    laser.AddTarget(&b);

    laser.MoveToTime(map.get(), 5);
    EXPECT_EQ(Lit(a, -1, 6), "01111110") << "the first record covers every tick from 0";
    laser.MoveToTime(map.get(), 20);
    laser.MoveToTime(map.get(), 45);
    EXPECT_EQ(Lit(a, 5, 45), "1" + std::string(40, '0'));

    laser.MoveToTime(map.get(), 35);
    EXPECT_FALSE(a.IsActive(35)) << "going back records nothing";
    laser.MoveToTime(map.get(), 38);
    EXPECT_EQ(Lit(a, 35, 39), "01110") << "going forward again resumes from the tick before";
    laser.MoveToTime(map.get(), 38);
    EXPECT_FALSE(a.IsActive(39)) << "a second move to the same tick adds nothing";

    // A forward jump records the whole span, judged at the tick it lands on.
    laser.MoveToTime(map.get(), 12);
    laser.MoveToTime(map.get(), 33);
    EXPECT_EQ(Lit(a, 12, 34), "0" + std::string(21, '1') + "0");
    EXPECT_EQ(Lit(a, 0, 60), Lit(b, 0, 60)) << "two targets of one group both record";
    EXPECT_EQ(Lit(ceiling, 0, 60), std::string(61, '0'));
    EXPECT_TRUE(a.IsBlocked(map.get(), 33));
    EXPECT_FALSE(a.IsBlocked(map.get(), 40));
}

TEST_F(CasleLaserTest, ASuccessFixesTheMirrorsOnItsPathUpToTheTickBefore)
{
    // Down onto the first mirror, left to the second, up to the ceiling.
    Collectable* first = Mirror(Pointf(0.0, 200.0), 0.0);
    Collectable* second = Mirror(Pointf(-500.0, 200.0), -Util::QuarterTurn);
    Collectable* aside = Mirror(Pointf(300.0, 50.0), 0.0);
    Casle_Laser_Target wall(LeftWall);
    Casle_Laser_Target ceiling(Ceiling);
    Casle_Laser missing(Pointf(0.0, 500.0), Down, true);
    Casle_Laser reaching(Pointf(0.0, 500.0), Down, true);
    for (Casle_Laser* laser : {&missing, &reaching})
        for (Collectable* m : {aside, second, first})
            laser->AddMirror(m);
    missing.AddTarget(&wall);
    reaching.AddTarget(&ceiling);
    EXPECT_EQ(EndGroup(reaching, 30), int(Ceiling));

    missing.MoveToTime(map.get(), 30);
    for (Collectable* m : {first, second, aside})
        EXPECT_TRUE(m->CanCollectAtTime(1)) << "a beam that reached no target fixed a mirror";
    reaching.MoveToTime(map.get(), 30);
    for (Collectable* m : {first, second})
    {
        EXPECT_FALSE(m->CanCollectAtTime(0));
        EXPECT_FALSE(m->CanCollectAtTime(29));
        EXPECT_TRUE(m->CanCollectAtTime(30));
    }
    EXPECT_TRUE(aside->CanCollectAtTime(1)) << "a mirror off the path was fixed";
}

TEST_F(CasleLaserTest, AnUnlitLaserIsOnOnlyAtTheTickAfterEachActivation)
{
    Casle_Laser laser(Pointf(0.0, 500.0), Down, false);
    laser.AddMirror(Mirror(Pointf(0.0, 200.0), 0.0));
    Casle_Laser_Target wall(LeftWall);
    laser.AddTarget(&wall);
    for (Tick t = 0; t < 20; t++)
        laser.MoveToTime(map.get(), t);
    EXPECT_EQ(Lit(wall, 0, 20), std::string(21, '0'));

    laser.Activate(map.get(), 20);
    EXPECT_FALSE(laser.IsOn(20));
    EXPECT_TRUE(laser.IsOn(21));
    EXPECT_FALSE(laser.IsOn(22));
    laser.MoveToTime(map.get(), 21);
    laser.MoveToTime(map.get(), 22);
    EXPECT_EQ(Lit(wall, 19, 23), "00100");

    // As an activator it answers from its activations, never as active itself.
    EXPECT_EQ(laser.LastActiveTime(19), -1);
    EXPECT_EQ(laser.LastActiveTime(25), 20);
    EXPECT_EQ(laser.LastInactiveTime(20), 19);
    EXPECT_EQ(laser.LastInactiveTime(21), 21);
    EXPECT_FALSE(laser.IsActive(20));
    EXPECT_FALSE(laser.IsActive(21));
}

TEST_F(CasleLaserTest, BeamsThatLoopLeaveTheMapOrStartOnAnEdgeEndCleanly)
{
    Casle_Laser_Target walls[] = {Casle_Laser_Target(LeftWall), Casle_Laser_Target(RightWall),
                                  Casle_Laser_Target(Block)};
    auto aimAll = [&](Casle_Laser& laser) {
        for (Casle_Laser_Target& target : walls)
            laser.AddTarget(&target);
    };

    // Two upright mirrors facing each other turn the beam back and forth: it is given up, hits
    // nothing and fixes nothing, and is drawn as far as it was followed.
    Collectable* west = Mirror(Pointf(-100.0, 600.0), -Util::QuarterTurn / 2.0);
    Collectable* east = Mirror(Pointf(100.0, 600.0), -Util::QuarterTurn / 2.0);
    Casle_Laser trapped(Pointf(0.0, 600.0), Left, true);
    trapped.AddMirror(west);
    trapped.AddMirror(east);
    aimAll(trapped);
    Pointf points[Laser_MaxLegs + 1];
    int count = 0;
    unsigned int group = 0;
    EXPECT_FALSE(trapped.Trace(map.get(), 10, false, group, points, &count));
    EXPECT_EQ(count, Laser_MaxLegs + 1);
    EXPECT_NEAR(points[Laser_MaxLegs].x, 100.0, 1e-6);
    trapped.MoveToTime(map.get(), 10);
    EXPECT_TRUE(west->CanCollectAtTime(5));
    EXPECT_TRUE(east->CanCollectAtTime(5));

    // Above the ceiling a beam going up meets nothing the map holds.
    Casle_Laser skyward(Pointf(0.0, 1200.0), 0.0, true);
    skyward.AddMirror(west);
    aimAll(skyward);
    EXPECT_EQ(EndGroup(skyward, 0), -1);
    skyward.MoveToTime(map.get(), 10);

    // An emitter on a wall's face shooting into it, and a beam turned into the block by a mirror
    // on its face, have legs of no length: they end on that polygon.
    Casle_Laser intoWall(Pointf(-900.0, 500.0), Left, true);
    intoWall.AddMirror(west);
    aimAll(intoWall);
    EXPECT_TRUE(intoWall.Trace(map.get(), 0, false, group, points, &count));
    EXPECT_EQ(group, LeftWall);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(points[1], Pointf(-900.0, 500.0));
    Casle_Laser alongBlock(Pointf(600.0, 500.0), Down, true);
    alongBlock.AddMirror(Mirror(Pointf(600.0, 200.0), 0.0));
    aimAll(alongBlock);
    EXPECT_TRUE(alongBlock.Trace(map.get(), 0, false, group, points, &count));
    EXPECT_EQ(group, Block);
    ASSERT_EQ(count, 3);
    EXPECT_EQ(points[1], Pointf(600.0, 200.0));
    EXPECT_EQ(points[2], Pointf(600.0, 200.0));
    for (Casle_Laser* laser : {&intoWall, &alongBlock})
        laser->MoveToTime(map.get(), 10);
    EXPECT_EQ(Lit(walls[0], 0, 11), std::string(11, '1') + "0");
    EXPECT_EQ(Lit(walls[1], 0, 11), std::string(12, '0'));
    EXPECT_EQ(Lit(walls[2], 0, 11), std::string(11, '1') + "0");
}
