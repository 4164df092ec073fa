// The tower's moving groups: the transporter's route, the cars' spacing along it, the platforms'
// slides and the swing, their covers, and carrying a rider through every change.
#include "engine/Poly.h"
#include "support/GroupPlayerTest.h"
#include "support/MapFiles.h"
#include "tower/Tower_MapMove.h"
#include "tower/Tower_MapMoveGroup.h"

#include <cmath>
#include <utility>
#include <vector>

namespace
{

// Each moving group a 40 by 10 block in open air, far enough apart that no rider meets another
// block; the first car high above everything, so that its whole route is clear.
struct Tower_Block
{
    Tower_GroupId group;
    double x; // left edge
    double y; // lower edge
};

constexpr Tower_Block Tower_Blocks[] = {
    {Tower_Group_OverSpikes, -3000.0, 500.0},
    {Tower_Group_Swing, -1000.0, 500.0},
    {Tower_Group_OverSpikes2, 1000.0, 500.0},
    {32, 0.0, 3000.0},
};

MapWriter MoversWriter()
{
    MapWriter writer;
    writer.SetView(-6400.0, -2800.0, 0.05);
    writer.AddBox(-8000.0, -100.0, 8000.0, 0.0, 0, 0, true, false, 64.0);
    for (Tower_Block const& b : Tower_Blocks)
        writer.AddBox(b.x, b.y, b.x + 40.0, b.y + 10.0, 0, b.group, true, false, 64.0);
    return writer;
}

double Length(double x, double y)
{
    return std::sqrt(x * x + y * y);
}

} // namespace

class TowerMapMoveTest : public GroupPlayerTest
{
protected:
    TowerMapMoveTest() { map = MapFiles::Load<Map>(MoversWriter()); }

    // The whole of every group's sweep seen at once (the player's camera looks elsewhere).
    void ViewAll()
    {
        Pointf const centre(0.0, 2000.0);
        map->ScaleMap(0.05, CameraMove_Jump);
        map->MoveMap(&centre, CameraMove_Jump);
    }

    Tower_MapMoveGroup const* Mover(Tower_MapMove const& driver, Tower_GroupId group)
    {
        for (int i = 0; i < Tower_MapMove_GroupCount; i++)
            if (driver.GetMover(i)->group == group)
                return driver.GetMover(i);
        ADD_FAILURE() << "no mover of group " << group;
        return driver.GetMover(0);
    }

    std::pair<double, double> Offset(Tower_MapMove const& driver, Tower_GroupId group, Tick t)
    {
        double x = 0.0;
        double y = 0.0;
        EXPECT_TRUE(Mover(driver, group)->Offset(t, x, y));
        return {x, y};
    }
};

TEST_F(TowerMapMoveTest, TheTransporterRunsItsLegsInTurnAndStartsAgainFromTheBeginning)
{
    auto const at = [](Tick t) {
        std::pair<double, double> p;
        Tower_MapMoveGroup::TransportPos(t, p.first, p.second);
        return p;
    };
    EXPECT_EQ(at(0), std::make_pair(0.0, 0.0));
    EXPECT_EQ(at(199), std::make_pair(0.0, 298.5)) << "the last tick of a straight leg stops short";
    EXPECT_EQ(at(200), std::make_pair(0.0, 300.0));
    EXPECT_NEAR(at(304).first, -100.0, 1e-9);
    EXPECT_NEAR(at(304).second, 400.0, 1e-9);
    EXPECT_NEAR(at(7968).first, 4080.0, 0.01);
    EXPECT_NEAR(at(7968).second, 871.5, 0.05);
    EXPECT_EQ(at(7969), std::make_pair(0.0, 0.0)) << "the route does not close: back to its start";
    EXPECT_EQ(at(7969 * 3 + 200), at(200));

    // Each leg begins where the last one ended.
    std::pair<Tick, std::pair<double, double>> const starts[] = {
        {200, {0, 300}},       {304, {-100, 400}},   {1437, {-1800, 400}}, {1594, {-1950, 550}}, {2220, {-1950, 1490}},
        {2324, {-1850, 1590}}, {4790, {1850, 1590}}, {4894, {1950, 1490}}, {5051, {2100, 1340}}, {5484, {2750, 1340}},
        {5798, {2750, 1640}},  {6007, {2750, 1440}}, {6607, {3650, 1440}}, {6764, {3800, 1290}}, {6864, {3800, 1140}},
        {6968, {3700, 1040}},  {7168, {3400, 1040}}, {7377, {3400, 1240}}, {7583, {3710, 1240}}, {7687, {3810, 1140}},
        {7812, {3930, 1020}},
    };
    for (auto const& [t, p] : starts)
    {
        EXPECT_NEAR(at(t).first, p.first, 1e-6) << "leg starting at " << t;
        EXPECT_NEAR(at(t).second, p.second, 1e-6) << "leg starting at " << t;
    }

    // At 1.5 a tick, with a step of up to 2.5 where a leg's end is made up, and no other jump.
    for (Tick t = 1; t < Transport_TotalTime; t++)
    {
        auto const a = at(t - 1);
        auto const b = at(t);
        ASSERT_LE(Length(b.first - a.first, b.second - a.second), 2.5 + 1e-9) << "tick " << t;
        ASSERT_GE(Length(b.first - a.first, b.second - a.second), 1.0) << "tick " << t;
    }
}

TEST_F(TowerMapMoveTest, CarsAreSpreadAlongTheRouteAndThePlatformsSlideAndSwingWithinTheirCovers)
{
    Tower_MapMove driver(map.get(), &objects);
    std::vector<Tower_GroupId> ids;
    for (int i = 0; i < Tower_MapMove_GroupCount; i++)
        ids.push_back(driver.GetMover(i)->group);
    EXPECT_EQ(ids, (std::vector<Tower_GroupId>{3, 25, 26, 28, 29, 30, 31, 32, 33, 34, 35}));

    auto const route = [](Tick t) {
        std::pair<double, double> p;
        Tower_MapMoveGroup::TransportPos(t, p.first, p.second);
        return p;
    };
    EXPECT_EQ(Offset(driver, 28, 0), route(3984));
    EXPECT_EQ(Offset(driver, 35, 0), route(2988));
    EXPECT_EQ(Offset(driver, 32, 0), route(0));
    EXPECT_EQ(Offset(driver, 32, 500), route(500));
    EXPECT_EQ(Offset(driver, 33, 0), route(996));
    EXPECT_EQ(Offset(driver, 31, 0), route(7969 - 997)) << "997 ticks from car 31 to car 32";

    EXPECT_EQ(Offset(driver, 3, 0), std::make_pair(0.0, 0.0));
    EXPECT_EQ(Offset(driver, 26, 0), std::make_pair(0.0, 0.0));
    EXPECT_NEAR(Offset(driver, 25, 0).first, -14.142, 0.001);
    EXPECT_NEAR(Offset(driver, 25, 0).second, -14.142, 0.001);
    // sin(t / 30) nearest -1 and 1: straight below and level to the left.
    EXPECT_NEAR(Offset(driver, 25, 141).first, 0.0, 0.01);
    EXPECT_NEAR(Offset(driver, 25, 141).second, -20.0, 0.01);
    EXPECT_NEAR(Offset(driver, 25, 47).first, -20.0, 0.01);
    EXPECT_NEAR(Offset(driver, 25, 47).second, 0.0, 0.01);
    double slide = 0.0;
    double slide2 = 0.0;
    for (Tick t = 0; t < 800; t++)
    {
        auto const [sx, sy] = Offset(driver, 25, t);
        ASSERT_NEAR(Length(sx, sy), Swing_Dist, 1e-9) << "never at its place in the map";
        ASSERT_LE(sx, 1e-9);
        ASSERT_LE(sy, 1e-9);
        slide = std::max(slide, std::fabs(Offset(driver, 3, t).first));
        slide2 = std::max(slide2, std::fabs(Offset(driver, 26, t).first));
        ASSERT_EQ(Offset(driver, 3, t).second, 0.0);
    }
    EXPECT_NEAR(slide, OverSpikes_Dist, 0.1);
    EXPECT_NEAR(slide2, OverSpikes2_Dist, 0.01);

    // A group that is no mover of the tower does not move.
    Tower_MapMoveGroup other(27);
    double x = 1.0;
    double y = 1.0;
    EXPECT_FALSE(other.Offset(100, x, y));

    // The bounds take in the sweeps.
    Rectf const& b3 = Mover(driver, 3)->bound;
    EXPECT_NEAR(b3.x0, -3000.0 - 1100.0, 0.2);
    EXPECT_NEAR(b3.x1, -2960.0 + 1100.0, 0.2);
    EXPECT_NEAR(b3.y0, 500.0, 0.2);
    Rectf const& b25 = Mover(driver, 25)->bound;
    EXPECT_NEAR(b25.x0, -1020.0, 0.2);
    EXPECT_NEAR(b25.y0, 480.0, 0.2);
    EXPECT_NEAR(b25.y1, 530.0, 0.2);
    EXPECT_NEAR(Mover(driver, 26)->bound.x1, 1110.0, 0.2);
    EXPECT_NEAR(Mover(driver, 32)->bound.y1, 13010.0, 0.2);
}

TEST_F(TowerMapMoveTest, ARiderIsCarriedByEveryChangeTheCarsJumpBackIncluded)
{
    Tower_MapMove driver(map.get(), &objects);
    Player& hero = MakePlayer();
    map->PreprocessCollision();
    ViewAll();
    std::pair<Tick, Tick> const rides[] = {{0, 300}, {0, 300}, {0, 300}, {7900, 7990}};
    for (int i = 0; i < 4; i++)
    {
        Tower_Block const& b = Tower_Blocks[i];
        auto const [from, to] = rides[i];
        driver.Move(map.get(), from << 8, nullptr);
        auto const [x0, y0] = Offset(driver, b.group, from);
        Pointf const start(b.x + 20.0 + x0, b.y + 10.0 + y0);
        hero.pos = start;
        StandOn(b.group);
        for (Tick t = from + 1; t <= to; t++)
        {
            driver.Move(map.get(), t << 8, &hero);
            auto const [x, y] = Offset(driver, b.group, t);
            ASSERT_NEAR(hero.pos.x, start.x + x - x0, 1e-6) << "group " << b.group << ", tick " << t;
            ASSERT_NEAR(hero.pos.y, start.y + y - y0, 1e-6) << "group " << b.group << ", tick " << t;
        }
        // While time travels nobody is carried.
        Pointf const kept = hero.pos;
        driver.Move(map.get(), (to + 40) << 8, nullptr);
        EXPECT_EQ(hero.pos, kept);
    }
}
