// The main lift: its route, rides and shakes from the switches' hits, blocked ticks and mending.
#include "engine/Poly.h"
#include "support/MapFiles.h"
#include "support/SmallMap.h"
#include "treevillage/TreeV_LiftSwitch.h"
#include "treevillage/TreeV_MainLift.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace
{

// The lift is a platform of two polygons at rest on the floor, with its switches beside it and
// its area around it.
std::unique_ptr<Map> LiftMap()
{
    MapWriter writer = FloorWriter();
    writer.AddBox(-50.0, 0.0, 50.0, 20.0, 0, TreeV_MainLift_Group, true, false, 64.0);
    writer.AddBox(-50.0, 20.0, -40.0, 60.0, 0, TreeV_MainLift_Group, true, false, 64.0);
    writer.AddRefPoint(48, -100.0, 50.0);
    writer.AddRefPoint(52, 100.0, 50.0);
    writer.AddRefPoint(49, 50.0, 100.0);
    writer.AddRefPoint(50, -50.0, 20.0);
    return MapFiles::Load<Map>(writer);
}

void ExpectRide(TreeV_MainLift const& lift, Tick t, double x, double y)
{
    Pointf const at = lift.RidePos(t);
    EXPECT_DOUBLE_EQ(at.x, x) << "tick " << t;
    EXPECT_DOUBLE_EQ(at.y, y) << "tick " << t;
}

Pointf const InArea(0.0, 30.0);

} // namespace

TEST(TreeVMainLift, RidesTheRouteUpWaitsAndComesBackWithinItsCover)
{
    std::unique_ptr<Map> map = LiftMap();
    TreeV_MainLift lift(map.get(), true);
    Rectf cover;
    map->FindGroupBound(TreeV_MainLift_Group, &cover);

    ExpectRide(lift, 1000, 0.0, 0.0);
    lift.GetSwitch(1)->Hit(1000, 1, 0);
    ExpectRide(lift, 1000, 0.0, 0.0);
    ExpectRide(lift, 1000 + 1068, 955.0, 2330.0);
    ExpectRide(lift, 1000 + 1218, 955.0, 2330.0);
    ExpectRide(lift, 1000 + 2285, 0.0, 4.0);
    ExpectRide(lift, 1000 + 2286, 0.0, 0.0);

    // The rider is carried at every step, and every polygon stays within the group's cover.
    Pointf last = lift.RidePos(999);
    for (Tick t = 1000; t <= 1000 + 2286; t++)
    {
        Pointf const at = lift.RidePos(t);
        ASSERT_LT(std::fabs(at.x - last.x) + std::fabs(at.y - last.y), 100.0) << "tick " << t;
        last = at;
        map->MoveGroup(TreeV_MainLift_Group, at.x, at.y);
        for (unsigned int i = 0; i < map->polyCount; i++)
        {
            Rectf const* b = map->polys[int(i)]->GetBound();
            if (map->GetGroup(i) != TreeV_MainLift_Group)
                continue;
            ASSERT_TRUE(b->x0 >= cover.x0 && b->y0 >= cover.y0 && b->x1 <= cover.x1 && b->y1 <= cover.y1)
                << "tick " << t;
        }
    }
}

// The curved legs end where their straight neighbours begin whichever way they bend; halfway
// round each shows the bend.
TEST(TreeVMainLift, EachQuarterCircleBendsTheWayTheRouteTurns)
{
    std::unique_ptr<Map> map = LiftMap();
    TreeV_MainLift lift(map.get(), true);
    lift.GetSwitch(0)->Hit(1000, 1, 0);
    double const quarter = 1.5707963267949;
    struct Bend
    {
        int start;
        int steps;
        double (*x)(double);
        double (*y)(double);
    };
    Bend const bends[] = {
        {112, 78, [](double a) { return -200.0 + 200.0 * std::cos(a); },
         [](double a) { return 450.0 + 200.0 * std::sin(a); }},
        {260, 78, [](double a) { return -480.0 - 200.0 * std::sin(a); },
         [](double a) { return 850.0 - 200.0 * std::cos(a); }},
        {575, 70, [](double a) { return -500.0 - 180.0 * std::cos(a); },
         [](double a) { return 1800.0 + 180.0 * std::sin(a); }},
        {795, 39, [](double a) { return 100.0 + 100.0 * std::sin(a); },
         [](double a) { return 2080.0 - 100.0 * std::cos(a); }},
        {859, 58, [](double a) { return 350.0 - 150.0 * std::cos(a); },
         [](double a) { return 2180.0 + 150.0 * std::sin(a); }},
    };
    for (Bend const& bend : bends)
    {
        for (int e : {bend.steps / 3, bend.steps / 2, 2 * bend.steps / 3})
        {
            double const a = e * quarter / bend.steps;
            Pointf const up = lift.RidePos(1000 + bend.start + e);
            EXPECT_NEAR(up.x, bend.x(a), 1e-9) << "step " << bend.start + e;
            EXPECT_NEAR(up.y, bend.y(a), 1e-9) << "step " << bend.start + e;
            // Coming down, the same point at the mirrored step.
            Pointf const down = lift.RidePos(1000 + 2286 - bend.start - e);
            EXPECT_NEAR(down.x, up.x, 1e-9) << "step " << bend.start + e << " coming down";
            EXPECT_NEAR(down.y, up.y, 1e-9) << "step " << bend.start + e << " coming down";
        }
    }
}

TEST(TreeVMainLift, ARideBlocksHitsForItsLengthAndSoDoesAPlayerInItsWay)
{
    std::unique_ptr<Map> map = LiftMap();
    TreeV_MainLift lift(map.get(), true);
    FlatList<MoveObject>* orders = nullptr;

    lift.GetSwitch(0)->Hit(100, 1, Target_Hit_FromRight);
    lift.GetSwitch(1)->Hit(1100, 1, 0);
    lift.GetSwitch(0)->Hit(2385, 1, 0);
    EXPECT_EQ(lift.GetSwitch(1)->FindClosestHit(3000), -1) << "refused: the first ride is still coming down";
    EXPECT_EQ(lift.GetSwitch(0)->FindClosestHit(3000), 100);
    lift.GetSwitch(1)->Hit(2386, 1, 0);
    ExpectRide(lift, 2386 + 112, 0.0, 450.0);
    lift.MoveMapGroup(map.get(), 2386 + 112, &orders);
    ASSERT_NE(orders, nullptr);
    EXPECT_EQ((*orders)[0].group, TreeV_MainLift_Group);
    EXPECT_DOUBLE_EQ((*orders)[0].newY, 450.0);

    // A past self stood in the area at 6000: no ride may run over that tick. Outside the
    // area, or after the tick, nothing is in the way.
    Pointf const outside(0.0, 120.0);
    lift.PlayerAtPos(5900, &outside);
    lift.PlayerAtPos(6000, &InArea);
    lift.GetSwitch(0)->Hit(4700, 1, 0);
    ExpectRide(lift, 4812, 0.0, 0.0);
    lift.GetSwitch(1)->Hit(5800, 1, 0);
    ExpectRide(lift, 5912, 0.0, 0.0);
    lift.GetSwitch(1)->Hit(6001, 1, 0);
    ExpectRide(lift, 6113, 0.0, 450.0);
}

TEST(TreeVMainLift, BrokenHitsOnlyShakeAndNeverRideAfterTheMending)
{
    std::unique_ptr<Map> map = LiftMap();
    TreeV_MainLift lift(map.get(), false);
    FlatList<MoveObject>* orders = nullptr;

    lift.GetSwitch(0)->Hit(100, 1, 0);
    lift.GetSwitch(1)->Hit(250, 1, 0);
    EXPECT_EQ(lift.GetSwitch(1)->FindClosestHit(1000), -1) << "refused within the shake";
    EXPECT_EQ(lift.ShakeStep(100), 0);
    EXPECT_EQ(lift.ShakeStep(101), 1);
    EXPECT_EQ(lift.ShakeStep(299), 199);
    EXPECT_EQ(lift.ShakeStep(300), 0);
    for (Tick t : {100, 101, 150, 299, 300})
    {
        lift.MoveMapGroup(map.get(), t, &orders);
        double const x = (*orders)[0].newX;
        double const y = (*orders)[0].newY;
        EXPECT_TRUE(x >= 0.0 && x <= MainLift_Shake && y >= 0.0 && y <= MainLift_Shake) << "tick " << t;
        if (t == 100 || t == 300)
        {
            EXPECT_TRUE(x == 0.0 && y == 0.0) << "tick " << t;
        }
        ExpectRide(lift, t, 0.0, 0.0);
    }

    // Switch 1 shaken at 400, then the lift mended at 500: neither shake turns into a ride.
    lift.GetSwitch(1)->Hit(400, 1, 0);
    lift.SetEnable(true);
    for (Tick t : {150, 500, 512, 1500, 2700})
        ExpectRide(lift, t, 0.0, 0.0);
    EXPECT_EQ(lift.ShakeStep(150), 50);
    EXPECT_EQ(lift.ShakeStep(500), 100);

    // A ride after the mending, and a second mending after a travel back to before the first.
    lift.GetSwitch(0)->Hit(800, 1, 0);
    ExpectRide(lift, 912, 0.0, 450.0);
    lift.SetEnable(true);
    ExpectRide(lift, 912, 0.0, 450.0);
    lift.GetSwitch(1)->Hit(3100, 1, 0);
    ExpectRide(lift, 3212, 0.0, 450.0);
}
