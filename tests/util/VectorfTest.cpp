// Velocities set from an angle and a speed.
#include "util/Vectorf.h"

#include "util/Util.h"

#include <gtest/gtest.h>

TEST(Vectorf, AngleAndSpeedRoundTrip)
{
    Vectorf v;
    v.SetAngleSpeed(Util::QuarterTurn, 3);
    EXPECT_TRUE(v == Vectorf(3, 0));
    EXPECT_DOUBLE_EQ(v.GetSpeed(), 3);
    EXPECT_DOUBLE_EQ(v.GetRevAngle(), -Util::QuarterTurn);
    EXPECT_NEAR(Vectorf(0, -1).GetRevAngle(), 0, 1e-14);
}
