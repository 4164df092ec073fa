// Points: tolerance equality, directions, turns and the camera transform.
#include "util/Pointf.h"

#include "util/Util.h"

#include <gtest/gtest.h>

#include <numbers>

TEST(Pointf, EqualityIsWithinToleranceOnEachAxis)
{
    Pointf p(1, 1);
    EXPECT_TRUE(p == Pointf(1 + 1e-7, 1));
    EXPECT_TRUE(p != Pointf(1 + 2e-7, 1));
    EXPECT_TRUE(p != Pointf(1, 1 - 2e-7));
}

TEST(Pointf, DirectionsAndTurns)
{
    Pointf origin(0, 0), right(5, 0);
    EXPECT_DOUBLE_EQ(origin.Angle(&right), std::numbers::pi / 2);
    Pointf centre(10, 10), q(10, 12);
    q.Rotate(&centre, Util::QuarterTurn);
    EXPECT_TRUE(q == Pointf(12, 10));
    q.Scale(&centre, 3);
    EXPECT_TRUE(q == Pointf(16, 10));
}

TEST(Pointf, InLineAndClockwise)
{
    Pointf o(0, 0), east(10, 0), north(0, 10);
    struct
    {
        Pointf p;
        Pointf const* a;
        Pointf const* b;
        int expected;
    } const inLine[] = {
        {{5, 3}, &o, &east, 2},  {{-1, 0}, &o, &east, 0}, {{11, 0}, &o, &east, 4},  {{5e-8, 0}, &o, &east, 1},
        {{10, 0}, &o, &east, 3}, {{11, 0}, &east, &o, 0}, {{0, 12}, &north, &o, 0}, {{0, -1}, &north, &o, 4},
    };
    for (auto const& c : inLine)
        EXPECT_EQ(c.p.InLine(c.a, c.b), c.expected) << c.p.x << "," << c.p.y;

    Pointf mid(0, 1), ahead(0, 2), right(1, 2), left(-1, 2);
    EXPECT_EQ(o.Clockwise(&mid, &ahead), 2);
    EXPECT_EQ(o.Clockwise(&mid, &o), 3);
    EXPECT_EQ(o.Clockwise(&mid, &right), 0);
    EXPECT_EQ(o.Clockwise(&mid, &left), 1);
}
