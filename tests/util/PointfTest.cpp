// Points: tolerance equality, directions, turns and the camera transform.
#include "util/Pointf.h"

#include <gtest/gtest.h>
#include <numbers>

#include "util/Util.h"
#include "util/WorldTransform.h"

TEST(Pointf, EqualityIsWithinToleranceOnEachAxis)
{
    Pointf p(1, 1);
    EXPECT_TRUE(p == Pointf(1 + 1e-7, 1));
    EXPECT_FALSE(p == Pointf(1 + 2e-7, 1));
    EXPECT_TRUE(p != Pointf(1 + 2e-7, 1));
    EXPECT_FALSE(p != Pointf(1, 1 - 1e-7));
    EXPECT_FALSE(p == Pointf(1 + 1e-7, 1 + 2e-7));
}

TEST(Pointf, AngleIsMeasuredFromPlusY)
{
    Pointf origin(0, 0);
    Pointf up(0, 5), right(5, 0), down(0, -5);
    EXPECT_EQ(origin.Angle(&up), 0);
    EXPECT_DOUBLE_EQ(origin.Angle(&right), std::numbers::pi / 2);
    EXPECT_DOUBLE_EQ(origin.Angle(&down), std::numbers::pi);
    Pointf diag(3, -4);
    EXPECT_EQ(origin.Distance(&diag), 5);
    EXPECT_EQ(origin.DistanceEst(&diag), 7);
}

TEST(Pointf, RotationTurnsTowardsPlusX)
{
    Pointf p(0, 1);
    p.Rotate(nullptr, Util::QuarterTurn);
    EXPECT_TRUE(p == Pointf(1, 0));

    Pointf centre(10, 10);
    Pointf q(10, 12);
    q.Rotate(&centre, Util::HalfTurn);
    EXPECT_TRUE(q == Pointf(10, 8));

    Pointf r(12, 10);
    r.Scale(&centre, 3);
    EXPECT_TRUE(r == Pointf(16, 10));
    r.Scale(nullptr, 0.5);
    EXPECT_TRUE(r == Pointf(8, 5));
}

TEST(Pointf, InLineComparesOneAxisOnly)
{
    Pointf a(0, 0), b(10, 0);
    EXPECT_EQ(Pointf(5, 3).InLine(&a, &b), 2);
    EXPECT_EQ(Pointf(-1, 0).InLine(&a, &b), 0);
    EXPECT_EQ(Pointf(11, 0).InLine(&a, &b), 4);
    EXPECT_EQ(Pointf(5e-8, 0).InLine(&a, &b), 1);
    EXPECT_EQ(Pointf(10, 0).InLine(&a, &b), 3);
    // Reversed segment: "beyond a" follows a, not the smaller coordinate.
    EXPECT_EQ(Pointf(-1, 0).InLine(&b, &a), 4);
    EXPECT_EQ(Pointf(11, 0).InLine(&b, &a), 0);

    Pointf top(0, 10), bottom(0, 0);
    EXPECT_EQ(Pointf(0, 12).InLine(&top, &bottom), 0);
    EXPECT_EQ(Pointf(0, -1).InLine(&top, &bottom), 4);
    EXPECT_EQ(Pointf(7, 5).InLine(&top, &bottom), 2);
}

TEST(Pointf, ClockwiseClassifiesTheTurn)
{
    Pointf start(0, 0), mid(0, 1);
    Pointf ahead(0, 2), backHome(0, 0), right(1, 2), left(-1, 2);
    EXPECT_EQ(start.Clockwise(&mid, &ahead), 2);
    EXPECT_EQ(start.Clockwise(&mid, &backHome), 3);
    EXPECT_EQ(start.Clockwise(&mid, &right), 0);
    EXPECT_EQ(start.Clockwise(&mid, &left), 1);
}

TEST(Pointf, ScreenAndWorldAreInverse)
{
    WorldTransform view;
    view.x = 100;
    view.y = -50;
    view.scale = 2;
    Pointf world(110, -40);
    Pointf screen = world.WorldToScreen(&view);
    EXPECT_TRUE(screen == Pointf(20, 20));
    EXPECT_TRUE(screen.ScreenToWorld(&view) == world);
    EXPECT_TRUE(world.WorldToScreen(nullptr) == world);
}
