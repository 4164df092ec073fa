// Lines through points and directions, and their intersections.
#include "util/LineEq.h"

#include "util/Error.h"
#include "util/Pointf.h"
#include "util/Util.h"

#include <gtest/gtest.h>

TEST(LineEq, TwoPointLinesKeepTheirDirection)
{
    Pointf origin(0, 0), up(0, 1), east(1, 0), below(0, -1), near(1e-8, 1e-8);
    EXPECT_EQ(LineEq(&origin, &up).a, 1);
    EXPECT_EQ(LineEq(&up, &origin).a, -1);
    // Positive on the right of the direction, negative on its left.
    EXPECT_EQ(LineEq(&origin, &east).Eval(&up), -1);
    EXPECT_EQ(LineEq(&origin, &east).Eval(&below), 1);
    EXPECT_EQ(LineEq(&east, &origin).Eval(&up), 1);
    try
    {
        LineEq degenerate(&origin, &near);
        ADD_FAILURE() << "coincident points made a line";
    }
    catch (Error const& err)
    {
        EXPECT_EQ(err.Code(), Error_LineEquation);
    }
}

TEST(LineEq, PointAndAngleLines)
{
    Pointf p(3, 4), further(4, 5);
    LineEq flat(&p, Util::QuarterTurn + 1e-8);
    EXPECT_EQ(flat.a, 0);
    EXPECT_EQ(flat.c, -4);
    LineEq vertical(&p, 0.0);
    EXPECT_EQ(vertical.b, 0);
    EXPECT_EQ(vertical.c, -3);
    EXPECT_NEAR(LineEq(&p, Util::QuarterTurn / 2).Eval(&further), 0, 1e-12);
}

TEST(LineEq, IntersectionAndParallels)
{
    LineEq horizontal(0, 1, -2), alsoHorizontal(0, 2, 7);
    Pointf out(-9, -9);
    EXPECT_FALSE(horizontal.Intersect(&alsoHorizontal, out));
    EXPECT_TRUE(out == Pointf(-9, -9));

    // A vertical line (b = 0) takes y from the other one.
    Pointf base(5, 0), top(5, 1), s0(0, 0), s1(1, 2);
    LineEq vertical(&base, &top), sloped(&s0, &s1);
    ASSERT_TRUE(vertical.Intersect(&sloped, out));
    EXPECT_TRUE(out == Pointf(5, 10));
    ASSERT_TRUE(sloped.Intersect(&horizontal, out));
    EXPECT_TRUE(out == Pointf(1, 2));
}
