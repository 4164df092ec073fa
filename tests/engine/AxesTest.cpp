// Settling a throw: its flight time, the shape of its curve and the hit stamped at the arrival tick.
#include "engine/Axes.h"

#include "engine/Target.h"
#include "util/Bezier.h"
#include "util/Pointf.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

// A target at a fixed point, or one moving along x by a set speed per tick.
class MarkTarget final : public Target
{
public:
    MarkTarget(double atX, double atY, double perTick = 0.0) : Target(Sound_None), x(atX), y(atY), speed(perTick) {}

    bool GetTargetPos(Map const*, Tick t, Pointf& pos) const override
    {
        pos = Pointf(x + speed * t, y);
        return true;
    }

    double x;
    double y;
    double speed;
};

Axe const* Only(Axes const& axes)
{
    EXPECT_EQ(axes.axes->Count(), 1);
    return (*axes.axes)[0];
}
} // namespace

TEST(Axes, FlightTimeFollowsDistanceAndApproach)
{
    Axes axes;
    Pointf const from(0.0, 0.0);
    MarkTarget far(80.0, 0.0);
    EXPECT_EQ(axes.CalcThrowingDuration(nullptr, 0, &from, &far, 1.0), 10);
    // A bigger thrower's blade flies faster.
    EXPECT_EQ(axes.CalcThrowingDuration(nullptr, 0, &from, &far, 2.0), 5);
    MarkTarget near(4.0, 0.0);
    EXPECT_EQ(axes.CalcThrowingDuration(nullptr, 0, &from, &near, 1.0), 1);
    // A target running away 5 units a tick adds 3 ticks.
    MarkTarget fleeing(80.0, 0.0, 5.0);
    EXPECT_EQ(axes.CalcThrowingDuration(nullptr, 0, &from, &fleeing, 1.0), 13);
}

TEST(Axes, ThrowStampsHitWhereAndWhenTheBladeArrives)
{
    Axes axes;
    Pointf const from(0.0, 0.0);
    EXPECT_EQ(axes.ThrowAxe(nullptr, 0, &from, nullptr, 1, 1.0), 0);
    EXPECT_EQ(axes.axes->Count(), 0);

    // Thrown at tick 20 at a target 180 away that runs off 5 a tick: it lands at tick 45.
    MarkTarget target(80.0, 0.0, 5.0);
    EXPECT_EQ(axes.ThrowAxe(nullptr, 20, &from, &target, 2, 1.0), 0);
    EXPECT_FALSE(target.BeenHit(44, nullptr));
    EXPECT_TRUE(target.GotHit(45));
    EXPECT_EQ(target.GetHitPoints(45, 5), 3);

    Axe const* axe = Only(axes);
    EXPECT_EQ(axe->EndTime(), 45);
    Pointf const end = axe->curve->Eval(1.0);
    EXPECT_NEAR(end.x, 80.0 + 5.0 * 45, 1e-9);
    EXPECT_NEAR(end.y, 0.0, 1e-9);
}

TEST(Axes, StraightUpThrowMirrorsItsAngles)
{
    Axes axes;
    Pointf const from(0.0, 0.0);
    Pointf const to(0.0, 30.0);
    double a1 = 0.0;
    double a2 = 0.0;
    double const r = axes.CalcThrowingAngles(&from, &to, a1, a2);
    EXPECT_GE(a1, Axes_SpreadMin);
    EXPECT_LT(a1, Axes_SpreadMax);
    EXPECT_NEAR(a2, 3.1415926535898 - a1, 1e-9);
    EXPECT_NEAR(r, 10.0 * (1.0 + std::sin(a1)), 1e-9);
}
