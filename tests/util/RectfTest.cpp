// Rectangles: corners, containment, overlap and union.
#include "util/Rectf.h"

#include "util/Pointf.h"

#include <gtest/gtest.h>

TEST(Rectf, CornersAndContainment)
{
    Pointf a(5, 1), b(2, 4), outside(5 + 1e-12, 2), inside(3, 2);
    Rectf r(&a, &b);
    EXPECT_EQ(r.x0, 2);
    EXPECT_EQ(r.y1, 4);
    for (Pointf p : {a, b, Pointf(2, 1), Pointf(3, 4)})
        EXPECT_TRUE(r.Contains(&p)) << p.x << "," << p.y;
    EXPECT_FALSE(r.Contains(&outside));
    EXPECT_FALSE(Rectf(5, 1, 2, 4).Contains(&inside));
    EXPECT_DEATH(Rectf(nullptr, 1.0, 1.0), "pt != NULL");
}

TEST(Rectf, TouchingCountsAsIntersecting)
{
    Rectf unit(0, 0, 1, 1);
    Rectf beside(1, 0, 2, 1), hairGap(1 + 1e-8, 0, 2, 1), gap(1.001, 0, 2, 1), above(0, 1.001, 1, 2);
    EXPECT_TRUE(unit.Intersect(&beside));
    EXPECT_TRUE(unit.Intersect(&hairGap));
    EXPECT_TRUE(hairGap.Intersect(&unit));
    EXPECT_FALSE(unit.Intersect(&gap));
    EXPECT_FALSE(unit.Intersect(&above));
}

TEST(Rectf, UnionGrowsOnlyOutwards)
{
    Rectf r(0, 0, 1, 1);
    Rectf other(0.5, -1, 3, 0.5), nearlySame(-1e-9, -1, 3 + 1e-9, 1);
    r.Union(&other);
    r.Union(&nearlySame);
    EXPECT_EQ(r.x0, 0);
    EXPECT_EQ(r.y0, -1);
    EXPECT_EQ(r.x1, 3);
    EXPECT_EQ(r.y1, 1);
}
