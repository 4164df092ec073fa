// The main lift in a level: mended after a shake, ridden by the player, and replayed over random travel.
#include "engine/GameEvents.h"
#include "engine/Level.h"
#include "engine/Map.h"
#include "engine/ObjectList.h"
#include "engine/Player.h"
#include "engine/Poly.h"
#include "engine/TimeFrames.h"
#include "support/LevelFixture.h"
#include "support/MapFiles.h"
#include "support/ReplayHarness.h"
#include "treevillage/TreeV_LiftSwitch.h"
#include "treevillage/TreeV_MainLift.h"
#include "treevillage/TreeV_MapMove.h"
#include "util/Error.h"

#include <gtest/gtest.h>

namespace
{

constexpr Tick Shake_Thrown = 40; // switch 1, while the lift is broken
constexpr Tick Mended = 150;      // as the villager's conversation mends it
constexpr Tick Ride_Thrown = 300; // switch 0
constexpr Tick Axe_Flight = 12;   // steps from the throw to the hit
constexpr Tick Ride_Start = Ride_Thrown + Axe_Flight;

// A floor, the lift's platform resting on it with the player on top, and a wall far off that
// takes the collision grid up over the whole route.
std::unique_ptr<Map> LiftLevelMap()
{
    MapWriter writer;
    writer.SetView(-320.0, -240.0, 1.0);
    writer.AddBox(-2000.0, -100.0, 2000.0, 0.0, 0, 0, true, false, 64.0);
    writer.AddBox(1900.0, 0.0, 2000.0, 2600.0, 0, 0, true, false, 64.0);
    writer.AddBox(-50.0, 0.0, 50.0, 20.0, 0, TreeV_MainLift_Group, true, false, 64.0);
    writer.AddRefPoint(0, 0.0, 21.0);
    writer.AddRefPoint(48, -100.0, 50.0);
    writer.AddRefPoint(52, 100.0, 50.0);
    writer.AddRefPoint(49, -60.0, 15.0);
    writer.AddRefPoint(50, 60.0, 100.0);
    // The village's other moving groups, a small shape each about the centres of its turning
    // groups, far off.
    for (unsigned int centre : {4u, 5u, 7u, 8u, 61u})
        writer.AddRefPoint(centre, -1500.0, 500.0);
    for (unsigned int group : {1u, 2u, 12u, 22u, 26u, 28u, 29u, 30u, 34u, 35u, 36u, 37u, 38u, 39u})
        writer.AddBox(-1510.0, 490.0, -1490.0, 510.0, 0, group, false, false, 64.0);
    return MapFiles::Load<Map>(writer);
}

// The village's lift and driver on a level of their own; the shake, the mending and the ride
// come at fixed ticks of forward play, as the axe and the conversation would bring them.
class Lift_Level final : public Level
{
public:
    explicit Lift_Level(GameEvents* events) : Level(events)
    {
        map = built.Own(LiftLevelMap().release());
        Pointf const start = map->GetRefPoint(0);
        player = built.Own(new Player(map, objects, gameEvents, sounds, &start, 1.0));
        built.Initialise(&TreeV_MainLift::Initialise, &TreeV_MainLift::Finalise);
        TreeV_MapMove* driver = built.Own(new TreeV_MapMove(map, objects));
        lift = built.Own(new TreeV_MainLift(map, false));
        objects->AddObject(lift);
        for (int i = 0; i < 2; i++)
        {
            objects->AddObject(static_cast<Object*>(lift->GetSwitch(i)));
            objects->AddTarget(lift->GetSwitch(i));
        }
        driver->AddObject(lift);
        mapMove = driver;
        map->PreprocessCollision();
    }

    Level_Action Poll(KeyData keys) override
    {
        if (!timeTravelling)
        {
            Tick const t = GetTick();
            if (t == Shake_Thrown)
                lift->GetSwitch(1)->Hit(t + Axe_Flight, 1, 0);
            if (t == Mended && !mended)
            {
                lift->SetEnable(true);
                mended = true;
            }
            if (t == Ride_Thrown)
                lift->GetSwitch(0)->Hit(t + Axe_Flight, 1, Target_Hit_FromRight);
        }
        return Level::Poll(keys);
    }

    Player* GetPlayer() const { return player; }
    Map* GetMap() const { return map; }
    TimeFrames* GetTimeFrames() const { return timeFrames; }

    TreeV_MainLift* lift = nullptr;
    bool mended = false;
};

} // namespace

class TreeVLiftReplayTest : public LevelFixture
{
protected:
    void TearDown() override
    {
        level.reset();
        LevelFixture::TearDown();
    }

    std::unique_ptr<Lift_Level> level;
};

TEST_F(TreeVLiftReplayTest, ARiddenLiftAndItsRiderReplayAfterRandomTravel)
{
    try
    {
        level = std::make_unique<Lift_Level>(&events);
    }
    catch (Error const& e)
    {
        FAIL() << "building the level: " << e.Text();
    }
    TreeV_MainLift* lift = level->lift;
    Map const* map = level->GetMap();
    ReplayHarness harness(*level, keyScript);
    // The lift's polygons, but not while the broken lift shakes: that is drawn from the C
    // library's generator, a cosmetic effect that is not replayed.
    harness.Watch([lift, map](Tick t, Replay_Digest& d) {
        bool const shaking = lift->ShakeStep(t) > 0;
        ReplayHarness::Add(d, "lift", "shaking", shaking);
        Pointf const ride = lift->RidePos(t);
        ReplayHarness::Add(d, "lift", "x", ride.x);
        ReplayHarness::Add(d, "lift", "y", ride.y);
        for (int i = 0; i < map->polys.Count() && !shaking; ++i)
        {
            Poly const* poly = map->polys[i];
            if (poly == nullptr || poly->GetGroup() != TreeV_MainLift_Group)
                continue;
            Pointf const p = poly->GetVertexPoint(0);
            ReplayHarness::Add(d, "lift poly " + std::to_string(i), "x", p.x);
            ReplayHarness::Add(d, "lift poly " + std::to_string(i), "y", p.y);
        }
        for (int i = 0; i < 2; ++i)
            ReplayHarness::Add(d, "switch " + std::to_string(i), "hit", lift->GetSwitch(i)->FindClosestHit(t));
    });
    ReplayWatch_Selves(harness, level->GetTimeFrames());

    // Standing on the lift through the shake and the whole ride; at the top he is carried all
    // the way there.
    Player const* hero = level->GetPlayer();
    Pointf const start = hero->GetPos();
    double highest = start.y;
    for (int i = 0; i < Ride_Start + MainLift_RideTime + 100; ++i)
    {
        harness.Step(std::vector<int>{});
        highest = std::max(highest, hero->GetPos().y);
        if (harness.Shown() == Ride_Start + 1100)
        {
            EXPECT_NEAR(hero->GetPos().x, start.x + 955.0, 2.0);
            EXPECT_NEAR(hero->GetPos().y, start.y + 2330.0, 2.0);
        }
    }
    EXPECT_NEAR(highest, start.y + 2330.0, 2.0);
    EXPECT_NEAR(hero->GetPos().x, start.x, 2.0) << "back down with the lift";
    EXPECT_NEAR(hero->GetPos().y, start.y, 2.0);
    ASSERT_EQ(lift->GetSwitch(1)->FindClosestHit(Mended), Shake_Thrown + Axe_Flight);
    ASSERT_EQ(lift->GetSwitch(0)->FindClosestHit(Ride_Start), Ride_Start);

    harness.TravelEachSeed(200);
    EXPECT_EQ(harness.mismatch, "");
    EXPECT_GT(harness.compared, 24 * harness.seedsTravelled);
}
