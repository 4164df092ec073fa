// Point, move and surface tests of single polygons, and the seams between joined ones.
#include "Poly.h"

#include "util/Util.h"

#include <cmath>
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

void ExpectPoint(Pointf const& p, double x, double y)
{
    EXPECT_NEAR(p.x, x, 1e-9);
    EXPECT_NEAR(p.y, y, 1e-9);
}
} // namespace

TEST(Poly, IndicesWrapAndPointsClassify)
{
    Poly* box = Box(0, 0, 10, 10);
    EXPECT_EQ(box->GetPoint(-1), 3);
    EXPECT_EQ(box->GetPoint(4), 0);
    EXPECT_EQ(box->GetPoint(-9), 3);
    Pointf const inside(5, 5), outside(15, 5), onEdge(10, 5);
    EXPECT_EQ(box->Hit(&inside), 0);
    EXPECT_EQ(box->Hit(&outside), 1);
    EXPECT_EQ(box->Hit(&onEdge), 2);
    delete box;
}

TEST(Poly, MoveIntoPolygonStopsOnTheEdge)
{
    Poly* box = Box(0, 0, 10, 10);
    unsigned int edge = 99;

    Pointf const above(5, 15);
    Pointf b(5, 5);
    EXPECT_TRUE(box->TryMove(&above, &b, &edge));
    ExpectPoint(b, 5, 10);
    EXPECT_EQ(edge, 1u);

    // Starting on the surface and pushing in goes nowhere.
    Pointf const onTop(5, 10);
    b = Pointf(5, 5);
    EXPECT_TRUE(box->TryMove(&onTop, &b, nullptr));
    ExpectPoint(b, 5, 10);

    // Landing exactly on the surface is allowed.
    b = Pointf(5, 10);
    EXPECT_FALSE(box->TryMove(&above, &b, nullptr));
    ExpectPoint(b, 5, 10);

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
    ExpectPoint(b, 5, 15);

    // Enters through the top-left corner: stopped on it.
    Pointf const upLeft(-5, 15);
    b = Pointf(5, 5);
    EXPECT_TRUE(box->TryMove(&upLeft, &b, nullptr));
    ExpectPoint(b, 0, 10);

    // Running along the outside of the left wall.
    Pointf const below(0, -5);
    b = Pointf(0, 15);
    EXPECT_FALSE(box->TryMove(&below, &b, nullptr));
    ExpectPoint(b, 0, 15);
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
    ExpectPoint(b, 15, 5);

    // Sliding up the seam from below its end stops at the end; from inside it, stays put.
    Pointf const underSeam(10, -5);
    b = Pointf(10, 5);
    EXPECT_TRUE(right->TryMove(&underSeam, &b, nullptr));
    ExpectPoint(b, 10, 0);
    Pointf const onSeam(10, 3);
    b = Pointf(10, 8);
    EXPECT_TRUE(right->TryMove(&onSeam, &b, nullptr));
    ExpectPoint(b, 10, 3);

    left->NoInternal();
    EXPECT_FALSE(left->GetPointPtr(2)->internal);
    EXPECT_EQ(left->Hit(&seam), 2);
    delete left;
    delete right;
    delete ghost;
}

TEST(Poly, SurfaceDirectionsOnEdgesAndCorners)
{
    Poly* box = Box(0, 0, 10, 10);
    double a1 = 0.0, a2 = 0.0;
    Pointf const top(5, 10);
    EXPECT_EQ(box->SurfaceAngles(&top, a1, a2), 3);
    EXPECT_NEAR(a1, Util::QuarterTurn, 1e-12);
    EXPECT_NEAR(a2, -Util::QuarterTurn, 1e-12);
    // At a corner the backward direction runs down the previous edge.
    Pointf const corner(0, 10);
    EXPECT_EQ(box->SurfaceAngles(&corner, a1, a2), 3);
    EXPECT_NEAR(a1, Util::QuarterTurn, 1e-12);
    EXPECT_NEAR(std::fabs(a2), Util::HalfTurn, 1e-12);
    Pointf const inside(5, 5);
    EXPECT_EQ(box->SurfaceAngles(&inside, a1, a2), 0);
    delete box;
}

TEST(Poly, PlacementIsRelativeToTheLoadedPosition)
{
    Poly* box = Box(0, 0, 10, 10);
    box->PosFromStart(5, 0);
    box->PosFromStart(5, 0);
    ExpectPoint(box->GetVertexPoint(0), 5, 0);
    EXPECT_NEAR(box->GetBound()->x0, 4.9, 1e-12);
    Pointf const origin(0, 0);
    box->RotateFromStart(&origin, Util::QuarterTurn);
    box->RotateFromStart(&origin, Util::QuarterTurn);
    ExpectPoint(box->GetVertexPoint(1), 10, 0);
    // The lines follow the points: the rotated box now lies right of the origin's vertical.
    Pointf const probe(5, -5);
    EXPECT_EQ(box->Hit(&probe), 0);

    Poly* copy = new Poly(box);
    EXPECT_EQ(copy->Hit(&probe), 0);
    delete copy;
    delete box;
}

TEST(Poly, ConvexityCheck)
{
    Poly* box = Box(0, 0, 10, 10);
    EXPECT_TRUE(box->IsValid());
    Poly* dented = new Poly(4, 0, false);
    Pointf const corners[4] = {Pointf(0, 0), Pointf(0, 10), Pointf(3, 3), Pointf(10, 0)};
    Pointf const tex(0, 0);
    for (Pointf const& corner : corners)
        dented->InitPolyPt(&corner, &tex, false);
    EXPECT_FALSE(dented->IsValid());
    delete dented;
    delete box;
}
