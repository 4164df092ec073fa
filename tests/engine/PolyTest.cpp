// Move tests of single polygons, and the seams between joined ones.
#include "engine/Poly.h"

#include "support/MapFiles.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
// A clockwise (y up) solid box.
std::unique_ptr<Poly> Box(double x0, double y0, double x1, double y1, bool solid = true)
{
    auto poly = std::make_unique<Poly>(4, 0, solid);
    Pointf const corners[4] = {Pointf(x0, y0), Pointf(x0, y1), Pointf(x1, y1), Pointf(x1, y0)};
    Pointf const tex(0.0, 0.0);
    for (Pointf const& corner : corners)
        poly->InitPolyPt(&corner, &tex, true);
    return poly;
}

// Moves from a towards b: whether the move was stopped, and where it ends.
void ExpectMove(Poly const& poly, Pointf a, Pointf b, bool stopped, double x, double y)
{
    EXPECT_EQ(poly.TryMove(&a, &b, nullptr), stopped) << a.x << "," << a.y;
    MapFiles::ExpectPoint(b, x, y);
}
} // namespace

TEST(Poly, MovesStopOnEdgesAndCornersAndSlideAlongOuterEdges)
{
    auto box = Box(0, 0, 10, 10);
    Pointf const above(5, 15);
    Pointf b(5, 5);
    unsigned int edge = 99;
    EXPECT_TRUE(box->TryMove(&above, &b, &edge));
    MapFiles::ExpectPoint(b, 5, 10);
    EXPECT_EQ(edge, 1u);

    ExpectMove(*box, {5, 10}, {5, 5}, true, 5, 10);   // from the surface inwards goes nowhere
    ExpectMove(*box, {5, 15}, {5, 10}, false, 5, 10); // landing exactly on the surface
    ExpectMove(*box, {5, 5}, {5, 20}, false, 5, 20);  // leaving
    ExpectMove(*box, {-5, 5}, {5, 15}, false, 5, 15); // grazing the top-left corner
    ExpectMove(*box, {-5, 15}, {5, 5}, true, 0, 10);  // entering through it
    ExpectMove(*box, {0, -5}, {0, 15}, false, 0, 15); // along the outside of the left wall
}

TEST(Poly, SharedEdgesBecomeSeams)
{
    auto left = Box(0, 0, 10, 10);
    auto right = Box(10, 0, 20, 10);
    auto ghost = Box(20, 0, 30, 10, false);
    left->FindInternalEdges(right.get());
    right->FindInternalEdges(ghost.get());
    EXPECT_TRUE(left->GetPointPtr(2)->internal);
    EXPECT_TRUE(right->GetPointPtr(0)->internal);
    int internalCount = 0;
    for (int i = 0; i < 4; ++i)
        internalCount +=
            left->GetPointPtr(i)->internal + right->GetPointPtr(i)->internal + ghost->GetPointPtr(i)->internal;
    EXPECT_EQ(internalCount, 2);

    Pointf const seam(10, 5);
    EXPECT_EQ(left->Hit(&seam), 0);
    EXPECT_EQ(right->Hit(&seam), 0);

    ExpectMove(*right, {5, 5}, {15, 5}, false, 15, 5); // across the seam into the other box
    // Sliding up the seam from below its end stops at the end; from inside it, stays put.
    ExpectMove(*right, {10, -5}, {10, 5}, true, 10, 0);
    ExpectMove(*right, {10, 3}, {10, 8}, true, 10, 3);

    left->NoInternal();
    EXPECT_FALSE(left->GetPointPtr(2)->internal);
    EXPECT_EQ(left->Hit(&seam), 2);
}

TEST(Poly, OutlineTouchingARectangle)
{
    auto box = Box(0, 0, 10, 10);
    for (Rectf const touching : {Rectf(3, 8, 7, 12), Rectf(8, 3, 12, 7), Rectf(9, 9, 11, 11)})
        EXPECT_TRUE(box->Hit(&touching));
    Rectf const within(3, 3, 7, 7);
    Rectf const apart(20, 20, 30, 30);
    EXPECT_FALSE(box->Hit(&within));
    EXPECT_FALSE(box->Hit(&apart));
}
