// Movement paths: positions at boundary ticks, facing, bounds and replay of the same tick.
#include "engine/Path.h"

#include "util/Util.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace
{
void ExpectAt(Position_Info const& info, double x, double y)
{
    EXPECT_NEAR(info.pos.x, x, 1e-9);
    EXPECT_NEAR(info.pos.y, y, 1e-9);
}
} // namespace

TEST(Path, StillPathStaysAndFacesLeft)
{
    Path_None path(Pointf(3, 4));
    ExpectAt(path.PositionAtTime(100000), 3, 4);
    EXPECT_TRUE(path.PositionAtTime(7).facingLeft);
}

TEST(Path, SineOnYOnlyMovesAlongCosine)
{
    // Only y moves: the height follows the cosine of the normalised angle.
    Path_Sine path(Pointf(10, 20), 5.0, 0.1, false, true, 0);
    for (Tick t : {0, 1, 17, 250, 4000})
    {
        double a = Util::Angle(double(t) * 0.1 / 3.1415926535898 / 2.0);
        ExpectAt(path.PositionAtTime(t), 10, 20 + std::cos(a) * 5.0);
    }
    Rectf b = path.GetBound();
    EXPECT_DOUBLE_EQ(b.x0, 10);
    EXPECT_DOUBLE_EQ(b.x1, 10);
    EXPECT_DOUBLE_EQ(b.y0, 15);
    EXPECT_DOUBLE_EQ(b.y1, 25);
}

TEST(Path, SineFacingAtTheQuarterTurn)
{
    // One tick with this rate lands on a quarter turn (within the tolerance): not facing left.
    double quarter = 1.5707963267949 * 3.1415926535898 * 2.0;
    Path_Sine exact(Pointf(0, 0), 1.0, quarter, true, false, 0);
    EXPECT_FALSE(exact.PositionAtTime(1).facingLeft);
    EXPECT_NEAR(exact.PositionAtTime(1).pos.x, 1.0, 1e-9);

    Path_Sine past(Pointf(0, 0), 1.0, quarter * 1.01, true, false, 0);
    EXPECT_TRUE(past.PositionAtTime(1).facingLeft);
    Path_Sine before(Pointf(0, 0), 1.0, quarter * 0.99, true, false, 0);
    EXPECT_FALSE(before.PositionAtTime(1).facingLeft);
}

TEST(Path, RoundWalksTheEdgeAnticlockwise)
{
    // 100 x 50 at 10 units a tick: 30 ticks round.
    Path_Round path(Pointf(0, 0), 100, 50, 10, false);
    ExpectAt(path.PositionAtTime(0), 50, 25);
    ExpectAt(path.PositionAtTime(5), 0, 25);
    ExpectAt(path.PositionAtTime(10), -50, 25);
    ExpectAt(path.PositionAtTime(12), -50, 5);
    ExpectAt(path.PositionAtTime(15), -50, -25);
    ExpectAt(path.PositionAtTime(25), 50, -25);
    ExpectAt(path.PositionAtTime(27), 50, -5);
    ExpectAt(path.PositionAtTime(30), 50, 25);

    Path_Round back(Pointf(0, 0), 100, 50, 10, true);
    for (Tick t = 0; t < 30; t++)
    {
        Position_Info b = back.PositionAtTime(t);
        ExpectAt(b, path.PositionAtTime(29 - t).pos.x, path.PositionAtTime(29 - t).pos.y);
    }
}

TEST(Path, MultiPointVisitsItsPointsInTurn)
{
    std::srand(7);
    Path_MultiPoint a(Pointf(0, 0), Pointf(1000, 500), 4, 50, 0.2, 0);
    std::srand(7);
    Path_MultiPoint b(Pointf(0, 0), Pointf(1000, 500), 4, 50, 0.2, 25);

    // Each segment starts exactly at its point; b runs 25 ticks ahead of a.
    Rectf bound = a.GetBound();
    for (Tick t = 0; t < 400; t++)
    {
        Position_Info pa = a.PositionAtTime(t + 25);
        Position_Info pb = b.PositionAtTime(t);
        ExpectAt(pa, pb.pos.x, pb.pos.y);
        EXPECT_EQ(pa.facingLeft, pb.facingLeft);
        EXPECT_GE(pa.pos.x, bound.x0 - 1e-9);
        EXPECT_LE(pa.pos.x, bound.x1 + 1e-9);
        EXPECT_GE(pa.pos.y, bound.y0 - 1e-9);
        EXPECT_LE(pa.pos.y, bound.y1 + 1e-9);
    }
    EXPECT_GE(bound.x0, 0.0);
    EXPECT_LE(bound.x1, 1000.0);

    // Travelling: the easing covers 1 - 0.98^f of the gap.
    Pointf p0 = a.PositionAtTime(0).pos;
    Pointf p1 = a.PositionAtTime(50).pos;
    Position_Info mid = a.PositionAtTime(10);
    double covered = 1.0 - std::pow(0.98, 10);
    ExpectAt(mid, p0.x + (p1.x - p0.x) * covered, p0.y + (p1.y - p0.y) * covered);
    EXPECT_EQ(mid.facingLeft, p1.x < p0.x);
    // After the last point comes the first again.
    ExpectAt(a.PositionAtTime(200), p0.x, p0.y);
}

TEST(Path, MultiPointWithOnePointStays)
{
    Path_MultiPoint path(Pointf(0, 0), Pointf(100, 100), 1, 30, 0.2, -1);
    Pointf p = path.PositionAtTime(0).pos;
    for (Tick t : {1, 29, 30, 31, 1000})
    {
        ExpectAt(path.PositionAtTime(t), p.x, p.y);
        EXPECT_FALSE(path.PositionAtTime(t).facingLeft);
    }
}

TEST(Path, BobMovesRestsAndReturns)
{
    // 100 ticks towards B and resting there, then 60 towards A and resting.
    Path_Bob path(Pointf(100, 0), Pointf(0, 40), 60, 100, 0);
    ExpectAt(path.PositionAtTime(0), 100, 0);
    EXPECT_TRUE(path.PositionAtTime(5).facingLeft); // B lies to the left
    ExpectAt(path.PositionAtTime(29), Util::FunkyMove(100, 0, 29, 0.125), Util::FunkyMove(0, 40, 29, 0.125));
    ExpectAt(path.PositionAtTime(30), 0, 40);
    ExpectAt(path.PositionAtTime(99), 0, 40);
    ExpectAt(path.PositionAtTime(100), 0, 40); // the way back starts at B
    EXPECT_FALSE(path.PositionAtTime(105).facingLeft);
    ExpectAt(path.PositionAtTime(130), 100, 0);
    ExpectAt(path.PositionAtTime(160), 100, 0); // next cycle

    // With less than the travel time towards B it turns back before arriving.
    Path_Bob hurried(Pointf(100, 0), Pointf(0, 0), 60, 20, 0);
    for (Tick t = 0; t < 20; t++)
        EXPECT_GT(hurried.PositionAtTime(t).pos.x, 0.5);
    Rectf b = hurried.GetBound();
    EXPECT_DOUBLE_EQ(b.x0, 0);
    EXPECT_DOUBLE_EQ(b.x1, 100);
}

TEST(Path, RandomPhasesAreFixedForThePathsLife)
{
    std::srand(1);
    Path_Bob a(Pointf(0, 0), Pointf(100, 0), 50, 50, -1);
    Path_Bob b(Pointf(0, 0), Pointf(100, 0), 50, 50, -1);
    bool differ = false;
    for (Tick t = 0; t < 100; t++)
    {
        // The same tick asked again, in any order, gives the same answer.
        EXPECT_DOUBLE_EQ(a.PositionAtTime(t).pos.x, a.PositionAtTime(t).pos.x);
        differ = differ || a.PositionAtTime(t).pos.x != b.PositionAtTime(t).pos.x;
    }
    EXPECT_TRUE(differ);
}
