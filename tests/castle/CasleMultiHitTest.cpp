// Multi-hit blocks: the height from the hits counted one by one, and the fall-back at period ends.
#include "castle/Casle_Ids.h"
#include "castle/Casle_MultiHit.h"
#include "support/RandomSeed.h"
#include "util/Util.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <random>
#include <vector>

TEST(CasleMultiHitTest, WithoutAPeriodEachHitLiftsTheBlockUpToItsHighest)
{
    // As the castle's first block: no fall-back and no fall distance.
    Casle_MultiHit block(Pointf(10.0, 20.0), 40, 50.0, 0, 1.0, 0.0);
    EXPECT_EQ(block.GetLookBack(), 0);
    block.Hit(10, 1, 0);
    EXPECT_EQ(block.PosAtTime(9), 0.0);
    EXPECT_EQ(block.PosAtTime(10), 1.0);
    block.Hit(20, 5, 0);
    block.Hit(20, 5, 0);
    EXPECT_EQ(block.PosAtTime(20), 3.0) << "hits are counted one by one, not by damage";
    for (Tick t = 21; t < 70; t++)
        block.Hit(t, 1, 0);
    EXPECT_EQ(block.PosAtTime(66), 49.0);
    EXPECT_EQ(block.PosAtTime(67), 50.0);
    EXPECT_EQ(block.PosAtTime(100000), 50.0);
}

TEST(CasleMultiHitTest, APeriodsEndDropsTheBlockAndItsTickAlreadyShowsTheDrop)
{
    Casle_MultiHit slow(Pointf(10.0, 20.0), 40, 50.0, 100, 0.4, 2.0);
    EXPECT_EQ(slow.GetLookBack(), 2600);
    EXPECT_EQ(Casle_MultiHit(Pointf(), 40, 50.0, 60, 0.4, 3.0).GetLookBack(), 1060);
    for (Tick t : {1, 20, 40, 60, 99})
        slow.Hit(t, 1, 0);
    EXPECT_DOUBLE_EQ(slow.PosAtTime(99), 2.0);
    EXPECT_EQ(slow.PosAtTime(100), 0.0);

    // At its highest it sinks by the fall at each period's end, and hits beyond it are lost.
    Casle_MultiHit strong(Pointf(), 40, 50.0, 100, 10.0, 2.0);
    for (Tick t = 1; t <= 10; t++)
        strong.Hit(t, 1, 0);
    EXPECT_EQ(strong.PosAtTime(99), 50.0);
    EXPECT_EQ(strong.PosAtTime(100), 48.0);
    EXPECT_EQ(strong.PosAtTime(2400), 2.0);
    EXPECT_EQ(strong.PosAtTime(2500), 0.0);
    strong.Hit(2450, 1, 0);
    EXPECT_EQ(strong.PosAtTime(2450), 12.0);
    EXPECT_EQ(strong.PosAtTime(2500), 10.0);

    // A thousand periods of hits in a row are followed all the way back.
    Casle_MultiHit busy(Pointf(), 40, 50.0, 60, 0.4, 3.0);
    for (Tick t = 1; t < 60000; t += 6)
        busy.Hit(t, 1, 0);
    EXPECT_DOUBLE_EQ(busy.PosAtTime(120), 2.0);
    EXPECT_DOUBLE_EQ(busy.PosAtTime(59999), 50.0);
    EXPECT_DOUBLE_EQ(busy.PosAtTime(60000), 47.0);
}

namespace
{

// The block's offset as the rule states it, by recursion to the previous period's end, over the
// hits it was given (ticks in order).
struct PlainBlock
{
    int Hits(Tick upTo) const { return int(std::upper_bound(hits.begin(), hits.end(), upTo) - hits.begin()); }

    double At(Tick t) const
    {
        if (t == 0)
            return 0.0;
        if (period == 0)
            return std::min(Hits(t) * stepDist, maxDist);
        Tick const t0 = ((t - 1) / period) * period;
        double const d = (Hits(t) - Hits(t0)) * stepDist;
        double v = Hits(t0) == Hits(t0 - lookBack) ? d : At(t0) + d;
        if (v > maxDist || std::fabs(v - maxDist) < Util::Eps)
            v = maxDist;
        if (t % period == 0)
            v -= fallDist;
        if (v < 0.0 || std::fabs(v) < Util::Eps)
            v = 0.0;
        return v;
    }

    std::vector<Tick> hits;
    double maxDist;
    int period;
    double stepDist;
    double fallDist;
    int lookBack; // ticks in which a block at its highest has surely come down
};

} // namespace

TEST(CasleMultiHitTest, UnderRandomHitsTheHeightFollowsTheRecursionToThePreviousPeriodsEnd)
{
    ForEachSeed([](unsigned seed) {
        std::mt19937 random(seed);
        auto whole = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
        // The castle's three blocks, then blocks of any make.
        std::vector<Casle_MultiHitIds> makes(std::begin(Casle_MultiHits), std::end(Casle_MultiHits));
        double const steps[] = {0.4, 1.0, 2.5, 10.0};
        double const falls[] = {0.5, 2.0, 3.0, 7.5};
        for (int i = 0; i < 3; ++i)
            makes.push_back({0, 40, double(whole(10, 60)), whole(0, 4) == 0 ? 0 : whole(7, 150), steps[whole(0, 3)],
                             falls[whole(0, 3)]});
        for (Casle_MultiHitIds const& make : makes)
        {
            SCOPED_TRACE(testing::Message() << "period " << make.period << ", rise " << make.stepDist << ", fall "
                                            << make.fallDist << ", highest " << make.maxDist);
            Casle_MultiHit block(Pointf(), make.group, make.maxDist, make.period, make.stepDist, make.fallDist);
            PlainBlock plain{{}, make.maxDist, make.period, make.stepDist, make.fallDist, 0};
            if (make.period != 0)
                plain.lookBack = int(make.period * (make.maxDist / make.fallDist + 1.0));
            EXPECT_EQ(block.GetLookBack(), plain.lookBack);
            // Bursts of hits a few ticks apart, some of them several at one tick, with quiet
            // spells between that the block may or may not sink back through.
            for (int burst = whole(1, 12); burst > 0; --burst)
            {
                Tick at = whole(1, 5000);
                int const every = whole(1, 15);
                for (int n = whole(1, 120); n > 0; --n, at += every)
                    for (int same = whole(0, 6) == 0 ? 3 : 1; same > 0; --same)
                    {
                        block.Hit(at, whole(1, 5), 0);
                        plain.hits.push_back(at);
                    }
            }
            std::sort(plain.hits.begin(), plain.hits.end());
            for (Tick t = 0; t <= 7000; ++t)
                ASSERT_EQ(block.PosAtTime(t), plain.At(t)) << "tick " << t;
        }
    });
}
