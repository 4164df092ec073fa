// The Black mountains played with the worlds' kit: the walk along the road the generator exports, the
// ogre beaten with time travel, a ride round the lift track, the whole world replayed under random
// travel, and the map refused without any id the world reads.
#include "black/BlackSupport.h"
#include "black/Black_MapMove.h"
#include "black/Black_MapMoveGroup.h"
#include "black/Black_Ogre.h"
#include "black/Black_PushRock.h"
#include "black/Black_Rock.h"
#include "engine/Poly.h"
#include "support/MapIdSweep.h"
#include "support/RoadWalker.h"
#include "support/WorldReplay.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

using namespace BlackWriter;

// The ogre, the boulder's copies and the rock streams, which the whole-world watcher cannot see into.
void WatchMountains(ReplayHarness& harness, World_Base& world)
{
    Black& black = dynamic_cast<Black&>(world);
    Black_Ogre* ogre = black.GetOgre();
    Black_PushRock const* boulder = black.GetPushRock();
    harness.Watch([=, &black](Tick t, Replay_Digest& d) {
        ReplayHarness::Add(d, "ogre", "swing", double(ogre->SwingAt(t)));
        ReplayHarness::Add(d, "ogre", "arm", ogre->ArmAngle(t));
        std::vector<Pointf> const copies = boulder->CopiesAt(t);
        ReplayHarness::Add(d, "boulder", "copies", double(copies.size()));
        for (std::size_t i = 0; i < copies.size(); ++i)
        {
            ReplayHarness::Add(d, "boulder copy " + std::to_string(i), "x", copies[i].x);
            ReplayHarness::Add(d, "boulder copy " + std::to_string(i), "y", copies[i].y);
        }
        for (int s = 0; s < Black_Rock_Count; ++s)
        {
            Black_Rock const* stream = black.GetRock(s);
            for (int k = 0; k < stream->GetCount(); ++k)
            {
                Pointf at;
                stream->GetPosAtTime(t, k, &at, nullptr);
                std::string const name = "stream " + std::to_string(s) + " rock " + std::to_string(k);
                ReplayHarness::Add(d, name, "x", at.x);
                ReplayHarness::Add(d, name, "y", at.y);
            }
        }
    });
}

} // namespace

class BlackRoad : public BlackWorld
{
};

TEST_F(BlackRoad, FromTheStartUpToTheBoulderDownThroughTheOgresPassAndOnToTheEndUnhurt)
{
    Black& black = MakeWorld();
    int full = 0;
    black.GetPlayer()->GetHitPoints(&full, nullptr);
    RoadWalker walker(*world, RoadWalker::WorldRoad(Level_Black, "exit"));
    RoadWalk_Result const r = walker.Walk([&](std::vector<int> const& held) {
        Level_Action const a = Step(held);
        // Nobody passes the ogre's barrier while it lives.
        Pointf const at = black.GetPlayer()->GetPos();
        if (at.x > Black_GateX1 && at.y < Black_GateTop)
        {
            EXPECT_TRUE(black.GetOgre()->IsDead(black.GetTick())) << "past the ogre at tick " << black.GetTick();
        }
        return a;
    });
    EXPECT_TRUE(r.done) << r.report;
    EXPECT_EQ(r.action, Level_Completed) << r.report;
    EXPECT_EQ(black.GetPushRock()->CopiesAt(black.GetOgre()->GetDeathTime()).size(), 1u) << "killed by one push";
    int left = 0;
    black.GetPlayer()->GetHitPoints(&left, nullptr);
    EXPECT_EQ(left, full) << "hurt on the way";
}

TEST_F(BlackRoad, TheBoulderFallsOnTheOgreAsItDiesAndTheRockStreamsStayInTheirPits)
{
    Black& black = MakeWorld();
    FlatList<Pointf> const& path = black.GetPushRock()->GetPath();
    Pointf const ogre = black.GetOgre()->GetPos();
    // The ogre's body is 64 wide and 96 high; the boulder is drawn 64 across, and comes down on it.
    Pointf const strike = path[Black_PushRock::PushRock_KillDelay];
    EXPECT_NEAR(strike.x, ogre.x, 64.0);
    EXPECT_GT(strike.y, ogre.y);
    EXPECT_LT(strike.y - 32.0, ogre.y + 96.0 + 10.0);
    EXPECT_LT(path[Black_PushRock::PushRock_KillDelay + 10].y, strike.y);
    for (int s = 0; s < Black_Rock_Count; ++s)
    {
        FlatList<Pointf> const& rocks = black.GetRock(s)->GetPath();
        Pointf const start = rocks[0];
        double const road = RoadY(start.x);
        for (int i = 0; i < rocks.Count(); ++i)
        {
            // Under the bridge over their pit, so far below a walker that no rock touches him.
            ASSERT_LT(rocks[i].y, road - 40.0 - Black_Rock::Rock_Hit_Dist) << "stream " << s << " step " << i;
            ASSERT_LT(std::abs(rocks[i].x - start.x), 600.0) << "stream " << s << " step " << i;
        }
    }
}

TEST_F(BlackRoad, EveryMovingGroupSweepsInsideTheFrameClearOfTheStillRock)
{
    Black& black = MakeWorld();
    Map const* map = black.GetMap();
    // The groups stand where the map file put them until their first move.
    std::vector<Rectf> still;
    Rectf frame = *map->polys[0]->GetBound();
    for (int i = 0; i < map->polys.Count(); ++i)
    {
        Poly const* poly = map->polys[i];
        frame.Union(poly->GetBound());
        if (poly->solid && poly->GetGroup() == 0)
            still.push_back(*poly->GetBound());
    }
    for (int m = 0; m < Black_MapMove_GroupCount; ++m)
    {
        Black_MapMoveGroup const* mover = black.GetDriver()->GetMover(m);
        for (int i = 0; i < map->polys.Count(); ++i)
        {
            if (map->polys[i]->GetGroup() != mover->group)
                continue;
            Rectf const home = *map->polys[i]->GetBound();
            for (Tick t = 0; t < 5123; ++t)
            {
                double x = 0.0;
                double y = 0.0;
                ASSERT_TRUE(mover->Offset(t, x, y));
                Rectf const at(home.x0 + x, home.y0 + y, home.x1 + x, home.y1 + y);
                ASSERT_TRUE(at.x0 > frame.x0 + 200.0 && at.x1 < frame.x1 - 200.0 && at.y0 > frame.y0 + 200.0
                            && at.y1 < frame.y1 - 200.0)
                    << "group " << mover->group << " out of the frame at tick " << t;
                for (Rectf const& rock : still)
                    ASSERT_FALSE(at.x1 > rock.x0 && at.x0 < rock.x1 && at.y1 > rock.y0 && at.y0 < rock.y1)
                        << "group " << mover->group << " runs into the rock at (" << rock.x0 << ", " << rock.y0
                        << ") at tick " << t;
            }
        }
    }
}

TEST_F(BlackRoad, BeatenByTheOgreTheWalkingDeadStopAtTheWallAndTheBoulderPushedBeforeTheBlowGivesItBack)
{
    Black& black = MakeWorldWithSocks();
    Player* hero = black.GetPlayer();
    int full = 0;
    hero->GetHitPoints(&full, nullptr);
    ASSERT_LT(full, 10) << "the ogre's blow must leave the player dead but walking";
    Steps(400);
    Place(Pointf(Black_OgreX - 150.0, Black_PassY + 1.0));
    Steps(600, {KeyIndex_GameRight});
    ASSERT_EQ(hero->IsPlayerDead(), 3);
    EXPECT_LE(hero->GetPos().x, Black_LivingGateX0 + 1e-6);
    EXPECT_GT(hero->GetPos().x, Black_GateX1);
    EXPECT_TRUE(black.DeadHintShown());
    EXPECT_EQ(black.GetOgre()->GetDeathTime(), -1);

    // Back to long before the blow: the boulder pushed then kills the ogre before it, and the blow
    // is given back once.
    TravelBackTo(100);
    Place(Pointf(Black_BoulderX + 300.0, Black_LedgeY + 1.0));
    Steps(100, {KeyIndex_GameLeft});
    Tick const death = black.GetOgre()->GetDeathTime();
    ASSERT_NE(death, -1) << "no push";
    int now = 0;
    hero->GetHitPoints(&now, nullptr);
    EXPECT_EQ(now, full);
    EXPECT_EQ(hero->IsPlayerDead(), 0);
    EXPECT_EQ(black.GetPushRock()->GetHits(), 0);
}

TEST_F(BlackRoad, ARiderGoesRoundTheLiftTrackAndIsCarriedBackToItsStartByItsJump)
{
    Black& black = MakeWorld();
    Map* map = black.GetMap();
    // Lift 7 stands at the track's start at the ticks 5123 k + 643.
    Tick const back = 5123 + 643;
    Pointf const start(Black_TrackX, Black_TrackY);
    // Ride it from its wait, standing over the valley, until its jump back.
    Place(Pointf(start.x - 200.0, start.y + 1.0));
    while (black.GetTick() < back - 500)
        Step();
    Black_MapMoveGroup const* lift = black.GetDriver()->GetMover(0);
    ASSERT_EQ(lift->group, Black_Group_FirstLift);
    Pointf const onLift(start.x + lift->x, start.y + lift->y + 0.5);
    Place(onLift);
    Steps(20);
    unsigned int poly = 0;
    ASSERT_TRUE(black.GetPlayer()->PolyOn(&poly));
    ASSERT_EQ(map->GetGroup(poly), Black_Group_FirstLift);
    double lastOffset = black.GetPlayer()->GetPos().x - lift->x;
    while (black.GetTick() <= back)
    {
        Step();
        double const offset = black.GetPlayer()->GetPos().x - lift->x;
        ASSERT_NEAR(offset, lastOffset, 1e-6) << "thrown off at tick " << black.GetTick();
        lastOffset = offset;
    }
    // Back at the start, on the lift, and off it onto the ledge beside it.
    EXPECT_NEAR(lift->x, 0.0, 1e-6);
    EXPECT_NEAR(black.GetPlayer()->GetPos().y, start.y, 1e-6);
    Steps(80, {KeyIndex_GameLeft});
    EXPECT_LT(black.GetPlayer()->GetPos().x, start.x - Black_LiftHalfWidth);
    EXPECT_NEAR(black.GetPlayer()->GetPos().y, start.y, 1e-6);
}

TEST_F(BlackRoad, TheWholeMountainsReplayAlongTheRoadAndUnderRandomKeys)
{
    WorldReplay_Options options;
    options.prepare = WatchMountains;
    options.road = "exit";
    WorldReplay::Run(*this, Level_Black, events, options);
    options.road.clear();
    WorldReplay::Run(*this, Level_Black, events, options);
}

class BlackMissingId : public BlackWorld
{
};

TEST_F(BlackMissingId, TheMountainsRefuseAMapWithoutAnIdTheyReadAndLeaveNothingBehind)
{
    WorldSweep::Run(*this, Level_Black, events);
}
