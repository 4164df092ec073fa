// The mine lift: its place at each tick, after travel too, and its rider.
#include "engine/Poly.h"
#include "plateau/Plato_MapMove.h"
#include "support/GroupPlayerTest.h"
#include "support/MapFiles.h"

namespace
{

class PlatoMapMoveTest : public GroupPlayerTest
{
protected:
    PlatoMapMoveTest()
    {
        MapWriter writer = FloorWriter();
        writer.AddBox(-50.0, 800.0, 50.0, 820.0, 0, Plato_MineLift, true, false, 64.0);
        map = MapFiles::Load<Map>(writer);
    }

    double LiftTop() const { return map->polys[int(GroupMap::PolyOf(*map, Plato_MineLift))]->GetBound()->y1; }
};

TEST_F(PlatoMapMoveTest, TheLiftGoesDownWaitsAndComesBackWhateverTheOrder)
{
    Plato_MapMove driver(map.get(), &objects);
    EXPECT_LE(driver.GetLift()->bound.y0, 800.0 - Mine_Lift_Dist + 1e-9);
    std::pair<Tick, double> const places[] = {{0, 0.0},      {100, -375.0}, {200, -750.0}, {299, -750.0},
                                              {400, -375.0}, {500, 0.0},    {600, 0.0},    {700, -375.0}};
    for (int pass = 0; pass < 2; pass++) // forward, then as a travel back shows them
        for (int i = 0; i < 8; i++)
        {
            auto const& [t, y] = places[pass == 0 ? i : 7 - i];
            driver.Move(map.get(), t << 8, nullptr);
            EXPECT_NEAR(driver.GetLift()->y, y, 1e-9) << t;
            EXPECT_NEAR(LiftTop(), 820.0 + y, 0.2) << t;
        }
}

TEST_F(PlatoMapMoveTest, ARiderIsCarriedOnlyWhenHandedOver)
{
    Plato_MapMove driver(map.get(), &objects);
    Player& hero = MakePlayer();
    map->PreprocessCollision();
    hero.pos = Pointf(0.0, 820.0);
    hero.SetCameraPos(true);
    StandOn(Plato_MineLift);
    for (Tick t = 0; t <= 100; t++)
        driver.Move(map.get(), t << 8, &hero);
    EXPECT_NEAR(hero.pos.y, 820.0 - 375.0, 1e-6);
    for (Tick t = 101; t <= 200; t++)
        driver.Move(map.get(), t << 8, nullptr); // travelling
    EXPECT_NEAR(hero.pos.y, 820.0 - 375.0, 1e-6);
    EXPECT_NEAR(LiftTop(), 820.0 - 750.0, 0.2);
}

} // namespace
