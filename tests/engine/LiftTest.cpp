// Lifts: the phase over the activators' runs, from tick 0 and over long histories.
#include "engine/Lift.h"

#include "support/GroupTestSupport.h"
#include "support/RandomSeed.h"

#include <random>

namespace
{

constexpr double StartAngle = 0.3;

// The phase read as a plain recursion, for comparison wherever that ends.
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

} // namespace

TEST(Lift, SwingsWhileActiveFromRestAtTickZeroAndHoldsWhileNot)
{
    std::unique_ptr<Map> map = GroupMap::Make();
    Lift always(map.get(), GroupMap::Group, 50.0, StartAngle);
    Lift lift(map.get(), GroupMap::Group, 50.0, StartAngle);
    ScriptedActivator ball;
    lift.AddActivator(&ball);
    ball.On(0, 100);
    ball.On(300, 400);
    EXPECT_EQ(always.CalcLiftAngle(0), StartAngle);
    EXPECT_DOUBLE_EQ(always.CalcLiftAngle(250), StartAngle + 250 * Lift_Speed);
    EXPECT_DOUBLE_EQ(lift.CalcLiftAngle(50), StartAngle + 50 * Lift_Speed);
    EXPECT_DOUBLE_EQ(lift.CalcLiftAngle(200), StartAngle + 99 * Lift_Speed);
    EXPECT_DOUBLE_EQ(lift.CalcLiftAngle(500), StartAngle + 199 * Lift_Speed);
}

TEST(Lift, ThousandsOfSwitchingsMatchTheRecursiveReading)
{
    unsigned const seed = TestSeed();
    SCOPED_TRACE(testing::Message() << "HM_TEST_SEED=" << seed);
    std::mt19937 random(seed);
    std::uniform_int_distribution<Tick> run(1, 30);

    std::unique_ptr<Map> map = GroupMap::Make();
    Lift lift(map.get(), GroupMap::Group, 50.0, StartAngle);
    ScriptedActivator plate;
    lift.AddActivator(&plate);
    Tick t = 1 + run(random);
    for (int cycle = 0; cycle < 1000; cycle++, t += run(random))
    {
        Tick const on = run(random);
        plate.On(t, t + on);
        t += on;
    }
    for (Tick at = 0; at < t + 100; at += 311)
        ASSERT_EQ(lift.CalcLiftAngle(at), RecursiveAngle(lift, at)) << "tick " << at;
}
