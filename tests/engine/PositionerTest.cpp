// Tests of the per-tick histories: runs, gaps, overwrites after travelling back and value equality.
#include "engine/Positioner.h"

#include "util/Pointf.h"
#include "util/Vectorf.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

// The values at the given ticks as "x,y" pairs.
std::string At(Positioner<Pointf> const& history, std::vector<Tick> const& ticks)
{
    std::string out;
    for (Tick t : ticks)
    {
        Pointf p = history.GetPos(t);
        out += std::to_string(int(p.x)) + "," + std::to_string(int(p.y)) + " ";
    }
    return out;
}

} // namespace

TEST(Positioner, RunsHoldTheirLastValueUntilTheNextRun)
{
    Pointf origin(0, 0);
    Positioner<Pointf> history(&origin);
    history.SetPos(5, Pointf(0, 0));
    history.SetPos(10, Pointf(1, 0));
    history.SetPos(11, Pointf(2, 0));
    history.SetPos(12, Pointf(2, 0));
    EXPECT_EQ(At(history, {5, 9, 10, 12, 1000}), "0,0 0,0 1,0 2,0 2,0 ");
    // A new value after a gap starts a second run; the first holds until it.
    history.SetPos(20, Pointf(3, 0));
    EXPECT_EQ(At(history, {15, 19, 20, 21}), "2,0 2,0 3,0 3,0 ");
    // Back in time: an overwrite inside the first run is held up to the second run.
    history.SetPos(11, Pointf(5, 5));
    EXPECT_EQ(At(history, {10, 11, 15, 20}), "1,0 5,5 5,5 3,0 ");
    // A run before every other one.
    history.SetPos(3, Pointf(7, 7));
    EXPECT_EQ(At(history, {2, 3, 9, 10}), "0,0 7,7 7,7 1,0 ");
}

TEST(Positioner, PointsAndVelocitiesCompareWithinTheToleranceAnglesExactly)
{
    Pointf origin(0, 0);
    Positioner<Pointf> positions(&origin);
    positions.SetPos(10, Pointf(2, 0));
    positions.SetPos(12, Pointf(2 + 1e-8, 0));
    positions.SetPos(11, Pointf(4, 0));
    // The nearly equal value at 12 was taken as held, so the overwrite at 11 reaches past it.
    EXPECT_EQ(At(positions, {12}), "4,0 ");
    Vectorf still(0, 0);
    Positioner<Vectorf> velocities(&still);
    velocities.SetPos(4, Vectorf(1e-8, 0));
    EXPECT_EQ(velocities.GetPos(4).x, 0.0);

    double zero = 0;
    Positioner<double> angles(&zero);
    angles.SetPos(10, 2.0);
    angles.SetPos(12, 2.0 + 1e-8);
    angles.SetPos(11, 4.0);
    EXPECT_EQ(angles.GetPos(12), 2.0 + 1e-8);
    // A long run keeps every value through the growth of its array.
    for (Tick t = 100; t < 1100; t++)
        angles.SetPos(t, t * 0.5);
    for (Tick t = 100; t < 1100; t++)
        ASSERT_EQ(angles.GetPos(t), t * 0.5) << "tick " << t;
}
