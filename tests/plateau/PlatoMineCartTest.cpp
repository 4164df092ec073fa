// The mine carts: the start of a lap, the stops and their tilt, the lap's end, a point twice.
#include "plateau/PlatoSupport.h"
#include "plateau/Plato_MineCart.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

// Reference points 60 to 100 climbing to the right, 100 apart and 10 up each; with flat, they lie
// flat 30 apart and rp 61 is put on rp 60, so that the lap starts on a segment of no length.
std::unique_ptr<Map> TrackMap(bool flat)
{
    MapWriter writer = FloorWriter();
    for (unsigned int rp = 60; rp <= 100; rp++)
    {
        double const i = rp - 60;
        writer.AddRefPoint(rp, flat ? 30.0 * (rp == 61 ? 0 : i) : 100.0 * i, flat ? 0.0 : 10.0 * i);
    }
    return ReadSmallMap(writer);
}

class PlatoMineCartTest : public PlateauFixture
{
};

TEST_F(PlatoMineCartTest, LapsStopsAndTilts)
{
    map = TrackMap(false);
    Plato_MineCart carts(map.get());
    double angle = 1.0;
    EXPECT_EQ(carts.FindCartPos(map.get(), 0, 0, angle), map->GetRefPoint(60));
    Pointf const cart1 = carts.FindCartPos(map.get(), carts.Period() / 5, 0, angle);
    EXPECT_EQ(carts.FindCartPos(map.get(), 0, 1, angle), cart1);

    double const slope = std::atan2(-10.0, 100.0);
    for (unsigned int stop : {75u, 92u})
    {
        Pointf const at = map->GetRefPoint(stop);
        int longest = 0;
        int run = 0;
        for (Tick t = 0; t < carts.Period(); t++)
        {
            Pointf const p = carts.FindCartPos(map.get(), t, 0, angle);
            run = std::fabs(p.x - at.x) < 1e-9 && std::fabs(p.y - at.y) < 1e-9 ? run + 1 : 0;
            if (run > 0)
            {
                EXPECT_NEAR(angle, slope, 1e-12) << "tilt at the stop " << stop << ", tick " << t;
            }
            longest = std::max(longest, run);
        }
        EXPECT_GE(longest, 100) << stop;
        EXPECT_LE(longest, 101) << stop;
    }
    // On the way back from 75 to 74 the same tilt as on the way out.
    Pointf const p74 = map->GetRefPoint(74);
    for (Tick t = 0; t < carts.Period(); t++)
    {
        Pointf const p = carts.FindCartPos(map.get(), t, 0, angle);
        if (p.x > p74.x + 1.0 && p.x < p74.x + 99.0)
        {
            EXPECT_NEAR(angle, slope, 1e-12) << t;
        }
    }
    Pointf const end = carts.FindCartPos(map.get(), carts.Period() - 1, 0, angle);
    Pointf const p100 = map->GetRefPoint(100);
    // The lap's truncated length leaves the last place 3 to 6 short of the end.
    EXPECT_LT(end.Distance(&p100), 2 * MineCart_Speed);
    EXPECT_EQ(carts.FindCartPos(map.get(), carts.Period(), 0, angle), map->GetRefPoint(60));
    carts.Render(map.get(), 10);
}

TEST_F(PlatoMineCartTest, ASegmentOfNoLengthGivesAFinitePlace)
{
    map = TrackMap(true);
    Plato_MineCart carts(map.get());
    for (int cart = 0; cart < MineCart_Count; cart++)
        for (Tick t = 0; t < carts.Period(); t++)
        {
            double angle = 0.0;
            Pointf const p = carts.FindCartPos(map.get(), t, cart, angle);
            ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(angle)) << cart << " " << t;
        }
}

} // namespace
