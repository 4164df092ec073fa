// Move tests of single polygons, and the seams between joined ones.
#include "Poly.h"

#include "MapFiles.h"

#include <gtest/gtest.h>

namespace
{
// A clockwise (y up) solid box.
Poly* Box(double x0, double y0, double x1, double y1, bool solid = true)
{
    Poly* poly = new Poly(4, 0, solid);
    Pointf const corners[4] = {Pointf(x0, y0), Pointf(x0, y1), Pointf(x1, y1), Pointf(x1, y0)};
    Pointf const tex(0.0, 0.0);
    for (Pointf const& corner : corners)
        poly->InitPolyPt(&corner, &tex, true);
    return poly;
}
} // namespace

TEST(Poly, MoveIntoPolygonStopsOnTheEdge)
{
    Poly* box = Box(0, 0, 10, 10);
    unsigned int edge = 99;

    Pointf const above(5, 15);
    Pointf b(5, 5);
    EXPECT_TRUE(box->TryMove(&above, &b, &edge));
    MapFiles::ExpectPoint(b, 5, 10);
    EXPECT_EQ(edge, 1u);

    // Starting on the surface and pushing in goes nowhere.
    Pointf const onTop(5, 10);
    b = Pointf(5, 5);
    EXPECT_TRUE(box->TryMove(&onTop, &b, nullptr));
    MapFiles::ExpectPoint(b, 5, 10);

    // Landing exactly on the surface is allowed.
    b = Pointf(5, 10);
    EXPECT_FALSE(box->TryMove(&above, &b, nullptr));
    MapFiles::ExpectPoint(b, 5, 10);

    // Leaving is never stopped.
    Pointf const inside(5, 5);
    b = Pointf(5, 20);
    EXPECT_FALSE(box->TryMove(&inside, &b, nullptr));
    delete box;
}

TEST(Poly, CornersAndSlidingAlongOuterEdges)
{
    Poly* box = Box(0, 0, 10, 10);
    // Passes the top-left corner without entering.
    Pointf const left(-5, 5);
    Pointf b(5, 15);
    EXPECT_FALSE(box->TryMove(&left, &b, nullptr));
    MapFiles::ExpectPoint(b, 5, 15);

    // Enters through the top-left corner: stopped on it.
    Pointf const upLeft(-5, 15);
    b = Pointf(5, 5);
    EXPECT_TRUE(box->TryMove(&upLeft, &b, nullptr));
    MapFiles::ExpectPoint(b, 0, 10);

    // Running along the outside of the left wall.
    Pointf const below(0, -5);
    b = Pointf(0, 15);
    EXPECT_FALSE(box->TryMove(&below, &b, nullptr));
    MapFiles::ExpectPoint(b, 0, 15);
    delete box;
}

TEST(Poly, SharedEdgesBecomeSeams)
{
    Poly* left = Box(0, 0, 10, 10);
    Poly* right = Box(10, 0, 20, 10);
    Poly* ghost = Box(20, 0, 30, 10, false);
    left->FindInternalEdges(right);
    right->FindInternalEdges(ghost);
    EXPECT_TRUE(left->GetPointPtr(2)->internal);
    EXPECT_TRUE(right->GetPointPtr(0)->internal);
    int internalCount = 0;
    for (int i = 0; i < 4; ++i)
        internalCount += left->GetPointPtr(i)->internal + right->GetPointPtr(i)->internal + ghost->GetPointPtr(i)->internal;
    EXPECT_EQ(internalCount, 2);

    Pointf const seam(10, 5);
    EXPECT_EQ(left->Hit(&seam), 0);
    EXPECT_EQ(right->Hit(&seam), 0);

    // Crossing the seam from one box into the other is free.
    Pointf const inLeft(5, 5);
    Pointf b(15, 5);
    EXPECT_FALSE(right->TryMove(&inLeft, &b, nullptr));
    MapFiles::ExpectPoint(b, 15, 5);

    // Sliding up the seam from below its end stops at the end; from inside it, stays put.
    Pointf const underSeam(10, -5);
    b = Pointf(10, 5);
    EXPECT_TRUE(right->TryMove(&underSeam, &b, nullptr));
    MapFiles::ExpectPoint(b, 10, 0);
    Pointf const onSeam(10, 3);
    b = Pointf(10, 8);
    EXPECT_TRUE(right->TryMove(&onSeam, &b, nullptr));
    MapFiles::ExpectPoint(b, 10, 3);

    left->NoInternal();
    EXPECT_FALSE(left->GetPointPtr(2)->internal);
    EXPECT_EQ(left->Hit(&seam), 2);
    delete left;
    delete right;
    delete ghost;
}


TEST(Poly, OutlineTouchingARectangle)
{
    Poly* box = Box(0, 0, 10, 10);
    Rectf const acrossTop(3, 8, 7, 12);
    Rectf const acrossSide(8, 3, 12, 7);
    Rectf const holdingACorner(9, 9, 11, 11);
    Rectf const withinTheBox(3, 3, 7, 7);
    Rectf const apart(20, 20, 30, 30);
    EXPECT_TRUE(box->Hit(&acrossTop));
    EXPECT_TRUE(box->Hit(&acrossSide));
    EXPECT_TRUE(box->Hit(&holdingACorner));
    EXPECT_FALSE(box->Hit(&withinTheBox));
    EXPECT_FALSE(box->Hit(&apart));
    delete box;
}
