// The tolerance tests that the collision loops use in place of the general ones.
#include "engine/PolyPoint.h"

#include "engine/Map.h"
#include "support/RandomSeed.h"
#include "util/Pointf.h"
#include "util/Rectf.h"
#include "util/Util.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace
{
// Values at and around the tolerance from a few bases, where a comparison written the wrong way
// round (<= for <, the sides swapped) gives a different answer, and values no arithmetic settles.
class NearValues
{
public:
    explicit NearValues(unsigned seed) : random(seed) {}

    double Base()
    {
        static double const bases[] = {0.0, -0.0, 1.0, -1.0, 0.1, 300.0, -899.9, 1.0e-7, 123.456, 1.0e6};
        return bases[Pick(std::size(bases))];
    }

    double Offset()
    {
        double const eps = Util::Eps;
        double const offsets[] = {0.0,
                                  eps,
                                  -eps,
                                  std::nextafter(eps, 0.0),
                                  -std::nextafter(eps, 0.0),
                                  std::nextafter(eps, 1.0),
                                  -std::nextafter(eps, 1.0),
                                  0.5 * eps,
                                  -2.0 * eps,
                                  std::uniform_real_distribution<double>(-3.0 * eps, 3.0 * eps)(random),
                                  std::uniform_real_distribution<double>(-10.0, 10.0)(random)};
        return offsets[Pick(std::size(offsets))];
    }

    // Another value near v, now and then one of no size or sign.
    double Near(double v)
    {
        double const odd[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                              -std::numeric_limits<double>::infinity()};
        if (Pick(40) == 0)
            return odd[Pick(std::size(odd))];
        return v + Offset();
    }

private:
    std::size_t Pick(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); }

    std::mt19937 random;
};
} // namespace

TEST(PolyPoint, OneComparisonTestsAnswerAsTheToleranceTests)
{
    ForEachSeed([](unsigned seed) {
        NearValues values(seed);
        for (int i = 0; i < 20000; i++)
        {
            double const x = values.Base();
            double const y = values.Base();
            Pointf const p(values.Near(x), values.Near(y));
            Pointf const q(values.Near(p.x), values.Near(p.y));
            ASSERT_EQ(PolyPoint::Coincide(&p, &q), p == q) << p.x << "," << p.y << " " << q.x << "," << q.y;
            double const e = values.Near(0.0);
            ASSERT_EQ(PolyPoint::Near0(e), Util::Equal(0.0, e)) << e;
            // The tolerance test itself, one comparison on the magnitude, against both sides tested.
            ASSERT_EQ(Util::Equal(p.x, q.x), Util::Eps > p.x - q.x && Util::Eps > q.x - p.x) << p.x << " " << q.x;
            ASSERT_EQ(Util::Equal(0.0, e), Util::Eps > 0.0 - e && Util::Eps > e - 0.0) << e;

            // Bounds side by side, one's edge at and around the other's on each side.
            Rectf const r(x, y, values.Near(x + 5.0), values.Near(y + 5.0));
            Rectf const s(values.Near(r.x1), values.Near(r.y1), values.Near(r.x1) + 3.0, values.Near(r.y1) + 3.0);
            Rectf const t(values.Near(r.x0) - 3.0, values.Near(r.y0) - 3.0, values.Near(r.x0), values.Near(r.y0));
            ASSERT_EQ(Map::BoundsTouch(r, s), r.Intersect(&s)) << r.x1 << "," << r.y1 << " " << s.x0 << "," << s.y0;
            ASSERT_EQ(Map::BoundsTouch(s, r), s.Intersect(&r)) << r.x1 << "," << r.y1 << " " << s.x0 << "," << s.y0;
            ASSERT_EQ(Map::BoundsTouch(r, t), r.Intersect(&t)) << r.x0 << "," << r.y0 << " " << t.x1 << "," << t.y1;
            ASSERT_EQ(Map::BoundsTouch(t, r), t.Intersect(&r)) << r.x0 << "," << r.y0 << " " << t.x1 << "," << t.y1;
        }
    });
}
