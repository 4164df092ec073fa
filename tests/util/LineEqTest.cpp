// Lines through points and directions, and their intersections.
#include "util/LineEq.h"

#include <gtest/gtest.h>

#include "util/Error.h"
#include "util/Pointf.h"
#include "util/Util.h"

TEST(LineEq, TwoPointLinesKeepTheirDirection)
{
    Pointf origin(0, 0), up(0, 1), east(1, 0);
    LineEq upwards(&origin, &up);
    EXPECT_EQ(upwards.a, 1);
    EXPECT_EQ(upwards.b, 0);
    EXPECT_EQ(upwards.c, 0);
    LineEq downwards(&up, &origin);
    EXPECT_EQ(downwards.a, -1);
    EXPECT_EQ(downwards.b, 0);

    // Positive on the right of the direction, negative on its left.
    LineEq eastwards(&origin, &east);
    Pointf above(0, 1), below(0, -1);
    EXPECT_EQ(eastwards.Eval(&above), -1);
    EXPECT_EQ(eastwards.Eval(&below), 1);
    LineEq westwards(&east, &origin);
    EXPECT_EQ(westwards.Eval(&above), 1);

    Pointf p1(2, 3), p2(6, 5);
    LineEq sloped(&p1, &p2);
    EXPECT_NEAR(sloped.Eval(&p1), 0, 1e-12);
    EXPECT_NEAR(sloped.Eval(&p2), 0, 1e-12);

    Pointf near(1e-8, 1e-8);
    try
    {
        LineEq degenerate(&origin, &near);
        FAIL() << "coincident points made a line";
    }
    catch (Error const& err)
    {
        EXPECT_EQ(err.Code(), Error_LineEquation);
    }
}

TEST(LineEq, PointAndAngleLines)
{
    Pointf p(3, 4);
    LineEq flat(&p, Util::QuarterTurn + 1e-8);
    EXPECT_EQ(flat.a, 0);
    EXPECT_EQ(flat.b, 1);
    EXPECT_EQ(flat.c, -4);
    LineEq flatBack(&p, -Util::QuarterTurn);
    EXPECT_EQ(flatBack.a, 0);

    LineEq vertical(&p, 0.0);
    EXPECT_EQ(vertical.a, 1);
    EXPECT_EQ(vertical.b, 0);
    EXPECT_EQ(vertical.c, -3);

    LineEq diagonal(&p, Util::QuarterTurn / 2);
    Pointf further(4, 5);
    EXPECT_NEAR(diagonal.Eval(&further), 0, 1e-12);
}

TEST(LineEq, IntersectionAndParallels)
{
    LineEq horizontal(0, 1, -2);
    LineEq alsoHorizontal(0, 2, 7);
    Pointf out(-9, -9);
    EXPECT_FALSE(horizontal.Intersect(&alsoHorizontal, out));
    EXPECT_TRUE(out == Pointf(-9, -9));

    // A vertical line (b = 0) takes y from the other one.
    Pointf base(5, 0), top(5, 1);
    LineEq vertical(&base, &top);
    Pointf s0(0, 0), s1(1, 2);
    LineEq sloped(&s0, &s1);
    ASSERT_TRUE(vertical.Intersect(&sloped, out));
    EXPECT_TRUE(out == Pointf(5, 10));
    ASSERT_TRUE(sloped.Intersect(&vertical, out));
    EXPECT_TRUE(out == Pointf(5, 10));
    ASSERT_TRUE(sloped.Intersect(&horizontal, out));
    EXPECT_TRUE(out == Pointf(1, 2));
}
