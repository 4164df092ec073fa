// The lean of the map where two sloped solids meet at a corner, against the plain rule asked of
// each polygon in turn.
#include "engine/Map.h"
#include "engine/Poly.h"
#include "support/RandomSeed.h"
#include "support/SmallMap.h"
#include "util/Util.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace
{

// The lean at p as the rule states it, over every solid polygon of the map in order: the backward
// surface direction nearest to angle turning towards smaller angles (left), or the forward one
// turning towards larger angles (right), a quarter turn out of the polygon.
double PlainLean(Map const& map, Pointf const& p, double angle, LeanDirection d)
{
    bool held = false;
    double k = 0.0;
    for (unsigned int i = 0; i < map.polyCount; ++i)
    {
        if (!map.GetFilter(i).solid)
            continue;
        double a1 = 0.0;
        double a2 = 0.0;
        int const r = map.polys[int(i)]->SurfaceAngles(&p, a1, a2);
        if (d == LeanDirection_Left && (r & 2) != 0)
        {
            if (!held || std::fabs(a2 - angle) < Util::Eps
                || Util::DiffAngle(angle, k) > Util::DiffAngle(a2, k) - Util::Eps)
                k = a2;
            held = true;
        }
        else if (d == LeanDirection_Right && (r & 1) != 0)
        {
            if (!held || std::fabs(a1 - angle) < Util::Eps
                || Util::DiffAngle(k, angle) > Util::DiffAngle(k, a1) - Util::Eps)
                k = a1;
            held = true;
        }
    }
    if (!held)
        return angle;
    return Util::Angle(d == LeanDirection_Left ? k + Util::QuarterTurn : k - Util::QuarterTurn);
}

// A solid triangle with a corner at c and its two other corners at the distances and angles (from
// +x, turning towards +y) given, listed clockwise.
MapWriter_Poly Triangle(Pointf c, double angle0, double reach0, double angle1, double reach1)
{
    Pointf const p0(std::round(c.x + reach0 * std::cos(angle0)), std::round(c.y + reach0 * std::sin(angle0)));
    Pointf const p1(std::round(c.x + reach1 * std::cos(angle1)), std::round(c.y + reach1 * std::sin(angle1)));
    bool const clockwise = (p0.x - c.x) * (p1.y - c.y) - (p0.y - c.y) * (p1.x - c.x) < 0.0;
    Pointf const second = clockwise ? p0 : p1;
    Pointf const third = clockwise ? p1 : p0;
    return {
        0, 0, true, false, {{c.x, c.y, 0, 0, true}, {second.x, second.y, 0, 0, true}, {third.x, third.y, 0, 0, true}}};
}

} // namespace

TEST(Map, LeanWhereTwoSlopedSolidsMeetFollowsThePlainRuleOnEitherSideAndBoth)
{
    ForEachSeed([](unsigned seed) {
        std::mt19937 random(seed);
        auto whole = [&](int low, int high) { return double(std::uniform_int_distribution<int>(low, high)(random)); };
        std::uniform_real_distribution<double> turn(-Util::HalfTurn, Util::HalfTurn);
        int compared = 0;
        for (int pair = 0; pair < 60; ++pair)
        {
            // Two sloped solids meeting at the corner c, each a triangle with a corner there: side
            // by side, one over the other or crossing.
            Pointf const c(whole(-400, 400), whole(-200, 200));
            double corners[2][4];
            MapWriter writer;
            writer.SetView(c.x - 320.0, c.y - 240.0, 1.0);
            for (auto& t : corners)
            {
                t[0] = turn(random);
                t[1] = whole(30, 300);
                t[2] = t[0] + std::uniform_real_distribution<double>(0.3, 2.8)(random);
                t[3] = whole(30, 300);
                writer.AddPoly(Triangle(c, t[0], t[1], t[2], t[3]));
            }
            auto map = ReadSmallMap(writer);
            // The corner, and points along each side from it; some lie inside the other solid.
            std::vector<Pointf> points = {c};
            for (auto const& t : corners)
                for (int side = 0; side < 2; ++side)
                {
                    Pointf const far(std::round(c.x + t[2 * side + 1] * std::cos(t[2 * side])),
                                     std::round(c.y + t[2 * side + 1] * std::sin(t[2 * side])));
                    double const length = std::hypot(far.x - c.x, far.y - c.y);
                    for (double along : {1.0, 4.0, 20.0})
                        points.push_back(
                            Pointf(c.x + (far.x - c.x) * along / length, c.y + (far.y - c.y) * along / length));
                }
            for (Pointf const& p : points)
                for (double angle :
                     {0.0, Util::QuarterTurn, -Util::QuarterTurn, Util::HalfTurn, turn(random), turn(random)})
                {
                    SCOPED_TRACE(testing::Message()
                                 << "pair " << pair << " at (" << p.x << ", " << p.y << "), angle " << angle);
                    double const plainLeft = PlainLean(*map, p, angle, LeanDirection_Left);
                    double const plainRight = PlainLean(*map, p, angle, LeanDirection_Right);
                    ASSERT_EQ(map->Lean(&p, angle, LeanDirection_Left), plainLeft);
                    ASSERT_EQ(map->Lean(&p, angle, LeanDirection_Right), plainRight);
                    double bothRight = 0.0;
                    double bothLeft = 0.0;
                    map->LeanBoth(&p, angle, bothRight, bothLeft);
                    ASSERT_EQ(bothLeft, plainLeft);
                    ASSERT_EQ(bothRight, plainRight);
                    compared += plainLeft != angle || plainRight != angle ? 1 : 0;
                }
        }
        EXPECT_GT(compared, 60 * 30) << "too few points met a surface";
    });
}
