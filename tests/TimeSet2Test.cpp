// Tests of the value runs: splitting and joining runs, queries and a comparison with a plain model.
#include "TimeSet2.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "RandomSeed.h"

namespace
{

// The runs over [0, 100) as "start-end (value)", read back tick by tick through Find.
std::string Runs(TimeSet2 const& set)
{
    std::string out;
    int value = 0;
    int runValue = 0;
    Tick start = -1;
    for (Tick t = 0; t <= 100; t++)
    {
        bool covered = t < 100 && set.Find(t, &value);
        if (start >= 0 && (!covered || value != runValue))
        {
            out += (out.empty() ? "" : ", ") + std::to_string(start) + "-" + std::to_string(t) + " (" +
                   std::to_string(runValue) + ")";
            start = -1;
        }
        if (covered && start < 0)
        {
            start = t;
            runValue = value;
        }
    }
    return out;
}

} // namespace

TEST(TimeSet2, SplitsWidensAndJoinsRuns)
{
    TimeSet2 set;
    for (Tick t : {11, 12, 13, 10})
        set.Add(t, 5);
    set.Add(20, 10);
    set.Add(21, 10);
    EXPECT_EQ(Runs(set), "10-14 (5), 20-22 (10)");
    for (Tick t = 22; t <= 26; t++)
        set.Add(t, 5);
    EXPECT_EQ(Runs(set), "10-14 (5), 20-22 (10), 22-27 (5)");
    set.Add(22, 10);
    EXPECT_EQ(Runs(set), "10-14 (5), 20-23 (10), 23-27 (5)");
    set.Add(12, 20);
    EXPECT_EQ(Runs(set), "10-12 (5), 12-13 (20), 13-14 (5), 20-23 (10), 23-27 (5)");
    set.Add(12, 5);
    EXPECT_EQ(Runs(set), "10-14 (5), 20-23 (10), 23-27 (5)");
    set.Add(23, 10);
    EXPECT_EQ(Runs(set), "10-14 (5), 20-24 (10), 24-27 (5)");
}

TEST(TimeSet2, QueriesSkipRunsOfTheValueAtTheTick)
{
    TimeSet2 set;
    for (Tick t = 10; t < 14; t++)
        set.Add(t, 5);
    for (Tick t = 20; t < 24; t++)
        set.Add(t, 10);
    for (Tick t = 24; t < 27; t++)
        set.Add(t, 5);
    int value = 0;
    Tick tick = 0;
    EXPECT_TRUE(set.Find(25, &value));
    EXPECT_EQ(value, 5);
    EXPECT_FALSE(set.Find(17, nullptr));
    EXPECT_FALSE(set.Find(27, nullptr));
    EXPECT_TRUE(set.CheckDown(25, &value, &tick));
    EXPECT_EQ(value, 10);
    EXPECT_EQ(tick, 23);
    EXPECT_TRUE(set.CheckUp(21, &value, &tick));
    EXPECT_EQ(value, 5);
    EXPECT_EQ(tick, 24);
    EXPECT_TRUE(set.CheckDown(17, &value, &tick));
    EXPECT_EQ(value, 5);
    EXPECT_EQ(tick, 13);
    EXPECT_FALSE(set.CheckUp(24, nullptr, nullptr));
    EXPECT_EQ(set.LastFreeTime(25), 19);
    EXPECT_EQ(set.NextFreeTime(21), 27);
    EXPECT_EQ(set.LastFreeTime(17), 17);
    // A run of another value exactly gap ticks away is allowed, one tick closer is not.
    EXPECT_FALSE(set.AddIfSafe(29, 7, 4));
    EXPECT_TRUE(set.AddIfSafe(30, 7, 4));
    EXPECT_FALSE(set.AddIfSafe(22, 10, 3));
    EXPECT_TRUE(set.AddIfSafe(22, 10, 2));
}

TEST(TimeSet2, AgreesWithAPlainModelUnderRandomOperations)
{
    unsigned seed = TestSeed();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    constexpr int Ticks = 2000;
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int round = 0; round < 10; round++)
    {
        TimeSet2 set;
        std::vector<std::optional<int>> model(Ticks);
        auto at = [&](int t) { return t >= 0 && t < Ticks ? model[t] : std::nullopt; };
        // The nearest tick from t in steps of dir that carries a value other than the value at t.
        auto differing = [&](int t, int dir) {
            int i = t;
            while (i >= 0 && i < Ticks && (!model[i] || (at(t) && *model[i] == *at(t))))
                i += dir;
            return i;
        };
        // Runs of a few ticks on a narrow band so that runs touch, split and join often.
        int base = pick(30, Ticks - 300);
        for (int op = 0; op < 600; op++)
        {
            int t = base + pick(0, 200);
            int v = pick(0, 3);
            if (pick(0, 4) > 0)
            {
                set.Add(t, v);
                model[t] = v;
            }
            else
            {
                int gap = pick(0, 12);
                int down = differing(t, -1);
                int up = differing(t, 1);
                bool safe = (down < 0 || down + gap <= t) && (up >= Ticks || up - gap >= t);
                ASSERT_EQ(set.AddIfSafe(t, v, gap), safe) << "tick " << t << " gap " << gap;
                if (safe)
                    model[t] = v;
            }
            int q = base + pick(-20, 220);
            int value = -1;
            ASSERT_EQ(set.Find(q, &value), at(q).has_value()) << "tick " << q;
            if (at(q))
            {
                ASSERT_EQ(value, *at(q)) << "tick " << q;
            }
            ASSERT_EQ(set.Check(q, v), at(q) == v) << "tick " << q;
            int e = q + pick(0, 6);
            bool any = false;
            for (int i = q; i < e; i++)
                any = any || at(i) == v;
            ASSERT_EQ(set.CheckRange(TimeRange2(q, e, v)), any) << q << "-" << e;
            Tick tick = -1;
            int down = differing(q, -1);
            ASSERT_EQ(set.CheckDown(q, &value, &tick), down >= 0) << "tick " << q;
            if (down >= 0)
            {
                ASSERT_EQ(tick, down);
                ASSERT_EQ(value, *model[down]);
            }
            int up = differing(q, 1);
            ASSERT_EQ(set.CheckUp(q, &value, &tick), up < Ticks) << "tick " << q;
            if (up < Ticks)
            {
                ASSERT_EQ(tick, up);
                ASSERT_EQ(value, *model[up]);
            }
            int freeDown = q;
            while (at(freeDown))
                freeDown--;
            ASSERT_EQ(set.LastFreeTime(q), freeDown);
            int freeUp = q;
            while (at(freeUp))
                freeUp++;
            ASSERT_EQ(set.NextFreeTime(q), freeUp);
        }
    }
}
