// Cubic curves from control points or end angles.
#include "util/Bezier.h"

#include "util/Util.h"

#include <gtest/gtest.h>

TEST(Bezier, EndsAndAngleForm)
{
    Pointf start(0, 0), end(0, 30);
    Bezier curve(&start, 0.0, &end, Util::HalfTurn);
    EXPECT_TRUE(curve.p1 == Pointf(0, 10));
    EXPECT_NEAR(curve.p2.y, 20, 1e-9);
    EXPECT_TRUE(curve.Eval(0) == start);
    EXPECT_TRUE(curve.Eval(1) == end);

    Pointf c0(0, 0), c1(10, 0), c2(10, 10), c3(0, 10);
    Bezier copy(Bezier(&c0, &c1, &c2, &c3));
    EXPECT_TRUE(copy.Eval(0.5) == Pointf(7.5, 5));
}
