// The village's moving groups: their motions, their covers and carrying the player over a cycle.
#include "engine/Poly.h"
#include "support/GroupPlayerTest.h"
#include "treevillage/TreeV_MapMove.h"
#include "treevillage/TreeV_MapMoveGroup.h"

#include <cmath>

namespace
{

constexpr double Half = 1.5707963267949;

// The flipper turns about rp 61 with its arm authored upright; the plates 29 and 30 lie on
// either side where its arm lands. Their places cut the collision grid's cells (300 units
// from x 0 and y -100) so that a missing cover loses the polygons from the cells they move into.
constexpr double FlipperX = 2450.0;
constexpr double FlipperY = 215.0;
constexpr double FlipperTop = 225.0; // top of the arm lying flat
constexpr double PlateTop = 215.0;

MapWriter VillageWriter()
{
    MapWriter writer;
    writer.SetView(0.0, 0.0, 1.0);
    writer.AddBox(0.0, -100.0, 8000.0, 0.0, 0, 0, true, false, 64.0);
    writer.AddBox(7900.0, 0.0, 8000.0, 3000.0, 0, 0, true, false, 64.0);

    writer.AddRefPoint(61, FlipperX, FlipperY);
    writer.AddBox(FlipperX - 10.0, FlipperY, FlipperX + 10.0, FlipperY + 300.0, 0, 28, true, false, 64.0);
    writer.AddBox(1900.0, PlateTop - 10.0, 2100.0, PlateTop, 0, 29, true, false, 64.0);
    writer.AddBox(2800.0, PlateTop - 10.0, 3000.0, PlateTop, 0, 30, true, false, 64.0);

    // Bobbing platforms and lifts in a row, then the turning groups about their centres.
    double x = 3500.0;
    for (unsigned int group : {1u, 35u, 36u, 37u, 22u, 26u, 34u})
    {
        double const y = group == 34 ? 600.0 : 500.0;
        writer.AddBox(x, y, x + 100.0, y + 20.0, 0, group, true, false, 64.0);
        x += 200.0;
    }
    unsigned int const centres[4][2] = {{12, 4}, {38, 5}, {2, 7}, {39, 8}};
    for (auto const& [group, refPoint] : centres)
    {
        writer.AddRefPoint(refPoint, x + 100.0, 1000.0);
        writer.AddBox(x, 990.0, x + 200.0, 1010.0, 0, group, true, false, 64.0);
        x += 400.0;
    }
    return writer;
}

} // namespace

class TreeVMapMoveTest : public GroupPlayerTest
{
protected:
    TreeVMapMoveTest() { map = MapFiles::Load<Map>(VillageWriter()); }

    // The whole village seen from afar, without the origin.
    void ViewAll()
    {
        Pointf const centre(5000.0, 2000.0);
        map->ScaleMap(0.1, CameraMove_Jump);
        map->MoveMap(&centre, CameraMove_Jump);
    }

    TreeV_MapMoveGroup const* Mover(TreeV_MapMove const& driver, TreeV_GroupId group)
    {
        for (int i = 0; i < TreeV_MapMove_GroupCount; i++)
            if (driver.GetMover(i)->group == group)
                return driver.GetMover(i);
        ADD_FAILURE() << "no mover of group " << group;
        return driver.GetMover(0);
    }
};

TEST_F(TreeVMapMoveTest, GroupsTakeTheirPlacesForTheTickWhereverTheViewIs)
{
    TreeV_MapMove driver(map.get(), &objects);
    ViewAll();
    auto y = [&](TreeV_GroupId g) { return Mover(driver, g)->y; };
    auto angle = [&](TreeV_GroupId g) { return Mover(driver, g)->angle; };

    driver.Move(map.get(), 0, nullptr);
    for (TreeV_GroupId g : {1u, 35u, 36u, 37u, 22u, 26u, 34u, 29u, 30u})
        EXPECT_EQ(y(g), 0.0) << "group " << g;
    EXPECT_EQ(angle(12), 0.0);
    EXPECT_EQ(angle(2), 0.0);
    EXPECT_NEAR(angle(39), 0.0, 1e-12);
    EXPECT_DOUBLE_EQ(angle(28), -Half);

    struct Expected
    {
        Tick t;
        TreeV_GroupId group;
        double value; // the angle of a turning group, else the height
    };
    Expected const values[] = {
        {100, 26, 400.0}, {100, 34, -400.0}, {100, 22, 232.0}, {149, 26, 400.0},  {149, 34, -400.0},
        {250, 26, 0.0},   {250, 34, 0.0},    {280, 22, 0.0},   {460, 22, -425.0}, {640, 22, 0.0},
        {720, 22, 0.0},   {50, 28, Half},    {60, 30, -20.0},  {60, 29, 0.0},     {120, 28, -Half},
        {130, 29, -20.0}, {130, 30, 0.0},    {150, 12, 3.0},   {150, 38, -3.0},
    };
    for (Expected const& e : values)
    {
        driver.Move(map.get(), e.t << 8, nullptr);
        bool const turns = e.group == 28 || e.group == 12 || e.group == 38;
        EXPECT_NEAR(turns ? angle(e.group) : y(e.group), e.value, 1e-9) << "group " << e.group << " tick " << e.t;
    }
}

TEST_F(TreeVMapMoveTest, EveryPolygonStaysWithinItsGroupsCoveredBoundThroughEveryPeriod)
{
    TreeV_MapMove driver(map.get(), &objects);
    ViewAll();
    for (Tick t = 0; t <= TreeV_HousingLift_Period; t++)
    {
        driver.Move(map.get(), t << 8, nullptr);
        for (int i = 0; i < TreeV_MapMove_GroupCount; i++)
        {
            TreeV_MapMoveGroup const* mover = driver.GetMover(i);
            Rectf const& bound = mover->bound;
            for (unsigned int p = 0; p < map->polyCount; p++)
            {
                if (map->GetGroup(p) != mover->group)
                    continue;
                Rectf const* b = map->polys[int(p)]->GetBound();
                ASSERT_TRUE(b->x0 >= bound.x0 - 1e-9 && b->y0 >= bound.y0 - 1e-9 && b->x1 <= bound.x1 + 1e-9
                            && b->y1 <= bound.y1 + 1e-9)
                    << "group " << mover->group << " tick " << t;
            }
        }
    }
}

TEST_F(TreeVMapMoveTest, APlayerOnTheFlipperAtRestOrOnADippingPlateDoesNotFallThrough)
{
    TreeV_MapMove driver(map.get(), &objects);
    Player& hero = MakePlayer();
    map->PreprocessCollision();

    // Stands on the group at x from tick `from`, stepped as a level steps, until `to`; top gives
    // the surface's height for a tick.
    auto ride = [&](unsigned int group, double x, Tick from, Tick to, auto top) {
        // Dropped from just above: the turned flipper's surface is only nearly level. The camera
        // is on him at once, so that the group is in view and moves.
        hero.pos = Pointf(x, top(from) + 0.5);
        StandOn(0);
        hero.SetCameraPos(true);
        driver.Move(map.get(), from << 8, nullptr);
        for (Tick t = from + 1; t <= to; t++)
        {
            driver.Move(map.get(), t << 8, &hero);
            hero.Move(t << 8);
            ASSERT_NEAR(hero.pos.y, top(t), 1.0) << "group " << group << " tick " << t;
        }
    };
    auto flat = [](Tick) { return FlipperTop; };
    ride(28, FlipperX + 270.0, 50, 69, flat);
    ride(28, FlipperX - 270.0, 120, 139, flat);
    for (unsigned int plate : {29u, 30u})
    {
        int const dip = plate == 29 ? 120 : 50;
        auto top = [dip](Tick t) {
            int const p = int(t % TreeV_Flipper_Period);
            return p > dip && p < dip + 20 ? PlateTop - 20.0 * std::sin((p - dip) * 3.1415926535898 / 20) : PlateTop;
        };
        ride(plate, plate == 29 ? 2000.0 : 2900.0, 0, TreeV_Flipper_Period, top);
    }
}
