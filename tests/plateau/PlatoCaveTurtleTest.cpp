// The cave turtle: provocations, the bite, the spikes, the dropped shell, its rider and travel.
#include "engine/Poly.h"
#include "engine/TimeSet.h"
#include "plateau/PlatoSupport.h"
#include "plateau/Plato_CaveTurtle.h"
#include "plateau/Plato_MapMove.h"
#include "support/GroupTestSupport.h"

#include <gtest/gtest.h>

namespace
{

constexpr unsigned int Shell = 28;
constexpr unsigned int Home = 106;

class PlatoCaveTurtleTest : public PlateauFixture
{
protected:
    PlatoCaveTurtleTest()
    {
        writer.AddRefPoint(Home, 1000.0, 17.5);
        writer.AddBox(950.0, 10.0, 1050.0, 45.0, 0, Shell, true, false, 64.0);
        AddMissingGroups(writer, Plato_MineLift, Plato_MineLift);
        map = MapFiles::Load<Map>(writer); // the grid is built once the covers are set
        Plato_CaveTurtle::Initialise();
    }
    ~PlatoCaveTurtleTest() override { Plato_CaveTurtle::Finalise(); }

    std::unique_ptr<Plato_CaveTurtle> MakeTurtle(double distance = 260.0)
    {
        // Each turtle sets its cover before the map's grid is built, as the world's do.
        if (built)
            map = MapFiles::Load<Map>(writer);
        auto turtle = std::make_unique<Plato_CaveTurtle>(player.get(), map.get(), Home, Shell, distance, 30);
        map->PreprocessCollision();
        built = true;
        return turtle;
    }

    // Whether a player at p is hurt at t, the turtle shown at t.
    bool Hurts(Plato_CaveTurtle& turtle, Tick t, Pointf p)
    {
        turtle.MoveToTime(map.get(), t);
        return turtle.IsPlayerHit(t, &p) != 0;
    }

    MapWriter writer = PlateauWriter();
    bool built = false;
};

TEST_F(PlatoCaveTurtleTest, ChargesOnlyWhereNoneOverlapsAndBitesAtTheEnd)
{
    for (auto [d, charge, retreat] :
         {std::tuple{260.0, 80, 130}, {500.0, 111, 250}, {710.0, 133, 355}, {350.0, 93, 175}})
    {
        auto turtle = MakeTurtle(d);
        EXPECT_EQ(turtle->ChargeTime(), charge) << d;
        EXPECT_EQ(turtle->RetreatTime(), retreat) << d;
    }
    auto turtle = MakeTurtle();
    Pointf const near(1000.0 - 340.0, 17.5);
    turtle->PlayerAtPos(100, &near);
    turtle->PlayerAtPos(310, &near);
    turtle->PlayerAtPos(311, &near);
    EXPECT_TRUE(turtle->ChargeTimes()->Check(100));
    EXPECT_FALSE(turtle->ChargeTimes()->Check(310));
    EXPECT_TRUE(turtle->ChargeTimes()->Check(311));
    // Back at 50: recorded, but 50 + 210 is not before 100.
    turtle->PlayerAtPos(50, &near);
    EXPECT_FALSE(turtle->ChargeTimes()->Check(50));
    EXPECT_EQ(turtle->PositionAtTime(99, nullptr, nullptr, false), 0.0);
    EXPECT_LT(turtle->PositionAtTime(101, nullptr, nullptr, false), 0.0);
    EXPECT_DOUBLE_EQ(turtle->PositionAtTime(180, nullptr, nullptr, false), -260.0);
    EXPECT_DOUBLE_EQ(turtle->PositionAtTime(310, nullptr, nullptr, false), 0.0);

    Pointf const head(1000.0 - 260.0 - 52.0 - 15.0, 17.5);
    EXPECT_FALSE(Hurts(*turtle, 179, head));
    EXPECT_TRUE(Hurts(*turtle, 180, head));
    EXPECT_FALSE(Hurts(*turtle, 181, head));

    // A hit provokes at the tick it lands.
    turtle->Hit(700, 1, 0);
    EXPECT_TRUE(turtle->ChargeTimes()->Check(700));
    Pointf aim;
    EXPECT_TRUE(turtle->GetTargetPos(map.get(), 700, aim));
}

TEST_F(PlatoCaveTurtleTest, SpikesHurtARiderThenTheShellDropsAndStays)
{
    auto turtle = MakeTurtle();
    turtle->TrySpikeAttack(1000);
    Pointf const top(1000.0, 17.5 + 60.0);
    EXPECT_FALSE(Hurts(*turtle, 1123, top));
    EXPECT_TRUE(Hurts(*turtle, 1124, top));
    EXPECT_TRUE(Hurts(*turtle, 1219, top));
    EXPECT_FALSE(Hurts(*turtle, 1220, top));
    // Only above the shell: not beside it, under it or on its rim, nor beyond the spikes' reach.
    std::pair<Pointf, bool> const around[] = {
        {Pointf(1000.0, 17.5 + 40.5), true},  {Pointf(1000.0, 17.5 + 79.5), true},
        {Pointf(1000.0 - 59.5, 77.5), true},  {Pointf(1000.0 + 64.5, 77.5), true},
        {Pointf(1000.0, 17.5 + 39.5), false}, {Pointf(1000.0, 17.5 + 80.5), false},
        {Pointf(1000.0 - 60.5, 77.5), false}, {Pointf(1000.0 + 65.5, 77.5), false},
        {Pointf(1000.0, 0.0), false},         {Pointf(1000.0, 17.5 - 60.0), false},
        {Pointf(1000.0 - 50.0, 17.5), false}};
    for (auto const& [at, hurt] : around)
        EXPECT_EQ(Hurts(*turtle, 1150, at), hurt) << at.x << ", " << at.y;
    EXPECT_EQ(turtle->SpikesAtTime(1241), 0.0);
    turtle->TrySpikeAttack(1200); // overlaps the one at 1000
    EXPECT_FALSE(turtle->SpikeTimes()->Check(1200));

    turtle->Hit(2000, 30, 0);
    EXPECT_FALSE(turtle->Alive(2000));
    EXPECT_TRUE(turtle->Alive(1999));
    EXPECT_NEAR(turtle->ShellDropAtTime(2012), -14.4, 1e-9);
    EXPECT_NEAR(turtle->ShellDropAtTime(2013), -17.5, 1e-9);
    EXPECT_NEAR(turtle->ShellDropAtTime(2023), -7.5, 1e-9);
    for (Tick t : {2033, 2040, 9000})
        EXPECT_NEAR(turtle->ShellDropAtTime(t), -17.5, 1e-9) << t;
    EXPECT_EQ(turtle->ShellDropAtTime(1999), 0.0); // travelled back before the death
    turtle->TrySpikeAttack(2100);
    EXPECT_FALSE(Hurts(*turtle, 2224, top));
    Pointf aim;
    EXPECT_FALSE(turtle->GetTargetPos(map.get(), 2100, aim));
    for (Tick t : {1100, 1150, 2100})
    {
        turtle->MoveToTime(map.get(), t);
        turtle->Render(map.get(), t);
    }
}

TEST_F(PlatoCaveTurtleTest, ARiderIsCarriedThroughAChargeAndTravelRecordsNoSpikes)
{
    MakePlayer(Pointf(1000.0, 45.0));
    Plato_MapMove driver(map.get(), &objects);
    auto turtle = MakeTurtle();
    driver.AddObject(turtle.get());
    player->pos = Pointf(1000.0, 45.0);
    player->onGround = true;
    player->groundPoly = GroupMap::PolyOf(*map, Shell);
    player->SetCameraPos(true);

    // The frozen player on the shell while the clock is travelled: nothing recorded.
    for (Tick t = 10; t < 20; t++)
        turtle->MoveToTime(map.get(), t);
    EXPECT_FALSE(turtle->SpikeTimes()->CheckRange(TimeRange(0, 100)));

    Pointf const near(1000.0, 17.5);
    turtle->PlayerAtPos(100, &near);
    ASSERT_TRUE(turtle->SpikeTimes()->Check(100));
    for (Tick t = 100; t <= 180; t++)
    {
        driver.Move(map.get(), t << 8, player.get());
        turtle->MoveToTime(map.get(), t);
    }
    EXPECT_NEAR(player->pos.x, 1000.0 - 260.0, 1e-6);
    EXPECT_NEAR(player->pos.y, 45.0, 1e-6);
}

} // namespace
