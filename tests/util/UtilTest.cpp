// Angle maths, the float remainder, the tick hash and the easing curves.
#include "util/Util.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

TEST(Util, RandomHashesTicksInThirtyTwoBits)
{
    EXPECT_EQ(Util::Random(0), 0);
    EXPECT_EQ(Util::Random(1), 970793448);
    EXPECT_EQ(Util::Random(-1), 1414351993);

    // The same tick gives the same value whatever was asked in between.
    std::int32_t first = Util::Random(12345);
    for (Tick t = 0; t < 100; t++)
        Util::Random(t);
    EXPECT_EQ(Util::Random(12345), first);

    // The serial offsets the tick, wrapping in 32 bits.
    EXPECT_EQ(Util::Random(10, 5u), Util::Random(15));
    EXPECT_EQ(Util::Random(INT32_MAX, 1u), Util::Random(INT32_MIN));
    std::uint32_t a = Util::NextSerial();
    std::uint32_t b = Util::NextSerial();
    EXPECT_NE(a, b);
    EXPECT_NE(Util::Random(100, a), Util::Random(100, b));
}

TEST(Util, AngleNormalisesIntoHalfOpenRange)
{
    EXPECT_EQ(Util::Angle(Util::HalfTurn), Util::HalfTurn);
    EXPECT_EQ(Util::Angle(-Util::HalfTurn), Util::HalfTurn);
    EXPECT_EQ(Util::Angle(7.0), 7.0 - Util::FullTurn);
    EXPECT_EQ(Util::Angle(-7.0), -7.0 + Util::FullTurn);
    EXPECT_EQ(Util::Angle(0.5), 0.5);

    EXPECT_NEAR(Util::Angle(1.0e12 + 0.25), std::remainder(1.0e12 + 0.25, Util::FullTurn), 1e-2);
}

TEST(Util, DiffAngleRaisesOnlyNegativeDifferences)
{
    EXPECT_DOUBLE_EQ(Util::DiffAngle(0.1, 0.2), Util::FullTurn - 0.1);
    EXPECT_EQ(Util::DiffAngle(7.0, 0.0), 7.0);
    EXPECT_DOUBLE_EQ(Util::DiffAngle(1.0, 1.0 + 1e-8), 1.0 - (1.0 + 1e-8));
    double far = Util::DiffAngle(-1.0e13, 0.0);
    EXPECT_GE(far, 0.0);
    EXPECT_LT(far, Util::FullTurn);
}

TEST(Util, NonFiniteAnglesComeBackUnchanged)
{
    double inf = std::numeric_limits<double>::infinity();
    double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(Util::Angle(inf), inf);
    EXPECT_EQ(Util::Angle(-inf), -inf);
    EXPECT_TRUE(std::isnan(Util::Angle(nan)));
    EXPECT_EQ(Util::DiffAngle(-inf, 0.0), -inf);
    EXPECT_TRUE(std::isnan(Util::DiffAngle(nan, 1.0)));
}

TEST(Util, FltModTruncatesDivisorAndQuotient)
{
    EXPECT_EQ(Util::FltMod(7.5, 2.0), 1.5);
    EXPECT_EQ(Util::FltMod(-7.5, 2.0), -1.5);
    EXPECT_EQ(Util::FltMod(7.5, 2.9), 3.5);
    // A quotient beyond 32 bits saturates instead of being undefined.
    EXPECT_TRUE(std::isfinite(Util::FltMod(1e12, 1e-3)));
}

TEST(Util, BounceyFallHopsShrinkAndFlagTheImpactStep)
{
    bool touched = true;
    EXPECT_DOUBLE_EQ(Util::BounceyFall(100, 2, 0.5, 3, &touched), 91);
    EXPECT_FALSE(touched);
    EXPECT_DOUBLE_EQ(Util::BounceyFall(100, 2, 0.5, 10, &touched), 0);
    EXPECT_TRUE(touched);
    EXPECT_DOUBLE_EQ(Util::BounceyFall(100, 2, 0.5, 10.5, &touched), 10 * 0.5 - 0.25);
    EXPECT_TRUE(touched);
    EXPECT_DOUBLE_EQ(Util::BounceyFall(100, 2, 0.5, 15, &touched), 25);
    EXPECT_FALSE(touched);
    // Second hop: speed 5 for 5 steps.
    EXPECT_DOUBLE_EQ(Util::BounceyFall(100, 2, 0.5, 22, &touched), 5 * 2 - 4);
    EXPECT_DOUBLE_EQ(Util::BounceyFall(100, 2, 0.5, 20.5, &touched), 5 * 0.5 - 0.25);
    EXPECT_TRUE(touched);
    EXPECT_EQ(Util::BounceyFall(100, 2, 0.5, 1e6, nullptr), 0);

    for (double t : {10.0, 11.0, 50.0})
        EXPECT_EQ(Util::BounceyFall(100, 2, 0.0, t, nullptr), 0) << t;

    EXPECT_EQ(Util::BounceyFall(100, 2, 0.5, std::numeric_limits<double>::infinity(), nullptr), 0);
    EXPECT_EQ(Util::BounceyFall(100, 2, 0.5, std::numeric_limits<double>::quiet_NaN(), nullptr), 0);
}

TEST(Util, FunkyMoveEasesRepeatedly)
{
    EXPECT_EQ(Util::FunkyMove(0, 10, 2, 0.5), 7.5);
    EXPECT_EQ(Util::FunkyMove(3, 10, 0, 0.5), 3);
    EXPECT_EQ(Util::FunkyMove(3, 10, -4, 0.5), 3);
}
