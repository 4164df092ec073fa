// The dragon's hit points under random hits over many cycles, against the rule's recursion from
// each cycle to the last tick of the one before.
#include "final/FinalTestSupport.h"
#include "support/RandomSeed.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace
{

// The hit points as the rule states them, over the hits given (ticks in order): a cycle of 4750
// ticks starts from the value at the last tick of the one before (1000 for the first), loses a
// point a hit down to 0, and from the rest's 4350th tick on gains 2 a tick up to 1000.
struct PlainDragon
{
    int Hits(Tick upTo) const { return int(std::upper_bound(hits.begin(), hits.end(), upTo) - hits.begin()); }

    int At(Tick t) const
    {
        int const c = t % 4750;
        Tick const s = t - c;
        int v = s == 0 ? 1000 : At(s - 1);
        v = std::max(v - (Hits(t) - Hits(s - 1)), 0);
        if (c > 4350)
            v = std::min(v + 2 * (c - 4350), 1000);
        return v;
    }

    std::vector<Tick> hits;
};

class FinalDragonHitPoints : public FinalFixture
{
};

} // namespace

TEST_F(FinalDragonHitPoints, UnderRandomHitsTheyFollowTheRecursionThroughEveryCycle)
{
    ForEachSeed([this](unsigned seed) {
        std::mt19937 random(seed);
        auto whole = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
        Final_Dragon dragon(Pointf(3640.0, 600.0), &sounds);
        PlainDragon plain;
        // Bursts from light to killing: some cycles lose a few points, some all of them, and
        // some hits fall in the rest.
        for (int burst = whole(2, 16); burst > 0; --burst)
        {
            Tick at = whole(0, 8 * 4750);
            int const every = whole(0, 4);
            int const each = whole(1, 6);
            for (int n = whole(1, 400); n > 0; --n, at += every)
                for (int k = 0; k < each; ++k)
                {
                    dragon.Hit(at, whole(1, 5), 0);
                    plain.hits.push_back(at);
                }
        }
        std::sort(plain.hits.begin(), plain.hits.end());
        int lowest = 1000;
        for (Tick t = 0; t <= 9 * 4750; ++t)
        {
            int const expected = plain.At(t);
            lowest = std::min(lowest, expected);
            ASSERT_EQ(dragon.GetHitPoints(t), expected) << "tick " << t;
        }
        RecordProperty("lowest_seed_" + std::to_string(seed), lowest);
    });
}
