// Angle maths, the float remainder, the tick hash and the easing curves.
#include "util/Util.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(Util, RandomHashesTicksInThirtyTwoBits)
{
    EXPECT_EQ(Util::Random(0), 0);
    EXPECT_EQ(Util::Random(1), 970793448);
    EXPECT_EQ(Util::Random(-1), 1414351993);
    EXPECT_EQ(Util::Random(INT32_MAX, 1u), Util::Random(INT32_MIN));
    std::uint32_t a = Util::NextSerial();
    EXPECT_NE(Util::Random(100, a), Util::Random(100, Util::NextSerial()));
}

TEST(Util, AnglesNormaliseAndDifferEvenWhenUnreasonable)
{
    EXPECT_EQ(Util::Angle(Util::HalfTurn), Util::HalfTurn);
    EXPECT_EQ(Util::Angle(-Util::HalfTurn), Util::HalfTurn);
    EXPECT_EQ(Util::Angle(7.0), 7.0 - Util::FullTurn);
    EXPECT_DOUBLE_EQ(Util::DiffAngle(0.1, 0.2), Util::FullTurn - 0.1);
    EXPECT_EQ(Util::DiffAngle(7.0, 0.0), 7.0);
    EXPECT_LT(Util::DiffAngle(1.0, 1.0 + 1e-8), 0.0);

    // Unreasonable angles still return.
    EXPECT_EQ(Util::Angle(INFINITY), INFINITY);
    EXPECT_EQ(Util::DiffAngle(-INFINITY, 0.0), -INFINITY);
    EXPECT_TRUE(std::isnan(Util::Angle(NAN)));
    EXPECT_TRUE(std::isnan(Util::DiffAngle(NAN, 1.0)));
    double huge = Util::Angle(1.0e300);
    EXPECT_TRUE(huge > -Util::HalfTurn && huge <= Util::HalfTurn);
    double far = Util::DiffAngle(-1.0e13, 0.0);
    EXPECT_TRUE(far >= 0 && far < Util::FullTurn);
}

TEST(Util, FltModBounceyFallAndFunkyMove)
{
    EXPECT_EQ(Util::FltMod(7.5, 2.0), 1.5);
    EXPECT_EQ(Util::FltMod(-7.5, 2.0), -1.5);
    EXPECT_EQ(Util::FltMod(7.5, 2.9), 3.5);
    EXPECT_TRUE(std::isfinite(Util::FltMod(1e12, 1e-3)));
    EXPECT_EQ(Util::FunkyMove(0, 10, 2, 0.5), 7.5);
    EXPECT_EQ(Util::FunkyMove(3, 10, -4, 0.5), 3);

    // Dropped from 100 under gravity 2: lands at 10, hops of speed 10 then 5.
    struct
    {
        double t;
        double height;
        bool touched;
    } const fall[] = {{3, 91, false}, {10.5, 4.75, true}, {15, 25, false}, {20.5, 2.25, true}, {1e6, 0, false}};
    for (auto const& f : fall)
    {
        bool touched = !f.touched;
        EXPECT_DOUBLE_EQ(Util::BounceyFall(100, 2, 0.5, f.t, &touched), f.height) << f.t;
        EXPECT_EQ(touched, f.touched) << f.t;
    }
    EXPECT_EQ(Util::BounceyFall(100, 2, 0.0, 11, nullptr), 0);
    EXPECT_EQ(Util::BounceyFall(100, 2, 0.5, NAN, nullptr), 0);
}
