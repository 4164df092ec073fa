// Rectangles: corners, containment, overlap and union.
#include "util/Rectf.h"

#include <gtest/gtest.h>

#include "util/Pointf.h"

TEST(Rectf, CornersAndContainment)
{
    Pointf a(5, 1), b(2, 4);
    Rectf r(&a, &b);
    EXPECT_EQ(r.x0, 2);
    EXPECT_EQ(r.y0, 1);
    EXPECT_EQ(r.x1, 5);
    EXPECT_EQ(r.y1, 4);
    EXPECT_EQ(r.Width(), 3);
    EXPECT_TRUE(r.Centre() == Pointf(3.5, 2.5));
    for (Pointf p : {Pointf(2, 1), Pointf(5, 4), Pointf(2, 3), Pointf(3, 4)})
        EXPECT_TRUE(r.Contains(&p)) << p.x << "," << p.y;
    Pointf outside(5 + 1e-12, 2);
    EXPECT_FALSE(r.Contains(&outside));

    Rectf inverted(5, 1, 2, 4);
    EXPECT_EQ(inverted.x0, 5);
    Pointf inside(3, 2);
    EXPECT_FALSE(inverted.Contains(&inside));

    Rectf sized(&b, 10, 20);
    EXPECT_EQ(sized.x1, 12);
    EXPECT_EQ(sized.Height(), 20);
    EXPECT_DEATH(Rectf(nullptr, 1.0, 1.0), "pt != NULL");
    EXPECT_DEATH(Rectf(&a, static_cast<Pointf const*>(nullptr)), "pt2 != NULL");
}

TEST(Rectf, TouchingCountsAsIntersecting)
{
    Rectf unit(0, 0, 1, 1);
    Rectf beside(1, 0, 2, 1);
    EXPECT_TRUE(unit.Intersect(&beside));
    Rectf hairGap(1 + 1e-8, 0, 2 + 1e-8, 1);
    EXPECT_TRUE(unit.Intersect(&hairGap));
    EXPECT_TRUE(hairGap.Intersect(&unit));
    Rectf gap(1.001, 0, 2.001, 1);
    EXPECT_FALSE(unit.Intersect(&gap));
    Rectf aboveGap(0, 1.001, 1, 2);
    EXPECT_FALSE(unit.Intersect(&aboveGap));
}

TEST(Rectf, UnionGrowsOnlyOutwards)
{
    Rectf r(0, 0, 1, 1);
    Rectf other(0.5, -1, 3, 0.5);
    r.Union(&other);
    EXPECT_EQ(r.x0, 0);
    EXPECT_EQ(r.y0, -1);
    EXPECT_EQ(r.x1, 3);
    EXPECT_EQ(r.y1, 1);
    Rectf nearlySame(-1e-9, -1, 3 + 1e-9, 1);
    r.Union(&nearlySame);
    EXPECT_EQ(r.x0, 0);
    EXPECT_EQ(r.x1, 3);
}
