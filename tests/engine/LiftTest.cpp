// Lifts: the phase over the activators' runs, from tick 0 and over long histories.
#include "engine/Lift.h"

#include "support/GroupTestSupport.h"
#include "support/RandomSeed.h"

#include <algorithm>
#include <random>

namespace
{

constexpr double StartAngle = 0.3;

double RecursiveAngle(Lift const& lift, Tick t)
{
    return RecursiveAngle(lift, t, StartAngle);
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

TEST(Lift, HundredsOfSwitchingsMatchTheRecursiveReading)
{
    ForEachSeed([&](unsigned seed) {
        std::mt19937 random(seed);
        std::uniform_int_distribution<Tick> run(1, 30);

        std::unique_ptr<Map> map = GroupMap::Make();
        Lift lift(map.get(), GroupMap::Group, 50.0, StartAngle);
        ScriptedActivator plate;
        lift.AddActivator(&plate);
        Tick t = 1 + run(random);
        for (int cycle = 0; cycle < 300; cycle++, t += run(random))
        {
            Tick const on = run(random);
            plate.On(t, t + on);
            t += on;
        }
        for (Tick at = 0; at < t + 100; at += 311)
            ASSERT_EQ(lift.CalcLiftAngle(at), RecursiveAngle(lift, at)) << "tick " << at;
    });
}

TEST(Lift, PressesAtPastTicksDropTheLaterCheckpoints)
{
    ForEachSeed([&](unsigned seed) {
        std::mt19937 random(seed);

        // The second lift's second activator does not report its changes, so that lift may keep
        // nothing: no checkpoint of it would be dropped when that activator's records change.
        std::unique_ptr<Map> map = GroupMap::Make();
        Lift lift(map.get(), GroupMap::Group, 50.0, StartAngle);
        Lift uncached(map.get(), GroupMap::Group, 50.0, StartAngle);
        ScriptedActivator plate;
        ScriptedActivator silent(false);
        lift.AddActivator(&plate);
        uncached.AddActivator(&plate);
        uncached.AddActivator(&silent);
        RandomPresses presses(random, 0.2, {&plate, &silent});
        int shown = 0;
        // Players pressing while the clock is shown anywhere, their presses landing at or near it.
        // Every tick shown is asked, as a level asks; every fourth is checked.
        PlayWithTravel(700, 200, 600, 200, [&](Tick t) {
            presses.At(t);
            double const angle = lift.CalcLiftAngle(t);
            if (++shown % 4 != 0)
                return;
            ASSERT_EQ(angle, RecursiveAngle(lift, t)) << "tick " << t;
            ASSERT_EQ(uncached.CalcLiftAngle(t), RecursiveAngle(uncached, t)) << "tick " << t;
        });
        for (Tick t = 0; t < 900; t += 7)
            ASSERT_EQ(lift.CalcLiftAngle(t), RecursiveAngle(lift, t)) << "tick " << t;
    });
}
