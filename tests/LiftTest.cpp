// Lifts: the phase over the activators' runs, long histories, and blocking the switch of a ridden lift.
#include "Lift.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>

#include "RandomSeed.h"
#include "GroupTestSupport.h"

namespace {

constexpr double Distance = 50.0;
constexpr double StartAngle = 0.3;

// The phase read as a plain recursion over the switchings, for comparison wherever the
// recursion ends (activity that begins after tick 0).
double RecursiveAngle(Lift const& lift, Tick t)
{
    if (lift.IsActive(t))
    {
        Tick const b = lift.LastInactiveTime(t);
        return (t - b) * Lift_Speed + RecursiveAngle(lift, b);
    }
    Tick const a = lift.LastActiveTime(t);
    return a != -1 ? RecursiveAngle(lift, a) : StartAngle;
}

class LiftTest : public testing::Test
{
protected:
    std::unique_ptr<Map> map = GroupMap::Make();
};

} // namespace

TEST_F(LiftTest, SwingsWhileActiveAndHoldsWhileNot)
{
    Lift lift(map.get(), GroupMap::Group, Distance, StartAngle);
    ScriptedActivator plate;
    lift.AddActivator(&plate);
    plate.On(100, 200);

    EXPECT_EQ(lift.CalcLiftAngle(50), StartAngle);
    EXPECT_EQ(lift.CalcLiftPos(50), std::sin(StartAngle) * Distance);
    EXPECT_DOUBLE_EQ(lift.CalcLiftAngle(150), StartAngle + 51 * Lift_Speed);
    EXPECT_DOUBLE_EQ(lift.CalcLiftAngle(500), StartAngle + 100 * Lift_Speed);

    FlatList<MoveObject>* orders = nullptr;
    lift.MoveMapGroup(map.get(), 150, &orders);
    ASSERT_NE(orders, nullptr);
    EXPECT_EQ((*orders)[0].group, GroupMap::Group);
    EXPECT_EQ((*orders)[0].newX, 0.0);
    EXPECT_EQ((*orders)[0].newY, lift.CalcLiftPos(150));
}

TEST_F(LiftTest, ActiveFromTheStartRunsFromTickZero)
{
    Lift always(map.get(), GroupMap::Group, Distance, StartAngle);
    Lift fromZero(map.get(), GroupMap::Group, Distance, StartAngle);
    ScriptedActivator ball;
    ball.On(0, 1000);
    fromZero.AddActivator(&ball);
    for (Lift const* lift : {&always, &fromZero})
    {
        EXPECT_EQ(lift->CalcLiftAngle(0), StartAngle);
        EXPECT_DOUBLE_EQ(lift->CalcLiftAngle(250), StartAngle + 250 * Lift_Speed);
    }
    EXPECT_DOUBLE_EQ(fromZero.CalcLiftAngle(5000), StartAngle + 999 * Lift_Speed);
}

TEST_F(LiftTest, ThousandsOfSwitchingsMatchTheRecursiveReading)
{
    unsigned const seed = TestSeed();
    SCOPED_TRACE(testing::Message() << "HM_TEST_SEED=" << seed);
    std::mt19937 random(seed);
    std::uniform_int_distribution<Tick> run(1, 30);

    Lift lift(map.get(), GroupMap::Group, Distance, StartAngle);
    ScriptedActivator plate;
    lift.AddActivator(&plate);
    Tick t = 1 + run(random);
    for (int cycle = 0; cycle < 1000; cycle++)
    {
        Tick const on = run(random);
        plate.On(t, t + on);
        t += on + run(random);
    }
    for (Tick at = 0; at < t + 100; at += 311)
        ASSERT_EQ(lift.CalcLiftAngle(at), RecursiveAngle(lift, at)) << "tick " << at;
}

TEST_F(LiftTest, BlocksAtAndBeforeTheLatestRide)
{
    Lift lift(map.get(), GroupMap::Group, Distance, StartAngle);
    Pointf const aboard(0.0, 5.0);
    Pointf const away(500.0, 5.0);

    lift.PlayerAtPos(400, &away);
    EXPECT_FALSE(lift.IsBlocked(map.get(), 400));
    lift.PlayerAtPos(500, &aboard);
    EXPECT_TRUE(lift.IsBlocked(map.get(), 1));
    EXPECT_TRUE(lift.IsBlocked(map.get(), 500));
    EXPECT_FALSE(lift.IsBlocked(map.get(), 501));

    // A ride at an earlier tick, after travelling back, does not shorten the block.
    lift.PlayerAtPos(300, &aboard);
    EXPECT_TRUE(lift.IsBlocked(map.get(), 500));
    // The sweep reaches as far up and down as the lift travels.
    Pointf const high(0.0, 10.0 + Distance);
    lift.PlayerAtPos(600, &high);
    EXPECT_TRUE(lift.IsBlocked(map.get(), 600));
}
